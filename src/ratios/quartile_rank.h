#pragma once
// The firm's position among the firms of its industry, from the industry's quartiles of a ratio:
// better than 75, 50 or 25 percent of them, or worse than 50 or 75 percent.
#include <QString>
#include <QStringView>
#include <optional>

namespace kiv {

// The two position columns of a comparison: "Your firm is better than _% of the firms" and
// "Your firm is worse than _% of the firms".
enum class RankColumn { Better, Worse };

// Where the firm stands for one ratio: the column that shows it and its text, "75", "50", "25"
// or "..." (no position can be given). The other column stays blank.
struct QuartilePosition {
    RankColumn column = RankColumn::Better;
    QString text;
    friend bool operator==(const QuartilePosition&, const QuartilePosition&) = default;
};

// The quartiles of one ratio as the comparison labels hold them, as texts: q3 is the boundary on
// the better side of the median, q1 the boundary on the worse side, q2 the median (shown "..."
// when it reads as zero).
struct IndustryQuartiles {
    QString q1;
    QString q2;
    QString q3;
    friend bool operator==(const IndustryQuartiles&, const IndustryQuartiles&) = default;
};

// The value the position rules give a text: the leading-number parse, rounded to single
// precision ("...", "" and "0.00" are 0; beyond the single-precision range, +-infinity).
float rankValue(QStringView text);

// What a median label shows for the text written into it: "..." when the text reads as 0 in
// single precision, else the text unchanged. Marking "..." again leaves "...".
QString MarkZeroMedian(const QString& medianText);

// The label texts of a ratio's quartiles from its stored columns, whose first quartile is the
// lower boundary and whose third quartile the higher one: each formatted "###0.00", the median
// marked by MarkZeroMedian, and, for a ratio where a lower value is better, the two boundaries
// crossed so that q3 holds the lower one.
IndustryQuartiles arrangeQuartiles(double storedQ1, double storedQ2, double storedQ3, bool lowerIsBetter);

// F reaches a boundary X when it is at X or on its better side.
inline bool reaches(float f, float x, bool lowerIsBetter)
{
    return lowerIsBetter ? f <= x : f >= x;
}

// The bands of the quartiles, every tie on the better side: F reaching the better boundary is
// better than 75 %, reaching the median better than 50 %, reaching the worse boundary better than
// 25 %; beyond the worse boundary there is no better position (nothing is returned).
std::optional<QuartilePosition> betterBand(float f, float better, float median, float worse, bool lowerIsBetter);

// The one-year rules.
enum class RankRule {
    HigherIsBetter,
    // Higher is better, with the band "better than 25 %" decided at double precision
    // (operating profit margin).
    HigherIsBetterDoubleBand,
    // Lower is better (liabilities to assets).
    LowerIsBetter,
    // Lower is better, and only a positive value can be on the better side (debt to equity).
    LowerIsBetterSignRule,
};

inline bool lowerIsBetter(RankRule rule)
{
    return rule == RankRule::LowerIsBetter || rule == RankRule::LowerIsBetterSignRule;
}

// The rule of a one-year ratio by its code: Npm, Ppm, Opm, Gpm, Ortnoa, Rnoa, Ppa, Roce, Roe,
// Rt, It, Wc, De, Lta, Ic. None for another code.
std::optional<RankRule> oneYearRankRule(QStringView code);

// The firm's position for a one-year ratio, from the firm's ratio text and the quartile texts as
// the labels hold them (already arranged). Every text reads as a number, so there is always one.
QuartilePosition RankAgainstQuartiles(QStringView firmText, const IndustryQuartiles& quartiles, RankRule rule);

} // namespace kiv
