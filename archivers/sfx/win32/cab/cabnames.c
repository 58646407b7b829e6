#include "cabsfx.h"

static WCHAR Upper(WCHAR c)
{
    return (c >= L'a' && c <= L'z') ? (WCHAR)(c - 32) : c;
}

static BOOL SameUpper(const WCHAR* part, int length, const char* device)
{
    int i;
    for (i = 0; i < length; ++i)
        if (device[i] == 0 || Upper(part[i]) != (WCHAR)device[i])
            return FALSE;
    return device[length] == 0;
}

/* CON, PRN, AUX, NUL, COM1-9, LPT1-9, whatever extension follows. */
static BOOL IsDevice(const WCHAR* part, int length)
{
    int stem = 0;
    while (stem < length && part[stem] != L'.')
        ++stem;
    while (stem > 0 && part[stem - 1] == L' ')
        --stem;
    if (SameUpper(part, stem, "CON") || SameUpper(part, stem, "PRN") || SameUpper(part, stem, "AUX")
        || SameUpper(part, stem, "NUL"))
        return TRUE;
    return stem == 4 && (SameUpper(part, 3, "COM") || SameUpper(part, 3, "LPT")) && part[3] >= L'1'
        && part[3] <= L'9';
}

BOOL IsSafeEntryName(const WCHAR* name)
{
    const WCHAR *p = name, *part;
    BOOL any = FALSE;
    if (name[0] == L'\\' || name[0] == L'/')
        return FALSE; /* absolute */
    while (*p) {
        int length;
        part = p;
        while (*p && *p != L'\\' && *p != L'/') {
            WCHAR c = *p;
            if (c < 0x20 || c == L':' || c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'?'
                || c == L'*')
                return FALSE; /* drive letters, streams, wildcards, control codes */
            ++p;
        }
        length = (int)(p - part);
        if (length == 2 && part[0] == L'.' && part[1] == L'.')
            return FALSE;
        if (length > 0 && !(length == 1 && part[0] == L'.')) {
            if (IsDevice(part, length))
                return FALSE;
            any = TRUE;
        }
        if (*p)
            ++p;
    }
    return any;
}
