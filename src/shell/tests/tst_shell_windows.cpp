// The start screen, the edition menu and the About box as the user meets them.
#include "industry/frm_startup.h"
#include "platform/qt_dialogs.h"
#include "shell/edition_choice.h"
#include "shell/frm_intr_about.h"
#include "shell/frm_menuselect.h"
#include "shell/frm_start_menu.h"
#include "shell_fixture.h"
#include "values/frm_my_values.h"
#include "values3/frm_my_values_v3.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextDocument>

using shelltest::ShellProgram;

namespace {

enum class Window { Start, Menu, About };

kiv::Form& current(Window w)
{
    switch (w) {
    case Window::Start: return frmStartMenu();
    case Window::Menu: return frmMenuselect();
    case Window::About: return frmIntrAbout();
    }
    return frmStartMenu();
}

// Every edition file of the table, as a data folder holding all of them lists it.
QStringList everyEdition()
{
    QStringList names;
    for (const kiv::Edition& e : kiv::editions())
        if (e.database)
            names << QString::fromUtf16(e.database);
    return names;
}

// The language buttons' path: choose the language, locate the data, show and scan the menu.
void chooseLanguage(ShellProgram& program, int language, const QStringList& listing)
{
    program.listing(listing);
    frmStartMenu().Show();
    if (language == 0)
        frmStartMenu().SSCommand2->click();
    else
        frmStartMenu().SSCommand3->click();
}

// Text that cannot be read whole is a layout fault: every caption must fit its control.
void verifyTextFits(const QWidget* w)
{
    const QString where = w->window()->objectName() + u'.' + w->objectName();
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty())
            return;
        const QFontMetrics fm(label->font());
        const int room = label->contentsRect().width() - 2 * label->margin() - 2 * label->indent() - 2;
        for (const QString& word : label->text().split(u' ', Qt::SkipEmptyParts))
            QVERIFY2(fm.horizontalAdvance(word) <= room, qPrintable(where + QStringLiteral(": the word '") + word + QStringLiteral("' is cut")));
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                 qPrintable(where + QStringLiteral(": '") + label->text() + QStringLiteral("' is taller than its label")));
    } else if (const auto* radio = qobject_cast<const QRadioButton*>(w)) {
        QVERIFY2(radio->sizeHint().width() <= radio->width(), qPrintable(where + QStringLiteral(": '") + radio->text() + QStringLiteral("' is cut")));
    } else if (const auto* button = qobject_cast<const QPushButton*>(w)) {
        const QFontMetrics fm(button->font());
        QVERIFY2(fm.horizontalAdvance(button->text()) + 16 <= button->width() && fm.height() + 8 <= button->height(),
                 qPrintable(where + QStringLiteral(": '") + button->text() + QStringLiteral("' is cut")));
    } else if (const auto* frame = qobject_cast<const QGroupBox*>(w)) {
        const QFontMetrics fm(frame->font());
        QVERIFY2(fm.horizontalAdvance(frame->title()) + 24 <= frame->width(), qPrintable(where + QStringLiteral(": the title is cut")));
    }
}

const char* const kFigureBoxes[] = {
    "txtCash", "txtAr", "txtInv", "txtCA", "txtOA", "txtToa", "txtInvest", "txtPtfl", "txtTa",
    "txtAccountsPayable", "txtBanks", "txtPaper", "txtMtg", "txtBonds", "txtOl", "txtAmtsAffil", "txtOLiab",
    "txtDefTax", "txtTliab", "txtShareC", "txtRetEarn", "txtOtherSur", "txtTotLiabShareEq", "txtEquity1",
    "txtCurrentAssets", "txtCurrentLiabilities", "txtOperatingRevenue", "txtSales", "txtGrossProfit",
    "txtOperatingProfit", "txtInterestExpense", "txtPretaxProfit", "txtProfitAfterTax",
};
const char* const kAmountItems[] = {
    "txtTa", "txtTliab", "txtEquity1", "txtOperatingRevenue", "txtSales", "txtGrossProfit",
    "txtOperatingProfit", "txtPretaxProfit", "txtAfterTaxProfit",
};

// Every figure box of both entry windows, found by name as a user of the window would.
std::vector<QLineEdit*> allFigureBoxes()
{
    std::vector<QLineEdit*> boxes;
    for (const char* name : kFigureBoxes)
        boxes.push_back(frmMyValues().findChild<QLineEdit*>(QString::fromLatin1(name)));
    for (const char* year : {"Year3", "Year2", "Year1"})
        for (const char* item : kAmountItems)
            boxes.push_back(frmMyValuesV3().findChild<QLineEdit*>(QString::fromLatin1(item) + QString::fromLatin1(year)));
    return boxes;
}

} // namespace

Q_DECLARE_METATYPE(Window)

class TestShellWindows : public QObject {
    Q_OBJECT
private slots:
    void textsFit_data();
    void textsFit();

    void languageChoice_data();
    void languageChoice();
    void menuCaptions_data();
    void menuCaptions();

    void startResetsFigures();
    void startWithoutEdition();
    void aboutAndReturn_data();
    void aboutAndReturn();
    void help_data();
    void help();
    void exitQuestion_data();
    void exitQuestion();
    void closeBoxEnds_data();
    void closeBoxEnds();

    void helpDocuments_data();
    void helpDocuments();
    void helpViewerWithinTheScreen_data();
    void helpViewerWithinTheScreen();

    void screenshots();
};

void TestShellWindows::textsFit_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<int>("language");
    QTest::newRow("start") << Window::Start << 0;
    QTest::newRow("menu, English") << Window::Menu << 0;
    QTest::newRow("menu, French") << Window::Menu << 1;
    QTest::newRow("about, English") << Window::About << 0;
    QTest::newRow("about, French") << Window::About << 1;
}

void TestShellWindows::textsFit()
{
    QFETCH(Window, window);
    QFETCH(int, language);
    ShellProgram program;
    if (window == Window::Start) {
        frmStartMenu().Show();
    } else {
        chooseLanguage(program, language, everyEdition()); // every option bold
        if (window == Window::About)
            frmMenuselect().Aboutproduct->click();
    }
    kiv::Form& form = current(window);
    QVERIFY(form.isVisible());
    for (QWidget* w : form.findChildren<QWidget*>()) {
        verifyTextFits(w);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestShellWindows::languageChoice_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("letter");
    QTest::newRow("English") << 0 << "E";
    QTest::newRow("French") << 1 << "F";
}

void TestShellWindows::languageChoice()
{
    QFETCH(int, language);
    QFETCH(QString, letter);
    ShellProgram program;
    program.listing({QStringLiteral("kiv_vol2.mdb")});
    FrmStartMenu& start = frmStartMenu();
    start.Show();
    QCOMPARE(start.SSCommand2->text(), QStringLiteral("English"));
    QCOMPARE(start.SSCommand3->text(), kiv::LoadResString(379));
    QTest::mouseClick(language == 0 ? start.SSCommand2 : start.SSCommand3, Qt::LeftButton);

    QCOMPARE(int(gLanguage), language);
    QCOMPARE(gLangLetter, letter);
    QCOMPARE(gDescField, QStringLiteral("IndustryDescription") + letter);
    QCOMPARE(gDataPath, program.folder());
    QVERIFY(frmMenuselect().isVisible());
    QVERIFY(frmMenuselect().optVol2->isChecked());
    QVERIFY(!start.isVisible());
    QVERIFY(!frmStartMenu_Exists()); // dropped: never shown again
}

void TestShellWindows::menuCaptions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QSizeF>("screen");
    QTest::addColumn<float>("labelFont");
    QTest::newRow("English") << 0 << shelltest::kDesignScreen << 12.0f;
    QTest::newRow("French") << 1 << shelltest::kDesignScreen << 17.0f;
    QTest::newRow("French, double-size screen") << 1 << QSizeF(24000, 18000) << 17.0f;
}

void TestShellWindows::menuCaptions()
{
    QFETCH(int, language);
    QFETCH(QSizeF, screen);
    QFETCH(float, labelFont);
    ShellProgram program(screen);
    chooseLanguage(program, language, {QStringLiteral("kiv_vol1.mdb")});
    FrmMenuselect& menu = frmMenuselect();
    const auto res = [language](int base) { return kiv::LoadResString(base + language); };
    QCOMPARE(menu.Caption(), res(314));
    QCOMPARE(menu.Label1->text(), res(322));
    QCOMPARE(menu.Label2->text(), res(324));
    QCOMPARE(menu.Label3->text(), res(326));
    for (kiv::Label* l : {menu.Label1, menu.Label2, menu.Label3}) {
        QCOMPARE(menu.controlFontSize(l), labelFont);
        QCOMPARE(l->font().pointSizeF(), double(labelFont));
    }
    QCOMPARE(menu.SSPanel7->text(), res(316));
    QCOMPARE(menu.Quit->text(), res(328));
    QCOMPARE(menu.frameDataAvailable->title(), res(438));
    const std::pair<kiv::OptionButton*, int> byId[] = {
        {menu.optBritishColumbia, 414}, {menu.optAtlantic, 416}, {menu.optQuebec, 418}, {menu.optNewfoundland, 446},
        {menu.optPrinceEdwardIsland, 448}, {menu.optNovaScotia, 450}, {menu.optNewBrunswick, 452},
        {menu.optTerritories, 454}, {menu.optPrairies, 456}, {menu.optNWT_Nunavut, 458},
    };
    for (const auto& [opt, id] : byId)
        QCOMPARE(opt->text(), res(id));
    const std::pair<kiv::OptionButton*, const char*> literal[] = {
        {menu.optVol1, "Volume 1"}, {menu.optVol2, "Volume 2"}, {menu.optVol3, "Volume 3"}, {menu.optOntario, "Ontario"},
        {menu.optManitoba, "Manitoba"}, {menu.optSaskatchewan, "Saskatchewan"}, {menu.optAlberta, "Alberta"},
        {menu.optYukon, "Yukon"}, {menu.optOther, "CMA/RMR"},
    };
    for (const auto& [opt, caption] : literal)
        QCOMPARE(opt->text(), QString::fromLatin1(caption));
}

void TestShellWindows::startResetsFigures()
{
    ShellProgram program;
    chooseLanguage(program, 0, {QStringLiteral("kiv_vol1.mdb"), QStringLiteral("kiv_vol3.mdb")});
    // The industry selection opens the chosen edition: the sample editions are in the folder.
    for (const QString& name : {QStringLiteral("kiv_vol1.mdb"), QStringLiteral("kiv_vol3.mdb")})
        program.addFile(kivtest::programDir() + u'/' + name, name);
    FrmMenuselect& menu = frmMenuselect();
    for (int round = 0; round < 2; ++round) {
        // Figures typed before, or left from an earlier visit of the menu.
        for (QLineEdit* box : allFigureBoxes()) {
            QVERIFY(box);
            box->setText(QStringLiteral("1234.5"));
        }
        QTest::mouseClick(menu.Startapp, Qt::LeftButton);
        const std::vector<QLineEdit*> boxes = allFigureBoxes();
        QCOMPARE(boxes.size(), std::size_t(60));
        for (QLineEdit* box : boxes)
            QVERIFY2(box->text() == u"0", qPrintable(box->objectName()));
        QVERIFY(frmStartup().isVisible());
        QVERIFY(!frmMyValues().isVisible() && !frmMyValuesV3().isVisible());
        QVERIFY(!menu.isVisible());
        // Back to the menu as the industry selection does it, and another edition.
        menu.Show();
        frmStartup().Hide();
        frmStartup_Drop();
        menu.optVol3->setChecked(true);
    }
    QVERIFY(program.dialogs.prompts().empty());
}

void TestShellWindows::startWithoutEdition()
{
    ShellProgram program;
    kiv::setInstallKind(QStringLiteral("lan"));
    program.writeFile(QStringLiteral("kiv_path.txt"), program.folder().toUtf8() + '\n');
    kiv::setPathFile(program.folder() + QStringLiteral("/kiv_path.txt"));
    QVERIFY(QDir(program.folder()).mkdir(QStringLiteral("Data")));
    frmStartMenu().Show();
    frmStartMenu().SSCommand2->click(); // real listing of an empty data folder
    QCOMPARE(gDataPath, program.folder() + QStringLiteral("/Data"));
    program.dialogs.answer(kiv::vbOK);
    frmMenuselect().Startapp->click();
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QVERIFY(frmMenuselect().isVisible());
    QVERIFY(!frmStartup_Exists());
}

void TestShellWindows::aboutAndReturn_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("French") << 1;
}

void TestShellWindows::aboutAndReturn()
{
    QFETCH(int, language);
    ShellProgram program;
    chooseLanguage(program, language, {QStringLiteral("kiv_vol1.mdb"), QStringLiteral("kiv_vol2.mdb")});
    FrmMenuselect& menu = frmMenuselect();
    menu.optVol2->setChecked(true);
    QTest::mouseClick(menu.Aboutproduct, Qt::LeftButton);
    FrmIntrAbout& about = frmIntrAbout();
    QVERIFY(about.isVisible());
    QVERIFY(!menu.isVisible());
    QCOMPARE(about.Caption(), kiv::LoadResString(338 + language));
    QCOMPARE(about.SSPanel1->text(), kiv::LoadResString(2 + language));
    QCOMPARE(about.ReturntoMenu->text(), kiv::LoadResString(352 + language));
    QTest::mouseClick(about.ReturntoMenu, Qt::LeftButton);
    QVERIFY(menu.isVisible());
    QVERIFY(!about.isVisible());
    QVERIFY(menu.optVol2->isChecked());
    // Kept between openings.
    menu.Aboutproduct->click();
    QCOMPARE(&frmIntrAbout(), &about);
}

void TestShellWindows::help_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("file");
    QTest::newRow("English, button") << 0 << false << true << "help.html";
    QTest::newRow("French, button") << 1 << false << true << "helpf.html";
    QTest::newRow("English, F1") << 0 << true << true << "help.html";
    QTest::newRow("French, F1") << 1 << true << true << "helpf.html";
    QTest::newRow("French, missing file") << 1 << false << false << "helpf.html";
}

void TestShellWindows::help()
{
    QFETCH(int, language);
    QFETCH(bool, byKey);
    QFETCH(bool, present);
    QFETCH(QString, file);
    ShellProgram program;
    if (present) {
        program.writeFile(QStringLiteral("help.html"), "<html><title>Help</title></html>");
        program.writeFile(QStringLiteral("helpf.html"), "<html><title>Aide</title></html>");
    }
    chooseLanguage(program, language, {QStringLiteral("kiv_vol1.mdb")});
    FrmMenuselect& menu = frmMenuselect();
    const QString path = program.folder() + u'/' + file;
    if (!present)
        program.dialogs.answer(kiv::vbOK);
    if (byKey)
        QTest::keyClick(menu.optVol1, Qt::Key_F1); // the key reaches the menu from the focused option
    else
        QTest::mouseClick(menu.CmdHelp, Qt::LeftButton);
    if (present) {
        QCOMPARE(program.help.shown, QStringList{path});
        QVERIFY(program.dialogs.prompts().empty());
    } else {
        QVERIFY(program.help.shown.isEmpty());
        QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
        QVERIFY(program.dialogs.last().text.contains(path));
    }
    QVERIFY(menu.isVisible());
}

void TestShellWindows::exitQuestion_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question");
    QTest::newRow("English, No") << 0 << int(kiv::vbNo) << "Do you want to exit ?";
    QTest::newRow("French, No") << 1 << int(kiv::vbNo) << "Voulez-vous quitter ?";
    QTest::newRow("English, Yes") << 0 << int(kiv::vbYes) << "Do you want to exit ?";
    QTest::newRow("French, Yes") << 1 << int(kiv::vbYes) << "Voulez-vous quitter ?";
}

void TestShellWindows::exitQuestion()
{
    QFETCH(int, language);
    QFETCH(int, answer);
    QFETCH(QString, question);
    ShellProgram program;
    chooseLanguage(program, language, {QStringLiteral("kiv_vol1.mdb"), QStringLiteral("kiv_ON.mdb")});
    FrmMenuselect& menu = frmMenuselect();
    menu.optOntario->setChecked(true);
    program.dialogs.answer(answer);
    if (answer == kiv::vbYes) {
        KIV_VERIFY_ENDS(QTest::mouseClick(menu.Quit, Qt::LeftButton));
    } else {
        QTest::mouseClick(menu.Quit, Qt::LeftButton);
        QVERIFY(menu.isVisible());
        QVERIFY(menu.optOntario->isChecked());
    }
    QCOMPARE(program.dialogs.texts(), QStringList{question});
    QCOMPARE(program.dialogs.last().style, int(kiv::vbYesNo + kiv::vbQuestion));
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Kivob"));
}

void TestShellWindows::closeBoxEnds_data()
{
    QTest::addColumn<Window>("window");
    QTest::newRow("start screen") << Window::Start;
    QTest::newRow("edition menu") << Window::Menu;
    QTest::newRow("About box") << Window::About;
}

void TestShellWindows::closeBoxEnds()
{
    QFETCH(Window, window);
    ShellProgram program;
    if (window == Window::Start) {
        frmStartMenu().Show();
    } else {
        chooseLanguage(program, 0, {QStringLiteral("kiv_vol1.mdb")});
        if (window == Window::About)
            frmMenuselect().Aboutproduct->click();
    }
    kiv::Form& form = current(window);
    QVERIFY(form.isVisible());
    KIV_VERIFY_ENDS(form.close());
    QVERIFY(program.dialogs.prompts().empty()); // no question
}

void TestShellWindows::helpDocuments_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("English") << "help.html";
    QTest::newRow("French") << "helpf.html";
}

void TestShellWindows::helpDocuments()
{
    QFETCH(QString, file);
    // The build puts the help documents beside the program.
    QFile f(kivtest::programDir() + u'/' + file);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
    const QString html = QString::fromUtf8(f.readAll());
    QTextDocument doc;
    doc.setHtml(html);
    QVERIFY(!doc.metaInformation(QTextDocument::DocumentTitle).isEmpty());
    QVERIFY(doc.toPlainText().size() > 3000);
    // Every link of the contents leads somewhere in the document.
    QStringList anchors;
    for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral(R"re((?:id|name)="([^"]+)")re")).globalMatch(html))
        anchors << m.captured(1);
    const QRegularExpression link(QStringLiteral(R"re(href="#([^"]+)")re"));
    int links = 0;
    for (const QRegularExpressionMatch& m : link.globalMatch(html)) {
        QVERIFY2(anchors.contains(m.captured(1)), qPrintable(m.captured(1)));
        ++links;
    }
    QVERIFY(links >= 8);
}

void TestShellWindows::helpViewerWithinTheScreen_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    for (const char* file : {"help.html", "helpf.html"}) {
        // An 800 x 600 screen leaves less than the viewer's 680 pixels of height.
        QTest::addRow("800 x 600, %s", file) << QSize(800, 600) << QMargins(1, 20, 1, 5) << file << QSize(760, 575);
        QTest::addRow("800 x 600 under a title bar of 40 pixels, %s", file) << QSize(800, 600) << QMargins(4, 40, 4, 8) << file << QSize(760, 552);
        QTest::addRow("640 x 480, %s", file) << QSize(640, 480) << QMargins(1, 20, 1, 5) << file << QSize(638, 455);
        QTest::addRow("1280 x 1024, %s", file) << QSize(1280, 1024) << QMargins(1, 20, 1, 5) << file << QSize(760, 680);
    }
}

// The help viewer opens within the screen's available area, its frame included: its scroll
// bar, with both arrows, lies on the screen.
void TestShellWindows::helpViewerWithinTheScreen()
{
    QFETCH(QSize, screen);
    QFETCH(QMargins, frame);
    QFETCH(QString, file);
    QFETCH(QSize, size);
    ShellProgram program(QSizeF(screen.width() * 15.0, screen.height() * 15.0));
    kiv::setWindowFrameMargins(frame);
    kiv::QtHelpProvider help;
    help.showHelp(kivtest::programDir() + u'/' + file);
    QTextBrowser* viewer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"helpViewer" && w->isVisible())
            viewer = qobject_cast<QTextBrowser*>(w);
    QVERIFY(viewer);
    const QRect area(QPoint(0, 0), screen);
    const QRect placed = viewer->geometry();
    viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(placed.size(), size);
    QVERIFY2(area.contains(placed.marginsAdded(frame)), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(placed.x()).arg(placed.y()).arg(placed.width()).arg(placed.height())));
}

// Pictures of the three windows and the help viewer for a person to look at: set
// KIV_SCREENSHOT_DIR (and optionally KIV_SCREENSHOT_SIZE=WIDTHxHEIGHT in pixels, default
// 1024x768).
void TestShellWindows::screenshots()
{
    const QString dir = qEnvironmentVariable("KIV_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("KIV_SCREENSHOT_DIR is not set");
    QSize px(1024, 768);
    const QStringList size = qEnvironmentVariable("KIV_SCREENSHOT_SIZE").split(u'x');
    if (size.size() == 2)
        px = QSize(size[0].toInt(), size[1].toInt());
    QVERIFY(QDir().mkpath(dir));
    const QSizeF screen(px.width() * 15.0, px.height() * 15.0);
    const QStringList listing = {QStringLiteral("kiv_vol1.mdb"), QStringLiteral("kiv_vol2.mdb"), QStringLiteral("kiv_vol3.mdb"),
                                 QStringLiteral("kiv_QB.mdb"), QStringLiteral("kiv_BC.mdb"), QStringLiteral("KIV_OTHER_Metro.mdb")};
    for (int language : {0, 1}) {
        ShellProgram program(screen);
        const QString suffix = language == 0 ? QStringLiteral("en") : QStringLiteral("fr");
        frmStartMenu().Show();
        if (language == 0)
            QVERIFY(frmStartMenu().grab().save(dir + QStringLiteral("/start.png")));
        chooseLanguage(program, language, listing);
        QVERIFY(frmMenuselect().grab().save(dir + QStringLiteral("/menu-") + suffix + QStringLiteral(".png")));
        frmMenuselect().Aboutproduct->click();
        QVERIFY(frmIntrAbout().grab().save(dir + QStringLiteral("/about-") + suffix + QStringLiteral(".png")));
        // The help viewer on the document of the build.
        kiv::QtHelpProvider viewer;
        viewer.showHelp(kivtest::programDir() + (language == 0 ? QStringLiteral("/help.html") : QStringLiteral("/helpf.html")));
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == u"helpViewer" && w->isVisible()) {
                QVERIFY(w->grab().save(dir + QStringLiteral("/help-") + suffix + QStringLiteral(".png")));
                w->close();
            }
    }
}

KIV_TEST_MAIN(TestShellWindows)
#include "tst_shell_windows.moc"
