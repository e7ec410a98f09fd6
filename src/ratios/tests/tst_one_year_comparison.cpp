#include "platform/db/database.h"
#include "ratios/edition_facts.h"
#include "ratios/one_year_comparison.h"
#include "test_support.h"

#include <set>

using namespace Qt::StringLiterals;
namespace db = kiv::db;
namespace ratios = kiv::ratios;

namespace {

// The columns of an industry row of a one-year edition, and the row of industry 302 of the
// fixture edition.
const QStringList kColumns = u"Industry SIC IndustryDescriptionE IndustryDescriptionF NumberOfFirms "
                             "NpmQ1 NpmQ2 NPMQ3 PpmQ1 PpmQ2 PpmQ3 OpmQ1 OpmQ2 OpmQ3 GpmQ1 GpmQ2 GpmQ3 "
                             "OrttnoaQ1 OrttnoaQ2 OrttnoaQ3 RnoaQ1 RnoaQ2 RnoaQ3 PpaQ1 PpaQ2 PpaQ3 RceQ1 RceQ2 RceQ3 "
                             "ReQ1 ReQ2 ReQ3 RtQ1 RtQ2 RtQ3 ItQ1 ItQ2 ItQ3 WcQ1 WcQ2 WcQ3 DeQ1 DeQ2 DeQ3 "
                             "LtaQ1 LtaQ2 LtaQ3 IcQ1 IcQ2 IcQ3"_s.split(u' ');
const std::vector<double> kQuartiles302 = {0.45, 2.8,   6.95,  0.6,  3.45, 8.1,   1.25, 4.7,   10.35, 12.4, 28.75, 46.2,
                                           142.5, 236.8, 411.25, 2.15, 7.6,  19.45, 0.85, 4.3,   11.7,  1.9,  6.85,  15.2,
                                           2.35,  10.4,  27.6,  5.85, 11.2, 24.6,  3.1,  9.3,   21.75, 0.85, 1.42,  2.65,
                                           0.2,   0.74,  1.85,  0.31, 0.52, 0.78,  1.45, 3.85,  11.6};

std::vector<db::Value> row302()
{
    std::vector<db::Value> row{db::Value::number(302), db::Value::text(u"8641"_s), db::Value::text(u"Youth \"drop-in\" centres"_s),
                               db::Value::text(u"Centres jeunesse"_s), db::Value::number(64)};
    for (double q : kQuartiles302)
        row.push_back(db::Value::number(q));
    return row;
}

std::shared_ptr<db::Snapshot> snapshot(QStringList columns, std::vector<db::Value> row)
{
    return std::make_shared<db::Snapshot>(u"KIV_DATA"_s, std::move(columns), std::vector<std::vector<db::Value>>{std::move(row)});
}

// The cell names of a layout with what each one receives, control names in braces.
QStringList describe(const kiv::exports::Layout& layout)
{
    QStringList out;
    for (const auto& cell : layout) {
        QString text;
        for (const auto& part : cell.parts)
            text += part.kind == kiv::exports::Part::Kind::Control ? u'{' + part.text + u'}' : part.text;
        out << cell.cell + u'=' + text + (cell.value ? u" (value)"_s : QString());
    }
    return out;
}

} // namespace

class TestOneYearComparison : public QObject {
    Q_OBJECT
private slots:
    void rows();
    void industryContent_data();
    void industryContent();
    void unusableIndustry_data();
    void unusableIndustry();
    void shownCode_data();
    void shownCode();
    void editionHeader_data();
    void editionHeader();
    void exportCells_data();
    void exportCells();
    void printout_data();
    void printout();
};

// The labels of each row, as the export, the printout and the window name them.
void TestOneYearComparison::rows()
{
    const auto rows = ratios::comparisonRows();
    QCOMPARE(rows.size(), std::size_t(15));
    QStringList codes;
    for (const auto& r : rows)
        codes << r.code;
    QCOMPARE(codes.join(u' '), u"Npm Ppm Opm Gpm Ortnoa Rnoa Ppa Roce Roe Rt It Wc De Lta Ic"_s);
    const auto& roce = rows[7];
    QCOMPARE(roce.nameLabel(), u"lblReturnOnCapitalEmployed"_s);
    QCOMPARE(QStringList({roce.firmLabel(), roce.q1Label(), roce.medianLabel(), roce.q3Label(), roce.betterLabel(), roce.worseLabel()}),
             QStringList({u"lblMyRoce"_s, u"lblRceQ1"_s, u"lblRceQ2"_s, u"lblRceQ3"_s, u"lblRoce"_s, u"lblRoce1"_s}));
    QCOMPARE(rows[8].medianLabel(), u"lblReQ2"_s);
    QCOMPARE(rows[8].sourceLabel(), u"lblRoe"_s);
    QCOMPARE(rows[9].group, kiv::values::RatioGroup::Efficiency);
    QCOMPARE(rows[11].group, kiv::values::RatioGroup::LiquiditySolvency);
    // Every name, figure and position label is its own.
    std::set<QString> names;
    for (const auto& r : rows)
        for (const QString& n : {r.nameLabel(), r.firmLabel(), r.q1Label(), r.medianLabel(), r.q3Label(), r.betterLabel(), r.worseLabel()})
            QVERIFY2(names.insert(n).second, qPrintable(n));
    QCOMPARE(ratios::positionLabels().size(), 30);
    QCOMPARE(ratios::positionLabels().mid(24, 4), QStringList({u"lblDe"_s, u"lblDe1"_s, u"lblLta"_s, u"lblLta1"_s}));
}

void TestOneYearComparison::industryContent_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("sic");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("description");
    QTest::newRow("English") << 0 << u"8641"_s << u"8641"_s << u"Youth \"drop-in\" centres"_s;
    QTest::newRow("French") << 1 << u"8641"_s << u"8641"_s << u"Centres jeunesse"_s;
    QTest::newRow("not applicable, French") << 1 << u"Not Applicable"_s << u"non applicable"_s << u"Centres jeunesse"_s;
    QTest::newRow("not applicable, English") << 0 << u"not applicable"_s << u"not applicable"_s << u"Youth \"drop-in\" centres"_s;
}

// The header as stored, the quartiles from their own columns (names matched whatever their
// letter case), crossed where lower is better, the zero median marked.
void TestOneYearComparison::industryContent()
{
    QFETCH(int, language);
    QFETCH(QString, sic);
    QFETCH(QString, code);
    QFETCH(QString, description);
    QStringList columns = kColumns;
    columns[6] = u"NPMQ2"_s; // another letter case than the program asks for
    std::vector<db::Value> row = row302();
    row[1] = db::Value::text(sic);
    row[6] = db::Value::number(0.004); // the net profit margin's median shows as zero
    const auto read = ratios::readIndustry(snapshot(columns, row).get(), language);
    QVERIFY(std::holds_alternative<ratios::IndustryContent>(read));
    const auto& c = std::get<ratios::IndustryContent>(read);
    QCOMPARE(c.industryNumber, u"302"_s);
    QCOMPARE(c.code, code);
    QCOMPARE(c.description, description);
    QCOMPARE(c.numberOfFirms, u"64"_s);

    QStringList shown;
    for (const kiv::IndustryQuartiles& q : c.quartiles)
        shown << q.q1 + u'|' + q.q2 + u'|' + q.q3;
    QCOMPARE(shown, QStringList({u"0.45|...|6.95"_s, u"0.60|3.45|8.10"_s, u"1.25|4.70|10.35"_s, u"12.40|28.75|46.20"_s,
                                 u"142.50|236.80|411.25"_s, u"2.15|7.60|19.45"_s, u"0.85|4.30|11.70"_s, u"1.90|6.85|15.20"_s,
                                 u"2.35|10.40|27.60"_s, u"5.85|11.20|24.60"_s, u"3.10|9.30|21.75"_s, u"0.85|1.42|2.65"_s,
                                 u"1.85|0.74|0.20"_s, u"0.78|0.52|0.31"_s, u"1.45|3.85|11.60"_s}));
}

void TestOneYearComparison::unusableIndustry_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QStringList>("empty");
    QTest::addColumn<QStringList>("notNumbers");
    QTest::addColumn<QString>("message");
    const int none = int(ratios::ContentProblem::Kind::NoIndustry);
    const int columns = int(ratios::ContentProblem::Kind::UnusableColumns);
    QTest::newRow("no snapshot") << u"no snapshot"_s << none << QStringList() << QStringList() << QStringList()
                                 << u"No industry is chosen"_s;
    QTest::newRow("past the last row") << u"eof"_s << none << QStringList() << QStringList() << QStringList()
                                       << u"No industry is chosen"_s;
    QTest::newRow("missing quartile column") << u"drop OrttnoaQ2"_s << columns << QStringList{u"OrttnoaQ2"_s} << QStringList()
                                             << QStringList() << u"has no column OrttnoaQ2"_s;
    QTest::newRow("missing header column") << u"drop NumberOfFirms"_s << columns << QStringList{u"NumberOfFirms"_s} << QStringList()
                                           << QStringList() << u"has no column NumberOfFirms"_s;
    QTest::newRow("Null quartile") << u"null LtaQ1"_s << columns << QStringList() << QStringList{u"LtaQ1"_s} << QStringList()
                                   << u"no value is stored in LtaQ1"_s;
    QTest::newRow("Null header") << u"null SIC"_s << columns << QStringList() << QStringList{u"SIC"_s} << QStringList()
                                 << u"no value is stored in SIC"_s;
    QTest::newRow("decimal comma") << u"text DeQ2 0,74"_s << columns << QStringList() << QStringList() << QStringList{u"DeQ2"_s}
                                   << u"DeQ2 do not hold a number"_s;
    QTest::newRow("not a number") << u"text IcQ3 n/a"_s << columns << QStringList() << QStringList() << QStringList{u"IcQ3"_s}
                                  << u"IcQ3 do not hold a number"_s;
}

// A record the window cannot use is told, with what is wrong with it, and nothing of it is shown.
void TestOneYearComparison::unusableIndustry()
{
    QFETCH(QString, change);
    QFETCH(int, kind);
    QFETCH(QStringList, missing);
    QFETCH(QStringList, empty);
    QFETCH(QStringList, notNumbers);
    QFETCH(QString, message);
    QStringList columns = kColumns;
    std::vector<db::Value> row = row302();
    std::shared_ptr<db::Snapshot> data;
    const QStringList words = change.split(u' ');
    const int index = words.size() > 1 ? int(columns.indexOf(words[1])) : -1;
    if (words[0] == u"drop") {
        columns.removeAt(index);
        row.erase(row.begin() + index);
    } else if (words[0] == u"null") {
        row[std::size_t(index)] = db::Value::null();
    } else if (words[0] == u"text") {
        row[std::size_t(index)] = db::Value::text(words[2]);
    }
    if (words[0] != u"no")
        data = snapshot(columns, row);
    if (words[0] == u"eof")
        data->MoveNext();

    const auto read = ratios::readIndustry(data.get(), 0);
    QVERIFY(std::holds_alternative<ratios::ContentProblem>(read));
    const auto& p = std::get<ratios::ContentProblem>(read);
    QCOMPARE(int(p.kind), kind);
    QCOMPARE(p.missing, missing);
    QCOMPARE(p.empty, empty);
    QCOMPARE(p.notNumbers, notNumbers);
    const QString english = ratios::problemMessage(p, 0);
    QVERIFY2(english.contains(message), qPrintable(english));
    if (p.kind == ratios::ContentProblem::Kind::UnusableColumns)
        QVERIFY2(english.startsWith(u"The figures of industry 302 cannot be used"_s), qPrintable(english));
    const QString french = ratios::problemMessage(p, 1);
    QVERIFY(french != english);
    QVERIFY2(french.contains(u"comparaison"_s) || french.contains(u"comparés"_s), qPrintable(french));
}

void TestOneYearComparison::shownCode_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("shown");
    QTest::newRow("French") << u"not applicable"_s << 1 << u"non applicable"_s;
    QTest::newRow("French, capitals") << u"NOT Applicable"_s << 1 << u"non applicable"_s;
    QTest::newRow("English") << u"Not Applicable"_s << 0 << u"Not Applicable"_s;
    QTest::newRow("French, blank before") << u" not applicable"_s << 1 << u" not applicable"_s;
    QTest::newRow("French, blank after") << u"not applicable "_s << 1 << u"not applicable "_s;
    QTest::newRow("French, a code") << u"5611, 5621"_s << 1 << u"5611, 5621"_s;
}

void TestOneYearComparison::shownCode()
{
    QFETCH(QString, stored);
    QFETCH(int, language);
    QFETCH(QString, shown);
    QCOMPARE(ratios::shownIndustryCode(stored, language), shown);
}

void TestOneYearComparison::editionHeader_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("Volume 1") << u"optVol1"_s << 0
                              << QStringList{u"Medium and Large Firms"_s, u"Revenue of $5 million and over, Reference Year 1999"_s, u"SICC"_s};
    QTest::newRow("Volume 1, French")
        << u"optVol1"_s << 1
        << QStringList{u"Les entreprises de taille moyenne et grande"_s,
                       u"Ayant plus de 5 $ million de recettes, Année de référence 1999"_s, u"CTI-C"_s};
    QTest::newRow("Volume 2") << u"optVol2"_s << 0
                              << QStringList{u"Small and Medium Firms"_s, u"Revenue under $5 million, Reference Year 1997"_s, u"SICE"_s};
    QTest::newRow("Volume 2, French")
        << u"optVol2"_s << 1
        << QStringList{u"Petites et moyennes entreprises"_s, u"Ayant moins de 5 $ million de recettes, Année de référence 1997"_s,
                       u"CTI-E"_s};
    QTest::newRow("Volume 3") << u"optVol3"_s << 0 << QStringList();
    QTest::newRow("none") << QString() << 0 << QStringList();
}

void TestOneYearComparison::editionHeader()
{
    QFETCH(QString, option);
    QFETCH(int, language);
    QFETCH(QStringList, lines);
    const auto texts = kiv::editionHeaderTexts(option, language);
    QCOMPARE(texts.has_value(), !lines.isEmpty());
    if (texts)
        QCOMPARE(QStringList({texts->firmSize, texts->revenue, texts->codeSystem}), lines);
    QCOMPARE(kiv::editionReferenceYear(option).has_value(), !lines.isEmpty());
}

void TestOneYearComparison::exportCells_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("heads");
    QTest::newRow("English") << 0
                             << QStringList{u"B5=Your Ratios"_s, u"C5=Industry median ratios"_s,
                                            u"D5=Your firm is better than _% of the firms"_s,
                                            u"E5=Your firm is worse than _% of the firms"_s};
    QTest::newRow("French") << 1
                            << QStringList{u"B5=Vos Ratios"_s, u"C5=Ratios médiane de l'industrie"_s,
                                           u"D5=Votre entreprise est meilleur que _% des entreprises"_s,
                                           u"E5=Votre entreprise est pire que _% des entreprises"_s};
}

// 88 cells in the order they are written: the header, then rows 9 to 27 from A to E, the group
// heads in column A alone, rows 3, 7, 18 and 22 untouched.
void TestOneYearComparison::exportCells()
{
    QFETCH(int, language);
    QFETCH(QStringList, heads);
    const QStringList cells = describe(ratios::exportLayout(language));
    QCOMPARE(cells.size(), 88);
    QCOMPARE(cells.mid(0, 5), QStringList({u"A1={lblMedium}"_s, u"C1={lblRevenue}"_s,
                                           u"A2={lblSice1}: {lblSice} - {lblIndustryDescription}"_s, u"D4={Label1}"_s,
                                           u"E4={Label1}"_s}));
    QCOMPARE(cells.mid(5, 4), heads);
    QCOMPARE(cells.mid(9, 8), QStringList({u"A6={lblNumber}: {lblNumberOfFirms}"_s, u"A8={lblProfitability}"_s,
                                           u"A9={lblNetProfitMargin}"_s, u"B9={lblMyNpm} (value)"_s, u"C9={lblNpmQ2} (value)"_s,
                                           u"D9={lblNpm} (value)"_s, u"E9={lblNpm1} (value)"_s, u"A10={lblPretaxProfitMargin}"_s}));
    QCOMPARE(cells.mid(53, 3), QStringList({u"C17={lblReQ2} (value)"_s, u"D17={lblRoe} (value)"_s, u"E17={lblRoe1} (value)"_s}));
    QCOMPARE(cells.mid(56, 2), QStringList({u"A19={lblEffeciency}"_s, u"A20={lblReceivableTurnover}"_s}));
    QCOMPARE(cells.mid(67, 2), QStringList({u"A23={lblLiquidity}"_s, u"A24={lblWorkingCapital}"_s}));
    QCOMPARE(cells.mid(83), QStringList({u"A27={lblInterestCoverage}"_s, u"B27={lblMyIc} (value)"_s, u"C27={lblIcQ2} (value)"_s,
                                         u"D27={lblIc} (value)"_s, u"E27={lblIc1} (value)"_s}));
    QCOMPARE(cells.filter(u" (value)"_s).size(), 60);
    std::set<int> written;
    for (const QString& c : cells)
        written.insert(c.mid(1, c.indexOf(u'=') - 1).toInt());
    QCOMPARE(written, (std::set<int>{1, 2, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 23, 24, 25, 26, 27}));
}

void TestOneYearComparison::printout_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("heads"); // column:text|column:text ...
    QTest::newRow("English") << 0
                             << QStringList{u"52:Your|69:Industry|93:Your firm is |113:Your firm is "_s,
                                            u"51:Ratios|70:median|92:better than _% |112:worse than _%"_s,
                                            u"70:ratios|93:of the firms|113:of the firms"_s};
    QTest::newRow("French") << 1
                            << QStringList{u"52:Vos|70:Ratios|90:Votre entreprise |112:Votre entreprise "_s,
                                           u"51:Ratios|68:médiane de|89:est meilleur que _% |112:est pire que _%"_s,
                                           u"68:l'industrie|90:des entreprises|112:des entreprises"_s};
}

// Fifty lines: the header (the hidden industry number included, not the firm-size group), the
// title alone on its line, the column heads of the language, the number of firms and the three
// groups, each row at its columns; group heads bold italic 12 points, the rows regular 10.
void TestOneYearComparison::printout()
{
    QFETCH(int, language);
    QFETCH(QStringList, heads);
    const auto caption = [](const QString& name) {
        if (name == u"lblMedium")
            return u"NOT PRINTED"_s;
        if (name == u"lblNpm1" || name == u"lblNpm")
            return name == u"lblNpm" ? u"75"_s : u" "_s;
        return u'<' + name + u'>';
    };
    const kiv::PrintDocument doc = ratios::comparisonPrintout(caption, language);
    const QStringList lines = doc.textLines();
    QCOMPARE(lines.size(), 50);
    QVERIFY(!doc.toText().contains(u"NOT PRINTED"_s));

    auto at = [](int column, const QString& text) { return QString(column - 1, u' ') + text; };
    QCOMPARE(lines[0], u"<lblIndustryNum> <lblIndustryNumber>"_s.leftJustified(64) + u"<lblRevenue>"_s);
    QCOMPARE(lines[1], u" "_s);
    QCOMPARE(lines[2], u"<lblIndustryDescription>"_s);
    QCOMPARE(lines[4], u"<lblSice1>"_s.leftJustified(14) + u"<lblSice>"_s);
    QCOMPARE(lines.mid(5, 4), QStringList(4, u" "_s));
    QCOMPARE(lines[9], at(102, u"<Label1>"_s));
    for (int i = 0; i < 3; ++i) {
        QString expected;
        for (const QString& item : heads[i].split(u'|')) {
            const int colon = int(item.indexOf(u':'));
            expected = expected.leftJustified(item.left(colon).toInt() - 1) + item.mid(colon + 1);
        }
        QCOMPARE(lines[10 + i], expected);
    }
    QCOMPARE(lines[13], u" "_s);
    QCOMPARE(lines[14], u"<lblNumber>"_s.leftJustified(74) + u"<lblNumberOfFirms>"_s);
    QCOMPARE(lines[15], u" "_s);
    QCOMPARE(lines[16], u"<lblProfitability>"_s);
    QCOMPARE(lines[17], u"<lblNetProfitMargin>"_s.leftJustified(54) + u"<lblMyNpm>"_s.leftJustified(20)
                            + u"<lblNpmQ2>"_s.leftJustified(29) + u"75"_s.leftJustified(21) + u" "_s);
    QCOMPARE(lines[18], u" "_s);
    QCOMPARE(lines.mid(33, 4), QStringList({u"<lblReturnOnEquity>"_s.leftJustified(54) + u"<lblMyRoe>"_s.leftJustified(20)
                                                + u"<lblReQ2>"_s.leftJustified(29) + u"<lblRoe>"_s.leftJustified(21) + u"<lblRoe1>"_s,
                                            u" "_s, u" "_s, u"<lblEffeciency>"_s}));
    QCOMPARE(lines.mid(40, 3), QStringList({u" "_s, u" "_s, u"<lblLiquidity>"_s}));
    QVERIFY(lines[49].startsWith(u"<lblInterestCoverage>"_s));

    // Fonts, by statement.
    const auto& st = doc.lines();
    const auto font = [](double size, bool bold, bool italic) { return kiv::PrintFont{u"Times New Roman"_s, size, bold, italic}; };
    QCOMPARE(st.front().font, font(10, true, false));
    const auto title = std::find_if(st.begin(), st.end(), [](const kiv::PrintLine& l) { return l.keepOpen; });
    QVERIFY(title != st.end());
    QCOMPARE(title->font, font(10, true, true));
    QCOMPARE((title + 1)->font, font(10, true, false));
    int groupHeads = 0;
    for (const kiv::PrintLine& l : st) {
        const QString t = l.text();
        if (t == u"<lblProfitability>" || t == u"<lblEffeciency>" || t == u"<lblLiquidity>") {
            QCOMPARE(l.font, font(12, true, true));
            ++groupHeads;
        } else if (t.startsWith(u"<lblNumber>"_s) || t.startsWith(u"<lblInterestCoverage>"_s)) {
            QCOMPARE(l.font, font(10, false, false));
        }
    }
    QCOMPARE(groupHeads, 3);
}

KIV_TEST_MAIN(TestOneYearComparison)
#include "tst_one_year_comparison.moc"
