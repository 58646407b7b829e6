/* posix_io.h - lzh_io callbacks on POSIX files for tb-sfx-lzh. */
#ifndef TB_SFX_POSIX_IO_H
#define TB_SFX_POSIX_IO_H

#include "lzhdec.h"

typedef struct posix_io {
    int archive;   /* descriptor of the archive file */
    int dest;      /* descriptor of the destination folder */
    int overwrite; /* replace files that exist */
    int mode;      /* LZH_MODE_* of the run, for reports */
    char temp[LZH_PATH_MAX + 32];
} posix_io;

/* Whether the entry's file may be written: -y was given or it does not
   exist yet. */
int posix_io_may_write(const posix_io* ctx, const lzh_entry* e);

/* Fill io with the callbacks; ctx must stay alive while io is used. */
void posix_io_setup(lzh_io* io, posix_io* ctx);

#endif
