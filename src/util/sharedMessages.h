#pragma once

#include <QString>

namespace messages {

// The message IDs of the shared table: texts of the folder, list and dialog
// machinery that several windows use.
enum class SharedMessage : short {
    CancelCaption = 5,
    CancelTip = 10,
    LogFileFilter = 11,          // description and pattern pairs separated by '|'
    RemoveSettingsQuestion = 20, // a sentence tail: the application title goes before it
    Interrupted = 30,
    AllFinished = 31,

    // Creating a folder.
    NewFolderPrompt = 100,
    FolderNameBackslash = 101,
    FolderNameAsterisk = 102,
    FolderNameQuestionMark = 103,
    FolderNotCreated = 104,
    FolderCreationFailed = 105,
    FolderNameMissing = 106,
    FolderNameInvalid = 107,
    FolderNameDotAtEnds = 108,
    NewFolderTitle = 110,

    // Folder window menus and folder aliases.
    RefreshMenu = 1005,
    AddAliasMenu = 1006,
    MaintainAliasesMenu = 1007,
    AliasNamePrompt = 1100,
    AliasNameTitle = 1101,
    AliasNameTaken = 1102,

    // List menus.
    SelectAllMenu = 2006,
    SelectNoneMenu = 2007,
    ClearMenu = 2008,

    // Saving the history.
    OverwriteQuestion = 5100,
    SaveFailed = 5101,

    // About box.
    AboutManual = 7003,
    AboutLicence = 7004,
    AboutSource = 7005,

    // Options dialog.
    DefaultsButton = 8042,
    CancelButton = 8043,
    OkButton = 8044,
    DefaultsButtonTip = 8045,
    CancelButtonTip = 8046,
    OkButtonTip = 8047,
    ResizeOption = 8056,
    ResizeOptionTip = 8057,
    TooltipOption = 8058,
    TooltipOptionTip = 8059,
    CopyHistoryOption = 8060,
    CopyHistoryOptionTip = 8061,

    // Alias dialog.
    AliasDialogCaptionTail = 11000, // a sentence tail: the folder window's caption goes before it
    RenameAlias = 11003,
    RenameAliasTip = 11006,
    AliasFolderTip = 11007,
    AliasListTip = 11008,
    MoveAliasUpTip = 11009,
    MoveAliasDownTip = 11010,
    DeleteAliasTip = 11011,
    DeleteAllAliasesTip = 11012,
    NewAliasNamePrompt = 11101,
    RenameAliasTitle = 11102,
    RenamedAliasNameTaken = 11103,
};

// The text of a message; the empty string for an ID without a row.
QString Text(SharedMessage id);

} // namespace messages
