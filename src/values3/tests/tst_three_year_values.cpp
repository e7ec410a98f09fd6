// The three-year figures without the window: the entry rule, the balance test, the six ratios
// of each year and the printout.
#include "test_support.h"
#include "values3/three_year_printout.h"
#include "values3/three_year_values.h"

using namespace kiv::values3;
using namespace Qt::StringLiterals;

namespace {

// Every amount "0" but the ones given, by box name.
Amounts amountsWith(std::initializer_list<std::pair<const char*, const char*>> values)
{
    Texts texts;
    texts.fill(QStringLiteral("0"));
    const QStringList names = boxNames();
    for (const auto& [box, text] : values) {
        const auto at = names.indexOf(QString::fromLatin1(box));
        Q_ASSERT(at >= 0);
        texts[static_cast<std::size_t>(at)] = QString::fromUtf8(text);
    }
    const ReadFigures figures = readFigures(texts);
    Q_ASSERT(figures.amounts);
    return *figures.amounts;
}

} // namespace

class TestThreeYearValues : public QObject {
    Q_OBJECT
private slots:
    void amountRule_data();
    void amountRule();
    void balance_data();
    void balance();
    void balanceMessage_data();
    void balanceMessage();
    void ratios_data();
    void ratios();
    void ratiosOfEachYear();
    void unreadableOperands();
    void printout_data();
    void printout();
};

// A text is accepted only when it reads whole as one number within the amount range; the box
// then holds it rounded to four decimals from its typed digits, halves to even.
void TestThreeYearValues::amountRule_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept"); // empty: refused
    const QString refused;
    QTest::newRow("exponent") << u"1E3"_s << u"1000"_s;
    QTest::newRow("five decimals") << u"12.34567"_s << u"12.3457"_s;
    QTest::newRow("trailing zero") << u"1.50"_s << u"1.5"_s;
    QTest::newRow("no integer digit") << u".5"_s << u"0.5"_s;
    QTest::newRow("negative fraction") << u"-.25"_s << u"-0.25"_s;
    QTest::newRow("leading zeros") << u"007"_s << u"7"_s;
    QTest::newRow("blanks around") << u"  42  "_s << u"42"_s;
    QTest::newRow("minus zero") << u"-0"_s << u"0"_s;
    QTest::newRow("rounds to zero") << u"-0.00001"_s << u"0"_s;
    QTest::newRow("half to even, down") << u"0.00025"_s << u"0.0002"_s;
    QTest::newRow("half to even, up") << u"0.00035"_s << u"0.0004"_s;
    QTest::newRow("no float error") << u"1.00005"_s << u"1"_s;
    QTest::newRow("largest amount") << u"922337203685477.5807"_s << u"922337203685477.5807"_s;
    QTest::newRow("smallest amount") << u"-922337203685477.5808"_s << u"-922337203685477.5808"_s;
    QTest::newRow("beyond the range") << u"922337203685477.5808"_s << refused;
    QTest::newRow("far beyond") << u"1E15"_s << refused;
    QTest::newRow("thousands separator") << u"1,234.5"_s << refused;
    QTest::newRow("parentheses") << u"(12)"_s << refused;
    QTest::newRow("sign after") << u"12-"_s << refused;
    QTest::newRow("currency sign") << u"$50"_s << refused;
    QTest::newRow("empty") << u""_s << refused;
    QTest::newRow("blanks only") << u"   "_s << refused;
    QTest::newRow("letter after") << u"12a"_s << refused;
    QTest::newRow("two periods") << u"1.2.3"_s << refused;
    QTest::newRow("word") << u"abc"_s << refused;
    QTest::newRow("decimal comma") << u"2,5"_s << refused;
}

void TestThreeYearValues::amountRule()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    const std::optional<QString> accepted = acceptedAmountText(typed);
    if (kept.isEmpty())
        QVERIFY2(!accepted, qPrintable(accepted.value_or(QString())));
    else
        QCOMPARE(accepted.value_or(QStringLiteral("(refused)")), kept);
}

// Liabilities plus equity, added exactly, against total assets, each rounded to single
// precision; the first failing year in the order 1999, 1998, 1997.
void TestThreeYearValues::balance_data()
{
    QTest::addColumn<QStringList>("year3"); // assets, liabilities, equity
    QTest::addColumn<QStringList>("year2");
    QTest::addColumn<QStringList>("year1");
    QTest::addColumn<int>("failing"); // -1: every year balances
    const QStringList zeros{u"0"_s, u"0"_s, u"0"_s};
    const QStringList good{u"1000"_s, u"650"_s, u"350"_s};
    QTest::newRow("all zero") << zeros << zeros << zeros << -1;
    QTest::newRow("exact in decimals") << QStringList{u"0.3"_s, u"0.1"_s, u"0.2"_s} << zeros << zeros << -1;
    QTest::newRow("differs beyond single precision") << QStringList{u"10000.0001"_s, u"10000"_s, u"0"_s} << zeros << zeros << -1;
    QTest::newRow("differs within single precision") << QStringList{u"10000.001"_s, u"10000"_s, u"0"_s} << zeros << zeros << 0;
    // Rounding liabilities and equity to single precision before adding them would refuse it.
    QTest::newRow("exact sum, single operands differ") << QStringList{u"27007449"_s, u"27005283"_s, u"2166"_s} << zeros << zeros << -1;
    QTest::newRow("negative equity") << QStringList{u"500"_s, u"800"_s, u"-300"_s} << good << good << -1;
    QTest::newRow("1998 fails, 1997 too") << good << QStringList{u"1000"_s, u"650"_s, u"351"_s} << QStringList{u"1"_s, u"2"_s, u"3"_s} << 1;
    QTest::newRow("only 1997 fails") << good << good << QStringList{u"1000"_s, u"1000"_s, u"0.5"_s} << 2;
    QTest::newRow("1999 fails first") << QStringList{u"1"_s, u"0"_s, u"0"_s} << QStringList{u"1"_s, u"0"_s, u"0"_s} << good << 0;
}

void TestThreeYearValues::balance()
{
    QFETCH(QStringList, year3);
    QFETCH(QStringList, year2);
    QFETCH(QStringList, year1);
    QFETCH(int, failing);
    Texts texts;
    texts.fill(QStringLiteral("0"));
    const QStringList columns[kYearCount] = {year3, year2, year1};
    for (int y = 0; y < kYearCount; ++y) {
        const Year year = static_cast<Year>(y);
        texts[static_cast<std::size_t>(amountIndex(year, Item::TotalAssets))] = columns[y][0];
        texts[static_cast<std::size_t>(amountIndex(year, Item::TotalLiabilities))] = columns[y][1];
        texts[static_cast<std::size_t>(amountIndex(year, Item::ShareholdersEquity))] = columns[y][2];
    }
    const ReadFigures figures = readFigures(texts);
    QVERIFY(figures.amounts);
    const std::optional<Year> year = firstUnbalancedYear(*figures.amounts);
    QCOMPARE(year ? static_cast<int>(*year) : -1, failing);
}

void TestThreeYearValues::balanceMessage_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("1999 English") << 0 << 0 << u"Total Assets is not equal Total Liabilities and Shareholders' Equity in 1999"_s;
    QTest::newRow("1998 English") << 1 << 0 << u"Total Assets is not equal Total Liabilities and Shareholders' Equity in 1998"_s;
    QTest::newRow("1997 French") << 2 << 1 << u"Total, Actifs n'égal pas le Total, Passifs et Capitaux Propres en 1997"_s;
}

void TestThreeYearValues::balanceMessage()
{
    QFETCH(int, year);
    QFETCH(int, language);
    QFETCH(QString, message);
    QCOMPARE(kiv::values3::balanceMessage(static_cast<Year>(year), language), message);
}

// The six ratios of the 1999 column, in label order: npm, ppm, gpm, ppa, lta, roe; every other
// amount is 0.
void TestThreeYearValues::ratios_data()
{
    QTest::addColumn<QStringList>("values"); // box=text
    QTest::addColumn<QStringList>("expected");
    const QString none = QStringLiteral("...");
    QTest::newRow("all zero") << QStringList{} << QStringList{none, none, none, none, none, none};
    QTest::newRow("percentages and a plain fraction")
        << QStringList{u"txtAfterTaxProfitYear3=12.5"_s, u"txtOperatingRevenueYear3=200"_s, u"txtPretaxProfitYear3=20"_s,
                       u"txtGrossProfitYear3=30"_s, u"txtSalesYear3=120"_s, u"txtTliabYear3=650"_s, u"txtTaYear3=1000"_s,
                       u"txtEquity1Year3=350"_s}
        << QStringList{u"6.25"_s, u"10.00"_s, u"25.00"_s, u"2.00"_s, u"0.65"_s, u"3.57"_s};
    QTest::newRow("no operating revenue")
        << QStringList{u"txtAfterTaxProfitYear3=5"_s, u"txtPretaxProfitYear3=7"_s, u"txtGrossProfitYear3=3"_s, u"txtSalesYear3=4"_s}
        << QStringList{none, none, u"75.00"_s, none, none, none};
    QTest::newRow("no total assets")
        << QStringList{u"txtTliabYear3=10"_s, u"txtPretaxProfitYear3=7"_s, u"txtOperatingRevenueYear3=70"_s, u"txtEquity1Year3=-10"_s}
        << QStringList{u"0.00"_s, u"10.00"_s, none, none, none, u"0.00"_s};
    QTest::newRow("no grouping, two decimals")
        << QStringList{u"txtAfterTaxProfitYear3=123456.78"_s, u"txtOperatingRevenueYear3=1000"_s}
        << QStringList{u"12345.68"_s, u"0.00"_s, none, none, none, none};
    QTest::newRow("negative ratio")
        << QStringList{u"txtAfterTaxProfitYear3=-3.5"_s, u"txtOperatingRevenueYear3=100"_s}
        << QStringList{u"-3.50"_s, u"0.00"_s, none, none, none, none};
    QTest::newRow("negative denominator gives a ratio")
        << QStringList{u"txtAfterTaxProfitYear3=10"_s, u"txtEquity1Year3=-200"_s, u"txtTaYear3=-200"_s}
        << QStringList{none, none, none, u"0.00"_s, u"0.00"_s, u"-5.00"_s};
    QTest::newRow("smallest denominator")
        << QStringList{u"txtGrossProfitYear3=1"_s, u"txtSalesYear3=0.0001"_s}
        << QStringList{none, none, u"1000000.00"_s, none, none, none};
    // 107 / 4000 x 100 is 2.675, which no double holds exactly: its own digits round up.
    QTest::newRow("half rounded from its digits")
        << QStringList{u"txtAfterTaxProfitYear3=107"_s, u"txtPretaxProfitYear3=-107"_s, u"txtOperatingRevenueYear3=4000"_s,
                       u"txtTliabYear3=1.005"_s, u"txtTaYear3=1"_s}
        << QStringList{u"2.68"_s, u"-2.68"_s, none, u"-10700.00"_s, u"1.01"_s, none};
    QTest::newRow("operating profit plays no part")
        << QStringList{u"txtOperatingProfitYear3=999"_s, u"txtOperatingRevenueYear3=10"_s}
        << QStringList{u"0.00"_s, u"0.00"_s, none, none, none, none};
}

void TestThreeYearValues::ratios()
{
    QFETCH(QStringList, values);
    QFETCH(QStringList, expected);
    Texts texts;
    texts.fill(QStringLiteral("0"));
    for (const QString& pair : values) {
        const qsizetype at = boxNames().indexOf(pair.section(u'=', 0, 0));
        QVERIFY2(at >= 0, qPrintable(pair));
        texts[static_cast<std::size_t>(at)] = pair.section(u'=', 1);
    }
    const ReadFigures figures = readFigures(texts);
    QVERIFY(figures.amounts);
    const RatioTexts ratios = ratioTexts(*figures.amounts);
    QStringList year3;
    for (int r = 0; r < kRatioCount; ++r)
        year3 << ratios[static_cast<std::size_t>(r)];
    QCOMPARE(year3, expected);
}

// Each year's ratios come from its own column and go to its own labels.
void TestThreeYearValues::ratiosOfEachYear()
{
    const Amounts amounts = amountsWith({{"txtAfterTaxProfitYear3", "3"}, {"txtOperatingRevenueYear3", "100"},
                                         {"txtAfterTaxProfitYear2", "2"}, {"txtOperatingRevenueYear2", "100"},
                                         {"txtAfterTaxProfitYear1", "1"}, {"txtOperatingRevenueYear1", "100"},
                                         {"txtTliabYear1", "1"}, {"txtTaYear1", "4"}});
    const RatioTexts texts = ratioTexts(amounts);
    const QStringList labels = ratioLabels();
    QCOMPARE(labels.size(), kRatioTextCount);
    const auto textOf = [&](const char* label) { return texts[static_cast<std::size_t>(labels.indexOf(QString::fromLatin1(label)))]; };
    QCOMPARE(textOf("lblNpm"), QStringLiteral("3.00"));
    QCOMPARE(textOf("lblNpm95"), QStringLiteral("2.00"));
    QCOMPARE(textOf("lblNpm94"), QStringLiteral("1.00"));
    QCOMPARE(textOf("lblLta94"), QStringLiteral("0.25"));
    QCOMPARE(textOf("lblPpa94"), QStringLiteral("0.00"));
    QCOMPARE(textOf("lblLta"), QStringLiteral("..."));
    QCOMPARE(textOf("lblLta95"), QStringLiteral("..."));
}

// A text placed by code (Start, a restore) is read as an amount before any computation; one
// that isn't stops the comparison, unless no ratio reads it.
void TestThreeYearValues::unreadableOperands()
{
    Texts texts;
    texts.fill(QStringLiteral("0"));
    texts[static_cast<std::size_t>(amountIndex(Year::Year2, Item::OperatingProfit))] = QStringLiteral("n/a");
    texts[static_cast<std::size_t>(amountIndex(Year::Year3, Item::Sales))] = QStringLiteral("1e3");
    ReadFigures figures = readFigures(texts);
    QVERIFY(figures.amounts);
    QCOMPARE((*figures.amounts)[static_cast<std::size_t>(amountIndex(Year::Year3, Item::Sales))], 1000 * kiv::num::kUnitsPerOne);

    texts[static_cast<std::size_t>(amountIndex(Year::Year1, Item::ShareholdersEquity))] = QString();
    texts[static_cast<std::size_t>(amountIndex(Year::Year1, Item::AfterTaxProfit))] = QStringLiteral("9E20");
    figures = readFigures(texts);
    QVERIFY(!figures.amounts);
    QCOMPARE(figures.unreadable, amountIndex(Year::Year1, Item::ShareholdersEquity));
    QCOMPARE(int(figures.refusal), int(kiv::num::AmountRefusal::NotANumber));
    QCOMPARE(unreadableMessage(figures.unreadable, figures.refusal, 0), QStringLiteral("Please enter a number (Total shareholders' equity, 1997)"));
    QCOMPARE(unreadableMessage(figures.unreadable, figures.refusal, 1), QStringLiteral("SVP ecrit le numéro ici (Total, capitaux propres, 1997)"));

    // A number beyond the range of amounts is named too large, with the limit it passes.
    texts[static_cast<std::size_t>(amountIndex(Year::Year1, Item::ShareholdersEquity))] = QStringLiteral("0");
    figures = readFigures(texts);
    QVERIFY(!figures.amounts);
    QCOMPARE(figures.unreadable, amountIndex(Year::Year1, Item::AfterTaxProfit));
    QCOMPARE(int(figures.refusal), int(kiv::num::AmountRefusal::AboveLargest));
    QCOMPARE(unreadableMessage(figures.unreadable, figures.refusal, 0),
             QStringLiteral("The amount of Annual profit after tax, 1997 is too large. The largest amount accepted is 922337203685477.5807."));
    QCOMPARE(unreadableMessage(figures.unreadable, figures.refusal, 1),
             QStringLiteral("Le montant de Bénéfice après impôts annuel, 1997 est trop élevé. Le plus grand montant accepté est 922337203685477.5807."));
    texts[static_cast<std::size_t>(amountIndex(Year::Year1, Item::AfterTaxProfit))] = QStringLiteral("-9E20");
    figures = readFigures(texts);
    QCOMPARE(int(figures.refusal), int(kiv::num::AmountRefusal::BelowSmallest));
    QCOMPARE(unreadableMessage(figures.unreadable, figures.refusal, 0),
             QStringLiteral("The negative amount of Annual profit after tax, 1997 is too large. The lowest amount accepted is -922337203685477.5808."));
    QCOMPARE(unreadableMessage(figures.unreadable, figures.refusal, 1),
             QStringLiteral("Le montant négatif de Bénéfice après impôts annuel, 1997 est trop élevé en valeur absolue. Le plus petit montant accepté est "
                            "-922337203685477.5808."));
}

// The printout's lines in each language: what each says and the columns of the amounts.
void TestThreeYearValues::printout_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("grossFirst");
    QTest::addColumn<QString>("grossSecond");
    QTest::addColumn<int>("grossAmountsLine");
    QTest::newRow("English") << 0 << u"Your Company Values"_s << u"Annual gross profit (sales of goods"_s << u"less cost of goods sold)"_s << 36;
    QTest::newRow("French") << 1 << u"Valeurs de Votre Entreprise"_s << u"Bénéfice brut annuel(ventes de biens"_s << u"moins coûts des ventes)"_s << 35;
}

void TestThreeYearValues::printout()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, grossFirst);
    QFETCH(QString, grossSecond);
    QFETCH(int, grossAmountsLine);
    Texts texts;
    for (int i = 0; i < kAmountCount; ++i)
        texts[static_cast<std::size_t>(i)] = u'a' + QString::number(i); // not numbers: printed unchanged
    const auto caption = [](const QString& label) { return u'<' + label + u'>'; };
    const kiv::PrintDocument doc = statementPrintout(caption, texts, language);
    const QStringList lines = doc.textLines();
    QCOMPARE(lines.size(), 42);

    const auto pad = [](int column, const QString& text) { return QString(column - 1, u' ') + text; };
    // Amounts at columns 58, 79 and 99 after the caption.
    const auto row = [&](const QString& caption, Item item) {
        QString line = caption;
        const int columns[] = {58, 79, 99};
        for (int y = 0; y < kYearCount; ++y) {
            line = line.leftJustified(columns[y] - 1, u' ');
            line += texts[static_cast<std::size_t>(amountIndex(static_cast<Year>(y), item))];
        }
        return line;
    };
    for (int blank : {1, 2, 3, 4, 6, 11, 13, 14, 16, 17, 19, 20, 22, 24, 26, 28, 30, 32, 34, 37, 39, 41})
        QCOMPARE(lines[blank - 1], QStringLiteral(" "));
    QCOMPARE(lines[4], pad(42, title));
    QString headings = pad(5, QStringLiteral("<Label15>")).leftJustified(56, u' ') + u"<Label1>"_s;
    headings = headings.leftJustified(76, u' ') + u"<Label2>"_s;
    headings = headings.leftJustified(96, u' ') + u"<Label5>"_s;
    QCOMPARE(lines[11], headings);
    QCOMPARE(lines[14], row(QStringLiteral("<Label3>"), Item::TotalAssets));
    QCOMPARE(lines[17], pad(5, QStringLiteral("<Label16>")));
    QCOMPARE(lines[20], row(QStringLiteral("<lblLiabilities>"), Item::TotalLiabilities));
    QCOMPARE(lines[22], row(QStringLiteral("<lblEquity>"), Item::ShareholdersEquity));
    QCOMPARE(lines[26], pad(5, QStringLiteral("<Label4>")));
    QCOMPARE(lines[30], row(QStringLiteral("<lblOperatingRevenue1>"), Item::OperatingRevenue));
    QCOMPARE(lines[32], row(QStringLiteral("<lblRevenue6>"), Item::Sales));
    QCOMPARE(lines[grossAmountsLine - 1], row(grossAmountsLine == 35 ? grossFirst : grossSecond, Item::GrossProfit));
    QCOMPARE(lines[(grossAmountsLine == 35 ? 36 : 35) - 1], grossAmountsLine == 35 ? grossSecond : grossFirst);
    QCOMPARE(lines[37], row(QStringLiteral("<lblOperatingProfit>"), Item::OperatingProfit));
    QCOMPARE(lines[39], row(QStringLiteral("<lblPretaxProfit>"), Item::PretaxProfit));
    QCOMPARE(lines[41], row(QStringLiteral("<lblAftertaxProfit>"), Item::AfterTaxProfit));

    // Fonts: the first four lines in the printer's own, then Times New Roman 12, bold italic
    // for the title and headings, plain for the value rows.
    const auto& printed = doc.lines();
    QVERIFY(printed[0].font.face.isEmpty());
    const kiv::PrintFont emphasis{QStringLiteral("Times New Roman"), 12, true, true};
    const kiv::PrintFont plain{QStringLiteral("Times New Roman"), 12, false, false};
    for (int line : {5, 12, 18, 27})
        QCOMPARE(printed[static_cast<std::size_t>(line - 1)].font, emphasis);
    for (int line : {15, 21, 23, 31, 33, 35, 36, 38, 40, 42})
        QCOMPARE(printed[static_cast<std::size_t>(line - 1)].font, plain);
}

KIV_TEST_MAIN(TestThreeYearValues)
#include "tst_three_year_values.moc"
