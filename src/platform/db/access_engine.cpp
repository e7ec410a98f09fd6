// The Access engine: Jet 3 and Jet 4 files read through libmdb, read-only.
//
// libmdb trusts the file it reads: a truncated or damaged file can send it past its buffers
// or round a page chain forever. So the parent checks what it can of the file first (the
// header page, the page size against the file size), and every read through libmdb runs in a
// short-lived child process that sends the rows back through a pipe. A child that crashes,
// fails or hangs ends as a DbError in the parent; the program itself never runs libmdb.
#include "platform/db/database.h"
#include "platform/db/engines.h"

#include <QBuffer>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <poll.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// glib first: mdbtools.h uses its types without including it for C++.
#include <glib.h>
#include <mdbtools.h>

namespace kiv::db {

namespace {

using Code = DbError::Code;

// Texts and memos are converted into buffers of this size; the default (16,384 bytes) cuts
// long memos short. An Access memo typed by a user holds at most 65,535 characters, which
// take at most three UTF-8 bytes each.
constexpr std::size_t kBindSize = 3 * 65536 + 64;
// How long one read may take before the child is taken for stuck on a damaged file.
constexpr int kChildTimeoutMs = 30000;
// Access allows at most 255 columns in a table.
constexpr unsigned kMaxColumns = 255;

enum class Reply : qint8 { Error = 1, Tables = 2, Rows = 3 };
enum class Tag : quint8 { Null = 0, Number = 1, Single = 2, Text = 3 };

// ---- In the child: libmdb ----

struct ChildError {
    Code code;
    QString detail;
};

class MdbFileHandle {
public:
    explicit MdbFileHandle(const QString& path)
        : mdb_(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS))
    {
        if (!mdb_)
            throw ChildError{Code::NotADatabase, QStringLiteral("the file is not a readable Access database")};
        mdb_set_bind_size(mdb_, kBindSize);
        mdb_set_boolean_fmt_numbers(mdb_);
        if (!mdb_read_catalog(mdb_, MDB_TABLE))
            throw ChildError{Code::NotADatabase, QStringLiteral("the list of tables can't be read: the file is damaged")};
    }
    ~MdbFileHandle() { mdb_close(mdb_); }
    MdbFileHandle(const MdbFileHandle&) = delete;
    MdbFileHandle& operator=(const MdbFileHandle&) = delete;
    MdbHandle* get() const { return mdb_; }

    // The user tables of the catalog.
    std::vector<MdbCatalogEntry*> tables() const
    {
        std::vector<MdbCatalogEntry*> list;
        if (!mdb_->catalog)
            return list;
        for (guint i = 0; i < mdb_->catalog->len; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb_->catalog, i));
            if (entry && entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
                list.push_back(entry);
        }
        return list;
    }

private:
    MdbHandle* mdb_;
};

QString entryName(const MdbCatalogEntry* entry)
{
    return QString::fromUtf8(entry->object_name, static_cast<qsizetype>(strnlen(entry->object_name, sizeof entry->object_name)));
}

// Counts a table's rows without reading their values; false when the count differs from the
// one its definition keeps.
bool wholeTable(MdbCatalogEntry* entry)
{
    MdbTableDef* def = mdb_read_table(entry);
    if (!def)
        return false;
    bool whole = false;
    if (mdb_read_columns(def) && def->num_cols > 0 && def->num_cols <= kMaxColumns) {
        quint32 rows = 0;
        mdb_rewind_table(def);
        while (mdb_fetch_row(def))
            ++rows;
        whole = rows == def->num_rows;
    }
    mdb_free_tabledef(def);
    return whole;
}

void listTables(const QString& path, QDataStream& out)
{
    MdbFileHandle mdb(path);
    // The catalog is itself a table: a catalog that lost rows would hide tables.
    for (guint i = 0; mdb.get()->catalog && i < mdb.get()->catalog->len; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb.get()->catalog, i));
        if (entry && entry->object_type == MDB_TABLE && sameText(entryName(entry), u"MSysObjects") && !wholeTable(entry))
            throw ChildError{Code::NotADatabase, QStringLiteral("the list of tables is incomplete: the file is damaged")};
    }
    QStringList names;
    for (MdbCatalogEntry* e : mdb.tables())
        names << entryName(e);
    out << static_cast<qint8>(Reply::Tables) << names;
}

template <typename T>
bool rawAt(const MdbHandle* mdb, const MdbColumn* col, T& v)
{
    const long start = col->cur_value_start;
    if (col->cur_value_len < static_cast<int>(sizeof(T)) || start < 0 || start + static_cast<long>(sizeof(T)) > static_cast<long>(mdb->fmt->pg_size))
        return false;
    std::memcpy(&v, mdb->pg_buf + start, sizeof(T)); // Access stores little-endian, as this machine
    return true;
}

void readTable(const QString& path, const QString& wanted, QDataStream& out)
{
    MdbFileHandle file(path);
    MdbHandle* mdb = file.get();
    MdbCatalogEntry* entry = nullptr;
    for (MdbCatalogEntry* e : file.tables())
        if (sameText(entryName(e), wanted))
            entry = e;
    if (!entry)
        throw ChildError{Code::NoSuchTable, QStringLiteral("the database has no table %1").arg(wanted)};
    const QString table = entryName(entry);

    MdbTableDef* def = mdb_read_table(entry);
    if (!def)
        throw ChildError{Code::NotADatabase, QStringLiteral("the table %1 can't be read: the file is damaged").arg(table)};
    struct FreeDef {
        MdbTableDef* d;
        ~FreeDef() { mdb_free_tabledef(d); }
    } freeDef{def};
    if (!mdb_read_columns(def) || def->num_cols == 0 || def->num_cols > kMaxColumns || !def->columns
        || def->columns->len != def->num_cols)
        throw ChildError{Code::NotADatabase, QStringLiteral("the columns of the table %1 can't be read: the file is damaged").arg(table)};

    const unsigned n = def->num_cols;
    QStringList columns;
    std::vector<MdbColumn*> cols(n);
    std::vector<std::vector<char>> bound(n);
    std::vector<int> lengths(n, 0);
    for (unsigned i = 0; i < n; ++i) {
        cols[i] = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
        columns << QString::fromUtf8(cols[i]->name, static_cast<qsizetype>(strnlen(cols[i]->name, sizeof cols[i]->name)));
        switch (cols[i]->col_type) {
        case MDB_TEXT:
        case MDB_MEMO:
        case MDB_BOOL:
        case MDB_NUMERIC:
            bound[i].assign(kBindSize + 1, '\0');
            mdb_bind_column(def, static_cast<int>(i) + 1, bound[i].data(), &lengths[i]);
            break;
        default:
            break;
        }
    }

    std::vector<MdbField> fields(n);
    QByteArray rowsData;
    QDataStream rows(&rowsData, QIODevice::WriteOnly);
    qint32 rowCount = 0;
    mdb_rewind_table(def);
    while (mdb_fetch_row(def)) {
        ++rowCount;
        bool cracked = false, crackedOk = false;
        // Null and a zero-length text both bind as an empty text: the row's null mask tells.
        auto isNull = [&](unsigned i) {
            if (!cracked) {
                cracked = true;
                int start = 0;
                size_t len = 0;
                if (def->cur_row > 0 && mdb_find_row(mdb, static_cast<int>(def->cur_row) - 1, &start, &len) == 0)
                    crackedOk = mdb_crack_row(def, start & 0x1fff, len, fields.data()) >= static_cast<int>(n);
            }
            return !crackedOk || fields[i].is_null;
        };
        for (unsigned i = 0; i < n; ++i) {
            const MdbColumn* col = cols[i];
            switch (col->col_type) {
            case MDB_TEXT:
            case MDB_MEMO:
                if (lengths[i] > 0 || !isNull(i))
                    rows << static_cast<quint8>(Tag::Text) << QString::fromUtf8(bound[i].data(), lengths[i]);
                else
                    rows << static_cast<quint8>(Tag::Null);
                break;
            case MDB_BOOL:
                rows << static_cast<quint8>(Tag::Number) << (bound[i][0] == '1' ? -1.0 : 0.0);
                break;
            case MDB_NUMERIC:
                if (lengths[i] > 0)
                    rows << static_cast<quint8>(Tag::Number) << QByteArray(bound[i].data(), lengths[i]).toDouble();
                else
                    rows << static_cast<quint8>(Tag::Null);
                break;
            case MDB_BYTE: {
                quint8 v;
                if (rawAt(mdb, col, v))
                    rows << static_cast<quint8>(Tag::Number) << static_cast<double>(v);
                else
                    rows << static_cast<quint8>(Tag::Null);
                break;
            }
            case MDB_INT: {
                qint16 v;
                if (rawAt(mdb, col, v))
                    rows << static_cast<quint8>(Tag::Number) << static_cast<double>(v);
                else
                    rows << static_cast<quint8>(Tag::Null);
                break;
            }
            case MDB_LONGINT: {
                qint32 v;
                if (rawAt(mdb, col, v))
                    rows << static_cast<quint8>(Tag::Number) << static_cast<double>(v);
                else
                    rows << static_cast<quint8>(Tag::Null);
                break;
            }
            case MDB_MONEY: {
                qint64 v;
                if (rawAt(mdb, col, v))
                    rows << static_cast<quint8>(Tag::Number) << static_cast<double>(v) / 10000.0;
                else
                    rows << static_cast<quint8>(Tag::Null);
                break;
            }
            case MDB_FLOAT: {
                float v;
                if (rawAt(mdb, col, v))
                    rows << static_cast<quint8>(Tag::Single) << v;
                else
                    rows << static_cast<quint8>(Tag::Null);
                break;
            }
            case MDB_DOUBLE:
            case MDB_DATETIME: {
                double v;
                if (rawAt(mdb, col, v))
                    rows << static_cast<quint8>(Tag::Number) << v;
                else
                    rows << static_cast<quint8>(Tag::Null);
                break;
            }
            default: // binary, OLE objects, replication ids: nothing the program reads
                rows << static_cast<quint8>(Tag::Null);
                break;
            }
        }
    }
    // Jet keeps each table's row count in its definition: fewer rows means pages that could
    // not be read (a file cut short at a page boundary, a damaged page).
    if (static_cast<quint32>(rowCount) != def->num_rows)
        throw ChildError{Code::NotADatabase, QStringLiteral("the table %1 is incomplete (%2 of its %3 rows can be read): the file is damaged")
                                                 .arg(table)
                                                 .arg(rowCount)
                                                 .arg(def->num_rows)};
    out << static_cast<qint8>(Reply::Rows) << table << columns << rowCount;
    out.writeRawData(rowsData.constData(), static_cast<int>(rowsData.size()));
}

bool writeAll(int fd, const QByteArray& data)
{
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

// ---- In the parent ----

// Runs the work in a child process and returns what it wrote; throws DbError when the child
// doesn't end normally in time.
QByteArray isolated(const QString& path, const std::function<void(QDataStream&)>& work)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw DbError(Code::Other, path, QStringLiteral("the file can't be read: no pipe (%1)").arg(QString::fromLocal8Bit(std::strerror(errno))));
    const pid_t pid = ::fork();
    if (pid < 0) {
        const int err = errno;
        ::close(fds[0]);
        ::close(fds[1]);
        throw DbError(Code::Other, path, QStringLiteral("the file can't be read: no process (%1)").arg(QString::fromLocal8Bit(std::strerror(err))));
    }
    if (pid == 0) {
        // The child: a fault ends it quietly; its end is the parent's to judge.
        for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
            std::signal(sig, SIG_DFL);
        std::signal(SIGPIPE, SIG_IGN);
        ::close(fds[0]);
        // libmdb tells of every damaged page on the standard error; the parent's DbError says it once.
        if (const int null = ::open("/dev/null", O_WRONLY); null >= 0)
            ::dup2(null, STDERR_FILENO);
        QByteArray data;
        {
            QDataStream out(&data, QIODevice::WriteOnly);
            try {
                work(out);
            } catch (const ChildError& e) {
                data.clear();
                QDataStream err(&data, QIODevice::WriteOnly);
                err << static_cast<qint8>(Reply::Error) << static_cast<qint32>(e.code) << e.detail;
            } catch (...) {
                ::_exit(3);
            }
        }
        ::_exit(writeAll(fds[1], data) ? 0 : 2);
    }
    ::close(fds[1]);
    QByteArray data;
    QElapsedTimer clock;
    clock.start();
    bool timedOut = false;
    char buffer[65536];
    for (;;) {
        const qint64 left = kChildTimeoutMs - clock.elapsed();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(left));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            timedOut = r == 0;
            if (!timedOut)
                break;
            continue;
        }
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        data.append(buffer, n);
    }
    ::close(fds[0]);
    if (timedOut)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut)
        throw DbError(Code::NotADatabase, path, QStringLiteral("reading the file did not finish: the file is damaged"));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw DbError(Code::NotADatabase, path, QStringLiteral("the file can't be read: it is damaged or not a complete Access database"));
    return data;
}

// Reads the reply's header; throws the child's error.
void checkReply(QDataStream& in, Reply expected, const QString& path)
{
    qint8 kind = 0;
    in >> kind;
    if (static_cast<Reply>(kind) == Reply::Error) {
        qint32 code = 0;
        QString detail;
        in >> code >> detail;
        throw DbError(static_cast<Code>(code), path, detail);
    }
    if (static_cast<Reply>(kind) != expected || in.status() != QDataStream::Ok)
        throw DbError(Code::Other, path, QStringLiteral("the file can't be read: the reader gave no answer"));
}

class AccessDatabase final : public Database {
public:
    AccessDatabase(QString path, QStringList tables)
        : path_(std::move(path))
        , tables_(std::move(tables))
    {
    }

    Engine engine() const override { return Engine::Access; }
    QString path() const override { return path_; }
    bool readOnly() const override { return true; }
    QStringList tableNames() const override { return tables_; }

    std::shared_ptr<Snapshot> openSnapshot(const QString& table) override
    {
        if (!hasTable(table))
            throw DbError(Code::NoSuchTable, path_, QStringLiteral("the database has no table %1").arg(table));
        const QString path = path_;
        const QByteArray data = isolated(path_, [path, table](QDataStream& out) { readTable(path, table, out); });
        QDataStream in(data);
        checkReply(in, Reply::Rows, path_);
        QString name;
        QStringList columns;
        qint32 count = 0;
        in >> name >> columns >> count;
        std::vector<std::vector<Value>> rows;
        rows.reserve(static_cast<std::size_t>(std::max(0, count)));
        for (qint32 r = 0; r < count && in.status() == QDataStream::Ok; ++r) {
            std::vector<Value> row;
            row.reserve(static_cast<std::size_t>(columns.size()));
            for (qsizetype c = 0; c < columns.size(); ++c) {
                quint8 tag = 0;
                in >> tag;
                switch (static_cast<Tag>(tag)) {
                case Tag::Number: {
                    double v = 0;
                    in >> v;
                    row.push_back(Value::number(v));
                    break;
                }
                case Tag::Single: {
                    float v = 0;
                    in >> v;
                    row.push_back(Value::number(v, true));
                    break;
                }
                case Tag::Text: {
                    QString s;
                    in >> s;
                    row.push_back(Value::text(s));
                    break;
                }
                default:
                    row.push_back(Value::null());
                    break;
                }
            }
            rows.push_back(std::move(row));
        }
        if (in.status() != QDataStream::Ok)
            throw DbError(Code::Other, path_, QStringLiteral("the table %1 was not read whole").arg(name));
        return std::make_shared<Snapshot>(name, columns, std::move(rows), path_);
    }

private:
    QString path_;
    QStringList tables_;
};

// What can be told of the file before libmdb sees it: its version and page size, and a
// size that is a whole number of pages, at least the header, one page and the catalog.
void checkHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(Code::CannotOpen, path, QStringLiteral("the file can't be read (%1)").arg(file.errorString()));
    const QByteArray head = file.read(0x18);
    const qint64 size = file.size();
    if (head.size() < 0x18)
        throw DbError(Code::NotADatabase, path, QStringLiteral("the file is truncated: it ends inside its header"));
    quint32 version = 0;
    std::memcpy(&version, head.constData() + 0x14, 4);
    qint64 pageSize = 0;
    if (version == MDB_VER_JET3)
        pageSize = 2048;
    else if (version >= MDB_VER_JET4 && version <= MDB_VER_ACCDB_2019)
        pageSize = 4096;
    else
        throw DbError(Code::NotADatabase, path, QStringLiteral("the file is an Access database of an unknown version (%1)").arg(version));
    if (size % pageSize != 0 || size < 3 * pageSize)
        throw DbError(Code::NotADatabase, path,
                      QStringLiteral("the file is truncated or damaged: its size (%1 bytes) is not a whole number of %2-byte pages").arg(size).arg(pageSize));
}

} // namespace

namespace detail {

std::shared_ptr<Database> openAccess(const QString& path, bool readOnly)
{
    if (!readOnly)
        throw DbError(Code::ReadOnly, path, QStringLiteral("Access databases are read-only here: the file can't be opened for writing"));
    checkHeader(path);
    // Loaded once here, the character-set converters are there already in every child.
    if (iconv_t cd = iconv_open("UTF-8", "UCS-2LE"); cd != reinterpret_cast<iconv_t>(-1))
        iconv_close(cd);
    const QByteArray data = isolated(path, [path](QDataStream& out) { listTables(path, out); });
    QDataStream in(data);
    checkReply(in, Reply::Tables, path);
    QStringList tables;
    in >> tables;
    return std::make_shared<AccessDatabase>(path, tables);
}

} // namespace detail

} // namespace kiv::db
