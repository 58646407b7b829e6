/* Part of lzhdec.c, included there: CRC-16. */

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

#define CRC_BYTE(crc, b) ((unsigned short)(crc_table[((crc) ^ (b)) & 0xFF] ^ ((crc) >> 8)))

unsigned short lzh_crc16(unsigned short crc, const unsigned char* p, unsigned short len)
{
    if (crc_table[1] == 0)
        crc_init();
    while (len--)
        crc = CRC_BYTE(crc, *p++);
    return crc;
}
