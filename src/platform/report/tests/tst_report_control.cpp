// The report engine as a window runs it: on screen into a rectangle of the window, to the
// printer one industry a page, and the errors a run can meet.
#include "platform/language.h"
#include "platform/report/report_control.h"
#include "report_fixture.h"
#include "test_support.h"

#include <QScrollBar>
#include <QtTest>

using kiv::report::ReportControl;
using kiv::report::ReportError;
using kiv::report::ReportKind;
using kiv::report::ReportView;
using namespace reportfixture;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(kiv::report::ReportError::Code)

class TstReportControl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onScreen();
    void toPrinter();
    void templateInOtherLetterCase_data();
    void templateInOtherLetterCase();
    void errors_data();
    void errors();
};

namespace {
// The settings a window makes for an on-screen report.
void setUp(ReportControl& rc, const QString& path, const QString& formula, QWidget* parent)
{
    rc.setEditions(editions());
    rc.setReportFileName(path);
    rc.setSelectionFormula(formula);
    rc.setDestination(kiv::report::crptToWindow);
    rc.setWindowParentHandle(parent);
    rc.setWindowTop(50);
    rc.setWindowHeight(200);
    rc.setWindowLeft(0);
    rc.setWindowWidth(700);
}
} // namespace

void TstReportControl::onScreen()
{
    kivtest::Program program;
    program.writeFile(u"kiv_v1_rat_e.rpt"_s, "placeholder\n");
    const QString folder = program.folder();
    std::shared_ptr<kiv::db::Snapshot> data = snapshot(ReportKind::Ratios, threeIndustries());
    data->setPosition(2);
    QWidget window;
    window.resize(720, 400);
    window.show();

    ReportControl rc;
    // The file name part begins with a backslash, as the template names are built.
    setUp(rc, folder + u"\\kiv_v1_rat_e.rpt"_s, kiv::report::industryFormula(Value::number(102)), &window);
    rc.setDataSource(data);
    rc.setAction(1);

    ReportView* view = window.findChild<ReportView*>(u"rptView"_s);
    QVERIFY(view);
    QCOMPARE(rc.view(), view);
    QVERIFY(view->isVisible());
    QCOMPARE(view->geometry(), QRect(0, 50, 700, 200));
    QVERIFY(view->isReadOnly());
    const QString shown = view->toPlainText();
    QVERIFY(shown.startsWith(u"Kivob Volume 1\nFinancial ratios\nIndustry 102\nSICC: not applicable\nBakeries"));
    QVERIFY(shown.contains(u"Interest coverage"));
    QVERIFY(shown.contains(u"102.49")); // IcQ2
    QVERIFY(view->verticalScrollBar()->maximum() > 0); // more than the rectangle holds: it scrolls
    QCOMPARE(rc.lastReport().pages.size(), std::size_t(1));
    QCOMPARE(data->position(), 2);
    QVERIFY(program.printer.pageDocuments().empty());

    // The settings stay; a sector report with the balance-sheet template replaces the view.
    program.writeFile(u"kiv_v1_bs_e.rpt"_s, "");
    rc.setDataSource(snapshot(ReportKind::BalanceSheet, threeIndustries()));
    rc.setReportFileName(folder + u"/kiv_v1_bs_e.rpt"_s);
    rc.setSelectionFormula(kiv::report::sectorFormula(u"a"_s));
    rc.setAction(1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto views = window.findChildren<ReportView*>();
    QCOMPARE(views.size(), 1);
    QCOMPARE(views[0], rc.view());
    const QString sector = views[0]->toPlainText();
    QVERIFY(sector.contains(u"Industry 101"));
    QVERIFY(sector.contains(u"Industry 103"));
    QVERIFY(!sector.contains(u"Industry 102"));
    QVERIFY(sector.contains(u"Balance sheet structure"));

    // A selection that takes nothing shows a page that says so.
    rc.setSelectionFormula(kiv::report::industryFormula(Value::number(5)));
    rc.setAction(1);
    QVERIFY(rc.view()->toPlainText().contains(u"No industry matches the report's selection."));
    rc.setAction(0); // does nothing
}

void TstReportControl::toPrinter()
{
    kivtest::Program program;
    gLanguage = 1;
    program.writeFile(u"kiv_ON_f.rpt"_s, "");
    ReportControl rc;
    rc.setEditions(editions());
    rc.setDataSource(snapshot(ReportKind::ThreeYearRatios, threeIndustries()));
    rc.setReportFileName(program.folder() + u"/kiv_ON_f.rpt"_s);
    rc.setDestination(kiv::report::crptToPrinter);
    rc.setAction(1);

    QCOMPARE(program.printer.pageDocuments().size(), std::size_t(1)); // one printout
    const kiv::PageDocument& doc = program.printer.pageDocuments().front();
    QCOMPARE(doc.title, u"Kivob Ontario - Ratios financiers, 1997 à 1999"_s);
    QCOMPARE(doc.pages.size(), std::size_t(3)); // a page for each industry
    QVERIFY(doc.pages[0].toText().contains(u"Fermes avicoles"));
    QVERIFY(doc.pages[1].toText().contains(u"CTI-E : non applicable"));
    QVERIFY(doc.pages[2].toText().contains(u"Marge bénéficiaire nette"));
    QVERIFY(!rc.view());
    QVERIFY(program.printer.documents().empty());
}

void TstReportControl::templateInOtherLetterCase_data()
{
    QTest::addColumn<QString>("file"); // as copied into the data folder
    QTest::addColumn<QString>("name"); // as the program names it
    QTest::addColumn<QString>("title");
    QTest::newRow("all capitals") << u"KIV_V1_RAT_E.RPT"_s << u"/kiv_v1_rat_e.rpt"_s << u"Kivob Volume 1"_s;
    QTest::newRow("regional, small letters") << u"kiv_qb_f.rpt"_s << u"/kiv_QB_f.rpt"_s << u"Kivob Québec"_s;
    QTest::newRow("other edition, capital letter") << u"KIV_OTHER_Metro_F.RPT"_s << u"/KIV_OTHER_Metro_f.rpt"_s
                                                   << u"Kivob Metro"_s;
}

// The templates copied from the disc are found whatever the letter case of their names, and
// the report is the one the program asked for.
void TstReportControl::templateInOtherLetterCase()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QString, title);
    kivtest::Program program;
    program.writeFile(file, "");
    QWidget window;
    window.resize(720, 400);
    ReportControl rc;
    setUp(rc, program.folder() + name, kiv::report::industryFormula(Value::number(102)), &window);
    rc.setDataSource(snapshot(name.contains(u"v1"_s) ? ReportKind::Ratios : ReportKind::ThreeYearRatios, threeIndustries()));
    rc.setAction(1);
    QVERIFY(rc.view());
    QVERIFY2(rc.view()->toPlainText().startsWith(title + u'\n'), qPrintable(rc.view()->toPlainText().left(80)));
}

void TstReportControl::errors_data()
{
    QTest::addColumn<QString>("file");        // written into the program folder; empty: none
    QTest::addColumn<QString>("name");        // the report file name set
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("destination");
    QTest::addColumn<bool>("data");
    QTest::addColumn<bool>("parent");
    QTest::addColumn<bool>("failingPrinter");
    QTest::addColumn<ReportError::Code>("code");
    QTest::addColumn<QString>("message");
    using C = ReportError::Code;
    const QString ok = u"kiv_v1_rat_e.rpt"_s;
    QTest::newRow("no template named") << ok << u""_s << u""_s << 0 << true << true << false << C::NoTemplate
                                       << u"No report template is named for this report: no edition is chosen."_s;
    QTest::newRow("template missing") << u""_s << ok << u""_s << 0 << true << true << false << C::TemplateMissing
                                      << u"The report template \"%1/kiv_v1_rat_e.rpt\" could not be found."_s;
    QTest::newRow("not a template name") << u"report.rpt"_s << u"report.rpt"_s << u""_s << 0 << true << true << false
                                         << C::UnknownTemplate << u"\"report.rpt\" is not the name of a report template"_s;
    QTest::newRow("formula of another form") << ok << ok << u"{KIV_DATA.SIC}= '1'"_s << 0 << true << true << false
                                             << C::FormulaRejected << u"The report's selection formula"_s;
    QTest::newRow("no edition data") << ok << ok << u""_s << 0 << false << true << false << C::NoData
                                     << u"The edition's data could not be read."_s;
    QTest::newRow("no window") << ok << ok << u""_s << 0 << true << false << false << C::NoWindow
                               << u"The report has no window to be shown in."_s;
    QTest::newRow("nothing to print") << ok << ok << u"{KIV_DATA.Industry}= 7"_s << 1 << true << true << false << C::NoRecords
                                      << u"No industry matches the report's selection: nothing was printed."_s;
    QTest::newRow("printer failure") << ok << ok << u""_s << 1 << true << true << true << C::PrintFailed
                                     << u"The report could not be printed."_s;
}

void TstReportControl::errors()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QString, formula);
    QFETCH(int, destination);
    QFETCH(bool, data);
    QFETCH(bool, parent);
    QFETCH(bool, failingPrinter);
    QFETCH(ReportError::Code, code);
    QFETCH(QString, message);
    kivtest::Program program;
    if (!file.isEmpty())
        program.writeFile(file, "");
    program.printer.setFailing(failingPrinter);
    if (failingPrinter)
        program.dialogs.answer(kiv::vbOK); // the printer tells the user itself
    QWidget window;
    window.resize(400, 300);

    ReportControl rc;
    setUp(rc, name.isEmpty() ? QString() : program.folder() + u'/' + name, formula, parent ? &window : nullptr);
    if (data)
        rc.setDataSource(snapshot(ReportKind::Ratios, threeIndustries()));
    rc.setDestination(destination);
    try {
        rc.setAction(1);
        QFAIL("the report ran");
    } catch (const ReportError& e) {
        QCOMPARE(e.code(), code);
        const QString expected = message.contains(u"%1") ? message.arg(program.folder()) : message;
        QVERIFY2(e.message().startsWith(expected), qPrintable(e.message()));
        QCOMPARE(e.reported(), failingPrinter);
    }
    QVERIFY(!window.findChild<ReportView*>());
    QVERIFY(program.printer.pageDocuments().empty());
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(failingPrinter ? 1 : 0));
}

KIV_TEST_MAIN(TstReportControl)
#include "tst_report_control.moc"
