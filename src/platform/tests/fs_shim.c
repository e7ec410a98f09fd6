/* The answers of the file systems people save to, for the files under one folder, given to a
 * program started with this library preloaded (LD_PRELOAD):
 *   KIV_FS_SHIM_ROOT  the folder whose files answer so (nothing else is touched)
 *   KIV_FS_SHIM       the answers, words separated by commas:
 *     modes             no modes and no owners are kept: chmod and chown answer ENOSYS (a FAT
 *                       stick through FUSE)
 *     links             no second names and no rename flags: link answers EPERM, renameat2 with
 *                       flags EINVAL, or EEXIST where a file has the name (exFAT, FAT, sshfs)
 *     whole-file-locks  flock is carried as a lock of the whole file owned by the open file, so
 *                       that it meets every byte-range lock on the file (a network home, NFS)
 *     no-locks          the lock manager can't be reached: every lock answers ENOLCK (NFS)
 *   KIV_FS_SHIM_LOG   a file that gets one line for each call answered so ("modes", "links",
 *                     "locks"), so that a test knows the answers were met. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

static int answers(const char* word)
{
    const char* all = getenv("KIV_FS_SHIM");
    if (!all)
        return 0;
    const size_t n = strlen(word);
    for (const char* at = strstr(all, word); at; at = strstr(at + 1, word))
        if ((at == all || at[-1] == ',') && (at[n] == '\0' || at[n] == ','))
            return 1;
    return 0;
}

static int underRoot(const char* path)
{
    const char* root = getenv("KIV_FS_SHIM_ROOT");
    if (!root || !*root || !path)
        return 0;
    char absolute[PATH_MAX];
    if (path[0] != '/') {
        if (!getcwd(absolute, sizeof absolute))
            return 0;
        strncat(absolute, "/", sizeof absolute - strlen(absolute) - 1);
        strncat(absolute, path, sizeof absolute - strlen(absolute) - 1);
        path = absolute;
    }
    const size_t n = strlen(root);
    return strncmp(path, root, n) == 0 && (path[n] == '/' || path[n] == '\0');
}

static int fdUnderRoot(int fd)
{
    char link[64], path[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, sizeof path - 1);
    if (n <= 0)
        return 0;
    path[n] = '\0';
    return underRoot(path);
}

static void note(const char* what)
{
    const char* log = getenv("KIV_FS_SHIM_LOG");
    if (log) {
        const int fd = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (fd >= 0) {
            const ssize_t ignored = write(fd, what, strlen(what));
            const ssize_t ignored2 = write(fd, "\n", 1);
            (void)ignored;
            (void)ignored2;
            close(fd);
        }
    }
}

static int refuse(const char* what, int error)
{
    note(what);
    errno = error;
    return -1;
}

#define REAL(name, type) ((type)dlsym(RTLD_NEXT, name))

/* ---- modes and owners ---- */

int fchmod(int fd, mode_t mode)
{
    if (answers("modes") && fdUnderRoot(fd))
        return refuse("modes", ENOSYS);
    return REAL("fchmod", int (*)(int, mode_t))(fd, mode);
}

int chmod(const char* path, mode_t mode)
{
    if (answers("modes") && underRoot(path))
        return refuse("modes", ENOSYS);
    return REAL("chmod", int (*)(const char*, mode_t))(path, mode);
}

int fchmodat(int dirfd, const char* path, mode_t mode, int flags)
{
    if (answers("modes") && (dirfd == AT_FDCWD || path[0] == '/') && underRoot(path))
        return refuse("modes", ENOSYS);
    return REAL("fchmodat", int (*)(int, const char*, mode_t, int))(dirfd, path, mode, flags);
}

int fchown(int fd, uid_t owner, gid_t group)
{
    if (answers("modes") && fdUnderRoot(fd))
        return refuse("modes", ENOSYS);
    return REAL("fchown", int (*)(int, uid_t, gid_t))(fd, owner, group);
}

int chown(const char* path, uid_t owner, gid_t group)
{
    if (answers("modes") && underRoot(path))
        return refuse("modes", ENOSYS);
    return REAL("chown", int (*)(const char*, uid_t, gid_t))(path, owner, group);
}

/* ---- second names and rename flags ---- */

int link(const char* from, const char* to)
{
    if (answers("links") && underRoot(to))
        return refuse("links", EPERM);
    return REAL("link", int (*)(const char*, const char*))(from, to);
}

int linkat(int fromdir, const char* from, int todir, const char* to, int flags)
{
    if (answers("links") && (todir == AT_FDCWD || to[0] == '/') && underRoot(to))
        return refuse("links", EPERM);
    return REAL("linkat", int (*)(int, const char*, int, const char*, int))(fromdir, from, todir, to, flags);
}

int renameat2(int fromdir, const char* from, int todir, const char* to, unsigned int flags)
{
    if (flags && answers("links") && (todir == AT_FDCWD || to[0] == '/') && underRoot(to)) {
        struct stat st;
        /* The system's own check of RENAME_NOREPLACE comes before the file system is asked. */
        if ((flags & RENAME_NOREPLACE) && lstat(to, &st) == 0) {
            errno = EEXIST;
            return -1;
        }
        return refuse("links", EINVAL);
    }
    return REAL("renameat2", int (*)(int, const char*, int, const char*, unsigned int))(fromdir, from, todir, to, flags);
}

/* ---- locks ---- */

static int lockCommand(int cmd)
{
    return cmd == F_GETLK || cmd == F_SETLK || cmd == F_SETLKW || cmd == F_OFD_GETLK || cmd == F_OFD_SETLK || cmd == F_OFD_SETLKW;
}

static int realFcntl(int fd, int cmd, void* arg)
{
    return REAL("fcntl64", int (*)(int, int, ...))(fd, cmd, arg);
}

int flock(int fd, int operation)
{
    if (fdUnderRoot(fd)) {
        if (answers("no-locks"))
            return refuse("locks", ENOLCK);
        if (answers("whole-file-locks")) {
            struct flock whole;
            memset(&whole, 0, sizeof whole);
            whole.l_type = (operation & LOCK_EX) ? F_WRLCK : (operation & LOCK_SH) ? F_RDLCK : F_UNLCK;
            whole.l_whence = SEEK_SET;
            note("locks");
            const int rc = realFcntl(fd, (operation & LOCK_NB) ? F_OFD_SETLK : F_OFD_SETLKW, &whole);
            if (rc != 0 && errno == EAGAIN)
                errno = EWOULDBLOCK;
            return rc;
        }
    }
    return REAL("flock", int (*)(int, int))(fd, operation);
}

static int shimFcntl(int fd, int cmd, void* arg)
{
    if (lockCommand(cmd) && answers("no-locks") && fdUnderRoot(fd))
        return refuse("locks", ENOLCK);
    return realFcntl(fd, cmd, arg);
}

int fcntl(int fd, int cmd, ...)
{
    va_list ap;
    va_start(ap, cmd);
    void* arg = va_arg(ap, void*);
    va_end(ap);
    return shimFcntl(fd, cmd, arg);
}

int fcntl64(int fd, int cmd, ...)
{
    va_list ap;
    va_start(ap, cmd);
    void* arg = va_arg(ap, void*);
    va_end(ap);
    return shimFcntl(fd, cmd, arg);
}
