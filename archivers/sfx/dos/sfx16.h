/* The extraction run shared by the DOS and the Win16 self-extractors.
 * The platform part (dosmain.c, ../win16/w16main.c) reads the switches,
 * finds its own file and implements the few services below;
 * this part walks the archive with the shared LZH decoder and writes the
 * entries under the destination through int 21h. */
#ifndef TB_SFX16_H
#define TB_SFX16_H

#define SFX_PATH_MAX 128

/* Exit statuses (DOS errorlevels) */
#define SFX_EXIT_OK 0      /* every entry written (or tested) intact */
#define SFX_EXIT_ENTRIES 1 /* some entries failed, were refused or skipped */
#define SFX_EXIT_ARCHIVE 2 /* no archive behind the program, or not the one sealed */
#define SFX_EXIT_USAGE 3   /* bad switches, or the destination is unusable */

#define SFX_MODE_EXTRACT 0
#define SFX_MODE_TEST 1
#define SFX_MODE_LIST 2

typedef struct sfx_options {
    int mode;
    int overwrite;           /* -y: replace existing files unasked */
    char dest[SFX_PATH_MAX]; /* destination folder, "" = current */
} sfx_options;

/* Services of the platform */
void sfx_say(const char* text);             /* a line of the report */
int sfx_ask_overwrite(const char* path);    /* 1 replace, 0 keep */
unsigned sfx_far_alloc(unsigned long size); /* segment/selector, 0 = none */
void sfx_far_free(unsigned seg);

/* Reads the switches (-y, -o<folder> or -o <folder>, -t, -l; '/' may stand
 * for '-', any letter case; quotes group words) from a
 * DOS command tail: its length at psp:80h, its text at psp:offset. Returns
 * how many there were, -1 when one is unknown. */
int sfx_read_switches(unsigned psp, unsigned offset, sfx_options* opt);

/* Checks the archive the file `self` carries against its seal, then
 * extracts, tests or lists it; returns an SFX_EXIT_* status. */
int sfx_run(const char* self, const sfx_options* opt);

#endif
