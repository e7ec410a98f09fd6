// Files in the making: what the cleanup of abandoned writes removes and what it never touches,
// held files of running copies, free names taken without replacing, and links followed.
#include "platform/in_progress_file.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
namespace files = kiv::files;

namespace {

const QString kMarked = u".report.xlsx.kiv_2000-in-progress.Ab12Cd34Ef56"_s;
const QString kScratch = u".report.xlsx.kiv_2000-scratch.Ab12Cd34Ef56"_s;

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TstInProgressFile : public QObject {
    Q_OBJECT
private slots:
    void onlyAbandonedMarkedFilesGo_data();
    void onlyAbandonedMarkedFilesGo();
    void heldFilesStay();
    void replaceWritesWholeFiles();
    void freeNamesAreNeverTaken();
    void followLinks_data();
    void followLinks();
    void markedNamesOfLongNames_data();
    void markedNamesOfLongNames();
};

void TstInProgressFile::onlyAbandonedMarkedFilesGo_data()
{
    QTest::addColumn<QString>("name");
    // "file", "link" (to a file of the user's), "folder" (holding a plain file), "folder with a
    // folder" (a plain file and a folder)
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("removed");
    QTest::newRow("abandoned in-progress file") << kMarked << u"file"_s << true;
    QTest::newRow("another target's") << u".other.xlsx.kiv_2000-in-progress.Ab12Cd34Ef56"_s << u"file"_s << false;
    QTest::newRow("a link of that name") << kMarked << u"link"_s << false;
    QTest::newRow("a folder of that name") << kMarked << u"folder"_s << false;
    QTest::newRow("abandoned scratch folder") << kScratch << u"folder"_s << true;
    QTest::newRow("a scratch folder holding a folder") << kScratch << u"folder with a folder"_s << false;
    QTest::newRow("a file of a scratch folder's name") << kScratch << u"file"_s << false;
    QTest::newRow("a link of a scratch folder's name") << kScratch << u"link"_s << false;
    QTest::newRow("one letter short") << kMarked.chopped(1) << u"file"_s << false;
    QTest::newRow("more after the mark") << kMarked + u".bak"_s << u"file"_s << false;
    QTest::newRow("not hidden") << kMarked.mid(1) << u"file"_s << false;
    // What a person names their own files, however close to the program's older in-progress
    // names: six letters or digits and ".new".
    QTest::newRow("six letters and .new") << u".report.xlsx.ABC123.new"_s << u"file"_s << false;
    QTest::newRow("a word and .new") << u".report.xlsx.notes1.new"_s << u"file"_s << false;
    QTest::newRow("a store's look-alike") << u"report.xlsx.ABCDEF.new"_s << u"file"_s << false;
    QTest::newRow("its journal's look-alike") << u"report.xlsx.ABCDEF.new-journal"_s << u"file"_s << false;
}

void TstInProgressFile::onlyAbandonedMarkedFilesGo()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, removed);
    QTemporaryDir dir;
    const QString users = dir.filePath(u"the user's.txt"_s);
    QVERIFY(kivtest::writeFile(users, "mine"));
    const QString path = dir.filePath(name);
    if (kind == u"file")
        QVERIFY(kivtest::writeFile(path, "left"));
    else if (kind == u"link")
        QVERIFY(QFile::link(users, path));
    else
        QVERIFY(QDir().mkdir(path));
    if (kind.startsWith(u"folder")) {
        QVERIFY(kivtest::writeFile(path + u"/tmp.AbCdEf"_s, "a part of a workbook"));
        if (kind == u"folder with a folder")
            QVERIFY(QDir().mkdir(path + u"/kept"_s));
    }
    const QStringList before = entries(dir.path());

    files::removeAbandoned(dir.path(), u"report.xlsx"_s);
    QStringList expected = before;
    if (removed)
        expected.removeOne(name);
    QCOMPARE(entries(dir.path()), expected);
    QCOMPARE(kivtest::readFile(users), QByteArray("mine"));

    // A write of the target cleans the same way, and leaves nothing of its own.
    files::InProgressFile made;
    QVERIFY(made.create(dir.filePath(u"report.xlsx"_s)));
    QVERIFY(made.write("book"));
    QVERIFY(made.replace(dir.filePath(u"report.xlsx"_s)));
    expected << u"report.xlsx"_s;
    expected.sort();
    QCOMPARE(entries(dir.path()), expected);
}

// The in-progress file of a running copy is held: no cleanup removes it until that copy is gone.
void TstInProgressFile::heldFilesStay()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"kiv_MyValue_v12.mdb"_s);
    int ready[2];
    QVERIFY(::pipe(ready) == 0);
    const pid_t writer = ::fork();
    QVERIFY(writer >= 0);
    if (writer == 0) {
        ::close(ready[0]);
        files::InProgressFile made;
        const bool ok = made.create(target) && made.write("half a store");
        (void)::write(ready[1], ok ? "y" : "n", 1);
        ::pause(); // killed here, in the middle of its write
        ::_exit(0);
    }
    ::close(ready[1]);
    char answer = 0;
    QCOMPARE(::read(ready[0], &answer, 1), ssize_t(1));
    ::close(ready[0]);
    QCOMPARE(answer, 'y');
    const QStringList writing = entries(dir.path());
    QCOMPARE(writing.size(), 1);
    QVERIFY(files::isInProgressName(writing.first(), u"kiv_MyValue_v12.mdb"_s));

    files::removeAbandoned(dir.path(), u"kiv_MyValue_v12.mdb"_s);
    files::InProgressFile other; // another copy's write of the same store cleans first
    QVERIFY(other.create(target));
    QVERIFY(entries(dir.path()).contains(writing.first()));
    other.drop();

    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    QCOMPARE(entries(dir.path()), writing); // what the killed copy left
    files::removeAbandoned(dir.path(), u"kiv_MyValue_v12.mdb"_s);
    QCOMPARE(entries(dir.path()), QStringList());
}

// Two copies replacing one file over and over: every write lands whole, none fails, and
// nothing is left beside the file.
void TstInProgressFile::replaceWritesWholeFiles()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"book.123"_s);
    const auto content = [](int copy, int round) { return QByteArray(4096 + round, char('a' + copy)); };
    const QStringList failed = kivtest::inParallelProcesses(2, 300, [&](int copy, int round) {
        files::InProgressFile made;
        if (!made.create(target))
            return u"create: %1"_s.arg(made.error());
        if (!made.write(content(copy, round)))
            return u"write: %1"_s.arg(made.error());
        if (!made.replace(target))
            return u"replace: %1"_s.arg(made.error());
        const QByteArray now = kivtest::readFile(target);
        if (now.size() < 4096 || now != QByteArray(now.size(), now.at(0)))
            return u"a file of %1 bytes that is no one's whole write"_s.arg(now.size());
        return QString();
    });
    QVERIFY2(failed.isEmpty(), qPrintable(failed.mid(0, 5).join(u'\n')));
    QCOMPARE(entries(dir.path()), QStringList{u"book.123"_s});
}

// A file takes the first name no file has, and never one that another copy has just taken.
void TstInProgressFile::freeNamesAreNeverTaken()
{
    QTemporaryDir dir;
    const auto nameFor = [&](int copy) {
        return dir.filePath(u"Kiv_2000 - Index"_s + (copy > 1 ? u" (%1)"_s.arg(copy) : QString()) + u".pdf"_s);
    };
    QVERIFY(kivtest::writeFile(nameFor(1), "the user's first"));
    QVERIFY(kivtest::writeFile(nameFor(2), "the user's second"));
    files::InProgressFile made;
    QVERIFY(made.create(nameFor(1)));
    QVERIFY(made.write("third"));
    QCOMPARE(made.takeFreeName(nameFor, 100), nameFor(3));
    QCOMPARE(kivtest::readFile(nameFor(1)), QByteArray("the user's first"));
    QCOMPARE(kivtest::readFile(nameFor(3)), QByteArray("third"));

    const QStringList failed = kivtest::inParallelProcesses(2, 40, [&](int copy, int round) {
        files::InProgressFile file;
        if (!file.create(nameFor(1)) || !file.write(u"%1-%2"_s.arg(copy).arg(round).toUtf8()))
            return u"create: %1"_s.arg(file.error());
        return file.takeFreeName(nameFor, 200).isEmpty() ? u"no name: %1"_s.arg(file.error()) : QString();
    });
    QVERIFY2(failed.isEmpty(), qPrintable(failed.mid(0, 5).join(u'\n')));
    const QStringList all = entries(dir.path());
    QCOMPARE(all.size(), 3 + 80);
    QSet<QByteArray> contents;
    for (const QString& name : all)
        contents.insert(kivtest::readFile(dir.filePath(name)));
    QCOMPARE(contents.size(), all.size()); // no file replaced another
}

void TstInProgressFile::followLinks_data()
{
    QTest::addColumn<QStringList>("links"); // "name>target" pairs made in order
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected"); // relative to the folder; empty for a loop
    QTest::addColumn<QStringList>("folders"); // made before the links
    QTest::newRow("a plain file") << QStringList() << u"store.mdb"_s << u"store.mdb"_s << QStringList();
    QTest::newRow("a relative link") << QStringList{u"store.mdb>data/real.mdb"_s} << u"store.mdb"_s << u"data/real.mdb"_s << QStringList();
    QTest::newRow("a link in a folder, relative to it") << QStringList{u"data/store.mdb>../real.mdb"_s} << u"data/store.mdb"_s
                                                       << u"real.mdb"_s << QStringList();
    QTest::newRow("a chain of links") << QStringList{u"a>b"_s, u"b>data/c"_s} << u"a"_s << u"data/c"_s << QStringList();
    QTest::newRow("a dangling link") << QStringList{u"store.mdb>gone/real.mdb"_s} << u"store.mdb"_s << u"gone/real.mdb"_s << QStringList();
    QTest::newRow("a loop") << QStringList{u"a>b"_s, u"b>a"_s} << u"a"_s << QString() << QStringList();
    // ~/Documents a link to /data/u/Documents, and the store there a link to ../Shared: the
    // system follows the folder's link before it takes "..".
    QTest::newRow("a link with .. in a linked folder") << QStringList{u"home/Documents>../data/u/Documents"_s, u"data/u/Documents/store.mdb>../Shared/store.mdb"_s}
                                                       << u"home/Documents/store.mdb"_s << u"data/u/Shared/store.mdb"_s
                                                       << QStringList{u"home"_s, u"data/u/Documents"_s, u"data/u/Shared"_s};
    QTest::newRow("a loop of folders on the way") << QStringList{u"f>g"_s, u"g>f"_s} << u"f/store.mdb"_s << QString() << QStringList();
}

void TstInProgressFile::followLinks()
{
    QFETCH(QStringList, links);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QFETCH(QStringList, folders);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"data"_s));
    for (const QString& folder : folders)
        QVERIFY(QDir(dir.path()).mkpath(folder));
    for (const QString& pair : links) {
        const QStringList p = pair.split(u'>');
        QVERIFY(::symlink(QFile::encodeName(p[1]).constData(), QFile::encodeName(dir.filePath(p[0])).constData()) == 0);
    }
    int error = 0;
    const QString followed = files::followLinks(dir.filePath(path), &error);
    if (expected.isNull()) {
        QVERIFY(followed.isEmpty());
        QCOMPARE(error, ELOOP);
    } else {
        QCOMPARE(followed, QDir::cleanPath(dir.filePath(expected)));
    }
}

namespace {

// A name of `bytes` bytes: `start`, then characters of `fill` (of two or four bytes, so that a
// cut to the length a marked name carries falls inside one), then `end`.
QString nameOfBytes(const QString& start, const QString& fill, const QString& end, int bytes)
{
    QString s = start;
    while (QFile::encodeName(s + fill + end).size() <= bytes)
        s += fill;
    while (QFile::encodeName(s + end).size() < bytes)
        s += u'x';
    return s + end;
}

} // namespace

void TstInProgressFile::markedNamesOfLongNames_data()
{
    QTest::addColumn<QString>("written"); // the name an in-progress file is made for
    QTest::addColumn<QString>("asked");   // the name, or "family", the cleanup asks for
    QTest::addColumn<bool>("marks");
    const QString store = nameOfBytes(u"Résultats "_s, u"é"_s, u".mdb"_s, 245);
    const QString emoji = nameOfBytes(u"x"_s, u"\U0001F4C8"_s, u".xlsx"_s, 245);
    const QString printout = nameOfBytes(u"Kiv_2000 - "_s, u"\U0001F4C8é"_s, u".pdf"_s, 245);
    QTest::newRow("a short name") << u"MyVal.xlsx"_s << u"MyVal.xlsx"_s << true;
    QTest::newRow("245 bytes of two-byte characters") << store << store << true;
    QTest::newRow("245 bytes of four-byte characters") << emoji << emoji << true;
    QTest::newRow("255 bytes") << nameOfBytes(u"a"_s, u"b"_s, u".123"_s, 255) << nameOfBytes(u"a"_s, u"b"_s, u".123"_s, 255) << true;
    QTest::newRow("another long name") << store << nameOfBytes(u"Bilan "_s, u"é"_s, u".mdb"_s, 245) << false;
    QTest::newRow("a long printout, its .pdf cut") << printout << u"family"_s << true;
    QTest::newRow("a short printout") << u"Kiv_2000 - Index (2).pdf"_s << u"family"_s << true;
    QTest::newRow("a long name that is no printout") << store << u"family"_s << false;
}

// A marked name stays within the system's limit and carries a whole character at its cut; the
// cleanup's matcher knows it for the name it was made for, or for the family of printouts.
void TstInProgressFile::markedNamesOfLongNames()
{
    QFETCH(QString, written);
    QFETCH(QString, asked);
    QFETCH(bool, marks);
    QTemporaryDir dir;
    files::InProgressFile made;
    QVERIFY2(made.create(dir.filePath(written)), qPrintable(QString::number(made.error())));
    QVERIFY(!made.makeScratchFolder().isEmpty());
    const QStringList names = entries(dir.path());
    QCOMPARE(names.size(), 2);
    const files::TargetNames matcher = asked == u"family" ? files::TargetNames::family(u"Kiv_2000 - "_s, u".pdf"_s) : files::TargetNames::one(asked);
    for (const QString& name : names) {
        const QByteArray bytes = QFile::encodeName(name);
        QVERIFY(bytes.size() <= NAME_MAX);
        QCOMPARE(QFile::decodeName(bytes), name); // no character split
        QVERIFY(!name.contains(QChar::ReplacementCharacter));
        QCOMPARE(matcher.marks(name), marks);
    }
}

KIV_TEST_MAIN(TstInProgressFile)
#include "tst_in_progress_file.moc"
