// The reminder program run as the installation runs it: its one box, and its end.
#include "kiv_config.h"
#include "reminder/reminder_text.h"
#include "test_support.h"

#include <QProcess>

using namespace Qt::StringLiterals;

class TestTivmel : public QObject {
    Q_OBJECT
private slots:
    void showsMessageAndEnds_data();
    void showsMessageAndEnds();
    void namedFolder_data();
    void namedFolder();
};

void TestTivmel::showsMessageAndEnds_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("English system") << u"C.UTF-8"_s;
    QTest::newRow("French system") << u"fr_CA.UTF-8"_s;
}

// The same two texts whatever the system's language: English, a blank line, French; both name
// the program folder the reminder runs from (here the build's, not the one of the install).
// An OK button only, no icon, the program's name as title; closing the box ends the program.
void TestTivmel::showsMessageAndEnds()
{
    QFETCH(QString, locale);
    const QString program = kivtest::programDir() + u"/Tivmel"_s;
    QVERIFY2(QFile::exists(program), qPrintable(program));

    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"TIVMEL_SELF_TEST"_s, u"1"_s);
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(u"LC_ALL"_s, locale);
    env.insert(u"LANG"_s, locale);
    run.setProcessEnvironment(env);
    run.start(program, {});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);

    const QString folder = QFileInfo(kivtest::programDir()).canonicalFilePath();
    QVERIFY(QFileInfo(QString::fromUtf8(KIV_INSTALLED_PROGRAM_DIR)).canonicalFilePath() != folder);
    const QString expected =
        u"title: Tivmel\nicon: none\nbuttons: OK\ntext:\n"_s
        u"Once installation is complete, please copy all files in the 'Data' folder from the CD-ROM to the destination "_s
        u"directory.  The default destination directory is: "_s
        + folder + u".\n\n"_s
        u"Lorsque l'installation sera terminée, copier s'il vous plaît tous les fichiers du répertoire 'Data' du CD-ROM "_s
        u"au répertoire destinataire.  Le répertoire destinataire par défault est: "_s
        + folder + u".\n"_s;
    QCOMPARE(QString::fromUtf8(run.readAllStandardOutput()), expected);
}

// The folder the build set while the reminder runs from it (whatever path leads there), else
// the folder it runs from.
void TestTivmel::namedFolder_data()
{
    QTest::addColumn<QString>("configured"); // under the test's folder: "link" leads to "installed"
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("named");
    QTest::newRow("from the configured folder") << u"installed"_s << u"installed"_s << u"installed"_s;
    QTest::newRow("from the configured folder, by a link") << u"link"_s << u"installed"_s << u"link"_s;
    QTest::newRow("installed under another prefix") << u"installed"_s << u"elsewhere"_s << u"elsewhere"_s;
    QTest::newRow("configured folder absent") << u"absent"_s << u"elsewhere"_s << u"elsewhere"_s;
    QTest::newRow("no running folder") << u"installed"_s << QString() << u"installed"_s;
}

void TestTivmel::namedFolder()
{
    QFETCH(QString, configured);
    QFETCH(QString, running);
    QFETCH(QString, named);
    QTemporaryDir dir;
    const QString root = QFileInfo(dir.path()).canonicalFilePath();
    QVERIFY(QDir(root).mkpath(u"installed"_s) && QDir(root).mkpath(u"elsewhere"_s));
    QVERIFY(QFile::link(root + u"/installed"_s, root + u"/link"_s));
    const auto in = [&](const QString& name) { return name.isEmpty() ? QString() : root + u'/' + name; };
    QCOMPARE(tivmel::installFolder(in(configured), in(running)), in(named));
}

KIV_TEST_MAIN(TestTivmel)
#include "tst_tivmel.moc"
