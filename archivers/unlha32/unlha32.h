/* libunlha32: makes LZH self-extractors. Load it at run time (dlopen/QLibrary)
 * from the system folder; docs/archivers.md describes commands and codes. */
#ifndef TOLLBROOK2_UNLHA32_H
#define TOLLBROOK2_UNLHA32_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Runs one command, e.g. s -+ -gw2 -jyo -x1  -y1 -gm1 -gu1 "/in/a.lzh" "/out/".
 * Returns 0, the count of entries left out (1..32767) or an 0x80xx error code;
 * output receives a short report (NUL-terminated, at most outputSize bytes). */
int Unlha(void* window, const char* commandLine, char* output, uint32_t outputSize);
/* The library's version times 100. */
unsigned short UnlhaGetVersion(void);
/* Non-zero while a call of this process is converting. */
int UnlhaGetRunning(void);
/* 1 when path holds a readable LZH archive (mode 1), 0 otherwise. */
int UnlhaCheckArchive(const char* path, int mode);

#ifdef __cplusplus
}
#endif

#endif
