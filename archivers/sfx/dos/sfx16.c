/* The extraction run of the 16-bit self-extractors (see sfx16.h).
 * Each file is written under a temporary name in its folder and renamed
 * into place only once its CRC is right, so a damaged entry never leaves a
 * file that looks whole. Names are made DOS names (names83.c) after the
 * decoder has refused unsafe ones, and every path starts with the
 * destination. */
#include <string.h>
#include "farwin.h"
#include "../lzh/lzhdec.h"
#include "names83.h"

#define TEMP_NAME "TBSFX$$$.TMP"

typedef struct run_ctx {
    int archive;
    const sfx_options* opt;
    int replace_all;
    int out;                       /* handle of the file being written */
    char target[SFX_PATH_MAX * 2]; /* where the current entry goes */
    char temp[SFX_PATH_MAX * 2];
    char folder[SFX_PATH_MAX * 2]; /* scratch of make_folders */
    char dir[SFX_PATH_MAX * 2];    /* a folder entry being made */
    unsigned char written[512];    /* hashes of the paths written so far */
} run_ctx;

static run_ctx ctx;
static lzh_state state;
static lzh_io io;
static char line[SFX_PATH_MAX * 2 + 48];

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

/* ---- paths --------------------------------------------------------------- */

static int sjis_lead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

/* dest + '\' + the entry path with every component made an 8.3 name.
 * Returns whether any component changed. */
static int map_path(const char* entry, char* out)
{
    char part[SFX_PATH_MAX];
    int changed = 0, n;
    strcpy(out, ctx.opt->dest);
    n = strlen(out);
    if (n && out[n - 1] != '\\' && out[n - 1] != ':')
        strcat(out, "\\");
    while (*entry) {
        int k = 0;
        while (*entry && *entry != '\\' && k < SFX_PATH_MAX - 1) {
            if (sjis_lead((unsigned char)*entry) && entry[1])
                part[k++] = *entry++;
            part[k++] = *entry++;
        }
        part[k] = 0;
        while (*entry == '\\')
            entry++;
        changed |= name83(part);
        if (strlen(out) + strlen(part) + 2 > sizeof ctx.target)
            return changed;
        strcat(out, part);
        if (*entry)
            strcat(out, "\\");
    }
    return changed;
}

static unsigned path_hash(const char* p)
{
    unsigned h = 0;
    while (*p)
        h = (h << 5) + h + (unsigned char)*p++;
    return h & 4095;
}

static int was_written(const char* p)
{
    unsigned h = path_hash(p);
    return (ctx.written[h >> 3] >> (h & 7)) & 1;
}

static void mark_written(const char* p)
{
    unsigned h = path_hash(p);
    ctx.written[h >> 3] |= (unsigned char)(1 << (h & 7));
}

/* Makes every folder of a path (all but its last component). */
static int make_folders(const char* path)
{
    int i, n = strlen(path);
    strcpy(ctx.folder, path);
    for (i = 0; i < n; i++) {
        unsigned char c = (unsigned char)ctx.folder[i];
        if (sjis_lead(c) && i + 1 < n) {
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

/* The temporary file beside the target. */
static void temp_beside(const char* target)
{
    char* slash;
    strcpy(ctx.temp, target);
    slash = strrchr(ctx.temp, '\\');
    if (!slash)
        slash = strrchr(ctx.temp, ':');
    strcpy(slash ? slash + 1 : ctx.temp, TEMP_NAME);
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

static int cb_read(void* c, unsigned char* buf, unsigned short len)
{
    unsigned n = dos_read(ctx.archive, buf, len);
    return n == DOS_IO_ERROR ? -1 : (int)n;
}

static int cb_seek(void* c, unsigned long offset)
{
    return dos_seek(ctx.archive, offset);
}

static int cb_mkdir(void* c, const char* path)
{
    map_path(path, ctx.dir);
    strcat(ctx.dir, "\\");
    return make_folders(ctx.dir);
}

static void* cb_create(void* c, const lzh_entry* e)
{
    if (make_folders(ctx.target) != 0)
        return 0;
    temp_beside(ctx.target);
    ctx.out = dos_create(ctx.temp);
    return ctx.out < 0 ? 0 : (void*)&ctx.out;
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
    if (keep && !failed) {
        if (dos_attr(ctx.target) >= 0)
            dos_unlink(ctx.target);
        failed |= dos_rename(ctx.temp, ctx.target);
    }
    if (!keep || failed)
        dos_unlink(ctx.temp);
    return failed;
}

/* Before an entry: decides its target name and whether to write it. */
static int entry_begins(const lzh_entry* e)
{
    int attr, n;
    if (ctx.opt->mode != SFX_MODE_EXTRACT || e->is_dir || e->path[0] == 0)
        return 0;
    if (map_path(e->path, ctx.target))
        for (n = 1; n <= 9 && was_written(ctx.target); n++) {
            char* name = strrchr(ctx.target, '\\');
            map_path(e->path, ctx.target);
            name83_tail(name ? name + 1 : ctx.target, n);
        }
    mark_written(ctx.target);
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
    strcpy(line, ctx.opt->mode == SFX_MODE_EXTRACT && e->path[0] ? ctx.target : e->name);
    strcat(line, "  ");
    strcat(line, lzh_strerror(result));
    sfx_say(line);
    return 0;
}

/* ---- the run ------------------------------------------------------------------ */

int sfx_run(const char* self, unsigned long image_end, const sfx_options* opt)
{
    unsigned long found;
    int result;
    char* p;

    memset(&ctx, 0, sizeof ctx);
    ctx.opt = opt;
    ctx.archive = dos_open(self, DOS_READ);
    if (ctx.archive < 0) {
        say2("Cannot open ", self);
        return SFX_EXIT_ARCHIVE;
    }
    io.read = cb_read;
    io.seek = cb_seek;
    io.mkdir = cb_mkdir;
    io.create = cb_create;
    io.write = cb_write;
    io.close = cb_close;
    io.note = cb_note;
    io.sep = '\\';
    lzh_init(&state, &io);
    if (lzh_find(&state, image_end, &found) != LZH_OK) {
        sfx_say(lzh_strerror(LZH_E_NOTFOUND));
        dos_close(ctx.archive);
        return SFX_EXIT_ARCHIVE;
    }
    if (opt->mode == SFX_MODE_EXTRACT && opt->dest[0]) {
        strcpy(ctx.target, opt->dest);
        strcat(ctx.target, "\\");
        if (make_folders(ctx.target) != 0) {
            say2("Cannot make the folder ", opt->dest);
            dos_close(ctx.archive);
            return SFX_EXIT_USAGE;
        }
    }
    result = lzh_run(&state, found, opt->mode);
    lzh_done(&state);
    dos_close(ctx.archive);

    p = put_ulong(line, (unsigned long)state.done);
    strcpy(p, opt->mode == SFX_MODE_TEST ? " intact, " : " done, ");
    p = put_ulong(p + strlen(p), (unsigned long)state.failed);
    strcpy(p, " failed");
    sfx_say(line);
    if (result != LZH_OK && state.failed == 0)
        sfx_say(lzh_strerror(result));
    if (result == LZH_OK && state.failed == 0)
        return SFX_EXIT_OK;
    return state.done || state.failed ? SFX_EXIT_ENTRIES : SFX_EXIT_ARCHIVE;
}
