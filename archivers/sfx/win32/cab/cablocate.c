#include "cabsfx.h"

#define CHUNK 65536
#define CAB_HEADER 36

static DWORD Read32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24);
}

static BOOL ReadAt(HANDLE file, DWORD offset, void* buffer, DWORD length, DWORD* got)
{
    *got = 0;
    if (SetFilePointer(file, (LONG)offset, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return FALSE;
    return ReadFile(file, buffer, length, got, NULL);
}

/* Where the PE image ends: the end of its last section's raw data. */
static DWORD ImageEnd(HANDLE file)
{
    unsigned char head[0x400];
    DWORD got, pe, sections, table, i, end = 0;
    if (!ReadAt(file, 0, head, sizeof head, &got) || got < 0x40 || head[0] != 'M' || head[1] != 'Z')
        return 0;
    pe = Read32(head + 0x3C);
    if (pe + 24 > got || Read32(head + pe) != 0x00004550)
        return 0;
    sections = head[pe + 6] | (head[pe + 7] << 8);
    table = pe + 24 + (head[pe + 20] | (head[pe + 21] << 8));
    for (i = 0; i < sections && table + i * 40 + 40 <= got; ++i) {
        const unsigned char* s = head + table + i * 40;
        DWORD rawEnd = Read32(s + 20) + Read32(s + 16);
        if (rawEnd > end)
            end = rawEnd;
    }
    return end;
}

/* A cabinet header that fits the file: version 1.3, sizes in range. */
static BOOL SaneHeader(const unsigned char* h, DWORD offset, DWORD fileSize)
{
    DWORD length = Read32(h + 8), files = Read32(h + 16);
    return h[0] == 'M' && h[1] == 'S' && h[2] == 'C' && h[3] == 'F' && Read32(h + 4) == 0 && h[24] == 3
        && h[25] == 1 && length >= CAB_HEADER && length <= fileSize - offset && files >= CAB_HEADER
        && files < length;
}

BOOL FindSelfCabinet(SelfCabinet* cabinet)
{
    WCHAR self[MAX_PATH + 1];
    unsigned char* buffer;
    DWORD fileSize, offset, got, i;
    BOOL found = FALSE;
    if (GetModuleFileNameW(NULL, self, MAX_PATH) == 0)
        return FALSE;
    cabinet->file =
        CreateFileW(self, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL, OPEN_EXISTING, 0, NULL);
    if (cabinet->file == INVALID_HANDLE_VALUE)
        return FALSE;
    fileSize = GetFileSize(cabinet->file, NULL);
    buffer = MemAlloc(CHUNK + CAB_HEADER);
    if (buffer == NULL || fileSize == INVALID_FILE_SIZE)
        return FALSE;
    for (offset = ImageEnd(cabinet->file); !found && offset + CAB_HEADER <= fileSize; offset += CHUNK) {
        if (!ReadAt(cabinet->file, offset, buffer, CHUNK + CAB_HEADER, &got) || got < CAB_HEADER)
            break;
        for (i = 0; i + CAB_HEADER <= got && i < CHUNK; ++i) {
            if (buffer[i] == 'M' && SaneHeader(buffer + i, offset + i, fileSize)) {
                cabinet->base = offset + i;
                cabinet->size = Read32(buffer + i + 8);
                found = TRUE;
                break;
            }
        }
    }
    MemFree(buffer);
    return found;
}
