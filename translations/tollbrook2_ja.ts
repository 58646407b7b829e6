<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>terminal</name>
    <message>
        <source>no archive to convert (give existing archives of an enabled type)</source>
        <translation>変換する圧縮ファイルがありません（存在する、有効な種類の圧縮ファイルを指定してください）</translation>
    </message>
    <message>
        <source>%1: another run is making files in this folder; waiting until it ends</source>
        <translation>%1: 別の実行がこのフォルダに作成中のため、終わるまで待っています</translation>
    </message>
    <message>
        <source>%1: not taken: %2</source>
        <translation>%1: 対象にできません: %2</translation>
    </message>
    <message>
        <source>the name is not valid UTF-8, the file-name encoding of this system (rename it, for example with convmv)</source>
        <translation>ファイル名がこのシステムのファイル名の文字コード UTF-8 として正しくありません（convmv などで名前を変更してください）</translation>
    </message>
    <message>
        <source>%1: line %2 cannot be read; it is left out and the other settings apply</source>
        <translation>%1: %2 行目を読み取れません。この行を除いた設定を使います</translation>
    </message>
    <message>
        <source>%1: lines %2 cannot be read; they are left out and the other settings apply</source>
        <translation>%1: %2 行目を読み取れません。これらの行を除いた設定を使います</translation>
    </message>
    <message>
        <source>more than %1 archives given: one run converts at most %1, so none was converted</source>
        <translation>圧縮ファイルが %1 個を超えて指定されました。1 回に変換できるのは %1 個までのため、何も変換していません</translation>
    </message>
    <message>
        <source>no display available (%1); nothing to convert, so the window is not opened</source>
        <translation>ディスプレイを使えません（%1）。変換するものがないため、ウィンドウは開きません</translation>
    </message>
    <message>
        <source>QT_QPA_PLATFORM is %1</source>
        <translation>QT_QPA_PLATFORM が %1 です</translation>
    </message>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>DISPLAY も WAYLAND_DISPLAY も設定されていません</translation>
    </message>
    <message>
        <source>the display %1 cannot be reached</source>
        <translation>ディスプレイ %1 に接続できません</translation>
    </message>
    <message>
        <source>option &quot;%1&quot; is not valid UTF-8</source>
        <translation>オプション &quot;%1&quot; が UTF-8 として正しくありません</translation>
    </message>
    <message>
        <source>unknown kind &quot;%1&quot; (dos, win16 or win32)</source>
        <translation>不明な種類 &quot;%1&quot; です（dos、win16、win32 のいずれかを指定してください）</translation>
    </message>
    <message>
        <source>unknown language &quot;%1&quot; (%2)</source>
        <translation>不明な言語 &quot;%1&quot; です（%2 を指定してください）</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 か %2</translation>
    </message>
    <message>
        <source>--jobs needs a whole number of 1 or more, not &quot;%1&quot;</source>
        <translation>--jobs には 1 以上の整数を指定してください（&quot;%1&quot; は使えません）</translation>
    </message>
    <message>
        <source>--out needs a folder</source>
        <translation>--out にはフォルダを指定してください</translation>
    </message>
    <message>
        <source>output folder &quot;%1&quot; does not exist</source>
        <translation>出力先フォルダ &quot;%1&quot; がありません</translation>
    </message>
    <message>
        <source>unknown option &quot;%1&quot; (see --help)</source>
        <translation>不明なオプション &quot;%1&quot; です（--help を参照してください）</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>ファイルがありません</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>ファイルではありません</translation>
    </message>
    <message>
        <source>not an archive type the options convert (.LZH, .CAB and those enabled)</source>
        <translation>オプションで変換対象にしている種類の圧縮ファイルではありません（.LZH、.CAB と有効にしたもの）</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>ファイルを読み込めません</translation>
    </message>
    <message>
        <source>over the limit of %1 archives in one run</source>
        <translation>1 回に変換できる %1 個を超えています</translation>
    </message>
    <message>
        <source>the stored option %1=&quot;%2&quot; is not valid; its default &quot;%3&quot; is used</source>
        <translation>保存されているオプション %1=&quot;%2&quot; が正しくありません。初期値 &quot;%3&quot; を使います</translation>
    </message>
</context>
</TS>
