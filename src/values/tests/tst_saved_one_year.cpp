// The one-year window's Save and Restore: what the store keeps and gives back, the stores
// carried over from an older installation, and every failure leaving both the stored row and
// the boxes as they were.
#include "balancesheet/balance_sheet_structure.h"
#include "balancesheet/frm_my_balance_sheet.h"
#include "industry/frm_startup.h"
#include "one_year_window.h"
#include "platform/db/database.h"
#include "platform/db/edition_schema.h"
#include "platform/program_folder.h"
#include "shell/module1.h"
#include "test_support.h"
#include "values/one_year_store.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using kiv::db::ColumnType;
using kiv::db::Value;
using kiv::values::Item;
using namespace onewindow;

namespace {

QString storeFile()
{
    return kiv::store::storePath(kiv::values::savedOneYearFigures());
}

QByteArray fileBytes()
{
    QFile f(storeFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList filesInFolder(const kivtest::Program& program)
{
    return QDir(program.folder()).entryList(QDir::Files | QDir::Hidden);
}

// Writes the store file with one table: the columns as numbers unless `textColumn` names one
// kept as text, and the rows given.
void writeStore(const QString& table, const QStringList& columns, const std::vector<std::vector<Value>>& rows,
                const QString& textColumn = QString())
{
    kiv::db::TableData t;
    t.name = table;
    for (const QString& c : columns)
        t.columns.push_back({c, c == textColumn ? ColumnType::Text : ColumnType::Double});
    t.rows = rows;
    kiv::db::writeDatabase(storeFile(), {t});
}

// The store as delivered: one row of zeros.
void writeZeros()
{
    writeStore(u"MyValue_v12"_s, kiv::db::schema::myValueV12Columns(), {std::vector<Value>(33, Value::number(0))});
}

// Holds an exclusive lock on an SQLite file, as another program writing to it would.
class Lock {
public:
    explicit Lock(const QString& path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        locked_ = sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~Lock()
    {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db_);
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    bool locked() const { return locked_; }

private:
    sqlite3* db_ = nullptr;
    bool locked_ = false;
};

// While it lives no file of this process can grow beyond a few bytes, as on a full disk: a
// write past the limit fails (its signal ignored) instead of ending the test.
class DiskFull {
public:
    DiskFull()
    {
        getrlimit(RLIMIT_FSIZE, &before_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit full = before_;
        full.rlim_cur = 512;
        active_ = setrlimit(RLIMIT_FSIZE, &full) == 0;
    }
    ~DiskFull()
    {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, previous_);
    }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;
    bool active() const { return active_; }

private:
    rlimit before_{};
    void (*previous_)(int) = SIG_DFL;
    bool active_ = false;
};

// The texts without their blanks: a box never typed in shows "0", and " 0" once restored.
QStringList trimmedTexts(QStringList texts)
{
    for (QString& t : texts)
        t = t.trimmed();
    return texts;
}

using Figures = std::vector<std::pair<Item, QString>>;

// A statement with every kind of amount, typed box by box.
const Figures kStatement = {{Item::Cash, u"1500"_s}, {Item::AccountsReceivable, u"-2.5"_s}, {Item::BankLoans, u"400"_s},
                            {Item::ShareCapital, u"1097.5"_s}, {Item::OperatingRevenue, u"12.3456"_s},
                            {Item::ProfitAfterTax, u"3"_s}};

// How the message of a failed Save or Restore begins, before the store's path.
QString messageLead(int language, bool saving)
{
    return language == 0 ? (saving ? u"The figures could not be saved in '"_s : u"The saved figures could not be restored from '"_s)
                         : (saving ? u"Les données n'ont pas pu être sauvegardées dans '"_s
                                   : u"Les données sauvegardées n'ont pas pu être rétablies de '"_s);
}

} // namespace

Q_DECLARE_METATYPE(Figures)

class TestSavedOneYear : public QObject {
    Q_OBJECT
private slots:
    void columnsInStoreOrder();
    void roundTrip_data();
    void roundTrip();
    void twoSavesLeaveOneRow();
    void restoreMakesTheTotals_data();
    void restoreMakesTheTotals();
    void failures_data();
    void failures();
    void saveRefusesATextThatIsNoAmount();
    void unwritableFolder();
    void programFolderWritableAgain_data();
    void programFolderWritableAgain();
    void unreachableDataFolder_data();
    void unreachableDataFolder();
    void accessStore();
    void deliveredStore();
};

// The 33 columns in the store's own order, the five totals kept in their total form.
void TestSavedOneYear::columnsInStoreOrder()
{
    const QStringList expected = u"Cash,Ar,Inv,CA,OA,Toa,Invest,Ptfl,Ta,OperatingRevenue,Sales,GrossProfit,OperatingProfit,"
                                 u"InterestExpense,PretaxProfit,ProfitAfterTax,AccountsPayable,Banks,Paper,Mtg,Bonds,Ol,AmtsAffil,"
                                 u"OLiab,DefTax,Tliab,ShareC,RetEarn,OtherSur,Equity1,TotLiabShareEq,CurrentAssets,"
                                 u"CurrentLiabilities"_s.split(u',');
    const kiv::store::FigureStore& store = kiv::values::savedOneYearFigures();
    QCOMPARE(store.fileName, u"kiv_MyValue_v12.mdb"_s);
    QCOMPARE(store.table, u"MyValue_v12"_s);
    QStringList names, totals;
    for (const kiv::store::Column& c : store.columns) {
        names << c.name;
        if (c.form == kiv::store::TextForm::Total)
            totals << c.name;
        else
            QCOMPARE(int(c.form), int(kiv::store::TextForm::Entry));
    }
    QCOMPARE(names, expected);
    QCOMPARE(names, kiv::db::schema::myValueV12Columns());
    QCOMPARE(totals, (QStringList{u"Toa"_s, u"Ta"_s, u"Tliab"_s, u"Equity1"_s, u"TotLiabShareEq"_s}));
}

// Typed, saved, cleared and restored: every box shows exactly what it showed before the Save.
void TestSavedOneYear::roundTrip_data()
{
    QTest::addColumn<Figures>("figures");
    QTest::addColumn<QString>("totalAssets");
    Figures zeros;
    for (const kiv::values::ItemInfo& it : kiv::values::items())
        if (!it.computed)
            zeros.push_back({it.item, u"0"_s});
    QTest::newRow("zeros") << zeros << u"0"_s;
    QTest::newRow("negative, four decimals")
        << Figures{{Item::Cash, u"-925418"_s}, {Item::Inventory, u"2.123456"_s}, {Item::InterestExpense, u"512347.6825"_s},
                   {Item::RetainedEarnings, u"-0.0001"_s}, {Item::ProfitAfterTax, u"-1333772.3175"_s}}
        << u"-925415.9"_s;
    QTest::newRow("exponent totals")
        << Figures{{Item::Cash, u"412350"_s}, {Item::AccountsReceivable, u"2318400"_s}, {Item::Inventory, u"3106975"_s},
                   {Item::CapitalAssets, u"8925600"_s}, {Item::OtherAssets, u"641230"_s}, {Item::InvestmentsWithAffiliates, u"1150000"_s},
                   {Item::PortfolioInvestments, u"222661"_s}, {Item::AccountsPayable, u"123456789012.3456"_s},
                   {Item::RetainedEarnings, u"-925418"_s}}
        << u"1.677722E+07"_s;
}

void TestSavedOneYear::roundTrip()
{
    QFETCH(Figures, figures);
    QFETCH(QString, totalAssets);
    kivtest::Program program;
    writeZeros();
    FrmMyValues& w = openWindow();
    enterFigures(w, figures);
    QCOMPARE(w.txtTa->text(), totalAssets);
    const QStringList saved = boxTexts(w);

    clickButton(w.cmdSave);
    QVERIFY(program.dialogs.prompts().empty()); // a Save that works says nothing
    program.dialogs.answer(kiv::vbYes);
    clickButton(w.cmdCear);
    w.lblNpm->setText(u"12.50"_s);
    typeInto(w.txtAr, u"5"_s); // the user is in another box, its text not yet checked
    clickButton(w.cmdRestore);

    // A box never typed in still holds the start form "0": it comes back in the entry form, as
    // if the user had typed 0.
    QStringList expected = saved;
    for (const kiv::values::ItemInfo& it : kiv::values::items())
        if (!it.computed && expected[kiv::values::index(it.item)] == u"0")
            expected[kiv::values::index(it.item)] = u" 0"_s;
    QCOMPARE(boxTexts(w), expected);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1)); // the Clear question only
    QCOMPARE(focused(), w.txtCash);
    QCOMPARE(w.txtCash->selectedText(), w.txtCash->text());
    QCOMPARE(w.lblNpm->text(), u"12.50"_s);
}

void TestSavedOneYear::twoSavesLeaveOneRow()
{
    kivtest::Program program;
    writeZeros();
    FrmMyValues& w = openWindow();
    enterFigures(w, {{Item::Cash, u"1500"_s}});
    clickButton(w.cmdSave);
    enterFigures(w, {{Item::Cash, u"-2.5"_s}, {Item::OperatingRevenue, u"7"_s}, {Item::CurrentLiabilities, u"0.0001"_s}});
    clickButton(w.cmdSave);
    QVERIFY(program.dialogs.prompts().empty());

    const auto db = kiv::db::Database::open(storeFile(), true);
    QCOMPARE(db->engine(), kiv::db::Database::Engine::SQLite);
    QCOMPARE(db->tableNames(), QStringList{u"MyValue_v12"_s});
    const auto table = db->openSnapshot(u"MyValue_v12"_s);
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->columnNames(), kiv::db::schema::myValueV12Columns());
    QCOMPARE(table->value(0, u"Cash").toDouble(), -2.5);
    QCOMPARE(table->value(0, u"Toa").toDouble(), -2.5);
    QCOMPARE(table->value(0, u"OperatingRevenue").toDouble(), 7.0);
    QCOMPARE(table->value(0, u"CurrentLiabilities").toDouble(), 0.0001);
    QCOMPARE(table->value(0, u"Banks").toDouble(), 0.0);
    QCOMPARE(filesInFolder(program), QStringList{u"kiv_MyValue_v12.mdb"_s});
}

// The amounts go into the boxes as they are stored, not checked again, not even the box the user
// leaves for txtCash; the totals are made from them as typing them would, whatever totals the
// store holds. This store, of an older build or edited by hand, holds amounts that cancel and
// totals that do not add up: a total assets of 0.0125 the balance sheet would divide by.
void TestSavedOneYear::restoreMakesTheTotals_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("French") << 1;
}

void TestSavedOneYear::restoreMakesTheTotals()
{
    QFETCH(int, language);
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    kivtest::useSampleEdition(program); // the comparison shows the first industry beside the firm
    frmStartup();
    const QStringList columns = kiv::db::schema::myValueV12Columns();
    std::vector<Value> row(33, Value::number(0));
    const auto put = [&](const char16_t* column, double value) { row[std::size_t(columns.indexOf(QStringView(column)))] = Value::number(value); };
    put(u"Cash", 1000);
    put(u"Ar", 355447.125);
    put(u"Invest", -355447.125);
    put(u"AccountsPayable", 355447.125);
    put(u"Banks", 600);
    put(u"ShareC", -355447.125);
    put(u"RetEarn", 400);
    put(u"CurrentAssets", 250);
    put(u"Toa", 0.0125);
    put(u"Ta", 0.0125);
    put(u"Tliab", 355447.2);
    put(u"Equity1", -355447.1);
    put(u"TotLiabShareEq", 0.0125);
    writeStore(u"MyValue_v12"_s, columns, {row});

    FrmMyValues& w = openWindow();
    typeInto(w.txtOA, u"7"_s);
    clickButton(w.cmdRestore);
    QVERIFY(program.dialogs.prompts().empty());
    QCOMPARE(w.txtCash->text(), u" 1000"_s);
    QCOMPARE(w.txtAr->text(), u" 355447.125"_s);
    QCOMPARE(w.txtOA->text(), u" 0"_s);
    QCOMPARE(focused(), w.txtCash);
    // The five totals, in the total form, from the exact sums of the restored amounts.
    QCOMPARE(w.txtToa->text(), u"356447.1"_s);
    QCOMPARE(w.txtTa->text(), u"1000"_s);
    QCOMPARE(w.txtTliab->text(), u"356047.1"_s);
    QCOMPARE(w.txtEquity1->text(), u"-355047.1"_s);
    QCOMPARE(w.txtTotLiabShareEq->text(), u"1000"_s);

    // The balance sheet divides each amount by the total of 1000 its box shows.
    clickButton(w.cmdCompare);
    QVERIFY(program.dialogs.prompts().empty());
    FrmMyBalanceSheet& bs = frmMyBalanceSheet();
    QVERIFY(bs.isVisible());
    const std::map<QString, QString> expected = {
        {u"lblMyCash"_s, u"100.00"_s},           {u"lblMyAr"_s, u"35544.71"_s},
        {u"lblMyToa"_s, u"35644.71"_s},          {u"lblMyInvest"_s, u"-35544.71"_s},
        {u"lblMyTa"_s, u"100.00"_s},             {u"lblMyAccountsPayable"_s, u"35544.71"_s},
        {u"lblMyBank"_s, u"60.00"_s},            {u"lblMyTliab"_s, u"35604.71"_s},
        {u"lblMyShareC"_s, u"-35544.71"_s},      {u"lblMyRetEarn"_s, u"40.00"_s},
        {u"lblMyTotLiabShareEq"_s, u"100.00"_s}, {u"lblMyCurrentAssets"_s, u"25.00"_s}};
    for (const kiv::balancesheet::StructureRow& r : kiv::balancesheet::structureRows()) {
        const QString name = QString::fromUtf16(r.firm);
        const auto* label = bs.findChild<kiv::Label*>(name);
        QVERIFY2(label, qPrintable(name));
        const auto it = expected.find(name);
        QCOMPARE(label->text(), it == expected.end() ? u"0.00"_s : it->second);
    }

    // Save keeps the totals the boxes show.
    kivtest::click(bs.Command1); // back to the figures
    QVERIFY(w.isVisible());
    clickButton(w.cmdSave);
    QVERIFY(program.dialogs.prompts().empty());
    const auto table = kiv::db::Database::open(storeFile(), true)->openSnapshot(u"MyValue_v12"_s);
    QCOMPARE(table->value(0, u"Ta").toText(), u"1000"_s);
    QCOMPARE(table->value(0, u"Tliab").toText(), u"356047.1"_s);
    QCOMPARE(table->value(0, u"TotLiabShareEq").toText(), u"1000"_s);
}

// Each store that can't serve: one message in the user's language naming the file and why; the
// file stays as it was, nothing is left beside it, and the boxes keep their figures.
void TestSavedOneYear::failures_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("saving");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("reason");
    const auto both = [](const char* name, const char* fixture, int language, const QString& saveReason, const QString& restoreReason) {
        QTest::addRow("%s, Save", name) << QString::fromLatin1(fixture) << true << language << saveReason;
        QTest::addRow("%s, Restore", name) << QString::fromLatin1(fixture) << false << language << restoreReason;
    };
    both("file missing", "missing", 0, u"the file does not exist"_s, u"the file does not exist"_s);
    // A file that is no store can't be read, and Save won't replace it: the message says so and
    // what to do, rather than that the figures saved before are kept.
    const QString unreadable = u"the file cannot be read (it is not a file of saved figures, or it is damaged)"_s;
    const QString illisible = u"le fichier ne peut pas être lu (ce n'est pas un fichier de données sauvegardées, ou il est endommagé)"_s;
    const QString stays = u"Save will not replace the file until it is moved away or deleted."_s;
    const QString reste = u"Sauvegarder ne remplacera pas ce fichier tant qu'il n'aura pas été déplacé ou supprimé."_s;
    both("not a database", "text", 1, illisible + u". "_s + reste, illisible + u". Aucune donnée n'a été modifiée. "_s + reste);
    both("truncated", "truncated", 0, unreadable + u". "_s + stays, unreadable + u". No figure was changed. "_s + stays);
    both("an edition in its place", "edition", 1, illisible + u". "_s + reste, illisible + u". Aucune donnée n'a été modifiée. "_s + reste);
    both("table missing", "no table", 0, unreadable + u". "_s + stays, unreadable + u". No figure was changed. "_s + stays);
    both("a folder in its place", "folder", 0, u"this is a folder, not a file of saved figures. Save will not replace the folder until it is moved away or deleted."_s,
         u"this is a folder, not a file of saved figures. No figure was changed. Save will not replace the folder until it is moved away or deleted."_s);
    both("a folder in its place, French", "folder", 1,
         u"c'est un dossier, pas un fichier de données sauvegardées. Sauvegarder ne remplacera pas ce dossier tant qu'il n'aura pas été déplacé ou supprimé."_s,
         u"c'est un dossier, pas un fichier de données sauvegardées. Aucune donnée n'a été modifiée. Sauvegarder ne remplacera pas ce dossier tant qu'il n'aura pas été déplacé ou supprimé."_s);
    both("locked", "locked", 1, u"locked by another program"_s, u"locked by another program"_s);
    QTest::newRow("no space left, Save") << u"no space"_s << true << 0 << u"the file could not be written ("_s;
    QTest::newRow("read-only file, Save") << u"read-only"_s << true << 1
                                          << u"le fichier ou son dossier ne peut pas être modifié (lecture seule ou verrouillé)"_s;
    QTest::newRow("column missing, Restore") << u"no column"_s << false << 0
                                             << u"the saved figures have no value for Other liabilities"_s;
    QTest::newRow("empty table, Restore") << u"empty"_s << false << 1 << u"le fichier ne contient aucune donnée sauvegardée"_s;
    QTest::newRow("Null, Restore") << u"null"_s << false << 0 << u"the saved figures have no value for Total liabilities"_s;
    QTest::newRow("not an amount, Restore") << u"text value"_s << false << 0
                                            << u"the saved value of Total assets is not an amount"_s;
}

void TestSavedOneYear::failures()
{
    QFETCH(QString, fixture);
    QFETCH(bool, saving);
    QFETCH(int, language);
    QFETCH(QString, reason);
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    writeZeros();
    const QString path = storeFile();
    QStringList columns = kiv::db::schema::myValueV12Columns();
    const std::vector<Value> ones(33, Value::number(1));
    std::unique_ptr<Lock> lock;
    if (fixture == u"missing") {
        QFile::remove(path);
    } else if (fixture == u"text") {
        program.writeFile(u"kiv_MyValue_v12.mdb"_s, "Cash,Ar\n1,2\n");
    } else if (fixture == u"truncated") {
        const QByteArray whole = fileBytes();
        program.writeFile(u"kiv_MyValue_v12.mdb"_s, whole.left(whole.size() / 2));
    } else if (fixture == u"no table") {
        writeStore(u"MyValue_v3"_s, columns, {ones});
    } else if (fixture == u"edition") {
        program.addFile(kiv::joinPath(kivtest::programDir(), u"kiv_vol1.mdb"_s), u"kiv_MyValue_v12.mdb"_s);
    } else if (fixture == u"folder") {
        QFile::remove(path);
        QVERIFY(QDir().mkpath(path + u"/kept"_s));
    } else if (fixture == u"locked") {
        lock = std::make_unique<Lock>(path);
        QVERIFY(lock->locked());
    } else if (fixture == u"read-only") {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    } else if (fixture == u"no column") {
        columns.removeAll(u"OLiab"_s);
        writeStore(u"MyValue_v12"_s, columns, {std::vector<Value>(32, Value::number(1))});
    } else if (fixture == u"empty") {
        writeStore(u"MyValue_v12"_s, columns, {});
    } else if (fixture == u"null") {
        std::vector<Value> row = ones;
        row[std::size_t(columns.indexOf(u"Tliab"_s))] = Value::null();
        writeStore(u"MyValue_v12"_s, columns, {row});
    } else if (fixture == u"text value") {
        std::vector<Value> row(33, Value::text(u"1"_s));
        row[std::size_t(columns.indexOf(u"Ta"_s))] = Value::text(u"12 thousand"_s);
        kiv::db::TableData t{u"MyValue_v12"_s, {}, {row}};
        for (const QString& c : columns)
            t.columns.push_back({c, ColumnType::Text});
        kiv::db::writeDatabase(path, {t});
    }
    const bool existed = QFile::exists(path);
    const QByteArray before = fileBytes();
    const QStringList filesBefore = filesInFolder(program);

    FrmMyValues& w = openWindow();
    enterFigures(w, kStatement);
    typeInto(w.txtBanks, u" 400"_s); // in a box, its text not yet checked
    const QStringList boxesBefore = boxTexts(w);
    program.dialogs.answer(kiv::vbOK);
    {
        std::unique_ptr<DiskFull> full;
        if (fixture == u"no space") {
            full = std::make_unique<DiskFull>();
            QVERIFY(full->active());
        }
        clickButton(saving ? w.cmdSave : w.cmdRestore);
    }

    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    const kivtest::Prompt message = program.dialogs.last();
    QCOMPARE(message.style, int(kiv::vbExclamation));
    const QString lead = messageLead(language, saving);
    QVERIFY2(message.text.startsWith(lead + path + u'\''), qPrintable(message.text));
    QVERIFY2(message.text.contains(reason), qPrintable(message.text));

    lock.reset();
    QCOMPARE(QFile::exists(path), existed);
    QCOMPARE(fileBytes(), before);
    QCOMPARE(filesInFolder(program), filesBefore);
    QCOMPARE(boxTexts(w), boxesBefore);
    QCOMPARE(focused(), w.txtBanks);
    if (fixture == u"folder")
        QVERIFY(QFileInfo(path + u"/kept"_s).isDir());
}

// A text that can't be an amount is never written: Save names its item, keeps the stored row and
// puts the user in that box.
void TestSavedOneYear::saveRefusesATextThatIsNoAmount()
{
    kivtest::Program program;
    writeZeros();
    const QByteArray before = fileBytes();
    FrmMyValues& w = openWindow();
    enterFigures(w, kStatement);
    w.txtTliab->setText(u"0);DELETE FROM MyValue_v12;--"_s);
    program.dialogs.answer(kiv::vbOK);
    clickButton(w.cmdSave);
    QCOMPARE(program.dialogs.texts(),
             QStringList{u"The figures were not saved: the amount of Total liabilities is not a number. Please correct it and save again."_s});
    QCOMPARE(fileBytes(), before);
    QCOMPARE(focused(), w.txtTliab);
    QCOMPARE(w.txtTliab->selectedText(), w.txtTliab->text());
    QCOMPARE(w.txtCash->text(), u" 1500"_s);
}

// A program folder the user can't write to (an installed program) keeps the delivered store as
// it is: the figures go to the user's own store, which Restore reads from then on. When that
// can't be written either, Save says so and keeps the row saved there. Permissions don't hold
// for root: then the test runs itself again as an unprivileged user.
void TestSavedOneYear::unwritableFolder()
{
    KIV_AS_NOBODY_WHEN_ROOT("TestSavedOneYear");
    kivtest::Program program;
    writeZeros();
    const QByteArray before = fileBytes();
    FrmMyValues& w = openWindow();
    enterFigures(w, kStatement);
    const QStringList boxesBefore = boxTexts(w);
    QVERIFY(QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::ExeOwner));
    clickButton(w.cmdSave);
    QCOMPARE(program.dialogs.texts(), QStringList());
    const QString own = kiv::joinPath(program.userFolder(), u"kiv_MyValue_v12.mdb"_s);
    QVERIFY(QFile::exists(own));
    enterFigures(w, {{Item::Cash, u"7"_s}});
    clickButton(w.cmdRestore);
    QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(trimmedTexts(boxTexts(w)), trimmedTexts(boxesBefore));
    QCOMPARE(w.txtCash->text(), u" 1500"_s);
    QVERIFY(QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::ExeOwner));

    // The user's own folder locked as well: nothing is written anywhere.
    QFile ownFile(own);
    QVERIFY(ownFile.open(QIODevice::ReadOnly));
    const QByteArray ownBefore = ownFile.readAll();
    ownFile.close();
    QVERIFY(QFile::setPermissions(program.userFolder(), QFile::ReadOwner | QFile::ExeOwner));
    enterFigures(w, {{Item::Cash, u"7"_s}});
    const QStringList changedBoxes = boxTexts(w);
    program.dialogs.answer(kiv::vbOK);
    clickButton(w.cmdSave);
    QFile::setPermissions(program.userFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY2(program.dialogs.last().text.contains(u"the file or its folder cannot be written to"), qPrintable(program.dialogs.last().text));
    QVERIFY(program.dialogs.last().text.contains(own));
    QVERIFY(ownFile.open(QIODevice::ReadOnly));
    QCOMPARE(ownFile.readAll(), ownBefore);
    QCOMPARE(fileBytes(), before);
    QCOMPARE(filesInFolder(program), QStringList{u"kiv_MyValue_v12.mdb"_s});
    QCOMPARE(boxTexts(w), changedBoxes);
}

void TestSavedOneYear::programFolderWritableAgain_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("French") << 1;
}

// The figures saved while the program folder was read-only are in the user's own store. When
// the folder becomes writable later (an administrator's change, a copied folder), that store
// still holds the user's figures: Restore gives them back and Save keeps writing there, the
// delivered store untouched and no message shown.
void TestSavedOneYear::programFolderWritableAgain()
{
    QFETCH(int, language);
    KIV_AS_NOBODY_WHEN_ROOT("TestSavedOneYear");
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    writeZeros();
    const QByteArray delivered = fileBytes();
    FrmMyValues& w = openWindow();
    enterFigures(w, kStatement);
    const QStringList saved = boxTexts(w);
    QVERIFY(QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::ExeOwner));
    clickButton(w.cmdSave);
    QVERIFY(QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString own = kiv::joinPath(program.userFolder(), u"kiv_MyValue_v12.mdb"_s);
    QVERIFY(QFile::exists(own));

    program.dialogs.answer(kiv::vbYes);
    clickButton(w.cmdCear);
    clickButton(w.cmdRestore);
    QCOMPARE(trimmedTexts(boxTexts(w)), trimmedTexts(saved));

    enterFigures(w, {{Item::Cash, u"7"_s}});
    clickButton(w.cmdSave);
    program.dialogs.answer(kiv::vbYes);
    clickButton(w.cmdCear);
    clickButton(w.cmdRestore);
    QCOMPARE(w.txtCash->text(), u" 7"_s);
    QCOMPARE(w.txtAr->text(), u"-2.5"_s);
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(2)); // the two Clear questions only
    QCOMPARE(fileBytes(), delivered);
    QCOMPARE(filesInFolder(program), QStringList{u"kiv_MyValue_v12.mdb"_s});
    QCOMPARE(QDir(program.userFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{u"kiv_MyValue_v12.mdb"_s});
}

void TestSavedOneYear::unreachableDataFolder_data()
{
    QTest::addColumn<bool>("saving");
    QTest::addColumn<int>("language");
    QTest::newRow("Restore, English") << false << 0;
    QTest::newRow("Restore, French") << false << 1;
    QTest::newRow("Save, English") << true << 0;
    QTest::newRow("Save, French") << true << 1;
}

// Installed, with the user's own data folder there but closed to the user (mode 000): Restore
// and Save say that the user's figures in that folder can't be read. Restore doesn't give the
// program folder's figures in their place, Save writes nowhere and doesn't speak of a read-only
// file, and every file and box stays as it was. Permissions don't hold for root: then the test
// runs itself again as an unprivileged user.
void TestSavedOneYear::unreachableDataFolder()
{
    QFETCH(bool, saving);
    QFETCH(int, language);
    KIV_AS_NOBODY_WHEN_ROOT("TestSavedOneYear");
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    writeStore(u"MyValue_v12"_s, kiv::db::schema::myValueV12Columns(), {std::vector<Value>(33, Value::number(1))});
    const QByteArray delivered = fileBytes();
    const QString own = kiv::joinPath(program.userFolder(), u"kiv_MyValue_v12.mdb"_s);
    QVERIFY(QDir().mkpath(program.userFolder()));
    kiv::db::TableData t{u"MyValue_v12"_s, {}, {std::vector<Value>(33, Value::number(2))}};
    for (const QString& c : kiv::db::schema::myValueV12Columns())
        t.columns.push_back({c, ColumnType::Double});
    kiv::db::writeDatabase(own, {t});
    QFile ownFile(own);
    QVERIFY(ownFile.open(QIODevice::ReadOnly));
    const QByteArray ownBefore = ownFile.readAll();
    ownFile.close();

    FrmMyValues& w = openWindow();
    enterFigures(w, kStatement);
    const QStringList boxesBefore = boxTexts(w);
    QVERIFY(QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(QFile::setPermissions(program.userFolder(), QFile::Permissions()));
    program.dialogs.answer(kiv::vbOK);
    clickButton(saving ? w.cmdSave : w.cmdRestore);
    QFile::setPermissions(program.userFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    const kivtest::Prompt message = program.dialogs.last();
    QCOMPARE(message.style, int(kiv::vbExclamation));
    const QString lead = messageLead(language, saving);
    const QString reason = language == 0 ? u"your own saved figures in the folder '"_s + program.userFolder() + u"' cannot be read (no permission)."_s
                                         : u"vos propres données sauvegardées dans le dossier '"_s + program.userFolder()
                                               + u"' ne peuvent pas être lues (accès refusé)."_s;
    QVERIFY2(message.text.startsWith(lead + own + (language == 0 ? u"': "_s : u"' : "_s) + reason), qPrintable(message.text));
    QVERIFY2(!message.text.contains(u"read-only") && !message.text.contains(u"lecture seule"), qPrintable(message.text));
    QCOMPARE(boxTexts(w), boxesBefore);
    QCOMPARE(fileBytes(), delivered);
    QCOMPARE(filesInFolder(program), QStringList{u"kiv_MyValue_v12.mdb"_s});
    QCOMPARE(QDir(program.userFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{u"kiv_MyValue_v12.mdb"_s});
    QVERIFY(ownFile.open(QIODevice::ReadOnly));
    QCOMPARE(ownFile.readAll(), ownBefore);
}

// The original program's Access store: Restore reads it whole, each amount in its box's form;
// the next Save replaces it with the program's own store, which gives back the same texts.
void TestSavedOneYear::accessStore()
{
    KIV_REQUIRE_FIXTURES();
    kivtest::Program program;
    program.addFile(kivtest::jetFixture(u"saved-one-year.mdb"_s), u"kiv_MyValue_v12.mdb"_s);
    FrmMyValues& w = openWindow();
    clickButton(w.cmdRestore);
    QVERIFY(program.dialogs.prompts().empty());
    // By item, in the window's order.
    const QStringList expected = {
        u" 412350"_s, u" 2318400"_s, u" 3106975"_s, u" 8925600"_s, u" 641230"_s, u"1.540456E+07"_s, u" 1150000"_s, u" 222661"_s,
        u"1.677722E+07"_s,
        u" 2846120"_s, u" 1975500"_s, u" 310000"_s, u" 3420800"_s, u" 2000000"_s, u" 487315"_s, u" 1230000"_s, u" 365440"_s,
        u" 298760"_s, u"1.293394E+07"_s,
        u" 4500000"_s, u"-925418"_s, u" 268700"_s, u"3843282"_s, u"1.677722E+07"_s,
        u" 6052115"_s, u" 4903260"_s,
        u" 24615300"_s, u" 23980450"_s, u" 7194135"_s, u" 1846120"_s, u" 512347.6825"_s, u" 1333772.3175"_s, u" 986991.5"_s};
    QCOMPARE(boxTexts(w), expected);

    clickButton(w.cmdSave);
    QVERIFY(program.dialogs.prompts().empty());
    QCOMPARE(kiv::db::Database::open(storeFile(), true)->engine(), kiv::db::Database::Engine::SQLite);
    QCOMPARE(filesInFolder(program), QStringList{u"kiv_MyValue_v12.mdb"_s});
    program.dialogs.answer(kiv::vbYes);
    clickButton(w.cmdCear);
    clickButton(w.cmdRestore);
    QCOMPARE(boxTexts(w), expected);
}

// The store the build delivers restores as zeros in the boxes' forms.
void TestSavedOneYear::deliveredStore()
{
    kivtest::Program program;
    const QString delivered = kiv::joinPath(kivtest::programDir(), u"kiv_MyValue_v12.mdb"_s);
    if (!QFile::exists(delivered))
        QSKIP("the build delivered no one-year store");
    program.addFile(delivered, u"kiv_MyValue_v12.mdb"_s);
    FrmMyValues& w = openWindow();
    enterFigures(w, kStatement);
    clickButton(w.cmdRestore);
    for (const kiv::values::ItemInfo& it : kiv::values::items())
        QCOMPARE(w.box(it.item)->text(), it.computed ? u"0"_s : u" 0"_s);
    QVERIFY(program.dialogs.prompts().empty());
}

KIV_TEST_MAIN(TestSavedOneYear)
#include "tst_saved_one_year.moc"
