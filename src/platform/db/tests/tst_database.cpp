// Reading databases: values and their text, the engine's comparison, snapshots, both engines
// on the Access fixtures and their SQLite copies, and damaged files.
#include "platform/db/csv_import.h"
#include "platform/db/database.h"
#include "platform/db/edition_schema.h"
#include "test_support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cmath>
#include <unistd.h>

using namespace kiv::db;

namespace {

QString fixture(const QString& name)
{
    return kivtest::fixturesDir() + (name.contains(QStringLiteral("-large")) ? QStringLiteral("/jet-large/") : QStringLiteral("/jet/")) + name
           + QStringLiteral(".mdb");
}

// The database a test reads: the Access fixture itself, or its SQLite copy built from the
// table dumps beside it.
QString databaseFor(const QString& name, const QString& engine, const QTemporaryDir& dir)
{
    const QString access = fixture(name);
    if (engine == QStringLiteral("access"))
        return access;
    const QString copy = dir.filePath(name + QStringLiteral(".sqlite.mdb"));
    if (!QFile::exists(copy))
        importCsvDumps(copy, access);
    return copy;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(data), data.size());
}

// Opens and reads every table; returns the error, or nothing when all was read.
std::optional<DbError> readEverything(const QString& path)
{
    try {
        auto db = Database::open(path, true);
        for (const QString& t : db->tableNames()) {
            auto snap = db->openSnapshot(t);
            for (int r = 0; r < snap->rowCount(); ++r)
                for (int c = 0; c < snap->columnNames().size(); ++c)
                    (void)snap->value(r, c).toText();
        }
    } catch (const DbError& e) {
        return e;
    }
    return std::nullopt;
}

// A window that counts its repaints.
class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void valueText_data();
    void valueText();
    void valueTextIgnoresLocale();
    void textToNumber_data();
    void textToNumber();
    void sameTextFoldsCaseOnly_data();
    void sameTextFoldsCaseOnly();
    void snapshotNavigation();

    void tablesMatchTheirDumps_data();
    void tablesMatchTheirDumps();
    void fixtureFacts_data();
    void fixtureFacts();
    void longMemosWhole_data();
    void longMemosWhole();
    void missingTableAndColumn_data();
    void missingTableAndColumn();
    void accessIsReadOnly();

    void badFiles_data();
    void badFiles();
    void damagedAccessCopiesFailCleanly();
    void stuckReaderIsStopped();
    void slowReaderReadsToTheEnd();
    void tableListRowsAreProgress_data();
    void tableListRowsAreProgress();

    void csvParsing_data();
    void csvParsing();
    void csvErrors_data();
    void csvErrors();

private:
    QTemporaryDir dir_;
};

void TestDatabase::initTestCase()
{
    QVERIFY(dir_.isValid());
}

void TestDatabase::valueText_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("text");
    QTest::newRow("decimal") << 2.8 << false << u"2.8"_qs;
    QTest::newRow("half") << 0.5 << false << u"0.5"_qs;
    QTest::newRow("big exponent") << 1e20 << false << u"1E+20"_qs;
    QTest::newRow("15 digits stay") << 123456789012345.0 << false << u"123456789012345"_qs;
    QTest::newRow("16 digits exponent") << 1e15 << false << u"1E+15"_qs;
    QTest::newRow("small") << 0.0001 << false << u"0.0001"_qs;
    QTest::newRow("smaller exponent") << 0.00001 << false << u"1E-05"_qs;
    QTest::newRow("representation error hidden") << 9.300000000000001 << false << u"9.3"_qs;
    QTest::newRow("sum error hidden") << 0.1 + 0.2 << false << u"0.3"_qs;
    QTest::newRow("four decimals") << 512347.6825 << false << u"512347.6825"_qs;
    QTest::newRow("negative integer") << -925418.0 << false << u"-925418"_qs;
    QTest::newRow("2^24 + 1") << 16777217.0 << false << u"16777217"_qs;
    QTest::newRow("zero") << 0.0 << false << u"0"_qs;
    QTest::newRow("negative zero") << -0.0 << false << u"0"_qs;
    QTest::newRow("single negative") << -3.15 << true << u"-3.15"_qs;
    QTest::newRow("single widened") << 12.34000015258789 << true << u"12.34"_qs;
    QTest::newRow("single 7 digits") << 58.2 << true << u"58.2"_qs;
    QTest::newRow("single 2^24 + 1") << 16777217.0 << true << u"1.677722E+07"_qs;
    QTest::newRow("single million") << 1234567.0 << true << u"1234567"_qs;
}

void TestDatabase::valueText()
{
    QFETCH(double, number);
    QFETCH(bool, single);
    QFETCH(QString, text);
    const Value v = Value::number(number, single);
    QCOMPARE(v.toText(), text);
    QCOMPARE(v.isSingle(), single);
    if (single)
        QCOMPARE(v.toDouble(), static_cast<double>(static_cast<float>(number)));
}

void TestDatabase::valueTextIgnoresLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::Canada));
    const QString a = Value::number(1234.5).toText();
    const QString b = Value::number(-0.25, true).toText();
    QLocale::setDefault(before);
    QCOMPARE(a, u"1234.5"_qs);
    QCOMPARE(b, u"-0.25"_qs);
    QCOMPARE(Value::null().toText(), QString());
    QCOMPARE(Value::text(u"Épiceries"_qs).toText(), u"Épiceries"_qs);
}

void TestDatabase::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("plain") << u"12.5"_qs << 12.5;
    QTest::newRow("trailing text") << u" 12.5abc"_qs << 12.5;
    QTest::newRow("blanks inside") << u"- 1 2"_qs << -12.0;
    QTest::newRow("thousands comma stops") << u"1,234"_qs << 1.0;
    QTest::newRow("exponent D") << u"-1.5D2"_qs << -150.0;
    QTest::newRow("hex") << u"&H1F"_qs << 31.0;
    QTest::newRow("octal") << u"&O17"_qs << 15.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("no number") << u"abc"_qs << 0.0;
}

void TestDatabase::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(Value::text(text).toDouble(), number);
}

void TestDatabase::sameTextFoldsCaseOnly_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    QTest::newRow("ascii") << u"KIV_DATA"_qs << u"kiv_data"_qs << true;
    QTest::newRow("accented capital") << u"ÉPICERIES"_qs << u"épiceries"_qs << true;
    QTest::newRow("ligature") << u"Œuvre"_qs << u"œuvre"_qs << true;
    QTest::newRow("greek") << u"ΣΊΓΜΑ"_qs << u"σίγμα"_qs << true;
    QTest::newRow("cyrillic") << u"ДАННЫЕ"_qs << u"данные"_qs << true;
    QTest::newRow("accent differs") << u"epiceries"_qs << u"épiceries"_qs << false;
    QTest::newRow("accent differs in capitals") << u"E"_qs << u"É"_qs << false;
    QTest::newRow("longer") << u"store"_qs << u"storefront"_qs << false;
    QTest::newRow("empty") << QString() << QString() << true;
}

void TestDatabase::sameTextFoldsCaseOnly()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QCOMPARE(sameText(a, b), same);
    QCOMPARE(sameText(b, a), same);
}

void TestDatabase::snapshotNavigation()
{
    std::vector<std::vector<Value>> rows;
    for (int i : {30, 10, 20, 10})
        rows.push_back({Value::number(i), Value::text(QString::number(i * 2))});
    Snapshot s(u"T"_qs, {u"Industry"_qs, u"SIC"_qs}, rows, u"f.mdb"_qs);
    QCOMPARE(s.columnIndex(u"industry"), 0);
    QCOMPARE(s.columnIndex(u"sic"), 1);
    QCOMPARE(s.columnIndex(u"nope"), -1);
    QVERIFY(!s.EOF_());
    QCOMPARE(s.Field(u"INDUSTRY").toText(), u"30"_qs);

    auto is = [](double v) { return [v](const Snapshot& sn, int r) { return sn.value(r, 0).toDouble() == v; }; };
    QVERIFY(s.FindFirst(is(10)));
    QCOMPARE(s.position(), 1); // the first of the two
    QVERIFY(!s.NoMatch());
    QVERIFY(!s.FindFirst(is(99)));
    QVERIFY(s.NoMatch());
    QCOMPARE(s.position(), 1); // stays where it was

    auto tens = s.where(is(10));
    QCOMPARE(tens->rowCount(), 2);
    QCOMPARE(tens->position(), 0);
    QCOMPARE(tens->file(), u"f.mdb"_qs);

    s.MoveNext();
    s.MoveNext();
    s.MoveNext();
    QVERIFY(s.EOF_());
    s.MoveNext();
    QCOMPARE(s.position(), 4);
    try {
        (void)s.Field(u"Industry");
        QFAIL("no error past the last row");
    } catch (const DbError& e) {
        QCOMPARE(e.code(), DbError::Code::NoCurrentRow);
    }
    s.MoveFirst();
    try {
        (void)s.Field(u"Nope");
        QFAIL("no error for a missing column");
    } catch (const DbError& e) {
        QCOMPARE(e.code(), DbError::Code::NoSuchColumn);
        QCOMPARE(e.file(), u"f.mdb"_qs);
        QVERIFY(e.detail().contains(u"Nope"_qs));
    }
}

void TestDatabase::tablesMatchTheirDumps_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("engine");
    for (const char* engine : {"access", "sqlite"})
        for (const char* name : {"edition-one-year", "edition-three-year", "saved-one-year", "saved-three-year",
                                 "edition-one-year-large", "edition-three-year-large"})
            QTest::addRow("%s %s", name, engine) << QString::fromLatin1(name) << QString::fromLatin1(engine);
}

// Every table reads back exactly as its dump holds it: names as stored, stored order, Nulls,
// texts to the character, doubles exactly, singles as the single nearest the decimal.
void TestDatabase::tablesMatchTheirDumps()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(QString, name);
    QFETCH(QString, engine);
    const QString path = databaseFor(name, engine, dir_);
    auto db = Database::open(path, true);
    QCOMPARE(db->engine(), engine == u"access"_qs ? Database::Engine::Access : Database::Engine::SQLite);
    const auto dumps = csvDumpsOf(fixture(name));
    QVERIFY(!dumps.empty());
    QCOMPARE(db->tableNames().size(), static_cast<qsizetype>(dumps.size()));
    for (const CsvTableSource& dump : dumps) {
        const TableData expected = readCsvTable(dump.table, dump.csvPath);
        auto snap = db->openSnapshot(dump.table.toLower()); // table names are case-blind
        QCOMPARE(snap->table(), dump.table);
        QStringList names;
        for (const ColumnDef& c : expected.columns)
            names << c.name;
        QCOMPARE(snap->columnNames(), names);
        QCOMPARE(snap->rowCount(), static_cast<int>(expected.rows.size()));
        for (int r = 0; r < snap->rowCount(); ++r) {
            for (int c = 0; c < names.size(); ++c) {
                const Value got = snap->value(r, c);
                const Value& want = expected.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
                if (!(got == want))
                    QFAIL(qPrintable(QStringLiteral("%1 row %2 column %3: got %4 (%5), want %6 (%7)")
                                         .arg(dump.table)
                                         .arg(r)
                                         .arg(names[c], got.toText(), QString::number(static_cast<int>(got.type())), want.toText(),
                                              QString::number(static_cast<int>(want.type())))));
            }
        }
    }
}

void TestDatabase::fixtureFacts_data()
{
    QTest::addColumn<QString>("engine");
    QTest::newRow("access") << u"access"_qs;
    QTest::newRow("sqlite") << u"sqlite"_qs;
}

// What the windows rely on, spelled out on the small editions.
void TestDatabase::fixtureFacts()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(QString, engine);
    auto one = Database::open(databaseFor(u"edition-one-year"_qs, engine, dir_), true);
    QVERIFY(one->hasTable(u"kiv_data"));
    QVERIFY(one->hasTable(u"CATEGORY"));

    auto cat = one->openSnapshot(u"Category"_qs);
    QStringList codes;
    for (cat->MoveFirst(); !cat->EOF_(); cat->MoveNext())
        codes << cat->Field(u"category").toText();
    QCOMPARE(codes, (QStringList{u"B"_qs, u"A"_qs, u"C"_qs}));
    cat->MoveFirst();
    cat->MoveNext();
    cat->MoveNext();
    QCOMPARE(cat->Field(u"nameE").toText(), u"Children's services"_qs);
    QCOMPARE(cat->Field(u"NAMEF").toText(), u"Services à l'enfance"_qs);

    auto data = one->openSnapshot(u"KIV_DATA"_qs);
    QStringList order;
    for (data->MoveFirst(); !data->EOF_(); data->MoveNext())
        order << data->Field(u"INDUSTRY").toText();
    QCOMPARE(order.join(u' '), u"302 101 203 102 201 103 202 301"_qs);
    QVERIFY(data->columnNames().contains(u"NPMQ3"_qs)); // stored spelling kept
    QCOMPARE(data->columnNames(), kiv::db::schema::oneYearKivDataColumns());

    data->MoveFirst();
    QVERIFY(data->Field(u"Industry").isNumber());
    QCOMPARE(data->Field(u"IndustryDescriptionE").toText(), u"Youth \"drop-in\" centres"_qs);
    QVERIFY(data->Field(u"SIC").isText());
    QCOMPARE(data->Field(u"SIC").toText(), u"8641"_qs);
    QCOMPARE(data->Field(u"ItQ2").toDouble(), 9.3);
    QCOMPARE(data->Field(u"ItQ2").toText(), u"9.3"_qs);
    QVERIFY(!data->Field(u"ItQ2").isSingle());
    const Value a38 = data->Field(u"a38");
    QVERIFY(a38.isSingle());
    QCOMPARE(a38.toDouble(), static_cast<double>(-3.15f));
    QCOMPARE(a38.toText(), u"-3.15"_qs);
    QCOMPARE(data->Field(u"TOTASS").toText(), u"100"_qs);

    QVERIFY(data->FindFirst([](const Snapshot& s, int r) { return s.value(r, u"Industry").toDouble() == 202; }));
    QVERIFY(data->Field(u"DEFINITIONSF").isNull());
    QCOMPARE(data->Field(u"DEFINITIONSF").toText(), QString());
    QVERIFY(!data->Field(u"DEFINITIONSE").isNull());
    QVERIFY(data->FindFirst([](const Snapshot& s, int r) { return sameText(s.value(r, u"SIC").toText(), u"NOT APPLICABLE"); }));
    QCOMPARE(data->Field(u"Industry").toText(), u"301"_qs);
    QVERIFY(data->FindFirst([](const Snapshot& s, int r) { return s.value(r, u"Industry").toDouble() == 101; }));
    QCOMPARE(data->Field(u"IndustryDescriptionF").toText(), u"Épiceries"_qs);

    auto three = Database::open(databaseFor(u"edition-three-year"_qs, engine, dir_), true)->openSnapshot(u"KIV_DATA"_qs);
    QCOMPARE(three->columnNames(), kiv::db::schema::threeYearKivDataColumns());
    QVERIFY(three->FindFirst([](const Snapshot& s, int r) { return s.value(r, u"Industry").toDouble() == 501; }));
    QVERIFY(three->Field(u"DEFINITIONSF").toText().contains(u"bois d'œuvre"_qs));
    QCOMPARE(three->Field(u"ROEQ2_2").toText(), u"0"_qs);

    auto saved = Database::open(databaseFor(u"saved-one-year"_qs, engine, dir_), true)->openSnapshot(u"myvalue_v12"_qs);
    QCOMPARE(saved->rowCount(), 1);
    QCOMPARE(saved->columnNames(), kiv::db::schema::myValueV12Columns());
    QCOMPARE(saved->Field(u"Ta").toText(), u"16777216"_qs);
    QCOMPARE(saved->Field(u"TotLiabShareEq").toText(), u"16777217"_qs);
    QCOMPARE(saved->Field(u"InterestExpense").toText(), u"512347.6825"_qs);
    QCOMPARE(saved->Field(u"RetEarn").toText(), u"-925418"_qs);
    auto saved3 = Database::open(databaseFor(u"saved-three-year"_qs, engine, dir_), true)->openSnapshot(u"MyValue_v3"_qs);
    QCOMPARE(saved3->columnNames(), kiv::db::schema::myValueV3Columns());
    QCOMPARE(saved3->Field(u"AfterTaxProfitYear3").toText(), u"371904.1275"_qs);
}

void TestDatabase::longMemosWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("industry");
    for (const char* engine : {"access", "sqlite"}) {
        QTest::addRow("one-year %s", engine) << u"edition-one-year-large"_qs << QString::fromLatin1(engine) << 1116;
        QTest::addRow("three-year %s", engine) << u"edition-three-year-large"_qs << QString::fromLatin1(engine) << 206;
    }
}

// Memos longer than libmdb's default bind buffer come back whole.
void TestDatabase::longMemosWhole()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(QString, name);
    QFETCH(QString, engine);
    QFETCH(int, industry);
    auto data = Database::open(databaseFor(name, engine, dir_), true)->openSnapshot(u"KIV_DATA"_qs);
    QVERIFY(data->FindFirst([industry](const Snapshot& s, int r) { return s.value(r, u"Industry").toDouble() == industry; }));
    QCOMPARE(data->Field(u"DEFINITIONSE").toText().size(), 30000);
    QCOMPARE(data->Field(u"DEFINITIONSF").toText().size(), 30000);
    QVERIFY(data->Field(u"DEFINITIONSF").toText().toUtf8().size() > 16384);
}

void TestDatabase::missingTableAndColumn_data()
{
    fixtureFacts_data();
}

void TestDatabase::missingTableAndColumn()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(QString, engine);
    const QString path = databaseFor(u"saved-one-year"_qs, engine, dir_);
    auto db = Database::open(path, true);
    QVERIFY(!db->hasTable(u"KIV_DATA"));
    try {
        db->openSnapshot(u"KIV_DATA"_qs);
        QFAIL("no error for a missing table");
    } catch (const DbError& e) {
        QCOMPARE(e.code(), DbError::Code::NoSuchTable);
        QCOMPARE(e.file(), path);
        QVERIFY(e.detail().contains(u"KIV_DATA"_qs));
    }
    auto snap = db->openSnapshot(u"MyValue_v12"_qs);
    try {
        (void)snap->Field(u"Cash2");
        QFAIL("no error for a missing column");
    } catch (const DbError& e) {
        QCOMPARE(e.code(), DbError::Code::NoSuchColumn);
        QCOMPARE(e.file(), path);
    }
}

void TestDatabase::accessIsReadOnly()
{
    KIV_REQUIRE_FIXTURES();
    const QString path = fixture(u"saved-one-year"_qs);
    try {
        Database::open(path, false);
        QFAIL("an Access file was opened for writing");
    } catch (const DbError& e) {
        QCOMPARE(e.code(), DbError::Code::ReadOnly);
    }
    QVERIFY(Database::open(path, true)->readOnly());
}

void TestDatabase::badFiles_data()
{
    QTest::addColumn<QString>("source"); // fixture to start from, or empty
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("code");
    const int cannot = static_cast<int>(DbError::Code::CannotOpen);
    const int notDb = static_cast<int>(DbError::Code::NotADatabase);
    QTest::newRow("missing") << QString() << u"missing"_qs << cannot;
    QTest::newRow("folder") << QString() << u"folder"_qs << cannot;
    QTest::newRow("empty") << QString() << u"empty"_qs << notDb;
    QTest::newRow("text") << QString() << u"text"_qs << notDb;
    QTest::newRow("random bytes") << QString() << u"random"_qs << notDb;
    for (const char* engine : {"access", "sqlite"}) {
        const QString e = QString::fromLatin1(engine);
        QTest::addRow("%s cut in header", engine) << e << u"cut:18"_qs << notDb;
        QTest::addRow("%s cut after 100 bytes", engine) << e << u"cut:100"_qs << notDb;
        QTest::addRow("%s cut one byte short", engine) << e << u"cut:-1"_qs << notDb;
        QTest::addRow("%s cut in half at a page", engine) << e << u"half-page"_qs << notDb;
        QTest::addRow("%s pages overwritten", engine) << e << u"scramble"_qs << notDb;
        QTest::addRow("%s header and zeros", engine) << e << u"zeros"_qs << notDb;
    }
}

// A damaged or foreign file is a DbError naming it, never a crash or a half-read table.
void TestDatabase::badFiles()
{
    QFETCH(QString, source);
    QFETCH(QString, damage);
    QFETCH(int, code);
    const QString path = dir_.filePath(u"bad-"_qs + QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-') + u".mdb"_qs);
    QFile::remove(path);
    QRandomGenerator random(42);
    QByteArray original;
    int page = 4096;
    if (!source.isEmpty()) {
        KIV_REQUIRE_FIXTURES();
        original = readAll(databaseFor(u"edition-one-year"_qs, source, dir_));
        QVERIFY(original.size() > 4 * page);
        if (source == u"sqlite"_qs)
            page = static_cast<quint8>(original[16]) * 256 + static_cast<quint8>(original[17]);
    }
    if (damage == u"missing"_qs) {
    } else if (damage == u"folder"_qs) {
        QVERIFY(QDir().mkpath(path));
    } else if (damage == u"empty"_qs) {
        writeFile(path, QByteArray());
    } else if (damage == u"text"_qs) {
        writeFile(path, "Industry,SIC\n101,5411\n");
    } else if (damage == u"random"_qs) {
        QByteArray bytes(5 * 4096, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random.bounded(256));
        writeFile(path, bytes);
    } else if (damage.startsWith(u"cut:"_qs)) {
        const int n = damage.mid(4).toInt();
        writeFile(path, original.left(n > 0 ? n : original.size() + n));
    } else if (damage == u"half-page"_qs) {
        writeFile(path, original.left((original.size() / page / 2) * page));
    } else if (damage == u"scramble"_qs) {
        QByteArray bytes = original;
        for (qsizetype i = page; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(random.bounded(256));
        writeFile(path, bytes);
    } else if (damage == u"zeros"_qs) {
        QByteArray bytes(original.size(), '\0');
        bytes.replace(0, page, original.left(page));
        writeFile(path, bytes);
    }
    const auto error = readEverything(path);
    QVERIFY2(error.has_value(), "the damaged file was read without an error");
    QCOMPARE(static_cast<int>(error->code()), code);
    QCOMPARE(error->file(), path);
    QVERIFY(!error->detail().isEmpty());
}

// Random damage anywhere in an Access file: every outcome is a whole read or a DbError.
void TestDatabase::damagedAccessCopiesFailCleanly()
{
    KIV_REQUIRE_FIXTURES();
    const QByteArray original = readAll(fixture(u"edition-one-year"_qs));
    const qsizetype pages = original.size() / 4096;
    QRandomGenerator random(2000);
    int errors = 0, reads = 0;
    const QString path = dir_.filePath(u"damaged.mdb"_qs);
    for (int round = 0; round < 60; ++round) {
        QByteArray bytes = original;
        if (round < pages) {
            bytes.truncate((round + 1) * 4096); // every whole-page truncation
        } else {
            const int flips = 1 + static_cast<int>(random.bounded(40));
            const qsizetype target = random.bounded(pages);
            for (int i = 0; i < flips; ++i)
                bytes[target * 4096 + random.bounded(4096)] = static_cast<char>(random.bounded(256));
        }
        writeFile(path, bytes);
        const auto error = readEverything(path);
        if (error) {
            ++errors;
            QVERIFY(!error->detail().isEmpty());
            QCOMPARE(error->file(), path);
        } else {
            ++reads;
        }
    }
    QVERIFY(errors > 0);
    qInfo("damaged copies: %d read, %d refused", reads, errors);
}

// A reader that makes no progress for ten seconds is stopped with the damaged-file error; the
// windows repaint all the while, under the hourglass, which goes away at the end.
void TestDatabase::stuckReaderIsStopped()
{
    KIV_REQUIRE_FIXTURES();
    const kivtest::ReaderSettings stuck([] {
        for (;;)
            ::pause();
    });
    PaintCounter window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTimer ticks;
    bool hourglass = false;
    QObject::connect(&ticks, &QTimer::timeout, &window, [&] {
        window.update();
        hourglass = hourglass || (QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor);
    });
    ticks.start(50);
    window.paints = 0;
    QElapsedTimer clock;
    clock.start();
    const std::optional<DbError> error = readEverything(fixture(u"edition-one-year"_qs));
    const qint64 waited = clock.elapsed();
    QVERIFY(error);
    QCOMPARE(error->code(), DbError::Code::NotADatabase);
    QCOMPARE(error->file(), fixture(u"edition-one-year"_qs));
    QVERIFY2(error->detail().contains(u"no progress"_qs), qPrintable(error->detail()));
    QVERIFY2(waited >= 10000 && waited < 13000, qPrintable(QString::number(waited)));
    QVERIFY2(window.paints >= 50, qPrintable(QString::number(window.paints)));
    QVERIFY(hourglass);
    QVERIFY(!QGuiApplication::overrideCursor());
}

// A reader that takes its time but keeps moving on reads to the end, however long the whole
// read takes: here twice the time allowed without progress, for the list of tables and for
// each table. Each step takes a tenth of that time, so that what a busy machine adds before a
// step (to start the reader, to open the file) stays well inside it.
void TestDatabase::slowReaderReadsToTheEnd()
{
    KIV_REQUIRE_FIXTURES();
    const QString path = fixture(u"edition-one-year"_qs);
    const auto whole = Database::open(path, true)->openSnapshot(u"KIV_DATA"_qs);
    constexpr int kSlowSteps = 20, kStepMs = 100, kStallMs = 1000; // the start, then the list's 21 rows
    int steps = 0; // counted in each reader's own copy of the program
    const kivtest::ReaderSettings slow([&steps] {
        if (++steps <= kSlowSteps)
            ::usleep(kStepMs * 1000);
    }, kStallMs);
    QElapsedTimer clock;
    clock.start();
    const auto db = Database::open(path, true);
    QVERIFY2(clock.elapsed() >= kSlowSteps * kStepMs, qPrintable(QString::number(clock.elapsed())));
    const auto read = db->openSnapshot(u"KIV_DATA"_qs);
    QVERIFY2(clock.elapsed() >= 2 * kSlowSteps * kStepMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(read->columnNames(), whole->columnNames());
    QCOMPARE(read->rowCount(), whole->rowCount());
    for (int r = 0; r < read->rowCount(); ++r)
        for (int c = 0; c < read->columnNames().size(); ++c)
            QVERIFY(read->value(r, c) == whole->value(r, c));
}

// The list of tables is read row by row, as a table is, and each of its rows is progress: on a
// slow disc a list that takes twice the time allowed without progress is read whole (when the
// file is opened, and again for the table read), while a reader stuck inside it is stopped.
// Each slow row takes a tenth of the time allowed, the rest of it is the margin for what a busy
// machine adds before a row.
void TestDatabase::tableListRowsAreProgress_data()
{
    QTest::addColumn<bool>("stuck");
    QTest::newRow("slow list of tables") << false;
    QTest::newRow("stuck in the list of tables") << true;
}

void TestDatabase::tableListRowsAreProgress()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(bool, stuck);
    using kiv::db::detail::ReadingStage;
    const QString path = fixture(u"edition-one-year"_qs);
    const auto plain = Database::open(path, true);
    const QStringList tables = plain->tableNames();
    const auto whole = plain->openSnapshot(u"Category"_qs);
    constexpr int kSlowRows = 20, kRowMs = 100, kStallMs = 1000; // the list has 21 rows
    int rows = 0; // counted in each reader's own copy of the program
    const kivtest::ReaderSettings slow([&rows, stuck](ReadingStage stage) {
        if (stage != ReadingStage::TableList)
            return;
        ++rows;
        if (stuck && rows == 5)
            for (;;)
                ::pause();
        if (rows <= kSlowRows)
            ::usleep(kRowMs * 1000);
    }, kStallMs);
    QElapsedTimer clock;
    clock.start();
    if (stuck) {
        const std::optional<DbError> error = readEverything(path);
        const qint64 waited = clock.elapsed();
        QVERIFY(error);
        QCOMPARE(error->code(), DbError::Code::NotADatabase);
        QVERIFY2(error->detail().contains(u"no progress"_qs), qPrintable(error->detail()));
        QVERIFY2(waited >= 4 * kRowMs + kStallMs && waited < 5000, qPrintable(QString::number(waited)));
        return;
    }
    const auto db = Database::open(path, true);
    QVERIFY2(clock.elapsed() >= kSlowRows * kRowMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(db->tableNames(), tables);
    const auto read = db->openSnapshot(u"Category"_qs);
    QVERIFY2(clock.elapsed() >= 2 * kSlowRows * kRowMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(read->columnNames(), whole->columnNames());
    QCOMPARE(read->rowCount(), whole->rowCount());
    for (int r = 0; r < read->rowCount(); ++r)
        for (int c = 0; c < read->columnNames().size(); ++c)
            QVERIFY(read->value(r, c) == whole->value(r, c));
}

void TestDatabase::csvParsing_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("records"); // fields joined with '|'; a Null field shown as <null>
    QTest::newRow("plain") << QByteArray("a,b\n1,2\n") << QStringList{u"a|b"_qs, u"1|2"_qs};
    QTest::newRow("no final line end") << QByteArray("a,b\n1,2") << QStringList{u"a|b"_qs, u"1|2"_qs};
    QTest::newRow("CRLF") << QByteArray("a,b\r\n1,2\r\n") << QStringList{u"a|b"_qs, u"1|2"_qs};
    QTest::newRow("quoted comma") << QByteArray("a\n\"x, y\"\n") << QStringList{u"a"_qs, u"x, y"_qs};
    QTest::newRow("doubled quotes") << QByteArray("a\n\"Youth \"\"drop-in\"\" centres\"\n")
                                    << QStringList{u"a"_qs, u"Youth \"drop-in\" centres"_qs};
    QTest::newRow("line break inside") << QByteArray("a,b\n\"one\ntwo\",3\n") << QStringList{u"a|b"_qs, u"one\ntwo|3"_qs};
    QTest::newRow("null and empty text") << QByteArray("a,b,c\n,\"\",x\n") << QStringList{u"a|b|c"_qs, u"<null>||x"_qs};
    QTest::newRow("utf-8") << QByteArray("a\nbois d'œuvre\n") << QStringList{u"a"_qs, u"bois d'œuvre"_qs};
}

void TestDatabase::csvParsing()
{
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, records);
    QStringList got;
    for (const CsvRecord& rec : parseCsv(csv)) {
        QStringList fields;
        for (const CsvField& f : rec)
            fields << (f.text.isEmpty() && !f.quoted ? u"<null>"_qs : f.text);
        got << fields.join(u'|');
    }
    QCOMPARE(got, records);
}

void TestDatabase::csvErrors_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("table");
    QTest::newRow("unterminated quote") << QByteArray("Cash\n\"12\n") << u"MyValue_v12"_qs;
    QTest::newRow("text after quote") << QByteArray("Cash\n\"12\"x\n") << u"MyValue_v12"_qs;
    QTest::newRow("too few fields") << QByteArray("Cash,Ar\n1\n") << u"MyValue_v12"_qs;
    QTest::newRow("not a number") << QByteArray("Cash\n1,5\n") << u"MyValue_v12"_qs;
    QTest::newRow("exponent in a number") << QByteArray("Cash\n1e5\n") << u"MyValue_v12"_qs;
    QTest::newRow("fraction in a long") << QByteArray("Industry\n101.5\n") << u"KIV_DATA"_qs;
}

void TestDatabase::csvErrors()
{
    QFETCH(QByteArray, csv);
    QFETCH(QString, table);
    const QString path = dir_.filePath(u"bad.csv"_qs);
    writeFile(path, csv);
    try {
        readCsvTable(table, path);
        QFAIL("the CSV was read without an error");
    } catch (const DbError& e) {
        QCOMPARE(e.file(), path);
    }
}

KIV_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
