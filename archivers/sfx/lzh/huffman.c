/* Part of lzhdec.c, included there: canonical Huffman lookup tables with
   their overflow trees (-lh4- to -lh7-). */

#define NO_CODE 0xFFFFu

/* The canonical code of nchar symbols with the given code lengths: how many
   codes each length has and, per length, its first code as 16 bits
   left-aligned (start[17] is one past the last code). 0 for a length over 16
   or more codes than fit. */
static int code_starts(unsigned short nchar, const unsigned char* len, unsigned short* count,
                       unsigned long* start)
{
    unsigned short i;
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
    return start[17] <= 0x10000UL;
}

/* Lookup table of 2^tbits entries for nchar symbols with the given code
   lengths (codes assigned shortest first, then by symbol, as LHA does);
   longer codes continue as a tree in left/right. A hole left by an
   incomplete code stays NO_CODE and is an error when met. */
static int make_table(lzh_state* s, unsigned short nchar, const unsigned char* len, unsigned short tbits,
                      unsigned short* table)
{
    unsigned long start[18], code;
    unsigned short count[17], i, k, l, avail = nchar, limit = 2 * nchar - 1;
    unsigned short tsize = (unsigned short)(1u << tbits);

    if (!code_starts(nchar, len, count, start))
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
#ifdef LZH_FAST
            /* Natively, four entries a store: n is a power of two and first
               a multiple of it. Most of a block's table goes this way. */
            if (n >= 4) {
                unsigned short four[4];
                four[0] = four[1] = four[2] = four[3] = i;
                for (k = 0; k < n; k = (unsigned short)(k + 4))
                    memcpy(&table[first + k], four, sizeof four);
                continue;
            }
#endif
            for (k = 0; k < n; k++)
                table[first + k] = i;
        } else {
            unsigned short* p = &table[code >> (16 - tbits)];
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

#ifdef LZH_FAST
/* Natively, the literal/length code of a block for the fast loop, from the
   code lengths: the table of its codes of up to 10 bits (symbol * 64 +
   length) and, for longer codes, where each length starts, codes assigned
   as make_table assigns them; refused as make_table refuses (code_starts). */
static int make_fast_code(lzh_state* s)
{
    unsigned long start[18];
    unsigned short count[17], next[17], i, k, l, n, entry, at = 0;
    const unsigned char* len = s->c_len;
    unsigned short* fast = s->u.c_code.fast;

    if (!code_starts(LZH_NC, len, count, start))
        return 0;
    for (l = 11; l <= 17; l++)
        s->u.c_code.long_start[l] = start[l];
    for (l = 11; l <= 16; l++) {
        s->u.c_code.long_first[l] = next[l] = at;
        at = (unsigned short)(at + count[l]);
    }
    for (i = 0; i < 1024; i++)
        fast[i] = NO_CODE;
    for (i = 0; i < LZH_NC; i++) {
        l = len[i];
        if (l == 0)
            continue;
        if (l > 10) {
            s->u.c_code.longer[next[l]++] = i;
            continue;
        }
        n = (unsigned short)(1u << (10 - l));
        entry = (unsigned short)((unsigned)i << 6 | l);
        for (k = (unsigned short)(start[l] >> 6); n; n--, k++)
            fast[k] = entry;
        start[l] += 1UL << (16 - l);
    }
    return 1;
}
#endif

/* Walk the tree below a table entry for codes longer than the table. */
static unsigned short tree_walk(lzh_state* s, unsigned short j, unsigned short nchar, unsigned short peek,
                                unsigned short mask)
{
    while (j >= nchar && j != NO_CODE && mask) {
        j = (peek & mask) ? s->right[j] : s->left[j];
        mask >>= 1;
    }
    return j;
}
