#include "ratios3/three_year_rank.h"

#include "numbers/numbers.h"

namespace kiv {

std::optional<ThreeYearRule> threeYearRankRule(QStringView code)
{
    for (const char16_t* name : {u"Npm", u"Ppm", u"Gpm", u"Ppa", u"Roe"})
        if (code == QStringView(name))
            return ThreeYearRule::HigherIsBetter;
    if (code == u"Lta")
        return ThreeYearRule::LowerIsBetter;
    return std::nullopt;
}

QuartilePosition RankAgainstQuartiles(QStringView firmText, const IndustryQuartiles& quartiles, ThreeYearRule rule)
{
    const bool lower = rule == ThreeYearRule::LowerIsBetter;
    const QuartilePosition none{placeholderColumn(rule), num::noValue()};
    if (firmText == num::noValue())
        return none;
    const float f = rankValue(firmText);
    const float betterBoundary = rankValue(quartiles.q3);
    const float median = rankValue(quartiles.q2);
    const float worseBoundary = rankValue(quartiles.q1);
    if (betterBoundary == 0 && worseBoundary == 0) {
        if (median == 0)
            return none;
        return reaches(f, median, lower) ? QuartilePosition{RankColumn::Better, QStringLiteral("50")}
                                         : QuartilePosition{RankColumn::Worse, QStringLiteral("50")};
    }
    if (auto band = betterBand(f, betterBoundary, median, worseBoundary, lower))
        return *band;
    return {RankColumn::Worse, QStringLiteral("75")};
}

} // namespace kiv
