#include "values/figure_store.h"

#include "platform/db/database.h"
#include "platform/in_progress_file.h"
#include "platform/program_folder.h"
#include "numbers/numbers.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::store {
namespace {

using db::DbError;
using db::Value;

// A text of a column read as the number its box would show, in the column's form; nothing
// when it is not one.
std::optional<QString> inForm(QStringView text, TextForm form)
{
    if (form == TextForm::Total) {
        const num::LeadingNumber n = num::readLeadingNumber(text);
        if (!n.readsFully || !std::isfinite(n.value) || !std::isfinite(num::toSingle(n.value)))
            return std::nullopt;
        return num::totalForm(num::toSingle(n.value));
    }
    const std::optional<num::Units> units = num::acceptedAmount(text);
    if (!units)
        return std::nullopt;
    return form == TextForm::Entry ? num::entryForm(*units) : num::normalisedForm(*units);
}

// What the store keeps of a text: the plain number, without the entry form's blank.
QString storedText(const QString& formed, TextForm form)
{
    return form == TextForm::Entry ? formed.trimmed() : formed;
}

Failure failureOf(const DbError& e, const QString& path)
{
    Failure f;
    f.file = path;
    f.detail = e.detail();
    if (QFileInfo(path).isDir()) {
        f.kind = Failure::Kind::IsFolder;
        return f;
    }
    switch (e.code()) {
    case DbError::Code::CannotOpen:
        f.kind = QFileInfo::exists(path) ? Failure::Kind::CannotOpen : Failure::Kind::FileMissing;
        break;
    case DbError::Code::NotADatabase:
        f.kind = Failure::Kind::NotADatabase;
        break;
    case DbError::Code::NoSuchTable:
        f.kind = Failure::Kind::NoTable;
        break;
    case DbError::Code::NoSuchColumn:
        f.kind = Failure::Kind::NoColumn;
        break;
    case DbError::Code::NoCurrentRow:
        f.kind = Failure::Kind::Empty;
        break;
    case DbError::Code::ReadOnly:
        f.kind = Failure::Kind::ReadOnly;
        break;
    case DbError::Code::WriteFailed:
    case DbError::Code::Other:
        f.kind = Failure::Kind::WriteFailed;
        break;
    }
    return f;
}

Failure failure(Failure::Kind kind, const QString& path, int column = -1)
{
    Failure f;
    f.kind = kind;
    f.file = path;
    f.column = column;
    return f;
}

WritableCheck& writableOverride()
{
    static WritableCheck check;
    return check;
}

// The file system's answer: a folder this user may create files in (a read-only mount says no).
bool folderWritable(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

// The folder a store is written into, created when missing; only the user's own folder can be,
// and it keeps the firm's figures to that user alone.
bool ensureFolder(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    return true;
}

// Whether the user's own store is there, as the system tells it for the path (links followed,
// as for any file the program opens). A path that can't be searched (EACCES on a folder on the
// way, an unreachable home) is neither there nor missing, and a file there that this user may
// not read is no store to pass over: both keep the store out of reach, with the system's error.
// A path through a plain file (ENOTDIR) holds nothing; a folder in the file's place is for Save
// and Restore to report.
struct OwnStore {
    bool present = false;
    int unreachable = 0; // errno, or 0
};

OwnStore ownStoreAt(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return {};
        return {false, error};
    }
    if (!S_ISDIR(info.st_mode) && ::faccessat(AT_FDCWD, name.constData(), R_OK, AT_EACCESS) != 0) {
        const int error = errno;
        if (error == EACCES || error == EPERM)
            return {true, error};
    }
    return {true, 0};
}

Failure unreachableStore(const StoreLocation& where)
{
    Failure f = failure(Failure::Kind::Unreachable, where.restoreFrom);
    if (where.unreachable != EACCES && where.unreachable != EPERM)
        f.detail = QString::fromLocal8Bit(std::strerror(where.unreachable));
    return f;
}

// Whether a store's name is a link in a circle of links.
bool linkLoop(const QString& path)
{
    int error = 0;
    return files::followLinks(path, &error).isEmpty() && error == ELOOP;
}

// The store's table, read whole; throws DbError.
std::shared_ptr<db::Snapshot> readTable(const FigureStore& store, const QString& path)
{
    const std::shared_ptr<db::Database> database = db::Database::open(path, true);
    return database->openSnapshot(store.table);
}

} // namespace

QString storePath(const FigureStore& store)
{
    return joinPath(programFolder(), store.fileName);
}

StoreLocation locateStore(const FigureStore& store, const QString& programFolder, const QString& userFolder, const WritableCheck& canWrite)
{
    const QString delivered = joinPath(programFolder, store.fileName);
    if (userFolder.isEmpty())
        return {delivered, delivered, delivered};
    // The user's own store, once there, holds that user's figures whatever the program folder
    // has become since (writable after a change of permissions, a copied folder, root).
    const QString own = joinPath(userFolder, store.fileName);
    const OwnStore state = ownStoreAt(own);
    if (state.unreachable)
        return {own, own, own, state.unreachable};
    if (state.present)
        return {own, own, own};
    if (canWrite(programFolder))
        return {delivered, delivered, delivered};
    return {delivered, own, delivered};
}

StoreLocation storeLocation(const FigureStore& store)
{
    return locateStore(store, programFolder(), userDataFolder(), writableOverride() ? writableOverride() : WritableCheck(folderWritable));
}

void setWritableCheck(WritableCheck check)
{
    writableOverride() = std::move(check);
}

std::optional<Failure> save(const FigureStore& store, const QStringList& texts)
{
    const StoreLocation where = storeLocation(store);
    const auto failed = [&where](Failure f) {
        // A link is followed: a link to no file holds no figures either.
        f.savedBefore = QFileInfo(where.restoreFrom).isFile();
        return std::optional<Failure>(std::move(f));
    };
    const QString& path = where.saveTo;
    std::vector<Value> row;
    for (std::size_t c = 0; c < store.columns.size(); ++c) {
        const int column = static_cast<int>(c);
        const std::optional<QString> formed = column < texts.size() ? inForm(texts[column], store.columns[c].form) : std::nullopt;
        if (!formed)
            return failure(Failure::Kind::NotANumber, path, column);
        row.push_back(Value::text(storedText(*formed, store.columns[c].form)));
    }
    if (where.unreachable)
        return failed(unreachableStore(where));
    for (const QString& file : {where.saveTo, where.checkFirst})
        if (linkLoop(file))
            return failed(failure(Failure::Kind::LinkLoop, file));
    // The file must be a store already (a first Save into the user's folder: the delivered
    // one): never replace a file that isn't one, and never make a store from nothing.
    if (!QFileInfo::exists(where.checkFirst))
        return failed(failure(Failure::Kind::FileMissing, where.checkFirst));
    try {
        readTable(store, where.checkFirst);
    } catch (const DbError& e) {
        return failed(failureOf(e, where.checkFirst));
    }
    if (!ensureFolder(QFileInfo(path).absolutePath()))
        return failed(failure(Failure::Kind::ReadOnly, path));
    try {
        db::TableData table;
        table.name = store.table;
        for (const Column& column : store.columns)
            table.columns.push_back({column.name, db::ColumnType::Text});
        table.rows.push_back(std::move(row));
        db::writeDatabase(path, {table});
    } catch (const DbError& e) {
        return failed(failureOf(e, path));
    }
    return std::nullopt;
}

std::variant<QStringList, Failure> restore(const FigureStore& store)
{
    const StoreLocation where = storeLocation(store);
    if (where.unreachable)
        return unreachableStore(where);
    const QString path = where.restoreFrom;
    if (linkLoop(path))
        return failure(Failure::Kind::LinkLoop, path);
    if (!QFileInfo::exists(path))
        return failure(Failure::Kind::FileMissing, path);
    std::shared_ptr<db::Snapshot> table;
    try {
        table = readTable(store, path);
    } catch (const DbError& e) {
        return failureOf(e, path);
    }
    for (std::size_t c = 0; c < store.columns.size(); ++c)
        if (!table->hasColumn(store.columns[c].name))
            return failure(Failure::Kind::NoColumn, path, static_cast<int>(c));
    if (table->rowCount() == 0)
        return failure(Failure::Kind::Empty, path);
    QStringList texts;
    for (std::size_t c = 0; c < store.columns.size(); ++c) {
        const int column = static_cast<int>(c);
        const Value value = table->value(0, table->columnIndex(store.columns[c].name));
        if (value.isNull())
            return failure(Failure::Kind::NullValue, path, column);
        const std::optional<QString> formed = inForm(value.toText(), store.columns[c].form);
        if (!formed)
            return failure(Failure::Kind::BadValue, path, column);
        texts << *formed;
    }
    return texts;
}

QString failureMessage(const Failure& f, bool saving, int language, const QStringList& itemNames)
{
    const bool en = language == 0;
    const QString column = f.column >= 0 && f.column < itemNames.size() ? itemNames[f.column] : QString();
    if (f.kind == Failure::Kind::NotANumber)
        return en ? QStringLiteral("The figures were not saved: the amount of ") + column + QStringLiteral(" is not a number. Please correct it and save again.")
                  : QStringLiteral("Les données n'ont pas été sauvegardées : le montant de ") + column
                        + QStringLiteral(" n'est pas un nombre. Veuillez le corriger et sauvegarder de nouveau.");

    QString reason;
    switch (f.kind) {
    case Failure::Kind::NotANumber:
        break;
    case Failure::Kind::FileMissing:
        reason = en ? QStringLiteral("the file does not exist") : QStringLiteral("le fichier n'existe pas");
        break;
    case Failure::Kind::CannotOpen:
        reason = en ? QStringLiteral("the file cannot be opened (no permission, or it is locked)")
                    : QStringLiteral("le fichier ne peut pas être ouvert (accès refusé ou fichier verrouillé)");
        break;
    case Failure::Kind::NotADatabase:
    case Failure::Kind::NoTable:
        reason = en ? QStringLiteral("the file cannot be read (it is not a file of saved figures, or it is damaged)")
                    : QStringLiteral("le fichier ne peut pas être lu (ce n'est pas un fichier de données sauvegardées, ou il est endommagé)");
        break;
    case Failure::Kind::IsFolder:
        reason = en ? QStringLiteral("this is a folder, not a file of saved figures") : QStringLiteral("c'est un dossier, pas un fichier de données sauvegardées");
        break;
    case Failure::Kind::NoColumn:
        reason = en ? QStringLiteral("the saved figures have no value for ") + column : QStringLiteral("les données sauvegardées n'ont pas de valeur pour ") + column;
        break;
    case Failure::Kind::Empty:
        reason = en ? QStringLiteral("the file holds no saved figures") : QStringLiteral("le fichier ne contient aucune donnée sauvegardée");
        break;
    case Failure::Kind::NullValue:
        reason = en ? QStringLiteral("the saved figures have no value for ") + column : QStringLiteral("les données sauvegardées n'ont pas de valeur pour ") + column;
        break;
    case Failure::Kind::BadValue:
        reason = en ? QStringLiteral("the saved value of ") + column + QStringLiteral(" is not an amount") : QStringLiteral("la valeur sauvegardée de ") + column + QStringLiteral(" n'est pas un montant");
        break;
    case Failure::Kind::ReadOnly:
        reason = en ? QStringLiteral("the file or its folder cannot be written to (read-only or locked)")
                    : QStringLiteral("le fichier ou son dossier ne peut pas être modifié (lecture seule ou verrouillé)");
        break;
    case Failure::Kind::WriteFailed:
        // Restore only reads: what failed there (a lock held by another program, ...) is a read.
        if (saving)
            reason = en ? QStringLiteral("the file could not be written (") + f.detail + QLatin1Char(')') : QStringLiteral("le fichier n'a pas pu être écrit (") + f.detail + QLatin1Char(')');
        else
            reason = en ? QStringLiteral("the file could not be read (") + f.detail + QLatin1Char(')') : QStringLiteral("le fichier n'a pas pu être lu (") + f.detail + QLatin1Char(')');
        break;
    case Failure::Kind::LinkLoop:
        reason = en ? QStringLiteral("the file's links lead round in a circle") : QStringLiteral("les liens du fichier forment une boucle");
        break;
    case Failure::Kind::Unreachable: {
        const QString folder = f.file.left(std::max<qsizetype>(f.file.lastIndexOf(u'/'), 1));
        const QString why = !f.detail.isEmpty() ? f.detail : en ? QStringLiteral("no permission") : QStringLiteral("accès refusé");
        reason = en ? QStringLiteral("your own saved figures in the folder '") + folder + QStringLiteral("' cannot be read (") + why + QLatin1Char(')')
                    : QStringLiteral("vos propres données sauvegardées dans le dossier '") + folder + QStringLiteral("' ne peuvent pas être lues (") + why
                          + QLatin1Char(')');
        break;
    }
    }
    // A file that is no store holds no figures to keep, and stays until the user removes it.
    const bool noStore = f.kind == Failure::Kind::NotADatabase || f.kind == Failure::Kind::NoTable || f.kind == Failure::Kind::IsFolder;
    const bool folder = f.kind == Failure::Kind::IsFolder;
    const QString stays = !noStore ? QString()
                          : en     ? (folder ? QStringLiteral(" Save will not replace the folder until it is moved away or deleted.")
                                             : QStringLiteral(" Save will not replace the file until it is moved away or deleted."))
                                   : (folder ? QStringLiteral(" Sauvegarder ne remplacera pas ce dossier tant qu'il n'aura pas été déplacé ou supprimé.")
                                             : QStringLiteral(" Sauvegarder ne remplacera pas ce fichier tant qu'il n'aura pas été déplacé ou supprimé."));
    if (saving) {
        // Behind a circle of links there is no store to keep.
        const QString kept = noStore || f.kind == Failure::Kind::LinkLoop || !f.savedBefore ? QString()
                             : en    ? QStringLiteral(" The figures saved before are kept.")
                                     : QStringLiteral(" Les données sauvegardées auparavant sont conservées.");
        return en ? QStringLiteral("The figures could not be saved in '") + f.file + QStringLiteral("': ") + reason + u'.' + kept + stays
                  : QStringLiteral("Les données n'ont pas pu être sauvegardées dans '") + f.file + QStringLiteral("' : ") + reason + u'.' + kept + stays;
    }
    return en ? QStringLiteral("The saved figures could not be restored from '") + f.file + QStringLiteral("': ") + reason + QStringLiteral(". No figure was changed.") + stays
              : QStringLiteral("Les données sauvegardées n'ont pas pu être rétablies de '") + f.file + QStringLiteral("' : ") + reason
                    + QStringLiteral(". Aucune donnée n'a été modifiée.") + stays;
}

} // namespace kiv::store
