/* Part of lzhdec.c, included there: archive input. */

static unsigned long in_offset(const lzh_state* s)
{
    return s->pos - (s->inlen - s->inpos);
}

static int in_seek(lzh_state* s, unsigned long offset)
{
    unsigned long start = s->pos - s->inlen;
    if (offset >= start && offset <= s->pos) {
        s->inpos = (unsigned short)(offset - start);
        return 0;
    }
    s->inpos = s->inlen = 0;
    s->pos = offset;
    return s->io->seek(s->io->ctx, offset) == 0 ? 0 : -1;
}

/* Refill the buffer; returns the number of bytes now available. */
static unsigned short in_fill(lzh_state* s)
{
    int n;
    if (s->inpos < s->inlen)
        return (unsigned short)(s->inlen - s->inpos);
    s->inpos = s->inlen = 0;
    n = s->io->read(s->io->ctx, s->inbuf, LZH_INBUF_SIZE);
    if (n <= 0) {
        if (n < 0 && !s->error)
            s->error = LZH_E_READ;
        return 0;
    }
    s->inlen = (unsigned short)n;
    s->pos += (unsigned long)n;
    return s->inlen;
}

/* Next byte of the archive, -1 at its end. */
static int in_byte(lzh_state* s)
{
    if (s->inpos == s->inlen && in_fill(s) == 0)
        return -1;
    return s->inbuf[s->inpos++];
}

/* Next byte of the current entry's compressed data. Past its end, zero. */
static unsigned char data_byte(lzh_state* s)
{
    if (s->packed_left == 0 || (s->inpos == s->inlen && in_fill(s) == 0)) {
        if (s->packed_left) { /* file ends before the data does */
            s->packed_left = 0;
            if (!s->error)
                s->error = LZH_E_FORMAT;
        }
        if (++s->overrun > OVERRUN_SLACK && !s->error)
            s->error = LZH_E_DATA;
        return 0;
    }
    s->packed_left--;
    return s->inbuf[s->inpos++];
}
