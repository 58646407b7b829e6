/* The CAB self-extractor for Win32: a small program without a C runtime that
 * finds the cabinet appended to its own file and extracts it with the
 * system's cabinet.dll (FDI). */
#ifndef CABSFX_H
#define CABSFX_H

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include "../common/w32sfx.h"

/* What a run does with the entries. */
enum SfxMode { MODE_EXTRACT, MODE_TEST, MODE_LIST };

/* Exit status. */
enum SfxExit {
    EXIT_ALL_WRITTEN = 0, /* every entry written (or tested) with correct checksums */
    EXIT_SOME_FAILED = 1, /* an entry was refused, skipped or could not be written */
    EXIT_BAD_CABINET = 2, /* no cabinet behind the program, or a damaged one */
    EXIT_BAD_USAGE = 3    /* unknown switch, or the destination question cancelled */
};

/* The cabinet inside this program's own file. */
typedef struct {
    HANDLE file;
    DWORD base;
    DWORD size;
} SelfCabinet;

/* cablocate.c: checks the seal and finds the cabinet it vouches for; an
 * SFX_SEAL_* code (SFX_SEAL_NONE also when the sealed bytes hold no cabinet). */
int FindSelfCabinet(SelfCabinet* cabinet);

/* cabextract.c: runs FDI over the cabinet. */
typedef struct {
    enum SfxMode mode;
    BOOL unattended; /* never ask; replace existing files */
    const WCHAR* destination;
    WCHAR* log; /* what happened, one line per event */
    int logLength, logCapacity;
    int done, failed; /* entries written/tested, entries not */
} SfxRun;

BOOL ExtractCabinet(const SelfCabinet* cabinet, SfxRun* run);

/* cabutil.c: small helpers in place of a C runtime. */
void* MemAlloc(DWORD bytes);
void MemFree(void* p);
int WideLength(const WCHAR* s);
void WideCopy(WCHAR* to, const WCHAR* from);
void LogLine(SfxRun* run, const WCHAR* a, const WCHAR* b);
void PrintWide(HANDLE to, const WCHAR* text);

#endif
