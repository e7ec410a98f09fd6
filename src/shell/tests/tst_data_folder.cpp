// The data folder: where SetAppPath finds it, and which editions the scan offers.
#include "shell/edition_choice.h"
#include "shell/frm_menuselect.h"
#include "shell_fixture.h"

#include <QDir>
#include <QFile>

using shelltest::ShellProgram;
using namespace Qt::Literals::StringLiterals;

class TestDataFolder : public QObject {
    Q_OBJECT
private slots:
    void workstationUsesProgramFolder();
    void lanReadsPathFile_data();
    void lanReadsPathFile();
    void lanPathFileErrors_data();
    void lanPathFileErrors();

    void realListing();

    void scanMarksEditions_data();
    void scanMarksEditions();
    void scanKeepsListedLetterCase();
    void nothingFoundUnderWorkstation_data();
    void nothingFoundUnderWorkstation();
    void nothingFoundUnderLan();
    void unlistableFolder_data();
    void unlistableFolder();
};

void TestDataFolder::workstationUsesProgramFolder()
{
    ShellProgram program;
    // The path file is not read: its absence is no error here.
    kiv::setPathFile(program.folder() + QStringLiteral("/absent.txt"));
    kiv::SetAppPath();
    QCOMPARE(gDataPath, program.folder());
    QVERIFY(program.dialogs.prompts().empty());
}

void TestDataFolder::lanReadsPathFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("dataPath");
    QTest::newRow("trailing separator") << "lan" << QByteArray("/srv/kiv/\nsecond line\n") << "/srv/kiv/Data";
    QTest::newRow("no trailing separator") << "lan" << QByteArray("/srv/kiv\n") << "/srv/kiv/Data";
    QTest::newRow("no line break at all") << "lan" << QByteArray("/srv/kiv") << "/srv/kiv/Data";
    QTest::newRow("line written elsewhere (CR LF)") << "lan" << QByteArray("/srv/kiv\r\n") << "/srv/kiv/Data";
    QTest::newRow("empty first line") << "lan" << QByteArray("\n/srv/kiv\n") << "/Data";
    QTest::newRow("blanks kept") << "lan" << QByteArray("/srv/my kiv \n") << "/srv/my kiv /Data";
    QTest::newRow("kind in capitals") << "LAN" << QByteArray("/srv/kiv\n") << "/srv/kiv/Data";
    QTest::newRow("accented folder") << "Lan" << QByteArray("/srv/donn\xc3\xa9""es\n") << QStringLiteral("/srv/données/Data");
}

void TestDataFolder::lanReadsPathFile()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(QString, dataPath);
    ShellProgram program;
    program.writeFile(QStringLiteral("kiv_path.txt"), content);
    kiv::setInstallKind(kind);
    kiv::setPathFile(program.folder() + QStringLiteral("/kiv_path.txt"));
    kiv::SetAppPath();
    QCOMPARE(gDataPath, dataPath);
    QVERIFY(program.dialogs.prompts().empty());
}

void TestDataFolder::lanPathFileErrors_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "missing" << "Error: could not find 'kiv_path.txt'";
    QTest::newRow("no line at all") << "empty" << "Error in SetAppPath procedure.";
    QTest::newRow("a folder, not a file") << "folder" << "Error in SetAppPath procedure.";
}

void TestDataFolder::lanPathFileErrors()
{
    QFETCH(QString, setup);
    QFETCH(QString, message);
    ShellProgram program;
    const QString path = program.folder() + QStringLiteral("/kiv_path.txt");
    if (setup == u"empty")
        program.writeFile(QStringLiteral("kiv_path.txt"), QByteArray());
    else if (setup == u"folder")
        QVERIFY(QDir(program.folder()).mkdir(QStringLiteral("kiv_path.txt")));
    kiv::setInstallKind(QStringLiteral("lan"));
    kiv::setPathFile(path);
    gDataPath = QStringLiteral("untouched");
    program.dialogs.answer(kiv::vbOK);
    KIV_VERIFY_ENDS(kiv::SetAppPath());
    QCOMPARE(program.dialogs.texts(), QStringList{message});
    QCOMPARE(program.dialogs.last().style, int(kiv::vbOKOnly));
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Kiv_2000"));
}

void TestDataFolder::realListing()
{
    ShellProgram program;
    for (const char* name : {"kiv_vol2.mdb", "Kiv_Vol1.MDB", "KIV_OTHER_Metro.Mdb", ".hidden.mdb", "notes.txt", "kiv_vol3.mdb.bak"})
        program.writeFile(QString::fromLatin1(name), QByteArray("x"));
    QVERIFY(QDir(program.folder()).mkdir(QStringLiteral("folder.mdb")));
    const std::optional<QStringList> listed = kiv::listEditionFiles(program.folder());
    QVERIFY(listed.has_value());
    QStringList names = *listed;
    names.sort();
    QCOMPARE(names, (QStringList{u"KIV_OTHER_Metro.Mdb"_s, u"Kiv_Vol1.MDB"_s, u"kiv_vol2.mdb"_s}));
    QVERIFY(!kiv::listEditionFiles(program.folder() + QStringLiteral("/no such folder")).has_value());
}

void TestDataFolder::scanMarksEditions_data()
{
    QTest::addColumn<QStringList>("listing");
    QTest::addColumn<QStringList>("enabled");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("otherCaption");
    QTest::addColumn<QString>("otherDbName");
    const QString cma = QStringLiteral("CMA/RMR");
    QTest::newRow("Volume 1 listed last still wins")
        << QStringList{u"kiv_vol2.mdb"_s, u"kiv_AT.mdb"_s, u"kiv_vol1.mdb"_s}
        << QStringList{u"optVol1"_s, u"optVol2"_s, u"optAtlantic"_s} << "optVol1" << cma << "";
    QTest::newRow("no Volume 1: the first listed")
        << QStringList{u"kiv_YK.mdb"_s, u"kiv_vol3.mdb"_s} << QStringList{u"optVol3"_s, u"optYukon"_s} << "optYukon" << cma << "";
    QTest::newRow("any letter case")
        << QStringList{u"Kiv_Vol1.MDB"_s} << QStringList{u"optVol1"_s} << "optVol1" << cma << "";
    QTest::newRow("other edition")
        << QStringList{u"KIV_OTHER_Metro.mdb"_s} << QStringList{u"optOther"_s} << "optOther" << "Metro" << "KIV_OTHER_Metro.mdb";
    QTest::newRow("other edition in small letters")
        << QStringList{u"kiv_other_Harbour.MDB"_s} << QStringList{u"optOther"_s} << "optOther" << "Harbour" << "kiv_other_Harbour.MDB";
    QTest::newRow("two other editions: the last names it, the first edition is selected")
        << QStringList{u"kiv_NS.mdb"_s, u"KIV_OTHER_Metro.mdb"_s, u"KIV_OTHER_Bay.mdb"_s}
        << QStringList{u"optNovaScotia"_s, u"optOther"_s} << "optNovaScotia" << "Bay" << "KIV_OTHER_Bay.mdb";
    QTest::newRow("other edition found first keeps the selection")
        << QStringList{u"KIV_OTHER_Bay.mdb"_s, u"kiv_QB.mdb"_s} << QStringList{u"optQuebec"_s, u"optOther"_s} << "optOther" << "Bay" << "KIV_OTHER_Bay.mdb";
    QTest::newRow("other edition without a name")
        << QStringList{u"KIV_OTHER_.mdb"_s} << QStringList{u"optOther"_s} << "optOther" << "" << "KIV_OTHER_.mdb";
    QTest::newRow("saved figures and strangers ignored")
        << QStringList{u"kiv_MyValue_v12.mdb"_s, u"kiv_MyValue_v3.mdb"_s, u"kiv_vol12.mdb"_s, u"kiv_NWTN.mdb"_s}
        << QStringList{u"optNWT_Nunavut"_s} << "optNWT_Nunavut" << cma << "";
    QStringList all;
    for (const kiv::Edition& e : kiv::editions())
        if (e.database)
            all << QString::fromUtf16(e.database);
    QStringList allOptions;
    for (const kiv::Edition& e : kiv::editions())
        if (e.database)
            allOptions << QString::fromUtf16(e.option);
    std::reverse(all.begin(), all.end());
    QTest::newRow("every edition of the table, Volume 1 last")
        << all << allOptions << "optVol1" << cma << "";
}

void TestDataFolder::scanMarksEditions()
{
    QFETCH(QStringList, listing);
    QFETCH(QStringList, enabled);
    QFETCH(QString, selected);
    QFETCH(QString, otherCaption);
    QFETCH(QString, otherDbName);
    ShellProgram program;
    program.listing(listing);
    gDataPath = program.folder();
    kiv::ScanDataFolder();

    FrmMenuselect& menu = frmMenuselect();
    QVERIFY(menu.isVisible());
    QVERIFY(program.dialogs.prompts().empty());
    for (kiv::OptionButton* opt : menu.editionOptions()) {
        const bool on = enabled.contains(opt->objectName());
        QCOMPARE(opt->isEnabled(), on);
        QCOMPARE(opt->font().bold(), on);
        if (on)
            QCOMPARE(opt->ForeColor(), QColor(255, 255, 0));
        QCOMPARE(opt->isChecked(), opt->objectName() == selected);
    }
    QCOMPARE(menu.optOther->text(), otherCaption);
    QCOMPARE(gOtherDbName, otherDbName);
    QCOMPARE(QString::fromUtf16(kiv::selectedEdition()->option), selected);
}

void TestDataFolder::scanKeepsListedLetterCase()
{
    ShellProgram program;
    program.listing({QStringLiteral("Kiv_Vol1.MDB"), QStringLiteral("KIV_AT.MDB"), QStringLiteral("KIV_OTHER_Metro.mdb")});
    gDataPath = program.folder();
    kiv::ScanDataFolder();
    FrmMenuselect& menu = frmMenuselect();
    // The database is opened by the name on disk, not by the name of the edition table.
    QCOMPARE(kiv::editionDatabaseFileName(), QStringLiteral("Kiv_Vol1.MDB"));
    QCOMPARE(kiv::editionDatabasePath(), program.folder() + QStringLiteral("/Kiv_Vol1.MDB"));
    menu.optAtlantic->setChecked(true);
    QCOMPARE(kiv::editionDatabasePath(), program.folder() + QStringLiteral("/KIV_AT.MDB"));
    menu.optOther->setChecked(true);
    QCOMPARE(kiv::editionDatabasePath(), program.folder() + QStringLiteral("/KIV_OTHER_Metro.mdb"));
    QCOMPARE(kiv::selectedEdition()->kind, kiv::EditionKind::ThreeYear);
    // An option selected without a scan (as other windows' tests do) opens the table's name.
    menu.optVol2->setChecked(true);
    QCOMPARE(kiv::editionDatabaseFileName(), QStringLiteral("kiv_vol2.mdb"));
}

void TestDataFolder::nothingFoundUnderWorkstation_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("English") << 0 << "Please copy all files in the 'Data' folder from the CD-ROM to the directory: ";
    QTest::newRow("French") << 1 << "Copier s'il vous plaît tous les fichiers du répertoire 'Data' du CD-ROM au répertoire: ";
}

void TestDataFolder::nothingFoundUnderWorkstation()
{
    QFETCH(int, language);
    QFETCH(QString, message);
    ShellProgram program;
    gLanguage = static_cast<std::int16_t>(language);
    program.listing({QStringLiteral("kiv_MyValue_v12.mdb"), QStringLiteral("kiv_MyValue_v3.mdb")});
    gDataPath = program.folder();
    program.dialogs.answer(kiv::vbOK);
    KIV_VERIFY_ENDS(kiv::ScanDataFolder());
    QCOMPARE(program.dialogs.texts(), QStringList{message + program.folder()});
    QCOMPARE(program.dialogs.last().style, int(kiv::vbOKOnly));
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Kiv_2000"));
}

void TestDataFolder::nothingFoundUnderLan()
{
    ShellProgram program;
    kiv::setInstallKind(QStringLiteral("lan"));
    program.listing({});
    gDataPath = program.folder();
    kiv::ScanDataFolder();
    QVERIFY(program.dialogs.prompts().empty());
    QVERIFY(frmMenuselect().isVisible());
    for (kiv::OptionButton* opt : frmMenuselect().editionOptions()) {
        QVERIFY(!opt->isEnabled());
        QVERIFY(!opt->isChecked());
    }
    QVERIFY(kiv::selectedEdition() == nullptr);
    QVERIFY(kiv::editionDatabasePath().isEmpty());
}

void TestDataFolder::unlistableFolder_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("lan") << "lan";
    QTest::newRow("workstation") << "workstation";
}

void TestDataFolder::unlistableFolder()
{
    QFETCH(QString, kind);
    ShellProgram program;
    kiv::setInstallKind(kind);
    gDataPath = program.folder() + QStringLiteral("/Data"); // a drive that is not there
    program.dialogs.answer(kiv::vbOK);
    kiv::ScanDataFolder(); // does not end
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QVERIFY(program.dialogs.last().text.contains(gDataPath));
    QVERIFY(frmMenuselect().isVisible());
    for (kiv::OptionButton* opt : frmMenuselect().editionOptions())
        QVERIFY(!opt->isEnabled() && !opt->isChecked());
}

KIV_TEST_MAIN(TestDataFolder)
#include "tst_data_folder.moc"
