// The Access engine: Jet 3 and Jet 4 files read through libmdb, read-only.
//
// libmdb trusts the file it reads: a truncated or damaged file can send it past its buffers
// or round a page chain forever. So the parent checks what it can of the file first (the
// header page, the page size against the file size), and every read through libmdb runs in a
// short-lived child process that sends the rows back through a pipe. A child that crashes,
// fails or hangs ends as a DbError in the parent; the program itself never runs libmdb.
//
// The child tells its progress as it reads, row by row, the rows of the list of tables
// included; one that makes no progress for a while is taken for stuck on a damaged file and
// stopped, however long a large file (or a slow disc) takes to read whole. While the parent waits, the program's windows keep repainting and the busy pointer
// shows.
#include "platform/db/database.h"
#include "platform/db/engines.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iconv.h>
#include <poll.h>
#include <sys/prctl.h>
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
// How long a read may go without progress before the child is taken for stuck on a damaged
// file; the child tells its progress at most this often.
constexpr int kStallLimitMs = 10000;
constexpr int kProgressEveryMs = 100;
// A read that lasts longer than this shows the busy pointer and lets the windows repaint, every
// slice of the wait.
constexpr int kQuietMs = 100;
constexpr int kSliceMs = 30;
// On the pipe, before the reply: a progress byte each time the child has moved on, then the
// reply byte, after which the reply runs to the end of the pipe.
constexpr char kProgressByte = 'p';
constexpr char kReplyByte = 'r';
// Access allows at most 255 columns in a table.
constexpr unsigned kMaxColumns = 255;

enum class Reply : qint8 { Error = 1, Tables = 2, Rows = 3 };
enum class Tag : quint8 { Null = 0, Number = 1, Single = 2, Text = 3 };

// ---- Settings of the reader (tests change them) ----

std::function<void(detail::ReadingStage)>& readerStep()
{
    static std::function<void(detail::ReadingStage)> step;
    return step;
}

int& stallLimitOverride()
{
    static int ms = 0;
    return ms;
}

std::function<void(bool)>& busyPointer()
{
    static std::function<void(bool)> show;
    return show;
}

// ---- In the child: libmdb ----

struct ChildError {
    Code code;
    QString detail;
};

qint64 monotonicMs()
{
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<qint64>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// The child's end of the pipe, and when it last told the parent it moves on.
int progressPipe = -1;
qint64 lastProgress = 0;

// Called each time the reading moves on: at the start, then at every row read, of the list of
// tables as of a table.
void moveOn(detail::ReadingStage stage)
{
    if (readerStep())
        readerStep()(stage);
    const qint64 now = monotonicMs();
    if (progressPipe < 0 || now - lastProgress < kProgressEveryMs)
        return;
    lastProgress = now;
    while (::write(progressPipe, &kProgressByte, 1) < 0 && errno == EINTR) {
    }
}

QString entryName(const MdbCatalogEntry* entry)
{
    return QString::fromUtf8(entry->object_name, static_cast<qsizetype>(strnlen(entry->object_name, sizeof entry->object_name)));
}

// Frees a table definition on every way out.
struct FreeDef {
    MdbTableDef* d;
    ~FreeDef() { mdb_free_tabledef(d); }
};

// Reads the list of tables into mdb->catalog, as mdb_read_catalog(mdb, MDB_TABLE) does, but
// row by row as progress: the list is itself a table (MSysObjects, at page 2), which on a slow
// disc takes as long to read as any other. Its rows are counted against the count its definition
// keeps: a list that lost rows would hide tables, and a page chain that runs in a circle gives
// rows without end (the count stops one past the kept one).
void readTableList(MdbHandle* mdb)
{
    if (mdb->catalog)
        mdb_free_catalog(mdb);
    mdb->catalog = g_ptr_array_new();
    mdb->num_catalog = 0;

    MdbCatalogEntry list{};
    list.mdb = mdb;
    list.object_type = MDB_TABLE;
    list.table_pg = 2;
    std::snprintf(list.object_name, sizeof list.object_name, "%s", "MSysObjects");
    MdbTableDef* def = mdb_read_table(&list);
    if (!def)
        throw ChildError{Code::NotADatabase, QStringLiteral("the list of tables can't be read: the file is damaged")};
    const FreeDef freeDef{def};
    if (!mdb_read_columns(def) || def->num_cols == 0 || def->num_cols > kMaxColumns)
        throw ChildError{Code::NotADatabase, QStringLiteral("the list of tables can't be read: the file is damaged")};

    std::vector<char> id(mdb->bind_size + 1, '\0'), name(mdb->bind_size + 1, '\0'), type(mdb->bind_size + 1, '\0'),
        flags(mdb->bind_size + 1, '\0'), props(mdb->bind_size + 1, '\0');
    int propsLength = 0;
    const int propsColumn = mdb_bind_column_by_name(def, const_cast<gchar*>("LvProp"), props.data(), &propsLength);
    if (mdb_bind_column_by_name(def, const_cast<gchar*>("Id"), id.data(), nullptr) == -1
        || mdb_bind_column_by_name(def, const_cast<gchar*>("Name"), name.data(), nullptr) == -1
        || mdb_bind_column_by_name(def, const_cast<gchar*>("Type"), type.data(), nullptr) == -1
        || mdb_bind_column_by_name(def, const_cast<gchar*>("Flags"), flags.data(), nullptr) == -1 || propsColumn == -1)
        throw ChildError{Code::NotADatabase, QStringLiteral("the list of tables can't be read: the file is damaged")};
    auto* propsCol = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, static_cast<guint>(propsColumn - 1)));

    quint32 rows = 0;
    mdb_rewind_table(def);
    while (rows <= def->num_rows && mdb_fetch_row(def)) {
        ++rows;
        moveOn(detail::ReadingStage::TableList);
        const long kind = std::strtol(type.data(), nullptr, 10);
        if (kind != MDB_TABLE)
            continue;
        auto* entry = static_cast<MdbCatalogEntry*>(g_malloc0(sizeof(MdbCatalogEntry)));
        entry->mdb = mdb;
        std::snprintf(entry->object_name, sizeof entry->object_name, "%s", name.data());
        entry->object_type = static_cast<int>(kind & 0x7F);
        entry->table_pg = static_cast<unsigned long>(std::strtol(id.data(), nullptr, 10)) & 0x00FFFFFFUL;
        entry->flags = static_cast<int>(std::strtol(flags.data(), nullptr, 10));
        ++mdb->num_catalog;
        g_ptr_array_add(mdb->catalog, entry);
        if (propsLength > 0) {
            std::size_t length = 0;
            if (void* kkd = mdb_ole_read_full(mdb, propsCol, &length)) {
                entry->props = mdb_kkd_to_props(mdb, kkd, length);
                std::free(kkd);
            }
        }
    }
    if (rows != def->num_rows)
        throw ChildError{Code::NotADatabase, QStringLiteral("the list of tables is incomplete: the file is damaged")};
}

class MdbFileHandle {
public:
    explicit MdbFileHandle(const QString& path)
        : mdb_(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS))
    {
        if (!mdb_)
            throw ChildError{Code::NotADatabase, QStringLiteral("the file is not a readable Access database")};
        mdb_set_bind_size(mdb_, kBindSize);
        mdb_set_boolean_fmt_numbers(mdb_);
        try {
            readTableList(mdb_);
        } catch (...) {
            mdb_close(mdb_);
            throw;
        }
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

void listTables(const QString& path, QDataStream& out)
{
    MdbFileHandle mdb(path);
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
    const FreeDef freeDef{def};
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
        moveOn(detail::ReadingStage::TableRow);
        if (static_cast<quint32>(rowCount) > def->num_rows)
            throw ChildError{Code::NotADatabase, QStringLiteral("the table %1 gives more rows than its %2: the file is damaged").arg(table).arg(def->num_rows)};
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

// The parent's side of a wait: after a quiet moment, the busy pointer for as long as the wait
// lasts, and the windows' paint and timer events every slice (the user's input waits for the
// end of the read, as it would if nothing were processed).
class ReaderWait {
public:
    ReaderWait() { clock_.start(); }
    ~ReaderWait()
    {
        if (busy_ && busyPointer())
            busyPointer()(false);
    }
    ReaderWait(const ReaderWait&) = delete;
    ReaderWait& operator=(const ReaderWait&) = delete;

    void keepAlive()
    {
        if (clock_.elapsed() < kQuietMs)
            return;
        if (!busy_) {
            busy_ = true;
            if (busyPointer())
                busyPointer()(true);
        }
        QCoreApplication* app = QCoreApplication::instance();
        if (app && QThread::currentThread() == app->thread())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QElapsedTimer clock_;
    bool busy_ = false;
};

// A child process, killed and reaped on every way out of the parent's wait.
class Child {
public:
    explicit Child(pid_t pid)
        : pid_(pid)
    {
    }
    ~Child()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            reap();
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    void kill() const { ::kill(pid_, SIGKILL); }
    // Waits for its end; its status.
    int reap()
    {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = 0;
        return status;
    }

private:
    pid_t pid_;
};

// Runs the work in a child process and returns what it wrote; throws DbError when the child
// doesn't end normally or stops making progress.
QByteArray isolated(const QString& path, const std::function<void(QDataStream&)>& work)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw DbError(Code::Other, path, QStringLiteral("the file can't be read: no pipe (%1)").arg(QString::fromLocal8Bit(std::strerror(errno))));
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        const int err = errno;
        ::close(fds[0]);
        ::close(fds[1]);
        throw DbError(Code::Other, path, QStringLiteral("the file can't be read: no process (%1)").arg(QString::fromLocal8Bit(std::strerror(err))));
    }
    if (pid == 0) {
        // The child: a fault ends it quietly; its end is the parent's to judge. It ends with
        // the parent too, stuck or not.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(4);
        for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
            std::signal(sig, SIG_DFL);
        std::signal(SIGPIPE, SIG_IGN);
        ::close(fds[0]);
        // libmdb tells of every damaged page on the standard error; the parent's DbError says it once.
        if (const int null = ::open("/dev/null", O_WRONLY); null >= 0)
            ::dup2(null, STDERR_FILENO);
        progressPipe = fds[1];
        lastProgress = 0;
        moveOn(detail::ReadingStage::Start);
        QByteArray data(1, kReplyByte);
        {
            QDataStream out(&data, QIODevice::WriteOnly | QIODevice::Append);
            try {
                work(out);
            } catch (const ChildError& e) {
                data.truncate(1);
                QDataStream err(&data, QIODevice::WriteOnly | QIODevice::Append);
                err << static_cast<qint8>(Reply::Error) << static_cast<qint32>(e.code) << e.detail;
            } catch (...) {
                ::_exit(3);
            }
        }
        ::_exit(writeAll(fds[1], data) ? 0 : 2);
    }
    ::close(fds[1]);
    Child child(pid);
    ReaderWait wait;
    const int stallLimit = stallLimitOverride() > 0 ? stallLimitOverride() : kStallLimitMs;
    QByteArray data;
    bool replied = false;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    bool stalled = false;
    char buffer[65536];
    for (;;) {
        const qint64 left = stallLimit - sinceProgress.elapsed();
        if (left <= 0) {
            stalled = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(std::min<qint64>(left, kSliceMs)));
        if (r < 0 && errno != EINTR)
            break;
        if (r > 0) {
            const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
            if (n < 0 && errno != EINTR)
                break;
            if (n == 0)
                break;
            if (n > 0) {
                sinceProgress.restart();
                qsizetype at = 0;
                while (!replied && at < n) {
                    replied = buffer[at] == kReplyByte;
                    ++at;
                }
                if (replied)
                    data.append(buffer + at, n - at);
            }
        }
        wait.keepAlive();
    }
    ::close(fds[0]);
    if (stalled)
        child.kill();
    const int status = child.reap();
    if (stalled)
        throw DbError(Code::NotADatabase, path, QStringLiteral("reading the file made no progress for %1 s: the file is damaged").arg(stallLimit / 1000.0));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !replied)
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

void setReaderStep(std::function<void(ReadingStage)> step)
{
    readerStep() = std::move(step);
}

void setReaderStallLimit(int milliseconds)
{
    stallLimitOverride() = milliseconds;
}

} // namespace detail

void setBusyPointer(std::function<void(bool)> show)
{
    busyPointer() = std::move(show);
}

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
