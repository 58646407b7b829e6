; The Win16 self-extractor as an NE executable, written out by nasm -f bin.
;
; The extractor itself is C, compiled by bcc for the 8086 and linked by ld86
; as a separate-I&D image (text at CODE_BASE, data at DATA_BASE); this file
; takes the text and data parts of that image (PROGRAM, an ld86 -0 a.out file
; whose part sizes come from SIZES) and puts them in
; an NE code segment and the automatic data segment. The code segment starts
; with the glue that needs Windows: the entry point (InitTask, WaitEvent,
; InitApp), and small near thunks at fixed offsets that the C code jumps to
; (w16glue.c) and that call KERNEL and USER by ordinal through fixup records.
; Everything else, file access included, goes through int 21h as under DOS.
;
;   nasm -f bin -DPROGRAM='"x.aout"' -DSIZES='"sizes.inc"' -o x.exe ne.asm
; (SIZES defines HEADER_SIZE, TEXT_SIZE, DATA_SIZE and BSS_SIZE.)
%include SIZES
bits 16
org 0

CODE_BASE   equ 90h         ; ld86 -T: the C text follows the glue (nasm
                            ; stops if the glue outgrows it)
DATA_BASE   equ 10h         ; ld86 -D: InitTask owns the first 16 bytes
STACK_SIZE  equ 2000h
HEAP_SIZE   equ 400h
ALIGN_SHIFT equ 4           ; segments and tables on 16-byte boundaries

; ---------------------------------------------------------------- DOS part
file_start:
        db 'MZ'
        dw (dos_end - file_start) % 512
        dw (dos_end - file_start + 511) / 512
        dw 0                            ; no relocations
        dw (dos_code - file_start) / 16               ; header paragraphs
        dw 0, 0FFFFh                    ; memory
        dw 0, 100h                      ; SS:SP
        dw 0                            ; checksum
        dw 0, 0                         ; CS:IP
        dw 40h                          ; relocation table offset: 40h marks
                                        ; a new-style executable
        dw 0
        times 3Ch - ($ - file_start) db 0
        dd ne_header                    ; where the Windows header is

dos_code:                               ; run under plain DOS: say why not
        push cs
        pop ds
        mov dx, dos_message - dos_code
        mov ah, 9
        int 21h
        mov ax, 4C01h
        int 21h
dos_message:
        db 'This program needs Microsoft Windows.', 13, 10, '$'
dos_end:
        align 16, db 0

; ---------------------------------------------------------------- NE header
ne_header:
        db 'NE', 5, 10                  ; linker version
        dw entry_table - ne_header, entry_table_end - entry_table
        dd 0                            ; file CRC (unused)
        dw 0302h                        ; multiple data, Windows GUI program
        dw 2                            ; automatic data segment
        dw HEAP_SIZE, STACK_SIZE
        dw entry_point - code_start, 1  ; CS:IP
        dw 0, 2                         ; SS:SP (SP 0: top of the data segment)
        dw 2                            ; segments
        dw (imported_names - module_refs) / 2
        dw nonresident_names_end - nonresident_names
        dw segment_table - ne_header
        dw resource_table - ne_header
        dw resident_names - ne_header
        dw module_refs - ne_header
        dw imported_names - ne_header
        dd nonresident_names            ; from the start of the file
        dw 0                            ; movable entry points
        dw ALIGN_SHIFT
        dw 0                            ; resource segments
        db 2                            ; target: Windows
        db 0
        dw 0, 0                         ; no fast-load area
        dw 0
        dw 030Ah                        ; Windows 3.10

segment_table:                          ; offset (in 16-byte units), size in
                                        ; the file, flags, size in memory
        dw (code_start - file_start) >> ALIGN_SHIFT, code_size
        dw 0150h                        ; code: movable, preloaded, fixups
        dw code_size
        dw (data_start - file_start) >> ALIGN_SHIFT, data_size
        dw 0051h                        ; data: movable, preloaded
        dw data_size + BSS_SIZE

resource_table:                         ; none: ends where the next one starts
resident_names:                         ; the module name: Windows 3.x takes a
                                        ; program with a loaded module's name for
                                        ; another instance of that module, so the
                                        ; library writes each self-extractor's own
                                        ; name over these 8 characters
        db 8, 'TBSFX___'
        dw 0
        db 0
module_refs:
        dw kernel_name - imported_names
        dw user_name - imported_names
imported_names:
        db 0
kernel_name:
        db 6, 'KERNEL'
user_name:
        db 4, 'USER'
entry_table:
        db 0, 0                         ; no exported entry points
entry_table_end:
nonresident_names:
        db 25, 'LZH self-extracting file'
        dw 0
        db 0
nonresident_names_end:
        align 16, db 0

; ---------------------------------------------------------------- code
MOD_KERNEL  equ 1
MOD_USER    equ 2

; A far call to an imported function; its address is patched by the loader
; from the fixup record named by the label.
%macro import_call 1
        db 9Ah
%1:     dw 0FFFFh, 0                    ; 0FFFFh: the end of the fixup chain
%endmacro

code_start:
; Thunks at fixed offsets (w16glue.c jumps here, with the C caller's return
; address and arguments still on the stack).
        jmp near message_box            ; 00h
        align 4, db 90h
        jmp near module_file_name       ; 04h
        align 4, db 90h
        jmp near far_alloc              ; 08h
        align 4, db 90h

; int message_box(const char *text, const char *title, unsigned style)
message_box:
        push bp
        mov bp, sp
        xor ax, ax
        push ax                         ; no owner window
        push ds
        push word [bp + 4]
        push ds
        push word [bp + 6]
        push word [bp + 8]
        import_call fix_message_box     ; USER.1 MessageBox
        pop bp
        ret

; int module_file_name(unsigned instance, char *buffer, int size)
module_file_name:
        push bp
        mov bp, sp
        push word [bp + 4]
        push ds
        push word [bp + 6]
        push word [bp + 8]
        import_call fix_module_file_name ; KERNEL.49 GetModuleFileName
        pop bp
        ret

; unsigned far_alloc(unsigned long size): a fixed block, returns its
; selector (0 when there is not enough memory)
far_alloc:
        push bp
        mov bp, sp
        xor ax, ax                      ; GMEM_FIXED
        push ax
        push word [bp + 6]
        push word [bp + 4]
        import_call fix_global_alloc    ; KERNEL.15 GlobalAlloc
        or ax, ax
        jz far_alloc_done
        push ax
        import_call fix_global_lock     ; KERNEL.18 GlobalLock
        mov ax, dx
far_alloc_done:
        pop bp
        ret

entry_point:
        import_call fix_init_task       ; KERNEL.91 InitTask
        or ax, ax
        jz entry_failed
        push es                         ; PSP (command line at ES:BX)
        push bx
        push di                         ; instance handle
        xor ax, ax
        push ax
        import_call fix_wait_event      ; KERNEL.30 WaitEvent(0)
        push di
        import_call fix_init_app        ; USER.5 InitApp(instance)
        pop di
        pop bx
        pop es
        push di                         ; w16_main(psp, command offset, instance)
        push bx
        push es
        push ds
        pop es                          ; the C code expects ES = DS
        mov di, DATA_BASE + DATA_SIZE   ; and its uninitialised data zeroed
        mov cx, BSS_SIZE
        xor al, al
        cld
        rep stosb
        call code_start + CODE_BASE     ; the C image starts with a jump to main
        mov ah, 4Ch
        int 21h
entry_failed:
        mov ax, 4CFFh
        int 21h

        times CODE_BASE - ($ - code_start) db 0CCh
        incbin PROGRAM, HEADER_SIZE, TEXT_SIZE
code_size equ $ - code_start

relocations:
        dw (relocations_end - relocations - 2) / 8
%macro import_fixup 3                   ; label, module, ordinal
        db 3, 1                         ; far pointer, imported by ordinal
        dw %1 - code_start, %2, %3
%endmacro
        import_fixup fix_init_task, MOD_KERNEL, 91
        import_fixup fix_wait_event, MOD_KERNEL, 30
        import_fixup fix_module_file_name, MOD_KERNEL, 49
        import_fixup fix_global_alloc, MOD_KERNEL, 15
        import_fixup fix_global_lock, MOD_KERNEL, 18
        import_fixup fix_init_app, MOD_USER, 5
        import_fixup fix_message_box, MOD_USER, 1
relocations_end:
        align 16, db 0

; ---------------------------------------------------------------- data
data_start:
        times DATA_BASE db 0            ; InitTask's own words
        incbin PROGRAM, HEADER_SIZE + TEXT_SIZE, DATA_SIZE
data_size equ $ - data_start
