// What the industry selection prints: the print menu (its options by edition, the page-count
// question, the whole edition's reports, the index, Cancel and its close box, failures), the
// industry index's lines, and the definitions window's printout; on paper through a PDF.
#include "industry/frm_ind_definitions.h"
#include "industry/frm_print_all.h"
#include "industry/frm_startup.h"
#include "platform/db/database.h"
#include "platform/printer_qt.h"
#include "platform/report/report_labels.h"
#include "shell/frm_menuselect.h"
#include "shell/module1.h"
#include "pdf_text.h"
#include "open_edition.h"
#include "test_support.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;
using kiv::PrintItem;
using kiv::PrintFont;

namespace {

using industrytest::openEdition;
using kivtest::click;

FrmPrintAll& openMenu(FrmStartup& w)
{
    click(w.cmdPrint);
    return frmPrintAll();
}

QStringList enabledOptions(const FrmPrintAll& m)
{
    QStringList names;
    for (const kiv::OptionButton* o : {m.optPrintFR, m.optPrintBS, m.optPrintBoth, m.optPrintIndex})
        if (o->isEnabled())
            names << o->objectName();
    return names;
}

// The edition's data with the current industry's definitions left empty (Null).
std::shared_ptr<kiv::db::Snapshot> withNullDefinitions(const kiv::db::Snapshot& data)
{
    std::vector<std::vector<kiv::db::Value>> rows;
    for (int r = 0; r < data.rowCount(); ++r) {
        std::vector<kiv::db::Value> row;
        for (int c = 0; c < data.columnNames().size(); ++c)
            row.push_back(r == data.position() && data.columnNames()[c].startsWith(u"DEFINITIONS", Qt::CaseInsensitive)
                              ? kiv::db::Value::null()
                              : data.value(r, c));
        rows.push_back(std::move(row));
    }
    auto copy = std::make_shared<kiv::db::Snapshot>(u"KIV_DATA"_s, data.columnNames(), std::move(rows));
    copy->setPosition(data.position());
    return copy;
}

using kivtest::PdfPrinter;

// The file the program named in its last message.
QString namedPdf(const kivtest::Program& program)
{
    const QString text = program.dialogs.last().text;
    return text.mid(text.lastIndexOf(u'\n') + 1);
}

} // namespace

class TestIndustryPrintouts : public QObject {
    Q_OBJECT
private slots:
    void menuOptions_data();
    void menuOptions();
    void wholeEdition_data();
    void wholeEdition();
    void printFailures_data();
    void printFailures();
    void cancelAndCloseBox();
    void wholeEditionOnPaper_data();
    void wholeEditionOnPaper();
    void cancelWholeEdition();
    void cancelWhileBuilt();
    void industryIndex_data();
    void industryIndex();
    void indexOnPaper();
    void definition_data();
    void definition();
    void longDefinitionOnPaper();
};

void TestIndustryPrintouts::menuOptions_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("enabled");
    const QStringList all{u"optPrintFR"_s, u"optPrintBS"_s, u"optPrintBoth"_s, u"optPrintIndex"_s};
    const QStringList threeYear{u"optPrintFR"_s, u"optPrintIndex"_s};
    QTest::newRow("Volume 1") << u"optVol1"_s << 0 << all;
    QTest::newRow("Volume 2, French") << u"optVol2"_s << 1 << all;
    QTest::newRow("Volume 3") << u"optVol3"_s << 0 << threeYear;
    QTest::newRow("Ontario, French") << u"optOntario"_s << 1 << threeYear;
    QTest::newRow("CMA/RMR") << u"optOther"_s << 0 << threeYear;
}

// The menu offers what the edition has, keeps the last choice where it still holds, and is
// captioned in the user's language; the selection window waits, disabled, until it closes.
void TestIndustryPrintouts::menuOptions()
{
    QFETCH(QString, option);
    QFETCH(int, language);
    QFETCH(QStringList, enabled);
    kivtest::Program program;
    FrmStartup& w = openEdition(program, language, option);
    FrmPrintAll& m = openMenu(w);
    QVERIFY(m.isVisible());
    QVERIFY(!w.isEnabled());
    QCOMPARE(enabledOptions(m), enabled);
    QVERIFY(m.optPrintFR->isChecked());
    const QStringList captions{m.Caption(), m.lblMessage->text(), m.optPrintFR->text(), m.optPrintBS->text(),
                               m.optPrintBoth->text(), m.optPrintIndex->text(), m.cmdOK->text(), m.cmdCancel->text()};
    QCOMPARE(captions, language == 0 ? QStringList({u"Print menu"_s, u"Print industries in"_s, u"Financial ratios"_s, u"Balance sheet"_s,
                                                    u"Both"_s, u"Print index only"_s, u"OK"_s, u"Cancel"_s})
                                     : QStringList({u"Menu d'imprimer"_s, u"De cette industrie imprimez le/les"_s, u"Ratios financiers"_s,
                                                    u"Bilan"_s, u"Les deux"_s, u"Imprimez seulement l'index"_s, u"OK"_s, u"Cancel"_s}));

    // The next opening: the last choice stays in a one-year edition; a three-year one always
    // opens on its ratio reports.
    click(m.optPrintIndex);
    click(m.cmdCancel);
    QVERIFY(w.isEnabled());
    openMenu(w);
    QCOMPARE(m.optPrintIndex->isChecked(), enabled.size() == 4);
    click(m.cmdCancel);
    m.optPrintBS->setChecked(true);
    openMenu(w);
    QCOMPARE(m.optPrintBS->isChecked(), enabled.size() == 4);
    QCOMPARE(m.optPrintFR->isChecked(), enabled.size() == 2);
    QVERIFY(program.dialogs.prompts().empty());
}

void TestIndustryPrintouts::wholeEdition_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("pagesPerIndustry");
    QTest::addColumn<QStringList>("printed"); // the report titles, in order
    const QString ratios = kiv::report::labels::kRatiosTitle.in(0);
    const QString balance = kiv::report::labels::kBalanceTitle.in(0);
    QTest::newRow("ratios") << u"optVol1"_s << 0 << u"optPrintFR"_s << int(kiv::vbOK) << 1 << QStringList{ratios};
    QTest::newRow("balance sheet") << u"optVol2"_s << 0 << u"optPrintBS"_s << int(kiv::vbOK) << 1 << QStringList{balance};
    QTest::newRow("both") << u"optVol1"_s << 0 << u"optPrintBoth"_s << int(kiv::vbOK) << 2 << QStringList{ratios, balance};
    QTest::newRow("both, Cancel") << u"optVol1"_s << 0 << u"optPrintBoth"_s << int(kiv::vbCancel) << 2 << QStringList();
    QTest::newRow("three-year, French") << u"optVol3"_s << 1 << u"optPrintFR"_s << int(kiv::vbOK) << 1
                                        << QStringList{kiv::report::labels::kThreeYearTitle.in(1)};
}

// Printing a whole edition: the question announces a page per industry and report; OK prints
// every industry, one per page, and Cancel nothing; the selection window is usable either way.
void TestIndustryPrintouts::wholeEdition()
{
    QFETCH(QString, option);
    QFETCH(int, language);
    QFETCH(QString, choice);
    QFETCH(int, answer);
    QFETCH(int, pagesPerIndustry);
    QFETCH(QStringList, printed);
    kivtest::Program program;
    FrmStartup& w = openEdition(program, language, option);
    FrmPrintAll& m = openMenu(w);
    click(m.findChild<QAbstractButton*>(choice));
    program.dialogs.answer(answer);
    program.dialogs.whileOpen = [&](const kivtest::Prompt&) { QVERIFY(!m.isVisible()); };
    click(m.cmdOK);

    const QString n = QString::number(pagesPerIndustry * gIndustryCount);
    QCOMPARE(program.dialogs.texts(), QStringList{language == 0 ? u"You will print "_s + n + u" pages.  Continue ?"_s
                                                                 : u"Vous avez choisi d'imprimer "_s + n + u" pages.  Continuer ?"_s});
    QCOMPARE(program.dialogs.last().style, kiv::vbOKCancel + kiv::vbQuestion);
    QCOMPARE(program.dialogs.last().title, u"Kivob"_s);
    QVERIFY(!m.isVisible());
    QVERIFY(w.isEnabled());
    QVERIFY(w.isVisible());
    QVERIFY(!QApplication::overrideCursor());

    const auto& docs = program.printer.pageDocuments();
    QCOMPARE(int(docs.size()), printed.size());
    for (std::size_t i = 0; i < docs.size(); ++i) {
        QVERIFY2(docs[i].title.endsWith(printed[int(i)]), qPrintable(docs[i].title));
        QCOMPARE(int(docs[i].pages.size()), gIndustryCount);
    }
    if (!docs.empty()) // every industry of the edition, its first row first
        QVERIFY(docs[0].pages[0].toText().contains(gRSData->value(0, language == 0 ? u"IndustryDescriptionE" : u"IndustryDescriptionF").toText()));
}

void TestIndustryPrintouts::printFailures_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("fault"); // template, printer
    QTest::addColumn<QString>("says");
    QTest::newRow("ratios, template missing") << u"optPrintFR"_s << u"template"_s << u"kiv_v1_rat_e.rpt\" could not be found"_s;
    QTest::newRow("both, template missing: the second is not run") << u"optPrintBoth"_s << u"template"_s << u"kiv_v1_rat_e.rpt\" could not be found"_s;
    QTest::newRow("both, printer failure: the second is not run") << u"optPrintBoth"_s << u"printer"_s << u"The document could not be printed"_s;
    QTest::newRow("index, printer failure") << u"optPrintIndex"_s << u"printer"_s << u"The document could not be printed"_s;
}

// A print that fails is told once; the selection window is usable again.
void TestIndustryPrintouts::printFailures()
{
    QFETCH(QString, choice);
    QFETCH(QString, fault);
    QFETCH(QString, says);
    kivtest::Program program;
    FrmStartup& w = openEdition(program, 0, u"optVol1"_s, fault != u"template");
    program.printer.setFailing(fault == u"printer");
    FrmPrintAll& m = openMenu(w);
    click(m.findChild<QAbstractButton*>(choice));
    if (choice != u"optPrintIndex")
        program.dialogs.answer(kiv::vbOK);
    program.dialogs.answer(kiv::vbOK);
    bool cursorWhileTold = true;
    program.dialogs.whileOpen = [&](const kivtest::Prompt& p) {
        if (p.text.contains(says))
            cursorWhileTold = QApplication::overrideCursor() != nullptr;
    };
    click(m.cmdOK);
    if (fault == u"template")
        QVERIFY(!cursorWhileTold); // the print menu's own message comes after the hourglass
    const QStringList texts = program.dialogs.texts();
    QCOMPARE(texts.size(), choice == u"optPrintIndex" ? 1 : 2);
    QVERIFY2(texts.last().contains(says), qPrintable(texts.last()));
    QVERIFY(program.printer.pageDocuments().empty());
    QVERIFY(program.printer.documents().empty());
    QVERIFY(w.isEnabled());
    QVERIFY(!m.isVisible());
    QVERIFY(!QApplication::overrideCursor());
}

// Cancel and the close box leave without printing or asking; the program goes on.
void TestIndustryPrintouts::cancelAndCloseBox()
{
    kivtest::Program program;
    FrmStartup& w = openEdition(program, 0, u"optVol1"_s);
    FrmPrintAll& m = openMenu(w);
    // The menu stays over the selection window that waits for it.
    QCOMPARE(m.windowHandle()->transientParent(), w.windowHandle());
    click(m.cmdCancel);
    QVERIFY(!m.isVisible());
    QVERIFY(w.isEnabled());
    openMenu(w);
    QVERIFY(!w.isEnabled());
    bool ended = false;
    try {
        m.close();
    } catch (const kiv::ProgramEnded&) {
        ended = true;
    }
    QVERIFY(!ended);
    QVERIFY(!m.isVisible());
    QVERIFY(w.isEnabled());
    QVERIFY(program.dialogs.prompts().empty());
    QVERIFY(program.printer.documents().empty() && program.printer.pageDocuments().empty());

    // Over the new selection window too, after a return to the edition menu.
    click(w.BacktoMain);
    frmMenuselect().Startapp->click();
    FrmStartup& again = frmStartup();
    QVERIFY(&again != &w);
    openMenu(again);
    QCOMPARE(m.windowHandle()->transientParent(), again.windowHandle());
    click(m.cmdCancel);
    QVERIFY(again.isEnabled());
}

void TestIndustryPrintouts::wholeEditionOnPaper_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("choice");
    QTest::newRow("Volume 1, ratios") << u"optVol1"_s << 0 << u"optPrintFR"_s;
    QTest::newRow("Volume 2, balance sheet, French") << u"optVol2"_s << 1 << u"optPrintBS"_s;
    QTest::newRow("Volume 3") << u"optVol3"_s << 0 << u"optPrintFR"_s;
}

// A whole edition on paper: a sheet per industry, each holding its own industry's report and
// nothing of the next one, every word inside the printable area (the PDF's Letter page less a
// quarter inch all round).
void TestIndustryPrintouts::wholeEditionOnPaper()
{
    QFETCH(QString, option);
    QFETCH(int, language);
    QFETCH(QString, choice);
    kivtest::Program program;
    PdfPrinter pdf;
    FrmStartup& w = openEdition(program, language, option);
    FrmPrintAll& m = openMenu(w);
    click(m.findChild<QAbstractButton*>(choice));
    program.dialogs.answer(kiv::vbOK);
    program.dialogs.answer(kiv::vbOK);
    click(m.cmdOK);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(2));
    const QString file = namedPdf(program);
    QCOMPARE(pdf.files(), QStringList{QFileInfo(file).fileName()});

    const QList<kivtest::PdfWord> words = kivtest::pdfWords(file);
    QVERIFY(!words.isEmpty());
    QList<QStringList> pages;
    for (const kivtest::PdfWord& word : words) {
        QVERIFY2(word.x >= 18 - 0.5 && word.xMax <= 612 - 18 + 0.5 && word.y >= 18 - 0.5 && word.yMax <= 792 - 18 + 0.5,
                 qPrintable(u"\"%1\" on page %2 at %3, %4 to %5, %6"_s.arg(word.text).arg(word.page + 1).arg(word.x).arg(word.y)
                                .arg(word.xMax).arg(word.yMax)));
        while (pages.size() <= word.page)
            pages.append(QStringList());
        pages[word.page] << word.text;
    }
    QCOMPARE(pages.size(), gIndustryCount);
    const QString industryWord = kiv::report::labels::kIndustry.in(language);
    for (int p = 0; p < pages.size(); ++p) {
        const QStringList& page = pages[p];
        QVERIFY2(page.count(u"Kivob"_s) == 1, qPrintable(u"page %1: %2"_s.arg(p + 1).arg(page.join(u' '))));
        const qsizetype at = page.indexOf(industryWord);
        QVERIFY(at >= 0 && at + 1 < page.size());
        QCOMPARE(page[at + 1], gRSData->value(p, u"Industry").toText());
        QCOMPARE(page.count(industryWord), 1);
    }
}

// A long print shows how far it has come, with Cancel, while the windows go on repainting;
// the dialog is up since the report was built; Cancel stops it (the second report of "Both"
// too), leaves no file and tells the user.
void TestIndustryPrintouts::cancelWholeEdition()
{
    kivtest::Program program;
    PdfPrinter pdf(0); // the progress shows from the first page on
    FrmStartup& w = openEdition(program, 1, u"optVol1"_s);
    FrmPrintAll& m = openMenu(w);
    click(m.optPrintBoth);
    program.dialogs.answer(kiv::vbOK); // the page count
    program.dialogs.answer(kiv::vbOK); // the cancel told

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    w.installEventFilter(&counter);
    int paintsAsked = -1;
    QString label, firstLabel;
    bool modal = false;
    QTimer cancel;
    cancel.setInterval(0);
    connect(&cancel, &QTimer::timeout, [&] {
        QWidget* progress = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == u"printProgress" && top->isVisible())
                progress = top;
        if (!progress)
            return;
        if (firstLabel.isEmpty())
            firstLabel = progress->findChild<QLabel*>()->text();
        if (!progress->findChild<QLabel*>()->text().contains(u" : page "_s))
            return; // not drawing yet
        if (paintsAsked < 0) { // the selection window is asked to repaint while the print runs
            paintsAsked = counter.paints;
            w.update();
            return;
        }
        if (counter.paints == paintsAsked)
            return;
        cancel.stop();
        label = progress->findChild<QLabel*>()->text();
        modal = QApplication::activeModalWidget() == progress;
        click(progress->findChild<QPushButton*>(u"cmdCancel"_s));
    });
    const auto progressShown = [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == u"printProgress" && top->isVisible())
                return true;
        return false;
    };
    bool progressWhileTold = true;
    program.dialogs.whileOpen = [&](const kivtest::Prompt& p) {
        if (p.style == kiv::vbOKOnly + kiv::vbInformation)
            progressWhileTold = progressShown();
    };
    cancel.start();
    click(m.cmdOK);
    w.removeEventFilter(&counter);
    QVERIFY2(!progressWhileTold, "the progress dialog is gone before the user is told");

    QVERIFY2(!cancel.isActive(), "the progress dialog did not show, or the window was not repainted");
    QVERIFY(modal);
    QVERIFY2(label.startsWith(u"Impression de « Kivob Volume 1 - Ratios financiers » : page "_s), qPrintable(label));
    QVERIFY2(label.endsWith(u" sur "_s + QString::number(gIndustryCount)), qPrintable(label));
    QCOMPARE(firstLabel, u"Préparation de « Kivob Volume 1 - Ratios financiers » pour l'impression"_s);
    QCOMPARE(program.dialogs.texts().size(), 2);
    QCOMPARE(program.dialogs.last().text, u"L'impression a été annulée : rien n'a été imprimé."_s);
    QCOMPARE(program.dialogs.last().style, kiv::vbOKOnly + kiv::vbInformation);
    QCOMPARE(pdf.files(), QStringList());
    QVERIFY(w.isEnabled() && w.isVisible());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!progressShown());
}

// The progress runs from the click that starts the printout: a Cancel while the report is still
// being built stops it there, prints nothing (the second report of "Both" neither) and tells
// the user.
void TestIndustryPrintouts::cancelWhileBuilt()
{
    kivtest::Program program;
    PdfPrinter pdf(0); // the progress shows from the start
    FrmStartup& w = openEdition(program, 0, u"optVol1"_s);
    FrmPrintAll& m = openMenu(w);
    click(m.optPrintBoth);
    program.dialogs.answer(kiv::vbOK); // the page count
    program.dialogs.answer(kiv::vbOK); // the cancel told
    QString label;
    QTimer cancel;
    cancel.setInterval(0);
    connect(&cancel, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == u"printProgress" && top->isVisible()) {
                cancel.stop();
                label = top->findChild<QLabel*>()->text();
                click(top->findChild<QPushButton*>(u"cmdCancel"_s));
            }
        }
    });
    cancel.start();
    click(m.cmdOK);
    QVERIFY2(!cancel.isActive(), "the progress dialog did not show");
    QCOMPARE(label, u"Preparing \"Kivob Volume 1 - Financial ratios\" for printing"_s);
    QVERIFY2(int(m.CrystalReport1->lastReport().pages.size()) < gIndustryCount, "the report was built whole");
    QCOMPARE(program.dialogs.texts().size(), 2);
    QCOMPARE(program.dialogs.last().text, u"Printing was cancelled: nothing was printed."_s);
    QCOMPARE(pdf.files(), QStringList());
    QVERIFY(w.isEnabled() && w.isVisible());
    QVERIFY(!QApplication::overrideCursor());
}

void TestIndustryPrintouts::industryIndex_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title"); // " ": none
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("nameColumn");
    QTest::addColumn<QStringList>("firstRow");
    QTest::newRow("Volume 1") << u"optVol1"_s << 0 << u"Kivob Volume 1"_s << u"SICC"_s << 43
                              << QStringList{u"203"_s, u"9843"_s, u"Fizzler wholesalers"_s};
    QTest::newRow("Volume 3, French") << u"optVol3"_s << 1 << u"Kivob Volume 3"_s << u"CTI-E"_s << 15
                                      << QStringList{u"305"_s, u"4922"_s, QString()};
    QTest::newRow("Quebec, French") << u"optQuebec"_s << 1 << u"Kivob Québec"_s << u"CTI-E"_s << 15
                                    << QStringList{u"305"_s, u"4922"_s, QString()};
    QTest::newRow("CMA/RMR") << u"optOther"_s << 0 << u" "_s << u"SICE"_s << 15 << QStringList();
}

// The index: its title, the heading at its columns, a rule, and every industry at the same
// columns, in the fonts of each part; nothing is asked.
void TestIndustryPrintouts::industryIndex()
{
    QFETCH(QString, option);
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, code);
    QFETCH(int, nameColumn);
    QFETCH(QStringList, firstRow);
    kivtest::Program program;
    FrmStartup& w = openEdition(program, language, option);
    FrmPrintAll& m = openMenu(w);
    click(m.optPrintIndex);
    click(m.cmdOK);
    QVERIFY(program.dialogs.prompts().empty());
    QVERIFY(w.isEnabled());
    QCOMPARE(program.printer.documents().size(), std::size_t(1));

    const kiv::PrintDocument doc = program.printer.last();
    const auto& lines = doc.lines();
    QCOMPARE(int(lines.size()), 6 + gIndustryCount);
    const PrintFont plain{QString(), 10, false, false};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(lines[std::size_t(i)].text(), i == 2 ? title : u" "_s);
        QCOMPARE(lines[std::size_t(i)].font, plain);
    }
    const QString nameHead = language == 0 ? u"Industry Name"_s : u"Nom de l'industrie"_s;
    QCOMPARE(lines[4].items, (std::vector<PrintItem>{u"#"_s, kiv::Tab(8), code, kiv::Tab(nameColumn), nameHead}));
    QCOMPARE(lines[4].font, (PrintFont{QString(), 8, true, false}));
    QCOMPARE(lines[5].text(), QString(150, u'-'));
    const QString nameField = language == 0 ? u"IndustryDescriptionE"_s : u"IndustryDescriptionF"_s;
    for (int r = 0; r < gIndustryCount; ++r) {
        const kiv::PrintLine& line = lines[std::size_t(6 + r)];
        QCOMPARE(line.font, (PrintFont{QString(), 8, false, false}));
        QCOMPARE(line.items.size(), std::size_t(5));
        QCOMPARE(line.items[1], kiv::Tab(8));
        QCOMPARE(line.items[3], kiv::Tab(nameColumn));
        QCOMPARE(line.items[4].text, gRSData->value(r, nameField).toText());
    }
    if (!firstRow.isEmpty()) {
        QCOMPARE(lines[6].items[0].text, firstRow[0]);
        QCOMPARE(lines[6].items[2].text, firstRow[1]);
        if (!firstRow[2].isEmpty())
            QCOMPARE(lines[6].items[4].text, firstRow[2]);
    }
}

// With no printer the index becomes a PDF file that the program names; it reads as the index,
// its columns straight.
void TestIndustryPrintouts::indexOnPaper()
{
    kivtest::Program program;
    PdfPrinter pdf;
    FrmStartup& w = openEdition(program, 0, u"optVol1"_s);
    FrmPrintAll& m = openMenu(w);
    click(m.optPrintIndex);
    program.dialogs.answer(kiv::vbOK);
    click(m.cmdOK);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    const QString file = namedPdf(program);
    QVERIFY2(file.startsWith(pdf.home.documents()) && file.endsWith(u".pdf"), qPrintable(program.dialogs.last().text));
    QVERIFY(QFileInfo(file).size() > 0);

    const QString text = kivtest::pdfToText(file);
    QVERIFY2(text.contains(u"Kivob Volume 1"), qPrintable(text));
    QVERIFY(text.contains(u"Industry Name"));
    QVERIFY(text.contains(u"Fizzler wholesalers"));
    QCOMPARE(text.count(QRegularExpression(u"^\\s*\\d+\\s+\\S"_s, QRegularExpression::MultilineOption)), gIndustryCount);

    // Every industry's number, code and name start at the same place as the others'.
    QList<double> numbers, codes, names;
    const QList<kivtest::PdfWord> words = kivtest::pdfWords(file);
    for (int r = 0; r < gIndustryCount; ++r) {
        const QString number = gRSData->value(r, u"Industry").toText();
        const QString name = gRSData->value(r, u"IndustryDescriptionE").toText().section(u' ', 0, 0);
        for (int i = 0; i + 1 < words.size(); ++i)
            if (words[i].text == number && std::abs(words[i + 1].y - words[i].y) < 1) {
                numbers << words[i].x;
                codes << words[i + 1].x;
                for (int j = i + 2; j < words.size() && std::abs(words[j].y - words[i].y) < 1; ++j)
                    if (words[j].text == name) {
                        names << words[j].x;
                        break;
                    }
                break;
            }
    }
    QCOMPARE(numbers.size(), gIndustryCount);
    QVERIFY2(names.size() == gIndustryCount, qPrintable(text));
    for (const QList<double>* column : {&numbers, &codes, &names})
        QVERIFY(*std::max_element(column->begin(), column->end()) - *std::min_element(column->begin(), column->end()) < 0.5);
    QVERIFY(numbers[0] < codes[0] && codes[0] < names[0]);
}

void TestIndustryPrintouts::definition_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("null");
    QTest::newRow("English") << 0 << false;
    QTest::newRow("French") << 1 << false;
    QTest::newRow("no definition stored") << 0 << true;
}

// The printout: the industry's name in bold 12 points, five blank lines, the stored
// definition in 10 points (the empty text when none is stored, as the window shows).
void TestIndustryPrintouts::definition()
{
    QFETCH(int, language);
    QFETCH(bool, null);
    kivtest::Program program;
    FrmStartup& w = openEdition(program, language, u"optVol1"_s);
    click(w.cmdSelectList);
    if (null) {
        gRSData = withNullDefinitions(*gRSData);
        w.cboIndustry_Click(); // the pick fills the window from the current industry
    }
    click(w.cmdShow);
    FrmIndDefinitions& d = frmIndDefinitions();
    const QString stored = gRSData->Field(language == 0 ? u"DEFINITIONSE" : u"DEFINITIONSF").toText();
    QCOMPARE(stored.isEmpty(), null);
    QCOMPARE(d.Definitions->toPlainText(), stored);
    QCOMPARE(d.Print->text(), language == 0 ? u"Print"_s : u"Imprimer"_s);
    d.Definitions->setPlainText(u"typed over"_s); // the printout reads the edition, not the box
    click(d.Print);

    QCOMPARE(program.printer.documents().size(), std::size_t(1));
    const kiv::PrintDocument doc = program.printer.last();
    const auto& lines = doc.lines();
    QCOMPARE(lines.size(), std::size_t(7));
    QCOMPARE(lines[0].text(), w.lblIndustryName->text());
    QCOMPARE(lines[0].font, (PrintFont{QString(), 12, true, false}));
    for (std::size_t i = 1; i <= 5; ++i)
        QCOMPARE(lines[i].text(), u" "_s);
    QCOMPARE(lines[6].text(), stored);
    QCOMPARE(lines[6].font, (PrintFont{QString(), 10, false, false}));
    QVERIFY(d.isVisible());
    QVERIFY(program.dialogs.prompts().empty());
}

// A definition longer than the page is wide wraps on paper: every word is printed, none
// beyond the page's right edge.
void TestIndustryPrintouts::longDefinitionOnPaper()
{
    kivtest::Program program;
    PdfPrinter pdf;
    FrmStartup& w = openEdition(program, 0, u"optVol1"_s);
    QStringList words;
    for (int i = 0; i < 120; ++i)
        words << u"word%1"_s.arg(i);
    const QString definition = words.join(u' ');
    std::vector<std::vector<kiv::db::Value>> rows;
    QStringList columns = gRSData->columnNames();
    std::vector<kiv::db::Value> row;
    for (int c = 0; c < columns.size(); ++c)
        row.push_back(columns[c].compare(u"DEFINITIONSE", Qt::CaseInsensitive) == 0 ? kiv::db::Value::text(definition)
                                                                                     : gRSData->value(gRSData->position(), c));
    rows.push_back(row);
    gRSData = std::make_shared<kiv::db::Snapshot>(u"KIV_DATA"_s, columns, std::move(rows));
    click(w.cmdShow);
    program.dialogs.answer(kiv::vbOK);
    click(frmIndDefinitions().Print);

    const QString file = namedPdf(program);
    const QList<kivtest::PdfWord> printed = kivtest::pdfWords(file);
    QStringList found;
    double right = 0;
    QSet<int> lineTops;
    for (const kivtest::PdfWord& word : printed)
        if (word.text.startsWith(u"word")) {
            found << word.text;
            right = std::max(right, word.x);
            lineTops.insert(qRound(word.y));
        }
    QCOMPARE(found, words);
    QVERIFY(lineTops.size() > 3);
    // The last word of a line starts at least a word's width inside the Letter page's margin.
    QVERIFY2(right < 8.5 * 72 - 18 - 20, qPrintable(QString::number(right)));
}

KIV_TEST_MAIN(TestIndustryPrintouts)
#include "tst_industry_printouts.moc"
