#pragma once
// The firm's fifteen one-year ratios, as the display texts the comparison windows read.
#include "values/company_values.h"

#include <QString>
#include <array>
#include <span>

namespace kiv::values {

// In the order they are computed and written.
enum class Ratio : int { Npm, Ppm, Opm, Gpm, Ortnoa, Rnoa, Ppa, Lta, Roce, Roe, De, Rt, It, Wc, Ic };
inline constexpr int kRatioCount = 15;

enum class RatioGroup { Profitability, Efficiency, LiquiditySolvency };

struct RatioInfo {
    Ratio ratio;
    const char16_t* code; // stem of the label names: lblNpm, and lblMyNpm in the comparison window
    int nameId;           // string-table base id of the ratio's name
    RatioGroup group;
    bool percent;         // a profitability ratio: the quotient times 100
};

// The fifteen ratios in computation order; ratios()[int(ratio)] describes ratio.
std::span<const RatioInfo> ratios();
// The order in which the comparison window lists them: Npm, Ppm, Opm, Gpm, Ortnoa, Rnoa, Ppa,
// Roce, Roe, Rt, It, Wc, De, Lta, Ic.
std::span<const Ratio> comparisonOrder();
// String-table base id of a group's heading.
int groupNameId(RatioGroup group);

// The display text of every ratio, indexed by Ratio: the single-precision value formatted
// "###0.00", or "..." when its denominator is zero. The quotient is taken in double precision
// from exact operands and rounded to single precision; a profitability ratio is that value
// times 100, rounded to single precision again. A denominator is zero only when it is exactly
// zero: sums of typed amounts leave no rounding residue.
using RatioTexts = std::array<QString, kRatioCount>;
RatioTexts ratioTexts(const ExactStatement& statement);

} // namespace kiv::values
