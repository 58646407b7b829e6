/* w32io.h - lzh_io callbacks on Win32 files for the LZH self-extractor. */
#ifndef TB_SFX_W32IO_H
#define TB_SFX_W32IO_H

#include <windows.h>
#include "lzhdec.h"

#define W32_PATH 1024

typedef struct w32io {
    HANDLE archive;       /* the program's own file */
    WCHAR dest[W32_PATH]; /* destination folder, no trailing '\' */
    int overwrite;        /* replace existing files without asking */
    int ask;              /* ask before replacing (interactive) */
    int cancelled;
    WCHAR path[W32_PATH], temp[W32_PATH];
} w32io;

/* Fill io with the callbacks; ctx must stay alive while io is used. */
void w32io_setup(lzh_io* io, w32io* ctx);

/* Offset just past the program's own PE image (the end of the last
   section's raw data): where an appended archive starts. 0 if unknown. */
unsigned long w32io_image_end(HANDLE file);

/* Whether the entry's file may be written: it does not exist yet, -y was
   given, or the user agreed to replace it (asked when interactive). */
int w32io_may_write(w32io* ctx, const lzh_entry* e);

/* dest + '\' + entry path (ANSI code page) as a wide path; 0 if too long. */
int w32io_full_path(const w32io* ctx, const char* ansi, WCHAR* out);

#endif
