/*
 * sfxseal.h - what a self-extractor knows of the archive it carries.
 *
 * Every stub holds one seal record in its initialised data: eight bytes of
 * magic, then three 32-bit little-endian numbers. The stub is written with
 * them zero; the library that appends an archive fills them in: where the
 * archive starts in the file, its length and its CRC-32. Before it writes
 * anything, a stub checks that its file still holds that many bytes there
 * and that their CRC-32 is right, so a download cut short or an altered
 * file is refused whole. Bytes after the archive (an Authenticode
 * signature, for one) are never read.
 */
#ifndef TB_SFXSEAL_H
#define TB_SFXSEAL_H

#ifdef __cplusplus
extern "C" {
#endif

#define SFX_SEAL_SIZE 20
/* The magic, as the library looks for it in a stub. */
#define SFX_SEAL_MAGIC "TB2SEAL\x1A"
#define SFX_SEAL_MAGIC_SIZE 8

/* The record as a 32-bit or 16-bit stub declares it (unsigned long is 32
   bits there); natively the bytes are read one by one. */
typedef struct sfx_seal {
    unsigned char magic[SFX_SEAL_MAGIC_SIZE];
    unsigned long offset; /* of the archive in this file; 0: no archive */
    unsigned long length;
    unsigned long crc;
} sfx_seal;

#define SFX_SEAL_INIT                                                                                        \
    {                                                                                                        \
        {'T', 'B', '2', 'S', 'E', 'A', 'L', 0x1A}, 0, 0, 0                                                   \
    }

/* The outcome of a check, shared by every stub. */
#define SFX_SEAL_OK 0
#define SFX_SEAL_NONE 1    /* no archive was ever appended */
#define SFX_SEAL_SHORT 2   /* the file ends before the archive does */
#define SFX_SEAL_ALTERED 3 /* the archive's bytes are not the ones sealed */

/* CRC-32 (the one of zlib and Ethernet): start with crc = 0 and feed the
   bytes in order. */
unsigned long sfx_crc32(unsigned long crc, const unsigned char* p, unsigned short n);

#ifdef __cplusplus
}
#endif

#endif
