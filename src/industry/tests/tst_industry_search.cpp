// The edition database as the industry selection reads it, on both engines: the same cases run
// on the Access fixtures and on SQLite copies built from their table dumps. Also the failures
// of opening an edition: missing, truncated and damaged files, missing tables and columns.
#include "industry/edition_data.h"
#include "industry/text_match.h"
#include "platform/db/csv_import.h"
#include "test_support.h"

#include <QFile>
#include <QTemporaryDir>

using namespace kiv::industry;
using namespace Qt::StringLiterals;
using kiv::EditionKind;

namespace {

// The fixtures, one copy per engine, built once for the whole run.
class Fixtures {
public:
    // "access" or "sqlite"; edition "edition-one-year" or "edition-three-year".
    QString path(const QString& engine, const QString& edition)
    {
        const QString mdb = kivtest::jetFixture(edition + u".mdb"_s);
        if (engine == u"access")
            return mdb;
        const QString copy = dir_.filePath(edition + u".sqlite"_s);
        if (!QFile::exists(copy))
            kiv::db::importCsvDumps(copy, mdb);
        return copy;
    }
    QString scratch(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

Fixtures& fixtures()
{
    static Fixtures f;
    return f;
}

EditionKind kindOf(const QString& edition)
{
    return edition == u"edition-one-year" ? EditionKind::OneYear : EditionKind::ThreeYear;
}

const QStringList kEngines = {u"access"_s, u"sqlite"_s};

} // namespace

class TestIndustrySearch : public QObject {
    Q_OBJECT
private slots:
    void search_data();
    void search();
    void searchEdgeCases_data();
    void searchEdgeCases();
    void lists_data();
    void lists();
    void sectorQueries_data();
    void sectorQueries();
    void pickByNameOrCode_data();
    void pickByNameOrCode();
    void openFailures_data();
    void openFailures();
    void messageNamesTheFile();
};

// ---- search -----------------------------------------------------------------------------

void TestIndustrySearch::search_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("edition");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("wordForm");
    QTest::addColumn<QString>("searchIn");
    QTest::addColumn<bool>("listByName");
    QTest::addColumn<int>("language");
    QTest::addColumn<QList<int>>("industries"); // hits in stored order
    QTest::addColumn<QStringList>("entries");   // empty: the names of the hits

    struct Case {
        const char* name;
        const char16_t* edition;
        const char16_t* key;
        const char16_t* wordForm;
        const char16_t* searchIn;
        bool listByName;
        int language;
        QList<int> industries;
        QStringList entries;
    };
    const Case cases[] = {
        // Exact words of the names: any letter case; not the start of a longer word, not a word
        // with its comma at the very end, not after a parenthesis.
        {"exact, names", u"edition-one-year", u"STORES", u"Exact", u"Title", true, 0, {101, 102, 103}, {}},
        {"exact, start of a word", u"edition-one-year", u"store", u"Exact", u"Title", true, 0, {}, {}},
        {"exact, comma before a blank goes", u"edition-one-year", u"Bakeries", u"exact", u"Title", true, 0, {201}, {}},
        {"exact, after a parenthesis", u"edition-one-year", u"men's", u"Exact", u"Title", true, 0, {}, {}},
        {"exact, with the parenthesis", u"edition-one-year", u"(men's", u"Exact", u"Title", true, 0, {102}, {}},
        {"exact, hyphen stays", u"edition-one-year", u"day-care", u"Exact", u"Title", true, 0, {301}, {}},
        {"exact, double quotes", u"edition-one-year", u"\"drop-in\"", u"Exact", u"Title", true, 0, {302}, {}},
        {"exact, empty key", u"edition-one-year", u"", u"Exact", u"Title", true, 0, {}, {}},
        {"exact, key with a blank", u"edition-one-year", u"Shoe stores", u"Exact", u"Title", true, 0, {}, {}},
        // A word held three times lists its industry three times.
        {"exact, definitions", u"edition-one-year", u"store", u"Exact", u"Definition", true, 0, {101, 101, 101}, {}},
        {"exact, search-in in other case", u"edition-one-year", u"store", u"Exact", u"DEFINITION", true, 0, {101, 101, 101}, {}},
        // "Some": anywhere, inside longer words too, each industry once.
        {"some, names", u"edition-one-year", u"store", u"Some", u"Title", true, 0, {101, 102, 103}, {}},
        {"some, definitions", u"edition-one-year", u"store", u"some", u"Definition", true, 0, {101}, {}},
        {"some, quotes", u"edition-one-year", u"\"drop-in\"", u"Some", u"Title", true, 0, {302}, {}},
        {"some, apostrophe", u"edition-one-year", u"children's", u"Some", u"Definition", true, 0, {102}, {}},
        {"some, empty key lists all", u"edition-one-year", u"", u"Some", u"Title", true, 0, {302, 101, 203, 102, 201, 103, 202, 301}, {}},
        {"some, pattern", u"edition-one-year", u"b?ead", u"Some", u"Title", true, 0, {202}, {}},
        {"some, unmatched bracket", u"edition-one-year", u"[shoe", u"Some", u"Title", true, 0, {}, {}},
        {"some, no hit", u"edition-one-year", u"zzz", u"Some", u"Title", true, 0, {}, {}},
        // A typed word form that is neither: the whole text must match.
        {"typed form, whole text", u"edition-one-year", u"shoe*", u"any", u"Title", true, 0, {103}, {}},
        {"typed form, part only", u"edition-one-year", u"stores", u"any", u"Title", true, 0, {}, {}},
        // French: names, definitions, accented letters distinct, a Null never a hit.
        {"French exact, names", u"edition-one-year", u"DE", u"mots exacts", u"Titre", true, 1, {102, 103, 301}, {}},
        {"French some, accented", u"edition-one-year", u"épi", u"mot partiel", u"Titre", true, 1, {101}, {}},
        {"French some, plain for accented", u"edition-one-year", u"epi", u"mot partiel", u"Titre", true, 1, {}, {}},
        {"French some, Null definition", u"edition-one-year", u"", u"mot partiel", u"Définition", true, 1, {302, 101, 203, 102, 201, 103, 301}, {}},
        {"French some, oe", u"edition-three-year", u"ŒUVRE", u"mot partiel", u"Définition", true, 1, {501}, {}},
        // Code search: whole codes, the code text listed.
        {"code, one code", u"edition-one-year", u"3211", u"Exact", u"Title", false, 0, {201}, {u"3211"_s}},
        {"code, two rows", u"edition-one-year", u"5621", u"Exact", u"Title", false, 0, {102, 103}, {u"5611, 5621"_s, u"5621 5631"_s}},
        {"code, before a comma", u"edition-one-year", u"5611", u"Exact", u"Title", false, 0, {102}, {u"5611, 5621"_s}},
        {"code, joined by a comma", u"edition-one-year", u"3212", u"Exact", u"Title", false, 0, {}, {}},
        {"code, not applicable", u"edition-three-year", u"applicable", u"Exact", u"Title", false, 1, {503}, {u"Not Applicable"_s}},
    };
    for (const QString& engine : kEngines)
        for (const Case& c : cases)
            QTest::newRow(qPrintable(engine + u": "_s + QString::fromLatin1(c.name)))
                << engine << QString::fromUtf16(c.edition) << QString::fromUtf16(c.key) << QString::fromUtf16(c.wordForm)
                << QString::fromUtf16(c.searchIn) << c.listByName << c.language << c.industries << c.entries;
}

void TestIndustrySearch::search()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(QString, engine);
    QFETCH(QString, edition);
    QFETCH(QString, key);
    QFETCH(QString, wordForm);
    QFETCH(QString, searchIn);
    QFETCH(bool, listByName);
    QFETCH(int, language);
    QFETCH(QList<int>, industries);
    QFETCH(QStringList, entries);

    auto database = openEditionDatabase(fixtures().path(engine, edition));
    auto data = readIndustryTable(*database, kindOf(edition));
    SearchRequest request{key, wordForm, searchIn, listByName, language};
    const std::vector<SearchHit> hits = searchIndustries(*data, 0, request);

    QList<int> found;
    QStringList listed;
    for (const SearchHit& h : hits) {
        found << static_cast<int>(data->value(h.row, u"Industry").toDouble());
        listed << h.entry;
    }
    QCOMPARE(found, industries);
    if (entries.isEmpty())
        for (const SearchHit& h : hits)
            entries << data->value(h.row, nameColumn(language)).toText();
    QCOMPARE(listed, entries);
}

void TestIndustrySearch::searchEdgeCases_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("wordForm");
    QTest::addColumn<QList<int>>("rows");

    // Row 0 "Plant 7 , north", row 1 Null, row 2 a stored number, row 3 the empty text.
    QTest::newRow("digit anywhere") << u"#"_s << u"Some"_s << QList<int>{0, 2};
    QTest::newRow("lone comma is an empty word") << QString() << u"Exact"_s << QList<int>{0};
    QTest::newRow("some, empty key: every value") << QString() << u"Some"_s << QList<int>{0, 2, 3};
    QTest::newRow("number read as its text") << u"5411"_s << u"Exact"_s << QList<int>{2};
    QTest::newRow("Null never matches a star") << u"*"_s << u"typed"_s << QList<int>{0, 2, 3};
    QTest::newRow("from the current row on") << u"north"_s << u"Exact"_s << QList<int>{0};
}

void TestIndustrySearch::searchEdgeCases()
{
    QFETCH(QString, key);
    QFETCH(QString, wordForm);
    QFETCH(QList<int>, rows);
    using kiv::db::Value;
    kiv::db::Snapshot data(u"KIV_DATA"_s, {u"Industry"_s, u"IndustryDescriptionE"_s, u"SIC"_s},
                           {{Value::number(1), Value::text(u"Plant 7 , north"_s), Value::text(u"1"_s)},
                            {Value::number(2), Value::null(), Value::text(u"2"_s)},
                            {Value::number(3), Value::number(5411), Value::text(u"3"_s)},
                            {Value::number(4), Value::text(QString()), Value::text(u"4"_s)}});
    QList<int> found;
    for (const SearchHit& h : searchIndustries(data, 0, {key, wordForm, u"Title"_s, true, 0}))
        found << h.row;
    QCOMPARE(found, rows);
    // The search starts at the row it is given.
    QVERIFY(searchIndustries(data, 1, {u"north"_s, u"Exact"_s, u"Title"_s, true, 0}).empty());
}

// ---- lists ------------------------------------------------------------------------------

void TestIndustrySearch::lists_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("industries"); // as the sorted list shows them
    QTest::addColumn<QStringList>("sectorList");
    for (const QString& engine : kEngines) {
        QTest::newRow(qPrintable(engine + u": English"_s))
            << engine << 0
            << QStringList{u"Bakeries, commercial"_s, u"Bread products"_s, u"Child day-care services"_s,
                           u"Clothing stores (men's and women's)"_s, u"Dairy products"_s, u"Grocery stores"_s,
                           u"Shoe stores"_s, u"Youth \"drop-in\" centres"_s}
            << QStringList{u"Children's services"_s, u"Manufacturing"_s, u"Retail trade"_s};
        QTest::newRow(qPrintable(engine + u": French"_s))
            << engine << 1
            << QStringList{u"Boulangeries commerciales"_s, u"Centres jeunesse"_s, u"Épiceries"_s, u"Magasins de chaussures"_s,
                           u"Magasins de vêtements (hommes et femmes)"_s, u"Produits du pain"_s, u"Produits laitiers"_s,
                           u"Services de garderie"_s}
            << QStringList{u"Commerce de détail"_s, u"Fabrication"_s, u"Services à l'enfance"_s};
    }
}

void TestIndustrySearch::lists()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(QString, engine);
    QFETCH(int, language);
    QFETCH(QStringList, industries);
    QFETCH(QStringList, sectorList);
    auto database = openEditionDatabase(fixtures().path(engine, u"edition-one-year"_s));
    auto data = readIndustryTable(*database, EditionKind::OneYear);
    QCOMPARE(data->position(), 0);
    QStringList names = industryNames(*data, language);
    QCOMPARE(names.size(), 8);
    sortList(names);
    QCOMPARE(names, industries);
    QStringList sectors = sectorNames(*readSectorTable(*database), language);
    sortList(sectors);
    QCOMPARE(sectors, sectorList);
}

void TestIndustrySearch::sectorQueries_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("sector");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QList<int>>("industries"); // stored order
    for (const QString& engine : kEngines) {
        auto row = [&](const char* name) -> QTestData& { return QTest::newRow(qPrintable(engine + u": "_s + QString::fromLatin1(name))) << engine; };
        row("apostrophe") << u"Children's services"_s << 0 << u"C"_s << QList<int>{302, 301};
        row("letter case ignored") << u"RETAIL TRADE"_s << 0 << u"A"_s << QList<int>{101, 102, 103};
        row("French, accented") << u"Services à l'enfance"_s << 1 << u"C"_s << QList<int>{302, 301};
        row("French name in English") << u"Fabrication"_s << 0 << QString() << QList<int>{};
        row("no such sector") << u"Mining"_s << 0 << QString() << QList<int>{};
    }
}

void TestIndustrySearch::sectorQueries()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(QString, engine);
    QFETCH(QString, sector);
    QFETCH(int, language);
    QFETCH(QString, code);
    QFETCH(QList<int>, industries);
    auto database = openEditionDatabase(fixtures().path(engine, u"edition-one-year"_s));
    QCOMPARE(sectorCode(*database, sector, language), code);
    auto rows = sectorIndustries(*database, code);
    QList<int> found;
    for (int r = 0; r < rows->rowCount(); ++r)
        found << static_cast<int>(rows->value(r, u"Industry").toDouble());
    QCOMPARE(found, industries);
}

void TestIndustrySearch::pickByNameOrCode_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("industry"); // 0: not found, the current row stays
    for (const QString& engine : kEngines) {
        auto row = [&](const char* name) -> QTestData& { return QTest::newRow(qPrintable(engine + u": "_s + QString::fromLatin1(name))) << engine; };
        row("name with double quotes") << u"IndustryDescriptionE"_s << u"Youth \"drop-in\" centres"_s << 302;
        row("name with apostrophes") << u"IndustryDescriptionE"_s << u"Clothing stores (men's and women's)"_s << 102;
        row("French accented name") << u"IndustryDescriptionF"_s << u"Épiceries"_s << 101;
        row("code") << u"SIC"_s << u"5621 5631"_s << 103;
        row("no such name") << u"IndustryDescriptionE"_s << u"Mines"_s << 0;
        row("Null never equals") << u"DEFINITIONSF"_s << QString() << 0;
    }
}

void TestIndustrySearch::pickByNameOrCode()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(QString, engine);
    QFETCH(QString, column);
    QFETCH(QString, text);
    QFETCH(int, industry);
    auto database = openEditionDatabase(fixtures().path(engine, u"edition-one-year"_s));
    auto data = readIndustryTable(*database, EditionKind::OneYear);
    data->setPosition(4);
    QCOMPARE(findRow(*data, column, text), industry != 0);
    const int expected = industry != 0 ? industry : 201; // row 4 holds 201
    QCOMPARE(static_cast<int>(data->Field(u"Industry").toDouble()), expected);
}

// ---- failures ---------------------------------------------------------------------------

void TestIndustrySearch::openFailures_data()
{
    QTest::addColumn<QString>("file");   // built in the scratch folder by openFailures
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    using K = EditionProblem::Kind;
    QTest::newRow("no edition selected") << QString() << int(K::NoEdition) << QString() << QString();
    QTest::newRow("missing file") << u"missing.mdb"_s << int(K::CannotOpen) << QString() << QString();
    QTest::newRow("empty file") << u"empty.mdb"_s << int(K::NotADatabase) << QString() << QString();
    QTest::newRow("random bytes") << u"random.mdb"_s << int(K::NotADatabase) << QString() << QString();
    QTest::newRow("Access, truncated") << u"access-truncated.mdb"_s << int(K::NotADatabase) << QString() << QString();
    QTest::newRow("Access, pages overwritten") << u"access-damaged.mdb"_s << int(K::NotADatabase) << QString() << QString();
    QTest::newRow("SQLite, truncated") << u"sqlite-truncated.mdb"_s << int(K::NotADatabase) << QString() << QString();
    QTest::newRow("no Category table") << u"no-category.mdb"_s << int(K::NoTable) << u"Category"_s << QString();
    QTest::newRow("no definitions column") << u"no-column.mdb"_s << int(K::NoColumn) << u"KIV_DATA"_s << u"DEFINITIONSF"_s;
    QTest::newRow("three-year columns for a one-year edition") << u"three-as-one.mdb"_s << int(K::NoColumn) << u"KIV_DATA"_s << u"NumberOfFirms"_s;
    QTest::newRow("no industry") << u"no-industry.mdb"_s << int(K::NoIndustry) << QString() << QString();
}

namespace {
// Builds the broken editions from the fixtures.
QString brokenEdition(const QString& name)
{
    Fixtures& f = fixtures();
    const QString path = f.scratch(name);
    if (name.isEmpty() || QFile::exists(path) || name == u"missing.mdb")
        return name.isEmpty() ? QString() : path;
    auto write = [&](const QByteArray& bytes) {
        QFile out(path);
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    };
    auto read = [](const QString& p) {
        QFile in(p);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    };
    const QByteArray access = read(f.path(u"access"_s, u"edition-one-year"_s));
    const QByteArray sqlite = read(f.path(u"sqlite"_s, u"edition-one-year"_s));
    if (name == u"empty.mdb") {
        write(QByteArray());
    } else if (name == u"random.mdb") {
        QByteArray bytes(8192, '\0');
        quint32 x = 12345;
        for (char& c : bytes) {
            x = x * 1103515245u + 12345u;
            c = static_cast<char>(x >> 24);
        }
        write(bytes);
    } else if (name == u"access-truncated.mdb") {
        write(access.left(4096 * 3));
    } else if (name == u"access-damaged.mdb") {
        QByteArray bytes = access;
        for (qsizetype i = 4096; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>((i * 7919) & 0xff);
        write(bytes);
    } else if (name == u"sqlite-truncated.mdb") {
        write(sqlite.left(sqlite.size() / 3));
    } else {
        // SQLite editions written from the fixture's dumps, with a part taken away.
        const QString dumps = kivtest::jetFixture(u"edition-one-year.mdb"_s);
        std::vector<kiv::db::TableData> tables;
        for (const kiv::db::CsvTableSource& s : kiv::db::csvDumpsOf(dumps))
            tables.push_back(kiv::db::readCsvTable(s.table, s.csvPath));
        if (name == u"three-as-one.mdb") {
            for (const kiv::db::CsvTableSource& s : kiv::db::csvDumpsOf(kivtest::jetFixture(u"edition-three-year.mdb"_s)))
                tables.push_back(kiv::db::readCsvTable(s.table, s.csvPath));
            tables.erase(tables.begin(), tables.begin() + 2);
        }
        for (auto it = tables.begin(); it != tables.end();) {
            if (name == u"no-category.mdb" && it->name == u"Category") {
                it = tables.erase(it);
                continue;
            }
            if (name == u"no-column.mdb" && it->name == u"KIV_DATA") {
                it->columns.erase(it->columns.begin() + 5);
                for (auto& row : it->rows)
                    row.erase(row.begin() + 5);
            }
            if (name == u"no-industry.mdb" && it->name == u"KIV_DATA")
                it->rows.clear();
            ++it;
        }
        kiv::db::writeDatabase(path, tables);
    }
    return path;
}
} // namespace

void TestIndustrySearch::openFailures()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(int, kind);
    QFETCH(QString, table);
    QFETCH(QString, column);
    const QString path = brokenEdition(file);
    try {
        auto database = openEditionDatabase(path);
        readIndustryTable(*database, EditionKind::OneYear);
        readSectorTable(*database);
        QFAIL("the edition opened");
    } catch (const EditionError& e) {
        const EditionProblem& p = e.problem();
        QCOMPARE(int(p.kind), kind);
        QCOMPARE(p.file, path);
        QCOMPARE(p.table, table);
        QCOMPARE(p.column, column);
    }
}

void TestIndustrySearch::messageNamesTheFile()
{
    EditionProblem p;
    p.kind = EditionProblem::Kind::NoColumn;
    p.file = u"/data/kiv_vol1.mdb"_s;
    p.table = u"KIV_DATA"_s;
    p.column = u"SIC"_s;
    const QString en = problemMessage(p, 0);
    const QString fr = problemMessage(p, 1);
    for (const QString& m : {en, fr}) {
        QVERIFY2(m.contains(p.file), qPrintable(m));
        QVERIFY2(m.contains(u"KIV_DATA"_s) && m.contains(u"SIC"_s), qPrintable(m));
    }
    QVERIFY(en.contains(u"edition menu"_s));
    QVERIFY(fr.contains(u"menu des éditions"_s));
    p.kind = EditionProblem::Kind::NoEdition;
    QVERIFY(problemMessage(p, 0) != problemMessage(p, 1));
}

KIV_TEST_MAIN(TestIndustrySearch)
#include "tst_industry_search.moc"
