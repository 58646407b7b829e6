/* Part of lzhdec.c, included there where LZH_FAST is defined (the native
   builds): a faster -lh4- to -lh7- decoding loop for machines with memory and
   a wide bit buffer to spare. The block headers are read by lhnew.c, which
   natively makes the literal/length code a 10-bit table with the canonical
   code's starts beside it (make_fast_code) rather than a 12-bit table and a
   tree, and the loop decodes with those. The dictionary block holds
   the dictionary followed by room for FAST_CHUNK bytes of output (window.c):
   the loop writes each byte once, straight behind the bytes before it, copies
   matches that do not overlap sixteen or eight bytes at a time, and every
   FAST_CHUNK bytes hands them on and moves the last dictionary's worth of
   them back to the front. A symbol takes one lookup that gives its code
   length too, and the bit buffer is topped up with one load at most once a
   symbol. The bit buffer, the input position and the counters live in
   locals while the loop runs (a byte stored through `out` could otherwise be
   any of them). */

#define BITBUF_BITS (8u * (unsigned)sizeof(unsigned long))
/* The loop's bit buffer is an unsigned long of 64 bits. */
typedef char lhfast_needs_a_64_bit_long[BITBUF_BITS == 64 ? 1 : -1];

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

/* Codes the fast tables resolve, by the leading bits of the buffer: most
   codes of a block are shorter. A longer literal/length code is decoded from
   the starts of its canonical code (make_fast_code), a longer position code
   through the block's position table and its tree. */
#define FAST_CBITS 10u
#define FAST_PBITS 8u
#define FAST_MISS 0xFFFFu

/* The literal/length table make_fast_code builds holds one entry per
   FAST_CBITS-bit prefix: the symbol times 64 plus its code length, so that a
   symbol costs one lookup and the entry itself is the shift that drops the
   code; FAST_MISS where the code is longer or the prefix leads nowhere. The
   position table is made the same way from the block's table of 8-bit
   prefixes. */
typedef char fast_code_table_fits[sizeof((lzh_state*)0)->u.c_code.fast == 2u << FAST_CBITS ? 1 : -1];

static void fast_positions(const lzh_state* s, unsigned short* fast_p)
{
    unsigned short i, c;
    for (i = 0; i < 1u << FAST_PBITS; i++) {
        c = s->pt_table[i];
        fast_p[i] = (unsigned short)(c < s->np ? (unsigned)c << 6 | s->pt_len[c] : FAST_MISS);
    }
}

/* A literal/length code of 11 to 16 bits, by the 16 bits `peek` starts with
   (at or past the codes of the fast table): the symbol and its length as in
   the fast table, FAST_MISS where the bits lead to no symbol. */
static unsigned short long_literal_code(const lzh_state* s, unsigned short peek)
{
    unsigned short l;
    for (l = 11; l <= 16; l++) {
        if (peek < s->u.c_code.long_start[l + 1]) {
            const unsigned long nth = (peek - s->u.c_code.long_start[l]) >> (16 - l);
            return (unsigned short)((unsigned)s->u.c_code.longer[s->u.c_code.long_first[l] + nth] << 6 | l);
        }
    }
    return FAST_MISS;
}

/* A position code the fast table does not resolve, by the 16 bits `peek`
   starts with: through the block's table of 8-bit prefixes and its tree.
   The symbol and its length as in the fast table, FAST_MISS where the bits
   lead to no symbol. */
static unsigned short long_position_code(lzh_state* s, unsigned short peek)
{
    unsigned short c = s->pt_table[peek >> 8];
    if (c >= s->np)
        c = tree_walk(s, c, s->np, peek, 1u << 7);
    return (unsigned short)(c < s->np ? (unsigned)c << 6 | s->pt_len[c] : FAST_MISS);
}

/* The eight bytes at p, the first the most significant: spelt out, so that
   compilers make it one load and a byte swap (GCC does when the bytes come
   through a pointer of their own and the word stands alone), and a macro,
   so that it is inlined in C89 too. */
#define LOAD_BE64(p)                                                                                         \
    ((unsigned long)(p)[0] << 56 | (unsigned long)(p)[1] << 48 | (unsigned long)(p)[2] << 40                 \
     | (unsigned long)(p)[3] << 32 | (unsigned long)(p)[4] << 24 | (unsigned long)(p)[5] << 16               \
     | (unsigned long)(p)[6] << 8 | (unsigned long)(p)[7])

/* While the loop runs, the bit buffer is held the other way round from the
   state's: its next bit is the word's top bit, so that a lookup takes a
   fixed shift and a code is dropped with one shift by its length; the bits
   below the nbits that count are zero or the input's next bits. The loop
   reads the input buffer at `pos` while eight bytes of the entry's data are
   there (up to `limit`); bits_fill takes the rest. */
#define FAST_SAVE()                                                                                          \
    do {                                                                                                     \
        s->bits = nbits ? bits >> (64u - nbits) : 0;                                                         \
        s->nbits = (unsigned short)nbits;                                                                    \
        s->packed_left -= pos - s->inpos;                                                                    \
        s->inpos = (unsigned short)pos;                                                                      \
    } while (0)
#define FAST_LOAD()                                                                                          \
    do {                                                                                                     \
        nbits = s->nbits;                                                                                    \
        bits = nbits ? s->bits << (64u - nbits) : 0;                                                         \
        pos = s->inpos;                                                                                      \
        limit = s->inlen - pos < s->packed_left ? s->inlen : pos + (unsigned)s->packed_left;                 \
    } while (0)

/* Tops up the bit buffer to at least 56 bits with the whole bytes that
   fit, from one load of the eight bytes at pos (which must be the entry's
   data: pos + 8 <= limit). */
#define FAST_TOP_UP()                                                                                        \
    do {                                                                                                     \
        const unsigned char* in_ = s->inbuf + pos;                                                           \
        unsigned long word_ = LOAD_BE64(in_);                                                                \
        bits |= word_ >> nbits;                                                                              \
        pos += (63u - nbits) / 8u;                                                                           \
        nbits |= 56u;                                                                                        \
    } while (0)

/* Tops up the bit buffer to at least 56 bits (with nbits < 56): with one
   load when eight bytes of the entry's data are in the input buffer;
   otherwise through bits_fill. */
#define FAST_REFILL()                                                                                        \
    do {                                                                                                     \
        if (pos + 8 <= limit) {                                                                              \
            FAST_TOP_UP();                                                                                   \
        } else {                                                                                             \
            FAST_SAVE();                                                                                     \
            bits_fill(s);                                                                                    \
            FAST_LOAD();                                                                                     \
        }                                                                                                    \
    } while (0)

#define FAST_PEEK16() ((unsigned short)(bits >> 48))
#define FAST_DROP(n)                                                                                         \
    do {                                                                                                     \
        bits <<= (n);                                                                                        \
        nbits -= (n);                                                                                        \
    } while (0)

/* Bits a symbol may take at most: a code (16), a position code (16) and its
   low bits (15). With that many in the buffer, a symbol needs no refill. */
#define FAST_SYMBOL_BITS 47u

static void decode_lhnew_fast(lzh_state* s)
{
    unsigned char* out = s->window;
    const unsigned short* fast_c = s->u.c_code.fast;
    unsigned short fast_p[1u << FAST_PBITS];
    const unsigned short wmask = s->wmask;
    const unsigned long dict = (unsigned long)wmask + 1;
    unsigned long at = dict; /* out[0, dict) is the dictionary so far */
    /* where the entry's output ends, in the same terms as `at` (a counter
       of bytes left would be one more variable to keep up a literal) */
    unsigned long stop = at + s->out_left, bits;
    unsigned nbits, pos, limit, blocksize = s->blocksize;
    unsigned short c, p, len, e;

    FAST_LOAD();
    while (at < stop) {
        if (at >= dict + FAST_CHUNK) {
            fast_emit(s, out, dict, at);
            if (s->error)
                break;
            memmove(out, out + at - dict, dict);
            stop -= at - dict;
            at = dict;
        }
        if (blocksize == 0) {
            int read;
            FAST_SAVE();
            read = read_block_header(s);
            FAST_LOAD();
            if (!read || s->error)
                break;
            /* a count of 0 is 65536 symbols, as the compact loop's 16-bit
               count takes it */
            blocksize = s->blocksize ? s->blocksize : 0x10000u;
            fast_positions(s, fast_p);
        }
        blocksize--;
        /* topped up at every symbol while the data is at hand, whether or
           not the symbol needs it: a test of the bit count would be a
           branch the processor often guesses wrong */
        if (pos + 8 <= limit) {
            FAST_TOP_UP();
        } else if (nbits < FAST_SYMBOL_BITS) {
            FAST_REFILL();
            /* past the entry's data bits_fill invents zero bits up to an
               overrun limit, then stops the entry */
            if (s->error)
                break;
        }
        e = fast_c[bits >> (64u - FAST_CBITS)];
        if (e == FAST_MISS && (e = long_literal_code(s, FAST_PEEK16())) == FAST_MISS) {
            s->error = LZH_E_DATA;
            break;
        }
        c = (unsigned short)(e >> 6);
        FAST_DROP(e & 63u);
        if (c < 256) {
            out[at++] = (unsigned char)c;
            continue;
        }
        len = (unsigned short)(c - 253);
        if ((unsigned long)len > stop - at)
            len = (unsigned short)(stop - at);
        /* only near the end of the data can fewer bits than a symbol's be left */
        if (nbits < 32) {
            FAST_REFILL();
            if (s->error)
                break;
        }
        e = fast_p[bits >> (64u - FAST_PBITS)];
        if (e == FAST_MISS && (e = long_position_code(s, FAST_PEEK16())) == FAST_MISS) {
            s->error = LZH_E_DATA;
            break;
        }
        p = (unsigned short)(e >> 6);
        FAST_DROP(e & 63u);
        if (p > 1) {
            /* the position's low bits, at most 15 */
            unsigned short extra = (unsigned short)(p - 1);
            if (nbits < extra) {
                FAST_REFILL();
                if (s->error)
                    break;
            }
            p = (unsigned short)((1u << extra) + (unsigned short)(bits >> (64u - extra)));
            FAST_DROP(extra);
        }
        /* a distance beyond the dictionary wraps around it, as in the ring
           of the compact loop */
        p &= wmask;
        {
            const unsigned char* from = out + at - p - 1;
            unsigned char* to = out + at;
            unsigned char* end = to + len;
            at += len;
            if (p >= 15) {
                /* sixteen bytes a copy, one after the other; two of them
                   whatever the length, as most matches are no longer */
                memcpy(to, from, 16);
                memcpy(to + 16, from + 16, 16);
                for (to += 32, from += 32; to < end; to += 16, from += 16)
                    memcpy(to, from, 16);
            } else if (p >= 7) {
                for (; to < end; to += 8, from += 8)
                    memcpy(to, from, 8);
            } else {
                while (to < end)
                    *to++ = *from++;
            }
        }
    }
    FAST_SAVE();
    s->out_left = stop - at;
    fast_emit(s, out, dict, at);
}
