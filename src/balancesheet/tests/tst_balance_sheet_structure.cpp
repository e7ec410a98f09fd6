// The balance-sheet structure computed from texts: the firm's percentages with their single
// precision and zero totals, the differences from the shown texts, the industry's record with
// its gaps, and the printed page.
#include "balancesheet/balance_sheet_structure.h"
#include "platform/db/database.h"
#include "test_support.h"
#include "numbers/numbers.h"

#include <memory>

using namespace kiv::balancesheet;
using kiv::db::Snapshot;
using kiv::db::Value;
using namespace Qt::StringLiterals;

namespace {

QString name(const char16_t* s)
{
    return QString::fromUtf16(s);
}

// A KIV_DATA row with every column the window reads; balance-sheet column n holds n + 0.5.
std::shared_ptr<Snapshot> industrySnapshot(const std::function<void(QStringList&, std::vector<Value>&)>& change = {})
{
    QStringList columns{QStringLiteral("Industry"), QStringLiteral("SIC"), QStringLiteral("IndustryDescriptionE"),
                        QStringLiteral("IndustryDescriptionF")};
    std::vector<Value> row{Value::number(301), Value::text(QStringLiteral("not applicable")),
                           Value::text(QStringLiteral("Child day-care services")), Value::text(QStringLiteral("Services de garderie"))};
    for (const StructureRow& r : structureRows()) {
        columns << name(r.column).toLower();
        row.push_back(Value::number(static_cast<double>(row.size() - 4) + 0.5, true));
    }
    if (change)
        change(columns, row);
    return std::make_shared<Snapshot>(QStringLiteral("KIV_DATA"), columns, std::vector<std::vector<Value>>{row});
}

int rowIndex(const QString& column)
{
    for (std::size_t r = 0; r < structureRows().size(); ++r)
        if (name(structureRows()[r].column) == column)
            return static_cast<int>(r);
    return -1;
}

// The printout with every label showing its own name, except the value labels of row n, which
// show fn, in and dn (firm, industry, difference) so that every item fits before its column.
kiv::PrintDocument printedNames(int language)
{
    return structurePrintout(
        [](const QString& label) {
            for (std::size_t r = 0; r < structureRows().size(); ++r) {
                const StructureRow& row = structureRows()[r];
                const QString n = QString::number(r + 1);
                if (label == name(row.firm))
                    return u'f' + n;
                if (label == name(row.industry))
                    return u'i' + n;
                if (label == name(row.difference))
                    return u'd' + n;
            }
            return label;
        },
        language);
}

QStringList words(const QString& line)
{
    return line.split(u' ', Qt::SkipEmptyParts);
}

} // namespace

class TestBalanceSheetStructure : public QObject {
    Q_OBJECT
private slots:
    void firmPercentage_data();
    void firmPercentage();
    void difference_data();
    void difference();
    void industryPercentage_data();
    void industryPercentage();
    void rowsTakeTheirOwnDivisor();
    void readIndustry();
    void industryGaps_data();
    void industryGaps();
    void printoutLines_data();
    void printoutLines();
    void printoutFonts();
};

void TestBalanceSheetStructure::firmPercentage_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("shown");
    QTest::newRow("cash 1 of 3") << "1" << "3" << "33.33";
    QTest::newRow("two thirds") << "2" << "3" << "66.67";
    QTest::newRow("a quarter") << " 50" << "200" << "25.00";
    QTest::newRow("the total itself") << "200" << "200" << "100.00";
    QTest::newRow("negative item") << "-20" << " 200" << "-10.00";
    QTest::newRow("zero item") << " 0" << "200" << "0.00";
    // 0.12345 is a little above in single precision, a little below in double.
    QTest::newRow("single precision") << "12345" << "100000" << "12.35";
    // 107 / 4000 x 100 is 2.67499995 in single precision: its seven digits read 2.675.
    QTest::newRow("half from its seven digits") << "107" << "4000" << "2.68";
    QTest::newRow("five integer digits") << "150" << "1" << "15000.00";
    QTest::newRow("total with exponent") << "150" << "3E2" << "50.00";
    QTest::newRow("four decimals") << " 0.0001" << " 0.0004" << "25.00";
    QTest::newRow("zero total") << "50" << "0" << "0.00";
    QTest::newRow("zero total with blank") << "-50" << " 0" << "0.00";
    QTest::newRow("total zero in single") << "5" << "1e-46" << "0.00";
    QTest::newRow("total without number") << "5" << "..." << "0.00";
    QTest::newRow("item without number") << "abc" << "200" << "0.00";
    QTest::newRow("beyond single range") << "1e300" << "1" << "...";
    QTest::newRow("beyond double range") << "1e400" << "1e400" << "...";
}

void TestBalanceSheetStructure::firmPercentage()
{
    QFETCH(QString, amount);
    QFETCH(QString, total);
    QFETCH(QString, shown);
    QCOMPARE(kiv::balancesheet::firmPercentage(amount, total), shown);
}

void TestBalanceSheetStructure::difference_data()
{
    QTest::addColumn<QString>("firm");
    QTest::addColumn<QString>("industry");
    QTest::addColumn<QString>("shown");
    QTest::newRow("above the industry") << "33.33" << "12.50" << "20.83";
    QTest::newRow("below the industry") << "0.00" << "5.50" << "-5.50";
    QTest::newRow("both zero") << "0.00" << "0.00" << "0.00";
    QTest::newRow("negative firm") << "-10.00" << "-3.15" << "-6.85";
    QTest::newRow("from the rounded texts") << "0.01" << "0.02" << "-0.01";
    QTest::newRow("large") << "15000.00" << "100.00" << "14900.00";
    QTest::newRow("blanks around") << " 12.50 " << "2.25" << "10.25";
    QTest::newRow("decimal comma") << "12,50" << "2.25" << "...";
    QTest::newRow("no firm value") << "..." << "12.50" << "...";
    QTest::newRow("no industry value") << "12.50" << "..." << "...";
    QTest::newRow("blank") << " " << "12.50" << "...";
}

void TestBalanceSheetStructure::difference()
{
    QFETCH(QString, firm);
    QFETCH(QString, industry);
    QFETCH(QString, shown);
    QCOMPARE(kiv::balancesheet::difference(firm, industry), shown);
}

void TestBalanceSheetStructure::industryPercentage_data()
{
    QTest::addColumn<Value>("stored");
    QTest::addColumn<QString>("shown"); // empty: no value
    QTest::newRow("single") << Value::number(12.5, true) << "12.50";
    QTest::newRow("more decimals") << Value::number(6.3499999, true) << "6.35";
    QTest::newRow("negative") << Value::number(-3.15, true) << "-3.15";
    QTest::newRow("whole") << Value::number(100, true) << "100.00";
    QTest::newRow("single half") << Value::number(2.675, true) << "2.68";
    QTest::newRow("double half") << Value::number(1.005) << "1.01";
    QTest::newRow("number as text") << Value::text(QStringLiteral("7.5")) << "7.50";
    QTest::newRow("half as text") << Value::text(QStringLiteral("-2.675")) << "-2.68";
    QTest::newRow("Null") << Value::null() << "";
    QTest::newRow("text that is no number") << Value::text(QStringLiteral("n/a")) << "";
    QTest::newRow("beyond the single range") << Value::number(1e300, true) << "...";
}

void TestBalanceSheetStructure::industryPercentage()
{
    QFETCH(Value, stored);
    QFETCH(QString, shown);
    const std::optional<QString> p = kiv::balancesheet::industryPercentage(stored);
    QCOMPARE(p.value_or(QString()), shown);
}

// Rows 1 to 9 are parts of total assets, rows 10 to 25 of total liabilities and shareholders'
// equity, current assets and liabilities included; each difference comes from the two texts.
void TestBalanceSheetStructure::rowsTakeTheirOwnDivisor()
{
    std::array<QString, kRowCount> amounts;
    amounts.fill(QStringLiteral(" 0"));
    const auto set = [&](const char16_t* box, const QString& text) {
        for (std::size_t r = 0; r < structureRows().size(); ++r)
            if (name(structureRows()[r].box) == name(box))
                amounts[r] = text;
    };
    set(u"txtCash", QStringLiteral(" 50"));
    set(u"txtTa", QStringLiteral("200"));
    set(u"txtCurrentAssets", QStringLiteral(" 50"));
    set(u"txtRetEarn", QStringLiteral("-40"));
    set(u"txtTotLiabShareEq", QStringLiteral("400"));
    std::array<QString, kRowCount> industry;
    industry.fill(QStringLiteral("12.50"));

    const auto texts = structureTexts(amounts, industry);
    const auto row = [&](const char16_t* item) {
        for (std::size_t r = 0; r < structureRows().size(); ++r)
            if (name(structureRows()[r].item) == name(item))
                return texts[r];
        return RowTexts{};
    };
    QCOMPARE(row(u"Cash").firm, QStringLiteral("25.00"));
    QCOMPARE(row(u"Cash").difference, QStringLiteral("12.50"));
    QCOMPARE(row(u"TotalAssets").firm, QStringLiteral("100.00"));
    QCOMPARE(row(u"CurrentAssets").firm, QStringLiteral("12.50"));
    QCOMPARE(row(u"CurrentAssets").difference, QStringLiteral("0.00"));
    QCOMPARE(row(u"RetainedEarnings").firm, QStringLiteral("-10.00"));
    QCOMPARE(row(u"RetainedEarnings").difference, QStringLiteral("-22.50"));
    QCOMPARE(row(u"TotalLiabilitiesAndShareholdersEquity").firm, QStringLiteral("100.00"));
    QCOMPARE(row(u"Inventory").difference, QStringLiteral("-12.50"));

    // Every box at "0": each group's total is zero, the differences are the industry's values
    // with their sign reversed.
    amounts.fill(QStringLiteral("0"));
    industry[0] = QStringLiteral("0.00");
    for (const RowTexts& t : structureTexts(amounts, industry)) {
        QCOMPARE(t.firm, QStringLiteral("0.00"));
        QCOMPARE(t.difference, t.industry == u"0.00" ? QStringLiteral("0.00") : QStringLiteral("-12.50"));
    }
}

void TestBalanceSheetStructure::readIndustry()
{
    const auto data = industrySnapshot();
    const IndustryStructure english = kiv::balancesheet::readIndustry(data.get(), 0);
    QVERIFY(english.hasIndustry);
    QVERIFY(english.missing.isEmpty());
    QCOMPARE(english.industryNumber, QStringLiteral("301"));
    QCOMPARE(english.description, QStringLiteral("Child day-care services"));
    QCOMPARE(english.percentages[0], QStringLiteral("0.50"));
    QCOMPARE(english.percentages[24], QStringLiteral("24.50"));
    QVERIFY(!missingDataMessage(english, 0));

    // French: the French name, the code text as stored.
    const IndustryStructure french = kiv::balancesheet::readIndustry(data.get(), 1);
    QCOMPARE(french.code, QStringLiteral("not applicable"));
    QCOMPARE(french.description, QStringLiteral("Services de garderie"));
    QCOMPARE(french.percentages, english.percentages);
}

void TestBalanceSheetStructure::industryGaps_data()
{
    QTest::addColumn<QString>("gap");  // "null", "absent", "text", "no row", "no data"
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("Null") << "null" << "TOTASS" << 0
                          << "This edition holds no value for industry 301 in TOTASS. The percentages that cannot be shown read \"...\".";
    QTest::newRow("absent, French") << "absent" << "A25200" << 1
                                    << "Cette édition ne contient aucune valeur pour l'industrie 301 dans A25200. Les pourcentages qui "
                                       "ne peuvent pas être affichés se lisent « ... ».";
    QTest::newRow("not a number") << "text" << "CURLIAB" << 0
                                  << "This edition holds no value for industry 301 in CURLIAB. The percentages that cannot be shown "
                                     "read \"...\".";
    QTest::newRow("header column absent") << "absent" << "SIC" << 0
                                          << "This edition holds no value for industry 301 in SIC. The percentages that cannot be "
                                             "shown read \"...\".";
    QTest::newRow("header Null, French") << "null" << "IndustryDescriptionF" << 1
                                         << "Cette édition ne contient aucune valeur pour l'industrie 301 dans IndustryDescriptionF. Les "
                                            "pourcentages qui ne peuvent pas être affichés se lisent « ... ».";
    QTest::newRow("industry number Null") << "null" << "Industry" << 0
                                          << "This edition holds no value for this industry in Industry. The percentages that cannot "
                                             "be shown read \"...\".";
    QTest::newRow("industry number absent, French")
        << "absent" << "Industry" << 1
        << "Cette édition ne contient aucune valeur pour cette industrie dans Industry. Les pourcentages qui ne peuvent pas être "
           "affichés se lisent « ... ».";
    QTest::newRow("past the last row") << "no row" << "" << 0
                                       << "No industry is chosen, so its balance sheet structure cannot be shown beside yours. Please "
                                          "choose an industry in the main menu first.";
    QTest::newRow("no snapshot, French") << "no data" << "" << 1
                                         << "Aucune industrie n'est choisie : la structure de son bilan ne peut pas être affichée à "
                                            "côté de la vôtre. Veuillez d'abord choisir une industrie au menu principal.";
}

void TestBalanceSheetStructure::industryGaps()
{
    QFETCH(QString, gap);
    QFETCH(QString, column);
    QFETCH(int, language);
    QFETCH(QString, message);
    auto data = industrySnapshot([&](QStringList& columns, std::vector<Value>& row) {
        int at = -1;
        for (int c = 0; c < columns.size(); ++c)
            if (columns[c].compare(column, Qt::CaseInsensitive) == 0)
                at = c;
        if (gap == u"null")
            row[static_cast<std::size_t>(at)] = Value::null();
        else if (gap == u"text")
            row[static_cast<std::size_t>(at)] = Value::text(QStringLiteral("12.5%"));
        else if (gap == u"absent") {
            columns.removeAt(at);
            row.erase(row.begin() + at);
        }
    });
    if (gap == u"no row")
        data->MoveNext();
    const IndustryStructure s = kiv::balancesheet::readIndustry(gap == u"no data" ? nullptr : data.get(), language);
    QCOMPARE(missingDataMessage(s, language).value_or(QString()), message);

    const int gapRow = rowIndex(column);
    for (int r = 0; r < kRowCount; ++r) {
        const bool shown = s.hasIndustry && r != gapRow;
        QCOMPARE(s.percentages[static_cast<std::size_t>(r)], shown ? kiv::num::ratioForm(r + 0.5) : QStringLiteral("..."));
    }
    if (column == u"SIC")
        QCOMPARE(s.code, QString());
    if (column == u"IndustryDescriptionF")
        QCOMPARE(s.description, QString());
}

void TestBalanceSheetStructure::printoutLines_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QStringList>("expected"); // "line number|text at fixed pitch", from 1
    QTest::newRow("English") << 0 << 61
                             << QStringList{
                                    u"1|lblMedium"_s + QString(55, u' ') + u"lblRevenue"_s,
                                    u"2| "_s,
                                    u"3|lblIndustry   lblIndustryNumber---lblIndustryDescription"_s,
                                    u"4|lblSice1      lblSice"_s,
                                    u"8|"_s + QString(37, u' ') + u"Your     Industry   Variance"_s + QString(39, u' ') + u"Your     Industry   Variance"_s,
                                    u"9|"_s + QString(36, u' ') + u"Ratios     Ratios"_s + QString(50, u' ') + u"Ratios     Ratios"_s,
                                    u"10|lblAssets"_s + QString(62, u' ') + u"Label3"_s,
                                    u"11| "_s,
                                    u"12|"_s + QString(80, u' ') + u"lblAccountsPayable"_s + QString(12, u' ') + u"f10"_s + QString(9, u' ') + u"i10"_s
                                        + QString(9, u' ') + u"d10"_s,
                                    u"14|  lblCash"_s + QString(31, u' ') + u"f1"_s + QString(10, u' ') + u"i1"_s + QString(10, u' ') + u"d1"_s,
                                    u"34|"_s + QString(7, u' ') + u"lblTotalOperatingAssets"_s + QString(9, u' ') + u"f6"_s + QString(10, u' ') + u"i6"_s
                                        + QString(10, u' ') + u"d6"_s,
                                    u"35|"_s + QString(80, u' ') + u"lblOwingToAffiliates"_s + QString(10, u' ') + u"f16"_s,
                                    u"60|"_s + QString(80, u' ') + u"Total liabilities and "_s,
                                    u"61|"_s + QString(80, u' ') + u"shareholders' equity"_s + QString(6, u' ') + u"f23"_s + QString(9, u' ') + u"i23"_s
                                        + QString(10, u' ') + u"d23"_s,
                                };
    QTest::newRow("French") << 1 << 65
                            << QStringList{
                                   u"8|"_s + QString(37, u' ') + u"Vos      Ratios de  Différence"_s + QString(37, u' ') + u"Vos      Ratios de  Différence"_s,
                                   u"9|"_s + QString(36, u' ') + u"Ratios   l'industrie"_s + QString(47, u' ') + u"Ratios   l'industrie"_s,
                                   u"35|"_s + QString(80, u' ') + u"Comptes à payer "_s,
                                   u"36|"_s + QString(80, u' ') + u"à des sociétés affiliées"_s + QString(6, u' ') + u"f16"_s,
                                   u"38|  Placements auprès de"_s,
                                   u"39|  sociétés affiliées"_s + QString(20, u' ') + u"f7"_s,
                                   u"64|"_s + QString(80, u' ') + u"Total, passifs et"_s,
                                   u"65|"_s + QString(80, u' ') + u"captiaux propres"_s + QString(10, u' ') + u"f23"_s,
                               };
}

// At a fixed pitch of one column per character, each item stands at its column.
void TestBalanceSheetStructure::printoutLines()
{
    QFETCH(int, language);
    QFETCH(int, lines);
    QFETCH(QStringList, expected);
    const kiv::PrintDocument doc = printedNames(language);
    const QStringList text = doc.textLines();
    QCOMPARE(text.size(), lines);
    for (const QString& e : expected) {
        const qsizetype bar = e.indexOf(u'|');
        const int line = e.left(bar).toInt();
        const QString printed = text[line - 1];
        QVERIFY2(printed.startsWith(e.mid(bar + 1)), qPrintable(QStringLiteral("line %1: \"%2\"").arg(line).arg(printed)));
    }
    // Each row's three values are printed once, on the line of its caption (or its second line).
    for (int r = 1; r <= kRowCount; ++r) {
        int found = 0;
        for (const QString& l : text) {
            const QStringList w = words(l);
            const QString n = QString::number(r);
            if (w.contains(u'f' + n)) {
                ++found;
                QVERIFY(w.contains(u'i' + n) && w.contains(u'd' + n));
            }
        }
        QCOMPARE(found, 1);
    }
}

// Heads in bold, the four totals in bold italic, the other rows plain; all Times New Roman 10.
void TestBalanceSheetStructure::printoutFonts()
{
    for (int language : {0, 1}) {
        const kiv::PrintDocument doc = printedNames(language);
        for (const kiv::PrintLine& line : doc.lines()) {
            QCOMPARE(line.font.face, QStringLiteral("Times New Roman"));
            QCOMPARE(line.font.size, 10.0);
            const QStringList w = words(line.text());
            if (w.contains(u"lblMedium") || w.contains(u"Ratios") || w.contains(u"lblAssets"))
                QVERIFY(line.font.bold && !line.font.italic);
            for (const char16_t* total : {u"f6", u"f9", u"f19", u"f23"})
                if (w.contains(name(total)))
                    QVERIFY2(line.font.bold && line.font.italic, qPrintable(line.text()));
            for (const char16_t* plain : {u"f1", u"f7", u"f16", u"f22", u"f24", u"f25"})
                if (w.contains(name(plain)))
                    QVERIFY2(!line.font.bold && !line.font.italic, qPrintable(line.text()));
        }
    }
}

KIV_TEST_MAIN(TestBalanceSheetStructure)
#include "tst_balance_sheet_structure.moc"
