/* tb-sfx-lzh - extracts an LZH archive, or the archive inside a
 * self-extractor, exactly as the LZH self-extractors do. A self-extractor
 * of ours is checked against its seal first (sfxseal.h): one cut short or
 * altered is refused before anything is written.
 *
 *   tb-sfx-lzh [-y] [-o<folder>] <file>    extract (-y: replace existing files)
 *   tb-sfx-lzh -t <file>                   test every entry's CRC
 *   tb-sfx-lzh -l <file>                   list the entries
 *
 * Exit status: 0 when every entry was written (or tested) intact, 1 when an
 * entry failed or the archive is damaged, 2 for a usage or file error, no
 * archive, or a self-extractor that is not what was sealed. */
#define _POSIX_C_SOURCE 200809L
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "lzhdec.h"
#include "posix_io.h"
#include "sfximage.h"
#include "sfxseal.h"

static lzh_state state;

static int note(void* ctx, int event, const lzh_entry* e, int result)
{
    posix_io* p = ctx;
    int mode = p->mode;
    if (event == LZH_EV_BEGIN) {
        if (mode == LZH_MODE_LIST)
            printf("%10lu %10lu %s %04x %s%s\n", e->size, e->packed, e->method, e->crc, e->name,
                   result == LZH_OK ? "" : "  (unsafe name)");
        /* an existing file is replaced only with -y */
        return mode == LZH_MODE_EXTRACT && !e->is_dir && e->path[0] && !posix_io_may_write(p, e);
    }
    if (mode == LZH_MODE_LIST && result == LZH_OK)
        return 0;
    if (p->clash)
        fprintf(stderr, "%s: not written: an earlier entry of this archive has that name\n", e->name);
    else if (result == LZH_OK)
        printf("%s: OK\n", e->name);
    else if (e->name[0] || e->method[0])
        fprintf(stderr, "%s: %s%s%s\n", e->name, lzh_strerror(result), result == LZH_E_METHOD ? " " : "",
                result == LZH_E_METHOD ? e->method : "");
    else
        fprintf(stderr, "archive: %s\n", lzh_strerror(result));
    return 0;
}

/* Make the destination folder and any folder above it that is missing. */
static void make_destination(const char* dest)
{
    char path[4096];
    size_t i, n = strlen(dest);
    if (n >= sizeof path)
        return;
    memcpy(path, dest, n + 1);
    for (i = 1; i < n; i++) {
        if (path[i] == '/') {
            path[i] = 0;
            mkdir(path, 0777);
            path[i] = '/';
        }
    }
    mkdir(path, 0777);
}

static unsigned long read_at(const void* ctx, unsigned long offset, unsigned char* buf, unsigned long size)
{
    const ssize_t n = pread(*(const int*)ctx, buf, size, (off_t)offset);
    return n < 0 ? 0 : (unsigned long)n;
}

/* A self-extractor of ours carries a seal inside its stub's image
   (sfximage.h). Returns SFX_SEAL_NONE for any other file, else the check's
   outcome; *start and *end then bound the archive. */
static int check_seal(int fd, unsigned long* start, unsigned long* end)
{
    static unsigned char buf[0x8000];
    unsigned long crc = 0, left;
    struct stat st;
    sfx_file file;
    sfx_found_seal seal;
    if (fstat(fd, &st) != 0)
        return SFX_SEAL_NONE;
    file.read = read_at;
    file.ctx = &fd;
    file.size = (unsigned long)st.st_size;
    if (!sfx_own_seal(&file, &seal))
        return SFX_SEAL_NONE;
    *start = seal.offset;
    left = seal.length;
    *end = *start + left;
    if (file.size < *end)
        return SFX_SEAL_SHORT;
    while (left > 0) {
        /* sfx_crc32 counts in 16 bits: at most 32 KiB a step */
        const unsigned long step = left < sizeof buf ? left : sizeof buf;
        ssize_t n = pread(fd, buf, step, (off_t)(*end - left));
        if (n <= 0)
            return SFX_SEAL_SHORT;
        crc = sfx_crc32(crc, buf, (unsigned short)n);
        left -= (unsigned long)n;
    }
    return crc == seal.crc ? SFX_SEAL_OK : SFX_SEAL_ALTERED;
}

static int usage(void)
{
    fputs("usage: tb-sfx-lzh [-y] [-t|-l] [-o<folder>] <archive or self-extractor>\n", stderr);
    return 2;
}

int main(int argc, char** argv)
{
    static posix_io pio;
    lzh_io io;
    const char *dest = ".", *file = NULL;
    unsigned long offset;
    int mode = LZH_MODE_EXTRACT, i, r;

    pio.overwrite = 0;
    for (i = 1; i < argc; i++) {
        const char* a = argv[i];
        if (strcmp(a, "-y") == 0)
            pio.overwrite = 1;
        else if (strcmp(a, "-t") == 0)
            mode = LZH_MODE_TEST;
        else if (strcmp(a, "-l") == 0)
            mode = LZH_MODE_LIST;
        else if (strncmp(a, "-o", 2) == 0 && a[2])
            dest = a + 2;
        else if (strcmp(a, "-o") == 0 && i + 1 < argc)
            dest = argv[++i];
        else if (a[0] == '-' || file)
            return usage();
        else
            file = a;
    }
    if (!file)
        return usage();
    pio.archive = open(file, O_RDONLY);
    if (pio.archive < 0) {
        perror(file);
        return 2;
    }
    if (mode == LZH_MODE_EXTRACT) {
        make_destination(dest);
        pio.dest = open(dest, O_RDONLY | O_DIRECTORY);
        if (pio.dest < 0) {
            perror(dest);
            return 2;
        }
    }
    pio.mode = mode;
    pio.end = 0xFFFFFFFFUL;
    posix_io_setup(&io, &pio);
    io.note = note;
    lzh_init(&state, &io);
    r = check_seal(pio.archive, &offset, &pio.end);
    if (r == SFX_SEAL_SHORT || r == SFX_SEAL_ALTERED) {
        fprintf(stderr, "%s: the self-extractor is %s: nothing extracted\n", file,
                r == SFX_SEAL_SHORT ? "cut short" : "altered");
        return 2;
    }
    r = r == SFX_SEAL_OK ? LZH_OK : lzh_find(&state, 0, 0xFFFFFFFFUL, &offset);
    if (r != LZH_OK) {
        fprintf(stderr, "%s: %s\n", file, lzh_strerror(r));
        return 2;
    }
    r = lzh_run(&state, offset, mode);
    lzh_done(&state);
    if (mode != LZH_MODE_LIST)
        printf("%u entries OK, %u failed\n", state.done, state.failed);
    return r == LZH_OK ? 0 : 1;
}
