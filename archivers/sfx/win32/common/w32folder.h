/* w32folder.h - the question for the destination folder. */
#ifndef TB_W32FOLDER_H
#define TB_W32FOLDER_H

#include <windows.h>

/* Asks for the folder to extract into, showing folder (W32_PATH characters
   of room) first: the shell's folder dialog where the system has one
   (Windows 95, NT 4.0 and later), else a question of the program's own
   whether to extract into folder (NT 3.51, Win32s). TRUE and the choice in
   folder when the user chose one. */
BOOL w32_ask_folder(WCHAR* folder, const WCHAR* caption, const char* prompt);

#endif
