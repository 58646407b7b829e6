/*
 * lzhdec.h - LZH archive reader and decoder shared by every LZH self-extractor.
 *
 * Plain C89 and 16-bit clean: the same source is built natively (tb-sfx-lzh),
 * into the Win32 stub, and with bcc into the DOS and Win16 stubs. The decoder
 * never touches a file itself: the archive is read, and the output written,
 * through the callbacks of an lzh_io that each platform supplies. Every access
 * to the sliding dictionary goes through the LZH_WIN_* macros, so a 16-bit
 * build can keep the dictionary (up to 64 KiB) outside its data segment.
 *
 * Methods: -lh0- -lh1- -lh4- -lh5- -lh6- -lh7- -lzs- -lz4- -lz5- and -lhd-
 * (folder entries); header levels 0 to 3.
 */
#ifndef LZHDEC_H
#define LZHDEC_H

/* ---- Build-time knobs (define before including to change) --------------- */

/* Longest path handed to the platform, in bytes (without the NUL). */
#ifndef LZH_PATH_MAX
#define LZH_PATH_MAX 259
#endif

/* Methods a small build may leave out (entries using them then fail with
   LZH_E_METHOD): LZH_NO_LH1 drops -lh1-, LZH_NO_LZS drops -lzs- and -lz5-.
   The 16-bit self-extractors use both to stay small, and LZH_NO_FIND. */

/* Size of the archive read buffer and of the output buffer. */
#ifndef LZH_INBUF_SIZE
#define LZH_INBUF_SIZE 2048
#endif
#ifndef LZH_OUTBUF_SIZE
#define LZH_OUTBUF_SIZE 4096
#endif

/*
 * The sliding dictionary. The default is one malloc'd block behind the member
 * `window`. A platform that keeps it elsewhere defines all five macros:
 *   LZH_WIN_MEMBER        declaration(s) placed inside struct lzh_state
 *   LZH_WIN_ALLOC(s, n)   make room for n bytes (n <= 65536); non-zero = done
 *   LZH_WIN_FREE(s)       release it (also called when nothing was allocated)
 *   LZH_WIN_GET(s, i)     byte at index i (unsigned short, i < n)
 *   LZH_WIN_PUT(s, i, c)  store byte c at index i
 */
#ifndef LZH_WIN_MEMBER
#define LZH_WIN_MEMBER unsigned char* window;
#define LZH_WIN_ALLOC(s, n) lzh_window_alloc((s), (n))
#define LZH_WIN_FREE(s) lzh_window_free(s)
#define LZH_WIN_GET(s, i) ((s)->window[(i)])
#define LZH_WIN_PUT(s, i, c) ((s)->window[(i)] = (unsigned char)(c))
#define LZH_WIN_DEFAULT 1
#endif

/* ---- Results ------------------------------------------------------------ */

#define LZH_OK 0
#define LZH_E_READ 1      /* the archive could not be read */
#define LZH_E_FORMAT 2    /* damaged header or truncated archive */
#define LZH_E_DATA 3      /* damaged compressed data */
#define LZH_E_CRC 4       /* data decoded, but its CRC-16 is wrong */
#define LZH_E_METHOD 5    /* a method this decoder does not know */
#define LZH_E_NAME 6      /* unsafe or unusable name, entry refused */
#define LZH_E_CREATE 7    /* the platform could not create the file/folder */
#define LZH_E_WRITE 8     /* the platform could not write the file */
#define LZH_E_MEMORY 9    /* no room for the dictionary */
#define LZH_E_NOTFOUND 10 /* no LZH archive in the file */
#define LZH_E_CANCEL 11   /* the platform asked to stop */
#define LZH_E_SKIPPED 12  /* the platform chose not to write this entry */
#define LZH_E_LINK 13     /* a symbolic link: not written */

/* What lzh_run does with each entry. */
#define LZH_MODE_EXTRACT 0
#define LZH_MODE_TEST 1
#define LZH_MODE_LIST 2

/* ---- Entries ------------------------------------------------------------ */

typedef struct lzh_entry {
    char method[6];             /* "-lh5-", NUL-terminated */
    unsigned char level;        /* header level 0..3 */
    unsigned char attr;         /* MS-DOS attribute byte */
    unsigned char is_dir;       /* folder entry */
    unsigned char time_is_unix; /* mtime: 1 = Unix seconds, 0 = MS-DOS stamp */
    unsigned long mtime;
    unsigned long packed;  /* compressed size */
    unsigned long size;    /* original size */
    unsigned short crc;    /* CRC-16 of the original data */
    unsigned char has_crc; /* 0: a very old header without one */
    unsigned char os;      /* system id of levels 1-3 ('M', 'U', 'm'...), 0 */
    /* The stored name as raw bytes (archive code page, usually Shift_JIS),
       folders joined with the platform separator. Set for every entry. */
    char name[LZH_PATH_MAX + 1];
    /* The name the entry is written under: `name` checked for safety. Empty
       when the entry was refused (LZH_E_NAME or LZH_E_LINK). */
    char path[LZH_PATH_MAX + 1];
} lzh_entry;

/* ---- Platform callbacks --------------------------------------------------- */

/* Events passed to note(); `result` is an LZH_* code. */
#define LZH_EV_BEGIN 0 /* about to extract/test/list the entry */
#define LZH_EV_DONE 1  /* entry finished; result says how */

typedef struct lzh_io {
    void* ctx;
    /* The archive file. read: up to len bytes at the current position,
       returns the count (0 at end of file) or -1. seek: absolute offset,
       returns 0 when done. */
    int (*read)(void* ctx, unsigned char* buf, unsigned short len);
    int (*seek)(void* ctx, unsigned long offset);
    /* Output. mkdir: make one folder (path relative to the destination);
       0 when it exists afterwards. create: open the entry's file for
       writing (ideally under a temporary name), NULL on failure. write:
       0 when all len bytes were written. close: keep != 0 makes the file
       final, keep == 0 discards it; returns 0 when done. */
    int (*mkdir)(void* ctx, const char* path);
    void* (*create)(void* ctx, const lzh_entry* e);
    int (*write)(void* ctx, void* file, const unsigned char* buf, unsigned short len);
    int (*close)(void* ctx, void* file, const lzh_entry* e, int keep);
    /* Progress and results; may be NULL. Returning non-zero from a BEGIN
       note skips the entry (LZH_E_SKIPPED); from progress, cancels the run. */
    int (*note)(void* ctx, int event, const lzh_entry* e, int result);
    int (*progress)(void* ctx, const lzh_entry* e, unsigned long done);
    /* Path separator used to join folders in entry names: '\\' or '/'. */
    char sep;
} lzh_io;

/* ---- Decoder state (large: give it static storage on 16-bit targets) ---- */

#define LZH_NC 510    /* literals + match lengths of -lh4..7- */
#define LZH_NPT 19    /* largest of NT (19) and NP (17) */
#define LZH_DYN_T 627 /* -lh1- adaptive tree size */
#define LZH_DYN_CHARS 314

typedef struct lzh_state {
    const lzh_io* io;
    int error; /* first LZH_E_* met while decoding */

    /* archive input */
    unsigned long pos; /* archive offset of inbuf[inlen] */
    unsigned short inpos, inlen;
    unsigned long packed_left; /* compressed bytes not yet in inbuf */
    unsigned short overrun;    /* bytes invented past the data's end */
    unsigned long bits;
    unsigned short nbits;
    unsigned short hdr_crc; /* running CRC of the header being read */
    unsigned short hdr_sum; /* running checksum of a level 0/1 header */
    unsigned char inbuf[LZH_INBUF_SIZE];

    /* output */
    unsigned long out_left; /* bytes still to produce */
    unsigned long out_done;
    unsigned short crc;
    unsigned short outpos;
    unsigned long keep_from, keep_to; /* part of the entry written out */
    unsigned char mac_probe;          /* look for a MacBinary header first */
    void* file;
    unsigned char outbuf[LZH_OUTBUF_SIZE];

    /* dictionary */
    LZH_WIN_MEMBER
    unsigned long win_alloc; /* bytes allocated, 0 = none */
    unsigned short wmask, wpos;

    /* -lh4- to -lh7-: static Huffman blocks */
    unsigned short blocksize;
    unsigned short np; /* position codes of this method */
    unsigned char pbit;
    unsigned char pt_len[LZH_NPT];
    unsigned char c_len[LZH_NC];
    unsigned short pt_table[256];
    unsigned short left[2 * LZH_NC - 1], right[2 * LZH_NC - 1];
    union {
        unsigned short c_table[4096];
#ifdef LZH_FAST
        struct { /* -lh4- to -lh7- natively: the literal/length code for lhfast.c */
            /* per 10-bit prefix: symbol * 64 + code length, 0xFFFF for a
               longer code or none */
            unsigned short fast[1024];
            /* codes of 11 to 16 bits: per length, the first code (16 bits,
               left-aligned) and where its symbols start in `longer`, and
               one past the last code in long_start[17] */
            unsigned long long_start[18];
            unsigned short long_first[17];
            unsigned short longer[LZH_NC];
        } c_code;
#endif
        struct { /* -lh1-: adaptive Huffman */
            unsigned short freq[LZH_DYN_T + 1];
            unsigned short son[LZH_DYN_T];
            unsigned short prnt[LZH_DYN_T + LZH_DYN_CHARS];
            unsigned char d_code[256], d_len[256];
        } dyn;
    } u;

    lzh_entry entry;
    /* raw name parts of the header being read */
    unsigned char name_dir[LZH_PATH_MAX + 1], name_file[LZH_PATH_MAX + 1];
    unsigned short dir_len, file_len;
    unsigned char name_too_long;
    unsigned long next_header; /* archive offset of the next header */
    /* Counts are 32-bit on every target: an archive can hold more than
       65,535 entries (or damaged header-like spots), and a count that
       wrapped would call a damaged archive intact. */
    unsigned long failed;   /* entries not written / not intact */
    unsigned long rejected; /* header-like spots lzh_find passed over */
    unsigned long done;     /* entries written / tested intact */
} lzh_state;

/* ---- Functions ------------------------------------------------------------ */

/* Initialise the state for the given callbacks (must be called first). */
void lzh_init(lzh_state* s, const lzh_io* io);

/* Release the dictionary. */
void lzh_done(lzh_state* s);

/* Find the first valid LZH header that starts at or after `from` and before
   `to`; on success stores its offset in *found and returns LZH_OK,
   otherwise LZH_E_NOTFOUND/LZH_E_READ. Left out where LZH_NO_FIND is
   defined: the self-extractors know where their archive starts. */
int lzh_find(lzh_state* s, unsigned long from, unsigned long to, unsigned long* found);

/* Walk the archive at `offset` and extract, test or list every entry,
   reporting each through io->note. Returns LZH_OK when every entry was
   handled intact; otherwise the first error met. s->done and s->failed
   count the entries. When the lzh_find before it passed over a damaged
   header, the run reports LZH_E_FORMAT (after extracting what it found). */
int lzh_run(lzh_state* s, unsigned long offset, int mode);

/* CRC-16 (polynomial 0xA001, as used by LZH) of len bytes. */
unsigned short lzh_crc16(unsigned short crc, const unsigned char* p, unsigned short len);

/* Short English text for an LZH_* code. */
const char* lzh_strerror(int code);

#ifdef LZH_WIN_DEFAULT
int lzh_window_alloc(lzh_state* s, unsigned long size);
void lzh_window_free(lzh_state* s);
#endif

#endif
