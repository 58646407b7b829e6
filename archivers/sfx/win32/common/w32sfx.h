/* w32sfx.h - what the LZH and the CAB Win32 self-extractors do alike:
 * check the seal of their own file, write each entry under a scratch name
 * that nothing in its folder has, never let an entry replace a file the run
 * extracted before, and make folders with their parents. No C runtime. */
#ifndef TB_W32SFX_H
#define TB_W32SFX_H

#include <windows.h>
#include "../../common/sfxseal.h"
#include "w32sys.h"

/* Longest path the stubs make, in characters. */
#define W32_PATH 1024

/* The program's seal, filled in by the library that wrote it. */
extern sfx_seal sfx_archive_seal;

/* Opens the program's own file for reading and checks the archive it
   carries against the seal. Returns an SFX_SEAL_* code; *file is the open
   file when it is SFX_SEAL_OK. */
int w32_open_sealed(HANDLE* file);

/* A new file beside path (in its folder) under a short name nothing there
   has: "~TB" and a number. scratch receives its full name and needs room
   for path plus 16 characters. INVALID_HANDLE_VALUE when none can be made. */
HANDLE w32_create_scratch(const WCHAR* path, WCHAR* scratch);

/* Moves the complete file from into place at to, replacing what is there;
   never loses the old file: it stays where it was when this fails. */
BOOL w32_replace(const WCHAR* from, const WCHAR* to);

/* Which file an open handle is: its volume and its index there (FALSE
   where the file system gives no index). */
typedef struct w32_file_id {
    DWORD volume, high, low;
} w32_file_id;
BOOL w32_identify(HANDLE file, w32_file_id* id);

/* Notes that the file is one this run extracted. */
void w32_remember(const w32_file_id* id);

/* TRUE when path names a file this run extracted: under that name or any
   other the file system takes for it (other letter case, short 8.3 name). */
BOOL w32_extracted_before(const WCHAR* path);

/* Makes the folder path and every missing folder above it; TRUE when it is
   a folder afterwards. path is changed on the way but restored. */
BOOL w32_make_folders(WCHAR* path);

#endif
