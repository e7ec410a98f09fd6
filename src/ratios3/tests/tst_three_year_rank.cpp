#include "../../ratios/tests/position_helpers.h"
#include "ratios3/three_year_rank.h"
#include "test_support.h"

using namespace Qt::StringLiterals;
using kiv::IndustryQuartiles;
using kiv::QuartilePosition;
using kiv::RankColumn;

class TestThreeYearRank : public QObject {
    Q_OBJECT
private slots:
    void rank_data();
    void rank();
    void rulesByRatio();
};

// Quartile texts as the cell's labels hold them: the better boundary, the median, the worse
// boundary (for liabilities to assets the better boundary is the lower value).
void TestThreeYearRank::rank_data()
{
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("firm");
    QTest::addColumn<QString>("betterBoundary");
    QTest::addColumn<QString>("median");
    QTest::addColumn<QString>("worseBoundary");
    QTest::addColumn<QuartilePosition>("expected");
    const QString dots = u"..."_s;
    auto row = [](const char* name, const char* ratio, const QString& firm, const char* b, const char* m, const char* w,
                  const QuartilePosition& expected) {
        QTest::newRow(name) << QString::fromLatin1(ratio) << firm << QString::fromLatin1(b) << QString::fromLatin1(m)
                            << QString::fromLatin1(w) << expected;
    };

    // No firm ratio, or no quartiles: "..." in the better column, in the worse one for
    // liabilities to assets.
    row("firm ... Npm", "Npm", dots, "15.00", "10.00", "5.00", better(dots));
    row("firm ... Roe no quartiles", "Roe", dots, "0.00", "...", "0.00", better(dots));
    row("firm ... Lta", "Lta", dots, "0.40", "0.55", "0.70", worse(dots));
    row("no quartiles Gpm", "Gpm", u"12.00"_s, "0.00", "...", "0.00", better(dots));
    row("no quartiles Lta", "Lta", u"0.50"_s, "0.00", "...", "0.00", worse(dots));
    row("no quartiles, negative zero", "Ppa", u"3.00"_s, "-0.00", "...", "0.00", better(dots));

    // A firm ratio of zero is ranked like any other value.
    row("firm 0.00 Npm", "Npm", u"0.00"_s, "15.00", "10.00", "5.00", worse(u"75"_s));
    row("firm 0.00 Lta", "Lta", u"0.00"_s, "0.40", "0.55", "0.70", better(u"75"_s));
    row("firm empty Ppm", "Ppm", QString(), "15.00", "10.00", "5.00", worse(u"75"_s));

    // Only the median known: a tie with it on the better side for both rules.
    row("median only Npm at", "Npm", u"5.00"_s, "0.00", "5.00", "0.00", better(u"50"_s));
    row("median only Npm below", "Npm", u"4.99"_s, "0.00", "5.00", "0.00", worse(u"50"_s));
    row("median only Lta at", "Lta", u"0.60"_s, "0.00", "0.60", "0.00", better(u"50"_s));
    row("median only Lta below", "Lta", u"0.59"_s, "0.00", "0.60", "0.00", better(u"50"_s));
    row("median only Lta above", "Lta", u"0.61"_s, "0.00", "0.60", "0.00", worse(u"50"_s));
    row("median only Npm firm 0.00", "Npm", u"0.00"_s, "0.00", "5.00", "0.00", worse(u"50"_s));

    // One zero boundary is a real boundary.
    row("zero worse boundary 0.00", "Npm", u"0.00"_s, "8.00", "3.00", "0.00", better(u"25"_s));
    row("zero worse boundary -0.01", "Npm", u"-0.01"_s, "8.00", "3.00", "0.00", worse(u"75"_s));
    row("zero worse boundary 3.00", "Npm", u"3.00"_s, "8.00", "3.00", "0.00", better(u"50"_s));
    row("zero worse boundary 8.00", "Npm", u"8.00"_s, "8.00", "3.00", "0.00", better(u"75"_s));

    // Bands of liabilities to assets, ties on the better side.
    row("Lta 0.40", "Lta", u"0.40"_s, "0.40", "0.55", "0.70", better(u"75"_s));
    row("Lta 0.41", "Lta", u"0.41"_s, "0.40", "0.55", "0.70", better(u"50"_s));
    row("Lta 0.55", "Lta", u"0.55"_s, "0.40", "0.55", "0.70", better(u"50"_s));
    row("Lta 0.56", "Lta", u"0.56"_s, "0.40", "0.55", "0.70", better(u"25"_s));
    row("Lta 0.70", "Lta", u"0.70"_s, "0.40", "0.55", "0.70", better(u"25"_s));
    row("Lta 0.71", "Lta", u"0.71"_s, "0.40", "0.55", "0.70", worse(u"75"_s));

    // 2^24 and the next whole number are one single-precision value: a tie, whichever is the firm's.
    row("single tie firm below", "Npm", u"16777216.00"_s, "16777217.00", "100.00", "1.00", better(u"75"_s));
    row("single tie at the median", "Npm", u"16777216.00"_s, "100000000.00", "16777217.00", "1.00", better(u"50"_s));
    row("single tie Lta", "Lta", u"16777217.00"_s, "16777216.00", "20000000.00", "30000000.00", better(u"75"_s));
    row("single tie worse boundary", "Roe", u"16777216.00"_s, "30000000.00", "20000000.00", "16777217.00", better(u"25"_s));

    // A zero median shown "..." counts as 0; negative values keep their sign.
    row("median ... 0.00", "Npm", u"0.00"_s, "4.00", "...", "-2.00", better(u"50"_s));
    row("median ... -0.50", "Npm", u"-0.50"_s, "4.00", "...", "-2.00", better(u"25"_s));
    row("negative -3.00", "Ppm", u"-3.00"_s, "-1.00", "-3.00", "-5.00", better(u"50"_s));
    row("negative -6.00", "Ppm", u"-6.00"_s, "-1.00", "-3.00", "-5.00", worse(u"75"_s));

    // Quartiles out of order: the steps as they stand.
    row("unordered", "Gpm", u"3.00"_s, "2.00", "5.00", "8.00", better(u"75"_s));
    row("unordered Lta", "Lta", u"0.90"_s, "0.95", "0.50", "0.80", better(u"75"_s));
}

void TestThreeYearRank::rank()
{
    QFETCH(QString, ratio);
    QFETCH(QString, firm);
    QFETCH(QString, betterBoundary);
    QFETCH(QString, median);
    QFETCH(QString, worseBoundary);
    QFETCH(QuartilePosition, expected);
    const auto rule = kiv::threeYearRankRule(ratio);
    QVERIFY(rule);
    QCOMPARE(kiv::RankAgainstQuartiles(firm, IndustryQuartiles{worseBoundary, median, betterBoundary}, *rule), expected);
}

void TestThreeYearRank::rulesByRatio()
{
    using kiv::ThreeYearRule;
    for (const char16_t* code : {u"Npm", u"Ppm", u"Gpm", u"Ppa", u"Roe"})
        QCOMPARE(kiv::threeYearRankRule(code), ThreeYearRule::HigherIsBetter);
    QCOMPARE(kiv::threeYearRankRule(u"Lta"), ThreeYearRule::LowerIsBetter);
    QVERIFY(!kiv::threeYearRankRule(u"Opm"));
    QVERIFY(!kiv::threeYearRankRule(u"De"));
    QCOMPARE(kiv::placeholderColumn(ThreeYearRule::LowerIsBetter), RankColumn::Worse);
    QCOMPARE(kiv::placeholderColumn(ThreeYearRule::HigherIsBetter), RankColumn::Better);
}

KIV_TEST_MAIN(TestThreeYearRank)
#include "tst_three_year_rank.moc"
