// The export dialogs driven as a user does: their texts in both languages, their place, the
// choice each keeps, and the owner's way back through OK, Cancel and the close box.
#include "platform/spreadsheet/recording.h"
#include "platform/spreadsheet/save_file.h"
#include "industry/frm_startup.h"
#include "ratios3/frm_my_ratios_v3.h"
#include "shell/module1.h"
#include "test_support.h"
#include "values/export_window.h"
#include "values/frm_export.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>

using namespace kiv::exports;

namespace {

// An owner window that records what the dialog asks of it, and its state at that moment.
template <OwnerSlot Slot>
class TestOwner : public kiv::Form, public kiv::ExportOwnerAt<Slot> {
public:
    TestOwner()
        : Form(QStringLiteral("owner"))
    {
        setDesignSize(6000, 4500);
        first = new QLineEdit(this);
        second = new QLineEdit(this);
        second->move(0, 40);
    }
    QLineEdit* first = nullptr;
    QLineEdit* second = nullptr;
    void open() { kiv::openExportDialog(Slot, *this); }
    void excel() override { record(QStringLiteral("excel")); }
    void lotus() override { record(QStringLiteral("lotus")); }
    kiv::Form& form() override { return *this; }
    QStringList calls;
    // A window that takes the activation while the export runs (as its boxes do).
    QWidget* elsewhere = nullptr;
    bool enabledDuringCall = true;
    bool dialogVisibleDuringCall = true;
    kiv::ExportDialog* dialog = nullptr;

protected:
    void Form_Unload() override {}

private:
    void record(const QString& what)
    {
        calls << what;
        enabledDuringCall = isEnabled();
        dialogVisibleDuringCall = dialog && dialog->isVisible();
        if (elsewhere) {
            elsewhere->show();
            elsewhere->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(elsewhere));
        }
    }
};

kiv::ExportDialog& dialogOf(int kind)
{
    return kind == 0 ? static_cast<kiv::ExportDialog&>(frmExport()) : static_cast<kiv::ExportDialog&>(frmExportV3());
}

} // namespace

class TstExportDialogs : public QObject {
    Q_OBJECT
private slots:
    void design();
    void texts_data();
    void texts();
    void centred();
    void okRunsTheChosenExport_data();
    void okRunsTheChosenExport();
    void cancelAndCloseBox_data();
    void cancelAndCloseBox();
    void neitherOptionKeepsTheOwnerUsable();
    void eachDialogKeepsItsChoice_data();
    void eachDialogKeepsItsChoice();
    void firstTrueFlagNamesTheOwner();
    void threeYearRatiosExport_data();
    void threeYearRatiosExport();
};

void TstExportDialogs::design()
{
    kivtest::Program program;
    kiv::ExportDialog& d = frmExport();
    QCOMPARE(d.objectName(), QStringLiteral("frmExport"));
    QCOMPARE(frmExportV3().objectName(), QStringLiteral("frmExportV3"));
    QCOMPARE(d.size(), QSize(292, 159)); // 4380 x 2385 twips
    QCOMPARE(d.palette().color(QPalette::Window), QColor(0, 0, 128));
    struct Expect {
        QWidget* w;
        float left, top, width, height;
    };
    for (const Expect& e : {Expect{d.optExcel, 945, 915, 1290, 330}, Expect{d.optLotus, 2310, 915, 1140, 330},
                            Expect{d.cmdOK, 855, 1635, 1170, 390}, Expect{d.cmdCancel, 2235, 1635, 1185, 390},
                            Expect{d.lblExportMsg, 105, 120, 4125, 630}}) {
        const kiv::fit::Item* it = d.item(e.w);
        QVERIFY(it);
        QCOMPARE(it->left, e.left);
        QCOMPARE(it->top, e.top);
        QCOMPARE(it->width, e.width);
        QCOMPARE(it->height, e.height);
    }
    QCOMPARE(d.optExcel->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    QVERIFY(d.optExcel->font().bold());
    QCOMPARE(d.optExcel->font().pointSizeF(), 9.75);
    QCOMPARE(d.lblExportMsg->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(d.lblExportMsg->font().pointSizeF(), 8.25);
    // Tab order: the options, then OK and Cancel.
    QCOMPARE(d.optExcel->nextInFocusChain(), static_cast<QWidget*>(d.optLotus));
    QCOMPARE(d.optLotus->nextInFocusChain(), static_cast<QWidget*>(d.cmdOK));
    QCOMPARE(d.cmdOK->nextInFocusChain(), static_cast<QWidget*>(d.cmdCancel));
}

void TstExportDialogs::texts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");
    const QString en = QStringLiteral("You must have Excel or Lotus installed in order for the export function to be performed.");
    const QString fr = QStringLiteral("Excel ou Lotus doivent être installé pour executer cette fonction.");
    QTest::newRow("frmExport, English") << 0 << 0 << QStringLiteral("Export") << en;
    QTest::newRow("frmExport, French") << 0 << 1 << QStringLiteral("Exporter") << fr;
    QTest::newRow("frmExportV3, English") << 1 << 0 << QStringLiteral("Export") << en;
    QTest::newRow("frmExportV3, French") << 1 << 1 << QStringLiteral("Exporter") << fr;
}

void TstExportDialogs::texts()
{
    QFETCH(int, kind);
    QFETCH(int, language);
    QFETCH(QString, caption);
    QFETCH(QString, message);
    kivtest::Program program;
    gLanguage = static_cast<std::int16_t>(language);
    TestOwner<OwnerSlot::OneYearValues> one;
    TestOwner<OwnerSlot::ThreeYearValues> three;
    kind == 0 ? one.open() : three.open();
    kiv::ExportDialog& d = dialogOf(kind);
    QVERIFY(d.isVisible());
    QCOMPARE(d.windowTitle(), caption);
    QCOMPARE(d.lblExportMsg->text(), message);
    QCOMPARE(d.optExcel->text(), QStringLiteral("Excel"));
    QCOMPARE(d.optLotus->text(), QStringLiteral("Lotus"));
    QCOMPARE(d.cmdOK->text(), QStringLiteral("OK"));
    QCOMPARE(d.cmdCancel->text(), QStringLiteral("Cancel"));
    QVERIFY(d.optExcel->isChecked());
    QVERIFY(!d.optLotus->isChecked());
}

void TstExportDialogs::centred()
{
    kivtest::Program program(QSizeF(9600, 7200));
    QCOMPARE(kiv::centredPosition(QSizeF(9600, 7200), QSizeF(4380, 2385)), QPointF(2610, 2407.5));
    TestOwner<OwnerSlot::OneYearValues> owner;
    owner.open();
    QCOMPARE(frmExport().pos(), QPoint(174, 161));
    // Moved by the user, it stays where it was put for the next opening.
    frmExport().move(10, 20);
    frmExport().cmdCancel->click();
    owner.open();
    QCOMPARE(frmExport().pos(), QPoint(10, 20));
}

void TstExportDialogs::okRunsTheChosenExport_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("lotus");
    QTest::newRow("frmExport, Excel") << 0 << false;
    QTest::newRow("frmExport, Lotus") << 0 << true;
    QTest::newRow("frmExportV3, Excel") << 1 << false;
    QTest::newRow("frmExportV3, Lotus") << 1 << true;
}

void TstExportDialogs::okRunsTheChosenExport()
{
    QFETCH(int, kind);
    QFETCH(bool, lotus);
    kivtest::Program program;
    TestOwner<OwnerSlot::OneYearValues> one;
    TestOwner<OwnerSlot::ThreeYearRatios> three;
    kiv::ExportDialog& d = dialogOf(kind);
    QWidget elsewhere;
    one.elsewhere = three.elsewhere = &elsewhere;
    auto& calls = kind == 0 ? one.calls : three.calls;
    kind == 0 ? (one.dialog = &d, one.show(), one.open()) : (three.dialog = &d, three.show(), three.open());
    kiv::Form& owner = kind == 0 ? static_cast<kiv::Form&>(one) : three;
    QVERIFY(!owner.isEnabled());
    QTest::mouseClick(lotus ? d.optLotus : d.optExcel, Qt::LeftButton);
    QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    QCOMPARE(calls, QStringList{lotus ? QStringLiteral("lotus") : QStringLiteral("excel")});
    // The export runs with the dialog hidden and the owner still disabled; then the owner is back.
    const bool enabledDuringCall = kind == 0 ? one.enabledDuringCall : three.enabledDuringCall;
    const bool dialogDuringCall = kind == 0 ? one.dialogVisibleDuringCall : three.dialogVisibleDuringCall;
    QVERIFY(!enabledDuringCall);
    QVERIFY(!dialogDuringCall);
    QVERIFY(!d.isVisible());
    QVERIFY(owner.isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(&owner));
}

void TstExportDialogs::cancelAndCloseBox_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("frmExport, Cancel") << 0 << false;
    QTest::newRow("frmExport, close box") << 0 << true;
    QTest::newRow("frmExportV3, Cancel") << 1 << false;
    QTest::newRow("frmExportV3, close box") << 1 << true;
}

void TstExportDialogs::cancelAndCloseBox()
{
    QFETCH(int, kind);
    QFETCH(bool, closeBox);
    kivtest::Program program;
    TestOwner<OwnerSlot::BalanceSheet> one;
    TestOwner<OwnerSlot::ThreeYearValues> three;
    kiv::Form& owner = kind == 0 ? static_cast<kiv::Form&>(one) : three;
    QLineEdit* where = kind == 0 ? one.second : three.second;
    owner.show();
    owner.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    where->setFocus(Qt::MouseFocusReason);
    where->setText(QStringLiteral("1500"));
    where->setCursorPosition(2);
    kind == 0 ? one.open() : three.open();
    kiv::ExportDialog& d = dialogOf(kind);
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    if (closeBox)
        d.close(); // ends nothing: it is Cancel
    else
        QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
    QVERIFY(one.calls.isEmpty() && three.calls.isEmpty());
    QVERIFY(!d.isVisible());
    QVERIFY(owner.isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    // The focus is back where the user left it, caret included.
    QCOMPARE(QApplication::focusWidget(), where);
    QCOMPARE(where->cursorPosition(), 2);
}

void TstExportDialogs::neitherOptionKeepsTheOwnerUsable()
{
    kivtest::Program program;
    TestOwner<OwnerSlot::OneYearRatios> owner;
    owner.open();
    kiv::ExportDialog& d = frmExport();
    d.optExcel->setAutoExclusive(false);
    d.optExcel->setChecked(false);
    bool enabledWhileTold = true;
    program.dialogs.whileOpen = [&](const kivtest::Prompt&) { enabledWhileTold = owner.isEnabled(); };
    program.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    QCOMPARE(program.dialogs.texts(), QStringList{QStringLiteral("Option button error")});
    QCOMPARE(program.dialogs.last().style, int(kiv::vbOKOnly));
    QVERIFY(owner.calls.isEmpty());
    QVERIFY(!enabledWhileTold);
    QVERIFY(owner.isEnabled());
    QVERIFY(!d.isVisible());
}

void TstExportDialogs::eachDialogKeepsItsChoice_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("French") << 1;
}

void TstExportDialogs::eachDialogKeepsItsChoice()
{
    QFETCH(int, language);
    kivtest::Program program;
    gLanguage = static_cast<std::int16_t>(language);
    TestOwner<OwnerSlot::OneYearValues> values;
    TestOwner<OwnerSlot::OneYearRatios> ratios;
    TestOwner<OwnerSlot::ThreeYearValues> values3;
    values.open();
    QTest::mouseClick(frmExport().optLotus, Qt::LeftButton);
    QTest::mouseClick(frmExport().cmdOK, Qt::LeftButton);
    QCOMPARE(values.calls, QStringList{QStringLiteral("lotus")});
    // Opened again, from another owner: Lotus is still chosen, and OK exports to Lotus.
    ratios.open();
    QVERIFY(frmExport().optLotus->isChecked());
    QTest::mouseClick(frmExport().cmdOK, Qt::LeftButton);
    QCOMPARE(ratios.calls, QStringList{QStringLiteral("lotus")});
    // The three-year dialog keeps its own choice.
    values3.open();
    QVERIFY(frmExportV3().optExcel->isChecked());
    QCOMPARE(frmExportV3().windowTitle(), language == 0 ? QStringLiteral("Export") : QStringLiteral("Exporter"));
    QTest::mouseClick(frmExportV3().cmdOK, Qt::LeftButton);
    QCOMPARE(values3.calls, QStringList{QStringLiteral("excel")});
}

void TstExportDialogs::firstTrueFlagNamesTheOwner()
{
    kivtest::Program program;
    TestOwner<OwnerSlot::OneYearValues> values;
    TestOwner<OwnerSlot::BalanceSheet> balance;
    TestOwner<OwnerSlot::OneYearRatios> ratios;
    balance.open();
    QVERIFY(!balance.isEnabled());
    QTest::mouseClick(frmExport().cmdOK, Qt::LeftButton);
    QCOMPARE(balance.calls, QStringList{QStringLiteral("excel")});
    QVERIFY(values.calls.isEmpty() && ratios.calls.isEmpty());
    // Flags set by hand: ratios are tested before the balance sheet and the values.
    frmExport().Show();
    gExportFromValues = gExportFromBalanceSheet = gExportFromRatios = true;
    QTest::mouseClick(frmExport().cmdOK, Qt::LeftButton);
    QCOMPARE(ratios.calls, QStringList{QStringLiteral("excel")});
}

void TstExportDialogs::threeYearRatiosExport_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("lotus");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("defaultName");
    // The code comes from the industry selection in English, from the window itself in French.
    QTest::newRow("English, Excel") << 0 << false << QStringLiteral("Export My Ratios, SICE:1011 to Excel file")
                                    << QStringLiteral("Mrat1011.xlsx");
    QTest::newRow("French, Lotus") << 1 << true << QStringLiteral("Exporter Vol3, CTI-E:non applicable à un fichier de Lotus")
                                   << QStringLiteral("Mratnon applicable.123");
    QTest::newRow("French, Excel") << 1 << false << QStringLiteral("Exporter Vol3, CTI-E:non applicable à un fichier de Excel")
                                   << QStringLiteral("Mratnon applicable.xlsx");
}

void TstExportDialogs::threeYearRatiosExport()
{
    QFETCH(int, language);
    QFETCH(bool, lotus);
    QFETCH(QString, title);
    QFETCH(QString, defaultName);
    kivtest::Program program;
    gLanguage = static_cast<std::int16_t>(language);
    QTemporaryDir docs;
    kiv::sheet::setDocumentsFolder(docs.path());
    kiv::sheet::RecordingServers servers;
    kivtest::useSampleEdition(program, QStringLiteral("optVol3"));
    frmStartup().lblSICC->setText(QStringLiteral("1011"));
    FrmMyRatiosV3& w = frmMyRatiosV3();
    w.Show();
    w.lblSice->setText(QStringLiteral("non applicable"));
    gExportFromBalanceSheet = true;
    QTest::mouseClick(w.cmdExport, Qt::LeftButton);
    QVERIFY(frmExportV3().isVisible());
    QVERIFY(!w.isEnabled());
    QVERIFY(gExportFromRatios && !gExportFromValues && gExportFromBalanceSheet);
    QTest::mouseClick(lotus ? frmExportV3().optLotus : frmExportV3().optExcel, Qt::LeftButton);
    program.dialogs.answerInput(QString());
    QTest::mouseClick(frmExportV3().cmdOK, Qt::LeftButton);
    kiv::sheet::setDocumentsFolder(QString());
    QCOMPARE(program.dialogs.last().title, title);
    QCOMPARE(program.dialogs.last().defaultText, docs.path() + u'/' + defaultName);
    QCOMPARE(servers.calls, (QStringList{QStringLiteral("create ") + (lotus ? QStringLiteral("Lotus123.workbook") : QStringLiteral("Excel.sheet")),
                                         QStringLiteral("release")}));
    QVERIFY(w.isEnabled());
}

KIV_TEST_MAIN(TstExportDialogs)
#include "tst_export_dialogs.moc"
