/* int 21h services for the 16-bit self-extractors (see dosio.h).
 * bcc passes arguments on the stack (first at 2[sp] on entry) and keeps
 * bp, si, di; results come back in ax, 32-bit ones in bx:ax.
 * DOS sets the carry flag on failure: "sbb ax,ax" right after int 21h turns
 * it into 0 (done) or -1 (failed) for the calls that report only that.
 * Calls that differ only in their function number share one body: the
 * first sets ah and jumps into the second's. */
#include "dosio.h"

/* The #asm blocks hold assembly, which clang-format would take for C. */
/* clang-format off */

int dos_open(const char *path, int mode)
{
#asm
  push bp
  mov bp,sp
  mov dx,4[bp]
  mov al,6[bp]
  mov ah,#$3D
  int $21
  jnc dos_open_done
  mov ax,#-1
dos_open_done:
  pop bp
#endasm
}

int dos_create_new(const char *path)
{
#asm
  push bp
  mov bp,sp
  mov dx,4[bp]
  xor cx,cx
  mov ah,#$5B
  int $21
  jnc dos_create_done
  mov ax,#-1
dos_create_done:
  pop bp
#endasm
}

unsigned dos_read(int handle, void *buf, unsigned count)
{
#asm
  mov ah,#$3F
  jmp dos_transfer
#endasm
}

unsigned dos_write(int handle, const void *buf, unsigned count)
{
#asm
  mov ah,#$40
dos_transfer:
  push bp
  mov bp,sp
  mov bx,4[bp]
  mov dx,6[bp]
  mov cx,8[bp]
  int $21
  jnc dos_transfer_done
  mov ax,#-1
dos_transfer_done:
  pop bp
#endasm
}

int dos_close(int handle)
{
#asm
  push bp
  mov bp,sp
  mov bx,4[bp]
  mov ah,#$3E
  int $21
  sbb ax,ax
  pop bp
#endasm
}

int dos_seek(int handle, unsigned long pos)
{
#asm
  push bp
  mov bp,sp
  mov bx,4[bp]
  mov dx,6[bp]
  mov cx,8[bp]
  mov ax,#$4200
  int $21
  sbb ax,ax
  pop bp
#endasm
}

int dos_mkdir(const char *path)
{
#asm
  mov ah,#$39
  jmp dos_path_call
#endasm
}

int dos_unlink(const char *path)
{
#asm
  mov ah,#$41
dos_path_call:
  push bp
  mov bp,sp
  mov dx,4[bp]
  int $21
  sbb ax,ax
  pop bp
#endasm
}

int dos_rename(const char *from, const char *to)
{
#asm
  push bp
  mov bp,sp
  push di
  push es
  push ds
  pop es
  mov dx,4[bp]
  mov di,6[bp]
  mov ah,#$56
  int $21
  sbb ax,ax
  pop es
  pop di
  pop bp
#endasm
}

int dos_attr(const char *path)
{
#asm
  push bp
  mov bp,sp
  mov dx,4[bp]
  mov ax,#$4300
  int $21
  mov ax,cx
  jnc dos_attr_done
  mov ax,#-1
dos_attr_done:
  pop bp
#endasm
}

int dos_set_ftime(int handle, unsigned time, unsigned date)
{
#asm
  push bp
  mov bp,sp
  mov bx,4[bp]
  mov cx,6[bp]
  mov dx,8[bp]
  mov ax,#$5701
  int $21
  sbb ax,ax
  pop bp
#endasm
}

unsigned far_peek(unsigned seg, unsigned off)
{
#asm
  mov bx,sp
  push es
  mov es,2[bx]
  mov bx,4[bx]
  seg es
  mov al,[bx]
  xor ah,ah
  pop es
#endasm
}

void far_poke(unsigned seg, unsigned off, unsigned value)
{
#asm
  mov bx,sp
  push es
  mov es,2[bx]
  mov al,6[bx]
  mov bx,4[bx]
  seg es
  mov [bx],al
  pop es
#endasm
}
/* clang-format on */
