/*
 * lzhdec.c - LZH archive reader and decoder shared by every LZH self-extractor.
 *
 * C89, 16-bit clean: `int` may be 16 bits, so every width that matters is an
 * explicit unsigned short / unsigned long, no local array is large, and the
 * dictionary is reached only through the LZH_WIN_* macros (see lzhdec.h).
 * The 16-bit compiler (bcc) ignores prototypes, so an argument for an
 * unsigned long parameter must already be unsigned long at the call (1UL,
 * or a cast): nothing widens it there.
 *
 * Safety: the decoder trusts nothing in the archive. Reads past the end of an
 * entry's compressed data yield zero bits and are counted; a stream that needs
 * more than a few of them is reported as damaged. Every loop is bounded by the
 * entry's declared size or by a table size, so damaged input ends in an error,
 * never in a hang or an access out of bounds.
 */
#include <stdlib.h>
#include <string.h>
#include "lzhdec.h"
#include "../common/safename.h"

/* Bytes of zero padding a bit reader may legitimately pull in after the
   last byte of an entry's data (look-ahead of the bit buffer). */
#define OVERRUN_SLACK 8

/* MacBinary unwrapping (MacLHA entries): left out where LZH_NO_MACBINARY
   asks for it and in the 16-bit builds, which are short of room. */
#if !defined(LZH_NO_MACBINARY) && !defined(__AS386_16__)
#define LZH_MACBINARY 1
#endif

#define MTH_STORED 0
#define MTH_DIR 1
#define MTH_LH1 2
#define MTH_LHNEW 3
#define MTH_LZS 4
#define MTH_LZ5 5
#define MTH_UNKNOWN 6

/* The method table holds the id without its dashes, so that the ids never
   appear verbatim in a stub and cannot be mistaken for an archive header. */
static const struct {
    char id[4];
    unsigned char kind, dicbit;
} methods[] = {{"lh0", MTH_STORED, 0},
               {"lz4", MTH_STORED, 0},
               {"lhd", MTH_DIR, 0},
               {"lh4", MTH_LHNEW, 12},
               {"lh5", MTH_LHNEW, 13},
               {"lh6", MTH_LHNEW, 15},
               {"lh7", MTH_LHNEW, 16}
#ifndef LZH_NO_LH1
               ,
               {"lh1", MTH_LH1, 12}
#endif
#ifndef LZH_NO_LZS
               ,
               {"lzs", MTH_LZS, 11},
               {"lz5", MTH_LZ5, 12}
#endif
};
#define N_METHODS (sizeof methods / sizeof methods[0])

static unsigned short crc_table[256];

/* The decoder is this one translation unit, so that the 16-bit tool chains
   can build it as one file; its parts, by job: */
#include "crc16.c"
#include "window.c"
#include "input.c"
#include "bits.c"
#include "output.c"
#include "stored.c"
#include "huffman.c"
#include "lhnew.c"
#ifdef LZH_FAST
#include "lhfast.c"
#endif
#ifndef LZH_NO_LH1
#include "lh1.c"
#endif
#ifndef LZH_NO_LZS
#include "larc.c"
#endif
#include "header.c"
#include "names.c"

/* ---------------------------------------------------------------------- */
/* Entries                                                                 */

static unsigned char method_kind(const char* id, unsigned char* dicbit)
{
    unsigned short i;
    for (i = 0; i < N_METHODS; i++) {
        if (memcmp(id + 1, methods[i].id, 3) == 0) {
            *dicbit = methods[i].dicbit;
            return methods[i].kind;
        }
    }
    return MTH_UNKNOWN;
}

/* Decode the current entry's data (to s->file when set); returns the
   result, CRC included. */
static int decode_entry(lzh_state* s, unsigned char kind, unsigned char dicbit)
{
    s->error = LZH_OK;
    s->overrun = 0;
    s->bits = 0;
    s->nbits = 0;
    s->packed_left = s->entry.packed;
    s->out_left = s->entry.size;
    s->out_done = 0;
    s->crc = 0;
    s->outpos = 0;
    s->blocksize = 0;
#ifdef LZH_MACBINARY
    s->keep_from = 0;
    s->keep_to = 0xFFFFFFFFUL;
    s->mac_probe = (unsigned char)(s->entry.os == 'm' && s->entry.size >= 128);
#endif
    if (kind != MTH_STORED && !window_setup(s, dicbit))
        return LZH_E_MEMORY;
    switch (kind) {
    case MTH_STORED: decode_stored(s); break;
#ifndef LZH_NO_LH1
    case MTH_LH1:
        dyn_start(s);
        decode_lh1(s);
        break;
#endif
    case MTH_LHNEW:
        s->np = (unsigned short)(dicbit <= 13 ? 14 : dicbit + 1);
        s->pbit = (unsigned char)(dicbit <= 13 ? 4 : 5);
#ifdef LZH_FAST
        decode_lhnew_fast(s);
#else
        decode_lhnew(s);
#endif
        break;
#ifndef LZH_NO_LZS
    case MTH_LZS: decode_lzs(s); break;
    case MTH_LZ5: decode_lz5(s); break;
#endif
    }
    out_flush(s);
    if (s->error)
        return s->error;
    if (s->entry.has_crc && s->crc != s->entry.crc)
        return LZH_E_CRC;
    return LZH_OK;
}

static int handle_entry(lzh_state* s, int mode)
{
    lzh_entry* e = &s->entry;
    const lzh_io* io = s->io;
    unsigned char dicbit = 0, kind = method_kind(e->method, &dicbit);
    int result, named;

    e->is_dir = (unsigned char)(kind == MTH_DIR);
    named = build_names(s);
    if (e->is_dir && kind == MTH_STORED)
        kind = MTH_DIR;
    if (io->note && io->note(io->ctx, LZH_EV_BEGIN, e, named) != 0)
        result = LZH_E_SKIPPED;
    else if (mode == LZH_MODE_LIST)
        result = LZH_OK;
    else if (named != LZH_OK)
        result = named;
    else if (kind == MTH_UNKNOWN)
        result = LZH_E_METHOD;
    else if (e->is_dir)
        result = mode == LZH_MODE_EXTRACT ? make_folders(s, 0) : LZH_OK;
    else if (e->path[0] == 0)
        result = LZH_E_NAME;
    else {
        s->file = NULL;
        result = LZH_OK;
        if (mode == LZH_MODE_EXTRACT) {
            result = make_folders(s, 1);
            if (result == LZH_OK && (s->file = io->create(io->ctx, e)) == NULL)
                result = LZH_E_CREATE;
        }
        if (result == LZH_OK) {
            result = decode_entry(s, kind, dicbit);
            if (s->file && io->close(io->ctx, s->file, e, result == LZH_OK) != 0 && result == LZH_OK)
                result = LZH_E_WRITE;
        }
        s->file = NULL;
    }
    if (io->note)
        io->note(io->ctx, LZH_EV_DONE, e, result);
    return result;
}

/* ---------------------------------------------------------------------- */
/* Public functions                                                        */

const char* lzh_strerror(int code)
{
    switch (code) {
    case LZH_OK: return "OK";
    case LZH_E_READ: return "cannot read the archive";
    case LZH_E_FORMAT: return "damaged or truncated archive";
    case LZH_E_DATA: return "damaged compressed data";
    case LZH_E_CRC: return "CRC error";
    case LZH_E_METHOD: return "unsupported method";
    case LZH_E_NAME: return "unsafe name refused";
    case LZH_E_CREATE: return "cannot create";
    case LZH_E_WRITE: return "cannot write";
    case LZH_E_MEMORY: return "not enough memory";
    case LZH_E_NOTFOUND: return "no LZH archive found";
    case LZH_E_CANCEL: return "cancelled";
    case LZH_E_SKIPPED: return "skipped (not replaced)";
    case LZH_E_LINK: return "symbolic link not extracted";
    }
    return "error";
}

void lzh_init(lzh_state* s, const lzh_io* io)
{
    memset(s, 0, sizeof *s);
    s->io = io;
    if (crc_table[1] == 0)
        crc_init();
}

void lzh_done(lzh_state* s)
{
    if (s->win_alloc)
        LZH_WIN_FREE(s);
    s->win_alloc = 0;
}

int lzh_run(lzh_state* s, unsigned long offset, int mode)
{
    int first = LZH_OK, r;
    s->done = s->failed = 0;
    s->error = LZH_OK;
#ifndef LZH_NO_FIND
    if (s->rejected) {
        /* lzh_find passed over something shaped like a header: most likely
           the archive's own first header, damaged. Extract what can be
           found, but do not call the result intact. */
        memset(&s->entry, 0, sizeof s->entry);
        if (s->io->note)
            s->io->note(s->io->ctx, LZH_EV_DONE, &s->entry, LZH_E_FORMAT);
        s->failed++;
        first = LZH_E_FORMAT;
    }
#endif
    if (in_seek(s, offset) != 0)
        return LZH_E_READ;
    for (;;) {
        r = read_header(s);
        if (r == HDR_END)
            break;
        if (r < 0) {
            /* a header that cannot be read ends the walk: what follows
               cannot be located */
            memset(&s->entry, 0, sizeof s->entry);
            if (s->io->note)
                s->io->note(s->io->ctx, LZH_EV_DONE, &s->entry, -r);
            s->failed++;
            if (first == LZH_OK)
                first = -r;
            break;
        }
        r = handle_entry(s, mode);
        if (r == LZH_OK) {
            s->done++;
        } else {
            s->failed++;
            if (first == LZH_OK)
                first = r;
            if (r == LZH_E_CANCEL || r == LZH_E_READ)
                break;
        }
        s->error = LZH_OK;
        if (in_seek(s, s->next_header) != 0) {
            if (first == LZH_OK)
                first = LZH_E_READ;
            break;
        }
    }
    return first;
}

#ifndef LZH_NO_FIND
int lzh_find(lzh_state* s, unsigned long from, unsigned long to, unsigned long* found)
{
    unsigned long at;
    unsigned char b[7];
    unsigned short i;
    int c;
    s->rejected = 0;
    for (at = from; at < to; at++) {
        s->error = LZH_OK;
        if (in_seek(s, at) != 0)
            return LZH_E_READ;
        for (i = 0; i < 7; i++) {
            if ((c = in_byte(s)) < 0)
                return s->error ? LZH_E_READ : LZH_E_NOTFOUND;
            b[i] = (unsigned char)c;
        }
        if (b[2] != '-' || b[6] != '-' || (b[3] != 'l' && b[3] != 'p') || b[0] == 0)
            continue;
        if (in_seek(s, at) != 0)
            return LZH_E_READ;
        if (read_header(s) == HDR_ENTRY) {
            *found = at;
            return LZH_OK;
        }
        s->rejected++;
    }
    return LZH_E_NOTFOUND;
}
#endif
