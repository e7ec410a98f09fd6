#pragma once
// The firm's one-year statement: 33 amounts, each the text of one entry box of the one-year
// entry window (24 balance-sheet amounts of which 5 are totals, the two current items, seven
// income-statement amounts). This file knows the items, their blocks and totals, and does the
// arithmetic on the texts; the window only moves texts between its boxes and these functions.
#include "numbers/numbers.h"

#include <QString>
#include <array>
#include <optional>
#include <span>

namespace kiv::values {

// The 33 items in the window's tab order.
enum class Item : int {
    Cash, AccountsReceivable, Inventory, CapitalAssets, OtherAssets, TotalOperatingAssets,
    InvestmentsWithAffiliates, PortfolioInvestments, TotalAssets,
    AccountsPayable, BankLoans, ShortTermPaper, Mortgages, Bonds, OtherLoans, AmountsOwingToAffiliates,
    OtherLiabilities, DeferredTax, TotalLiabilities,
    ShareCapital, RetainedEarnings, OtherSurplus, TotalShareholdersEquity, TotalLiabilitiesAndShareholdersEquity,
    CurrentAssets, CurrentLiabilities,
    OperatingRevenue, Sales, GrossProfit, OperatingProfit, InterestExpense, PretaxProfit, ProfitAfterTax,
};
inline constexpr int kItemCount = 33;

enum class Block {
    OperatingAssets, Investments, AssetsTotal, Liabilities, ShareholdersEquity, LiabilitiesAndEquityTotal,
    CurrentItems, IncomeStatement,
};

struct ItemInfo {
    Item item;
    const char16_t* box;       // entry box ("txtCash")
    const char16_t* caption;   // caption label beside it ("Label5")
    int captionId;             // string-table base id of the caption
    Block block;
    bool computed;             // a total the user cannot type
    const char16_t* enterNext; // the control Enter leads to
};

// The 33 items in tab order; items()[int(item)] describes item.
std::span<const ItemInfo> items();
inline const ItemInfo& info(Item item)
{
    return items()[static_cast<std::size_t>(item)];
}
inline constexpr int index(Item item)
{
    return static_cast<int>(item);
}

// The texts of the 33 boxes, indexed by Item.
using Texts = std::array<QString, kItemCount>;

// ---- the totals as the window shows them ---------------------------------------------------

// The totals an accepted amount in the given typed box refreshes, in order (none for the current
// items and the income statement).
std::span<const Item> totalsRefreshedBy(Item typed);
// The text of a total computed from the box texts as they stand: the exact sum of the typed
// amounts it is made of (each read with the leading-number parse, to ten-thousandths), rounded
// once to single precision, in the total form. Total assets and the grand total add the typed
// amounts of the totals they contain, never those totals' texts: amounts that add up to exactly
// 0 show 0. An amount beyond the range of ten-thousandths (only a figure put in from elsewhere)
// is added as the nearest double.
QString displayedTotal(Item total, const Texts& texts);
// Writes every total the typed box refreshes.
void recomputeTotals(Item typed, Texts& texts);
// Writes all five totals from the typed amounts as they stand, as typing them would: for texts
// put in whole (restored figures), whatever totals came with them.
void recomputeAllTotals(Texts& texts);

// ---- the statement read exactly ------------------------------------------------------------

// The typed amounts in ten-thousandths and the totals and derived quantities computed exactly
// from them. The ratios and the balance check use these, never the displayed totals, whose
// seven significant digits would make exactly balanced statements fail or shift a ratio.
class ExactStatement {
public:
    num::Units amount(Item typed) const { return amounts_[static_cast<std::size_t>(typed)]; }
    void setAmount(Item typed, num::Units units) { amounts_[static_cast<std::size_t>(typed)] = units; }

    // A typed item's amount, or a total's exact sum.
    num::ExactSum value(Item item) const;
    num::ExactSum netOperatingAssets() const;
    num::ExactSum capitalEmployed() const;
    num::ExactSum interestBearingDebt() const;
    num::ExactSum costOfSales() const;

private:
    std::array<num::Units, kItemCount> amounts_{};
};

// Reads the 28 typed boxes with the leading-number parse, each rounded to ten-thousandths.
// When a text holds an amount beyond the range of ten-thousandths, gives nothing and names that
// item in *unreadable.
std::optional<ExactStatement> readExact(const Texts& texts, Item* unreadable = nullptr);

// Total assets against total liabilities and shareholders' equity, both rounded to single
// precision from their exact values: an exactly balanced statement always balances.
bool balances(const ExactStatement& statement);

} // namespace kiv::values
