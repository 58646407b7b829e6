/* w32sys.c - what the running Windows offers the self-extractors (see w32sys.h). */
#include "w32sys.h"

BOOL w32_nt, w32_win32s;
#ifndef W32_ANSI_ONLY
BOOL w32_wide;
#endif

/* NT's wide-character calls, in the order of their names below: imported
   at load time they would keep the program from starting on Windows 95,
   which exports most of them only as calls that fail. */
static struct {
    HANDLE(WINAPI* create_file)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    BOOL(WINAPI* create_directory)(LPCWSTR, LPSECURITY_ATTRIBUTES);
    DWORD(WINAPI* attributes)(LPCWSTR);
    BOOL(WINAPI* set_attributes)(LPCWSTR, DWORD);
    BOOL(WINAPI* delete_file)(LPCWSTR);
    BOOL(WINAPI* move_file)(LPCWSTR, LPCWSTR);
    DWORD(WINAPI* module_path)(HMODULE, LPWSTR, DWORD);
    DWORD(WINAPI* current_folder)(DWORD, LPWSTR);
    LPWSTR(WINAPI* command_line)(void);
    BOOL(WINAPI* write_console)(HANDLE, const void*, DWORD, LPDWORD, LPVOID);
} wide;
#ifndef W32_ANSI_ONLY
static const char wide_names[] = "CreateFileW\0CreateDirectoryW\0GetFileAttributesW\0SetFileAttributesW\0"
                                 "DeleteFileW\0MoveFileW\0GetModuleFileNameW\0GetCurrentDirectoryW\0"
                                 "GetCommandLineW\0WriteConsoleW\0";
#endif

FARPROC w32_lookup(const char* library, const char* function)
{
    HMODULE module = GetModuleHandleA(library);
    if (module == NULL)
        module = LoadLibraryA(library);
    return module == NULL ? NULL : GetProcAddress(module, function);
}

void w32_sys_init(void)
{
    DWORD version = GetVersion();
    w32_win32s = (version & 0x80000000) && LOBYTE(version) < 4;
    w32_nt = !(version & 0x80000000);
    /* a library some systems lack (cabinet, shell32 on Win32s) is looked
       for quietly: its absence is handled, not a "cannot find" box */
    SetErrorMode(SEM_NOOPENFILEERRORBOX);
#ifndef W32_ANSI_ONLY
    FARPROC* slot = (FARPROC*)&wide;
    const char* name;
    w32_wide = w32_nt;
    for (name = wide_names; w32_wide && *name; name += lstrlenA(name) + 1)
        w32_wide = (*slot++ = w32_lookup("KERNEL32.DLL", name)) != NULL;
#endif
}

int w32_length(const WCHAR* s)
{
    int n = 0;
    while (s[n])
        n++;
    return n;
}

WCHAR* w32_append(WCHAR* to, const WCHAR* from)
{
    to += w32_length(to);
    while ((*to = *from++) != 0)
        to++;
    return to;
}

char* w32_to_ansi(const WCHAR* text, char* ansi)
{
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, W32_ANSI_PATH, NULL, &lossy) && !lossy)
        return ansi;
    SetLastError(ERROR_INVALID_NAME);
    return NULL;
}

/* The system's ANSI text as wide text; 0 when it does not fit. */
static DWORD from_ansi(const char* ansi, DWORD got, WCHAR* text, DWORD room)
{
    int n = got == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, ansi, -1, text, (int)room);
    return n > 0 ? (DWORD)n - 1 : 0;
}

int w32_arguments(WCHAR** argv, int room)
{
    WCHAR *line, *to;
    int argc = 0, quoted = 0;
    if (w32_wide)
        line = wide.command_line();
    else {
        const char* ansi = GetCommandLineA();
        int n = MultiByteToWideChar(CP_ACP, 0, ansi, -1, NULL, 0);
        line = HeapAlloc(GetProcessHeap(), 0, (DWORD)n * sizeof(WCHAR) + 2);
        if (line == NULL)
            return 0;
        MultiByteToWideChar(CP_ACP, 0, ansi, -1, line, n);
    }
    to = line;
    while (argc < room) {
        while (*line == L' ' || *line == L'\t')
            line++;
        if (*line == 0)
            break;
        argv[argc++] = to;
        for (; *line && (quoted || (*line != L' ' && *line != L'\t')); line++) {
            if (*line == L'"')
                quoted = !quoted;
            else
                *to++ = *line;
        }
        /* the terminator may take the place of the separator just read */
        if (*line)
            line++;
        *to++ = 0;
    }
    return argc;
}

HANDLE w32_output(void)
{
    HANDLE out;
    if (w32_win32s)
        return NULL; /* Windows 3.1 has no console for a Win32 program */
    out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == NULL || out == INVALID_HANDLE_VALUE) {
        BOOL(WINAPI * attach)
        (DWORD) = (BOOL(WINAPI*)(DWORD))(void*)w32_lookup("KERNEL32.DLL", "AttachConsole");
        out = attach != NULL && attach(ATTACH_PARENT_PROCESS) ? GetStdHandle(STD_OUTPUT_HANDLE) : NULL;
    }
    return out == INVALID_HANDLE_VALUE ? NULL : out;
}

BOOL w32_write_console(HANDLE console, const WCHAR* text, DWORD length)
{
    DWORD written;
    return w32_wide && wide.write_console(console, text, length, &written, NULL);
}

HANDLE w32_create_file(const WCHAR* path, DWORD access, DWORD share, DWORD disposition, DWORD flags)
{
    char ansi[W32_ANSI_PATH];
    if (w32_wide)
        return wide.create_file(path, access, share, NULL, disposition, flags, NULL);
    if (w32_to_ansi(path, ansi) == NULL)
        return INVALID_HANDLE_VALUE;
    return CreateFileA(ansi, access, share, NULL, disposition, flags, NULL);
}

BOOL w32_create_directory(const WCHAR* path)
{
    char ansi[W32_ANSI_PATH];
    if (w32_wide)
        return wide.create_directory(path, NULL);
    return w32_to_ansi(path, ansi) && CreateDirectoryA(ansi, NULL);
}

DWORD w32_attributes(const WCHAR* path)
{
    char ansi[W32_ANSI_PATH];
    if (w32_wide)
        return wide.attributes(path);
    return w32_to_ansi(path, ansi) ? GetFileAttributesA(ansi) : INVALID_FILE_ATTRIBUTES;
}

BOOL w32_set_attributes(const WCHAR* path, DWORD attributes)
{
    char ansi[W32_ANSI_PATH];
    if (w32_wide)
        return wide.set_attributes(path, attributes);
    return w32_to_ansi(path, ansi) && SetFileAttributesA(ansi, attributes);
}

BOOL w32_delete_file(const WCHAR* path)
{
    char ansi[W32_ANSI_PATH];
    if (w32_wide)
        return wide.delete_file(path);
    return w32_to_ansi(path, ansi) && DeleteFileA(ansi);
}

BOOL w32_move_file(const WCHAR* from, const WCHAR* to)
{
    char ansi_from[W32_ANSI_PATH], ansi_to[W32_ANSI_PATH];
    if (w32_wide)
        return wide.move_file(from, to);
    return w32_to_ansi(from, ansi_from) && w32_to_ansi(to, ansi_to) && MoveFileA(ansi_from, ansi_to);
}

DWORD w32_module_path(WCHAR* path, DWORD room)
{
    char ansi[W32_ANSI_PATH];
    if (w32_wide)
        return wide.module_path(NULL, path, room);
    return from_ansi(ansi, GetModuleFileNameA(NULL, ansi, sizeof ansi), path, room);
}

DWORD w32_current_folder(WCHAR* path, DWORD room)
{
    char ansi[W32_ANSI_PATH];
    if (w32_wide)
        return wide.current_folder(room, path);
    return from_ansi(ansi, GetCurrentDirectoryA(sizeof ansi, ansi), path, room);
}
