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
#include "lzhdec.h"
#include "w32io.h"
#include "../common/w32folder.h"

#define TITLE "LZH self-extractor"
#define ARGS_MAX 16
#define REPORT_MAX 2048

/* The run's large state lives on the heap: in the program's zeroed data
   every reference to it would cost a relocation. */
static struct run {
    lzh_state state;
    w32io wio;
    lzh_io io;
    WCHAR report[REPORT_MAX];
} * the;
static int mode = LZH_MODE_EXTRACT, quiet, interactive;
static HANDLE out;
static HWND progress;

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
    int n = w32_length(the->report);
    if (n > REPORT_MAX - 400)
        return;
    if (*name) {
        n += MultiByteToWideChar(CP_ACP, 0, name, -1, the->report + n, 300) - 1;
        the->report[n++] = L':';
        the->report[n++] = L' ';
    }
    n += MultiByteToWideChar(CP_ACP, 0, what, -1, the->report + n, 80) - 1;
    the->report[n++] = L'\n';
    the->report[n] = 0;
}

/* ---- Progress window ----------------------------------------------------- */

static void pump(void)
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

static void progress_show(const char* name)
{
    char text[LZH_PATH_MAX + 16];
    if (!progress)
        return;
    lstrcpyA(text, "Extracting ");
    lstrcatA(text, name);
    SetWindowTextA(progress, text);
    pump();
}

/* ---- Decoder callbacks ------------------------------------------------ */

static int note(void* ctx, int event, const lzh_entry* e, int result)
{
    (void)ctx;
    if (event == LZH_EV_BEGIN) {
        if (the->wio.cancelled)
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
            if (mode == LZH_MODE_EXTRACT && !e->is_dir && e->path[0] && !w32io_may_write(&the->wio, e))
                return 1;
        }
        return 0;
    }
    if (mode == LZH_MODE_LIST && result == LZH_OK)
        return 0;
    put(e->name[0] ? e->name : "archive");
    put(": ");
    if (the->wio.clash)
        put("not written: an earlier entry of this archive has that name");
    else
        put(lzh_strerror(result));
    if (result == LZH_E_METHOD) {
        put(" ");
        put(e->method);
    }
    put("\r\n");
    if (result != LZH_OK)
        report_line(e->name, the->wio.clash ? "an earlier entry has that name" : lzh_strerror(result));
    return 0;
}

static int on_progress(void* ctx, const lzh_entry* e, unsigned long done)
{
    (void)ctx;
    (void)e;
    (void)done;
    if (progress)
        pump();
    return the->wio.cancelled;
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
            if (w32_length(a) >= W32_PATH - 64)
                return 0;
            the->wio.dest[0] = 0;
            w32_append(the->wio.dest, a);
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
        WCHAR text[REPORT_MAX + W32_PATH + 64];
        text[0] = 0;
        w32_append(text,
                   code == 0 ? L"All files were extracted to\n" : L"Some files could not be extracted to\n");
        w32_append(w32_append(w32_append(text, the->wio.dest), L"\n\n"), the->report);
        MessageBoxW(NULL, text, L"" TITLE, code == 0 ? MB_ICONINFORMATION : MB_ICONWARNING);
    }
    ExitProcess(code);
}

/* Says why nothing can be done: on standard output, and in a message box
   when the run is not unattended and the text would go unseen otherwise. */
static void __attribute__((noreturn)) fail(const char* text, const char* line)
{
    put(line);
    if (!quiet && (mode == LZH_MODE_EXTRACT || !out))
        MessageBoxA(NULL, text, TITLE, MB_ICONERROR);
    ExitProcess(2);
}

void lzh_sfx_entry(void)
{
    WCHAR* argv[ARGS_MAX];
    int argc, r, len;

    w32_sys_init();
    the = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *the);
    if (!the)
        ExitProcess(2);
    out = w32_output();
    argc = w32_arguments(argv, ARGS_MAX);
    w32_current_folder(the->wio.dest, W32_PATH - 64);
    if (argc == ARGS_MAX || !parse(argc, argv))
        fail("Usage: [-y] [-t | -l] [-o<folder>]", "usage: [-y] [-t | -l] [-o<folder>]\r\n");
    if (mode != LZH_MODE_EXTRACT && !out)
        fail("Testing (-t) and listing (-l) write to a console, and this system gave the program none.", "");
    switch (w32_open_sealed(&the->wio.archive)) {
    case SFX_SEAL_OK: break;
    case SFX_SEAL_NONE: fail("No archive was found in this program.", "no LZH archive found\r\n");
    case SFX_SEAL_SHORT:
        fail("This self-extractor is incomplete (cut short). Nothing was extracted.",
             "the self-extractor is cut short: nothing extracted\r\n");
    default:
        fail("This self-extractor is damaged (its archive was altered). Nothing was extracted.",
             "the self-extractor's archive was altered: nothing extracted\r\n");
    }
    the->wio.end = sfx_archive_seal.offset + sfx_archive_seal.length;
    if (!quiet && mode == LZH_MODE_EXTRACT) {
        interactive = 1;
        the->wio.ask = 1;
        if (argc == 1 && !w32_ask_folder(the->wio.dest, L"" TITLE, "Extract the files to:"))
            ExitProcess(1);
    }
    the->wio.overwrite = quiet;
    len = w32_length(the->wio.dest);
    while (len > 3 && (the->wio.dest[len - 1] == L'\\' || the->wio.dest[len - 1] == L'/'))
        the->wio.dest[--len] = 0;

    w32io_setup(&the->io, &the->wio);
    the->io.note = note;
    the->io.progress = on_progress;
    lzh_init(&the->state, &the->io);
    if (mode == LZH_MODE_EXTRACT && !w32_make_folders(the->wio.dest))
        fail("Cannot create the destination folder.", "cannot create the destination folder\r\n");
    if (interactive)
        progress =
            CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", TITLE, WS_POPUP | WS_CAPTION | WS_VISIBLE | SS_CENTER,
                            CW_USEDEFAULT, CW_USEDEFAULT, 420, 80, NULL, NULL, GetModuleHandleA(NULL), NULL);
    r = lzh_run(&the->state, sfx_archive_seal.offset, mode);
    lzh_done(&the->state);
    if (mode != LZH_MODE_LIST) {
        put_num(the->state.done, 0);
        put(" entries OK, ");
        put_num(the->state.failed, 0);
        put(" failed\r\n");
    }
    CloseHandle(the->wio.archive);
    finish(r == LZH_OK ? 0 : 1);
}
