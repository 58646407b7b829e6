#pragma once

#include <QString>

namespace messages {

// The message IDs of the program's own table: the captions and tooltips of
// its windows and the lines the batch engine writes to the history.
enum class ProgramMessage : short {
    // The three Execute buttons: captions, then tooltips.
    DosCaption = 1,
    Win16Caption = 2,
    Win32Caption = 3,
    DosTip = 6,
    Win16Tip = 7,
    Win32Tip = 8,

    // Input folder window.
    InputFolderCaption = 1000,
    InputDriveTip = 1001,
    InputFolderTip = 1002,
    InputCurrentFolderTip = 1003,
    InputSameAsOutputFolder = 1004,

    // Input archive list.
    InputListCaption = 2000,
    InputListTip = 2001,
    AddSelectedTip = 2002,
    AddAllTip = 2003,
    AddAllWithSubfoldersTip = 2004,

    // Work list.
    WorkListCaption = 3000,
    WorkListTip = 3001,
    RemoveSelectedTip = 3002,
    RemoveAllTip = 3003,
    WorkSameAsOutputFolder = 3006,
    WorkSameAsInputFolder = 3007,
    WorkListFull = 3100,

    // Output folder window.
    OutputFolderCaption = 4000,
    OutputDriveTip = 4001,
    OutputFolderTip = 4002,
    OutputCurrentFolderTip = 4003,
    OutputSameAsInputFolder = 4004,

    // History and output file list.
    HistoryCaption = 5000,
    HistoryTip = 5001,
    OutputListCaption = 6000,
    OutputListTip = 6001,

    // About box.
    AboutCaption = 7000,
    AboutTitle = 7001,

    // Options dialog.
    OptionsCaption = 8000,
    LzhOption = 8001,
    CabOption = 8005,
    LzhOptionTip = 8007,
    CabOptionTip = 8011,
    LzhExeOptionTip = 8013,
    LzhXOptionTip = 8014,
    LzhLhaOptionTip = 8015,
    CabExeOptionTip = 8019,
    UpperCaseOption = 8036,
    LeaveOutOption = 8037,
    AutoRunOption = 8038,
    UpperCaseOptionTip = 8039,
    LeaveOutOptionTip = 8040,
    AutoRunOptionTip = 8041,
    AutoRunDos = 8048,
    AutoRunWin16 = 8049,
    AutoRunWin32 = 8050,
    AutoRunDosTip = 8052,
    AutoRunWin16Tip = 8053,
    AutoRunWin32Tip = 8054,

    // Initial folder dialog.
    InitialFoldersCaption = 9000,
    CopyFromInputFolder = 9005,
    CopyFromOutputFolder = 9006,
    CopyFromTemporaryFolder = 9007,

    // The main window's caption.
    MainCaption = 9999,

    // Initial folder dialog, its three folders.
    InitialInputFolder = 10000,
    InitialOutputFolder = 10001,
    TemporaryFolder = 10002,
    InitialInputOffTip = 10020,
    InitialInputDriveTip = 10021,
    InitialInputFolderTip = 10022,
    InitialInputFolderNameTip = 10023,
    InitialOutputOffTip = 10040,
    InitialOutputDriveTip = 10041,
    InitialOutputFolderTip = 10042,
    InitialOutputFolderNameTip = 10043,
    TemporaryOffTip = 10060, // deliberately empty: the temporary folder cannot be switched off
    TemporaryDriveTip = 10061,
    TemporaryFolderTip = 10062,
    TemporaryFolderNameTip = 10063,

    // The settings file could not be read whole: where its copy was kept
    // (%1 the file, %2 the copy).
    DamagedSettingsKept = 12000,
    // The settings could not be stored (%1 the file, %2 one of the reasons
    // after it).
    SettingsNotStored = 12001,
    SettingsNotAFile = 12002,
    SettingsDanglingLink = 12003, // %1 where the link points
    SettingsNotWritten = 12004,
    SettingsNotUnderstood = 12005,
    SettingsNoCopyKept = 12006,

    // Engine lines of the history.
    LzhMaking = 20000,
    CabMaking = 20004,
    LzhChecking = 20010,
    CabChecking = 20014,
    CreatedNotUpperCased = 20030,
    Created = 20031,
    Failed = 20032,
    Unexpected = 20033,
    SkippedBefore = 20040, // followed by a space and the count
    SkippedAfter = 20041,  // the end of that sentence, without a leading space
    DiskFull = 20042,
    NotWritable = 20043,
    Cancelled = 20044,
    NotTarget = 20045,
    DamagedArchive = 20046,     // the library's verification found damage (0x800F)
    UnsupportedMethod = 20047,  // an entry's method the self-extractor cannot decode (0x800E)
    MadeEarlierThisRun = 20048, // the self-extractor's name is one this run has made already
    WorkerLost = 20049,         // the process converting the archive ended without a report
    WaitingForFolder = 20050,   // another run writes into the output folder; this one waits

    // A library is busy.
    UnlhaBusy = 20100,
    CabBusy = 20104,
};

// The text of a message; the empty string for an ID without a row.
QString Text(ProgramMessage id);

} // namespace messages
