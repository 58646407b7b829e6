/* w32io.c - lzh_io callbacks on Win32 files for the LZH self-extractor.
 *
 * Entry names are bytes in the archive's code page; they are turned into
 * Unicode with the system's ANSI code page (932 on a Japanese system), so
 * Shift_JIS names come back right, and opened with the wide-character calls.
 * A file is written under a temporary name and moved into place only when
 * its CRC was right. */
#include "w32io.h"

static int io_read(void* ctx, unsigned char* buf, unsigned short len)
{
    w32io* w = ctx;
    DWORD got;
    if (!ReadFile(w->archive, buf, len, &got, NULL))
        return -1;
    return (int)got;
}

static int io_seek(void* ctx, unsigned long offset)
{
    w32io* w = ctx;
    return SetFilePointer(w->archive, (LONG)offset, NULL, FILE_BEGIN) == offset ? 0 : -1;
}

int w32io_full_path(const w32io* w, const char* ansi, WCHAR* out)
{
    int n = lstrlenW(w->dest), k;
    if (n + 2 >= W32_PATH)
        return 0;
    lstrcpyW(out, w->dest);
    if (!*ansi)
        return 1;
    out[n++] = L'\\';
    k = MultiByteToWideChar(CP_ACP, 0, ansi, -1, out + n, W32_PATH - n - 16);
    return k > 0;
}

static int io_mkdir(void* ctx, const char* path)
{
    w32io* w = ctx;
    DWORD attr;
    if (!w32io_full_path(w, path, w->path))
        return -1;
    if (CreateDirectoryW(w->path, NULL))
        return 0;
    attr = GetFileAttributesW(w->path);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) ? 0 : -1;
}

static void temp_of(w32io* w)
{
    lstrcpyW(w->temp, w->path);
    lstrcatW(w->temp, L".tb~");
}

int w32io_may_write(w32io* w, const lzh_entry* e)
{
    int answer = IDNO;
    if (w->overwrite || !w32io_full_path(w, e->path, w->path)
        || GetFileAttributesW(w->path) == INVALID_FILE_ATTRIBUTES)
        return 1;
    if (w->ask) {
        WCHAR text[W32_PATH + 64];
        lstrcpyW(text, w->path);
        lstrcatW(text, L"\nalready exists. Replace it?");
        answer = MessageBoxW(NULL, text, L"Self-extractor", MB_YESNOCANCEL | MB_ICONQUESTION);
    }
    if (answer == IDCANCEL)
        w->cancelled = 1;
    return answer == IDYES;
}

static void* io_create(void* ctx, const lzh_entry* e)
{
    w32io* w = ctx;
    HANDLE h;
    if (!w32io_full_path(w, e->path, w->path))
        return NULL;
    temp_of(w);
    h = CreateFileW(w->temp, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    return h == INVALID_HANDLE_VALUE ? NULL : (void*)h;
}

static int io_write(void* ctx, void* file, const unsigned char* buf, unsigned short len)
{
    DWORD put;
    (void)ctx;
    return WriteFile((HANDLE)file, buf, len, &put, NULL) && put == len ? 0 : -1;
}

/* The entry's time as a FILETIME (UTC). */
static void entry_time(const lzh_entry* e, FILETIME* utc)
{
    if (e->time_is_unix) {
        ULONGLONG t = ((ULONGLONG)e->mtime + 11644473600ULL) * 10000000ULL;
        utc->dwLowDateTime = (DWORD)t;
        utc->dwHighDateTime = (DWORD)(t >> 32);
    } else {
        FILETIME local;
        DosDateTimeToFileTime((WORD)(e->mtime >> 16), (WORD)e->mtime, &local);
        LocalFileTimeToFileTime(&local, utc);
    }
}

static int io_close(void* ctx, void* file, const lzh_entry* e, int keep)
{
    w32io* w = ctx;
    FILETIME utc;
    int ok;
    if (keep) {
        entry_time(e, &utc);
        SetFileTime((HANDLE)file, NULL, NULL, &utc);
    }
    ok = CloseHandle((HANDLE)file) && keep;
    if (ok)
        ok = MoveFileExW(w->temp, w->path, MOVEFILE_REPLACE_EXISTING) != 0;
    if (!ok)
        DeleteFileW(w->temp);
    return ok || !keep ? 0 : -1;
}

unsigned long w32io_image_end(HANDLE f)
{
    unsigned char h[64], sec[40];
    DWORD got, pe, at, end = 0, one;
    unsigned short nsec, optsize, i;
    if (SetFilePointer(f, 0, NULL, FILE_BEGIN) != 0 || !ReadFile(f, h, 64, &got, NULL) || got != 64
        || h[0] != 'M' || h[1] != 'Z')
        return 0;
    pe = h[0x3C] | (h[0x3D] << 8) | ((DWORD)h[0x3E] << 16) | ((DWORD)h[0x3F] << 24);
    if (SetFilePointer(f, (LONG)pe, NULL, FILE_BEGIN) != pe || !ReadFile(f, h, 24, &got, NULL) || got != 24
        || h[0] != 'P' || h[1] != 'E' || h[2] || h[3])
        return 0;
    nsec = (unsigned short)(h[6] | (h[7] << 8));
    optsize = (unsigned short)(h[20] | (h[21] << 8));
    at = pe + 24 + optsize;
    for (i = 0; i < nsec; i++, at += 40) {
        if (SetFilePointer(f, (LONG)at, NULL, FILE_BEGIN) != at || !ReadFile(f, sec, 40, &got, NULL)
            || got != 40)
            return 0;
        one = (sec[20] | (sec[21] << 8) | ((DWORD)sec[22] << 16) | ((DWORD)sec[23] << 24))
            + (sec[16] | (sec[17] << 8) | ((DWORD)sec[18] << 16) | ((DWORD)sec[19] << 24));
        if (one > end)
            end = one;
    }
    return end;
}

void w32io_setup(lzh_io* io, w32io* ctx)
{
    ZeroMemory(io, sizeof *io);
    io->ctx = ctx;
    io->read = io_read;
    io->seek = io_seek;
    io->mkdir = io_mkdir;
    io->create = io_create;
    io->write = io_write;
    io->close = io_close;
    io->sep = '\\';
}
