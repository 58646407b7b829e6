/* The Win16 self-extractor: an NE program for Windows 3.x (and the Windows
 * versions that run 16-bit programs) that extracts the LZH archive
 * appended to it.
 *   NAME [-y] [-o<folder>] [-t | -l]
 * Without a destination it asks (OK/Cancel) whether to extract into the
 * folder of the program, and shows the result in a message box; -y runs
 * unattended: no questions, existing files replaced, no message box. */
#include <string.h>
#include "../dos/dosio.h"
#include "../dos/sfx16.h"
#include "w16glue.h"

static char title[] = "Self-extracting LZH archive";
#define REPORT_MAX 700
#define TAIL_MAX 200

static sfx_options options;
static char self[SFX_PATH_MAX];
static char report[REPORT_MAX + 8 + TAIL_MAX];
static char tail[TAIL_MAX + SFX_PATH_MAX * 2 + 50];
/* the longest path asked about: an entry's target (SFX_PATH_MAX * 2) */
static char question[SFX_PATH_MAX * 2 + 32];

/* The report keeps its first lines and, once full, the end of the rest:
 * the summary always shows. */
void sfx_say(const char* text)
{
    char* to = report;
    int n;
    if (tail[0] || strlen(report) + strlen(text) + 6 > REPORT_MAX)
        to = tail;
    strcat(to, text);
    strcat(to, "\n");
    n = strlen(tail);
    if (n > TAIL_MAX)
        memmove(tail, tail + n - TAIL_MAX, TAIL_MAX + 1);
}

int sfx_ask_overwrite(const char* path)
{
    strcpy(question, path);
    strcat(question, "\nexists. Replace it?");
    switch (w16_message_box(question, title, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return 1;
    }
    return 0;
}

unsigned sfx_far_alloc(unsigned long size)
{
    return w16_far_alloc(size);
}

/* Blocks live until the program ends; Windows frees them then. */
void sfx_far_free(unsigned seg) {}

int main(unsigned psp, unsigned cmd, unsigned instance)
{
    char* slash;
    int status;

    if (sfx_read_switches(psp, cmd, &options) < 0) {
        w16_message_box("Switches: [-y] [-o<folder>] [-t | -l]", title, MB_OK | MB_ICONSTOP);
        return SFX_EXIT_USAGE;
    }
    w16_module_file_name(instance, self, sizeof self);
    if (options.mode == SFX_MODE_EXTRACT && !options.dest[0]) {
        strcpy(options.dest, self);
        slash = strrchr(options.dest, '\\');
        if (slash)
            slash[slash > options.dest && slash[-1] == ':' ? 1 : 0] = 0;
        if (!options.overwrite) {
            strcpy(question, "Extract the files into\n");
            strcat(question, options.dest);
            strcat(question, " ?");
            if (w16_message_box(question, title, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
                return SFX_EXIT_USAGE;
        }
    }
    status = sfx_run(self, &options);
    if (tail[0])
        strcat(strcat(report, "...\n"), tail);
    if (!options.overwrite)
        w16_message_box(report, title, status == SFX_EXIT_OK ? MB_ICONINFORMATION : MB_ICONSTOP);
    return status;
}
