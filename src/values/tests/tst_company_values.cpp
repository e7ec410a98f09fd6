#include "values/company_ratios.h"
#include "values/company_values.h"
#include "test_support.h"

#include <QRandomGenerator>

using namespace kiv::values;
using namespace Qt::StringLiterals;
namespace num = kiv::num;

namespace {

Item itemOfBox(QStringView name)
{
    for (const ItemInfo& it : items())
        if (QStringView(it.box) == name || QStringView(it.box).mid(3) == name)
            return it.item;
    qFatal("no such box");
}

// "Cash=100;AccountsPayable=-2.5": the typed texts of a statement, every other box "0".
Texts textsFrom(const QString& spec)
{
    Texts texts;
    texts.fill(QStringLiteral("0"));
    for (const QString& part : spec.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype eq = part.indexOf(u'=');
        texts[std::size_t(index(itemOfBox(part.left(eq))))] = part.mid(eq + 1);
    }
    return texts;
}

ExactStatement exactFrom(const QString& spec)
{
    const std::optional<ExactStatement> s = readExact(textsFrom(spec));
    if (!s)
        qFatal("unreadable statement");
    return *s;
}

// The totals the window would show, all five recomputed from the typed texts.
Texts withDisplayedTotals(Texts texts)
{
    recomputeTotals(Item::Cash, texts);
    recomputeTotals(Item::AccountsPayable, texts);
    recomputeTotals(Item::ShareCapital, texts);
    return texts;
}

const Ratio kAll[] = {Ratio::Npm, Ratio::Ppm, Ratio::Opm, Ratio::Gpm, Ratio::Ortnoa, Ratio::Rnoa, Ratio::Ppa, Ratio::Lta,
                      Ratio::Roce, Ratio::Roe, Ratio::De, Ratio::Rt, Ratio::It, Ratio::Wc, Ratio::Ic};

Ratio ratioOfCode(QStringView code)
{
    for (const RatioInfo& r : kiv::values::ratios())
        if (QStringView(r.code) == code)
            return r.ratio;
    qFatal("no such ratio");
}

} // namespace

class TestCompanyValues : public QObject {
    Q_OBJECT
private slots:
    void itemTable();
    void totalsOfEachTypedBox_data();
    void totalsOfEachTypedBox();
    void displayedArithmetic();
    void totalsFromExactSums_data();
    void totalsFromExactSums();
    void balanceCheck_data();
    void balanceCheck();
    void exactlyBalancedAlwaysPasses();
    void unreadableAmount();
    void ratios_data();
    void ratios();
    void eachGuardAlone_data();
    void eachGuardAlone();
    void everyBoxZero();
};

void TestCompanyValues::itemTable()
{
    // 28 typed boxes visited by Enter in table order, ending on the ratio button; a total
    // passes on to the next typed box.
    int typed = 0;
    const auto list = items();
    for (std::size_t i = 0; i < list.size(); ++i) {
        QCOMPARE(int(list[i].item), int(i));
        if (list[i].computed)
            continue;
        ++typed;
        std::size_t next = i + 1;
        while (next < list.size() && list[next].computed)
            ++next;
        const QString expected = next < list.size() ? QString::fromUtf16(list[next].box) : QStringLiteral("cmdView");
        QCOMPARE(QString::fromUtf16(list[i].enterNext), expected);
    }
    QCOMPARE(typed, 28);
    for (const ItemInfo& it : list)
        if (it.computed) {
            std::size_t next = std::size_t(index(it.item)) + 1;
            while (list[next].computed)
                ++next;
            QCOMPARE(QString::fromUtf16(it.enterNext), QString::fromUtf16(list[next].box));
        }
}

void TestCompanyValues::totalsOfEachTypedBox_data()
{
    // Every typed box holds (index + 1) x 100 and every total a stale "x" (which reads as 0):
    // the row shows which totals the box refreshes, and that the second total adds the typed
    // amounts, not the stale text of the total it contains.
    QTest::addColumn<int>("typed");
    QTest::addColumn<QStringList>("totals"); // Toa, Ta, Tliab, Equity1, TotLiabShareEq
    const QStringList assets = {QStringLiteral("1500"), QStringLiteral("3000"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x")};
    const QStringList ptfl = {QStringLiteral("x"), QStringLiteral("3000"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x")};
    const QStringList liabilities = {QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("12600"), QStringLiteral("x"), QStringLiteral("18900")};
    const QStringList equity = {QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("6300"), QStringLiteral("18900")};
    const QStringList none = {QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x")};
    for (const ItemInfo& it : items()) {
        if (it.computed)
            continue;
        QStringList totals;
        switch (it.block) {
        case Block::OperatingAssets: totals = assets; break;
        case Block::Investments: totals = it.item == Item::PortfolioInvestments ? ptfl : assets; break;
        case Block::Liabilities: totals = liabilities; break;
        case Block::ShareholdersEquity: totals = equity; break;
        default: totals = none; break;
        }
        QTest::newRow(qPrintable(QString::fromUtf16(it.box))) << index(it.item) << totals;
    }
}

void TestCompanyValues::totalsOfEachTypedBox()
{
    QFETCH(int, typed);
    QFETCH(QStringList, totals);
    Texts texts;
    for (const ItemInfo& it : items())
        texts[std::size_t(index(it.item))] = it.computed ? QStringLiteral("x") : num::entryForm((index(it.item) + 1) * 100 * num::kUnitsPerOne);
    const Texts before = texts;
    recomputeTotals(Item(typed), texts);
    const Item order[] = {Item::TotalOperatingAssets, Item::TotalAssets, Item::TotalLiabilities, Item::TotalShareholdersEquity,
                          Item::TotalLiabilitiesAndShareholdersEquity};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(texts[std::size_t(index(order[i]))], totals[i]);
    for (const ItemInfo& it : items())
        if (!it.computed)
            QCOMPARE(texts[std::size_t(index(it.item))], before[std::size_t(index(it.item))]);
}

void TestCompanyValues::displayedArithmetic()
{
    // Seven significant digits in the total; the typed box keeps every digit.
    Texts texts = textsFrom(QStringLiteral("Cash= 123456789"));
    recomputeTotals(Item::Cash, texts);
    QCOMPARE(texts[std::size_t(index(Item::TotalOperatingAssets))], QStringLiteral("1.234568E+08"));
    QCOMPARE(texts[std::size_t(index(Item::TotalAssets))], QStringLiteral("1.234568E+08"));
    QCOMPARE(texts[std::size_t(index(Item::Cash))], QStringLiteral(" 123456789"));

    // Total assets adds the typed amounts, not the displayed operating-asset total.
    texts = textsFrom(QStringLiteral("Cash=1;Ptfl=2"));
    texts[std::size_t(index(Item::TotalOperatingAssets))] = QStringLiteral("1.234568E+07");
    recomputeTotals(Item::PortfolioInvestments, texts);
    QCOMPARE(texts[std::size_t(index(Item::TotalAssets))], QStringLiteral("3"));
    QCOMPARE(displayedTotal(Item::TotalAssets, textsFrom(QStringLiteral("Ptfl=2.5;Invest=-1"))), QStringLiteral("1.5"));
    // The grand total likewise adds the typed liabilities and equity.
    texts = textsFrom(QStringLiteral("ShareC=4;AccountsPayable=3"));
    texts[std::size_t(index(Item::TotalLiabilities))] = QStringLiteral("x");
    recomputeTotals(Item::ShareCapital, texts);
    QCOMPARE(texts[std::size_t(index(Item::TotalLiabilitiesAndShareholdersEquity))], QStringLiteral("7"));

    // Zeros give the single digit 0.
    texts = textsFrom(QString());
    recomputeTotals(Item::ShareCapital, texts);
    QCOMPARE(texts[std::size_t(index(Item::TotalShareholdersEquity))], QStringLiteral("0"));
    QCOMPARE(texts[std::size_t(index(Item::TotalLiabilitiesAndShareholdersEquity))], QStringLiteral("0"));

    // An amount no ten-thousandths can hold (only a figure put in from elsewhere) still adds.
    QCOMPARE(displayedTotal(Item::TotalLiabilities, textsFrom(QStringLiteral("Mtg=1e20;Banks=5"))), QStringLiteral("1E+20"));
    QCOMPARE(displayedTotal(Item::TotalLiabilities, textsFrom(QStringLiteral("Mtg=1e400"))), QStringLiteral("..."));
}

void TestCompanyValues::totalsFromExactSums_data()
{
    // The five totals as the window shows them: the exact sum of the typed amounts, rounded once
    // to single precision (an exact half to the even neighbour), in seven significant digits.
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("totals"); // Toa, Ta, Tliab, Equity1, TotLiabShareEq
    QTest::newRow("every box zero") << QString() << QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s};
    QTest::newRow("items summing to exactly 0")
        << QStringLiteral("Cash=355447.1768;Invest=-355447.1768;AccountsPayable=355447.1768;ShareC=-355447.1768")
        << QStringList{u"355447.2"_s, u"0"_s, u"355447.2"_s, u"-355447.2"_s, u"0"_s};
    QTest::newRow("decimal fractions summing to 0")
        << QStringLiteral("Cash=0.1;Ar=0.2;OA=-0.3;Banks=0.7;Bonds=-0.1;DefTax=-0.6;ShareC=0.1;RetEarn=0.2;OtherSur=-0.3")
        << QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s};
    QTest::newRow("exact sum below a displayed total")
        << QStringLiteral("Cash=154.434;Invest=-77.23") << QStringList{u"154.434"_s, u"77.204"_s, u"0"_s, u"0"_s, u"0"_s};
    QTest::newRow("exact sum in exponent form")
        << QStringLiteral("ShareC=49095077.5;RetEarn=12374638")
        << QStringList{u"0"_s, u"0"_s, u"0"_s, u"6.146972E+07"_s, u"6.146972E+07"_s};
    QTest::newRow("grand total of exact parts")
        << QStringLiteral("AccountsPayable=12500005;ShareC=12500005")
        << QStringList{u"0"_s, u"0"_s, u"1.25E+07"_s, u"1.25E+07"_s, u"2.500001E+07"_s};
    // 33554466 lies halfway between the singles 33554464 and 33554468.
    QTest::newRow("tie to even") << QStringLiteral("Cash=33554466")
                                 << QStringList{u"3.355446E+07"_s, u"3.355446E+07"_s, u"0"_s, u"0"_s, u"0"_s};
    QTest::newRow("negative tie to even") << QStringLiteral("Banks=-33554466")
                                          << QStringList{u"0"_s, u"0"_s, u"-3.355446E+07"_s, u"0"_s, u"-3.355446E+07"_s};
    QTest::newRow("a ten-thousandth above the tie") << QStringLiteral("Cash=33554466;Ptfl=0.0001")
                                                    << QStringList{u"3.355446E+07"_s, u"3.355447E+07"_s, u"0"_s, u"0"_s, u"0"_s};
    // Beyond the precision of a double: the ten-thousandth above the tie still counts.
    QTest::newRow("tie in large amounts") << QStringLiteral("Cash=8796093546496")
                                          << QStringList{u"8.796093E+12"_s, u"8.796093E+12"_s, u"0"_s, u"0"_s, u"0"_s};
    QTest::newRow("above the tie in large amounts") << QStringLiteral("Cash=8796093546496;Ar=0.0001")
                                                    << QStringList{u"8.796094E+12"_s, u"8.796094E+12"_s, u"0"_s, u"0"_s, u"0"_s};
}

void TestCompanyValues::totalsFromExactSums()
{
    QFETCH(QString, statement);
    QFETCH(QStringList, totals);
    const Texts shown = withDisplayedTotals(textsFrom(statement));
    const Item order[] = {Item::TotalOperatingAssets, Item::TotalAssets, Item::TotalLiabilities, Item::TotalShareholdersEquity,
                          Item::TotalLiabilitiesAndShareholdersEquity};
    QStringList texts;
    for (Item total : order)
        texts << shown[std::size_t(index(total))];
    QCOMPARE(texts, totals);
}

void TestCompanyValues::balanceCheck_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("balanced");
    QTest::newRow("every box zero") << QString() << true;
    QTest::newRow("exactly balanced, totals of seven digits apart")
        << QStringLiteral("Cash=25000010;AccountsPayable=12500005;ShareC=12500005") << true;
    QTest::newRow("equal in single precision") << QStringLiteral("Cash=123456789;AccountsPayable=123456790") << true;
    QTest::newRow("hundredth apart") << QStringLiteral("Cash=100;AccountsPayable=100.01") << false;
    QTest::newRow("decimal fractions") << QStringLiteral("Cash=0.1;Ar=0.2;AccountsPayable=0.3") << true;
    QTest::newRow("ten-thousandth apart") << QStringLiteral("Cash=1000.0001;AccountsPayable=1000") << false;
    QTest::newRow("investments count in assets") << QStringLiteral("Invest=50;Ptfl=50;ShareC=100") << true;
    QTest::newRow("current items and income do not count")
        << QStringLiteral("CurrentAssets=5;CurrentLiabilities=7;OperatingRevenue=9;ProfitAfterTax=3") << true;
    QTest::newRow("negative equity") << QStringLiteral("Cash=100;AccountsPayable=300;RetEarn=-200") << true;
    QTest::newRow("beyond one amount's range")
        << QStringLiteral("Cash=900000000000000;Ar=900000000000000;AccountsPayable=900000000000000;Banks=900000000000000")
        << true;
    QTest::newRow("unbalanced by one") << QStringLiteral("Cash=1000001;AccountsPayable=1000000") << false;
}

void TestCompanyValues::balanceCheck()
{
    QFETCH(QString, statement);
    QFETCH(bool, balanced);
    QCOMPARE(balances(exactFrom(statement)), balanced);
}

void TestCompanyValues::exactlyBalancedAlwaysPasses()
{
    // Random statements that balance exactly: every one passes, and the two displayed totals,
    // each the exact sum rounded once, show the same text.
    QRandomGenerator rng(20240);
    int displayedTotalsDiffer = 0;
    constexpr int kRuns = 2000;
    for (int run = 0; run < kRuns; ++run) {
        const qint64 total = 100000 * num::kUnitsPerOne + qint64(rng.bounded(1000000000)) * 1000;
        Texts texts;
        texts.fill(QStringLiteral("0"));
        // Assets: split the total over the seven asset boxes; liabilities and equity over theirs.
        auto spread = [&](std::initializer_list<Item> boxes) {
            qint64 left = total;
            std::size_t n = 0;
            for (Item item : boxes) {
                const bool last = ++n == boxes.size();
                const qint64 part = last ? left : qint64(rng.bounded(quint32(std::min<qint64>(left / 3, 2000000000)) + 1)) * 7;
                left -= part;
                texts[std::size_t(index(item))] = num::entryForm(part);
            }
        };
        spread({Item::Cash, Item::AccountsReceivable, Item::Inventory, Item::CapitalAssets, Item::OtherAssets,
                Item::InvestmentsWithAffiliates, Item::PortfolioInvestments});
        spread({Item::AccountsPayable, Item::BankLoans, Item::Mortgages, Item::DeferredTax, Item::ShareCapital,
                Item::RetainedEarnings});
        const std::optional<ExactStatement> s = readExact(texts);
        QVERIFY(s);
        QVERIFY2(balances(*s), qPrintable(QStringLiteral("run %1").arg(run)));
        const Texts shown = withDisplayedTotals(texts);
        if (num::toSingle(num::leadingNumber(shown[std::size_t(index(Item::TotalAssets))]))
            != num::toSingle(num::leadingNumber(shown[std::size_t(index(Item::TotalLiabilitiesAndShareholdersEquity))])))
            ++displayedTotalsDiffer;
    }
    QCOMPARE(displayedTotalsDiffer, 0);

    // The fixture itself: seven-digit totals of its parts would not add up, the exact ones do.
    const Texts fixture = withDisplayedTotals(textsFrom(QStringLiteral("Cash=25000010;AccountsPayable=12500005;ShareC=12500005")));
    QCOMPARE(fixture[std::size_t(index(Item::TotalAssets))], QStringLiteral("2.500001E+07"));
    QCOMPARE(fixture[std::size_t(index(Item::TotalLiabilitiesAndShareholdersEquity))], QStringLiteral("2.500001E+07"));
    QVERIFY(balances(*readExact(fixture)));
}

void TestCompanyValues::unreadableAmount()
{
    Texts texts = textsFrom(QStringLiteral("Mtg=1e20"));
    Item bad = Item::Cash;
    QVERIFY(!readExact(texts, &bad));
    QCOMPARE(int(bad), index(Item::Mortgages));
    // Totals are never read: whatever their boxes hold, the exact totals come from the items.
    texts = textsFrom(QStringLiteral("Cash=5"));
    texts[std::size_t(index(Item::TotalAssets))] = QStringLiteral("1e20");
    const std::optional<ExactStatement> s = readExact(texts);
    QVERIFY(s);
    QVERIFY(s->value(Item::TotalAssets) == num::ExactSum(5 * num::kUnitsPerOne));
}

void TestCompanyValues::ratios_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("expected"); // "Npm=12.50;Ic=..."
    QTest::newRow("net profit margin") << QStringLiteral("ProfitAfterTax=50;OperatingRevenue=400") << QStringLiteral("Npm=12.50");
    QTest::newRow("margins on revenue")
        << QStringLiteral("OperatingRevenue=400;PretaxProfit=80;OperatingProfit=100")
        << QStringLiteral("Ppm=20.00;Opm=25.00;Npm=0.00");
    QTest::newRow("gross profit margin") << QStringLiteral("Sales=1000;GrossProfit=400") << QStringLiteral("Gpm=40.00");
    QTest::newRow("inventory turnover") << QStringLiteral("Sales=1000;GrossProfit=400;Inv=200") << QStringLiteral("It=3.00");
    QTest::newRow("interest coverage") << QStringLiteral("InterestExpense=20;PretaxProfit=80") << QStringLiteral("Ic=5.00");
    QTest::newRow("no interest") << QStringLiteral("PretaxProfit=80") << QStringLiteral("Ic=...");
    QTest::newRow("negative equity") << QStringLiteral("ShareC=-200;Banks=100") << QStringLiteral("De=-0.50;Roe=0.00");
    QTest::newRow("debt to equity sums six debts")
        << QStringLiteral("ShareC=100;Banks=1;Bonds=2;Mtg=4;Paper=8;Ol=16;AmtsAffil=32;AccountsPayable=1000;OLiab=1000;DefTax=1000")
        << QStringLiteral("De=0.63");
    QTest::newRow("return on capital employed")
        << QStringLiteral("ProfitAfterTax=30;InterestExpense=10;ShareC=200;Banks=50") << QStringLiteral("Roce=16.00;Roe=15.00");
    QTest::newRow("net operating assets")
        << QStringLiteral("Cash=1000;AccountsPayable=200;ShareC=800;OperatingRevenue=1000;OperatingProfit=100")
        << QStringLiteral("Ortnoa=125.00;Rnoa=12.50;Lta=0.20");
    QTest::newRow("investments leave net operating assets")
        << QStringLiteral("Cash=600;Invest=300;Ptfl=100;OperatingRevenue=300") << QStringLiteral("Ortnoa=50.00");
    QTest::newRow("assets ratios") << QStringLiteral("Cash=1000;AccountsPayable=650;PretaxProfit=80")
                                   << QStringLiteral("Ppa=8.00;Lta=0.65");
    QTest::newRow("receivable turnover") << QStringLiteral("OperatingRevenue=1000;Ar=250") << QStringLiteral("Rt=4.00");
    // 98761 / 8 is 12345.125, held exactly in single precision: an exact half at its eighth digit.
    QTest::newRow("receivable turnover, exact half") << QStringLiteral("OperatingRevenue=98761;Ar=8") << QStringLiteral("Rt=12345.13");
    QTest::newRow("working capital") << QStringLiteral("CurrentAssets=300;CurrentLiabilities=200") << QStringLiteral("Wc=1.50");
    QTest::newRow("no revenue: only its three margins")
        << QStringLiteral("Cash=1000;Ar=100;Inv=100;AccountsPayable=400;ShareC=800;Sales=500;GrossProfit=100;OperatingProfit=20;"
                          "InterestExpense=5;PretaxProfit=15;ProfitAfterTax=10;CurrentAssets=300;CurrentLiabilities=100")
        << QStringLiteral("Npm=...;Ppm=...;Opm=...;Gpm=20.00;Ortnoa=0.00;Rnoa=2.50;Ppa=1.25;Lta=0.33;Roce=1.88;Roe=1.25;De=0.00;"
                          "Rt=0.00;It=4.00;Wc=3.00;Ic=4.00");
    QTest::newRow("no total assets but net operating assets")
        << QStringLiteral("Cash=100;Invest=-100;AccountsPayable=50;ShareC=-50;OperatingRevenue=200;OperatingProfit=10;PretaxProfit=5")
        << QStringLiteral("Ortnoa=400.00;Rnoa=...;Ppa=...;Lta=...");
    // Decimal fractions that leave a residue in binary arithmetic leave none here.
    QTest::newRow("no residue in net operating assets")
        << QStringLiteral("Invest=0.1;Ptfl=0.2;OperatingRevenue=100;OperatingProfit=10")
        << QStringLiteral("Ortnoa=...;Rnoa=...;Ppa=0.00;Lta=0.00");
    QTest::newRow("no residue in capital employed")
        << QStringLiteral("ShareC=0.1;RetEarn=0.2;Banks=-0.1;Mtg=-0.2;ProfitAfterTax=1")
        << QStringLiteral("Roce=...;Roe=333.33;De=-1.00");
    QTest::newRow("percent of the rounded quotient") << QStringLiteral("ProfitAfterTax=1;OperatingRevenue=3") << QStringLiteral("Npm=33.33");
    QTest::newRow("large totals from typed amounts")
        << QStringLiteral("Cash=25000010;AccountsPayable=12500005;ShareC=12500005;ProfitAfterTax=125000.05")
        << QStringLiteral("Lta=0.50;Roe=1.00;De=0.00");
    // 107 / 4000 is 2.67499995 % in single precision: its seven digits read 2.675.
    QTest::newRow("half from its seven digits")
        << QStringLiteral("ProfitAfterTax=107;PretaxProfit=-107;OperatingRevenue=4000") << QStringLiteral("Npm=2.68;Ppm=-2.68");
    QTest::newRow("negative margin") << QStringLiteral("OperatingRevenue=400;ProfitAfterTax=-2") << QStringLiteral("Npm=-0.50");
}

void TestCompanyValues::ratios()
{
    QFETCH(QString, statement);
    QFETCH(QString, expected);
    const RatioTexts texts = ratioTexts(exactFrom(statement));
    for (const QString& part : expected.split(u';')) {
        const qsizetype eq = part.indexOf(u'=');
        const Ratio r = ratioOfCode(QStringView(part).left(eq));
        QVERIFY2(texts[std::size_t(r)] == part.mid(eq + 1),
                 qPrintable(part + QStringLiteral(" gave ") + texts[std::size_t(r)]));
    }
}

void TestCompanyValues::eachGuardAlone_data()
{
    // One denominator at zero in a statement where every ratio can be computed: exactly the
    // ratios it guards read "...", every other one has a value.
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("guarded");
    QTest::newRow("none") << QString() << QStringList();
    QTest::newRow("operating revenue") << QStringLiteral("OperatingRevenue=0") << QStringList{QStringLiteral("Npm"), QStringLiteral("Ppm"), QStringLiteral("Opm")};
    QTest::newRow("sales") << QStringLiteral("Sales=0") << QStringList{QStringLiteral("Gpm")};
    QTest::newRow("net operating assets") << QStringLiteral("AccountsPayable=1450") << QStringList{QStringLiteral("Ortnoa"), QStringLiteral("Rnoa")};
    QTest::newRow("total assets") << QStringLiteral("Cash=-600") << QStringList{QStringLiteral("Rnoa"), QStringLiteral("Ppa"), QStringLiteral("Lta")};
    QTest::newRow("capital employed") << QStringLiteral("Banks=-1200") << QStringList{QStringLiteral("Roce")};
    QTest::newRow("shareholders' equity") << QStringLiteral("ShareC=0") << QStringList{QStringLiteral("Roe"), QStringLiteral("De")};
    QTest::newRow("accounts receivable") << QStringLiteral("Ar=0") << QStringList{QStringLiteral("Rt")};
    QTest::newRow("inventory") << QStringLiteral("Inv=0") << QStringList{QStringLiteral("It")};
    QTest::newRow("current liabilities") << QStringLiteral("CurrentLiabilities=0") << QStringList{QStringLiteral("Wc")};
    QTest::newRow("interest expense") << QStringLiteral("InterestExpense=0") << QStringList{QStringLiteral("Ic")};
}

void TestCompanyValues::eachGuardAlone()
{
    QFETCH(QString, change);
    QFETCH(QStringList, guarded);
    const QString statement = QStringLiteral(
        "Cash=1000;Ar=250;Inv=200;Invest=100;Ptfl=50;AccountsPayable=300;Banks=100;ShareC=1200;OperatingRevenue=2000;"
        "Sales=1500;GrossProfit=600;OperatingProfit=230;InterestExpense=10;PretaxProfit=220;ProfitAfterTax=165;"
        "CurrentAssets=450;CurrentLiabilities=300;");
    const RatioTexts texts = ratioTexts(exactFrom(statement + change));
    for (const RatioInfo& r : kiv::values::ratios()) {
        const QString code = QString::fromUtf16(r.code);
        const QString shown = texts[std::size_t(r.ratio)];
        QVERIFY2((shown == u"...") == guarded.contains(code), qPrintable(code + QStringLiteral(" gave ") + shown));
    }
}

void TestCompanyValues::everyBoxZero()
{
    const ExactStatement zero = exactFrom(QString());
    QVERIFY(balances(zero));
    const RatioTexts texts = ratioTexts(zero);
    for (Ratio r : kAll)
        QCOMPARE(texts[std::size_t(r)], QStringLiteral("..."));
    // The comparison order names every ratio once.
    QSet<int> seen;
    for (Ratio r : comparisonOrder())
        seen.insert(int(r));
    QCOMPARE(seen.size(), kRatioCount);
    QCOMPARE(QString::fromUtf16(kiv::values::ratios()[std::size_t(comparisonOrder()[7])].code), QStringLiteral("Roce"));
}

KIV_TEST_MAIN(TestCompanyValues)
#include "tst_company_values.moc"
