/* Part of lzhdec.c, included there: stored data (-lh0-, -lz4-). */

static void decode_stored(lzh_state* s)
{
    while (s->out_left && !s->error) {
        unsigned short n = LZH_OUTBUF_SIZE - s->outpos, avail;
        if (s->packed_left == 0 || in_fill(s) == 0) {
            if (!s->error)
                s->error = LZH_E_FORMAT;
            break;
        }
        avail = (unsigned short)(s->inlen - s->inpos);
        if (n > avail)
            n = avail;
        if ((unsigned long)n > s->out_left)
            n = (unsigned short)s->out_left;
        if ((unsigned long)n > s->packed_left)
            n = (unsigned short)s->packed_left;
        memcpy(s->outbuf + s->outpos, s->inbuf + s->inpos, n);
        s->inpos += n;
        s->outpos += n;
        s->packed_left -= n;
        s->out_left -= n;
        if (s->outpos == LZH_OUTBUF_SIZE)
            out_flush(s);
    }
}
