// The user's whole road to the firm's one-year ratios, from the start screen: the language, the
// sample Volume 1, an industry to compare with, the statement typed box by box with Enter, Save,
// and the ratio button pressed by Enter. The program then ends and starts again, and Restore
// brings the figures back.
#include "industry/frm_startup.h"
#include "one_year_window.h"
#include "platform/program_folder.h"
#include "ratios/frm_my_ratios.h"
#include "shell/frm_menuselect.h"
#include "shell/frm_start_menu.h"
#include "shell/module1.h"
#include "test_support.h"
#include "values/company_ratios.h"

using namespace Qt::StringLiterals;
using kiv::values::Item;
using onewindow::boxTexts;
using onewindow::focused;

namespace {

// The statement, every other typed box 0.
const std::map<Item, QString> kStatement = {
    {Item::Cash, u"1000"_s}, {Item::AccountsReceivable, u"250"_s}, {Item::Inventory, u"200"_s},
    {Item::AccountsPayable, u"450"_s}, {Item::BankLoans, u"50"_s}, {Item::ShareCapital, u"950"_s},
    {Item::CurrentAssets, u"300"_s}, {Item::CurrentLiabilities, u"200"_s}, {Item::OperatingRevenue, u"400"_s},
    {Item::Sales, u"1000"_s}, {Item::GrossProfit, u"400"_s}, {Item::OperatingProfit, u"100"_s},
    {Item::InterestExpense, u"20"_s}, {Item::PretaxProfit, u"80"_s}, {Item::ProfitAfterTax, u"50"_s}};

// Its ratios in the comparison window's order: Npm, Ppm, Opm, Gpm, Ortnoa, Rnoa, Ppa, Roce, Roe,
// Rt, It, Wc, De, Lta, Ic.
const QStringList kRatios = {u"12.50"_s, u"20.00"_s, u"25.00"_s, u"40.00"_s, u"40.00"_s, u"10.00"_s, u"5.52"_s, u"7.00"_s,
                             u"5.26"_s,  u"1.60"_s,  u"3.00"_s,  u"1.50"_s,  u"0.05"_s,  u"0.34"_s,  u"5.00"_s};

// A program folder as the build leaves it: the sample Volume 1 and the delivered store, or the
// store an earlier run saved.
void layOutProgramFolder(const kivtest::Program& program, const QByteArray& store)
{
    program.addFile(kivtest::programDir() + u"/kiv_vol1.mdb"_s, u"kiv_vol1.mdb"_s);
    if (store.isEmpty())
        program.addFile(kivtest::programDir() + u"/kiv_MyValue_v12.mdb"_s, u"kiv_MyValue_v12.mdb"_s);
    else
        program.writeFile(u"kiv_MyValue_v12.mdb"_s, store);
}

// Start screen, language, Volume 1, Start, compare ratios with the first industry, Continue.
FrmMyValues& toEntryWindow(int language)
{
    frmStartMenu().Show();
    QTest::mouseClick(language == 0 ? frmStartMenu().SSCommand2 : frmStartMenu().SSCommand3, Qt::LeftButton);
    FrmMenuselect& menu = frmMenuselect();
    if (!menu.optVol1->isEnabled())
        qWarning("Volume 1 is not offered");
    QTest::mouseClick(menu.optVol1, Qt::LeftButton);
    QTest::mouseClick(menu.Startapp, Qt::LeftButton);
    FrmStartup& startup = frmStartup();
    QTest::mouseClick(startup.optCompare, Qt::LeftButton);
    QTest::mouseClick(startup.optRatios, Qt::LeftButton);
    QTest::mouseClick(startup.Cmdcontinue, Qt::LeftButton);
    FrmMyValues& w = frmMyValues();
    if (!QTest::qWaitForWindowActive(&w))
        qWarning("the entry window did not become active");
    return w;
}

QStringList firmRatios()
{
    QStringList texts;
    for (kiv::values::Ratio r : kiv::values::comparisonOrder())
        texts << frmMyRatios().findChild<kiv::Label*>(u"lblMy"_s + QString::fromUtf16(kiv::values::ratios()[std::size_t(r)].code))->text();
    return texts;
}

} // namespace

class TestOneYearRoad : public QObject {
    Q_OBJECT
private slots:
    void road_data();
    void road();
};

void TestOneYearRoad::road_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("French") << 1;
}

void TestOneYearRoad::road()
{
    QFETCH(int, language);
    QByteArray store;
    QStringList typed;
    {
        kivtest::Program program;
        layOutProgramFolder(program, {});
        FrmMyValues& w = toEntryWindow(language);
        QVERIFY(w.isVisible());
        QVERIFY(!frmStartup().isVisible());
        QCOMPARE(w.Caption(), language == 0 ? u"My Company Values"_s : u"Valeurs de mon entreprise"_s);
        QCOMPARE(w.Label6->text(), kiv::text(144) + u"1999"_s);

        // Box by box, as Enter leads: the walk ends on the ratio button.
        QCOMPARE(focused(), w.txtCash);
        for (const kiv::values::ItemInfo& it : kiv::values::items()) {
            if (it.computed)
                continue;
            QCOMPARE(focused(), w.box(it.item));
            const auto figure = kStatement.find(it.item);
            QTest::keyClicks(focused(), figure == kStatement.end() ? u"0"_s : figure->second);
            QTest::keyClick(focused(), Qt::Key_Return);
        }
        QCOMPARE(focused(), w.cmdView);
        QCOMPARE(w.txtTa->text(), u"1450"_s);
        QCOMPARE(w.txtTotLiabShareEq->text(), u"1450"_s);
        typed = boxTexts(w);

        QTest::mouseClick(w.cmdSave, Qt::LeftButton);
        QTest::keyClick(focused(), Qt::Key_Return);
        QVERIFY(program.dialogs.prompts().empty());
        QVERIFY(frmMyRatios().isVisible());
        QVERIFY(!w.isVisible());
        QCOMPARE(firmRatios(), kRatios);
        store = kivtest::readFile(kiv::joinPath(program.folder(), u"kiv_MyValue_v12.mdb"_s));
    }

    // The next run: the boxes start at "0"; Restore gives back what was typed, totals included.
    kivtest::Program program;
    layOutProgramFolder(program, store);
    FrmMyValues& w = toEntryWindow(language);
    for (kiv::TextBox* b : w.figureBoxes())
        QCOMPARE(b->text(), u"0"_s);
    QTest::mouseClick(w.cmdRestore, Qt::LeftButton);
    QCOMPARE(boxTexts(w), typed);
    QCOMPARE(focused(), w.txtCash);
    QTest::mouseClick(w.cmdView, Qt::LeftButton);
    QVERIFY(program.dialogs.prompts().empty());
    QCOMPARE(firmRatios(), kRatios);
}

KIV_TEST_MAIN(TestOneYearRoad)
#include "tst_one_year_road.moc"
