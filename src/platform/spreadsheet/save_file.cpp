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

using files::Refusal;

// Every refusal of a save is told naming the file, with its error number for the caller.
[[noreturn]] void fail(Refusal reason, const QString& file)
{
    const QString path = QDir::toNativeSeparators(file);
    QString english, frenchText;
    int number = kFileAccess;
    switch (reason) {
    case Refusal::FolderMissing:
        number = kPathNotFound;
        english = QStringLiteral("its folder does not exist.");
        frenchText = QStringLiteral("son dossier n'existe pas.");
        break;
    case Refusal::NoPermission:
        number = kPermissionDenied;
        english = QStringLiteral("you are not allowed to write there.");
        frenchText = QStringLiteral("vous n'avez pas le droit d'écrire à cet endroit.");
        break;
    case Refusal::IsFolder:
        english = QStringLiteral("a folder of that name already exists.");
        frenchText = QStringLiteral("un dossier porte déjà ce nom.");
        break;
    case Refusal::ReadOnlyFile:
        number = kPermissionDenied;
        english = QStringLiteral("a read-only file of that name already exists.");
        frenchText = QStringLiteral("un fichier en lecture seule porte déjà ce nom.");
        break;
    case Refusal::LinkLoop:
        english = QStringLiteral("its links lead round in a circle.");
        frenchText = QStringLiteral("ses liens forment une boucle.");
        break;
    case Refusal::None:
    case Refusal::Failed:
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

// A write into the new file that did not take every byte, with the system's reason.
struct ShortWrite {
    int error;
};

// Writes the workbook into a new file beside the target (held, and marked as the program's own)
// and renames it over the target once every byte is on the disk. A short write (a full disk, a
// size limit) is a failure, and the new file is removed; the target is never opened for writing.
using Render = std::function<void(files::InProgressFile& made)>;

void writeBeside(const QString& file, const QString& target, const Render& render)
{
    files::InProgressFile made;
    if (!made.create(target))
        fail(files::refusalOf(made.error()), file);
    try {
        render(made);
    } catch (const AutomationError&) {
        throw;
    } catch (const ShortWrite& e) {
        fail(files::refusalOf(e.error), file);
    } catch (...) {
        fail(Refusal::Failed, file);
    }
    if (!made.replace(target))
        fail(files::refusalOf(made.error()), file);
}

void saveWorkbook(const QString& name, const Render& render)
{
    const QString file = resolveSaveName(name);
    // Links followed, and write permission asked of the file itself, as the saved-figure stores
    // do: root may write anywhere, yet a file made read-only is kept.
    files::Destination to = files::destinationOf(file);
    if (to.refusal == Refusal::FolderMissing) {
        // The documents folder itself is made when it is missing; no other folder is.
        const QString folder = QFileInfo(to.file).absolutePath();
        if (QDir::cleanPath(folder) == QDir::cleanPath(documentsFolder()) && QDir().mkpath(folder))
            to = files::destinationOf(file);
    }
    if (to.refusal != Refusal::None)
        fail(to.refusal, file);
    if (to.exists) {
        const QString question =
            french() ? QStringLiteral("Le fichier '") + QDir::toNativeSeparators(file) + QStringLiteral("' existe déjà. Voulez-vous le remplacer ?")
                     : QStringLiteral("The file '") + QDir::toNativeSeparators(file) + QStringLiteral("' already exists. Do you want to replace it?");
        if (MsgBox(question, vbYesNo + vbQuestion) != vbYes)
            throw AutomationError{kApplicationDefined, QString()};
    }
    writeBeside(file, to.file, render);
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
    saveWorkbook(name, [&render](files::InProgressFile& file) {
        if (!file.write(render()))
            throw ShortWrite{file.error()};
    });
}

void saveWorkbookFileWith(const QString& name, const std::function<void(const QString& newFile, const QString& scratchFolder)>& write)
{
    saveWorkbook(name, [&write](files::InProgressFile& file) {
        const QString scratch = file.makeScratchFolder();
        if (scratch.isEmpty())
            throw ShortWrite{file.error()};
        if (files::takesWritesInPlace(scratch)) {
            write(file.path(), scratch);
            return;
        }
        // A disk that takes no writes in place (a FAT stick through FUSE): the workbook is made
        // in a scratch folder in the user's own runtime folder, which no one else may enter,
        // held and cleaned up as the one beside the file is, and then written out in one go.
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        files::InProgressFile privateHold;
        if (runtime.isEmpty() || !privateHold.create(runtime + QStringLiteral("/kiv_2000-workbook")))
            throw ShortWrite{privateHold.error() ? privateHold.error() : ENOENT};
        const QString away = privateHold.makeScratchFolder();
        if (away.isEmpty())
            throw ShortWrite{privateHold.error()};
        write(away + QStringLiteral("/book"), away);
        QFile book(away + QStringLiteral("/book"));
        if (!book.open(QIODevice::ReadOnly))
            throw ShortWrite{ENOENT};
        if (!file.write(book.readAll()))
            throw ShortWrite{file.error()};
    });
}

} // namespace kiv::sheet
