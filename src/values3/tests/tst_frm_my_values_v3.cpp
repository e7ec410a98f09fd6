// The three-year entry window as the user meets it: captions, the entry rule of the boxes and
// their Enter chain, the tab order, the compare button, Clear, the font size, the definitions,
// the printout and the ways out.
#include "industry/frm_startup.h"
#include "platform/db/database.h"
#include "platform/program_folder.h"
#include "shell/frm_menuselect.h"
#include "platform/spreadsheet/recording.h"
#include "platform/spreadsheet/save_file.h"
#include "ratios3/frm_my_ratios_v3.h"
#include "values/frm_export.h"
#include "shell/module1.h"
#include "test_support.h"
#include "values3/frm_my_values_v3.h"
#include "values3/three_year_printout.h"
#include "values/entry_controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>

using namespace kiv::values3;
using namespace Qt::StringLiterals;

namespace {

// The window as the edition menu's Start leaves it, shown and active.
FrmMyValuesV3& shownWindow(int language = 0)
{
    gLanguage = static_cast<std::int16_t>(language);
    for (kiv::TextBox* box : frmMyValuesV3().amountBoxes())
        box->setText(u"0"_s);
    FrmMyValuesV3& w = frmMyValuesV3();
    w.Show();
    if (!QTest::qWaitForWindowActive(&w))
        qWarning("the window did not become active");
    return w;
}

// The industry selection opened on the sample Volume 3: its first industry is the current one,
// which the comparison window compares with when the compare button shows it.
void chooseSampleIndustry(const kivtest::Program& program)
{
    kivtest::useSampleEdition(program, u"optVol3"_s);
    frmStartup();
}

QString focusName()
{
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : u"(none)"_s;
}

kiv::TextBox* box(FrmMyValuesV3& w, const QString& name)
{
    return w.findChild<kiv::TextBox*>(name);
}

void typeInto(QWidget* widget, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(widget);
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QStringList ratioTextsOf(const FrmMyValuesV3& w)
{
    QStringList texts;
    for (kiv::Label* label : w.ratioLabels())
        texts << label->text();
    return texts;
}

// The delivered store: one row of zeros.
void deliverStore()
{
    kiv::db::TableData t;
    t.name = u"MyValue_v3"_s;
    std::vector<kiv::db::Value> row;
    for (const QString& column : columnNames()) {
        t.columns.push_back({column, kiv::db::ColumnType::Double});
        row.push_back(kiv::db::Value::number(0));
    }
    t.rows.push_back(row);
    kiv::db::writeDatabase(kiv::store::storePath(savedFigures()), {t});
}

QStringList boxTexts(const FrmMyValuesV3& w)
{
    QStringList texts;
    for (kiv::TextBox* b : w.amountBoxes())
        texts << b->text();
    return texts;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The current industry's code as the industry selection shows it.
void setIndustryCode(const QString& code)
{
    auto* label = frmStartup().findChild<QLabel*>(u"lblSICC"_s);
    if (!label) {
        label = new QLabel(&frmStartup());
        label->setObjectName(u"lblSICC"_s);
    }
    label->setText(code);
}

struct Documents {
    QTemporaryDir dir;
    Documents() { kiv::sheet::setDocumentsFolder(dir.path()); }
    ~Documents() { kiv::sheet::setDocumentsFolder(QString()); }
};


// The firm's figures of the saved three-year fixture, in the order of the boxes; they balance in
// every year.
const QStringList kFigures{
    u"5420000"_s, u"3185400"_s, u"2234600"_s, u"8765400"_s, u"8123750"_s, u"2436125"_s, u"612480"_s, u"498215.25"_s, u"371904.1275"_s,
    u"5012350"_s, u"3077100"_s, u"1935250"_s, u"8010200"_s, u"7452600"_s, u"2198517"_s, u"401315"_s, u"275840"_s, u"203120.5"_s,
    u"4706800"_s, u"3150625"_s, u"1556175"_s, u"7384900"_s, u"6890450"_s, u"1929326"_s, u"-18740"_s, u"-96315.75"_s, u"-71208"_s};
// Their 18 ratios, in the order of the ratio labels.
const QStringList kFigureRatios{u"4.24"_s, u"5.68"_s, u"29.99"_s, u"9.19"_s, u"0.59"_s, u"16.64"_s,
                                u"2.54"_s, u"3.44"_s, u"29.50"_s, u"5.50"_s, u"0.61"_s, u"10.50"_s,
                                u"-0.96"_s, u"-1.30"_s, u"28.00"_s, u"-2.05"_s, u"0.67"_s, u"-4.58"_s};

using kivtest::setLanguage;

using kivtest::click;

// Picks an industry by its name in the alphabetical list of the industry selection.
void pickIndustry(const QString& name)
{
    click(frmStartup().cmdSelectList);
    kivtest::choose(frmStartup().cboIndustry, name);
}

// The edition menu's Start on a sample edition: the industry selection comes up.
void startOn(const kivtest::Program& program, const QString& option, int language)
{
    setLanguage(language);
    kivtest::useSampleEdition(program, option);
    frmMenuselect().Startapp_Click();
    QVERIFY(frmStartup().isVisible());
}

// Compare and financial ratios, then Continue: the entry window comes up.
void continueToEntry()
{
    FrmStartup& s = frmStartup();
    click(s.optCompare);
    click(s.optRatios);
    click(s.Cmdcontinue);
    QVERIFY(frmMyValuesV3().isVisible());
}

// Writes a store file holding one table.
void writeStoreTable(const kiv::db::TableData& table)
{
    kiv::db::writeDatabase(kiv::store::storePath(savedFigures()), {table});
}

} // namespace

class TestFrmMyValuesV3 : public QObject {
    Q_OBJECT
private slots:
    void firstShow_data();
    void firstShow();
    void enterChain();
    void refusedText_data();
    void refusedText();
    void refusedTextStopsButtons();
    void tabOrder();
    void compare_data();
    void compare();
    void activationEmptiesRatios();
    void clear_data();
    void clear();
    void fontSize();
    void waysOut_data();
    void waysOut();
    void definitions();
    void printout_data();
    void printout();
    void mainMenu();
    void compareShowsComparison();
    void saveAndRestore();
    void saveRefusesText();
    void restoreFailureChangesNothing();
    void restoreAccessStore();
    void restoreFailures_data();
    void restoreFailures();
    void unreachableDataFolder_data();
    void unreachableDataFolder();
    void road_data();
    void road();
    void exportTakesCurrentIndustry_data();
    void exportTakesCurrentIndustry();
    void numbersWithAPeriod();
    void exportDialog();
    void exportCells_data();
    void exportCells();
};

void TestFrmMyValuesV3::firstShow_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("equity");
    QTest::addColumn<QString>("income");
    QTest::newRow("English") << 0 << u"My Company Values"_s << u"Compare your ratios"_s << u"Total shareholders' equity "_s
                             << u"Income statement data"_s;
    QTest::newRow("French") << 1 << u"Valeurs de mon entreprise"_s << u"Comparer vos ratios"_s << u"Total, capitaux propres "_s
                            << u"Données de l'état des résultats "_s;
}

// After Start: every box "0", the years 1999, 1998, 1997 left to right, the focus in the 1999
// total assets box, the captions in the user's language, the ratio labels empty and hidden.
void TestFrmMyValuesV3::firstShow()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, view);
    QFETCH(QString, equity);
    QFETCH(QString, income);
    kivtest::Program program;
    FrmMyValuesV3& w = shownWindow(language);
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(w.cmdView->text(), view);
    QCOMPARE(w.lblEquity->text(), equity);
    QCOMPARE(w.Label4->text(), income);
    QCOMPARE(w.Label1->text(), u"1999"_s);
    QCOMPARE(w.Label2->text(), u"1998"_s);
    QCOMPARE(w.Label5->text(), u"1997"_s);
    QVERIFY(w.Label1->x() < w.Label2->x() && w.Label2->x() < w.Label5->x());
    QVERIFY(w.txtTaYear3->x() < w.txtTaYear2->x() && w.txtTaYear2->x() < w.txtTaYear1->x());
    for (kiv::TextBox* b : w.amountBoxes())
        QCOMPARE(b->text(), u"0"_s);
    QCOMPARE(focusName(), u"txtTaYear3"_s);
    for (kiv::Label* label : w.ratioLabels()) {
        QVERIFY(label->text().isEmpty());
        QVERIFY(!label->isVisible());
    }
    QVERIFY(!w.cmdExcMV->isVisible() && !w.cmdLotusMV->isVisible());
    QCOMPARE(w.CurrentFontSize, std::int16_t(10));
    QCOMPARE(w.CommonDialog1->HelpFile, kiv::helpFile());
}

// Enter in each box normalises its text and moves down the 1999 column, then 1998, then 1997,
// and last to the compare button, which it doesn't press.
void TestFrmMyValuesV3::enterChain()
{
    kivtest::Program program;
    FrmMyValuesV3& w = shownWindow();
    const QStringList names = boxNames();
    for (int i = 0; i < kAmountCount; ++i) {
        QCOMPARE(focusName(), names[i]);
        typeInto(QApplication::focusWidget(), u" 0"_s + QString::number(i) + u".50"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(box(w, names[i])->text(), QString::number(i) + u".5"_s);
    }
    QCOMPARE(focusName(), u"cmdView"_s);
    QVERIFY(program.dialogs.prompts().empty());
    for (kiv::Label* label : w.ratioLabels())
        QVERIFY(label->text().isEmpty());
}

void TestFrmMyValuesV3::refusedText_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("leaving");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("Enter, English") << 0 << false << u"1,234.5"_s << u"Please enter a number"_s;
    QTest::newRow("leaving, English") << 0 << true << u"1,234.5"_s << u"Please enter a number"_s;
    QTest::newRow("Enter, French") << 1 << false << u"1,234.5"_s << u"SVP ecrit le numéro ici"_s;
    QTest::newRow("leaving, French") << 1 << true << u"1,234.5"_s << u"SVP ecrit le numéro ici"_s;
    // A number beyond the range of amounts is told so, with the limit it passes.
    const QString tooLarge = u"This amount is too large. The largest amount accepted is 922337203685477.5807."_s;
    const QString tropEleve = u"Ce montant est trop élevé. Le plus grand montant accepté est 922337203685477.5807."_s;
    QTest::newRow("too large, Enter, English") << 0 << false << u"1E15"_s << tooLarge;
    QTest::newRow("too large, leaving, English") << 0 << true << u"922337203685477.5808"_s << tooLarge;
    QTest::newRow("too large, Enter, French") << 1 << false << u"1E15"_s << tropEleve;
    QTest::newRow("too large, leaving, French") << 1 << true << u"1E15"_s << tropEleve;
    QTest::newRow("negative too large, English")
        << 0 << false << u"-1E15"_s << u"This negative amount is too large. The lowest amount accepted is -922337203685477.5808."_s;
    QTest::newRow("negative too large, French")
        << 1 << true << u"-1E15"_s
        << u"Ce montant négatif est trop élevé en valeur absolue. Le plus petit montant accepté est -922337203685477.5808."_s;
}

// A refused text stays as typed, selected, with the focus in its box, after the message.
void TestFrmMyValuesV3::refusedText()
{
    QFETCH(int, language);
    QFETCH(bool, leaving);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    kivtest::Program program;
    FrmMyValuesV3& w = shownWindow(language);
    w.txtSalesYear2->setFocus();
    typeInto(w.txtSalesYear2, typed);
    program.dialogs.answer(kiv::vbOK);
    QTest::keyClick(w.txtSalesYear2, leaving ? Qt::Key_Tab : Qt::Key_Return);
    QCOMPARE(program.dialogs.texts(), QStringList{message});
    QCOMPARE(program.dialogs.last().style, int(kiv::vbOKOnly));
    QCOMPARE(program.dialogs.last().title, QString::fromUtf16(kiv::kAppTitle));
    QCOMPARE(w.txtSalesYear2->text(), typed);
    QCOMPARE(w.txtSalesYear2->selectedText(), typed);
    QCOMPARE(focusName(), u"txtSalesYear2"_s);
    // Corrected, it passes and moves on.
    typeInto(w.txtSalesYear2, u"1234.5"_s);
    QTest::keyClick(w.txtSalesYear2, Qt::Key_Return);
    QCOMPARE(w.txtSalesYear2->text(), u"1234.5"_s);
    QCOMPARE(focusName(), u"txtGrossProfitYear2"_s);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
}

// Leaving a refused box for a button takes the focus back and the button does nothing; leaving
// it for another box holding a refused text too asks once, not back and forth.
void TestFrmMyValuesV3::refusedTextStopsButtons()
{
    kivtest::Program program;
    FrmMyValuesV3& w = shownWindow();
    w.txtTaYear2->setText(u"abc"_s); // placed by code: not checked until the user leaves the box
    w.txtTaYear1->setFocus();
    typeInto(w.txtTaYear1, u"x"_s);
    program.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(w.cmdView, Qt::LeftButton);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QCOMPARE(focusName(), u"txtTaYear1"_s);
    QVERIFY(ratioTextsOf(w).join(QString()).isEmpty());

    program.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(w.txtTaYear2, Qt::LeftButton);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(2));
    QCOMPARE(focusName(), u"txtTaYear1"_s);
    QCOMPARE(w.txtTaYear2->text(), u"abc"_s);
}

// Tab: the 1999 column, the compare button, 1998, then 1997 with operating revenue before
// equity, then the buttons, and round again.
void TestFrmMyValuesV3::tabOrder()
{
    kivtest::Program program;
    shownWindow();
    QStringList expected;
    for (const char* item : {"Ta", "Tliab", "Equity1", "OperatingRevenue", "Sales", "GrossProfit", "OperatingProfit", "PretaxProfit",
                             "AfterTaxProfit"})
        expected << u"txt"_s + QString::fromLatin1(item) + u"Year3"_s;
    expected << u"cmdView"_s;
    for (const char* item : {"Ta", "Tliab", "Equity1", "OperatingRevenue", "Sales", "GrossProfit", "OperatingProfit", "PretaxProfit",
                             "AfterTaxProfit"})
        expected << u"txt"_s + QString::fromLatin1(item) + u"Year2"_s;
    for (const char* item : {"Ta", "Tliab", "OperatingRevenue", "Equity1", "Sales", "GrossProfit", "OperatingProfit", "PretaxProfit",
                             "AfterTaxProfit"})
        expected << u"txt"_s + QString::fromLatin1(item) + u"Year1"_s;
    expected << u"cmdPrint"_s << u"cmdQuit"_s << u"cmdReturn"_s << u"cmdClear"_s << u"CmdHelp"_s << u"CmdFontSize"_s
             << u"cmdExport"_s << u"cmdSave"_s << u"cmdRestore"_s << u"txtTaYear3"_s;
    QStringList visited{focusName()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusName();
    }
    QCOMPARE(visited, expected);
    QVERIFY(program.dialogs.prompts().empty());
}

void TestFrmMyValuesV3::compare_data()
{
    QTest::addColumn<QStringList>("values"); // box=text, the others "0"
    QTest::addColumn<QString>("message");    // empty: none
    QTest::addColumn<QStringList>("ratios"); // empty: the labels are not written
    QTest::addColumn<QString>("focus");      // after the message; empty: unchanged
    const QString n = u"..."_s;
    QStringList allNone;
    for (int i = 0; i < kRatioTextCount; ++i)
        allNone << n;
    QTest::newRow("every box 0") << QStringList{} << QString() << allNone << QString();
    QStringList year3 = allNone;
    year3[0] = u"6.25"_s;
    year3[1] = u"0.00"_s;
    year3[3] = u"0.00"_s;
    year3[4] = u"0.65"_s;
    year3[5] = u"3.57"_s;
    QTest::newRow("1999 figures")
        << QStringList{u"txtAfterTaxProfitYear3=12.5"_s, u"txtOperatingRevenueYear3=200"_s, u"txtTliabYear3=650"_s,
                       u"txtEquity1Year3=350"_s, u"txtTaYear3=1000"_s}
        << QString() << year3 << QString();
    QTest::newRow("1998 does not balance, nor 1997")
        << QStringList{u"txtTaYear2=1"_s, u"txtTliabYear1=5"_s}
        << u"Total Assets is not equal Total Liabilities and Shareholders' Equity in 1998"_s << QStringList{} << QString();
    QTest::newRow("a text placed by code is not an amount")
        << QStringList{u"txtGrossProfitYear2=12a"_s, u"txtTaYear2=1"_s}
        << u"Please enter a number (Annual gross profit (sales of goods less cost of goods sold), 1998)"_s << QStringList{}
        << u"txtGrossProfitYear2"_s;
    QTest::newRow("a text placed by code is beyond the amounts")
        << QStringList{u"txtSalesYear1=1E16"_s}
        << u"The amount of Annual sales of goods, 1997 is too large. The largest amount accepted is 922337203685477.5807."_s
        << QStringList{} << u"txtSalesYear1"_s;
    QTest::newRow("operating profit is not read")
        << QStringList{u"txtOperatingProfitYear1=n/a"_s} << QString() << allNone << QString();
}

// The compare button writes all 18 ratio labels or none.
void TestFrmMyValuesV3::compare()
{
    QFETCH(QStringList, values);
    QFETCH(QString, message);
    QFETCH(QStringList, ratios);
    QFETCH(QString, focus);
    kivtest::Program program;
    chooseSampleIndustry(program);
    FrmMyValuesV3& w = shownWindow();
    for (const QString& pair : values)
        box(w, pair.section(u'=', 0, 0))->setText(pair.section(u'=', 1));
    for (kiv::Label* label : w.ratioLabels())
        label->setText(u"before"_s);
    if (!message.isEmpty())
        program.dialogs.answer(kiv::vbOK);
    w.cmdView->setFocus();
    QTest::keyClick(w.cmdView, Qt::Key_Return);
    QCOMPARE(program.dialogs.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
    if (ratios.isEmpty()) {
        for (kiv::Label* label : w.ratioLabels())
            QCOMPARE(label->text(), u"before"_s);
    } else {
        QCOMPARE(ratioTextsOf(w), ratios);
    }
    if (!focus.isEmpty()) {
        QCOMPARE(focusName(), focus);
        QCOMPARE(box(w, focus)->selectedText(), box(w, focus)->text());
    }
}

// Every activation empties the 18 labels and leaves the boxes alone.
void TestFrmMyValuesV3::activationEmptiesRatios()
{
    kivtest::Program program;
    FrmMyValuesV3& w = shownWindow();
    w.txtSalesYear1->setText(u"77"_s);
    for (kiv::Label* label : w.ratioLabels())
        label->setText(u"1.00"_s);
    w.Hide();
    w.Show();
    QVERIFY(ratioTextsOf(w).join(QString()).isEmpty());
    QCOMPARE(w.txtSalesYear1->text(), u"77"_s);
}

void TestFrmMyValuesV3::clear_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question");
    QTest::newRow("No") << 0 << int(kiv::vbNo) << u"Are you sure you want to clear all of the data cell ?"_s;
    QTest::newRow("Yes") << 0 << int(kiv::vbYes) << u"Are you sure you want to clear all of the data cell ?"_s;
    QTest::newRow("Oui") << 1 << int(kiv::vbYes) << u"Êtes-vous certain de vouloir effacer toutes les données ?"_s;
}

void TestFrmMyValuesV3::clear()
{
    QFETCH(int, language);
    QFETCH(int, answer);
    QFETCH(QString, question);
    kivtest::Program program;
    FrmMyValuesV3& w = shownWindow(language);
    const std::vector<kiv::TextBox*> boxes = w.amountBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(QString::number(i + 1));
    w.lblRoe94->setText(u"2.00"_s);
    program.dialogs.answer(answer);
    w.cmdClear->setFocus();
    QTest::keyClick(w.cmdClear, Qt::Key_Return);
    QCOMPARE(program.dialogs.last().text, question);
    QCOMPARE(program.dialogs.last().title, u"Kivob Vol3"_s);
    QCOMPARE(program.dialogs.last().style, int(kiv::vbYesNo + kiv::vbQuestion));
    for (std::size_t i = 0; i < boxes.size(); ++i)
        QCOMPARE(boxes[i]->text(), answer == kiv::vbYes ? u"0"_s : QString::number(i + 1));
    QCOMPARE(w.lblRoe94->text(), u"2.00"_s);
    if (answer == kiv::vbYes) {
        QCOMPARE(focusName(), u"txtTaYear3"_s);
        QCOMPARE(w.txtTaYear3->selectedText(), u"0"_s);
    } else {
        QCOMPARE(focusName(), u"cmdClear"_s);
    }
}

// The new size reaches every control but the pictures and the help component, hidden ones too.
void TestFrmMyValuesV3::fontSize()
{
    kivtest::Program program;
    FrmMyValuesV3& w = shownWindow();
    program.dialogs.answerInput(u"12"_s);
    w.CmdFontSize->click();
    QCOMPARE(program.dialogs.last().defaultText, u" 10"_s);
    QCOMPARE(w.CurrentFontSize, std::int16_t(12));
    for (QWidget* control : std::initializer_list<QWidget*>{w.lblNpm94, w.cmdExcMV, w.txtAfterTaxProfitYear1, w.Label13,
                                                            w.lblGrossProfit, w.cmdRestore, w.Label5})
        QCOMPARE(control->font().pointSizeF(), 12.0);
    QVERIFY(!w.item(w.imgPoint[0])->hasFont);
}

void TestFrmMyValuesV3::waysOut_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("question");
    QTest::newRow("English") << 0 << u"Do you want to exit ?"_s;
    QTest::newRow("French") << 1 << u"Voulez-vous quitter ?"_s;
}

// Exit and a click on the hand over 1999 ask the same question: No leaves every figure as it
// was, Yes ends. The close box ends at once; the other hands do nothing.
void TestFrmMyValuesV3::waysOut()
{
    QFETCH(int, language);
    QFETCH(QString, question);
    kivtest::Program program;
    FrmMyValuesV3& w = shownWindow(language);
    const std::vector<kiv::TextBox*> boxes = w.amountBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(QString::number(i + 1) + u".5"_s);
    w.txtSalesYear2->setFocus();
    const QStringList typed = boxTexts(w);
    // The area over the 1999 hand takes the click.
    QCOMPARE(w.Image1->geometry(), w.imgPoint[0]->geometry());
    QVERIFY(w.childAt(w.imgPoint[0]->geometry().center()) == w.Image1);

    for (QWidget* way : std::initializer_list<QWidget*>{w.cmdQuit, w.Image1}) {
        program.dialogs.clear();
        program.dialogs.answer(kiv::vbNo);
        if (way == w.cmdQuit)
            w.cmdQuit->click();
        else
            QTest::mouseClick(w.Image1, Qt::LeftButton);
        QCOMPARE(program.dialogs.texts(), QStringList{question});
        QCOMPARE(program.dialogs.last().title, u"Kivob Vol3"_s);
        QCOMPARE(program.dialogs.last().style, int(kiv::vbYesNo + kiv::vbQuestion));
        QVERIFY(w.isVisible());
        QCOMPARE(boxTexts(w), typed);
        QCOMPARE(focusName(), u"txtSalesYear2"_s);
    }
    program.dialogs.answer(kiv::vbYes);
    KIV_VERIFY_ENDS(w.cmdQuit->click());
    program.dialogs.answer(kiv::vbYes);
    KIV_VERIFY_ENDS(QTest::mouseClick(w.Image1, Qt::LeftButton));

    program.dialogs.clear();
    QTest::mouseClick(w.Image2, Qt::LeftButton);
    QTest::mouseClick(w.Image3, Qt::LeftButton);
    QVERIFY(w.isVisible());
    QVERIFY(program.dialogs.prompts().empty());
    KIV_VERIFY_ENDS(w.close());
    QVERIFY(program.dialogs.prompts().empty());
}

// A caption shows its item's definition and nothing else: the box being edited is not checked.
void TestFrmMyValuesV3::definitions()
{
    kivtest::Program program;
    FrmMyValuesV3& w = shownWindow(1);
    w.txtPretaxProfitYear2->setFocus();
    typeInto(w.txtPretaxProfitYear2, u"abc"_s);
    program.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(w.lblLiabilities, Qt::LeftButton);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    const kivtest::Prompt shown = program.dialogs.last();
    QCOMPARE(shown.title, u"DÉFINITION TOTAL, PASSIFS"_s);
    QCOMPARE(shown.style, int(kiv::vbOKOnly + kiv::vbInformation));
    QVERIFY(shown.text.startsWith(u"Total, passifs devrait etre la somme"_s));
    QCOMPARE(focusName(), u"txtPretaxProfitYear2"_s);
    QCOMPARE(w.txtPretaxProfitYear2->text(), u"abc"_s);
    QCOMPARE(w.lblLiabilities->cursor().shape(), Qt::PointingHandCursor);
}

void TestFrmMyValuesV3::printout_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("French") << 1;
}

// The printout is the window's statement: its captions and the box texts as they stand.
void TestFrmMyValuesV3::printout()
{
    QFETCH(int, language);
    kivtest::Program program;
    FrmMyValuesV3& w = shownWindow(language);
    w.txtTaYear2->setText(u"1234.5"_s);
    w.txtAfterTaxProfitYear1->setText(u"not checked"_s);
    w.cmdPrint->click();
    QCOMPARE(program.printer.documents().size(), std::size_t(1));
    const QStringList lines = program.printer.last().textLines();
    Texts texts;
    for (int i = 0; i < kAmountCount; ++i)
        texts[static_cast<std::size_t>(i)] = w.amountBoxes()[static_cast<std::size_t>(i)]->text();
    const auto caption = [&w](const QString& label) { return w.findChild<QLabel*>(label)->text(); };
    QCOMPARE(lines, statementPrintout(caption, texts, language).textLines());
    QVERIFY(lines[11].contains(w.Label15->text()) && lines[11].endsWith(u"1997"_s));
    QCOMPARE(lines[14].mid(78, 6), u"1234.5"_s);
    QVERIFY(lines[41].startsWith(w.lblAftertaxProfit->text()) && lines[41].endsWith(u"not checked"_s));
    QVERIFY(program.dialogs.prompts().empty());
}

void TestFrmMyValuesV3::mainMenu()
{
    kivtest::Program program;
    kivtest::useSampleEdition(program, u"optVol3"_s);
    FrmMyValuesV3& w = shownWindow();
    w.txtSalesYear3->setText(u"5"_s);
    w.cmdReturn->click();
    QVERIFY(frmStartup().isVisible());
    QVERIFY(!w.isVisible());
    w.Show();
    QCOMPARE(w.txtSalesYear3->text(), u"5"_s);
}

void TestFrmMyValuesV3::compareShowsComparison()
{
    kivtest::Program program;
    chooseSampleIndustry(program);
    FrmMyValuesV3& w = shownWindow();
    w.cmdView->click();
    QVERIFY(frmMyRatiosV3().isVisible());
    QVERIFY(!w.isVisible());
    QCOMPARE(w.lblRoe94->text(), u"..."_s);
}

// Save keeps exactly what the boxes show; Restore brings it all back and touches nothing else.
void TestFrmMyValuesV3::saveAndRestore()
{
    kivtest::Program program;
    deliverStore();
    FrmMyValuesV3& w = shownWindow();
    const std::vector<kiv::TextBox*> boxes = w.amountBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(i % 2 ? QString::number(i) + u".0001"_s : u"-"_s + QString::number((i + 1) * 1000));
    boxes[5]->setText(u"922337203685477.5807"_s);
    const QStringList saved = boxTexts(w);
    w.cmdSave->click();
    QVERIFY(program.dialogs.prompts().empty());

    for (kiv::TextBox* b : boxes)
        b->setText(u"1"_s);
    w.lblPpa95->setText(u"4.00"_s);
    w.txtSalesYear1->setFocus();
    w.cmdRestore->click();
    QVERIFY(program.dialogs.prompts().empty());
    QCOMPARE(boxTexts(w), saved);
    QCOMPARE(w.lblPpa95->text(), u"4.00"_s);
    QCOMPARE(focusName(), u"txtSalesYear1"_s);
}

void TestFrmMyValuesV3::saveRefusesText()
{
    kivtest::Program program;
    deliverStore();
    const QByteArray before = fileBytes(kiv::store::storePath(savedFigures()));
    FrmMyValuesV3& w = shownWindow();
    w.txtGrossProfitYear2->setText(u"12,5"_s);
    program.dialogs.answer(kiv::vbOK);
    w.cmdSave->click();
    QCOMPARE(program.dialogs.texts(),
             QStringList{u"The figures were not saved: the amount of Annual gross profit (sales of goods less cost of goods sold), 1998 "
                         u"is not a number. Please correct it and save again."_s});
    QCOMPARE(fileBytes(kiv::store::storePath(savedFigures())), before);
    QCOMPARE(w.txtGrossProfitYear2->text(), u"12,5"_s);
    // The box is ready to be corrected.
    QCOMPARE(focusName(), u"txtGrossProfitYear2"_s);
    QCOMPARE(w.txtGrossProfitYear2->selectedText(), u"12,5"_s);
}

void TestFrmMyValuesV3::restoreFailureChangesNothing()
{
    kivtest::Program program;
    FrmMyValuesV3& w = shownWindow(1);
    w.txtTaYear2->setText(u"5"_s);
    const QStringList before = boxTexts(w);
    program.dialogs.answer(kiv::vbOK);
    w.cmdRestore->click();
    QCOMPARE(program.dialogs.texts(),
             QStringList{u"Les données sauvegardées n'ont pas pu être rétablies de '"_s + kiv::store::storePath(savedFigures())
                         + u"' : le fichier n'existe pas. Aucune donnée n'a été modifiée."_s});
    QCOMPARE(boxTexts(w), before);
}

void TestFrmMyValuesV3::restoreAccessStore()
{
    KIV_REQUIRE_FIXTURES();
    kivtest::Program program;
    chooseSampleIndustry(program);
    program.addFile(kivtest::jetFixture(u"saved-three-year.mdb"_s), savedFigures().fileName);
    FrmMyValuesV3& w = shownWindow();
    w.cmdRestore->click();
    QCOMPARE(w.txtTaYear3->text(), u"5420000"_s);
    QCOMPARE(w.txtAfterTaxProfitYear3->text(), u"371904.1275"_s);
    QCOMPARE(w.txtPretaxProfitYear1->text(), u"-96315.75"_s);
    // The restored figures balance in every year and compare.
    w.cmdView->click();
    QVERIFY(program.dialogs.prompts().empty());
    QCOMPARE(w.lblNpm->text(), u"4.24"_s);
    QCOMPARE(w.lblLta94->text(), u"0.67"_s);
}

// Export checks the box the user is in, opens the three-year dialog over the disabled window,
// named as its owner; Cancel gives the window back with the focus in that box.
void TestFrmMyValuesV3::exportDialog()
{
    kivtest::Program program;
    FrmMyValuesV3& w = shownWindow();
    w.txtSalesYear2->setFocus();
    typeInto(w.txtSalesYear2, u"012"_s);
    gExportFromRatios = true;
    QTest::mouseClick(w.cmdExport, Qt::LeftButton);
    QVERIFY(frmExportV3().isVisible());
    QVERIFY(!w.isEnabled());
    QVERIFY(gExportFromValues && !gExportFromRatios);
    QCOMPARE(w.txtSalesYear2->text(), u"12"_s);
    QVERIFY(QTest::qWaitForWindowActive(&frmExportV3()));
    QTest::mouseClick(frmExportV3().cmdCancel, Qt::LeftButton);
    QVERIFY(w.isEnabled());
    // Back in the box the user was in, not in the first one.
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(focusName(), u"txtSalesYear2"_s);
    QCOMPARE(w.txtTaYear3->selectedText(), QString());
    QVERIFY(program.dialogs.prompts().empty());
}

void TestFrmMyValuesV3::exportCells_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("lotus");
    QTest::newRow("Excel, English") << 0 << false;
    QTest::newRow("Lotus, French") << 1 << true;
}

// The 43 cells, row by row: captions as the window shows them, box texts unchanged.
void TestFrmMyValuesV3::exportCells()
{
    QFETCH(int, language);
    QFETCH(bool, lotus);
    kivtest::Program program;
    Documents documents;
    kiv::sheet::RecordingServers servers;
    setIndustryCode(u"6411"_s);
    FrmMyValuesV3& w = shownWindow(language);
    const std::vector<kiv::TextBox*> boxes = w.amountBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(QString::number(i + 1));
    w.txtPretaxProfitYear2->setText(u"..."_s);
    program.dialogs.answerInput(u"three.xls"_s);
    program.dialogs.answer(kiv::vbOK);
    if (lotus)
        w.cmdLotusMV_Click();
    else
        w.cmdExcMV_Click();
    const kivtest::Prompt question = program.dialogs.prompts().front();
    const QString program_ = lotus ? u"Lotus"_s : u"Excel"_s;
    QCOMPARE(question.title, language == 0 ? u"Export My Values, SICE:6411 to "_s + program_ + u" file"_s
                                           : u"Exporter Vol3, CTI-E:6411 à un fichier de "_s + program_);
    QVERIFY(question.defaultText.endsWith(u"Mval6411"_s + (lotus ? u".123"_s : u".xlsx"_s)));
    QCOMPARE(servers.saved, QStringList{u"three.xls"_s});

    QStringList order;
    for (const auto& written : servers.written)
        order << written.cell;
    QStringList expected{u"A1"_s, u"A3"_s, u"B3"_s, u"C3"_s, u"D3"_s};
    for (int row : {4, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16}) {
        expected << u"A"_s + QString::number(row);
        if (row != 6 && row != 10)
            for (const char* column : {"B", "C", "D"})
                expected << QString::fromLatin1(column) + QString::number(row);
    }
    QCOMPARE(order, expected);
    QCOMPARE(servers.cell(u"A1"_s), language == 0 ? u"Your Company Values"_s : u"Valeurs de Votre Entreprise"_s);
    QCOMPARE(servers.cell(u"B3"_s), u"1999"_s);
    QCOMPARE(servers.cell(u"D3"_s), u"1997"_s);
    QCOMPARE(servers.cell(u"A8"_s), w.lblEquity->text());
    QVERIFY(servers.cell(u"A8"_s).endsWith(u' '));
    QCOMPARE(servers.cell(u"A10"_s), w.Label4->text());
    QCOMPARE(servers.cell(u"B4"_s), u"1"_s);
    QCOMPARE(servers.cell(u"D16"_s), u"27"_s);
    QCOMPARE(servers.cell(u"C15"_s), lotus ? u"\"..."_s : u"..."_s);
    QCOMPARE(program.dialogs.last().text, language == 0 ? u"Successfully Exported 'three.xls'"_s
                                                        : u"Les données ont été exportées 'three.xls'"_s);
}

void TestFrmMyValuesV3::restoreFailures_data()
{
    QTest::addColumn<QString>("column");  // the column of the delivered row that is spoiled
    QTest::addColumn<QString>("spoiled"); // "missing", "null", "no row", or the value it holds
    QTest::addColumn<QString>("reason");
    QTest::newRow("no row") << QString() << u"no row"_s << u"the file holds no saved figures"_s;
    QTest::newRow("a column missing") << u"OperatingProfitYear2"_s << u"missing"_s
                                      << u"the saved figures have no value for Annual operating profit, 1998"_s;
    QTest::newRow("a column without a value") << u"TaYear1"_s << u"null"_s << u"the saved figures have no value for Total assets, 1997"_s;
    QTest::newRow("a decimal comma") << u"SalesYear3"_s << u"12,5"_s
                                     << u"the saved value of Annual sales of goods, 1999 is not an amount"_s;
    QTest::newRow("beyond the amount range") << u"TaYear2"_s << u"1E15"_s
                                             << u"the saved value of Total assets, 1998 is not an amount"_s;
}

// A store that can't give back the whole row is told about and changes no box.
void TestFrmMyValuesV3::restoreFailures()
{
    QFETCH(QString, column);
    QFETCH(QString, spoiled);
    QFETCH(QString, reason);
    kivtest::Program program;
    kiv::db::TableData t;
    t.name = u"MyValue_v3"_s;
    std::vector<kiv::db::Value> row;
    for (const QString& name : columnNames()) {
        if (name == column && spoiled == u"missing"_s)
            continue;
        const bool text = name == column && spoiled != u"null"_s;
        t.columns.push_back({name, text ? kiv::db::ColumnType::Text : kiv::db::ColumnType::Double});
        row.push_back(name != column ? kiv::db::Value::number(7)
                      : text         ? kiv::db::Value::text(spoiled)
                                     : kiv::db::Value::null());
    }
    if (spoiled != u"no row"_s)
        t.rows.push_back(row);
    writeStoreTable(t);

    FrmMyValuesV3& w = shownWindow();
    const std::vector<kiv::TextBox*> boxes = w.amountBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(QString::number(i));
    const QStringList before = boxTexts(w);
    program.dialogs.answer(kiv::vbOK);
    w.cmdRestore->click();
    QCOMPARE(program.dialogs.texts(), QStringList{u"The saved figures could not be restored from '"_s
                                                  + kiv::store::storePath(savedFigures()) + u"': "_s + reason
                                                  + u". No figure was changed."_s});
    QCOMPARE(boxTexts(w), before);
}

void TestFrmMyValuesV3::unreachableDataFolder_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("French") << 1;
}

// The user's own data folder there but closed to the user (mode 000): Restore and Save both say
// that the user's figures in that folder can't be read; the delivered figures are not given in
// their place and nothing is written. Permissions don't hold for root: then the test runs
// itself again as an unprivileged user.
void TestFrmMyValuesV3::unreachableDataFolder()
{
    QFETCH(int, language);
    KIV_AS_NOBODY_WHEN_ROOT("TestFrmMyValuesV3");
    kivtest::Program program;
    deliverStore();
    const QString delivered = kiv::store::storePath(savedFigures());
    const QByteArray deliveredBefore = fileBytes(delivered);
    QVERIFY(QDir().mkpath(program.userFolder()));
    const QString own = kiv::joinPath(program.userFolder(), savedFigures().fileName);
    QVERIFY(QFile::copy(delivered, own));
    const QByteArray ownBefore = fileBytes(own);

    FrmMyValuesV3& w = shownWindow(language);
    const std::vector<kiv::TextBox*> boxes = w.amountBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(QString::number(i + 1));
    const QStringList before = boxTexts(w);
    QVERIFY(QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(QFile::setPermissions(program.userFolder(), QFile::Permissions()));
    program.dialogs.answer(kiv::vbOK);
    w.cmdRestore->click();
    program.dialogs.answer(kiv::vbOK);
    w.cmdSave->click();
    QFile::setPermissions(program.userFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QString reason = language == 0 ? u"': your own saved figures in the folder '"_s + program.userFolder() + u"' cannot be read (no permission)."_s
                                         : u"' : vos propres données sauvegardées dans le dossier '"_s + program.userFolder()
                                               + u"' ne peuvent pas être lues (accès refusé)."_s;
    const QStringList texts = program.dialogs.texts();
    QCOMPARE(texts.size(), 2);
    const QString restoreLead = language == 0 ? u"The saved figures could not be restored from '"_s : u"Les données sauvegardées n'ont pas pu être rétablies de '"_s;
    const QString saveLead = language == 0 ? u"The figures could not be saved in '"_s : u"Les données n'ont pas pu être sauvegardées dans '"_s;
    QVERIFY2(texts[0].startsWith(restoreLead + own + reason), qPrintable(texts[0]));
    QVERIFY2(texts[1].startsWith(saveLead + own + reason), qPrintable(texts[1]));
    QCOMPARE(boxTexts(w), before);
    QCOMPARE(fileBytes(delivered), deliveredBefore);
    QCOMPARE(fileBytes(own), ownBefore);
    QCOMPARE(QDir(program.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{savedFigures().fileName});
    QCOMPARE(QDir(program.userFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{savedFigures().fileName});
}

void TestFrmMyValuesV3::road_data()
{
    QTest::addColumn<QString>("edition");
    QTest::addColumn<int>("language");
    QTest::newRow("Volume 3, English") << u"optVol3"_s << 0;
    QTest::newRow("Ontario, French") << u"optOntario"_s << 1;
    QTest::newRow("other edition, English") << u"optOther"_s << 0;
}

// From the edition menu's Start to the comparison as the user goes: compare and ratios,
// Continue, the figures typed box after box with Enter, then Enter on the compare button.
void TestFrmMyValuesV3::road()
{
    QFETCH(QString, edition);
    QFETCH(int, language);
    kivtest::Program program;
    startOn(program, edition, language);
    continueToEntry();
    FrmMyValuesV3& w = frmMyValuesV3();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.cmdView->text(), language == 0 ? u"Compare your ratios"_s : u"Comparer vos ratios"_s);
    QCOMPARE(boxTexts(w), QStringList(kAmountCount, u"0"_s));
    QCOMPARE(focusName(), u"txtTaYear3"_s);
    for (const QString& figure : kFigures) {
        QWidget* current = QApplication::focusWidget();
        typeInto(current, figure);
        QTest::keyClick(current, Qt::Key_Return);
    }
    QCOMPARE(boxTexts(w), kFigures);
    QCOMPARE(focusName(), u"cmdView"_s);
    // The keypad's Enter presses the focused button as well.
    QTest::keyClick(w.cmdView, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(program.dialogs.prompts().empty());
    QCOMPARE(ratioTextsOf(w), kFigureRatios);
    QVERIFY(frmMyRatiosV3().isVisible());
    QVERIFY(!w.isVisible());
}

void TestFrmMyValuesV3::exportTakesCurrentIndustry_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("industry");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("defaultName");
    QTest::newRow("English") << 0 << u"Sprangle stores"_s << u"Export My Values, SICE:7956 to Excel file"_s << u"Mval7956.xlsx"_s;
    QTest::newRow("French") << 1 << u"Machins pour enfants"_s << u"Exporter Vol3, CTI-E:4774 à un fichier de Excel"_s
                            << u"Mval4774.xlsx"_s;
    QTest::newRow("French, no code") << 1 << u"Oddments pour enfants"_s
                                     << u"Exporter Vol3, CTI-E:non applicable à un fichier de Excel"_s
                                     << u"Mvalnon applicable.xlsx"_s;
}

// The export is named after the industry the figures are compared with: the one picked last on
// the main menu, not the first one it showed.
void TestFrmMyValuesV3::exportTakesCurrentIndustry()
{
    QFETCH(int, language);
    QFETCH(QString, industry);
    QFETCH(QString, title);
    QFETCH(QString, defaultName);
    kivtest::Program program;
    Documents documents;
    kiv::sheet::RecordingServers servers;
    startOn(program, u"optVol3"_s, language);
    continueToEntry();
    FrmMyValuesV3& w = frmMyValuesV3();
    click(w.cmdReturn);
    pickIndustry(industry);
    continueToEntry();
    click(w.cmdExport);
    QTest::mouseClick(frmExportV3().optExcel, Qt::LeftButton);
    program.dialogs.answerInput(QString()); // Cancel: nothing is written
    click(frmExportV3().cmdOK);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QCOMPARE(program.dialogs.last().title, title);
    QCOMPARE(program.dialogs.last().defaultText, documents.dir.path() + u'/' + defaultName);
    QVERIFY(servers.saved.isEmpty());
    QVERIFY(w.isEnabled());
}

// Numbers are read and written with a period whatever the user's regional settings.
void TestFrmMyValuesV3::numbersWithAPeriod()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    struct Back {
        QLocale locale;
        ~Back() { QLocale::setDefault(locale); }
    } back{previous};
    kivtest::Program program;
    chooseSampleIndustry(program);
    deliverStore();
    FrmMyValuesV3& w = shownWindow(1);
    for (int i = 0; i < kAmountCount; ++i) {
        QWidget* current = QApplication::focusWidget();
        typeInto(current, kFigures[i]);
        QTest::keyClick(current, Qt::Key_Return);
    }
    QCOMPARE(boxTexts(w), kFigures);
    // A decimal comma is no number here.
    w.txtPretaxProfitYear2->setFocus();
    typeInto(w.txtPretaxProfitYear2, u"275840,5"_s);
    program.dialogs.answer(kiv::vbOK);
    QTest::keyClick(w.txtPretaxProfitYear2, Qt::Key_Return);
    QCOMPARE(program.dialogs.texts(), QStringList{u"SVP ecrit le numéro ici"_s});
    typeInto(w.txtPretaxProfitYear2, u"275840"_s);
    QTest::keyClick(w.txtPretaxProfitYear2, Qt::Key_Return);

    w.cmdSave->click();
    for (kiv::TextBox* b : w.amountBoxes())
        b->setText(u"0"_s);
    w.cmdRestore->click();
    QCOMPARE(boxTexts(w), kFigures);
    w.cmdView->click();
    QCOMPARE(ratioTextsOf(w), kFigureRatios);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
}

KIV_TEST_MAIN(TestFrmMyValuesV3)
#include "tst_frm_my_values_v3.moc"
