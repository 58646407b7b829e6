/* libcab32: makes CAB self-extractors. Load it at run time (dlopen/QLibrary)
 * from the system folder; docs/archivers.md describes commands and codes. */
#ifndef TOLLBROOK2_CAB32_H
#define TOLLBROOK2_CAB32_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Runs one command, e.g. -f "/in/a.cab" "/out/".
 * Returns 0, the count of entries left out (1..32767) or an 0x80xx error code;
 * output receives a short report (NUL-terminated, at most outputSize bytes). */
int Cab(void* window, const char* commandLine, char* output, uint32_t outputSize);
/* The library's version times 100. */
unsigned short CabGetVersion(void);
/* Non-zero while a call of this process is converting. */
int CabGetRunning(void);
/* 1 when path holds a readable cabinet (mode 1), 0 otherwise. */
int CabCheckArchive(const char* path, int mode);

#ifdef __cplusplus
}
#endif

#endif
