/* tb-sfx-lzh - extracts an LZH archive, or the archive inside a
 * self-extractor, exactly as the LZH self-extractors do. A self-extractor
 * of ours is checked against its seal first (sfxseal.h): one cut short or
 * altered is refused before anything is written.
 *
 * usage_text below says how it is called; the manual page tb-sfx-lzh(1)
 * lists the same options and exit statuses. */
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

static const char usage_text[] =
    "Usage: tb-sfx-lzh [-y] [-o FOLDER] FILE\n"
    "       tb-sfx-lzh -t FILE\n"
    "       tb-sfx-lzh -l FILE\n"
    "\n"
    "Extracts an LZH archive, or the archive inside an LZH self-extractor, as the\n"
    "self-extractors of Tollbrook2 do. A self-extractor made by Tollbrook2 is checked\n"
    "against its seal first: one cut short or altered is refused before anything\n"
    "is written.\n"
    "\n"
    "Options:\n"
    "  -o FOLDER  extract into FOLDER, made with its parents when missing (default:\n"
    "             the current folder); -oFOLDER is the same\n"
    "  -y         replace existing files (without it an existing file is kept and\n"
    "             its entry fails)\n"
    "  -t         test every entry's CRC and write nothing\n"
    "  -l         list the entries: size, packed size, method, CRC-16, name\n"
    "  --help     show this text and end\n"
    "\n"
    "Exit status:\n"
    "  0  every entry was written (or tested) intact\n"
    "  1  an entry failed or the archive is damaged\n"
    "  2  a wrong call, a file that cannot be opened, no archive in the file, or\n"
    "     a self-extractor that is not what was sealed\n";

/* A call that cannot go ahead: why, then how to call, on standard error. */
static int wrong_call(const char* why, const char* what)
{
    fprintf(stderr, "tb-sfx-lzh: %s%s\n", why, what);
    fputs(usage_text, stderr);
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
        if (strcmp(a, "--help") == 0) {
            fputs(usage_text, stdout);
            return 0;
        } else if (strcmp(a, "-y") == 0)
            pio.overwrite = 1;
        else if (strcmp(a, "-t") == 0)
            mode = LZH_MODE_TEST;
        else if (strcmp(a, "-l") == 0)
            mode = LZH_MODE_LIST;
        else if (strncmp(a, "-o", 2) == 0 && a[2])
            dest = a + 2;
        else if (strcmp(a, "-o") == 0 && i + 1 < argc)
            dest = argv[++i];
        else if (strcmp(a, "-o") == 0)
            return wrong_call("-o needs a folder", "");
        else if (a[0] == '-')
            return wrong_call("unknown option ", a);
        else if (file)
            return wrong_call("one file at a time; also given: ", a);
        else
            file = a;
    }
    if (!file)
        return wrong_call("no file given", "");
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
        printf("%lu entries OK, %lu failed\n", state.done, state.failed);
    return r == LZH_OK ? 0 : 1;
}
