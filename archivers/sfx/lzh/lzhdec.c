/*
 * lzhdec.c - LZH archive reader and decoder shared by every LZH self-extractor.
 *
 * C89, 16-bit clean: `int` may be 16 bits, so every width that matters is an
 * explicit unsigned short / unsigned long, no local array is large, and the
 * dictionary is reached only through the LZH_WIN_* macros (see lzhdec.h).
 * The 16-bit compiler (bcc) ignores prototypes, so an argument for an
 * unsigned long parameter must already be unsigned long at the call (1UL,
 * or a cast): nothing widens it there.
 *
 * Safety: the decoder trusts nothing in the archive. Reads past the end of an
 * entry's compressed data yield zero bits and are counted; a stream that needs
 * more than a few of them is reported as damaged. Every loop is bounded by the
 * entry's declared size or by a table size, so damaged input ends in an error,
 * never in a hang or an access out of bounds.
 */
#include <stdlib.h>
#include <string.h>
#include "lzhdec.h"

/* Bytes of zero padding a bit reader may legitimately pull in after the
   last byte of an entry's data (look-ahead of the bit buffer). */
#define OVERRUN_SLACK 8

/* MacBinary unwrapping (MacLHA entries): left out where LZH_NO_MACBINARY
   asks for it and in the 16-bit builds, which are short of room. */
#if !defined(LZH_NO_MACBINARY) && !defined(__AS386_16__)
#define LZH_MACBINARY 1
#endif

#define MTH_STORED 0
#define MTH_DIR 1
#define MTH_LH1 2
#define MTH_LHNEW 3
#define MTH_LZS 4
#define MTH_LZ5 5
#define MTH_UNKNOWN 6

/* The method table holds the id without its dashes, so that the ids never
   appear verbatim in a stub and cannot be mistaken for an archive header. */
static const struct {
    char id[4];
    unsigned char kind, dicbit;
} methods[] = {
    {"lh0", MTH_STORED, 0}, {"lz4", MTH_STORED, 0}, {"lhd", MTH_DIR, 0},
    {"lh4", MTH_LHNEW, 12}, {"lh5", MTH_LHNEW, 13}, {"lh6", MTH_LHNEW, 15},
    {"lh7", MTH_LHNEW, 16}
#ifndef LZH_NO_LH1
    , {"lh1", MTH_LH1, 12}
#endif
#ifndef LZH_NO_LZS
    , {"lzs", MTH_LZS, 11}, {"lz5", MTH_LZ5, 12}
#endif
};
#define N_METHODS (sizeof methods / sizeof methods[0])

static unsigned short crc_table[256];

/* ---------------------------------------------------------------------- */
/* CRC-16                                                                  */

static void crc_init(void)
{
    unsigned short i, k, c;
    for (i = 0; i < 256; i++) {
        c = i;
        for (k = 0; k < 8; k++)
            c = (unsigned short)((c & 1) ? (c >> 1) ^ 0xA001u : c >> 1);
        crc_table[i] = c;
    }
}

#define CRC_BYTE(crc, b) \
    ((unsigned short)(crc_table[((crc) ^ (b)) & 0xFF] ^ ((crc) >> 8)))

unsigned short lzh_crc16(unsigned short crc, const unsigned char *p, unsigned short len)
{
    if (crc_table[1] == 0)
        crc_init();
    while (len--)
        crc = CRC_BYTE(crc, *p++);
    return crc;
}

const char *lzh_strerror(int code)
{
    switch (code) {
    case LZH_OK: return "OK";
    case LZH_E_READ: return "cannot read the archive";
    case LZH_E_FORMAT: return "damaged or truncated archive";
    case LZH_E_DATA: return "damaged compressed data";
    case LZH_E_CRC: return "CRC error";
    case LZH_E_METHOD: return "unsupported method";
    case LZH_E_NAME: return "unsafe name refused";
    case LZH_E_CREATE: return "cannot create";
    case LZH_E_WRITE: return "cannot write";
    case LZH_E_MEMORY: return "not enough memory";
    case LZH_E_NOTFOUND: return "no LZH archive found";
    case LZH_E_CANCEL: return "cancelled";
    case LZH_E_SKIPPED: return "skipped (not replaced)";
    case LZH_E_LINK: return "symbolic link not extracted";
    }
    return "error";
}

/* ---------------------------------------------------------------------- */
/* Dictionary (default: one malloc'd block)                                */

#ifdef LZH_WIN_DEFAULT
int lzh_window_alloc(lzh_state *s, unsigned long size)
{
    s->window = (unsigned char *)malloc((size_t)size);
    return s->window != NULL;
}

void lzh_window_free(lzh_state *s)
{
    free(s->window);
    s->window = NULL;
}
#endif

/* Make the dictionary 2^dicbit bytes, filled with spaces, the way every LZH
   encoder assumes it starts. */
static int window_setup(lzh_state *s, unsigned char dicbit)
{
    unsigned long size = 1UL << dicbit;
    unsigned long i;
    if (s->win_alloc < size) {
        if (s->win_alloc)
            LZH_WIN_FREE(s);
        s->win_alloc = 0;
        if (!LZH_WIN_ALLOC(s, size))
            return 0;
        s->win_alloc = size;
    }
    for (i = 0; i < size; i++)
        LZH_WIN_PUT(s, (unsigned short)i, ' ');
    s->wmask = (unsigned short)(size - 1);
    s->wpos = 0;
    return 1;
}

/* ---------------------------------------------------------------------- */
/* Archive input                                                           */

static unsigned long in_offset(const lzh_state *s)
{
    return s->pos - (s->inlen - s->inpos);
}

static int in_seek(lzh_state *s, unsigned long offset)
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
static unsigned short in_fill(lzh_state *s)
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
static int in_byte(lzh_state *s)
{
    if (s->inpos == s->inlen && in_fill(s) == 0)
        return -1;
    return s->inbuf[s->inpos++];
}

/* Next byte of the current entry's compressed data. Past its end, zero. */
static unsigned char data_byte(lzh_state *s)
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

/* ---------------------------------------------------------------------- */
/* Bit reader: most significant bit first, at least 17 bits after bits_need */

static void bits_need(lzh_state *s)
{
    while (s->nbits <= 24) {
        s->bits = (s->bits << 8) | data_byte(s);
        s->nbits += 8;
    }
}

#define BITS_PEEK16(s) ((unsigned short)(((s)->bits >> ((s)->nbits - 16)) & 0xFFFFu))

/* n <= 16 */
static unsigned short bits_get(lzh_state *s, unsigned short n)
{
    unsigned short v;
    if (n == 0)
        return 0;
    bits_need(s);
    s->nbits -= n;
    v = (unsigned short)((s->bits >> s->nbits) & ((1UL << n) - 1));
    return v;
}

static void bits_drop(lzh_state *s, unsigned short n)
{
    if (s->nbits < n)
        bits_need(s);
    s->nbits -= n;
}

/* ---------------------------------------------------------------------- */
/* Output                                                                  */

#ifdef LZH_MACBINARY
static unsigned long get_be32(const unsigned char *p)
{
    return ((unsigned long)p[0] << 24) | ((unsigned long)p[1] << 16) |
           ((unsigned long)p[2] << 8) | p[3];
}

/* MacLHA stores a file as MacBinary: a 128-byte header, the data fork padded
   to 128 bytes, then the resource fork. When that is exactly what the entry
   holds and the resource fork is empty, only the data fork is written. */
static void macbinary_probe(lzh_state *s)
{
    const unsigned char *h = s->outbuf;
    unsigned long data;
    s->mac_probe = 0;
    if (s->outpos < 128 || h[0] != 0 || h[1] == 0 || h[1] > 63 || h[74] != 0 || h[82] != 0)
        return;
    data = get_be32(h + 83);
    if (get_be32(h + 87) != 0 || data > s->entry.size ||
        128 + ((data + 127) & ~127UL) != s->entry.size)
        return;
    s->keep_from = 128;
    s->keep_to = 128 + data;
}
#endif

static void out_flush(lzh_state *s)
{
    unsigned short i, crc = s->crc, from = 0, to = s->outpos;
    const unsigned char *p = s->outbuf;
    if (s->outpos == 0)
        return;
    for (i = s->outpos; i; i--)
        crc = CRC_BYTE(crc, *p++);
    s->crc = crc;
#ifdef LZH_MACBINARY
    if (s->mac_probe)
        macbinary_probe(s);
    /* the part of this buffer inside [keep_from, keep_to) of the entry */
    if (s->keep_from > s->out_done)
        from = (unsigned short)(s->keep_from - s->out_done);
    if (s->keep_to < s->out_done + s->outpos)
        to = (unsigned short)(s->keep_to > s->out_done ? s->keep_to - s->out_done : 0);
#endif
    if (s->file && !s->error && from < to && from < s->outpos &&
        s->io->write(s->io->ctx, s->file, s->outbuf + from, (unsigned short)(to - from)) != 0)
        s->error = LZH_E_WRITE;
    s->out_done += s->outpos;
    s->outpos = 0;
    if (s->io->progress && !s->error &&
        s->io->progress(s->io->ctx, &s->entry, s->out_done) != 0)
        s->error = LZH_E_CANCEL;
}

#define OUT_PUT(s, c) do { \
    unsigned char c_ = (unsigned char)(c); \
    LZH_WIN_PUT(s, (s)->wpos, c_); \
    (s)->wpos = (unsigned short)(((s)->wpos + 1) & (s)->wmask); \
    (s)->outbuf[(s)->outpos++] = c_; \
    if ((s)->outpos == LZH_OUTBUF_SIZE) out_flush(s); \
} while (0)

/* Copy len bytes that start at dictionary index `from` (already clipped to
   what is left of the entry). */
static void out_copy(lzh_state *s, unsigned short from, unsigned short len)
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
static unsigned short take(lzh_state *s, unsigned short len)
{
    if ((unsigned long)len > s->out_left)
        len = (unsigned short)s->out_left;
    s->out_left -= len;
    return len;
}

/* ---------------------------------------------------------------------- */
/* Stored data (-lh0-, -lz4-)                                              */

static void decode_stored(lzh_state *s)
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

/* ---------------------------------------------------------------------- */
/* Canonical Huffman tables (-lh4- to -lh7-)                               */

#define NO_CODE 0xFFFFu

/* Lookup table of 2^tbits entries for nchar symbols with the given code
   lengths (codes assigned shortest first, then by symbol, as LHA does);
   longer codes continue as a tree in left/right. A hole left by an
   incomplete code stays NO_CODE and is an error when met. */
static int make_table(lzh_state *s, unsigned short nchar, const unsigned char *len,
                      unsigned short tbits, unsigned short *table)
{
    unsigned long start[18], code;
    unsigned short count[17], i, k, l, avail = nchar, limit = 2 * nchar - 1;
    unsigned short tsize = (unsigned short)(1u << tbits);

    for (i = 0; i <= 16; i++)
        count[i] = 0;
    for (i = 0; i < nchar; i++) {
        if (len[i] > 16)
            return 0;
        count[len[i]]++;
    }
    start[1] = 0;
    for (i = 1; i <= 16; i++)
        start[i + 1] = start[i] + ((unsigned long)count[i] << (16 - i));
    if (start[17] > 0x10000UL)
        return 0;
    for (i = 0; i < tsize; i++)
        table[i] = NO_CODE;
    for (i = 0; i < nchar; i++) {
        l = len[i];
        if (l == 0)
            continue;
        code = start[l];
        start[l] += 1UL << (16 - l);
        if (l <= tbits) {
            unsigned short first = (unsigned short)(code >> (16 - tbits));
            unsigned short n = (unsigned short)(1u << (tbits - l));
            for (k = 0; k < n; k++)
                table[first + k] = i;
        } else {
            unsigned short *p = &table[code >> (16 - tbits)];
            unsigned short bit = (unsigned short)(15 - tbits);
            for (k = tbits; k < l; k++, bit--) {
                if (*p == NO_CODE) {
                    if (avail >= limit)
                        return 0;
                    *p = avail;
                    s->left[avail] = s->right[avail] = NO_CODE;
                    avail++;
                } else if (*p < nchar) {
                    return 0;
                }
                p = ((code >> bit) & 1) ? &s->right[*p] : &s->left[*p];
            }
            if (*p != NO_CODE)
                return 0;
            *p = i;
        }
    }
    return 1;
}

/* Walk the tree below a table entry for codes longer than the table. */
static unsigned short tree_walk(lzh_state *s, unsigned short j, unsigned short nchar,
                                unsigned short peek, unsigned short mask)
{
    while (j >= nchar && j != NO_CODE && mask) {
        j = (peek & mask) ? s->right[j] : s->left[j];
        mask >>= 1;
    }
    return j;
}

#define NT 19
#define TBIT 5
#define CBIT 9

/* Code lengths of the position or code-length alphabet. */
static int read_pt_len(lzh_state *s, unsigned short nn, unsigned short nbit, short special)
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
static int read_c_len(lzh_state *s)
{
    unsigned short i = 0, n, c;
    n = bits_get(s, CBIT);
    if (n == 0) {
        c = bits_get(s, CBIT);
        if (c >= LZH_NC)
            return 0;
        for (i = 0; i < LZH_NC; i++)
            s->c_len[i] = 0;
        for (i = 0; i < 4096; i++)
            s->u.c_table[i] = c;
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
    return make_table(s, LZH_NC, s->c_len, 12, s->u.c_table);
}

static int read_block_header(lzh_state *s)
{
    s->blocksize = bits_get(s, 16);
    if (s->error)
        return 0;
    if (!read_pt_len(s, NT, TBIT, 3) || !read_c_len(s) ||
        !read_pt_len(s, s->np, s->pbit, -1)) {
        if (!s->error)
            s->error = LZH_E_DATA;
        return 0;
    }
    return 1;
}

static void decode_lhnew(lzh_state *s)
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

#ifndef LZH_NO_LH1
/* ---------------------------------------------------------------------- */
/* -lh1-: adaptive Huffman for literals and lengths, fixed codes for the    */
/* upper six bits of a position                                            */

#define DYN_T LZH_DYN_T
#define DYN_ROOT (DYN_T - 1)
#define DYN_MAX_FREQ 0x8000u

static void dyn_start(lzh_state *s)
{
    unsigned short i, j, n, code, len;
    /* Upper position bits: 1 code of 3 bits... 16 codes of 8 bits. */
    static const unsigned char per_len[6] = {1, 3, 8, 12, 24, 16};
    code = 0;
    n = 0;
    for (len = 3; len <= 8; len++) {
        for (i = 0; i < per_len[len - 3]; i++, code++) {
            unsigned short span = (unsigned short)(1u << (8 - len));
            for (j = 0; j < span; j++, n++) {
                s->u.dyn.d_code[n] = (unsigned char)code;
                s->u.dyn.d_len[n] = (unsigned char)len;
            }
        }
    }
    for (i = 0; i < LZH_DYN_CHARS; i++) {
        s->u.dyn.freq[i] = 1;
        s->u.dyn.son[i] = (unsigned short)(i + DYN_T);
        s->u.dyn.prnt[i + DYN_T] = i;
    }
    i = 0;
    j = LZH_DYN_CHARS;
    while (j <= DYN_ROOT) {
        s->u.dyn.freq[j] = (unsigned short)(s->u.dyn.freq[i] + s->u.dyn.freq[i + 1]);
        s->u.dyn.son[j] = i;
        s->u.dyn.prnt[i] = s->u.dyn.prnt[i + 1] = j;
        i += 2;
        j++;
    }
    s->u.dyn.freq[DYN_T] = 0xFFFF;
    s->u.dyn.prnt[DYN_ROOT] = 0;
}

/* Halve every count and rebuild the tree when the root count saturates. */
static void dyn_rebuild(lzh_state *s)
{
    unsigned short *freq = s->u.dyn.freq, *son = s->u.dyn.son, *prnt = s->u.dyn.prnt;
    unsigned short i, j, k, f;
    j = 0;
    for (i = 0; i < DYN_T; i++) {
        if (son[i] >= DYN_T) {
            freq[j] = (unsigned short)((freq[i] + 1) / 2);
            son[j] = son[i];
            j++;
        }
    }
    for (i = 0, j = LZH_DYN_CHARS; j < DYN_T; i += 2, j++) {
        f = freq[j] = (unsigned short)(freq[i] + freq[i + 1]);
        for (k = j; k > 0 && f < freq[k - 1]; k--)
            ;
        memmove(&freq[k + 1], &freq[k], (size_t)(j - k) * sizeof freq[0]);
        freq[k] = f;
        memmove(&son[k + 1], &son[k], (size_t)(j - k) * sizeof son[0]);
        son[k] = i;
    }
    for (i = 0; i < DYN_T; i++) {
        k = son[i];
        if (k >= DYN_T)
            prnt[k] = i;
        else
            prnt[k] = prnt[k + 1] = i;
    }
}

static void dyn_update(lzh_state *s, unsigned short c)
{
    unsigned short *freq = s->u.dyn.freq, *son = s->u.dyn.son, *prnt = s->u.dyn.prnt;
    unsigned short i, j, k, l;
    if (freq[DYN_ROOT] == DYN_MAX_FREQ)
        dyn_rebuild(s);
    c = prnt[c + DYN_T];
    do {
        k = ++freq[c];
        l = (unsigned short)(c + 1);
        if (k > freq[l]) {
            while (k > freq[++l])
                ;
            l--;
            freq[c] = freq[l];
            freq[l] = k;
            i = son[c];
            prnt[i] = l;
            if (i < DYN_T)
                prnt[i + 1] = l;
            j = son[l];
            son[l] = i;
            prnt[j] = c;
            if (j < DYN_T)
                prnt[j + 1] = c;
            son[c] = j;
            c = l;
        }
    } while ((c = prnt[c]) != 0);
}

static void decode_lh1(lzh_state *s)
{
    unsigned short c, p, len, i;
    while (s->out_left && !s->error) {
        c = s->u.dyn.son[DYN_ROOT];
        while (c < DYN_T) {
            if (s->nbits == 0)
                bits_need(s);
            s->nbits--;
            c = s->u.dyn.son[c + (unsigned short)((s->bits >> s->nbits) & 1)];
        }
        c -= DYN_T;
        dyn_update(s, c);
        if (c < 256) {
            s->out_left--;
            OUT_PUT(s, c);
            continue;
        }
        len = (unsigned short)(c - 253);
        i = bits_get(s, 8);
        p = (unsigned short)(s->u.dyn.d_code[i] << 6);
        i = (unsigned short)((i << (s->u.dyn.d_len[i] - 2)) |
                             bits_get(s, (unsigned short)(s->u.dyn.d_len[i] - 2)));
        p |= i & 0x3F;
        out_copy(s, (unsigned short)((unsigned)s->wpos - p - 1u), take(s, len));
    }
}

#endif /* LZH_NO_LH1 */

#ifndef LZH_NO_LZS
/* ---------------------------------------------------------------------- */
/* LArc methods: -lzs- (2 KiB, bit flags) and -lz5- (4 KiB, flag bytes)     */
/* Positions are absolute dictionary indexes.                               */

static void decode_lzs(lzh_state *s)
{
    unsigned short from, len;
    s->wpos = 2048 - 17;
    while (s->out_left && !s->error) {
        if (bits_get(s, 1)) {
            s->out_left--;
            OUT_PUT(s, bits_get(s, 8));
        } else {
            from = bits_get(s, 11);
            len = (unsigned short)(bits_get(s, 4) + 2);
            out_copy(s, from, take(s, len));
        }
    }
}

static void decode_lz5(lzh_state *s)
{
    unsigned short i, from, len, flags = 0, left = 0, b;
    /* LArc's initial dictionary: runs of every byte value, both byte
       ramps, zeros, spaces, and zeros where writing starts. */
    for (i = 0; i < 256 * 13; i++)
        LZH_WIN_PUT(s, i, i / 13);
    for (i = 0; i < 256; i++) {
        LZH_WIN_PUT(s, 256 * 13 + i, i);
        LZH_WIN_PUT(s, 256 * 13 + 256 + i, 255 - i);
    }
    for (i = 0; i < 128; i++)
        LZH_WIN_PUT(s, 256 * 13 + 512 + i, 0);
    for (i = 4096 - 18; i < 4096; i++)
        LZH_WIN_PUT(s, i, 0);
    s->wpos = 4096 - 18;
    while (s->out_left && !s->error) {
        if (left == 0) {
            flags = bits_get(s, 8);
            left = 8;
        }
        left--;
        b = bits_get(s, 8);
        if (flags & 1) {
            s->out_left--;
            OUT_PUT(s, b);
        } else {
            unsigned short b2 = bits_get(s, 8);
            from = (unsigned short)(b | ((b2 & 0xF0u) << 4));
            len = (unsigned short)((b2 & 0x0F) + 3);
            out_copy(s, from, take(s, len));
        }
        flags >>= 1;
    }
}

#endif /* LZH_NO_LZS */

/* ---------------------------------------------------------------------- */
/* Headers                                                                 */

#define HDR_END 0
#define HDR_ENTRY 1

/* Read n header bytes into buf (NULL: skip them), keeping the header's
   checksum and CRC; zero_crc feeds zeros to the CRC instead (the header's
   own CRC field). Returns 0 when all n bytes were there. */
static int hdr_read(lzh_state *s, unsigned char *buf, unsigned long n, int zero_crc)
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

static unsigned long get_le(const unsigned char *p, unsigned short n)
{
    unsigned long v = 0;
    while (n--)
        v = (v << 8) | p[n];
    return v;
}

/* Read a name field of n bytes into part (up to its capacity). */
static int hdr_name(lzh_state *s, unsigned char *part, unsigned short *part_len,
                    unsigned long n)
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
static int hdr_extended(lzh_state *s, unsigned long next, unsigned short szlen,
                        unsigned long *total, unsigned short *crc, int *has_crc)
{
    unsigned char b[4];
    while (next) {
        unsigned long data;
        if (next < 1UL + szlen)
            return -1;
        data = next - 1 - szlen;
        *total += next;
        if (hdr_read(s, b, 1UL, 0))
            return -1;
        switch (b[0]) {
        case 0x00: /* CRC-16 of the whole header */
            if (data < 2 || hdr_read(s, b + 1, 2UL, 1) || hdr_read(s, NULL, (unsigned long)(data - 2), 0))
                return -1;
            *crc = (unsigned short)get_le(b + 1, 2);
            *has_crc = 1;
            break;
        case 0x01:
            if (hdr_name(s, s->name_file, &s->file_len, data))
                return -1;
            break;
        case 0x02:
            if (hdr_name(s, s->name_dir, &s->dir_len, data))
                return -1;
            break;
        case 0x40: /* MS-DOS attributes */
            if (data >= 1) {
                if (hdr_read(s, b + 1, 1UL, 0) || hdr_read(s, NULL, (unsigned long)(data - 1), 0))
                    return -1;
                s->entry.attr = b[1];
                break;
            }
            /* fall through */
        default:
            if (hdr_read(s, NULL, data, 0))
                return -1;
        }
        if (hdr_read(s, b, (unsigned long)szlen, 0))
            return -1;
        next = get_le(b, szlen);
    }
    return 0;
}

/* Read the header at the current position into s->entry. Returns HDR_ENTRY,
   HDR_END (end mark or end of file), or an LZH_E_* code (negated). */
static int read_header(lzh_state *s)
{
    lzh_entry *e = &s->entry;
    unsigned char b[32];
    unsigned long start = in_offset(s), hsize, ext_total = 0, data_start;
    unsigned short hdr_crc = 0;
    int has_hdr_crc = 0, c;

    memset(e, 0, sizeof *e);
    s->dir_len = s->file_len = 0;
    s->name_too_long = 0;
    s->hdr_crc = 0;
    c = in_byte(s);
    if (c <= 0)
        return c < 0 && s->error ? -LZH_E_READ : HDR_END;
    b[0] = (unsigned char)c;
    s->hdr_crc = CRC_BYTE(0, b[0]);
    if (hdr_read(s, b + 1, 1UL, 0))
        return -LZH_E_FORMAT;
    s->hdr_sum = 0;
    if (hdr_read(s, b + 2, 20UL, 0))
        return -LZH_E_FORMAT;
    if (b[2] != '-' || b[6] != '-')
        return -LZH_E_FORMAT;
    memcpy(e->method, b + 2, 5);
    e->method[5] = 0;
    e->packed = get_le(b + 7, 4);
    e->size = get_le(b + 11, 4);
    e->mtime = get_le(b + 15, 4);
    e->attr = b[19];
    e->level = b[20];

    switch (e->level) {
    case 0:
    case 1: {
        unsigned short namelen, rest;
        hsize = (unsigned long)b[0] + 2;
        namelen = b[21];
        if (22UL + namelen > hsize)
            return -LZH_E_FORMAT;
        if (hdr_name(s, s->name_file, &s->file_len, (unsigned long)namelen))
            return -LZH_E_FORMAT;
        rest = (unsigned short)(hsize - 22 - namelen);
        if (e->level == 1 && rest < 5)
            return -LZH_E_FORMAT;
        if (rest >= 2) {
            if (hdr_read(s, b + 24, 2UL, 0))
                return -LZH_E_FORMAT;
            e->crc = (unsigned short)get_le(b + 24, 2);
            e->has_crc = 1;
            rest -= 2;
        }
        if (e->level == 0) {
            if (hdr_read(s, NULL, (unsigned long)rest, 0))
                return -LZH_E_FORMAT;
        } else {
            if (hdr_read(s, b + 26, 1UL, 0) ||
                hdr_read(s, NULL, (unsigned long)(rest - 3), 0) || hdr_read(s, b + 24, 2UL, 0))
                return -LZH_E_FORMAT;
            e->os = b[26];
        }
        if ((s->hdr_sum & 0xFF) != b[1])
            return -LZH_E_FORMAT;
        if (e->level == 1) {
            if (hdr_extended(s, get_le(b + 24, 2), 2, &ext_total, &hdr_crc, &has_hdr_crc))
                return -LZH_E_FORMAT;
            if (ext_total > e->packed)
                return -LZH_E_FORMAT;
            e->packed -= ext_total;
            has_hdr_crc = 0; /* a level 1 header has its checksum instead */
        }
        break;
    }
    case 2:
    case 3: {
        unsigned short szlen = e->level == 2 ? 2 : 4;
        unsigned long fixed = e->level == 2 ? 26 : 32, used;
        if (hdr_read(s, b + 22, fixed - 22, 0))
            return -LZH_E_FORMAT;
        e->crc = (unsigned short)get_le(b + 21, 2);
        e->has_crc = 1;
        e->os = b[23];
        if (e->level == 2) {
            hsize = get_le(b, 2);
        } else {
            if (get_le(b, 2) != 4)
                return -LZH_E_FORMAT;
            hsize = get_le(b + 24, 4);
        }
        if (hsize < fixed)
            return -LZH_E_FORMAT;
        if (hdr_extended(s, get_le(b + fixed - szlen, szlen), szlen, &ext_total,
                         &hdr_crc, &has_hdr_crc))
            return -LZH_E_FORMAT;
        used = fixed + ext_total;
        /* Some writers pad the header; the padding belongs to it. One OS-9
           writer counts its header short: the chain of extended headers
           decides where the data begins. */
        if (used < hsize && (hsize - used > 255 || hdr_read(s, NULL, hsize - used, 0)))
            return -LZH_E_FORMAT;
        e->time_is_unix = 1;
        break;
    }
    default:
        return -LZH_E_FORMAT;
    }
    if (has_hdr_crc && s->hdr_crc != hdr_crc)
        return -LZH_E_FORMAT;
    data_start = in_offset(s);
    if (data_start < start)
        return -LZH_E_FORMAT;
    s->next_header = data_start + e->packed;
    if (s->next_header < data_start)
        return -LZH_E_FORMAT;
    return HDR_ENTRY;
}

/* ---------------------------------------------------------------------- */
/* Names                                                                   */

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
static unsigned short char_width(const unsigned char *p, unsigned short n)
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
static int device_name(const unsigned char *p, unsigned short n)
{
    static const char *const devices[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$",
                                          "CONIN$", "CONOUT$"};
    unsigned short base = 0, i, k;
    while (base < n && p[base] != '.')
        base++;
    while (base > 0 && p[base - 1] == ' ')
        base--;
    if (base == 4 && p[3] >= '1' && p[3] <= '9') {
        if ((upper(p[0]) == 'C' && upper(p[1]) == 'O' && upper(p[2]) == 'M') ||
            (upper(p[0]) == 'L' && upper(p[1]) == 'P' && upper(p[2]) == 'T'))
            return 1;
    }
    for (i = 0; i < sizeof devices / sizeof devices[0]; i++) {
        const char *d = devices[i];
        for (k = 0; k < base && d[k] && upper(p[k]) == d[k]; k++)
            ;
        if (k == base && d[k] == 0)
            return 1;
    }
    return 0;
}

/* Check one folder or file name; returns 0 when it may be written. */
static int component_ok(const unsigned char *p, unsigned short n)
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
static int path_append(lzh_state *s, unsigned short *len, const unsigned char *p,
                       unsigned short n)
{
    lzh_entry *e = &s->entry;
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
static int build_names(lzh_state *s)
{
    lzh_entry *e = &s->entry;
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
            if (!component_ok(raw + start, (unsigned short)(i - start)) ||
                !path_append(s, &len, raw + start, (unsigned short)(i - start)))
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
static int make_folders(lzh_state *s, int stop)
{
    char *path = s->entry.path;
    unsigned short n = (unsigned short)strlen(path), i, w;
    if (n == 0)
        return LZH_OK;
    for (i = 0; i <= n; i += w) {
        w = i < n ? char_width((unsigned char *)path + i, (unsigned short)(n - i)) : 1;
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

/* ---------------------------------------------------------------------- */
/* Entries                                                                 */

static unsigned char method_kind(const char *id, unsigned char *dicbit)
{
    unsigned short i;
    for (i = 0; i < N_METHODS; i++) {
        if (memcmp(id + 1, methods[i].id, 3) == 0) {
            *dicbit = methods[i].dicbit;
            return methods[i].kind;
        }
    }
    return MTH_UNKNOWN;
}

/* Decode the current entry's data (to s->file when set); returns the
   result, CRC included. */
static int decode_entry(lzh_state *s, unsigned char kind, unsigned char dicbit)
{
    s->error = LZH_OK;
    s->overrun = 0;
    s->bits = 0;
    s->nbits = 0;
    s->packed_left = s->entry.packed;
    s->out_left = s->entry.size;
    s->out_done = 0;
    s->crc = 0;
    s->outpos = 0;
    s->blocksize = 0;
#ifdef LZH_MACBINARY
    s->keep_from = 0;
    s->keep_to = 0xFFFFFFFFUL;
    s->mac_probe = (unsigned char)(s->entry.os == 'm' && s->entry.size >= 128);
#endif
    if (kind != MTH_STORED && !window_setup(s, dicbit))
        return LZH_E_MEMORY;
    switch (kind) {
    case MTH_STORED:
        decode_stored(s);
        break;
#ifndef LZH_NO_LH1
    case MTH_LH1:
        dyn_start(s);
        decode_lh1(s);
        break;
#endif
    case MTH_LHNEW:
        s->np = (unsigned short)(dicbit <= 13 ? 14 : dicbit + 1);
        s->pbit = (unsigned char)(dicbit <= 13 ? 4 : 5);
        decode_lhnew(s);
        break;
#ifndef LZH_NO_LZS
    case MTH_LZS:
        decode_lzs(s);
        break;
    case MTH_LZ5:
        decode_lz5(s);
        break;
#endif
    }
    out_flush(s);
    if (s->error)
        return s->error;
    if (s->entry.has_crc && s->crc != s->entry.crc)
        return LZH_E_CRC;
    return LZH_OK;
}

static int handle_entry(lzh_state *s, int mode)
{
    lzh_entry *e = &s->entry;
    const lzh_io *io = s->io;
    unsigned char dicbit = 0, kind = method_kind(e->method, &dicbit);
    int result, named;

    e->is_dir = (unsigned char)(kind == MTH_DIR);
    named = build_names(s);
    if (e->is_dir && kind == MTH_STORED)
        kind = MTH_DIR;
    if (io->note && io->note(io->ctx, LZH_EV_BEGIN, e, named) != 0)
        result = LZH_E_SKIPPED;
    else if (mode == LZH_MODE_LIST)
        result = LZH_OK;
    else if (named != LZH_OK)
        result = named;
    else if (kind == MTH_UNKNOWN)
        result = LZH_E_METHOD;
    else if (e->is_dir)
        result = mode == LZH_MODE_EXTRACT ? make_folders(s, 0) : LZH_OK;
    else if (e->path[0] == 0)
        result = LZH_E_NAME;
    else {
        s->file = NULL;
        result = LZH_OK;
        if (mode == LZH_MODE_EXTRACT) {
            result = make_folders(s, 1);
            if (result == LZH_OK && (s->file = io->create(io->ctx, e)) == NULL)
                result = LZH_E_CREATE;
        }
        if (result == LZH_OK) {
            result = decode_entry(s, kind, dicbit);
            if (s->file &&
                io->close(io->ctx, s->file, e, result == LZH_OK) != 0 &&
                result == LZH_OK)
                result = LZH_E_WRITE;
        }
        s->file = NULL;
    }
    if (io->note)
        io->note(io->ctx, LZH_EV_DONE, e, result);
    return result;
}

/* ---------------------------------------------------------------------- */
/* Public functions                                                        */

void lzh_init(lzh_state *s, const lzh_io *io)
{
    memset(s, 0, sizeof *s);
    s->io = io;
    if (crc_table[1] == 0)
        crc_init();
}

void lzh_done(lzh_state *s)
{
    if (s->win_alloc)
        LZH_WIN_FREE(s);
    s->win_alloc = 0;
}

int lzh_run(lzh_state *s, unsigned long offset, int mode)
{
    int first = LZH_OK, r;
    s->done = s->failed = 0;
    s->error = LZH_OK;
    if (s->rejected) {
        /* lzh_find passed over something shaped like a header: most likely
           the archive's own first header, damaged. Extract what can be
           found, but do not call the result intact. */
        memset(&s->entry, 0, sizeof s->entry);
        if (s->io->note)
            s->io->note(s->io->ctx, LZH_EV_DONE, &s->entry, LZH_E_FORMAT);
        s->failed++;
        first = LZH_E_FORMAT;
    }
    if (in_seek(s, offset) != 0)
        return LZH_E_READ;
    for (;;) {
        r = read_header(s);
        if (r == HDR_END)
            break;
        if (r < 0) {
            /* a header that cannot be read ends the walk: what follows
               cannot be located */
            memset(&s->entry, 0, sizeof s->entry);
            if (s->io->note)
                s->io->note(s->io->ctx, LZH_EV_DONE, &s->entry, -r);
            s->failed++;
            if (first == LZH_OK)
                first = -r;
            break;
        }
        r = handle_entry(s, mode);
        if (r == LZH_OK) {
            s->done++;
        } else {
            s->failed++;
            if (first == LZH_OK)
                first = r;
            if (r == LZH_E_CANCEL || r == LZH_E_READ)
                break;
        }
        s->error = LZH_OK;
        if (in_seek(s, s->next_header) != 0) {
            if (first == LZH_OK)
                first = LZH_E_READ;
            break;
        }
    }
    return first;
}

int lzh_find(lzh_state *s, unsigned long from, unsigned long *found)
{
    unsigned long at;
    unsigned char b[7];
    unsigned short i;
    int c;
    s->rejected = 0;
    for (at = from;; at++) {
        s->error = LZH_OK;
        if (in_seek(s, at) != 0)
            return LZH_E_READ;
        for (i = 0; i < 7; i++) {
            if ((c = in_byte(s)) < 0)
                return s->error ? LZH_E_READ : LZH_E_NOTFOUND;
            b[i] = (unsigned char)c;
        }
        if (b[2] != '-' || b[6] != '-' || (b[3] != 'l' && b[3] != 'p') || b[0] == 0)
            continue;
        if (in_seek(s, at) != 0)
            return LZH_E_READ;
        if (read_header(s) == HDR_ENTRY) {
            *found = at;
            return LZH_OK;
        }
        s->rejected++;
    }
}
