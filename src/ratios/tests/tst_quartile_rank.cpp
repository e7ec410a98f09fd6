#include "position_helpers.h"
#include "ratios/quartile_rank.h"
#include "values/company_ratios.h"
#include "test_support.h"

using namespace Qt::StringLiterals;
using kiv::IndustryQuartiles;
using kiv::QuartilePosition;

class TestQuartileRank : public QObject {
    Q_OBJECT
private slots:
    void rank_data();
    void rank();
    void arrangement_data();
    void arrangement();
    void zeroMedian_data();
    void zeroMedian();
    void rulesByRatio();
};

// Quartile texts are given as the Q1, Q2 and Q3 labels hold them, after the crossing of the two
// ratios where lower is better (their Q1 label holds the higher boundary).
void TestQuartileRank::rank_data()
{
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("firm");
    QTest::addColumn<QString>("q1");
    QTest::addColumn<QString>("q2");
    QTest::addColumn<QString>("q3");
    QTest::addColumn<QuartilePosition>("expected");
    const QString dots = u"..."_s;
    auto row = [](const char* name, const char* ratio, const QString& firm, const char* q1, const char* q2, const char* q3,
                  const QuartilePosition& expected) {
        QTest::newRow(name) << QString::fromLatin1(ratio) << firm << QString::fromLatin1(q1) << QString::fromLatin1(q2)
                            << QString::fromLatin1(q3) << expected;
    };

    // No firm ratio: "...", a zero, a negative zero or nothing.
    for (const char* r : {"Npm", "Opm", "Lta", "De"}) {
        QTest::addRow("firm ... %s", r) << QString::fromLatin1(r) << dots << u"5.00"_s << u"10.00"_s << u"15.00"_s << better(dots);
        QTest::addRow("firm 0.00 %s", r) << QString::fromLatin1(r) << u"0.00"_s << u"5.00"_s << u"10.00"_s << u"15.00"_s << better(dots);
        QTest::addRow("firm empty %s", r) << QString::fromLatin1(r) << QString() << u"5.00"_s << u"10.00"_s << u"15.00"_s << better(dots);
    }
    row("firm -0.00 Npm", "Npm", u"-0.00"_s, "5.00", "10.00", "15.00", better(dots));

    // No quartiles: all three read 0, whatever the firm's ratio.
    row("no quartiles Npm", "Npm", u"7.00"_s, "0.00", "...", "0.00", better(dots));
    row("no quartiles Ic", "Ic", u"-2.00"_s, "0.00", "0.00", "0.00", better(dots));
    row("no quartiles Lta", "Lta", u"0.40"_s, "0.00", "...", "0.00", worse(dots));
    row("no quartiles Lta firm ...", "Lta", dots, "0.00", "...", "0.00", worse(dots));
    row("no quartiles De firm 0.00", "De", u"0.00"_s, "0.00", "...", "0.00", worse(dots));
    row("no quartiles De negative", "De", u"-3.00"_s, "0.00", "...", "0.00", worse(dots));

    // A zero median shown "..." between real boundaries counts as 0.
    row("median ... Npm 1.00", "Npm", u"1.00"_s, "-5.00", "...", "3.00", better(u"50"_s));
    row("median ... Npm -1.00", "Npm", u"-1.00"_s, "-5.00", "...", "3.00", better(u"25"_s));

    // One zero boundary is a boundary like any other.
    row("zero Q3 Npm 7.00", "Npm", u"7.00"_s, "5.00", "10.00", "0.00", better(u"75"_s));
    row("zero Q3 Npm -1.00", "Npm", u"-1.00"_s, "5.00", "10.00", "0.00", worse(u"75"_s));

    // Only the median known.
    row("median only Npm at", "Npm", u"12.00"_s, "0.00", "12.00", "0.00", better(u"50"_s));
    row("median only Npm below", "Npm", u"11.99"_s, "0.00", "12.00", "0.00", worse(u"50"_s));
    row("median only Opm below", "Opm", u"11.99"_s, "0.00", "12.00", "0.00", worse(u"50"_s));
    row("median only Lta at", "Lta", u"12.00"_s, "0.00", "12.00", "0.00", worse(u"50"_s));
    row("median only Lta below", "Lta", u"11.99"_s, "0.00", "12.00", "0.00", better(u"50"_s));
    row("median only De at", "De", u"12.00"_s, "0.00", "12.00", "0.00", better(u"50"_s));
    row("median only De below", "De", u"0.50"_s, "0.00", "12.00", "0.00", better(u"50"_s));
    row("median only De above", "De", u"12.01"_s, "0.00", "12.00", "0.00", worse(u"50"_s));
    row("median only De negative", "De", u"-3.00"_s, "0.00", "12.00", "0.00", worse(u"50"_s));
    row("median only De negative median", "De", u"0.50"_s, "0.00", "-1.00", "0.00", worse(u"50"_s));

    // Bands, a tie on the better side of every boundary.
    row("Npm 15.00", "Npm", u"15.00"_s, "5.00", "10.00", "15.00", better(u"75"_s));
    row("Npm 15.01", "Npm", u"15.01"_s, "5.00", "10.00", "15.00", better(u"75"_s));
    row("Npm 10.00", "Npm", u"10.00"_s, "5.00", "10.00", "15.00", better(u"50"_s));
    row("Npm 5.00", "Npm", u"5.00"_s, "5.00", "10.00", "15.00", better(u"25"_s));
    row("Npm 4.99", "Npm", u"4.99"_s, "5.00", "10.00", "15.00", worse(u"75"_s));
    row("Opm 7.00", "Opm", u"7.00"_s, "5.00", "10.00", "15.00", better(u"25"_s));
    row("Opm 5.00", "Opm", u"5.00"_s, "5.00", "10.00", "15.00", better(u"25"_s));
    row("Opm 4.99", "Opm", u"4.99"_s, "5.00", "10.00", "15.00", worse(u"75"_s));
    row("Lta 0.40", "Lta", u"0.40"_s, "0.70", "0.55", "0.40", better(u"75"_s));
    row("Lta 0.55", "Lta", u"0.55"_s, "0.70", "0.55", "0.40", better(u"50"_s));
    row("Lta 0.70", "Lta", u"0.70"_s, "0.70", "0.55", "0.40", better(u"25"_s));
    row("Lta 0.71", "Lta", u"0.71"_s, "0.70", "0.55", "0.40", worse(u"75"_s));

    // Debt to equity: a negative ratio is never on the better side.
    row("De -0.30", "De", u"-0.30"_s, "2.00", "1.00", "0.50", worse(u"75"_s));
    row("De 0.30", "De", u"0.30"_s, "2.00", "1.00", "0.50", better(u"75"_s));
    row("De 0.50", "De", u"0.50"_s, "2.00", "1.00", "0.50", better(u"75"_s));
    row("De 1.00", "De", u"1.00"_s, "2.00", "1.00", "0.50", better(u"50"_s));
    row("De 2.00", "De", u"2.00"_s, "2.00", "1.00", "0.50", better(u"25"_s));
    row("De 2.01", "De", u"2.01"_s, "2.00", "1.00", "0.50", worse(u"75"_s));

    // Negative boundaries are compared as numbers.
    row("Npm negative Q1 -1.00", "Npm", u"-1.00"_s, "-2.00", "1.50", "4.00", better(u"25"_s));
    row("Npm negative Q1 -3.00", "Npm", u"-3.00"_s, "-2.00", "1.50", "4.00", worse(u"75"_s));

    // 131072.01 and 131072.02 round to one single-precision value: a tie for every ratio but the
    // operating profit margin, whose band below the median compares the values as read.
    row("single tie Npm", "Npm", u"131072.01"_s, "131072.02", "200000.00", "300000.00", better(u"25"_s));
    row("single tie Ppm", "Ppm", u"131072.01"_s, "131072.02", "200000.00", "300000.00", better(u"25"_s));
    row("single tie Opm", "Opm", u"131072.01"_s, "131072.02", "200000.00", "300000.00", worse(u"75"_s));
    row("double tie Opm", "Opm", u"131072.02"_s, "131072.02", "200000.00", "300000.00", better(u"25"_s));
    // The same rounding at the median: a tie there for Opm as well.
    row("single tie Opm median", "Opm", u"131072.01"_s, "100000.00", "131072.02", "300000.00", better(u"50"_s));

    // The leading-number parse: a comma ends the number, blanks are skipped.
    row("comma Npm", "Npm", u"12,75"_s, "5.00", "12.50", "15.00", better(u"25"_s));
    row("comma tie Npm", "Npm", u"12,01"_s, "5.00", "12,99", "15.00", better(u"50"_s));
    row("blank inside Npm", "Npm", u"1 2.50"_s, "5.00", "10.00", "15.00", better(u"50"_s));
    row("leading blank Npm", "Npm", u" 4.99"_s, "5.00", "10.00", "15.00", worse(u"75"_s));

    // Beyond the single-precision range a value counts as infinite.
    row("huge Npm", "Npm", u"1E39"_s, "5.00", "10.00", "15.00", better(u"75"_s));
    row("huge negative Npm", "Npm", u"-1E39"_s, "5.00", "10.00", "15.00", worse(u"75"_s));
}

void TestQuartileRank::rank()
{
    QFETCH(QString, ratio);
    QFETCH(QString, firm);
    QFETCH(QString, q1);
    QFETCH(QString, q2);
    QFETCH(QString, q3);
    QFETCH(QuartilePosition, expected);
    const auto rule = kiv::oneYearRankRule(ratio);
    QVERIFY(rule);
    QCOMPARE(kiv::RankAgainstQuartiles(firm, IndustryQuartiles{q1, q2, q3}, *rule), expected);
}

// From the stored columns (first quartile, median, third quartile) to the three labels.
void TestQuartileRank::arrangement_data()
{
    QTest::addColumn<double>("stored1");
    QTest::addColumn<double>("stored2");
    QTest::addColumn<double>("stored3");
    QTest::addColumn<bool>("lowerIsBetter");
    QTest::addColumn<IndustryQuartiles>("labels");
    QTest::newRow("higher is better") << 3.5 << 5.0 << 7.25 << false << IndustryQuartiles{u"3.50"_s, u"5.00"_s, u"7.25"_s};
    QTest::newRow("debt to equity crossed") << 0.5 << 1.2 << 2.4 << true << IndustryQuartiles{u"2.40"_s, u"1.20"_s, u"0.50"_s};
    QTest::newRow("liabilities to assets crossed")
        << 0.35 << 0.5 << 0.75 << true << IndustryQuartiles{u"0.75"_s, u"0.50"_s, u"0.35"_s};
    QTest::newRow("zero median") << 0.0 << 0.0 << 4.0 << false << IndustryQuartiles{u"0.00"_s, u"..."_s, u"4.00"_s};
    QTest::newRow("median rounding to zero") << -1.0 << 0.004 << 1.0 << false << IndustryQuartiles{u"-1.00"_s, u"..."_s, u"1.00"_s};
    QTest::newRow("median of 0.01") << -1.0 << 0.01 << 1.0 << false << IndustryQuartiles{u"-1.00"_s, u"0.01"_s, u"1.00"_s};
    QTest::newRow("zero median crossed") << 0.2 << 0.0 << 0.0 << true << IndustryQuartiles{u"0.00"_s, u"..."_s, u"0.20"_s};
    QTest::newRow("halves from the stored digits")
        << -2.675 << 1.005 << 2.675 << false << IndustryQuartiles{u"-2.68"_s, u"1.01"_s, u"2.68"_s};
    QTest::newRow("large, negative, whole")
        << -3.456 << 12345.678 << 7.0 << false << IndustryQuartiles{u"-3.46"_s, u"12345.68"_s, u"7.00"_s};
}

void TestQuartileRank::arrangement()
{
    QFETCH(double, stored1);
    QFETCH(double, stored2);
    QFETCH(double, stored3);
    QFETCH(bool, lowerIsBetter);
    QFETCH(IndustryQuartiles, labels);
    QCOMPARE(kiv::arrangeQuartiles(stored1, stored2, stored3, lowerIsBetter), labels);
}

void TestQuartileRank::zeroMedian_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0.00") << u"0.00"_s << u"..."_s;
    QTest::newRow("-0.00") << u"-0.00"_s << u"..."_s;
    QTest::newRow("already marked") << u"..."_s << u"..."_s;
    QTest::newRow("empty") << QString() << u"..."_s;
    QTest::newRow("blank") << u" "_s << u"..."_s;
    QTest::newRow("comma") << u"0,50"_s << u"..."_s;
    QTest::newRow("smallest") << u"0.01"_s << u"0.01"_s;
    QTest::newRow("negative") << u"-1.50"_s << u"-1.50"_s;
    QTest::newRow("below single precision") << u"1E-50"_s << u"..."_s;
}

void TestQuartileRank::zeroMedian()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(kiv::MarkZeroMedian(text), shown);
}

// Every ratio the entry window computes has its rule, by the code of its labels.
void TestQuartileRank::rulesByRatio()
{
    using kiv::RankRule;
    const auto all = kiv::values::ratios();
    QCOMPARE(all.size(), std::size_t(15));
    for (const kiv::values::RatioInfo& r : all) {
        const QStringView code(r.code);
        const RankRule expected = code == u"Opm" ? RankRule::HigherIsBetterDoubleBand
                                  : code == u"De" ? RankRule::LowerIsBetterSignRule
                                  : code == u"Lta" ? RankRule::LowerIsBetter
                                                   : RankRule::HigherIsBetter;
        QCOMPARE(kiv::oneYearRankRule(code), expected);
    }
    QVERIFY(!kiv::oneYearRankRule(u"npm"));
    QVERIFY(!kiv::oneYearRankRule(u"Rce"));
}

KIV_TEST_MAIN(TestQuartileRank)
#include "tst_quartile_rank.moc"
