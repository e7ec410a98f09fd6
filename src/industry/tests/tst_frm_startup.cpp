// The industry selection window, driven as a user drives it: opening an edition, the four
// search modes, the sector choice, the pick, the search, Clear and the way back to the
// edition menu, in both languages; and what the user reads when an edition cannot be used.
#include "industry/frm_ind_definitions.h"
#include "industry/frm_startup.h"
#include "industry/text_match.h"
#include "platform/db/csv_import.h"
#include "shell/frm_menuselect.h"
#include "shell/module1.h"
#include "test_support.h"

#include <QAbstractItemView>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// An SQLite copy of a fixture, built once.
QString sqliteCopy(const QString& edition)
{
    const QString copy = scratch().filePath(edition + u".sqlite"_s);
    if (!QFile::exists(copy))
        kiv::db::importCsvDumps(copy, kivtest::jetFixture(edition + u".mdb"_s));
    return copy;
}

QString fixture(const QString& engine, const QString& edition)
{
    return engine == u"access" ? kivtest::jetFixture(edition + u".mdb"_s) : sqliteCopy(edition);
}


// An SQLite copy of the one-year fixture, changed by `edit` first (built once per name).
QString editedCopy(const QString& name, const std::function<void(std::vector<kiv::db::TableData>&)>& edit)
{
    const QString path = scratch().filePath(name + u".sqlite"_s);
    if (QFile::exists(path))
        return path;
    std::vector<kiv::db::TableData> tables;
    for (const kiv::db::CsvTableSource& s : kiv::db::csvDumpsOf(kivtest::jetFixture(u"edition-one-year.mdb"_s)))
        tables.push_back(kiv::db::readCsvTable(s.table, s.csvPath));
    edit(tables);
    kiv::db::writeDatabase(path, tables);
    return path;
}

kiv::db::TableData& table(std::vector<kiv::db::TableData>& tables, const QString& name)
{
    for (kiv::db::TableData& t : tables)
        if (t.name == name)
            return t;
    qFatal("no table %s", qPrintable(name));
}

// The one-year fixture with its rows reordered so that the first stored one is 301, whose code
// is "not applicable".
QString notApplicableFirst()
{
    return editedCopy(u"not-applicable-first"_s, [](std::vector<kiv::db::TableData>& tables) {
        auto& rows = table(tables, u"KIV_DATA"_s).rows;
        std::rotate(rows.begin(), rows.end() - 1, rows.end());
    });
}

// Language and edition chosen, the edition's database in the data folder under its file name.
void prepare(const kivtest::Program& program, int language, const QString& option, const QString& source)
{
    kivtest::setLanguage(language);
    gDataPath = program.folder();
    const kiv::Edition* e = kiv::editionByOption(option);
    if (!source.isEmpty())
        program.addFile(source, QString::fromUtf16(e->database));
    frmMenuselect().editionOption(option)->setChecked(true);
}

FrmStartup& open(const kivtest::Program& program, int language, const QString& option = u"optVol1"_s,
                 const QString& source = QString())
{
    const QString edition = kiv::editionByOption(option)->kind == kiv::EditionKind::OneYear ? u"edition-one-year"_s
                                                                                          : u"edition-three-year"_s;
    prepare(program, language, option, source.isEmpty() ? sqliteCopy(edition) : source);
    FrmStartup& w = frmStartup();
    w.Show();
    return w;
}

int currentIndustry()
{
    return static_cast<int>(gRSData->Field(u"Industry").toDouble());
}

using kivtest::choose;

using kivtest::click;

void search(FrmStartup& w, const QString& key)
{
    w.txtSearch->setFocus();
    w.txtSearch->selectAll();
    QTest::keyClicks(w.txtSearch, key);
    click(w.cmdSearch);
}

QStringList visibleSearchControls(FrmStartup& w)
{
    QStringList names;
    for (QWidget* c : std::initializer_list<QWidget*>{w.cboIndustry, w.cboSector, w.txtSearch, w.cmdSearch, w.cmdClear,
                                                      w.lblText, w.lblSICESearch, w.lblSearchIn, w.cboSearchIn,
                                                      w.lblWordForms, w.cboWordForms, w.cmdViewSector})
        if (c->isVisible())
            names << c->objectName();
    return names;
}

} // namespace

class TestFrmStartup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void opening_data();
    void opening();
    void captions_data();
    void captions();
    void modes_data();
    void modes();
    void sectorChoice_data();
    void sectorChoice();
    void pick_data();
    void pick();
    void keywordSearch_data();
    void keywordSearch();
    void codeSearch();
    void searchWithoutHitKeepsTheShownIndustry_data();
    void searchWithoutHitKeepsTheShownIndustry();
    void clearKeepsTheShownIndustry_data();
    void clearKeepsTheShownIndustry();
    void sectorWithoutIndustries_data();
    void sectorWithoutIndustries();
    void typedTextChoosesNothing();
    void backToTheEditionMenu_data();
    void backToTheEditionMenu();
    void returnFromDefinitions();
    void unusableEdition_data();
    void unusableEdition();
    void editionSpoiledWhileOpen_data();
    void editionSpoiledWhileOpen();
    void startFromTheEditionMenu();
    void sampleEditionEveryMode();
};

void TestFrmStartup::init()
{
    KIV_REQUIRE_FIXTURES();
}

void TestFrmStartup::opening_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("firstEntry");
    QTest::addColumn<QString>("lastEntry");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("sectors");
    QTest::addColumn<bool>("balanceSheet");
    for (const QString& engine : {u"access"_s, u"sqlite"_s}) {
        auto row = [&](const char* name) -> QTestData& { return QTest::newRow(qPrintable(engine + u": "_s + QString::fromLatin1(name))) << engine; };
        row("one-year, English") << 0 << u"optVol1"_s << u"302"_s << u"8641"_s << u"Youth \"drop-in\" centres"_s
                                 << u"Bakeries, commercial"_s << u"Youth \"drop-in\" centres"_s << 8
                                 << QStringList{u"Children's services"_s, u"Manufacturing"_s, u"Retail trade"_s} << true;
        row("one-year, French") << 1 << u"optVol2"_s << u"302"_s << u"8641"_s << u"Centres jeunesse"_s
                                << u"Boulangeries commerciales"_s << u"Services de garderie"_s << 8
                                << QStringList{u"Commerce de détail"_s, u"Fabrication"_s, u"Services à l'enfance"_s} << true;
        row("three-year, French") << 1 << u"optVol3"_s << u"502"_s << u"3031 3039"_s << u"Portes et fenêtres en métal"_s
                                  << u"Imprimeries commerciales"_s << u"Scieries et ateliers de rabotage"_s << 5
                                  << QStringList{u"Commerce de détail"_s, u"Fabrication"_s} << false;
    }
}

void TestFrmStartup::opening()
{
    QFETCH(QString, engine);
    QFETCH(int, language);
    QFETCH(QString, option);
    QFETCH(QString, number);
    QFETCH(QString, code);
    QFETCH(QString, name);
    QFETCH(QString, firstEntry);
    QFETCH(QString, lastEntry);
    QFETCH(int, count);
    QFETCH(QStringList, sectors);
    QFETCH(bool, balanceSheet);
    kivtest::Program program;
    const QString edition = option == u"optVol3" ? u"edition-three-year"_s : u"edition-one-year"_s;
    FrmStartup& w = open(program, language, option, fixture(engine, edition));

    QVERIFY(w.isVisible());
    QCOMPARE(w.lblIndustryNumber->text(), number);
    QCOMPARE(w.lblSICC->text(), code);
    QCOMPARE(w.lblIndustryName->text(), name);
    QCOMPARE(gRSData->position(), 0);
    QCOMPARE(gIndustryCount, count);
    QCOMPARE(w.cboIndustry->ListCount(), count);
    QCOMPARE(w.cboIndustry->List(0), firstEntry);
    QCOMPARE(w.cboIndustry->List(count - 1), lastEntry);
    QCOMPARE(w.cboSector->entries(), sectors);
    QCOMPARE(w.cboIndustry->Text(), language == 0 ? u"Industry List"_s : u"Liste d'industrie"_s);
    QCOMPARE(w.cboSector->Text(), language == 0 ? u"Sector List"_s : u"Liste de secteur"_s);
    QCOMPARE(w.cboIndustry->ListIndex(), -1);
    QCOMPARE(w.optBalanceSheet->isEnabled(), balanceSheet);
    // A disabled option is drawn greyed, not in the enabled options' colour.
    const QPalette& pal = w.optBalanceSheet->palette();
    QCOMPARE(pal.color(QPalette::Disabled, QPalette::WindowText) == pal.color(QPalette::Active, QPalette::WindowText), false);
    QVERIFY(w.optView->isChecked() && w.optRatios->isChecked());
    QCOMPARE(visibleSearchControls(w), QStringList());
    QCOMPARE(w.cboSearchIn->entries(), language == 0 ? QStringList({u"Title"_s, u"Definition"_s}) : QStringList({u"Titre"_s, u"Définition"_s}));
    QCOMPARE(w.cboWordForms->Text(), language == 0 ? u"Exact"_s : u"mots exacts"_s);
    QCOMPARE(w.controlFontSize(w.Label1), 18.0f);
    QCOMPARE(w.controlFontSize(w.cmdShow), 10.0f);
}

void TestFrmStartup::captions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("texts"); // caption, Cmdcontinue, optCompare, cmdSICSearch, lblSic, lblSICESearch
    QTest::newRow("Volume 1, English") << 0 << u"optVol1"_s
                                       << QStringList{u"Main Menu"_s, u"Continue"_s, u"Compare your firm to its industry"_s,
                                                      u"SICC Search"_s, u"SICC"_s, u"SICC"_s};
    QTest::newRow("Volume 1, French") << 1 << u"optVol1"_s
                                      << QStringList{u"Menu principal"_s, u"Continuer"_s, u"Comparer votre entreprise avec son industrie"_s,
                                                     u"Recherche par CTI-C"_s, u"CTI-C"_s, u"CTI-C"_s};
    QTest::newRow("Volume 2, English") << 0 << u"optVol2"_s
                                       << QStringList{u"Main Menu"_s, u"Continue"_s, u"Compare your firm to its industry"_s,
                                                      u"SICE (3-digit) Search"_s, u"SICE"_s, u"SICE"_s};
    QTest::newRow("regional, French") << 1 << u"optQuebec"_s
                                      << QStringList{u"Menu principal"_s, u"Continuer"_s, u"Comparer votre entreprise avec son industrie"_s,
                                                     u"Recherche par CTI-E à 4 chiffres"_s, u"CTI-E"_s, u"CTI-E"_s};
}

void TestFrmStartup::captions()
{
    QFETCH(int, language);
    QFETCH(QString, option);
    QFETCH(QStringList, texts);
    kivtest::Program program;
    FrmStartup& w = open(program, language, option);
    QCOMPARE((QStringList{w.Caption(), w.Cmdcontinue->text(), w.optCompare->text(), w.cmdSICSearch->text(),
                          w.lblSic->text(), w.lblSICESearch->text()}),
             texts);
    QCOMPARE(w.Label1->text(), texts[0]);

    // Help shows the help file of the language; Exit asks first.
    const QString help = language == 0 ? u"help.html"_s : u"helpf.html"_s;
    program.writeFile(help, "<html></html>");
    click(w.CmdHelp);
    QCOMPARE(program.help.shown, QStringList{program.folder() + u'/' + help});
    program.dialogs.answer(kiv::vbNo);
    click(w.cmdQuit);
    QCOMPARE(program.dialogs.last().title, u"Kivob"_s);
    QCOMPARE(program.dialogs.last().style, int(kiv::vbYesNo + kiv::vbQuestion));
    QVERIFY(w.isVisible());
    program.dialogs.answer(kiv::vbYes);
    KIV_VERIFY_ENDS(w.cmdQuit->click());
}

void TestFrmStartup::modes_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("visible");
    QTest::addColumn<bool>("listByName");
    QTest::addColumn<bool>("sicSearch"); // flags start the opposite way round
    QTest::addColumn<bool>("sicSearchChanges");
    for (int language : {0, 1}) {
        const QString l = language == 0 ? u"English: "_s : u"French: "_s;
        QTest::newRow(qPrintable(l + u"alphabetical"_s)) << language << u"cmdSelectList"_s << QStringList{u"cboIndustry"_s} << true << false << false;
        QTest::newRow(qPrintable(l + u"sector"_s)) << language << u"cmdSector"_s << QStringList{u"cboSector"_s} << true << false << false;
        QTest::newRow(qPrintable(l + u"keyword"_s))
            << language << u"cmdKey"_s
            << QStringList{u"txtSearch"_s, u"cmdSearch"_s, u"cmdClear"_s, u"lblText"_s, u"lblSearchIn"_s, u"cboSearchIn"_s,
                           u"lblWordForms"_s, u"cboWordForms"_s}
            << true << false << true;
        QTest::newRow(qPrintable(l + u"code"_s))
            << language << u"cmdSICSearch"_s << QStringList{u"txtSearch"_s, u"cmdSearch"_s, u"cmdClear"_s, u"lblSICESearch"_s}
            << false << true << true;
    }
}

void TestFrmStartup::modes()
{
    QFETCH(int, language);
    QFETCH(QString, button);
    QFETCH(QStringList, visible);
    QFETCH(bool, listByName);
    QFETCH(bool, sicSearch);
    QFETCH(bool, sicSearchChanges);
    kivtest::Program program;
    FrmStartup& w = open(program, language);
    // Another mode first, so the button has something to change.
    click(button == u"cmdKey" ? w.cmdSICSearch : w.cmdKey);
    QTest::keyClicks(w.txtSearch, u"left over"_s);
    w.cboWordForms->setText(u"Some"_s);
    gListByName = !listByName;
    gSICSearch = !sicSearch;

    click(w.findChild<kiv::CommandButton*>(button));
    QCOMPARE(visibleSearchControls(w), visible);
    QCOMPARE(gListByName, listByName);
    QCOMPARE(gSICSearch, sicSearchChanges ? sicSearch : !sicSearch);
    if (w.txtSearch->isVisible()) {
        QCOMPARE(w.txtSearch->text(), QString());
        QCOMPARE(w.focusWidget(), w.txtSearch);
    }
    if (button == u"cmdSICSearch")
        QCOMPARE(w.cboWordForms->Text(), language == 0 ? u"Exact"_s : u"mots exacts"_s);
}

void TestFrmStartup::sectorChoice_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("sector");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("industry");
    for (const QString& engine : {u"access"_s, u"sqlite"_s}) {
        auto row = [&](const char* name) -> QTestData& { return QTest::newRow(qPrintable(engine + u": "_s + QString::fromLatin1(name))) << engine; };
        row("English, apostrophe") << 0 << u"Children's services"_s << u"C"_s
                                   << QStringList{u"Child day-care services"_s, u"Youth \"drop-in\" centres"_s}
                                   << u"Youth \"drop-in\" centres"_s << 302;
        row("French, apostrophe") << 1 << u"Services à l'enfance"_s << u"C"_s
                                  << QStringList{u"Centres jeunesse"_s, u"Services de garderie"_s} << u"Centres jeunesse"_s << 302;
        row("French") << 1 << u"Commerce de détail"_s << u"A"_s
                      << QStringList{u"Épiceries"_s, u"Magasins de chaussures"_s, u"Magasins de vêtements (hommes et femmes)"_s}
                      << u"Épiceries"_s << 101;
    }
}

void TestFrmStartup::sectorChoice()
{
    QFETCH(QString, engine);
    QFETCH(int, language);
    QFETCH(QString, sector);
    QFETCH(QString, code);
    QFETCH(QStringList, entries);
    QFETCH(QString, text);
    QFETCH(int, industry);
    kivtest::Program program;
    FrmStartup& w = open(program, language, u"optVol1"_s, fixture(engine, u"edition-one-year"_s));
    QSignalSpy picks(&w, &FrmStartup::Picked);
    click(w.cmdSector);
    choose(w.cboSector, sector);

    QCOMPARE(picks.count(), 1);
    QCOMPARE(gSectorCategory, code);
    QVERIFY(w.cboIndustry->isVisible());
    QCOMPARE(w.cboIndustry->entries(), entries);
    // The sector's first industry in stored order, not the first of the sorted list.
    QCOMPARE(w.cboIndustry->Text(), text);
    QCOMPARE(currentIndustry(), industry);
    QCOMPARE(w.lblIndustryNumber->text(), QString::number(industry));
    QCOMPARE(w.lblIndustryName->text(), text);
    QCOMPARE(frmIndDefinitions().TilDisplay->text(), text);
    QVERIFY(w.cmdViewSector->isVisible());

    // The sector mode button leaves View sector industries alone; Compare hides it, and View
    // does not bring it back.
    click(w.cmdSector);
    QVERIFY(w.cmdViewSector->isVisible());
    click(w.optCompare);
    QVERIFY(!w.cmdViewSector->isVisible());
    click(w.optView);
    QVERIFY(!w.cmdViewSector->isVisible());
    // With Compare selected a sector choice does not show it.
    click(w.optCompare);
    choose(w.cboSector, sector);
    QVERIFY(!w.cmdViewSector->isVisible());
    QCOMPARE(picks.count(), 2);
}

void TestFrmStartup::pick_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("industry");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("definition");
    QTest::newRow("English, not applicable as stored") << 0 << u"Bakeries, commercial"_s << u"Child day-care services"_s << 301
                                                       << u"not applicable"_s << u"This industry comprises establishments that provide day care"_s;
    QTest::newRow("French, not applicable reworded") << 1 << u"Boulangeries commerciales"_s << u"Services de garderie"_s << 301
                                                     << u"non applicable"_s << u"Cette industrie comprend les garderies"_s;
    QTest::newRow("English, name with double quotes") << 0 << u"Bakeries, commercial"_s << u"Youth \"drop-in\" centres"_s << 302
                                                      << u"8641"_s << u"This industry comprises centres that offer young people"_s;
    QTest::newRow("French, Null definition") << 1 << u"Boulangeries commerciales"_s << u"Produits du pain"_s << 202
                                             << u"32111"_s << QString();
}

void TestFrmStartup::pick()
{
    QFETCH(int, language);
    QFETCH(QString, first);
    QFETCH(QString, entry);
    QFETCH(int, industry);
    QFETCH(QString, code);
    QFETCH(QString, definition);
    kivtest::Program program;
    FrmStartup& w = open(program, language);
    QSignalSpy picks(&w, &FrmStartup::Picked);

    // The alphabetical list picks its first entry.
    click(w.cmdSelectList);
    QCOMPARE(picks.count(), 1);
    QCOMPARE(w.cboIndustry->Text(), first);
    QCOMPARE(currentIndustry(), 201);
    QCOMPARE(gIndustryCount, 8);

    choose(w.cboIndustry, entry);
    QCOMPARE(picks.count(), 2);
    QCOMPARE(currentIndustry(), industry);
    QCOMPARE(w.lblIndustryNumber->text(), QString::number(industry));
    QCOMPARE(w.lblSICC->text(), code);
    QCOMPARE(w.lblIndustryName->text(), entry);
    QCOMPARE(frmIndDefinitions().TilDisplay->text(), entry);
    QVERIFY(frmIndDefinitions().Definitions->toPlainText().startsWith(definition));
    QCOMPARE(frmIndDefinitions().Definitions->toPlainText().isEmpty(), definition.isEmpty());
    QVERIFY(!frmIndDefinitions().isVisible());
}

void TestFrmStartup::keywordSearch_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("wordForm"); // chosen from the list
    QTest::addColumn<QString>("searchIn");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("industry");
    QTest::newRow("English exact, names") << 0 << u"stores"_s << u"Exact"_s << u"Title"_s
                                          << QStringList{u"Clothing stores (men's and women's)"_s, u"Grocery stores"_s, u"Shoe stores"_s} << 102;
    QTest::newRow("English exact, definitions") << 0 << u"store"_s << u"Exact"_s << u"Definition"_s
                                                << QStringList{u"Grocery stores"_s, u"Grocery stores"_s, u"Grocery stores"_s} << 101;
    QTest::newRow("French partial, names") << 1 << u"MAGASINS"_s << u"mot partiel"_s << u"Titre"_s
                                           << QStringList{u"Magasins de chaussures"_s, u"Magasins de vêtements (hommes et femmes)"_s} << 103;
}

void TestFrmStartup::keywordSearch()
{
    QFETCH(int, language);
    QFETCH(QString, key);
    QFETCH(QString, wordForm);
    QFETCH(QString, searchIn);
    QFETCH(QStringList, entries);
    QFETCH(int, industry);
    kivtest::Program program;
    FrmStartup& w = open(program, language);
    QSignalSpy picks(&w, &FrmStartup::Picked);
    click(w.cmdKey);
    choose(w.cboWordForms, wordForm);
    choose(w.cboSearchIn, searchIn);
    search(w, key);

    QVERIFY(w.cboIndustry->isVisible());
    QCOMPARE(w.cboIndustry->entries(), entries);
    QCOMPARE(w.cboIndustry->ListIndex(), 0);
    QCOMPARE(picks.count(), 1);
    QCOMPARE(currentIndustry(), industry);
    QCOMPARE(w.lblIndustryName->text(), entries[0]);
    QCOMPARE(w.txtSearch->text(), key);
    QVERIFY(program.dialogs.prompts().empty());
}

void TestFrmStartup::codeSearch()
{
    kivtest::Program program;
    FrmStartup& w = open(program, 0);
    click(w.cmdSICSearch);
    search(w, u"5621"_s);
    // Only the first code in sorted order is shown, through the labels.
    QVERIFY(!w.cboIndustry->isVisible());
    QCOMPARE(w.cboIndustry->entries(), (QStringList{u"5611, 5621"_s, u"5621 5631"_s}));
    QCOMPARE(currentIndustry(), 102);
    QCOMPARE(w.lblSICC->text(), u"5611, 5621"_s);
    QCOMPARE(w.lblIndustryName->text(), u"Clothing stores (men's and women's)"_s);
}

void TestFrmStartup::searchWithoutHitKeepsTheShownIndustry_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("English") << 0 << u"No match was found"_s;
    QTest::newRow("French") << 1 << u"L'item n'a pas été trouver"_s;
}

void TestFrmStartup::searchWithoutHitKeepsTheShownIndustry()
{
    QFETCH(int, language);
    QFETCH(QString, message);
    kivtest::Program program;
    FrmStartup& w = open(program, language);
    click(w.cmdKey);
    choose(w.cboWordForms, language == 0 ? u"Some"_s : u"mot partiel"_s);
    search(w, language == 0 ? u"shoe"_s : u"chaussures"_s);
    QCOMPARE(currentIndustry(), 103);

    program.dialogs.answer(kiv::vbOK);
    search(w, u"zzz"_s);
    QCOMPARE(program.dialogs.texts(), QStringList{message});
    QCOMPARE(program.dialogs.last().style, int(kiv::vbOKOnly));
    QCOMPARE(program.dialogs.last().title, QString::fromUtf16(kiv::kAppTitle));
    QVERIFY(!w.cboIndustry->isVisible());
    QCOMPARE(w.cboIndustry->ListCount(), 0);
    QCOMPARE(w.lblIndustryNumber->text(), u"103"_s);
    QCOMPARE(currentIndustry(), 103);
    // An invalid pattern is no match either, not a failure.
    program.dialogs.answer(kiv::vbOK);
    search(w, u"[shoe"_s);
    QCOMPARE(program.dialogs.texts().size(), 2);
    QCOMPARE(currentIndustry(), 103);
}

void TestFrmStartup::clearKeepsTheShownIndustry_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("button"); // the mode of the search
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("industry");
    QTest::addColumn<QString>("code"); // as the label shows it
    QTest::newRow("English, keyword") << 0 << u"cmdKey"_s << u"Dairy"_s << 203 << u"3211,3212"_s;
    QTest::newRow("French, keyword") << 1 << u"cmdKey"_s << u"garderie"_s << 301 << u"non applicable"_s;
    QTest::newRow("French, code") << 1 << u"cmdSICSearch"_s << u"5631"_s << 103 << u"5621 5631"_s;
}

void TestFrmStartup::clearKeepsTheShownIndustry()
{
    QFETCH(int, language);
    QFETCH(QString, button);
    QFETCH(QString, key);
    QFETCH(int, industry);
    QFETCH(QString, code);
    kivtest::Program program;
    FrmStartup& w = open(program, language);
    click(w.findChild<kiv::CommandButton*>(button));
    search(w, key);
    QCOMPARE(currentIndustry(), industry);
    click(w.cmdClear);
    QVERIFY(!w.cboIndustry->isVisible());
    QCOMPARE(w.cboIndustry->ListCount(), 0);
    QCOMPARE(w.txtSearch->text(), QString());
    QCOMPARE(w.focusWidget(), w.txtSearch);
    // The labels and the current industry still agree: Continue and the definition work on
    // the industry the user sees.
    QCOMPARE(w.lblIndustryNumber->text(), QString::number(industry));
    QCOMPARE(w.lblSICC->text(), code);
    QCOMPARE(currentIndustry(), industry);
    click(w.cmdShow);
    QCOMPARE(frmIndDefinitions().TilDisplay->text(), w.lblIndustryName->text());
    QVERIFY(program.dialogs.prompts().empty());
}

void TestFrmStartup::sectorWithoutIndustries_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("sector");
    QTest::newRow("English") << 0 << u"Mining"_s;
    QTest::newRow("French") << 1 << u"Mines d'or"_s;
}

// A sector that lists no industry: an empty list, and the industry shown stays current.
void TestFrmStartup::sectorWithoutIndustries()
{
    QFETCH(int, language);
    QFETCH(QString, sector);
    const QString edition = editedCopy(u"empty-sector"_s, [](std::vector<kiv::db::TableData>& tables) {
        using kiv::db::Value;
        table(tables, u"Category"_s).rows.push_back({Value::text(u"D"_s), Value::text(u"Mining"_s), Value::text(u"Mines d'or"_s)});
    });
    kivtest::Program program;
    FrmStartup& w = open(program, language, u"optVol1"_s, edition);
    QSignalSpy picks(&w, &FrmStartup::Picked);
    click(w.cmdKey);
    search(w, language == 0 ? u"Dairy"_s : u"laitiers"_s);
    QCOMPARE(currentIndustry(), 203);
    click(w.cmdSector);
    QCOMPARE(w.cboSector->ListCount(), 4);
    choose(w.cboSector, sector);

    QCOMPARE(gSectorCategory, u"D"_s);
    QVERIFY(w.cboIndustry->isVisible());
    QCOMPARE(w.cboIndustry->ListCount(), 0);
    QCOMPARE(picks.count(), 1); // the search's pick only
    QCOMPARE(currentIndustry(), 203);
    QCOMPARE(w.lblIndustryNumber->text(), u"203"_s);
    QVERIFY(program.dialogs.prompts().empty());
}

void TestFrmStartup::typedTextChoosesNothing()
{
    kivtest::Program program;
    FrmStartup& w = open(program, 0);
    QSignalSpy picks(&w, &FrmStartup::Picked);
    click(w.cmdSelectList);
    QCOMPARE(picks.count(), 1);

    // Typing an entry's text and pressing Enter, then leaving the box: no pick, no new entry.
    QLineEdit* edit = w.cboIndustry->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, u"Grocery stores"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    w.cmdShow->setFocus();
    QCOMPARE(picks.count(), 1);
    QCOMPARE(w.cboIndustry->ListCount(), 8);
    QCOMPARE(currentIndustry(), 201);
    QCOMPARE(w.cboIndustry->Text(), u"Grocery stores"_s);
    QCOMPARE(w.cboIndustry->ListIndex(), 0);

    // The word form is read as typed: "some" in small letters is the partial form; any other
    // text asks the whole name to match.
    click(w.cmdKey);
    edit = w.cboWordForms->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, u"some"_s);
    search(w, u"bread"_s);
    QCOMPARE(w.cboIndustry->entries(), QStringList{u"Bread products"_s});
    edit->selectAll();
    QTest::keyClicks(edit, u"whole"_s);
    search(w, u"Shoe*"_s);
    QCOMPARE(w.cboIndustry->entries(), QStringList{u"Shoe stores"_s});
    QCOMPARE(w.cboWordForms->ListCount(), 2);
}

void TestFrmStartup::backToTheEditionMenu_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("French") << 1;
}

void TestFrmStartup::backToTheEditionMenu()
{
    QFETCH(int, language);
    kivtest::Program program;
    program.addFile(sqliteCopy(u"edition-three-year"_s), u"kiv_QB.mdb"_s);
    QPointer<FrmStartup> first = &open(program, language);
    click(first->cmdKey);
    gSICSearch = true;

    click(first->BacktoMain);
    QVERIFY(frmMenuselect().isVisible());
    QVERIFY(!first || !first->isVisible());
    QVERIFY(!frmStartup_Exists());
    QVERIFY(gSICSearch); // the flags keep their values

    // Another edition: the new window opens it, with its own lists.
    frmMenuselect().optQuebec->setChecked(true);
    FrmStartup& second = frmStartup();
    second.Show();
    QVERIFY(!first || &second != first.data());
    QCOMPARE(gIndustryCount, 5);
    QCOMPARE(second.lblIndustryNumber->text(), u"502"_s);
    QVERIFY(!second.optBalanceSheet->isEnabled());
    QCOMPARE(visibleSearchControls(second), QStringList());

    // Back to Volume 1: the balance sheet is available again.
    click(second.BacktoMain);
    frmMenuselect().optVol1->setChecked(true);
    frmStartup().Show();
    QVERIFY(frmStartup().optBalanceSheet->isEnabled());
    QVERIFY(frmStartup().optView->isChecked() && frmStartup().optRatios->isChecked());
    QCOMPARE(gIndustryCount, 8);
}

void TestFrmStartup::returnFromDefinitions()
{
    kivtest::Program program;
    FrmStartup& w = open(program, 1, u"optVol1"_s, notApplicableFirst());
    // Right after opening the code is shown as stored, even in French.
    QCOMPARE(w.lblSICC->text(), u"not applicable"_s);
    click(w.cmdKey);
    search(w, u"Épiceries"_s);
    QCOMPARE(currentIndustry(), 101);

    click(w.cmdShow);
    FrmIndDefinitions& d = frmIndDefinitions();
    QVERIFY(d.isVisible());
    QVERIFY(!w.isVisible());
    QCOMPARE(d.TilDisplay->text(), u"Épiceries"_s);
    QCOMPARE(d.Caption(), u"Définition de l'industrie"_s);
    QCOMPARE(d.BACK->text(), u"Reculer"_s);

    click(d.BACK);
    QVERIFY(w.isVisible());
    QVERIFY(!d.isVisible());
    QCOMPARE(visibleSearchControls(w), QStringList());
    QCOMPARE(w.cboIndustry->Text(), u"Liste d'industrie"_s);
    QCOMPARE(w.cboSector->Text(), u"Liste de secteur"_s);
    QCOMPARE(w.lblIndustryNumber->text(), u"101"_s);
    QCOMPARE(currentIndustry(), 101);
}

void TestFrmStartup::unusableEdition_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("content"); // "" no file
    QTest::addColumn<QStringList>("says");
    QTest::newRow("English, missing") << 0 << QString() << QStringList{u"cannot be opened"_s, u"edition menu"_s};
    QTest::newRow("French, random bytes") << 1 << u"random"_s << QStringList{u"n'est pas une base de données"_s, u"menu des éditions"_s};
    QTest::newRow("English, truncated Access file") << 0 << u"truncated"_s << QStringList{u"not a readable edition database"_s};
    QTest::newRow("French, Access pages overwritten") << 1 << u"scrambled"_s << QStringList{u"endommagé"_s};
    QTest::newRow("English, SQLite copy cut short") << 0 << u"sqlite-cut"_s << QStringList{u"damaged"_s};
    QTest::newRow("French, no Category table") << 1 << u"no-table"_s << QStringList{u"n'a pas de table Category"_s};
    QTest::newRow("English, no SIC column") << 0 << u"no-column"_s << QStringList{u"KIV_DATA"_s, u"has no column SIC"_s};
    QTest::newRow("French, no industry") << 1 << u"no-row"_s << QStringList{u"ne contient aucune industrie"_s};
    QTest::newRow("English, no edition selected") << 0 << u"none"_s << QStringList{u"No edition is selected"_s};
    // An Access reader that hangs on the file is stopped: the file is taken for damaged.
    QTest::newRow("English, Access reader stuck") << 0 << u"stuck"_s
                                                  << QStringList{u"not a readable edition database"_s, u"no progress"_s, u"edition menu"_s};
    QTest::newRow("French, Access reader stuck") << 1 << u"stuck"_s
                                                 << QStringList{u"n'est pas une base de données d'édition lisible"_s, u"menu des éditions"_s};
}

void TestFrmStartup::unusableEdition()
{
    QFETCH(int, language);
    QFETCH(QString, content);
    QFETCH(QStringList, says);
    kivtest::Program program;
    prepare(program, language, u"optVol1"_s, QString());
    auto fixtureBytes = [](const QString& path) {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    };
    const QString file = u"kiv_vol1.mdb"_s;
    std::optional<kivtest::ReaderSettings> stuck;
    if (content == u"random") {
        program.writeFile(file, QByteArray(5000, '\x5a'));
    } else if (content == u"truncated") {
        program.writeFile(file, fixtureBytes(kivtest::jetFixture(u"edition-one-year.mdb"_s)).left(10000));
    } else if (content == u"scrambled") {
        QByteArray bytes = fixtureBytes(kivtest::jetFixture(u"edition-one-year.mdb"_s));
        for (qsizetype i = 4096; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>((i * 7919) >> 3);
        program.writeFile(file, bytes);
    } else if (content == u"sqlite-cut") {
        const QByteArray bytes = fixtureBytes(sqliteCopy(u"edition-one-year"_s));
        program.writeFile(file, bytes.left(bytes.size() / 2));
    } else if (content == u"no-table") {
        program.addFile(editedCopy(u"no-category"_s, [](std::vector<kiv::db::TableData>& tables) {
                            std::erase_if(tables, [](const kiv::db::TableData& t) { return t.name == u"Category"; });
                        }),
                        file);
    } else if (content == u"no-column") {
        program.addFile(editedCopy(u"no-sic"_s, [](std::vector<kiv::db::TableData>& tables) {
                            kiv::db::TableData& t = table(tables, u"KIV_DATA"_s);
                            t.columns.erase(t.columns.begin() + 1);
                            for (auto& row : t.rows)
                                row.erase(row.begin() + 1);
                        }),
                        file);
    } else if (content == u"no-row") {
        program.addFile(editedCopy(u"no-row"_s, [](std::vector<kiv::db::TableData>& tables) { table(tables, u"KIV_DATA"_s).rows.clear(); }),
                        file);
    } else if (content == u"stuck") {
        KIV_REQUIRE_FIXTURES();
        program.addFile(kivtest::jetFixture(u"edition-one-year.mdb"_s), file);
        stuck.emplace([] {
            for (;;)
                ::pause();
        }, 300);
    } else if (content == u"none") {
        kiv::OptionButton* vol1 = frmMenuselect().optVol1;
        vol1->setAutoExclusive(false);
        vol1->setChecked(false);
        vol1->setAutoExclusive(true);
    }
    program.dialogs.answer(kiv::vbOK);
    frmStartup().Show();

    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    const QString text = program.dialogs.last().text;
    if (content != u"none")
        QVERIFY2(text.contains(program.folder() + u'/' + file), qPrintable(text));
    for (const QString& part : says)
        QVERIFY2(text.contains(part), qPrintable(text));
    QCOMPARE(program.dialogs.last().style, int(kiv::vbOKOnly + kiv::vbExclamation));
    QVERIFY(frmMenuselect().isVisible());
    QVERIFY(!frmStartup_Exists());
    QVERIFY(!gRSData);
}

void TestFrmStartup::editionSpoiledWhileOpen_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("step"); // what the user does after the file went bad
    QTest::newRow("access: English, sector") << u"access"_s << 0 << u"sector"_s;
    QTest::newRow("access: French, alphabetical list") << u"access"_s << 1 << u"list"_s;
    QTest::newRow("sqlite: French, sector") << u"sqlite"_s << 1 << u"sector"_s;
    QTest::newRow("sqlite: English, alphabetical list") << u"sqlite"_s << 0 << u"list"_s;
}

// The edition file is overwritten in place while the window has it open: the next step that
// reads it tells the user and goes back to the edition menu.
void TestFrmStartup::editionSpoiledWhileOpen()
{
    QFETCH(QString, engine);
    QFETCH(int, language);
    QFETCH(QString, step);
    kivtest::Program program;
    FrmStartup& w = open(program, language, u"optVol1"_s, fixture(engine, u"edition-one-year"_s));
    const QString path = program.folder() + u"/kiv_vol1.mdb"_s;
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        const qint64 size = f.size();
        QVERIFY(f.resize(0));
        QVERIFY(f.write(QByteArray(size / 3, '\x5a')) > 0);
    }
    QPointer<FrmStartup> window = &w;
    bool busyWhileAsked = true;
    program.dialogs.whileOpen = [&](const kivtest::Prompt&) { busyWhileAsked = QApplication::overrideCursor() != nullptr; };
    program.dialogs.answer(kiv::vbOK);
    if (step == u"sector") {
        click(w.cmdSector);
        choose(w.cboSector, w.cboSector->List(0));
    } else {
        click(w.cmdSelectList);
    }
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QVERIFY2(program.dialogs.last().text.contains(path), qPrintable(program.dialogs.last().text));
    QVERIFY2(!busyWhileAsked, "the hourglass stayed up while the message was shown");
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(frmMenuselect().isVisible());
    QVERIFY(!frmStartup_Exists());
    QVERIFY(!window || !window->isVisible());
}

void TestFrmStartup::startFromTheEditionMenu()
{
    kivtest::Program program;
    prepare(program, 0, u"optVol1"_s, sqliteCopy(u"edition-one-year"_s));
    program.addFile(sqliteCopy(u"edition-three-year"_s), u"kiv_vol3.mdb"_s);
    FrmMenuselect& menu = frmMenuselect();
    menu.Show();
    menu.Startapp_Click();
    QVERIFY(frmStartup().isVisible());
    QVERIFY(!menu.isVisible());
    QCOMPARE(gIndustryCount, 8);

    // An edition that cannot be opened: the message, and the menu stays up for another choice.
    click(frmStartup().BacktoMain);
    program.writeFile(u"kiv_vol3.mdb"_s, QByteArray("not a database"));
    menu.optVol3->setChecked(true);
    program.dialogs.answer(kiv::vbOK);
    menu.Startapp_Click();
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    QVERIFY(menu.isVisible());
    QVERIFY(!frmStartup_Exists());
}

// The sample Volume 1 of the program folder: every way of finding an industry finds one.
void TestFrmStartup::sampleEditionEveryMode()
{
    kivtest::Program program;
    kivtest::useSampleEdition(program, u"optVol1"_s);
    FrmStartup& w = frmStartup();
    w.Show();
    QVERIFY(w.isVisible());
    QVERIFY(w.cboIndustry->ListCount() > 10);
    QVERIFY(w.cboSector->ListCount() > 1);
    const QString firstCode = kiv::industry::SplitWords(gRSData->Field(u"SIC").toText()).value(0);

    click(w.cmdSelectList);
    QCOMPARE(w.lblIndustryName->text(), w.cboIndustry->List(0));
    click(w.cmdSector);
    choose(w.cboSector, w.cboSector->List(0));
    QVERIFY(w.cboIndustry->ListCount() > 0);
    QCOMPARE(w.lblIndustryName->text(), w.cboIndustry->Text());
    click(w.cmdKey);
    search(w, u"stores"_s);
    QVERIFY(w.cboIndustry->ListCount() > 0);
    choose(w.cboWordForms, u"Some"_s);
    choose(w.cboSearchIn, u"Definition"_s);
    search(w, u"sample"_s);
    QCOMPARE(w.cboIndustry->ListCount(), gIndustryCount);
    click(w.cmdSICSearch);
    search(w, firstCode);
    QVERIFY(w.lblSICC->text().contains(firstCode));
    QVERIFY(program.dialogs.prompts().empty());
}

KIV_TEST_MAIN(TestFrmStartup)
#include "tst_frm_startup.moc"
