! The first bytes of the Win16 stub's C image: ne.asm calls here, and this
! goes on to main(psp, command line offset, instance handle). ld86 looks
! for auto_start and _main as the program's entry.
  .text
  entry auto_start
  export auto_start
  import _main
auto_start:
  br _main
