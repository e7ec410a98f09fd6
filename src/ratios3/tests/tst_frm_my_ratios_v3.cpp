// The three-year comparison window as the user meets it: reached from the industry selection
// and the entry window, its medians and positions for three years, its export, printout,
// definitions, font size and ways out, and what it does when the industry can't be compared.
#include "industry/frm_crystal_report.h"
#include "industry/frm_startup.h"
#include "platform/db/csv_import.h"
#include "platform/db/database.h"
#include "platform/spreadsheet/recording.h"
#include "platform/spreadsheet/save_file.h"
#include "ratios3/frm_my_ratios_v3.h"
#include "ratios3/three_year_comparison.h"
#include "shell/editions.h"
#include "shell/frm_menuselect.h"
#include "shell/module1.h"
#include "pdf_text.h"
#include "test_support.h"
#include "values/frm_export.h"
#include "values3/frm_my_values_v3.h"
#include "values/entry_controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QScopeGuard>

using namespace Qt::StringLiterals;
using namespace kiv::ratios3;

namespace {

// The firm's figures typed into the entry window, in the order of its boxes: 1999, 1998, 1997,
// each total assets, liabilities, equity, operating revenue, sales, gross profit, operating
// profit, pretax profit, profit after tax.
const QStringList kFigures{
    u"5420000"_s, u"3185400"_s, u"2234600"_s, u"8765400"_s, u"8123750"_s, u"2436125"_s, u"612480"_s, u"498215.25"_s, u"371904.1275"_s,
    u"5012350"_s, u"3077100"_s, u"1935250"_s, u"8010200"_s, u"7452600"_s, u"2198517"_s, u"401315"_s, u"275840"_s, u"203120.5"_s,
    u"4706800"_s, u"3150625"_s, u"1556175"_s, u"7384900"_s, u"6890450"_s, u"1929326"_s, u"-18740"_s, u"-96315.75"_s, u"-71208"_s};

using kivtest::setLanguage;

// Volume 3 in the data folder: the three-year fixture as it is (Access) or its SQLite copy.
void installEdition(const kivtest::Program& program, bool sqlite)
{
    const QString access = kivtest::jetFixture(u"edition-three-year.mdb"_s);
    const QString target = program.folder() + u"/kiv_vol3.mdb"_s;
    if (sqlite)
        kiv::db::importCsvDumps(target, access);
    else
        QVERIFY(QFile::copy(access, target));
    gDataPath = program.folder();
    frmMenuselect().optVol3->setChecked(true);
}

using kivtest::click;

// Picks an industry by its name in the alphabetical list, as the user does.
void pickIndustry(const QString& name)
{
    click(frmStartup().cmdSelectList);
    kivtest::choose(frmStartup().cboIndustry, name);
}

// From the industry selection to the entry window: compare, ratios, Continue.
void continueToEntry()
{
    FrmStartup& s = frmStartup();
    click(s.optCompare);
    click(s.optRatios);
    click(s.Cmdcontinue);
    QVERIFY(frmMyValuesV3().isVisible());
}

void typeFigures(const QStringList& figures)
{
    const std::vector<kiv::TextBox*> boxes = frmMyValuesV3().amountBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->setFocus();
        boxes[i]->selectAll();
        QTest::keyClicks(boxes[i], figures[static_cast<qsizetype>(i)]);
        QTest::keyClick(boxes[i], Qt::Key_Return);
    }
}

// The edition menu's Start, an industry, the entry window with the figures, and the compare
// button: the comparison window is up.
FrmMyRatiosV3& compare(const kivtest::Program& program, int language, bool sqlite, const QString& industry,
                       const QStringList& figures = kFigures)
{
    setLanguage(language);
    installEdition(program, sqlite);
    frmMenuselect().Startapp_Click();
    pickIndustry(industry);
    continueToEntry();
    typeFigures(figures);
    click(frmMyValuesV3().cmdView);
    return frmMyRatiosV3();
}

QString text(const FrmMyRatiosV3& w, const QString& name)
{
    const kiv::Label* l = w.label(name);
    return l ? l->text() : u"(no label "_s + name + u')';
}

// Each cell in working order as "firm|median|better|worse".
QStringList cellTexts(const FrmMyRatiosV3& w)
{
    QStringList cells;
    for (const Cell* c : cellsInWorkingOrder())
        cells << QStringList{text(w, c->firm), text(w, c->median), text(w, c->better), text(w, c->worse)}.join(u'|');
    return cells;
}

// What the window shows after every activation: each firm label as the entry window's, one
// position per cell, the years in place.
void verifyWellFormed(const FrmMyRatiosV3& w)
{
    for (const Cell* c : cellsInWorkingOrder()) {
        QCOMPARE(text(w, c->firm), frmMyValuesV3().findChild<QLabel*>(c->source)->text());
        QVERIFY2(text(w, c->better).isEmpty() != text(w, c->worse).isEmpty(), qPrintable(c->firm));
        QCOMPARE(text(w, c->yearLabel), yearText(c->year));
    }
}

const QStringList kHardwareStores{
    u"4.24|5.00|25|"_s, u"5.68|3.40|50|"_s, u"29.99|30.20|25|"_s, u"9.19|4.30|75|"_s, u"16.64|9.35|50|"_s, u"0.59|0.50|25|"_s,
    u"2.54|2.40|50|"_s, u"3.44|3.05|50|"_s, u"29.50|29.80|25|"_s, u"5.50|3.95|50|"_s, u"10.50|8.60|50|"_s, u"0.61|0.52|25|"_s,
    u"-0.96|2.10||75"_s, u"-1.30|2.75||75"_s, u"28.00|29.35|25|"_s, u"-2.05|3.60||75"_s, u"-4.58|8.15||75"_s, u"0.67|0.53|25|"_s};

struct Documents {
    QTemporaryDir dir;
    Documents() { kiv::sheet::setDocumentsFolder(dir.path()); }
    ~Documents() { kiv::sheet::setDocumentsFolder(QString()); }
};

} // namespace

class TestFrmMyRatiosV3 : public QObject {
    Q_OBJECT
private slots:
    void load();
    void road_data();
    void road();
    void noIndustry();
    void sampleVolume3();
    void incompleteIndustry_data();
    void incompleteIndustry();
    void exportCells_data();
    void exportCells();
    void rebuiltAfterExportDialog();
    void printout();
    void printoutOnPaper_data();
    void printoutOnPaper();
    void printTwiceWithoutPrinter();
    void definitions_data();
    void definitions();
    void fontSize_data();
    void fontSize();
    void ways();
    void industryReport_data();
    void industryReport();
};

// Loaded once to the screen's size, scaled across and down apart, every label and button at 10
// points; the boundary labels hidden, the year labels waiting for the first showing.
void TestFrmMyRatiosV3::load()
{
    kivtest::Program program; // a screen of 9600 x 7200 twips
    setLanguage(0);
    FrmMyRatiosV3& w = frmMyRatiosV3();
    QCOMPARE(w.size(), QSize(640, 480));
    QCOMPARE(int(w.CurrentFontSize), 10);
    int fonts = 0;
    for (const QWidget* c : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (qobject_cast<const QLabel*>(c) || qobject_cast<const QAbstractButton*>(c)) {
            QVERIFY2(w.controlFontSize(c) == 10, qPrintable(c->objectName()));
            ++fonts;
        }
    QCOMPARE(fonts, kCellCount * 7 + 6 + 10 + 12); // cells, ratio names, buttons, heads and header
    const float across = 9600.0f / 10200.0f;
    const float down = 7200.0f / 8100.0f;
    const kiv::fit::Item* year = w.item(w.label(u"Label91"_s));
    QCOMPARE(year->left, 3165 * across);
    QCOMPARE(year->top, 7380 * down);
    QCOMPARE(year->width, 615 * across);
    QCOMPARE(year->height, 255 * down);
    QCOMPARE(w.item(w.label(u"lblMyPpm95"_s))->left, 4260 * across);
    QCOMPARE(w.item(w.label(u"lblMyPpm95"_s))->top, 4020 * down);
    QCOMPARE(w.item(w.lblSice)->left, 720 * across);
    QVERIFY(w.label(u"lblLtaq394"_s)->isHidden() && w.label(u"lblReQ195"_s)->isHidden());
    QVERIFY(!w.label(u"lblNpm1"_s)->isHidden() && !w.label(u"lblNpmQ296"_s)->isHidden());
    QCOMPARE(text(w, u"Label74"_s) + text(w, u"Label78"_s) + text(w, u"Label91"_s), u"Year3Year2Year1"_s);
}

void TestFrmMyRatiosV3::road_data()
{
    QTest::addColumn<bool>("sqlite");
    QTest::addColumn<int>("language");
    QTest::newRow("Access, English") << false << 0;
    QTest::newRow("Access, French") << false << 1;
    QTest::newRow("SQLite, English") << true << 0;
    QTest::newRow("SQLite, French") << true << 1;
}

// Pick an industry, compare, type three years and compare: medians, the zero-median "...",
// the positions by the rules, the header and captions; then other industries from the main
// menu, every activation rebuilding all of it.
void TestFrmMyRatiosV3::road()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(bool, sqlite);
    QFETCH(int, language);
    const bool english = language == 0;
    // A French user's regional settings write a decimal comma: the window keeps its periods.
    const QLocale previous;
    QLocale::setDefault(english ? QLocale(QLocale::English, QLocale::Canada) : QLocale(QLocale::French, QLocale::Canada));
    const auto restore = qScopeGuard([&previous] { QLocale::setDefault(previous); });
    kivtest::Program program;
    FrmMyRatiosV3& w = compare(program, language, sqlite, english ? u"Hardware stores"_s : u"Quincailleries"_s);
    QVERIFY(w.isVisible());
    QVERIFY(!frmMyValuesV3().isVisible());
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(0));

    QCOMPARE(w.Caption(), english ? u"Comparison of your firm's ratios to its industry"_s : u"Comparaison de votre entreprise à son industrie"_s);
    QCOMPARE(w.lblRevenue->text(), english ? u"Revenue under $5 million, Reference year 1997, 1998, 1999"_s
                                           : u"Ayant moins de $5 millions de recettes, l'année de référence 1997, 1998, 1999"_s);
    QCOMPARE(w.lblSice1->text(), english ? u"SICE"_s : u"CTI-E"_s);
    QCOMPARE(w.lblIndustryNumber->text(), u"401"_s);
    QCOMPARE(w.lblSice->text(), u"6411"_s);
    QCOMPARE(w.lblIndustryDescription->text(), english ? u"Hardware stores"_s : u"Quincailleries"_s);
    QCOMPARE(w.lblBetter->text(), english ? u"Your firm is better than _% of the firms"_s : u"Votre entreprise est meilleur que _% des entreprises"_s);
    QCOMPARE(w.lblPretaxProfitToAssets->text(), english ? u"Pretax profit to assets"_s : u"Ratio du bénéfice avant impôts sur l'actif"_s);
    QCOMPARE(cellTexts(w), kHardwareStores);
    // Liabilities to assets: the lower first quartile is the better boundary.
    QCOMPARE(text(w, u"lblLtaQ396"_s), u"0.35"_s);
    QCOMPARE(text(w, u"lblLtaQ196"_s), u"0.75"_s);
    QCOMPARE(text(w, u"lblNpmQ396"_s), u"7.25"_s);
    QCOMPARE(text(w, u"lblNpmQ196"_s), u"3.50"_s);
    verifyWellFormed(w);

    // Sawmills: a median of 0 between real boundaries shows "..." and counts as 0.
    click(w.cmdChoose);
    QVERIFY(frmStartup().isVisible() && !w.isVisible());
    pickIndustry(english ? u"Sawmills and planing mills"_s : u"Scieries et ateliers de rabotage"_s);
    continueToEntry();
    click(frmMyValuesV3().cmdView);
    QCOMPARE(cellTexts(w)[10], u"10.50|...|75|"_s);
    QCOMPARE(text(w, u"lblReQ395"_s), u"6.85"_s);
    QCOMPARE(text(w, u"lblReQ195"_s), u"-2.40"_s);
    QCOMPARE(w.lblIndustryNumber->text(), u"501"_s);
    verifyWellFormed(w);

    // Furniture stores: a median of 0.004 formats as 0.00 and shows "...".
    click(w.Command2);
    QVERIFY(frmMyValuesV3().isVisible() && !w.isVisible());
    click(frmMyValuesV3().cmdReturn);
    pickIndustry(english ? u"Furniture and appliance stores"_s : u"Magasins de meubles et d'électroménagers"_s);
    continueToEntry();
    click(frmMyValuesV3().cmdView);
    QCOMPARE(cellTexts(w)[15], u"-2.05|...||75"_s);
    QCOMPARE(w.lblSice->text(), u"6421, 6422"_s);

    // Printing firms, with no assets, liabilities or equity in 1997: the firm's "..." goes to the
    // better column, to the worse one for liabilities to assets; 1997's gross margin has no
    // quartiles at all.
    click(w.Command2);
    for (kiv::TextBox* b : {frmMyValuesV3().txtTaYear1, frmMyValuesV3().txtTliabYear1, frmMyValuesV3().txtEquity1Year1})
        b->setText(u"0"_s);
    click(frmMyValuesV3().cmdReturn);
    pickIndustry(english ? u"Printing, commercial"_s : u"Imprimeries commerciales"_s);
    continueToEntry();
    click(frmMyValuesV3().cmdView);
    const QStringList cells = cellTexts(w);
    QCOMPARE(cells.mid(14), (QStringList{u"28.00|...|...|"_s, u"...|3.15|...|"_s, u"...|6.85|...|"_s, u"...|0.51||..."_s}));
    QCOMPARE(text(w, u"lblGpmQ394"_s), u"0.00"_s);
    QCOMPARE(text(w, u"lblGpmq194"_s), u"0.00"_s);
    QCOMPARE(w.lblSice->text(), english ? u"Not Applicable"_s : u"non applicable"_s);
    verifyWellFormed(w);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(0));
}

// Without a current industry the window says so once, captioned under the message, shows an
// empty comparison, and neither a second activation while the message is up nor coming back
// from the export dialog tells it again.
void TestFrmMyRatiosV3::noIndustry()
{
    kivtest::Program program;
    setLanguage(0);
    for (kiv::TextBox* b : frmMyValuesV3().amountBoxes())
        b->setText(u"0"_s);
    frmMyValuesV3().Show();
    FrmMyRatiosV3& w = frmMyRatiosV3();
    int activationsWhileOpen = 0;
    program.dialogs.whileOpen = [&](const kivtest::Prompt&) {
        // The window shows its captions under the message.
        QCOMPARE(w.Caption(), u"Comparison of your firm's ratios to its industry"_s);
        QCOMPARE(w.cmdChoose->text(), u"Main Menu"_s);
        QCOMPARE(w.lblBetter->text(), u"Your firm is better than _% of the firms"_s);
        ++activationsWhileOpen;
        w.Show();
    };
    program.dialogs.answer(kiv::vbOK);
    click(frmMyValuesV3().cmdView);
    QCOMPARE(activationsWhileOpen, 1);
    QCOMPARE(program.dialogs.texts(),
             QStringList{u"No industry is chosen, so the firm's ratios cannot be compared. Choose an industry on the main menu first."_s});
    QVERIFY(w.isVisible());
    QCOMPARE(cellTexts(w), QStringList(kCellCount, u"|||"_s));
    QCOMPARE(text(w, u"Label91"_s), u"1997"_s);
    QVERIFY(w.lblIndustryDescription->text().isEmpty());
    QVERIFY(text(w, u"lblLtaQ396"_s).isEmpty());

    // Back from the export dialog: rebuilt, still empty, and not told again.
    program.dialogs.whileOpen = nullptr;
    QVERIFY(QTest::qWaitForWindowActive(&w));
    click(w.cmdExport);
    QVERIFY(QTest::qWaitForWindowActive(&frmExportV3()));
    click(frmExportV3().cmdCancel);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCoreApplication::processEvents();
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QCOMPARE(cellTexts(w), QStringList(kCellCount, u"|||"_s));
}

// The sample Volume 3 delivered with the program: the comparison shows an industry's medians
// and a position in every cell, and Export and Print carry them.
void TestFrmMyRatiosV3::sampleVolume3()
{
    kivtest::Program program;
    Documents docs;
    setLanguage(0);
    kivtest::useSampleEdition(program, u"optVol3"_s);
    frmMenuselect().Startapp_Click();
    pickIndustry(u"Blorps for children"_s);
    continueToEntry();
    typeFigures(kFigures);
    click(frmMyValuesV3().cmdView);
    FrmMyRatiosV3& w = frmMyRatiosV3();
    QVERIFY(w.isVisible());
    QVERIFY(program.dialogs.prompts().empty());
    QCOMPARE(w.lblIndustryNumber->text(), u"305"_s);
    for (const Cell* c : cellsInWorkingOrder())
        QVERIFY2(!text(w, c->median).isEmpty(), qPrintable(c->median));
    verifyWellFormed(w);

    kiv::sheet::RecordingServers servers;
    click(w.cmdExport);
    program.dialogs.answerInput(u"sample"_s);
    program.dialogs.answer(kiv::vbOK);
    click(frmExportV3().cmdOK);
    QCOMPARE(servers.written.size(), std::size_t(105));
    QCOMPARE(servers.cell(u"D6"_s), text(w, u"lblNpmQ296"_s));
    QCOMPARE(servers.cell(u"E28"_s) + servers.cell(u"F28"_s), text(w, u"lblLta94"_s) + text(w, u"lblLta194"_s));
    click(w.cmdPrint);
    QCOMPARE(program.printer.documents().size(), std::size_t(1));
    QVERIFY(program.printer.documents()[0].textLines().join(u'\n').contains(u"Blorps for children"_s));
}

// A quartile column without a value, or an edition that lacks one: one message naming them, an
// empty comparison under the industry's header.
void TestFrmMyRatiosV3::incompleteIndustry_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("drop");
    QTest::addColumn<QString>("message");
    QTest::newRow("Null, English") << 0 << u"PPMQ3_2"_s << false
                                   << u"The figures of industry 401 cannot be used for the comparison:\n- no value is stored in PPMQ3_2;\n"_s
                                      u"The comparison is left empty."_s;
    QTest::newRow("missing, French")
        << 1 << u"LTAQ1_1"_s << true
        << u"Les données de l'industrie 401 ne peuvent pas servir à la comparaison :\n- la base de données de l'édition n'a pas de "_s
           u"colonne LTAQ1_1;\nLa comparaison reste vide."_s;
}

void TestFrmMyRatiosV3::incompleteIndustry()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(int, language);
    QFETCH(QString, column);
    QFETCH(bool, drop);
    QFETCH(QString, message);
    kivtest::Program program;
    setLanguage(language);
    kiv::db::TableData table = kiv::db::readCsvTable(u"KIV_DATA"_s, QFileInfo(kivtest::jetFixture(u"edition-three-year.KIV_DATA.csv"_s)).filePath());
    const auto at = std::find_if(table.columns.begin(), table.columns.end(), [&](const auto& c) { return c.name == column; });
    const std::size_t index = static_cast<std::size_t>(at - table.columns.begin());
    for (auto& row : table.rows)
        drop ? void(row.erase(row.begin() + static_cast<std::ptrdiff_t>(index))) : void(row[index] = kiv::db::Value::null());
    if (drop)
        table.columns.erase(at);
    const QString path = program.folder() + u"/edition.mdb"_s;
    kiv::db::writeDatabase(path, {table});
    gRSData = kiv::db::Database::open(path, true)->openSnapshot(u"KIV_DATA"_s);
    gRSData->FindFirst([](const kiv::db::Snapshot& s, int row) { return s.value(row, u"Industry"_s).toDouble() == 401; });

    frmMyValuesV3();
    program.dialogs.answer(kiv::vbOK);
    FrmMyRatiosV3& w = frmMyRatiosV3();
    w.Show();
    QCOMPARE(program.dialogs.texts(), QStringList{message});
    QCOMPARE(cellTexts(w), QStringList(kCellCount, u"|||"_s));
    QVERIFY(text(w, u"lblNpmQ396"_s).isEmpty());
}

void TestFrmMyRatiosV3::exportCells_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("lotus");
    QTest::newRow("English, Excel") << 0 << false;
    QTest::newRow("French, Lotus") << 1 << true;
}

// Export through the dialog: the file-name question with the code, the 105 cells as the window
// shows them, the "..." of Lotus, and the window enabled again.
void TestFrmMyRatiosV3::exportCells()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(int, language);
    QFETCH(bool, lotus);
    const bool english = language == 0;
    kivtest::Program program;
    Documents docs;
    QStringList figures = kFigures;
    figures[18] = figures[19] = figures[20] = u"0"_s; // nothing on the balance sheet in 1997
    FrmMyRatiosV3& w = compare(program, language, true, english ? u"Printing, commercial"_s : u"Imprimeries commerciales"_s, figures);
    kiv::sheet::RecordingServers servers;
    click(w.cmdExport);
    QVERIFY(!w.isEnabled());
    QTest::mouseClick(lotus ? frmExportV3().optLotus : frmExportV3().optExcel, Qt::LeftButton);
    program.dialogs.answerInput(u"comparison"_s);
    program.dialogs.answer(kiv::vbOK);
    click(frmExportV3().cmdOK);
    QVERIFY(w.isEnabled());

    const QString code = english ? u"Not Applicable"_s : u"non applicable"_s;
    QCOMPARE(program.dialogs.prompts()[0].title, english ? u"Export My Ratios, SICE:"_s + code + u" to Excel file"_s
                                                         : u"Exporter Vol3, CTI-E:"_s + code + u" à un fichier de Lotus"_s);
    QCOMPARE(program.dialogs.prompts()[0].defaultText, docs.dir.path() + u"/Mrat"_s + code + (lotus ? u".123"_s : u".xlsx"_s));
    QCOMPARE(program.dialogs.texts().last(), english ? u"Successfully Exported 'comparison'"_s : u"Les données ont été exportées 'comparison'"_s);
    QCOMPARE(servers.written.size(), std::size_t(105));
    QCOMPARE(servers.calls.first(), u"create "_s + (lotus ? u"Lotus123.workbook"_s : u"Excel.sheet"_s));
    QCOMPARE(servers.calls.mid(servers.calls.size() - 3), (QStringList{u"saveas comparison"_s, u"Quit"_s, u"release"_s}));

    QCOMPARE(servers.cell(u"A1"_s), english ? u"Industry: 503"_s : u"Industrie: 503"_s);
    QCOMPARE(servers.cell(u"D1"_s), w.lblRevenue->text());
    QCOMPARE(servers.cell(u"A2"_s), (english ? u"SICE: Not Applicable - Printing, commercial"_s : u"CTI-E: non applicable - Imprimeries commerciales"_s));
    QCOMPARE(servers.cell(u"E4"_s), english ? u"Quartile analysis"_s : u"L'analyse des quartiles"_s);
    QCOMPARE(servers.cell(u"F4"_s), servers.cell(u"E4"_s));
    QCOMPARE(servers.cell(u"C5"_s), english ? u"Your Ratios"_s : u"Vos Ratios"_s);
    QCOMPARE(servers.cell(u"A6"_s), english ? u"Net profit margin"_s : u"Marge bénéficiaire nette"_s);
    const QString dots = lotus ? u"\"..."_s : u"..."_s;
    // Gross profit margin, 1997: no quartiles; liabilities to assets, 1997: no firm ratio.
    const QStringList gpm1997{servers.cell(u"B16"_s), servers.cell(u"C16"_s), servers.cell(u"D16"_s), servers.cell(u"E16"_s), servers.cell(u"F16"_s)};
    QCOMPARE(gpm1997, (QStringList{u"1997"_s, u"28.00"_s, dots, dots, QString()}));
    const QStringList lta1997{servers.cell(u"B28"_s), servers.cell(u"C28"_s), servers.cell(u"D28"_s), servers.cell(u"E28"_s), servers.cell(u"F28"_s)};
    QCOMPARE(lta1997, (QStringList{u"1997"_s, dots, u"0.51"_s, QString(), dots}));
    QCOMPARE(servers.cell(u"A26"_s), english ? u"Liabilities to assets"_s : u"Ratio du passif à l'actif"_s);
    QCOMPARE(servers.cell(u"B26"_s), u"1999"_s);
}

// Back from the export dialog the window is active again and rebuilt from the sources as they
// are then; the industry's message is not told again.
void TestFrmMyRatiosV3::rebuiltAfterExportDialog()
{
    KIV_REQUIRE_FIXTURES();
    kivtest::Program program;
    FrmMyRatiosV3& w = compare(program, 0, true, u"Hardware stores"_s);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    click(w.cmdExport);
    QVERIFY(QTest::qWaitForWindowActive(&frmExportV3()));
    frmMyValuesV3().findChild<QLabel*>(u"lblNpm"_s)->setText(u"..."_s);
    frmMyValuesV3().findChild<QLabel*>(u"lblLta94"_s)->setText(u"0.37"_s);
    click(frmExportV3().cmdCancel);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTRY_COMPARE(cellTexts(w)[0], u"...|5.00|...|"_s);
    QCOMPARE(cellTexts(w)[17], u"0.37|0.53|75|"_s);
    verifyWellFormed(w);
    QVERIFY(w.isEnabled());
    QVERIFY(program.dialogs.prompts().empty());
}

// The printout as printed: the header, the heads, one line per cell with the window's texts.
void TestFrmMyRatiosV3::printout()
{
    KIV_REQUIRE_FIXTURES();
    kivtest::Program program;
    FrmMyRatiosV3& w = compare(program, 0, false, u"Hardware stores"_s);
    click(w.cmdPrint);
    click(w.cmdPrint);
    QCOMPARE(program.printer.documents().size(), std::size_t(2));
    const QStringList lines = program.printer.documents()[0].textLines();
    QCOMPARE(program.printer.documents()[1].textLines(), lines);
    QCOMPARE(lines[0], u"Industry 401"_s + QString(47, u' ') + u"Revenue under $5 million, Reference year 1997, 1998, 1999"_s);
    QCOMPARE(lines[2], u"Hardware stores"_s);
    QCOMPARE(lines[4], u"SICE"_s + QString(10, u' ') + u"6411"_s);
    QCOMPARE(lines[8], QString(111, u' ') + u"Quartile analysis"_s);
    const auto row = [](const QString& name, const QString& year, const QString& firm, const QString& median, const QString& better,
                        const QString& worse) {
        QString line = name;
        for (const auto& [column, t] : {std::pair{49, year}, std::pair{62, firm}, std::pair{80, median}, std::pair{106, better},
                                        std::pair{127, worse}})
            if (!t.isEmpty())
                line += QString(column - 1 - line.size(), u' ') + t;
        return line;
    };
    QCOMPARE(lines.mid(14, 3), (QStringList{row(u"Net profit margin"_s, u"1999"_s, u"4.24"_s, u"5.00"_s, u"25"_s, QString()),
                                            row(QString(), u"1998"_s, u"2.54"_s, u"2.40"_s, u"50"_s, QString()),
                                            row(QString(), u"1997"_s, u"-0.96"_s, u"2.10"_s, QString(), u"75"_s)}));
    QCOMPARE(lines[39], row(u"Liabilities to assets"_s, u"1999"_s, u"0.59"_s, u"0.50"_s, u"25"_s, QString()));
    QVERIFY(w.isEnabled() && w.isVisible());
}

void TestFrmMyRatiosV3::printoutOnPaper_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("industry");
    QTest::newRow("English") << 0 << u"Hardware stores"_s;
    QTest::newRow("French") << 1 << u"Quincailleries"_s;
}

// On paper (a PDF where no printer is set up): the rule under the heads is one line, cut at
// the right margin; the revenue line, too long for the room right of its column in French,
// goes on under its own start, never at the left margin where it would read as part of the
// industry line; no word leaves the printable area.
void TestFrmMyRatiosV3::printoutOnPaper()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(int, language);
    QFETCH(QString, industry);
    kivtest::Program program;
    FrmMyRatiosV3& w = compare(program, language, true, industry);
    kivtest::PdfPrinter pdf;
    program.dialogs.answer(kiv::vbOK);
    click(w.cmdPrint);
    QCOMPARE(pdf.files().size(), 1);
    const QList<kivtest::PdfWord> words = kivtest::pdfWords(pdf.home.documents() + u'/' + pdf.files().front());
    QVERIFY(!words.isEmpty());

    QList<kivtest::PdfWord> rules;
    const kivtest::PdfWord* revenue = nullptr;
    const kivtest::PdfWord* description = nullptr;
    const QString revenueStart = w.lblRevenue->text().section(u' ', 0, 0);
    for (const kivtest::PdfWord& word : words) {
        QVERIFY2(word.x >= 18 - 0.5 && word.xMax <= 612 - 18 + 0.5 && word.y >= 18 - 0.5 && word.yMax <= 792 - 18 + 0.5,
                 qPrintable(word.text));
        if (!word.text.isEmpty() && word.text.count(u'_') == word.text.size())
            rules << word;
        if (!revenue && word.text == revenueStart)
            revenue = &word;
        if (!description && word.text == industry.section(u' ', 0, 0))
            description = &word;
    }
    QCOMPARE(rules.size(), 1);
    QVERIFY2(rules[0].xMax > 612 - 18 - 10, "the rule reaches the right margin");
    QVERIFY(revenue && description);
    QVERIFY(revenue->x > 200); // at column 60

    // Every word of the header above the industry's name, but the industry's number and the
    // word before it, lies right of where the revenue line starts; in French it takes two lines.
    QStringList revenueWords;
    QSet<int> revenueLines;
    for (const kivtest::PdfWord& word : words) {
        if (word.page != 0 || word.y >= description->y - 1)
            continue;
        if (word.text == w.lblIndustryNum->text() || word.text == w.lblIndustryNumber->text())
            continue;
        QVERIFY2(word.x >= revenue->x - 0.5, qPrintable(u"\"%1\" at %2, left of %3"_s.arg(word.text).arg(word.x).arg(revenue->x)));
        revenueWords << word.text;
        revenueLines.insert(qRound(word.y));
    }
    QCOMPARE(revenueWords.join(u' '), w.lblRevenue->text().trimmed());
    QCOMPARE(revenueLines.size(), language == 0 ? 1 : 2);
}

// Without a printer each printout is a file of its own: a second industry's comparison does
// not replace the first one's, and the message names the file written.
void TestFrmMyRatiosV3::printTwiceWithoutPrinter()
{
    KIV_REQUIRE_FIXTURES();
    kivtest::Program program;
    FrmMyRatiosV3& w = compare(program, 0, true, u"Hardware stores"_s);
    kivtest::PdfPrinter pdf;
    program.dialogs.answer(kiv::vbOK);
    click(w.cmdPrint);
    QCOMPARE(pdf.files(), QStringList{u"Kiv_2000 - Three-year ratio comparison.pdf"_s});
    const QString first = pdf.home.documents() + u'/' + pdf.files().front();
    QVERIFY(program.dialogs.last().text.endsWith(first));
    const QByteArray firstBytes = kivtest::readFile(first);

    click(w.cmdChoose);
    pickIndustry(u"Printing, commercial"_s);
    continueToEntry();
    click(frmMyValuesV3().cmdView);
    program.dialogs.answer(kiv::vbOK);
    click(w.cmdPrint);
    QCOMPARE(pdf.files(), (QStringList{u"Kiv_2000 - Three-year ratio comparison (2).pdf"_s, u"Kiv_2000 - Three-year ratio comparison.pdf"_s}));
    const QString second = pdf.home.documents() + u"/Kiv_2000 - Three-year ratio comparison (2).pdf"_s;
    QVERIFY(program.dialogs.last().text.endsWith(second));
    QCOMPARE(kivtest::readFile(first), firstBytes);
    QVERIFY(kivtest::pdfToText(first).contains(u"Hardware stores"_s));
    QVERIFY(kivtest::pdfToText(second).contains(u"Printing, commercial"_s));
}

// A ratio's name shows its definition and changes nothing else.
void TestFrmMyRatiosV3::definitions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("gross profit margin, English") << 0 << u"lblGrossProfitMargin"_s << u"GROSS PROFIT MARGIN DEFINITION"_s
                                                  << u"FORMULAS:    GROSS PROFIT / SALES"_s;
    QTest::newRow("gross profit margin, French") << 1 << u"lblGrossProfitMargin"_s << u"DÉFINITION MARGE BÉNÉFICIAIRE BRUTE"_s
                                                 << u"FORMULES:    BÉNÉFICE BRUT / CHIFFRE D 'AFFAIRES"_s;
    QTest::newRow("pretax profit margin") << 0 << u"lblPretaxProfitMargin"_s << u"PRETAX PROFIT MARGIN DEFINITION"_s
                                          << u"FORMULAS:    PRETAX PROFIT / TOTAL OPERATING REVENUE"_s;
    QTest::newRow("pretax profit to assets") << 0 << u"lblPretaxProfitToAssets"_s << u"PRETAX PROFIT TO ASSETS DEFINITION"_s
                                             << u"FORMULAS:        PRETAX PROFIT OR (LOSS) / TOTAL ASSETS"_s;
    QTest::newRow("liabilities to assets, French") << 1 << u"lblLiabilitiesToAssets"_s << u"DÉFINITION RATIO DU PASSIF À L'ACTIF"_s
                                                   << u"FORMULES:        PASSIF TOTAL / ACTIF TOTAL"_s;
}

void TestFrmMyRatiosV3::definitions()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(int, language);
    QFETCH(QString, label);
    QFETCH(QString, title);
    QFETCH(QString, firstLine);
    kivtest::Program program;
    FrmMyRatiosV3& w = compare(program, language, true, language == 0 ? u"Hardware stores"_s : u"Quincailleries"_s);
    auto* name = w.findChild<kiv::ClickLabel*>(label);
    QVERIFY(name);
    program.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(name, Qt::LeftButton);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    const kivtest::Prompt p = program.dialogs.last();
    QCOMPARE(p.title, title);
    QCOMPARE(p.style, kiv::vbOKOnly + kiv::vbInformation);
    QCOMPARE(p.text.section(u"\r\n"_s, 0, 0), firstLine);
    QVERIFY(p.text.section(u"\r\n"_s, 1, 1).isEmpty());
    QCOMPARE(cellTexts(w), kHardwareStores);
}

// The font-size command sets every label and button of this window and of no other.
void TestFrmMyRatiosV3::fontSize_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("refused");
    QTest::newRow("20") << u"20"_s << 13 << false;
    QTest::newRow("5") << u"5"_s << 8 << false;
    QTest::newRow("11") << u"11"_s << 11 << false;
    QTest::newRow("empty") << QString() << 10 << false;
    QTest::newRow("letters") << u"abc"_s << 10 << true;
}

void TestFrmMyRatiosV3::fontSize()
{
    QFETCH(QString, answer);
    QFETCH(int, size);
    QFETCH(bool, refused);
    kivtest::Program program;
    setLanguage(0);
    FrmMyRatiosV3& w = frmMyRatiosV3();
    const float entryFont = frmMyValuesV3().controlFontSize(frmMyValuesV3().txtTaYear3);
    // Shrink one label first: an unchanged size is still given to every control.
    w.setControlFontSize(w.lblWorse, 9);
    program.dialogs.answerInput(answer);
    if (refused)
        program.dialogs.answer(kiv::vbOK);
    w.CmdFontSize_Click();
    QCOMPARE(program.dialogs.prompts()[0].defaultText, u" 10"_s);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(refused ? 2 : 1));
    QCOMPARE(w.CurrentFontSize, size);
    for (const QWidget* c : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (qobject_cast<const QLabel*>(c) || qobject_cast<const QAbstractButton*>(c))
            QVERIFY2(w.controlFontSize(c) == size, qPrintable(c->objectName()));
    QCOMPARE(frmMyValuesV3().controlFontSize(frmMyValuesV3().txtTaYear3), entryFont);
}

// Help, the exit question and the close box.
void TestFrmMyRatiosV3::ways()
{
    kivtest::Program program;
    setLanguage(1);
    program.writeFile(u"helpf.html"_s, "<html></html>");
    FrmMyRatiosV3& w = frmMyRatiosV3();
    w.CmdHelp_Click();
    QCOMPARE(program.help.shown, QStringList{program.folder() + u"/helpf.html"_s});

    program.dialogs.answer(kiv::vbNo);
    w.cmdQuit_Click();
    QCOMPARE(program.dialogs.last().text, u"Voulez-vous quitter ?"_s);
    QCOMPARE(program.dialogs.last().title, u"Kivob Vol3"_s);
    QCOMPARE(program.dialogs.last().style, kiv::vbYesNo + kiv::vbQuestion);
    program.dialogs.answer(kiv::vbYes);
    KIV_VERIFY_ENDS(w.cmdQuit_Click());
    KIV_VERIFY_ENDS(w.close());
}

// View industry ratios: the report of the industry, or of the sector when the last report was
// a sector's, with the selection's options set to view and ratios.
void TestFrmMyRatiosV3::industryReport_data()
{
    QTest::addColumn<bool>("sectorView");
    QTest::newRow("after an industry's report") << false;
    QTest::newRow("after a sector's report") << true;
}

void TestFrmMyRatiosV3::industryReport()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(bool, sectorView);
    kivtest::Program program;
    FrmMyRatiosV3& w = compare(program, 0, true, u"Hardware stores"_s);
    kivtest::useSampleTemplates(program);
    gSectorView = sectorView;
    click(w.cmdView1);
    QVERIFY(!w.isVisible());
    QVERIFY(frmStartup().optView->isChecked());
    QVERIFY(frmStartup().optRatios->isChecked());
    // Each report operation sets the flag first: the sector's sets it, the industry's clears it.
    QCOMPARE(gSectorView, sectorView);
    QVERIFY(!QApplication::overrideCursor());
    // The report is up in its window, without a word to answer.
    QVERIFY(frmCrystalReport_Exists() && frmCrystalReport().isVisible());
    QVERIFY(frmCrystalReport().findChild<QWidget*>(u"rptView"_s));
    QVERIFY(program.dialogs.prompts().empty());
}

KIV_TEST_MAIN(TestFrmMyRatiosV3)
#include "tst_frm_my_ratios_v3.moc"
