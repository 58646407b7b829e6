/* The shared LZH decoder, built for the 16-bit stubs with its dictionary in
 * far memory. */
#include "farwin.h"
#include "../lzh/lzhdec.c"
