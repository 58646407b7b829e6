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
    if (!w32_module_path(self, MAX_PATH))
        return SFX_SEAL_NONE;
    /* FILE_SHARE_DELETE is NT's: Windows 95 refuses a call that asks for it */
    *file = w32_create_file(self, GENERIC_READ, FILE_SHARE_READ | (w32_nt ? FILE_SHARE_DELETE : 0),
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
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

/* Writes "~TB" and number (as few hex digits as it needs) at scratch + folder. */
static void scratch_name(WCHAR* scratch, int folder, unsigned number)
{
    int i = folder + 3;
    scratch[folder] = L'~';
    scratch[folder + 1] = L'T';
    scratch[folder + 2] = L'B';
    do {
        scratch[i++] = L"0123456789ABCDEF"[number & 15];
        number >>= 4;
    } while (number);
    scratch[i] = 0;
}

/* Copies path to scratch; returns where its last part starts. */
static int folder_of(const WCHAR* path, WCHAR* scratch)
{
    int n = 0, folder = 0;
    for (; path[n]; n++) {
        scratch[n] = path[n];
        if (path[n] == L'\\' || path[n] == L'/')
            folder = n + 1;
    }
    return folder;
}

static BOOL name_taken(void)
{
    return GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS;
}

HANDLE w32_create_scratch(const WCHAR* path, WCHAR* scratch)
{
    int folder = folder_of(path, scratch);
    unsigned number;
    HANDLE h;
    for (number = 0; number < 0x10000; number++) {
        scratch_name(scratch, folder, number);
        h = w32_create_file(scratch, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
        if (h != INVALID_HANDLE_VALUE || !name_taken())
            return h;
    }
    return INVALID_HANDLE_VALUE;
}

BOOL w32_replace(const WCHAR* from, const WCHAR* to)
{
    BOOL(WINAPI * move_ex)(LPCWSTR, LPCWSTR, DWORD);
    WCHAR aside[W32_PATH + 16];
    int folder;
    unsigned number;
    if (w32_move_file(from, to))
        return TRUE;
    move_ex = w32_nt
        ? (BOOL(WINAPI*)(LPCWSTR, LPCWSTR, DWORD))(void*)w32_lookup("KERNEL32.DLL", "MoveFileExW")
        : NULL;
    if (move_ex != NULL)
        return move_ex(from, to, MOVEFILE_REPLACE_EXISTING);
    /* Without MoveFileEx (Windows 95, Win32s): the old file is set aside
       under a scratch name, the new one moved in, then the old one removed;
       whatever fails on the way, the old one goes back. */
    if (w32_length(to) >= W32_PATH)
        return FALSE;
    folder = folder_of(to, aside);
    for (number = 0; number < 0x10000; number++) {
        scratch_name(aside, folder, number);
        if (w32_move_file(to, aside))
            break;
        if (!name_taken())
            return FALSE;
    }
    if (number == 0x10000)
        return FALSE;
    if (!w32_move_file(from, to)) {
        w32_move_file(aside, to);
        return FALSE;
    }
    w32_delete_file(aside);
    return TRUE;
}

/* Files this run extracted. */
static w32_file_id* extracted;
static DWORD extracted_count, extracted_room;

BOOL w32_identify(HANDLE file, w32_file_id* id)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info))
        return FALSE;
    /* a system without file numbers (Win32s answers 0 for every file)
       must not make every file look like one and the same */
    if (info.nFileIndexHigh == 0 && info.nFileIndexLow == 0)
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
    h = w32_create_file(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | (w32_nt ? FILE_SHARE_DELETE : 0),
                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
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
            w32_create_directory(path);
            *p = c;
        }
    }
    w32_create_directory(path);
    attr = w32_attributes(path);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}
