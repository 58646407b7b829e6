/* w32io.c - lzh_io callbacks on Win32 files for the LZH self-extractor.
 *
 * Entry names are bytes in the archive's code page; they are turned into
 * Unicode with the system's ANSI code page (932 on a Japanese system), so
 * Shift_JIS names come back right, and opened with the wide-character calls
 * on NT, the ANSI ones (the same code page, back again) elsewhere.
 * A file is written under a scratch name of its own and moved into place
 * only when its CRC was right; an entry never replaces a file this run
 * extracted before (another name the file system takes for the same file,
 * such as one in other letter case, fails instead). */
#include "w32io.h"

static int io_read(void* ctx, unsigned char* buf, unsigned short len)
{
    w32io* w = ctx;
    DWORD got;
    if (w->at >= w->end)
        return 0;
    if (len > w->end - w->at)
        len = (unsigned short)(w->end - w->at);
    if (!ReadFile(w->archive, buf, len, &got, NULL))
        return -1;
    w->at += got;
    return (int)got;
}

static int io_seek(void* ctx, unsigned long offset)
{
    w32io* w = ctx;
    w->at = offset;
    return SetFilePointer(w->archive, (LONG)offset, NULL, FILE_BEGIN) == offset ? 0 : -1;
}

int w32io_full_path(const w32io* w, const char* ansi, WCHAR* out)
{
    int n = w32_length(w->dest), k;
    if (n + 2 >= W32_PATH)
        return 0;
    out[0] = 0;
    w32_append(out, w->dest);
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
    if (w32_create_directory(w->path))
        return 0;
    attr = w32_attributes(w->path);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) ? 0 : -1;
}

int w32io_may_write(w32io* w, const lzh_entry* e)
{
    int answer = IDNO;
    w->clash = 0;
    if (!w32io_full_path(w, e->path, w->path))
        return 1;
    if (w32_extracted_before(w->path)) {
        w->clash = 1;
        return 0;
    }
    if (w->overwrite || w32_attributes(w->path) == INVALID_FILE_ATTRIBUTES)
        return 1;
    if (w->ask) {
        WCHAR text[W32_PATH + 64];
        text[0] = 0;
        w32_append(w32_append(text, w->path), L"\nalready exists. Replace it?");
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
    h = w32_create_scratch(w->path, w->temp);
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
    w32_file_id id;
    int ok, known = 0;
    if (keep) {
        entry_time(e, &utc);
        SetFileTime((HANDLE)file, NULL, NULL, &utc);
        known = w32_identify((HANDLE)file, &id);
    }
    ok = CloseHandle((HANDLE)file) && keep;
    /* an earlier entry may have taken the name while this one was decoded
       (one the file system takes for the same name) */
    if (ok && w32_extracted_before(w->path))
        ok = 0, w->clash = 1;
    if (ok)
        ok = w32_replace(w->temp, w->path);
    if (!ok)
        w32_delete_file(w->temp);
    else if (known)
        w32_remember(&id);
    return ok || !keep ? 0 : -1;
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
