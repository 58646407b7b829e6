#include "cabsfx.h"

#define CAB_HEADER 36

static DWORD read32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24);
}

/* A cabinet header that fits the sealed bytes: version 1.3, sizes in range. */
static BOOL sane_header(const unsigned char* h, DWORD room)
{
    DWORD length = read32(h + 8), files = read32(h + 16);
    return h[0] == 'M' && h[1] == 'S' && h[2] == 'C' && h[3] == 'F' && read32(h + 4) == 0 && h[24] == 3
        && h[25] == 1 && length >= CAB_HEADER && length <= room && files >= CAB_HEADER && files < length;
}

int find_self_cabinet(self_cabinet* cabinet)
{
    unsigned char header[CAB_HEADER];
    DWORD got;
    int sealed = w32_open_sealed(&cabinet->file);
    if (sealed != SFX_SEAL_OK)
        return sealed;
    /* The seal vouches for the bytes; the cabinet is the first thing in them. */
    if (SetFilePointer(cabinet->file, (LONG)sfx_archive_seal.offset, NULL, FILE_BEGIN)
            != sfx_archive_seal.offset
        || !ReadFile(cabinet->file, header, CAB_HEADER, &got, NULL) || got != CAB_HEADER
        || !sane_header(header, sfx_archive_seal.length))
        return SFX_SEAL_NONE;
    cabinet->base = sfx_archive_seal.offset;
    cabinet->size = read32(header + 8);
    return SFX_SEAL_OK;
}
