#include "balancesheet/balance_sheet_structure.h"
#include "balancesheet/frm_my_balance_sheet.h"
#include "one_year_window.h"
#include "industry/frm_startup.h"
#include "ratios/frm_my_ratios.h"
#include "shell/frm_menuselect.h"
#include "shell/module1.h"
#include "test_support.h"
#include "values/company_ratios.h"
#include "values/frm_my_values.h"
#include "values/item_definitions.h"

#include <QApplication>

using kiv::values::Item;
namespace values = kiv::values;
using onewindow::focused;
using onewindow::openWindow;
using onewindow::typeInto;

namespace {

const QString kDesignNote6 = QStringLiteral("Balance sheet data should be as at the fiscal year end 19xx");

template <class T = QWidget>
T* child(QWidget& w, const QString& name)
{
    T* c = w.findChild<T*>(name);
    if (!c)
        qFatal("no control %s", qPrintable(name));
    return c;
}

kiv::TextBox* boxNamed(FrmMyValues& w, const QString& name)
{
    return child<kiv::TextBox>(w, name);
}

// The box after the named one in the window's tab order.
QWidget* nextInTabOrder(FrmMyValues& w, const QString& box)
{
    const auto list = values::items();
    for (std::size_t i = 0; i + 1 < list.size(); ++i)
        if (QString::fromUtf16(list[i].box) == box)
            return w.box(list[i + 1].item);
    return nullptr;
}

// Types into the box that has the focus and presses Enter.
void enterText(const QString& text)
{
    QWidget* f = focused();
    QVERIFY(f);
    QTest::keyClicks(f, text);
    QTest::keyClick(f, Qt::Key_Return);
}

void clickButton(FrmMyValues& w, const QString& name)
{
    QTest::mouseClick(child<QWidget>(w, name), Qt::LeftButton);
}

// A balanced statement and its ratios.
void typeBalancedStatement(FrmMyValues& w)
{
    const std::pair<const char*, const char*> figures[] = {
        {"txtCash", "1000"}, {"txtAr", "250"}, {"txtInv", "200"}, {"txtAccountsPayable", "450"}, {"txtBanks", "50"},
        {"txtShareC", "950"}, {"txtCurrentAssets", "300"}, {"txtCurrentLiabilities", "200"},
        {"txtOperatingRevenue", "400"}, {"txtSales", "1000"}, {"txtGrossProfit", "400"}, {"txtOperatingProfit", "100"},
        {"txtInterestExpense", "20"}, {"txtPretaxProfit", "80"}, {"txtProfitAfterTax", "50"}};
    for (const auto& [box, text] : figures) {
        typeInto(boxNamed(w, QString::fromLatin1(box)), QString::fromLatin1(text));
        QTest::keyClick(focused(), Qt::Key_Return);
    }
}

// The fifteen texts of that statement, in the comparison window's order.
const QStringList kBalancedRatios = {
    QStringLiteral("12.50"), QStringLiteral("20.00"), QStringLiteral("25.00"), QStringLiteral("40.00"), QStringLiteral("40.00"),
    QStringLiteral("10.00"), QStringLiteral("5.52"), QStringLiteral("7.00"), QStringLiteral("5.26"), QStringLiteral("1.60"),
    QStringLiteral("3.00"), QStringLiteral("1.50"), QStringLiteral("0.05"), QStringLiteral("0.34"), QStringLiteral("5.00")};

// Chooses an edition on the edition menu; a new menu has none chosen.
void chooseEdition(const QString& option)
{
    if (!option.isEmpty())
        frmMenuselect().editionOption(option)->setChecked(true);
}

} // namespace

class TestFrmMyValues : public QObject {
    Q_OBJECT
private slots:
    void enterWalksTheTypedBoxes();
    void acceptedTexts_data();
    void acceptedTexts();
    void refusedOnEnter_data();
    void refusedOnEnter();
    void refusedOnLeaving();
    void leavingTheWindowIsNoLeave();
    void comingBackIsNoArrival();
    void buttonsWaitForTheBox_data();
    void buttonsWaitForTheBox();
    void clear_data();
    void clear();
    void fontSize_data();
    void fontSize();
    void comparisonButtons_data();
    void comparisonButtons();
    void unbalancedStatement_data();
    void unbalancedStatement();
    void exactTotalsAndHalves_data();
    void exactTotalsAndHalves();
    void figureBeyondTheAmounts();
    void captionsAndNotes_data();
    void captionsAndNotes();
    void layoutAndLoad();
    void returnHelpExitClose();
    void captionShowsDefinition();
};

void TestFrmMyValues::enterWalksTheTypedBoxes()
{
    kivtest::Program program;
    FrmMyValues& w = openWindow();
    QCOMPARE(focused(), w.txtCash);
    int step = 1;
    for (const values::ItemInfo& it : values::items()) {
        if (it.computed)
            continue;
        QCOMPARE(focused()->objectName(), QString::fromUtf16(it.box));
        QCOMPARE(static_cast<kiv::TextBox*>(focused())->selectedText(), QStringLiteral("0")); // typing replaces it
        enterText(QString::number(step * 100));
        QCOMPARE(w.box(it.item)->text(), u' ' + QString::number(step * 100));
        QCOMPARE(focused()->objectName(), QString::fromUtf16(it.enterNext));
        ++step;
    }
    // The walk ends on the ratio button without pressing it.
    QCOMPARE(focused(), w.cmdView);
    QVERIFY(w.isVisible());
    QVERIFY(!frmMyRatios_Exists());
    QCOMPARE(w.txtToa->text(), QStringLiteral("1500"));
    QCOMPARE(w.txtTa->text(), QStringLiteral("2800"));      // 1500 + 600 + 700
    QCOMPARE(w.txtTliab->text(), QStringLiteral("10800"));  // 800 + ... + 1600
    QCOMPARE(w.txtEquity1->text(), QStringLiteral("5400")); // 1700 + 1800 + 1900
    QCOMPARE(w.txtTotLiabShareEq->text(), QStringLiteral("16200"));
    QVERIFY(program.dialogs.prompts().empty());

    // A total passes Enter on to the next typed box and changes nothing.
    w.txtToa->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(w.txtToa, QStringLiteral("9"));
    QTest::keyClick(w.txtToa, Qt::Key_Return);
    QCOMPARE(focused(), w.txtInvest);
    QCOMPARE(w.txtToa->text(), QStringLiteral("1500"));
    QTest::keyClick(w.txtEquity1, Qt::Key_Return);
    QCOMPARE(focused(), w.txtCurrentAssets);
}

void TestFrmMyValues::acceptedTexts_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("toa");
    QTest::addColumn<QString>("ta");
    QTest::newRow("zero") << QStringLiteral("txtCash") << QStringLiteral("0") << QStringLiteral(" 0") << QStringLiteral("0") << QStringLiteral("0");
    QTest::newRow("blank before") << QStringLiteral("txtCash") << QStringLiteral("1500") << QStringLiteral(" 1500") << QStringLiteral("1500")
                                  << QStringLiteral("1500");
    QTest::newRow("exponent") << QStringLiteral("txtAr") << QStringLiteral("1e3") << QStringLiteral(" 1000") << QStringLiteral("1000")
                              << QStringLiteral("1000");
    QTest::newRow("negative") << QStringLiteral("txtInv") << QStringLiteral("-250.125") << QStringLiteral("-250.125")
                              << QStringLiteral("-250.125") << QStringLiteral("-250.125");
    QTest::newRow("four decimals") << QStringLiteral("txtCA") << QStringLiteral("2.123456") << QStringLiteral(" 2.1235")
                                   << QStringLiteral("2.1235") << QStringLiteral("2.1235");
    QTest::newRow("blanks around") << QStringLiteral("txtOA") << QStringLiteral("  42  ") << QStringLiteral(" 42") << QStringLiteral("42")
                                   << QStringLiteral("42");
    QTest::newRow("seven digits in the totals") << QStringLiteral("txtCash") << QStringLiteral("123456789")
                                                << QStringLiteral(" 123456789") << QStringLiteral("1.234568E+08")
                                                << QStringLiteral("1.234568E+08");
    QTest::newRow("investments count in both totals") << QStringLiteral("txtInvest") << QStringLiteral("7") << QStringLiteral(" 7")
                                                      << QStringLiteral("0") << QStringLiteral("7");
    QTest::newRow("portfolio only in total assets") << QStringLiteral("txtPtfl") << QStringLiteral("7") << QStringLiteral(" 7")
                                                    << QStringLiteral("0") << QStringLiteral("7");
    QTest::newRow("current items touch no total") << QStringLiteral("txtCurrentAssets") << QStringLiteral("5") << QStringLiteral(" 5")
                                                  << QStringLiteral("0") << QStringLiteral("0");
    QTest::newRow("income statement touches no total") << QStringLiteral("txtSales") << QStringLiteral("5") << QStringLiteral(" 5")
                                                       << QStringLiteral("0") << QStringLiteral("0");
}

void TestFrmMyValues::acceptedTexts()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, toa);
    QFETCH(QString, ta);
    for (bool byEnter : {true, false}) {
        kivtest::Program program;
        FrmMyValues& w = openWindow();
        kiv::TextBox* b = boxNamed(w, box);
        typeInto(b, typed);
        if (byEnter)
            QTest::keyClick(b, Qt::Key_Return);
        else
            QTest::keyClick(b, Qt::Key_Tab); // leaving by Tab
        QCOMPARE(b->text(), shown);
        QCOMPARE(w.txtToa->text(), toa); // a total not refreshed keeps its "0"
        QCOMPARE(w.txtTa->text(), ta);
        QCOMPARE(w.txtTliab->text(), QStringLiteral("0"));
        if (!byEnter)
            QCOMPARE(focused(), nextInTabOrder(w, box));
        QVERIFY(program.dialogs.prompts().empty());
    }
}

void TestFrmMyValues::refusedOnEnter_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString en = QStringLiteral("Please enter a number");
    const QString fr = QStringLiteral("SVP ecrit le numéro ici");
    QTest::newRow("empty") << 0 << QStringLiteral("txtCash") << QString() << en;
    QTest::newRow("letters after a number") << 0 << QStringLiteral("txtAr") << QStringLiteral("12abc") << en;
    QTest::newRow("thousands comma") << 0 << QStringLiteral("txtBanks") << QStringLiteral("1,234") << en;
    QTest::newRow("currency") << 0 << QStringLiteral("txtSales") << QStringLiteral("$50") << en;
    QTest::newRow("decimal comma") << 1 << QStringLiteral("txtCash") << QStringLiteral("2,5") << fr;
    QTest::newRow("French") << 1 << QStringLiteral("txtProfitAfterTax") << QStringLiteral("abc") << fr;
    QTest::newRow("other liabilities")
        << 0 << QStringLiteral("txtOLiab") << QStringLiteral("x")
        << QStringLiteral("You did not enter a number for Other Liabilities! Please do so now. If value is null, please enter zero");
    QTest::newRow("other liabilities, French")
        << 1 << QStringLiteral("txtOLiab") << QStringLiteral("x")
        << QStringLiteral("Vous n'avez pas incrit de chiffre pour Autres passifs!  Prière de le faire maintenant.  Si la valeur est "
                          "nulle, veuillez inscrire un zéro.");
    // A number beyond the range of amounts is told so, with the limit, in every box.
    const QString tooLarge = QStringLiteral("This amount is too large. The largest amount accepted is 922337203685477.5807.");
    const QString tropEleve = QStringLiteral("Ce montant est trop élevé. Le plus grand montant accepté est 922337203685477.5807.");
    QTest::newRow("too large") << 0 << QStringLiteral("txtShareC") << QStringLiteral("1e15") << tooLarge;
    QTest::newRow("too large, French") << 1 << QStringLiteral("txtCash") << QStringLiteral("1e15") << tropEleve;
    QTest::newRow("rounds above the largest") << 0 << QStringLiteral("txtSales") << QStringLiteral("922337203685477.58075") << tooLarge;
    QTest::newRow("too large in other liabilities") << 0 << QStringLiteral("txtOLiab") << QStringLiteral("2e15") << tooLarge;
    QTest::newRow("too large in other liabilities, French") << 1 << QStringLiteral("txtOLiab") << QStringLiteral("2e15") << tropEleve;
    QTest::newRow("negative too large")
        << 0 << QStringLiteral("txtBanks") << QStringLiteral("-1e15")
        << QStringLiteral("This negative amount is too large. The lowest amount accepted is -922337203685477.5808.");
    QTest::newRow("negative too large, French")
        << 1 << QStringLiteral("txtRetEarn") << QStringLiteral("-922337203685477.5809")
        << QStringLiteral("Ce montant négatif est trop élevé en valeur absolue. Le plus petit montant accepté est -922337203685477.5808.");
}

void TestFrmMyValues::refusedOnEnter()
{
    QFETCH(int, language);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    FrmMyValues& w = openWindow();
    typeInto(w.txtCash, QStringLiteral("5"));
    QTest::keyClick(w.txtCash, Qt::Key_Return);
    kiv::TextBox* b = boxNamed(w, box);
    typeInto(b, typed);
    if (typed.isEmpty())
        b->clear();
    const QString totals = w.txtToa->text() + w.txtTa->text() + w.txtTliab->text() + w.txtEquity1->text();
    program.dialogs.answer(kiv::vbOK);
    QTest::keyClick(b, Qt::Key_Return);
    QCOMPARE(program.dialogs.texts(), QStringList{message});
    QCOMPARE(program.dialogs.last().style, int(kiv::vbOKOnly));
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Kiv_2000"));
    QCOMPARE(b->text(), typed);
    QCOMPARE(b->selectedText(), typed);
    QCOMPARE(focused(), b);
    QCOMPARE(w.txtToa->text() + w.txtTa->text() + w.txtTliab->text() + w.txtEquity1->text(), totals);
}

void TestFrmMyValues::refusedOnLeaving()
{
    kivtest::Program program;
    FrmMyValues& w = openWindow();
    typeInto(w.txtAr, QStringLiteral("12abc"));
    // By Tab: the message, and the focus comes back with the text selected.
    program.dialogs.answer(kiv::vbOK);
    QTest::keyClick(w.txtAr, Qt::Key_Tab);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QCOMPARE(focused(), w.txtAr);
    QCOMPARE(w.txtAr->selectedText(), QStringLiteral("12abc"));
    QCOMPARE(w.txtInv->text(), QStringLiteral("0")); // the box it went to is not checked
    // By a click in another box: the same, every time.
    program.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(w.txtSales, Qt::LeftButton);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(2));
    QCOMPARE(focused(), w.txtAr);
    QCOMPARE(w.txtSales->text(), QStringLiteral("0"));
    QCOMPARE(w.txtToa->text(), QStringLiteral("0"));
    // Corrected, it is accepted on leaving and the totals follow.
    typeInto(w.txtAr, QStringLiteral("12"));
    QTest::mouseClick(w.txtSales, Qt::LeftButton);
    QCOMPARE(focused(), w.txtSales);
    QCOMPARE(w.txtAr->text(), QStringLiteral(" 12"));
    QCOMPARE(w.txtToa->text(), QStringLiteral("12"));
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(2));
    // Writing a box from code runs nothing.
    w.txtCash->setText(QStringLiteral("999"));
    QCOMPARE(w.txtToa->text(), QStringLiteral("12"));
    // A number too large is refused on leaving as well, and the totals keep the last amount.
    typeInto(w.txtAr, QStringLiteral("1e15"));
    program.dialogs.answer(kiv::vbOK);
    QTest::keyClick(w.txtAr, Qt::Key_Tab);
    QCOMPARE(program.dialogs.last().text, QStringLiteral("This amount is too large. The largest amount accepted is 922337203685477.5807."));
    QCOMPARE(focused(), w.txtAr);
    QCOMPARE(w.txtAr->text(), QStringLiteral("1e15"));
    QCOMPARE(w.txtAr->selectedText(), QStringLiteral("1e15"));
    QCOMPARE(w.txtToa->text(), QStringLiteral("12"));
}

void TestFrmMyValues::leavingTheWindowIsNoLeave()
{
    kivtest::Program program;
    FrmMyValues& w = openWindow();
    typeInto(w.txtAr, QStringLiteral("abc"));
    // Another window taking the focus is no move inside this one: nothing is said.
    QWidget other;
    other.setObjectName(QStringLiteral("otherWindow"));
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(program.dialogs.prompts().empty());
    QCOMPARE(w.txtAr->text(), QStringLiteral("abc"));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(focused(), w.txtAr);

    // The refusal's own box taking the focus does not check the box again.
    int shown = 0;
    program.dialogs.whileOpen = [&](const kivtest::Prompt&) {
        ++shown;
        other.activateWindow();
        if (!QTest::qWaitForWindowActive(&other))
            qWarning("the other window did not become active");
    };
    program.dialogs.answer(kiv::vbOK);
    QTest::keyClick(w.txtAr, Qt::Key_Return);
    QCOMPARE(shown, 1);
    program.dialogs.whileOpen = nullptr;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(focused(), w.txtAr);
    QCOMPARE(w.txtAr->text(), QStringLiteral("abc"));
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
}

// The window coming back to the front after a definition, a message or another application
// leaves a half-typed amount as it was, caret included: typing goes on where it stopped.
void TestFrmMyValues::comingBackIsNoArrival()
{
    kivtest::Program program;
    FrmMyValues& w = openWindow();
    QWidget other;
    other.resize(100, 100);
    const auto away = [&] {
        other.show();
        other.activateWindow();
        if (!QTest::qWaitForWindowActive(&other))
            qWarning("the other window did not become active");
    };
    const auto back = [&] {
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w))
            qWarning("the window did not become active again");
    };

    typeInto(w.txtAr, QStringLiteral("15"));
    away();
    back();
    QCOMPARE(focused(), w.txtAr);
    QVERIFY(!w.txtAr->hasSelectedText());
    QTest::keyClicks(w.txtAr, QStringLiteral("00"));
    QCOMPARE(w.txtAr->text(), QStringLiteral("1500"));

    // A definition box takes the window's place while it is up.
    program.dialogs.whileOpen = [&](const kivtest::Prompt&) { away(); };
    program.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(w.lblInventory, Qt::LeftButton, {}, QPoint(5, 5));
    program.dialogs.whileOpen = nullptr;
    back();
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QCOMPARE(focused(), w.txtAr);
    QVERIFY(!w.txtAr->hasSelectedText());
    QTest::keyClicks(w.txtAr, QStringLiteral("7"));
    QTest::keyClick(w.txtAr, Qt::Key_Return);
    QCOMPARE(w.txtAr->text(), QStringLiteral(" 15007"));

    // Showing the window again is an arrival: the box that gets the focus has its text selected.
    w.Hide();
    away();
    w.Show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(focused(), w.txtInv);
    QCOMPARE(w.txtInv->selectedText(), QStringLiteral("0"));
}

void TestFrmMyValues::buttonsWaitForTheBox_data()
{
    QTest::addColumn<QString>("button");
    for (const char* b : {"cmdView", "cmdCompare", "cmdReturn", "cmdCear", "CmdFontSize", "CmdHelp", "cmdQuit", "cmdSave",
                          "cmdRestore", "cmdPrint", "cmdExport"})
        QTest::newRow(b) << QString::fromLatin1(b);
}

void TestFrmMyValues::buttonsWaitForTheBox()
{
    QFETCH(QString, button);
    kivtest::Program program;
    FrmMyValues& w = openWindow();
    typeInto(w.txtInv, QStringLiteral("1,5"));
    // Only the refusal is shown: no question, no help, no other window.
    program.dialogs.answer(kiv::vbOK);
    clickButton(w, button);
    QCOMPARE(program.dialogs.texts(), QStringList{QStringLiteral("Please enter a number")});
    QVERIFY(program.help.shown.isEmpty());
    QVERIFY(w.isVisible());
    QVERIFY(!frmMyRatios_Exists() && !frmMyBalanceSheet_Exists() && !frmStartup_Exists());
    QCOMPARE(focused(), w.txtInv);
    QCOMPARE(w.txtInv->text(), QStringLiteral("1,5"));

    // Once the box holds an amount, the click checks it as when it is left and goes on.
    typeInto(w.txtInv, QStringLiteral("15"));
    program.dialogs.clear();
    program.dialogs.acceptAll();
    program.dialogs.answerInput(QString());
    try {
        clickButton(w, button);
    } catch (const kiv::ProgramEnded&) {
    }
    // (Clear then writes its zeros.)
    QCOMPARE(w.txtInv->text(), button == u"cmdCear" ? QStringLiteral("0") : QStringLiteral(" 15"));
    QCOMPARE(w.txtToa->text(), button == u"cmdCear" ? QStringLiteral("0") : QStringLiteral("15"));
}

void TestFrmMyValues::clear_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("question");
    QTest::newRow("English") << 0 << QStringLiteral("Are you sure you want to clear all of the data cell ?");
    QTest::newRow("French") << 1 << QStringLiteral("Êtes-vous certain de vouloir effacer toutes les données ?");
}

void TestFrmMyValues::clear()
{
    QFETCH(int, language);
    QFETCH(QString, question);
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    FrmMyValues& w = openWindow();
    typeBalancedStatement(w);
    w.lblNpm->setText(QStringLiteral("12.50"));
    w.txtTotAssets->setText(QStringLiteral("kept"));
    typeInto(w.txtAr, QStringLiteral("250"));
    const std::vector<QString> before = [&] {
        std::vector<QString> t;
        for (kiv::TextBox* b : w.figureBoxes())
            t.push_back(b->text());
        return t;
    }();

    // No changes nothing; the box the user was in is checked first, as by any command.
    program.dialogs.answer(kiv::vbNo);
    clickButton(w, QStringLiteral("cmdCear"));
    QCOMPARE(program.dialogs.last().text, question);
    QCOMPARE(program.dialogs.last().style, kiv::vbYesNo + kiv::vbQuestion);
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Kivob"));
    for (std::size_t i = 0; i < before.size(); ++i)
        QCOMPARE(w.figureBoxes()[i]->text(), w.figureBoxes()[i] == w.txtAr ? QStringLiteral(" 250") : before[i]);

    program.dialogs.answer(kiv::vbYes);
    clickButton(w, QStringLiteral("cmdCear"));
    for (kiv::TextBox* b : w.figureBoxes())
        QCOMPARE(b->text(), QStringLiteral("0"));
    QCOMPARE(focused(), w.txtCash);
    QCOMPARE(w.txtCash->selectedText(), QStringLiteral("0"));
    QCOMPARE(w.lblNpm->text(), QStringLiteral("12.50"));
    QCOMPARE(w.txtTotAssets->text(), QStringLiteral("kept"));
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(2));
}

void TestFrmMyValues::fontSize_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("refused");
    QTest::newRow("in range") << 0 << QStringLiteral("12") << 12 << false;
    QTest::newRow("too large") << 0 << QStringLiteral("20") << 13 << false;
    QTest::newRow("too small") << 0 << QStringLiteral("7") << 8 << false;
    QTest::newRow("negative") << 0 << QStringLiteral("-3") << 8 << false;
    QTest::newRow("half to even, down") << 0 << QStringLiteral("10.5") << 10 << false;
    QTest::newRow("half to even, up") << 0 << QStringLiteral("11.5") << 12 << false;
    QTest::newRow("beyond 16 bits") << 0 << QStringLiteral("40000") << 13 << false;
    QTest::newRow("far beyond 16 bits") << 0 << QStringLiteral("-1e300") << 8 << false;
    QTest::newRow("empty or cancelled") << 0 << QString() << 10 << false;
    QTest::newRow("a word") << 0 << QStringLiteral("big") << 10 << true;
    QTest::newRow("decimal comma") << 0 << QStringLiteral("1,5") << 10 << true;
    QTest::newRow("a word, French") << 1 << QStringLiteral("grand") << 10 << true;
    QTest::newRow("French") << 1 << QStringLiteral("9") << 9 << false;
}

void TestFrmMyValues::fontSize()
{
    QFETCH(int, language);
    QFETCH(QString, answer);
    QFETCH(int, size);
    QFETCH(bool, refused);
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    FrmMyValues& w = openWindow();
    // A control's font size is the window's, whatever it was before the command.
    w.setControlFontSize(w.txtCash, 11);
    program.dialogs.answerInput(answer);
    if (refused)
        program.dialogs.answer(kiv::vbOK);
    clickButton(w, QStringLiteral("CmdFontSize"));
    const kivtest::Prompt ask = program.dialogs.prompts().front();
    QCOMPARE(ask.kind, kivtest::Prompt::Kind::Input);
    QCOMPARE(ask.defaultText, QStringLiteral(" 10"));
    QCOMPARE(ask.text, language == 0 ? QStringLiteral("Enter font size") : QStringLiteral("Incrire la taille de la police"));
    QCOMPARE(ask.title, language == 0 ? QStringLiteral("Change font size") : QStringLiteral("changer la taille de la police"));
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(refused ? 2 : 1));
    if (refused) {
        QCOMPARE(program.dialogs.last().text, language == 0 ? QStringLiteral("Please enter a number") : QStringLiteral("SVP ecrit le numéro ici"));
        QCOMPARE(program.dialogs.last().title, QStringLiteral("Kiv_2000"));
    }
    QCOMPARE(int(w.CurrentFontSize), size);
    for (QWidget* c : std::initializer_list<QWidget*>{w.txtCash, w.txtToa, w.Label5, w.Label15, w.cmdView, w.lblNpm, w.cmdExcMV,
                                                      w.txtTotAssets})
        QCOMPARE(c->font().pointSizeF(), double(size));
    QVERIFY(w.Image1[0]->font().pointSizeF() != double(size));
    QVERIFY(w.cmdView->font().bold());

    // The next question offers the size now in force; the other windows keep their own.
    program.dialogs.answerInput(QString());
    clickButton(w, QStringLiteral("CmdFontSize"));
    QCOMPARE(program.dialogs.last().defaultText, u' ' + QString::number(size));
}

void TestFrmMyValues::comparisonButtons_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("button");
    QTest::newRow("ratios") << 0 << QStringLiteral("cmdView");
    QTest::newRow("balance sheet") << 0 << QStringLiteral("cmdCompare");
    QTest::newRow("ratios, French") << 1 << QStringLiteral("cmdView");
    QTest::newRow("balance sheet, French") << 1 << QStringLiteral("cmdCompare");
}

void TestFrmMyValues::comparisonButtons()
{
    QFETCH(int, language);
    QFETCH(QString, button);
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    // The ratio comparison needs a current industry: the first one of the sample edition.
    kivtest::useSampleEdition(program);
    frmStartup();
    FrmMyValues& w = openWindow();
    typeBalancedStatement(w);
    clickButton(w, button);
    QVERIFY(program.dialogs.prompts().empty());
    QVERIFY(!w.isVisible());
    if (button == u"cmdCompare") {
        FrmMyBalanceSheet& bs = frmMyBalanceSheet();
        QVERIFY(bs.isVisible());
        QCOMPARE(bs.findChild<kiv::Label*>(QStringLiteral("lblMyCash"))->text(), QStringLiteral("68.97"));
        QCOMPARE(bs.findChild<kiv::Label*>(QStringLiteral("lblMyTa"))->text(), QStringLiteral("100.00"));
        QVERIFY(!bs.findChild<kiv::Label*>(QStringLiteral("lblMyEquity1")));
        // On to the ratios with nothing computed again.
        QTest::mouseClick(bs.cmdView, Qt::LeftButton);
        QVERIFY(!bs.isVisible());
    }
    FrmMyRatios& r = frmMyRatios();
    QVERIFY(r.isVisible());
    const auto order = values::comparisonOrder();
    for (std::size_t i = 0; i < order.size(); ++i) {
        const QString code = QString::fromUtf16(values::ratios()[std::size_t(order[i])].code);
        QCOMPARE(r.findChild<kiv::Label*>(QStringLiteral("lblMy") + code)->text(), kBalancedRatios[int(i)]);
        QCOMPARE(w.findChild<kiv::Label*>(QStringLiteral("lbl") + code)->text(), kBalancedRatios[int(i)]);
    }
    QCOMPARE(r.findChild<kiv::Label*>(QStringLiteral("lblNetProfitMargin"))->text(), kiv::text(106));

    // Back in the entry window the ratio labels are blanked; the figures stay.
    QTest::mouseClick(r.Command2, Qt::LeftButton);
    QVERIFY(w.isVisible());
    QCOMPARE(w.lblNpm->text(), QStringLiteral(" "));
    QCOMPARE(w.txtCash->text(), QStringLiteral(" 1000"));
}

void TestFrmMyValues::unbalancedStatement_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("English") << 0 << QStringLiteral("Total Assets is not equal Total Liabilities and Shareholders' Equity");
    QTest::newRow("French") << 1 << QStringLiteral("Total, Actifs n'égal pas le Total, Passifs et Capitaux Propres");
}

void TestFrmMyValues::unbalancedStatement()
{
    QFETCH(int, language);
    QFETCH(QString, message);
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    // The ratio comparison needs a current industry: the first one of the sample edition.
    kivtest::useSampleEdition(program);
    frmStartup();
    FrmMyValues& w = openWindow();
    typeInto(w.txtCash, QStringLiteral("100"));
    QTest::keyClick(w.txtCash, Qt::Key_Return);
    typeInto(w.txtAccountsPayable, QStringLiteral("100.01"));
    QTest::keyClick(w.txtAccountsPayable, Qt::Key_Return);
    for (const QString& button : {QStringLiteral("cmdView"), QStringLiteral("cmdCompare")}) {
        program.dialogs.answer(kiv::vbOK);
        clickButton(w, button);
        QCOMPARE(program.dialogs.last().text, message);
        QCOMPARE(program.dialogs.last().style, int(kiv::vbOKOnly));
        QCOMPARE(program.dialogs.last().title, QStringLiteral("Kiv_2000"));
        QVERIFY(w.isVisible());
        QVERIFY(!frmMyRatios_Exists() && !frmMyBalanceSheet_Exists());
        QCOMPARE(w.lblNpm->text(), QStringLiteral(" "));
    }

    // Exactly balanced figures whose parts' seven-digit totals would not add up pass: each
    // grand total is the exact sum of the typed amounts.
    typeInto(w.txtCash, QStringLiteral("25000010"));
    QTest::keyClick(w.txtCash, Qt::Key_Return);
    typeInto(w.txtAccountsPayable, QStringLiteral("12500005"));
    QTest::keyClick(w.txtAccountsPayable, Qt::Key_Return);
    typeInto(w.txtShareC, QStringLiteral("12500005"));
    QTest::keyClick(w.txtShareC, Qt::Key_Return);
    QCOMPARE(w.txtTliab->text(), QStringLiteral("1.25E+07"));
    QCOMPARE(w.txtEquity1->text(), QStringLiteral("1.25E+07"));
    QCOMPARE(w.txtTa->text(), QStringLiteral("2.500001E+07"));
    QCOMPARE(w.txtTotLiabShareEq->text(), QStringLiteral("2.500001E+07"));
    clickButton(w, QStringLiteral("cmdView"));
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(2));
    QVERIFY(frmMyRatios().isVisible());
    QCOMPARE(frmMyRatios().lblMyLta->text(), QStringLiteral("0.50"));
}

void TestFrmMyValues::exactTotalsAndHalves_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("French") << 1;
}

void TestFrmMyValues::exactTotalsAndHalves()
{
    // Items that add up to exactly 0 on both sides, and a margin of 107 / 4000 = 2.675 %.
    QFETCH(int, language);
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    kivtest::useSampleEdition(program);
    frmStartup();
    FrmMyValues& w = openWindow();
    onewindow::enterFigures(w, {{Item::Cash, QStringLiteral("355447.1768")},
                                {Item::InvestmentsWithAffiliates, QStringLiteral("-355447.1768")},
                                {Item::AccountsPayable, QStringLiteral("355447.1768")},
                                {Item::ShareCapital, QStringLiteral("-355447.1768")},
                                {Item::CurrentAssets, QStringLiteral("100")},
                                {Item::OperatingRevenue, QStringLiteral("4000")},
                                {Item::ProfitAfterTax, QStringLiteral("107")}});
    QCOMPARE(w.txtToa->text(), QStringLiteral("355447.2"));
    QCOMPARE(w.txtTa->text(), QStringLiteral("0"));
    QCOMPARE(w.txtTliab->text(), QStringLiteral("355447.2"));
    QCOMPARE(w.txtEquity1->text(), QStringLiteral("-355447.2"));
    QCOMPARE(w.txtTotLiabShareEq->text(), QStringLiteral("0"));

    // The balance sheet divides by the two zero totals: every firm percentage reads 0.00.
    clickButton(w, QStringLiteral("cmdCompare"));
    QVERIFY(program.dialogs.prompts().empty());
    FrmMyBalanceSheet& bs = frmMyBalanceSheet();
    QVERIFY(bs.isVisible());
    QCOMPARE(w.lblNpm->text(), QStringLiteral("2.68"));
    for (const kiv::balancesheet::StructureRow& row : kiv::balancesheet::structureRows())
        QCOMPARE(child<kiv::Label>(bs, QString::fromUtf16(row.firm))->text(), QStringLiteral("0.00"));

    kivtest::click(bs.cmdView);
    FrmMyRatios& r = frmMyRatios();
    QVERIFY(r.isVisible());
    QCOMPARE(r.lblMyNpm->text(), QStringLiteral("2.68"));
    QCOMPARE(r.lblMyPpa->text(), QStringLiteral("..."));
    QVERIFY(program.dialogs.prompts().empty());
}

void TestFrmMyValues::figureBeyondTheAmounts()
{
    // A figure put in from elsewhere that no amount can hold stops the comparison at its box.
    kivtest::Program program;
    FrmMyValues& w = openWindow();
    w.txtMtg->setText(QStringLiteral("1e20"));
    program.dialogs.answer(kiv::vbOK);
    clickButton(w, QStringLiteral("cmdCompare"));
    QCOMPARE(program.dialogs.texts(), QStringList{QStringLiteral("This amount is too large. The largest amount accepted is 922337203685477.5807.")});
    QCOMPARE(focused(), w.txtMtg);
    QCOMPARE(w.txtMtg->selectedText(), QStringLiteral("1e20"));
    QVERIFY(w.isVisible());
    QVERIFY(!frmMyBalanceSheet_Exists());
    QCOMPARE(w.lblNpm->text(), QStringLiteral(" "));
}

void TestFrmMyValues::captionsAndNotes_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("edition");
    QTest::addColumn<QString>("year");
    QTest::newRow("Volume 1") << 0 << QStringLiteral("optVol1") << QStringLiteral("1999");
    QTest::newRow("Volume 2, French") << 1 << QStringLiteral("optVol2") << QStringLiteral("1997");
    QTest::newRow("no volume chosen") << 0 << QString() << QString();
}

void TestFrmMyValues::captionsAndNotes()
{
    QFETCH(int, language);
    QFETCH(QString, edition);
    QFETCH(QString, year);
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    chooseEdition(edition);
    FrmMyValues& w = openWindow();
    const bool en = language == 0;
    QCOMPARE(w.Caption(), en ? QStringLiteral("My Company Values") : QStringLiteral("Valeurs de mon entreprise"));
    QCOMPARE(w.Label5->text(), en ? QStringLiteral("Cash") : QStringLiteral("Encaisse"));
    QCOMPARE(w.lblEquity->text(), en ? QStringLiteral("Total shareholders' equity ") : QStringLiteral("Total, capitaux propres "));
    QCOMPARE(w.Label4->text(), en ? QStringLiteral("Income statement data") : QStringLiteral("Données de l'état des résultats "));
    QCOMPARE(w.cmdReturn->text(), en ? QStringLiteral("Main Menu") : QStringLiteral("Menu principal"));
    QCOMPARE(w.cmdView->text(), en ? QStringLiteral("Compare your ratios") : QStringLiteral("Comparer vos ratios"));
    QCOMPARE(w.cmdCear->text(), en ? QStringLiteral("Clear") : QStringLiteral("Effacer"));
    QCOMPARE(w.Label14->text(), kiv::text(148));
    QCOMPARE(w.cmdExcMV->text(), QStringLiteral("Excel"));
    for (const values::ItemInfo& it : values::items())
        QCOMPARE(w.findChild<kiv::Label*>(QString::fromUtf16(it.caption))->text(), kiv::text(it.captionId));
    if (year.isEmpty()) {
        QCOMPARE(w.Label6->text(), kDesignNote6);
    } else {
        QCOMPARE(w.Label6->text(), kiv::text(144) + year);
        QCOMPARE(w.Label17->text(), kiv::text(146) + year);
        QVERIFY(w.Label6->text().endsWith(u' ' + year));
        // Another volume chosen on the edition menu shows at the next paint.
        chooseEdition(edition == u"optVol1" ? QStringLiteral("optVol2") : QStringLiteral("optVol1"));
        w.Hide();
        w.Show();
        QCOMPARE(w.Label17->text(), kiv::text(146) + (edition == u"optVol1" ? QStringLiteral("1997") : QStringLiteral("1999")));
    }
}

void TestFrmMyValues::layoutAndLoad()
{
    {
        // At the design size every control stands where it was designed, at 10 points.
        kivtest::Program program(QSizeF(11295, 8085));
        FrmMyValues& w = frmMyValues();
        QVERIFY(!w.isVisible());
        QCOMPARE(w.CurrentFontSize, std::int16_t(10));
        QCOMPARE(w.txtCash->geometry(), QRect(236, 161, 81, 19));
        QCOMPARE(w.cmdCompare->geometry(), QRect(393, 0, 359, 25));
        QCOMPARE(w.txtAmtsAffil->geometry().height(), 33);
        QVERIFY(w.txtTotAssets->geometry().left() >= w.width());
        for (QWidget* c : std::initializer_list<QWidget*>{w.txtCash, w.Label5, w.Label6, w.cmdView, w.lblIc, w.cmdLotusMV})
            QCOMPARE(c->font().pointSizeF(), 10.0);
        for (QWidget* c : std::initializer_list<QWidget*>{w.lblNpm, w.lblIc, w.cmdExcMV, w.cmdLotusMV})
            QVERIFY(c->isHidden());
        QVERIFY(w.txtToa->isReadOnly() && !w.txtCash->isReadOnly());
        QVERIFY(w.txtToa->font().bold() && !w.txtCash->font().bold());
        QCOMPARE(w.txtToa->palette().color(QPalette::Base), QColor(224, 224, 224));
        QCOMPARE(w.CommonDialog1->HelpFile, kiv::helpFile());
        QCOMPARE(w.lblNpm->text(), QString());
    }
    {
        // On a screen twice as large positions and sizes double, the font stays at 10.
        kivtest::Program program(QSizeF(22590, 16170));
        FrmMyValues& w = frmMyValues();
        QCOMPARE(w.txtCash->geometry(), QRect(472, 322, 162, 37));
        QCOMPARE(w.Image1[2]->geometry(), QRect(518, 260, 64, 64));
        QCOMPARE(w.txtCash->font().pointSizeF(), 10.0);
        QCOMPARE(w.width(), 1506);
    }
    {
        // Tab order: the 33 boxes in item order, then the commands.
        kivtest::Program program;
        FrmMyValues& w = openWindow();
        QStringList order;
        for (int i = 0; i < 44; ++i) {
            order << focused()->objectName();
            QTest::keyClick(focused(), Qt::Key_Tab);
        }
        QStringList expected;
        for (const values::ItemInfo& it : values::items())
            expected << QString::fromUtf16(it.box);
        expected << QStringLiteral("cmdView") << QStringLiteral("cmdPrint") << QStringLiteral("cmdQuit") << QStringLiteral("cmdReturn")
                 << QStringLiteral("cmdCompare") << QStringLiteral("cmdCear") << QStringLiteral("CmdHelp") << QStringLiteral("CmdFontSize")
                 << QStringLiteral("cmdExport") << QStringLiteral("cmdSave") << QStringLiteral("cmdRestore");
        QCOMPARE(order, expected);
        QCOMPARE(focused(), w.txtCash);
        QVERIFY(program.dialogs.prompts().empty());
    }
}

void TestFrmMyValues::returnHelpExitClose()
{
    kivtest::Program program;
    kivtest::useSampleEdition(program);
    program.writeFile(QStringLiteral("help.html"), "<p>help</p>");
    FrmMyValues& w = openWindow();
    typeInto(w.txtCash, QStringLiteral("77"));
    QTest::keyClick(w.txtCash, Qt::Key_Return);

    clickButton(w, QStringLiteral("CmdHelp"));
    QCOMPARE(program.help.shown, QStringList{kiv::helpFile()});

    program.dialogs.answer(kiv::vbNo);
    clickButton(w, QStringLiteral("cmdQuit"));
    QCOMPARE(program.dialogs.last().text, QStringLiteral("Do you want to exit ?"));
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Kivob"));
    QVERIFY(w.isVisible());

    clickButton(w, QStringLiteral("cmdReturn"));
    QVERIFY(frmStartup().isVisible());
    QVERIFY(!w.isVisible());
    w.Show();
    QCOMPARE(w.txtCash->text(), QStringLiteral(" 77"));

    program.dialogs.answer(kiv::vbYes);
    KIV_VERIFY_ENDS(clickButton(w, QStringLiteral("cmdQuit")));
    const std::size_t asked = program.dialogs.prompts().size();
    KIV_VERIFY_ENDS(w.close());
    QCOMPARE(program.dialogs.prompts().size(), asked); // the close box asks nothing
}

void TestFrmMyValues::captionShowsDefinition()
{
    kivtest::Program program;
    gLanguage = 1;
    FrmMyValues& w = openWindow();
    typeInto(w.txtAr, QStringLiteral("abc"));
    program.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(w.Label5, Qt::LeftButton, {}, QPoint(5, 5));
    const std::optional<kiv::Definition> d = kiv::itemDefinition(u"Label5", 1);
    QVERIFY(d);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QCOMPARE(program.dialogs.last().text, d->text);
    QCOMPARE(program.dialogs.last().title, d->title);
    QCOMPARE(program.dialogs.last().style, int(kiv::vbInformation));
    // The box keeps its text and the focus: a caption is no move to another control.
    QCOMPARE(focused(), w.txtAr);
    QCOMPARE(w.txtAr->text(), QStringLiteral("abc"));
    // The headings and notes have no definition.
    QTest::mouseClick(w.Label15, Qt::LeftButton);
    QTest::mouseClick(w.lblEnter, Qt::LeftButton);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
}

KIV_TEST_MAIN(TestFrmMyValues)
#include "tst_frm_my_values.moc"
