// A read-only view of a folder in which every lookup takes a set time: what an item on a
// share whose server is asleep or gone looks like to the program. Mounted by the Windows test
// run and mapped into the Wine prefix as a drive.
//
//   slow_drive SOURCE MOUNTPOINT DELAY_MS
//
// Runs in the foreground, many requests at once (each sleeps on its own thread, as a share's
// time-outs do); the kernel keeps no answer, so every call of the program waits again.
#define _DEFAULT_SOURCE
#define FUSE_USE_VERSION 35
#include <fuse.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static const char* source;
static long delayMs;

static void wait_like_a_slow_share(void) {
    struct timespec delay = {delayMs / 1000, (delayMs % 1000) * 1000000L};
    while (nanosleep(&delay, &delay) != 0 && errno == EINTR) {
    }
}

static int source_path(const char* path, char* out) {
    return snprintf(out, PATH_MAX, "%s%s", source, path) < PATH_MAX ? 0 : -ENAMETOOLONG;
}

static void* slow_init(struct fuse_conn_info* conn, struct fuse_config* config) {
    (void)conn;
    config->entry_timeout = 0;
    config->attr_timeout = 0;
    config->negative_timeout = 0;
    return NULL;
}

static int slow_getattr(const char* path, struct stat* st, struct fuse_file_info* file) {
    (void)file; // the path is always given, for open files and folders alike
    wait_like_a_slow_share();
    char real[PATH_MAX];
    const int bad = source_path(path, real);
    return bad ? bad : lstat(real, st) == 0 ? 0 : -errno;
}

static int slow_opendir(const char* path, struct fuse_file_info* file) {
    wait_like_a_slow_share();
    char real[PATH_MAX];
    const int bad = source_path(path, real);
    if (bad) {
        return bad;
    }
    DIR* dir = opendir(real);
    if (dir == NULL) {
        return -errno;
    }
    file->fh = (uint64_t)(uintptr_t)dir;
    return 0;
}

static int slow_readdir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t offset,
                        struct fuse_file_info* file, enum fuse_readdir_flags flags) {
    (void)path;
    (void)offset;
    (void)flags;
    wait_like_a_slow_share();
    DIR* dir = (DIR*)(uintptr_t)file->fh;
    rewinddir(dir);
    for (struct dirent* entry = readdir(dir); entry != NULL; entry = readdir(dir)) {
        if (fill(buffer, entry->d_name, NULL, 0, 0) != 0) {
            break;
        }
    }
    return 0;
}

static int slow_releasedir(const char* path, struct fuse_file_info* file) {
    (void)path;
    closedir((DIR*)(uintptr_t)file->fh);
    return 0;
}

static int slow_open(const char* path, struct fuse_file_info* file) {
    wait_like_a_slow_share();
    if ((file->flags & O_ACCMODE) != O_RDONLY) {
        return -EROFS;
    }
    char real[PATH_MAX];
    const int bad = source_path(path, real);
    if (bad) {
        return bad;
    }
    const int fd = open(real, O_RDONLY);
    if (fd < 0) {
        return -errno;
    }
    file->fh = (uint64_t)fd;
    return 0;
}

static int slow_read(const char* path, char* buffer, size_t size, off_t offset,
                     struct fuse_file_info* file) {
    (void)path;
    const ssize_t count = pread((int)file->fh, buffer, size, offset);
    return count < 0 ? -errno : (int)count;
}

static int slow_release(const char* path, struct fuse_file_info* file) {
    (void)path;
    close((int)file->fh);
    return 0;
}

static const struct fuse_operations operations = {
    .init = slow_init,
    .getattr = slow_getattr,
    .opendir = slow_opendir,
    .readdir = slow_readdir,
    .releasedir = slow_releasedir,
    .open = slow_open,
    .read = slow_read,
    .release = slow_release,
};

int main(int argc, char** argv) {
    char* end = NULL;
    if (argc != 4 || (delayMs = strtol(argv[3], &end, 10)) < 0 || *end != '\0' ||
        argv[3][0] == '\0') {
        fprintf(stderr, "usage: %s SOURCE MOUNTPOINT DELAY_MS\n", argv[0]);
        return 2;
    }
    static char resolved[PATH_MAX];
    if (realpath(argv[1], resolved) == NULL) {
        perror(argv[1]);
        return 2;
    }
    source = resolved;
    // In the foreground, so whoever starts it can end it by its process id.
    char* fuseArgv[] = {argv[0], argv[2], "-f", "-o", "ro,default_permissions", NULL};
    return fuse_main(5, fuseArgv, &operations, NULL);
}
