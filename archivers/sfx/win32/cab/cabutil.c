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

void* mem_alloc(DWORD bytes)
{
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes);
}

void mem_free(void* p)
{
    if (p != NULL)
        HeapFree(GetProcessHeap(), 0, p);
}

static void append(cab_run* run, const WCHAR* text)
{
    int n = w32_length(text);
    if (run->log_length + n + 2 > run->log_capacity) {
        int capacity = (run->log_capacity + n + 2) * 2;
        WCHAR* grown = mem_alloc((DWORD)capacity * sizeof(WCHAR));
        if (grown == NULL)
            return;
        if (run->log != NULL)
            memcpy(grown, run->log, (unsigned)run->log_length * sizeof(WCHAR));
        mem_free(run->log);
        run->log = grown;
        run->log_capacity = capacity;
    }
    memcpy(run->log + run->log_length, text, (unsigned)n * sizeof(WCHAR));
    run->log_length += n;
    run->log[run->log_length] = 0;
}

void log_line(cab_run* run, const WCHAR* a, const WCHAR* b)
{
    append(run, a);
    if (b != NULL)
        append(run, b);
    append(run, L"\r\n");
}

/* An NT console gets UTF-16; a pipe or file gets UTF-8 (the system's code
   page where it has no UTF-8: Windows 95), another console its OEM code page. */
void print_wide(HANDLE to, const WCHAR* text)
{
    DWORD mode, written;
    int n = w32_length(text), bytes;
    BOOL console;
    UINT code_page;
    char* encoded;
    if (to == NULL || to == INVALID_HANDLE_VALUE || n == 0)
        return;
    console = GetConsoleMode(to, &mode);
    if (console && w32_write_console(to, text, (DWORD)n))
        return;
    code_page = console ? CP_OEMCP : CP_UTF8;
    bytes = WideCharToMultiByte(code_page, 0, text, n, NULL, 0, NULL, NULL);
    if (bytes == 0)
        bytes = WideCharToMultiByte(code_page = CP_ACP, 0, text, n, NULL, 0, NULL, NULL);
    encoded = mem_alloc((DWORD)bytes + 1);
    if (encoded == NULL)
        return;
    WideCharToMultiByte(code_page, 0, text, n, encoded, bytes, NULL, NULL);
    WriteFile(to, encoded, (DWORD)bytes, &written, NULL);
    mem_free(encoded);
}
