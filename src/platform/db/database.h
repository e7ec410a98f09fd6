#pragma once
// The database layer: edition databases and the program's own stores.
//
// Two engines behind one interface, chosen by the file's content (its first bytes), never by
// its name: SQLite (the sample editions and the saved-figure stores; read, and written whole
// by writeDatabase below) and Access/Jet 3 and 4 through libmdb (read-only; the edition files
// of the data disc and stores carried over from an older installation). Queries are scans: a
// table is read whole into a snapshot, and callers filter rows in C++ with the comparisons
// below. No query text is ever built from a value.
//
// Every failure is a DbError naming the file: a missing or unreadable file, one that is
// neither kind of database, a truncated or damaged one, a missing table or column. An Access
// file is read in a short-lived child process, so a damaged file that would derail libmdb
// ends that process only, and the caller gets a DbError.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace kiv::db {

// One stored value: Null, a number or a text.
class Value {
public:
    enum class Type { Null, Number, Text };

    Value() = default;
    static Value null() { return Value(); }
    // single: the column stores single precision: the number is rounded to the nearest
    // single-precision value and its text form has 7 significant digits.
    static Value number(double v, bool single = false);
    static Value text(const QString& s);

    Type type() const { return type_; }
    bool isNull() const { return type_ == Type::Null; }
    bool isNumber() const { return type_ == Type::Number; }
    bool isText() const { return type_ == Type::Text; }
    bool isSingle() const { return single_; }

    // The number; 0 for Null; a text is read by the leading-number parse.
    double toDouble() const;
    // The one value-to-text conversion: Null gives the empty text, a text itself, a number its
    // shortest general form with a period (up to 15 significant digits, 7 for a single-precision
    // column): 2.8 -> "2.8", 1e+20 -> "1E+20", -3.15f -> "-3.15".
    QString toText() const;
    // The number in the form "###0.00", rounded from the precision it is stored in (seven
    // significant digits for a single-precision column, fifteen otherwise): a single 2.675
    // gives 2.68. A text is read by the leading-number parse; Null gives 0.00.
    QString ratioText() const;
    // The text of a Text value, without a copy; empty for Null and numbers.
    QStringView textView() const { return type_ == Type::Text ? QStringView(text_) : QStringView(); }

    bool operator==(const Value& o) const;

private:
    Type type_ = Type::Null;
    bool single_ = false;
    double number_ = 0;
    QString text_;
};

// A database failure: what happened, in words, and the file it concerns.
class DbError : public std::runtime_error {
public:
    enum class Code { CannotOpen, NotADatabase, NoSuchTable, NoSuchColumn, NoCurrentRow, ReadOnly, WriteFailed, Other };
    DbError(Code code, const QString& file, const QString& detail);
    Code code() const { return code_; }
    const QString& file() const { return file_; }
    const QString& detail() const { return detail_; }

private:
    Code code_;
    QString file_;
    QString detail_;
};

// Case-blind comparison of names and texts, as the Access engine compares: letters of any
// alphabet fold to one case; accented and plain letters stay distinct.
bool sameText(QStringView a, QStringView b);

// A static, read-only copy of a table's rows in stored order, with a current row.
class Snapshot {
public:
    // file: the database the rows come from, named by the errors of Field and value.
    Snapshot(QString table, QStringList columns, std::vector<std::vector<Value>> rows, QString file = QString());

    const QString& table() const { return table_; }
    const QString& file() const { return file_; }
    const QStringList& columnNames() const { return columns_; }
    int columnIndex(QStringView name) const; // case-blind; -1 when absent
    bool hasColumn(QStringView name) const { return columnIndex(name) >= 0; }
    int rowCount() const { return static_cast<int>(rows_.size()); }

    // Current row: 0 .. rowCount()-1; EOF when past the last row (or the table is empty).
    bool EOF_() const { return pos_ >= rowCount(); }
    void MoveFirst() { pos_ = 0; }
    void MoveNext()
    {
        if (pos_ < rowCount())
            ++pos_;
    }
    int position() const { return pos_; }
    void setPosition(int row) { pos_ = row; }

    // Makes the first row that satisfies the test current; when none does, the current row
    // stays and NoMatch() is true.
    bool FindFirst(const std::function<bool(const Snapshot&, int row)>& test);
    bool NoMatch() const { return noMatch_; }

    // A column of the current row by its name (case-blind). Throws DbError for a missing
    // column or when there is no current row.
    Value Field(QStringView name) const;
    // A column of any row (row and column in range).
    const Value& value(int row, int column) const { return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]; }
    // A column of any row by its name; throws DbError for a missing column or a row out of range.
    Value value(int row, QStringView name) const;

    // A new snapshot of the rows that satisfy the test, in the same order, positioned first.
    std::shared_ptr<Snapshot> where(const std::function<bool(const Snapshot&, int row)>& test) const;

private:
    QString table_;
    QStringList columns_;
    std::vector<std::vector<Value>> rows_;
    QString file_;
    int pos_ = 0;
    bool noMatch_ = false;
};

// One open database file.
class Database {
public:
    enum class Engine { SQLite, Access };
    virtual ~Database() = default;

    // Opens the file with the engine its content calls for. Throws DbError: CannotOpen when
    // the file is missing or can't be read, NotADatabase when it is neither kind of database
    // or is truncated or damaged, ReadOnly when an Access file is opened with readOnly false
    // (Access files are never written).
    static std::shared_ptr<Database> open(const QString& path, bool readOnly);

    virtual Engine engine() const = 0;
    virtual QString path() const = 0;
    virtual bool readOnly() const = 0;
    virtual QStringList tableNames() const = 0;
    bool hasTable(QStringView name) const;
    // Reads a whole table into a snapshot (table name case-blind). Throws DbError.
    virtual std::shared_ptr<Snapshot> openSnapshot(const QString& table) = 0;
};

// ---- Writing: the program's own stores and the sample editions (SQLite only) ----

// How a column is stored. In an SQLite file the declared types are INTEGER, REAL, SINGLE
// and TEXT; a column declared SINGLE (or FLOAT4) reads back as single precision.
enum class ColumnType { Long, Double, Single, Text };

struct ColumnDef {
    QString name;
    ColumnType type = ColumnType::Double;
};

// One table to write: its columns and its rows in stored order (each row one value per
// column: Null, a number, or a text for a Text column).
struct TableData {
    QString name;
    std::vector<ColumnDef> columns;
    std::vector<std::vector<Value>> rows;
};

// Writes a new SQLite database file at `path` holding exactly these tables, in one
// transaction, with every value bound (never spliced into SQL text). The file is written
// beside `path` and renamed over it once complete, so whatever `path` held before (an SQLite
// or Access file, or nothing) stays whole when anything fails, and a reader never sees a
// half-written file. Throws DbError: ReadOnly when `path` exists and is read-only or its
// folder can't be written to, WriteFailed for any other failure (no space left, a row that
// doesn't fit its table, ...).
void writeDatabase(const QString& path, const std::vector<TableData>& tables);

// The saved-figure stores: a database holding one table `table` whose columns (REAL, in the
// given order) hold one row of `values`. Same guarantees and errors as writeDatabase; a
// column count that differs from the value count is WriteFailed, touching nothing.
// Example: writeSingleRowTable(folder + u"/kiv_MyValue_v12.mdb", u"MyValue_v12"_s,
//                              myValueV12Columns(), values);
void writeSingleRowTable(const QString& path, const QString& table, const QStringList& columns,
                         const std::vector<double>& values);

} // namespace kiv::db
