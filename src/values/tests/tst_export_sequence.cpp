// The export sequence with recording spreadsheet programs: the calls in their order, the file
// name question, the "..." rule of Lotus, the error numbers and their messages, the default
// names, and the 70 cells of the one-year figures.
#include "platform/spreadsheet/recording.h"
#include "platform/spreadsheet/save_file.h"
#include "shell/module1.h"
#include "test_support.h"
#include "values/export.h"
#include "values/export_window.h"
#include "values/frm_export.h"
#include "values/frm_my_values.h"
#include "industry/frm_startup.h"

#include <QFile>
#include <QLineEdit>
#include <csignal>
#include <sys/resource.h>

using namespace kiv::exports;
using kiv::sheet::RecordingServers;

namespace {

struct Documents {
    QTemporaryDir dir;
    Documents() { kiv::sheet::setDocumentsFolder(dir.path()); }
    ~Documents() { kiv::sheet::setDocumentsFolder(QString()); }
};

ExportCell cell(int row, int column, const QString& text, bool value)
{
    return {row, column, [text] { return text; }, value};
}

// A caption, a caption reading "...", an amount and a value reading "...".
ExportOperation smallOperation(Program program)
{
    ExportOperation op;
    op.program = program;
    op.title = QStringLiteral("Title");
    op.defaultName = QStringLiteral("/docs/MyVal1.xlsx");
    op.cells = {cell(1, 1, QStringLiteral("Cash"), false), cell(1, 2, QStringLiteral("..."), false),
                cell(4, 2, QStringLiteral(" 1500"), true), cell(12, 4, QStringLiteral("..."), true)};
    return op;
}

// Gives the industry selection window the code text the exports read from it.
void setIndustryCode(const QString& code)
{
    frmStartup().lblSICC->setText(code);
}

} // namespace

class TstExportSequence : public QObject {
    Q_OBJECT
private slots:
    void callOrder_data();
    void callOrder();
    void emptyNameWritesNothing_data();
    void emptyNameWritesNothing();
    void errors_data();
    void errors();
    void failedWriteIsNoSuccess();
    void declinedReplaceIsSilent();
    void refusedWrites_data();
    void refusedWrites();
    void titlesAndDefaultNames_data();
    void titlesAndDefaultNames();
    void ownerFlags_data();
    void ownerFlags();
    void oneYearFigures_data();
    void oneYearFigures();
};

void TstExportSequence::callOrder_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("success");
    const QString name = QStringLiteral("C:\\x y.xls");
    QTest::newRow("Excel, English") << int(Program::Excel) << 0
                                    << QStringList{QStringLiteral("create Excel.sheet"), QStringLiteral("cells(1, 1).Value = Cash"),
                                                   QStringLiteral("cells(1, 2).Value = ..."), QStringLiteral("cells(4, 2).Value =  1500"),
                                                   QStringLiteral("cells(12, 4).Value = ..."), QStringLiteral("saveas ") + name,
                                                   QStringLiteral("Quit"), QStringLiteral("release")}
                                    << QStringLiteral("Enter file name") << QStringLiteral("Successfully Exported '") + name + u'\'';
    QTest::newRow("Lotus, French")
        << int(Program::Lotus) << 1
        << QStringList{QStringLiteral("create Lotus123.workbook"), QStringLiteral("Ranges(A:A1.A:A1).Contents = Cash"),
                       QStringLiteral("Ranges(A:B1.A:B1).Contents = ..."), QStringLiteral("Ranges(A:B4.A:B4).Contents =  1500"),
                       QStringLiteral("Ranges(A:D12.A:D12).Contents = \"..."), QStringLiteral("saveas ") + name,
                       QStringLiteral("Quit"), QStringLiteral("release")}
        << QStringLiteral("Entrer nom du fichier") << QStringLiteral("Les données ont été exportées '") + name + u'\'';
}

void TstExportSequence::callOrder()
{
    QFETCH(int, program);
    QFETCH(int, language);
    QFETCH(QStringList, calls);
    QFETCH(QString, prompt);
    QFETCH(QString, success);
    kivtest::Program prog;
    gLanguage = static_cast<std::int16_t>(language);
    RecordingServers servers;
    QStringList callsWhenAsked;
    prog.dialogs.whileOpen = [&](const kivtest::Prompt&) { callsWhenAsked = servers.calls; };
    prog.dialogs.answerInput(QStringLiteral("C:\\x y.xls"));
    prog.dialogs.answer(kiv::vbOK);

    ExportToSpreadsheet(smallOperation(static_cast<Program>(program)));

    QCOMPARE(servers.calls, calls);
    const auto& asked = prog.dialogs.prompts();
    QCOMPARE(asked.size(), std::size_t(2));
    QCOMPARE(asked[0].kind, kivtest::Prompt::Kind::Input);
    QCOMPARE(asked[0].text, prompt);
    QCOMPARE(asked[0].title, QStringLiteral("Title"));
    QCOMPARE(asked[0].defaultText, QStringLiteral("/docs/MyVal1.xlsx"));
    QCOMPARE(asked[1].text, success);
    QCOMPARE(asked[1].style, int(kiv::vbOKOnly));
    QCOMPARE(asked[1].title, QStringLiteral("Kiv_2000"));
    // The program is created before the question; it is released before success is shown.
    QCOMPARE(callsWhenAsked, calls);
    QCOMPARE(servers.saved, QStringList{QStringLiteral("C:\\x y.xls")});
}

void TstExportSequence::emptyNameWritesNothing_data()
{
    QTest::addColumn<int>("program");
    QTest::newRow("Excel") << int(Program::Excel);
    QTest::newRow("Lotus") << int(Program::Lotus);
}

void TstExportSequence::emptyNameWritesNothing()
{
    QFETCH(int, program);
    kivtest::Program prog;
    RecordingServers servers;
    prog.dialogs.answerInput(QString());
    const ExportOperation op = smallOperation(static_cast<Program>(program));
    ExportToSpreadsheet(op);
    QCOMPARE(servers.calls, (QStringList{QStringLiteral("create ") + progId(op.program), QStringLiteral("release")}));
    QCOMPARE(prog.dialogs.prompts().size(), std::size_t(1));
}

void TstExportSequence::errors_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("message"); // empty: none
    using S = RecordingServers::Step;
    const QString create = QStringLiteral("create Excel.sheet");
    QTest::newRow("429 Excel") << int(Program::Excel) << 0 << int(S::Create) << 0 << 429
                               << QStringList{create + QStringLiteral(" -> error 429")}
                               << QStringLiteral("Please ensure that you have \"Excel\" installed.");
    QTest::newRow("429 Lotus, French") << int(Program::Lotus) << 1 << int(S::Create) << 0 << 429
                                       << QStringList{QStringLiteral("create Lotus123.workbook -> error 429")}
                                       << QStringLiteral("Assurz vous d'avoir \"Lotus\" installé.");
    QTest::newRow("1004 at the third cell") << int(Program::Excel) << 0 << int(S::Cell) << 2 << 1004
                                            << QStringList{create, QStringLiteral("cells(1, 1).Value = Cash"),
                                                           QStringLiteral("cells(1, 2).Value = ..."),
                                                           QStringLiteral("cells(4, 2).Value =  1500 -> error 1004"),
                                                           QStringLiteral("release")}
                                            << QString();
    QTest::newRow("1004 at saveas") << int(Program::Excel) << 1 << int(S::SaveAs) << 0 << 1004
                                    << QStringList{create, QStringLiteral("cells(1, 1).Value = Cash"),
                                                   QStringLiteral("cells(1, 2).Value = ..."), QStringLiteral("cells(4, 2).Value =  1500"),
                                                   QStringLiteral("cells(12, 4).Value = ..."), QStringLiteral("saveas x -> error 1004"),
                                                   QStringLiteral("release")}
                                    << QString();
    QTest::newRow("other at saveas, French") << int(Program::Excel) << 1 << int(S::SaveAs) << 0 << 7
                                             << QStringList{create, QStringLiteral("cells(1, 1).Value = Cash"),
                                                            QStringLiteral("cells(1, 2).Value = ..."),
                                                            QStringLiteral("cells(4, 2).Value =  1500"),
                                                            QStringLiteral("cells(12, 4).Value = ..."),
                                                            QStringLiteral("saveas x -> error 7"), QStringLiteral("release")}
                                             << QStringLiteral("Application error");
    QTest::newRow("other at the first cell") << int(Program::Lotus) << 0 << int(S::Cell) << 0 << 91
                                             << QStringList{QStringLiteral("create Lotus123.workbook"),
                                                            QStringLiteral("Ranges(A:A1.A:A1).Contents = Cash -> error 91"),
                                                            QStringLiteral("release")}
                                             << QStringLiteral("Application error");
    QTest::newRow("1004 at Quit") << int(Program::Lotus) << 0 << int(S::Quit) << 0 << 1004
                                  << QStringList{QStringLiteral("create Lotus123.workbook"), QStringLiteral("Ranges(A:A1.A:A1).Contents = Cash"),
                                                 QStringLiteral("Ranges(A:B1.A:B1).Contents = ..."),
                                                 QStringLiteral("Ranges(A:B4.A:B4).Contents =  1500"),
                                                 QStringLiteral("Ranges(A:D12.A:D12).Contents = \"..."), QStringLiteral("saveas x"),
                                                 QStringLiteral("Quit -> error 1004"), QStringLiteral("release")}
                                  << QString();
}

void TstExportSequence::errors()
{
    QFETCH(int, program);
    QFETCH(int, language);
    QFETCH(int, step);
    QFETCH(int, occurrence);
    QFETCH(int, number);
    QFETCH(QStringList, calls);
    QFETCH(QString, message);
    kivtest::Program prog;
    gLanguage = static_cast<std::int16_t>(language);
    RecordingServers servers;
    servers.failAt(static_cast<RecordingServers::Step>(step), number, occurrence);
    if (step != int(RecordingServers::Step::Create))
        prog.dialogs.answerInput(QStringLiteral("x"));
    if (!message.isEmpty())
        prog.dialogs.answer(kiv::vbOK);

    ExportToSpreadsheet(smallOperation(static_cast<Program>(program)));

    QCOMPARE(servers.calls, calls);
    QStringList messages;
    for (const auto& p : prog.dialogs.prompts())
        if (p.kind == kivtest::Prompt::Kind::Message) {
            messages << p.text;
            QCOMPARE(p.style, int(kiv::vbOKOnly));
        }
    QCOMPARE(messages, message.isEmpty() ? QStringList() : QStringList{message});
    // A missing program is told before anything is asked.
    if (step == int(RecordingServers::Step::Create))
        QCOMPARE(prog.dialogs.prompts().size(), std::size_t(1));
}

void TstExportSequence::failedWriteIsNoSuccess()
{
    // The program's own server, a folder that does not exist: the reason is shown, not success.
    kivtest::Program prog;
    Documents docs;
    prog.dialogs.answerInput(QStringLiteral("missing/MyVal.xlsx"));
    prog.dialogs.answer(kiv::vbOK);
    ExportToSpreadsheet(smallOperation(Program::Excel));
    QCOMPARE(prog.dialogs.texts().last(),
             QStringLiteral("The file '%1/missing/MyVal.xlsx' was not saved: its folder does not exist.").arg(docs.dir.path()));
    QCOMPARE(prog.dialogs.prompts().size(), std::size_t(2));
}

void TstExportSequence::declinedReplaceIsSilent()
{
    kivtest::Program prog;
    Documents docs;
    const QString file = docs.dir.path() + QStringLiteral("/MyVal.123");
    QVERIFY(kivtest::writeFile(file, "keep me"));
    prog.dialogs.answerInput(QStringLiteral("MyVal.123"));
    prog.dialogs.answer(kiv::vbNo);
    ExportToSpreadsheet(smallOperation(Program::Lotus));
    QCOMPARE(prog.dialogs.prompts().size(), std::size_t(2)); // the name, the question; nothing after No
    QCOMPARE(kivtest::readFile(file), QByteArray("keep me"));
}

void TstExportSequence::refusedWrites_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message"); // %1: the file
    QTest::newRow("read-only file, Excel, English") << int(Program::Excel) << 0 << QStringLiteral("read-only")
                                                    << QStringLiteral("The file '%1' was not saved: a read-only file of that name already exists.");
    QTest::newRow("read-only file, Lotus, French") << int(Program::Lotus) << 1 << QStringLiteral("read-only")
                                                   << QStringLiteral("Le fichier '%1' n'a pas été enregistré : un fichier en lecture seule porte déjà ce nom.");
    QTest::newRow("disk full, Excel, English")
        << int(Program::Excel) << 0 << QStringLiteral("disk full")
        << QStringLiteral("The file '%1' was not saved: the disk is full or the file could not be written.");
    QTest::newRow("disk full, Excel, French")
        << int(Program::Excel) << 1 << QStringLiteral("disk full")
        << QStringLiteral("Le fichier '%1' n'a pas été enregistré : le disque est plein ou le fichier n'a pas pu être écrit.");
    QTest::newRow("disk full, Lotus, English")
        << int(Program::Lotus) << 0 << QStringLiteral("disk full")
        << QStringLiteral("The file '%1' was not saved: the disk is full or the file could not be written.");
}

// The program's own servers over an existing file: a file without write permission is never
// replaced, whoever runs the program (root included), and nothing is asked; a disk that takes
// no more bytes is told as such. The old file stays as it was, and nothing of the workbook goes
// to the temporary folder.
void TstExportSequence::refusedWrites()
{
    QFETCH(int, program);
    QFETCH(int, language);
    QFETCH(QString, fault);
    QFETCH(QString, message);
    kivtest::Program prog;
    gLanguage = static_cast<std::int16_t>(language);
    Documents docs;
    const QString name = program == int(Program::Excel) ? QStringLiteral("MyVal.xlsx") : QStringLiteral("MyVal.123");
    const QString file = docs.dir.path() + u'/' + name;
    QVERIFY(kivtest::writeFile(file, "keep me"));
    QTemporaryDir temporary;
    const QByteArray tmpdirBefore = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    prog.dialogs.answerInput(name);
    if (fault == u"read-only") {
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        prog.dialogs.answer(kiv::vbOK);
        ExportToSpreadsheet(smallOperation(Program(program)));
    } else {
        prog.dialogs.answer(kiv::vbYes); // replace the old file
        prog.dialogs.answer(kiv::vbOK);
        // No file of this process may grow past a few bytes.
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit full = old;
        full.rlim_cur = 64;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &full) == 0);
        ExportToSpreadsheet(smallOperation(Program(program)));
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
    if (tmpdirBefore.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tmpdirBefore);

    QCOMPARE(prog.dialogs.prompts().size(), std::size_t(fault == u"read-only" ? 2 : 3));
    QCOMPARE(prog.dialogs.last().text, message.arg(file));
    QCOMPARE(kivtest::readFile(file), QByteArray("keep me"));
    QCOMPARE(QDir(docs.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    QCOMPARE(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

void TstExportSequence::titlesAndDefaultNames_data()
{
    QTest::addColumn<int>("texts");
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("defaultName"); // after the documents folder and "/"
    QTest::newRow("values, Excel, English") << 0 << int(Program::Excel) << 0 << QStringLiteral("1011")
                                            << QStringLiteral("Export, SIC:1011 to Excel file") << QStringLiteral("MyVal1011.xlsx");
    QTest::newRow("values, Lotus, French") << 0 << int(Program::Lotus) << 1 << QStringLiteral("1011")
                                           << QStringLiteral("Exporter, CTI:1011 à un fichier de Lotus") << QStringLiteral("MyVal1011.123");
    QTest::newRow("code with blanks") << 0 << int(Program::Excel) << 0 << QStringLiteral("10 11 ")
                                      << QStringLiteral("Export, SIC:10 11  to Excel file") << QStringLiteral("MyVal10 11 .xlsx");
    QTest::newRow("code with a slash") << 0 << int(Program::Lotus) << 0 << QStringLiteral("1011/1012")
                                       << QStringLiteral("Export, SIC:1011/1012 to Lotus file") << QStringLiteral("MyVal1011-1012.123");
    QTest::newRow("code climbing out") << 2 << int(Program::Excel) << 0 << QStringLiteral("/../../etc/x")
                                       << QStringLiteral("Export, SIC:/../../etc/x to Excel file") << QStringLiteral("MyBal-..-..-etc-x.xlsx");
    QTest::newRow("empty code") << 1 << int(Program::Excel) << 1 << QString()
                                << QStringLiteral("Exporter, CTI: à un fichier de Excel") << QStringLiteral("MyRat.xlsx");
    QTest::newRow("three-year values") << 3 << int(Program::Lotus) << 0 << QStringLiteral("1011")
                                       << QStringLiteral("Export My Values, SICE:1011 to Lotus file") << QStringLiteral("Mval1011.123");
    QTest::newRow("ratios, Lotus, English") << 1 << int(Program::Lotus) << 0 << QStringLiteral("1011")
                                            << QStringLiteral("Export, SIC:1011 to Lotus file") << QStringLiteral("MyRat1011.123");
    QTest::newRow("balance sheet, Lotus, French") << 2 << int(Program::Lotus) << 1 << QStringLiteral("not applicable")
                                                  << QStringLiteral("Exporter, CTI:not applicable à un fichier de Lotus")
                                                  << QStringLiteral("MyBalnot applicable.123");
    QTest::newRow("three-year values, Excel, French") << 3 << int(Program::Excel) << 1 << QStringLiteral("1011")
                                                      << QStringLiteral("Exporter Vol3, CTI-E:1011 à un fichier de Excel")
                                                      << QStringLiteral("Mval1011.xlsx");
    QTest::newRow("three-year ratios, Lotus, French") << 4 << int(Program::Lotus) << 1 << QStringLiteral("1011")
                                                      << QStringLiteral("Exporter Vol3, CTI-E:1011 à un fichier de Lotus")
                                                      << QStringLiteral("Mrat1011.123");
    QTest::newRow("three-year ratios, French") << 4 << int(Program::Excel) << 1 << QStringLiteral("non applicable")
                                               << QStringLiteral("Exporter Vol3, CTI-E:non applicable à un fichier de Excel")
                                               << QStringLiteral("Mratnon applicable.xlsx");
}

void TstExportSequence::titlesAndDefaultNames()
{
    QFETCH(int, texts);
    QFETCH(int, program);
    QFETCH(int, language);
    QFETCH(QString, code);
    QFETCH(QString, title);
    QFETCH(QString, defaultName);
    Documents docs;
    const ExportTexts* all[] = {&myValuesExport(), &myRatiosExport(), &myBalanceSheetExport(), &threeYearValuesExport(),
                                &threeYearRatiosExport()};
    const auto p = static_cast<Program>(program);
    QCOMPARE(exportTitle(*all[texts], p, code, language), title);
    const QString name = defaultExportName(*all[texts], p, code);
    QCOMPARE(name, docs.dir.path() + u'/' + defaultName);
    QCOMPARE(QFileInfo(name).absolutePath(), docs.dir.path());
}

void TstExportSequence::ownerFlags_data()
{
    QTest::addColumn<int>("before");  // flags before the button: bit 0 ratios, 1 balance, 2 values
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("after");
    QTest::addColumn<int>("oneYearOwner");   // -1: none
    QTest::addColumn<int>("threeYearOwner");
    using O = OwnerSlot;
    QTest::newRow("one-year values") << 3 << int(O::OneYearValues) << 4 << int(O::OneYearValues) << int(O::ThreeYearValues);
    QTest::newRow("one-year ratios") << 6 << int(O::OneYearRatios) << 1 << int(O::OneYearRatios) << int(O::ThreeYearRatios);
    QTest::newRow("balance sheet") << 5 << int(O::BalanceSheet) << 2 << int(O::BalanceSheet) << -1;
    // The three-year buttons leave the balance-sheet flag alone; frmExport would test it first.
    QTest::newRow("three-year values") << 3 << int(O::ThreeYearValues) << 6 << int(O::BalanceSheet) << int(O::ThreeYearValues);
    QTest::newRow("three-year ratios") << 6 << int(O::ThreeYearRatios) << 3 << int(O::OneYearRatios) << int(O::ThreeYearRatios);
}

void TstExportSequence::ownerFlags()
{
    QFETCH(int, before);
    QFETCH(int, slot);
    QFETCH(int, after);
    QFETCH(int, oneYearOwner);
    QFETCH(int, threeYearOwner);
    kivtest::Program prog;
    gExportFromRatios = before & 1;
    gExportFromBalanceSheet = before & 2;
    gExportFromValues = before & 4;
    setOwnerFlags(static_cast<OwnerSlot>(slot));
    QCOMPARE(int(gExportFromRatios) | int(gExportFromBalanceSheet) << 1 | int(gExportFromValues) << 2, after);
    const auto one = findOwner(DialogKind::OneYear);
    const auto three = findOwner(DialogKind::ThreeYear);
    QCOMPARE(one ? int(*one) : -1, oneYearOwner);
    QCOMPARE(three ? int(*three) : -1, threeYearOwner);
}

void TstExportSequence::oneYearFigures_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("language");
    QTest::newRow("Excel, English") << int(Program::Excel) << 0;
    QTest::newRow("Lotus, French") << int(Program::Lotus) << 1;
}

void TstExportSequence::oneYearFigures()
{
    QFETCH(int, program);
    QFETCH(int, language);
    kivtest::Program prog;
    gLanguage = static_cast<std::int16_t>(language);
    Documents docs;
    RecordingServers servers;
    setIndustryCode(QStringLiteral("1011"));
    FrmMyValues& w = frmMyValues();
    w.Show();
    // Box i (in layout order) shows " i00"; then two totals show "...", which Lotus gets as
    // right-aligned labels.
    const Layout layout = myValuesLayout(language);
    int n = 0;
    for (const LayoutCell& c : layout)
        if (c.value)
            w.findChild<QLineEdit*>(c.parts.at(0).text)->setText(QStringLiteral(" %1").arg(++n * 100));
    QTest::mouseClick(w.cmdExport, Qt::LeftButton);
    QVERIFY(frmExport().isVisible());
    QVERIFY(!w.isEnabled());
    // The texts are read when the export runs.
    w.txtToa->setText(QStringLiteral("..."));
    w.txtEquity1->setText(QStringLiteral("..."));
    w.txtTa->setText(QStringLiteral("1.234568E+07"));
    QVERIFY(gExportFromValues && !gExportFromRatios && !gExportFromBalanceSheet);
    const auto p = static_cast<Program>(program);
    QTest::mouseClick(p == Program::Lotus ? frmExport().optLotus : frmExport().optExcel, Qt::LeftButton);
    prog.dialogs.answerInput(QStringLiteral("figures"));
    prog.dialogs.answer(kiv::vbOK);
    QTest::mouseClick(frmExport().cmdOK, Qt::LeftButton);
    QVERIFY(w.isEnabled());

    const auto& asked = prog.dialogs.prompts();
    QCOMPARE(asked.size(), std::size_t(2));
    QCOMPARE(asked[0].title, exportTitle(myValuesExport(), p, QStringLiteral("1011"), language));
    QCOMPARE(asked[0].defaultText, docs.dir.path() + (p == Program::Excel ? QStringLiteral("/MyVal1011.xlsx") : QStringLiteral("/MyVal1011.123")));
    QCOMPARE(asked[1].text, language == 0 ? QStringLiteral("Successfully Exported 'figures'") : QStringLiteral("Les données ont été exportées 'figures'"));

    // The cells of the sheet, in the order written: row by row, left to right.
    const QStringList expected = QStringLiteral(
        "A1 A3 D3 A4 B4 D4 E4 A5 B5 D5 E5 A6 B6 D6 E6 A7 B7 D7 E7 A8 B8 D8 E8 A9 B9 D9 E9 A10 B10 D10 E10 "
        "A11 B11 D11 E11 A12 B12 D12 E12 D13 E13 D14 E14 D15 E15 D16 E16 D17 E17 D18 E18 D19 E19 D20 E20 "
        "A22 A23 B23 A24 B24 A25 B25 A26 B26 A27 B27 A28 B28 A29 B29").split(u' ');
    QStringList cells;
    for (const auto& written : servers.written)
        cells << written.cell;
    QCOMPARE(cells, expected);

    // Captions as the window shows them in the user's language; figures as the boxes show them.
    QCOMPARE(servers.cell(QStringLiteral("A1")), language == 0 ? QStringLiteral("Your Company Values") : QStringLiteral("Valeurs de Votre Entreprise"));
    n = 0;
    for (const LayoutCell& c : layout) {
        const QString got = servers.cell(c.cell);
        if (c.stringId)
            QCOMPARE(got, kiv::text(c.stringId));
        if (!c.value)
            continue;
        ++n;
        const QString shown = w.findChild<QLineEdit*>(c.parts.at(0).text)->text();
        QCOMPARE(got, p == Program::Lotus && shown == QStringLiteral("...") ? QStringLiteral("\"...") : shown);
    }
    QCOMPARE(n, 33);
    QCOMPARE(servers.cell(QStringLiteral("B9")), p == Program::Lotus ? QStringLiteral("\"...") : QStringLiteral("..."));
    QCOMPARE(servers.cell(QStringLiteral("B12")), QStringLiteral("1.234568E+07"));
    QCOMPARE(servers.cell(QStringLiteral("D12")), language == 0 ? QStringLiteral("Deferred tax") : QStringLiteral("Impôts sur le revenu reporté"));
}

KIV_TEST_MAIN(TstExportSequence)
#include "tst_export_sequence.moc"
