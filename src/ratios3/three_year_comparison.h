#pragma once
// The content of the three-year comparison window: for each of six ratios and three years the
// industry's quartiles (the median shown), the firm's ratio and its position. The window holds
// its content only in label texts; this file knows the labels, reads the current industry's
// record, and lays out what the export and the printout send.
#include "platform/printer.h"
#include "ratios/industry_record.h"
#include "ratios/quartile_rank.h"
#include "ratios3/three_year_rank.h"
#include "values/export.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <variant>

namespace kiv::db {
class Snapshot;
}

namespace kiv::ratios3 {

// The six ratios in screen order, and the three years top to bottom within each ratio.
enum class Ratio : int { NetProfitMargin, PretaxProfitMargin, GrossProfitMargin, PretaxProfitToAssets, ReturnOnEquity,
                         LiabilitiesToAssets };
inline constexpr int kRatioCount = 6;
enum class Year : int { Year3, Year2, Year1 }; // 1999, 1998, 1997
inline constexpr int kYearCount = 3;
inline constexpr int kCellCount = kRatioCount * kYearCount;

// The labels of one cell (a ratio in a year) and the columns of the industry's record behind
// its quartile labels.
struct Cell {
    Ratio ratio;
    Year year;
    ThreeYearRule rule;
    QString source;         // the firm's ratio on the entry window: lblNpm, lblNpm95, ...
    QString firm;           // lblMyNpm96
    QString betterBoundary; // hidden: the quartile on the better side (lblNpmQ396)
    QString median;         // lblNpmQ296
    QString worseBoundary;  // hidden: the quartile on the worse side (lblNpmQ196)
    QString better;         // position "better than _%": lblNpm
    QString worse;          // position "worse than _%": lblNpm1
    QString yearLabel;      // Label74 ... Label91
    // The record's first quartile, median and third quartile of the ratio and year: NPMQ1_3,
    // NPMQ2_3, NPMQ3_3. The first quartile is the lower boundary; for liabilities to assets,
    // where lower is better, it goes to the better-boundary label.
    std::array<QString, 3> columns;
};

// One cell by ratio and year.
const Cell& cell(Ratio ratio, Year year);
// The 18 cells in the order an activation works through them: the six ratios of 1999, then
// of 1998, then of 1997.
std::array<const Cell*, kCellCount> cellsInWorkingOrder();

QString yearText(Year year);        // "1999", "1998", "1997"
QString ratioNameLabel(Ratio ratio); // lblNetProfitMargin ... lblLiabilitiesToAssets
int ratioNameId(Ratio ratio);        // the name's string-table id (English; French is +1)

// The 36 position labels in the order they are blanked: per year (1999, 1998, 1997) each
// ratio's better label, then its worse label.
QStringList positionLabels();

// ---- the current industry -------------------------------------------------------------------

// What the window shows of the current industry.
struct IndustryContent {
    QString industryNumber; // lblIndustryNumber
    QString code;           // lblSice
    QString description;    // lblIndustryDescription
    // The quartile texts of each cell, in working order: q3 the better boundary, q2 the median
    // (already "..." when it reads as zero), q1 the worse boundary.
    std::array<IndustryQuartiles, kCellCount> quartiles;
};

using ratios::ContentProblem;

// Reads the current row of the snapshot (null or past its end: no industry). Every column the
// window reads must exist and hold a value, every quartile column a number.
std::variant<IndustryContent, ContentProblem> readIndustry(const db::Snapshot* data, int language);

// The firm's position in a cell, from the texts its labels hold.
inline QuartilePosition rankCell(const Cell& c, const QString& firmText, const IndustryQuartiles& quartiles)
{
    return RankAgainstQuartiles(firmText, quartiles, c.rule);
}

// ---- export and printout --------------------------------------------------------------------

// The 105 cells of the comparison's export, in the order they are written: the header, then
// per ratio its name and the year, firm, median, better and worse labels of its three rows.
// The firm, median and position cells are value cells.
exports::Layout exportLayout(int language);

// The printout of the comparison; `caption` gives the text a label of the window shows.
PrintDocument comparisonPrintout(const std::function<QString(const QString& label)>& caption, int language);

} // namespace kiv::ratios3
