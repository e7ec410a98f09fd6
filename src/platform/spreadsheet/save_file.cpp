#include "platform/spreadsheet/save_file.h"

#include "platform/dialogs.h"
#include "platform/in_progress_file.h"
#include "platform/language.h"
#include "platform/spreadsheet/automation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

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

enum class Reason { FolderMissing, Permission, IsFolder, ReadOnlyFile, WriteFailed };

[[noreturn]] void fail(Reason reason, const QString& file)
{
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

// A write into the new file that did not take every byte, with the system's reason.
struct ShortWrite {
    int error;
};

// The file a save writes: a link's target (a dangling link names the file to make), else the
// file itself.
QString fileWritten(const QString& file)
{
    int error = 0;
    const QString target = files::followLinks(file, &error);
    if (target.isEmpty())
        fail(Reason::WriteFailed, file);
    return target;
}

// Writes the workbook into a new file beside the target (held, and marked as the program's own)
// and renames it over the target once every byte is on the disk. A short write (a full disk, a
// size limit) is a failure, and the new file is removed; the target is never opened for writing.
using Render = std::function<void(files::InProgressFile& made, const QString& target)>;

void writeBeside(const QString& file, const QString& target, const Render& render)
{
    files::InProgressFile made;
    if (!made.create(target))
        fail(reasonOf(made.error()), file);
    try {
        render(made, target);
    } catch (const AutomationError&) {
        throw;
    } catch (const ShortWrite& e) {
        fail(reasonOf(e.error), file);
    } catch (...) {
        fail(Reason::WriteFailed, file);
    }
    if (!made.replace(target, files::modeFor(target)))
        fail(reasonOf(made.error()), file);
}

void saveWorkbook(const QString& name, const Render& render)
{
    const QString file = resolveSaveName(name);
    const QString written = fileWritten(file);
    const QFileInfo target(written);
    if (target.isDir())
        fail(Reason::IsFolder, file);
    // Write permission is asked of the file itself, as the saved-figure stores do: root may
    // write anywhere, yet a file made read-only is kept.
    if (!files::mayReplace(target))
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
    writeBeside(file, written, render);
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
    saveWorkbook(name, [&render](files::InProgressFile& file, const QString&) {
        if (!file.write(render()))
            throw ShortWrite{file.error()};
    });
}

void saveWorkbookFileWith(const QString& name, const std::function<void(const QString& newFile, const QString& scratchFolder)>& write)
{
    saveWorkbook(name, [&write](files::InProgressFile& file, const QString& target) {
        files::InProgressFile scratch;
        if (!scratch.createScratchFolder(target))
            throw ShortWrite{scratch.error()};
        write(file.path(), scratch.path());
    });
}

} // namespace kiv::sheet
