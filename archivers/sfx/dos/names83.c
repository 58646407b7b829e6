/* 8.3 names for DOS (see names83.h). Names arrive as raw bytes in the
 * archive's code page; Shift_JIS double-byte characters are kept whole. */
#include <string.h>
#include "names83.h"

static int sjis_lead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

static int dos_refuses(unsigned char c)
{
    return c <= ' ' || c == 0x7F || strchr("\"*+,./:;<=>?[\\]|", c) != 0;
}

/* Copies src[0..len) into dst as at most max bytes of valid name
 * characters, upper case; returns the bytes written (dst not terminated). */
static int copy_part(char* dst, const char* src, int len, int max)
{
    int i = 0, n = 0;
    while (i < len) {
        unsigned char c = (unsigned char)src[i];
        if (sjis_lead(c) && i + 1 < len) {
            if (n + 2 > max)
                break;
            dst[n++] = (char)c;
            dst[n++] = src[i + 1];
            i += 2;
            continue;
        }
        if (n + 1 > max)
            break;
        if (c >= 'a' && c <= 'z')
            c = (unsigned char)(c - 'a' + 'A');
        else if (c < 0x80 && dos_refuses(c))
            c = '_';
        dst[n++] = (char)c;
        i++;
    }
    return n;
}

static int same_ignoring_case(const char* a, const char* b)
{
    for (; *a && *b; a++, b++) {
        char x = *a, y = *b;
        if (x >= 'a' && x <= 'z')
            x = (char)(x - 'a' + 'A');
        if (x != y)
            return 0;
    }
    return *a == *b;
}

int name83(char* name)
{
    char base[10], ext[4];
    int len = strlen(name), dot = -1, i, nbase, next;
    for (i = 0; i < len; i++) {
        if (sjis_lead((unsigned char)name[i]) && i + 1 < len)
            i++;
        else if (name[i] == '.' && i > 0)
            dot = i;
    }
    if (dot < 0)
        dot = len;
    base[0] = '_';
    nbase = copy_part(base, name, dot, 8);
    if (nbase == 0)
        nbase = 1;
    base[nbase] = 0;
    next = dot < len ? copy_part(ext, name + dot + 1, len - dot - 1, 3) : 0;
    ext[next] = 0;
    {
        char mapped[13];
        int changed;
        strcpy(mapped, base);
        if (next) {
            strcat(mapped, ".");
            strcat(mapped, ext);
        }
        changed = !same_ignoring_case(name, mapped);
        strcpy(name, mapped);
        return changed;
    }
}

void name83_tail(char* name, int n)
{
    char ext[5], tail[4], base[10];
    char* dot = strchr(name, '.');
    int keep;
    strcpy(ext, dot ? dot : "");
    if (dot)
        *dot = 0;
    tail[0] = '~';
    tail[1] = (char)('0' + n % 10);
    tail[2] = 0;
    keep = copy_part(base, name, strlen(name), 8 - 2);
    base[keep] = 0;
    strcpy(name, base);
    strcat(name, tail);
    strcat(name, ext);
}
