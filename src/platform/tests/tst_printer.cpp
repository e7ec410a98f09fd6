// The printer layer: how lines of items are laid out, what the recording printer keeps, and a
// real print to PDF read back with pdftotext.
#include "platform/language.h"
#include "platform/printer.h"
#include "platform/printer_qt.h"
#include "pdf_text.h"
#include "test_support.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <ctime>
#include <functional>
#include <pthread.h>
#include <thread>

using namespace Qt::StringLiterals;
using kivtest::pdfToText;
using kivtest::TempHome;
using kivtest::wordPositions;
using kiv::PrintDocument;
using kiv::Spc;
using kiv::Tab;

namespace {

struct LayoutCase {
    const char* name;
    int width;
    std::function<void(PrintDocument&)> build;
    QString expected;
};

const std::vector<LayoutCase>& layoutCases()
{
    static const std::vector<LayoutCase> cases = {
        {"tab to a column", 0, [](PrintDocument& d) { d.print({u"Ab", Tab(5), u"cd"}); },
         QStringLiteral("Ab  cd")},
        {"tab to the column the line stands at", 0,
         [](PrintDocument& d) { d.print({QStringLiteral("abcd"), Tab(5), QStringLiteral("x")}); }, QStringLiteral("abcdx")},
        {"tab to a column already passed goes to the next line", 0,
         [](PrintDocument& d) { d.print({QStringLiteral("abcdef"), Tab(3), QStringLiteral("x"), Tab(6), QStringLiteral("y")}); },
         QStringLiteral("abcdef\n  x  y")},
        {"tab 0 is column 1", 0, [](PrintDocument& d) { d.print({Tab(0), QStringLiteral("a")}); }, QStringLiteral("a")},
        {"spc prints blanks", 0, [](PrintDocument& d) { d.print({QStringLiteral("a"), Spc(3), QStringLiteral("b")}); },
         QStringLiteral("a   b")},
        {"blank lines hold one blank", 0,
         [](PrintDocument& d) {
             d.print({QStringLiteral("x")});
             d.blankLine(2);
             d.print({QStringLiteral("y")});
         },
         QStringLiteral("x\n \n \ny")},
        {"an open line is continued by the next statement", 0,
         [](PrintDocument& d) {
             d.printOpen({Tab(10), QStringLiteral("Title")});
             d.print({Tab(3), QStringLiteral("h1"), Tab(12), QStringLiteral("h2")});
             d.print({QStringLiteral("next")});
         },
         QStringLiteral("         Title\n  h1       h2\nnext")},
        {"an open last line still ends", 0, [](PrintDocument& d) { d.printOpen({QStringLiteral("a")}); },
         QStringLiteral("a")},
        {"line breaks inside a text", 0,
         [](PrintDocument& d) { d.print({QStringLiteral("a\r\nb\nc"), Tab(3), QStringLiteral("d")}); },
         QStringLiteral("a\nb\nc d")},
        {"long text wraps at the last blank that fits", 10,
         [](PrintDocument& d) { d.print({QStringLiteral("one two three four")}); }, QStringLiteral("one two \nthree four")},
        {"a wrapped line starts at its next word", 9,
         [](PrintDocument& d) { d.print({QStringLiteral("one two   three")}); }, QStringLiteral("one two  \nthree")},
        {"a word wider than the page is cut", 4, [](PrintDocument& d) { d.print({QStringLiteral("abcdefghij")}); },
         QStringLiteral("abcd\nefgh\nij")},
        {"a word too long for the room left is cut and goes on at its column", 10,
         [](PrintDocument& d) { d.print({QStringLiteral("abcdef"), Tab(8), QStringLiteral("wxyz")}); },
         QStringLiteral("abcdef wxy\n       z")},
        {"a text past the margin goes on at the column it started at", 20,
         [](PrintDocument& d) { d.print({QStringLiteral("ab"), Tab(5), QStringLiteral("one two three four five six seven")}); },
         QStringLiteral("ab  one two three \n    four five six \n    seven")},
        {"a text that follows another goes on where it started", 12,
         [](PrintDocument& d) { d.print({QStringLiteral("Label"), Spc(1), QStringLiteral("one two three")}); },
         QStringLiteral("Label one \n      two \n      three")},
        {"items after a wrapped text go on in its last line", 20,
         [](PrintDocument& d) {
             d.print({QStringLiteral("ab"), Tab(5), QStringLiteral("one two three four"), Tab(12), QStringLiteral("x")});
         },
         QStringLiteral("ab  one two three \n    four   x")},
        {"a tab beyond the page goes to the next line", 10,
         [](PrintDocument& d) { d.print({QStringLiteral("ab"), Tab(20), QStringLiteral("c")}); }, QStringLiteral("ab\nc")},
        {"blanks past the edge are dropped", 5, [](PrintDocument& d) { d.print({QStringLiteral("abc      ")}); },
         QStringLiteral("abc  ")},
        {"a rule of underscores is cut at the margin", 10, [](PrintDocument& d) { d.print({QString(25, u'_') + u' '}); },
         QString(10, u'_')},
        {"a rule of dashes after a tab is cut at the margin", 10,
         [](PrintDocument& d) { d.print({QStringLiteral("a"), Tab(4), QString(30, u'-')}); }, QStringLiteral("a  ") + QString(7, u'-')},
        {"a rule of equal signs that fits is whole", 10, [](PrintDocument& d) { d.print({QString(6, u'=')}); },
         QString(6, u'=')},
        {"a rule past the margin starts a line of its own", 10,
         [](PrintDocument& d) { d.print({QString(10, u'x'), QString(12, u'_')}); },
         QString(10, u'x') + u'\n' + QString(10, u'_')},
        {"a text of rule signs and words wraps as text", 10,
         [](PrintDocument& d) { d.print({QStringLiteral("--- Total ---")}); }, QStringLiteral("--- Total \n---")},
    };
    return cases;
}

// Every font as tall as its size, one unit per character.
class SizedMetrics : public kiv::FixedPitchMetrics {
public:
    double lineHeight(const kiv::PrintFont& f) const override { return f.size; }
    double ascent(const kiv::PrintFont& f) const override { return f.size * 0.8; }
};

// The line of the text that holds the word, and the column it starts at.
std::pair<QString, qsizetype> find(const QString& text, const QString& word)
{
    for (const QString& line : text.split(u'\n')) {
        const qsizetype at = line.indexOf(word);
        if (at >= 0)
            return {line, at};
    }
    return {QString(), -1};
}

// Answers go on until the given tick, which says stop; counts the ticks.
struct StopAt : kiv::PrintTicker {
    explicit StopAt(int at = -1)
        : at(at)
    {
    }
    bool tick() override { return ++ticks < at || at < 0; }
    int at;
    int ticks = 0;
};

double cpuMs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The main thread's processor time: what it has worked, whatever else the machine runs.
double threadMs()
{
    return cpuMs(CLOCK_THREAD_CPUTIME_ID);
}

// What this thread has worked (threadMs()) when the clock reaches a moment, `afterMs` from now:
// read by a thread of its own that wakes then. On a busy machine it may wake later, which only
// makes the work counted from then smaller.
class WorkAtMoment {
public:
    explicit WorkAtMoment(int afterMs)
    {
        pthread_getcpuclockid(pthread_self(), &clock_);
        watcher_ = std::thread([this, afterMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
            work_ = cpuMs(clock_);
        });
    }
    ~WorkAtMoment() { work(); }
    WorkAtMoment(const WorkAtMoment&) = delete;
    WorkAtMoment& operator=(const WorkAtMoment&) = delete;
    double work()
    {
        if (watcher_.joinable())
            watcher_.join();
        return work_;
    }

private:
    clockid_t clock_{};
    double work_ = 0;
    std::thread watcher_;
};

QWidget* shownProgress()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == u"printProgress" && top->isVisible())
            return top;
    return nullptr;
}

} // namespace

class TstPrinter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data();
    void layout();
    void pagesBreakWhenFull();
    void recordsLinesWithTheirFonts();
    void recordingPrinterFailure();
    void noPrinterInstalled();
    void printToPdf();
    void pdfFolderUnavailable_data();
    void pdfFolderUnavailable();
    void pagesToPdf();
    void killedPrintLeavesNoPrintout();
    void pagesOnSheets();
    void faces_data();
    void faces();
    void layoutsStopWhenTold();
    void progressWhilePrepared_data();
    void progressWhilePrepared();
    void progressKeepsItsSize();
};

void TstPrinter::layout_data()
{
    QTest::addColumn<int>("index");
    const auto& cases = layoutCases();
    for (std::size_t i = 0; i < cases.size(); ++i)
        QTest::newRow(cases[i].name) << static_cast<int>(i);
}

void TstPrinter::layout()
{
    QFETCH(int, index);
    const LayoutCase& c = layoutCases()[static_cast<std::size_t>(index)];
    PrintDocument doc;
    c.build(doc);
    QCOMPARE(doc.toText(c.width), c.expected);
}

void TstPrinter::pagesBreakWhenFull()
{
    PrintDocument doc;
    doc.print({QStringLiteral("a")}); // 10 high
    doc.printOpen({QStringLiteral("b")});
    doc.setFontSize(20);
    doc.print({QStringLiteral("c")}); // one line of 10 and 20 points: 20 high
    doc.setFontSize(10);
    doc.print({QStringLiteral("d")});
    doc.print({QStringLiteral("e")});
    const SizedMetrics metrics;
    const auto pages = kiv::layoutDocument(doc, metrics, 0, 30);
    QCOMPARE(pages.size(), std::size_t(2));
    QCOMPARE(pages[0].size(), std::size_t(2)); // a (10) + bc (20) fill the page
    QCOMPARE(pages[0][1].height, 20.0);
    QCOMPARE(pages[0][1].y, 10.0);
    QCOMPARE(pages[0][1].runs.size(), std::size_t(2));
    QCOMPARE(pages[1].size(), std::size_t(2));
    QCOMPARE(pages[1][0].y, 0.0);
    // A line taller than the page still gets a page of its own.
    PrintDocument tall;
    tall.setFontSize(50);
    tall.print({QStringLiteral("x")});
    tall.print({QStringLiteral("y")});
    QCOMPARE(kiv::layoutDocument(tall, metrics, 0, 30).size(), std::size_t(2));
}

void TstPrinter::recordsLinesWithTheirFonts()
{
    kivtest::Program program;
    const kiv::RecordingPrinter& printer = program.printer;
    PrintDocument doc(QStringLiteral("Definition"));
    QCOMPARE(doc.font(), (kiv::PrintFont{QString(), 10, false, false}));
    doc.setBold(true);
    doc.setFontSize(12);
    doc.print({QStringLiteral("Title")});
    doc.blankLine(5);
    doc.setBold(false);
    doc.setFontSize(10);
    doc.setFontName(QStringLiteral("Times New Roman"));
    doc.setItalic(true);
    doc.print({QStringLiteral("Text"), Tab(20), QStringLiteral("more"), Spc(2), QStringLiteral("end")});
    QVERIFY(kiv::printDocument(doc).ok());
    QVERIFY(kiv::printDocument(doc).ok());

    QCOMPARE(printer.documents().size(), std::size_t(2)); // one document, ended once, per print
    const PrintDocument got = printer.last();
    QCOMPARE(got.title(), QStringLiteral("Definition"));
    QCOMPARE(got.lines().size(), std::size_t(7));
    QCOMPARE(got.lines()[0].font, (kiv::PrintFont{QString(), 12, true, false}));
    QCOMPARE(got.lines()[5].text(), QStringLiteral(" "));
    QCOMPARE(got.lines()[5].font, (kiv::PrintFont{QString(), 12, true, false}));
    QCOMPARE(got.lines()[6].font, (kiv::PrintFont{QStringLiteral("Times New Roman"), 10, false, true}));
    QCOMPARE(got.lines()[6].text(), QStringLiteral("Textmore  end"));
    QCOMPARE(got.textLines().last(), QStringLiteral("Text               more  end"));
}

void TstPrinter::recordingPrinterFailure()
{
    kivtest::Program program;
    kiv::RecordingPrinter& printer = program.printer;
    printer.setFailing(true);
    program.dialogs.answer(kiv::vbOK);
    PrintDocument doc;
    doc.print({QStringLiteral("x")});
    QCOMPARE(kiv::printDocument(doc).status, kiv::PrintOutcome::Status::Failed);
    QVERIFY(printer.documents().empty());
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QVERIFY(program.dialogs.last().text.startsWith(u"The document could not be printed"));
}

void TstPrinter::noPrinterInstalled()
{
    kivtest::Program program;
    kiv::Printer* old = kiv::setPrinter(nullptr);
    gLanguage = 1;
    program.dialogs.answer(kiv::vbOK);
    PrintDocument doc;
    doc.print({QStringLiteral("x")});
    const auto outcome = kiv::printDocument(doc);
    kiv::setPrinter(old);
    QVERIFY(!outcome.ok());
    QVERIFY(program.dialogs.last().text.startsWith(u"Le document n'a pas pu être imprimé"));
}

void TstPrinter::printToPdf()
{
    kivtest::Program program;
    TempHome home;
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), home.documents());
    QVERIFY(!QFileInfo::exists(home.documents())); // the printer makes it

    PrintDocument doc(QStringLiteral("Industry index"));
    doc.setFontName(QStringLiteral("Times New Roman"));
    doc.print({QStringLiteral("Name"), Tab(40), QStringLiteral("Code")});
    doc.print({QStringLiteral("Short"), Tab(40), QStringLiteral("12345")});
    doc.print({QStringLiteral("A first column that runs past column forty of the page"), Tab(40), QStringLiteral("Pushed")});
    doc.print({QStringLiteral("Left"), Tab(20), QStringLiteral("Middle"), Tab(60), QStringLiteral("Right")});
    QStringList words;
    for (int i = 1; i <= 60; ++i)
        words << QStringLiteral("word%1").arg(i, 2, 10, QLatin1Char('0'));
    doc.print({words.join(u' ')});

    kiv::QtPrinter printer(kiv::QtPrinter::Target::PdfOnly);
    program.dialogs.answer(kiv::vbOK);
    const auto outcome = printer.print(doc);
    QCOMPARE(outcome.status, kiv::PrintOutcome::Status::SavedAsPdf);
    QCOMPARE(QFileInfo(outcome.pdfPath).absolutePath(), home.documents());
    QCOMPARE(QFileInfo(outcome.pdfPath).fileName(), QStringLiteral("Kiv_2000 - Industry index.pdf"));
    QVERIFY(program.dialogs.last().text.contains(outcome.pdfPath));
    QCOMPARE(program.dialogs.last().style, kiv::vbOKOnly + kiv::vbInformation);

    const QString text = pdfToText(outcome.pdfPath);
    QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
    const auto code = find(text, QStringLiteral("Code"));
    const auto value = find(text, QStringLiteral("12345"));
    const auto pushed = find(text, QStringLiteral("Pushed"));
    QVERIFY(code.second > 0);
    QVERIFY(qAbs(code.second - value.second) <= 1);
    QVERIFY(qAbs(code.second - pushed.second) <= 1);
    QVERIFY2(!pushed.first.contains(u"first column"), "a passed tab column goes to the next line");
    const auto left = find(text, QStringLiteral("Left"));
    QCOMPARE(find(text, QStringLiteral("Middle")).first, left.first);
    QCOMPARE(find(text, QStringLiteral("Right")).first, left.first);
    // Where the columns are, in points: column n starts n - 1 average widths of Times New
    // Roman 10 (4.01 points) right of the quarter-inch margin.
    const auto x = wordPositions(outcome.pdfPath);
    QVERIFY2(qAbs(x.value(QStringLiteral("Left")) - 18) < 0.5, qPrintable(QString::number(x.value(QStringLiteral("Left")))));
    QVERIFY(qAbs(x.value(QStringLiteral("Middle")) - (18 + 19 * 4.01)) < 1);
    QVERIFY(qAbs(x.value(QStringLiteral("Right")) - (18 + 59 * 4.01)) < 1);
    QVERIFY(qAbs(x.value(QStringLiteral("Code")) - x.value(QStringLiteral("Pushed"))) < 0.01);
    // The long line wraps at the page width, between words, and keeps every word in order.
    const auto first = find(text, QStringLiteral("word01"));
    const auto last = find(text, QStringLiteral("word60"));
    QVERIFY(first.first != last.first);
    QString flowed = text.simplified();
    QVERIFY(flowed.contains(words.join(u' ')));

    // Times New Roman is drawn in Liberation Serif.
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {outcome.pdfPath});
    QVERIFY(fonts.waitForFinished(30000));
    QVERIFY(QString::fromUtf8(fonts.readAllStandardOutput()).contains(u"LiberationSerif"));

    // A second printout keeps the first file as it was.
    const QByteArray firstBytes = kivtest::readFile(outcome.pdfPath);
    program.dialogs.answer(kiv::vbOK);
    const auto second = printer.print(doc);
    QCOMPARE(QFileInfo(second.pdfPath).fileName(), QStringLiteral("Kiv_2000 - Industry index (2).pdf"));
    QVERIFY(QFileInfo(outcome.pdfPath).size() > 0);
    QCOMPARE(kivtest::readFile(outcome.pdfPath), firstBytes);
    QVERIFY(program.dialogs.last().text.endsWith(second.pdfPath));
}

void TstPrinter::pdfFolderUnavailable_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("start");
    QTest::newRow("English") << 0 << QStringLiteral("No printer is set up on this computer, and the document could not be saved");
    QTest::newRow("French") << 1 << QStringLiteral("Aucune imprimante n'est installée sur cet ordinateur, et le document n'a pas pu");
}

void TstPrinter::pdfFolderUnavailable()
{
    QFETCH(int, language);
    QFETCH(QString, start);
    kivtest::Program program;
    gLanguage = static_cast<std::int16_t>(language);
    TempHome home;
    QFile blocker(home.documents()); // a file where the folder should be
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    kiv::QtPrinter printer(kiv::QtPrinter::Target::PdfOnly);
    program.dialogs.answer(kiv::vbOK);
    PrintDocument doc;
    doc.print({QStringLiteral("x")});
    QCOMPARE(printer.print(doc).status, kiv::PrintOutcome::Status::Failed);
    QVERIFY2(program.dialogs.last().text.startsWith(start), qPrintable(program.dialogs.last().text));
    QCOMPARE(QFileInfo(home.documents()).size(), 0); // nothing written
}

void TstPrinter::pagesToPdf()
{
    kivtest::Program program;
    TempHome home;
    kiv::PageDocument pd{QStringLiteral("Report"), QString(), {}};
    for (int i = 1; i <= 3; ++i) {
        kiv::Page& page = pd.pages.emplace_back();
        page.blocks.emplace_back(std::in_place_type<kiv::PageParagraph>, QStringLiteral("Heading %1").arg(i), 12, true, false);
        kiv::PageTable& table = std::get<kiv::PageTable>(page.blocks.emplace_back(kiv::PageTable{{3, 1}, 1, {}}));
        table.rows.push_back({{QStringLiteral("Item")}, {QStringLiteral("Value"), false, true}});
        table.rows.push_back({{QStringLiteral("Cash %1").arg(i)}, {QStringLiteral("12.50"), false, true}});
        for (int r = 0; r < 30; ++r) // a table of 30 rows at 10 points fills half a sheet
            table.rows.push_back({{QStringLiteral("Row %1").arg(r)}, {QStringLiteral("1.00"), false, true}});
    }
    QVERIFY(pd.pages[0].toText().startsWith(u"Heading 1\nItem    Value\nCash 1  12.50\nRow 0    1.00\n"));

    kiv::QtPrinter printer(kiv::QtPrinter::Target::PdfOnly);
    program.dialogs.answer(kiv::vbOK);
    const auto outcome = printer.print(pd);
    QCOMPARE(outcome.status, kiv::PrintOutcome::Status::SavedAsPdf);
    const QStringList pages = pdfToText(outcome.pdfPath).split(u'\f', Qt::SkipEmptyParts);
    QStringList nonEmpty;
    for (const QString& p : pages)
        if (!p.trimmed().isEmpty())
            nonEmpty << p;
    QCOMPARE(nonEmpty.size(), 3); // one sheet per page
    for (int i = 0; i < 3; ++i) {
        QVERIFY(nonEmpty[i].contains(QStringLiteral("Heading %1").arg(i + 1)));
        QVERIFY(nonEmpty[i].contains(QStringLiteral("Cash %1").arg(i + 1)));
    }
}

// A printout to a file killed (kill -9) while it is written leaves no file under a printout's
// name, only its in-progress file, which the next printout removes; a cancelled one leaves
// nothing at all. The next printout takes the first name, whole.
void TstPrinter::killedPrintLeavesNoPrintout()
{
    kivtest::Program program;
    TempHome home;
    program.dialogs.acceptAll();
    kiv::PageDocument pd{QStringLiteral("Financial ratios"), QString(), {}};
    for (int i = 1; i <= 600; ++i) {
        kiv::Page& page = pd.pages.emplace_back();
        page.blocks.emplace_back(std::in_place_type<kiv::PageParagraph>, QStringLiteral("Industry %1").arg(i), 12, true, false);
        kiv::PageTable& table = std::get<kiv::PageTable>(page.blocks.emplace_back(kiv::PageTable{{3, 1, 1}, 1, {}}));
        for (int r = 0; r < 40; ++r)
            table.rows.push_back({{QStringLiteral("Ratio %1").arg(r)}, {QStringLiteral("12.50"), false, true}, {QStringLiteral("3.25"), false, true}});
    }
    const auto printouts = [&] {
        return QDir(home.documents()).entryList({QStringLiteral("*.pdf")}, QDir::Files | QDir::NoDotAndDotDot);
    };
    QVERIFY(QDir().mkpath(home.documents()));
    int killed = 0;
    for (int i = 0; i < 12; ++i) {
        const bool wasKilled = kivtest::killedWhileRunning(
            [&] {
                kiv::QtPrinter printer(kiv::QtPrinter::Target::PdfOnly, 1000000);
                printer.print(pd);
            },
            5000 + i * 15000);
        killed += wasKilled;
        if (!wasKilled) // done before it could be killed: whole, under its name
            for (const QString& done : printouts())
                QVERIFY(QFile::remove(QDir(home.documents()).filePath(done)));
        QCOMPARE(printouts(), QStringList());
        for (const QString& left : QDir(home.documents()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            QVERIFY2(left.endsWith(u".pdf") || left.contains(u".pdf.kiv_2000-in-progress."), qPrintable(left));
    }
    QVERIFY(killed >= 10);

    kiv::QtPrinter printer(kiv::QtPrinter::Target::PdfOnly, 1000000);
    const auto outcome = printer.print(pd);
    QCOMPARE(outcome.status, kiv::PrintOutcome::Status::SavedAsPdf);
    QCOMPARE(QDir(home.documents()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Kiv_2000 - Financial ratios.pdf")});
    QVERIFY(pdfToText(outcome.pdfPath).contains(u"Industry 600"));
}

// Page documents on sheets: every page starts a sheet; a table too long for its sheet goes on
// to the next one under its header rows; a row stays whole; a cell's text wraps inside its
// cell; numbers end at their cell's right padding; nothing leaves the area or its cell.
void TstPrinter::pagesOnSheets()
{
    // One unit per character, lines 10 high with an ascent of 8; one unit per point.
    class Metrics : public kiv::FixedPitchMetrics {
    public:
        double lineHeight(const kiv::PrintFont&) const override { return 10; }
        double ascent(const kiv::PrintFont&) const override { return 8; }
    } metrics;
    const double width = 40, height = 100;
    kiv::PageDocument pd{QStringLiteral("Report"), QString(), {}};
    kiv::Page& first = pd.pages.emplace_back();
    first.blocks.emplace_back(std::in_place_type<kiv::PageParagraph>, QStringLiteral("Heading"), 12, true, false);
    auto& table = std::get<kiv::PageTable>(first.blocks.emplace_back(kiv::PageTable{{3, 1}, 1, {}}));
    table.rows.push_back({{QStringLiteral("Item")}, {QStringLiteral("Val"), false, true}});
    for (int r = 1; r <= 8; ++r)
        table.rows.push_back({{QStringLiteral("Row %1").arg(r)}, {QStringLiteral("%1.00").arg(r), false, true}});
    table.rows.push_back({{QStringLiteral("A caption far too long for its column")}, {QStringLiteral("9.00"), false, true}});
    kiv::Page& second = pd.pages.emplace_back();
    second.blocks.emplace_back(std::in_place_type<kiv::PageParagraph>, QStringLiteral("Next page"), 12, true, false);

    const std::vector<kiv::Sheet> sheets = kiv::sheetsOf(pd, metrics, width, height, 1);
    // Heading 10 + 2, table margin 6, rows 14 high (10 and a padding of 2 above and below):
    // the header and four rows on the first sheet, the header and the rest on the second,
    // the next page on a third.
    const auto texts = [&](std::size_t i) {
        QStringList t;
        for (const kiv::SheetText& text : sheets[i].texts)
            t << text.text;
        return t;
    };
    QCOMPARE(sheets.size(), std::size_t(3));
    QCOMPARE(texts(0), (QStringList{u"Heading"_s, u"Item"_s, u"Val"_s, u"Row 1"_s, u"1.00"_s, u"Row 2"_s, u"2.00"_s, u"Row 3"_s,
                                    u"3.00"_s, u"Row 4"_s, u"4.00"_s}));
    QCOMPARE(texts(1).mid(0, 4), (QStringList{u"Item"_s, u"Val"_s, u"Row 5"_s, u"5.00"_s}));
    QCOMPARE(texts(1).mid(texts(1).size() - 4), (QStringList{u"8.00"_s, u"A caption far too long"_s, u"for its column"_s, u"9.00"_s}));
    QCOMPARE(texts(2), QStringList{u"Next page"_s});

    // The header row is bold; columns split the width 3 to 1, inside half a border.
    const double inset = kiv::kTableLineWidth / 2;
    const double split = inset + (width - 2 * inset) * 3 / 4;
    for (const kiv::Sheet& sheet : sheets) {
        for (const kiv::SheetText& t : sheet.texts) {
            QVERIFY2(t.x >= 0 && t.x + t.text.size() <= width && t.baseline - 8 >= 0 && t.baseline - 8 + 10 <= height,
                     qPrintable(t.text));
            if (t.text == u"Item" || t.text == u"Val")
                QVERIFY(t.font.bold);
            if (t.text.endsWith(u".00") || t.text == u"Val")
                QCOMPARE(t.x + t.text.size(), width - inset - 2); // against the right padding
            else if (t.text != u"Heading" && t.text != u"Next page")
                QVERIFY2(t.x >= inset + 2 && t.x + t.text.size() <= split - 2, qPrintable(t.text));
        }
        for (const kiv::SheetLine& l : sheet.lines)
            QVERIFY(std::min(l.x1, l.x2) >= inset && std::max(l.x1, l.x2) <= width - inset && std::min(l.y1, l.y2) >= 0
                    && std::max(l.y1, l.y2) <= height);
    }
    // The long caption's two lines make its row 24 high, whole on the second sheet.
    const auto& last = sheets[1].texts;
    const auto at = [&](const QString& text) {
        return std::find_if(last.begin(), last.end(), [&](const kiv::SheetText& t) { return t.text == text; })->baseline;
    };
    QCOMPARE(at(u"for its column"_s) - at(u"A caption far too long"_s), 10.0);
    QCOMPARE(at(u"9.00"_s), at(u"A caption far too long"_s));
}

void TstPrinter::faces_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("resolved");
    QTest::newRow("Times New Roman") << QStringLiteral("Times New Roman") << QStringLiteral("Liberation Serif");
    QTest::newRow("printer's own face") << QString() << QStringLiteral("Liberation Sans");
    QTest::newRow("Arial") << QStringLiteral("arial") << QStringLiteral("Liberation Sans");
    QTest::newRow("Courier New") << QStringLiteral("Courier New") << QStringLiteral("Liberation Mono");
}

void TstPrinter::faces()
{
    QFETCH(QString, face);
    QFETCH(QString, resolved);
    QCOMPARE(kiv::resolvedFace(face), resolved);
    // The font really is there: what is asked for is what is drawn.
    QCOMPARE(QFontInfo(kiv::printFont(kiv::PrintFont{face, 10, false, false})).family(), resolved);
}

// The layouts tell their ticker after every statement and table row, lay out the same with it
// as without, and stop where it says stop.
void TstPrinter::layoutsStopWhenTold()
{
    const kiv::FixedPitchMetrics metrics;
    PrintDocument doc;
    for (int i = 1; i <= 10; ++i)
        doc.print({QStringLiteral("Line %1").arg(i)});
    const auto texts = [](const std::vector<kiv::Sheet>& sheets) {
        QStringList out;
        for (const kiv::Sheet& sheet : sheets)
            for (const kiv::SheetText& t : sheet.texts)
                out << t.text;
        return out;
    };
    StopAt going;
    QCOMPARE(texts(kiv::sheetsOf(doc, metrics, 40, 3, &going)), texts(kiv::sheetsOf(doc, metrics, 40, 3)));
    QVERIFY(going.ticks >= 10);
    StopAt stop(5);
    const auto cut = kiv::sheetsOf(doc, metrics, 40, 3, &stop);
    QCOMPARE(texts(cut), (QStringList{u"Line 1"_s, u"Line 2"_s, u"Line 3"_s, u"Line 4"_s}));

    // A single page of one long table ticks row by row.
    kiv::PageDocument pd{QStringLiteral("Report"), QString(), {}};
    kiv::Page& page = pd.pages.emplace_back();
    page.blocks.emplace_back(std::in_place_type<kiv::PageParagraph>, QStringLiteral("Heading"), 12, true, false);
    auto& table = std::get<kiv::PageTable>(page.blocks.emplace_back(kiv::PageTable{{3, 1}, 1, {}}));
    for (int r = 0; r < 100; ++r)
        table.rows.push_back({{QStringLiteral("Row %1").arg(r)}, {QStringLiteral("1.00"), false, true}});
    StopAt pageGoing;
    const QStringList whole = texts(kiv::sheetsOf(pd, metrics, 60, 40, 0.1));
    QCOMPARE(texts(kiv::sheetsOf(pd, metrics, 60, 40, 0.1, &pageGoing)), whole);
    QVERIFY(pageGoing.ticks >= 100);
    StopAt pageStop(50);
    const QStringList part = texts(kiv::sheetsOf(pd, metrics, 60, 40, 0.1, &pageStop));
    QVERIFY2(part.size() < whole.size() / 2, qPrintable(QString::number(part.size())));
    QCOMPARE(part.value(0), u"Heading"_s);
}

void TstPrinter::progressWhilePrepared_data()
{
    QTest::addColumn<QString>("phase");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("label");
    QTest::newRow("while the document is built")
        << u"build"_s << 0 << u"Preparing \"Long report\" for printing"_s;
    QTest::newRow("while lines are laid out, French")
        << u"lines"_s << 1 << u"Préparation de « Long list » pour l'impression"_s;
    QTest::newRow("while a table is laid out") << u"table"_s << 0 << u"Preparing \"Long table\" for printing"_s;
}

// A printout that takes long before anything is drawn, to build its document or to lay it out:
// from its start the windows go on handling events (a timer of 20 ms keeps firing), the
// progress dialog with Cancel comes up after its delay counted from the start, and Cancel there
// stops the printout: no file, the user told that nothing was printed.
//
// Whatever the printout holds up is measured in the work done meanwhile (processor time of this
// thread), which is what the printout controls; the time on the clock also counts the other
// programs of a busy machine, which may leave this one waiting for a good part of a second.
void TstPrinter::progressWhilePrepared()
{
    QFETCH(QString, phase);
    QFETCH(int, language);
    QFETCH(QString, label);
    kivtest::Program program;
    gLanguage = static_cast<std::int16_t>(language);
    TempHome home;
    // Large enough that laying either out takes well over a second here.
    constexpr int kLines = 300000;
    PrintDocument lines(u"Long list"_s);
    kiv::PageDocument table{u"Long table"_s, QString(), {}};
    if (phase == u"lines") {
        for (int i = 0; i < kLines; ++i)
            lines.print({QString::number(i), Tab(10), QStringLiteral("Item %1 of the list").arg(i)});
    } else if (phase == u"table") {
        auto& t = std::get<kiv::PageTable>(table.pages.emplace_back().blocks.emplace_back(kiv::PageTable{{3, 1}, 1, {}}));
        for (int i = 0; i < kLines; ++i)
            t.rows.push_back({{QStringLiteral("Row %1").arg(i)}, {QString::number(i * 0.01, 'f', 2), false, true}});
    } else {
        table.pages.emplace_back().blocks.emplace_back(std::in_place_type<kiv::PageParagraph>, u"Short"_s, 10, false, false);
    }

    constexpr int kDelayMs = 500;
    kiv::QtPrinter printer(kiv::QtPrinter::Target::PdfOnly, kDelayMs);
    program.dialogs.answer(kiv::vbOK);
    bool progressWhileTold = true;
    program.dialogs.whileOpen = [&](const kivtest::Prompt&) { progressWhileTold = shownProgress() != nullptr; };
    QElapsedTimer clock;
    // When the dialog shows, from the start, and the work done by then.
    struct ShowWatch : QObject {
        QElapsedTimer* clock = nullptr;
        double at = -1;
        double work = 0;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() == QEvent::Show && at < 0 && o->objectName() == u"printProgress") {
                at = clock->nsecsElapsed() / 1e6;
                work = threadMs();
            }
            return false;
        }
    } shown;
    shown.clock = &clock;
    qApp->installEventFilter(&shown);
    // The events handled: a timer of 20 ms fires each time; the work done before each firing.
    struct Firing {
        double work, at;
    };
    std::vector<Firing> firings;
    QString shownLabel;
    bool cancelled = false;
    QTimer timer;
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, [&] {
        if (cancelled)
            return;
        firings.push_back({threadMs(), clock.nsecsElapsed() / 1e6});
        if (QWidget* progress = shownProgress()) {
            cancelled = true;
            shownLabel = progress->findChild<QLabel*>()->text();
            kivtest::click(progress->findChild<QPushButton*>(u"cmdCancel"_s));
        }
    });
    timer.start();
    WorkAtMoment atTheDelay(kDelayMs);
    clock.start();
    const double startWork = threadMs();
    kiv::PrintOutcome outcome;
    if (phase == u"build") {
        // A document built slowly, ticking the printout as it goes.
        const std::unique_ptr<kiv::PrintJob> job = printer.start(u"Long report"_s);
        while (job->tick() && clock.elapsed() < 10000) {
            QElapsedTimer piece;
            piece.start();
            while (piece.nsecsElapsed() < 500000) { // half a millisecond of work
            }
        }
        QVERIFY(job->cancelled());
        outcome = job->print(table);
    } else {
        outcome = phase == u"lines" ? printer.print(lines) : printer.print(table);
    }
    const double endWork = threadMs();
    timer.stop();
    qApp->removeEventFilter(&shown);

    QVERIFY2(cancelled, "the progress dialog was not seen");
    QVERIFY2(shown.at >= kDelayMs, qPrintable(QString::number(shown.at))); // a busy machine only makes it later
    const double lateWork = shown.work - atTheDelay.work();
    QVERIFY2(lateWork < 250, qPrintable(u"the dialog came up after %1 ms of work past its delay (at %2 ms on the clock)"_s
                                            .arg(lateWork, 0, 'f', 1).arg(shown.at, 0, 'f', 1)));
    // The events keep their pace (the printout handles them every 40 ms on the clock), but for
    // what is done in one piece: up to the first events, the start of the printout (for a table,
    // its first pass over the rows), and the opening of the dialog. Those take some 80 ms of work
    // in the sanitizer build and grow on a busy machine, where every piece of work takes more
    // processor time; a printout that handled no events before its dialog would hold them up for
    // the whole delay.
    double longestWork = 0, longestAt = 0, longestGap = 0;
    for (std::size_t i = 1; i + 1 < firings.size(); ++i)
        if (firings[i].work - firings[i - 1].work > longestWork) {
            longestWork = firings[i].work - firings[i - 1].work;
            longestGap = firings[i].at - firings[i - 1].at;
            longestAt = firings[i].at;
        }
    QVERIFY2(longestWork < 100, qPrintable(u"%1 ms of work without events (%2 ms on the clock, up to %3 ms)"_s
                                               .arg(longestWork, 0, 'f', 1).arg(longestGap, 0, 'f', 1).arg(longestAt, 0, 'f', 1)));
    const double firstWork = firings.front().work - startWork;
    QVERIFY2(firstWork < 300, qPrintable(u"%1 ms of work before the first events (%2 ms on the clock)"_s.arg(firstWork, 0, 'f', 1)
                                             .arg(firings.front().at, 0, 'f', 1)));
    if (firings.size() >= 2) {
        const double openWork = firings.back().work - firings[firings.size() - 2].work;
        QVERIFY2(openWork < 300, qPrintable(u"%1 ms of work without events while the dialog opened"_s.arg(openWork, 0, 'f', 1)));
    }
    QCOMPARE(shownLabel, label); // nothing drawn yet
    QVERIFY2(endWork - shown.work < 1000, qPrintable(QString::number(endWork - shown.work))); // the preparation stopped
    QCOMPARE(outcome.status, kiv::PrintOutcome::Status::Cancelled);
    QCOMPARE(program.dialogs.texts().size(), 1);
    QCOMPARE(program.dialogs.last().text, language == 0 ? u"Printing was cancelled: nothing was printed."_s
                                                        : u"L'impression a été annulée : rien n'a été imprimé."_s);
    QCOMPARE(program.dialogs.last().style, kiv::vbOKOnly + kiv::vbInformation);
    QVERIFY2(!progressWhileTold, "the progress dialog is gone before the user is told");
    QCOMPARE(QDir(home.documents()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!shownProgress());
}

// The dialog, up while the printout is prepared, keeps its size once the pages are counted
// (as long as their count has four digits at most).
void TstPrinter::progressKeepsItsSize()
{
    kivtest::Program program;
    TempHome home;
    kiv::PageDocument pd{u"Every industry of the edition, its financial ratios"_s, QString(), {}};
    for (int i = 0; i < 1000; ++i)
        pd.pages.emplace_back().blocks.emplace_back(std::in_place_type<kiv::PageParagraph>, u"Page"_s, 10, false, false);
    kiv::QtPrinter printer(kiv::QtPrinter::Target::PdfOnly, 0);
    program.dialogs.answer(kiv::vbOK);
    const std::unique_ptr<kiv::PrintJob> job = printer.start(pd.title);
    QVERIFY(job->tick());
    QWidget* progress = shownProgress();
    QVERIFY(progress);
    QCOMPARE(progress->findChild<QLabel*>()->text(), u"Preparing \"%1\" for printing"_s.arg(pd.title));
    QVERIFY(progress->width() > 360); // as wide as its labels
    const QSize prepared = progress->size();
    QString label;
    QSize drawn;
    QTimer cancel;
    cancel.setInterval(0);
    connect(&cancel, &QTimer::timeout, [&] {
        QWidget* p = shownProgress();
        if (!p || !p->findChild<QLabel*>()->text().contains(u"page"_s))
            return;
        cancel.stop();
        label = p->findChild<QLabel*>()->text();
        drawn = p->size();
        kivtest::click(p->findChild<QPushButton*>(u"cmdCancel"_s));
    });
    cancel.start();
    QCOMPARE(job->print(pd).status, kiv::PrintOutcome::Status::Cancelled);
    QVERIFY2(label.startsWith(u"Printing \"%1\": page "_s.arg(pd.title)) && label.endsWith(u" of 1000"_s), qPrintable(label));
    QCOMPARE(drawn, prepared);
}

KIV_TEST_MAIN(TstPrinter)
#include "tst_printer.moc"
