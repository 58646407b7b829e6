#pragma once

#include <QString>

// The options of the program: one process-wide value per stored key, named
// after it. A fresh process starts with False, 0 and empty texts; LoadOptions
// fills them from the settings store (defaults for absent keys), the options
// dialog changes them, SaveOptions stores them at exit.
namespace basTollbrook {

extern bool Lzh;            // .LZH archives are converted
extern bool Cab;            // .CAB archives are converted
extern bool Lzh_X;          // .X files that are LZH archives too
extern bool Lzh_Lha;        // .LHA files as LZH archives
extern bool Lzh_Exe;        // .EXE files that are LZH archives too
extern bool Cab_Exe;        // .EXE files that are CAB archives too
extern QString Lzh_OptDos;  // LZH option string per self-extractor kind
extern QString Lzh_OptWin16;
extern QString Lzh_OptWin32;
extern QString Cab_Opt;     // CAB option string, every kind
extern bool UCase;          // created files get upper-case names
extern bool Nozoku;         // leave out entries another system cannot hold
extern bool Auto;           // command-line archives are converted at once
extern short AutoExe;       // kind of the automatic run: 0 DOS, 1 Win16, 2 Win32
extern bool AutoLog;        // the automatic run copies its history to the clipboard
extern bool Resize;         // child windows follow the main window's size
extern bool Tip;            // tooltips are shown
extern QString Font_Name;   // font of every window
extern short Font_Size;     // in points
extern bool Font_Bold;
extern bool Font_Italic;

// Reads every option; a stored value that does not convert leaves its option
// as it was. Settings of an older release are read when they are there.
void LoadOptions();

// Writes every option to the current location and, once that has reached the
// disk, removes the settings of the older release. Also writes out whatever
// the windows stored before it.
void SaveOptions();

}  // namespace basTollbrook
