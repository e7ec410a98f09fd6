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
#include <optional>
#include <variant>
#include <vector>

namespace kiv::store {

// The text form a column's box shows, which Restore gives back and Save stores exactly.
enum class TextForm {
    Plain, // an amount in plain digits: "1234.5", "-12", "0"
    Entry, // an amount with a leading blank when not negative: " 1234.5", "-12", " 0"
    Total, // a total in single-precision general format: "1500", "1.234568E+07"
};

struct Column {
    QString name; // the column, named after its box without "txt"
    TextForm form = TextForm::Plain;
};

// A store: its file in the program folder, its table and its columns in save order.
struct FigureStore {
    QString fileName; // "kiv_MyValue_v3.mdb"
    QString table;    // "MyValue_v3"
    std::vector<Column> columns;
};

// The full path of the store's file. Every reader and writer of a store goes through here.
QString storePath(const FigureStore& store);

// Why Save or Restore did nothing.
struct Failure {
    enum class Kind {
        NotANumber,   // Save: the text of `column` is not an amount
        FileMissing,  // the store's file is not there
        CannotOpen,   // the file is there but can't be read (no permission, locked)
        NotADatabase, // the file is not a database, or it is damaged
        NoTable,      // the file has no table of the store's name
        NoColumn,     // the table lacks `column`
        Empty,        // the table holds no row
        NullValue,    // `column` of the row holds no value
        BadValue,     // `column` of the row holds something that is not an amount
        ReadOnly,     // the file or its folder can't be written (read-only, locked)
        WriteFailed,  // the new store could not be written (no space left, ...)
    };
    Kind kind = Kind::WriteFailed;
    QString file;    // the store's path
    int column = -1; // the column concerned, or -1
    QString detail;  // what the system said, for WriteFailed
};

// Replaces the stored row with `texts` (one per column, in column order). Every text must read
// fully as one number (an amount within the fixed-point range for Plain and Entry columns);
// the first that doesn't is refused before the file is opened. The store must exist and hold
// the table. Nothing on success.
std::optional<Failure> save(const FigureStore& store, const QStringList& texts);

// The stored row as the boxes' texts, in column order and in each column's form, or why it
// can't be read. The first row of the table counts; every column must hold an amount.
std::variant<QStringList, Failure> restore(const FigureStore& store);

// The message that tells the user of a failure, in the language given (0 English, else French).
// `itemNames` names each column's item for the user ("Total assets, 1999"); a NotANumber
// failure is told with it.
QString failureMessage(const Failure& failure, bool saving, int language, const QStringList& itemNames);

} // namespace kiv::store
