// Writing the program's own stores: whole new files that replace the old one in one step,
// every value bound, nothing lost when a write fails.
#include "platform/db/database.h"
#include "platform/db/edition_schema.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace kiv::db;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::vector<double> sampleFigures(double base)
{
    std::vector<double> v;
    for (int i = 0; i < 33; ++i)
        v.push_back(base + i);
    return v;
}

} // namespace

class TestDbWrite : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void replacesAnyOldStore_data();
    void replacesAnyOldStore();
    void failureLeavesOldStore_data();
    void failureLeavesOldStore();
    void tablesWithTextsAndSingles();
};

void TestDbWrite::roundTrip_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << u"0"_qs;
    QTest::newRow("negative") << -925418.0 << u"-925418"_qs;
    QTest::newRow("four decimals") << 512347.6825 << u"512347.6825"_qs;
    QTest::newRow("2^24 + 1 stays double") << 16777217.0 << u"16777217"_qs;
    QTest::newRow("exponent total") << 1.23456789012345e+20 << u"1.23456789012345E+20"_qs;
    QTest::newRow("small") << 0.0001 << u"0.0001"_qs;
}

void TestDbWrite::roundTrip()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"kiv_MyValue_v12.mdb"_qs);
    std::vector<double> values = sampleFigures(1);
    values[13] = value; // InterestExpense
    writeSingleRowTable(path, u"MyValue_v12"_qs, schema::myValueV12Columns(), values);
    auto db = Database::open(path, false);
    QCOMPARE(db->engine(), Database::Engine::SQLite);
    auto snap = db->openSnapshot(u"myvalue_v12"_qs);
    QCOMPARE(snap->columnNames(), schema::myValueV12Columns());
    QCOMPARE(snap->rowCount(), 1);
    for (int c = 0; c < 33; ++c) {
        QVERIFY(!snap->value(0, c).isSingle());
        QCOMPARE(snap->value(0, c).toDouble(), values[static_cast<std::size_t>(c)]);
    }
    QCOMPARE(snap->Field(u"InterestExpense").toText(), text);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"kiv_MyValue_v12.mdb"_qs}); // nothing left beside it
}

void TestDbWrite::replacesAnyOldStore_data()
{
    QTest::addColumn<QString>("old");
    QTest::newRow("nothing") << QString();
    QTest::newRow("sqlite store") << u"sqlite"_qs;
    QTest::newRow("access store") << u"access"_qs;
}

// Saving twice, or over a store carried over from an Access installation, leaves one
// SQLite file holding one row: the last one.
void TestDbWrite::replacesAnyOldStore()
{
    QFETCH(QString, old);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"kiv_MyValue_v3.mdb"_qs);
    const QStringList columns = schema::myValueV3Columns();
    if (old == u"access"_qs) {
        KIV_REQUIRE_FIXTURES();
        QVERIFY(QFile::copy(kivtest::jetFixture(u"saved-three-year.mdb"_qs), path));
    } else if (old == u"sqlite"_qs) {
        writeSingleRowTable(path, u"MyValue_v3"_qs, columns, std::vector<double>(27, 5.0));
    }
    std::vector<double> values(27);
    for (int i = 0; i < 27; ++i)
        values[static_cast<std::size_t>(i)] = -1.5 * i;
    writeSingleRowTable(path, u"MyValue_v3"_qs, columns, values);
    auto db = Database::open(path, true);
    QCOMPARE(db->engine(), Database::Engine::SQLite);
    QCOMPARE(db->tableNames(), QStringList{u"MyValue_v3"_qs});
    auto snap = db->openSnapshot(u"MyValue_v3"_qs);
    QCOMPARE(snap->rowCount(), 1);
    QCOMPARE(snap->Field(u"PretaxProfitYear2").toDouble(), -1.5 * 16);
    QCOMPARE(snap->Field(u"TaYear3").toText(), u"0"_qs);
}

void TestDbWrite::failureLeavesOldStore_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("code");
    QTest::newRow("value count") << u"count"_qs << static_cast<int>(DbError::Code::WriteFailed);
    QTest::newRow("read-only file") << u"readonly"_qs << static_cast<int>(DbError::Code::ReadOnly);
    QTest::newRow("folder in the way") << u"folder"_qs << static_cast<int>(DbError::Code::WriteFailed);
    QTest::newRow("column twice") << u"duplicate"_qs << static_cast<int>(DbError::Code::Other);
}

void TestDbWrite::failureLeavesOldStore()
{
    QFETCH(QString, failure);
    QFETCH(int, code);
    QTemporaryDir dir;
    QString path = dir.filePath(u"kiv_MyValue_v12.mdb"_qs);
    QStringList columns = schema::myValueV12Columns();
    writeSingleRowTable(path, u"MyValue_v12"_qs, columns, sampleFigures(100));
    std::vector<double> values = sampleFigures(7);
    if (failure == u"count"_qs) {
        values.pop_back();
    } else if (failure == u"readonly"_qs) {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther));
    } else if (failure == u"folder"_qs) {
        path = dir.filePath(u"sub"_qs);
        QVERIFY(QDir().mkpath(path));
    } else if (failure == u"duplicate"_qs) {
        columns[1] = columns[0];
    }
    const QByteArray before = readAll(dir.filePath(u"kiv_MyValue_v12.mdb"_qs));
    try {
        writeSingleRowTable(path, u"MyValue_v12"_qs, columns, values);
        QFAIL("the write succeeded");
    } catch (const DbError& e) {
        QCOMPARE(static_cast<int>(e.code()), code);
        QCOMPARE(e.file(), path);
        QVERIFY(!e.detail().isEmpty());
    }
    QCOMPARE(readAll(dir.filePath(u"kiv_MyValue_v12.mdb"_qs)), before);
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    left.removeAll(u"sub"_qs);
    QCOMPARE(left, QStringList{u"kiv_MyValue_v12.mdb"_qs});
    auto snap = Database::open(dir.filePath(u"kiv_MyValue_v12.mdb"_qs), true)->openSnapshot(u"MyValue_v12"_qs);
    QCOMPARE(snap->Field(u"Cash").toDouble(), 100.0);
}

void TestDbWrite::tablesWithTextsAndSingles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"edition.mdb"_qs);
    TableData t;
    t.name = u"KIV_DATA"_qs;
    t.columns = {{u"Industry"_qs, ColumnType::Long}, {u"SIC"_qs, ColumnType::Text}, {u"DEFINITIONSF"_qs, ColumnType::Text},
                 {u"A38"_qs, ColumnType::Single}};
    // Texts that would break a query built by joining: quotes of both kinds, a number-like code.
    t.rows.push_back({Value::number(302), Value::text(u"0042"_qs), Value::text(u"Youth \"drop-in\"; l'été"_qs), Value::number(-3.15, true)});
    t.rows.push_back({Value::number(101), Value::text(QString()), Value::null(), Value::null()});
    writeDatabase(path, {t});
    auto snap = Database::open(path, true)->openSnapshot(u"KIV_DATA"_qs);
    QCOMPARE(snap->rowCount(), 2);
    QCOMPARE(snap->value(0, 1), Value::text(u"0042"_qs));
    QCOMPARE(snap->value(0, 2).toText(), u"Youth \"drop-in\"; l'été"_qs);
    QVERIFY(snap->value(0, 3).isSingle());
    QCOMPARE(snap->value(0, 3).toText(), u"-3.15"_qs);
    QCOMPARE(snap->value(1, 0).toText(), u"101"_qs);
    QVERIFY(snap->value(1, 1).isText()); // the empty text is no Null
    QVERIFY(snap->value(1, 2).isNull());
    QVERIFY(snap->value(1, 3).isNull());

    TableData wrong = t;
    wrong.rows[0][0] = Value::text(u"x"_qs);
    try {
        writeDatabase(path, {wrong});
        QFAIL("a text was written into a number column");
    } catch (const DbError& e) {
        QCOMPARE(e.code(), DbError::Code::WriteFailed);
    }
    QCOMPARE(Database::open(path, true)->openSnapshot(u"KIV_DATA"_qs)->rowCount(), 2);
}

KIV_TEST_MAIN(TestDbWrite)
#include "tst_db_write.moc"
