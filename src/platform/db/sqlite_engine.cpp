// The SQLite engine: reads tables into snapshots and writes whole new database files.
#include "platform/db/database.h"
#include "platform/db/engines.h"
#include "platform/in_progress_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

namespace kiv::db {

namespace {

using Code = DbError::Code;

QString quoted(const QString& name)
{
    QString s = name;
    s.replace(u'"', QStringLiteral("\"\""));
    return u'"' + s + u'"';
}

QString message(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

// What an SQLite result code means to the program.
[[noreturn]] void fail(sqlite3* db, int rc, const QString& path, const QString& doing)
{
    const QString why = message(db);
    switch (rc & 0xff) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
        throw DbError(Code::NotADatabase, path, QStringLiteral("the file is damaged or not a database (%1 %2)").arg(doing, why));
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        throw DbError(Code::CannotOpen, path, QStringLiteral("the file can't be opened (%1 %2)").arg(doing, why));
    case SQLITE_READONLY:
        throw DbError(Code::ReadOnly, path, QStringLiteral("the file is read-only (%1 %2)").arg(doing, why));
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw DbError(Code::Other, path, QStringLiteral("the file is locked by another program (%1 %2)").arg(doing, why));
    case SQLITE_FULL:
        throw DbError(Code::WriteFailed, path, QStringLiteral("there is no space left on the disk (%1 %2)").arg(doing, why));
    case SQLITE_IOERR:
        throw DbError(Code::WriteFailed, path, QStringLiteral("the disk reported an error (%1 %2)").arg(doing, why));
    default:
        throw DbError(Code::Other, path, QStringLiteral("%1 failed: %2").arg(doing, why));
    }
}

// One prepared statement, finalised on every path out.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql, const QString& path, const QString& doing)
    {
        const QByteArray text = sql.toUtf8();
        const int rc = sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &stmt_, nullptr);
        if (rc != SQLITE_OK)
            fail(db, rc, path, doing);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return stmt_; }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

bool declaredSingle(const char* decl)
{
    if (!decl)
        return false;
    const QByteArray d = QByteArray(decl).trimmed().toUpper();
    return d.startsWith("SINGLE") || d == "FLOAT4" || d == "REAL4";
}

class SqliteDatabase final : public Database {
public:
    SqliteDatabase(QString path, bool readOnly, sqlite3* db)
        : path_(std::move(path))
        , readOnly_(readOnly)
        , db_(db)
    {
    }
    ~SqliteDatabase() override { sqlite3_close_v2(db_); }

    Engine engine() const override { return Engine::SQLite; }
    QString path() const override { return path_; }
    bool readOnly() const override { return readOnly_; }

    QStringList tableNames() const override
    {
        const QString doing = QStringLiteral("listing the tables:");
        Statement st(db_, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"),
                     path_, doing);
        QStringList names;
        for (;;) {
            const int rc = sqlite3_step(st.get());
            if (rc == SQLITE_DONE)
                break;
            if (rc != SQLITE_ROW)
                fail(db_, rc, path_, doing);
            names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)));
        }
        return names;
    }

    std::shared_ptr<Snapshot> openSnapshot(const QString& table) override
    {
        QString stored;
        for (const QString& t : tableNames())
            if (sameText(t, table))
                stored = t;
        if (stored.isEmpty())
            throw DbError(Code::NoSuchTable, path_, QStringLiteral("the database has no table %1").arg(table));

        const QString doing = QStringLiteral("reading the table %1:").arg(stored);
        Statement st(db_, QStringLiteral("SELECT * FROM ") + quoted(stored), path_, doing);
        const int count = sqlite3_column_count(st.get());
        QStringList columns;
        std::vector<bool> single(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            columns << QString::fromUtf8(sqlite3_column_name(st.get(), i));
            single[static_cast<std::size_t>(i)] = declaredSingle(sqlite3_column_decltype(st.get(), i));
        }
        std::vector<std::vector<Value>> rows;
        for (;;) {
            const int rc = sqlite3_step(st.get());
            if (rc == SQLITE_DONE)
                break;
            if (rc != SQLITE_ROW)
                fail(db_, rc, path_, doing);
            std::vector<Value> row;
            row.reserve(static_cast<std::size_t>(count));
            for (int i = 0; i < count; ++i) {
                const bool s = single[static_cast<std::size_t>(i)];
                switch (sqlite3_column_type(st.get(), i)) {
                case SQLITE_INTEGER:
                    row.push_back(Value::number(static_cast<double>(sqlite3_column_int64(st.get(), i)), s));
                    break;
                case SQLITE_FLOAT:
                    row.push_back(Value::number(sqlite3_column_double(st.get(), i), s));
                    break;
                case SQLITE_TEXT: {
                    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st.get(), i));
                    row.push_back(Value::text(QString::fromUtf8(text, sqlite3_column_bytes(st.get(), i))));
                    break;
                }
                case SQLITE_NULL:
                    row.push_back(Value::null());
                    break;
                default:
                    throw DbError(Code::Other, path_,
                                  QStringLiteral("the column %1 of the table %2 holds binary data").arg(columns[i], stored));
                }
            }
            rows.push_back(std::move(row));
        }
        return std::make_shared<Snapshot>(stored, columns, std::move(rows), path_);
    }

private:
    QString path_;
    bool readOnly_;
    sqlite3* db_;
};

const char* declaredType(ColumnType t)
{
    switch (t) {
    case ColumnType::Long:
        return "INTEGER";
    case ColumnType::Double:
        return "REAL";
    case ColumnType::Single:
        return "SINGLE";
    case ColumnType::Text:
        return "TEXT";
    }
    return "REAL";
}

// A single-precision column holds the shortest decimal that reads back as its single (6.63
// rather than 6.63000011444092): the same single for every reader, and plain to look at.
double shortestSingle(double v)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(v)).ptr;
    double d = v;
    std::from_chars(buffer, end, d);
    return d;
}

void checkTables(const std::vector<TableData>& tables, const QString& path)
{
    for (const TableData& t : tables) {
        if (t.name.isEmpty() || t.columns.empty())
            throw DbError(Code::WriteFailed, path, QStringLiteral("a table to write has no name or no column"));
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            const auto& row = t.rows[r];
            if (row.size() != t.columns.size())
                throw DbError(Code::WriteFailed, path,
                              QStringLiteral("row %1 of the table %2 has %3 values for %4 columns")
                                  .arg(r + 1)
                                  .arg(t.name)
                                  .arg(row.size())
                                  .arg(t.columns.size()));
            for (std::size_t c = 0; c < row.size(); ++c) {
                const bool text = t.columns[c].type == ColumnType::Text;
                if (!row[c].isNull() && row[c].isText() != text)
                    throw DbError(Code::WriteFailed, path,
                                  QStringLiteral("row %1 of the table %2: the column %3 takes %4")
                                      .arg(r + 1)
                                      .arg(t.name, t.columns[c].name, text ? QStringLiteral("a text") : QStringLiteral("a number")));
            }
        }
    }
}

void execute(sqlite3* db, const char* sql, const QString& path, const QString& doing)
{
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fail(db, rc, path, doing);
}

// Fills a new, empty database file with the tables, in one transaction.
void fill(sqlite3* db, const std::vector<TableData>& tables, const QString& path)
{
    const QString doing = QStringLiteral("writing:");
    execute(db, "BEGIN IMMEDIATE", path, doing);
    for (const TableData& t : tables) {
        QStringList defs, marks;
        for (const ColumnDef& c : t.columns) {
            defs << quoted(c.name) + u' ' + QString::fromLatin1(declaredType(c.type));
            marks << QStringLiteral("?");
        }
        execute(db, (QStringLiteral("CREATE TABLE ") + quoted(t.name) + QStringLiteral(" (") + defs.join(QStringLiteral(", ")) + u')').toUtf8().constData(),
                path, doing);
        Statement insert(db, QStringLiteral("INSERT INTO ") + quoted(t.name) + QStringLiteral(" VALUES (") + marks.join(u',') + u')', path, doing);
        for (const auto& row : t.rows) {
            for (std::size_t c = 0; c < row.size(); ++c) {
                const int i = static_cast<int>(c) + 1;
                const Value& v = row[c];
                int rc = SQLITE_OK;
                if (v.isNull()) {
                    rc = sqlite3_bind_null(insert.get(), i);
                } else if (v.isText()) {
                    const QByteArray text = v.toText().toUtf8();
                    rc = sqlite3_bind_text(insert.get(), i, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
                } else if (t.columns[c].type == ColumnType::Long) {
                    rc = sqlite3_bind_int64(insert.get(), i, static_cast<sqlite3_int64>(v.toDouble()));
                } else if (t.columns[c].type == ColumnType::Single) {
                    rc = sqlite3_bind_double(insert.get(), i, shortestSingle(v.toDouble()));
                } else {
                    rc = sqlite3_bind_double(insert.get(), i, v.toDouble());
                }
                if (rc != SQLITE_OK)
                    fail(db, rc, path, doing);
            }
            const int rc = sqlite3_step(insert.get());
            if (rc != SQLITE_DONE)
                fail(db, rc, path, doing);
            sqlite3_reset(insert.get());
        }
    }
    execute(db, "COMMIT", path, doing);
}

} // namespace

namespace detail {

// What the header tells of a whole file: its page size, and (when the header's count is
// current) its number of pages. A file cut short is refused here; SQLite itself would take
// the missing pages for an empty database.
void checkSqliteHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(Code::CannotOpen, path, QStringLiteral("the file can't be read (%1)").arg(file.errorString()));
    const QByteArray h = file.read(100);
    const qint64 size = file.size();
    if (h.size() < 100)
        throw DbError(Code::NotADatabase, path, QStringLiteral("the file is truncated: it ends inside its header"));
    auto be = [&h](int at, int bytes) {
        quint64 v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | static_cast<quint8>(h[at + i]);
        return v;
    };
    qint64 page = static_cast<qint64>(be(16, 2));
    if (page == 1)
        page = 65536;
    if (page < 512 || (page & (page - 1)) != 0)
        throw DbError(Code::NotADatabase, path, QStringLiteral("the file is damaged: its header names no valid page size"));
    const qint64 pages = static_cast<qint64>(be(28, 4));
    const bool countCurrent = be(24, 4) == be(92, 4) && pages > 0;
    if (size % page != 0 || (countCurrent && size < pages * page))
        throw DbError(Code::NotADatabase, path,
                      QStringLiteral("the file is truncated or damaged: its size (%1 bytes) does not hold its %2-byte pages").arg(size).arg(page));
}

std::shared_ptr<Database> openSqlite(const QString& path, bool readOnly)
{
    checkSqliteHeader(path);
    sqlite3* db = nullptr;
    // Where the file system gives no locks (a network disk whose lock manager can't be reached),
    // the file is read without them rather than waited on: the program never writes a store in
    // place, so its reader only meets whole files.
    const char* vfs = files::locksWork(path) ? nullptr : "unix-none";
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   // one thread uses a connection: no locking per call
                                   (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX, vfs);
    if (rc != SQLITE_OK) {
        try {
            fail(db, rc, path, QStringLiteral("opening:"));
        } catch (...) {
            sqlite3_close_v2(db);
            throw;
        }
    }
    sqlite3_busy_timeout(db, 2000);
    // No memory mapping (SQLite's default): a file that another program rewrites in place
    // while it is open must end as a read error, never as a fault.
    auto database = std::make_shared<SqliteDatabase>(path, readOnly, db);
    database->tableNames(); // a file that only begins like a database fails here
    return database;
}

} // namespace detail

void writeDatabase(const QString& path, const std::vector<TableData>& tables)
{
    checkTables(tables, path);
    // A link is followed: the file it names is replaced, and the link stays.
    const files::Destination to = files::destinationOf(path);
    const QString folder = QFileInfo(to.file).absolutePath();
    const auto systemSays = [](int error) { return QString::fromLocal8Bit(std::strerror(error)); };
    const auto codeOf = [](int error) { return files::refusalOf(error) == files::Refusal::NoPermission ? Code::ReadOnly : Code::WriteFailed; };
    switch (to.refusal) {
    case files::Refusal::None:
    case files::Refusal::Failed:
        break;
    case files::Refusal::LinkLoop:
        throw DbError(Code::WriteFailed, path, QStringLiteral("the file's links lead round in a circle"));
    case files::Refusal::IsFolder:
        throw DbError(Code::WriteFailed, path, QStringLiteral("this is a folder, not a database file"));
    case files::Refusal::ReadOnlyFile:
        throw DbError(Code::ReadOnly, path, QStringLiteral("the file is read-only"));
    case files::Refusal::FolderMissing:
        throw DbError(Code::WriteFailed, path, QStringLiteral("the folder %1 does not exist").arg(folder));
    case files::Refusal::NoPermission:
        throw DbError(Code::ReadOnly, path, QStringLiteral("no new file can be written in the folder %1 (%2)").arg(folder, systemSays(to.error)));
    }

    // The new file is held while it is written, so another copy of the program writing the
    // same store never takes it for a leftover.
    files::InProgressFile made;
    if (!made.create(to.file))
        throw DbError(codeOf(made.error()), path, QStringLiteral("no new file can be written in the folder %1 (%2)").arg(folder, systemSays(made.error())));

    // The new file is the program's alone until it takes its name: SQLite takes no locks of its
    // own on it, which would meet the hold on the file, or wait for a lock manager out of reach.
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(made.path()).constData(), &db, SQLITE_OPEN_READWRITE, "unix-none");
    try {
        if (rc != SQLITE_OK)
            fail(db, rc, path, QStringLiteral("creating:"));
        // The new file is thrown away on any failure: it needs no journal of its own on disk.
        execute(db, "PRAGMA journal_mode=MEMORY", path, QStringLiteral("creating:"));
        fill(db, tables, path);
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
        throw;
    }
    if (sqlite3_close(db) != SQLITE_OK) {
        sqlite3_close_v2(db);
        throw DbError(Code::WriteFailed, path, QStringLiteral("the new file could not be closed"));
    }

    // rename() replaces the old file in one step: a reader sees the old file or the new one.
    if (!made.replace(to.file))
        throw DbError(codeOf(made.error()), path, QStringLiteral("the new file could not take the old one's place (%1)").arg(systemSays(made.error())));
}

void writeSingleRowTable(const QString& path, const QString& table, const QStringList& columns, const std::vector<double>& values)
{
    if (static_cast<std::size_t>(columns.size()) != values.size())
        throw DbError(Code::WriteFailed, path,
                      QStringLiteral("%1 values were given for the %2 columns of the table %3").arg(values.size()).arg(columns.size()).arg(table));
    TableData t;
    t.name = table;
    std::vector<Value> row;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        t.columns.push_back({columns[i], ColumnType::Double});
        row.push_back(Value::number(values[static_cast<std::size_t>(i)]));
    }
    t.rows.push_back(std::move(row));
    writeDatabase(path, {t});
}

} // namespace kiv::db
