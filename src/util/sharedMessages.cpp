#include "util/sharedMessages.h"

#include "util/messageTable.h"

#include <array>

namespace messages {
namespace {

using enum SharedMessage;

// Rows in ascending ID order.
constexpr auto kRows = std::to_array<Row<SharedMessage>>({
    {CancelCaption, u8"ｷｬﾝｾﾙ"},
    {CancelTip, u8"実行中に中断します"},
    {LogFileFilter, u8"LogFile(*.LOG)|*.LOG|全てのファイル(*.*)|*.*"},
    {RemoveSettingsQuestion, u8"で使用したレジストリを全て削除します"},
    {Interrupted, u8"中断しました"},
    {AllFinished, u8"全て終了しました"},
    {NewFolderPrompt, u8"作成するフォルダ名を入力してください"},
    {FolderNameBackslash, u8"フォルダ名には [\\] は使用できません"},
    {FolderNameAsterisk, u8"フォルダ名には [*] は使用できません"},
    {FolderNameQuestionMark, u8"フォルダ名には [?] は使用できません"},
    {FolderNotCreated, u8"フォルダは作成できませんでした"},
    {FolderCreationFailed, u8"フォルダ作成時異常が発生しました"},
    {FolderNameMissing, u8"フォルダ名は入力されていません"},
    {FolderNameInvalid, u8"フォルダ名に異常な値があります"},
    {FolderNameDotAtEnds, u8"フォルダ名の先頭と末尾には [.] は使用できません"},
    {NewFolderTitle, u8"フォルダ名入力"},
    {RefreshMenu, u8"リフレッシュ"},
    {AddAliasMenu, u8"フォルダエリアスの追加"},
    {MaintainAliasesMenu, u8"フォルダエリアスのメンテナンス"},
    {AliasNamePrompt, u8"フォルダエリアス名を入力してください"},
    {AliasNameTitle, u8"フォルダエリアス名入力"},
    {AliasNameTaken, u8"同一のフォルダエリアス名は追加できません"},
    {SelectAllMenu, u8"全て選択"},
    {SelectNoneMenu, u8"全て選択の解除"},
    {ClearMenu, u8"初期化"},
    {OverwriteQuestion, u8"ファイルが存在しています。上書きしてよろしいですか"},
    {SaveFailed, u8"セーブできませんでした。"},
    {AboutManual, u8"Manual: (H)elp opens it"},
    {AboutLicence, u8"Licence: MIT (the file copyright beside the documentation)"},
    {AboutSource, u8"Source: the Tollbrook2 project repository"},
    {DefaultsButton, u8"初期値"},
    {CancelButton, u8"ｷｬﾝｾﾙ"},
    {OkButton, u8"設定"},
    {DefaultsButtonTip, u8"設定を初期設定に戻します"},
    {CancelButtonTip, u8"設定を中断して、閉じます"},
    {OkButtonTip, u8"設定を有効にして、閉じます"},
    {ResizeOption, u8"リサイズ時、小フォームも変更"},
    {ResizeOptionTip, u8"小フォームが親フォームにあわせてリサイズされます"},
    {TooltipOption, u8"ＴｏｏｌＴｉｐを表示"},
    {TooltipOptionTip, u8"マウス停止時の説明を表示するかしないかの設定をします"},
    {CopyHistoryOption, u8"結果をクリップボートにコピー"},
    {CopyHistoryOptionTip, u8"自動実行時、結果を自動的にクリップボートにコピーします"},
    {AliasDialogCaptionTail, u8"のエリアスメンテナンス"},
    {RenameAlias, u8"名前の変更"},
    {RenameAliasTip, u8"現在選択しているフォルダエリアス名の変更します"},
    {AliasFolderTip, u8"フォルダエリアス名に対応するフォルダ名"},
    {AliasListTip, u8"フォルダエリアス登録一覧"},
    {MoveAliasUpTip, u8"現在選択しているフォルダエリアスを１つ上に移動します"},
    {MoveAliasDownTip, u8"現在選択しているフォルダエリアスを１つ下に移動します"},
    {DeleteAliasTip, u8"現在選択しているフォルダエリアスを削除します"},
    {DeleteAllAliasesTip, u8"全て削除します"},
    {NewAliasNamePrompt, u8"フォルダエリアス名を入力してください"},
    {RenameAliasTitle, u8"フォルダエリアス名の変更"},
    {RenamedAliasNameTaken, u8"すでに存在するフォルダエリアス名には変更できません"},
});
static_assert(IsStrictlyAscending<SharedMessage>(kRows));

} // namespace

QString Text(SharedMessage id)
{
    return Find<SharedMessage>(kRows, id);
}

} // namespace messages
