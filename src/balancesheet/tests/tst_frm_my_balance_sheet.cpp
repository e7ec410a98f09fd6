// The balance-sheet structure window as the user meets it: reached from the entry window, its
// rows filled from the entry window's boxes and the current industry of an edition database,
// its captions and edition lines, the ways on and back, the definitions, the export cells, the
// printout, the font size and the ways out.
#include "balancesheet/bs_item_definitions.h"
#include "balancesheet/frm_my_balance_sheet.h"
#include "industry/combo_box.h"
#include "industry/frm_startup.h"
#include "pdf_text.h"
#include "platform/db/csv_import.h"
#include "platform/db/database.h"
#include "platform/printer_qt.h"
#include "platform/text_fit.h"
#include "platform/spreadsheet/recording.h"
#include "platform/spreadsheet/save_file.h"
#include "ratios/frm_my_ratios.h"
#include "shell/frm_menuselect.h"
#include "shell/module1.h"
#include "test_support.h"
#include "values/frm_export.h"
#include "values/frm_my_values.h"
#include "values/entry_controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QLocale>
#include <QScopeGuard>

using namespace kiv::balancesheet;
using namespace Qt::StringLiterals;
using kiv::db::Database;
using kiv::db::Snapshot;
using kiv::db::Value;

namespace {

QString str(const char16_t* s)
{
    return QString::fromUtf16(s);
}

struct Documents {
    QTemporaryDir dir;
    Documents() { kiv::sheet::setDocumentsFolder(dir.path()); }
    ~Documents() { kiv::sheet::setDocumentsFolder(QString()); }
};

// Makes the one-year fixture edition the open one, its industry `industry` current: the Access
// file itself, or ("sqlite") a copy made from its CSV dumps in the program folder.
void openEdition(const kivtest::Program& program, const QString& engine, int industry)
{
    QString path = kivtest::jetFixture(u"edition-one-year.mdb"_s);
    if (engine == u"sqlite") {
        const QString copy = program.folder() + u"/edition-one-year.sqlite.mdb"_s;
        kiv::db::importCsvDumps(copy, path);
        path = copy;
    }
    gDB = Database::open(path, true);
    gRSData = gDB->openSnapshot(u"KIV_DATA"_s);
    QVERIFY(gRSData->FindFirst([industry](const Snapshot& s, int row) { return s.value(row, u"Industry").toDouble() == industry; }));
}

// A current industry of one row, without the edition database: its balance-sheet column n
// holds n + 0.5, except where `change` says otherwise.
void useIndustryRow(const std::function<void(QStringList&, std::vector<Value>&)>& change = {})
{
    QStringList columns{u"Industry"_s, u"SIC"_s, u"IndustryDescriptionE"_s, u"IndustryDescriptionF"_s};
    std::vector<Value> row{Value::number(301), Value::text(u"not applicable"_s), Value::text(u"Child day-care services"_s),
                           Value::text(u"Services de garderie"_s)};
    for (const StructureRow& r : structureRows()) {
        columns << str(r.column);
        row.push_back(Value::number(static_cast<double>(row.size() - 4) + 0.5, true));
    }
    if (change)
        change(columns, row);
    gRSData = std::make_shared<Snapshot>(u"KIV_DATA"_s, columns, std::vector<std::vector<Value>>{row});
}

// The firm's statement typed into the entry window: balanced at 500.
const std::pair<const char16_t*, const char16_t*> kFigures[] = {
    {u"txtCash", u" 100"}, {u"txtAr", u" 50"}, {u"txtInv", u" 50"}, {u"txtCA", u" 200"}, {u"txtOA", u" 0"},
    {u"txtToa", u"400"}, {u"txtInvest", u" 50"}, {u"txtPtfl", u" 50"}, {u"txtTa", u"500"},
    {u"txtAccountsPayable", u" 100"}, {u"txtBanks", u" 50"}, {u"txtMtg", u" 150"}, {u"txtTliab", u"300"},
    {u"txtShareC", u" 100"}, {u"txtRetEarn", u"-50"}, {u"txtOtherSur", u" 150"}, {u"txtEquity1", u"200"},
    {u"txtTotLiabShareEq", u"500"}, {u"txtCurrentAssets", u" 200"}, {u"txtCurrentLiabilities", u" 150"},
};

// The entry window as the edition menu's Start leaves it, with the statement above, shown.
FrmMyValues& enterFigures()
{
    FrmMyValues& values = frmMyValues();
    for (kiv::TextBox* b : values.figureBoxes())
        b->setText(u"0"_s);
    for (const auto& [box, text] : kFigures)
        values.findChild<kiv::TextBox*>(str(box))->setText(str(text));
    values.Show();
    return values;
}

// The comparison reached as the user reaches it: the entry window's compare button.
FrmMyBalanceSheet& openComparison(int language = 0)
{
    gLanguage = static_cast<std::int16_t>(language);
    FrmMyValues& values = enterFigures();
    QTest::mouseClick(values.cmdCompare, Qt::LeftButton);
    FrmMyBalanceSheet& w = frmMyBalanceSheet();
    if (!w.isVisible())
        qWarning("the comparison is not shown");
    return w;
}

// Firm, industry and difference of each row for the statement above and industry 302.
const char* const kIndustry302[kRowCount][3] = {
    {"20.00", "14.60", "5.40"},   {"10.00", "6.35", "3.65"},    {"10.00", "0.85", "9.15"},    {"40.00", "58.20", "-18.20"},
    {"0.00", "15.30", "-15.30"},  {"80.00", "95.30", "-15.30"}, {"10.00", "0.00", "10.00"},   {"10.00", "4.70", "5.30"},
    {"100.00", "100.00", "0.00"}, {"20.00", "9.40", "10.60"},   {"10.00", "7.15", "2.85"},    {"0.00", "0.00", "0.00"},
    {"30.00", "31.60", "-1.60"},  {"0.00", "0.00", "0.00"},     {"0.00", "6.20", "-6.20"},    {"0.00", "3.85", "-3.85"},
    {"0.00", "13.95", "-13.95"},  {"0.00", "0.00", "0.00"},     {"60.00", "72.15", "-12.15"}, {"20.00", "8.40", "11.60"},
    {"-10.00", "-3.15", "-6.85"}, {"30.00", "22.60", "7.40"},   {"100.00", "100.00", "0.00"}, {"40.00", "27.45", "12.55"},
    {"30.00", "21.30", "8.70"},
};

// The windows shown and hidden, in order: "+frmMyRatios", "-frmMyBalanceSheet".
class ShowOrder : public QObject {
public:
    explicit ShowOrder(std::initializer_list<QWidget*> windows)
    {
        for (QWidget* w : windows)
            w->installEventFilter(this);
    }
    QStringList events;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            events << u'+' + watched->objectName();
        else if (event->type() == QEvent::Hide)
            events << u'-' + watched->objectName();
        return false;
    }
};

} // namespace

class TestFrmMyBalanceSheet : public QObject {
    Q_OBJECT
private slots:
    void content_data();
    void content();
    void sampleEdition_data();
    void sampleEdition();
    void newFiguresAndIndustryAtNextShow();
    void missingIndustryData();
    void rebuiltWhenActiveAgain();
    void navigation_data();
    void navigation();
    void captions_data();
    void captions();
    void definitions_data();
    void definitions();
    void exportDialog();
    void exportCells_data();
    void exportCells();
    void printout_data();
    void printout();
    void fontSize();
    void figureTooLongForItsCell();
    void waysOut();
};

void TestFrmMyBalanceSheet::content_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("language");
    QTest::newRow("Access, English") << u"access"_s << 0;
    QTest::newRow("Access, French") << u"access"_s << 1;
    QTest::newRow("SQLite copy, English") << u"sqlite"_s << 0;
    QTest::newRow("SQLite copy, French") << u"sqlite"_s << 1;
}

// Every value label of the 25 rows, and the header of the current industry.
void TestFrmMyBalanceSheet::content()
{
    KIV_REQUIRE_FIXTURES();
    QFETCH(QString, engine);
    QFETCH(int, language);
    kivtest::Program program;
    // A French user's number settings write a decimal comma; the program's numbers keep their
    // period whatever they say.
    const QLocale before;
    if (language == 1)
        QLocale::setDefault(QLocale(QLocale::French, QLocale::Canada));
    const auto restore = qScopeGuard([before] { QLocale::setDefault(before); });
    openEdition(program, engine, 302);
    FrmMyBalanceSheet& w = openComparison(language);
    QVERIFY(w.isVisible());
    QVERIFY(program.dialogs.prompts().empty());
    for (int r = 0; r < kRowCount; ++r) {
        const auto i = static_cast<std::size_t>(r);
        QCOMPARE(w.firmLabels[i]->text(), QString::fromLatin1(kIndustry302[r][0]));
        QCOMPARE(w.industryLabels[i]->text(), QString::fromLatin1(kIndustry302[r][1]));
        QCOMPARE(w.differenceLabels[i]->text(), QString::fromLatin1(kIndustry302[r][2]));
    }
    QCOMPARE(w.lblIndustryNumber->text(), u"302"_s);
    QCOMPARE(w.lblSice->text(), u"8641"_s);
    QCOMPARE(w.lblIndustryDescription->text(), language == 0 ? u"Youth \"drop-in\" centres"_s : u"Centres jeunesse"_s);

    // The stored code text is shown as it is, in French too.
    gRSData->FindFirst([](const Snapshot& s, int row) { return s.value(row, u"Industry").toDouble() == 301; });
    w.Show();
    QCOMPARE(w.lblSice->text(), u"not applicable"_s);
}

void TestFrmMyBalanceSheet::sampleEdition_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("industry");
    QTest::newRow("English") << 0 << u"Twiddle repair shops"_s;
    QTest::newRow("French") << 1 << u"Ateliers de réparation de twiddles"_s;
}

// The delivered Volume 2 as a user meets it: an industry chosen from the alphabetical list, the
// firm's statement typed, the structure compared, both exports through the dialog and the
// printout saved as a PDF file where no printer is set up.
void TestFrmMyBalanceSheet::sampleEdition()
{
    QFETCH(int, language);
    QFETCH(QString, industry);
    kivtest::Program program;
    kivtest::TempHome home;
    kivtest::setLanguage(language);
    kivtest::useSampleEdition(program, u"optVol2"_s);
    frmMenuselect().Startapp_Click();
    FrmStartup& startup = frmStartup();
    QVERIFY(startup.isVisible());
    kivtest::click(startup.cmdSelectList);
    kivtest::choose(startup.cboIndustry, industry);
    QTest::mouseClick(startup.optCompare, Qt::LeftButton);
    QTest::mouseClick(startup.optBalanceSheet, Qt::LeftButton);
    QTest::mouseClick(startup.Cmdcontinue, Qt::LeftButton);
    FrmMyValues& values = frmMyValues();
    QVERIFY(values.isVisible());
    const std::pair<const char16_t*, const char16_t*> figures[] = {
        {u"txtCash", u"1000"}, {u"txtAr", u"250"},       {u"txtInv", u"200"},           {u"txtAccountsPayable", u"450"},
        {u"txtBanks", u"50"},  {u"txtShareC", u"950"}, {u"txtCurrentAssets", u"300"}, {u"txtCurrentLiabilities", u"200"}};
    for (const auto& [name, text] : figures) {
        auto* box = values.findChild<kiv::TextBox*>(str(name));
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClicks(box, str(text));
        QTest::keyClick(box, Qt::Key_Return);
    }
    QTest::mouseClick(values.cmdCompare, Qt::LeftButton);
    FrmMyBalanceSheet& w = frmMyBalanceSheet();
    QVERIFY(w.isVisible());
    QVERIFY(program.dialogs.prompts().empty());
    QCOMPARE(w.lblIndustryNumber->text(), u"305"_s);
    QCOMPARE(w.lblSice->text(), u"5662"_s);
    QCOMPARE(w.lblIndustryDescription->text(), industry);
    const char* const rows[kRowCount][3] = {
        {"68.97", "14.63", "54.34"},   {"17.24", "17.07", "0.17"},    {"13.79", "34.65", "-20.86"}, {"0.00", "29.80", "-29.80"},
        {"0.00", "1.96", "-1.96"},     {"100.00", "98.11", "1.89"},   {"0.00", "0.00", "0.00"},     {"0.00", "1.89", "-1.89"},
        {"100.00", "100.00", "0.00"},  {"31.03", "19.81", "11.22"},   {"3.45", "17.04", "-13.59"},  {"0.00", "0.00", "0.00"},
        {"0.00", "7.24", "-7.24"},     {"0.00", "0.00", "0.00"},      {"0.00", "5.08", "-5.08"},    {"0.00", "5.83", "-5.83"},
        {"0.00", "6.24", "-6.24"},     {"0.00", "1.53", "-1.53"},     {"34.48", "62.77", "-28.29"}, {"65.52", "12.77", "52.75"},
        {"0.00", "23.50", "-23.50"},   {"0.00", "0.96", "-0.96"},     {"100.00", "100.00", "0.00"}, {"20.69", "66.84", "-46.15"},
        {"13.79", "38.86", "-25.07"},
    };
    for (std::size_t r = 0; r < structureRows().size(); ++r) {
        const QStringList shown{w.firmLabels[r]->text(), w.industryLabels[r]->text(), w.differenceLabels[r]->text()};
        QCOMPARE(shown, (QStringList{QString::fromLatin1(rows[r][0]), QString::fromLatin1(rows[r][1]), QString::fromLatin1(rows[r][2])}));
    }

    for (const QString& name : {u"structure.xlsx"_s, u"structure.123"_s}) {
        const QString path = program.folder() + u'/' + name;
        QTest::mouseClick(w.cmdExport, Qt::LeftButton);
        (name.endsWith(u".123"_s) ? frmExport().optLotus : frmExport().optExcel)->setChecked(true);
        program.dialogs.answerInput(path);
        program.dialogs.answer(kiv::vbOK);
        QTest::mouseClick(frmExport().cmdOK, Qt::LeftButton);
        QVERIFY(w.isEnabled());
        QVERIFY2(QFileInfo(path).size() > 0, qPrintable(path));
    }

    kiv::QtPrinter pdf(kiv::QtPrinter::Target::PdfOnly);
    kiv::Printer* recording = kiv::setPrinter(&pdf);
    const auto restore = qScopeGuard([recording] { kiv::setPrinter(recording); });
    program.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(w.cmdPrint, Qt::LeftButton);
    const QStringList saved = QDir(home.documents()).entryList({u"*.pdf"_s}, QDir::Files);
    QCOMPARE(saved.size(), 1);
    const QString printed = kivtest::pdfToText(home.documents() + u'/' + saved.front());
    for (const QString& text : {industry, kiv::LoadResString(208 + language), u"54.34"_s})
        QVERIFY2(printed.contains(text), qPrintable(text));
    QVERIFY(w.isVisible() && w.isEnabled());
}

// Figures changed in the entry window and another industry show at the next activation, not
// before; activating again with nothing changed writes the same texts.
void TestFrmMyBalanceSheet::newFiguresAndIndustryAtNextShow()
{
    kivtest::Program program;
    useIndustryRow();
    FrmMyBalanceSheet& w = openComparison();
    QCOMPARE(w.firmLabels[0]->text(), u"20.00"_s);
    QCOMPARE(w.industryLabels[0]->text(), u"0.50"_s);
    QCOMPARE(w.differenceLabels[0]->text(), u"19.50"_s);

    QTest::mouseClick(w.Command1, Qt::LeftButton);
    FrmMyValues& values = frmMyValues();
    values.txtCash->setText(u" 50"_s);
    values.txtCA->setText(u" 250"_s);
    useIndustryRow([](QStringList&, std::vector<Value>& row) { row[4] = Value::number(12.5, true); });
    QCOMPARE(w.firmLabels[0]->text(), u"20.00"_s);
    QTest::mouseClick(values.cmdCompare, Qt::LeftButton);
    QCOMPARE(w.firmLabels[0]->text(), u"10.00"_s);
    QCOMPARE(w.industryLabels[0]->text(), u"12.50"_s);
    QCOMPARE(w.differenceLabels[0]->text(), u"-2.50"_s);
    QCOMPARE(w.firmLabels[3]->text(), u"50.00"_s);

    QStringList before;
    for (int r = 0; r < kRowCount; ++r)
        before << w.firmLabels[std::size_t(r)]->text() << w.industryLabels[std::size_t(r)]->text() << w.differenceLabels[std::size_t(r)]->text();
    w.Show();
    QStringList after;
    for (int r = 0; r < kRowCount; ++r)
        after << w.firmLabels[std::size_t(r)]->text() << w.industryLabels[std::size_t(r)]->text() << w.differenceLabels[std::size_t(r)]->text();
    QCOMPARE(after, before);
    QVERIFY(program.dialogs.prompts().empty());
}

// A column without a value, or absent, shows "..." in its row; one message per activation tells
// which, and closing it starts no other activation. Without a current industry the firm's
// percentages still show.
void TestFrmMyBalanceSheet::missingIndustryData()
{
    kivtest::Program program;
    useIndustryRow([](QStringList& columns, std::vector<Value>& row) {
        row[4] = Value::null(); // A11
        columns.removeLast();   // CURLIAB
        row.pop_back();
    });
    program.dialogs.answer(kiv::vbOK);
    FrmMyBalanceSheet& w = openComparison();
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    const kivtest::Prompt message = program.dialogs.last();
    QCOMPARE(message.text, u"This edition holds no value for industry 301 in A11, CURLIAB. The percentages that cannot be shown "
                           "read \"...\"."_s);
    QCOMPARE(message.style, int(kiv::vbExclamation));
    QCOMPARE(message.title, u"Kiv_2000"_s);
    QCOMPARE(w.firmLabels[0]->text(), u"20.00"_s);
    QCOMPARE(w.industryLabels[0]->text(), u"..."_s);
    QCOMPARE(w.differenceLabels[0]->text(), u"..."_s);
    QCOMPARE(w.industryLabels[24]->text(), u"..."_s);
    QCOMPARE(w.industryLabels[1]->text(), u"1.50"_s);
    QCOMPARE(w.differenceLabels[1]->text(), u"8.50"_s);

    program.dialogs.answer(kiv::vbOK);
    w.Show();
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(2));

    gRSData.reset();
    program.dialogs.answer(kiv::vbOK);
    w.Show();
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(3));
    QVERIFY(program.dialogs.last().text.startsWith(u"No industry is chosen"_s));
    QCOMPARE(w.lblIndustryDescription->text(), QString());
    QCOMPARE(w.firmLabels[8]->text(), u"100.00"_s);
    QCOMPARE(w.industryLabels[8]->text(), u"..."_s);
}

// Becoming active again after another window of the program rebuilds the content from the
// current figures. What the industry lacks is told when the window is shown, once: neither the
// message box giving the activation back nor the return from another window tells it again.
void TestFrmMyBalanceSheet::rebuiltWhenActiveAgain()
{
    kivtest::Program program;
    useIndustryRow([](QStringList&, std::vector<Value>& row) { row[4] = Value::null(); }); // A11
    FrmMyBalanceSheet* shown = nullptr;
    program.dialogs.answer(kiv::vbOK);
    // The box takes the activation while it is up, as a real one does, and gives it back.
    program.dialogs.whileOpen = [&shown](const kivtest::Prompt&) {
        QDialog box;
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.close();
        shown = &frmMyBalanceSheet();
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown));
    };
    FrmMyBalanceSheet& w = openComparison();
    program.dialogs.whileOpen = nullptr;
    QCoreApplication::processEvents();
    QCOMPARE(shown, &w);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QCOMPARE(w.firmLabels[0]->text(), u"20.00"_s);

    FrmMyValues& values = frmMyValues();
    values.show();
    values.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&values));
    values.txtCash->setText(u" 50"_s);
    w.ZOrder(0);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTRY_COMPARE(w.firmLabels[0]->text(), u"10.00"_s);
    QCOMPARE(w.differenceLabels[0]->text(), u"..."_s);
    QCOMPARE(w.differenceLabels[1]->text(), u"8.50"_s);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
}

void TestFrmMyBalanceSheet::navigation_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("French") << 1;
}

// On to the ratio comparison, back to the entry window, back to the industry selection: each
// shows its target first and then hides this window, changing none of its labels.
void TestFrmMyBalanceSheet::navigation()
{
    QFETCH(int, language);
    kivtest::Program program;
    // The industry selection opens the edition when it loads; its first industry is current.
    gLanguage = static_cast<std::int16_t>(language);
    kivtest::useSampleEdition(program, u"optVol2"_s);
    frmStartup();
    FrmMyBalanceSheet& w = openComparison(language);
    FrmMyValues& values = frmMyValues();
    QVERIFY(!values.isVisible());
    const QString cash = w.firmLabels[0]->text();

    ShowOrder order{&w, &frmMyRatios(), &values, &frmStartup()};
    QTest::mouseClick(w.cmdView, Qt::LeftButton);
    QVERIFY(frmMyRatios().isVisible());
    QVERIFY(!w.isVisible());
    QCOMPARE(frmMyRatios().Caption(), kiv::LoadResString(244 + language));
    QCOMPARE(frmMyRatios().lblIndustryDescription->text(), w.lblIndustryDescription->text());
    QTest::mouseClick(frmMyRatios().Command2, Qt::LeftButton);
    QTest::mouseClick(values.cmdCompare, Qt::LeftButton);
    QCOMPARE(w.Caption(), kiv::LoadResString(232 + language));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QVERIFY(values.isVisible());
    QCOMPARE(values.txtCash->text(), u" 100"_s);
    QTest::mouseClick(values.cmdCompare, Qt::LeftButton);
    QTest::mouseClick(w.cmdChoose, Qt::LeftButton);
    QVERIFY(frmStartup().isVisible());
    QCOMPARE(w.firmLabels[0]->text(), cash);
    QCOMPARE(order.events, (QStringList{u"+frmMyRatios"_s, u"-frmMyBalanceSheet"_s, u"+frmMyValues"_s, u"-frmMyRatios"_s,
                                        u"+frmMyBalanceSheet"_s, u"-frmMyValues"_s,
                                        u"+frmMyValues"_s, u"-frmMyBalanceSheet"_s, u"+frmMyBalanceSheet"_s, u"-frmMyValues"_s,
                                        u"+frmStartup"_s, u"-frmMyBalanceSheet"_s}));
}

void TestFrmMyBalanceSheet::captions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("edition");
    QTest::addColumn<QStringList>("expected"); // control=text; "window" is the title
    QTest::newRow("English, Volume 2")
        << 0 << u"optVol2"_s
        << QStringList{u"window=Comparison of your firm's balance sheet structure to its industry"_s,
                       u"lblMedium=Small and Medium Firms"_s,
                       u"lblRevenue=Revenue under $5 million, Reference Year 1997"_s,
                       u"lblSice1=SICE"_s,
                       u"lblBalance=Balance sheet structure"_s,
                       u"Label27=Your ratios"_s, u"Label62=Your ratios"_s,
                       u"Label28=Industry ratios"_s, u"Label63=Industry ratios"_s,
                       u"Label1=Variance"_s, u"Label14=Variance"_s,
                       u"lblAssets=Assets"_s, u"Label3=Liabilities"_s,
                       u"lblIndustry=Industry"_s,
                       u"lblCurrentAssets=Current assets - % of total assets"_s,
                       u"lblTotalLiabilitiesAndShareholdersEquity=Total liabilities and shareholders' equity"_s,
                       u"cmdView=View comparison ratio table"_s, u"Command1=Return to data entry screen"_s,
                       u"cmdChoose=Main Menu"_s, u"cmdExport=Export"_s, u"CmdFontSize=Change font size"_s,
                       u"cmdPrint=Print"_s, u"CmdHelp=Help"_s, u"cmdQuit=Exit"_s,
                       u"CmdExcMB=Excel"_s, u"cmdLotusMB=Lotus"_s};
    QTest::newRow("French, Volume 1")
        << 1 << u"optVol1"_s
        << QStringList{u"window=Comparaison de la structure du bilan de votre entreprise à l'industrie"_s,
                       u"lblMedium=Les entreprises de taille moyenne et grande"_s,
                       u"lblRevenue=Ayant plus de 5 $ million de recettes, Année de référence 1999"_s,
                       u"lblSice1=CTI-C"_s,
                       u"lblBalance=Structure du bilan"_s,
                       u"Label27=Vos ratios"_s, u"Label63=Ratios de l'industrie"_s, u"Label14=Différence"_s,
                       u"lblAssets=Actifs"_s, u"Label3=Passifs"_s, u"lblIndustry=Industrie"_s,
                       u"lblOwingToAffiliates=Comptes à payer à des sociétés affiliées"_s,
                       u"cmdView=Voir le tableau de comparaison des ratios"_s,
                       u"Command1=Retourner à l'écran de saisie des données"_s,
                       u"cmdChoose=Menu principal"_s, u"CmdFontSize=Changer taille police"_s, u"cmdQuit=Sortir"_s};
    QTest::newRow("no one-year edition chosen")
        << 0 << QString()
        << QStringList{u"lblMedium=Small and Medium Firms"_s, u"lblRevenue=Revenue under 5 million, Reference year YearX"_s,
                       u"lblSice1=SICE"_s};
}

void TestFrmMyBalanceSheet::captions()
{
    QFETCH(int, language);
    QFETCH(QString, edition);
    QFETCH(QStringList, expected);
    kivtest::Program program;
    useIndustryRow();
    if (!edition.isEmpty())
        frmMenuselect().editionOption(edition)->setChecked(true);
    FrmMyBalanceSheet& w = openComparison(language);
    for (const QString& e : expected) {
        const qsizetype eq = e.indexOf(u'=');
        const QString control = e.left(eq);
        const QString text = e.mid(eq + 1);
        if (control == u"window")
            QCOMPARE(w.Caption(), text);
        else
            QCOMPARE(kiv::controlText(w, control), text);
    }
    // Every row caption in the user's language.
    for (std::size_t r = 0; r < structureRows().size(); ++r)
        QCOMPARE(w.captionLabels[r]->text(), kiv::LoadResString(structureRows()[r].captionId + language));
}

void TestFrmMyBalanceSheet::definitions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("textStart");
    QTest::newRow("cash") << 0 << u"lblCash"_s << u"CASH AND DEPOSITS DEFINITION"_s << u"Inclusions\r\n\r\na)  demand"_s;
    QTest::newRow("portfolio") << 0 << u"lblPortfolio"_s << u"PORTFOLIO INVESTMENTS"_s << u"\r\n\r\n"_s;
    QTest::newRow("current liabilities") << 0 << u"lblCurrentLiabilities"_s << u"TOTAL CURRENT LIABILITIES DEFINITION "_s
                                         << u"A liability that in the ordinary course"_s;
    QTest::newRow("cash, French") << 1 << u"lblCash"_s << u"DÉFINITION ENCAISSE ET DÉPÔTS"_s << u"Inclure\r\n\r\na)  dépôts"_s;
    QTest::newRow("deferred tax, French") << 1 << u"lblDeferred"_s << u"DÉFINITION IMPÔTS SUR LE REVENUE REPORTÉ\""_s << u"Écart"_s;
}

// A row caption shows its item's definition in an information box; nothing in the window
// changes, and the other labels of a row answer no click.
void TestFrmMyBalanceSheet::definitions()
{
    QFETCH(int, language);
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(QString, textStart);
    kivtest::Program program;
    useIndustryRow();
    FrmMyBalanceSheet& w = openComparison(language);
    const QString cash = w.firmLabels[0]->text();
    program.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(w.findChild<kiv::ClickLabel*>(caption), Qt::LeftButton);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    const kivtest::Prompt box = program.dialogs.last();
    QCOMPARE(box.title, title);
    QCOMPARE(box.style, int(kiv::vbInformation));
    QVERIFY2(box.text.startsWith(textStart), qPrintable(box.text.left(60)));
    QCOMPARE(box.text, kiv::balanceSheetItemDefinition(caption, language)->text);
    QCOMPARE(w.firmLabels[0]->text(), cash);

    for (kiv::Label* other : {w.firmLabels[0], w.industryLabels[0], w.differenceLabels[0], w.Label27, w.lblSice})
        QTest::mouseClick(other, Qt::LeftButton);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
}

// Export opens the one-year dialog with this window as its owner and waits for it disabled.
void TestFrmMyBalanceSheet::exportDialog()
{
    kivtest::Program program;
    Documents documents;
    kiv::sheet::RecordingServers servers;
    useIndustryRow();
    FrmMyBalanceSheet& w = openComparison();
    gExportFromRatios = gExportFromValues = true;
    QTest::mouseClick(w.cmdExport, Qt::LeftButton);
    QVERIFY(frmExport().isVisible());
    QVERIFY(!w.isEnabled());
    QVERIFY(gExportFromBalanceSheet && !gExportFromRatios && !gExportFromValues);
    QTest::mouseClick(frmExport().cmdCancel, Qt::LeftButton);
    QVERIFY(w.isEnabled());
    QVERIFY(servers.calls.isEmpty());

    // OK runs this window's export of the chosen program.
    QTest::mouseClick(w.cmdExport, Qt::LeftButton);
    frmExport().optLotus->setChecked(true);
    program.dialogs.answerInput(QString());
    QTest::mouseClick(frmExport().cmdOK, Qt::LeftButton);
    QCOMPARE(program.dialogs.last().title, u"Export, SIC:not applicable to Lotus file"_s);
    QVERIFY(program.dialogs.last().defaultText.endsWith(u"/MyBalnot applicable.123"_s));
    QCOMPARE(servers.calls, (QStringList{u"create Lotus123.workbook"_s, u"release"_s}));
    QVERIFY(w.isEnabled());
}

void TestFrmMyBalanceSheet::exportCells_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("lotus");
    QTest::newRow("Excel, English") << 0 << false;
    QTest::newRow("Lotus, French") << 1 << true;
}

// The 112 cells in their order: the header, the heads of row 6, then rows 7 to 20 left to right,
// rows 16 to 18 on the liability side only.
void TestFrmMyBalanceSheet::exportCells()
{
    QFETCH(int, language);
    QFETCH(bool, lotus);
    kivtest::Program program;
    Documents documents;
    kiv::sheet::RecordingServers servers;
    useIndustryRow([](QStringList&, std::vector<Value>& row) { row[4] = Value::null(); });
    frmMenuselect().editionOption(u"optVol2"_s)->setChecked(true);
    program.dialogs.answer(kiv::vbOK); // the missing value
    FrmMyBalanceSheet& w = openComparison(language);
    program.dialogs.answerInput(u"structure.xls"_s);
    program.dialogs.answer(kiv::vbOK);
    if (lotus)
        w.cmdLotusMB_Click();
    else
        w.cmdExcMB_Click();
    const kivtest::Prompt question = program.dialogs.prompts()[1];
    const QString name = lotus ? u"Lotus"_s : u"Excel"_s;
    QCOMPARE(question.title, language == 0 ? u"Export, SIC:not applicable to "_s + name + u" file"_s
                                           : u"Exporter, CTI:not applicable à un fichier de "_s + name);
    QCOMPARE(servers.saved, QStringList{u"structure.xls"_s});
    QCOMPARE(program.dialogs.last().text, language == 0 ? u"Successfully Exported 'structure.xls'"_s
                                                        : u"Les données ont été exportées 'structure.xls'"_s);

    QStringList order;
    for (const auto& written : servers.written)
        order << written.cell;
    QStringList expected{u"A1"_s, u"E1"_s, u"A2"_s, u"A4"_s};
    for (int row = 6; row <= 20; ++row)
        for (QChar column : u"ABCDEFGH"_s)
            if (row < 16 || row > 18 || column >= u'E')
                expected << column + QString::number(row);
    QCOMPARE(order, expected);

    const bool english = language == 0;
    QCOMPARE(servers.cell(u"A1"_s), english ? u"Small and Medium Firms"_s : u"Petites et moyennes entreprises"_s);
    QCOMPARE(servers.cell(u"E1"_s), w.lblRevenue->text());
    QVERIFY(servers.cell(u"E1"_s).endsWith(u"1997"_s));
    QCOMPARE(servers.cell(u"A2"_s), (english ? u"SICE"_s : u"CTI-E"_s) + u": not applicable - "_s
                                        + (english ? u"Child day-care services"_s : u"Services de garderie"_s));
    QCOMPARE(servers.cell(u"A4"_s), w.lblBalance->text());
    QCOMPARE(servers.cell(u"A6"_s), english ? u"Assets"_s : u"Actifs"_s);
    QCOMPARE(servers.cell(u"E6"_s), english ? u"Liabilities"_s : u"Passifs"_s);
    for (const QString& c : {u"B6"_s, u"F6"_s})
        QCOMPARE(servers.cell(c), english ? u"Your Ratios"_s : u"Vos Ratios"_s);
    for (const QString& c : {u"C6"_s, u"G6"_s})
        QCOMPARE(servers.cell(c), english ? u"Industry Ratios"_s : u"Ratios de l'industrie"_s);
    for (const QString& c : {u"D6"_s, u"H6"_s})
        QCOMPARE(servers.cell(c), english ? u"Variance"_s : u"Différence"_s);
    // Cash, with its missing industry value; current assets beside other surplus.
    QCOMPARE(servers.cell(u"A7"_s), w.captionLabels[0]->text());
    QCOMPARE(servers.cell(u"B7"_s), u"20.00"_s);
    QCOMPARE(servers.cell(u"C7"_s), lotus ? u"\"..."_s : u"..."_s);
    QCOMPARE(servers.cell(u"D7"_s), lotus ? u"\"..."_s : u"..."_s);
    QCOMPARE(servers.cell(u"E7"_s), english ? u"Accounts payable"_s : u"Comptes créditeurs"_s);
    QCOMPARE(servers.cell(u"F7"_s), u"20.00"_s);
    QCOMPARE(servers.cell(u"G7"_s), u"9.50"_s);
    QCOMPARE(servers.cell(u"H7"_s), u"10.50"_s);
    QCOMPARE(servers.cell(u"A19"_s), w.captionLabels[23]->text());
    QCOMPARE(servers.cell(u"D19"_s), u"16.50"_s); // 40.00 - 23.50
    QCOMPARE(servers.cell(u"E19"_s), w.captionLabels[21]->text());
    QCOMPARE(servers.cell(u"A20"_s), w.captionLabels[24]->text());
    QCOMPARE(servers.cell(u"E20"_s), w.captionLabels[22]->text());
    QCOMPARE(servers.cell(u"H20"_s), u"77.50"_s); // 100.00 - 22.50
}

void TestFrmMyBalanceSheet::printout_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QStringList>("expected"); // "line|text at fixed pitch", from 1
    QTest::newRow("English") << 0 << 61
                             << QStringList{
                                    u"1|Small and Medium Firms"_s + QString(42, u' ') + u"Revenue under $5 million, Reference Year 1997"_s,
                                    u"3|Industry      301---Child day-care services"_s,
                                    u"4|SICE          not applicable"_s,
                                    u"6|Balance sheet structure"_s,
                                    u"14|  Cash"_s + QString(34, u' ') + u"20.00       0.50        19.50"_s,
                                    u"35|"_s + QString(80, u' ') + u"Amounts owing to affiliates   0.00        15.50       -15.50"_s,
                                };
    QTest::newRow("French") << 1 << 65
                            << QStringList{
                                   u"3|Industrie     301---Services de garderie"_s,
                                   u"4|CTI-E         not applicable"_s,
                                   u"14|  Encaisse"_s + QString(30, u' ') + u"20.00       0.50        19.50"_s,
                                   u"35|"_s + QString(80, u' ') + u"Comptes à payer "_s,
                                   u"36|"_s + QString(80, u' ') + u"à des sociétés affiliées      0.00        15.50       -15.50"_s,
                               };
}

// Print sends the comparison as the window shows it, at once, in one document.
void TestFrmMyBalanceSheet::printout()
{
    QFETCH(int, language);
    QFETCH(int, lines);
    QFETCH(QStringList, expected);
    kivtest::Program program;
    useIndustryRow();
    frmMenuselect().editionOption(u"optVol2"_s)->setChecked(true);
    FrmMyBalanceSheet& w = openComparison(language);
    QTest::mouseClick(w.cmdPrint, Qt::LeftButton);
    QCOMPARE(program.printer.documents().size(), std::size_t(1));
    QVERIFY(program.dialogs.prompts().empty());
    // One print statement a line; at a fixed pitch of one column a character a long caption
    // pushes the rest of its row to the next line, which the printer's own font avoids.
    QCOMPARE(int(program.printer.last().lines().size()), lines);
    const QStringList text = program.printer.last().textLines();
    for (const QString& e : expected) {
        const qsizetype bar = e.indexOf(u'|');
        const int line = e.left(bar).toInt();
        QCOMPARE(text[line - 1], e.mid(bar + 1));
    }
    QVERIFY(w.isVisible() && w.isEnabled());
}

// Every control has size 10 once loaded, hidden ones included; a new size reaches them all and
// stays when the user comes back.
void TestFrmMyBalanceSheet::fontSize()
{
    kivtest::Program program;
    useIndustryRow();
    FrmMyBalanceSheet& w = openComparison();
    const std::vector<QWidget*> controls{w.lblIndustry, w.lblIndustryNumber, w.CmdExcMB, w.cmdLotusMB, w.lblMedium,
                                         w.captionLabels[22], w.firmLabels[24], w.differenceLabels[0], w.Label14, w.cmdQuit};
    for (QWidget* c : controls)
        QCOMPARE(c->font().pointSizeF(), 10.0);
    program.dialogs.answerInput(u"12.5"_s);
    QTest::mouseClick(w.CmdFontSize, Qt::LeftButton);
    QCOMPARE(program.dialogs.last().defaultText, u" 10"_s);
    QCOMPARE(w.CurrentFontSize, std::int16_t(12));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QTest::mouseClick(frmMyValues().cmdCompare, Qt::LeftButton);
    for (QWidget* c : controls)
        QCOMPARE(c->font().pointSizeF(), 12.0);
    QVERIFY(!w.item(w.Shape1)->hasFont);

    program.dialogs.answerInput(u"big"_s);
    program.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(w.CmdFontSize, Qt::LeftButton);
    QCOMPARE(program.dialogs.last().text, u"Please enter a number"_s);
    QCOMPARE(w.CurrentFontSize, std::int16_t(12));
}

// Help opens the user's help file; Exit asks first; the close box ends at once.
// At 800 x 600 a percentage of nine digits does not fit its cell even at the smallest size:
// the cell shows a mark that cannot be read as a number, as a spreadsheet does, with the whole
// figure as its tooltip; the printout and the export carry the whole figure.
void TestFrmMyBalanceSheet::figureTooLongForItsCell()
{
    kivtest::Program program(QSizeF(800 * 15, 600 * 15));
    Documents documents;
    kiv::sheet::RecordingServers servers;
    useIndustryRow([](QStringList&, std::vector<Value>& row) { row[4] = Value::number(-99999900.0, true); });
    frmMenuselect().editionOption(u"optVol2"_s)->setChecked(true);
    gLanguage = 0;
    FrmMyValues& values = frmMyValues();
    for (kiv::TextBox* b : values.figureBoxes())
        b->setText(u"0"_s);
    // Cash of a million over total assets of one: 100000000 percent.
    for (const auto& [box, text] : {std::pair{u"txtCash", u" 1000000"}, std::pair{u"txtToa", u"1000000"}, std::pair{u"txtInv", u"-999999"},
                                    std::pair{u"txtTa", u"1"}, std::pair{u"txtShareC", u" 1"}, std::pair{u"txtEquity1", u"1"},
                                    std::pair{u"txtTotLiabShareEq", u"1"}})
        values.findChild<kiv::TextBox*>(str(box))->setText(str(text));
    values.Show();
    QTest::mouseClick(values.cmdCompare, Qt::LeftButton);
    FrmMyBalanceSheet& w = frmMyBalanceSheet();
    QVERIFY(w.isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    kiv::Label* const cells[] = {w.firmLabels[0], w.industryLabels[0], w.differenceLabels[0]};
    const QString figures[] = {u"100000000.00"_s, u"-99999900.00"_s, u"199999900.00"_s};
    for (int c = 0; c < 3; ++c) {
        kiv::Label* cell = cells[c];
        QCOMPARE(cell->text(), figures[c]);
        const kiv::textfit::Shown shown
            = kiv::textfit::shownText(cell->text(), cell->font(), QSizeF(cell->textRoom().size()), kiv::labelTextFlags(*cell));
        QVERIFY2(shown.mark, qPrintable(cell->objectName()));
        QVERIFY2(shown.text.size() >= 3 && shown.text == QString(shown.text.size(), QChar(kiv::textfit::kMarkCharacter)), qPrintable(shown.text));
        // The pixels are those of the mark drawn in the cell, not of a piece of the figure.
        const QImage painted = cell->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(painted, kivtest::fittedPicture(*cell));
        QVERIFY(painted != kivtest::facePicture(*cell));
        QCOMPARE(cell->toolTip(), figures[c]);
    }
    // A figure that fits shows itself and keeps its cell's own tooltip: none.
    kiv::Label* receivables = w.firmLabels[1];
    QCOMPARE(receivables->text(), u"0.00"_s);
    QCOMPARE(receivables->grab().toImage().convertToFormat(QImage::Format_ARGB32), kivtest::fittedPicture(*receivables));
    QVERIFY(receivables->toolTip().isEmpty());

    QTest::mouseClick(w.cmdPrint, Qt::LeftButton);
    QCOMPARE(program.printer.documents().size(), std::size_t(1));
    const QString printed = program.printer.last().textLines().join(u'\n');
    for (const QString& figure : figures)
        QVERIFY2(printed.contains(figure), qPrintable(figure));

    program.dialogs.answerInput(u"structure.xls"_s);
    program.dialogs.answer(kiv::vbOK);
    w.cmdExcMB_Click();
    QCOMPARE(servers.cell(u"B7"_s), figures[0]);
    QCOMPARE(servers.cell(u"C7"_s), figures[1]);
    QCOMPARE(servers.cell(u"D7"_s), figures[2]);
}

void TestFrmMyBalanceSheet::waysOut()
{
    kivtest::Program program;
    program.writeFile(u"helpf.html"_s, "<p>aide</p>");
    useIndustryRow();
    FrmMyBalanceSheet& w = openComparison(1);
    QTest::mouseClick(w.CmdHelp, Qt::LeftButton);
    QCOMPARE(program.help.shown, QStringList{kiv::helpFile()});
    program.dialogs.answer(kiv::vbNo);
    QTest::mouseClick(w.cmdQuit, Qt::LeftButton);
    QCOMPARE(program.dialogs.last().text, u"Voulez-vous quitter ?"_s);
    QCOMPARE(program.dialogs.last().title, u"Kivob"_s);
    QVERIFY(w.isVisible());
    program.dialogs.answer(kiv::vbYes);
    KIV_VERIFY_ENDS(QTest::mouseClick(w.cmdQuit, Qt::LeftButton));
    KIV_VERIFY_ENDS(w.close());
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(2));
}

KIV_TEST_MAIN(TestFrmMyBalanceSheet)
#include "tst_frm_my_balance_sheet.moc"
