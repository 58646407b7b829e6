/* 8.3 names for DOS (see names83.h). Names arrive as raw bytes in the
 * archive's code page; Shift_JIS double-byte characters are kept whole. */
#include <string.h>
#include "../common/safename.h"
#include "names83.h"

static int dos_refuses(unsigned char c)
{
    return c <= ' ' || c == 0x7F || strchr("\"*+,./:;<=>?[\\]|", c) != 0;
}

/* Copies src[0..len) into dst as at most max bytes of valid name
 * characters, upper case; returns the bytes written (dst not terminated). */
static int copy_part(char* dst, const char* src, int len, int max)
{
    int i = 0, n = 0, w;
    while (i < len) {
        unsigned char c = (unsigned char)src[i];
        w = safename_width((unsigned char*)src + i, (unsigned short)(len - i), 0);
        if (n + w > max)
            break;
        if (w == 2) {
            dst[n++] = (char)c;
            dst[n++] = src[i + 1];
        } else if (c >= 'a' && c <= 'z') {
            dst[n++] = (char)(c - 'a' + 'A');
        } else {
            dst[n++] = (char)(c < 0x80 && dos_refuses(c) ? '_' : c);
        }
        i += w;
    }
    return n;
}

int name83(const char* src, int len, char* dst)
{
    int dot = len, i, n;
    for (i = 0; i < len; i += safename_width((unsigned char*)src + i, (unsigned short)(len - i), 0))
        if (src[i] == '.' && i > 0)
            dot = i;
    n = copy_part(dst, src, dot, 8);
    if (n == 0)
        dst[n++] = '_';
    if (dot < len) {
        dst[n] = '.';
        i = copy_part(dst + n + 1, src + dot + 1, len - dot - 1, 3);
        if (i)
            n += i + 1;
    }
    dst[n] = 0;
    return n;
}

void name83_tail(char* name, unsigned n)
{
    char ext[5], tail[8], base[9];
    char* dot = strchr(name, '.');
    int keep, t = 7;
    strcpy(ext, dot ? dot : "");
    if (dot)
        *dot = 0;
    tail[t] = 0;
    do {
        tail[--t] = (char)('0' + n % 10);
        n /= 10;
    } while (n);
    tail[--t] = '~';
    keep = copy_part(base, name, strlen(name), t + 1);
    base[keep] = 0;
    strcpy(name, base);
    strcat(name, tail + t);
    strcat(name, ext);
}
