#pragma once
// The content of the balance-sheet structure window: for each of 25 balance-sheet items the
// firm's amount as a percentage of its total, the industry's stored percentage and the
// difference between the two. The window keeps its content only in label texts; this file
// knows the rows and their labels, computes the texts, reads the current industry's record
// and lays out what the export and the printout send.
#include "platform/printer.h"
#include "values/export.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace kiv::db {
class Snapshot;
class Value;
} // namespace kiv::db

namespace kiv::balancesheet {

inline constexpr int kRowCount = 25;

// The total a row's firm percentage is taken of.
enum class Divisor { TotalAssets, TotalLiabilitiesAndEquity };
// Where a row stands on the window: the left (asset) or the right (liability and equity) block.
enum class Block { Left, Right };

// One row of the window: its four labels, where its figures come from, where it stands.
struct StructureRow {
    const char16_t* item;       // Cash, AccountsReceivable, ...
    const char16_t* caption;    // lblCash: the item's caption; a click shows its definition
    const char16_t* firm;       // lblMyCash: the firm's percentage
    const char16_t* industry;   // lblCash1: the industry's percentage
    const char16_t* difference; // lblCash2: firm minus industry
    const char16_t* box;        // txtCash: the entry window's box holding the firm's amount
    const char16_t* column;     // A11: the industry's column of KIV_DATA
    int captionId;              // string-table id of the caption (English; French is +1)
    Divisor divisor;
    Block block;
    float top;                  // design top of the row, in twips
    bool total;                 // a total row, in bold
};

// The 25 rows in the order the window fills them: the nine asset rows, the fourteen liability
// and equity rows, then current assets and current liabilities (which stand in the left block).
const std::array<StructureRow, kRowCount>& structureRows();
// Row 9 (total assets) and row 23 (total liabilities and shareholders' equity): their boxes are
// the two divisors.
inline constexpr int kTotalAssetsRow = 8;
inline constexpr int kTotalLiabilitiesAndEquityRow = 22;

// ---- the three texts of a row -----------------------------------------------------------------

// The firm's percentage, "###0.00": the amount over the total, both read with the leading-number
// parse, the quotient rounded to single precision, times 100, rounded to single precision again.
// A text without a leading number counts as 0. A total that rounds to zero in single precision
// gives "0.00"; a result beyond the single range gives "...".
QString firmPercentage(QStringView amount, QStringView total);
// The industry's stored percentage, "###0.00"; none for a Null or a text that is not one number.
std::optional<QString> industryPercentage(const db::Value& stored);
// The whole text, blanks before and after aside, as one number with a period as decimal point.
std::optional<double> fullNumber(QStringView text);
// Firm minus industry from the two texts as shown, "###0.00"; "..." when either is no number.
QString difference(QStringView firm, QStringView industry);

// ---- the current industry ------------------------------------------------------------------

// What the window shows of the current industry.
struct IndustryStructure {
    bool hasIndustry = false;  // false: no current record at all
    QString industryNumber;    // lblIndustryNumber
    QString code;              // lblSice: the stored code text, in both languages
    QString description;       // lblIndustryDescription, in the user's language
    // The industry label of each row, in row order: "..." where the record holds no value.
    std::array<QString, kRowCount> percentages;
    QStringList missing;       // the columns that are absent or hold no value
};

// Reads the current row of the snapshot (null, or past its end: no industry).
IndustryStructure readIndustry(const db::Snapshot* data, int language);

// The texts of the 25 rows, in row order: firm, industry and difference label.
struct RowTexts {
    QString firm;
    QString industry;
    QString difference;
};
// amounts: the texts of the rows' boxes in row order (the divisors among them).
std::array<RowTexts, kRowCount> structureTexts(const std::array<QString, kRowCount>& amounts,
                                               const std::array<QString, kRowCount>& industry);

// The message when the industry's data cannot all be shown (none when they can), in the user's
// language (0 English, otherwise French).
std::optional<QString> missingDataMessage(const IndustryStructure& industry, int language);

// ---- export and printout ---------------------------------------------------------------------

// The 112 cells of the export, in the order they are written: A1, E1, A2, A4, the column heads of
// row 6, then rows 7 to 20 from left to right. The percentage cells are value cells.
exports::Layout exportLayout(int language);

// The printout of the comparison; `caption` gives the text a label of the window shows.
PrintDocument structurePrintout(const std::function<QString(const QString& label)>& caption, int language);

} // namespace kiv::balancesheet
