// Builds an SQLite database from CSV files, one table each:
//     kiv_csv2db <database> <Table>=<file.csv> [<Table>=<file.csv> ...]
// Column types follow the program's tables (Industry Long, balance-sheet columns Single,
// texts Text, other columns Double). Used by the build for the sample editions and the
// delivered saved-figure stores.
#include "platform/db/csv_import.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fputs("usage: kiv_csv2db <database> <Table>=<file.csv> [<Table>=<file.csv> ...]\n", stderr);
        return 2;
    }
    std::vector<kiv::db::CsvTableSource> sources;
    for (const QString& a : args.mid(1)) {
        const qsizetype eq = a.indexOf(u'=');
        if (eq <= 0) {
            std::fprintf(stderr, "kiv_csv2db: not a <Table>=<file.csv> pair: %s\n", qPrintable(a));
            return 2;
        }
        sources.push_back({a.left(eq), a.mid(eq + 1)});
    }
    try {
        kiv::db::importCsvDatabase(args[0], sources);
    } catch (const kiv::db::DbError& e) {
        std::fprintf(stderr, "kiv_csv2db: %s\n", e.what());
        return 1;
    }
    return 0;
}
