; MZ header for a bcc -Md program image (a .COM-style image: code at
; PSP:0100, the data segment right behind it, set up by the C start-up code).
;   nasm -f bin -DIMAGE='"prog.com"' -o prog.exe mz.asm
; The size fields cover the header and the image only, so DOS loads just the
; program and leaves whatever follows it in the file (the archive) on disk.
; Initial CS = SS = load segment - 10h, which is the PSP, with IP = 0100h:
; the image runs exactly as it would as a .COM file.
bits 16
org 0

file_start:
        db 'MZ'
        dw file_size % 512             ; bytes used in the last 512-byte page
        dw (file_size + 511) / 512     ; pages, the last one partly used
        dw 0                           ; relocation entries
        dw header_size / 16            ; header size in paragraphs
        dw 1000h                       ; minimum extra memory: a full 64 KiB
                                       ; data and stack segment
        dw 0FFFFh                      ; maximum: all; the start-up code
                                       ; gives back what it does not use
        dw 0FFF0h                      ; SS, relative to the load segment
        dw 0FFFEh                      ; SP
        dw 0                           ; checksum (unused)
        dw 0100h                       ; IP
        dw 0FFF0h                      ; CS, relative to the load segment
        dw relocations                 ; offset of the (empty) relocation table
        dw 0                           ; overlay number
relocations:
        align 16, db 0
header_size equ $ - file_start

        incbin IMAGE

file_size equ $ - file_start
