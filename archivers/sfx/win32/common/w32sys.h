/* w32sys.h - what the running Windows offers the self-extractors.
 *
 * The stubs import only functions that Windows 95 and Windows NT 3.51
 * export (Win32s exports the same names, many of them failing), and of the
 * wide-character ones only those Windows 95 really implements. Everything
 * else is looked up while running: on NT the wide-character file calls (so
 * a name keeps every character), elsewhere the ANSI ones with the system's
 * code page; newer functions only where the system has them. */
#ifndef TB_W32SYS_H
#define TB_W32SYS_H

#include <windows.h>

/* Longest path in bytes of the system's code page (for the ANSI calls). */
#define W32_ANSI_PATH (2 * MAX_PATH)

/* Which kind of Windows runs the program: set by w32_sys_init. */
extern BOOL w32_nt;     /* Windows NT */
extern BOOL w32_win32s; /* Win32s on Windows 3.1: no console, no shell dialogs */

/* Whether the file calls are the wide-character ones (NT). A stub whose
   names all come in the system's code page anyway builds with
   W32_ANSI_ONLY and uses the ANSI calls everywhere. */
#ifdef W32_ANSI_ONLY
#define w32_wide FALSE
#else
extern BOOL w32_wide;
#endif

/* Looks at the system and the functions it has; call it first. */
void w32_sys_init(void);

/* A function of a system library, or NULL where this system lacks it
   (the library is loaded when it is not yet). */
FARPROC w32_lookup(const char* library, const char* function);

/* The program's command line split in place into at most room arguments,
   quotes grouping spaces (the program's name is the first). */
int w32_arguments(WCHAR** argv, int room);

/* Standard output: the parent's console where the system can attach to it;
   NULL where there is none. */
HANDLE w32_output(void);

/* The file calls, wide-character where w32_wide and ANSI with the system's code page
   elsewhere (a name the code page cannot spell fails: ERROR_INVALID_NAME). */
HANDLE w32_create_file(const WCHAR* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
BOOL w32_create_directory(const WCHAR* path);
DWORD w32_attributes(const WCHAR* path);
BOOL w32_set_attributes(const WCHAR* path, DWORD attributes);
BOOL w32_delete_file(const WCHAR* path);
BOOL w32_move_file(const WCHAR* from, const WCHAR* to); /* fails where to exists */
DWORD w32_module_path(WCHAR* path, DWORD room);
DWORD w32_current_folder(WCHAR* path, DWORD room);

/* Writes a console's text (console output handles only); FALSE where the
   program writes no wide text to a console. */
BOOL w32_write_console(HANDLE console, const WCHAR* text, DWORD length);

/* Wide text to the system's code page in a buffer of W32_ANSI_PATH bytes;
   NULL when a character has no spelling there. */
char* w32_to_ansi(const WCHAR* text, char* ansi);

/* Wide strings without a C runtime. */
int w32_length(const WCHAR* s);
WCHAR* w32_append(WCHAR* to, const WCHAR* from); /* returns the new end */

#endif
