#include "cabsfx.h"

#include <fdi.h>

#include "../../common/safename.h"

/* What an FDI handle stands for. */
enum StreamKind { STREAM_CABINET, STREAM_FILE, STREAM_SINK };

typedef struct {
    enum StreamKind kind;
    HANDLE file;                /* the program's own file, or the entry being written */
    DWORD base, size, position; /* the cabinet's window onto the program file */
    WCHAR* path;                /* where the entry goes once it is complete */
    WCHAR* temp;                /* its scratch file until then; removed unless it completes */
    DWORD expected, written;    /* the entry's length and what FDI delivered */
    BOOL complete;
} Stream;

static const SelfCabinet* g_cabinet;
static Stream* g_openEntry; /* an entry FDI is writing, until it is closed */
static SfxRun* g_run;
static char g_cabinetName[] = "self.cab";
static char g_cabinetPath[] = "";

static FNALLOC(FdiAlloc)
{
    return MemAlloc(cb);
}
static FNFREE(FdiFree)
{
    MemFree(pv);
}

static FNOPEN(FdiOpen)
{
    Stream* s;
    (void)pszFile;
    (void)oflag;
    (void)pmode;
    /* FDI opens nothing but the cabinet, which lives inside this program. */
    s = MemAlloc(sizeof *s);
    if (s == NULL)
        return -1;
    s->kind = STREAM_CABINET;
    s->file = g_cabinet->file;
    s->base = g_cabinet->base;
    s->size = g_cabinet->size;
    return (INT_PTR)s;
}

static FNREAD(FdiRead)
{
    Stream* s = (Stream*)hf;
    DWORD got = 0;
    if (s->kind != STREAM_CABINET)
        return (UINT)-1;
    if (cb > s->size - s->position)
        cb = s->size - s->position;
    if (cb == 0)
        return 0;
    if (SetFilePointer(s->file, (LONG)(s->base + s->position), NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER
        || !ReadFile(s->file, pv, cb, &got, NULL))
        return (UINT)-1;
    s->position += got;
    return got;
}

static FNWRITE(FdiWrite)
{
    Stream* s = (Stream*)hf;
    DWORD written = 0;
    if (s->kind == STREAM_SINK) {
        s->written += cb;
        return cb;
    }
    if (s->kind != STREAM_FILE || !WriteFile(s->file, pv, cb, &written, NULL) || written != cb)
        return (UINT)-1;
    s->written += written;
    return written;
}

static void FinishStream(Stream* s)
{
    if (s->kind == STREAM_FILE) {
        CloseHandle(s->file);
        if (!s->complete)
            DeleteFileW(s->temp); /* never leave a half-written entry behind */
    }
    MemFree(s->temp);
    MemFree(s->path);
    MemFree(s);
}

static FNCLOSE(FdiClose)
{
    if ((Stream*)hf == g_openEntry)
        g_openEntry = NULL;
    FinishStream((Stream*)hf);
    return 0;
}

static FNSEEK(FdiSeek)
{
    Stream* s = (Stream*)hf;
    LONG target; /* seektype: 0 from the start, 1 from here, 2 from the end */
    if (s->kind != STREAM_CABINET)
        return -1;
    target = seektype == 0 ? dist : seektype == 1 ? (LONG)s->position + dist : (LONG)s->size + dist;
    if (target < 0 || (DWORD)target > s->size)
        return -1;
    s->position = (DWORD)target;
    return target;
}

static WCHAR* DecodeName(const char* name, USHORT attribs)
{
    UINT codePage = (attribs & _A_NAME_IS_UTF) ? CP_UTF8 : CP_ACP;
    int n = MultiByteToWideChar(codePage, 0, name, -1, NULL, 0);
    WCHAR* wide = n > 0 ? MemAlloc((DWORD)n * sizeof(WCHAR)) : NULL;
    if (wide != NULL)
        MultiByteToWideChar(codePage, 0, name, -1, wide, n);
    return wide;
}

/* destination\name with '\\' throughout; the folders on the way are created. */
static WCHAR* PrepareTarget(const WCHAR* name)
{
    int d = WideLength(g_run->destination), n = WideLength(name), i;
    WCHAR* path = MemAlloc((DWORD)(d + n + 2) * sizeof(WCHAR));
    if (path == NULL)
        return NULL;
    WideCopy(path, g_run->destination);
    if (d > 0 && path[d - 1] != L'\\' && path[d - 1] != L'/')
        path[d++] = L'\\';
    for (i = 0; i <= n; ++i)
        path[d + i] = name[i] == L'/' ? L'\\' : name[i];
    for (i = d; path[i]; ++i) {
        if (path[i] == L'\\') {
            path[i] = 0;
            CreateDirectoryW(path, NULL);
            path[i] = L'\\';
        }
    }
    return path;
}

/* An entry left unwritten: logged, counted as failed, and skipped (FDI
 * goes on with the next one). Takes over name. */
static INT_PTR SkipEntry(const WCHAR* why, WCHAR* name)
{
    LogLine(g_run, why, name);
    ++g_run->failed;
    MemFree(name);
    return 0;
}

/* The stored name checked by the rules every self-extractor shares; the
 * parts to create, joined by '\\', in *clean (NULL when it is refused). */
static WCHAR* CheckedName(PFDINOTIFICATION info, BOOL* safe)
{
    int n = lstrlenA(info->psz1);
    char* clean = MemAlloc((DWORD)n + 1);
    WCHAR* name;
    *safe = clean != NULL
        && safename_check((const unsigned char*)info->psz1, (unsigned short)n,
                          (info->attribs & _A_NAME_IS_UTF) != 0, '\\', clean, (unsigned short)(n + 1))
            == SAFENAME_OK;
    name = DecodeName(*safe ? clean : info->psz1, info->attribs);
    MemFree(clean);
    return name;
}

static INT_PTR OpenEntry(PFDINOTIFICATION info)
{
    BOOL safe;
    WCHAR* name = CheckedName(info, &safe);
    Stream* s;
    if (name == NULL) {
        ++g_run->failed;
        return 0;
    }
    if (g_run->mode == MODE_LIST) {
        LogLine(g_run, name, NULL);
        ++g_run->done;
        MemFree(name);
        return 0; /* skip: listing reads no data */
    }
    if (!safe)
        return SkipEntry(L"refused (outside the destination or not a valid name): ", name);
    s = MemAlloc(sizeof *s);
    if (s == NULL) {
        MemFree(name);
        return -1;
    }
    s->expected = (DWORD)info->cb;
    if (g_run->mode == MODE_TEST) {
        s->kind = STREAM_SINK;
        s->path = name;
        g_openEntry = s;
        return (INT_PTR)s;
    }
    s->kind = STREAM_FILE;
    s->path = PrepareTarget(name);
    if (s->path != NULL && w32_extracted_before(s->path)) {
        MemFree(s->path);
        MemFree(s);
        return SkipEntry(L"not written, an earlier entry of this cabinet has that name: ", name);
    }
    if (s->path != NULL && !g_run->unattended && GetFileAttributesW(s->path) != INVALID_FILE_ATTRIBUTES
        && MessageBoxW(NULL, s->path, L"Replace the existing file?", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        MemFree(s->path);
        MemFree(s);
        return SkipEntry(L"kept the existing file: ", name);
    }
    s->temp = s->path == NULL ? NULL : MemAlloc((DWORD)(WideLength(s->path) + 16) * sizeof(WCHAR));
    s->file = s->temp == NULL ? INVALID_HANDLE_VALUE : w32_create_scratch(s->path, s->temp);
    if (s->file == INVALID_HANDLE_VALUE) {
        MemFree(s->temp);
        MemFree(s->path);
        MemFree(s);
        return SkipEntry(L"cannot write: ", name);
    }
    MemFree(name);
    g_openEntry = s;
    return (INT_PTR)s;
}

static INT_PTR CloseEntry(PFDINOTIFICATION info)
{
    Stream* s = (Stream*)info->hf;
    g_openEntry = NULL;
    if (s->written != s->expected) {
        /* Some cabinet.dll builds close an entry cut short by a damaged block. */
        LogLine(g_run, L"damaged: ", s->path);
        ++g_run->failed;
        FinishStream(s);
        return TRUE;
    }
    if (s->kind == STREAM_FILE) {
        FILETIME local, utc;
        if (DosDateTimeToFileTime(info->date, info->time, &local) && LocalFileTimeToFileTime(&local, &utc))
            SetFileTime(s->file, NULL, NULL, &utc);
    }
    if (s->kind == STREAM_FILE) {
        w32_file_id id;
        BOOL known = w32_identify(s->file, &id);
        CloseHandle(s->file);
        s->kind = STREAM_SINK; /* closed: FinishStream only frees */
        /* an earlier entry may have taken the name meanwhile (one the file
           system takes for the same name) */
        if (w32_extracted_before(s->path)) {
            DeleteFileW(s->temp);
            LogLine(g_run, L"not written, an earlier entry of this cabinet has that name: ", s->path);
            ++g_run->failed;
            FinishStream(s);
            return TRUE;
        }
        if (!MoveFileExW(s->temp, s->path, MOVEFILE_REPLACE_EXISTING)) {
            DeleteFileW(s->temp);
            LogLine(g_run, L"cannot write: ", s->path);
            ++g_run->failed;
            FinishStream(s);
            return TRUE;
        }
        if (known)
            w32_remember(&id);
        s->complete = TRUE;
        SetFileAttributesW(s->path,
                           info->attribs
                               & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM
                                  | FILE_ATTRIBUTE_ARCHIVE));
        LogLine(g_run, L"extracted: ", s->path);
    } else {
        s->complete = TRUE;
        LogLine(g_run, L"ok: ", s->path);
    }
    ++g_run->done;
    FinishStream(s);
    return TRUE;
}

static FNFDINOTIFY(Notify)
{
    switch (fdint) {
    case fdintCOPY_FILE: return OpenEntry(pfdin);
    case fdintCLOSE_FILE_INFO: return CloseEntry(pfdin);
    case fdintPARTIAL_FILE:
        ++g_run->failed; /* begins in an earlier cabinet this program does not hold */
        return 0;
    case fdintNEXT_CABINET: return -1;
    default: return 0;
    }
}

BOOL ExtractCabinet(const SelfCabinet* cabinet, SfxRun* run)
{
    ERF error;
    HFDI fdi;
    BOOL ok;
    g_cabinet = cabinet;
    g_run = run;
    fdi = FDICreate(FdiAlloc, FdiFree, FdiOpen, FdiRead, FdiWrite, FdiClose, FdiSeek, cpuUNKNOWN, &error);
    if (fdi == NULL)
        return FALSE;
    ok = FDICopy(fdi, g_cabinetName, g_cabinetPath, 0, Notify, NULL, NULL);
    FDIDestroy(fdi);
    if (g_openEntry != NULL) {
        /* FDI gave up inside an entry (bad checksum, damaged data). */
        LogLine(run, L"damaged: ", g_openEntry->path);
        ++run->failed;
        FinishStream(g_openEntry);
        g_openEntry = NULL;
    }
    return ok;
}
