#include "platform/db/csv_import.h"
#include "platform/db/edition_schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace kiv::db {

std::vector<CsvRecord> parseCsv(const QByteArray& utf8, const QString& file)
{
    const QString text = QString::fromUtf8(utf8);
    std::vector<CsvRecord> records;
    CsvRecord record;
    CsvField field;
    int line = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto endField = [&] {
        record.push_back(std::move(field));
        field = CsvField();
    };
    auto endRecord = [&] {
        endField();
        records.push_back(std::move(record));
        record.clear();
    };
    if (n == 0)
        return records;
    for (;;) {
        // At the start of a field.
        if (i < n && text[i] == u'"') {
            field.quoted = true;
            ++i;
            for (;;) {
                if (i >= n)
                    throw DbError(DbError::Code::Other, file, QStringLiteral("line %1: a quoted field has no closing quote").arg(line));
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        field.text += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == u'\n')
                    ++line;
                field.text += text[i++];
            }
            if (i < n && text[i] != u',' && text[i] != u'\n' && !(text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n'))
                throw DbError(DbError::Code::Other, file, QStringLiteral("line %1: text follows a closing quote").arg(line));
        } else {
            while (i < n && text[i] != u',' && text[i] != u'\n' && !(text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n'))
                field.text += text[i++];
        }
        if (i >= n) {
            endRecord();
            break;
        }
        if (text[i] == u',') {
            ++i;
            endField();
            continue;
        }
        i += text[i] == u'\r' ? 2 : 1;
        ++line;
        endRecord();
        if (i >= n)
            break;
    }
    return records;
}

namespace {

bool decimal(const QString& s, double& v)
{
    // Plain decimals only: an optional minus, digits, at most one period.
    if (s.isEmpty())
        return false;
    qsizetype i = s[0] == u'-' ? 1 : 0;
    bool digits = false, period = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= u'0' && s[i] <= u'9')
            digits = true;
        else if (s[i] == u'.' && !period)
            period = true;
        else
            return false;
    }
    bool ok = false;
    v = s.toDouble(&ok); // QString::toDouble reads the C locale's period, whatever the user's locale
    return digits && ok && std::isfinite(v);
}

} // namespace

TableData readCsvTable(const QString& table, const QString& csvPath, const ColumnTypeOf& typeOf)
{
    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(DbError::Code::CannotOpen, csvPath, QStringLiteral("the file can't be read (%1)").arg(file.errorString()));
    const std::vector<CsvRecord> records = parseCsv(file.readAll(), csvPath);
    if (records.empty())
        throw DbError(DbError::Code::Other, csvPath, QStringLiteral("the file has no header line"));
    TableData t;
    t.name = table;
    for (const CsvField& f : records[0])
        t.columns.push_back({f.text, typeOf ? typeOf(table, f.text) : schema::columnType(table, f.text)});
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& rec = records[r];
        if (rec.size() == 1 && rec[0].text.isEmpty() && !rec[0].quoted)
            continue; // a blank line
        if (rec.size() != t.columns.size())
            throw DbError(DbError::Code::Other, csvPath,
                          QStringLiteral("record %1 has %2 fields, the header %3").arg(r).arg(rec.size()).arg(t.columns.size()));
        std::vector<Value> row;
        for (std::size_t c = 0; c < rec.size(); ++c) {
            const CsvField& f = rec[c];
            const ColumnDef& col = t.columns[c];
            if (f.text.isEmpty() && !f.quoted) {
                row.push_back(Value::null());
            } else if (col.type == ColumnType::Text) {
                row.push_back(Value::text(f.text));
            } else {
                double v = 0;
                if (!decimal(f.text, v) || (col.type == ColumnType::Long && (v != std::floor(v) || std::fabs(v) > 2147483647.0)))
                    throw DbError(DbError::Code::Other, csvPath,
                                  QStringLiteral("record %1, column %2: \"%3\" is not a number of the column's type").arg(r).arg(col.name, f.text));
                row.push_back(Value::number(v, col.type == ColumnType::Single));
            }
        }
        t.rows.push_back(std::move(row));
    }
    return t;
}

void importCsvDatabase(const QString& dbPath, const std::vector<CsvTableSource>& sources, const ColumnTypeOf& typeOf)
{
    std::vector<TableData> tables;
    for (const CsvTableSource& s : sources)
        tables.push_back(readCsvTable(s.table, s.csvPath, typeOf));
    writeDatabase(dbPath, tables);
}

std::vector<CsvTableSource> csvDumpsOf(const QString& databasePath)
{
    const QFileInfo db(databasePath);
    const QString base = db.completeBaseName() + u'.';
    std::vector<CsvTableSource> list;
    const QDir dir = db.absoluteDir();
    for (const QString& name : dir.entryList({base + QStringLiteral("*.csv")}, QDir::Files, QDir::Name)) {
        const QString table = name.mid(base.size(), name.size() - base.size() - 4);
        if (!table.isEmpty() && !table.contains(u'.'))
            list.push_back({table, dir.filePath(name)});
    }
    return list;
}

void importCsvDumps(const QString& dbPath, const QString& databasePath)
{
    const auto sources = csvDumpsOf(databasePath);
    if (sources.empty())
        throw DbError(DbError::Code::CannotOpen, databasePath, QStringLiteral("no table dump (CSV file) lies beside this database"));
    importCsvDatabase(dbPath, sources);
}

} // namespace kiv::db
