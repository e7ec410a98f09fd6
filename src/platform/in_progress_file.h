#pragma once
// A file of the program's in the making: the new store, workbook or printout is written beside
// the file it becomes, under a hidden name that carries the program's mark, and takes the
// file's place (or a free name) in one step only once every byte is on the disk. A reader of
// the target sees the old file or the new one, never half of one; a program killed while it
// writes leaves the target whole and its in-progress file beside it.
//
// The file is held by an exclusive lock (flock) from its creation until it has taken its name
// or been removed, so that two running copies of the program never take each other's file for
// a leftover: the cleanup that runs before each write removes only files that carry the mark,
// are plain files, and are held by no one. Any other file, whatever it looks like, is the
// user's and is never touched.
#include <QString>
#include <QStringView>
#include <functional>
#include <sys/types.h>

class QFileInfo;

namespace kiv::files {

// The file a name stands for: symbolic links followed, dangling ones too (the file a dangling
// link names is the one a write creates). Relative links are read from the link's folder.
// Empty, with *error set (ELOOP), for a loop of links.
QString followLinks(const QString& path, int* error = nullptr);

// Whether an existing file may be replaced by a write of the program's: it has a write
// permission bit and this user may write it. Root may write anywhere, yet a file made
// read-only is kept. True for a file that does not exist.
bool mayReplace(const QFileInfo& file);

// Whether a name (of a file in a folder) is one of the in-progress files of `target`'s name.
bool isInProgressName(QStringView name, const QString& targetName);

// Removes the in-progress files of `targetName`s in `folder` that no running writer holds:
// plain files carrying the mark (and writers' scratch folders carrying theirs, with the plain
// files in them), left by a program that was killed or by a machine that stopped. `targetName` is matched by the predicate (exact names for a store or a workbook; a
// family of names for printouts).
void removeAbandoned(const QString& folder, const std::function<bool(QStringView targetName)>& ofTarget);
inline void removeAbandoned(const QString& folder, const QString& targetName)
{
    removeAbandoned(folder, [&targetName](QStringView n) { return n == targetName; });
}

class InProgressFile {
public:
    InProgressFile() = default;
    ~InProgressFile(); // removes the file unless it has taken its name
    InProgressFile(const InProgressFile&) = delete;
    InProgressFile& operator=(const InProgressFile&) = delete;

    // Makes the file, empty and held, beside `target` (a path whose links are already
    // followed), under a name carrying the mark and `target`'s name; removes first what
    // abandoned writes of that name left in the folder. False with error() on failure.
    bool create(const QString& target);

    // Makes a scratch folder for a writer of `target` instead, held the same way: what the
    // writer keeps there on its way is gone with the folder when it is dropped (or destroyed),
    // and a folder abandoned by a killed writer is removed by the next write of that name.
    bool createScratchFolder(const QString& target);

    QString path() const { return path_; }
    int handle() const { return fd_; }
    int error() const { return error_; }

    // Writes every byte at the end of the file; a short write (a full disk, a size limit) is a
    // failure (ENOSPC when the system gave no reason).
    bool write(const QByteArray& bytes);

    // Puts the whole file on the disk with the mode given and renames it over `target`: the
    // target is replaced in one step. False with error() on failure; the file is then removed.
    bool replace(const QString& target, mode_t mode);

    // Puts the whole file on the disk and gives it the first of the names `nameFor(1)`,
    // `nameFor(2)`, ... that no file has: a file of that name is never replaced, even one made
    // at the same moment by another program. The name taken, or empty with error() (EEXIST
    // when all `tries` names are taken).
    QString takeFreeName(const std::function<QString(int)>& nameFor, int tries, mode_t mode);

    // Removes the file now.
    void drop();

private:
    bool make(const QString& target, bool scratch);
    bool sync(mode_t mode);
    void release();

    QString path_;
    int fd_ = -1;
    bool scratch_ = false;
    int error_ = 0;
};

// The mode a file is written with: the old file's when there is one, else a new file's (what
// the umask leaves of 0666).
mode_t modeFor(const QString& target);
mode_t newFileMode();

} // namespace kiv::files
