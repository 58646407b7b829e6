/* The CAB self-extractor for Win32: a small program without a C runtime that
 * finds the cabinet appended to its own file and extracts it with the
 * system's cabinet.dll (FDI), loaded while running. */
#ifndef CABSFX_H
#define CABSFX_H

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include "../common/w32sfx.h"

/* What a run does with the entries. */
enum cab_mode { MODE_EXTRACT, MODE_TEST, MODE_LIST };

/* Exit status. */
enum cab_exit {
    EXIT_ALL_WRITTEN = 0, /* every entry written (or tested) with correct checksums */
    EXIT_SOME_FAILED = 1, /* an entry was refused, skipped or could not be written */
    EXIT_BAD_CABINET = 2, /* no cabinet behind the program, a damaged one, or no FDI to read it */
    EXIT_BAD_USAGE = 3    /* unknown switch, or the destination question cancelled */
};

/* The cabinet inside this program's own file. */
typedef struct self_cabinet {
    HANDLE file;
    DWORD base;
    DWORD size;
} self_cabinet;

/* cablocate.c: checks the seal and finds the cabinet it vouches for; an
 * SFX_SEAL_* code (SFX_SEAL_NONE also when the sealed bytes hold no cabinet). */
int find_self_cabinet(self_cabinet* cabinet);

/* cabextract.c: runs FDI over the cabinet. */
typedef struct cab_run {
    enum cab_mode mode;
    BOOL unattended; /* never ask; replace existing files */
    const WCHAR* destination;
    WCHAR* log; /* what happened, one line per event */
    int log_length, log_capacity;
    int done, failed; /* entries written/tested, entries not */
} cab_run;

/* Loads FDI from the system's cabinet.dll; FALSE where the system has none. */
BOOL load_fdi(void);
BOOL extract_cabinet(const self_cabinet* cabinet, cab_run* run);

/* cabutil.c: small helpers in place of a C runtime. */
void* mem_alloc(DWORD bytes);
void mem_free(void* p);
void log_line(cab_run* run, const WCHAR* a, const WCHAR* b);
void print_wide(HANDLE to, const WCHAR* text);

#endif
