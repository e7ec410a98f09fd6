#include "values/company_ratios.h"

namespace kiv::values {
namespace {

using G = RatioGroup;

constexpr RatioInfo kRatios[kRatioCount] = {
    {Ratio::Npm, u"Npm", 106, G::Profitability, true},
    {Ratio::Ppm, u"Ppm", 108, G::Profitability, true},
    {Ratio::Opm, u"Opm", 110, G::Profitability, true},
    {Ratio::Gpm, u"Gpm", 112, G::Profitability, true},
    {Ratio::Ortnoa, u"Ortnoa", 114, G::Profitability, true},
    {Ratio::Rnoa, u"Rnoa", 116, G::Profitability, true},
    {Ratio::Ppa, u"Ppa", 118, G::Profitability, true},
    {Ratio::Lta, u"Lta", 136, G::LiquiditySolvency, false},
    {Ratio::Roce, u"Roce", 120, G::Profitability, true},
    {Ratio::Roe, u"Roe", 122, G::Profitability, true},
    {Ratio::De, u"De", 134, G::LiquiditySolvency, false},
    {Ratio::Rt, u"Rt", 126, G::Efficiency, false},
    {Ratio::It, u"It", 128, G::Efficiency, false},
    {Ratio::Wc, u"Wc", 132, G::LiquiditySolvency, false},
    {Ratio::Ic, u"Ic", 138, G::LiquiditySolvency, false},
};

constexpr Ratio kComparisonOrder[kRatioCount] = {
    Ratio::Npm, Ratio::Ppm, Ratio::Opm, Ratio::Gpm, Ratio::Ortnoa, Ratio::Rnoa, Ratio::Ppa, Ratio::Roce,
    Ratio::Roe, Ratio::Rt, Ratio::It, Ratio::Wc, Ratio::De, Ratio::Lta, Ratio::Ic,
};

// The value of one ratio: the double quotient rounded to single precision, then for a
// profitability ratio times 100 rounded to single again.
float ratioValue(num::ExactSum numerator, num::ExactSum denominator, bool percent)
{
    float v = num::toSingle(numerator.toDouble() / denominator.toDouble());
    if (percent)
        v = v * 100.0f;
    return v;
}

} // namespace

std::span<const RatioInfo> ratios()
{
    return kRatios;
}

std::span<const Ratio> comparisonOrder()
{
    return kComparisonOrder;
}

int groupNameId(RatioGroup group)
{
    switch (group) {
    case RatioGroup::Profitability: return 104;
    case RatioGroup::Efficiency: return 124;
    case RatioGroup::LiquiditySolvency: return 130;
    }
    return 104;
}

RatioTexts ratioTexts(const ExactStatement& s)
{
    RatioTexts texts;
    auto put = [&](Ratio r, num::ExactSum numerator, num::ExactSum denominator) {
        const RatioInfo& info = kRatios[static_cast<int>(r)];
        texts[static_cast<std::size_t>(r)] = num::ratioForm(ratioValue(numerator, denominator, info.percent));
    };
    auto none = [&](std::initializer_list<Ratio> list) {
        for (Ratio r : list)
            texts[static_cast<std::size_t>(r)] = num::noValue();
    };
    auto a = [&](Item item) { return s.value(item); };

    const num::ExactSum revenue = a(Item::OperatingRevenue);
    if (revenue.isZero()) {
        none({Ratio::Npm, Ratio::Ppm, Ratio::Opm});
    } else {
        put(Ratio::Npm, a(Item::ProfitAfterTax), revenue);
        put(Ratio::Ppm, a(Item::PretaxProfit), revenue);
        put(Ratio::Opm, a(Item::OperatingProfit), revenue);
    }

    const num::ExactSum sales = a(Item::Sales);
    if (sales.isZero())
        none({Ratio::Gpm});
    else
        put(Ratio::Gpm, a(Item::GrossProfit), sales);

    const num::ExactSum noa = s.netOperatingAssets();
    if (noa.isZero())
        none({Ratio::Ortnoa});
    else
        put(Ratio::Ortnoa, revenue, noa);

    const num::ExactSum assets = a(Item::TotalAssets);
    if (assets.isZero()) {
        none({Ratio::Rnoa, Ratio::Ppa, Ratio::Lta});
    } else {
        if (noa.isZero())
            none({Ratio::Rnoa});
        else
            put(Ratio::Rnoa, a(Item::OperatingProfit), noa);
        put(Ratio::Ppa, a(Item::PretaxProfit), assets);
        put(Ratio::Lta, a(Item::TotalLiabilities), assets);
    }

    const num::ExactSum employed = s.capitalEmployed();
    if (employed.isZero())
        none({Ratio::Roce});
    else
        put(Ratio::Roce, a(Item::ProfitAfterTax) + a(Item::InterestExpense), employed);

    const num::ExactSum equity = a(Item::TotalShareholdersEquity);
    if (equity.isZero()) {
        none({Ratio::Roe, Ratio::De});
    } else {
        put(Ratio::Roe, a(Item::ProfitAfterTax), equity);
        put(Ratio::De, s.interestBearingDebt(), equity);
    }

    const num::ExactSum receivable = a(Item::AccountsReceivable);
    if (receivable.isZero())
        none({Ratio::Rt});
    else
        put(Ratio::Rt, revenue, receivable);

    const num::ExactSum inventory = a(Item::Inventory);
    if (inventory.isZero())
        none({Ratio::It});
    else
        put(Ratio::It, s.costOfSales(), inventory);

    const num::ExactSum currentLiabilities = a(Item::CurrentLiabilities);
    if (currentLiabilities.isZero())
        none({Ratio::Wc});
    else
        put(Ratio::Wc, a(Item::CurrentAssets), currentLiabilities);

    const num::ExactSum interest = a(Item::InterestExpense);
    if (interest.isZero())
        none({Ratio::Ic});
    else
        put(Ratio::Ic, a(Item::PretaxProfit) + interest, interest);

    return texts;
}

} // namespace kiv::values
