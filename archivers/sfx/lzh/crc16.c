/* Part of lzhdec.c, included there: CRC-16. */

#ifdef LZH_CRC_SLICES
/* Where memory is no concern, sixteen tables take the CRC sixteen bytes per
   step: crc_slices[k][b] is the CRC of the byte b followed by k zero bytes. */
static unsigned short crc_slices[16][256];
#endif

#if defined(LZH_FAST) && defined(__x86_64__) && defined(__GNUC__)
/* Where the processor multiplies carry-less, long blocks are folded 64 bytes
   per step into a 128-bit remainder (the same CRC modulo the polynomial);
   the tables finish the last bytes. */
#define LZH_CRC_FOLD 1
#include <immintrin.h>
static int crc_fold_usable;
/* The multipliers of a fold over 512 and over 128 bits. */
static __m128i crc_fold_512, crc_fold_128;

/* x^n mod (x^16 + x^15 + x^2 + 1), in the reflected order of a 64-bit
   multiplicand: the coefficient of x^i at bit 63 - i. */
static unsigned long crc_power(unsigned n)
{
    unsigned long r = 1, placed = 0;
    unsigned i;
    while (n--) {
        r <<= 1;
        if (r & 0x10000UL)
            r ^= 0x18005UL;
    }
    for (i = 0; i < 16; i++)
        if (r & (1UL << i))
            placed |= 1UL << (31 - i);
    return placed; /* bits 32..63 of the multiplicand; its low half is zero */
}

/* A fold multiplier: the low quadword multiplies the high-order half of a
   remainder (x^(d+64) away from the end), the high quadword the low-order
   half (x^d away). The product of two reflected quadwords lands one place
   up, so both powers are one less. */
static __m128i crc_multiplier(unsigned d)
{
    return _mm_set_epi32((int)crc_power(d - 1), 0, (int)crc_power(d + 63), 0);
}
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
#ifdef LZH_CRC_FOLD
    crc_fold_512 = crc_multiplier(512);
    crc_fold_128 = crc_multiplier(128);
    crc_fold_usable = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
#endif
}

#define CRC_BYTE(crc, b) ((unsigned short)(crc_table[((crc) ^ (b)) & 0xFF] ^ ((crc) >> 8)))

#ifdef LZH_CRC_FOLD
#define CRC_FOLD(r, k) _mm_xor_si128(_mm_clmulepi64_si128(r, k, 0x00), _mm_clmulepi64_si128(r, k, 0x11))
#define CRC_LOAD(p) _mm_loadu_si128((const __m128i*)(const void*)(p))

/* The CRC of len (at least 64, a multiple of 16) bytes: four remainders fold
   over 512 bits each step, then into one, which the tables finish. */
__attribute__((target("pclmul,sse2"))) static unsigned short
crc_fold(unsigned short crc, const unsigned char* p, unsigned short len)
{
    unsigned char last[16];
    __m128i r0 = _mm_xor_si128(CRC_LOAD(p), _mm_cvtsi32_si128(crc));
    __m128i r1 = CRC_LOAD(p + 16), r2 = CRC_LOAD(p + 32), r3 = CRC_LOAD(p + 48);
    for (p += 64, len = (unsigned short)(len - 64); len >= 64; p += 64, len = (unsigned short)(len - 64)) {
        r0 = _mm_xor_si128(CRC_FOLD(r0, crc_fold_512), CRC_LOAD(p));
        r1 = _mm_xor_si128(CRC_FOLD(r1, crc_fold_512), CRC_LOAD(p + 16));
        r2 = _mm_xor_si128(CRC_FOLD(r2, crc_fold_512), CRC_LOAD(p + 32));
        r3 = _mm_xor_si128(CRC_FOLD(r3, crc_fold_512), CRC_LOAD(p + 48));
    }
    r1 = _mm_xor_si128(CRC_FOLD(r0, crc_fold_128), r1);
    r2 = _mm_xor_si128(CRC_FOLD(r1, crc_fold_128), r2);
    r3 = _mm_xor_si128(CRC_FOLD(r2, crc_fold_128), r3);
    for (; len >= 16; p += 16, len = (unsigned short)(len - 16))
        r3 = _mm_xor_si128(CRC_FOLD(r3, crc_fold_128), CRC_LOAD(p));
    _mm_storeu_si128((__m128i*)(void*)last, r3);
    crc = 0;
    for (len = 0; len < 16; len++)
        crc = CRC_BYTE(crc, last[len]);
    return crc;
}
#endif

static unsigned short crc_block(unsigned short crc, const unsigned char* p, unsigned short len)
{
#ifdef LZH_CRC_FOLD
    if (len >= 64 && crc_fold_usable) {
        unsigned short whole = (unsigned short)(len & ~15u);
        crc = crc_fold(crc, p, whole);
        p += whole;
        len = (unsigned short)(len - whole);
    }
#endif
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
