/* Switches: -y unattended (no questions, replace files), -o<folder> destination
 * (or -o <folder>), -t test every entry, -l list the entries. Without any
 * switch the program asks for the destination and shows the result. */
#include "cabsfx.h"

#include <shellapi.h>
#include <shlobj.h>

static const WCHAR kTitle[] = L"CAB self-extractor";
static const WCHAR kUsage[] = L"Switches: -y (no questions, replace files), -o<folder> (destination),\r\n"
                              L"-t (test every entry), -l (list the entries).\r\n";

/* The folder dialog; FALSE when the user cancels it. */
static BOOL AskDestination(WCHAR* folder)
{
    BROWSEINFOW info;
    LPITEMIDLIST chosen;
    BOOL ok;
    memset(&info, 0, sizeof info);
    info.lpszTitle = L"Extract the files into this folder:";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    chosen = SHBrowseForFolderW(&info);
    if (chosen == NULL)
        return FALSE;
    ok = SHGetPathFromIDListW(chosen, folder);
    CoTaskMemFree(chosen);
    return ok;
}

static void Report(BOOL interactive, const WCHAR* text, BOOL failed)
{
    if (interactive)
        MessageBoxW(NULL, text, kTitle, failed ? MB_ICONWARNING : MB_ICONINFORMATION);
    else
        PrintWide(GetStdHandle(failed ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), text);
}

static int Run(void)
{
    int argc = 0, i;
    WCHAR** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    WCHAR chosen[MAX_PATH + 1];
    SfxRun run;
    SelfCabinet cabinet;
    BOOL interactive = argc <= 1, ok;

    memset(&run, 0, sizeof run);
    run.mode = MODE_EXTRACT;
    run.destination = L".";
    for (i = 1; argv != NULL && i < argc; ++i) {
        const WCHAR* a = argv[i];
        if ((a[0] == L'-' || a[0] == L'/') && (a[1] == L'y' || a[1] == L'Y') && a[2] == 0)
            run.unattended = TRUE;
        else if ((a[0] == L'-' || a[0] == L'/') && (a[1] == L't' || a[1] == L'T') && a[2] == 0)
            run.mode = MODE_TEST;
        else if ((a[0] == L'-' || a[0] == L'/') && (a[1] == L'l' || a[1] == L'L') && a[2] == 0)
            run.mode = MODE_LIST;
        else if ((a[0] == L'-' || a[0] == L'/') && (a[1] == L'o' || a[1] == L'O')) {
            if (a[2] != 0)
                run.destination = a + 2;
            else if (i + 1 < argc)
                run.destination = argv[++i];
            else {
                Report(FALSE, kUsage, TRUE);
                return EXIT_BAD_USAGE;
            }
        } else {
            Report(FALSE, kUsage, TRUE);
            return EXIT_BAD_USAGE;
        }
    }
    switch (FindSelfCabinet(&cabinet)) {
    case SFX_SEAL_OK: break;
    case SFX_SEAL_SHORT:
        Report(interactive, L"This self-extractor is incomplete (cut short). Nothing was extracted.\r\n",
               TRUE);
        return EXIT_BAD_CABINET;
    case SFX_SEAL_ALTERED:
        Report(interactive,
               L"This self-extractor is damaged (its cabinet was altered). Nothing was extracted.\r\n", TRUE);
        return EXIT_BAD_CABINET;
    default:
        Report(interactive, L"No cabinet is attached to this program.\r\n", TRUE);
        return EXIT_BAD_CABINET;
    }
    if (interactive) {
        if (!AskDestination(chosen))
            return EXIT_BAD_USAGE;
        run.destination = chosen;
    }
    if (run.mode == MODE_EXTRACT) {
        /* the destination with every missing folder above it */
        WCHAR* folder = MemAlloc((DWORD)(WideLength(run.destination) + 1) * sizeof(WCHAR));
        if (folder == NULL)
            return EXIT_BAD_USAGE;
        WideCopy(folder, run.destination);
        if (!w32_make_folders(folder)) {
            Report(interactive, L"Cannot create the destination folder.\r\n", TRUE);
            return EXIT_BAD_USAGE;
        }
        run.destination = folder;
    }
    ok = ExtractCabinet(&cabinet, &run);
    if (!ok)
        LogLine(&run, L"The cabinet is damaged; not every entry could be read.", NULL);
    if (run.log != NULL)
        Report(interactive, run.log, !ok || run.failed > 0);
    if (!ok)
        return EXIT_BAD_CABINET;
    return run.failed > 0 ? EXIT_SOME_FAILED : EXIT_ALL_WRITTEN;
}

void __cdecl SfxEntry(void)
{
    ExitProcess((UINT)Run());
}
