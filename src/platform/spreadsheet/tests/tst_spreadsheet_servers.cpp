// The spreadsheet servers on their own: cell names, number cells, the 1-2-3 records and text
// bytes, and the safe saving of a file under a typed name.
#include "platform/in_progress_file.h"
#include "platform/language.h"
#include "platform/spreadsheet/automation.h"
#include "platform/spreadsheet/cell_text.h"
#include "platform/spreadsheet/save_file.h"
#include "platform/spreadsheet/wk1.h"
#include "test_support.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kiv::sheet;

namespace {

using kivtest::readFile;

// Keeps the documents folder of a test in a temporary folder.
struct Documents {
    QTemporaryDir dir;
    Documents() { setDocumentsFolder(dir.path()); }
    ~Documents() { setDocumentsFolder(QString()); }
    QString path(const QString& name) const { return dir.path() + u'/' + name; }
};

int errorOf(const std::function<void()>& call, QString* message = nullptr)
{
    try {
        call();
    } catch (const AutomationError& e) {
        if (message)
            *message = e.message;
        return e.number;
    }
    return 0;
}

// The rows of a test run with each program: its name for CreateObject and a file name.
void bothPrograms()
{
    QTest::addColumn<QString>("progId");
    QTest::addColumn<QString>("name");
    QTest::newRow("Excel") << QStringLiteral("Excel.sheet") << QStringLiteral("MyVal1011.xlsx");
    QTest::newRow("Lotus") << QStringLiteral("Lotus123.workbook") << QStringLiteral("MyVal1011.123");
}

} // namespace

class TstSpreadsheetServers : public QObject {
    Q_OBJECT
private slots:
    void cellNames_data();
    void cellNames();
    void oneCellRanges_data();
    void oneCellRanges();
    void numberCells_data();
    void numberCells();
    void lotusContents_data();
    void lotusContents();
    void lotusTextBytes_data();
    void lotusTextBytes();
    void worksheetRecords();
    void serverCalls();
    void namesResolve_data();
    void namesResolve();
    void replaceQuestion_data();
    void replaceQuestion();
    void failedWritesNameTheFile_data();
    void failedWritesNameTheFile();
    void fullDiskKeepsTheOldFile();
    void killedSaveIsClearedByTheNext();
    void twoCopiesExportToOneName_data();
    void twoCopiesExportToOneName();
    void killedExportsLeaveNothing_data();
    void killedExportsLeaveNothing();
    void noTemporaryFolderNeeded_data();
    void noTemporaryFolderNeeded();
    void linksAreFollowed();
    void documentsFolderIsMade();
};

void TstSpreadsheetServers::cellNames_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    QTest::newRow("A1") << 1 << 1 << QStringLiteral("A1");
    QTest::newRow("Z9") << 9 << 26 << QStringLiteral("Z9");
    QTest::newRow("AA10") << 10 << 27 << QStringLiteral("AA10");
    QTest::newRow("IV8192") << 8192 << 256 << QStringLiteral("IV8192");
    QTest::newRow("D12") << 12 << 4 << QStringLiteral("D12");
}

void TstSpreadsheetServers::cellNames()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, name);
    QCOMPARE(cellName(row, column), name);
    int r = 0, c = 0;
    QVERIFY(parseCellName(name, &r, &c));
    QCOMPARE(r, row);
    QCOMPARE(c, column);
}

void TstSpreadsheetServers::oneCellRanges_data()
{
    QTest::addColumn<QString>("range");
    QTest::addColumn<QString>("cell"); // empty: refused
    QTest::newRow("one period") << QStringLiteral("A:B4.A:B4") << QStringLiteral("B4");
    QTest::newRow("two periods") << QStringLiteral("A:D12..A:D12") << QStringLiteral("D12");
    QTest::newRow("single corner") << QStringLiteral("A:E20") << QStringLiteral("E20");
    QTest::newRow("two cells") << QStringLiteral("A:B4.A:B5") << QString();
    QTest::newRow("sheet B") << QStringLiteral("B:B4.B:B4") << QString();
    QTest::newRow("no sheet") << QStringLiteral("B4.B4") << QString();
    QTest::newRow("row 0") << QStringLiteral("A:B0.A:B0") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TstSpreadsheetServers::oneCellRanges()
{
    QFETCH(QString, range);
    QFETCH(QString, cell);
    int r = 0, c = 0;
    const bool ok = parseOneCellRange(range, &r, &c);
    QCOMPARE(ok, !cell.isEmpty());
    if (ok)
        QCOMPARE(cellName(r, c), cell);
}

void TstSpreadsheetServers::numberCells_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("leading blank") << QStringLiteral(" 1500") << true << 1500.0;
    QTest::newRow("single-precision total") << QStringLiteral("1.234568E+07") << true << 12345680.0;
    QTest::newRow("negative decimals") << QStringLiteral("-12.5") << true << -12.5;
    QTest::newRow("zero") << QStringLiteral("0") << true << 0.0;
    QTest::newRow("ratio") << QStringLiteral("12.34") << true << 12.34;
    QTest::newRow("blanks inside") << QStringLiteral("1 000") << true << 1000.0;
    QTest::newRow("D exponent") << QStringLiteral("1D3") << true << 1000.0;
    QTest::newRow("hexadecimal") << QStringLiteral("&H1F") << true << 31.0;
    QTest::newRow("placeholder") << QStringLiteral("...") << false << 0.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("blank position") << QStringLiteral(" ") << false << 0.0;
    QTest::newRow("thousands comma") << QStringLiteral("1,234") << false << 0.0;
    QTest::newRow("trailing letters") << QStringLiteral("12abc") << false << 0.0;
    QTest::newRow("caption") << QStringLiteral("Cash") << false << 0.0;
    QTest::newRow("exponent without digits") << QStringLiteral("1E") << false << 0.0;
    QTest::newRow("beyond a double") << QStringLiteral("1E999") << false << 0.0;
    QTest::newRow("beyond a double, negative") << QStringLiteral("-1D400") << false << 0.0;
}

void TstSpreadsheetServers::numberCells()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const auto n = numberCellValue(text);
    QCOMPARE(n.has_value(), isNumber);
    if (n)
        QCOMPARE(*n, value);
}

void TstSpreadsheetServers::lotusContents_data()
{
    QTest::addColumn<QString>("contents");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<QString>("label");
    QTest::newRow("right-aligned placeholder") << QStringLiteral("\"...") << false << QStringLiteral("\"...");
    QTest::newRow("caption") << QStringLiteral("Encaisse") << false << QStringLiteral("'Encaisse");
    QTest::newRow("amount") << QStringLiteral(" 1500") << true << QString();
    QTest::newRow("label of digits") << QStringLiteral("'1999") << false << QStringLiteral("'1999");
    QTest::newRow("centred") << QStringLiteral("^Title") << false << QStringLiteral("^Title");
    QTest::newRow("bare placeholder") << QStringLiteral("...") << false << QStringLiteral("'...");
}

void TstSpreadsheetServers::lotusContents()
{
    QFETCH(QString, contents);
    QFETCH(bool, isNumber);
    QFETCH(QString, label);
    const wk1::Cell c = wk1::contentsCell(3, 2, contents);
    QCOMPARE(c.isNumber, isNumber);
    if (!isNumber)
        QCOMPARE(c.label, label);
}

void TstSpreadsheetServers::lotusTextBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("Cash") << QByteArray("Cash");
    QTest::newRow("French letters")
        << QStringLiteral("éèàçôêâîûùëïü") << QByteArray("\x82\x8A\x85\x87\x93\x88\x83\x8C\x96\x97\x89\x8B\x81");
    QTest::newRow("shared capitals") << QStringLiteral("ÉÇ") << QByteArray("\x90\x80");
    QTest::newRow("capitals one page lacks") << QStringLiteral("ÀÊÈÔÎ") << QByteArray("AEEOI");
    QTest::newRow("ligature") << QStringLiteral("Œuvre sœur") << QByteArray("OEuvre soeur");
    QTest::newRow("typographic apostrophe") << QStringLiteral("l’état") << QByteArray("l'\x82tat");
    QTest::newRow("control characters") << QStringLiteral("a\tb\nc") << QByteArray("a b c");
    QTest::newRow("euro") << QStringLiteral("5 €") << QByteArray("5 EUR");
    QTest::newRow("outside both pages") << QStringLiteral("Ж😀") << QByteArray("??");
}

void TstSpreadsheetServers::lotusTextBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(wk1::encodeText(text), bytes);
}

void TstSpreadsheetServers::worksheetRecords()
{
    // A number in B4 and a right-aligned label in A1, given out of order.
    const QByteArray sheet = wk1::worksheet({wk1::contentsCell(4, 2, QStringLiteral("1.5")),
                                             wk1::contentsCell(1, 1, QStringLiteral("\"Dé"))});
    const QByteArray expected = QByteArray::fromHex("0000" "0200" "0604"          // BOF, version
                                                    "0600" "0800" "0000" "0000" "0100" "0300" // used range A1..B4
                                                    "0F00" "0900" "71" "0000" "0000" "2244" "82" "00" // LABEL A1
                                                    "0E00" "0D00" "71" "0100" "0300" "000000000000F83F" // NUMBER B4
                                                    "0100" "0000");               // EOF
    QCOMPARE(sheet.toHex(), expected.toHex());

    // Labels are cut to what a 1-2-3 cell holds.
    const QByteArray longSheet = wk1::worksheet({wk1::contentsCell(1, 1, QString(300, u'x'))});
    QCOMPARE(longSheet.mid(4 + 2 + 4 + 8 + 2, 2), QByteArray::fromHex("F600")); // 5 + 240 + 1
}

void TstSpreadsheetServers::serverCalls()
{
    kivtest::Program program;
    auto excel = CreateObject(QStringLiteral("Excel.sheet"));
    auto lotus = CreateObject(QStringLiteral("Lotus123.workbook"));
    QCOMPARE(errorOf([] { CreateObject(QStringLiteral("Quattro.sheet")); }), int(kCannotCreateObject));
    // Each program answers only its own way of addressing a cell.
    QCOMPARE(errorOf([&] { excel->setRangeContents(QStringLiteral("A:A1.A:A1"), QStringLiteral("x")); }), int(kInvalidCall));
    QCOMPARE(errorOf([&] { lotus->setCellValue(1, 1, QStringLiteral("x")); }), int(kInvalidCall));
    QCOMPARE(errorOf([&] { excel->setCellValue(0, 1, QStringLiteral("x")); }), int(kInvalidCall));
    QCOMPARE(errorOf([&] { lotus->setRangeContents(QStringLiteral("A:A1.A:B2"), QStringLiteral("x")); }), int(kInvalidCall));
    QCOMPARE(errorOf([&] { lotus->setRangeContents(QStringLiteral("A:IW1.A:IW1"), QStringLiteral("x")); }), int(kInvalidCall));
    excel->setCellValue(1, 1, QStringLiteral("x"));
    // After Quit the program answers nothing.
    excel->quit();
    QCOMPARE(errorOf([&] { excel->setCellValue(1, 1, QStringLiteral("y")); }), int(kServerGone));
    QCOMPARE(errorOf([&] { excel->saveas(QStringLiteral("x.xlsx")); }), int(kServerGone));
}

void TstSpreadsheetServers::namesResolve_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file"); // "<docs>" and "<home>" stand for those folders
    QTest::newRow("bare name") << QStringLiteral("MyVal1011.xlsx") << QStringLiteral("<docs>/MyVal1011.xlsx");
    QTest::newRow("name with blanks") << QStringLiteral("My Val 1.123") << QStringLiteral("<docs>/My Val 1.123");
    QTest::newRow("relative folder") << QStringLiteral("sub/x.xlsx") << QStringLiteral("<docs>/sub/x.xlsx");
    QTest::newRow("absolute") << QStringLiteral("/tmp/a/../x.123") << QStringLiteral("/tmp/x.123");
    QTest::newRow("home") << QStringLiteral("~/x.xlsx") << QStringLiteral("<home>/x.xlsx");
    QTest::newRow("old drive letter") << QStringLiteral("C:\\MyVal.xls") << QStringLiteral("<docs>/C:\\MyVal.xls");
}

void TstSpreadsheetServers::namesResolve()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    Documents docs;
    file.replace(QStringLiteral("<docs>"), docs.dir.path()).replace(QStringLiteral("<home>"), QDir::homePath());
    QCOMPARE(resolveSaveName(name), file);
}

void TstSpreadsheetServers::replaceQuestion_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question");
    QTest::newRow("English, Yes") << 0 << int(kiv::vbYes) << QStringLiteral("The file '%1' already exists. Do you want to replace it?");
    QTest::newRow("English, No") << 0 << int(kiv::vbNo) << QStringLiteral("The file '%1' already exists. Do you want to replace it?");
    QTest::newRow("French, Yes") << 1 << int(kiv::vbYes) << QStringLiteral("Le fichier '%1' existe déjà. Voulez-vous le remplacer ?");
    QTest::newRow("French, No") << 1 << int(kiv::vbNo) << QStringLiteral("Le fichier '%1' existe déjà. Voulez-vous le remplacer ?");
}

void TstSpreadsheetServers::replaceQuestion()
{
    QFETCH(int, language);
    QFETCH(int, answer);
    QFETCH(QString, question);
    kivtest::Program program;
    gLanguage = static_cast<std::int16_t>(language);
    Documents docs;
    const QString file = docs.path(QStringLiteral("old.xlsx"));
    QVERIFY(kivtest::writeFile(file, "old content"));

    program.dialogs.answer(answer);
    const int error = errorOf([] { saveWorkbookFile(QStringLiteral("old.xlsx"), [] { return QByteArray("new content"); }); });
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QCOMPARE(program.dialogs.last().text, question.arg(file));
    QCOMPARE(program.dialogs.last().style, int(kiv::vbYesNo + kiv::vbQuestion));
    if (answer == kiv::vbYes) {
        QCOMPARE(error, 0);
        QCOMPARE(readFile(file), QByteArray("new content"));
    } else {
        QCOMPARE(error, int(kApplicationDefined));
        QCOMPARE(readFile(file), QByteArray("old content"));
    }
    QCOMPARE(QDir(docs.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.xlsx")});
}

void TstSpreadsheetServers::failedWritesNameTheFile_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name"); // relative to the documents folder
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("message"); // %1: the file
    QTest::newRow("missing folder, English") << 0 << QStringLiteral("nowhere/x.xlsx") << int(kPathNotFound)
                                             << QStringLiteral("The file '%1' was not saved: its folder does not exist.");
    QTest::newRow("missing folder, French") << 1 << QStringLiteral("nowhere/x.xlsx") << int(kPathNotFound)
                                            << QStringLiteral("Le fichier '%1' n'a pas été enregistré : son dossier n'existe pas.");
    QTest::newRow("a folder of that name") << 0 << QStringLiteral("taken") << int(kFileAccess)
                                           << QStringLiteral("The file '%1' was not saved: a folder of that name already exists.");
    QTest::newRow("a folder of that name, French") << 1 << QStringLiteral("taken") << int(kFileAccess)
                                                   << QStringLiteral("Le fichier '%1' n'a pas été enregistré : un dossier porte déjà ce nom.");
    QTest::newRow("read-only folder") << 0 << QStringLiteral("locked/x.xlsx") << int(kPermissionDenied)
                                      << QStringLiteral("The file '%1' was not saved: you are not allowed to write there.");
}

void TstSpreadsheetServers::failedWritesNameTheFile()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(int, number);
    QFETCH(QString, message);
    kivtest::Program program;
    gLanguage = static_cast<std::int16_t>(language);
    Documents docs;
    QDir(docs.dir.path()).mkdir(QStringLiteral("taken"));
    QDir(docs.dir.path()).mkdir(QStringLiteral("locked"));
    QFile::setPermissions(docs.path(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner);
    if (name.startsWith(QStringLiteral("locked")) && ::geteuid() == 0)
        QSKIP("the super-user may write into a read-only folder");

    QString shown;
    const int error = errorOf([&] { saveWorkbookFile(name, [] { return QByteArray("x"); }); }, &shown);
    QCOMPARE(error, number);
    QCOMPARE(shown, message.arg(docs.path(name)));
    QVERIFY(program.dialogs.prompts().empty());
}

void TstSpreadsheetServers::fullDiskKeepsTheOldFile()
{
    // A file-size limit makes every write past 64 bytes fail as a full disk does.
    kivtest::Program program;
    Documents docs;
    const QString file = docs.path(QStringLiteral("MyVal.123"));
    QVERIFY(kivtest::writeFile(file, "old"));
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    program.dialogs.answer(kiv::vbYes);
    QString shown;
    const int error = errorOf([] { saveWorkbookFile(QStringLiteral("MyVal.123"), [] { return QByteArray(4096, 'x'); }); }, &shown);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(error, int(kDiskFull));
    QCOMPARE(shown, QStringLiteral("The file '%1' was not saved: the disk is full or the file could not be written.").arg(file));
    QCOMPARE(readFile(file), QByteArray("old"));
    QCOMPARE(QDir(docs.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("MyVal.123")});
}

// A save killed while it writes leaves the old file whole and its in-progress file beside it;
// the next save under that name removes it, and nothing else.
void TstSpreadsheetServers::killedSaveIsClearedByTheNext()
{
    kivtest::Program program;
    Documents docs;
    const QString file = docs.path(QStringLiteral("MyVal.xlsx"));
    QVERIFY(kivtest::writeFile(file, "old"));
    // Files that only look alike: another file's leftover, and the user's own hidden files,
    // however much they look like a program's new files.
    const QStringList others{QStringLiteral(".MyVal.xlsx.backup"), QStringLiteral(".MyVal.xlsx.Ab12Cd.new.keep"),
                             QStringLiteral(".MyRat.xlsx.kiv_2000-in-progress.Ab12Cd34Ef56"), QStringLiteral("MyVal.xlsx.Ab12Cd.new"),
                             QStringLiteral(".MyVal.xlsx.ABC123.new"), QStringLiteral(".MyVal.xlsx.notes1.new")};
    for (const QString& name : others)
        QVERIFY(kivtest::writeFile(docs.path(name), "the user's"));
    QVERIFY(QFile::link(docs.path(others.first()), docs.path(QStringLiteral(".MyVal.xlsx.kiv_2000-in-progress.Zz98Yy76Xx54"))));
    const auto files = [&] {
        QStringList all = QDir(docs.dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : others)
            all.removeOne(name);
        all.removeOne(QStringLiteral(".MyVal.xlsx.kiv_2000-in-progress.Zz98Yy76Xx54"));
        return all;
    };

    // The system ends the child at its first write past a few bytes.
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit tiny{64, 64}, noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        program.dialogs.answer(kiv::vbYes);
        errorOf([] { saveWorkbookFile(QStringLiteral("MyVal.xlsx"), [] { return QByteArray(4096, 'k'); }); });
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    const QStringList left = files();
    QCOMPARE(left.size(), 2);
    QVERIFY2(kiv::files::isInProgressName(left.first(), QStringLiteral("MyVal.xlsx")), qPrintable(left.first()));
    QCOMPARE(left.last(), QStringLiteral("MyVal.xlsx"));
    QCOMPARE(readFile(file), QByteArray("old"));

    program.dialogs.answer(kiv::vbYes);
    QCOMPARE(errorOf([] { saveWorkbookFile(QStringLiteral("MyVal.xlsx"), [] { return QByteArray("new"); }); }), 0);
    QCOMPARE(files(), QStringList{QStringLiteral("MyVal.xlsx")});
    QCOMPARE(readFile(file), QByteArray("new"));
    for (const QString& name : others)
        QCOMPARE(readFile(docs.path(name)), QByteArray("the user's"));
    QVERIFY(QFileInfo(docs.path(QStringLiteral(".MyVal.xlsx.kiv_2000-in-progress.Zz98Yy76Xx54"))).isSymLink());
}

void TstSpreadsheetServers::twoCopiesExportToOneName_data()
{
    bothPrograms();
}

// Two copies of the program exporting under one name at the same time, over and over: every
// save lands whole (the last one wins), none fails, and nothing is left beside the file.
void TstSpreadsheetServers::twoCopiesExportToOneName()
{
    QFETCH(QString, progId);
    QFETCH(QString, name);
    kivtest::Program program;
    Documents docs;
    program.dialogs.acceptAll(); // "replace the file?" Yes
    const bool excel = progId.startsWith(u"Excel");
    const QStringList failed = kivtest::inParallelProcesses(2, excel ? 150 : 300, [&](int copy, int round) {
        QString why;
        try {
            auto server = CreateObject(progId);
            const QString text = QStringLiteral("copy %1 round %2").arg(copy).arg(round);
            if (excel)
                server->setCellValue(1, 1, text);
            else
                server->setRangeContents(QStringLiteral("A:A1.A:A1"), text);
            server->saveas(name);
            server->quit();
        } catch (const AutomationError& e) {
            why = QStringLiteral("error %1: %2").arg(e.number).arg(e.message);
        }
        return why;
    });
    QVERIFY2(failed.isEmpty(), qPrintable(QStringLiteral("%1 failed saves, the first: ").arg(failed.size()) + failed.mid(0, 3).join(u'\n')));
    QCOMPARE(QDir(docs.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{name});
    const QByteArray whole = readFile(docs.path(name));
    QVERIFY(excel ? whole.startsWith("PK\x03\x04") : whole.startsWith(QByteArray("\x00\x00\x02\x00", 4)));
}

void TstSpreadsheetServers::killedExportsLeaveNothing_data()
{
    bothPrograms();
}

// Exports killed (kill -9) at any moment of their writing leave nothing in the temporary
// folder, and nothing beside the file but in-progress files, which the next export removes;
// the file itself is always a whole one. Each copy exports over and over until it is killed,
// and a good share of the kills land while a file is being written: the copy then leaves an
// in-progress file of its own beside the file.
void TstSpreadsheetServers::killedExportsLeaveNothing()
{
    QFETCH(QString, progId);
    QFETCH(QString, name);
    kivtest::Program program;
    Documents docs;
    QTemporaryDir temporary;
    program.dialogs.acceptAll();
    const bool excel = progId.startsWith(u"Excel");
    // An export of that many cells; `aroundWrite` runs as the file is about to be written, and
    // again once it is.
    const auto save = [&](int cells, const std::function<void()>& aroundWrite = {}) {
        auto server = CreateObject(progId);
        for (int row = 1; row <= cells; ++row) {
            if (excel)
                server->setCellValue(row, 1, QStringLiteral("12345.67"));
            else
                server->setRangeContents(QStringLiteral("A:A%1.A:A%1").arg(row), QStringLiteral("12345.67"));
        }
        if (aroundWrite)
            aroundWrite();
        server->saveas(name);
        if (aroundWrite)
            aroundWrite();
        server->quit();
    };
    save(2);
    const QByteArray small = readFile(docs.path(name));
    save(3000);
    const QByteArray large = readFile(docs.path(name));

    // A copy exports over and over, the small workbook, then the large one, and so on, telling
    // as each file is about to be written and once it is.
    const auto exporting = [&](const std::function<void()>& mark) {
        qputenv("TMPDIR", QFile::encodeName(temporary.path()));
        for (int round = 0;; ++round)
            save(round % 2 ? 3000 : 2, mark);
    };
    // How long a copy takes here to write each of its first three files (small, large, small),
    // the middle of three tries: a copy is slower at first than the program it was copied from.
    constexpr int kWrites = 3;
    std::vector<qint64> writeUs[kWrites];
    for (int i = 0; i < 3; ++i) {
        std::vector<qint64> marked;
        QVERIFY(kivtest::killedAfterMark(exporting, 2 * kWrites, 0, &marked));
        QCOMPARE(marked.size(), std::size_t(2 * kWrites));
        for (int w = 0; w < kWrites; ++w)
            writeUs[w].push_back(marked[2 * w + 1] - marked[2 * w]);
    }
    for (std::vector<qint64>& us : writeUs)
        std::sort(us.begin(), us.end());

    const auto inProgress = [&] {
        QStringList files;
        for (const QString& left : QDir(docs.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            if (kiv::files::isInProgressName(left, name))
                files << left;
        return files;
    };
    // Each round kills a copy while it writes its first, second or third file, at a moment
    // further into it than the round before.
    constexpr int kRounds = 42;
    int killed = 0, whileWriting = 0;
    for (int i = 0; i < kRounds; ++i) {
        const QStringList before = inProgress();
        const int write = i % kWrites;
        const qint64 into = writeUs[write][1] * (i / kWrites) / (kRounds / kWrites);
        killed += kivtest::killedAfterMark(exporting, 2 * write + 1, static_cast<int>(into));
        // An in-progress file that was not there before: the kill landed while a file was written.
        const QStringList after = inProgress();
        whileWriting += std::any_of(after.cbegin(), after.cend(), [&](const QString& file) { return !before.contains(file); });
        QCOMPARE(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), QStringList());
        for (const QString& left : QDir(docs.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            QVERIFY2(left == name || kiv::files::isInProgressName(left, name), qPrintable(left));
        // The workbook carries the time it was made: a whole one begins and ends as one does.
        const QByteArray now = readFile(docs.path(name));
        if (excel)
            QVERIFY(now.startsWith("PK\x03\x04") && now.size() > 22 && now.mid(now.size() - 22).startsWith("PK\x05\x06"));
        else
            QVERIFY(now == small || now == large);
    }
    QCOMPARE(killed, kRounds); // no copy stopped exporting by itself
    QVERIFY2(whileWriting >= kRounds / 4,
             qPrintable(QStringLiteral("%1 of %2 kills while a file was written (writes of %3, %4 and %5 ms)")
                            .arg(whileWriting).arg(kRounds)
                            .arg(writeUs[0][1] / 1000.0).arg(writeUs[1][1] / 1000.0).arg(writeUs[2][1] / 1000.0)));
    save(2);
    QCOMPARE(QDir(docs.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), QStringList{name});
}

// A workbook needs no temporary folder: with TMPDIR naming a folder that does not exist (or
// nothing), the export lands whole and leaves nothing anywhere else, not even in the folder the
// program was started from.
void TstSpreadsheetServers::noTemporaryFolderNeeded_data()
{
    QTest::addColumn<QString>("tmpdir");
    QTest::newRow("a folder that does not exist") << QStringLiteral("/nonexistent/kiv_2000-test");
    QTest::newRow("empty") << QString();
}

void TstSpreadsheetServers::noTemporaryFolderNeeded()
{
    QFETCH(QString, tmpdir);
    kivtest::Program program;
    Documents docs;
    QTemporaryDir startedFrom;
    const QString cwd = QDir::currentPath();
    const QByteArray before = qgetenv("TMPDIR");
    const bool had = qEnvironmentVariableIsSet("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmpdir));
    QVERIFY(QDir::setCurrent(startedFrom.path()));
    QString message;
    const int error = errorOf(
        [] {
            auto excel = CreateObject(QStringLiteral("Excel.sheet"));
            excel->setCellValue(1, 1, QStringLiteral("12.5"));
            excel->saveas(QStringLiteral("MyVal.xlsx"));
        },
        &message);
    QDir::setCurrent(cwd);
    if (had)
        qputenv("TMPDIR", before);
    else
        qunsetenv("TMPDIR");
    QVERIFY2(error == 0, qPrintable(message));
    QVERIFY(readFile(docs.path(QStringLiteral("MyVal.xlsx"))).startsWith("PK"));
    QCOMPARE(QDir(docs.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{QStringLiteral("MyVal.xlsx")});
    QCOMPARE(QDir(startedFrom.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

// A link stays a link: the save writes the file it names. A dangling link names the file made.
void TstSpreadsheetServers::linksAreFollowed()
{
    kivtest::Program program;
    Documents docs;
    QTemporaryDir elsewhere;
    const QString real = elsewhere.filePath(QStringLiteral("real.123"));
    QVERIFY(kivtest::writeFile(real, "old"));
    QVERIFY(QFile::link(real, docs.path(QStringLiteral("MyVal.123"))));
    QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("made.123")), docs.path(QStringLiteral("Dangling.123"))));
    program.dialogs.answer(kiv::vbYes);
    saveWorkbookFile(QStringLiteral("MyVal.123"), [] { return QByteArray("new"); });
    saveWorkbookFile(QStringLiteral("Dangling.123"), [] { return QByteArray("made"); });
    QVERIFY(QFileInfo(docs.path(QStringLiteral("MyVal.123"))).isSymLink());
    QCOMPARE(readFile(real), QByteArray("new"));
    QVERIFY(QFileInfo(docs.path(QStringLiteral("Dangling.123"))).isSymLink());
    QCOMPARE(readFile(elsewhere.filePath(QStringLiteral("made.123"))), QByteArray("made"));
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{QStringLiteral("made.123"), QStringLiteral("real.123")}));
}

void TstSpreadsheetServers::documentsFolderIsMade()
{
    kivtest::Program program;
    QTemporaryDir home;
    const QString docs = home.path() + QStringLiteral("/Documents");
    setDocumentsFolder(docs);
    saveWorkbookFile(QStringLiteral("MyVal.xlsx"), [] { return QByteArray("book"); });
    // Only the documents folder itself is made, never a folder named in the file name.
    const int error = errorOf([] { saveWorkbookFile(QStringLiteral("a/b.xlsx"), [] { return QByteArray("x"); }); });
    setDocumentsFolder(QString());
    QCOMPARE(readFile(docs + QStringLiteral("/MyVal.xlsx")), QByteArray("book"));
    QCOMPARE(error, int(kPathNotFound));
    QVERIFY(!QFileInfo::exists(docs + QStringLiteral("/a")));
}

KIV_TEST_MAIN(TstSpreadsheetServers)
#include "tst_spreadsheet_servers.moc"
