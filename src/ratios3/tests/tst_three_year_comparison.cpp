// The three-year comparison's content without a window: the labels of its cells, what it
// reads of the current industry, and the cells of its export and the lines of its printout.
#include "../../ratios/tests/position_helpers.h"
#include "platform/db/database.h"
#include "balancesheet/balance_sheet_structure.h"
#include "industry/industry_reports.h"
#include "ratios/one_year_comparison.h"
#include "ratios3/three_year_comparison.h"
#include "shell/editions.h"
#include "values/one_year_printout.h"
#include "values3/three_year_printout.h"
#include "test_support.h"

#include <QSet>

using namespace Qt::StringLiterals;
using namespace kiv::ratios3;
using kiv::IndustryQuartiles;
using kiv::db::Value;

namespace {

const QStringList kPrefixes{u"NPM"_s, u"PPM"_s, u"GPM"_s, u"PPA"_s, u"ROE"_s, u"LTA"_s};

// One industry row of a three-year edition: every quartile column holds its quartile number
// plus a tenth of its year (NPMQ2_3 = 2.3) unless `values` says otherwise; `drop` leaves a
// column out.
std::shared_ptr<kiv::db::Snapshot> edition(const QMap<QString, Value>& values = {}, const QString& drop = QString())
{
    QStringList columns{u"Industry"_s, u"SIC"_s, u"IndustryDescriptionE"_s, u"IndustryDescriptionF"_s};
    std::vector<Value> row{Value::number(401), Value::text(u"6411"_s), Value::text(u"Hardware stores"_s),
                           Value::text(u"Quincailleries"_s)};
    for (const QString& prefix : kPrefixes)
        for (int year = 1; year <= 3; ++year)
            for (int q = 1; q <= 3; ++q) {
                columns << prefix + u'Q' + QString::number(q) + u'_' + QString::number(year);
                row.push_back(Value::number(q + year / 10.0));
            }
    for (auto it = values.begin(); it != values.end(); ++it)
        row[static_cast<std::size_t>(columns.indexOf(it.key()))] = it.value();
    if (!drop.isEmpty()) {
        const qsizetype at = columns.indexOf(drop);
        columns.removeAt(at);
        row.erase(row.begin() + at);
    }
    return std::make_shared<kiv::db::Snapshot>(u"KIV_DATA"_s, columns, std::vector<std::vector<Value>>{row});
}

int workingIndex(Ratio ratio, Year year)
{
    return static_cast<int>(year) * kRatioCount + static_cast<int>(ratio);
}

} // namespace

class TestThreeYearComparison : public QObject {
    Q_OBJECT
private slots:
    void cellLabels_data();
    void cellLabels();
    void labelNamesAreDistinct();
    void industry_data();
    void industry();
    void quartileTexts_data();
    void quartileTexts();
    void problems_data();
    void problems();
    void exportLayout_data();
    void exportLayout();
    void exportLayoutShape();
    void printout_data();
    void printout();
    void printoutNames_data();
    void printoutNames();
};

// The window's names as they are spelled, small q and Re stem included, and the record's
// columns behind them.
void TestThreeYearComparison::cellLabels_data()
{
    QTest::addColumn<int>("ratio");
    QTest::addColumn<int>("year");
    QTest::addColumn<QStringList>("labels"); // source, firm, better boundary, median, worse boundary, better, worse, year
    QTest::addColumn<QStringList>("columns");
    const auto row = [](const char* name, Ratio r, Year y, QStringList labels, QStringList columns) {
        QTest::newRow(name) << int(r) << int(y) << labels << columns;
    };
    row("Npm 1999", Ratio::NetProfitMargin, Year::Year3,
        {u"lblNpm"_s, u"lblMyNpm96"_s, u"lblNpmQ396"_s, u"lblNpmQ296"_s, u"lblNpmQ196"_s, u"lblNpm"_s, u"lblNpm1"_s, u"Label74"_s},
        {u"NPMQ1_3"_s, u"NPMQ2_3"_s, u"NPMQ3_3"_s});
    row("Npm 1998", Ratio::NetProfitMargin, Year::Year2,
        {u"lblNpm95"_s, u"lblMyNpm95"_s, u"lblNpmQ395"_s, u"lblNpmQ295"_s, u"lblNpmq195"_s, u"lblNpm95"_s, u"lblNpm195"_s, u"Label75"_s},
        {u"NPMQ1_2"_s, u"NPMQ2_2"_s, u"NPMQ3_2"_s});
    row("Gpm 1998", Ratio::GrossProfitMargin, Year::Year2,
        {u"lblGpm95"_s, u"lblMyGpm95"_s, u"lblGpmQ395"_s, u"lblGpmQ295"_s, u"lblGpmq195"_s, u"lblGpm95"_s, u"lblGpm195"_s, u"Label81"_s},
        {u"GPMQ1_2"_s, u"GPMQ2_2"_s, u"GPMQ3_2"_s});
    row("Gpm 1997", Ratio::GrossProfitMargin, Year::Year1,
        {u"lblGpm94"_s, u"lblMyGpm94"_s, u"lblGpmQ394"_s, u"lblGpmQ294"_s, u"lblGpmq194"_s, u"lblGpm94"_s, u"lblGpm194"_s, u"Label82"_s},
        {u"GPMQ1_1"_s, u"GPMQ2_1"_s, u"GPMQ3_1"_s});
    row("Roe 1998", Ratio::ReturnOnEquity, Year::Year2,
        {u"lblRoe95"_s, u"lblMyRoe95"_s, u"lblReQ395"_s, u"lblReQ295"_s, u"lblReQ195"_s, u"lblRoe95"_s, u"lblRoe195"_s, u"Label87"_s},
        {u"ROEQ1_2"_s, u"ROEQ2_2"_s, u"ROEQ3_2"_s});
    row("Lta 1999", Ratio::LiabilitiesToAssets, Year::Year3,
        {u"lblLta"_s, u"lblMyLta96"_s, u"lblLtaQ396"_s, u"lblLtaQ296"_s, u"lblLtaQ196"_s, u"lblLta"_s, u"lblLta1"_s, u"Label89"_s},
        {u"LTAQ1_3"_s, u"LTAQ2_3"_s, u"LTAQ3_3"_s});
    row("Lta 1997", Ratio::LiabilitiesToAssets, Year::Year1,
        {u"lblLta94"_s, u"lblMyLta94"_s, u"lblLtaq394"_s, u"lblLtaQ294"_s, u"lblLtaQ194"_s, u"lblLta94"_s, u"lblLta194"_s, u"Label91"_s},
        {u"LTAQ1_1"_s, u"LTAQ2_1"_s, u"LTAQ3_1"_s});
}

void TestThreeYearComparison::cellLabels()
{
    QFETCH(int, ratio);
    QFETCH(int, year);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, columns);
    const Cell& c = cell(static_cast<Ratio>(ratio), static_cast<Year>(year));
    QCOMPARE((QStringList{c.source, c.firm, c.betterBoundary, c.median, c.worseBoundary, c.better, c.worse, c.yearLabel}), labels);
    QCOMPARE((QStringList{c.columns[0], c.columns[1], c.columns[2]}), columns);
    QCOMPARE(c.rule, ratio == int(Ratio::LiabilitiesToAssets) ? kiv::ThreeYearRule::LowerIsBetter : kiv::ThreeYearRule::HigherIsBetter);
}

// The window finds its labels by name: no two of its 144 cell labels and six ratio names may
// share one, and the working order visits each cell once, 1999 first.
void TestThreeYearComparison::labelNamesAreDistinct()
{
    QSet<QString> names;
    QSet<QString> columns;
    const auto order = cellsInWorkingOrder();
    for (const Cell* c : order) {
        for (const QString& n : {c->firm, c->betterBoundary, c->median, c->worseBoundary, c->better, c->worse, c->yearLabel})
            names.insert(n);
        for (const QString& column : c->columns)
            columns.insert(column);
    }
    for (int r = 0; r < kRatioCount; ++r)
        names.insert(ratioNameLabel(static_cast<Ratio>(r)));
    QCOMPARE(names.size(), kCellCount * 7 + kRatioCount);
    QCOMPARE(columns.size(), 54);
    QCOMPARE(order[0]->firm, u"lblMyNpm96"_s);
    QCOMPARE(order[5]->firm, u"lblMyLta96"_s);
    QCOMPARE(order[6]->firm, u"lblMyNpm95"_s);
    QCOMPARE(order[17]->firm, u"lblMyLta94"_s);
    QCOMPARE(positionLabels().mid(0, 4), (QStringList{u"lblNpm"_s, u"lblNpm1"_s, u"lblPpm"_s, u"lblPpm1"_s}));
    QCOMPARE(positionLabels().size(), 36);
    QCOMPARE(positionLabels().last(), u"lblLta194"_s);
}

// The header: the description of the user's language, and the code as stored but for the
// French "non applicable".
void TestThreeYearComparison::industry_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("sic");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("description");
    QTest::newRow("English") << 0 << u"6421, 6422"_s << u"6421, 6422"_s << u"Hardware stores"_s;
    QTest::newRow("English, not applicable") << 0 << u"Not Applicable"_s << u"Not Applicable"_s << u"Hardware stores"_s;
    QTest::newRow("French, not applicable") << 1 << u"Not Applicable"_s << u"non applicable"_s << u"Quincailleries"_s;
    QTest::newRow("French, trailing blank") << 1 << u"not applicable "_s << u"not applicable "_s << u"Quincailleries"_s;
}

void TestThreeYearComparison::industry()
{
    QFETCH(int, language);
    QFETCH(QString, sic);
    QFETCH(QString, code);
    QFETCH(QString, description);
    const auto data = edition({{u"SIC"_s, Value::text(sic)}});
    const auto read = readIndustry(data.get(), language);
    const auto* content = std::get_if<IndustryContent>(&read);
    QVERIFY(content);
    QCOMPARE(content->industryNumber, u"401"_s);
    QCOMPARE(content->code, code);
    QCOMPARE(content->description, description);
}

// Each cell's three quartile texts as the labels hold them: "###0.00", the better boundary in
// the third-quartile slot (crossed for liabilities to assets), a zero median "...".
void TestThreeYearComparison::quartileTexts_data()
{
    QTest::addColumn<int>("ratio");
    QTest::addColumn<int>("year");
    QTest::addColumn<double>("q1");
    QTest::addColumn<double>("q2");
    QTest::addColumn<double>("q3");
    QTest::addColumn<IndustryQuartiles>("expected"); // q1 worse boundary, q2 median, q3 better boundary
    const auto row = [](const char* name, Ratio r, Year y, double q1, double q2, double q3, IndustryQuartiles e) {
        QTest::newRow(name) << int(r) << int(y) << q1 << q2 << q3 << e;
    };
    row("Npm ascending", Ratio::NetProfitMargin, Year::Year3, 3.5, 5, 7.25, {u"3.50"_s, u"5.00"_s, u"7.25"_s});
    row("Lta crossed", Ratio::LiabilitiesToAssets, Year::Year3, 0.35, 0.5, 0.75, {u"0.75"_s, u"0.50"_s, u"0.35"_s});
    row("zero median", Ratio::ReturnOnEquity, Year::Year2, -2.4, 0, 6.85, {u"-2.40"_s, u"..."_s, u"6.85"_s});
    row("median rounds to zero", Ratio::PretaxProfitToAssets, Year::Year1, -1.35, 0.004, 2.6, {u"-1.35"_s, u"..."_s, u"2.60"_s});
    row("median 0.01", Ratio::PretaxProfitToAssets, Year::Year1, -1.35, 0.01, 2.6, {u"-1.35"_s, u"0.01"_s, u"2.60"_s});
    row("all zero", Ratio::GrossProfitMargin, Year::Year1, 0, 0, 0, {u"0.00"_s, u"..."_s, u"0.00"_s});
    row("no grouping, negative", Ratio::PretaxProfitMargin, Year::Year2, -1.5, 12345.678, 123456.5, {u"-1.50"_s, u"12345.68"_s, u"123456.50"_s});
}

void TestThreeYearComparison::quartileTexts()
{
    QFETCH(int, ratio);
    QFETCH(int, year);
    QFETCH(double, q1);
    QFETCH(double, q2);
    QFETCH(double, q3);
    QFETCH(IndustryQuartiles, expected);
    const Cell& c = cell(static_cast<Ratio>(ratio), static_cast<Year>(year));
    const auto data = edition({{c.columns[0], Value::number(q1)}, {c.columns[1], Value::number(q2)}, {c.columns[2], Value::number(q3)}});
    const auto read = readIndustry(data.get(), 0);
    QVERIFY(std::holds_alternative<IndustryContent>(read));
    const auto& quartiles = std::get<IndustryContent>(read).quartiles;
    QCOMPARE(quartiles[static_cast<std::size_t>(workingIndex(c.ratio, c.year))], expected);
    // The neighbouring cells keep their own columns.
    QCOMPARE(quartiles[0].q2, c.ratio == Ratio::NetProfitMargin && c.year == Year::Year3 ? expected.q2 : u"2.30"_s);
}

// No current industry, a column the edition lacks, a column without a value, a quartile that
// is not a number: no content, and the problem names the columns.
void TestThreeYearComparison::problems_data()
{
    QTest::addColumn<std::shared_ptr<kiv::db::Snapshot>>("data");
    QTest::addColumn<bool>("pastEnd");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QStringList>("empty");
    QTest::addColumn<QStringList>("notNumbers");
    const int none = int(ContentProblem::Kind::NoIndustry);
    const int columns = int(ContentProblem::Kind::UnusableColumns);
    QTest::newRow("no snapshot") << std::shared_ptr<kiv::db::Snapshot>() << false << 0 << none << QStringList() << QStringList()
                                 << QStringList();
    QTest::newRow("past the last row") << edition() << true << 1 << none << QStringList() << QStringList() << QStringList();
    QTest::newRow("missing quartile column") << edition({}, u"LTAQ3_1"_s) << false << 0 << columns << QStringList{u"LTAQ3_1"_s}
                                             << QStringList() << QStringList();
    QTest::newRow("missing French description") << edition({}, u"IndustryDescriptionF"_s) << false << 1 << columns
                                                << QStringList{u"IndustryDescriptionF"_s} << QStringList() << QStringList();
    QTest::newRow("Null quartiles, 1999 first") << edition({{u"NPMQ2_1"_s, Value::null()}, {u"ROEQ3_3"_s, Value::null()}}) << false
                                                << 0 << columns << QStringList() << QStringList{u"ROEQ3_3"_s, u"NPMQ2_1"_s}
                                                << QStringList();
    QTest::newRow("Null code") << edition({{u"SIC"_s, Value::null()}}) << false << 0 << columns << QStringList()
                               << QStringList{u"SIC"_s} << QStringList();
    QTest::newRow("decimal comma") << edition({{u"PPMQ1_2"_s, Value::text(u"12,75"_s)}}) << false << 0 << columns << QStringList()
                                   << QStringList() << QStringList{u"PPMQ1_2"_s};
}

void TestThreeYearComparison::problems()
{
    QFETCH(std::shared_ptr<kiv::db::Snapshot>, data);
    QFETCH(bool, pastEnd);
    QFETCH(int, language);
    QFETCH(int, kind);
    QFETCH(QStringList, missing);
    QFETCH(QStringList, empty);
    QFETCH(QStringList, notNumbers);
    if (pastEnd)
        data->MoveNext();
    const auto read = readIndustry(data.get(), language);
    const auto* problem = std::get_if<ContentProblem>(&read);
    QVERIFY(problem);
    QCOMPARE(int(problem->kind), kind);
    QCOMPARE(problem->missing, missing);
    QCOMPARE(problem->empty, empty);
    QCOMPARE(problem->notNumbers, notNumbers);
    if (kind == int(ContentProblem::Kind::UnusableColumns))
        QCOMPARE(problem->industryNumber, u"401"_s);
}

// What each cell of the export is made of, shown as the control names in brackets.
void TestThreeYearComparison::exportLayout_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("value");
    QTest::newRow("A1") << 0 << u"A1"_s << u"[lblIndustryNum]: [lblIndustryNumber]"_s << false;
    QTest::newRow("D1") << 0 << u"D1"_s << u"[lblRevenue]"_s << false;
    QTest::newRow("A2") << 0 << u"A2"_s << u"[lblSice1]: [lblSice] - [lblIndustryDescription]"_s << false;
    QTest::newRow("E4") << 0 << u"E4"_s << u"[Label1]"_s << false;
    QTest::newRow("F4") << 0 << u"F4"_s << u"[Label1]"_s << false;
    QTest::newRow("C5") << 0 << u"C5"_s << u"Your Ratios"_s << false;
    QTest::newRow("C5 French") << 1 << u"C5"_s << u"Vos Ratios"_s << false;
    QTest::newRow("D5 French") << 1 << u"D5"_s << u"Ratios médiane de l'industrie"_s << false;
    QTest::newRow("E5") << 0 << u"E5"_s << u"Your firm is better than _% of the firms"_s << false;
    QTest::newRow("F5 French") << 1 << u"F5"_s << u"Votre entreprise est pire que _% des entreprises"_s << false;
    QTest::newRow("A6") << 0 << u"A6"_s << u"[lblNetProfitMargin]"_s << false;
    QTest::newRow("B6") << 0 << u"B6"_s << u"[Label74]"_s << false;
    QTest::newRow("C6") << 0 << u"C6"_s << u"[lblMyNpm96]"_s << true;
    QTest::newRow("E6") << 0 << u"E6"_s << u"[lblNpm]"_s << true;
    QTest::newRow("F7") << 0 << u"F7"_s << u"[lblNpm195]"_s << true;
    QTest::newRow("A10") << 0 << u"A10"_s << u"[lblPretaxProfitMargin]"_s << false;
    QTest::newRow("B16 years of the first block") << 0 << u"B16"_s << u"[Label76]"_s << false;
    QTest::newRow("D23") << 0 << u"D23"_s << u"[lblReQ295]"_s << true;
    QTest::newRow("A26") << 0 << u"A26"_s << u"[lblLiabilitiesToAssets]"_s << false;
    QTest::newRow("C28") << 0 << u"C28"_s << u"[lblMyLta94]"_s << true;
    QTest::newRow("F28") << 0 << u"F28"_s << u"[lblLta194]"_s << true;
}

void TestThreeYearComparison::exportLayout()
{
    QFETCH(int, language);
    QFETCH(QString, cell);
    QFETCH(QString, content);
    QFETCH(bool, value);
    const kiv::exports::Layout layout = kiv::ratios3::exportLayout(language);
    const auto cells = kiv::exports::layoutCells(layout, [](const QString& name) { return [name] { return u'[' + name + u']'; }; });
    for (std::size_t i = 0; i < layout.size(); ++i)
        if (layout[i].cell == cell) {
            QCOMPARE(cells[i].text(), content);
            QCOMPARE(cells[i].value, value);
            return;
        }
    QFAIL("no such cell");
}

// 105 cells in the order written: the nine header cells, then each block's A, B to F of its
// first, second and third rows; nothing in the rows and cells that stay empty.
void TestThreeYearComparison::exportLayoutShape()
{
    const kiv::exports::Layout layout = kiv::ratios3::exportLayout(0);
    QStringList names;
    for (const auto& c : layout)
        names << c.cell;
    QCOMPARE(names.size(), 105);
    QCOMPARE(names.mid(0, 9), (QStringList{u"A1"_s, u"D1"_s, u"A2"_s, u"E4"_s, u"F4"_s, u"C5"_s, u"D5"_s, u"E5"_s, u"F5"_s}));
    QCOMPARE(names.mid(9, 16), (QStringList{u"A6"_s, u"B6"_s, u"C6"_s, u"D6"_s, u"E6"_s, u"F6"_s, u"B7"_s, u"C7"_s, u"D7"_s,
                                            u"E7"_s, u"F7"_s, u"B8"_s, u"C8"_s, u"D8"_s, u"E8"_s, u"F8"_s}));
    QCOMPARE(names.mid(25, 2), (QStringList{u"A10"_s, u"B10"_s}));
    QCOMPARE(names.last(), u"F28"_s);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 105);
    int values = 0;
    for (const auto& c : layout) {
        const int row = c.cell.mid(1).toInt();
        const QChar column = c.cell[0];
        QVERIFY2(row >= 1 && row <= 28 && row != 3 && !(row >= 9 && row % 4 == 1), qPrintable(c.cell));
        QVERIFY2(column >= u'A' && column <= u'F', qPrintable(c.cell));
        QVERIFY2(row != 4 || column >= u'E', qPrintable(c.cell));
        QVERIFY2(row != 5 || column >= u'C', qPrintable(c.cell));
        QVERIFY2(row != 1 || column == u'A' || column == u'D', qPrintable(c.cell));
        QVERIFY2(row != 2 || column == u'A', qPrintable(c.cell));
        QVERIFY2(row < 6 || column != u'A' || row % 4 == 2, qPrintable(c.cell));
        if (c.value) {
            ++values;
            QVERIFY(row >= 6 && column >= u'C');
        }
    }
    QCOMPARE(values, 72);
}

// The printout as a fixed-pitch printer would print it, with each label showing its name.
void TestThreeYearComparison::printout_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("heads");
    QTest::newRow("English") << 0
                             << QStringList{QString(61, u' ') + u"Your"_s + QString(13, u' ') + u"Industry"_s + QString(16, u' ')
                                                + u"Your firm is "_s + QString(7, u' ') + u"Your firm is "_s,
                                            QString(60, u' ') + u"Ratios"_s + QString(13, u' ') + u"median"_s + QString(16, u' ')
                                                + u"better than _% "_s + QString(5, u' ') + u"worse than _%"_s,
                                            QString(79, u' ') + u"ratios"_s + QString(17, u' ') + u"of the firms"_s
                                                + QString(8, u' ') + u"of the firms"_s};
    QTest::newRow("French") << 1
                            << QStringList{QString(61, u' ') + u"Vos"_s + QString(15, u' ') + u"Ratios"_s + QString(13, u' ')
                                               + u"Votre entreprise "_s + QString(6, u' ') + u"Votre entreprise "_s,
                                           QString(60, u' ') + u"Ratios"_s + QString(11, u' ') + u"médiane de"_s + QString(11, u' ')
                                               + u"est meilleur que _% "_s + QString(3, u' ') + u"est pire que _%"_s,
                                           QString(77, u' ') + u"l'industrie"_s + QString(11, u' ') + u"des entreprises"_s
                                               + QString(7, u' ') + u"des entreprises"_s};
}

void TestThreeYearComparison::printout()
{
    QFETCH(int, language);
    QFETCH(QStringList, heads);
    const QMap<QString, QString> shown{{u"lblIndustryNum"_s, u"Industry"_s}, {u"lblIndustryNumber"_s, u"401"_s},
                                       {u"lblRevenue"_s, u"Revenue"_s}, {u"lblIndustryDescription"_s, u"Hardware stores"_s},
                                       {u"lblSice1"_s, u"SICE"_s}, {u"lblSice"_s, u"6411"_s}, {u"Label1"_s, u"Quartile analysis"_s},
                                       {u"lblNpm1"_s, QString()}, {u"lblLta"_s, QString()}};
    const auto caption = [&](const QString& name) { return shown.value(name, name); };
    const kiv::PrintDocument doc = comparisonPrintout(caption, language);
    const QStringList lines = doc.textLines();

    // A text at a tab column; an empty text adds nothing, not even the blanks before it.
    const auto at = [](int column, const QString& text, QString line = QString()) {
        if (text.isEmpty())
            return line;
        if (line.size() < column - 1)
            line += QString(column - 1 - line.size(), u' ');
        return line + text;
    };
    QStringList expected{at(60, u"Revenue"_s, u"Industry 401"_s), u" "_s, u"Hardware stores"_s, u" "_s, at(15, u"6411"_s, u"SICE"_s),
                         u" "_s, u" "_s, u" "_s, at(112, u"Quartile analysis"_s)};
    expected << heads << QString(184, u'_') + u' ' << u" "_s;
    const auto row = [&](const QString& name, const QString& year, const QString& firm, const QString& median, const QString& better,
                         const QString& worse) {
        return at(127, worse, at(106, better, at(80, median, at(62, firm, at(49, year, name)))));
    };
    expected << row(u"lblNetProfitMargin"_s, u"Label74"_s, u"lblMyNpm96"_s, u"lblNpmQ296"_s, u"lblNpm"_s, QString())
             << row(QString(), u"Label75"_s, u"lblMyNpm95"_s, u"lblNpmQ295"_s, u"lblNpm95"_s, u"lblNpm195"_s)
             << row(QString(), u"Label76"_s, u"lblMyNpm94"_s, u"lblNpmQ294"_s, u"lblNpm94"_s, u"lblNpm194"_s) << u" "_s << u" "_s;
    QCOMPARE(lines.mid(0, expected.size()), expected);
    // The other blocks take their years from the first block's labels too.
    QCOMPARE(lines.mid(expected.size() + 20, 3),
             (QStringList{row(u"lblLiabilitiesToAssets"_s, u"Label74"_s, u"lblMyLta96"_s, u"lblLtaQ296"_s, QString(), u"lblLta1"_s),
                          row(QString(), u"Label75"_s, u"lblMyLta95"_s, u"lblLtaQ295"_s, u"lblLta95"_s, u"lblLta195"_s),
                          row(QString(), u"Label76"_s, u"lblMyLta94"_s, u"lblLtaQ294"_s, u"lblLta94"_s, u"lblLta194"_s)}));
    QCOMPARE(lines.size(), expected.size() + 20 + 3 + 5);
    QVERIFY(lines.mid(lines.size() - 5) == QStringList(5, u" "_s));

    // Bold header in Times New Roman 10, the quartile head in italics, the rest plain.
    const auto& printed = doc.lines();
    QCOMPARE(printed.front().font, (kiv::PrintFont{u"Times New Roman"_s, 10, true, false}));
    const auto open = std::find_if(printed.begin(), printed.end(), [](const kiv::PrintLine& l) { return l.keepOpen; });
    QVERIFY(open != printed.end());
    QCOMPARE(open->font, (kiv::PrintFont{u"Times New Roman"_s, 10, false, true}));
    for (auto it = open + 1; it != printed.end(); ++it)
        QCOMPARE(it->font, (kiv::PrintFont{u"Times New Roman"_s, 10, false, false}));
}

void TestThreeYearComparison::printoutNames_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("French") << 1;
}

// Each kind of printout has a name of its own, which names its PDF file where no printer is
// set up: one kind's file never takes another kind's name.
void TestThreeYearComparison::printoutNames()
{
    QFETCH(int, language);
    const auto caption = [](const QString& name) { return name; };
    const kiv::db::Snapshot noIndustries(u"KIV_DATA"_s, {u"Industry"_s, u"SIC"_s, u"IndustryDescriptionE"_s, u"IndustryDescriptionF"_s}, {});
    const QStringList names{
        kiv::industry::industryIndexPrintout(noIndustries, kiv::editionByOption(u"optVol1"), language).title(),
        kiv::industry::industryDefinitionPrintout(u"Name"_s, u"Definition"_s, language).title(),
        kiv::values::statementPrintout(kiv::values::StatementCaptions{}, kiv::values::Texts{}, language).title(),
        kiv::ratios::comparisonPrintout(caption, language).title(),
        kiv::balancesheet::structurePrintout(caption, language).title(),
        kiv::values3::statementPrintout(caption, kiv::values3::Texts{}, language).title(),
        comparisonPrintout(caption, language).title(),
    };
    for (const QString& name : names)
        QVERIFY(!name.trimmed().isEmpty());
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
}

KIV_TEST_MAIN(TestThreeYearComparison)
#include "tst_three_year_comparison.moc"
