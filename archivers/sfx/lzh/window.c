/* Part of lzhdec.c, included there: the dictionary (by default one
   malloc'd block). */

#ifdef LZH_WIN_DEFAULT
int lzh_window_alloc(lzh_state* s, unsigned long size)
{
    s->window = (unsigned char*)malloc((size_t)size);
    return s->window != NULL;
}

void lzh_window_free(lzh_state* s)
{
    free(s->window);
    s->window = NULL;
}
#endif

#ifdef LZH_FAST
#ifndef LZH_WIN_DEFAULT
#error "the fast decoding loop needs the dictionary as one block (LZH_WIN_DEFAULT)"
#endif
/* Output the fast loop (lhfast.c) collects behind the dictionary before
   handing it on, and the room it needs: a match's copies may write up to 31
   bytes past its end. */
#define FAST_CHUNK 32768u
#define WINDOW_EXTRA (FAST_CHUNK + 256u + 32u)
#else
#define WINDOW_EXTRA 0u
#endif

/* Make the dictionary 2^dicbit bytes, filled with spaces, the way every LZH
   encoder assumes it starts. */
static int window_setup(lzh_state* s, unsigned char dicbit)
{
    unsigned long size = 1UL << dicbit;
    if (s->win_alloc < size + WINDOW_EXTRA) {
        if (s->win_alloc)
            LZH_WIN_FREE(s);
        s->win_alloc = 0;
        if (!LZH_WIN_ALLOC(s, size + WINDOW_EXTRA))
            return 0;
        s->win_alloc = size + WINDOW_EXTRA;
    }
#ifdef LZH_WIN_DEFAULT
    /* one block: no need to go byte by byte (an archive of many small
       files sets it up once per file) */
    memset(s->window, ' ', (size_t)size);
#else
    {
        unsigned long i;
        for (i = 0; i < size; i++)
            LZH_WIN_PUT(s, (unsigned short)i, ' ');
    }
#endif
    s->wmask = (unsigned short)(size - 1);
    s->wpos = 0;
    return 1;
}
