/* The switches of the 16-bit self-extractors, read from the DOS command
 * tail in the PSP (see sfx_read_switches in sfx16.h). */
#include <string.h>
#include "dosio.h"
#include "sfx16.h"

/* One switch; `value` is the word after it, for "-o <folder>". Returns the
 * words used, 0 for an unknown switch. */
static int read_switch(sfx_options* opt, const char* arg, const char* value)
{
    int letter = arg[1] | 0x20; /* any letter case */
    const char* folder;
    if ((arg[0] != '-' && arg[0] != '/') || !arg[1])
        return 0;
    folder = arg[2] ? arg + 2 : value;
    if (letter == 'o') {
        if (!folder || strlen(folder) >= SFX_PATH_MAX)
            return 0;
        strcpy(opt->dest, folder);
        return arg[2] ? 1 : 2;
    }
    if (arg[2])
        return 0;
    if (letter == 'y')
        opt->overwrite = 1;
    else if (letter == 't')
        opt->mode = SFX_MODE_TEST;
    else if (letter == 'l')
        opt->mode = SFX_MODE_LIST;
    else
        return 0;
    return 1;
}

/* Splits the command line in place; quotes group words with spaces. */
static char* next_arg(char** cursor)
{
    char *p = *cursor, *arg, *out;
    while (*p == ' ' || *p == '\t')
        p++;
    if (*p == 0)
        return 0;
    arg = out = p;
    while (*p && *p != ' ' && *p != '\t') {
        if (*p == '"') {
            for (p++; *p && *p != '"';)
                *out++ = *p++;
            if (*p)
                p++;
        } else {
            *out++ = *p++;
        }
    }
    if (*p)
        p++;
    *out = 0;
    *cursor = p;
    return arg;
}

int sfx_read_switches(unsigned psp, unsigned offset, sfx_options* opt)
{
    static char args[128];
    char *cursor = args, *arg, *value;
    unsigned n = far_peek(psp, 0x80), i;
    int count = 0, used;
    if (n > sizeof args - 1)
        n = sizeof args - 1;
    for (i = 0; i < n; i++) {
        args[i] = (char)far_peek(psp, offset + i);
        if (args[i] == '\r')
            break;
    }
    args[i] = 0;
    arg = next_arg(&cursor);
    while (arg) {
        value = next_arg(&cursor);
        used = read_switch(opt, arg, value);
        if (!used)
            return -1;
        arg = used == 2 ? next_arg(&cursor) : value;
        count++;
    }
    return count;
}
