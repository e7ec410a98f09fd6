// The prepared reports: template names, selection formulas, and what each kind of report shows.
#include "industry/industry_reports.h"
#include "platform/report/report.h"
#include "platform/report/tests/report_fixture.h"
#include "shell/editions.h"
#include "shell/module1.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using kiv::report::ReportError;
using kiv::report::ReportKind;
using kiv::report::Selection;
using namespace reportfixture;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(kiv::report::ReportKind)
Q_DECLARE_METATYPE(kiv::report::Selection::Kind)

namespace {
// A template's name read against the program's editions.
std::optional<kiv::report::ReportTemplate> parseTemplateName(const QString& path)
{
    static const std::vector<kiv::report::ReportEdition> editions = kiv::industry::reportEditions();
    return kiv::report::parseTemplateName(path, editions);
}
} // namespace

class TstReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void templateNames_data();
    void templateNames();
    void templatesOfTheProgramFolder();
    void formulas_data();
    void formulas();
    void rejectedFormulas_data();
    void rejectedFormulas();
    void formulasTheCallersBuild();
    void ratiosPage();
    void balanceSheetPageInFrench();
    void threeYearPage();
    void selection_data();
    void selection();
    void missingColumn();
    void buildingStopsWhenTold();
    void sampleEditions_data();
    void sampleEditions();
};

void TstReport::templateNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("option"); // empty: not a template name
    QTest::addColumn<ReportKind>("kind");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("other");
    const auto R = ReportKind::Ratios, B = ReportKind::BalanceSheet, T = ReportKind::ThreeYearRatios;
    QTest::newRow("volume 1 ratios, English") << u"/data/kiv_v1_rat_e.rpt"_s << u"optVol1"_s << R << 0 << u""_s;
    QTest::newRow("volume 1 balance sheet, French") << u"/data/kiv_v1_bs_f.rpt"_s << u"optVol1"_s << B << 1 << u""_s;
    QTest::newRow("volume 2 ratios") << u"kiv_v2_rat_f.rpt"_s << u"optVol2"_s << R << 1 << u""_s;
    QTest::newRow("volume 2 balance sheet") << u"kiv_v2_bs_e.rpt"_s << u"optVol2"_s << B << 0 << u""_s;
    QTest::newRow("volume 3") << u"/data/kiv_v3_e.rpt"_s << u"optVol3"_s << T << 0 << u""_s;
    QTest::newRow("Ontario, French") << u"/data/kiv_ON_f.rpt"_s << u"optOntario"_s << T << 1 << u""_s;
    QTest::newRow("NWT and Nunavut") << u"kiv_NWTN_e.rpt"_s << u"optNWT_Nunavut"_s << T << 0 << u""_s;
    QTest::newRow("other edition") << u"/data/KIV_OTHER_Sample_e.rpt"_s << u"optOther"_s << T << 0 << u"Sample"_s;
    QTest::newRow("other edition, its own case") << u"kiv_other_Metro_f.rpt"_s << u"optOther"_s << T << 1 << u"Metro"_s;
    QTest::newRow("other edition without a name") << u"KIV_OTHER__e.rpt"_s << u"optOther"_s << T << 0 << u""_s;
    QTest::newRow("Windows separator") << u"C:\\Kivob\\kiv_v1_rat_f.rpt"_s << u"optVol1"_s << R << 1 << u""_s;
    QTest::newRow("any letter case") << u"KIV_V1_RAT_E.RPT"_s << u"optVol1"_s << R << 0 << u""_s;
    QTest::newRow("no language letter") << u"kiv_v3_.rpt"_s << u""_s << R << 0 << u""_s;
    QTest::newRow("another language letter") << u"kiv_v3_x.rpt"_s << u""_s << R << 0 << u""_s;
    QTest::newRow("a volume 1 name without the kind") << u"kiv_v1_e.rpt"_s << u""_s << R << 0 << u""_s;
    QTest::newRow("another extension") << u"kiv_v3_e.txt"_s << u""_s << R << 0 << u""_s;
    QTest::newRow("another name") << u"report_e.rpt"_s << u""_s << R << 0 << u""_s;
    QTest::newRow("a folder named like a template") << u"/kiv_v3_e.rpt/x"_s << u""_s << R << 0 << u""_s;
}

void TstReport::templateNames()
{
    QFETCH(QString, path);
    QFETCH(QString, option);
    QFETCH(ReportKind, kind);
    QFETCH(int, language);
    QFETCH(QString, other);
    const auto t = parseTemplateName(path);
    QCOMPARE(t.has_value(), !option.isEmpty());
    if (!t)
        return;
    QCOMPARE(t->edition->option, option);
    QCOMPARE(t->kind, kind);
    QCOMPARE(t->language, language);
    QCOMPARE(t->otherName, other);
}

// The program folder holds a template for every edition, kind and language, each named as the
// program asks for it and each one line long.
void TstReport::templatesOfTheProgramFolder()
{
    const QDir dir(kivtest::programDir());
    QStringList names;
    for (const kiv::Edition& e : kiv::editions()) {
        for (const char16_t* prefix : {e.reportPrefix, e.bsReportPrefix})
            if (prefix)
                for (const char16_t* letter : {u"e", u"f"})
                    names << QString::fromUtf16(prefix) + QString::fromUtf16(letter) + QStringLiteral(".rpt");
    }
    names << QStringLiteral("KIV_OTHER_Sample_e.rpt") << QStringLiteral("KIV_OTHER_Sample_f.rpt");
    QCOMPARE(names.size(), 4 * 2 + 16 * 2 + 2);
    for (const QString& name : names) {
        QFile f(dir.filePath(name));
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(name));
        const QByteArray content = f.readAll();
        QCOMPARE(content.count('\n'), 1);
        QVERIFY(content.contains("does not read its content"));
        QVERIFY2(parseTemplateName(f.fileName()).has_value(), qPrintable(name));
    }
}

void TstReport::formulas_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<Selection::Kind>("kind");
    QTest::addColumn<double>("industry");
    QTest::addColumn<QString>("sector");
    const auto I = Selection::Kind::Industry, S = Selection::Kind::Sector;
    QTest::newRow("one industry") << u"{KIV_DATA.Industry}= 123"_s << I << 123.0 << u""_s;
    QTest::newRow("names in any case, no blanks") << u"{kiv_data.INDUSTRY}=123"_s << I << 123.0 << u""_s;
    QTest::newRow("blanks around") << u"  { KIV_DATA . Industry }  =   -4.5E1 "_s << I << -45.0 << u""_s;
    QTest::newRow("a fraction") << u"{KIV_DATA.Industry}= 12.5"_s << I << 12.5 << u""_s;
    QTest::newRow("one sector") << u"{KIV_DATA.CATEGORY}= 'A'"_s << S << 0.0 << u"A"_s;
    QTest::newRow("a quote inside the code") << u"{KIV_DATA.Category}= 'O''Brien'"_s << S << 0.0 << u"O'Brien"_s;
    QTest::newRow("two quotes inside the code") << u"{KIV_DATA.CATEGORY}= 'a''''b'"_s << S << 0.0 << u"a''b"_s;
    QTest::newRow("blanks inside the code stay") << u"{KIV_DATA.CATEGORY}= ' A B '"_s << S << 0.0 << u" A B "_s;
    QTest::newRow("an empty code") << u"{KIV_DATA.CATEGORY}= ''"_s << S << 0.0 << u""_s;
    QTest::newRow("no formula: every industry") << u"  "_s << Selection::Kind::All << 0.0 << u""_s;
}

void TstReport::formulas()
{
    QFETCH(QString, formula);
    QFETCH(Selection::Kind, kind);
    QFETCH(double, industry);
    QFETCH(QString, sector);
    const Selection s = kiv::report::parseSelectionFormula(formula);
    QCOMPARE(s.kind, kind);
    QCOMPARE(s.industry, industry);
    QCOMPARE(s.sector, sector);
}

void TstReport::rejectedFormulas_data()
{
    QTest::addColumn<QString>("formula");
    QTest::newRow("a condition after the number") << u"{KIV_DATA.Industry}= 1 or 1=1"_s;
    QTest::newRow("a quoted number") << u"{KIV_DATA.Industry}= '123'"_s;
    QTest::newRow("not a number") << u"{KIV_DATA.Industry}= 12abc"_s;
    QTest::newRow("no value") << u"{KIV_DATA.Industry}="_s;
    QTest::newRow("another column") << u"{KIV_DATA.SIC}= '1011'"_s;
    QTest::newRow("another table") << u"{Category.Category}= 'A'"_s;
    QTest::newRow("a lone quote inside the code") << u"{KIV_DATA.CATEGORY}= 'O'Brien'"_s;
    QTest::newRow("an unclosed code") << u"{KIV_DATA.CATEGORY}= 'A"_s;
    QTest::newRow("an unquoted code") << u"{KIV_DATA.CATEGORY}= A"_s;
    QTest::newRow("two conditions") << u"{KIV_DATA.CATEGORY}= 'A' and {KIV_DATA.Industry}= 1"_s;
    QTest::newRow("no braces") << u"KIV_DATA.Industry = 1"_s;
    QTest::newRow("another operator") << u"{KIV_DATA.Industry}> 1"_s;
    QTest::newRow("a statement after it") << u"{KIV_DATA.Industry}= 1; DROP TABLE KIV_DATA"_s;
}

void TstReport::rejectedFormulas()
{
    QFETCH(QString, formula);
    kivtest::Program program;
    gLanguage = 1;
    try {
        kiv::report::parseSelectionFormula(formula);
        QFAIL("the formula was accepted");
    } catch (const ReportError& e) {
        QCOMPARE(e.code(), ReportError::Code::FormulaRejected);
        QVERIFY(e.message().startsWith(u"La formule de sélection du rapport"));
        QVERIFY(e.message().contains(formula));
    }
}

void TstReport::formulasTheCallersBuild()
{
    QCOMPARE(kiv::report::industryFormula(Value::number(123)), QStringLiteral("{KIV_DATA.Industry}= 123"));
    QCOMPARE(kiv::report::sectorFormula(QStringLiteral("A")), QStringLiteral("{KIV_DATA.CATEGORY}= 'A'"));
    for (const QString& code : {QStringLiteral("O'Brien"), QStringLiteral("''"), QStringLiteral("'"), QString()}) {
        const Selection s = kiv::report::parseSelectionFormula(kiv::report::sectorFormula(code));
        QCOMPARE(s.kind, Selection::Kind::Sector);
        QCOMPARE(s.sector, code);
    }
    const Selection big = kiv::report::parseSelectionFormula(kiv::report::industryFormula(Value::number(1e20)));
    QCOMPARE(big.industry, 1e20);
}

void TstReport::ratiosPage()
{
    // Industry 101's median of net profit margin is 0 and its first quartile of receivable
    // turnover Null: both read "...".
    const auto data = snapshot(ReportKind::Ratios, threeIndustries(), [](const Industry& ind, const QString& c) -> std::optional<Value> {
        if (ind.number == 101 && c == u"NpmQ2")
            return Value::number(0);
        if (ind.number == 101 && c == u"RtQ1")
            return Value::null();
        if (ind.number == 101 && c == u"WcQ3")
            return Value::number(-0.004);
        return std::nullopt;
    });
    const auto t = parseTemplateName(QStringLiteral("kiv_v1_rat_e.rpt"));
    const QString expected = QStringLiteral(R"(Kivob Volume 1
Financial ratios
Industry 101
SICC: 1011, 1012
Poultry farms
Number of firms in the group: 41
Ratio                                      First quartile  Median  Third quartile
Profitability (percentages)
Net profit margin                                  101.06     ...          101.08
Pretax profit margin                               101.09  101.10          101.11
Operating profit margin                            101.12  101.13          101.14
Gross profit margin                                101.15  101.16          101.17
Operating revenue to net operating assets          101.18  101.19          101.20
Return on net operating assets                     101.21  101.22          101.23
Pretax profit to assets                            101.24  101.25          101.26
Return on capital employed                         101.27  101.28          101.29
Return on equity                                   101.30  101.31          101.32
Efficiency (ratios)
Receivable turnover                                   ...  101.34          101.35
Inventory turnover                                 101.36  101.37          101.38
Liquidity/Solvency (ratios)
Working capital                                    101.39  101.40            0.00
Debt to equity                                     101.42  101.43          101.44
Liabilities to assets                              101.45  101.46          101.47
Interest coverage                                  101.48  101.49          101.50)");
    QCOMPARE(kiv::report::reportPage(*data, 0, *t).toText(), expected);
}

void TstReport::balanceSheetPageInFrench()
{
    const auto data = snapshot(ReportKind::BalanceSheet, threeIndustries(), [](const Industry&, const QString& c) -> std::optional<Value> {
        if (c == u"A25400")
            return Value::null(); // prints nothing
        if (c == u"TOTASS")
            return Value::number(100, true);
        if (c == u"A11")
            return Value::number(0); // a percentage of 0 is a figure
        return std::nullopt;
    });
    const auto t = parseTemplateName(QStringLiteral("kiv_v2_bs_f.rpt"));
    const QString page = kiv::report::reportPage(*data, 1, *t).toText();
    const QStringList lines = page.split(u'\n');
    QCOMPARE(lines.mid(0, 5), (QStringList{QStringLiteral("Kivob Volume 2"), QStringLiteral("Structure du bilan"),
                                           QStringLiteral("Industrie 102"), QStringLiteral("CTI-E : non applicable"),
                                           QStringLiteral("Boulangeries")}));
    QCOMPARE(lines.size(), 5 + 1 + 4 + 26); // heads, group rows, items
    const auto row = [&](const QString& caption) {
        for (const QString& l : lines) {
            if (l == caption)
                return QString();
            if (l.startsWith(caption + u"  "_s))
                return l.mid(caption.size()).trimmed();
        }
        return QStringLiteral("(absent)");
    };
    QCOMPARE(row(QStringLiteral("Poste")), QStringLiteral("% des actifs totaux"));
    QCOMPARE(row(QStringLiteral("Encaisse")), QStringLiteral("0.00"));
    QCOMPARE(row(QStringLiteral("Comptes débiteurs")), QStringLiteral("102.06"));
    QCOMPARE(row(QStringLiteral("Obligations")), QString());
    QCOMPARE(row(QStringLiteral("Total, actifs")), QStringLiteral("100.00"));
    QCOMPARE(row(QStringLiteral("Passifs à court terme - % des actifs totaux")), QStringLiteral("102.30"));
    QCOMPARE(lines[5 + 1], QStringLiteral("Actifs"));
}

void TstReport::threeYearPage()
{
    const auto data = snapshot(ReportKind::ThreeYearRatios, threeIndustries());
    const auto t = parseTemplateName(QStringLiteral("KIV_OTHER_Sample_e.rpt"));
    const QString text = kiv::report::reportPage(*data, 2, *t).toText();
    // Columns after the five shared ones: NPMQ1_1 NPMQ2_1 NPMQ3_1 NPMQ1_2 ... so NPM of 1999
    // (year 3) is at places 11 to 13.
    const QString expected = QStringLiteral(R"(Kivob Sample
Financial ratios, 1997 to 1999
Industry 103
SICE: 1031
Dairy farms
Ratio                    Year  First quartile  Median  Third quartile
Profitability (percentages)
Net profit margin        1999          103.11  103.12          103.13
                         1998          103.08  103.09          103.10
                         1997          103.05  103.06          103.07
Pretax profit margin     1999          103.20  103.21          103.22
                         1998          103.17  103.18          103.19
                         1997          103.14  103.15          103.16
Gross profit margin      1999          103.29  103.30          103.31
                         1998          103.26  103.27          103.28
                         1997          103.23  103.24          103.25
Pretax profit to assets  1999          103.38  103.39          103.40
                         1998          103.35  103.36          103.37
                         1997          103.32  103.33          103.34
Return on equity         1999          103.47  103.48          103.49
                         1998          103.44  103.45          103.46
                         1997          103.41  103.42          103.43
Liquidity/Solvency (ratios)
Liabilities to assets    1999          103.56  103.57          103.58
                         1998          103.53  103.54          103.55
                         1997          103.50  103.51          103.52)");
    QCOMPARE(text, expected);
}

void TstReport::selection_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QStringList>("industries"); // the "Industry n" line of each page
    QTest::newRow("one industry") << u"{KIV_DATA.Industry}= 102"_s << QStringList{u"Industry 102"_s};
    QTest::newRow("an industry that is not there") << u"{KIV_DATA.Industry}= 999"_s << QStringList{};
    QTest::newRow("a sector, codes compared without regard to case")
        << u"{KIV_DATA.CATEGORY}= 'A'"_s << QStringList{u"Industry 101"_s, u"Industry 103"_s};
    QTest::newRow("every industry, in table order")
        << u""_s << QStringList{u"Industry 101"_s, u"Industry 102"_s, u"Industry 103"_s};
}

void TstReport::selection()
{
    QFETCH(QString, formula);
    QFETCH(QStringList, industries);
    const auto data = snapshot(ReportKind::Ratios, threeIndustries());
    data->setPosition(1);
    const auto t = parseTemplateName(QStringLiteral("kiv_v2_rat_e.rpt"));
    const auto doc = kiv::report::buildReport(*data, kiv::report::parseSelectionFormula(formula), *t);
    QCOMPARE(doc.title, QStringLiteral("Kivob Volume 2 - Financial ratios"));
    QStringList got;
    for (const kiv::Page& p : doc.pages)
        got << p.toText().split(u'\n').value(2);
    QCOMPARE(got, industries);
    QCOMPARE(data->position(), 1); // the current industry stays
}

void TstReport::missingColumn()
{
    kivtest::Program program;
    // Three-year data for a one-year template.
    const auto data = snapshot(ReportKind::ThreeYearRatios, threeIndustries());
    const auto t = parseTemplateName(QStringLiteral("kiv_v1_rat_e.rpt"));
    try {
        kiv::report::buildReport(*data, Selection{}, *t);
        QFAIL("the report ran");
    } catch (const ReportError& e) {
        QCOMPARE(e.code(), ReportError::Code::NoData);
        QCOMPARE(e.message(), QStringLiteral("The edition's data have no column \"NumberOfFirms\", which this report needs."));
    }
}

// The report tells its ticker after each industry and ends where the ticker says stop.
void TstReport::buildingStopsWhenTold()
{
    struct StopAt : kiv::PrintTicker {
        int ticks = 0;
        int at = 0;
        bool tick() override { return ++ticks < at; }
    };
    const auto data = snapshot(ReportKind::Ratios, threeIndustries());
    const auto t = parseTemplateName(QStringLiteral("kiv_v1_rat_e.rpt"));
    StopAt going;
    going.at = 100;
    QCOMPARE(kiv::report::buildReport(*data, Selection{}, *t, &going).pages.size(), std::size_t(3));
    QCOMPARE(going.ticks, 3);
    StopAt stop;
    stop.at = 3;
    const auto doc = kiv::report::buildReport(*data, Selection{}, *t, &stop);
    QCOMPARE(doc.pages.size(), std::size_t(2));
    QCOMPARE(doc.title, kiv::report::reportTitle(*t));
    QCOMPARE(doc.title, QStringLiteral("Kivob Volume 1 - Financial ratios"));
}

// Every report of the sample editions of the program folder runs on their data and shows figures.
void TstReport::sampleEditions_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("report");
    QTest::newRow("volume 1 ratios") << u"kiv_vol1.mdb"_s << u"kiv_v1_rat_e.rpt"_s;
    QTest::newRow("volume 1 balance sheet") << u"kiv_vol1.mdb"_s << u"kiv_v1_bs_f.rpt"_s;
    QTest::newRow("volume 2 ratios") << u"kiv_vol2.mdb"_s << u"kiv_v2_rat_f.rpt"_s;
    QTest::newRow("volume 2 balance sheet") << u"kiv_vol2.mdb"_s << u"kiv_v2_bs_e.rpt"_s;
    QTest::newRow("volume 3") << u"kiv_vol3.mdb"_s << u"kiv_v3_e.rpt"_s;
    QTest::newRow("Ontario") << u"kiv_ON.mdb"_s << u"kiv_ON_f.rpt"_s;
    QTest::newRow("other edition") << u"KIV_OTHER_Sample.mdb"_s << u"KIV_OTHER_Sample_e.rpt"_s;
}

void TstReport::sampleEditions()
{
    QFETCH(QString, database);
    QFETCH(QString, report);
    const QDir dir(kivtest::programDir());
    const auto db = kiv::db::Database::open(dir.filePath(database), true);
    const auto data = db->openSnapshot(u"KIV_DATA"_s);
    const auto t = parseTemplateName(dir.filePath(report));
    QVERIFY(t);
    const auto doc = kiv::report::buildReport(*data, Selection{}, *t);
    QCOMPARE(static_cast<int>(doc.pages.size()), data->rowCount());
    QVERIFY(data->rowCount() >= 20);
    static const QRegularExpression figure(u"  -?\\d+\\.\\d\\d(\n|$)"_s);
    for (const kiv::Page& page : doc.pages)
        QVERIFY2(page.toText().count(figure) >= 6, qPrintable(page.toText()));
}

KIV_TEST_MAIN(TstReport)
#include "tst_report.moc"
