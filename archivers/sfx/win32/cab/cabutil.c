#include "cabsfx.h"

/* The compiler may emit calls to these for structure copies and clears. */
void* memset(void* dest, int value, unsigned int count)
{
    unsigned char* d = dest;
    while (count--)
        *d++ = (unsigned char)value;
    return dest;
}

void* memcpy(void* dest, const void* src, unsigned int count)
{
    unsigned char* d = dest;
    const unsigned char* s = src;
    while (count--)
        *d++ = *s++;
    return dest;
}

void* MemAlloc(DWORD bytes)
{
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes);
}

void MemFree(void* p)
{
    if (p != NULL)
        HeapFree(GetProcessHeap(), 0, p);
}

int WideLength(const WCHAR* s)
{
    int n = 0;
    while (s[n])
        ++n;
    return n;
}

void WideCopy(WCHAR* to, const WCHAR* from)
{
    while ((*to++ = *from++) != 0)
        ;
}

static void Append(SfxRun* run, const WCHAR* text)
{
    int n = WideLength(text);
    if (run->logLength + n + 2 > run->logCapacity) {
        int capacity = (run->logCapacity + n + 2) * 2;
        WCHAR* grown = MemAlloc((DWORD)capacity * sizeof(WCHAR));
        if (grown == NULL)
            return;
        if (run->log != NULL)
            memcpy(grown, run->log, (unsigned)run->logLength * sizeof(WCHAR));
        MemFree(run->log);
        run->log = grown;
        run->logCapacity = capacity;
    }
    memcpy(run->log + run->logLength, text, (unsigned)n * sizeof(WCHAR));
    run->logLength += n;
    run->log[run->logLength] = 0;
}

void LogLine(SfxRun* run, const WCHAR* a, const WCHAR* b)
{
    Append(run, a);
    if (b != NULL)
        Append(run, b);
    Append(run, L"\r\n");
}

/* A console gets UTF-16; a pipe or file gets UTF-8. */
void PrintWide(HANDLE to, const WCHAR* text)
{
    DWORD mode, written;
    int n = WideLength(text);
    char* utf8;
    int bytes;
    if (to == NULL || to == INVALID_HANDLE_VALUE || n == 0)
        return;
    if (GetConsoleMode(to, &mode)) {
        WriteConsoleW(to, text, (DWORD)n, &written, NULL);
        return;
    }
    bytes = WideCharToMultiByte(CP_UTF8, 0, text, n, NULL, 0, NULL, NULL);
    utf8 = MemAlloc((DWORD)bytes + 1);
    if (utf8 == NULL)
        return;
    WideCharToMultiByte(CP_UTF8, 0, text, n, utf8, bytes, NULL, NULL);
    WriteFile(to, utf8, (DWORD)bytes, &written, NULL);
    MemFree(utf8);
}
