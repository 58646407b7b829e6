# cmake -DAOUT=<ld86 -0 output> -DOUT=<nasm include> -P aout-sizes.cmake
# Reads the part sizes from the header of an ld86 a.out file (header length
# byte 4, text/data/bss sizes as 32-bit words at 8, 12 and 16) and writes
# them as nasm definitions for ne.asm.
file(READ ${AOUT} header LIMIT 20 HEX)
function(word32 offset var)
  math(EXPR pos "${offset} * 2")
  set(value 0)
  foreach(i 3 2 1 0)
    math(EXPR at "${pos} + ${i} * 2")
    string(SUBSTRING "${header}" ${at} 2 byte)
    math(EXPR value "${value} * 256 + 0x${byte}")
  endforeach()
  set(${var} ${value} PARENT_SCOPE)
endfunction()
string(SUBSTRING "${header}" 8 2 hdr)
math(EXPR hdr "0x${hdr}")
word32(8 text)
word32(12 data)
word32(16 bss)
file(WRITE ${OUT}
  "%define HEADER_SIZE ${hdr}\n%define TEXT_SIZE ${text}\n"
  "%define DATA_SIZE ${data}\n%define BSS_SIZE ${bss}\n")
