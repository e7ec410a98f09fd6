// The sample editions and the delivered stores of the program folder, as the build made them:
// the whole schema of their kind, figures the comparison windows can use, the texts that test
// the search and the queries.
#include "platform/db/database.h"
#include "platform/db/edition_schema.h"
#include "shell/editions.h"
#include "test_support.h"

#include <QDir>
#include <QSet>

#include <cmath>

using namespace kiv::db;

class TestSampleEditions : public QObject {
    Q_OBJECT
private slots:
    void editionsPresent();
    void schemaAndFigures_data();
    void schemaAndFigures();
    void deliveredStores_data();
    void deliveredStores();
};

namespace {

QString programFile(const QString& name)
{
    return QDir(kivtest::programDir()).filePath(name);
}

// The quartile triples of a row: column names of Q1, Q2, Q3.
std::vector<QStringList> triples(const QStringList& quartiles)
{
    std::vector<QStringList> out;
    for (qsizetype i = 0; i + 2 < quartiles.size(); i += 3)
        out.push_back(quartiles.mid(i, 3));
    return out;
}

} // namespace

void TestSampleEditions::editionsPresent()
{
    // Every sample file carries the database name of its row of the edition table.
    QStringList found;
    for (const kiv::Edition& e : kiv::editions())
        if (e.database && QFile::exists(programFile(QString::fromUtf16(e.database))))
            found << QString::fromUtf16(e.option);
    QCOMPARE(found, (QStringList{u"optVol1"_qs, u"optVol2"_qs, u"optVol3"_qs, u"optOntario"_qs}));
    const QStringList other = QDir(kivtest::programDir()).entryList({QString::fromUtf16(kiv::kOtherPrefix) + u"*.mdb"_qs}, QDir::Files);
    QCOMPARE(other, QStringList{u"KIV_OTHER_Sample.mdb"_qs});
}

void TestSampleEditions::schemaAndFigures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("oneYear");
    QTest::newRow("Volume 1") << u"kiv_vol1.mdb"_qs << true;
    QTest::newRow("Volume 2") << u"kiv_vol2.mdb"_qs << true;
    QTest::newRow("Volume 3") << u"kiv_vol3.mdb"_qs << false;
    QTest::newRow("Ontario") << u"kiv_ON.mdb"_qs << false;
    QTest::newRow("other") << u"KIV_OTHER_Sample.mdb"_qs << false;
}

void TestSampleEditions::schemaAndFigures()
{
    QFETCH(QString, file);
    QFETCH(bool, oneYear);
    auto db = Database::open(programFile(file), true);
    QCOMPARE(db->engine(), Database::Engine::SQLite);

    auto sectors = db->openSnapshot(u"Category"_qs);
    QCOMPARE(sectors->columnNames(), schema::categoryColumns());
    QVERIFY(sectors->rowCount() >= 3);
    QSet<QString> codes, sectorNamesE, sectorNamesF;
    for (int r = 0; r < sectors->rowCount(); ++r) {
        codes << sectors->value(r, 0).toText();
        sectorNamesE << sectors->value(r, 1).toText();
        sectorNamesF << sectors->value(r, 2).toText();
    }
    QCOMPARE(sectorNamesE.size(), sectors->rowCount());
    QCOMPARE(sectorNamesF.size(), sectors->rowCount());

    auto data = db->openSnapshot(u"KIV_DATA"_qs);
    QCOMPARE(data->columnNames(), oneYear ? schema::oneYearKivDataColumns() : schema::threeYearKivDataColumns());
    QVERIFY(data->rowCount() >= 20);

    const QStringList quartiles = oneYear ? schema::oneYearQuartileColumns() : schema::threeYearQuartileColumns();
    QSet<QString> usedSectors, namesE, namesF;
    int zeroMedians = 0, nullFrench = 0, notApplicable = 0, apostrophes = 0, doubleQuotes = 0;
    for (int r = 0; r < data->rowCount(); ++r) {
        const QString row = u"row "_qs + QString::number(r) + u": "_qs;
        auto at = [&](const QString& c) { return data->value(r, c); };
        QVERIFY2(at(u"Industry"_qs).isNumber(), qPrintable(row + u"Industry"_qs));
        for (const QString& c : {u"SIC"_qs, u"IndustryDescriptionE"_qs, u"IndustryDescriptionF"_qs, u"DEFINITIONSE"_qs, u"Category"_qs})
            QVERIFY2(at(c).isText() && !at(c).toText().isEmpty(), qPrintable(row + c));
        QVERIFY(at(u"DEFINITIONSE"_qs).toText().startsWith(u"Sample data. "_qs));
        if (at(u"DEFINITIONSF"_qs).isNull())
            ++nullFrench;
        else
            QVERIFY(at(u"DEFINITIONSF"_qs).toText().startsWith(u"Données d'exemple. "_qs));
        usedSectors << at(u"Category"_qs).toText();
        namesE << at(u"IndustryDescriptionE"_qs).toText();
        namesF << at(u"IndustryDescriptionF"_qs).toText();
        notApplicable += sameText(at(u"SIC"_qs).toText(), u"not applicable") ? 1 : 0;
        apostrophes += at(u"IndustryDescriptionE"_qs).toText().contains(u'\'') ? 1 : 0;
        doubleQuotes += at(u"IndustryDescriptionE"_qs).toText().contains(u'"') ? 1 : 0;

        for (const QStringList& t : triples(quartiles)) {
            const double q1 = at(t[0]).toDouble(), q2 = at(t[1]).toDouble(), q3 = at(t[2]).toDouble();
            QVERIFY2(at(t[0]).isNumber() && !at(t[0]).isSingle(), qPrintable(row + t[0]));
            QVERIFY2(q1 <= q2 && q2 <= q3, qPrintable(row + t.join(u' ') + u" not ascending"_qs));
            const QString stem = t[0].left(t[0].indexOf(u'Q'));
            const bool percent = (oneYear ? schema::oneYearPercentStems() : schema::threeYearPercentStems()).contains(stem);
            if (!percent)
                QVERIFY2(q1 >= 0 && (!sameText(stem, u"Lta") || q3 < 1), qPrintable(row + t.join(u' ') + u" not a plain ratio"_qs));
            if (q2 == 0)
                ++zeroMedians;
        }
        if (oneYear) {
            QVERIFY(at(u"NumberOfFirms"_qs).toDouble() >= 1);
            for (const QString& c : schema::balanceSheetColumns())
                QVERIFY2(at(c).isSingle(), qPrintable(row + c));
            auto sum = [&](std::initializer_list<const char16_t*> items) {
                double s = 0;
                for (const char16_t* i : items)
                    s += at(QString::fromUtf16(i)).toDouble();
                return s;
            };
            auto near = [](double a, double b) { return std::fabs(a - b) < 0.01; };
            QCOMPARE(at(u"TOTASS"_qs).toDouble(), 100.0);
            QCOMPARE(at(u"TOTLSE"_qs).toDouble(), 100.0);
            QVERIFY(near(sum({u"A11", u"A12", u"A13", u"A18", u"A19"}), at(u"TOTOA"_qs).toDouble()));
            QVERIFY(near(sum({u"TOTOA", u"A14", u"A151617"}), 100));
            QVERIFY(near(sum({u"A22", u"A25100", u"A25200", u"A25500", u"A25400", u"A25180", u"A24", u"A2329", u"A27"}),
                         at(u"TOTLIAB"_qs).toDouble()));
            QVERIFY(near(sum({u"A31", u"A38", u"A283334"}), at(u"TOTSE"_qs).toDouble()));
            QVERIFY(near(sum({u"TOTLIAB", u"TOTSE"}), 100));
            QVERIFY(at(u"CURASS"_qs).toDouble() <= at(u"TOTOA"_qs).toDouble());
            QVERIFY(at(u"CURLIAB"_qs).toDouble() <= at(u"TOTLIAB"_qs).toDouble());
        }
    }
    QCOMPARE(usedSectors, codes); // every sector has an industry, every industry a sector
    QCOMPARE(namesE.size(), data->rowCount());
    QCOMPARE(namesF.size(), data->rowCount());
    QVERIFY(zeroMedians >= 2);
    QVERIFY(nullFrench >= 1);
    QVERIFY(notApplicable >= 1);
    QVERIFY(apostrophes >= 1);
    QVERIFY(doubleQuotes >= 1);
}

void TestSampleEditions::deliveredStores_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("one-year") << u"kiv_MyValue_v12.mdb"_qs << u"MyValue_v12"_qs << schema::myValueV12Columns();
    QTest::newRow("three-year") << u"kiv_MyValue_v3.mdb"_qs << u"MyValue_v3"_qs << schema::myValueV3Columns();
}

void TestSampleEditions::deliveredStores()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    auto db = Database::open(programFile(file), false);
    QCOMPARE(db->tableNames(), QStringList{table});
    auto snap = db->openSnapshot(table);
    QCOMPARE(snap->columnNames(), columns);
    QCOMPARE(snap->rowCount(), 1);
    for (int c = 0; c < columns.size(); ++c) {
        QVERIFY(snap->value(0, c).isNumber() && !snap->value(0, c).isSingle());
        QCOMPARE(snap->value(0, c).toText(), u"0"_qs);
    }
}

KIV_TEST_MAIN(TestSampleEditions)
#include "tst_sample_editions.moc"
