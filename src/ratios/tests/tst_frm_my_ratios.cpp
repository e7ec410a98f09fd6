// The one-year ratio comparison window, driven as a user drives it: from the industry selection
// through the entry window to the comparison, in both languages and on both database engines;
// its captions and edition header, its commands, the definitions, the export and the printout;
// and what the user reads when the current industry cannot be compared.
#include "balancesheet/frm_my_balance_sheet.h"
#include "industry/frm_crystal_report.h"
#include "industry/frm_startup.h"
#include "pdf_text.h"
#include "platform/db/csv_import.h"
#include "platform/printer_qt.h"
#include "platform/spreadsheet/recording.h"
#include "ratios/frm_my_ratios.h"
#include "ratios/one_year_comparison.h"
#include "ratios/ratio_definitions.h"
#include "shell/editions.h"
#include "shell/frm_menuselect.h"
#include "shell/module1.h"
#include "test_support.h"
#include "values/export.h"
#include "values/frm_export.h"
#include "values/frm_my_values.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QScopeGuard>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
namespace ratios = kiv::ratios;

namespace {

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// The one-year fixture edition: the Access file itself, or an SQLite copy of its tables.
QString edition(const QString& engine)
{
    const QString access = kivtest::jetFixture(u"edition-one-year.mdb"_s);
    if (engine == u"access")
        return access;
    const QString copy = scratch().filePath(u"edition-one-year.sqlite"_s);
    if (!QFile::exists(copy))
        kiv::db::importCsvDumps(copy, access);
    return copy;
}

// Language and Volume 1 chosen, the edition in the data folder; the industry selection opens it.
FrmStartup& openEdition(const kivtest::Program& program, int language, const QString& engine, const QString& option = u"optVol1"_s)
{
    kivtest::setLanguage(language);
    gDataPath = program.folder();
    program.addFile(edition(engine), QString::fromUtf16(kiv::editionByOption(option)->database));
    frmMenuselect().editionOption(option)->setChecked(true);
    FrmStartup& w = frmStartup();
    w.Show();
    return w;
}

using kivtest::click;

using kivtest::choose;

// The industry named in the alphabetical list, then compare the firm's ratios.
void pickAndCompare(FrmStartup& w, const QString& industry)
{
    click(w.cmdSelectList);
    choose(w.cboIndustry, industry);
    click(w.optCompare);
    click(w.optRatios);
    click(w.Cmdcontinue);
}

void typeInto(kiv::TextBox* box, const QString& text)
{
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

// A balanced statement; its ratios in screen order are 12.50, 20.00, 25.00, 40.00, 40.00, 10.00,
// 5.52, 7.00, 5.26, 1.60, 3.00, 1.50, 0.05, 0.34 and 5.00.
void typeStatement(FrmMyValues& w)
{
    const std::pair<const char16_t*, const char16_t*> figures[] = {
        {u"txtCash", u"1000"}, {u"txtAr", u"250"}, {u"txtInv", u"200"}, {u"txtAccountsPayable", u"450"}, {u"txtBanks", u"50"},
        {u"txtShareC", u"950"}, {u"txtCurrentAssets", u"300"}, {u"txtCurrentLiabilities", u"200"},
        {u"txtOperatingRevenue", u"400"}, {u"txtSales", u"1000"}, {u"txtGrossProfit", u"400"}, {u"txtOperatingProfit", u"100"},
        {u"txtInterestExpense", u"20"}, {u"txtPretaxProfit", u"80"}, {u"txtProfitAfterTax", u"50"}};
    for (const auto& [box, text] : figures)
        typeInto(w.findChild<kiv::TextBox*>(QString::fromUtf16(box)), QString::fromUtf16(text));
}

// Each row as the user reads it: firm's ratio | median | better | worse.
QStringList shownRows(const FrmMyRatios& w)
{
    QStringList out;
    for (const ratios::ComparisonRow& r : ratios::comparisonRows())
        out << QStringList{w.label(r.firmLabel())->text(), w.label(r.medianLabel())->text(), w.label(r.betterLabel())->text(),
                           w.label(r.worseLabel())->text()}
                   .join(u'|');
    return out;
}

// The statement above against industry 201 (median of the net profit margin 0) and 103 (no
// quartiles of working capital).
const QStringList kRows201 = {
    u"12.50|...|75| "_s,   u"20.00|0.65|75| "_s, u"25.00|2.85|75| "_s, u"40.00|31.75|50| "_s, u"40.00|256.40| |75"_s,
    u"10.00|7.30|50| "_s,  u"5.52|2.60|50| "_s,  u"7.00|5.80|50| "_s,  u"5.26|6.25|25| "_s,   u"1.60|15.60| |75"_s,
    u"3.00|19.75| |75"_s,  u"1.50|1.05|50| "_s,  u"0.05|1.35|75| "_s,  u"0.34|0.68|75| "_s,   u"5.00|2.15|50| "_s};
const QStringList kRows103 = {
    u"12.50|3.05|75| "_s, u"20.00|4.10|75| "_s, u"25.00|5.20|75| "_s, u"40.00|40.85|25| "_s, u"40.00|248.60| |75"_s,
    u"10.00|12.75|25| "_s, u"5.52|6.35|25| "_s, u"7.00|7.40|25| "_s,  u"5.26|15.80|25| "_s,  u"1.60|61.45| |75"_s,
    u"3.00|2.70|50| "_s,  u"1.50|...|...| "_s,  u"0.05|0.65|75| "_s,  u"0.34|0.49|50| "_s,   u"5.00|6.85|25| "_s};

// The firm's ratio texts on the entry window, as its ratio command writes them.
void setFirmRatios(const QStringList& texts)
{
    const auto rows = ratios::comparisonRows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        frmMyValues().findChild<QLabel*>(rows[i].sourceLabel())->setText(texts[int(i)]);
}

// Three industries of the fixture edition (the definitions left out).
const char kIndustries[] =
    "Industry,SIC,IndustryDescriptionE,IndustryDescriptionF,Category,NumberOfFirms,NpmQ1,NpmQ2,NPMQ3,PpmQ1,PpmQ2,"
    "PpmQ3,OpmQ1,OpmQ2,OpmQ3,GpmQ1,GpmQ2,GpmQ3,OrttnoaQ1,OrttnoaQ2,OrttnoaQ3,RnoaQ1,RnoaQ2,RnoaQ3,PpaQ1,PpaQ2,"
    "PpaQ3,RceQ1,RceQ2,RceQ3,ReQ1,ReQ2,ReQ3,RtQ1,RtQ2,RtQ3,ItQ1,ItQ2,ItQ3,WcQ1,WcQ2,WcQ3,DeQ1,DeQ2,DeQ3,LtaQ1,"
    "LtaQ2,LtaQ3,IcQ1,IcQ2,IcQ3,A11,A12,A13,A18,A19,TOTOA,A14,A151617,TOTASS,A22,A25100,A25200,A25500,A25400,"
    "A25180,A24,A2329,A27,TOTLIAB,A31,A38,A283334,TOTSE,TOTLSE,CURASS,CURLIAB\n"
    "201,3211,\"Bakeries, commercial\",Boulangeries commerciales,B,213,-1.85,0,2.4,-1.2,0.65,3.55,0.3,2.85,6.1,"
    "22.4,31.75,42.6,178.2,256.4,374.85,0.65,7.3,17.45,-0.75,2.6,7.15,0.45,5.8,13.25,-3.6,6.25,21.4,10.25,15.6,"
    "23.85,11.4,19.75,32.6,0.65,1.05,1.7,0.55,1.35,3.1,0.45,0.68,0.71,0.7,2.15,6.4,4.65,12.9,8.35,61.4,7,94.3,"
    "4.5,1.2,100,15.3,16.85,0,14.2,2.6,7.9,11.75,8.2,1.85,78.65,10.4,8.65,2.3,21.35,100,28.6,35.45\n"
    "103,5621 5631,Shoe stores,Magasins de chaussures,A,318,0.6,3.05,6.8,0.75,4.1,7.95,1.45,5.2,10.6,34.6,40.85,"
    "47.3,172.45,248.6,339.15,2.4,12.75,26.3,1.1,6.35,14.85,2.05,7.4,19.6,3.15,15.8,34.25,24.8,61.45,140.35,1.85,"
    "2.7,3.95,0,0,0,0.15,0.65,1.95,0.28,0.49,0.77,2.2,6.85,18.4,12.35,3.8,48.6,21.45,9.2,95.4,1.9,2.7,100,22.4,"
    "13.25,0,4.85,0,8.1,12.6,7.85,0.2,69.25,8.75,20.4,1.6,30.75,100,67.2,40.35\n"
    "301,not applicable,Child day-care services,Services de garderie,C,486,1.35,4.85,10.2,1.55,5.6,11.85,2.2,"
    "6.75,14.3,41.2,56.35,72.8,210.6,334.25,512.4,5.3,17.85,38.6,2.45,7.1,21.35,4.6,13.2,27.45,7.4,22.45,46.1,"
    "12.3,26.85,58.4,14.5,32.75,68.2,0.95,1.55,2.7,0.1,0.45,1.35,0.22,0.41,0.66,3.1,7.45,27.8,18.4,9.75,1.3,52.6,"
    "11.2,93.25,0.8,5.95,100,8.65,9.2,0,24.35,0,7.4,5.1,17.8,0.35,72.85,6.2,16.85,4.1,27.15,100,33.8,19.6\n";

std::shared_ptr<kiv::db::Snapshot> industries()
{
    static const kiv::db::TableData table = [] {
        const QString path = scratch().filePath(u"industries.csv"_s);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(kIndustries) < 0)
            qFatal("cannot write %s", qPrintable(path));
        f.close();
        return kiv::db::readCsvTable(u"KIV_DATA"_s, path);
    }();
    QStringList columns;
    for (const kiv::db::ColumnDef& c : table.columns)
        columns << c.name;
    return std::make_shared<kiv::db::Snapshot>(table.name, columns, table.rows);
}

// The comparison of industry `industry` with the statement above, reached the short way: the
// sample edition opened by the industry selection, then that industry made the current one.
FrmMyRatios& showComparison(const kivtest::Program& program, int language, int industry = 201,
                            const QString& option = u"optVol1"_s)
{
    gLanguage = std::int16_t(language);
    kivtest::useSampleEdition(program, option);
    frmStartup();
    gRSData = industries();
    gRSData->FindFirst([industry](const kiv::db::Snapshot& s, int row) { return s.value(row, u"Industry").toDouble() == industry; });
    setFirmRatios({u"12.50"_s, u"20.00"_s, u"25.00"_s, u"40.00"_s, u"40.00"_s, u"10.00"_s, u"5.52"_s, u"7.00"_s, u"5.26"_s,
                   u"1.60"_s, u"3.00"_s, u"1.50"_s, u"0.05"_s, u"0.34"_s, u"5.00"_s});
    FrmMyRatios& w = frmMyRatios();
    w.Show();
    return w;
}

} // namespace

class TestFrmMyRatios : public QObject {
    Q_OBJECT
private slots:
    void road_data();
    void road();
    void sampleEdition_data();
    void sampleEdition();
    void unusableIndustry_data();
    void unusableIndustry();
    void rebuiltWhenActiveAgain();
    void loadAndCaptions_data();
    void loadAndCaptions();
    void navigation();
    void industryReports_data();
    void industryReports();
    void definitions_data();
    void definitions();
    void fontSize_data();
    void fontSize();
    void helpExitClose();
    void exportThroughTheDialog_data();
    void exportThroughTheDialog();
    void exportWritesTheFiles();
    void printout_data();
    void printout();
};

void TestFrmMyRatios::road_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("Access, English") << u"access"_s << 0 << u"Bakeries, commercial"_s << u"Shoe stores"_s;
    QTest::newRow("Access, French") << u"access"_s << 1 << u"Boulangeries commerciales"_s << u"Magasins de chaussures"_s;
    QTest::newRow("SQLite, English") << u"sqlite"_s << 0 << u"Bakeries, commercial"_s << u"Shoe stores"_s;
    QTest::newRow("SQLite, French") << u"sqlite"_s << 1 << u"Boulangeries commerciales"_s << u"Magasins de chaussures"_s;
}

// Pick an industry, compare, type the statement, compare the ratios; then another industry from
// the main menu, with the same figures.
void TestFrmMyRatios::road()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(QString, engine);
    QFETCH(int, language);
    QFETCH(QString, first);
    QFETCH(QString, second);
    kivtest::Program program;
    // A French user's number settings write a decimal comma; the program's numbers keep their
    // period whatever they say.
    const QLocale before;
    if (language == 1)
        QLocale::setDefault(QLocale(QLocale::French, QLocale::Canada));
    const auto restore = qScopeGuard([before] { QLocale::setDefault(before); });
    FrmStartup& startup = openEdition(program, language, engine);
    pickAndCompare(startup, first);
    FrmMyValues& values = frmMyValues();
    QVERIFY(values.isVisible());
    typeStatement(values);
    click(values.cmdView);

    FrmMyRatios& w = frmMyRatios();
    QVERIFY(w.isVisible());
    QVERIFY(!values.isVisible());
    QVERIFY(program.dialogs.prompts().empty());
    QCOMPARE(w.Caption(), kiv::text(244));
    QCOMPARE(w.lblIndustryNumber->text(), u"201"_s);
    QCOMPARE(w.lblSice->text(), u"3211"_s);
    QCOMPARE(w.lblIndustryDescription->text(), first);
    QCOMPARE(w.lblNumberOfFirms->text(), u"213"_s);
    QCOMPARE(w.lblSice1->text(), language == 0 ? u"SICC"_s : u"CTI-C"_s);
    QCOMPARE(shownRows(w), kRows201);
    // The outer quartiles stay hidden, crossed for debt to equity.
    QCOMPARE(w.label(u"lblDeQ1"_s)->text(), u"3.10"_s);
    QCOMPARE(w.label(u"lblDeQ3"_s)->text(), u"0.55"_s);
    QVERIFY(!w.label(u"lblDeQ1"_s)->isVisible() && w.label(u"lblDeQ2"_s)->isVisible());
    QCOMPARE(w.label(u"lblNpmQ1"_s)->text(), u"-1.85"_s);

    click(w.cmdChoose);
    QVERIFY(startup.isVisible());
    QVERIFY(!w.isVisible());
    for (const QString& name : ratios::positionLabels())
        QCOMPARE(w.label(name)->text(), u" "_s);
    pickAndCompare(startup, second);
    QVERIFY(values.isVisible());
    click(values.cmdView);
    QVERIFY(w.isVisible());
    QCOMPARE(w.lblIndustryNumber->text(), u"103"_s);
    QCOMPARE(w.lblSice->text(), u"5621 5631"_s);
    QCOMPARE(shownRows(w), kRows103);
    QVERIFY(program.dialogs.prompts().empty());
}

void TestFrmMyRatios::sampleEdition_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("industry");
    QTest::newRow("English") << 0 << u"Quibble manufacturing"_s;
    QTest::newRow("French") << 1 << u"Fabrication de quibbles"_s;
}

// The delivered Volume 1 as a user meets it: the comparison with a sample industry (whose net
// profit margin has a median of 0), both exports through the dialog, and the printout saved as
// a PDF file where no printer is set up.
void TestFrmMyRatios::sampleEdition()
{
    QFETCH(int, language);
    QFETCH(QString, industry);
    kivtest::Program program;
    kivtest::TempHome home;
    kivtest::setLanguage(language);
    kivtest::useSampleEdition(program, u"optVol1"_s);
    frmMenuselect().Startapp_Click();
    FrmStartup& startup = frmStartup();
    QVERIFY(startup.isVisible());
    pickAndCompare(startup, industry);
    FrmMyValues& values = frmMyValues();
    typeStatement(values);
    click(values.cmdView);
    FrmMyRatios& w = frmMyRatios();
    QVERIFY(w.isVisible());
    QVERIFY(program.dialogs.prompts().empty());
    QCOMPARE(w.lblIndustryDescription->text(), industry);
    QCOMPARE(w.lblNumberOfFirms->text(), u"446"_s);
    QCOMPARE(shownRows(w), (QStringList{u"12.50|...|75| "_s, u"20.00|6.85|75| "_s, u"25.00|8.08|75| "_s, u"40.00|24.89|75| "_s,
                                        u"40.00|484.64| |75"_s, u"10.00|9.54|50| "_s, u"5.52|0.95|75| "_s, u"7.00|16.39| |75"_s,
                                        u"5.26|12.10|25| "_s, u"1.60|6.30| |75"_s, u"3.00|4.34| |75"_s, u"1.50|2.11| |75"_s,
                                        u"0.05|2.18|75| "_s, u"0.34|0.75|75| "_s, u"5.00|6.98| |75"_s}));

    for (const QString& name : {u"ratios.xlsx"_s, u"ratios.123"_s}) {
        const QString path = program.folder() + u'/' + name;
        click(w.cmdExport);
        (name.endsWith(u".123"_s) ? frmExport().optLotus : frmExport().optExcel)->setChecked(true);
        program.dialogs.answerInput(path);
        program.dialogs.answer(kiv::vbOK);
        click(frmExport().cmdOK);
        QVERIFY(w.isEnabled());
        QVERIFY2(QFileInfo(path).size() > 0, qPrintable(path));
    }

    kiv::QtPrinter pdf(kiv::QtPrinter::Target::PdfOnly);
    kiv::Printer* recording = kiv::setPrinter(&pdf);
    const auto restore = qScopeGuard([recording] { kiv::setPrinter(recording); });
    program.dialogs.answer(kiv::vbOK);
    click(w.cmdPrint);
    const QStringList saved = QDir(home.documents()).entryList({u"*.pdf"_s}, QDir::Files);
    QCOMPARE(saved.size(), 1);
    const QString printed = kivtest::pdfToText(home.documents() + u'/' + saved.front());
    for (const QString& text : {industry, kiv::LoadResString(248 + language), kiv::LoadResString(138 + language)})
        QVERIFY2(printed.contains(text), qPrintable(text));
    QVERIFY(w.isVisible() && w.isEnabled());
}

void TestFrmMyRatios::unusableIndustry_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");
    QTest::newRow("no industry") << 0 << u"none"_s << u"No industry is chosen"_s;
    QTest::newRow("no industry, French") << 1 << u"none"_s << u"Aucune industrie n'est choisie"_s;
    QTest::newRow("Null median") << 0 << u"null RtQ2"_s << u"no value is stored in RtQ2"_s;
    QTest::newRow("missing column, French") << 1 << u"drop OrttnoaQ3"_s << u"n'a pas de colonne OrttnoaQ3"_s;
    QTest::newRow("decimal comma") << 0 << u"text IcQ1 0,70"_s << u"IcQ1 do not hold a number"_s;
}

// One clear message, an empty comparison, and no second message when the window comes back
// without being shown again; a usable industry then fills the window at its next showing.
void TestFrmMyRatios::unusableIndustry()
{
    QFETCH(int, language);
    QFETCH(QString, change);
    QFETCH(QString, message);
    kivtest::Program program;
    // A full comparison first: nothing of it may stay.
    FrmMyRatios& w = showComparison(program, language);
    QCOMPARE(shownRows(w), kRows201);
    const std::shared_ptr<kiv::db::Snapshot> usable = gRSData;

    const QStringList words = change.split(u' ');
    if (words[0] == u"none") {
        gRSData.reset();
    } else {
        QStringList columns = usable->columnNames();
        std::vector<kiv::db::Value> row;
        for (int c = 0; c < columns.size(); ++c)
            row.push_back(usable->value(usable->position(), c));
        const int i = int(columns.indexOf(words[1]));
        QVERIFY(i >= 0);
        if (words[0] == u"drop") {
            columns.removeAt(i);
            row.erase(row.begin() + i);
        } else {
            row[std::size_t(i)] = words[0] == u"null" ? kiv::db::Value::null() : kiv::db::Value::text(words[2]);
        }
        gRSData = std::make_shared<kiv::db::Snapshot>(u"KIV_DATA"_s, columns, std::vector<std::vector<kiv::db::Value>>{row});
    }
    program.dialogs.answer(kiv::vbOK);
    w.setCaption(QString());
    // The box takes the activation while it is up, as a real one does, and gives it back.
    program.dialogs.whileOpen = [&w, language](const kivtest::Prompt&) {
        QCOMPARE(w.Caption(), kiv::LoadResString(244 + language)); // the window is captioned under the box
        QDialog box;
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.close();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    };
    w.Show();
    program.dialogs.whileOpen = nullptr;
    QCoreApplication::processEvents();
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    const kivtest::Prompt told = program.dialogs.last();
    QVERIFY2(told.text.contains(message), qPrintable(told.text));
    QCOMPARE(told.style, int(kiv::vbOKOnly + kiv::vbExclamation));
    QCOMPARE(told.title, u"Kiv_2000"_s);
    for (const QString& row : shownRows(w))
        QCOMPARE(row, u"|| | "_s);
    QCOMPARE(w.lblIndustryNumber->text(), QString());
    QCOMPARE(w.lblSice->text(), QString());
    QCOMPARE(w.lblNumberOfFirms->text(), QString());

    // Another window of the program takes the activation and gives it back: the comparison is
    // rebuilt, and stays empty without a second message.
    FrmMyBalanceSheet& other = frmMyBalanceSheet();
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    w.ZOrder(0);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCoreApplication::processEvents();
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QCOMPARE(shownRows(w).front(), u"|| | "_s);

    gRSData = usable;
    w.Show();
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QCOMPARE(shownRows(w), kRows201);
}

// The window is rebuilt whenever it becomes active again after another window of the program,
// so a change of the sources shows without a new showing.
void TestFrmMyRatios::rebuiltWhenActiveAgain()
{
    kivtest::Program program;
    FrmMyRatios& w = showComparison(program, 0);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    FrmMyBalanceSheet& other = frmMyBalanceSheet();
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    frmMyValues().lblNpm->setText(u"..."_s);
    frmMyValues().lblIt->setText(u"19.75"_s);
    w.ZOrder(0);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTRY_COMPARE(shownRows(w).front(), u"...|...|...| "_s);
    QCOMPARE(shownRows(w)[10], u"19.75|19.75|50| "_s);
    QVERIFY(program.dialogs.prompts().empty());
}

void TestFrmMyRatios::loadAndCaptions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("header"); // firm-size line, revenue line, code system
    QTest::newRow("Volume 1") << 0 << u"optVol1"_s
                              << QStringList{u"Medium and Large Firms"_s, u"Revenue of $5 million and over, Reference Year 1999"_s, u"SICC"_s};
    QTest::newRow("Volume 2, French")
        << 1 << u"optVol2"_s
        << QStringList{u"Petites et moyennes entreprises"_s, u"Ayant moins de 5 $ million de recettes, Année de référence 1997"_s,
                       u"CTI-E"_s};
    QTest::newRow("Volume 2") << 0 << u"optVol2"_s
                              << QStringList{u"Small and Medium Firms"_s, u"Revenue under $5 million, Reference Year 1997"_s, u"SICE"_s};
}

// Loaded once to the screen's size with font size 10 everywhere, captioned in the user's
// language at every paint, the edition header by the chosen volume.
void TestFrmMyRatios::loadAndCaptions()
{
    QFETCH(int, language);
    QFETCH(QString, option);
    QFETCH(QStringList, header);
    kivtest::Program program; // a screen of 9600 x 7200 twips
    FrmMyRatios& w = showComparison(program, language, 201, option);
    QCOMPARE(w.size(), QSize(640, 480));
    QCOMPARE(int(w.CurrentFontSize), 10);
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblMedium, w.lblIndustryNum, w.label(u"lblNpmQ1"_s), w.cmdExcMR, w.cmdQuit,
                                                      w.label(u"lblInterestCoverage"_s)})
        QCOMPARE(c->font().pointSizeF(), 10.0);
    // Across by the width ratio, down by 0.95 of the height ratio.
    const kiv::fit::Item* quit = w.item(w.cmdQuit);
    QCOMPARE(quit->left, 8000.0f);
    QCOMPARE(quit->top, float(750 * 0.75 * 0.95));
    QCOMPARE(quit->width, 1600.0f);

    QCOMPARE(QStringList({w.lblMedium->text(), w.lblRevenue->text(), w.lblSice1->text()}), header);
    const std::pair<QWidget*, int> captions[] = {
        {w.lblIndustryNum, 62}, {w.Command1, 68}, {w.cmdView, 66}, {w.Command2, 240}, {w.cmdView1, 226}, {w.lblMrRatios, 234},
        {w.lblAverage, 236}, {w.Label1, 248}, {w.cmdChoose, 20}, {w.cmdPrint, 58}, {w.CmdHelp, 298}, {w.cmdQuit, 328},
        {w.lblBetter, 250}, {w.lblWorse, 252}, {w.lblNumber, 70}, {w.lblProfitability, 104}, {w.lblEffeciency, 124},
        {w.lblLiquidity, 130}, {w.cmdExport, 432}, {w.CmdFontSize, 434}};
    for (const auto& [control, id] : captions) {
        const QString shown = qobject_cast<QLabel*>(control) ? static_cast<QLabel*>(control)->text()
                                                             : static_cast<QAbstractButton*>(control)->text();
        QCOMPARE(shown, kiv::LoadResString(id + language));
    }
    QCOMPARE(w.Caption(), kiv::LoadResString(244 + language));
    for (const ratios::ComparisonRow& r : ratios::comparisonRows())
        QCOMPARE(w.label(r.nameLabel())->text(), kiv::LoadResString(r.nameId + language));
    QCOMPARE(w.cmdExcMR->text(), u"Excel"_s);
    QVERIFY(!w.cmdExcMR->isVisible() && !w.cmdLotusMR->isVisible() && !w.lblIndustryNumber->isVisible());
    QCOMPARE(w.label(u"lblNetProfitMargin"_s)->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(w.lblNumberOfFirms->cursor().shape(), Qt::ArrowCursor);

    // Another edition keeps the lines the window shows.
    frmMenuselect().optVol3->setChecked(true);
    w.Show();
    QCOMPARE(QStringList({w.lblMedium->text(), w.lblRevenue->text(), w.lblSice1->text()}), header);
}

// Main menu (blanking the positions), the balance-sheet comparison and the entry window: each
// target shown, this window hidden.
void TestFrmMyRatios::navigation()
{
    kivtest::Program program;
    FrmMyRatios& w = showComparison(program, 0);
    click(w.Command1);
    QVERIFY(frmMyBalanceSheet().isVisible());
    QVERIFY(!w.isVisible());
    w.Show();
    click(w.Command2);
    QVERIFY(frmMyValues().isVisible());
    QVERIFY(!w.isVisible());
    w.Show();
    QCOMPARE(w.label(u"lblRoe"_s)->text(), u"..."_s); // the entry window has put its ratios away
    click(w.cmdChoose);
    QVERIFY(frmStartup().isVisible());
    QVERIFY(!w.isVisible());
    for (const QString& row : shownRows(w))
        QVERIFY2(row.endsWith(u"| | "_s), qPrintable(row));
    QVERIFY(program.dialogs.prompts().empty());
}

void TestFrmMyRatios::industryReports_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("sector");
    QTest::newRow("ratios, industry") << u"cmdView1"_s << false;
    QTest::newRow("ratios, sector") << u"cmdView1"_s << true;
    QTest::newRow("balance sheet, industry") << u"cmdView"_s << false;
    QTest::newRow("balance sheet, sector") << u"cmdView"_s << true;
}

// The industry selection is set to view the chosen table and asked for the report of the
// industry, or of the sector after a sector's report; this window is hidden, the pointer back.
void TestFrmMyRatios::industryReports()
{
    QFETCH(QString, button);
    QFETCH(bool, sector);
    kivtest::Program program;
    FrmMyRatios& w = showComparison(program, 0);
    kivtest::useSampleTemplates(program);
    FrmStartup& startup = frmStartup();
    startup.optCompare->setChecked(true);
    (button == u"cmdView1" ? startup.optBalanceSheet : startup.optRatios)->setChecked(true);
    gSectorView = sector;
    // The hourglass is up from the start of the request: when the industry selection is set.
    bool hourglass = false;
    const QMetaObject::Connection watch = connect(startup.optView, &QRadioButton::toggled, this, [&hourglass](bool on) {
        hourglass = on && QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    click(w.findChild<QWidget*>(button));
    disconnect(watch);
    QVERIFY(hourglass);
    QVERIFY(startup.optView->isChecked() && !startup.optCompare->isChecked());
    QCOMPARE(startup.optRatios->isChecked(), button == u"cmdView1");
    QCOMPARE(startup.optBalanceSheet->isChecked(), button == u"cmdView");
    QCOMPARE(gSectorView, sector); // the sector's report runs again for a sector
    QVERIFY(!w.isVisible());
    QVERIFY(!QApplication::overrideCursor());
    // The report is up in its window, without a word to answer.
    QVERIFY(frmCrystalReport_Exists() && frmCrystalReport().isVisible());
    QVERIFY(frmCrystalReport().findChild<QWidget*>(u"rptView"_s));
    QVERIFY(program.dialogs.prompts().empty());
}

void TestFrmMyRatios::definitions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("start");
    QTest::newRow("debt to equity") << 0 << u"lblDebtToEquity"_s << u"DEBT TO EQUITY DEFINITION"_s
                                    << u"FORMULAS:\r\n\r\nSHORT-TERM LOANS + (LONG-TERM LOANS AND DEBT) / SHAREHOLDERS' EQUITY\r\n\r\n"_s;
    QTest::newRow("net profit margin, French")
        << 1 << u"lblNetProfitMargin"_s << u"DÉFINITION MARGE BÉNÉFICIAIRE NETTE"_s
        << u"FORMULES:    BÉNÉFICE NET /  RECETTES D 'EXPLOITATION TOTALES\r\n\r\nCe ratio"_s;
}

// A click on a ratio's name shows its definition and changes nothing in the window.
void TestFrmMyRatios::definitions()
{
    QFETCH(int, language);
    QFETCH(QString, label);
    QFETCH(QString, title);
    QFETCH(QString, start);
    kivtest::Program program;
    FrmMyRatios& w = showComparison(program, language);
    program.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(w.label(label), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QCOMPARE(program.dialogs.last().title, title);
    QCOMPARE(program.dialogs.last().style, int(kiv::vbInformation));
    QVERIFY2(program.dialogs.last().text.startsWith(start), qPrintable(program.dialogs.last().text));
    QCOMPARE(program.dialogs.last().text, kiv::ratioDefinition(label, language)->text);
    QCOMPARE(shownRows(w), kRows201);
    // Nothing else of the window shows a definition.
    QTest::mouseClick(w.label(u"lblNpmQ2"_s), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(w.lblProfitability, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
}

void TestFrmMyRatios::fontSize_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("refused");
    QTest::newRow("in range") << 0 << u"12"_s << 12 << false;
    QTest::newRow("too large, French") << 1 << u"20"_s << 13 << false;
    QTest::newRow("not a number") << 0 << u"big"_s << 10 << true;
    QTest::newRow("empty") << 0 << QString() << 10 << false;
}

// The size asked for reaches every control, hidden ones included, and stays with the window when
// it is left and shown again.
void TestFrmMyRatios::fontSize()
{
    QFETCH(int, language);
    QFETCH(QString, answer);
    QFETCH(int, size);
    QFETCH(bool, refused);
    kivtest::Program program;
    FrmMyRatios& w = showComparison(program, language);
    program.dialogs.answerInput(answer);
    if (refused)
        program.dialogs.answer(kiv::vbOK);
    click(w.CmdFontSize);
    const kivtest::Prompt ask = program.dialogs.prompts().front();
    QCOMPARE(ask.defaultText, u" 10"_s);
    QCOMPARE(ask.text, language == 0 ? u"Enter font size"_s : u"Incrire la taille de la police"_s);
    if (refused)
        QCOMPARE(program.dialogs.last().text, u"Please enter a number"_s);
    QCOMPARE(int(w.CurrentFontSize), size);
    click(w.Command2);
    w.Show();
    QCOMPARE(int(w.CurrentFontSize), size);
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblMyNpm, w.label(u"lblNpmQ3"_s), w.lblIndustryNumber, w.cmdLotusMR, w.lblWorse})
        QCOMPARE(c->font().pointSizeF(), double(size));
}

void TestFrmMyRatios::helpExitClose()
{
    kivtest::Program program;
    FrmMyRatios& w = showComparison(program, 1);
    program.writeFile(u"helpf.html"_s, "<p>aide</p>");
    click(w.CmdHelp);
    QCOMPARE(program.help.shown, QStringList{kiv::helpFile()});
    QVERIFY(kiv::helpFile().endsWith(u"/helpf.html"_s));

    program.dialogs.answer(kiv::vbNo);
    click(w.cmdQuit);
    QCOMPARE(program.dialogs.last().text, u"Voulez-vous quitter ?"_s);
    QCOMPARE(program.dialogs.last().style, int(kiv::vbYesNo + kiv::vbQuestion));
    QCOMPARE(program.dialogs.last().title, u"Kivob"_s);
    QVERIFY(w.isVisible());
    QCOMPARE(shownRows(w), kRows201);

    program.dialogs.answer(kiv::vbYes);
    KIV_VERIFY_ENDS(click(w.cmdQuit));
    const std::size_t asked = program.dialogs.prompts().size();
    KIV_VERIFY_ENDS(w.close());
    QCOMPARE(program.dialogs.prompts().size(), asked);
}

void TestFrmMyRatios::exportThroughTheDialog_data()
{
    QTest::addColumn<bool>("lotus");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::newRow("Excel") << false << 0 << u"Export, SIC:non applicable to Excel file"_s;
    QTest::newRow("Lotus, French") << true << 1 << u"Exporter, CTI:non applicable à un fichier de Lotus"_s;
}

// Export opens the dialog and disables the window with the ratio window as owner; the dialog's
// OK writes the cells the window shows and gives the window back.
void TestFrmMyRatios::exportThroughTheDialog()
{
    QFETCH(bool, lotus);
    QFETCH(int, language);
    QFETCH(QString, title);
    kivtest::Program program;
    kiv::sheet::RecordingServers servers;
    FrmMyRatios& w = showComparison(program, language, 301); // its code is "not applicable"
    if (language == 0)
        QCOMPARE(w.lblSice->text(), u"not applicable"_s);
    else
        QCOMPARE(w.lblSice->text(), u"non applicable"_s);
    // The firm's net profit margin cannot be computed.
    frmMyValues().lblNpm->setText(u"..."_s);
    w.Show();
    QCOMPARE(w.lblMyNpm->text(), u"..."_s);
    w.lblSice->setText(u"non applicable"_s); // the title and default name carry the code as shown
    gExportFromValues = true;
    click(w.cmdExport);
    QVERIFY(frmExport().isVisible());
    QVERIFY(!w.isEnabled());
    QVERIFY(gExportFromRatios && !gExportFromBalanceSheet && !gExportFromValues);

    (lotus ? frmExport().optLotus : frmExport().optExcel)->setChecked(true);
    program.dialogs.answerInput(u"ratios.out"_s);
    program.dialogs.answer(kiv::vbOK);
    click(frmExport().cmdOK);
    QVERIFY(w.isEnabled());
    const kivtest::Prompt ask = program.dialogs.prompts().front();
    QCOMPARE(ask.title, title);
    const auto prog = lotus ? kiv::exports::Program::Lotus : kiv::exports::Program::Excel;
    QCOMPARE(ask.defaultText, kiv::exports::defaultExportName(kiv::exports::myRatiosExport(), prog, u"non applicable"_s));
    QCOMPARE(program.dialogs.last().text,
             language == 0 ? u"Successfully Exported 'ratios.out'"_s : u"Les données ont été exportées 'ratios.out'"_s);
    QCOMPARE(servers.saved, QStringList{u"ratios.out"_s});
    QCOMPARE(int(servers.written.size()), 88);

    // The cells hold what the window shows.
    QCOMPARE(servers.cell(u"A1"_s), w.lblMedium->text());
    QCOMPARE(servers.cell(u"A2"_s), w.lblSice1->text() + u": non applicable - "_s + w.lblIndustryDescription->text());
    QCOMPARE(servers.cell(u"E4"_s), kiv::LoadResString(248 + language));
    QCOMPARE(servers.cell(u"A6"_s), kiv::LoadResString(70 + language) + u": 486"_s);
    QCOMPARE(servers.cell(u"A23"_s), kiv::LoadResString(130 + language));
    const QStringList row24 = {servers.cell(u"A24"_s), servers.cell(u"B24"_s), servers.cell(u"C24"_s), servers.cell(u"D24"_s),
                               servers.cell(u"E24"_s)};
    QCOMPARE(row24, (QStringList{kiv::LoadResString(132 + language), u"1.50"_s, u"1.55"_s, u"25"_s, u" "_s}));
    QCOMPARE(row24, (QStringList{w.label(u"lblWorkingCapital"_s)->text(), w.lblMyWc->text(), w.label(u"lblWcQ2"_s)->text(),
                                 w.label(u"lblWc"_s)->text(), w.label(u"lblWc1"_s)->text()}));
    // A firm's ratio shown "..." reaches 1-2-3 as a label; its position is "..." too.
    QCOMPARE(servers.cell(u"B9"_s), lotus ? u"\"..."_s : u"..."_s);
    QCOMPARE(servers.cell(u"D9"_s), lotus ? u"\"..."_s : u"..."_s);
    QCOMPARE(servers.cell(u"E9"_s), u" "_s);
}

// With the program's own spreadsheet servers both exports leave their file where the user said.
void TestFrmMyRatios::exportWritesTheFiles()
{
    kivtest::Program program;
    FrmMyRatios& w = showComparison(program, 0);
    for (const QString& name : {u"ratios.xlsx"_s, u"ratios.123"_s}) {
        const QString path = program.folder() + u'/' + name;
        program.dialogs.answerInput(path);
        program.dialogs.answer(kiv::vbOK);
        if (name.endsWith(u".123"_s))
            w.cmdLotusMR_Click();
        else
            w.cmdExcMR_Click();
        QCOMPARE(program.dialogs.last().text, u"Successfully Exported '"_s + path + u'\'');
        QVERIFY2(QFileInfo(path).size() > 0, qPrintable(path));
    }
}

void TestFrmMyRatios::printout_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("head");
    QTest::newRow("English") << 0 << u"median"_s;
    QTest::newRow("French") << 1 << u"médiane de"_s;
}

// Print hands the window's content to the printer as it stands, at once.
void TestFrmMyRatios::printout()
{
    QFETCH(int, language);
    QFETCH(QString, head);
    kivtest::Program program;
    FrmMyRatios& w = showComparison(program, language);
    click(w.cmdPrint);
    QCOMPARE(program.printer.documents().size(), std::size_t(1));
    QVERIFY(program.dialogs.prompts().empty());
    const QStringList lines = program.printer.last().textLines();
    QCOMPARE(lines.size(), 50);
    QCOMPARE(lines[0], (kiv::LoadResString(62 + language) + u" 201"_s).leftJustified(64) + w.lblRevenue->text());
    QCOMPARE(lines[2], w.lblIndustryDescription->text());
    QVERIFY(lines[11].contains(head));
    QCOMPARE(lines[17], kiv::LoadResString(106 + language).leftJustified(54) + u"12.50"_s.leftJustified(20)
                            + u"..."_s.leftJustified(29) + u"75"_s.leftJustified(21) + u" "_s);
    QVERIFY(w.isEnabled() && w.isVisible());
}

KIV_TEST_MAIN(TestFrmMyRatios)
#include "tst_frm_my_ratios.moc"
