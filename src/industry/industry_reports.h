#pragma once
// Names of the prepared reports and the industry selection's own printouts, as plain
// functions: the windows read the chosen edition and the language and call these.
#include "platform/printer.h"
#include "platform/report/report.h"

#include <QString>
#include <vector>

namespace kiv {
struct Edition;
}
namespace kiv::db {
class Snapshot;
}

namespace kiv::industry {

// The file name of the report template for the edition, the report kind and the language,
// starting with the path separator so that it goes straight after the data folder:
//   Volumes 1 and 2: "/kiv_v1_rat_e.rpt" when the kind is "Ratios" (letter case ignored),
//                    "/kiv_v1_bs_e.rpt" for any other kind;
//   Volume 3 and the regional editions: the edition's prefix, whatever the kind ("/kiv_QB_f.rpt");
//   the other edition: its database's file name as found, without ".mdb" ("/KIV_OTHER_XYZ_f.rpt").
// Empty without an edition.
QString reportFileName(const Edition* edition, const QString& otherDbName, const QString& kind, int language);

// Every edition of the edition table as the report engine knows it: the prefixes its templates
// are named with, the titles of its pages and the name of its industry code.
std::vector<report::ReportEdition> reportEditions();

// The industry index of an edition: two blank lines, the edition's title (a blank for the other
// edition), a blank line, then in 8 points the bold heading "#", the code's name at column 8 and
// the name heading at column 43 (Volume 1) or 15, 150 dashes, and one line per industry of the
// snapshot in its order: number, code, name in the language. The snapshot needs the columns
// Industry, SIC and the name column of the language; it is not moved.
PrintDocument industryIndexPrintout(const db::Snapshot& data, const Edition* edition, int language);

// An industry's definition: its name in bold 12 points, five blank lines, then the definition
// in 10 points (wrapped at the page width by the printer).
PrintDocument industryDefinitionPrintout(const QString& name, const QString& definition, int language);

} // namespace kiv::industry
