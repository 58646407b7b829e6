#include "cabsfx.h"

#include <fdi.h>

#include "../../common/safename.h"

/* FDI from cabinet.dll, loaded while running: Windows 95 without a later
   Internet Explorer, NT 3.51 and Win32s have none, and a program importing
   it would not even start there. */
static __typeof__(FDICreate)* fdi_create;
static __typeof__(FDICopy)* fdi_copy;
static __typeof__(FDIDestroy)* fdi_destroy;

/* What an FDI handle stands for. */
enum stream_kind { STREAM_CABINET, STREAM_FILE, STREAM_SINK };

typedef struct stream {
    enum stream_kind kind;
    HANDLE file;                /* the program's own file, or the entry being written */
    DWORD base, size, position; /* the cabinet's window onto the program file */
    WCHAR* path;                /* where the entry goes once it is complete */
    WCHAR* temp;                /* its scratch file until then; removed unless it completes */
    DWORD expected, written;    /* the entry's length and what FDI delivered */
    BOOL complete;
} stream;

static const self_cabinet* cabinet_in_use;
static stream* open_entry_stream; /* an entry FDI is writing, until it is closed */
static cab_run* current_run;
static char cabinet_name[] = "self.cab";
static char cabinet_path[] = "";

static void* DIAMONDAPI fdi_alloc(ULONG bytes)
{
    return mem_alloc(bytes);
}
static void DIAMONDAPI fdi_free(void* memory)
{
    mem_free(memory);
}

static INT_PTR DIAMONDAPI fdi_open(char* file, int flags, int mode)
{
    stream* s;
    (void)file;
    (void)flags;
    (void)mode;
    /* FDI opens nothing but the cabinet, which lives inside this program. */
    s = mem_alloc(sizeof *s);
    if (s == NULL)
        return -1;
    s->kind = STREAM_CABINET;
    s->file = cabinet_in_use->file;
    s->base = cabinet_in_use->base;
    s->size = cabinet_in_use->size;
    return (INT_PTR)s;
}

static UINT DIAMONDAPI fdi_read(INT_PTR handle, void* buffer, UINT count)
{
    stream* s = (stream*)handle;
    DWORD got = 0;
    if (s->kind != STREAM_CABINET)
        return (UINT)-1;
    if (count > s->size - s->position)
        count = s->size - s->position;
    if (count == 0)
        return 0;
    if (SetFilePointer(s->file, (LONG)(s->base + s->position), NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER
        || !ReadFile(s->file, buffer, count, &got, NULL))
        return (UINT)-1;
    s->position += got;
    return got;
}

static UINT DIAMONDAPI fdi_write(INT_PTR handle, void* buffer, UINT count)
{
    stream* s = (stream*)handle;
    DWORD written = 0;
    if (s->kind == STREAM_SINK) {
        s->written += count;
        return count;
    }
    if (s->kind != STREAM_FILE || !WriteFile(s->file, buffer, count, &written, NULL) || written != count)
        return (UINT)-1;
    s->written += written;
    return written;
}

static void finish_stream(stream* s)
{
    if (s->kind == STREAM_FILE) {
        CloseHandle(s->file);
        if (!s->complete)
            w32_delete_file(s->temp); /* never leave a half-written entry behind */
    }
    mem_free(s->temp);
    mem_free(s->path);
    mem_free(s);
}

static int DIAMONDAPI fdi_close(INT_PTR handle)
{
    if ((stream*)handle == open_entry_stream)
        open_entry_stream = NULL;
    finish_stream((stream*)handle);
    return 0;
}

static LONG DIAMONDAPI fdi_seek(INT_PTR handle, LONG distance, int origin)
{
    stream* s = (stream*)handle;
    LONG target; /* origin: 0 from the start, 1 from here, 2 from the end */
    if (s->kind != STREAM_CABINET)
        return -1;
    target = origin == 0 ? distance : origin == 1 ? (LONG)s->position + distance : (LONG)s->size + distance;
    if (target < 0 || (DWORD)target > s->size)
        return -1;
    s->position = (DWORD)target;
    return target;
}

/* NULL also where the system cannot read UTF-8 (Windows 95). */
static WCHAR* decode_name(const char* name, USHORT attribs)
{
    UINT code_page = (attribs & _A_NAME_IS_UTF) ? CP_UTF8 : CP_ACP;
    int n = MultiByteToWideChar(code_page, 0, name, -1, NULL, 0);
    WCHAR* wide = n > 0 ? mem_alloc((DWORD)n * sizeof(WCHAR)) : NULL;
    if (wide != NULL)
        MultiByteToWideChar(code_page, 0, name, -1, wide, n);
    return wide;
}

/* destination\name with '\\' throughout; the folders on the way are created. */
static WCHAR* prepare_target(const WCHAR* name)
{
    int d = w32_length(current_run->destination), n = w32_length(name), i;
    WCHAR* path = mem_alloc((DWORD)(d + n + 2) * sizeof(WCHAR));
    if (path == NULL)
        return NULL;
    w32_append(path, current_run->destination);
    if (d > 0 && path[d - 1] != L'\\' && path[d - 1] != L'/')
        path[d++] = L'\\';
    for (i = 0; i <= n; ++i)
        path[d + i] = name[i] == L'/' ? L'\\' : name[i];
    for (i = d; path[i]; ++i) {
        if (path[i] == L'\\') {
            path[i] = 0;
            w32_create_directory(path);
            path[i] = L'\\';
        }
    }
    return path;
}

/* An entry left unwritten: logged, counted as failed, and skipped (FDI
 * goes on with the next one). Takes over name. */
static INT_PTR skip_entry(const WCHAR* why, WCHAR* name)
{
    log_line(current_run, why, name);
    ++current_run->failed;
    mem_free(name);
    return 0;
}

/* skip_entry for an entry whose stream was already made: frees it too. */
static INT_PTR drop_entry(stream* s, const WCHAR* why, WCHAR* name)
{
    mem_free(s->temp);
    mem_free(s->path);
    mem_free(s);
    return skip_entry(why, name);
}

/* The stored name checked by the rules every self-extractor shares; the
 * parts to create, joined by '\\', in *clean (NULL when it is refused). */
static WCHAR* checked_name(PFDINOTIFICATION info, BOOL* safe)
{
    int n = lstrlenA(info->psz1);
    char* clean = mem_alloc((DWORD)n + 1);
    WCHAR* name;
    *safe = clean != NULL
        && safename_check((const unsigned char*)info->psz1, (unsigned short)n,
                          (info->attribs & _A_NAME_IS_UTF) != 0, '\\', clean, (unsigned short)(n + 1))
            == SAFENAME_OK;
    name = decode_name(*safe ? clean : info->psz1, info->attribs);
    mem_free(clean);
    return name;
}

static INT_PTR open_entry(PFDINOTIFICATION info)
{
    char spelled[W32_ANSI_PATH];
    BOOL safe;
    WCHAR* name = checked_name(info, &safe);
    stream* s;
    if (name == NULL) {
        log_line(current_run, L"skipped an entry whose name this system cannot read", NULL);
        ++current_run->failed;
        return 0;
    }
    if (current_run->mode == MODE_LIST) {
        log_line(current_run, name, NULL);
        ++current_run->done;
        mem_free(name);
        return 0; /* skip: listing reads no data */
    }
    if (!safe)
        return skip_entry(L"refused (outside the destination or not a valid name): ", name);
    s = mem_alloc(sizeof *s);
    if (s == NULL) {
        mem_free(name);
        return -1;
    }
    s->expected = (DWORD)info->cb;
    if (current_run->mode == MODE_TEST) {
        s->kind = STREAM_SINK;
        s->path = name;
        open_entry_stream = s;
        return (INT_PTR)s;
    }
    s->kind = STREAM_FILE;
    s->path = prepare_target(name);
    /* Windows 95 names files only in its code page */
    if (s->path != NULL && !w32_wide && w32_to_ansi(s->path, spelled) == NULL)
        return drop_entry(s, L"not written, this system's code page has no spelling of the name: ", name);
    if (s->path != NULL && w32_extracted_before(s->path))
        return drop_entry(s, L"not written, an earlier entry of this cabinet has that name: ", name);
    if (s->path != NULL && !current_run->unattended && w32_attributes(s->path) != INVALID_FILE_ATTRIBUTES
        && MessageBoxW(NULL, s->path, L"Replace the existing file?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return drop_entry(s, L"kept the existing file: ", name);
    s->temp = s->path == NULL ? NULL : mem_alloc((DWORD)(w32_length(s->path) + 16) * sizeof(WCHAR));
    s->file = s->temp == NULL ? INVALID_HANDLE_VALUE : w32_create_scratch(s->path, s->temp);
    if (s->file == INVALID_HANDLE_VALUE)
        return drop_entry(s, L"cannot write: ", name);
    mem_free(name);
    open_entry_stream = s;
    return (INT_PTR)s;
}

/* An entry FDI delivered that was not written: logged with its path,
   counted as failed, and its stream finished. */
static INT_PTR fail_entry(stream* s, const WCHAR* why)
{
    log_line(current_run, why, s->path);
    ++current_run->failed;
    finish_stream(s);
    return TRUE;
}

static INT_PTR close_entry(PFDINOTIFICATION info)
{
    stream* s = (stream*)info->hf;
    open_entry_stream = NULL;
    if (s->written != s->expected) {
        /* Some cabinet.dll builds close an entry cut short by a damaged block. */
        return fail_entry(s, L"damaged: ");
    }
    if (s->kind == STREAM_FILE) {
        FILETIME local, utc;
        w32_file_id id;
        BOOL known;
        if (DosDateTimeToFileTime(info->date, info->time, &local) && LocalFileTimeToFileTime(&local, &utc))
            SetFileTime(s->file, NULL, NULL, &utc);
        known = w32_identify(s->file, &id);
        CloseHandle(s->file);
        s->kind = STREAM_SINK; /* closed: finish_stream only frees */
        /* an earlier entry may have taken the name meanwhile (one the file
           system takes for the same name) */
        if (w32_extracted_before(s->path)) {
            w32_delete_file(s->temp);
            return fail_entry(s, L"not written, an earlier entry of this cabinet has that name: ");
        }
        if (!w32_replace(s->temp, s->path)) {
            w32_delete_file(s->temp);
            return fail_entry(s, L"cannot write: ");
        }
        if (known)
            w32_remember(&id);
        s->complete = TRUE;
        w32_set_attributes(s->path,
                           info->attribs
                               & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM
                                  | FILE_ATTRIBUTE_ARCHIVE));
        log_line(current_run, L"extracted: ", s->path);
    } else {
        s->complete = TRUE;
        log_line(current_run, L"ok: ", s->path);
    }
    ++current_run->done;
    finish_stream(s);
    return TRUE;
}

static INT_PTR DIAMONDAPI notify(FDINOTIFICATIONTYPE type, PFDINOTIFICATION info)
{
    switch (type) {
    case fdintCOPY_FILE: return open_entry(info);
    case fdintCLOSE_FILE_INFO: return close_entry(info);
    case fdintPARTIAL_FILE:
        ++current_run->failed; /* begins in an earlier cabinet this program does not hold */
        return 0;
    case fdintNEXT_CABINET: return -1;
    default: return 0;
    }
}

BOOL load_fdi(void)
{
    fdi_create = (__typeof__(FDICreate)*)(void*)w32_lookup("CABINET.DLL", "FDICreate");
    fdi_copy = (__typeof__(FDICopy)*)(void*)w32_lookup("CABINET.DLL", "FDICopy");
    fdi_destroy = (__typeof__(FDIDestroy)*)(void*)w32_lookup("CABINET.DLL", "FDIDestroy");
    return fdi_create != NULL && fdi_copy != NULL && fdi_destroy != NULL;
}

BOOL extract_cabinet(const self_cabinet* cabinet, cab_run* run)
{
    ERF error;
    HFDI fdi;
    BOOL ok;
    cabinet_in_use = cabinet;
    current_run = run;
    fdi = fdi_create(fdi_alloc, fdi_free, fdi_open, fdi_read, fdi_write, fdi_close, fdi_seek, cpuUNKNOWN,
                     &error);
    if (fdi == NULL)
        return FALSE;
    ok = fdi_copy(fdi, cabinet_name, cabinet_path, 0, notify, NULL, NULL);
    fdi_destroy(fdi);
    if (open_entry_stream != NULL) {
        /* FDI gave up inside an entry (bad checksum, damaged data). */
        log_line(run, L"damaged: ", open_entry_stream->path);
        ++run->failed;
        finish_stream(open_entry_stream);
        open_entry_stream = NULL;
    }
    return ok;
}
