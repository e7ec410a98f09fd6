// Saves, exports and printouts on the folders people write to: file systems that keep no modes
// or owners, take no second names or rename flags, carry flock as a whole-file lock or give no
// locks at all (their answers given by a preloaded library to a copy of this program), a real FAT
// and exFAT disk where the machine can mount one, and the folders of a person's own: reached
// through linked folders, under a strict umask, holding another account's files, names too long
// to carry whole after killed writes, and circles of links.
#include "platform/db/database.h"
#include "platform/in_progress_file.h"
#include "platform/printer.h"
#include "platform/printer_qt.h"
#include "platform/spreadsheet/automation.h"
#include "platform/spreadsheet/save_file.h"
#include "pdf_text.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
namespace files = kiv::files;
using kivtest::readFile;

namespace {

// The four kinds of file the program writes, each by the program's own writer: a store of saved
// figures, an Excel workbook, a 1-2-3 worksheet, and a printout saved as a PDF file.
enum class Writer { Store, Workbook, Worksheet, Printout };
constexpr Writer kWriters[] = {Writer::Store, Writer::Workbook, Writer::Worksheet, Writer::Printout};

const char* nameOf(Writer w)
{
    switch (w) {
    case Writer::Store:
        return "store";
    case Writer::Workbook:
        return "xlsx";
    case Writer::Worksheet:
        return "123";
    case Writer::Printout:
        return "pdf";
    }
    return "";
}

// The name each writer writes under: a file name, or for a printout its title.
QString fileNameOf(Writer w)
{
    switch (w) {
    case Writer::Store:
        return u"kiv_MyValue_v12.mdb"_s;
    case Writer::Workbook:
        return u"MyVal1011.xlsx"_s;
    case Writer::Worksheet:
        return u"MyVal1011.123"_s;
    case Writer::Printout:
        return u"Kiv_2000 - Probe.pdf"_s;
    }
    return QString();
}

QString printoutTitle(const QString& fileName)
{
    return fileName.mid(11).chopped(4); // "Kiv_2000 - <title>.pdf"
}

QString roundText(int round)
{
    return u"round %1"_s.arg(round);
}

kiv::db::TableData storeTable(int round)
{
    return {u"MyValue_v12"_s, {{u"Amount"_s, kiv::db::ColumnType::Double}}, {{kiv::db::Value::number(round)}}};
}

// Writes one file as the program does (a store is read first, as a Save checks the store it
// replaces). Empty on success, else what the program told; *written is the file made.
QString writeOne(Writer w, const QString& path, int round, QString* written = nullptr)
{
    if (written)
        *written = path;
    try {
        switch (w) {
        case Writer::Store:
            if (QFileInfo(path).isFile())
                kiv::db::Database::open(path, true)->openSnapshot(u"MyValue_v12"_s);
            kiv::db::writeDatabase(path, {storeTable(round)});
            break;
        case Writer::Workbook:
        case Writer::Worksheet: {
            auto server = kiv::sheet::CreateObject(w == Writer::Workbook ? u"Excel.sheet"_s : u"Lotus123.workbook"_s);
            if (w == Writer::Workbook)
                server->setCellValue(1, 1, roundText(round));
            else
                server->setRangeContents(u"A:A1.A:A1"_s, roundText(round));
            server->saveas(path);
            server->quit();
            break;
        }
        case Writer::Printout: {
            kiv::QtPrinter printer(kiv::QtPrinter::Target::PdfOnly, 1000000);
            kiv::PrintDocument doc(printoutTitle(QFileInfo(path).fileName()));
            doc.print({roundText(round)});
            const kiv::PrintOutcome outcome = printer.print(doc);
            if (outcome.status != kiv::PrintOutcome::Status::SavedAsPdf) {
                const auto* dialogs = dynamic_cast<const kivtest::ScriptedDialogs*>(kiv::dialogProvider());
                return dialogs ? dialogs->last().text : u"the printout was not saved"_s;
            }
            if (written)
                *written = outcome.pdfPath;
            break;
        }
        }
    } catch (const kiv::db::DbError& e) {
        return e.detail();
    } catch (const kiv::sheet::AutomationError& e) {
        return e.message;
    }
    return QString();
}

// Whether a file is a whole one of the kind, written in that round.
bool whole(Writer w, const QString& file, int round)
{
    const QByteArray bytes = readFile(file);
    switch (w) {
    case Writer::Store:
        try {
            return kiv::db::Database::open(file, true)->openSnapshot(u"MyValue_v12"_s)->value(0, 0).toDouble() == round;
        } catch (const kiv::db::DbError&) {
            return false;
        }
    case Writer::Workbook:
        return bytes.startsWith("PK\x03\x04") && bytes.size() > 22 && bytes.mid(bytes.size() - 22).startsWith("PK\x05\x06");
    case Writer::Worksheet:
        return bytes.startsWith(QByteArray("\x00\x00\x02\x00", 4)) && bytes.contains(roundText(round).toLatin1());
    case Writer::Printout:
        return bytes.startsWith("%PDF") && bytes.right(16).contains("%%EOF");
    }
    return false;
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

int run(const QString& program, const QStringList& arguments, QString* output = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForStarted(10000))
        return -1;
    p.waitForFinished(60000);
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// A disk image of its own mounted through FUSE while it lives.
class Disk {
public:
    ~Disk()
    {
        if (mounted_ && run(u"fusermount"_s, {u"-u"_s, point_}) != 0)
            run(u"fusermount"_s, {u"-uz"_s, point_});
        if (!loop_.isEmpty())
            run(u"losetup"_s, {u"-d"_s, loop_});
    }

    // Why it can't be mounted here, or empty once it is.
    QString mount(const QString& kind, const QString& folder)
    {
        if (!QFileInfo::exists(u"/dev/fuse"_s))
            return u"the machine has no /dev/fuse"_s;
        const bool fat = kind == u"fat";
        const QString format = fat ? u"mkfs.vfat"_s : u"mkfs.exfat"_s;
        const QString mounter = fat ? u"fusefat"_s : u"mount.exfat-fuse"_s;
        for (const QString& tool : {format, mounter, u"fusermount"_s})
            if (QStandardPaths::findExecutable(tool).isEmpty() && QStandardPaths::findExecutable(tool, {u"/sbin"_s, u"/usr/sbin"_s}).isEmpty())
                return tool + u" is not installed (packages dosfstools, fusefat, exfatprogs, exfat-fuse, fuse3)"_s;
        const QString image = folder + u"/disk.img"_s;
        point_ = folder + u"/disk"_s;
        QDir().mkpath(point_);
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(64 << 20))
            return u"no room for a disk image"_s;
        file.close();
        QString said;
        if (run(QStandardPaths::findExecutable(format, {u"/sbin"_s, u"/usr/sbin"_s, u"/usr/bin"_s}), {image}, &said) != 0)
            return format + u" failed: "_s + said;
        QString device = image;
        if (!fat) {
            // exfat-fuse mounts a block device only.
            if (run(u"losetup"_s, {u"-f"_s, u"--show"_s, image}, &said) != 0)
                return u"no loop device can be set up here: "_s + said.trimmed();
            loop_ = said.trimmed();
            device = loop_;
        }
        const QStringList arguments = fat ? QStringList{u"-o"_s, u"rw+"_s, device, point_} : QStringList{device, point_};
        if (run(QStandardPaths::findExecutable(mounter, {u"/sbin"_s, u"/usr/sbin"_s, u"/usr/bin"_s}), arguments, &said) != 0)
            return mounter + u" could not mount the image: "_s + said.trimmed();
        mounted_ = true;
        return QString();
    }

    QString point() const { return point_; }

private:
    QString point_, loop_;
    bool mounted_ = false;
};

// The user's home for one test, with its documents folder where the printouts and the
// workbooks go.
class Home {
public:
    Home(const QString& home, const QString& config)
        : home_(home, config)
    {
        kiv::sheet::setDocumentsFolder(home_.documents());
    }
    ~Home() { kiv::sheet::setDocumentsFolder(QString()); }

private:
    kivtest::TempHome home_;
};

// Copies of the program killed (kill -9) in the middle of their writes of `targets`, all at
// once: their held in-progress files (and, for a workbook, their scratch folders with a part in
// them) stay behind.
bool killedWhileWriting(const QStringList& targets, bool scratch)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return false;
    std::vector<pid_t> writers;
    for (const QString& target : targets) {
        const pid_t writer = ::fork();
        if (writer < 0)
            break;
        if (writer == 0) {
            ::close(ready[0]);
            files::InProgressFile made;
            bool ok = made.create(target) && made.write("half a file");
            if (ok && scratch) {
                const QString folder = made.makeScratchFolder();
                ok = !folder.isEmpty() && kivtest::writeFile(folder + u"/worksheet.xml"_s, "a part");
            }
            (void)!::write(ready[1], ok ? "y" : "n", 1);
            ::pause();
            ::_exit(0);
        }
        writers.push_back(writer);
    }
    ::close(ready[1]);
    bool ok = writers.size() == std::size_t(targets.size());
    for (std::size_t i = 0; i < writers.size(); ++i) {
        char answer = 0;
        ok = ::read(ready[0], &answer, 1) == 1 && answer == 'y' && ok;
    }
    ::close(ready[0]);
    for (const pid_t writer : writers) {
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
    }
    return ok;
}

// A name of about 245 bytes ending as `name` does, with characters of two and four bytes where
// a name cut to fit a marked name could split one.
QString longName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = name.left(dot), ext = name.mid(dot);
    QString s = stem + u' ';
    for (int i = 0; QFile::encodeName(s + u"é"_s + ext).size() <= 241; ++i)
        s += i % 3 ? u"é"_s : u"\U0001F4C8"_s;
    while (QFile::encodeName(s + ext).size() < 245)
        s += u'x';
    return s + ext;
}

} // namespace

// What the copy of the program started by fileSystems does: writes each kind of file twice
// into its home folder (a new file, then one that replaces it, or a second printout), and
// prints one line for each write.
static int writeEverything(const QString& folder)
{
    kivtest::ScriptedDialogs dialogs;
    dialogs.acceptAll();
    const Home home(folder, folder + u"/.config"_s);
    QTextStream out(stdout);
    for (int round = 1; round <= 2; ++round) {
        for (const Writer w : kWriters) {
            QString written;
            const QString error = writeOne(w, folder + u'/' + fileNameOf(w), round, &written);
            out << nameOf(w) << ' ' << round << ' ' << (error.isEmpty() ? u"ok "_s + written : u"failed: "_s + error) << Qt::endl;
        }
    }
    return 0;
}

class TstFileWrites : public QObject {
    Q_OBJECT
private slots:
    void fileSystems_data();
    void fileSystems();
    void folders_data();
    void folders();
};

void TstFileWrites::fileSystems_data()
{
    QTest::addColumn<QString>("answers"); // the preloaded library's answers
    QTest::addColumn<QString>("disk");    // or a real disk: "fat", "exfat"
    QTest::addColumn<bool>("leftoversGo"); // whether what killed writes left can be proved abandoned
    QTest::addColumn<QStringList>("met"); // answers the writes must have met
    QTest::newRow("keeps no modes or owners (FAT through FUSE)") << u"modes"_s << QString() << true << QStringList{u"modes"_s};
    QTest::newRow("takes no second names or rename flags (exFAT, shares)") << u"links"_s << QString() << true << QStringList{u"links"_s};
    QTest::newRow("carries flock as a whole-file lock (NFS)") << u"whole-file-locks"_s << QString() << true << QStringList();
    QTest::newRow("reaches no lock manager (NFS)") << u"no-locks"_s << QString() << false << QStringList{u"locks"_s};
    QTest::newRow("all of them at once") << u"modes,links,no-locks"_s << QString() << false
                                         << QStringList{u"modes"_s, u"links"_s, u"locks"_s};
    QTest::newRow("a FAT disk through fusefat") << QString() << u"fat"_s << true << QStringList();
    QTest::newRow("an exFAT disk through exfat-fuse") << QString() << u"exfat"_s << true << QStringList();
}

// Every write lands whole where the file system answers as the row says, what killed writes
// left goes where it can be proved abandoned (and stays where it can't), and the user's
// look-alike files stay.
void TstFileWrites::fileSystems()
{
    QFETCH(QString, answers);
    QFETCH(QString, disk);
    QFETCH(bool, leftoversGo);
    QFETCH(QStringList, met);
    QTemporaryDir base;
    QString folder = base.filePath(u"home"_s);
    Disk mounted;
    if (!disk.isEmpty()) {
        const QString why = mounted.mount(disk, base.path());
        if (!why.isEmpty())
            QSKIP(qPrintable(u"no "_s + disk + u" disk: "_s + why));
        folder = mounted.point();
    }
    QVERIFY(QDir().mkpath(folder + u"/Documents"_s));

    // What killed writes left (a store's, a workbook's with its scratch folder, a printout's and
    // another printout's), and files of the user's that only look alike.
    const QStringList leftovers{u".kiv_MyValue_v12.mdb.kiv_2000-in-progress.Ab12Cd34Ef56"_s, u".MyVal1011.xlsx.kiv_2000-in-progress.Ab12Cd34Ef56"_s,
                                u".MyVal1011.xlsx.kiv_2000-scratch.Ab12Cd34Ef56"_s, u".MyVal1011.123.kiv_2000-in-progress.Ab12Cd34Ef56"_s,
                                u"Documents/.Kiv_2000 - Probe.pdf.kiv_2000-in-progress.Ab12Cd34Ef56"_s,
                                u"Documents/.Kiv_2000 - Other.pdf.kiv_2000-in-progress.Zz12Cd34Ef56"_s};
    const QStringList users{u"MyVal1011.xlsx.ABCDEF.new"_s, u".kiv_MyValue_v12.mdb.backup"_s, u"Documents/Kiv_2000 - Probe.pdf.kiv_2000-in-progress"_s};
    for (const QString& name : leftovers) {
        if (name.contains(u"scratch"))
            QVERIFY(QDir().mkpath(folder + u'/' + name) && kivtest::writeFile(folder + u'/' + name + u"/sheet1.xml"_s, "a part"));
        else
            QVERIFY(kivtest::writeFile(folder + u'/' + name, "left"));
    }
    for (const QString& name : users)
        QVERIFY(kivtest::writeFile(folder + u'/' + name, "the user's"));

    QProcess copy;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString log = base.filePath(u"answers.log"_s);
    if (!answers.isEmpty()) {
        env.insert(u"LD_PRELOAD"_s, QStringLiteral(KIV_FS_SHIM_LIBRARY));
        env.insert(u"KIV_FS_SHIM"_s, answers);
        env.insert(u"KIV_FS_SHIM_ROOT"_s, folder);
        env.insert(u"KIV_FS_SHIM_LOG"_s, log);
        // The library comes before the sanitizers' runtime in a sanitizer build.
        env.insert(u"ASAN_OPTIONS"_s, env.value(u"ASAN_OPTIONS"_s) + u":verify_asan_link_order=0"_s);
    }
    copy.setProcessEnvironment(env);
    copy.setProcessChannelMode(QProcess::MergedChannels);
    copy.start(QCoreApplication::applicationFilePath(), {u"--write-into"_s, folder});
    QVERIFY(copy.waitForFinished(240000));
    const QString said = QString::fromLocal8Bit(copy.readAll());
    QVERIFY2(copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == 0, qPrintable(said));
    QStringList lines;
    for (const QString& line : said.split(u'\n'))
        if (line.startsWith(u"store ") || line.startsWith(u"xlsx ") || line.startsWith(u"123 ") || line.startsWith(u"pdf "))
            lines << line;
    QCOMPARE(lines.size(), 8);
    for (const QString& line : lines)
        QVERIFY2(line.section(u' ', 2, 2) == u"ok", qPrintable(line));

    for (const Writer w : kWriters)
        if (w != Writer::Printout)
            QVERIFY2(whole(w, folder + u'/' + fileNameOf(w), 2), nameOf(w));
    QVERIFY(whole(Writer::Printout, folder + u"/Documents/Kiv_2000 - Probe.pdf"_s, 1));
    QVERIFY(whole(Writer::Printout, folder + u"/Documents/Kiv_2000 - Probe (2).pdf"_s, 2));

    QStringList expected{u"Documents"_s, u"MyVal1011.123"_s, u"MyVal1011.xlsx"_s, u"kiv_MyValue_v12.mdb"_s,
                         u"Documents/Kiv_2000 - Probe.pdf"_s, u"Documents/Kiv_2000 - Probe (2).pdf"_s};
    expected += users;
    if (!leftoversGo)
        expected += leftovers;
    if (!leftoversGo)
        expected << u".MyVal1011.xlsx.kiv_2000-scratch.Ab12Cd34Ef56/sheet1.xml"_s;
    QStringList found;
    for (const QString& name : entries(folder)) {
        if (name == u".config")
            continue;
        found << name;
        if (QFileInfo(folder + u'/' + name).isDir())
            for (const QString& inner : entries(folder + u'/' + name))
                found << name + u'/' + inner;
    }
    found.sort();
    expected.sort();
    QCOMPARE(found, expected);
    for (const QString& name : users)
        QCOMPARE(readFile(folder + u'/' + name), QByteArray("the user's"));

    const QString answered = QString::fromLatin1(readFile(log));
    for (const QString& word : met)
        QVERIFY2(answered.split(u'\n').contains(word), qPrintable(u"the writes never met the answer \""_s + word + u'"'));
}

void TstFileWrites::folders_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("writer");
    const auto rows = [](const char* folder, bool printouts) {
        for (const Writer w : kWriters)
            if (w != Writer::Printout || printouts)
                QTest::addRow("%s, %s", folder, nameOf(w)) << QString::fromLatin1(folder) << int(w);
    };
    rows("linked folders with ..", false);
    rows("umask 077", true);
    rows("another account's file, root saving", false);
    rows("a colleague's file in a group's folder", false);
    rows("a 245-byte name after killed writes", true);
    rows("a circle of links", false);
}

// The folders of a person's own, for each writer.
void TstFileWrites::folders()
{
    QFETCH(QString, folder);
    QFETCH(int, writer);
    const Writer w = static_cast<Writer>(writer);
    kivtest::Program program;
    program.dialogs.acceptAll();
    QTemporaryDir base;
    const QString home = base.filePath(u"home"_s);
    const QString documents = home + u"/Documents"_s;
    const Home inHome(home, base.filePath(u"config"_s));
    const QString name = fileNameOf(w);

    if (folder == u"linked folders with ..") {
        // ~/Documents is a link to /data/u/Documents, and the file there a link to
        // ../Shared/<name>: the system follows the folder's link first, then "..".
        const QString data = base.filePath(u"data/u"_s);
        QVERIFY(QDir().mkpath(data + u"/Documents"_s) && QDir().mkpath(data + u"/Shared"_s) && QDir().mkpath(home));
        QVERIFY(QFile::link(data + u"/Documents"_s, documents));
        QVERIFY(QFile::link(u"../Shared/"_s + name, data + u"/Documents/"_s + name));
        QCOMPARE(writeOne(w, data + u"/Shared/"_s + name, 1), QString());
        QCOMPARE(writeOne(w, documents + u'/' + name, 2), QString());
        QVERIFY(whole(w, data + u"/Shared/"_s + name, 2));
        QVERIFY(QFileInfo(data + u"/Documents/"_s + name).isSymLink());
        QCOMPARE(entries(data + u"/Documents"_s), QStringList{name});
        QCOMPARE(entries(data + u"/Shared"_s), QStringList{name});
        QCOMPARE(entries(home), QStringList{u"Documents"_s});
    } else if (folder == u"umask 077") {
        QVERIFY(QDir().mkpath(documents));
        const mode_t old = ::umask(077);
        QString written;
        const QString error = writeOne(w, documents + u'/' + name, 1, &written);
        ::umask(old);
        QCOMPARE(error, QString());
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(written).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0600));
    } else if (folder.startsWith(u"another account's") || folder.startsWith(u"a colleague's")) {
        if (::geteuid() != 0)
            QSKIP("only root can give a file to another account");
        const bool colleague = folder.startsWith(u"a colleague's");
        const uid_t nobody = 65534;
        const gid_t nogroup = 65534, team = 4242;
        const QString file = documents + u'/' + name;
        QVERIFY(QDir().mkpath(documents));
        QCOMPARE(writeOne(w, file, 1), QString());
        // The colleague's group shares the folder and the file; the other account owns its file.
        for (const QString& path : {base.path(), home})
            QVERIFY(::chmod(QFile::encodeName(path).constData(), 0755) == 0);
        QVERIFY(::chown(QFile::encodeName(documents).constData(), 0, colleague ? team : nogroup) == 0);
        QVERIFY(::chmod(QFile::encodeName(documents).constData(), colleague ? 02775 : 0755) == 0);
        QVERIFY(::chown(QFile::encodeName(file).constData(), colleague ? 0 : nobody, colleague ? team : nogroup) == 0);
        QVERIFY(::chmod(QFile::encodeName(file).constData(), colleague ? 0664 : 0644) == 0);
        if (colleague) {
            // The colleague: the account nobody, a member of the team.
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                const gid_t groups[] = {team};
                if (::setgroups(1, groups) != 0 || ::setgid(nogroup) != 0 || ::setuid(nobody) != 0)
                    ::_exit(2);
                ::_exit(writeOne(w, file, 2).isEmpty() ? 0 : 1);
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            QVERIFY(WIFEXITED(status));
            QCOMPARE(WEXITSTATUS(status), 0);
        } else {
            QCOMPARE(writeOne(w, file, 2), QString());
        }
        QVERIFY(whole(w, file, 2));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &st), 0);
        QCOMPARE(st.st_uid, nobody);
        QCOMPARE(st.st_gid, colleague ? team : nogroup);
        QCOMPARE(st.st_mode & 07777, mode_t(colleague ? 0664 : 0644));
        QCOMPARE(entries(documents), QStringList{name});
    } else if (folder == u"a 245-byte name after killed writes") {
        QVERIFY(QDir().mkpath(documents));
        const QString target = documents + u'/' + longName(name);
        QCOMPARE(QFile::encodeName(QFileInfo(target).fileName()).size(), 245);
        // Another printout's killed write too: the printouts' cleanup takes every printout's.
        QStringList killed{target, target, target};
        if (w == Writer::Printout)
            killed << documents + u'/' + longName(u"Kiv_2000 - Other.pdf"_s);
        QVERIFY(killedWhileWriting(killed, w == Writer::Workbook));
        const QStringList left = entries(documents);
        QCOMPARE(left.size(), w == Writer::Workbook ? 6 : w == Writer::Printout ? 4 : 3);
        for (const QString& entry : left)
            QVERIFY2(QFile::encodeName(entry).size() <= NAME_MAX && QFile::decodeName(QFile::encodeName(entry)) == entry, qPrintable(entry));
        QString written;
        QCOMPARE(writeOne(w, target, 1, &written), QString());
        QCOMPARE(written, target);
        QVERIFY(whole(w, target, 1));
        QCOMPARE(entries(documents), QStringList{QFileInfo(target).fileName()});
    } else if (folder == u"a circle of links") {
        QVERIFY(QDir().mkpath(documents));
        QVERIFY(QFile::link(u"again-"_s + name, documents + u'/' + name));
        QVERIFY(QFile::link(name, documents + u"/again-"_s + name));
        const QString told = writeOne(w, documents + u'/' + name, 1);
        QCOMPARE(told, w == Writer::Store ? u"the file's links lead round in a circle"_s
                                          : u"The file '%1' was not saved: its links lead round in a circle."_s.arg(documents + u'/' + name));
        QStringList links{u"again-"_s + name, name};
        links.sort();
        QCOMPARE(entries(documents), links);
    } else {
        QFAIL("no such folder");
    }
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kivtest::setupTestApplication(app);
    if (argc == 3 && qstrcmp(argv[1], "--write-into") == 0)
        return writeEverything(QFile::decodeName(argv[2]));
    kivtest::detail::Guarded<TstFileWrites> tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return kivtest::detail::exec(tc, argc, argv);
}

#include "tst_file_writes.moc"
