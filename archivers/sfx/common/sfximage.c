/* sfximage.c - the program image of an MZ executable and the seal of a
 * self-extractor of ours (sfximage.h). */
#include "sfximage.h"

#include "sfxseal.h"

#include <string.h>

/* Our stubs are some 20 KiB: a seal further into an image is none of ours. */
#define SEAL_SEARCH_LIMIT 0x10000UL
#define SEAL_SEARCH_STEP 4096

static unsigned long get16(const unsigned char* p)
{
    return (unsigned long)p[0] | (unsigned long)p[1] << 8;
}

static unsigned long get32(const unsigned char* p)
{
    return get16(p) | get16(p + 2) << 16;
}

static unsigned long larger(unsigned long a, unsigned long b)
{
    return a > b ? a : b;
}

static int read_whole(const sfx_file* f, unsigned long offset, unsigned char* buf, unsigned long size)
{
    return offset < f->size && f->read(f->ctx, offset, buf, size) == size;
}

/* The end of the last section's data of a PE image; 0 when there is none. */
static unsigned long pe_end(const sfx_file* f, unsigned long header)
{
    unsigned char h[24], section[40];
    unsigned long sections, table, i, end = 0;
    if (!read_whole(f, header, h, sizeof h) || memcmp(h, "PE\0\0", 4) != 0)
        return 0;
    sections = get16(h + 6);
    table = header + 24 + get16(h + 20);
    for (i = 0; i < sections; i++, table += sizeof section) {
        if (!read_whole(f, table, section, sizeof section))
            return 0;
        end = larger(end, get32(section + 20) + get32(section + 16));
    }
    return end;
}

/* The end of an NE image's resources, listed in the resource table at at. */
static unsigned long ne_resources_end(const sfx_file* f, unsigned long at)
{
    unsigned char b[12];
    unsigned long shift, count, end = 0;
    if (!read_whole(f, at, b, 2) || (shift = get16(b)) > 16)
        return 0;
    for (at += 2;;) {
        if (!read_whole(f, at, b, 8))
            return 0;
        if (get16(b) == 0) /* the end of the resource types */
            return end;
        count = get16(b + 2);
        for (at += 8; count > 0; count--, at += 12) {
            if (!read_whole(f, at, b, 12))
                return 0;
            end = larger(end, (get16(b) + get16(b + 2)) << shift);
        }
    }
}

/* The end of an NE image: its segments with their relocation records, its
   resources and its non-resident names. 0 when it has no NE header. */
static unsigned long ne_end(const sfx_file* f, unsigned long header)
{
    unsigned char h[64], segment[8], count[2];
    unsigned long shift, table, i, at, end;
    if (!read_whole(f, header, h, sizeof h) || h[0] != 'N' || h[1] != 'E')
        return 0;
    shift = get16(h + 0x32) == 0 ? 9 : get16(h + 0x32);
    if (shift > 16)
        return 0;
    end = get16(h + 0x20) == 0 ? 0 : get32(h + 0x2C) + get16(h + 0x20);
    table = header + get16(h + 0x22);
    for (i = get16(h + 0x1C); i > 0; i--, table += sizeof segment) {
        if (!read_whole(f, table, segment, sizeof segment))
            return 0;
        if (get16(segment) == 0) /* nothing of it in the file */
            continue;
        at = (get16(segment) << shift) + (get16(segment + 2) == 0 ? 0x10000UL : get16(segment + 2));
        if (get16(segment + 4) & 0x100) { /* relocation records follow the data */
            if (!read_whole(f, at, count, sizeof count))
                return 0;
            at += 2 + 8 * get16(count);
        }
        end = larger(end, at);
    }
    if (get16(h + 0x24) != get16(h + 0x26)) /* the resource table is not empty */
        end = larger(end, ne_resources_end(f, header + get16(h + 0x24)));
    return end;
}

unsigned long sfx_image_end(const sfx_file* f)
{
    unsigned char mz[64];
    unsigned long pages, last, dos, header, windows;
    if (!read_whole(f, 0, mz, sizeof mz) || mz[0] != 'M' || mz[1] != 'Z')
        return 0;
    /* what DOS loads: whole 512-byte pages, the last one partly used */
    pages = get16(mz + 4);
    last = get16(mz + 2);
    dos = pages * 512 - (pages > 0 && last > 0 && last < 512 ? 512 - last : 0);
    if (dos > f->size)
        dos = 0;
    header = get32(mz + 0x3C);
    windows = pe_end(f, header);
    if (windows == 0)
        windows = ne_end(f, header);
    if (windows > f->size)
        windows = 0;
    return larger(dos, windows);
}

int sfx_own_seal(const sfx_file* f, sfx_found_seal* seal)
{
    unsigned char buf[SEAL_SEARCH_STEP + SFX_SEAL_SIZE - 1];
    const unsigned long image = sfx_image_end(f);
    const unsigned long limit = image < SEAL_SEARCH_LIMIT ? image : SEAL_SEARCH_LIMIT;
    unsigned long pos, got, i, found = 0;
    for (pos = 0; pos + SFX_SEAL_SIZE <= limit; pos += SEAL_SEARCH_STEP) {
        got = f->read(f->ctx, pos, buf, limit - pos < sizeof buf ? limit - pos : sizeof buf);
        for (i = 0; i < SEAL_SEARCH_STEP && i + SFX_SEAL_SIZE <= got; i++) {
            if (buf[i] != SFX_SEAL_MAGIC[0] || memcmp(buf + i, SFX_SEAL_MAGIC, SFX_SEAL_MAGIC_SIZE) != 0)
                continue;
            if (found++ > 0) /* a stub of ours has one */
                return 0;
            seal->offset = get32(buf + i + 8);
            seal->length = get32(buf + i + 12);
            seal->crc = get32(buf + i + 16);
        }
    }
    return found == 1 && seal->offset != 0 && seal->offset >= image && seal->offset <= f->size;
}
