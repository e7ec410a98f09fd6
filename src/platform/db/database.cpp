// Opening a database file: the engine is chosen by the file's first bytes.
#include "platform/db/database.h"
#include "platform/db/engines.h"

#include <QFile>
#include <QFileInfo>

namespace kiv::db {

namespace {

bool isSqlite(const QByteArray& head)
{
    static const QByteArray magic("SQLite format 3\0", 16);
    return head.startsWith(magic);
}

// Jet 3, Jet 4 and their successors: a database header page whose first bytes are 00 01 00 00
// followed by "Standard Jet DB" (or "Standard ACE DB") and a zero byte.
bool isAccess(const QByteArray& head)
{
    if (head.size() < 20 || head.left(4) != QByteArray("\x00\x01\x00\x00", 4))
        return false;
    const QByteArray name = head.mid(4, 16);
    return name == QByteArray("Standard Jet DB\0", 16) || name == QByteArray("Standard ACE DB\0", 16);
}

} // namespace

std::shared_ptr<Database> Database::open(const QString& path, bool readOnly)
{
    using Code = DbError::Code;
    if (path.isEmpty())
        throw DbError(Code::CannotOpen, path, QStringLiteral("no database file was named"));
    const QFileInfo info(path);
    if (!info.exists())
        throw DbError(Code::CannotOpen, path, QStringLiteral("the file does not exist"));
    if (info.isDir())
        throw DbError(Code::CannotOpen, path, QStringLiteral("this is a folder, not a database file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(Code::CannotOpen, path, QStringLiteral("the file can't be read (%1)").arg(file.errorString()));
    const QByteArray head = file.read(32);
    file.close();
    if (head.isEmpty())
        throw DbError(Code::NotADatabase, path, QStringLiteral("the file is empty"));
    if (isSqlite(head))
        return detail::openSqlite(path, readOnly);
    if (isAccess(head))
        return detail::openAccess(path, readOnly);
    throw DbError(Code::NotADatabase, path, QStringLiteral("the file is neither an SQLite nor an Access database"));
}

} // namespace kiv::db
