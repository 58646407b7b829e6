/* Entry names as DOS can hold them. */
#ifndef TB_SFX_NAMES83_H
#define TB_SFX_NAMES83_H

/* Rewrites one path component in place into an 8.3 name: at most eight
 * bytes, a dot and three more (double-byte Shift_JIS characters are never
 * split), characters DOS refuses become '_'. Device names never get here:
 * the decoder refuses them. Returns non-zero when the name had to change. */
int name83(char* name);

/* Appends a "~n" tail to an 8.3 name made by name83, keeping it 8.3. */
void name83_tail(char* name, int n);

#endif
