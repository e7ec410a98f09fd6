#include "platform/in_progress_file.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::files {

namespace {

// ".<target name>.kiv_2000-in-progress.<12 letters or digits>": hidden, named after the file it
// becomes, and marked in a way nobody names a file of their own. The scratch folder of such a
// file is marked ".kiv_2000-scratch." instead and carries the same letters.
constexpr QStringView kMark = u".kiv_2000-in-progress.";
constexpr QStringView kScratchMark = u".kiv_2000-scratch.";
constexpr int kRandomLength = 12;

// The longest a carried name may be, in the system's bytes, so that a marked name stays within
// the system's limit on a name's length.
constexpr int kCarriedLimit = NAME_MAX - 1 - int(kScratchMark.size() > kMark.size() ? kScratchMark.size() : kMark.size()) - kRandomLength;
// A name cut to the limit loses less than one character of its end: up to 4 bytes in UTF-8.
constexpr int kLongestCharacter = 4;

// The byte a writer's hold locks: far past the end of any file the program writes, and far from
// the bytes a database library locks.
constexpr off_t kHoldAt = off_t(1) << 62;

enum class Kind { File, Scratch };

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

QStringView markOf(Kind kind)
{
    return kind == Kind::File ? kMark : kScratchMark;
}

// The target's name as it stands in a marked name: whole, or cut (between two characters, never
// inside one) so that the marked name stays within the system's limit.
QString nameInMark(const QString& targetName)
{
    QString name = targetName;
    while (encoded(name).size() > kCarriedLimit) {
        name.chop(1);
        if (!name.isEmpty() && name.back().isHighSurrogate())
            name.chop(1);
    }
    return name;
}

bool mayBeCut(QStringView carried)
{
    return encoded(carried.toString()).size() > kCarriedLimit - kLongestCharacter;
}

QString randomPart()
{
    static constexpr char16_t kAlphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString s;
    s.reserve(kRandomLength);
    for (int i = 0; i < kRandomLength; ++i)
        s += QChar(kAlphabet[QRandomGenerator::system()->bounded(62)]);
    return s;
}

bool randomPartAt(QStringView tail)
{
    if (tail.size() != kRandomLength)
        return false;
    for (const QChar c : tail)
        if (!(c.isDigit() || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    return true;
}

// The target name a marked name carries, or nothing when the name does not carry that mark.
std::optional<QStringView> markedTarget(QStringView name, Kind kind)
{
    const QStringView mark = markOf(kind);
    if (!name.startsWith(u'.') || name.size() < 1 + mark.size() + kRandomLength)
        return std::nullopt;
    const QStringView rest = name.chopped(kRandomLength);
    if (!rest.endsWith(mark) || !randomPartAt(name.right(kRandomLength)))
        return std::nullopt;
    return rest.mid(1, rest.size() - 1 - mark.size());
}

// The name of the other half of a marked pair: the scratch folder of an in-progress file, or
// the in-progress file of a scratch folder.
QString partnerOf(QStringView name, Kind kind)
{
    const QStringView mark = markOf(kind);
    const QStringView other = markOf(kind == Kind::File ? Kind::Scratch : Kind::File);
    const QStringView rest = name.chopped(kRandomLength);
    return rest.chopped(mark.size()).toString() + other.toString() + name.right(kRandomLength).toString();
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the hold on a file could be had: held now, held by another (a running writer, or a
// cleanup looking at it), or not to be had at all on this file system.
enum class Hold { Held, Busy, Unavailable };

// Takes the hold on an open file, never waiting. The lock belongs to the open file, so it lasts
// as long as the file stays open in this program and is gone the moment the program ends,
// however it ends.
Hold takeHold(int fd)
{
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kHoldAt;
    lock.l_len = 1;
    if (::fcntl(fd, F_OFD_SETLK, &lock) == 0)
        return Hold::Held;
    return errno == EAGAIN || errno == EACCES ? Hold::Busy : Hold::Unavailable;
}

// Removes the plain files of a scratch folder (a writer's parts of a workbook: nothing else is
// ever made in one), then the folder when that leaves it empty.
void emptyAndRemove(const QByteArray& path)
{
    const int folder = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        return;
    DIR* dir = ::fdopendir(folder);
    if (!dir) {
        ::close(folder);
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st {};
        if (::fstatat(folder, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(dir);
    ::rmdir(path.constData());
}

void removeScratchFolder(const QByteArray& path)
{
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        emptyAndRemove(path);
}

// Removes one in-progress file, and its scratch folder, when no one holds it. The hold taken
// here proves that its writer is gone: a writer holds it from the file's creation to its end.
// The name is removed only while it still names what was held, so a file that has just taken
// its target's place is never touched. A file that can't be opened for the hold (another
// user's), or whose file system gives no locks, can't be proved abandoned and stays.
void removeFileIfAbandoned(const QByteArray& path, const QByteArray& scratch)
{
    struct stat before {};
    if (::lstat(path.constData(), &before) != 0 || !S_ISREG(before.st_mode))
        return;
    const int fd = ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return;
    struct stat held {};
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && sameFile(before, held) && takeHold(fd) == Hold::Held) {
        struct stat now {};
        if (::lstat(path.constData(), &now) == 0 && sameFile(now, held)) {
            removeScratchFolder(scratch);
            ::unlink(path.constData());
        }
    }
    ::close(fd);
}

// A scratch folder whose in-progress file is gone was left by a writer that is gone too: a
// writer makes its file before the folder and removes the folder before the file takes its name.
void removeScratchIfAbandoned(const QByteArray& path, const QByteArray& file)
{
    struct stat st {};
    if (::lstat(file.constData(), &st) == 0 || errno != ENOENT)
        return; // the file is there: it is the file's hold that decides
    removeScratchFolder(path);
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A folder's path as the system resolves it (its links followed), or nothing when it can't be.
std::optional<QByteArray> physicalFolder(const QByteArray& folder, int* error)
{
    char* resolved = ::realpath(folder.isEmpty() ? "/" : folder.constData(), nullptr);
    if (!resolved) {
        if (error)
            *error = errno;
        return std::nullopt;
    }
    QByteArray path(resolved);
    std::free(resolved);
    return path;
}

// What the system answers when a file system keeps no modes or no owners for its files.
bool notKept(int error)
{
    return error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

} // namespace

QString followLinks(const QString& path, int* error)
{
    QByteArray at = encoded(QFileInfo(path).absoluteFilePath());
    for (int hops = 0; hops < 40; ++hops) {
        // The folder of each hop is taken as the system takes it: the links on the way followed
        // first, and only then its "..", so that a link's ".." leads where the system leads it.
        const qsizetype slash = at.lastIndexOf('/');
        const QByteArray name = at.mid(slash + 1);
        int folderError = 0;
        const std::optional<QByteArray> folder = physicalFolder(at.left(slash), &folderError);
        if (!folder) {
            if (folderError == ELOOP) {
                if (error)
                    *error = ELOOP;
                return QString();
            }
            // A folder that is not there (or not to be searched): the name stays as it is written.
            return QDir::cleanPath(QFile::decodeName(at));
        }
        if (name.isEmpty() || name == "." || name == "..") {
            const std::optional<QByteArray> whole = physicalFolder(at, nullptr);
            return QFile::decodeName(whole ? *whole : at);
        }
        at = (*folder == "/" ? QByteArray() : *folder) + '/' + name;
        struct stat st {};
        if (::lstat(at.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return QFile::decodeName(at);
        QByteArray to(PATH_MAX, '\0');
        const ssize_t n = ::readlink(at.constData(), to.data(), static_cast<size_t>(to.size()));
        if (n <= 0)
            return QFile::decodeName(at);
        to.truncate(n);
        at = to.startsWith('/') ? to : (*folder == "/" ? QByteArray() : *folder) + '/' + to;
    }
    if (error)
        *error = ELOOP;
    return QString();
}

bool mayReplace(const QFileInfo& file)
{
    if (!file.exists())
        return true;
    return file.isWritable() && (file.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

Refusal refusalOf(int error)
{
    switch (error) {
    case 0:
        return Refusal::None;
    case ELOOP:
        return Refusal::LinkLoop;
    case EACCES:
    case EPERM:
    case EROFS:
        return Refusal::NoPermission;
    case ENOENT:
    case ENOTDIR:
        return Refusal::FolderMissing;
    case EISDIR:
        return Refusal::IsFolder;
    default:
        return Refusal::Failed;
    }
}

Destination destinationOf(const QString& name)
{
    Destination d;
    int error = 0;
    d.file = followLinks(name, &error);
    if (d.file.isEmpty()) {
        d.refusal = Refusal::LinkLoop;
        return d;
    }
    const QFileInfo target(d.file);
    d.exists = target.exists();
    const QFileInfo folder(target.absolutePath());
    if (target.isDir())
        d.refusal = Refusal::IsFolder;
    else if (!mayReplace(target))
        d.refusal = Refusal::ReadOnlyFile;
    else if (!folder.isDir())
        d.refusal = Refusal::FolderMissing;
    else if (::faccessat(AT_FDCWD, encoded(folder.absoluteFilePath()).constData(), W_OK | X_OK, AT_EACCESS) != 0
             && refusalOf(errno) == Refusal::NoPermission) {
        d.refusal = Refusal::NoPermission;
        d.error = errno;
    }
    return d;
}

TargetNames TargetNames::one(const QString& name)
{
    TargetNames names;
    names.start_ = nameInMark(name);
    return names;
}

TargetNames TargetNames::family(const QString& start, const QString& end)
{
    TargetNames names;
    names.start_ = start;
    names.end_ = end;
    names.one_ = false;
    return names;
}

bool TargetNames::marks(QStringView entryName) const
{
    for (const Kind kind : {Kind::File, Kind::Scratch}) {
        const std::optional<QStringView> carried = markedTarget(entryName, kind);
        if (!carried)
            continue;
        if (one_) {
            if (*carried == start_)
                return true;
        } else if (carried->startsWith(start_) && carried->endsWith(end_)) {
            return true;
        } else if (mayBeCut(*carried) && (carried->startsWith(start_) || QStringView(start_).startsWith(*carried))) {
            return true;
        }
    }
    return false;
}

void removeAbandoned(const QString& folder, const TargetNames& names)
{
    const QByteArray where = encoded(folder);
    DIR* dir = ::opendir(where.constData());
    if (!dir)
        return;
    QList<std::pair<QString, Kind>> marked;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (!names.marks(name))
            continue;
        marked.push_back({name, markedTarget(name, Kind::File) ? Kind::File : Kind::Scratch});
    }
    ::closedir(dir);
    for (const auto& [name, kind] : marked) {
        const QByteArray path = where + '/' + encoded(name);
        const QByteArray partner = where + '/' + encoded(partnerOf(name, kind));
        if (kind == Kind::File)
            removeFileIfAbandoned(path, partner);
        else
            removeScratchIfAbandoned(path, partner);
    }
}

bool locksWork(const QString& path)
{
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return true; // the reader meets the reason itself
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 1;
    const bool works = ::fcntl(fd, F_OFD_GETLK, &lock) == 0 || (errno != ENOLCK && errno != ENOSYS && errno != EOPNOTSUPP && errno != EINVAL);
    ::close(fd);
    return works;
}

bool takesWritesInPlace(const QString& folder)
{
    const QByteArray probe = encoded(folder + u"/.kiv_2000-probe."_qs + randomPart());
    const int fd = ::open(probe.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return true; // the writer meets the reason itself
    char back[4] = {};
    const bool taken = ::write(fd, "ab", 2) == 2 && ::pwrite(fd, "c", 1, 0) == 1 && ::pwrite(fd, "d", 1, 2) == 1
                       && ::unlink(probe.constData()) == 0 && ::pread(fd, back, 3, 0) == 3 && QByteArray(back, 3) == "cbd";
    ::close(fd);
    ::unlink(probe.constData());
    return taken;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

InProgressFile::~InProgressFile()
{
    drop();
}

bool InProgressFile::create(const QString& target)
{
    drop();
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    const QString targetName = info.fileName();
    removeAbandoned(folder, targetName);
    const QString prefix = folder + u'/' + u'.' + nameInMark(targetName) + kMark.toString();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = prefix + randomPart();
        const QByteArray name = encoded(path);
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            error_ = errno;
            return false;
        }
        // Between the creation and the hold another copy's cleanup may have taken the file for
        // an abandoned one (it holds it now, or has removed it): another name is made. A file
        // system without locks gives no hold: the write goes on without one.
        if (takeHold(fd) == Hold::Busy) {
            ::close(fd);
            continue;
        }
        struct stat mine {}, named {};
        if (::fstat(fd, &mine) != 0) {
            error_ = errno;
            ::close(fd);
            ::unlink(name.constData());
            return false;
        }
        if (::lstat(name.constData(), &named) != 0 || !sameFile(mine, named)) {
            ::close(fd);
            continue;
        }
        path_ = path;
        fd_ = fd;
        error_ = 0;
        return true;
    }
    error_ = EEXIST;
    return false;
}

QString InProgressFile::makeScratchFolder()
{
    if (fd_ < 0 || path_.isEmpty()) {
        error_ = EBADF;
        return QString();
    }
    if (scratch_.isEmpty()) {
        const QString name = QFileInfo(path_).fileName();
        const QString folder = QFileInfo(path_).absolutePath() + u'/' + partnerOf(name, Kind::File);
        if (::mkdir(encoded(folder).constData(), 0700) != 0) {
            error_ = errno;
            return QString();
        }
        scratch_ = folder;
    }
    return scratch_;
}

bool InProgressFile::write(const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : ENOSPC;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

bool InProgressFile::sync(const struct stat* old)
{
    if (fd_ < 0) {
        error_ = EBADF;
        return false;
    }
    removeScratch();
    // The owner first (a change of owner clears the set-id bits), then the mode. Root gives the
    // old file's owner and group; anyone else keeps the old group where they are a member of it.
    // What a file system keeps no owners or modes for stays as it made the file.
    if (old) {
        const bool root = ::geteuid() == 0;
        if (::fchown(fd_, root ? old->st_uid : uid_t(-1), old->st_gid) != 0 && root)
            ::fchown(fd_, uid_t(-1), old->st_gid);
    }
    const mode_t mode = old ? (old->st_mode & 07777) : newFileMode();
    if (::fchmod(fd_, mode) != 0 && !notKept(errno)) {
        error_ = errno;
        drop();
        return false;
    }
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        error_ = errno;
        drop();
        return false;
    }
    return true;
}

bool InProgressFile::replace(const QString& target)
{
    struct stat old {};
    const bool hadOne = ::stat(encoded(target).constData(), &old) == 0 && S_ISREG(old.st_mode);
    if (!sync(hadOne ? &old : nullptr))
        return false;
    if (::rename(encoded(path_).constData(), encoded(target).constData()) != 0) {
        error_ = errno;
        drop();
        return false;
    }
    // The file is the target now: nothing is left to remove.
    path_.clear();
    syncFolder(QFileInfo(target).absolutePath());
    release();
    return true;
}

QString InProgressFile::takeFreeName(const std::function<QString(int)>& nameFor, int tries)
{
    if (!sync(nullptr))
        return QString();
    const QByteArray from = encoded(path_);
    // A second name for the file, made only where no file is, then the in-progress name goes.
    // A folder that takes no second names (removable disks, network shares) renames without
    // replacing instead; one that takes no rename flags either gets the name first as an empty
    // file of the program's own, made only where no file is, which the whole file then replaces.
    enum class Way { Link, RenameNoReplace, Placeholder } way = Way::Link;
    for (int i = 1; i <= tries; ++i) {
        const QString name = nameFor(i);
        const QByteArray to = encoded(name);
        int rc = -1;
        for (;;) {
            if (way == Way::Link) {
                rc = ::link(from.constData(), to.constData());
                if (rc == 0)
                    ::unlink(from.constData());
                else if (errno == EPERM || errno == EOPNOTSUPP || errno == EMLINK || errno == ENOSYS) {
                    way = Way::RenameNoReplace;
                    continue;
                }
            } else if (way == Way::RenameNoReplace) {
                rc = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
                if (rc != 0 && (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
                    way = Way::Placeholder;
                    continue;
                }
            } else {
                const int placeholder = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
                if (placeholder >= 0) {
                    struct stat made {};
                    ::fstat(placeholder, &made);
                    ::close(placeholder);
                    rc = ::rename(from.constData(), to.constData());
                    if (rc != 0) {
                        const int err = errno;
                        struct stat now {};
                        if (::lstat(to.constData(), &now) == 0 && sameFile(now, made) && now.st_size == 0)
                            ::unlink(to.constData());
                        errno = err;
                    }
                }
            }
            break;
        }
        if (rc == 0) {
            path_.clear();
            syncFolder(QFileInfo(name).absolutePath());
            release();
            return name;
        }
        if (errno != EEXIST) {
            error_ = errno;
            drop();
            return QString();
        }
    }
    error_ = EEXIST;
    drop();
    return QString();
}

void InProgressFile::removeScratch()
{
    if (!scratch_.isEmpty())
        removeScratchFolder(encoded(scratch_));
    scratch_.clear();
}

void InProgressFile::drop()
{
    removeScratch();
    if (!path_.isEmpty())
        ::unlink(encoded(path_).constData());
    path_.clear();
    release();
}

void InProgressFile::release()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace kiv::files
