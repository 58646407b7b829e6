/* Part of lzhdec.c, included there: reading an entry header, levels 0
   to 3. */

#define HDR_END 0
#define HDR_ENTRY 1

/* Read n header bytes into buf (NULL: skip them), keeping the header's
   checksum and CRC; zero_crc feeds zeros to the CRC instead (the header's
   own CRC field). Returns 0 when all n bytes were there. */
static int hdr_read(lzh_state* s, unsigned char* buf, unsigned long n, int zero_crc)
{
    while (n--) {
        int c = in_byte(s);
        if (c < 0)
            return -1;
        s->hdr_sum = (unsigned short)(s->hdr_sum + c);
        s->hdr_crc = CRC_BYTE(s->hdr_crc, zero_crc ? 0 : c);
        if (buf)
            *buf++ = (unsigned char)c;
    }
    return 0;
}

static unsigned long get_le(const unsigned char* p, unsigned short n)
{
    unsigned long v = 0;
    while (n--)
        v = (v << 8) | p[n];
    return v;
}

/* Read a name field of n bytes into part (up to its capacity). */
static int hdr_name(lzh_state* s, unsigned char* part, unsigned short* part_len, unsigned long n)
{
    unsigned long keep = n > LZH_PATH_MAX ? LZH_PATH_MAX : n;
    if (n > keep)
        s->name_too_long = 1;
    *part_len = (unsigned short)keep;
    if (hdr_read(s, part, keep, 0) || hdr_read(s, NULL, n - keep, 0))
        return -1;
    return 0;
}

/* The chain of extended headers (levels 1-3). `next` is the size of the
   first one, szlen the width of size fields (2, or 4 at level 3). Adds the
   bytes read to *total; notes a header CRC field in *crc / *has_crc. */
static int hdr_extended(lzh_state* s, unsigned long next, unsigned short szlen, unsigned long* total,
                        unsigned short* crc, int* has_crc)
{
    unsigned char b[4];
    while (next) {
        unsigned long data;
        if (next < 1UL + szlen)
            goto damaged;
        data = next - 1 - szlen;
        *total += next;
        if (hdr_read(s, b, 1UL, 0))
            goto damaged;
        switch (b[0]) {
        case 0x00: /* CRC-16 of the whole header */
            if (data < 2 || hdr_read(s, b + 1, 2UL, 1) || hdr_read(s, NULL, (unsigned long)(data - 2), 0))
                goto damaged;
            *crc = (unsigned short)get_le(b + 1, 2);
            *has_crc = 1;
            break;
        case 0x01:
            if (hdr_name(s, s->name_file, &s->file_len, data))
                goto damaged;
            break;
        case 0x02:
            if (hdr_name(s, s->name_dir, &s->dir_len, data))
                goto damaged;
            break;
        case 0x40: /* MS-DOS attributes */
            if (data >= 1) {
                if (hdr_read(s, b + 1, 1UL, 0) || hdr_read(s, NULL, (unsigned long)(data - 1), 0))
                    goto damaged;
                s->entry.attr = b[1];
                break;
            }
            /* fall through */
        default:
            if (hdr_read(s, NULL, data, 0))
                goto damaged;
        }
        if (hdr_read(s, b, (unsigned long)szlen, 0))
            goto damaged;
        next = get_le(b, szlen);
    }
    return 0;
damaged:
    return -1;
}

/* Each reading step below has one exit for a damaged header: in the 16-bit
   stubs every separate return costs its own copy of the function's exit. */

/* The part every level starts with: the first 22 bytes, into b and
   s->entry. Returns HDR_ENTRY, HDR_END (end mark or end of file), or an
   LZH_E_* code (negated). */
static int read_common_part(lzh_state* s, unsigned char* b)
{
    lzh_entry* e = &s->entry;
    int c;

    memset(e, 0, sizeof *e);
    s->dir_len = s->file_len = 0;
    s->name_too_long = 0;
    c = in_byte(s);
    if (c <= 0)
        return c < 0 && s->error ? -LZH_E_READ : HDR_END;
    b[0] = (unsigned char)c;
    s->hdr_crc = CRC_BYTE(0, b[0]);
    if (hdr_read(s, b + 1, 1UL, 0))
        goto damaged;
    s->hdr_sum = 0;
    if (hdr_read(s, b + 2, 20UL, 0) || b[2] != '-' || b[6] != '-')
        goto damaged;
    memcpy(e->method, b + 2, 5);
    e->method[5] = 0;
    e->packed = get_le(b + 7, 4);
    e->size = get_le(b + 11, 4);
    e->mtime = get_le(b + 15, 4);
    e->attr = b[19];
    e->level = b[20];
    return HDR_ENTRY;
damaged:
    /* DOS and CP/M programs pad their files with ^Z: where a header would
       start, one ends the archive unless what follows is shaped like one */
    return b[0] == 0x1A && !s->error ? HDR_END : -LZH_E_FORMAT;
}

/* The rest of a level 0 or 1 header: the name, the CRC, the checksum over
   the whole header and, at level 1, the extended headers, whose bytes the
   packed size counts. Returns HDR_ENTRY or an LZH_E_* code (negated). */
static int read_level_0_1(lzh_state* s, unsigned char* b)
{
    lzh_entry* e = &s->entry;
    unsigned long ext_total = 0;
    /* at most 257 and 255: no need for long arithmetic */
    unsigned short hsize = (unsigned short)(b[0] + 2), namelen = b[21], rest, hdr_crc;
    int has_hdr_crc;

    if (22 + namelen > hsize || hdr_name(s, s->name_file, &s->file_len, (unsigned long)namelen))
        goto damaged;
    rest = (unsigned short)(hsize - 22 - namelen);
    if (e->level == 1 && rest < 5)
        goto damaged;
    if (rest >= 2) {
        if (hdr_read(s, b + 24, 2UL, 0))
            goto damaged;
        e->crc = (unsigned short)get_le(b + 24, 2);
        e->has_crc = 1;
        rest -= 2;
    }
    if (e->level == 0) {
        if (hdr_read(s, NULL, (unsigned long)rest, 0))
            goto damaged;
    } else {
        if (hdr_read(s, b + 26, 1UL, 0) || hdr_read(s, NULL, (unsigned long)(rest - 3), 0)
            || hdr_read(s, b + 24, 2UL, 0))
            goto damaged;
        e->os = b[26];
    }
    if ((s->hdr_sum & 0xFF) != b[1])
        goto damaged;
    if (e->level == 1) {
        /* a level 1 header has its checksum instead of a header CRC */
        if (hdr_extended(s, get_le(b + 24, 2), 2, &ext_total, &hdr_crc, &has_hdr_crc)
            || ext_total > e->packed)
            goto damaged;
        e->packed -= ext_total;
    }
    return HDR_ENTRY;
damaged:
    return -LZH_E_FORMAT;
}

/* The rest of a level 2 or 3 header: the fixed fields after the common
   part, the extended headers, the padding, and the header CRC when one of
   the extended headers carries it. Returns HDR_ENTRY or an LZH_E_* code
   (negated). */
static int read_level_2_3(lzh_state* s, unsigned char* b)
{
    lzh_entry* e = &s->entry;
    unsigned short szlen = e->level == 2 ? 2 : 4, fixed = e->level == 2 ? 26 : 32, hdr_crc = 0;
    unsigned long hsize, ext_total = 0, used;
    int has_hdr_crc = 0;

    if (hdr_read(s, b + 22, (unsigned long)(fixed - 22), 0))
        goto damaged;
    e->crc = (unsigned short)get_le(b + 21, 2);
    e->has_crc = 1;
    e->os = b[23];
    if (e->level == 2) {
        hsize = get_le(b, 2);
    } else {
        if (get_le(b, 2) != 4)
            goto damaged;
        hsize = get_le(b + 24, 4);
    }
    if (hsize < fixed
        || hdr_extended(s, get_le(b + fixed - szlen, szlen), szlen, &ext_total, &hdr_crc, &has_hdr_crc))
        goto damaged;
    used = fixed + ext_total;
    /* Some writers pad the header; the padding belongs to it. One OS-9
       writer counts its header short: the chain of extended headers
       decides where the data begins. */
    if (used < hsize && (hsize - used > 255 || hdr_read(s, NULL, hsize - used, 0)))
        goto damaged;
    if (has_hdr_crc && s->hdr_crc != hdr_crc)
        goto damaged;
    e->time_is_unix = 1;
    return HDR_ENTRY;
damaged:
    return -LZH_E_FORMAT;
}

/* Read the header at the current position into s->entry. Returns HDR_ENTRY,
   HDR_END (end mark or end of file), or an LZH_E_* code (negated). */
static int read_header(lzh_state* s)
{
    unsigned char b[32];
    unsigned long start = in_offset(s), data_start;
    int r = read_common_part(s, b);

    if (r == HDR_ENTRY) {
        if (s->entry.level < 2)
            r = read_level_0_1(s, b);
        else if (s->entry.level < 4)
            r = read_level_2_3(s, b);
        else
            r = -LZH_E_FORMAT;
    }
    if (r != HDR_ENTRY)
        return r;
    data_start = in_offset(s);
    s->next_header = data_start + s->entry.packed;
    if (data_start < start || s->next_header < data_start)
        return -LZH_E_FORMAT;
    return HDR_ENTRY;
}
