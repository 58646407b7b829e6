/* posix_io.h - lzh_io callbacks on POSIX files for tb-sfx-lzh. */
#ifndef TB_SFX_POSIX_IO_H
#define TB_SFX_POSIX_IO_H

#include "lzhdec.h"

typedef struct posix_io {
    int archive;       /* descriptor of the archive file */
    unsigned long at;  /* where its next read starts */
    unsigned long end; /* reads stop here: the end of a sealed archive */
    int dest;          /* descriptor of the destination folder */
    int overwrite;     /* replace files that exist */
    int mode;          /* LZH_MODE_* of the run, for reports */
    int clash;         /* the entry was refused: an earlier one took its name */
    char temp[LZH_PATH_MAX + 32];
    /* the files this run extracted, by device and inode */
    struct extracted_file* extracted;
    unsigned long extracted_count, extracted_room;
} posix_io;

/* Whether the entry's file may be written: -y was given or it does not
   exist yet; never when it is a file this run extracted (clash is set). */
int posix_io_may_write(posix_io* ctx, const lzh_entry* e);

/* Fill io with the callbacks; ctx must stay alive while io is used. */
void posix_io_setup(lzh_io* io, posix_io* ctx);

#endif
