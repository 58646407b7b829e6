/* Part of lzhdec.c, included there: output of the decoded bytes. */

#ifdef LZH_MACBINARY
static unsigned long get_be32(const unsigned char* p)
{
    return ((unsigned long)p[0] << 24) | ((unsigned long)p[1] << 16) | ((unsigned long)p[2] << 8) | p[3];
}

/* MacLHA stores a file as MacBinary: a 128-byte header, the data fork padded
   to 128 bytes, then the resource fork. When that is exactly what the entry
   holds and the resource fork is empty, only the data fork is written. */
static void macbinary_probe(lzh_state* s, const unsigned char* h, unsigned short n)
{
    unsigned long data;
    s->mac_probe = 0;
    if (n < 128 || h[0] != 0 || h[1] == 0 || h[1] > 63 || h[74] != 0 || h[82] != 0)
        return;
    data = get_be32(h + 83);
    if (get_be32(h + 87) != 0 || data > s->entry.size || 128 + ((data + 127) & ~127UL) != s->entry.size)
        return;
    s->keep_from = 128;
    s->keep_to = 128 + data;
}
#endif

/* Hand on the next n decoded bytes of the entry: CRC, file, progress. */
static void out_emit(lzh_state* s, const unsigned char* p, unsigned short n)
{
    unsigned short from = 0, to = n;
    if (n == 0)
        return;
    s->crc = crc_block(s->crc, p, n);
#ifdef LZH_MACBINARY
    if (s->mac_probe)
        macbinary_probe(s, p, n);
    /* the part of this buffer inside [keep_from, keep_to) of the entry */
    if (s->keep_from > s->out_done)
        from = (unsigned short)(s->keep_from - s->out_done);
    if (s->keep_to < s->out_done + n)
        to = (unsigned short)(s->keep_to > s->out_done ? s->keep_to - s->out_done : 0);
#endif
    if (s->file && !s->error && from < to && from < n
        && s->io->write(s->io->ctx, s->file, p + from, (unsigned short)(to - from)) != 0)
        s->error = LZH_E_WRITE;
    s->out_done += n;
    if (s->io->progress && !s->error && s->io->progress(s->io->ctx, &s->entry, s->out_done) != 0)
        s->error = LZH_E_CANCEL;
}

static void out_flush(lzh_state* s)
{
    unsigned short n = s->outpos;
    s->outpos = 0;
    out_emit(s, s->outbuf, n);
}

#define OUT_PUT(s, c)                                                                                        \
    do {                                                                                                     \
        unsigned char c_ = (unsigned char)(c);                                                               \
        LZH_WIN_PUT(s, (s)->wpos, c_);                                                                       \
        (s)->wpos = (unsigned short)(((s)->wpos + 1) & (s)->wmask);                                          \
        (s)->outbuf[(s)->outpos++] = c_;                                                                     \
        if ((s)->outpos == LZH_OUTBUF_SIZE)                                                                  \
            out_flush(s);                                                                                    \
    } while (0)

/* Copy len bytes that start at dictionary index `from` (already clipped to
   what is left of the entry). */
static void out_copy(lzh_state* s, unsigned short from, unsigned short len)
{
    unsigned short mask = s->wmask;
    from &= mask;
    while (len--) {
        unsigned char c = LZH_WIN_GET(s, from);
        from = (unsigned short)((from + 1) & mask);
        OUT_PUT(s, c);
    }
}

/* Length of a match, clipped to the bytes still due; counts them as done. */
static unsigned short take(lzh_state* s, unsigned short len)
{
    if ((unsigned long)len > s->out_left)
        len = (unsigned short)s->out_left;
    s->out_left -= len;
    return len;
}
