/* A stand-in libXinerama.so.1, built for Linux, that shows Wine one wide X screen as several
   monitors. Wine finds it through LD_LIBRARY_PATH and asks it for the heads at start and at
   each change of the display settings; it answers from the file that MIRUTEKA_MONITORS names,
   one "left top width height" a line, read afresh each time. Without heads Xinerama is off
   and Wine shows the whole X screen as one monitor. */
#include <stdio.h>
#include <stdlib.h>

typedef struct {
    int screen_number;
    short x_org, y_org, width, height;
} XineramaScreenInfo;

/* The list is the caller's, to free with XFree (free); NULL when there are no heads. */
XineramaScreenInfo* XineramaQueryScreens(void* display, int* number) {
    const char* path = getenv("MIRUTEKA_MONITORS");
    FILE* file = path != NULL ? fopen(path, "r") : NULL;
    XineramaScreenInfo* heads = malloc(8 * sizeof *heads);
    int x, y, width, height;
    (void)display;
    *number = 0;
    while (file != NULL && heads != NULL && *number < 8 &&
           fscanf(file, "%d %d %d %d", &x, &y, &width, &height) == 4) {
        XineramaScreenInfo head = {*number, (short)x, (short)y, (short)width, (short)height};
        heads[(*number)++] = head;
    }
    if (file != NULL) {
        fclose(file);
    }
    if (*number == 0) {
        free(heads);
        return NULL;
    }
    return heads;
}

int XineramaIsActive(void* display) {
    int number = 0;
    free(XineramaQueryScreens(display, &number));
    return number > 0;
}

int XineramaQueryExtension(void* display, int* eventBase, int* errorBase) {
    (void)display;
    *eventBase = *errorBase = 0;
    return 1;
}

int XineramaQueryVersion(void* display, int* major, int* minor) {
    (void)display;
    *major = *minor = 1;
    return 1;
}
