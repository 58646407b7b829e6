/* Switches: -y unattended (no questions, replace files), -o<folder> destination
 * (or -o <folder>), -t test every entry, -l list the entries. Without any
 * switch the program asks for the destination and shows the result. */
#include "cabsfx.h"

#include "../common/w32folder.h"

#define ARGS_MAX 16

static const WCHAR title[] = L"CAB self-extractor";
static const WCHAR usage[] = L"Switches: -y (no questions, replace files), -o<folder> (destination),\r\n"
                             L"-t (test every entry), -l (list the entries).\r\n";

/* Shows text in a message box when the run is interactive, else writes it
   to standard output or, when failed, standard error. */
static void report(BOOL interactive, const WCHAR* text, BOOL failed)
{
    if (interactive)
        MessageBoxW(NULL, text, title, failed ? MB_ICONWARNING : MB_ICONINFORMATION);
    else
        print_wide(GetStdHandle(failed ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), text);
}

static int run_switches(void)
{
    WCHAR* argv[ARGS_MAX];
    int argc = w32_arguments(argv, ARGS_MAX), i;
    WCHAR chosen[W32_PATH];
    cab_run run;
    self_cabinet cabinet;
    /* without a console (Win32s; Windows before XP started from Explorer)
       the results are shown, unless the run is unattended */
    BOOL interactive = argc <= 1, console = w32_output() != NULL, ok;

    memset(&run, 0, sizeof run);
    run.mode = MODE_EXTRACT;
    run.destination = L".";
    for (i = 1; i < argc; ++i) {
        const WCHAR* a = argv[i];
        if (argc == ARGS_MAX || (a[0] != L'-' && a[0] != L'/')) {
            report(FALSE, usage, TRUE);
            return EXIT_BAD_USAGE;
        }
        if ((a[1] == L'y' || a[1] == L'Y') && a[2] == 0)
            run.unattended = TRUE;
        else if ((a[1] == L't' || a[1] == L'T') && a[2] == 0)
            run.mode = MODE_TEST;
        else if ((a[1] == L'l' || a[1] == L'L') && a[2] == 0)
            run.mode = MODE_LIST;
        else if ((a[1] == L'o' || a[1] == L'O') && (a[2] != 0 || i + 1 < argc))
            run.destination = a[2] != 0 ? a + 2 : argv[++i];
        else {
            report(FALSE, usage, TRUE);
            return EXIT_BAD_USAGE;
        }
    }
    interactive = interactive || (!console && !run.unattended);
    switch (find_self_cabinet(&cabinet)) {
    case SFX_SEAL_OK: break;
    case SFX_SEAL_SHORT:
        report(interactive, L"This self-extractor is incomplete (cut short). Nothing was extracted.\r\n",
               TRUE);
        return EXIT_BAD_CABINET;
    case SFX_SEAL_ALTERED:
        report(interactive,
               L"This self-extractor is damaged (its cabinet was altered). Nothing was extracted.\r\n", TRUE);
        return EXIT_BAD_CABINET;
    default:
        report(interactive, L"No cabinet is attached to this program.\r\n", TRUE);
        return EXIT_BAD_CABINET;
    }
    if (!load_fdi()) {
        report(
            interactive,
            L"This self-extractor needs CABINET.DLL, which this system does not have (it comes with "
            L"Internet Explorer 3 and later and with later versions of Windows). Nothing was extracted.\r\n",
            TRUE);
        return EXIT_BAD_CABINET;
    }
    if (argc <= 1) {
        w32_current_folder(chosen, W32_PATH);
        if (!w32_ask_folder(chosen, title, "Extract the files into this folder:"))
            return EXIT_BAD_USAGE;
        run.destination = chosen;
    }
    if (run.mode == MODE_EXTRACT) {
        /* the destination with every missing folder above it */
        WCHAR* folder = mem_alloc((DWORD)(w32_length(run.destination) + 1) * sizeof(WCHAR));
        if (folder == NULL)
            return EXIT_BAD_USAGE;
        w32_append(folder, run.destination);
        if (!w32_make_folders(folder)) {
            report(interactive, L"Cannot create the destination folder.\r\n", TRUE);
            return EXIT_BAD_USAGE;
        }
        run.destination = folder;
    }
    ok = extract_cabinet(&cabinet, &run);
    if (!ok)
        log_line(&run, L"The cabinet is damaged; not every entry could be read.", NULL);
    if (run.log != NULL)
        report(interactive, run.log, !ok || run.failed > 0);
    if (!ok)
        return EXIT_BAD_CABINET;
    return run.failed > 0 ? EXIT_SOME_FAILED : EXIT_ALL_WRITTEN;
}

void __cdecl sfx_entry(void)
{
    w32_sys_init();
    ExitProcess((UINT)run_switches());
}
