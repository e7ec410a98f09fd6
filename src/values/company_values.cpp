#include "values/company_values.h"

#include <vector>

namespace kiv::values {
namespace {

using B = Block;

constexpr ItemInfo kItems[kItemCount] = {
    {Item::Cash, u"txtCash", u"Label5", 152, B::OperatingAssets, false, u"txtAr"},
    {Item::AccountsReceivable, u"txtAr", u"lblReceivables", 154, B::OperatingAssets, false, u"txtInv"},
    {Item::Inventory, u"txtInv", u"lblInventory", 156, B::OperatingAssets, false, u"txtCA"},
    {Item::CapitalAssets, u"txtCA", u"Label10", 158, B::OperatingAssets, false, u"txtOA"},
    {Item::OtherAssets, u"txtOA", u"Label11", 160, B::OperatingAssets, false, u"txtInvest"},
    {Item::TotalOperatingAssets, u"txtToa", u"Label12", 162, B::OperatingAssets, true, u"txtInvest"},
    {Item::InvestmentsWithAffiliates, u"txtInvest", u"Label2", 164, B::Investments, false, u"txtPtfl"},
    {Item::PortfolioInvestments, u"txtPtfl", u"Label9", 166, B::Investments, false, u"txtAccountsPayable"},
    {Item::TotalAssets, u"txtTa", u"Label3", 168, B::AssetsTotal, true, u"txtAccountsPayable"},
    {Item::AccountsPayable, u"txtAccountsPayable", u"Label1", 172, B::Liabilities, false, u"txtBanks"},
    {Item::BankLoans, u"txtBanks", u"Label8", 174, B::Liabilities, false, u"txtPaper"},
    {Item::ShortTermPaper, u"txtPaper", u"Label7", 176, B::Liabilities, false, u"txtMtg"},
    {Item::Mortgages, u"txtMtg", u"lblMortgages", 178, B::Liabilities, false, u"txtBonds"},
    {Item::Bonds, u"txtBonds", u"lblBonds", 180, B::Liabilities, false, u"txtOl"},
    {Item::OtherLoans, u"txtOl", u"lblOtherLoans", 182, B::Liabilities, false, u"txtAmtsAffil"},
    {Item::AmountsOwingToAffiliates, u"txtAmtsAffil", u"lblAffiliate", 184, B::Liabilities, false, u"txtOLiab"},
    {Item::OtherLiabilities, u"txtOLiab", u"lblOtherLiabilities", 186, B::Liabilities, false, u"txtDefTax"},
    {Item::DeferredTax, u"txtDefTax", u"lblDeferredTax", 188, B::Liabilities, false, u"txtShareC"},
    {Item::TotalLiabilities, u"txtTliab", u"lblLiabilities", 190, B::Liabilities, true, u"txtShareC"},
    {Item::ShareCapital, u"txtShareC", u"lblShareCapital", 192, B::ShareholdersEquity, false, u"txtRetEarn"},
    {Item::RetainedEarnings, u"txtRetEarn", u"lblRetainedEarnings", 194, B::ShareholdersEquity, false, u"txtOtherSur"},
    {Item::OtherSurplus, u"txtOtherSur", u"lblOther", 196, B::ShareholdersEquity, false, u"txtCurrentAssets"},
    {Item::TotalShareholdersEquity, u"txtEquity1", u"lblEquity", 198, B::ShareholdersEquity, true, u"txtCurrentAssets"},
    {Item::TotalLiabilitiesAndShareholdersEquity, u"txtTotLiabShareEq", u"lblTotal", 200, B::LiabilitiesAndEquityTotal, true,
     u"txtCurrentAssets"},
    {Item::CurrentAssets, u"txtCurrentAssets", u"lblCurrentAssets", 202, B::CurrentItems, false, u"txtCurrentLiabilities"},
    {Item::CurrentLiabilities, u"txtCurrentLiabilities", u"lblCurrentLiabilitite", 204, B::CurrentItems, false,
     u"txtOperatingRevenue"},
    {Item::OperatingRevenue, u"txtOperatingRevenue", u"lblOperatingRevenue1", 254, B::IncomeStatement, false, u"txtSales"},
    {Item::Sales, u"txtSales", u"lblRevenue6", 256, B::IncomeStatement, false, u"txtGrossProfit"},
    {Item::GrossProfit, u"txtGrossProfit", u"lblGrossProfit", 258, B::IncomeStatement, false, u"txtOperatingProfit"},
    {Item::OperatingProfit, u"txtOperatingProfit", u"lblOperatingProfit", 260, B::IncomeStatement, false, u"txtInterestExpense"},
    {Item::InterestExpense, u"txtInterestExpense", u"lblInterextExpense", 262, B::IncomeStatement, false, u"txtPretaxProfit"},
    {Item::PretaxProfit, u"txtPretaxProfit", u"lblPretaxProfit", 264, B::IncomeStatement, false, u"txtProfitAfterTax"},
    {Item::ProfitAfterTax, u"txtProfitAfterTax", u"lblAftertaxProfit", 266, B::IncomeStatement, false, u"cmdView"},
};

constexpr Item kOperatingAssets[] = {Item::Cash, Item::AccountsReceivable, Item::Inventory, Item::CapitalAssets,
                                     Item::OtherAssets};
constexpr Item kLiabilities[] = {Item::AccountsPayable, Item::BankLoans, Item::ShortTermPaper, Item::Mortgages,
                                 Item::Bonds, Item::OtherLoans, Item::AmountsOwingToAffiliates,
                                 Item::OtherLiabilities, Item::DeferredTax};
constexpr Item kEquity[] = {Item::ShareCapital, Item::RetainedEarnings, Item::OtherSurplus};

constexpr Item kRefreshAssets[] = {Item::TotalOperatingAssets, Item::TotalAssets};
constexpr Item kRefreshTotalAssets[] = {Item::TotalAssets};
constexpr Item kRefreshLiabilities[] = {Item::TotalLiabilities, Item::TotalLiabilitiesAndShareholdersEquity};
constexpr Item kRefreshEquity[] = {Item::TotalShareholdersEquity, Item::TotalLiabilitiesAndShareholdersEquity};

// The typed items a total is the sum of: total assets and the grand total take those of the
// totals they contain.
std::vector<Item> operandsOf(Item total)
{
    switch (total) {
    case Item::TotalOperatingAssets: return {std::begin(kOperatingAssets), std::end(kOperatingAssets)};
    case Item::TotalAssets: {
        std::vector<Item> items(std::begin(kOperatingAssets), std::end(kOperatingAssets));
        items.insert(items.end(), {Item::InvestmentsWithAffiliates, Item::PortfolioInvestments});
        return items;
    }
    case Item::TotalLiabilities: return {std::begin(kLiabilities), std::end(kLiabilities)};
    case Item::TotalShareholdersEquity: return {std::begin(kEquity), std::end(kEquity)};
    case Item::TotalLiabilitiesAndShareholdersEquity: {
        std::vector<Item> items(std::begin(kEquity), std::end(kEquity));
        items.insert(items.end(), std::begin(kLiabilities), std::end(kLiabilities));
        return items;
    }
    default: return {};
    }
}

const QString& textOf(const Texts& texts, Item item)
{
    return texts[static_cast<std::size_t>(item)];
}

} // namespace

std::span<const ItemInfo> items()
{
    return kItems;
}

std::span<const Item> totalsRefreshedBy(Item typed)
{
    switch (typed) {
    case Item::Cash:
    case Item::AccountsReceivable:
    case Item::Inventory:
    case Item::CapitalAssets:
    case Item::OtherAssets:
    case Item::InvestmentsWithAffiliates: return kRefreshAssets;
    case Item::PortfolioInvestments: return kRefreshTotalAssets;
    case Item::AccountsPayable:
    case Item::BankLoans:
    case Item::ShortTermPaper:
    case Item::Mortgages:
    case Item::Bonds:
    case Item::OtherLoans:
    case Item::AmountsOwingToAffiliates:
    case Item::OtherLiabilities:
    case Item::DeferredTax: return kRefreshLiabilities;
    case Item::ShareCapital:
    case Item::RetainedEarnings:
    case Item::OtherSurplus: return kRefreshEquity;
    default: return {};
    }
}

QString displayedTotal(Item total, const Texts& texts)
{
    num::ExactSum exact;
    double nearest = 0;
    bool inRange = true;
    for (Item item : operandsOf(total)) {
        const QString& text = textOf(texts, item);
        nearest += num::leadingNumber(text);
        if (const std::optional<num::Units> units = num::amountUnits(text))
            exact += *units;
        else
            inRange = false;
    }
    return num::totalForm(inRange ? exact.toSingle() : num::toSingle(nearest));
}

void recomputeTotals(Item typed, Texts& texts)
{
    for (Item total : totalsRefreshedBy(typed))
        texts[static_cast<std::size_t>(total)] = displayedTotal(total, texts);
}

void recomputeAllTotals(Texts& texts)
{
    // Each total adds typed amounts only, so the order they are written in does not matter.
    for (const ItemInfo& it : items())
        if (it.computed)
            texts[static_cast<std::size_t>(it.item)] = displayedTotal(it.item, texts);
}

// ---- ExactStatement ------------------------------------------------------------------------

num::ExactSum ExactStatement::value(Item item) const
{
    if (!info(item).computed)
        return amount(item);
    num::ExactSum sum;
    for (Item operand : operandsOf(item))
        sum += amount(operand);
    return sum;
}

num::ExactSum ExactStatement::netOperatingAssets() const
{
    return value(Item::TotalAssets) - amount(Item::InvestmentsWithAffiliates) - amount(Item::PortfolioInvestments)
           - amount(Item::AccountsPayable);
}

num::ExactSum ExactStatement::capitalEmployed() const
{
    return value(Item::TotalShareholdersEquity) + amount(Item::BankLoans) + amount(Item::Mortgages) + amount(Item::Bonds)
           + amount(Item::OtherLoans) + amount(Item::ShortTermPaper) + amount(Item::AmountsOwingToAffiliates);
}

num::ExactSum ExactStatement::interestBearingDebt() const
{
    return num::ExactSum(amount(Item::BankLoans)) + amount(Item::Bonds) + amount(Item::Mortgages)
           + amount(Item::ShortTermPaper) + amount(Item::OtherLoans) + amount(Item::AmountsOwingToAffiliates);
}

num::ExactSum ExactStatement::costOfSales() const
{
    return num::ExactSum(amount(Item::Sales)) - amount(Item::GrossProfit);
}

std::optional<ExactStatement> readExact(const Texts& texts, Item* unreadable)
{
    ExactStatement statement;
    for (const ItemInfo& it : items()) {
        if (it.computed)
            continue;
        const std::optional<num::Units> units = num::amountUnits(textOf(texts, it.item));
        if (!units) {
            if (unreadable)
                *unreadable = it.item;
            return std::nullopt;
        }
        statement.setAmount(it.item, *units);
    }
    return statement;
}

bool balances(const ExactStatement& statement)
{
    return statement.value(Item::TotalAssets).toSingle()
           == statement.value(Item::TotalLiabilitiesAndShareholdersEquity).toSingle();
}

} // namespace kiv::values
