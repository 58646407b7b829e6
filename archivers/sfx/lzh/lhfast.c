/* Part of lzhdec.c, included there where LZH_FAST is defined (the native
   builds): a faster -lh4- to -lh7- decoding loop for machines with memory and
   a wide bit buffer to spare. The block headers and lookup tables are those
   of lhnew.c; what differs is where the bytes go. The dictionary block holds
   the dictionary followed by room for FAST_CHUNK bytes of output (window.c):
   the loop writes each byte once, straight behind the bytes before it, copies
   matches that do not overlap eight bytes at a time, and every FAST_CHUNK
   bytes hands them on and moves the last dictionary's worth of them back to
   the front. The bit buffer and the counters live in locals while the loop
   runs (a byte stored through `out` could otherwise be any of them). */

#define BITBUF_BITS (8u * (unsigned)sizeof(unsigned long))

/* Fills the bit buffer to the brim while the entry's data lasts; past its
   end, only as far as bits_need does, so that a damaged stream meets the
   same overrun limit as the compact loop. */
static void bits_fill(lzh_state* s)
{
    while (s->nbits <= BITBUF_BITS - 8) {
        if (s->packed_left && s->inpos < s->inlen) {
            s->packed_left--;
            s->bits = (s->bits << 8) | s->inbuf[s->inpos++];
        } else if (s->packed_left || s->nbits <= 24) {
            s->bits = (s->bits << 8) | data_byte(s);
        } else {
            return;
        }
        s->nbits += 8;
    }
}

/* Hands on out[from, to) in pieces out_emit takes. */
static void fast_emit(lzh_state* s, const unsigned char* out, unsigned long from, unsigned long to)
{
    while (from < to && !s->error) {
        unsigned short n = (unsigned short)(to - from > FAST_CHUNK ? FAST_CHUNK : to - from);
        out_emit(s, out + from, n);
        from += n;
    }
}

/* The bit buffer, between the locals of the loop and the state. */
#define FAST_SAVE()                                                                                          \
    do {                                                                                                     \
        s->bits = bits;                                                                                      \
        s->nbits = (unsigned short)nbits;                                                                    \
    } while (0)
#define FAST_LOAD()                                                                                          \
    do {                                                                                                     \
        bits = s->bits;                                                                                      \
        nbits = s->nbits;                                                                                    \
    } while (0)

/* Tops up the bit buffer: whole bytes straight from the input buffer when
   enough of the entry's data is there, otherwise through bits_fill. */
#define FAST_REFILL()                                                                                        \
    do {                                                                                                     \
        if (s->packed_left >= 8 && s->inlen - s->inpos >= 8) {                                               \
            const unsigned char* in_ = s->inbuf + s->inpos;                                                  \
            unsigned n_ = (BITBUF_BITS - nbits) / 8;                                                         \
            s->inpos = (unsigned short)(s->inpos + n_);                                                      \
            s->packed_left -= n_;                                                                            \
            nbits += 8 * n_;                                                                                 \
            while (n_--)                                                                                     \
                bits = (bits << 8) | *in_++;                                                                 \
        } else {                                                                                             \
            FAST_SAVE();                                                                                     \
            bits_fill(s);                                                                                    \
            FAST_LOAD();                                                                                     \
        }                                                                                                    \
    } while (0)

#define FAST_PEEK16() ((unsigned short)((bits >> (nbits - 16)) & 0xFFFFu))

static void decode_lhnew_fast(lzh_state* s)
{
    unsigned char* out = s->window;
    const unsigned short* c_table = s->u.c_table;
    const unsigned short* pt_table = s->pt_table;
    const unsigned char* c_len = s->c_len;
    const unsigned char* pt_len = s->pt_len;
    const unsigned short np = s->np, wmask = s->wmask;
    const unsigned long dict = (unsigned long)wmask + 1;
    unsigned long at = dict; /* out[0, dict) is the dictionary so far */
    unsigned long left = s->out_left, bits = s->bits;
    unsigned nbits = s->nbits, blocksize = s->blocksize;
    unsigned short c, p, peek, len;

    while (left && !s->error) {
        if (at >= dict + FAST_CHUNK) {
            fast_emit(s, out, dict, at);
            memmove(out, out + at - dict, dict);
            at = dict;
        }
        if (blocksize == 0) {
            int read;
            FAST_SAVE();
            read = read_block_header(s);
            FAST_LOAD();
            if (!read)
                break;
            blocksize = s->blocksize;
        }
        blocksize--;
        if (nbits <= BITBUF_BITS - 8)
            FAST_REFILL();
        peek = FAST_PEEK16();
        c = c_table[peek >> 4];
        if (c >= LZH_NC && (c = tree_walk(s, c, LZH_NC, peek, 1u << 3)) >= LZH_NC) {
            s->error = LZH_E_DATA;
            break;
        }
        nbits -= c_len[c];
        if (c < 256) {
            left--;
            out[at++] = (unsigned char)c;
            continue;
        }
        len = (unsigned short)(c - 253);
        if ((unsigned long)len > left)
            len = (unsigned short)left;
        left -= len;
        if (nbits < 32)
            FAST_REFILL();
        peek = FAST_PEEK16();
        p = pt_table[peek >> 8];
        if (p >= np && (p = tree_walk(s, p, np, peek, 1u << 7)) >= np) {
            s->error = LZH_E_DATA;
            break;
        }
        nbits -= pt_len[p];
        if (p > 1) {
            /* the position's low bits, at most 15 */
            unsigned short extra = (unsigned short)(p - 1);
            if (nbits < extra)
                FAST_REFILL();
            nbits -= extra;
            p = (unsigned short)((1u << extra) + (unsigned short)((bits >> nbits) & ((1u << extra) - 1)));
        }
        /* a distance beyond the dictionary wraps around it, as in the ring
           of the compact loop */
        p &= wmask;
        {
            const unsigned char* from = out + at - p - 1;
            unsigned char* to = out + at;
            unsigned char* end = to + len;
            at += len;
            if (p >= 7) {
                for (; to < end; to += 8, from += 8)
                    memcpy(to, from, 8);
            } else {
                while (to < end)
                    *to++ = *from++;
            }
        }
    }
    FAST_SAVE();
    s->out_left = left;
    fast_emit(s, out, dict, at);
}
