/* crc32.c - CRC-32 for the seal check of the 32-bit stubs and the native
 * tool (the 16-bit stubs have theirs in assembly). The table is made on the
 * first call, so it costs the program file nothing. */
#include "sfxseal.h"

unsigned long sfx_crc32(unsigned long crc, const unsigned char* p, unsigned short n)
{
    static unsigned long table[256];
    unsigned long c;
    unsigned short i, k;
    if (table[1] == 0) {
        for (i = 0; i < 256; i++) {
            c = i;
            for (k = 0; k < 8; k++)
                c = c & 1 ? (c >> 1) ^ 0xEDB88320UL : c >> 1;
            table[i] = c;
        }
    }
    c = ~crc & 0xFFFFFFFFUL;
    while (n--)
        c = table[(c ^ *p++) & 0xFF] ^ (c >> 8);
    return ~c & 0xFFFFFFFFUL;
}
