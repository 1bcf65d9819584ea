/* A stand-in libXinerama.so.1, built for Linux, that shows Wine one wide X screen as several
   monitors. Wine loads it through LD_LIBRARY_PATH and asks it for the heads at start and at
   each change of the display settings; it answers from the file that MIRUTEKA_MONITORS names,
   one "left top width height" a line, read afresh each time. Without heads Xinerama is off
   and Wine shows the whole X screen as one monitor. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
    int screen_number;
    short x_org, y_org, width, height;
} XineramaScreenInfo;

enum { kMaxHeads = 8 };

static int readHeads(XineramaScreenInfo* heads) {
    const char* path = getenv("MIRUTEKA_MONITORS");
    FILE* file = path != NULL ? fopen(path, "r") : NULL;
    int count = 0, x, y, width, height;
    if (file == NULL) {
        return 0;
    }
    while (count < kMaxHeads && fscanf(file, "%d %d %d %d", &x, &y, &width, &height) == 4) {
        XineramaScreenInfo head = {count, (short)x, (short)y, (short)width, (short)height};
        heads[count++] = head;
    }
    fclose(file);
    return count;
}

int XineramaQueryExtension(void* display, int* eventBase, int* errorBase) {
    (void)display;
    *eventBase = *errorBase = 0;
    return 1;
}

int XineramaQueryVersion(void* display, int* major, int* minor) {
    (void)display;
    *major = 1;
    *minor = 1;
    return 1;
}

int XineramaIsActive(void* display) {
    XineramaScreenInfo heads[kMaxHeads];
    (void)display;
    return readHeads(heads) > 0;
}

/* The caller frees the list with XFree, which is free. */
XineramaScreenInfo* XineramaQueryScreens(void* display, int* number) {
    XineramaScreenInfo heads[kMaxHeads];
    XineramaScreenInfo* copy;
    (void)display;
    *number = readHeads(heads);
    copy = *number > 0 ? malloc(sizeof heads[0] * (size_t)*number) : NULL;
    if (copy == NULL) {
        *number = 0;
        return NULL;
    }
    memcpy(copy, heads, sizeof heads[0] * (size_t)*number);
    return copy;
}
