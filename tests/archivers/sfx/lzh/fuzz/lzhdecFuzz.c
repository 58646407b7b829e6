/* libFuzzer target for the shared LZH decoder: any bytes as a file holding
 * an archive, found, extracted to a sink that checks what it is given, and
 * tested. Each path handed out is also made a DOS path as the 16-bit stubs
 * make it (names83.c), every part into a buffer of exactly the 13 bytes the
 * mapping may use, and numbered as a name met twice is. */
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "lzhdec.h"
#include "names83.h"

typedef struct sink {
    const uint8_t* data;
    size_t size, at;
    char file;
} sink;

static int f_read(void* ctx, unsigned char* buf, unsigned short len)
{
    sink* s = ctx;
    size_t n = s->at < s->size ? s->size - s->at : 0;
    if (n > len)
        n = len;
    memcpy(buf, s->data + s->at, n);
    s->at += n;
    return (int)n;
}

static int f_seek(void* ctx, unsigned long offset)
{
    ((sink*)ctx)->at = offset;
    return 0;
}

static int f_mkdir(void* ctx, const char* path)
{
    (void)ctx;
    /* a folder name handed out is never empty, absolute or climbing */
    if (!path[0] || path[0] == '/' || strstr(path, "..") == path)
        abort();
    return 0;
}

/* Every part of the path as an 8.3 name, then with "~n" tails. */
static void map_dos_names(const char* path)
{
    static const unsigned tails[] = {1, 9, 10, 99, 100, 65535};
    const char* part = path;
    const char* end;
    char* name;
    size_t t;
    for (; *part; part = *end ? end + 1 : end) {
        end = strchr(part, '/');
        if (!end)
            end = part + strlen(part);
        name = malloc(13);
        if (name83(part, (int)(end - part), name) > 12 || strlen(name) > 12)
            abort();
        for (t = 0; t < sizeof tails / sizeof tails[0]; t++) {
            name83_tail(name, tails[t]);
            if (strlen(name) > 12)
                abort();
        }
        free(name);
    }
}

static void* f_create(void* ctx, const lzh_entry* e)
{
    if (!e->path[0] || e->path[0] == '/')
        abort();
    map_dos_names(e->path);
    return &((sink*)ctx)->file;
}

static int f_write(void* ctx, void* f, const unsigned char* buf, unsigned short len)
{
    (void)ctx;
    (void)f;
    (void)buf;
    (void)len;
    return 0;
}

static int f_close(void* ctx, void* f, const lzh_entry* e, int keep)
{
    (void)ctx;
    (void)f;
    (void)e;
    (void)keep;
    return 0;
}

int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static lzh_state state;
    sink s;
    lzh_io io;
    unsigned long offset;
    int mode;
    memset(&io, 0, sizeof io);
    io.ctx = &s;
    io.read = f_read;
    io.seek = f_seek;
    io.mkdir = f_mkdir;
    io.create = f_create;
    io.write = f_write;
    io.close = f_close;
    io.sep = '/';
    for (mode = LZH_MODE_EXTRACT; mode <= LZH_MODE_LIST; mode++) {
        s.data = data;
        s.size = size;
        s.at = 0;
        lzh_init(&state, &io);
        if (lzh_find(&state, 0, 0xFFFFFFFFUL, &offset) == LZH_OK)
            lzh_run(&state, offset, mode);
        lzh_done(&state);
    }
    return 0;
}
