/* w32io.h - lzh_io callbacks on Win32 files for the LZH self-extractor. */
#ifndef TB_SFX_W32IO_H
#define TB_SFX_W32IO_H

#include <windows.h>
#include "lzhdec.h"
#include "../common/w32sfx.h"

typedef struct w32io {
    HANDLE archive;       /* the program's own file */
    unsigned long at;     /* where its next read starts */
    unsigned long end;    /* the end of the sealed archive: nothing after it is read */
    WCHAR dest[W32_PATH]; /* destination folder, no trailing '\' */
    int overwrite;        /* replace existing files without asking */
    int ask;              /* ask before replacing (interactive) */
    int cancelled;
    int clash; /* the entry was refused: an earlier one took its name */
    WCHAR path[W32_PATH], temp[W32_PATH + 16];
} w32io;

/* Fill io with the callbacks; ctx must stay alive while io is used. */
void w32io_setup(lzh_io* io, w32io* ctx);

/* Whether the entry's file may be written: it does not exist yet, -y was
   given, or the user agreed to replace it (asked when interactive); never
   when it is a file this run extracted (clash is set then). */
int w32io_may_write(w32io* ctx, const lzh_entry* e);

/* dest + '\' + entry path (ANSI code page) as a wide path; 0 if too long. */
int w32io_full_path(const w32io* ctx, const char* ansi, WCHAR* out);

#endif
