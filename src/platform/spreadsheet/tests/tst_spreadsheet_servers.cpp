// The spreadsheet servers on their own: cell names, number cells, the 1-2-3 records and text
// bytes, and the safe saving of a file under a typed name.
#include "platform/language.h"
#include "platform/spreadsheet/automation.h"
#include "platform/spreadsheet/cell_text.h"
#include "platform/spreadsheet/save_file.h"
#include "platform/spreadsheet/wk1.h"
#include "test_support.h"

#include <QFile>
#include <QTemporaryDir>
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

// A save killed while it writes leaves the old file whole and its hidden new file beside it;
// the next save under that name removes it, and nothing else.
void TstSpreadsheetServers::killedSaveIsClearedByTheNext()
{
    kivtest::Program program;
    Documents docs;
    const QString file = docs.path(QStringLiteral("MyVal.xlsx"));
    QVERIFY(kivtest::writeFile(file, "old"));
    // Files that only look alike: another file's leftover, and the user's own hidden files.
    const QStringList others{QStringLiteral(".MyVal.xlsx.backup"), QStringLiteral(".MyVal.xlsx.Ab12Cd.new.keep"),
                             QStringLiteral(".MyRat.xlsx.Ab12Cd.new"), QStringLiteral("MyVal.xlsx.Ab12Cd.new")};
    for (const QString& name : others)
        QVERIFY(kivtest::writeFile(docs.path(name), "the user's"));
    const auto files = [&] {
        QStringList all = QDir(docs.dir.path()).entryList(QDir::Files | QDir::Hidden);
        for (const QString& name : others)
            all.removeOne(name);
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
    QVERIFY2(left.first().startsWith(QStringLiteral(".MyVal.xlsx.")) && left.first().endsWith(QStringLiteral(".new")), qPrintable(left.first()));
    QCOMPARE(left.last(), QStringLiteral("MyVal.xlsx"));
    QCOMPARE(readFile(file), QByteArray("old"));

    program.dialogs.answer(kiv::vbYes);
    QCOMPARE(errorOf([] { saveWorkbookFile(QStringLiteral("MyVal.xlsx"), [] { return QByteArray("new"); }); }), 0);
    QCOMPARE(files(), QStringList{QStringLiteral("MyVal.xlsx")});
    QCOMPARE(readFile(file), QByteArray("new"));
    for (const QString& name : others)
        QCOMPARE(readFile(docs.path(name)), QByteArray("the user's"));
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
