#include "platform/in_progress_file.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <optional>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::files {

namespace {

// ".<target name>.kiv_2000-in-progress.<12 letters or digits>": hidden, named after the file it
// becomes, and marked in a way nobody names a file of their own. A writer's scratch folder is
// marked ".kiv_2000-scratch." instead.
constexpr QStringView kMark = u".kiv_2000-in-progress.";
constexpr QStringView kScratchMark = u".kiv_2000-scratch.";
constexpr int kRandomLength = 12;

enum class Kind { File, Scratch };

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

QStringView markOf(Kind kind)
{
    return kind == Kind::File ? kMark : kScratchMark;
}

// The target's name as it stands in a marked name: whole, or cut so that the marked name stays
// within the system's limit on a name's length.
QString nameInMark(const QString& targetName)
{
    constexpr int kLimit = NAME_MAX - 1 - int(kScratchMark.size() > kMark.size() ? kScratchMark.size() : kMark.size()) - kRandomLength;
    QString name = targetName;
    while (encoded(name).size() > kLimit)
        name.chop(1);
    return name;
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

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes the plain files of a scratch folder (a writer's parts of a workbook: nothing else is
// ever made in one), then the folder when that leaves it empty.
void emptyAndRemove(int folder, const QByteArray& path)
{
    const int listing = ::dup(folder);
    DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!dir) {
        if (listing >= 0)
            ::close(listing);
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

// Removes one in-progress file (or scratch folder) when no one holds it. The lock taken here
// proves that its writer is gone: a writer holds it from the file's creation to its end. The
// name is removed only while it still names what was locked, so a file that has just taken its
// target's place is never touched.
void removeIfAbandoned(const QByteArray& path, Kind kind)
{
    const auto rightKind = [kind](const struct stat& st) { return kind == Kind::File ? S_ISREG(st.st_mode) : S_ISDIR(st.st_mode); };
    struct stat before {};
    if (::lstat(path.constData(), &before) != 0 || !rightKind(before))
        return;
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (kind == Kind::Scratch ? O_DIRECTORY : 0));
    if (fd < 0)
        return;
    struct stat held {};
    if (::fstat(fd, &held) == 0 && rightKind(held) && sameFile(before, held) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        struct stat now {};
        if (::lstat(path.constData(), &now) == 0 && sameFile(now, held)) {
            if (kind == Kind::File)
                ::unlink(path.constData());
            else
                emptyAndRemove(fd, path);
        }
    }
    ::close(fd);
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

QString followLinks(const QString& path, int* error)
{
    QString at = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        const QByteArray name = encoded(at);
        struct stat st {};
        if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return QDir::cleanPath(at);
        QByteArray to(PATH_MAX, '\0');
        const ssize_t n = ::readlink(name.constData(), to.data(), static_cast<size_t>(to.size()));
        if (n <= 0)
            return QDir::cleanPath(at);
        to.truncate(n);
        const QString link = QFile::decodeName(to);
        at = QDir::isAbsolutePath(link) ? link : QFileInfo(at).absolutePath() + u'/' + link;
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

bool isInProgressName(QStringView name, const QString& targetName)
{
    const QString inMark = nameInMark(targetName);
    for (const Kind kind : {Kind::File, Kind::Scratch})
        if (const auto target = markedTarget(name, kind); target && *target == inMark)
            return true;
    return false;
}

void removeAbandoned(const QString& folder, const std::function<bool(QStringView)>& ofTarget)
{
    const QByteArray where = encoded(folder);
    DIR* dir = ::opendir(where.constData());
    if (!dir)
        return;
    QList<std::pair<QByteArray, Kind>> abandoned;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        for (const Kind kind : {Kind::File, Kind::Scratch})
            if (const auto target = markedTarget(name, kind); target && ofTarget(*target))
                abandoned.push_back({where + '/' + entry->d_name, kind});
    }
    ::closedir(dir);
    for (const auto& [path, kind] : abandoned)
        removeIfAbandoned(path, kind);
}

mode_t modeFor(const QString& target)
{
    struct stat old {};
    if (::stat(encoded(target).constData(), &old) == 0)
        return old.st_mode & 07777;
    return newFileMode();
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
    return make(target, false);
}

bool InProgressFile::createScratchFolder(const QString& target)
{
    return make(target, true);
}

bool InProgressFile::make(const QString& target, bool scratch)
{
    drop();
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    const QString targetName = info.fileName();
    removeAbandoned(folder, targetName);
    const QString prefix = folder + u'/' + u'.' + nameInMark(targetName) + markOf(scratch ? Kind::Scratch : Kind::File).toString();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = prefix + randomPart();
        const QByteArray name = encoded(path);
        int fd = -1;
        if (scratch) {
            if (::mkdir(name.constData(), 0700) != 0) {
                if (errno == EEXIST)
                    continue;
            } else {
                fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                // Another copy's cleanup took the folder, still empty and not yet held, for an
                // abandoned one: another is made.
                if (fd < 0 && errno == ENOENT)
                    continue;
            }
        } else {
            fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd < 0 && errno == EEXIST)
                continue;
        }
        if (fd < 0) {
            error_ = errno;
            return false;
        }
        // Between the creation and the lock another copy's cleanup may have taken the file for
        // an abandoned one; the name then no longer names this file, and another name is made.
        struct stat mine {}, named {};
        if (::flock(fd, LOCK_EX) != 0 || ::fstat(fd, &mine) != 0) {
            error_ = errno;
            ::close(fd);
            scratch ? ::rmdir(name.constData()) : ::unlink(name.constData());
            return false;
        }
        if (::lstat(name.constData(), &named) != 0 || !sameFile(mine, named)) {
            ::close(fd);
            continue;
        }
        path_ = path;
        fd_ = fd;
        scratch_ = scratch;
        error_ = 0;
        return true;
    }
    error_ = EEXIST;
    return false;
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

bool InProgressFile::sync(mode_t mode)
{
    if (fd_ < 0) {
        error_ = EBADF;
        return false;
    }
    if (::fchmod(fd_, mode) != 0 || ::fsync(fd_) != 0) {
        error_ = errno;
        drop();
        return false;
    }
    return true;
}

bool InProgressFile::replace(const QString& target, mode_t mode)
{
    if (!sync(mode))
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

QString InProgressFile::takeFreeName(const std::function<QString(int)>& nameFor, int tries, mode_t mode)
{
    if (!sync(mode))
        return QString();
    const QByteArray from = encoded(path_);
    for (int i = 1; i <= tries; ++i) {
        const QString name = nameFor(i);
        const QByteArray to = encoded(name);
        // A second name for the file, made only where no file is; then the in-progress name
        // goes. A folder that takes no second names (some removable disks) renames without
        // replacing instead.
        int rc = ::link(from.constData(), to.constData());
        if (rc != 0 && (errno == EPERM || errno == EOPNOTSUPP || errno == EMLINK))
            rc = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
        else if (rc == 0)
            ::unlink(from.constData());
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

void InProgressFile::drop()
{
    if (!path_.isEmpty()) {
        if (scratch_)
            emptyAndRemove(fd_, encoded(path_));
        else
            ::unlink(encoded(path_).constData());
    }
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
