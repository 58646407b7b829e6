/* A stand-in archiver library with the C shape of the real ones, built
   under a configurable prefix: the main call copies its command line into
   the output buffer so the test sees exactly what arrived. */
#include <stdint.h>
#include <string.h>

#define JOIN2(a, b) a##b
#define JOIN(a, b) JOIN2(a, b)
#define NAME(suffix) JOIN(LIBRARY_PREFIX, suffix)

int LIBRARY_PREFIX(void* window, const char* commandLine, char* output, uint32_t outputSize)
{
    (void)window;
    size_t length = strlen(commandLine);
    if (outputSize == 0)
        return 0x8001;
    if (length >= outputSize)
        length = outputSize - 1;
    memcpy(output, commandLine, length);
    output[length] = '\0';
    return (int)length;
}

unsigned short NAME(GetVersion)(void)
{
    return LIBRARY_VERSION;
}

int NAME(GetRunning)(void)
{
    return 0;
}

#ifndef LEAVE_OUT_CHECK
int NAME(CheckArchive)(const char* path, int mode)
{
    const size_t length = strlen(path);
    return mode == 1 && length > 4 && strcmp(path + length - 4, ".lzh") == 0;
}
#endif
