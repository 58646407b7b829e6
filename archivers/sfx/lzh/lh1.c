/* Part of lzhdec.c, included there: -lh1-, adaptive Huffman for literals
   and lengths, fixed codes for the upper six bits of a position. */

#define DYN_T LZH_DYN_T
#define DYN_ROOT (DYN_T - 1)
#define DYN_MAX_FREQ 0x8000u

static void dyn_start(lzh_state* s)
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
static void dyn_rebuild(lzh_state* s)
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

static void dyn_update(lzh_state* s, unsigned short c)
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

static void decode_lh1(lzh_state* s)
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
        i = (unsigned short)((i << (s->u.dyn.d_len[i] - 2))
                             | bits_get(s, (unsigned short)(s->u.dyn.d_len[i] - 2)));
        p |= i & 0x3F;
        out_copy(s, (unsigned short)((unsigned)s->wpos - p - 1u), take(s, len));
    }
}
