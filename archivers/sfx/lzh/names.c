/* Part of lzhdec.c, included there: entry names (the paths the entries
   get, after the shared name rules of safename.c). */

static int raw_separator(unsigned char c)
{
    return c == '\\' || c == '/' || c == 0xFF;
}

/* Build entry.name (for display) and entry.path (to write) from the raw
   name parts. Returns LZH_OK, LZH_E_LINK for a symbolic link, or LZH_E_NAME
   for a name the shared name rules refuse (safename.h), one too long, or a
   file without a name; entry.path then stays empty. */
static int build_names(lzh_state* s)
{
    lzh_entry* e = &s->entry;
    unsigned char raw[2 * LZH_PATH_MAX + 2];
    unsigned short n = 0, i, w = 1, name_len = 0;
    int r = LZH_OK;

    for (i = 0; i < s->dir_len && s->name_dir[i]; i += w) {
        w = safename_width(s->name_dir + i, (unsigned short)(s->dir_len - i), 0);
        raw[n++] = s->name_dir[i];
        if (w == 2)
            raw[n++] = s->name_dir[i + 1];
    }
    if (n && !(w == 1 && raw_separator(raw[n - 1])))
        raw[n++] = '/';
    for (i = 0; i < s->file_len && s->name_file[i]; i++)
        raw[n++] = s->name_file[i];

    /* 0xFF separates the folders of level 1-3 names; it is never part of a
       Shift_JIS character. The name rules know '/' and '\\' (0x2F is
       never a trail byte either, so no character changes). */
    for (i = 0; i < n; i += w) {
        w = safename_width(raw + i, (unsigned short)(n - i), 0);
        if (w == 1 && raw[i] == 0xFF)
            raw[i] = '/';
        if (name_len < LZH_PATH_MAX)
            e->name[name_len++] = (char)(w == 1 && raw_separator(raw[i]) ? s->io->sep : raw[i]);
        if (w == 2 && name_len < LZH_PATH_MAX)
            e->name[name_len++] = (char)raw[i + 1];
        if (w == 1 && raw[i] == '|') /* Unix "name|target": a symbolic link */
            r = LZH_E_LINK;
    }
    e->name[name_len] = 0;
    e->path[0] = 0;
    /* a name that ends in a separator names a folder, whatever its method
       (some Amiga archivers store folders as empty -lh0- files) */
    if (n && w == 1 && raw_separator(raw[n - 1]) && e->size == 0)
        e->is_dir = 1;
    if (r == LZH_E_LINK)
        return r;
    r = safename_check(raw, n, 0, s->io->sep, e->path, LZH_PATH_MAX + 1);
    if (r == SAFENAME_OK && !s->name_too_long)
        return LZH_OK;
    if (r == SAFENAME_EMPTY && e->is_dir)
        return LZH_OK;
    e->path[0] = 0;
    return LZH_E_NAME;
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
        w = i < n ? safename_width((unsigned char*)path + i, (unsigned short)(n - i), 0) : 1;
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
