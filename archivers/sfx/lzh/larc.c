/* Part of lzhdec.c, included there: the LArc methods -lzs- (2 KiB, bit
   flags) and -lz5- (4 KiB, flag bytes). Positions are absolute dictionary
   indexes. */

static void decode_lzs(lzh_state* s)
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

static void decode_lz5(lzh_state* s)
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
