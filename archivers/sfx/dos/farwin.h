/* The decoder's dictionary (up to 64 KiB) lives in its own segment outside
 * the 64 KiB data segment; these macros tell the shared decoder how to reach
 * it. Include before lzhdec.h. */
#ifndef TB_SFX_FARWIN_H
#define TB_SFX_FARWIN_H

#include "dosio.h"
#include "sfx16.h"

#define LZH_WIN_MEMBER unsigned win_seg;
#define LZH_WIN_ALLOC(s, n) (((s)->win_seg = sfx_far_alloc(n)) != 0)
#define LZH_WIN_FREE(s) (sfx_far_free((s)->win_seg), (s)->win_seg = 0)
#define LZH_WIN_GET(s, i) ((unsigned char)far_peek((s)->win_seg, (i)))
#define LZH_WIN_PUT(s, i, c) far_poke((s)->win_seg, (i), (c))

#endif
