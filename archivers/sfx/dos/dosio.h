/* DOS file and console services (int 21h) for the 16-bit self-extractors.
 * Compiled with bcc; the same calls work in the DOS stub and inside the
 * Win16 stub, where Windows passes int 21h file calls through.
 * Paths are near pointers into the data segment. Functions that report
 * failure return -1 (or DOS_IO_ERROR for the byte counts). */
#ifndef TB_SFX_DOSIO_H
#define TB_SFX_DOSIO_H

#define DOS_IO_ERROR 0xFFFFu

#define DOS_READ 0
#define DOS_ATTR_DIR 0x10

int dos_open(const char* path, int mode);
/* Creates a file that must not exist yet (it fails on an existing one). */
int dos_create_new(const char* path);
unsigned dos_read(int handle, void* buf, unsigned count);
unsigned dos_write(int handle, const void* buf, unsigned count);
int dos_close(int handle);
/* Absolute seek with the full 32-bit offset (the C library keeps 16 bits). */
int dos_seek(int handle, unsigned long pos);
int dos_mkdir(const char* path);
int dos_unlink(const char* path);
int dos_rename(const char* from, const char* to);
/* Attributes of a file or folder, -1 when it does not exist. */
int dos_attr(const char* path);
/* Sets the DOS date and time stamp of an open file. */
int dos_set_ftime(int handle, unsigned time, unsigned date);

/* Far memory outside the data segment: a segment (or selector) and an
 * offset inside it. */
unsigned far_peek(unsigned seg, unsigned off);
void far_poke(unsigned seg, unsigned off, unsigned value);

#endif
