/* Part of lzhdec.c, included there: the -lh4- to -lh7- decoder (code
   lengths, block headers, the decoding loop). */

#define NT 19
#define TBIT 5
#define CBIT 9

/* Code lengths of the position or code-length alphabet. */
static int read_pt_len(lzh_state* s, unsigned short nn, unsigned short nbit, short special)
{
    unsigned short i = 0, n, c;
    n = bits_get(s, nbit);
    if (n == 0) {
        c = bits_get(s, nbit);
        if (c >= nn)
            return 0;
        for (i = 0; i < nn; i++)
            s->pt_len[i] = 0;
        for (i = 0; i < 256; i++)
            s->pt_table[i] = c;
        return 1;
    }
    if (n > nn)
        return 0;
    while (i < n) {
        bits_need(s);
        c = (unsigned short)(BITS_PEEK16(s) >> 13);
        if (c == 7) {
            unsigned short mask = 1u << 12, peek = BITS_PEEK16(s);
            while (peek & mask) {
                mask >>= 1;
                c++;
                if (c > 16)
                    return 0;
            }
        }
        bits_drop(s, (unsigned short)(c < 7 ? 3 : c - 3));
        s->pt_len[i++] = (unsigned char)c;
        if (i == special) {
            c = bits_get(s, 2);
            if (i + c > nn)
                return 0;
            while (c--)
                s->pt_len[i++] = 0;
        }
    }
    while (i < nn)
        s->pt_len[i++] = 0;
    return make_table(s, nn, s->pt_len, 8, s->pt_table);
}

/* Code lengths of the literal/length alphabet. */
static int read_c_len(lzh_state* s)
{
    unsigned short i = 0, n, c;
    n = bits_get(s, CBIT);
    if (n == 0) {
        c = bits_get(s, CBIT);
        if (c >= LZH_NC)
            return 0;
        for (i = 0; i < LZH_NC; i++)
            s->c_len[i] = 0;
#ifdef LZH_FAST
        for (i = 0; i < 1024; i++)
            s->u.c_code.fast[i] = (unsigned short)(c << 6);
#else
        for (i = 0; i < 4096; i++)
            s->u.c_table[i] = c;
#endif
        return 1;
    }
    if (n > LZH_NC)
        return 0;
    while (i < n) {
        unsigned short peek;
        bits_need(s);
        peek = BITS_PEEK16(s);
        c = s->pt_table[peek >> 8];
        if (c >= NT)
            c = tree_walk(s, c, NT, peek, 1u << 7);
        if (c >= NT)
            return 0;
        bits_drop(s, s->pt_len[c]);
        if (c <= 2) {
            if (c == 0)
                c = 1;
            else if (c == 1)
                c = (unsigned short)(bits_get(s, 4) + 3);
            else
                c = (unsigned short)(bits_get(s, CBIT) + 20);
            if (i + c > LZH_NC)
                return 0;
            while (c--)
                s->c_len[i++] = 0;
        } else {
            s->c_len[i++] = (unsigned char)(c - 2);
        }
    }
    while (i < LZH_NC)
        s->c_len[i++] = 0;
#ifdef LZH_FAST
    return make_fast_code(s);
#else
    return make_table(s, LZH_NC, s->c_len, 12, s->u.c_table);
#endif
}

static int read_block_header(lzh_state* s)
{
    s->blocksize = bits_get(s, 16);
    if (s->error)
        return 0;
    if (!read_pt_len(s, NT, TBIT, 3) || !read_c_len(s) || !read_pt_len(s, s->np, s->pbit, -1)) {
        if (!s->error)
            s->error = LZH_E_DATA;
        return 0;
    }
    return 1;
}

#ifndef LZH_FAST /* the native builds decode in lhfast.c */
static void decode_lhnew(lzh_state* s)
{
    unsigned short c, p, peek, len;
    while (s->out_left && !s->error) {
        if (s->blocksize == 0 && !read_block_header(s))
            break;
        s->blocksize--;
        bits_need(s);
        peek = BITS_PEEK16(s);
        c = s->u.c_table[peek >> 4];
        if (c >= LZH_NC) {
            c = tree_walk(s, c, LZH_NC, peek, 1u << 3);
            if (c >= LZH_NC) {
                s->error = LZH_E_DATA;
                break;
            }
        }
        s->nbits -= s->c_len[c];
        if (c < 256) {
            s->out_left--;
            OUT_PUT(s, c);
            continue;
        }
        len = (unsigned short)(c - 253);
        bits_need(s);
        peek = BITS_PEEK16(s);
        p = s->pt_table[peek >> 8];
        if (p >= s->np) {
            p = tree_walk(s, p, s->np, peek, 1u << 7);
            if (p >= s->np) {
                s->error = LZH_E_DATA;
                break;
            }
        }
        s->nbits -= s->pt_len[p];
        if (p > 1)
            p = (unsigned short)((1u << (p - 1)) + bits_get(s, (unsigned short)(p - 1)));
        out_copy(s, (unsigned short)((unsigned)s->wpos - p - 1u), take(s, len));
    }
}
#endif
