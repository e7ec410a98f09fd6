#pragma once
// The shared module: the program's public variables and the routines every window uses.
#include "platform/language.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace kiv::db {
class Database;
class Snapshot;
} // namespace kiv::db

// gLanguage (0 English, 1 French): platform/language.h, where the platform layers read it too.
inline QString gLangLetter;               // "E" or "F"
inline QString gDescField;                // "IndustryDescriptionE" or "IndustryDescriptionF"
inline std::shared_ptr<kiv::db::Database> gDB;      // the chosen edition, open read-only
inline std::shared_ptr<kiv::db::Snapshot> gRSData;  // KIV_DATA; its current row is the current industry
inline std::shared_ptr<kiv::db::Snapshot> gRSCategory; // Category
// Owner flags of the export dialogs; the two reserved ones are only ever set False.
inline bool gExportReserved1 = false;
inline bool gExportReserved2 = false;
inline bool gExportFromRatios = false;
inline bool gExportFromBalanceSheet = false;
inline bool gExportFromValues = false;
inline bool gListByName = false;
inline bool gSICSearch = false;
inline QString gSectorCategory;
inline bool gSectorView = false;
inline QString gOtherDbName;
inline std::int32_t gIndustryCount = 0;
inline QString gDataPath;                 // the data folder, without a trailing separator

namespace kiv {

// The string-table entry with this id (1 to 461); the empty text for an id without one.
QString LoadResString(int id);
// The text of base id `base` in the user's language: entry base + gLanguage.
QString text(int base);

// Asks "Do you want to exit ?" with the window's title ("Kivob" or "Kivob Vol3"); Yes ends
// the program, No returns with nothing changed.
void ConfirmExit(const QString& title);

// The help file of the user's language in the program folder (help set at a window's load).
QString helpFile();

// Puts every shared variable back to its value at program start (tests).
void resetModule1();

} // namespace kiv
