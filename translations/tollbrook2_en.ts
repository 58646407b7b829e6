<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>messages</name>
    <message>
        <source>ＤＯＳ</source>
        <translation>DOS</translation>
    </message>
    <message>
        <source>Ｗｉｎ１６</source>
        <translation>Win16</translation>
    </message>
    <message>
        <source>Ｗｉｎ３２</source>
        <translation>Win32</translation>
    </message>
    <message>
        <source>ＤＯＳ形式の自己解凍ファイルを作成します（DOS Win3.1 Win95 NT3.51 NT4.0等で解凍できます）</source>
        <translation>Make DOS self-extractors (they run on DOS, Windows 3.1, 95, NT 3.51, NT 4.0 and later)</translation>
    </message>
    <message>
        <source>Ｗｉｎ１６形式の自己解凍ファイルを作成します（Win3.1 Win95 WinNT3.51 WinNT4.0等で解凍できます）</source>
        <translation>Make Win16 self-extractors (they run on Windows 3.1, 95, NT 3.51, NT 4.0 and later)</translation>
    </message>
    <message>
        <source>Ｗｉｎ３２形式の自己解凍ファイルを作成します（Win3.1(Win32s) Win95 WinNT3.51 WinNT4.0等で解凍できます）</source>
        <translation>Make Win32 self-extractors (they run on Windows 3.1 with Win32s, 95, NT 3.51, NT 4.0 and later)</translation>
    </message>
    <message>
        <source>圧縮ファイル格納フォルダ</source>
        <translation>Archive folder</translation>
    </message>
    <message>
        <source>圧縮ファイル格納ドライブを設定します</source>
        <translation>Choose the drive that holds the archives</translation>
    </message>
    <message>
        <source>圧縮ファイル格納フォルダを設定します</source>
        <translation>Choose the folder that holds the archives</translation>
    </message>
    <message>
        <source>現在の圧縮ファイル格納フォルダ</source>
        <translation>The folder that holds the archives</translation>
    </message>
    <message>
        <source>自己解凍格納フォルダを同一</source>
        <translation>Same as the output folder</translation>
    </message>
    <message>
        <source>圧縮ファイル名</source>
        <translation>Archives</translation>
    </message>
    <message>
        <source>自己解凍を作成したい圧縮ファイルを選択します</source>
        <translation>Choose the archives to make self-extractors of</translation>
    </message>
    <message>
        <source>選択した圧縮ファイルを自己解凍の対象とします</source>
        <translation>Add the selected archives to the ones to convert</translation>
    </message>
    <message>
        <source>全ての圧縮ファイルを自己解凍の対象とします</source>
        <translation>Add every archive to the ones to convert</translation>
    </message>
    <message>
        <source>サブフォルダを含めて全ての圧縮ファイルを自己解凍の対象とします</source>
        <translation>Add every archive, subfolders included, to the ones to convert</translation>
    </message>
    <message>
        <source>自己解凍作成ファイル名</source>
        <translation>To convert</translation>
    </message>
    <message>
        <source>このファイル名が自己解凍作成の対象となります</source>
        <translation>The archives the next run makes self-extractors of</translation>
    </message>
    <message>
        <source>選択した圧縮ファイルを自己解凍作成の対象からはずします</source>
        <translation>Take the selected archives out of the ones to convert</translation>
    </message>
    <message>
        <source>全ての圧縮ファイルを自己解凍作成の対象からはずします</source>
        <translation>Take every archive out of the ones to convert</translation>
    </message>
    <message>
        <source>圧縮ファイル格納フォルダを同一</source>
        <translation>Same as the archive folder</translation>
    </message>
    <message>
        <source>一度で実行できるファイル数は最大１０００までです。</source>
        <translation>One run takes at most 1000 files.</translation>
    </message>
    <message>
        <source>自己解凍格納フォルダ</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>自己解凍格納ドライブを設定します</source>
        <translation>Choose the drive that receives the self-extractors</translation>
    </message>
    <message>
        <source>自己解凍格納フォルダを設定します</source>
        <translation>Choose the folder that receives the self-extractors</translation>
    </message>
    <message>
        <source>現在の自己解凍格納フォルダ</source>
        <translation>The folder that receives the self-extractors</translation>
    </message>
    <message>
        <source>実行履歴</source>
        <translation>History</translation>
    </message>
    <message>
        <source>自己解凍作成終了ファイル</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>正常に自己解凍作成が終了したファイル名</source>
        <translation>The self-extractors made without a fault</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About Tollbrook2</translation>
    </message>
    <message>
        <source>Tollbrook2 — LZH/CAB 自己解凍ファイル一括作成ツール for Linux</source>
        <translation>Tollbrook2 — makes LZH and CAB archives into self-extractors, for Linux</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>LZH圧縮ファイル作成対象(.LZH)</source>
        <translation>Convert LZH archives (.LZH)</translation>
    </message>
    <message>
        <source>CAB圧縮ファイル作成対象(.CAB)</source>
        <translation>Convert CAB archives (.CAB)</translation>
    </message>
    <message>
        <source>LHA等で圧縮されたファイルを自己解凍の作成の対象にします。（基本的に拡張子は.LZHです）</source>
        <translation>Convert archives made by LHA and similar archivers (usually named .LZH)</translation>
    </message>
    <message>
        <source>マイクロソフトの圧縮されたファイルを自己解凍の作成の対象にします。（基本的に拡張子は.CABです）</source>
        <translation>Convert Microsoft cabinet archives (usually named .CAB)</translation>
    </message>
    <message>
        <source>LZH形式で自己解凍形式のファイル（拡張子.EXE）も自己解凍の作成の対象とします。</source>
        <translation>Convert LZH self-extractors (named .EXE) too.</translation>
    </message>
    <message>
        <source>LZH形式でＸ６８自己解凍形式のファイル（拡張子.X）自己解凍の作成の対象とします。</source>
        <translation>Convert LZH self-extractors for the X68000 (named .X) too.</translation>
    </message>
    <message>
        <source>LZH形式で拡張子が.LHAも自己解凍の作成の対象とします。</source>
        <translation>Convert LZH archives named .LHA too.</translation>
    </message>
    <message>
        <source>マイクロソフトの自己解凍形式のファイル（拡張子.EXE）も解凍の対象とします。</source>
        <translation>Convert Microsoft self-extracting cabinets (named .EXE) too.</translation>
    </message>
    <message>
        <source>自己解凍ファイルは大文字</source>
        <translation>Self-extractor names in capitals</translation>
    </message>
    <message>
        <source>扱えないファイルは含まない</source>
        <translation>Leave out files other systems cannot take</translation>
    </message>
    <message>
        <source>起動時の圧縮ファイルは自動的に実行</source>
        <translation>Convert the archives given at start at once</translation>
    </message>
    <message>
        <source>自己解凍ファイルは圧縮ファイル名関わらず大文字にします。</source>
        <translation>Name every self-extractor in capitals, whatever the case of the archive's name.</translation>
    </message>
    <message>
        <source>自己解凍ファイルを他のＯＳで解凍時、そのＯＳで扱えない可能性のファイルはふくまない</source>
        <translation>Leave out of the self-extractor the files that another system may not be able to take</translation>
    </message>
    <message>
        <source>起動時にファイル名を指定した場合、自動的に実行します。（フォームは表示されません）</source>
        <translation>When archives are named at start, convert them at once (no window is shown)</translation>
    </message>
    <message>
        <source>自己解凍形式はＤＯＳ形式です。（DOS Win3.1  Win95 NT3.51 NT4.0等で解凍できます）</source>
        <translation>Make DOS self-extractors (they run on DOS, Windows 3.1, 95, NT 3.51, NT 4.0 and later)</translation>
    </message>
    <message>
        <source>自己解凍形式はＷｉｎ１６です。（Win3.1 Win95 WinNT3.51 WinNT4.0等で解凍できます）</source>
        <translation>Make Win16 self-extractors (they run on Windows 3.1, 95, NT 3.51, NT 4.0 and later)</translation>
    </message>
    <message>
        <source>自己解凍形式はＷｉｎ３２です。（Win3.1(Win32s) Win95 WinNT3.51 WinNT4.0等で解凍できます）</source>
        <translation>Make Win32 self-extractors (they run on Windows 3.1 with Win32s, 95, NT 3.51, NT 4.0 and later)</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Initial folders</translation>
    </message>
    <message>
        <source>現在の圧縮ファイル格納フォルダからコピー</source>
        <translation>Copy from the current archive folder</translation>
    </message>
    <message>
        <source>現在の解凍先フォルダからコピー</source>
        <translation>Copy from the current output folder</translation>
    </message>
    <message>
        <source>Ｗｉｎｄｏｗｓのテンポラリからコピー</source>
        <translation>Copy from the system's temporary folder</translation>
    </message>
    <message>
        <source>Tollbrook2 for Win32</source>
        <translation>Tollbrook2 for Win32</translation>
    </message>
    <message>
        <source>圧縮ファイル格納フォルダ名</source>
        <translation>Archive folder</translation>
    </message>
    <message>
        <source>自己解凍格納フォルダ名</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>テンポラリフォルダ名</source>
        <translation>The temporary folder</translation>
    </message>
    <message>
        <source>初期設定を無効にして、常に終了時のフォルダに復帰します</source>
        <translation>Ignore the initial folder and always start where the last session ended</translation>
    </message>
    <message>
        <source>初期設定の圧縮ファイル格納ドライブ名を設定します</source>
        <translation>Choose the drive of the initial archive folder</translation>
    </message>
    <message>
        <source>初期設定の圧縮ファイル格納フォルダ名を設定します</source>
        <translation>Choose the initial archive folder</translation>
    </message>
    <message>
        <source>初期設定の圧縮ファイル格納フォルダ名</source>
        <translation>The initial archive folder</translation>
    </message>
    <message>
        <source>初期設定の自己解凍格納ドライブ名を設定します</source>
        <translation>Choose the drive of the initial output folder</translation>
    </message>
    <message>
        <source>初期設定の自己解凍格納フォルダ名を設定します</source>
        <translation>Choose the initial output folder</translation>
    </message>
    <message>
        <source>初期設定の自己解凍格納フォルダ名</source>
        <translation>The initial output folder</translation>
    </message>
    <message>
        <source>テンポラリドライブ名を設定します</source>
        <translation>Choose the drive of the temporary folder</translation>
    </message>
    <message>
        <source>テンポラリフォルダ名を設定します</source>
        <translation>Choose the temporary folder</translation>
    </message>
    <message>
        <source>設定ファイル %1 に読み込めない行がありました。読み込めた設定だけを保存するため、元のファイルを %2 に残しました。</source>
        <translation>The settings file %1 had lines that could not be read. Only the settings that could be read are saved; the original file was kept as %2.</translation>
    </message>
    <message>
        <source>設定ファイル %1 に設定を保存できませんでした。%2</source>
        <translation>The settings could not be saved in the settings file %1. %2</translation>
    </message>
    <message>
        <source>そこにはフォルダなど、ファイルでないものがあります。</source>
        <translation>Something that is not a file, such as a folder, is in its place.</translation>
    </message>
    <message>
        <source>%1 へのシンボリックリンクですが、リンク先を作成できません。</source>
        <translation>It is a symbolic link to %1, which cannot be created.</translation>
    </message>
    <message>
        <source>書き込みできません（権限とディスクの空きを確認してください）。</source>
        <translation>It cannot be written (check its permissions and the free disk space).</translation>
    </message>
    <message>
        <source>読み込めない内容があり、書き換えると失われるため、書き換えていません。</source>
        <translation>It holds text that cannot be read and would be lost, so it was not written over.</translation>
    </message>
    <message>
        <source>読み込めない行があり、元のファイルを残しておけなかったため、書き換えていません。</source>
        <translation>It has lines that cannot be read, and no copy of the original could be kept, so it was not written over.</translation>
    </message>
    <message>
        <source>　ＬＺＨ自己解凍作成中です</source>
        <translation>  Making an LZH self-extractor</translation>
    </message>
    <message>
        <source>　ＣＡＢ自己解凍作成中です</source>
        <translation>  Making a CAB self-extractor</translation>
    </message>
    <message>
        <source>　ＬＺＨ確認中です</source>
        <translation>  Checking the LZH archive</translation>
    </message>
    <message>
        <source>　ＣＡＢ確認中です</source>
        <translation>  Checking the CAB archive</translation>
    </message>
    <message>
        <source>　作成終了しましたが大文字にできませんでした</source>
        <translation>  Created, but its name could not be put in capitals</translation>
    </message>
    <message>
        <source>　自己解凍ファイルを作成終了しました</source>
        <translation>  Self-extractor created</translation>
    </message>
    <message>
        <source>　自己解凍ファイルを作成失敗しました</source>
        <translation>  The self-extractor could not be created</translation>
    </message>
    <message>
        <source>　異常が発生しました</source>
        <translation>  Something unexpected went wrong</translation>
    </message>
    <message>
        <source>　スキップされたファイルが</source>
        <translation>  There were</translation>
    </message>
    <message>
        <source>あります</source>
        <translation> files skipped</translation>
    </message>
    <message>
        <source>　自己解凍ファイルを格納する為のディスクの空きが足りません</source>
        <translation>  Not enough free disk space for the self-extractor</translation>
    </message>
    <message>
        <source>　自己解凍ファイルの格納先が書き込みできません</source>
        <translation>  The output folder cannot be written to</translation>
    </message>
    <message>
        <source>　キャンセルされました</source>
        <translation>  Cancelled</translation>
    </message>
    <message>
        <source>　対象外のファイルです</source>
        <translation>  Not an archive this run converts</translation>
    </message>
    <message>
        <source>　書庫が壊れているため自己解凍ファイルにできません</source>
        <translation>  The archive is damaged and cannot become a self-extractor</translation>
    </message>
    <message>
        <source>　自己解凍ファイルが展開できない圧縮方式が含まれています</source>
        <translation>  The archive holds a compression method the self-extractor cannot unpack</translation>
    </message>
    <message>
        <source>　別の実行が同じ出力先フォルダに作成中のため、終わるまで待っています</source>
        <translation>  Another run is making files in the same output folder; waiting until it ends</translation>
    </message>
    <message>
        <source>　同じ名前の自己解凍ファイルをこの実行で作成済みです</source>
        <translation>  A self-extractor of this name was already made in this run</translation>
    </message>
    <message>
        <source>　変換していたプロセスが結果を返さずに終了しました</source>
        <translation>  The process converting this archive ended without a result</translation>
    </message>
    <message>
        <source>現在UNLHA32.DLLは使用中です</source>
        <translation>The LZH library is in use</translation>
    </message>
    <message>
        <source>現在CAB32.DLLは使用中です</source>
        <translation>The CAB library is in use</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>実行中に中断します</source>
        <translation>Stop the run</translation>
    </message>
    <message>
        <source>LogFile(*.LOG)|*.LOG|全てのファイル(*.*)|*.*</source>
        <translation>Log files (*.LOG)|*.LOG|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>で使用したレジストリを全て削除します</source>
        <translation>: delete all the settings it stored?</translation>
    </message>
    <message>
        <source>中断しました</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>全て終了しました</source>
        <translation>All finished</translation>
    </message>
    <message>
        <source>作成するフォルダ名を入力してください</source>
        <translation>Name of the new folder</translation>
    </message>
    <message>
        <source>フォルダ名には [\] は使用できません</source>
        <translation>A folder name cannot contain [\]</translation>
    </message>
    <message>
        <source>フォルダ名には [*] は使用できません</source>
        <translation>A folder name cannot contain [*]</translation>
    </message>
    <message>
        <source>フォルダ名には [?] は使用できません</source>
        <translation>A folder name cannot contain [?]</translation>
    </message>
    <message>
        <source>フォルダは作成できませんでした</source>
        <translation>The folder could not be created</translation>
    </message>
    <message>
        <source>フォルダ作成時異常が発生しました</source>
        <translation>Something went wrong while creating the folder</translation>
    </message>
    <message>
        <source>フォルダ名は入力されていません</source>
        <translation>No folder name was given</translation>
    </message>
    <message>
        <source>フォルダ名に異常な値があります</source>
        <translation>The folder name is not valid</translation>
    </message>
    <message>
        <source>フォルダ名の先頭と末尾には [.] は使用できません</source>
        <translation>A folder name cannot begin or end with [.]</translation>
    </message>
    <message>
        <source>フォルダ名入力</source>
        <translation>New folder</translation>
    </message>
    <message>
        <source>リフレッシュ</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>フォルダエリアスの追加</source>
        <translation>Add a folder alias</translation>
    </message>
    <message>
        <source>フォルダエリアスのメンテナンス</source>
        <translation>Edit folder aliases</translation>
    </message>
    <message>
        <source>フォルダエリアス名を入力してください</source>
        <translation>Name of the folder alias</translation>
    </message>
    <message>
        <source>フォルダエリアス名入力</source>
        <translation>Folder alias name</translation>
    </message>
    <message>
        <source>同一のフォルダエリアス名は追加できません</source>
        <translation>A folder alias of this name exists already</translation>
    </message>
    <message>
        <source>全て選択</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>全て選択の解除</source>
        <translation>Select none</translation>
    </message>
    <message>
        <source>初期化</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>ファイルが存在しています。上書きしてよろしいですか</source>
        <translation>The file exists. Replace it?</translation>
    </message>
    <message>
        <source>セーブできませんでした。</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <source>Manual: (H)elp opens it</source>
        <translation>Manual: Help in the menu opens it</translation>
    </message>
    <message>
        <source>Licence: MIT (the file copyright beside the documentation)</source>
        <translation>Licence: MIT (the file copyright beside the documentation)</translation>
    </message>
    <message>
        <source>Source: the Tollbrook2 project repository</source>
        <translation>Source: the Tollbrook2 project repository</translation>
    </message>
    <message>
        <source>初期値</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>設定を初期設定に戻します</source>
        <translation>Put every setting back to its default</translation>
    </message>
    <message>
        <source>設定を中断して、閉じます</source>
        <translation>Close without changing the settings</translation>
    </message>
    <message>
        <source>設定を有効にして、閉じます</source>
        <translation>Apply the settings and close</translation>
    </message>
    <message>
        <source>リサイズ時、小フォームも変更</source>
        <translation>Resize the child windows with the desk</translation>
    </message>
    <message>
        <source>小フォームが親フォームにあわせてリサイズされます</source>
        <translation>The child windows follow the size of the main window</translation>
    </message>
    <message>
        <source>ＴｏｏｌＴｉｐを表示</source>
        <translation>Show tooltips</translation>
    </message>
    <message>
        <source>マウス停止時の説明を表示するかしないかの設定をします</source>
        <translation>Whether a description appears when the mouse rests on a control</translation>
    </message>
    <message>
        <source>結果をクリップボートにコピー</source>
        <translation>Copy the results to the clipboard</translation>
    </message>
    <message>
        <source>自動実行時、結果を自動的にクリップボートにコピーします</source>
        <translation>After an automatic run, copy its results to the clipboard</translation>
    </message>
    <message>
        <source>のエリアスメンテナンス</source>
        <translation>: folder aliases</translation>
    </message>
    <message>
        <source>名前の変更</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>現在選択しているフォルダエリアス名の変更します</source>
        <translation>Rename the selected folder alias</translation>
    </message>
    <message>
        <source>フォルダエリアス名に対応するフォルダ名</source>
        <translation>The folder the alias stands for</translation>
    </message>
    <message>
        <source>フォルダエリアス登録一覧</source>
        <translation>The folder aliases</translation>
    </message>
    <message>
        <source>現在選択しているフォルダエリアスを１つ上に移動します</source>
        <translation>Move the selected folder alias up one place</translation>
    </message>
    <message>
        <source>現在選択しているフォルダエリアスを１つ下に移動します</source>
        <translation>Move the selected folder alias down one place</translation>
    </message>
    <message>
        <source>現在選択しているフォルダエリアスを削除します</source>
        <translation>Delete the selected folder alias</translation>
    </message>
    <message>
        <source>全て削除します</source>
        <translation>Delete them all</translation>
    </message>
    <message>
        <source>フォルダエリアス名の変更</source>
        <translation>Rename the folder alias</translation>
    </message>
    <message>
        <source>すでに存在するフォルダエリアス名には変更できません</source>
        <translation>A folder alias of this name exists already</translation>
    </message>
    <message>
        <source>E(&amp;x)it</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Fon(&amp;t)</source>
        <translation>Fon&amp;t…</translation>
    </message>
    <message>
        <source>(&amp;L)og</source>
        <translation>&amp;Log</translation>
    </message>
    <message>
        <source>Log(&amp;C)opy</source>
        <translation>&amp;Copy the history</translation>
    </message>
    <message>
        <source>Log(&amp;S)ave</source>
        <translation>&amp;Save the history…</translation>
    </message>
    <message>
        <source>(&amp;D)efault</source>
        <translation>&amp;Default folders</translation>
    </message>
    <message>
        <source>InDirDefault</source>
        <translation>Initial archive folder…</translation>
    </message>
    <message>
        <source>OutDirDefault</source>
        <translation>Initial output folder…</translation>
    </message>
    <message>
        <source>(&amp;O)ption</source>
        <translation>&amp;Options…</translation>
    </message>
    <message>
        <source>M(&amp;k)dir</source>
        <translation>Ma&amp;ke folder…</translation>
    </message>
    <message>
        <source>(&amp;H)elp</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>(&amp;A)bout</source>
        <translation>&amp;About</translation>
    </message>
</context>
</TS>
