#pragma once
// The edition database as the industry selection reads it: opening and checking an edition,
// the list entries, the sector queries, the pick and the industry search. Every query is a
// scan of a whole table filtered here; no query text is ever built from a name or a code.
#include "platform/db/database.h"
#include "shell/editions.h"

#include <QString>
#include <QStringList>
#include <exception>
#include <memory>
#include <vector>

namespace kiv::industry {

inline constexpr const char16_t* kDataTable = u"KIV_DATA";
inline constexpr const char16_t* kCategoryTable = u"Category";

// The columns of KIV_DATA an edition of the kind must carry (the common ones first).
QStringList requiredDataColumns(EditionKind kind);
// The columns of Category.
QStringList requiredCategoryColumns();

// Why an edition cannot be used.
struct EditionProblem {
    enum class Kind {
        NoEdition,    // no edition option is selected
        CannotOpen,   // missing, unreadable, locked
        NotADatabase, // truncated, damaged, another kind of file
        NoTable,      // table is missing
        NoColumn,     // column of table is missing
        NoIndustry,   // KIV_DATA holds no row
        ReadFailed,   // any other failure while reading
    };
    Kind kind = Kind::CannotOpen;
    QString file;
    QString table;
    QString column;
    QString detail;
};

class EditionError : public std::exception {
public:
    explicit EditionError(EditionProblem p) : problem_(std::move(p)) {}
    const EditionProblem& problem() const { return problem_; }
    const char* what() const noexcept override { return "edition database cannot be used"; }

private:
    EditionProblem problem_;
};

// Turns a failure of the database layer into a problem naming the file.
EditionProblem problemOf(const db::DbError& e, const QString& file);

// The message the user reads, in the language (0 English, 1 French): what is wrong, with the
// file's name, and that the program returns to the edition menu.
QString problemMessage(const EditionProblem& p, int language);

// Opens an edition database read-only. Throws EditionError (an empty path: NoEdition).
std::shared_ptr<db::Database> openEditionDatabase(const QString& path);
// Reads KIV_DATA whole and checks its columns for the kind and that it holds a row.
// Throws EditionError.
std::shared_ptr<db::Snapshot> readIndustryTable(db::Database& database, EditionKind kind);
// Reads Category whole and checks its columns. Throws EditionError.
std::shared_ptr<db::Snapshot> readSectorTable(db::Database& database);

// The name column of the language: IndustryDescriptionE / IndustryDescriptionF.
QString nameColumn(int language);
QString definitionColumn(int language);

// The name of every row in stored order, in the language (a Null name reads as the empty text).
QStringList industryNames(const db::Snapshot& data, int language);
// The sector names of Category in stored order (NameE / NameF).
QStringList sectorNames(const db::Snapshot& categories, int language);

// The sector code of the sector named so (NameE in English, NameF in French, compared as the
// database compares texts): the Category column of the first such row; empty when none.
// Reads Category from the database. Throws db::DbError.
QString sectorCode(db::Database& database, const QString& sectorName, int language);
// The industries of the sector, in stored order, as a snapshot of their own positioned first.
// Throws db::DbError.
std::shared_ptr<db::Snapshot> sectorIndustries(db::Database& database, const QString& code);

// Makes current the first row whose column equals the text, as the database compares texts;
// a Null never equals. When no row does, the current row stays. True when found.
bool findRow(db::Snapshot& data, const QString& column, const QString& text);

// ---- the industry search -----------------------------------------------------------------
struct SearchRequest {
    QString key;       // as typed
    QString wordForm;  // text of the word-form list
    QString searchIn;  // text of the search-in list
    bool listByName = true;
    int language = 0;
};

// The word form "Some" / "mot partiel", and "Exact" / "mots exacts" (letter case ignored).
bool isSomeForm(const QString& wordForm);
bool isExactForm(const QString& wordForm);
// The column the search reads.
QString searchedColumn(const SearchRequest& r);

struct SearchHit {
    int row = 0;
    QString entry; // what goes into the industry list
};

// Searches the rows from fromRow to the last:
// - pattern search (any word form but the exact one; "Some" puts a star on each side of the
//   key): a row whose text matches the key as a pattern is one hit listing its name; a Null
//   is never a hit, and a key that is not a valid pattern matches nothing;
// - exact search: each word of the text (SplitWords) equal to the key is one hit, listing the
//   row's name, or its industry code while the list holds codes.
std::vector<SearchHit> searchIndustries(const db::Snapshot& data, int fromRow, const SearchRequest& r);

} // namespace kiv::industry
