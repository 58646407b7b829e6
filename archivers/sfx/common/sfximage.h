/*
 * sfximage.h - what the headers of a DOS or Windows executable (MZ, and the
 * NE or PE image behind it) say about its file: where the program's own
 * image ends, so that anything behind it (an appended archive) is no part
 * of the program, and whether the file is a self-extractor of ours.
 *
 * A self-extractor of ours is one of our stubs with an archive appended:
 * its seal record (sfxseal.h) lies inside the program image, filled in, and
 * names an archive that starts at or behind the image's end (the CAB stub
 * is padded to whole pages) and inside the file. A seal record anywhere
 * else, say in the data of an archive that stores a self-extractor, is no
 * seal.
 *
 * Native code only (the libraries and tb-sfx-lzh): a stub knows its own
 * layout.
 */
#ifndef TB_SFXIMAGE_H
#define TB_SFXIMAGE_H

#ifdef __cplusplus
extern "C" {
#endif

/* Reads up to size bytes at offset into buf; returns the count read. */
typedef unsigned long (*sfx_read_at)(const void* ctx, unsigned long offset, unsigned char* buf,
                                     unsigned long size);

typedef struct sfx_file {
    sfx_read_at read;
    const void* ctx;
    unsigned long size;
} sfx_file;

/* Where the program image of an MZ executable ends in its file: behind its
   PE sections or its NE segments, resources and names, or behind what DOS
   loads, whichever lies furthest. 0 when the file is no MZ executable or
   its headers claim more than the file holds. */
unsigned long sfx_image_end(const sfx_file* f);

/* A seal record as found in a file. */
typedef struct sfx_found_seal {
    unsigned long offset, length, crc;
} sfx_found_seal;

/* 1 when f is a self-extractor of ours (see above), with its seal in
 *seal; 0 for any other file. */
int sfx_own_seal(const sfx_file* f, sfx_found_seal* seal);

#ifdef __cplusplus
}
#endif

#endif
