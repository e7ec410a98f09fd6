// The saved figures: what Save keeps and Restore gives back, the stores carried over from an
// older installation, and every failure leaving both the stored row and the boxes as they were.
#include "platform/db/database.h"
#include "platform/in_progress_file.h"
#include "platform/program_folder.h"
#include "test_support.h"
#include "values/figure_store.h"
#include "values3/three_year_values.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kiv::store;
using namespace Qt::StringLiterals;
using kiv::db::ColumnType;
using kiv::db::TableData;
using kiv::db::Value;

namespace {

// A small store with one column of each form.
const FigureStore& smallStore()
{
    static const FigureStore store{u"kiv_small.mdb"_s, u"Small"_s,
                                   {{u"Cash"_s, TextForm::Plain}, {u"Ar"_s, TextForm::Entry}, {u"Ta"_s, TextForm::Total}}};
    return store;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes the store's file with the given table: its columns as Double, one row of values.
void writeStore(const FigureStore& store, const QString& table, const QStringList& columns, const std::vector<std::vector<Value>>& rows)
{
    TableData t;
    t.name = table;
    for (const QString& c : columns)
        t.columns.push_back({c, ColumnType::Double});
    t.rows = rows;
    kiv::db::writeDatabase(storePath(store), {t});
}

QStringList smallColumns()
{
    return {u"Cash"_s, u"Ar"_s, u"Ta"_s};
}

void writeZeros(const FigureStore& store)
{
    QStringList columns;
    std::vector<Value> row;
    for (const Column& c : store.columns) {
        columns << c.name;
        row.push_back(Value::number(0));
    }
    writeStore(store, store.table, columns, {row});
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

// The program folder as an installed one looks to its users: not writable, whoever runs the test.
struct ReadOnlyProgramFolder {
    ReadOnlyProgramFolder() { setWritableCheck([](const QString&) { return false; }); }
    ~ReadOnlyProgramFolder() { setWritableCheck({}); }
};

const std::vector<Value> kDeliveredRow{Value::number(1), Value::number(2), Value::number(3)};
const QStringList kDeliveredTexts{u"1"_s, u" 2"_s, u"3"_s};

} // namespace

// Save succeeded; otherwise the failure's message tells why.
#define VERIFY_SAVED(call)                                                                                        \
    do {                                                                                                          \
        const std::optional<Failure> failed_ = (call);                                                            \
        QVERIFY2(!failed_, failed_ ? qPrintable(failureMessage(*failed_, true, 0, {})) : "");                     \
    } while (false)

Q_DECLARE_METATYPE(Failure::Kind)

class TestFigureStore : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void twoSavesLeaveOneRow();
    void saveRefusesNonNumbers_data();
    void saveRefusesNonNumbers();
    void failures_data();
    void failures();
    void readOnlyFolder();
    void location_data();
    void location();
    void userStore();
    void userStoreFailures_data();
    void userStoreFailures();
    void unreachableOwnStore_data();
    void unreachableOwnStore();
    void leftoversOfKilledSaves();
    void twoCopiesSaveOneStore();
    void linkedStores();
    void accessStore();
    void deliveredStore();
    void messages_data();
    void messages();
};

// Save then Restore gives back every text exactly as the box showed it, whatever the store
// held before (the delivered zeros, or an Access store).
void TestFigureStore::roundTrip_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("restored");
    QTest::newRow("zeros") << QStringList{u"0"_s, u" 0"_s, u"0"_s} << QStringList{u"0"_s, u" 0"_s, u"0"_s};
    QTest::newRow("negative, four decimals") << QStringList{u"-12.5"_s, u" 1333772.3175"_s, u"-925418"_s}
                                             << QStringList{u"-12.5"_s, u" 1333772.3175"_s, u"-925418"_s};
    QTest::newRow("beyond double precision") << QStringList{u"922337203685477.5807"_s, u"-922337203685477.5808"_s, u"1.677722E+07"_s}
                                             << QStringList{u"922337203685477.5807"_s, u"-922337203685477.5808"_s, u"1.677722E+07"_s};
    QTest::newRow("texts placed by code, checked") << QStringList{u"1e3"_s, u"007"_s, u"16777217"_s}
                                                    << QStringList{u"1000"_s, u" 7"_s, u"1.677722E+07"_s};
}

void TestFigureStore::roundTrip()
{
    QFETCH(QStringList, texts);
    QFETCH(QStringList, restored);
    kivtest::Program program;
    writeZeros(smallStore());
    VERIFY_SAVED(save(smallStore(), texts));
    const auto result = restore(smallStore());
    QVERIFY(std::holds_alternative<QStringList>(result));
    QCOMPARE(std::get<QStringList>(result), restored);
}

void TestFigureStore::twoSavesLeaveOneRow()
{
    kivtest::Program program;
    const FigureStore& store = kiv::values3::savedFigures();
    writeZeros(store);
    QStringList first, second;
    for (int i = 0; i < kiv::values3::kAmountCount; ++i) {
        first << QString::number(i);
        second << QString::number(-i) + u".25"_s;
    }
    VERIFY_SAVED(save(store, first));
    VERIFY_SAVED(save(store, second));
    const auto db = kiv::db::Database::open(storePath(store), true);
    QCOMPARE(db->tableNames(), QStringList{u"MyValue_v3"_s});
    const auto table = db->openSnapshot(u"MyValue_v3"_s);
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->columnNames(), kiv::values3::columnNames());
    QCOMPARE(table->value(0, u"AfterTaxProfitYear1").toText(), u"-26.25"_s);
    QCOMPARE(std::get<QStringList>(restore(store)), second);
}

// A text that isn't a number stops Save before the file is touched, naming its column.
void TestFigureStore::saveRefusesNonNumbers_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("column");
    QTest::newRow("letters") << QStringList{u"1"_s, u"12a"_s, u"3"_s} << 1;
    QTest::newRow("empty") << QStringList{QString(), u"2"_s, u"3"_s} << 0;
    QTest::newRow("thousands separator") << QStringList{u"1,234"_s, u"2"_s, u"3"_s} << 0;
    QTest::newRow("beyond the amount range") << QStringList{u"1"_s, u"1E15"_s, u"3"_s} << 1;
    QTest::newRow("total beyond single precision") << QStringList{u"1"_s, u"2"_s, u"1E39"_s} << 2;
    QTest::newRow("SQL in a text") << QStringList{u"1"_s, u"2"_s, u"3);DROP TABLE Small;--"_s} << 2;
    QTest::newRow("too few texts") << QStringList{u"1"_s, u"2"_s} << 2;
}

void TestFigureStore::saveRefusesNonNumbers()
{
    QFETCH(QStringList, texts);
    QFETCH(int, column);
    kivtest::Program program;
    writeZeros(smallStore());
    const QByteArray before = readAll(storePath(smallStore()));
    const std::optional<Failure> failure = save(smallStore(), texts);
    QVERIFY(failure);
    QCOMPARE(failure->kind, Failure::Kind::NotANumber);
    QCOMPARE(failure->column, column);
    QCOMPARE(readAll(storePath(smallStore())), before);
}

// Each damaged or unsuitable store: Restore says why and gives nothing; Save says why (or, where
// the store is only short of a column or a value, replaces it) and never loses the file.
void TestFigureStore::failures_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<Failure::Kind>("restoreFailure");
    QTest::addColumn<bool>("saveFails");
    QTest::addColumn<Failure::Kind>("saveFailure");
    QTest::newRow("missing file") << u"missing"_s << Failure::Kind::FileMissing << true << Failure::Kind::FileMissing;
    QTest::newRow("truncated copy") << u"truncated"_s << Failure::Kind::NotADatabase << true << Failure::Kind::NotADatabase;
    QTest::newRow("not a database") << u"text"_s << Failure::Kind::NotADatabase << true << Failure::Kind::NotADatabase;
    QTest::newRow("missing table") << u"other table"_s << Failure::Kind::NoTable << true << Failure::Kind::NoTable;
    QTest::newRow("missing column") << u"short of a column"_s << Failure::Kind::NoColumn << false << Failure::Kind::NoColumn;
    QTest::newRow("empty table") << u"empty"_s << Failure::Kind::Empty << false << Failure::Kind::Empty;
    QTest::newRow("Null") << u"null"_s << Failure::Kind::NullValue << false << Failure::Kind::NullValue;
    QTest::newRow("not an amount") << u"text value"_s << Failure::Kind::BadValue << false << Failure::Kind::BadValue;
    QTest::newRow("read-only file") << u"read-only"_s << Failure::Kind::FileMissing << true << Failure::Kind::ReadOnly;
    QTest::newRow("folder in its place") << u"folder"_s << Failure::Kind::IsFolder << true << Failure::Kind::IsFolder;
}

void TestFigureStore::failures()
{
    QFETCH(QString, fixture);
    QFETCH(Failure::Kind, restoreFailure);
    QFETCH(bool, saveFails);
    QFETCH(Failure::Kind, saveFailure);
    kivtest::Program program;
    const FigureStore& store = smallStore();
    const QString path = storePath(store);
    const std::vector<Value> good{Value::number(1), Value::number(2), Value::number(3)};
    if (fixture == u"truncated") {
        writeStore(store, store.table, smallColumns(), {good});
        const QByteArray whole = readAll(path);
        program.writeFile(store.fileName, whole.left(whole.size() / 2));
    } else if (fixture == u"text") {
        program.writeFile(store.fileName, "Cash,Ar,Ta\n1,2,3\n");
    } else if (fixture == u"other table") {
        writeStore(store, u"MyValue_v12"_s, smallColumns(), {good});
    } else if (fixture == u"short of a column") {
        writeStore(store, store.table, {u"Cash"_s, u"Ta"_s}, {{Value::number(1), Value::number(3)}});
    } else if (fixture == u"empty") {
        writeStore(store, store.table, smallColumns(), {});
    } else if (fixture == u"null") {
        writeStore(store, store.table, smallColumns(), {{Value::number(1), Value::null(), Value::number(3)}});
    } else if (fixture == u"text value") {
        TableData t{store.table, {{u"Cash"_s, ColumnType::Text}, {u"Ar"_s, ColumnType::Text}, {u"Ta"_s, ColumnType::Text}},
                    {{Value::text(u"1"_s), Value::text(u"2"_s), Value::text(u"three"_s)}}};
        kiv::db::writeDatabase(path, {t});
    } else if (fixture == u"read-only") {
        writeStore(store, store.table, smallColumns(), {good});
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther));
    } else if (fixture == u"folder") {
        QVERIFY(QDir().mkpath(path + u"/kept"_s));
    }
    const QByteArray before = readAll(path);

    const auto restored = restore(store);
    if (fixture == u"read-only") {
        QCOMPARE(std::get<QStringList>(restored), (QStringList{u"1"_s, u" 2"_s, u"3"_s}));
    } else {
        QVERIFY(std::holds_alternative<Failure>(restored));
        QCOMPARE(std::get<Failure>(restored).kind, restoreFailure);
        QCOMPARE(std::get<Failure>(restored).file, path);
    }

    const std::optional<Failure> saved = save(store, {u"7"_s, u" 8"_s, u"9"_s});
    if (saveFails) {
        QVERIFY(saved);
        QCOMPARE(saved->kind, saveFailure);
        QCOMPARE(readAll(path), before);
        QCOMPARE(QFile::exists(path), fixture != u"missing");
    } else {
        VERIFY_SAVED(saved);
        QCOMPARE(std::get<QStringList>(restore(store)), (QStringList{u"7"_s, u" 8"_s, u"9"_s}));
    }
    QCOMPARE(QDir(program.folder()).entryList(QDir::Files | QDir::Hidden).size(), fixture == u"missing" || fixture == u"folder" ? 0 : 1);
    if (fixture == u"folder")
        QVERIFY(QFileInfo(path + u"/kept"_s).isDir());
}

// A program folder the user can't write to keeps the delivered store as it is, and the figures
// go to the user's own folder (root writes anywhere: skipped then; userStore below covers it).
void TestFigureStore::readOnlyFolder()
{
    if (runningAsRoot())
        QSKIP("permissions do not hold for root");
    kivtest::Program program;
    writeZeros(smallStore());
    const QString path = storePath(smallStore());
    const QByteArray before = readAll(path);
    QVERIFY(QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::ExeOwner));
    const std::optional<Failure> saved = save(smallStore(), {u"7"_s, u" 8"_s, u"9"_s});
    const auto restored = restore(smallStore());
    QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    VERIFY_SAVED(saved);
    QCOMPARE(std::get<QStringList>(restored), (QStringList{u"7"_s, u" 8"_s, u"9"_s}));
    QCOMPARE(readAll(path), before);
    QVERIFY(QFile::exists(kiv::joinPath(program.userFolder(), smallStore().fileName)));
}

// Which file Restore reads, Save writes and Save checks first, from the program folder's
// writability, the user's own store and whether the user has a data folder at all. Once the
// user's own store exists it is the one, even where the program folder became writable.
void TestFigureStore::location_data()
{
    QTest::addColumn<bool>("programWritable");
    QTest::addColumn<bool>("ownStore");
    QTest::addColumn<bool>("dataHome");
    QTest::addColumn<QString>("restoreFrom");
    QTest::addColumn<QString>("saveTo");
    QTest::addColumn<QString>("checkFirst");
    QTest::newRow("writable program folder") << true << false << true << u"program"_s << u"program"_s << u"program"_s;
    QTest::newRow("writable, an own store left from before") << true << true << true << u"user"_s << u"user"_s << u"user"_s;
    QTest::newRow("installed, before the first save") << false << false << true << u"program"_s << u"user"_s << u"program"_s;
    QTest::newRow("installed, after the first save") << false << true << true << u"user"_s << u"user"_s << u"user"_s;
    QTest::newRow("installed, no data home") << false << false << false << u"program"_s << u"program"_s << u"program"_s;
}

void TestFigureStore::location()
{
    QFETCH(bool, programWritable);
    QFETCH(bool, ownStore);
    QFETCH(bool, dataHome);
    QFETCH(QString, restoreFrom);
    QFETCH(QString, saveTo);
    QFETCH(QString, checkFirst);
    QTemporaryDir root;
    const QString programFolder = root.filePath(u"program"_s);
    const QString userFolder = root.filePath(u"user"_s);
    QVERIFY(QDir().mkpath(programFolder));
    QVERIFY(QDir().mkpath(userFolder));
    QFile(kiv::joinPath(programFolder, smallStore().fileName)).open(QIODevice::WriteOnly);
    if (ownStore)
        QFile(kiv::joinPath(userFolder, smallStore().fileName)).open(QIODevice::WriteOnly);
    QStringList asked;
    const StoreLocation where = locateStore(smallStore(), programFolder, dataHome ? userFolder : QString(), [&](const QString& folder) {
        asked << folder;
        return programWritable;
    });
    auto file = [&](const QString& folder) { return kiv::joinPath(folder == u"program" ? programFolder : userFolder, smallStore().fileName); };
    QCOMPARE(where.restoreFrom, file(restoreFrom));
    QCOMPARE(where.saveTo, file(saveTo));
    QCOMPARE(where.checkFirst, file(checkFirst));
    // The user's own store is used whatever the program folder allows: nothing is asked then.
    QCOMPARE(asked, dataHome && !ownStore ? QStringList{programFolder} : QStringList());
}

// Installed: Restore reads the delivered store until the first Save writes the user's own,
// which every later Save and Restore uses, also once the program folder has become writable
// (an administrator's change, a copied folder, root); the delivered store never changes.
void TestFigureStore::userStore()
{
    kivtest::Program program;
    const ReadOnlyProgramFolder installed;
    const FigureStore& store = smallStore();
    writeStore(store, store.table, smallColumns(), {kDeliveredRow});
    const QByteArray delivered = readAll(storePath(store));
    const QString own = kiv::joinPath(program.userFolder(), store.fileName);

    QCOMPARE(std::get<QStringList>(restore(store)), kDeliveredTexts);
    QVERIFY(!QFileInfo::exists(program.userFolder()));

    VERIFY_SAVED(save(store, {u"7"_s, u" 8"_s, u"9"_s}));
    QVERIFY(QFile::exists(own));
    QCOMPARE(QFile::permissions(program.userFolder()) & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
    QCOMPARE(std::get<QStringList>(restore(store)), (QStringList{u"7"_s, u" 8"_s, u"9"_s}));
    VERIFY_SAVED(save(store, {u"-4.5"_s, u" 5"_s, u"6"_s}));
    QCOMPARE(std::get<QStringList>(restore(store)), (QStringList{u"-4.5"_s, u" 5"_s, u"6"_s}));
    QCOMPARE(readAll(storePath(store)), delivered);
    QCOMPARE(QDir(program.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{store.fileName});
    QCOMPARE(QDir(program.userFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{store.fileName});

    // The program folder writable now: the user's figures are still the ones of the own store.
    setWritableCheck([](const QString&) { return true; });
    QCOMPARE(std::get<QStringList>(restore(store)), (QStringList{u"-4.5"_s, u" 5"_s, u"6"_s}));
    VERIFY_SAVED(save(store, {u"1.25"_s, u" -2"_s, u"3"_s}));
    QCOMPARE(std::get<QStringList>(restore(store)), (QStringList{u"1.25"_s, u"-2"_s, u"3"_s}));
    QCOMPARE(readAll(storePath(store)), delivered);
    QCOMPARE(QDir(program.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{store.fileName});
    QCOMPARE(QDir(program.userFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{store.fileName});
}

// Installed, with a store that can't serve: each failure names the file at fault and leaves
// both files as they were; a first Save never makes a store from nothing.
void TestFigureStore::userStoreFailures_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<Failure::Kind>("restoreFailure"); // WriteFailed: Restore gives the delivered row
    QTest::addColumn<QString>("restoreFile");
    QTest::addColumn<Failure::Kind>("saveFailure");
    QTest::addColumn<QString>("saveFile");
    QTest::newRow("no delivered store") << u"no delivered"_s << Failure::Kind::FileMissing << u"program"_s << Failure::Kind::FileMissing
                                        << u"program"_s;
    QTest::newRow("delivered store not a database") << u"delivered text"_s << Failure::Kind::NotADatabase << u"program"_s
                                                    << Failure::Kind::NotADatabase << u"program"_s;
    QTest::newRow("own store damaged") << u"own text"_s << Failure::Kind::NotADatabase << u"user"_s << Failure::Kind::NotADatabase
                                       << u"user"_s;
    QTest::newRow("own folder can't be made") << u"folder blocked"_s << Failure::Kind::WriteFailed << u"program"_s
                                              << Failure::Kind::ReadOnly << u"user"_s;
    QTest::newRow("delivered store a circle of links") << u"delivered loop"_s << Failure::Kind::LinkLoop << u"program"_s
                                                       << Failure::Kind::LinkLoop << u"program"_s;
}

void TestFigureStore::userStoreFailures()
{
    QFETCH(QString, fixture);
    QFETCH(Failure::Kind, restoreFailure);
    QFETCH(QString, restoreFile);
    QFETCH(Failure::Kind, saveFailure);
    QFETCH(QString, saveFile);
    kivtest::Program program;
    const ReadOnlyProgramFolder installed;
    const FigureStore& store = smallStore();
    const QString delivered = storePath(store);
    QString own = kiv::joinPath(program.userFolder(), store.fileName);
    if (fixture == u"delivered text") {
        program.writeFile(store.fileName, "Cash,Ar,Ta\n1,2,3\n");
    } else if (fixture == u"delivered loop") {
        QVERIFY(QFile::link(u"again.mdb"_s, delivered));
        QVERIFY(QFile::link(store.fileName, kiv::joinPath(program.folder(), u"again.mdb"_s)));
    } else if (fixture != u"no delivered")
        writeStore(store, store.table, smallColumns(), {kDeliveredRow});
    if (fixture == u"own text") {
        QVERIFY(QDir().mkpath(program.userFolder()));
        QFile f(own);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a store");
    } else if (fixture == u"folder blocked") {
        // The data home is a plain file: no folder can be made inside it.
        const QString home = QFileInfo(program.userFolder()).absolutePath() + u"/home-is-a-file"_s;
        QFile(home).open(QIODevice::WriteOnly);
        kiv::setUserDataFolder(home + u"/kiv_2000"_s);
        own = kiv::joinPath(home + u"/kiv_2000"_s, store.fileName);
    }
    const QByteArray deliveredBefore = readAll(delivered);
    const QByteArray ownBefore = readAll(own);
    auto file = [&](const QString& which) { return which == u"program" ? delivered : own; };

    const auto restored = restore(store);
    if (restoreFailure == Failure::Kind::WriteFailed) {
        QCOMPARE(std::get<QStringList>(restored), kDeliveredTexts);
    } else {
        QVERIFY(std::holds_alternative<Failure>(restored));
        QCOMPARE(std::get<Failure>(restored).kind, restoreFailure);
        QCOMPARE(std::get<Failure>(restored).file, file(restoreFile));
    }
    const std::optional<Failure> saved = save(store, {u"7"_s, u" 8"_s, u"9"_s});
    QVERIFY(saved);
    QCOMPARE(saved->kind, saveFailure);
    QCOMPARE(saved->file, file(saveFile));
    QCOMPARE(readAll(delivered), deliveredBefore);
    QCOMPARE(readAll(own), ownBefore);
    QCOMPARE(QFileInfo::exists(own), fixture == u"own text");
}

// A user's own store that can't be reached (its folder, or the data home above it, can't be
// searched, the file can't be read, or the path can't be followed) is told as such by Restore
// and Save, whether the program folder is writable or not: the delivered figures are not given
// in its place and nothing is written anywhere. Once it can be reached again, it is the one.
// Permissions don't hold for root: the test then runs itself again as nobody.
void TestFigureStore::unreachableOwnStore_data()
{
    QTest::addColumn<QString>("locked");
    QTest::addColumn<bool>("programWritable");
    for (const bool writable : {false, true}) {
        const char* program = writable ? "writable program folder" : "installed";
        QTest::addRow("data folder can't be searched, %s", program) << u"folder"_s << writable;
        QTest::addRow("data folder can't be searched, no store in it, %s", program) << u"empty folder"_s << writable;
        QTest::addRow("data home can't be searched, %s", program) << u"data home"_s << writable;
        QTest::addRow("own store can't be read, %s", program) << u"file"_s << writable;
        QTest::addRow("data folder is a loop of links, %s", program) << u"loop"_s << writable;
    }
}

void TestFigureStore::unreachableOwnStore()
{
    KIV_AS_NOBODY_WHEN_ROOT("TestFigureStore");
    QFETCH(QString, locked);
    QFETCH(bool, programWritable);
    kivtest::Program program;
    setWritableCheck([programWritable](const QString&) { return programWritable; });
    const struct Back {
        ~Back() { setWritableCheck({}); }
    } back;
    const FigureStore& store = smallStore();
    writeStore(store, store.table, smallColumns(), {kDeliveredRow});
    const QByteArray delivered = readAll(storePath(store));
    const QString own = kiv::joinPath(program.userFolder(), store.fileName);
    const QString home = QFileInfo(program.userFolder()).absolutePath();
    if (locked == u"loop") {
        QVERIFY(QFile::link(program.userFolder() + u"-next"_s, program.userFolder()));
        QVERIFY(QFile::link(program.userFolder(), program.userFolder() + u"-next"_s));
    } else {
        QVERIFY(QDir().mkpath(program.userFolder()));
    }
    if (locked != u"empty folder" && locked != u"loop") {
        TableData t{store.table, {}, {{Value::number(7), Value::number(8), Value::number(9)}}};
        for (const QString& c : smallColumns())
            t.columns.push_back({c, ColumnType::Double});
        kiv::db::writeDatabase(own, {t});
    }
    const QStringList homeBefore = QDir(home).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const QByteArray ownBefore = readAll(own);
    const QString lockedPath = locked == u"file" ? own : locked == u"data home" ? home : program.userFolder();
    const QFile::Permissions permissions = QFile::permissions(lockedPath);
    if (locked != u"loop")
        QVERIFY(QFile::setPermissions(lockedPath, QFile::Permissions()));
    const auto restored = restore(store);
    const std::optional<Failure> saved = save(store, {u"1"_s, u" 5"_s, u"6"_s});
    if (locked != u"loop")
        QVERIFY(QFile::setPermissions(lockedPath, permissions));

    QVERIFY(std::holds_alternative<Failure>(restored));
    const Failure& notRestored = std::get<Failure>(restored);
    QCOMPARE(notRestored.kind, Failure::Kind::Unreachable);
    QCOMPARE(notRestored.file, own);
    QVERIFY(saved);
    QCOMPARE(saved->kind, Failure::Kind::Unreachable);
    QCOMPARE(saved->file, own);
    // A refused permission is told in the user's language; another cause in the system's words.
    QCOMPARE(saved->detail.isEmpty(), locked != u"loop");
    QCOMPARE(notRestored.detail, saved->detail);
    // Only a store that is there keeps the figures saved before; where none can be seen, the
    // message does not say so.
    QCOMPARE(saved->savedBefore, locked == u"file");
    QCOMPARE(failureMessage(*saved, true, 0, {}).contains(u"The figures saved before are kept."), locked == u"file");

    QCOMPARE(readAll(storePath(store)), delivered);
    QCOMPARE(QDir(program.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{store.fileName});
    QCOMPARE(QDir(home).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), homeBefore);
    QCOMPARE(readAll(own), ownBefore);
    if (locked == u"loop")
        return;
    QCOMPARE(QDir(program.userFolder()).entryList(QDir::Files | QDir::Hidden),
             locked == u"empty folder" ? QStringList() : QStringList{store.fileName});
    // Reachable again: the user's own figures, or the delivered ones while there are none yet.
    QCOMPARE(std::get<QStringList>(restore(store)), locked == u"empty folder" ? kDeliveredTexts : (QStringList{u"7"_s, u" 8"_s, u"9"_s}));
}

// A Save killed while it writes leaves its in-progress file beside the store, whose row stays
// whole; the next Save of that store removes it, however many earlier interrupted saves have
// piled up, and nothing else: the user's files beside the store stay, whatever they look like.
void TestFigureStore::leftoversOfKilledSaves()
{
    kivtest::Program program;
    const FigureStore& store = kiv::values3::savedFigures();
    writeZeros(store);
    const QDir folder(program.folder());
    const auto files = [&] { return folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot); };
    // Another store's leftover and the user's own files beside the store are not this Save's.
    program.writeFile(u".kiv_MyValue_v12.mdb.kiv_2000-in-progress.Ab12Cd34Ef56"_s, "another store's");
    program.writeFile(store.fileName + u".bak"_s, "the user's copy");
    for (const QString& name : {u".ABCDEF.new"_s, u".ABCDEF.new-journal"_s, u".Ab12Cd.new"_s})
        program.writeFile(store.fileName + name, "the user's");
    QVERIFY(QFile::link(folder.filePath(store.fileName + u".bak"_s),
                        folder.filePath(u'.' + store.fileName + u".kiv_2000-in-progress.Zz98Yy76Xx54"_s)));
    const QStringList kept = files();

    // A Save killed while it writes: the system ends it at its first write past a few bytes.
    const QStringList killedFigures(kiv::values3::kAmountCount, u"5"_s);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit tiny{1024, 1024}, noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        save(store, killedFigures);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    QStringList left = files();
    for (const QString& f : kept)
        left.removeOne(f);
    // Its new file, and no journal: the new file needs none on the disk.
    QCOMPARE(left.size(), 1);
    QVERIFY2(kiv::files::isInProgressName(left[0], store.fileName), qPrintable(left[0]));
    // The store is whole, with the row saved before.
    const auto whole = restore(store);
    QVERIFY(std::holds_alternative<QStringList>(whole));
    QCOMPARE(std::get<QStringList>(whole), QStringList(kiv::values3::kAmountCount, u"0"_s));
    // Thirty interrupted saves of an earlier run.
    const QByteArray leftover = kivtest::readFile(folder.filePath(left.first()));
    for (int i = 0; i < 30; ++i)
        program.writeFile(u'.' + store.fileName + u".kiv_2000-in-progress."_s + QString::number(100000 + i * 7919, 36).rightJustified(12, u'Q'),
                          leftover);
    QCOMPARE(files().size(), kept.size() + left.size() + 30);

    QStringList figures;
    for (int i = 0; i < kiv::values3::kAmountCount; ++i)
        figures << QString::number(i) + u".5"_s;
    VERIFY_SAVED(save(store, figures));
    QCOMPARE(files(), kept);
    QCOMPARE(kivtest::readFile(folder.filePath(u".kiv_MyValue_v12.mdb.kiv_2000-in-progress.Ab12Cd34Ef56"_s)), QByteArray("another store's"));
    QCOMPARE(kivtest::readFile(folder.filePath(store.fileName + u".ABCDEF.new-journal"_s)), QByteArray("the user's"));
    QCOMPARE(std::get<QStringList>(restore(store)), figures);
}

// Two copies of the program saving the same store at once, over and over: every Save lands
// whole (the last one wins), none fails, and nothing is left beside the store.
void TestFigureStore::twoCopiesSaveOneStore()
{
    kivtest::Program program;
    const FigureStore& store = kiv::values3::savedFigures();
    writeZeros(store);
    const QStringList before = QDir(program.folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    const auto figures = [](int copy, int round) {
        QStringList texts;
        for (int i = 0; i < kiv::values3::kAmountCount; ++i)
            texts << QString::number(copy * 1000000 + round * 100 + i);
        return texts;
    };
    const QStringList failed = kivtest::inParallelProcesses(2, 300, [&](int copy, int round) {
        if (const auto f = save(store, figures(copy, round)))
            return failureMessage(*f, true, 0, {});
        const auto back = restore(store);
        if (!std::holds_alternative<QStringList>(back))
            return failureMessage(std::get<Failure>(back), false, 0, {});
        // Whatever copy saved last, its row is whole: every value from one Save.
        const QStringList row = std::get<QStringList>(back);
        for (int i = 1; i < row.size(); ++i)
            if (row[i].toLongLong() - row[0].toLongLong() != i)
                return u"a row mixed from two saves: "_s + row.join(u',');
        return QString();
    });
    QVERIFY2(failed.isEmpty(), qPrintable(u"%1 failed saves, the first: "_s.arg(failed.size()) + failed.mid(0, 3).join(u'\n')));
    QCOMPARE(QDir(program.folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    const QStringList last = std::get<QStringList>(restore(store));
    QVERIFY(last == figures(1, 300) || last == figures(2, 300));
}

// A store that is a link stays one: Save writes the file it names. A Save with no figures saved
// before (no store, or a link to none) does not say they are kept.
void TestFigureStore::linkedStores()
{
    kivtest::Program program;
    const FigureStore& store = kiv::values3::savedFigures();
    QTemporaryDir elsewhere;
    const QString real = elsewhere.filePath(u"figures.mdb"_s);
    writeZeros(store);
    QVERIFY(QFile::rename(storePath(store), real));
    QVERIFY(QFile::link(real, storePath(store)));
    const QStringList figures(kiv::values3::kAmountCount, u"7"_s);
    VERIFY_SAVED(save(store, figures));
    QVERIFY(QFileInfo(storePath(store)).isSymLink());
    QCOMPARE(QFileInfo(storePath(store)).symLinkTarget(), real);
    QCOMPARE(std::get<QStringList>(restore(store)), figures);
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{u"figures.mdb"_s});

    // The file it names gone: nothing was saved before.
    QVERIFY(QFile::remove(real));
    for (int language : {0, 1}) {
        const auto dangling = save(store, figures);
        QVERIFY(dangling);
        const QString message = failureMessage(*dangling, true, language, {});
        QVERIFY2(!message.contains(language == 0 ? u"saved before"_s : u"auparavant"_s), qPrintable(message));
    }
    QVERIFY(QFile::remove(storePath(store)));
    const auto none = save(store, figures);
    QVERIFY(none);
    QCOMPARE(failureMessage(*none, true, 0, {}),
             u"The figures could not be saved in '%1': the file does not exist."_s.arg(storePath(store)));
}

// The original program's Access store is read exactly, and the next Save replaces it.
void TestFigureStore::accessStore()
{
    KIV_REQUIRE_FIXTURES();
    kivtest::Program program;
    const FigureStore& store = kiv::values3::savedFigures();
    program.addFile(kivtest::jetFixture(u"saved-three-year.mdb"_s), store.fileName);
    const QStringList expected = u"5420000,3185400,2234600,8765400,8123750,2436125,612480,498215.25,371904.1275,"
                                 u"5012350,3077100,1935250,8010200,7452600,2198517,401315,275840,203120.5,"
                                 u"4706800,3150625,1556175,7384900,6890450,1929326,-18740,-96315.75,-71208"_s.split(u',');
    const auto restored = restore(store);
    QVERIFY(std::holds_alternative<QStringList>(restored));
    QCOMPARE(std::get<QStringList>(restored), expected);

    QStringList changed = expected;
    changed[26] = u"-71208.0001"_s;
    VERIFY_SAVED(save(store, changed));
    QCOMPARE(kiv::db::Database::open(storePath(store), true)->engine(), kiv::db::Database::Engine::SQLite);
    QCOMPARE(std::get<QStringList>(restore(store)), changed);
}

// The store the build delivers restores as zeros.
void TestFigureStore::deliveredStore()
{
    kivtest::Program program;
    const FigureStore& store = kiv::values3::savedFigures();
    const QString delivered = kiv::joinPath(kivtest::programDir(), store.fileName);
    if (!QFile::exists(delivered))
        QSKIP("the build delivered no three-year store");
    program.addFile(delivered, store.fileName);
    const auto restored = restore(store);
    QVERIFY(std::holds_alternative<QStringList>(restored));
    QCOMPARE(std::get<QStringList>(restored), QStringList(kiv::values3::kAmountCount, u"0"_s));
}

void TestFigureStore::messages_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("saving");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    const QString file = u"/x/kiv_MyValue_v3.mdb"_s;
    QTest::newRow("not a number, English")
        << int(Failure::Kind::NotANumber) << true << 0
        << u"The figures were not saved: the amount of Annual sales of goods, 1998 is not a number. Please correct it and save again."_s;
    QTest::newRow("not a number, French")
        << int(Failure::Kind::NotANumber) << true << 1
        << u"Les données n'ont pas été sauvegardées : le montant de Ventes de biens annuelles, 1998 n'est pas un nombre. "
           u"Veuillez le corriger et sauvegarder de nouveau."_s;
    QTest::newRow("read-only, English")
        << int(Failure::Kind::ReadOnly) << true << 0
        << u"The figures could not be saved in '/x/kiv_MyValue_v3.mdb': the file or its folder cannot be written to (read-only or "
           u"locked). The figures saved before are kept."_s;
    QTest::newRow("Null, French")
        << int(Failure::Kind::NullValue) << false << 1
        << u"Les données sauvegardées n'ont pas pu être rétablies de '/x/kiv_MyValue_v3.mdb' : les données sauvegardées n'ont pas de "
           u"valeur pour Ventes de biens annuelles, 1998. Aucune donnée n'a été modifiée."_s;
    QTest::newRow("missing, English")
        << int(Failure::Kind::FileMissing) << false << 0
        << u"The saved figures could not be restored from '/x/kiv_MyValue_v3.mdb': the file does not exist. No figure was changed."_s;
    // A file that is no store: nothing is said to be kept, and the user learns what to do.
    QTest::newRow("not a store, Save, English")
        << int(Failure::Kind::NotADatabase) << true << 0
        << u"The figures could not be saved in '/x/kiv_MyValue_v3.mdb': the file cannot be read (it is not a file of saved figures, "
           u"or it is damaged). Save will not replace the file until it is moved away or deleted."_s;
    QTest::newRow("not a store, Restore, French")
        << int(Failure::Kind::NotADatabase) << false << 1
        << u"Les données sauvegardées n'ont pas pu être rétablies de '/x/kiv_MyValue_v3.mdb' : le fichier ne peut pas être lu (ce "
           u"n'est pas un fichier de données sauvegardées, ou il est endommagé). Aucune donnée n'a été modifiée. Sauvegarder ne "
           u"remplacera pas ce fichier tant qu'il n'aura pas été déplacé ou supprimé."_s;
    QTest::newRow("another database, Save, French")
        << int(Failure::Kind::NoTable) << true << 1
        << u"Les données n'ont pas pu être sauvegardées dans '/x/kiv_MyValue_v3.mdb' : le fichier ne peut pas être lu (ce n'est pas "
           u"un fichier de données sauvegardées, ou il est endommagé). Sauvegarder ne remplacera pas ce fichier tant qu'il n'aura "
           u"pas été déplacé ou supprimé."_s;
    QTest::newRow("folder, Restore, English")
        << int(Failure::Kind::IsFolder) << false << 0
        << u"The saved figures could not be restored from '/x/kiv_MyValue_v3.mdb': this is a folder, not a file of saved figures. "
           u"No figure was changed. Save will not replace the folder until it is moved away or deleted."_s;
    // The user's own store out of reach: its folder is named, and why it can't be read.
    QTest::newRow("unreachable, Restore, English")
        << int(Failure::Kind::Unreachable) << false << 0
        << u"The saved figures could not be restored from '/x/kiv_MyValue_v3.mdb': your own saved figures in the folder '/x' cannot "
           u"be read (no permission). No figure was changed."_s;
    QTest::newRow("unreachable, Restore, French")
        << int(Failure::Kind::Unreachable) << false << 1
        << u"Les données sauvegardées n'ont pas pu être rétablies de '/x/kiv_MyValue_v3.mdb' : vos propres données sauvegardées "
           u"dans le dossier '/x' ne peuvent pas être lues (accès refusé). Aucune donnée n'a été modifiée."_s;
    // A circle of links: told as such, and no figures are said to be kept behind it.
    QTest::newRow("circle of links, Restore, English")
        << int(Failure::Kind::LinkLoop) << false << 0
        << u"The saved figures could not be restored from '/x/kiv_MyValue_v3.mdb': the file's links lead round in a circle. No figure "
           u"was changed."_s;
    QTest::newRow("circle of links, Save, French")
        << int(Failure::Kind::LinkLoop) << true << 1
        << u"Les données n'ont pas pu être sauvegardées dans '/x/kiv_MyValue_v3.mdb' : les liens du fichier forment une boucle."_s;
    QTest::newRow("folder, Save, French")
        << int(Failure::Kind::IsFolder) << true << 1
        << u"Les données n'ont pas pu être sauvegardées dans '/x/kiv_MyValue_v3.mdb' : c'est un dossier, pas un fichier de données "
           u"sauvegardées. Sauvegarder ne remplacera pas ce dossier tant qu'il n'aura pas été déplacé ou supprimé."_s;
}

void TestFigureStore::messages()
{
    QFETCH(int, kind);
    QFETCH(bool, saving);
    QFETCH(int, language);
    QFETCH(QString, message);
    Failure f;
    f.kind = static_cast<Failure::Kind>(kind);
    f.file = u"/x/kiv_MyValue_v3.mdb"_s;
    f.column = kiv::values3::amountIndex(kiv::values3::Year::Year2, kiv::values3::Item::Sales);
    QCOMPARE(failureMessage(f, saving, language, kiv::values3::amountDescriptions(language)), message);
}

KIV_TEST_MAIN(TestFigureStore)
#include "tst_figure_store.moc"
