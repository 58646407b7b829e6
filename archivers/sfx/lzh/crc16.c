/* Part of lzhdec.c, included there: CRC-16. */

#ifdef LZH_CRC_SLICES
/* Where memory is no concern, sixteen tables take the CRC sixteen bytes per
   step: crc_slices[k][b] is the CRC of the byte b followed by k zero bytes. */
static unsigned short crc_slices[16][256];
#endif

static void crc_init(void)
{
    unsigned short i, k, c;
    for (i = 0; i < 256; i++) {
        c = i;
        for (k = 0; k < 8; k++)
            c = (unsigned short)((c & 1) ? (c >> 1) ^ 0xA001u : c >> 1);
        crc_table[i] = c;
    }
#ifdef LZH_CRC_SLICES
    for (i = 0; i < 256; i++) {
        crc_slices[0][i] = crc_table[i];
        for (k = 1; k < 16; k++) {
            c = crc_slices[k - 1][i];
            crc_slices[k][i] = (unsigned short)(crc_table[c & 0xFF] ^ (c >> 8));
        }
    }
#endif
}

#define CRC_BYTE(crc, b) ((unsigned short)(crc_table[((crc) ^ (b)) & 0xFF] ^ ((crc) >> 8)))

static unsigned short crc_block(unsigned short crc, const unsigned char* p, unsigned short len)
{
#ifdef LZH_CRC_SLICES
    for (; len >= 16; len = (unsigned short)(len - 16), p += 16)
        crc = (unsigned short)(crc_slices[15][(p[0] ^ crc) & 0xFF] ^ crc_slices[14][p[1] ^ (crc >> 8)]
                               ^ crc_slices[13][p[2]] ^ crc_slices[12][p[3]] ^ crc_slices[11][p[4]]
                               ^ crc_slices[10][p[5]] ^ crc_slices[9][p[6]] ^ crc_slices[8][p[7]]
                               ^ crc_slices[7][p[8]] ^ crc_slices[6][p[9]] ^ crc_slices[5][p[10]]
                               ^ crc_slices[4][p[11]] ^ crc_slices[3][p[12]] ^ crc_slices[2][p[13]]
                               ^ crc_slices[1][p[14]] ^ crc_slices[0][p[15]]);
#endif
    while (len--)
        crc = CRC_BYTE(crc, *p++);
    return crc;
}

unsigned short lzh_crc16(unsigned short crc, const unsigned char* p, unsigned short len)
{
    if (crc_table[1] == 0)
        crc_init();
    return crc_block(crc, p, len);
}
