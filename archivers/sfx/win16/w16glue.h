/* Windows calls of the Win16 self-extractor. The code lives in the glue at
 * the start of the code segment (ne.asm), which makes the far calls to
 * KERNEL and USER; these near functions jump there. */
#ifndef TB_SFX_W16GLUE_H
#define TB_SFX_W16GLUE_H

#define MB_OK 0x0000
#define MB_OKCANCEL 0x0001
#define MB_YESNOCANCEL 0x0003
#define MB_ICONSTOP 0x0010
#define MB_ICONQUESTION 0x0020
#define MB_ICONINFORMATION 0x0040
#define IDOK 1
#define IDYES 6

int w16_message_box(const char* text, const char* title, unsigned style);
int w16_module_file_name(unsigned instance, char* buffer, int size);
/* A fixed block of far memory; its selector, 0 when there is no room. */
unsigned w16_far_alloc(unsigned long size);

#endif
