/* main.c - the LZH Win32 self-extractor.
 *
 * The stub is followed by an LZH archive: it opens its own file, checks the
 * archive against the seal the library wrote (its place, length and CRC-32;
 * a file cut short or altered is refused before anything is written) and
 * extracts it.
 *   (no arguments)   asks for the destination, extracts with a progress
 *                    window and shows the result at the end
 *   -y               unattended: no questions, existing files replaced
 *   -o<folder>       destination (also "-o <folder>"); default: current folder
 *   -t               test every entry's CRC, write nothing
 *   -l               list the entries
 * Exit status: 0 when every entry was written (or tested) intact, 1 when an
 * entry failed or the archive is damaged, 2 when there is no archive or it
 * is not the one sealed (cut short, altered). */
#include <windows.h>
#include <shlobj.h>
#include "lzhdec.h"
#include "w32io.h"

#define TITLE L"LZH self-extractor"
#define REPORT_MAX 2048

static lzh_state state;
static w32io wio;
static int mode = LZH_MODE_EXTRACT, quiet, interactive;
static HANDLE out;
static HWND progress;
static WCHAR report[REPORT_MAX];

/* ---- Text output: standard output when there is one -------------------- */

static void put(const char* s)
{
    DWORD n;
    if (out && out != INVALID_HANDLE_VALUE)
        WriteFile(out, s, lstrlenA(s), &n, NULL);
}

static void put_num(unsigned long v, int width)
{
    char buf[12];
    int i = 11;
    buf[i] = 0;
    do {
        buf[--i] = (char)('0' + v % 10);
        v /= 10;
    } while (v && i > 0);
    while (11 - i < width && i > 0)
        buf[--i] = ' ';
    put(buf + i);
}

static void put_hex4(unsigned short v)
{
    char buf[5];
    int i;
    for (i = 3; i >= 0; i--, v >>= 4)
        buf[i] = "0123456789abcdef"[v & 15];
    buf[4] = 0;
    put(buf);
}

/* Append a line to the report shown at the end of an interactive run. */
static void report_line(const char* name, const char* what)
{
    int n = lstrlenW(report);
    if (n > REPORT_MAX - 400)
        return;
    if (*name) {
        n += MultiByteToWideChar(CP_ACP, 0, name, -1, report + n, 300) - 1;
        report[n++] = L':';
        report[n++] = L' ';
    }
    n += MultiByteToWideChar(CP_ACP, 0, what, -1, report + n, 80) - 1;
    report[n++] = L'\n';
    report[n] = 0;
}

/* ---- Progress window ----------------------------------------------------- */

static void pump(void)
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

static void progress_show(const char* name)
{
    WCHAR text[LZH_PATH_MAX + 32];
    if (!progress)
        return;
    lstrcpyW(text, L"Extracting ");
    MultiByteToWideChar(CP_ACP, 0, name, -1, text + 11, LZH_PATH_MAX + 16);
    SetWindowTextW(progress, text);
    pump();
}

/* ---- Decoder callbacks ------------------------------------------------ */

static int note(void* ctx, int event, const lzh_entry* e, int result)
{
    (void)ctx;
    if (event == LZH_EV_BEGIN) {
        if (wio.cancelled)
            return 1;
        if (mode == LZH_MODE_LIST) {
            put_num(e->size, 10);
            put(" ");
            put_num(e->packed, 10);
            put(" ");
            put(e->method);
            put(" ");
            put_hex4(e->crc);
            put(" ");
            put(e->name);
            put(result == LZH_OK ? "\r\n" : "  (unsafe name)\r\n");
        } else {
            progress_show(e->name);
            if (mode == LZH_MODE_EXTRACT && !e->is_dir && e->path[0] && !w32io_may_write(&wio, e))
                return 1;
        }
        return 0;
    }
    if (mode == LZH_MODE_LIST && result == LZH_OK)
        return 0;
    put(e->name[0] ? e->name : "archive");
    put(": ");
    if (wio.clash)
        put("not written: an earlier entry of this archive has that name");
    else
        put(lzh_strerror(result));
    if (result == LZH_E_METHOD) {
        put(" ");
        put(e->method);
    }
    put("\r\n");
    if (result != LZH_OK)
        report_line(e->name, wio.clash ? "an earlier entry has that name" : lzh_strerror(result));
    return 0;
}

static int on_progress(void* ctx, const lzh_entry* e, unsigned long done)
{
    (void)ctx;
    (void)e;
    (void)done;
    if (progress)
        pump();
    return wio.cancelled;
}

/* ---- Asking for the destination ---------------------------------------- */

static int CALLBACK browse_init(HWND w, UINT msg, LPARAM lp, LPARAM data)
{
    (void)lp;
    if (msg == BFFM_INITIALIZED)
        SendMessageW(w, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

static int ask_destination(WCHAR* dest)
{
    BROWSEINFOW bi;
    LPITEMIDLIST pidl;
    int ok;
    ZeroMemory(&bi, sizeof bi);
    bi.lpszTitle = L"Extract the files to:";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
    bi.lpfn = browse_init;
    bi.lParam = (LPARAM)dest;
    OleInitialize(NULL);
    pidl = SHBrowseForFolderW(&bi);
    ok = pidl && SHGetPathFromIDListW(pidl, dest);
    if (pidl)
        CoTaskMemFree(pidl);
    return ok;
}

/* ---- Command line -------------------------------------------------------- */

static int parse(int argc, WCHAR** argv)
{
    int i;
    for (i = 1; i < argc; i++) {
        WCHAR* a = argv[i];
        if ((a[0] != L'-' && a[0] != L'/') || !a[1])
            return 0;
        switch (a[1] | 0x20) {
        case 'y': quiet = 1; break;
        case 't': mode = LZH_MODE_TEST; break;
        case 'l': mode = LZH_MODE_LIST; break;
        case 'o':
            if (a[2])
                a += 2;
            else if (i + 1 < argc)
                a = argv[++i];
            else
                return 0;
            if (lstrlenW(a) >= W32_PATH - 64)
                return 0;
            lstrcpyW(wio.dest, a);
            break;
        default: return 0;
        }
        if (a[0] == L'-' && a[1] && a[2] && (a[1] | 0x20) != 'o')
            return 0;
    }
    return 1;
}

static void finish(UINT code)
{
    if (progress)
        DestroyWindow(progress);
    if (interactive) {
        WCHAR text[REPORT_MAX + 128];
        if (code == 0)
            lstrcpyW(text, L"All files were extracted to\n");
        else
            lstrcpyW(text, L"Some files could not be extracted to\n");
        lstrcatW(text, wio.dest);
        lstrcatW(text, L"\n\n");
        lstrcatW(text, report);
        MessageBoxW(NULL, text, TITLE, code == 0 ? MB_ICONINFORMATION : MB_ICONWARNING);
    }
    ExitProcess(code);
}

static void __attribute__((noreturn)) fail(const WCHAR* text, const char* line)
{
    put(line);
    if (!quiet && mode == LZH_MODE_EXTRACT)
        MessageBoxW(NULL, text, TITLE, MB_ICONERROR);
    ExitProcess(2);
}

void LzhSfxEntry(void)
{
    static lzh_io io;
    WCHAR** argv;
    int argc, r, len;

    out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!out || out == INVALID_HANDLE_VALUE) {
        AttachConsole(ATTACH_PARENT_PROCESS);
        out = GetStdHandle(STD_OUTPUT_HANDLE);
    }
    argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    GetCurrentDirectoryW(W32_PATH - 64, wio.dest);
    if (!argv || !parse(argc, argv))
        fail(L"Usage: [-y] [-t | -l] [-o<folder>]", "usage: [-y] [-t | -l] [-o<folder>]\r\n");
    switch (w32_open_sealed(&wio.archive)) {
    case SFX_SEAL_OK: break;
    case SFX_SEAL_NONE: fail(L"No archive was found in this program.", "no LZH archive found\r\n");
    case SFX_SEAL_SHORT:
        fail(L"This self-extractor is incomplete (cut short). Nothing was extracted.",
             "the self-extractor is cut short: nothing extracted\r\n");
    default:
        fail(L"This self-extractor is damaged (its archive was altered). Nothing was extracted.",
             "the self-extractor's archive was altered: nothing extracted\r\n");
    }
    wio.end = sfx_archive_seal.offset + sfx_archive_seal.length;
    if (!quiet && mode == LZH_MODE_EXTRACT) {
        interactive = 1;
        wio.ask = 1;
        if (argc == 1 && !ask_destination(wio.dest))
            ExitProcess(1);
    }
    wio.overwrite = quiet;
    len = lstrlenW(wio.dest);
    while (len > 3 && (wio.dest[len - 1] == L'\\' || wio.dest[len - 1] == L'/'))
        wio.dest[--len] = 0;

    w32io_setup(&io, &wio);
    io.note = note;
    io.progress = on_progress;
    lzh_init(&state, &io);
    if (mode == LZH_MODE_EXTRACT && !w32_make_folders(wio.dest))
        fail(L"Cannot create the destination folder.", "cannot create the destination folder\r\n");
    if (interactive)
        progress = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", TITLE,
                                   WS_POPUP | WS_CAPTION | WS_VISIBLE | SS_CENTER, CW_USEDEFAULT,
                                   CW_USEDEFAULT, 420, 80, NULL, NULL, GetModuleHandleW(NULL), NULL);
    r = lzh_run(&state, sfx_archive_seal.offset, mode);
    lzh_done(&state);
    if (mode != LZH_MODE_LIST) {
        put_num(state.done, 0);
        put(" entries OK, ");
        put_num(state.failed, 0);
        put(" failed\r\n");
    }
    CloseHandle(wio.archive);
    finish(r == LZH_OK ? 0 : 1);
}
