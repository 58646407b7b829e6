/* posix_io.c - lzh_io callbacks on POSIX files for tb-sfx-lzh.
 *
 * Every path is opened relative to the destination folder's descriptor.
 * A file is written under a scratch name of its own beside its final one
 * (created new, short: "~TB" and a number) and renamed into place only when
 * its CRC was right, so a damaged entry never leaves a wrong file behind
 * (nor destroys one that was there); an entry never replaces a file this
 * run extracted before. */
#define _POSIX_C_SOURCE 200809L
#include "posix_io.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

typedef struct out_file {
    int fd;
    struct stat made; /* the scratch file, once written */
} out_file;

struct extracted_file {
    dev_t dev;
    ino_t ino;
};

static int io_read(void* ctx, unsigned char* buf, unsigned short len)
{
    posix_io* p = ctx;
    ssize_t n;
    if (p->at >= p->end)
        return 0;
    if (len > p->end - p->at)
        len = (unsigned short)(p->end - p->at);
    do
        n = read(p->archive, buf, len);
    while (n < 0 && errno == EINTR);
    if (n > 0)
        p->at += (unsigned long)n;
    return n < 0 ? -1 : (int)n;
}

static int io_seek(void* ctx, unsigned long offset)
{
    posix_io* p = ctx;
    p->at = offset;
    return lseek(p->archive, (off_t)offset, SEEK_SET) == (off_t)offset ? 0 : -1;
}

/* The path names a file this run extracted. */
static int extracted_before(const posix_io* p, const char* path)
{
    struct stat st;
    unsigned long i;
    if (fstatat(p->dest, path, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return 0;
    for (i = 0; i < p->extracted_count; i++)
        if (p->extracted[i].dev == st.st_dev && p->extracted[i].ino == st.st_ino)
            return 1;
    return 0;
}

static void remember(posix_io* p, const struct stat* st)
{
    if (p->extracted_count == p->extracted_room) {
        unsigned long room = p->extracted_room ? p->extracted_room * 2 : 64;
        struct extracted_file* grown = realloc(p->extracted, room * sizeof *grown);
        if (grown == NULL)
            return;
        p->extracted = grown;
        p->extracted_room = room;
    }
    p->extracted[p->extracted_count].dev = st->st_dev;
    p->extracted[p->extracted_count].ino = st->st_ino;
    p->extracted_count++;
}

static int io_mkdir(void* ctx, const char* path)
{
    posix_io* p = ctx;
    struct stat st;
    if (mkdirat(p->dest, path, 0777) == 0)
        return 0;
    return fstatat(p->dest, path, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode) ? 0 : -1;
}

int posix_io_may_write(posix_io* p, const lzh_entry* e)
{
    struct stat st;
    p->clash = extracted_before(p, e->path);
    if (p->clash)
        return 0;
    return p->overwrite || fstatat(p->dest, e->path, &st, AT_SYMLINK_NOFOLLOW) != 0;
}

static void* io_create(void* ctx, const lzh_entry* e)
{
    static out_file file;
    posix_io* p = ctx;
    const char* slash = strrchr(e->path, '/');
    int folder = slash ? (int)(slash - e->path) + 1 : 0;
    unsigned number;
    for (number = 0; number < 0x10000; number++) {
        snprintf(p->temp, sizeof p->temp, "%.*s~TB%X", folder, e->path, number);
        file.fd = openat(p->dest, p->temp, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
        if (file.fd >= 0 || errno != EEXIST)
            break;
    }
    return file.fd < 0 ? NULL : &file;
}

static int io_write(void* ctx, void* f, const unsigned char* buf, unsigned short len)
{
    out_file* o = f;
    (void)ctx;
    while (len) {
        ssize_t n = write(o->fd, buf, len);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return -1;
        buf += n;
        len = (unsigned short)(len - n);
    }
    return 0;
}

/* Modification time of the entry as seconds since 1970. */
static time_t entry_time(const lzh_entry* e)
{
    struct tm tm;
    unsigned long t = e->mtime;
    if (e->time_is_unix)
        return (time_t)t;
    memset(&tm, 0, sizeof tm);
    tm.tm_year = (int)((t >> 25) & 0x7F) + 80;
    tm.tm_mon = (int)((t >> 21) & 0x0F) - 1;
    tm.tm_mday = (int)((t >> 16) & 0x1F);
    tm.tm_hour = (int)((t >> 11) & 0x1F);
    tm.tm_min = (int)((t >> 5) & 0x3F);
    tm.tm_sec = (int)((t & 0x1F) * 2);
    tm.tm_isdst = -1;
    return mktime(&tm);
}

static int io_close(void* ctx, void* f, const lzh_entry* e, int keep)
{
    posix_io* p = ctx;
    out_file* o = f;
    int known = keep && fstat(o->fd, &o->made) == 0;
    int ok = close(o->fd) == 0 && keep;
    /* an earlier entry may have taken the name meanwhile */
    if (ok && extracted_before(p, e->path))
        ok = 0, p->clash = 1;
    if (ok) {
        struct timespec times[2];
        times[0].tv_sec = times[1].tv_sec = entry_time(e);
        times[0].tv_nsec = times[1].tv_nsec = 0;
        utimensat(p->dest, p->temp, times, AT_SYMLINK_NOFOLLOW);
        ok = renameat(p->dest, p->temp, p->dest, e->path) == 0;
    }
    if (!ok)
        unlinkat(p->dest, p->temp, 0);
    else if (known)
        remember(p, &o->made);
    return ok || !keep ? 0 : -1;
}

void posix_io_setup(lzh_io* io, posix_io* ctx)
{
    memset(io, 0, sizeof *io);
    io->ctx = ctx;
    io->read = io_read;
    io->seek = io_seek;
    io->mkdir = io_mkdir;
    io->create = io_create;
    io->write = io_write;
    io->close = io_close;
    io->sep = '/';
}
