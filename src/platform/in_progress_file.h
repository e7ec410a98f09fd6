#pragma once
// A file of the program's in the making: the new store, workbook or printout is written beside
// the file it becomes, under a hidden name that carries the program's mark, and takes the
// file's place (or a free name) in one step only once every byte is on the disk. A reader of
// the target sees the old file or the new one, never half of one; a program killed while it
// writes leaves the target whole and its in-progress file beside it.
//
// The file is held from its creation until it has taken its name or been removed, so that two
// running copies of the program never take each other's file for a leftover: the cleanup that
// runs before each write removes only files that carry the mark, are plain files, and are held
// by no one. The hold is a lock on one byte far past the end of any file (an open-file lock,
// never a whole-file one), so it meets no lock another library takes on the file, and it never
// waits. Where the file system has no locks to give (a network disk whose lock manager can't be
// reached), the write goes on unheld, and a cleanup there leaves every file alone: it removes
// only what it can prove abandoned. Any other file, whatever it looks like, is the user's and
// is never touched.
//
// Everything that decides how a store, a workbook or a printout is written lives here, for all
// three alike: the links a name leads through, the checks before the write, the mode, owner and
// group the new file takes, and the reason a system error comes to.
#include <QString>
#include <QStringView>
#include <functional>
#include <sys/stat.h>
#include <sys/types.h>

class QFileInfo;

namespace kiv::files {

// The file a name stands for: symbolic links followed as the system follows them (each link's
// folder taken physically, so that ".." in a link leads where the system leads it), dangling
// ones too (the file a dangling link names is the one a write creates). Relative links are read
// from the link's folder. Empty, with *error set (ELOOP), for a circle of links.
QString followLinks(const QString& path, int* error = nullptr);

// Whether an existing file may be replaced by a write of the program's: it has a write
// permission bit and this user may write it. Root may write anywhere, yet a file made
// read-only is kept. True for a file that does not exist.
bool mayReplace(const QFileInfo& file);

// Why a write can't be made, as the program tells it. The checks before a write and the system's
// errors of the write itself all come to one of these.
enum class Refusal {
    None,
    LinkLoop,      // the name's links lead round in a circle
    IsFolder,      // a folder stands under the name
    ReadOnlyFile,  // a file is there that may not be replaced
    FolderMissing, // the folder the file goes into does not exist
    NoPermission,  // this user may not make files in the folder (or the disk is read-only)
    Failed,        // anything else: a full disk, an error of the disk, ...
};

// What a system error (errno) of a write comes to.
Refusal refusalOf(int error);

// The file a store or a workbook written under a name lands in, and what stands in its way.
struct Destination {
    QString file;          // the name with its links followed; empty for a circle of links
    bool exists = false;   // a file is there: the write replaces it
    Refusal refusal = Refusal::None;
    int error = 0;         // the system's reason for NoPermission (EACCES, EROFS)
};

// The checks made before a store or a workbook is written, in this order: the name's links
// (a circle), a folder under the name, a file there that may not be replaced, the folder
// missing, the folder closed to this user.
Destination destinationOf(const QString& name);

// The names an in-progress file may be written for: one name, or a family of names (every name
// that begins and ends as given: the printouts).
class TargetNames {
public:
    static TargetNames one(const QString& name);
    static TargetNames family(const QString& start, const QString& end);

    // Whether the name of an entry of a folder is the marked name of an in-progress file (or of
    // its scratch folder) written for one of these names. A marked name carries the name it is
    // written for, cut when the whole would make the marked name too long for the system; a cut
    // one belongs to every name it begins.
    bool marks(QStringView entryName) const;

private:
    QString start_;
    QString end_;
    bool one_ = true;
};

// Whether a name (of an entry of a folder) is one of the in-progress files of `targetName`.
inline bool isInProgressName(QStringView name, const QString& targetName)
{
    return TargetNames::one(targetName).marks(name);
}

// Removes the in-progress files of `names` in `folder` that no running writer holds: plain
// files carrying the mark (and the scratch folders of theirs, with the plain files in them),
// left by a program that was killed or by a machine that stopped.
void removeAbandoned(const QString& folder, const TargetNames& names);
inline void removeAbandoned(const QString& folder, const QString& targetName)
{
    removeAbandoned(folder, TargetNames::one(targetName));
}

// Whether the file system of an existing file gives locks on it (a network disk whose lock
// manager can't be reached does not): a reader that would wait on locks that are never given
// reads without them instead.
bool locksWork(const QString& path);

// Whether a folder's file system takes what a library writing a file of parts does there: writes
// that go back into what was written and on again at the end, and reads of a part removed while
// open. Some FUSE disks take neither (a FAT stick's).
bool takesWritesInPlace(const QString& folder);

class InProgressFile {
public:
    InProgressFile() = default;
    ~InProgressFile(); // removes the file (and its scratch folder) unless it has taken its name
    InProgressFile(const InProgressFile&) = delete;
    InProgressFile& operator=(const InProgressFile&) = delete;

    // Makes the file, empty and held, beside `target` (a path whose links are already
    // followed), under a name carrying the mark and `target`'s name; removes first what
    // abandoned writes of that name left in the folder. False with error() on failure.
    bool create(const QString& target);

    // Makes a scratch folder of the file's beside it, for what its writer keeps on the way (the
    // parts of a workbook): it is held with the file and goes with it, and a folder abandoned by
    // a killed writer is removed with the file by the next write of that name. Its path, or
    // empty with error().
    QString makeScratchFolder();

    QString path() const { return path_; }
    int handle() const { return fd_; }
    int error() const { return error_; }

    // Writes every byte at the end of the file; a short write (a full disk, a size limit) is a
    // failure (ENOSPC when the system gave no reason).
    bool write(const QByteArray& bytes);

    // Puts the whole file on the disk and renames it over `target`: the target is replaced in
    // one step. The new file takes the old one's owner, group and mode as far as the system
    // lets this user give them (the group of a colleague's file, when the user is a member of
    // it), a new file's mode when there was none; a file system that keeps no modes or owners
    // leaves the file as it makes it. False with error() on failure; the file is then removed.
    bool replace(const QString& target);

    // Puts the whole file on the disk and gives it the first of the names `nameFor(1)`,
    // `nameFor(2)`, ... that no file has, with a new file's mode: a file of that name is never
    // replaced, even one made at the same moment by another program, also where the folder
    // takes no second names and no rename flags. The name taken, or empty with error() (EEXIST
    // when all `tries` names are taken).
    QString takeFreeName(const std::function<QString(int)>& nameFor, int tries);

    // Removes the file (and its scratch folder) now.
    void drop();

private:
    bool sync(const struct stat* old);
    void removeScratch();
    void release();

    QString path_;
    QString scratch_;
    int fd_ = -1;
    int error_ = 0;
};

// The mode a new file is written with: what the umask leaves of 0666.
mode_t newFileMode();

} // namespace kiv::files
