/* minicrt.c - the few C library functions the LZH decoder calls, for a stub
 * linked without any C runtime (the compiler may also call memset/memcpy). */
#include <windows.h>
#include <stddef.h>

void* memset(void* d, int c, size_t n)
{
    unsigned char* p = d;
    while (n--)
        *p++ = (unsigned char)c;
    return d;
}

void* memcpy(void* d, const void* s, size_t n)
{
    unsigned char* p = d;
    const unsigned char* q = s;
    while (n--)
        *p++ = *q++;
    return d;
}

void* memmove(void* d, const void* s, size_t n)
{
    unsigned char* p = d;
    const unsigned char* q = s;
    if (p < q) {
        while (n--)
            *p++ = *q++;
    } else {
        while (n--)
            p[n] = q[n];
    }
    return d;
}

int memcmp(const void* a, const void* b, size_t n)
{
    const unsigned char *p = a, *q = b;
    for (; n; n--, p++, q++)
        if (*p != *q)
            return *p - *q;
    return 0;
}

size_t strlen(const char* s)
{
    const char* p = s;
    while (*p)
        p++;
    return (size_t)(p - s);
}

char* strchr(const char* s, int c)
{
    for (;; s++) {
        if (*s == (char)c)
            return (char*)s;
        if (!*s)
            return NULL;
    }
}

void* malloc(size_t n)
{
    return HeapAlloc(GetProcessHeap(), 0, n);
}

void free(void* p)
{
    if (p)
        HeapFree(GetProcessHeap(), 0, p);
}
