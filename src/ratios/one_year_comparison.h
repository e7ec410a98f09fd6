#pragma once
// The content of the one-year ratio comparison window: for each of the firm's fifteen ratios the
// industry's quartiles (the median shown, the two boundaries kept hidden), the firm's ratio and
// its position. The window holds its content only in label texts; this file knows those labels,
// reads the current industry's record, and lays out what the export and the printout send.
#include "platform/printer.h"
#include "ratios/industry_record.h"
#include "ratios/quartile_rank.h"
#include "values/company_ratios.h"
#include "values/export.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <span>
#include <variant>

namespace kiv::db {
class Snapshot;
}

namespace kiv::ratios {

inline constexpr int kRowCount = 15;

// One ratio row of the window, with the labels it is made of and the record's columns behind its
// quartile labels.
struct ComparisonRow {
    QString ratio;  // NetProfitMargin
    QString code;   // Npm: the firm's label lblMyNpm, the positions lblNpm and lblNpm1, and the
                    // entry window's hidden label lblNpm the firm's ratio is copied from
    QString stem;   // the quartile labels' stem: the code, but Rce and Re for Roce and Roe
    int nameId = 0; // the ratio name's string-table id (English; French is +1)
    values::RatioGroup group = values::RatioGroup::Profitability;
    RankRule rule = RankRule::HigherIsBetter;
    // The record's first quartile, median and third quartile columns (NpmQ1, NpmQ2, NPMQ3). The
    // first quartile is the lower boundary; where lower is better it goes to the Q3 label.
    std::array<QString, 3> columns;

    QString nameLabel() const { return QStringLiteral("lbl") + ratio; }
    QString firmLabel() const { return QStringLiteral("lblMy") + code; }
    QString sourceLabel() const { return QStringLiteral("lbl") + code; } // on the entry window
    QString q1Label() const { return QStringLiteral("lbl") + stem + QStringLiteral("Q1"); } // worse boundary
    QString medianLabel() const { return QStringLiteral("lbl") + stem + QStringLiteral("Q2"); }
    QString q3Label() const { return QStringLiteral("lbl") + stem + QStringLiteral("Q3"); } // better boundary
    QString betterLabel() const { return QStringLiteral("lbl") + code; }
    QString worseLabel() const { return QStringLiteral("lbl") + code + u'1'; }
};

// The fifteen rows in screen order: Npm, Ppm, Opm, Gpm, Ortnoa, Rnoa, Ppa, Roce, Roe, Rt, It,
// Wc, De, Lta, Ic.
std::span<const ComparisonRow> comparisonRows();

// The label of a group's head: lblProfitability, lblEffeciency, lblLiquidity.
QString groupLabel(values::RatioGroup group);

// The thirty position labels in the order they are blanked: each row's better label, then its
// worse label.
QStringList positionLabels();

// The code text the window shows for the stored SIC text: in French a code stored as
// "not applicable" (in any letter case, nothing trimmed) reads "non applicable".
QString shownIndustryCode(const QString& storedSic, int language);

// ---- the current industry -------------------------------------------------------------------

// What the window shows of the current industry.
struct IndustryContent {
    QString industryNumber; // lblIndustryNumber
    QString code;           // lblSice
    QString description;    // lblIndustryDescription
    QString numberOfFirms;  // lblNumberOfFirms
    // Each row's quartile label texts, in screen order: q3 the better boundary, q2 the median,
    // q1 the worse boundary, each formatted "###0.00" (the median already "..." when it reads as
    // zero).
    std::array<IndustryQuartiles, kRowCount> quartiles;
};

// Reads the current row of the snapshot (null, empty or past its end: no industry). Every
// column the window reads must exist and hold a value, and every quartile column must hold a
// number (a text is taken only when it reads whole as one number with a period as decimal
// point: "12,75" would otherwise be ranked as 12).
std::variant<IndustryContent, ContentProblem> readIndustry(const db::Snapshot* data, int language);

// ---- export and printout --------------------------------------------------------------------

// The 88 cells of the comparison's export, in the order they are written: the header, then row
// by row from 9 to 27. The firm's ratio, median and position cells are value cells.
exports::Layout exportLayout(int language);

// The printout of the comparison; `caption` gives the text a label of the window shows.
PrintDocument comparisonPrintout(const std::function<QString(const QString& label)>& caption, int language);

} // namespace kiv::ratios
