/* DOS-only services of the DOS self-extractor (see doscon.h): memory,
 * the PSP and console input. The Win16 stub gets these from Windows. */
#include <string.h>
#include "doscon.h"
#include "dosio.h"

unsigned dos_alloc(unsigned paragraphs)
{
/* clang-format off */
#asm
  mov bx,sp
  mov bx,2[bx]
  mov ah,#$48
  int $21
  jnc dos_alloc_done
  xor ax,ax
dos_alloc_done:
#endasm
    /* clang-format on */
}

void dos_free(unsigned seg)
{
/* clang-format off */
#asm
  mov bx,sp
  push es
  mov es,2[bx]
  mov ah,#$49
  int $21
  pop es
#endasm
    /* clang-format on */
}

unsigned dos_psp(void)
{
/* clang-format off */
#asm
  mov ah,#$62
  int $21
  mov ax,bx
#endasm
    /* clang-format on */
}

static int dos_console_key(void)
{
/* clang-format off */
#asm
  mov ah,#$08
  int $21
  xor ah,ah
#endasm
    /* clang-format on */
}

/* Whether a handle is a device (the console) rather than a file. */
static int dos_is_device(int handle)
{
/* clang-format off */
#asm
  mov bx,sp
  mov bx,2[bx]
  mov ax,#$4400
  int $21
  mov ax,#0
  jc dos_is_device_done
  and dx,#$80
  mov ax,dx
dos_is_device_done:
#endasm
    /* clang-format on */
}

int dos_getkey(void)
{
    unsigned char c;
    if (dos_is_device(0))
        return dos_console_key();
    return dos_read(0, &c, 1) == 1 ? c : -1; /* input from a file */
}

/* DOS buffered line input into a buffer laid out as it wants it:
 * [0] room, [1] length read, [2..] the text and a CR. */
static void dos_line_input(unsigned char* request)
{
/* clang-format off */
#asm
  mov bx,sp
  mov dx,2[bx]
  mov ah,#$0A
  int $21
#endasm
    /* clang-format on */
}

int dos_gets(char* buf, int size)
{
    static unsigned char request[2 + 128 + 1];
    int n;
    if (size > 128)
        size = 128;
    request[0] = (unsigned char)size;
    request[1] = 0;
    dos_line_input(request);
    n = request[1];
    memcpy(buf, request + 2, n);
    buf[n] = 0;
    return n;
}
