/* The extraction run of the 16-bit self-extractors (see sfx16.h).
 * The archive is checked against the seal the library wrote before
 * anything is written: a file cut short or altered is refused whole.
 * Each file is written under a scratch name of its own in its folder
 * (created new: "~TB" and a number, so it never meets an entry's name nor a
 * user's file) and renamed into place only once its CRC is right, so a
 * damaged entry never leaves a file that looks whole. Names are made DOS
 * names (names83.c) after the shared name rules have refused unsafe ones;
 * an entry whose DOS name a file of this run already has gets another
 * ("~1", "~2", ... "~10", the name shortened as the number grows), so no
 * entry ever replaces one extracted before. Every path starts with the
 * destination. */
#include <string.h>
#include "farwin.h"
#include "../lzh/lzhdec.h"
#include "../common/safename.h"
#include "../common/sfxseal.h"
#include "names83.h"

/* Longest path written: the destination and the entry's path, mapped. */
#define TARGET_MAX (SFX_PATH_MAX * 2)
/* Paths written in this run, as a Bloom filter of 65536 bits. */
#define WRITTEN_BYTES 8192

/* Filled in by the library that appends the archive (sfxseal.h). */
sfx_seal sfx_archive_seal = SFX_SEAL_INIT;

typedef struct run_ctx {
    int archive;
    unsigned long at, end; /* the next read; the end of the sealed archive */
    const sfx_options* opt;
    int replace_all;
    int out;                    /* handle of the file being written */
    char target[TARGET_MAX];    /* where the current entry goes */
    char temp[TARGET_MAX + 16]; /* its scratch file */
    char folder[TARGET_MAX];    /* scratch of make_folders */
    char dir[TARGET_MAX];       /* a folder entry being made */
    unsigned char written[WRITTEN_BYTES];
} run_ctx;

static run_ctx ctx;
static lzh_state state;
static lzh_io io;
static char line[TARGET_MAX + 48];

/* ---- text ---------------------------------------------------------------- */

static char* put_ulong(char* p, unsigned long v)
{
    char digits[11];
    int n = 0;
    do {
        digits[n++] = (char)('0' + (int)(v % 10));
        v /= 10;
    } while (v);
    while (n)
        *p++ = digits[--n];
    *p = 0;
    return p;
}

static void say2(const char* a, const char* b)
{
    strcpy(line, a);
    strcat(line, b);
    sfx_say(line);
}

/* ---- the seal -------------------------------------------------------------- */

/* Reads the sealed bytes once and compares their CRC-32; SFX_SEAL_*. The
 * decoder's input buffer is free until the run starts. */
static int check_seal(void)
{
    unsigned long left = sfx_archive_seal.length, crc = 0;
    unsigned n;
    if (sfx_archive_seal.offset == 0)
        return SFX_SEAL_NONE;
    if (dos_seek(ctx.archive, sfx_archive_seal.offset) != 0)
        return SFX_SEAL_SHORT;
    while (left) {
        n = left < LZH_INBUF_SIZE ? (unsigned)left : LZH_INBUF_SIZE;
        if (dos_read(ctx.archive, state.inbuf, n) != n)
            return SFX_SEAL_SHORT;
        crc = sfx_crc32(crc, state.inbuf, n);
        left -= n;
    }
    return crc == sfx_archive_seal.crc ? SFX_SEAL_OK : SFX_SEAL_ALTERED;
}

/* ---- paths --------------------------------------------------------------- */

/* dest + '\' + the entry path with every part made an 8.3 name; -1 when
 * that does not fit. */
static int map_path(const char* entry, char* out)
{
    int n, len = strlen(entry), i, start;
    strcpy(out, ctx.opt->dest);
    n = strlen(out);
    if (n && out[n - 1] != '\\' && out[n - 1] != ':')
        out[n++] = '\\';
    for (i = 0; i < len; i++) {
        for (start = i; i < len && entry[i] != '\\';)
            i += safename_width((unsigned char*)entry + i, (unsigned short)(len - i), 0);
        if (n + 14 > TARGET_MAX)
            return -1;
        n += name83(entry + start, i - start, out + n);
        if (i < len)
            out[n++] = '\\';
    }
    out[n] = 0;
    return 0;
}

/* Three hashes of a path, each picking one bit of the filter. */
static void path_bits(const char* p, unsigned* bits)
{
    unsigned a = 0, b = 5381, c = 0x9E37;
    for (; *p; p++) {
        a = (a << 5) - a + (unsigned char)*p;
        b = ((b << 5) + b) ^ (unsigned char)*p;
        c = ((c << 3) | (c >> 13)) + (unsigned char)*p;
    }
    bits[0] = a;
    bits[1] = b;
    bits[2] = c ^ (a >> 7);
}

/* Whether the path may name a file this run wrote (a rare false yes only
 * costs a "~n" name), or, with mark, notes that it does. */
static int written(const char* p, int mark)
{
    unsigned bits[3], i, all = 1;
    path_bits(p, bits);
    for (i = 0; i < 3; i++) {
        unsigned char m = (unsigned char)(1 << (bits[i] & 7));
        if (mark)
            ctx.written[bits[i] >> 3] |= m;
        all = all && (ctx.written[bits[i] >> 3] & m);
    }
    return all;
}

/* Makes every folder of a path (all but its last component). */
static int make_folders(const char* path)
{
    int i, n = strlen(path);
    strcpy(ctx.folder, path);
    for (i = 0; i < n; i++) {
        unsigned char c = (unsigned char)ctx.folder[i];
        if (safename_width((unsigned char*)ctx.folder + i, (unsigned short)(n - i), 0) == 2) {
            i++;
            continue;
        }
        if (c != '\\' || i == 0 || ctx.folder[i - 1] == ':' || ctx.folder[i - 1] == '\\')
            continue;
        ctx.folder[i] = 0;
        if (dos_attr(ctx.folder) < 0 && dos_mkdir(ctx.folder) != 0)
            return -1;
        if (!(dos_attr(ctx.folder) & DOS_ATTR_DIR))
            return -1;
        ctx.folder[i] = '\\';
    }
    return 0;
}

/* A new scratch file beside the target: "~TB" and a hex number nothing
 * in the folder has yet. */
static int create_scratch(void)
{
    char* name;
    unsigned number;
    strcpy(ctx.temp, ctx.target);
    name = strrchr(ctx.temp, '\\');
    if (!name)
        name = strrchr(ctx.temp, ':');
    name = name ? name + 1 : ctx.temp;
    strcpy(name, "~TB");
    for (number = 0; number < 0x1000; number++) {
        name[3] = "0123456789ABCDEF"[number >> 8];
        name[4] = "0123456789ABCDEF"[(number >> 4) & 15];
        name[5] = "0123456789ABCDEF"[number & 15];
        name[6] = 0;
        ctx.out = dos_create_new(ctx.temp);
        if (ctx.out >= 0 || dos_attr(ctx.temp) < 0)
            break;
    }
    return ctx.out;
}

/* ---- time stamps ----------------------------------------------------------- */

/* Unix seconds to a DOS date (high word) and time (low word), UTC. */
static unsigned long dos_stamp(unsigned long t)
{
    static unsigned char mdays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    unsigned days, secs, year = 1980, month = 0, len;
    if (t < 315532800UL) /* before 1980: DOS cannot say */
        return (1UL << 21) | (1UL << 16);
    t -= 315532800UL;
    days = (unsigned)(t / 86400UL); /* 16 bits last until 2159 */
    secs = (unsigned)(t % 86400UL / 2);
    for (;; year++) { /* 2000 leaps, 2100 does not */
        len = (year & 3) == 0 && year != 2100 ? 366 : 365;
        if (days < len)
            break;
        days -= len;
    }
    for (;; month++) {
        len = mdays[month] + (month == 1 && (year & 3) == 0 && year != 2100);
        if (days < len)
            break;
        days -= len;
    }
    if (year > 2107)
        year = 2107;
    return (unsigned long)((year - 1980) << 9 | (month + 1) << 5 | (days + 1)) << 16 | (secs / 1800) << 11
        | (secs / 30 % 60) << 5 | secs % 30;
}

/* ---- decoder callbacks ------------------------------------------------------ */

/* Reads stop at the end of the sealed archive. */
static int cb_read(void* c, unsigned char* buf, unsigned short len)
{
    unsigned n;
    if (ctx.at >= ctx.end)
        return 0;
    if ((unsigned long)len > ctx.end - ctx.at)
        len = (unsigned short)(ctx.end - ctx.at);
    n = dos_read(ctx.archive, buf, len);
    if (n == DOS_IO_ERROR)
        return -1;
    ctx.at += n;
    return (int)n;
}

static int cb_seek(void* c, unsigned long offset)
{
    ctx.at = offset;
    return dos_seek(ctx.archive, offset);
}

static int cb_mkdir(void* c, const char* path)
{
    if (map_path(path, ctx.dir) != 0)
        return -1;
    strcat(ctx.dir, "\\");
    return make_folders(ctx.dir);
}

static void* cb_create(void* c, const lzh_entry* e)
{
    if (make_folders(ctx.target) != 0 || create_scratch() < 0)
        return 0;
    return (void*)&ctx.out;
}

static int cb_write(void* c, void* file, const unsigned char* buf, unsigned short len)
{
    return dos_write(ctx.out, buf, len) == len ? 0 : -1;
}

static int cb_close(void* c, void* file, const lzh_entry* e, int keep)
{
    unsigned long stamp = e->time_is_unix ? dos_stamp(e->mtime) : e->mtime;
    int failed = 0;
    if (keep)
        dos_set_ftime(ctx.out, (unsigned)stamp, (unsigned)(stamp >> 16));
    failed |= dos_close(ctx.out);
    /* an entry named like the scratch file it got is in place already */
    if (keep && !failed && strcmp(ctx.temp, ctx.target) != 0) {
        if (dos_attr(ctx.target) >= 0)
            dos_unlink(ctx.target);
        failed |= dos_rename(ctx.temp, ctx.target);
    }
    if (!keep || failed)
        dos_unlink(ctx.temp);
    return failed;
}

/* Before an entry: decides its target name and whether to write it. A
 * file this run wrote keeps its name: the entry gets the next free "~n". */
static int entry_begins(const lzh_entry* e)
{
    char mapped[13], *name;
    unsigned n;
    int attr;
    ctx.target[0] = 0; /* until it has one, an entry is reported by its stored name */
    if (ctx.opt->mode != SFX_MODE_EXTRACT || e->is_dir || e->path[0] == 0)
        return 0;
    if (map_path(e->path, ctx.target) != 0) {
        ctx.target[0] = 0;
        return 1;
    }
    name = strrchr(ctx.target, '\\');
    name = name ? name + 1 : ctx.target;
    strcpy(mapped, name);
    for (n = 1; written(ctx.target, 0) && dos_attr(ctx.target) >= 0; n++) {
        if (n == 0) /* every number taken */
            return 1;
        strcpy(name, mapped);
        name83_tail(name, n);
    }
    written(ctx.target, 1);
    attr = dos_attr(ctx.target);
    if (attr < 0)
        return 0;
    if (attr & DOS_ATTR_DIR)
        return 1;
    if (ctx.opt->overwrite || ctx.replace_all)
        return 0;
    switch (sfx_ask_overwrite(ctx.target)) {
    case 2:
        ctx.replace_all = 1;
        /* fall through */
    case 1: return 0;
    }
    return 1;
}

static void list_entry(const lzh_entry* e)
{
    char* p = line;
    p = put_ulong(p, e->size);
    *p++ = ' ';
    p = put_ulong(p, e->packed);
    *p++ = ' ';
    strcpy(p, e->method);
    strcat(p, " ");
    strcat(p, e->name);
    sfx_say(line);
}

static int cb_note(void* c, int event, const lzh_entry* e, int result)
{
    if (event == LZH_EV_BEGIN)
        return entry_begins(e);
    if (ctx.opt->mode == SFX_MODE_LIST) {
        list_entry(e);
        return 0;
    }
    if (e->is_dir && result == LZH_OK)
        return 0;
    strcpy(line, ctx.target[0] ? ctx.target : e->name);
    strcat(line, "  ");
    strcat(line, lzh_strerror(result));
    sfx_say(line);
    return 0;
}

/* ---- the run ------------------------------------------------------------------ */

int sfx_run(const char* self, const sfx_options* opt)
{
    int result;
    char* p;

    memset(&ctx, 0, sizeof ctx);
    ctx.opt = opt;
    ctx.archive = dos_open(self, DOS_READ);
    if (ctx.archive < 0) {
        say2("Cannot open ", self);
        return SFX_EXIT_ARCHIVE;
    }
    result = check_seal();
    if (result != SFX_SEAL_OK) {
        sfx_say(result == SFX_SEAL_NONE        ? lzh_strerror(LZH_E_NOTFOUND)
                    : result == SFX_SEAL_SHORT ? "This program is cut short: nothing was extracted"
                                               : "This program was altered: nothing was extracted");
        dos_close(ctx.archive);
        return SFX_EXIT_ARCHIVE;
    }
    ctx.end = sfx_archive_seal.offset + sfx_archive_seal.length;
    io.read = cb_read;
    io.seek = cb_seek;
    io.mkdir = cb_mkdir;
    io.create = cb_create;
    io.write = cb_write;
    io.close = cb_close;
    io.note = cb_note;
    io.sep = '\\';
    lzh_init(&state, &io);
    if (opt->mode == SFX_MODE_EXTRACT && opt->dest[0]) {
        strcpy(ctx.target, opt->dest);
        strcat(ctx.target, "\\");
        if (make_folders(ctx.target) != 0) {
            say2("Cannot make the folder ", opt->dest);
            dos_close(ctx.archive);
            return SFX_EXIT_USAGE;
        }
    }
    result = lzh_run(&state, sfx_archive_seal.offset, opt->mode);
    lzh_done(&state);
    dos_close(ctx.archive);

    p = put_ulong(line, state.done);
    strcpy(p, opt->mode == SFX_MODE_TEST ? " intact, " : " done, ");
    p = put_ulong(p + strlen(p), state.failed);
    strcpy(p, " failed");
    sfx_say(line);
    if (result != LZH_OK && state.failed == 0)
        sfx_say(lzh_strerror(result));
    if (result == LZH_OK && state.failed == 0)
        return SFX_EXIT_OK;
    return state.done || state.failed ? SFX_EXIT_ENTRIES : SFX_EXIT_ARCHIVE;
}
