#pragma once
// The saved figures of the entry windows: one row of amounts kept in a small database of the
// program's own, which Save replaces and Restore reads back into the boxes.
//
// Save checks every text before it touches the file, then writes a whole new store beside the
// old one and renames it into place, so the row saved before survives any failure. Restore
// reads and checks the whole row before it gives back a single text, so the boxes get all of
// it or nothing. A store written by the program is SQLite; a store carried over from an older
// installation may be an Access file, which Restore reads as well and the next Save replaces.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace kiv::store {

// The text form of a column: Save stores each text in its column's form exactly, Restore gives
// each stored value back in it.
enum class TextForm {
    Plain, // an amount in plain digits: "1234.5", "-12", "0"
    Entry, // an amount with a leading blank when not negative: " 1234.5", "-12", " 0"
    Total, // a total in single-precision general format: "1500", "1.234568E+07". Save keeps
           // the total its box shows; Restore checks the stored one with the row and gives it
           // back, but a window that makes its totals from its amounts (the one-year window)
           // makes them again from the restored amounts and shows none of the stored ones.
};

struct Column {
    QString name; // the column, named after its box without "txt"
    TextForm form = TextForm::Plain;
};

// A store: its file (in the program folder, or in the user's data folder: see storeLocation),
// its table and its columns in save order.
struct FigureStore {
    QString fileName; // "kiv_MyValue_v3.mdb"
    QString table;    // "MyValue_v3"
    std::vector<Column> columns;
};

// The store delivered with the program: its file in the program folder.
QString storePath(const FigureStore& store);

// Where a store is read and written. The program folder holds the delivered store; whoever can
// write to that folder (the build tree, a program folder of one's own) keeps the figures in it.
// An installed program folder belongs to root: there each user's store is a file of the same
// name in the user's data folder, which the first Save writes (the delivered store must be a
// store, as for any Save); until it exists Restore reads the delivered store. Once the user's
// own store exists, Save and Restore use it, whatever the program folder's permissions have
// become. Nothing but the two stores ever moves out of the program folder.
// Whether the user's own store is there is the system's answer for that path: where it can't
// be told (the data folder, or a folder above it, can't be searched) or the store is there but
// can't be read, the user's store is unreachable, and Save and Restore say so rather than read
// or write another file in its place.
struct StoreLocation {
    QString restoreFrom; // the file Restore reads
    QString saveTo;      // the file Save replaces (or creates, in the user's data folder)
    QString checkFirst;  // the store Save checks before writing: saveTo, or the delivered one
                         // when saveTo does not exist yet
    int unreachable = 0; // the system's error (errno) when the user's own store can't be
                         // reached (the three files are then that store); 0 when it can
};

// Tells whether the program may write into a folder.
using WritableCheck = std::function<bool(const QString& folder)>;

// The decision itself, from the two folders and the writability of the program folder.
// With no user data folder (no data home at all) the store stays in the program folder.
StoreLocation locateStore(const FigureStore& store, const QString& programFolder, const QString& userFolder,
                          const WritableCheck& canWrite);

// The decision for the running program: its program folder, the user's data folder and the
// file system's answer (or the check set by setWritableCheck). Save and Restore go through here.
StoreLocation storeLocation(const FigureStore& store);

// Replaces the file system's answer for the program folder (tests: root writes anywhere);
// an empty check restores it.
void setWritableCheck(WritableCheck check);

// Why Save or Restore did nothing.
struct Failure {
    enum class Kind {
        NotANumber,   // Save: the text of `column` is not an amount
        FileMissing,  // the store's file is not there
        CannotOpen,   // the file is there but can't be read (no permission, locked)
        NotADatabase, // the file is not a database, or it is damaged
        NoTable,      // the file has no table of the store's name (another database)
        IsFolder,     // a folder stands where the store's file should be
        NoColumn,     // the table lacks `column`
        Empty,        // the table holds no row
        NullValue,    // `column` of the row holds no value
        BadValue,     // `column` of the row holds something that is not an amount
        ReadOnly,     // the file or its folder can't be written (read-only, locked)
        WriteFailed,  // the new store could not be written (no space left, ...)
        Unreachable,  // the user's own store can't be reached: its folder can't be searched or
                      // read, or the file can't be read; `detail` is what the system said
                      // when it is not a refused permission
        LinkLoop,     // the store's name is a link, and its links lead round in a circle
    };
    Kind kind = Kind::WriteFailed;
    QString file;    // the store's path
    int column = -1; // the column concerned, or -1
    QString detail;  // what the system said, for WriteFailed
    // Save: the store Restore reads is there, so the figures saved before are kept. False when
    // there is no store yet (or only a link to none), or when it can't be told.
    bool savedBefore = true;
};

// Replaces the stored row with `texts` (one per column, in column order). Every text must read
// fully as one number (an amount within the fixed-point range for Plain and Entry columns);
// the first that doesn't is refused before the file is opened. The store must exist and hold
// the table (a first Save into the user's data folder: the delivered store). Nothing on success.
std::optional<Failure> save(const FigureStore& store, const QStringList& texts);

// The stored row as texts, in column order and in each column's form, or why it can't be read.
// The first row of the table counts; every column must hold an amount (a total column a number
// of the single-precision range).
std::variant<QStringList, Failure> restore(const FigureStore& store);

// The message that tells the user of a failure, in the language given (0 English, else French).
// `itemNames` names each column's item for the user ("Total assets, 1999"); a NotANumber
// failure is told with it. A file that is no store (NotADatabase, NoTable, IsFolder) is never
// replaced by Save: its message says so, and what the user can do about it.
QString failureMessage(const Failure& failure, bool saving, int language, const QStringList& itemNames);

} // namespace kiv::store
