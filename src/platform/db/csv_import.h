#pragma once
// Tables from CSV text: the format of the committed sample data and of the fixtures' table
// dumps. UTF-8, RFC 4180 quoting (a field holding a comma, a double quote or a line break is
// put in double quotes, a double quote inside doubled), the first line the column names, an
// empty unquoted field a Null (a quoted empty field is the empty text), numbers as plain
// decimals with a period.
//
// Building an SQLite copy of a fixture or a sample edition:
//     kiv::db::importCsvDatabase(u"copy.mdb"_s, {{u"KIV_DATA"_s, dir + u"/x.KIV_DATA.csv"_s},
//                                                {u"Category"_s, dir + u"/x.Category.csv"_s}});
// or, from the table dumps beside a database (x.mdb with x.KIV_DATA.csv, x.Category.csv):
//     kiv::db::importCsvDumps(u"copy.mdb"_s, fixtureDir + u"/x.mdb"_s);
// Column types come from kiv::db::schema::columnType (Long, Double, Single or Text).
#include "platform/db/database.h"

#include <QByteArray>
#include <functional>

namespace kiv::db {

struct CsvField {
    QString text;
    bool quoted = false;
};
using CsvRecord = std::vector<CsvField>;

// Splits CSV text into records of fields (LF or CRLF line ends; a final line end is
// optional). Throws DbError (Other, naming `file`) for an unterminated quote or text after a
// closing quote.
std::vector<CsvRecord> parseCsv(const QByteArray& utf8, const QString& file = QString());

// One table from a CSV file: the header gives the column names, `typeOf(table, column)` their
// types. A Long, Double or Single field must read whole as a decimal number. Throws DbError
// naming the file, its line and column for a field that doesn't fit, a record whose field
// count differs from the header's, or a file that can't be read.
using ColumnTypeOf = std::function<ColumnType(QStringView table, QStringView column)>;
TableData readCsvTable(const QString& table, const QString& csvPath, const ColumnTypeOf& typeOf = {});

struct CsvTableSource {
    QString table;
    QString csvPath;
};

// Writes a new SQLite database at dbPath (as writeDatabase: whole or not at all) holding one
// table per CSV file; column types from `typeOf`, by default schema::columnType.
void importCsvDatabase(const QString& dbPath, const std::vector<CsvTableSource>& sources, const ColumnTypeOf& typeOf = {});

// The table dumps beside a database file: for "dir/x.mdb" every "dir/x.<Table>.csv", by table
// name (in the order the folder lists them, sorted by name).
std::vector<CsvTableSource> csvDumpsOf(const QString& databasePath);
// An SQLite copy of a database built from its dumps; throws DbError when there is none.
void importCsvDumps(const QString& dbPath, const QString& databasePath);

} // namespace kiv::db
