/* w32folder.c - the question for the destination folder (see w32folder.h). */
#include <shlobj.h>
#include "w32folder.h"
#include "w32sfx.h"

static int CALLBACK browse_start(HWND dialog, UINT message, LPARAM unused, LPARAM start)
{
    (void)unused;
    if (message == BFFM_INITIALIZED && start)
        SendMessageA(dialog, w32_wide ? BFFM_SETSELECTIONW : BFFM_SETSELECTIONA, TRUE, start);
    return 0;
}

/* The shell's folder dialog: 1 chosen, 0 cancelled, -1 where the system
   has none. Wide-character where the file calls are (BROWSEINFOA and W differ only in the
   type their texts point to), ANSI elsewhere. */
static int browse(WCHAR* folder, const char* prompt)
{
    LPITEMIDLIST(WINAPI * browse_for_folder)
    (BROWSEINFOW*) = (LPITEMIDLIST(WINAPI*)(BROWSEINFOW*))(void*)w32_lookup(
        "SHELL32.DLL", w32_wide ? "SHBrowseForFolderW" : "SHBrowseForFolderA");
    BOOL(WINAPI * path_of)
    (LPCITEMIDLIST, void*) = (BOOL(WINAPI*)(LPCITEMIDLIST, void*))(void*)w32_lookup(
        "SHELL32.DLL", w32_wide ? "SHGetPathFromIDListW" : "SHGetPathFromIDListA");
    HRESULT(WINAPI * get_malloc)
    (IMalloc**) = (HRESULT(WINAPI*)(IMalloc**))(void*)w32_lookup("SHELL32.DLL", "SHGetMalloc");
    /* the resizable dialog of shell32 5.0 wants OLE; older ones ignore the flag */
    HRESULT(WINAPI * ole_initialize)
    (LPVOID) = (HRESULT(WINAPI*)(LPVOID))(void*)w32_lookup("OLE32.DLL", "OleInitialize");
    BROWSEINFOW info;
    WCHAR title[80];
    char ansi[W32_ANSI_PATH];
    LPITEMIDLIST chosen;
    IMalloc* allocator;
    int ok;
    if (browse_for_folder == NULL || path_of == NULL || get_malloc == NULL)
        return -1;
    ZeroMemory(&info, sizeof info);
    MultiByteToWideChar(CP_ACP, 0, prompt, -1, title, 80);
    info.lpszTitle = w32_wide ? title : (const WCHAR*)prompt;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
    if (ole_initialize != NULL && SUCCEEDED(ole_initialize(NULL)))
        info.ulFlags |= BIF_NEWDIALOGSTYLE;
    info.lpfn = browse_start;
    info.lParam = w32_wide ? (LPARAM)folder : (LPARAM)w32_to_ansi(folder, ansi);
    chosen = browse_for_folder(&info);
    if (chosen == NULL)
        return 0;
    ok = w32_wide ? path_of(chosen, folder)
                  : path_of(chosen, ansi) && MultiByteToWideChar(CP_ACP, 0, ansi, -1, folder, W32_PATH);
    if (SUCCEEDED(get_malloc(&allocator))) {
        allocator->lpVtbl->Free(allocator, chosen);
        allocator->lpVtbl->Release(allocator);
    }
    return ok;
}

/* Where the system has no folder dialog (NT 3.51, Win32s): the program's
   own question, whether to extract into folder; another one is given with
   -o<folder>. */
static BOOL confirm(const WCHAR* folder, const WCHAR* caption)
{
    WCHAR text[W32_PATH + 128];
    text[0] = 0;
    w32_append(w32_append(w32_append(text, L"Extract the files into\n"), folder),
               L" ?\n\n(Start the program with -o<folder> to extract them elsewhere.)");
    return MessageBoxW(NULL, text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

BOOL w32_ask_folder(WCHAR* folder, const WCHAR* caption, const char* prompt)
{
    int chosen = browse(folder, prompt);
    return chosen >= 0 ? chosen : confirm(folder, caption);
}
