/* safename.c - which stored entry names a self-extractor may write (see
 * safename.h). Kept small: it is compiled into the 16-bit stubs, which must
 * stay under 20 KiB. Only memcpy of the C library: the Win32 stubs have
 * no other. */
#include <string.h>
#include "safename.h"

static int sjis_lead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

unsigned short safename_width(const unsigned char* p, unsigned short n, int utf8)
{
    return (unsigned short)(!utf8 && n >= 2 && sjis_lead(p[0]) && p[1] >= 0x40 && p[1] <= 0xFC && p[1] != 0x7F
                                ? 2
                                : 1);
}

static int upper(int c)
{
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

/* p[0..n) is d, in any letter case. */
static int same(const unsigned char* p, unsigned short n, const char* d)
{
    unsigned short k;
    for (k = 0; k < n && d[k] && upper(p[k]) == d[k]; k++)
        ;
    return k == n && d[k] == 0;
}

/* The part (n bytes) names a device, whatever extension follows it. */
static int device(const unsigned char* p, unsigned short n, int utf8)
{
    static const char names[] = "CON\0PRN\0AUX\0NUL\0CLOCK$\0CONIN$\0CONOUT$\0";
    const char* d;
    unsigned short stem = 0;
    unsigned char c;
    while (stem < n && p[stem] != '.')
        stem++;
    while (stem > 0 && p[stem - 1] == ' ')
        stem--;
    for (d = names; *d;) {
        if (same(p, stem, d))
            return 1;
        while (*d++)
            ;
    }
    if (stem < 4 || !(same(p, 3, "COM") || same(p, 3, "LPT")))
        return 0;
    /* a digit, or a superscript one, two or three (Windows-1252 or UTF-8) */
    c = p[stem - 1];
    if (stem == 4 && c >= '0' && c <= '9')
        return 1;
    if (stem != (utf8 ? 5 : 4) || (utf8 && p[3] != 0xC2))
        return 0;
    return c == 0xB9 || c == 0xB2 || c == 0xB3;
}

/* Control characters and those Windows refuses in a name. */
static int forbidden(unsigned char c)
{
    const char* f = ":*?\"<>|";
    if (c < 0x20 || c == 0x7F)
        return 1;
    while (*f)
        if ((unsigned char)*f++ == c)
            return 1;
    return 0;
}

/* One part of n bytes, neither empty nor ".". A system without a
 * double-byte code page reads a trail byte 0x5C as a folder break, making
 * what follows one a name of its own: that must name no device either
 * (nothing else can go wrong there: no lead byte is a dot or a blank). */
static int part_safe(const unsigned char* p, unsigned short n, int utf8)
{
    unsigned short i, w, name = 0;
    for (i = 0; i < n; i += w) {
        if (i == name && device(p + i, (unsigned short)(n - i), utf8))
            return 0;
        w = safename_width(p + i, (unsigned short)(n - i), utf8);
        if (w == 1 && forbidden(p[i]))
            return 0;
        if (w == 2 && p[i + 1] == '\\')
            name = (unsigned short)(i + 2);
    }
    return p[n - 1] != '.' && p[n - 1] != ' ';
}

int safename_check(const unsigned char* name, unsigned short n, int utf8, char sep, char* path,
                   unsigned short room)
{
    unsigned short i = 0, start, w, k, len = 0;
    int result = SAFENAME_EMPTY, lone = 0, fits = 1;
    if (path && room)
        path[0] = 0;
    if (n && (name[0] == '/' || name[0] == '\\'))
        return SAFENAME_UNSAFE; /* absolute */
    for (; i < n; i++) {
        for (start = i; i < n; i += w) {
            w = safename_width(name + i, (unsigned short)(n - i), utf8);
            if (w == 1 && (name[i] == '/' || name[i] == '\\'))
                break;
            lone = w == 1 && !utf8 && sjis_lead(name[i]);
        }
        k = (unsigned short)(i - start);
        if (k == 0 || (k == 1 && name[start] == '.'))
            continue;
        if (!part_safe(name + start, k, utf8))
            return SAFENAME_UNSAFE;
        result = SAFENAME_OK;
        if (!path || !fits)
            continue;
        if ((unsigned long)len + (len != 0) + k >= room) {
            fits = 0;
            continue;
        }
        if (len)
            path[len++] = sep;
        memcpy(path + len, name + start, k);
        len += k;
        /* a lead byte left alone would swallow the separator behind it */
        if (lone)
            path[len - 1] = '_';
        path[len] = 0;
    }
    return result == SAFENAME_OK && !fits ? SAFENAME_LONG : result;
}
