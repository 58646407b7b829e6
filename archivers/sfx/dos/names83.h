/* Entry names as DOS can hold them. */
#ifndef TB_SFX_NAMES83_H
#define TB_SFX_NAMES83_H

/* Writes the n-byte path part at src into dst as an 8.3 name: at most eight
 * bytes, a dot and three more (double-byte Shift_JIS characters are never
 * split), upper case, characters DOS refuses as '_'. Unsafe names never get
 * here: the shared name rules refuse them. dst needs 13 bytes; returns the
 * length written. */
int name83(const char* src, int n, char* dst);

/* Rewrites an 8.3 name made by name83 to end in "~" and the number n, the
 * part before the dot shortened as far as the number needs. */
void name83_tail(char* name, unsigned n);

#endif
