/* CRC-32 for the seal check of the 16-bit self-extractors (sfxseal.h): the
 * table is made in C on the first call (its 1 KiB lives in the bss, not in
 * the program file), the loop over the bytes is assembly, as bcc's 32-bit
 * arithmetic goes through helper calls and would take seconds per MiB. */
#include "../common/sfxseal.h"

static unsigned long crc_table[256];

/* c is the running value, bits inverted; bcc passes its low word at
 * 4[bp], the high one at 6[bp], then p and n, and takes a 32-bit result in
 * dx:ax. */
static unsigned long crc_update(unsigned long c, const unsigned char* p, unsigned short n)
{
/* clang-format off */
#asm
  push bp
  mov bp,sp
  push si
  mov ax,4[bp]
  mov dx,6[bp]
  mov si,8[bp]
  mov cx,10[bp]
  jcxz crc_update_done
crc_update_next:
  mov bl,[si]
  inc si
  xor bl,al
  xor bh,bh
  shl bx,#1
  shl bx,#1
  mov al,ah
  mov ah,dl
  mov dl,dh
  xor dh,dh
  xor ax,_crc_table[bx]
  xor dx,_crc_table+2[bx]
  loop crc_update_next
crc_update_done:
  pop si
  pop bp
#endasm
    /* clang-format on */
}

unsigned long sfx_crc32(unsigned long crc, const unsigned char* p, unsigned short n)
{
    unsigned long c;
    unsigned i, k;
    if (crc_table[1] == 0) {
        for (i = 0; i < 256; i++) {
            c = i;
            for (k = 0; k < 8; k++)
                c = c & 1 ? (c >> 1) ^ 0xEDB88320UL : c >> 1;
            crc_table[i] = c;
        }
    }
    return ~crc_update(~crc, p, n);
}
