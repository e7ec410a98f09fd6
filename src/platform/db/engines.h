#pragma once
// The two engines behind Database::open (internal to the database layer).
#include "platform/db/database.h"

namespace kiv::db::detail {

// Both take a file whose first bytes were found to be of their kind.
std::shared_ptr<Database> openSqlite(const QString& path, bool readOnly);
std::shared_ptr<Database> openAccess(const QString& path, bool readOnly);

// Where the Access reader's child is when its reading moves on: before it opens the file, at a
// row of the file's list of tables (read whenever the file is opened), at a row of a table.
enum class ReadingStage { Start, TableList, TableRow };

// Tests: a step run in the Access reader's child each time its reading moves on (an empty step
// removes it), and the time a read may go without progress before it is stopped (0 gives back
// the program's own, 10 s).
void setReaderStep(std::function<void(ReadingStage)> step);
void setReaderStallLimit(int milliseconds);

} // namespace kiv::db::detail
