#include "platform/spreadsheet/save_file.h"

#include "platform/dialogs.h"
#include "platform/language.h"
#include "platform/spreadsheet/automation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::sheet {

namespace {

QString& folderOverride()
{
    static QString folder;
    return folder;
}

bool french()
{
    return gLanguage != 0;
}

enum class Reason { FolderMissing, Permission, IsFolder, ReadOnlyFile, WriteFailed, TemporaryFolder };

[[noreturn]] void fail(Reason reason, const QString& file)
{
    const QString temporary = QDir::toNativeSeparators(temporaryFolder());
    const QString path = QDir::toNativeSeparators(file);
    QString english, frenchText;
    int number = kFileAccess;
    switch (reason) {
    case Reason::FolderMissing:
        number = kPathNotFound;
        english = QStringLiteral("its folder does not exist.");
        frenchText = QStringLiteral("son dossier n'existe pas.");
        break;
    case Reason::Permission:
        number = kPermissionDenied;
        english = QStringLiteral("you are not allowed to write there.");
        frenchText = QStringLiteral("vous n'avez pas le droit d'écrire à cet endroit.");
        break;
    case Reason::IsFolder:
        english = QStringLiteral("a folder of that name already exists.");
        frenchText = QStringLiteral("un dossier porte déjà ce nom.");
        break;
    case Reason::ReadOnlyFile:
        number = kPermissionDenied;
        english = QStringLiteral("a read-only file of that name already exists.");
        frenchText = QStringLiteral("un fichier en lecture seule porte déjà ce nom.");
        break;
    case Reason::WriteFailed:
        number = kDiskFull;
        english = QStringLiteral("the disk is full or the file could not be written.");
        frenchText = QStringLiteral("le disque est plein ou le fichier n'a pas pu être écrit.");
        break;
    case Reason::TemporaryFolder:
        number = kDiskFull;
        english = QStringLiteral("the temporary folder '") + temporary + QStringLiteral("' is full or cannot be written to.");
        frenchText = QStringLiteral("le dossier temporaire '") + temporary + QStringLiteral("' est plein ou n'est pas accessible en écriture.");
        break;
    }
    AutomationError e;
    e.number = number;
    e.message = french() ? QStringLiteral("Le fichier '") + path + QStringLiteral("' n'a pas été enregistré : ") + frenchText
                         : QStringLiteral("The file '") + path + QStringLiteral("' was not saved: ") + english;
    throw e;
}

Reason reasonOf(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return Reason::Permission;
    case ENOENT:
    case ENOTDIR:
        return Reason::FolderMissing;
    case EISDIR:
        return Reason::IsFolder;
    default:
        return Reason::WriteFailed;
    }
}

// The new file of a save is written beside the target, hidden, under ".<name>.XXXXXX.new"
// ("XXXXXX" becomes six letters or digits).
constexpr int kNewSuffixLength = 4; // ".new"

QByteArray newFileTemplate(const QFileInfo& target)
{
    return QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX.new"));
}

// A save that was cut short (the program killed, the machine stopped) leaves its hidden new
// file behind; the target itself is whole. The next save under the same name removes it.
void removeLeftovers(const QFileInfo& target)
{
    const QRegularExpression leftover(QStringLiteral("^\\.") + QRegularExpression::escape(target.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}\\.new$"));
    QDir folder = target.absoluteDir();
    const QStringList candidates =
        folder.entryList({u'.' + target.fileName() + QStringLiteral(".*.new")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : candidates)
        if (leftover.match(name).hasMatch())
            folder.remove(name);
}

// Writes the bytes into a new file beside the target and renames it over the target once
// every byte is on the disk. A short write (a full disk, a size limit) is a failure, and the
// new file is removed; the target is never opened for writing.
void writeBeside(const QString& file, const QByteArray& bytes)
{
    QString target = file;
    const QFileInfo info(file);
    if (info.isSymLink() && info.exists())
        target = info.canonicalFilePath();
    const QFileInfo where(target);
    removeLeftovers(where);
    QByteArray temp = newFileTemplate(where);
    const int fd = ::mkstemps(temp.data(), kNewSuffixLength);
    if (fd < 0)
        fail(reasonOf(errno), file);
    const auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temp.constData());
        fail(reasonOf(error), file);
    };
    struct stat old {};
    mode_t mode = 0;
    if (::stat(QFile::encodeName(target).constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            abandon(n < 0 ? errno : ENOSPC);
        data += n;
        left -= n;
    }
    if (::fsync(fd) != 0)
        abandon(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        fail(reasonOf(error), file);
    }
    if (::rename(temp.constData(), QFile::encodeName(target).constData()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        fail(reasonOf(error), file);
    }
    // The new name itself is on the disk once its folder is.
    const int folder = ::open(QFile::encodeName(where.absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

} // namespace

QString documentsFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return folder;
}

void setDocumentsFolder(const QString& folder)
{
    folderOverride() = folder;
}

QString temporaryFolder()
{
    return QDir::tempPath();
}

QString resolveSaveName(const QString& name)
{
    if (name == u'~' || name.startsWith(QStringLiteral("~/")))
        return QDir::cleanPath(QDir::homePath() + name.mid(1));
    if (QDir::isAbsolutePath(name))
        return QDir::cleanPath(name);
    return QDir::cleanPath(documentsFolder() + u'/' + name);
}

void saveWorkbookFile(const QString& name, const std::function<QByteArray()>& render)
{
    const QString file = resolveSaveName(name);
    const QFileInfo target(file);
    if (target.isDir())
        fail(Reason::IsFolder, file);
    // Write permission is asked of the file itself, as the saved-figure stores do: root may
    // write anywhere, yet a file made read-only is kept.
    if (target.exists() && (!target.isWritable() || !(target.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther))))
        fail(Reason::ReadOnlyFile, file);
    if (target.exists()) {
        const QString question =
            french() ? QStringLiteral("Le fichier '") + QDir::toNativeSeparators(file) + QStringLiteral("' existe déjà. Voulez-vous le remplacer ?")
                     : QStringLiteral("The file '") + QDir::toNativeSeparators(file) + QStringLiteral("' already exists. Do you want to replace it?");
        if (MsgBox(question, vbYesNo + vbQuestion) != vbYes)
            throw AutomationError{kApplicationDefined, QString()};
    }
    const QString folder = target.absolutePath();
    if (!QFileInfo(folder).isDir()) {
        // The documents folder itself is made when it is missing; no other folder is.
        if (QDir::cleanPath(folder) != QDir::cleanPath(documentsFolder()) || !QDir().mkpath(folder))
            fail(Reason::FolderMissing, file);
    }
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isWritable())
        fail(Reason::Permission, file);

    QByteArray bytes;
    try {
        bytes = render();
    } catch (const AutomationError&) {
        throw;
    } catch (const TemporaryFolderFailure&) {
        fail(Reason::TemporaryFolder, file);
    } catch (...) {
        fail(Reason::WriteFailed, file);
    }
    writeBeside(file, bytes);
}

} // namespace kiv::sheet
