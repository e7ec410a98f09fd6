#pragma once
// The shared module's routines that read the edition database for the industry selection
// window: they fill its lists and move the current industry (the current row of gRSData).
#include <QString>

namespace kiv {

// Opens the selected edition's database (gDB), reads KIV_DATA into gRSData, adds one entry per
// industry to frmStartup.cboIndustry, sets gIndustryCount and makes the first row current.
// Throws industry::EditionError when the edition cannot be used; nothing is changed then.
void OpenIndustryData();

// Opens the selected edition's database again (gDB), reads Category into gRSCategory and adds
// one entry per sector to frmStartup.cboSector. Throws industry::EditionError.
void LoadSectorList();

// Searches the industries from the current row of gRSData for the key, as the word-form and
// search-in lists of frmStartup say, and adds the hits to frmStartup.cboIndustry. With a hit
// the list is shown and its first entry picked; without one the user is told and the list
// stays hidden. gRSData is left on its first row (the pick then moves it).
void SearchIndustries(const QString& key);

// The file name of the report template of the selected edition for the report kind ("Ratios"
// or "BalanceSheet") in the user's language, starting with the path separator, to be put
// after gDataPath. Empty when no edition is selected.
QString GetReportFileName(const QString& kind);

// Prints the industry index of the open edition (every row of its KIV_DATA table). Throws
// db::DbError when the edition's table can't be read; a printer failure has been told to the
// user when it returns.
void PrintIndustryIndex();

} // namespace kiv
