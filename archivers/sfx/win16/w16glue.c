/* Near entry points into the glue of ne.asm, which sits at fixed offsets of
 * the code segment (its thunk table); the thunk finds the C caller's
 * arguments where a C function would and returns to it. */
#include "w16glue.h"

/* clang-format off */
#asm
  export _w16_message_box
_w16_message_box:
  mov bx,#$00
  jmp bx

  export _w16_module_file_name
_w16_module_file_name:
  mov bx,#$04
  jmp bx

  export _w16_far_alloc
_w16_far_alloc:
  mov bx,#$08
  jmp bx
#endasm
                                            /* clang-format on */
