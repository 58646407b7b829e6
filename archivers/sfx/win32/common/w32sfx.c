/* w32sfx.c - shared parts of the Win32 self-extractors (see w32sfx.h). */
#include "w32sfx.h"

/* Read-only data: the program only reads it, and a section of its own
   would cost a whole file-alignment unit. */
sfx_seal sfx_archive_seal __attribute__((section(".rdata$seal"))) = SFX_SEAL_INIT;

#define CHUNK 0x8000

int w32_open_sealed(HANDLE* file)
{
    WCHAR self[MAX_PATH + 1];
    DWORD high = 0, low, got;
    unsigned long left = sfx_archive_seal.length, crc = 0;
    unsigned char* buffer;
    int result = SFX_SEAL_OK;
    if (sfx_archive_seal.offset == 0)
        return SFX_SEAL_NONE;
    if (!GetModuleFileNameW(NULL, self, MAX_PATH))
        return SFX_SEAL_NONE;
    *file = CreateFileW(self, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, NULL);
    if (*file == INVALID_HANDLE_VALUE)
        return SFX_SEAL_NONE;
    low = GetFileSize(*file, &high);
    buffer = HeapAlloc(GetProcessHeap(), 0, CHUNK);
    if (high == 0 && (low < sfx_archive_seal.offset || low - sfx_archive_seal.offset < left))
        result = SFX_SEAL_SHORT;
    else if (buffer == NULL
             || SetFilePointer(*file, (LONG)sfx_archive_seal.offset, NULL, FILE_BEGIN)
                 != sfx_archive_seal.offset)
        result = SFX_SEAL_SHORT;
    while (result == SFX_SEAL_OK && left > 0) {
        if (!ReadFile(*file, buffer, left < CHUNK ? left : CHUNK, &got, NULL) || got == 0)
            result = SFX_SEAL_SHORT;
        crc = sfx_crc32(crc, buffer, (unsigned short)got);
        left -= got;
    }
    if (result == SFX_SEAL_OK && crc != sfx_archive_seal.crc)
        result = SFX_SEAL_ALTERED;
    if (buffer != NULL)
        HeapFree(GetProcessHeap(), 0, buffer);
    if (result != SFX_SEAL_OK)
        CloseHandle(*file);
    return result;
}

HANDLE w32_create_scratch(const WCHAR* path, WCHAR* scratch)
{
    int n = 0, folder = 0, i;
    unsigned number;
    HANDLE h;
    for (; path[n]; n++) {
        scratch[n] = path[n];
        if (path[n] == L'\\' || path[n] == L'/')
            folder = n + 1;
    }
    scratch[folder] = L'~';
    scratch[folder + 1] = L'T';
    scratch[folder + 2] = L'B';
    for (number = 0; number < 0x10000; number++) {
        /* ~TB0 .. ~TBFFFF: as few digits as the number needs */
        unsigned rest = number;
        i = folder + 3;
        do {
            scratch[i++] = L"0123456789ABCDEF"[rest & 15];
            rest >>= 4;
        } while (rest);
        scratch[i] = 0;
        h = CreateFileW(scratch, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
        if (h != INVALID_HANDLE_VALUE)
            return h;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    return INVALID_HANDLE_VALUE;
}

/* Files this run extracted. */
static w32_file_id* extracted;
static DWORD extracted_count, extracted_room;

BOOL w32_identify(HANDLE file, w32_file_id* id)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info))
        return FALSE;
    id->volume = info.dwVolumeSerialNumber;
    id->high = info.nFileIndexHigh;
    id->low = info.nFileIndexLow;
    return TRUE;
}

void w32_remember(const w32_file_id* id)
{
    if (extracted_count == extracted_room) {
        DWORD room = extracted_room ? extracted_room * 2 : 64;
        w32_file_id* grown = extracted ? HeapReAlloc(GetProcessHeap(), 0, extracted, room * sizeof *grown)
                                       : HeapAlloc(GetProcessHeap(), 0, room * sizeof *grown);
        if (grown == NULL)
            return;
        extracted = grown;
        extracted_room = room;
    }
    extracted[extracted_count++] = *id;
}

BOOL w32_extracted_before(const WCHAR* path)
{
    w32_file_id id;
    DWORD i;
    BOOL known;
    HANDLE h;
    if (extracted_count == 0)
        return FALSE;
    h = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    known = w32_identify(h, &id);
    CloseHandle(h);
    for (i = 0; known && i < extracted_count; i++)
        if (extracted[i].volume == id.volume && extracted[i].high == id.high && extracted[i].low == id.low)
            return TRUE;
    return FALSE;
}

BOOL w32_make_folders(WCHAR* path)
{
    WCHAR* p;
    DWORD attr;
    for (p = path + 1; *p; p++) {
        if ((*p == L'\\' || *p == L'/') && p[-1] != L':' && p[-1] != L'\\' && p[-1] != L'/') {
            WCHAR c = *p;
            *p = 0;
            CreateDirectoryW(path, NULL);
            *p = c;
        }
    }
    CreateDirectoryW(path, NULL);
    attr = GetFileAttributesW(path);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}
