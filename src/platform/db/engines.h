#pragma once
// The two engines behind Database::open (internal to the database layer).
#include "platform/db/database.h"

namespace kiv::db::detail {

// Both take a file whose first bytes were found to be of their kind.
std::shared_ptr<Database> openSqlite(const QString& path, bool readOnly);
std::shared_ptr<Database> openAccess(const QString& path, bool readOnly);

} // namespace kiv::db::detail
