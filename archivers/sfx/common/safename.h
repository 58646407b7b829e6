/*
 * safename.h - which stored entry names a self-extractor may write.
 *
 * One definition for every LZH and CAB self-extractor and for the libraries
 * that make them (their -gu0 leaves out exactly what this refuses). Plain
 * C89 and 16-bit clean.
 *
 * A name is a run of bytes with folders separated by '/' or '\\'. Unless it
 * is UTF-8 it is read in the archive's code page with Shift_JIS double-byte
 * characters kept whole, so a trail byte 0x5C or 0x7C is never taken for a
 * separator or a forbidden character. A name is unsafe when it is absolute,
 * when a part is "..", holds a control character (0x00-0x1F, 0x7F) or one of
 * : * ? " < > | (so also drive letters and streams), names a device (CON,
 * PRN, AUX, NUL, CLOCK$, CONIN$, CONOUT$, COM0-COM9, LPT0-LPT9, COM or LPT
 * with a superscript digit; any letter case, any extension), or ends with a
 * dot or a blank (Windows would drop them and write another name). What
 * follows a trail byte 0x5C must not name a device either: a system without
 * a double-byte code page takes that byte for a folder break. Empty parts
 * and "." parts are left out of the path.
 */
#ifndef TB_SAFENAME_H
#define TB_SAFENAME_H

#ifdef __cplusplus
extern "C" {
#endif

#define SAFENAME_OK 0     /* every part may be created inside the destination */
#define SAFENAME_EMPTY 1  /* nothing is left to create ("", ".", "./") */
#define SAFENAME_UNSAFE 2 /* see above */
#define SAFENAME_LONG 3   /* safe, but the path does not fit the room given */

/* The width of the character at p, of which n bytes remain: 2 for a
   Shift_JIS lead byte followed by a trail byte (never in UTF-8), else 1. */
unsigned short safename_width(const unsigned char* p, unsigned short n, int utf8);

/* Checks the name of n bytes. When path is not NULL, the parts to create
   are written there joined by sep and NUL-terminated (at most room - 1
   bytes); a lone lead byte at the end of a part becomes '_' there, so it
   cannot swallow the separator behind it. Returns a SAFENAME_* code. */
int safename_check(const unsigned char* name, unsigned short n, int utf8, char sep, char* path,
                   unsigned short room);

#ifdef __cplusplus
}
#endif

#endif
