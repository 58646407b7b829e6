#include "util/programMessages.h"

#include "util/messageTable.h"

#include <array>

namespace messages {
namespace {

using enum ProgramMessage;

// Rows in ascending ID order. The engine's history lines (LzhMaking to
// WaitingForFolder, except the sentence tail SkippedAfter) begin with an ideographic
// space that the history relies on for its indentation.
constexpr auto kRows = std::to_array<Row<ProgramMessage>>({
    {DosCaption, u8"ＤＯＳ"},
    {Win16Caption, u8"Ｗｉｎ１６"},
    {Win32Caption, u8"Ｗｉｎ３２"},
    {DosTip, u8"ＤＯＳ形式の自己解凍ファイルを作成します（DOS Win3.1 Win95 NT3.51 NT4.0等で解凍できます）"},
    {Win16Tip,
     u8"Ｗｉｎ１６形式の自己解凍ファイルを作成します（Win3.1 Win95 WinNT3.51 WinNT4.0等で解凍できます）"},
    {Win32Tip,
     u8"Ｗｉｎ３２形式の自己解凍ファイルを作成します（Win3.1(Win32s) Win95 WinNT3.51 WinNT4.0等で解凍できます）"},
    {InputFolderCaption, u8"圧縮ファイル格納フォルダ"},
    {InputDriveTip, u8"圧縮ファイル格納ドライブを設定します"},
    {InputFolderTip, u8"圧縮ファイル格納フォルダを設定します"},
    {InputCurrentFolderTip, u8"現在の圧縮ファイル格納フォルダ"},
    {InputSameAsOutputFolder, u8"自己解凍格納フォルダを同一"},
    {InputListCaption, u8"圧縮ファイル名"},
    {InputListTip, u8"自己解凍を作成したい圧縮ファイルを選択します"},
    {AddSelectedTip, u8"選択した圧縮ファイルを自己解凍の対象とします"},
    {AddAllTip, u8"全ての圧縮ファイルを自己解凍の対象とします"},
    {AddAllWithSubfoldersTip, u8"サブフォルダを含めて全ての圧縮ファイルを自己解凍の対象とします"},
    {WorkListCaption, u8"自己解凍作成ファイル名"},
    {WorkListTip, u8"このファイル名が自己解凍作成の対象となります"},
    {RemoveSelectedTip, u8"選択した圧縮ファイルを自己解凍作成の対象からはずします"},
    {RemoveAllTip, u8"全ての圧縮ファイルを自己解凍作成の対象からはずします"},
    {WorkSameAsOutputFolder, u8"自己解凍格納フォルダを同一"},
    {WorkSameAsInputFolder, u8"圧縮ファイル格納フォルダを同一"},
    {WorkListFull, u8"一度で実行できるファイル数は最大１０００までです。"},
    {OutputFolderCaption, u8"自己解凍格納フォルダ"},
    {OutputDriveTip, u8"自己解凍格納ドライブを設定します"},
    {OutputFolderTip, u8"自己解凍格納フォルダを設定します"},
    {OutputCurrentFolderTip, u8"現在の自己解凍格納フォルダ"},
    {OutputSameAsInputFolder, u8"圧縮ファイル格納フォルダを同一"},
    {HistoryCaption, u8"実行履歴"},
    {HistoryTip, u8"実行履歴"},
    {OutputListCaption, u8"自己解凍作成終了ファイル"},
    {OutputListTip, u8"正常に自己解凍作成が終了したファイル名"},
    {AboutCaption, u8"About"},
    {AboutTitle, u8"Tollbrook2 — LZH/CAB 自己解凍ファイル一括作成ツール for Linux"},
    {OptionsCaption, u8"Option"},
    {LzhOption, u8"LZH圧縮ファイル作成対象(.LZH)"},
    {CabOption, u8"CAB圧縮ファイル作成対象(.CAB)"},
    {LzhOptionTip, u8"LHA等で圧縮されたファイルを自己解凍の作成の対象にします。（基本的に拡張子は.LZHです）"},
    {CabOptionTip,
     u8"マイクロソフトの圧縮されたファイルを自己解凍の作成の対象にします。（基本的に拡張子は.CABです）"},
    {LzhExeOptionTip, u8"LZH形式で自己解凍形式のファイル（拡張子.EXE）も自己解凍の作成の対象とします。"},
    {LzhXOptionTip, u8"LZH形式でＸ６８自己解凍形式のファイル（拡張子.X）自己解凍の作成の対象とします。"},
    {LzhLhaOptionTip, u8"LZH形式で拡張子が.LHAも自己解凍の作成の対象とします。"},
    {CabExeOptionTip, u8"マイクロソフトの自己解凍形式のファイル（拡張子.EXE）も解凍の対象とします。"},
    {UpperCaseOption, u8"自己解凍ファイルは大文字"},
    {LeaveOutOption, u8"扱えないファイルは含まない"},
    {AutoRunOption, u8"起動時の圧縮ファイルは自動的に実行"},
    {UpperCaseOptionTip, u8"自己解凍ファイルは圧縮ファイル名関わらず大文字にします。"},
    {LeaveOutOptionTip,
     u8"自己解凍ファイルを他のＯＳで解凍時、そのＯＳで扱えない可能性のファイルはふくまない"},
    {AutoRunOptionTip,
     u8"起動時にファイル名を指定した場合、自動的に実行します。（フォームは表示されません）"},
    {AutoRunDos, u8"ＤＯＳ"},
    {AutoRunWin16, u8"Ｗｉｎ１６"},
    {AutoRunWin32, u8"Ｗｉｎ３２"},
    {AutoRunDosTip, u8"自己解凍形式はＤＯＳ形式です。（DOS Win3.1  Win95 NT3.51 NT4.0等で解凍できます）"},
    {AutoRunWin16Tip, u8"自己解凍形式はＷｉｎ１６です。（Win3.1 Win95 WinNT3.51 WinNT4.0等で解凍できます）"},
    {AutoRunWin32Tip,
     u8"自己解凍形式はＷｉｎ３２です。（Win3.1(Win32s) Win95 WinNT3.51 WinNT4.0等で解凍できます）"},
    {InitialFoldersCaption, u8"Default"},
    {CopyFromInputFolder, u8"現在の圧縮ファイル格納フォルダからコピー"},
    {CopyFromOutputFolder, u8"現在の解凍先フォルダからコピー"},
    {CopyFromTemporaryFolder, u8"Ｗｉｎｄｏｗｓのテンポラリからコピー"},
    {MainCaption, u8"Tollbrook2 for Win32"},
    {InitialInputFolder, u8"圧縮ファイル格納フォルダ名"},
    {InitialOutputFolder, u8"自己解凍格納フォルダ名"},
    {TemporaryFolder, u8"テンポラリフォルダ名"},
    {InitialInputOffTip, u8"初期設定を無効にして、常に終了時のフォルダに復帰します"},
    {InitialInputDriveTip, u8"初期設定の圧縮ファイル格納ドライブ名を設定します"},
    {InitialInputFolderTip, u8"初期設定の圧縮ファイル格納フォルダ名を設定します"},
    {InitialInputFolderNameTip, u8"初期設定の圧縮ファイル格納フォルダ名"},
    {InitialOutputOffTip, u8"初期設定を無効にして、常に終了時のフォルダに復帰します"},
    {InitialOutputDriveTip, u8"初期設定の自己解凍格納ドライブ名を設定します"},
    {InitialOutputFolderTip, u8"初期設定の自己解凍格納フォルダ名を設定します"},
    {InitialOutputFolderNameTip, u8"初期設定の自己解凍格納フォルダ名"},
    {TemporaryOffTip, u8""},
    {TemporaryDriveTip, u8"テンポラリドライブ名を設定します"},
    {TemporaryFolderTip, u8"テンポラリフォルダ名を設定します"},
    {TemporaryFolderNameTip, u8"テンポラリフォルダ名"},
    {DamagedSettingsKept,
     u8"設定ファイル %1 に読み込めない行がありました。読み込めた設定だけを保存するため、元のファイルを %2 に残しました。"},
    {LzhMaking, u8"　ＬＺＨ自己解凍作成中です"},
    {CabMaking, u8"　ＣＡＢ自己解凍作成中です"},
    {LzhChecking, u8"　ＬＺＨ確認中です"},
    {CabChecking, u8"　ＣＡＢ確認中です"},
    {CreatedNotUpperCased, u8"　作成終了しましたが大文字にできませんでした"},
    {Created, u8"　自己解凍ファイルを作成終了しました"},
    {Failed, u8"　自己解凍ファイルを作成失敗しました"},
    {Unexpected, u8"　異常が発生しました"},
    {SkippedBefore, u8"　スキップされたファイルが"},
    {SkippedAfter, u8"あります"},
    {DiskFull, u8"　自己解凍ファイルを格納する為のディスクの空きが足りません"},
    {NotWritable, u8"　自己解凍ファイルの格納先が書き込みできません"},
    {Cancelled, u8"　キャンセルされました"},
    {NotTarget, u8"　対象外のファイルです"},
    {DamagedArchive, u8"　書庫が壊れているため自己解凍ファイルにできません"},
    {UnsupportedMethod, u8"　自己解凍ファイルが展開できない圧縮方式が含まれています"},
    {MadeEarlierThisRun, u8"　同じ名前の自己解凍ファイルをこの実行で作成済みです"},
    {WorkerLost, u8"　変換していたプロセスが結果を返さずに終了しました"},
    {WaitingForFolder, u8"　別の実行が同じ出力先フォルダに作成中のため、終わるまで待っています"},
    {UnlhaBusy, u8"現在UNLHA32.DLLは使用中です"},
    {CabBusy, u8"現在CAB32.DLLは使用中です"},
});
static_assert(IsStrictlyAscending<ProgramMessage>(kRows));

} // namespace

QString Text(ProgramMessage id)
{
    return Find<ProgramMessage>(kRows, id);
}

} // namespace messages
