/* Part of lzhdec.c, included there: entry names (Shift_JIS, unsafe
   names, the paths the entries get). */

/* Shift_JIS: a lead byte followed by a trail byte is one character, so a
   trail byte 0x5C is part of the character, not a folder separator. */
static int sjis_lead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

static int sjis_trail(unsigned char c)
{
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

/* Width of the character at p (1 or 2), given that n bytes remain. */
static unsigned short char_width(const unsigned char* p, unsigned short n)
{
    return (unsigned short)(n >= 2 && sjis_lead(p[0]) && sjis_trail(p[1]) ? 2 : 1);
}

static int raw_separator(unsigned char c)
{
    return c == '\\' || c == '/' || c == 0xFF;
}

static int upper(int c)
{
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

/* CON, PRN, AUX, NUL, COM1-9, LPT1-9 (with any extension) name devices. */
static int device_name(const unsigned char* p, unsigned short n)
{
    static const char* const devices[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$", "CONIN$", "CONOUT$"};
    unsigned short base = 0, i, k;
    while (base < n && p[base] != '.')
        base++;
    while (base > 0 && p[base - 1] == ' ')
        base--;
    if (base == 4 && p[3] >= '1' && p[3] <= '9') {
        if ((upper(p[0]) == 'C' && upper(p[1]) == 'O' && upper(p[2]) == 'M')
            || (upper(p[0]) == 'L' && upper(p[1]) == 'P' && upper(p[2]) == 'T'))
            return 1;
    }
    for (i = 0; i < sizeof devices / sizeof devices[0]; i++) {
        const char* d = devices[i];
        for (k = 0; k < base && d[k] && upper(p[k]) == d[k]; k++)
            ;
        if (k == base && d[k] == 0)
            return 1;
    }
    return 0;
}

/* Check one folder or file name; returns 0 when it may be written. */
static int component_ok(const unsigned char* p, unsigned short n)
{
    unsigned short i, w, dots = 1;
    for (i = 0; i < n; i += w) {
        w = char_width(p + i, (unsigned short)(n - i));
        if (w == 2) {
            dots = 0;
            continue;
        }
        if (p[i] < 0x20 || p[i] == 0x7F || strchr(":*?\"<>|", p[i]) != NULL)
            return 0;
        if (p[i] != '.' && p[i] != ' ')
            dots = 0;
    }
    if (dots) /* "..", "...", " ": a name Windows would fold away */
        return 0;
    return !device_name(p, n);
}

/* Append a component to the path being built; returns 0 when it fits. */
static int path_append(lzh_state* s, unsigned short* len, const unsigned char* p, unsigned short n)
{
    lzh_entry* e = &s->entry;
    unsigned short i, w = 1;
    if (*len && *len < LZH_PATH_MAX)
        e->path[(*len)++] = s->io->sep;
    if ((unsigned long)*len + n > LZH_PATH_MAX)
        return 0;
    memcpy(e->path + *len, p, n);
    *len += n;
    /* a lead byte left alone at the end would swallow the next separator */
    for (i = 0; i < n; i += w)
        w = char_width(p + i, (unsigned short)(n - i));
    if (n && w == 1 && sjis_lead(p[n - 1]))
        e->path[*len - 1] = '_';
    e->path[*len] = 0;
    return 1;
}

/* Build entry.name (for display) and entry.path (to write) from the raw
   name parts. Returns LZH_OK, or LZH_E_NAME for a name that is absolute,
   climbs out with "..", names a drive, stream or device, or cannot be
   written, in which case entry.path stays empty. */
static int build_names(lzh_state* s)
{
    lzh_entry* e = &s->entry;
    unsigned char raw[2 * LZH_PATH_MAX + 2];
    unsigned short n = 0, i, w = 1, start, len = 0, name_len = 0;
    int ok = !s->name_too_long;

    for (i = 0; i < s->dir_len && s->name_dir[i]; i += w) {
        w = char_width(s->name_dir + i, (unsigned short)(s->dir_len - i));
        raw[n++] = s->name_dir[i];
        if (w == 2)
            raw[n++] = s->name_dir[i + 1];
    }
    if (n && !(w == 1 && raw_separator(raw[n - 1])))
        raw[n++] = 0xFF;
    for (i = 0; i < s->file_len && s->name_file[i]; i++)
        raw[n++] = s->name_file[i];

    e->path[0] = 0;
    for (i = 0; i < n && name_len < LZH_PATH_MAX; i += w) {
        w = char_width(raw + i, (unsigned short)(n - i));
        e->name[name_len++] = (char)(w == 1 && raw_separator(raw[i]) ? s->io->sep : raw[i]);
        if (w == 2 && name_len < LZH_PATH_MAX)
            e->name[name_len++] = (char)raw[i + 1];
    }
    e->name[name_len] = 0;

    for (i = 0; i < n; i += w) {
        w = char_width(raw + i, (unsigned short)(n - i));
        if (w == 1 && raw[i] == '|') /* Unix "name|target": a symbolic link */
            return LZH_E_LINK;
    }
    if (n && raw_separator(raw[0]))
        ok = 0; /* absolute */
    for (start = i = 0; ok && i <= n; i += w) {
        w = i < n ? char_width(raw + i, (unsigned short)(n - i)) : 1;
        if (i < n && !(w == 1 && raw_separator(raw[i])))
            continue;
        if (i > start && !(i - start == 1 && raw[start] == '.')) {
            if (!component_ok(raw + start, (unsigned short)(i - start))
                || !path_append(s, &len, raw + start, (unsigned short)(i - start)))
                ok = 0;
        }
        start = (unsigned short)(i + 1);
    }
    if (!ok) {
        e->path[0] = 0;
        return LZH_E_NAME;
    }
    /* a name that ends in a separator names a folder, whatever its method
       (some Amiga archivers store folders as empty -lh0- files) */
    if (n && w == 1 && raw_separator(raw[n - 1]) && e->size == 0)
        e->is_dir = 1;
    return LZH_OK;
}

/* Make every folder of path up to (not including) its last `stop` part:
   stop = 1 for a file's parents, 0 for a folder entry itself. */
static int make_folders(lzh_state* s, int stop)
{
    char* path = s->entry.path;
    unsigned short n = (unsigned short)strlen(path), i, w;
    if (n == 0)
        return LZH_OK;
    for (i = 0; i <= n; i += w) {
        w = i < n ? char_width((unsigned char*)path + i, (unsigned short)(n - i)) : 1;
        if (i < n && !(w == 1 && path[i] == s->io->sep))
            continue;
        if (i == n && stop)
            break;
        path[i] = 0;
        if (s->io->mkdir(s->io->ctx, path) != 0) {
            if (i < n)
                path[i] = s->io->sep;
            return LZH_E_CREATE;
        }
        if (i < n)
            path[i] = s->io->sep;
    }
    return LZH_OK;
}
