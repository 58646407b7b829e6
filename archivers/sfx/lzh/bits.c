/* Part of lzhdec.c, included there: the bit reader, most significant bit
   first, at least 17 bits after bits_need. */

static void bits_need(lzh_state* s)
{
    while (s->nbits <= 24) {
        s->bits = (s->bits << 8) | data_byte(s);
        s->nbits += 8;
    }
}

#define BITS_PEEK16(s) ((unsigned short)(((s)->bits >> ((s)->nbits - 16)) & 0xFFFFu))

/* n <= 16 */
static unsigned short bits_get(lzh_state* s, unsigned short n)
{
    unsigned short v;
    if (n == 0)
        return 0;
    bits_need(s);
    s->nbits -= n;
    v = (unsigned short)((s->bits >> s->nbits) & ((1UL << n) - 1));
    return v;
}

static void bits_drop(lzh_state* s, unsigned short n)
{
    if (s->nbits < n)
        bits_need(s);
    s->nbits -= n;
}
