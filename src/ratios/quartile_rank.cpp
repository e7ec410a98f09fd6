#include "ratios/quartile_rank.h"

#include "numbers/numbers.h"

#include <array>
#include <utility>

namespace kiv {
namespace {

QuartilePosition better(const QString& text)
{
    return {RankColumn::Better, text};
}

QuartilePosition worse(const QString& text)
{
    return {RankColumn::Worse, text};
}

} // namespace

float rankValue(QStringView text)
{
    return num::toSingle(num::leadingNumber(text));
}

QString MarkZeroMedian(const QString& medianText)
{
    return rankValue(medianText) == 0 ? num::noValue() : medianText;
}

IndustryQuartiles arrangeQuartiles(double storedQ1, double storedQ2, double storedQ3, bool lowerIsBetter)
{
    if (lowerIsBetter)
        std::swap(storedQ1, storedQ3);
    return {num::ratioForm(storedQ1), MarkZeroMedian(num::ratioForm(storedQ2)), num::ratioForm(storedQ3)};
}

std::optional<QuartilePosition> betterBand(float f, float betterBoundary, float median, float worseBoundary, bool lowerIsBetter)
{
    if (reaches(f, betterBoundary, lowerIsBetter))
        return better(QStringLiteral("75"));
    if (reaches(f, median, lowerIsBetter))
        return better(QStringLiteral("50"));
    if (reaches(f, worseBoundary, lowerIsBetter))
        return better(QStringLiteral("25"));
    return std::nullopt;
}

std::optional<RankRule> oneYearRankRule(QStringView code)
{
    static constexpr std::array<std::pair<const char16_t*, RankRule>, 15> rules{{
        {u"Npm", RankRule::HigherIsBetter},
        {u"Ppm", RankRule::HigherIsBetter},
        {u"Opm", RankRule::HigherIsBetterDoubleBand},
        {u"Gpm", RankRule::HigherIsBetter},
        {u"Ortnoa", RankRule::HigherIsBetter},
        {u"Rnoa", RankRule::HigherIsBetter},
        {u"Ppa", RankRule::HigherIsBetter},
        {u"Roce", RankRule::HigherIsBetter},
        {u"Roe", RankRule::HigherIsBetter},
        {u"Rt", RankRule::HigherIsBetter},
        {u"It", RankRule::HigherIsBetter},
        {u"Wc", RankRule::HigherIsBetter},
        {u"De", RankRule::LowerIsBetterSignRule},
        {u"Lta", RankRule::LowerIsBetter},
        {u"Ic", RankRule::HigherIsBetter},
    }};
    for (const auto& [name, rule] : rules)
        if (code == QStringView(name))
            return rule;
    return std::nullopt;
}

QuartilePosition RankAgainstQuartiles(QStringView firmText, const IndustryQuartiles& quartiles, RankRule rule)
{
    const bool lower = lowerIsBetter(rule);
    const float f = rankValue(firmText);
    const float q1 = rankValue(quartiles.q1);
    const float q2 = rankValue(quartiles.q2);
    const float q3 = rankValue(quartiles.q3);
    const bool medianOnly = q1 == 0 && q3 == 0;

    if (medianOnly && q2 == 0)
        return lower ? worse(num::noValue()) : better(num::noValue());
    if (firmText == num::noValue() || f == 0)
        return better(num::noValue());

    if (rule == RankRule::LowerIsBetterSignRule) {
        // The bands first, for a positive ratio only; what they leave is worse, by 50 % when only
        // the median is known.
        if (f > 0)
            if (auto band = betterBand(f, q3, q2, q1, true))
                return *band;
        return worse(medianOnly ? QStringLiteral("50") : QStringLiteral("75"));
    }

    if (medianOnly) {
        // A ratio equal to the median is on the better side when higher is better, on the worse
        // side when lower is better.
        const bool atOrAbove = f >= q2;
        return atOrAbove != lower ? better(QStringLiteral("50")) : worse(QStringLiteral("50"));
    }

    std::optional<QuartilePosition> band = betterBand(f, q3, q2, q1, lower);
    if (rule == RankRule::HigherIsBetterDoubleBand && band && band->text == u"25") {
        // Below the median: whether the ratio reaches the worse boundary is decided on the values
        // as read, before their rounding to single precision.
        if (!(num::leadingNumber(firmText) >= num::leadingNumber(quartiles.q1)))
            band.reset();
    }
    return band ? *band : worse(QStringLiteral("75"));
}

} // namespace kiv
