#pragma once
// The firm's position in the three-year comparison: each of six ratios in each of three years
// placed among the industry's quartiles of the same ratio and year.
#include "ratios/quartile_rank.h"

namespace kiv {

enum class ThreeYearRule { HigherIsBetter, LowerIsBetter };

// The rule of a three-year ratio by its code: Npm, Ppm, Gpm, Ppa, Roe (higher is better), Lta
// (lower is better). None for another code.
std::optional<ThreeYearRule> threeYearRankRule(QStringView code);

// The column that shows "..." when no position can be given: the better one, and the worse one
// for a ratio where lower is better.
inline RankColumn placeholderColumn(ThreeYearRule rule)
{
    return rule == ThreeYearRule::LowerIsBetter ? RankColumn::Worse : RankColumn::Better;
}

// The firm's position for one cell, from the firm's ratio text and the cell's quartile texts as
// the labels hold them (q3 the better boundary). Every comparison is in single precision and every
// tie falls on the better side; a firm ratio of zero is ranked like any other.
QuartilePosition RankAgainstQuartiles(QStringView firmText, const IndustryQuartiles& quartiles, ThreeYearRule rule);

} // namespace kiv
