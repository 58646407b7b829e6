/* The DOS self-extractor: a program for DOS (and the DOS box of Windows)
 * that extracts the LZH archive appended to it.
 *   NAME [-y] [-o<folder>] [-t | -l]
 * Without arguments it asks for the destination folder, then asks before
 * replacing a file. -y replaces without asking, -o sets the folder, -t tests
 * the archive, -l lists it. Errorlevel: see SFX_EXIT_* in sfx16.h. */
#include <string.h>
#include "doscon.h"
#include "dosio.h"
#include "sfx16.h"

static sfx_options options;
static char self[SFX_PATH_MAX];

void sfx_say(const char* text)
{
    dos_write(1, text, strlen(text));
    dos_write(1, "\r\n", 2);
}

static void prompt(const char* text)
{
    dos_write(1, text, strlen(text));
}

int sfx_ask_overwrite(const char* path)
{
    int key;
    prompt(path);
    prompt(" exists. Replace it? (Y)es, (N)o, (A)ll: ");
    for (;;) {
        key = dos_getkey();
        if (key < 0 || key == 0x1A || key == 0x1B) /* end of input, Esc */
            key = 'n';
        key |= 0x20;
        if (key == 'y' || key == 'n' || key == 'a')
            break;
    }
    sfx_say(key == 'y' ? "Yes" : key == 'a' ? "All" : "No");
    return key == 'y' ? 1 : key == 'a' ? 2 : 0;
}

unsigned sfx_far_alloc(unsigned long size)
{
    return dos_alloc((unsigned)((size + 15) >> 4));
}

void sfx_far_free(unsigned seg)
{
    if (seg)
        dos_free(seg);
}

/* The program's own path follows the environment strings: past their
 * closing empty string and a word that counts the strings after it. */
static void find_self(void)
{
    unsigned psp = dos_psp();
    unsigned env = far_peek(psp, 0x2C) | far_peek(psp, 0x2D) << 8;
    unsigned off = 0, i = 0;
    while (far_peek(env, off)) {
        while (far_peek(env, off))
            off++;
        off++;
    }
    off += 3;
    while (i < SFX_PATH_MAX - 1 && (self[i] = (char)far_peek(env, off + i)) != 0)
        i++;
    self[i] = 0;
}

int main(void)
{
    int count = sfx_read_switches(dos_psp(), 0x81, &options);
    if (count < 0) {
        sfx_say("Self-extracting LZH archive. Switches:");
        sfx_say("  -y  replace files unasked   -o<folder>  extract there");
        sfx_say("  -t  test the archive        -l          list it");
        return SFX_EXIT_USAGE;
    }
    if (count == 0) {
        prompt("Extract to which folder? (Enter: the current one) ");
        dos_gets(options.dest, SFX_PATH_MAX);
        sfx_say("");
    }
    find_self();
    return sfx_run(self, &options);
}
