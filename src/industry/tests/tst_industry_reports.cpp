// The industry's prepared reports as the user reaches them: Continue and View sector of the
// industry selection for every combination of function, data and edition, the report window
// with its five buttons and its switch, the road from the comparison windows and back, the
// template names of every edition, and what happens when a report cannot run.
#include "industry/frm_crystal_report.h"
#include "industry/frm_ind_definitions.h"
#include "industry/frm_startup.h"
#include "industry/industry_module.h"
#include "industry/industry_reports.h"
#include "platform/db/database.h"
#include "platform/report/report_labels.h"
#include "ratios/frm_my_ratios.h"
#include "ratios3/frm_my_ratios_v3.h"
#include "shell/edition_choice.h"
#include "shell/frm_menuselect.h"
#include "shell/module1.h"
#include "open_edition.h"
#include "test_support.h"
#include "values/frm_my_values.h"
#include "values3/frm_my_values_v3.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using kiv::report::ReportView;
namespace labels = kiv::report::labels;

namespace {

using industrytest::openEdition;
using kivtest::click;

void choose(kiv::ComboBox* box, int index)
{
    box->showPopup();
    QAbstractItemView* view = box->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    box->hidePopup();
}

// Picks the second industry of the alphabetical list; its number.
QString pickIndustry(FrmStartup& w)
{
    click(w.cmdSelectList);
    choose(w.cboIndustry, 1);
    return w.lblIndustryNumber->text();
}

// Chooses the first sector of the list; the names of its industries.
QStringList pickSector(FrmStartup& w)
{
    click(w.cmdSector);
    choose(w.cboSector, 0);
    QStringList names;
    for (int i = 0; i < w.cboIndustry->count(); ++i)
        names << w.cboIndustry->itemText(i);
    return names;
}

bool reportShown()
{
    return frmCrystalReport_Exists() && frmCrystalReport().isVisible();
}

ReportView* reportView()
{
    return frmCrystalReport().findChild<ReportView*>(u"rptView"_s);
}

QString reportTitle(const QString& option, const QString& data, int language)
{
    if (kiv::editionByOption(option)->kind == kiv::EditionKind::ThreeYear)
        return labels::kThreeYearTitle.in(language);
    return (data == u"ratios" ? labels::kRatiosTitle : labels::kBalanceTitle).in(language);
}

// A copy of the open edition's data without one column: data a report cannot be drawn from.
std::shared_ptr<kiv::db::Snapshot> withoutColumn(const kiv::db::Snapshot& data, const QString& column)
{
    QStringList columns = data.columnNames();
    const int drop = int(columns.indexOf(column));
    columns.removeAt(drop);
    std::vector<std::vector<kiv::db::Value>> rows;
    for (int r = 0; r < data.rowCount(); ++r) {
        std::vector<kiv::db::Value> row;
        for (int c = 0; c < data.columnNames().size(); ++c)
            if (c != drop)
                row.push_back(data.value(r, c));
        rows.push_back(std::move(row));
    }
    auto copy = std::make_shared<kiv::db::Snapshot>(u"KIV_DATA"_s, columns, std::move(rows));
    copy->setPosition(data.position());
    return copy;
}

} // namespace

class TestIndustryReports : public QObject {
    Q_OBJECT
private slots:
    void routing_data();
    void routing();
    void noOptionChosen_data();
    void noOptionChosen();
    void switchView_data();
    void switchView();
    void reportWindowButtons_data();
    void reportWindowButtons();
    void reportWindowScaling_data();
    void reportWindowScaling();
    void reportFileNames_data();
    void reportFileNames();
    void failedReport_data();
    void failedReport();
    void fromTheComparisonWindows_data();
    void fromTheComparisonWindows();
    void definitionsContinue_data();
    void definitionsContinue();
};

void TestIndustryReports::routing_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("function"); // view, compare
    QTest::addColumn<QString>("data");     // ratios, balance
    QTest::addColumn<bool>("sector");
    QTest::addColumn<QString>("result");   // template name, or the window shown, or the message
    QTest::addColumn<bool>("switchOn");

    const QString sectorMessage = u"Please Choose 'View industry data' in 'Function of Search'"_s;
    QTest::newRow("Vol 1, view ratios, industry") << u"optVol1"_s << 0 << u"view"_s << u"ratios"_s << false << u"/kiv_v1_rat_e.rpt"_s << true;
    QTest::newRow("Vol 1, view balance sheet, industry, French") << u"optVol1"_s << 1 << u"view"_s << u"balance"_s << false << u"/kiv_v1_bs_f.rpt"_s << true;
    QTest::newRow("Vol 2, view ratios, sector") << u"optVol2"_s << 0 << u"view"_s << u"ratios"_s << true << u"/kiv_v2_rat_e.rpt"_s << true;
    QTest::newRow("Vol 1, view balance sheet, sector") << u"optVol1"_s << 0 << u"view"_s << u"balance"_s << true << u"/kiv_v1_bs_e.rpt"_s << true;
    QTest::newRow("Vol 1, compare ratios, industry") << u"optVol1"_s << 0 << u"compare"_s << u"ratios"_s << false << u"frmMyValues"_s << false;
    QTest::newRow("Vol 2, compare balance sheet, industry") << u"optVol2"_s << 0 << u"compare"_s << u"balance"_s << false << u"frmMyValues"_s << false;
    QTest::newRow("Vol 1, compare ratios, sector, French") << u"optVol1"_s << 1 << u"compare"_s << u"ratios"_s << true << sectorMessage << false;
    QTest::newRow("Vol 1, compare balance sheet, sector") << u"optVol1"_s << 0 << u"compare"_s << u"balance"_s << true << sectorMessage << false;
    QTest::newRow("Vol 3, view ratios, industry") << u"optVol3"_s << 0 << u"view"_s << u"ratios"_s << false << u"/kiv_v3_e.rpt"_s << false;
    QTest::newRow("Vol 3, view ratios, industry, French") << u"optVol3"_s << 1 << u"view"_s << u"ratios"_s << false << u"/kiv_v3_f.rpt"_s << false;
    QTest::newRow("Ontario, view ratios, sector") << u"optOntario"_s << 0 << u"view"_s << u"ratios"_s << true << u"/kiv_ON_e.rpt"_s << false;
    QTest::newRow("CMA/RMR, view ratios, industry") << u"optOther"_s << 1 << u"view"_s << u"ratios"_s << false << u"/KIV_OTHER_Sample_f.rpt"_s << false;
    QTest::newRow("Vol 3, compare ratios, industry") << u"optVol3"_s << 0 << u"compare"_s << u"ratios"_s << false << u"frmMyValuesV3"_s << false;
    QTest::newRow("Quebec, compare ratios, industry") << u"optQuebec"_s << 1 << u"compare"_s << u"ratios"_s << false << u"frmMyValuesV3"_s << false;
    QTest::newRow("Vol 3, compare ratios, sector") << u"optVol3"_s << 0 << u"compare"_s << u"ratios"_s << true << sectorMessage << false;
}

// Continue and View sector take the user to the report of the industry or of the sector, to
// the entry window of the edition's kind, or tell what to choose.
void TestIndustryReports::routing()
{
    QFETCH(QString, option);
    QFETCH(int, language);
    QFETCH(QString, function);
    QFETCH(QString, data);
    QFETCH(bool, sector);
    QFETCH(QString, result);
    QFETCH(bool, switchOn);
    kivtest::Program program;
    FrmStartup& w = openEdition(program, language, option);
    click(function == u"view" ? w.optView : w.optCompare);
    click(data == u"ratios" ? w.optRatios : w.optBalanceSheet);
    QString industry;
    QStringList sectorIndustries;
    if (sector) {
        sectorIndustries = pickSector(w);
        QVERIFY(!sectorIndustries.isEmpty());
        QCOMPARE(w.cmdViewSector->isVisible(), function == u"view");
        if (function == u"view") {
            click(w.cmdViewSector);
        } else {
            program.dialogs.answer(kiv::vbOK);
            w.cmdViewSector_Click(); // as a comparison window would
        }
    } else {
        industry = pickIndustry(w);
        click(w.Cmdcontinue);
    }

    QCOMPARE(gSectorView, sector);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(w.Cmdcontinue->isEnabled());
    QVERIFY(w.cmdViewSector->isEnabled());
    if (!sector)
        QVERIFY(!w.cboIndustry->isVisible());

    if (result.startsWith(u'/')) {
        QVERIFY(program.dialogs.prompts().empty());
        QVERIFY(reportShown());
        QVERIFY(!w.isVisible());
        FrmCrystalReport& r = frmCrystalReport();
        QCOMPARE(r.Caption(), language == 0 ? u"View"_s : u"Vue"_s);
        const QStringList captions{r.cmdChoose->text(), r.cmdSwitchView->text(), r.cmdCompareRatios->text(),
                                   r.CmdHelp->text(), r.cmdQuit->text()};
        const QString switchCaption = data == u"ratios" ? (language == 0 ? u"View balance sheet structure"_s : u"Voir structure du bilan"_s)
                                                        : (language == 0 ? u"View industry ratios"_s : u"Voir les ratios de l'industrie"_s);
        QCOMPARE(captions, language == 0 ? QStringList({u"Main Menu"_s, switchCaption, u"Compare your ratios"_s, u"Help"_s, u"Exit"_s})
                                         : QStringList({u"Menu principal"_s, switchCaption, u"Comparer vos ratios"_s, u"Aide"_s, u"Sortir"_s}));
        QCOMPARE(r.cmdSwitchView->isEnabled(), switchOn);
        QCOMPARE(r.cmdCompareRatios->isEnabled(), !sector);

        // The run's settings: the template, the selection, the window and its rectangle.
        const kiv::report::ReportControl& rc = *w.CrystalReport1;
        QCOMPARE(rc.reportFileName(), program.folder() + result);
        QCOMPARE(rc.selectionFormula(), sector ? u"{KIV_DATA.CATEGORY}= '"_s + gSectorCategory + u'\''
                                               : u"{KIV_DATA.Industry}= "_s + industry);
        QCOMPARE(rc.destination(), kiv::report::crptToWindow);
        QCOMPARE(rc.windowParentHandle(), &r);
        ReportView* view = reportView();
        QVERIFY(view && view->isVisible());
        QCOMPARE(view->geometry(), QRect(0, 50, 640 - 18, 480 - 85)); // a screen of 640 x 480 pixels

        // What it shows: the report of the kind, one page per industry taken.
        const QString shown = view->toPlainText();
        QVERIFY2(shown.contains(reportTitle(option, data, language)), qPrintable(shown.left(300)));
        if (sector) {
            QCOMPARE(int(rc.lastReport().pages.size()), sectorIndustries.size());
            for (const QString& name : sectorIndustries)
                QVERIFY2(shown.contains(name), qPrintable(name));
        } else {
            QCOMPARE(rc.lastReport().pages.size(), std::size_t(1));
            QVERIFY(shown.contains(w.lblIndustryName->text()));
            QVERIFY(shown.contains(labels::kIndustry.in(language) + u' ' + industry));
        }
        QVERIFY(shown.contains(u'.')); // figures, with a period
    } else if (result.startsWith(u"frm")) {
        QVERIFY(program.dialogs.prompts().empty());
        QVERIFY(!w.isVisible());
        QVERIFY(!reportShown());
        QCOMPARE(frmMyValues_Exists() && frmMyValues().isVisible(), result == u"frmMyValues");
        QCOMPARE(frmMyValuesV3_Exists() && frmMyValuesV3().isVisible(), result == u"frmMyValuesV3");
    } else {
        QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
        QCOMPARE(program.dialogs.last().text, result);
        QCOMPARE(program.dialogs.last().title, u"Select"_s);
        QCOMPARE(program.dialogs.last().style, int(kiv::vbOKOnly));
        QVERIFY(w.isVisible());
        QVERIFY(!reportShown());
    }
}

void TestIndustryReports::noOptionChosen_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("English") << 0 << u"Please Choose An Option"_s;
    QTest::newRow("French") << 1 << u"Veuillez Choisirun Option"_s;
}

// With neither view nor compare chosen, Continue says so and leaves things as they were.
void TestIndustryReports::noOptionChosen()
{
    QFETCH(int, language);
    QFETCH(QString, message);
    kivtest::Program program;
    FrmStartup& w = openEdition(program, language, u"optVol1"_s);
    pickIndustry(w);
    for (kiv::OptionButton* o : {w.optView, w.optCompare}) {
        o->setAutoExclusive(false);
        o->setChecked(false);
    }
    program.dialogs.answer(kiv::vbOK);
    click(w.Cmdcontinue);
    QCOMPARE(program.dialogs.texts(), QStringList{message});
    QCOMPARE(program.dialogs.last().title, u"Select"_s);
    QVERIFY(w.isVisible());
    QVERIFY(w.Cmdcontinue->isEnabled());
    QVERIFY(!w.cboIndustry->isVisible());
    QVERIFY(!gSectorView);
    QVERIFY(!reportShown());
}

void TestIndustryReports::switchView_data()
{
    QTest::addColumn<bool>("sector");
    QTest::addColumn<QString>("first"); // ratios, balance
    QTest::newRow("industry, from the ratios") << false << u"ratios"_s;
    QTest::newRow("industry, from the balance sheet") << false << u"balance"_s;
    QTest::newRow("sector, from the ratios") << true << u"ratios"_s;
}

// The switch draws the other report of the same industry, or of the same sector, in a new
// report window, and can switch back.
void TestIndustryReports::switchView()
{
    QFETCH(bool, sector);
    QFETCH(QString, first);
    kivtest::Program program;
    FrmStartup& w = openEdition(program, 0, u"optVol1"_s);
    click(first == u"ratios" ? w.optRatios : w.optBalanceSheet);
    QString formula;
    if (sector) {
        pickSector(w);
        click(w.cmdViewSector);
    } else {
        pickIndustry(w);
        click(w.Cmdcontinue);
    }
    formula = w.CrystalReport1->selectionFormula();
    FrmCrystalReport* before = &frmCrystalReport();

    for (const QString& now : first == u"ratios" ? QStringList{u"balance"_s, u"ratios"_s} : QStringList{u"ratios"_s, u"balance"_s}) {
        click(before->cmdSwitchView);
        QVERIFY(!before->isVisible());
        QVERIFY(reportShown());
        FrmCrystalReport* after = &frmCrystalReport();
        QVERIFY(after != before); // a fresh window for each report
        QVERIFY(w.optView->isChecked());
        QCOMPARE(w.optRatios->isChecked(), now == u"ratios");
        QCOMPARE(w.optBalanceSheet->isChecked(), now == u"balance");
        QCOMPARE(w.CrystalReport1->selectionFormula(), formula);
        QCOMPARE(w.CrystalReport1->reportFileName(),
                 program.folder() + (now == u"ratios" ? u"/kiv_v1_rat_e.rpt"_s : u"/kiv_v1_bs_e.rpt"_s));
        QVERIFY(reportView()->toPlainText().contains(reportTitle(u"optVol1"_s, now, 0)));
        QCOMPARE(after->cmdSwitchView->text(), now == u"ratios" ? u"View balance sheet structure"_s : u"View industry ratios"_s);
        QVERIFY(after->cmdSwitchView->isEnabled());
        QCOMPARE(after->cmdCompareRatios->isEnabled(), !sector);
        QCOMPARE(gSectorView, sector);
        QVERIFY(!w.isVisible());
        QVERIFY(!QApplication::overrideCursor());
        before = after;
    }
    QVERIFY(program.dialogs.prompts().empty());
}

void TestIndustryReports::reportWindowButtons_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("button");
    QTest::newRow("Main menu") << u"optVol1"_s << u"cmdChoose"_s;
    QTest::newRow("Compare, one-year") << u"optVol2"_s << u"cmdCompareRatios"_s;
    QTest::newRow("Compare, three-year") << u"optVol3"_s << u"cmdCompareRatios"_s;
    QTest::newRow("Help") << u"optVol1"_s << u"CmdHelp"_s;
    QTest::newRow("Exit, No then Yes") << u"optVol1"_s << u"cmdQuit"_s;
    QTest::newRow("close box") << u"optVol1"_s << u"close"_s;
}

void TestIndustryReports::reportWindowButtons()
{
    QFETCH(QString, option);
    QFETCH(QString, button);
    kivtest::Program program;
    FrmStartup& w = openEdition(program, 0, option);
    click(w.cmdKey); // search controls up, to see them go
    pickIndustry(w);
    click(w.Cmdcontinue);
    FrmCrystalReport& r = frmCrystalReport();
    QVERIFY(r.isVisible());

    if (button == u"cmdChoose") {
        click(r.cmdChoose);
        QVERIFY(w.isVisible());
        QVERIFY(!r.isVisible());
        QVERIFY(!frmCrystalReport_Exists());
        for (QWidget* c : w.searchControls())
            QVERIFY2(!c->isVisible(), qPrintable(c->objectName()));
    } else if (button == u"cmdCompareRatios") {
        click(r.cmdCompareRatios);
        QVERIFY(!r.isVisible());
        QVERIFY(!frmCrystalReport_Exists());
        QVERIFY(!w.isVisible());
        const bool oneYear = option != u"optVol3";
        QCOMPARE(frmMyValues_Exists() && frmMyValues().isVisible(), oneYear);
        QCOMPARE(frmMyValuesV3_Exists() && frmMyValuesV3().isVisible(), !oneYear);
    } else if (button == u"CmdHelp") {
        program.writeFile(u"help.html"_s, "<html></html>");
        click(r.CmdHelp);
        QCOMPARE(program.help.shown, QStringList{kiv::helpFile()});
        QVERIFY(r.isVisible());
    } else if (button == u"cmdQuit") {
        program.dialogs.answer(kiv::vbNo);
        click(r.cmdQuit);
        QVERIFY(r.isVisible());
        QCOMPARE(program.dialogs.last().text, u"Do you want to exit ?"_s);
        QCOMPARE(program.dialogs.last().title, u"Kivob"_s);
        QCOMPARE(program.dialogs.last().style, kiv::vbYesNo + kiv::vbQuestion);
        program.dialogs.answer(kiv::vbYes);
        KIV_VERIFY_ENDS(r.cmdQuit_Click());
    } else {
        KIV_VERIFY_ENDS(r.close());
    }
}

void TestIndustryReports::reportWindowScaling_data()
{
    QTest::addColumn<int>("times"); // the screen, in design sizes
    QTest::addColumn<int>("top");   // of the report, in pixels
    QTest::newRow("twice the design") << 2 << 50;
    QTest::newRow("three times: under the taller buttons") << 3 << 71;
}

// The report window fills the screen; its buttons stretch by the screen's ratios, the
// vertical one taken at 95 percent, in 10-point type; the report is drawn under them.
void TestIndustryReports::reportWindowScaling()
{
    QFETCH(int, times);
    QFETCH(int, top);
    kivtest::Program program(QSizeF(9210 * times, 6585 * times));
    FrmStartup& w = openEdition(program, 0, u"optVol1"_s);
    click(w.Cmdcontinue);
    FrmCrystalReport& r = frmCrystalReport();
    const QSize screen(qRound(9210 * times / 15.0), qRound(6585 * times / 15.0));
    QCOMPARE(r.size(), screen);
    const kiv::fit::Item* it = r.item(r.cmdSwitchView);
    QVERIFY(it);
    QCOMPARE(it->left, 1680.0f * times);
    QCOMPARE(it->width, 3015.0f * times);
    QCOMPARE(it->top, 0.0f);
    QCOMPARE(it->height, 375.0f * times * 0.95f);
    for (QWidget* b : {static_cast<QWidget*>(r.cmdChoose), static_cast<QWidget*>(r.cmdQuit)})
        QCOMPARE(r.controlFontSize(b), 10.0f);
    QCOMPARE(reportView()->geometry(), QRect(0, top, screen.width() - 18, screen.height() - 85));
    QVERIFY(reportView()->geometry().top() > r.cmdChoose->geometry().bottom());
}

void TestIndustryReports::reportFileNames_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("ratios");
    QTest::addColumn<QString>("balance");
    const struct {
        const char16_t* option;
        const char16_t* ratios;
        const char16_t* balance;
    } rows[] = {
        {u"optVol1", u"/kiv_v1_rat_", u"/kiv_v1_bs_"},   {u"optVol2", u"/kiv_v2_rat_", u"/kiv_v2_bs_"},
        {u"optVol3", u"/kiv_v3_", nullptr},              {u"optAtlantic", u"/kiv_AT_", nullptr},
        {u"optQuebec", u"/kiv_QB_", nullptr},            {u"optOntario", u"/kiv_ON_", nullptr},
        {u"optManitoba", u"/kiv_MN_", nullptr},          {u"optSaskatchewan", u"/kiv_SK_", nullptr},
        {u"optPrairies", u"/kiv_PR_", nullptr},          {u"optAlberta", u"/kiv_AB_", nullptr},
        {u"optBritishColumbia", u"/kiv_BC_", nullptr},   {u"optNewfoundland", u"/kiv_NF_", nullptr},
        {u"optPrinceEdwardIsland", u"/kiv_PEI_", nullptr}, {u"optNovaScotia", u"/kiv_NS_", nullptr},
        {u"optNewBrunswick", u"/kiv_NB_", nullptr},      {u"optYukon", u"/kiv_YK_", nullptr},
        {u"optTerritories", u"/kiv_NT_", nullptr},       {u"optNWT_Nunavut", u"/kiv_NWTN_", nullptr},
        {u"optOther", u"/KIV_OTHER_Sample_", nullptr},
    };
    QCOMPARE(std::size(rows), kiv::editions().size());
    for (const auto& row : rows)
        for (int language : {0, 1}) {
            const QString letter = language == 0 ? u"e.rpt"_s : u"f.rpt"_s;
            const QString ratios = QString::fromUtf16(row.ratios) + letter;
            QTest::newRow(qPrintable(QString::fromUtf16(row.option) + (language == 0 ? u", English"_s : u", French"_s)))
                << QString::fromUtf16(row.option) << language << ratios
                << (row.balance ? QString::fromUtf16(row.balance) + letter : ratios);
        }
}

// Every edition names its templates, and the program folder holds each one.
void TestIndustryReports::reportFileNames()
{
    QFETCH(QString, option);
    QFETCH(int, language);
    QFETCH(QString, ratios);
    QFETCH(QString, balance);
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    gOtherDbName = u"KIV_OTHER_Sample.mdb"_s;
    frmMenuselect().editionOption(option)->setChecked(true);
    QCOMPARE(kiv::GetReportFileName(u"Ratios"_s), ratios);
    QCOMPARE(kiv::GetReportFileName(u"ratios"_s), ratios);
    QCOMPARE(kiv::GetReportFileName(u"BalanceSheet"_s), balance);
    QCOMPARE(kiv::GetReportFileName(u"anything"_s), balance);
    QVERIFY2(QFile::exists(kivtest::programDir() + ratios), qPrintable(ratios));
    QVERIFY2(QFile::exists(kivtest::programDir() + balance), qPrintable(balance));

    // The other edition keeps the letter case of the file the scan found.
    if (option == u"optOther") {
        gOtherDbName = u"kiv_other_Xyz.MDB"_s;
        QCOMPARE(kiv::GetReportFileName(u"Ratios"_s), language == 0 ? u"/kiv_other_Xyz_e.rpt"_s : u"/kiv_other_Xyz_f.rpt"_s);
    }
    QCOMPARE(kiv::industry::reportFileName(nullptr, QString(), u"Ratios"_s, language), QString());
}

void TestIndustryReports::failedReport_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("how");   // continue, sector, switch
    QTest::addColumn<QString>("fault"); // template, data
    QTest::addColumn<QString>("says");
    QTest::newRow("Continue, template missing") << 0 << u"continue"_s << u"template"_s << u"kiv_v1_rat_e.rpt\" could not be found"_s;
    QTest::newRow("sector, template missing, French") << 1 << u"sector"_s << u"template"_s << u"kiv_v1_rat_f.rpt » est introuvable"_s;
    QTest::newRow("Continue, unreadable data") << 0 << u"continue"_s << u"data"_s << u"which this report needs"_s;
    QTest::newRow("switch, template missing") << 0 << u"switch"_s << u"template"_s << u"kiv_v1_bs_e.rpt\" could not be found"_s;
}

// A report that cannot run: the user reads why, and is back on the industry selection, which
// works as before; no report window is left behind.
void TestIndustryReports::failedReport()
{
    QFETCH(int, language);
    QFETCH(QString, how);
    QFETCH(QString, fault);
    QFETCH(QString, says);
    kivtest::Program program;
    FrmStartup& w = openEdition(program, language, u"optVol1"_s, fault != u"template" || how == u"switch");
    if (how == u"switch")
        QVERIFY(QFile::remove(program.folder() + u"/kiv_v1_bs_e.rpt"_s));
    if (fault == u"data")
        gRSData = withoutColumn(*gRSData, u"NpmQ2"_s);
    const int current = gRSData->position();

    program.dialogs.answer(kiv::vbOK);
    program.dialogs.whileOpen = [&](const kivtest::Prompt&) {
        QVERIFY(!QApplication::overrideCursor()); // the pointer is back before the message
        QVERIFY(w.isVisible());
    };
    if (how == u"sector") {
        pickSector(w);
        click(w.cmdViewSector);
    } else {
        click(w.Cmdcontinue);
        if (how == u"switch") {
            QVERIFY(program.dialogs.prompts().empty());
            click(frmCrystalReport().cmdSwitchView);
        }
    }
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QVERIFY2(program.dialogs.last().text.contains(says), qPrintable(program.dialogs.last().text));
    QVERIFY(w.isVisible());
    QVERIFY(w.isEnabled());
    QVERIFY(!frmCrystalReport_Exists());
    for (QWidget* top : QApplication::topLevelWidgets())
        QVERIFY2(!(top->objectName() == u"frmCrystalReport" && top->isVisible()), "a report window is left");
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(w.Cmdcontinue->isEnabled());
    QVERIFY(w.cmdViewSector->isEnabled());
    if (how != u"sector")
        QCOMPARE(gRSData->position(), current);

    // With the template back, the same report runs.
    if (fault == u"template") {
        for (const QString& name : QDir(kivtest::programDir()).entryList({u"*.rpt"_s}, QDir::Files))
            if (!QFile::exists(program.folder() + u'/' + name))
                program.addFile(kivtest::programDir() + u'/' + name, name);
        if (how == u"sector")
            pickSector(w); // the selection came back without the sector's button
        click(how == u"sector" ? w.cmdViewSector : w.Cmdcontinue);
        QVERIFY(reportShown());
        QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    }
}

void TestIndustryReports::fromTheComparisonWindows_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("sector");
    QTest::addColumn<QString>("missing"); // a report template taken away first
    QTest::newRow("one-year, ratios report") << u"optVol1"_s << u"cmdView1"_s << false << QString();
    QTest::newRow("one-year, balance-sheet report") << u"optVol1"_s << u"cmdView"_s << false << QString();
    QTest::newRow("one-year, after a sector's report") << u"optVol1"_s << u"cmdView"_s << true << QString();
    QTest::newRow("three-year, ratios report") << u"optVol3"_s << u"cmdView1"_s << false << QString();
    QTest::newRow("one-year, ratios template missing") << u"optVol1"_s << u"cmdView1"_s << false << u"kiv_v1_rat_e.rpt"_s;
    QTest::newRow("one-year, sector's balance-sheet template missing") << u"optVol1"_s << u"cmdView"_s << true << u"kiv_v1_bs_e.rpt"_s;
    QTest::newRow("three-year, template missing") << u"optVol3"_s << u"cmdView1"_s << false << u"kiv_v3_e.rpt"_s;
}

// From a comparison the user looks at the industry's report and comes back to the figures. A
// report that cannot be drawn leaves the user in the comparison, told why, its buttons usable.
void TestIndustryReports::fromTheComparisonWindows()
{
    QFETCH(QString, option);
    QFETCH(QString, button);
    QFETCH(bool, sector);
    QFETCH(QString, missing);
    kivtest::Program program;
    program.dialogs.acceptAll(); // comparison windows may tell about figures not yet typed
    FrmStartup& w = openEdition(program, 0, option);
    const bool oneYear = option == u"optVol1";
    QString formula;
    if (sector) {
        pickSector(w);
        click(w.cmdViewSector);
        formula = w.CrystalReport1->selectionFormula();
        click(frmCrystalReport().cmdChoose);
    }
    const QString industry = pickIndustry(w);
    click(w.optCompare);
    click(w.Cmdcontinue);
    QVERIFY(!gSectorView);
    gSectorView = sector; // as left by the sector's report seen before
    kiv::Form& comparison = oneYear ? static_cast<kiv::Form&>(frmMyRatios()) : static_cast<kiv::Form&>(frmMyRatiosV3());
    comparison.Show();
    (oneYear ? static_cast<kiv::Form&>(frmMyValues()) : static_cast<kiv::Form&>(frmMyValuesV3())).Hide();

    if (!missing.isEmpty()) {
        QVERIFY(QFile::remove(program.folder() + u'/' + missing));
        program.dialogs.acceptAll(false);
        program.dialogs.answer(kiv::vbOK);
        bool toldInComparison = false;
        program.dialogs.whileOpen = [&](const kivtest::Prompt&) {
            toldInComparison = comparison.isVisible() && !w.isVisible() && !QApplication::overrideCursor();
        };
        click(comparison.findChild<QAbstractButton*>(button));
        program.dialogs.whileOpen = nullptr;
        QVERIFY(toldInComparison);
        QVERIFY2(program.dialogs.last().text.contains(missing + u"\" could not be found"_s), qPrintable(program.dialogs.last().text));
        QVERIFY(comparison.isVisible() && comparison.isEnabled());
        for (const QAbstractButton* b : comparison.findChildren<QAbstractButton*>())
            QVERIFY2(!b->isVisible() || b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(!w.isVisible());
        QVERIFY(!frmCrystalReport_Exists());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(gSectorView, sector);
        program.addFile(kivtest::programDir() + u'/' + missing, missing); // and with it back, the report comes
        program.dialogs.acceptAll();
    }
    click(comparison.findChild<QAbstractButton*>(button));
    QVERIFY(!comparison.isVisible());
    QVERIFY(!w.isVisible());
    QVERIFY(reportShown());
    QVERIFY(!QApplication::overrideCursor());
    FrmCrystalReport& r = frmCrystalReport();
    QCOMPARE(w.CrystalReport1->selectionFormula(), sector ? formula : u"{KIV_DATA.Industry}= "_s + industry);
    QVERIFY(reportView()->toPlainText().contains(reportTitle(option, button == u"cmdView1" ? u"ratios"_s : u"balance"_s, 0)));
    QCOMPARE(r.cmdSwitchView->isEnabled(), oneYear);
    QCOMPARE(r.cmdCompareRatios->isEnabled(), !sector);

    if (!sector) {
        click(r.cmdCompareRatios);
        QVERIFY(!frmCrystalReport_Exists());
        QVERIFY((oneYear ? static_cast<kiv::Form&>(frmMyValues()) : static_cast<kiv::Form&>(frmMyValuesV3())).isVisible());
    }
}

void TestIndustryReports::definitionsContinue_data()
{
    QTest::addColumn<QString>("function");
    QTest::newRow("view") << u"view"_s;
    QTest::newRow("compare") << u"compare"_s;
}

// Continue on the definitions window does what the industry selection's Continue does.
void TestIndustryReports::definitionsContinue()
{
    QFETCH(QString, function);
    kivtest::Program program;
    FrmStartup& w = openEdition(program, 1, u"optVol1"_s);
    pickIndustry(w);
    click(function == u"view" ? w.optView : w.optCompare);
    click(w.cmdShow);
    FrmIndDefinitions& d = frmIndDefinitions();
    QCOMPARE(d.Cmdcontinue->text(), u"Continuer"_s);
    click(d.Cmdcontinue);
    QVERIFY(!d.isVisible());
    QVERIFY(!w.isVisible());
    QCOMPARE(reportShown(), function == u"view");
    QCOMPARE(frmMyValues_Exists() && frmMyValues().isVisible(), function == u"compare");
    if (function == u"view")
        QVERIFY(reportView()->toPlainText().contains(w.lblIndustryName->text()));
    QVERIFY(program.dialogs.prompts().empty());
}

KIV_TEST_MAIN(TestIndustryReports)
#include "tst_industry_reports.moc"
