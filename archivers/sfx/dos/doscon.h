/* DOS services the DOS self-extractor needs beyond files (doscon.c). */
#ifndef TB_SFX_DOSCON_H
#define TB_SFX_DOSCON_H

unsigned dos_psp(void);
/* Conventional memory: a block of paragraphs, 0 when there is not enough. */
unsigned dos_alloc(unsigned paragraphs);
void dos_free(unsigned seg);
/* Console input: one key without echo (-1 at the end of redirected
 * input); a line of at most size-1 bytes typed with DOS editing (returns
 * its length, buf ends in NUL). */
int dos_getkey(void);
int dos_gets(char* buf, int size);

#endif
