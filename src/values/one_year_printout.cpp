#include "values/one_year_printout.h"

namespace kiv::values {
namespace {

constexpr int kTitleColumn = 39;
constexpr int kRightHeadingColumn = 45;
constexpr int kLeftValueColumn = 35;
constexpr int kRightCaptionColumn = 55;
constexpr int kRightValueColumn = 125;
constexpr int kIncomeValueColumn = 85;

void setHeadingFont(PrintDocument& doc, bool heading)
{
    doc.setFontSize(heading ? 12 : 10);
    doc.setBold(heading);
    doc.setItalic(heading);
}

} // namespace

PrintDocument statementPrintout(const StatementCaptions& captions, const Texts& texts, int language)
{
    const bool english = language == 0;
    const auto caption = [&](Item item) { return captions.items[static_cast<std::size_t>(index(item))]; };
    const auto text = [&](Item item) { return texts[static_cast<std::size_t>(index(item))]; };

    PrintDocument doc(english ? QStringLiteral("Your Company Values") : QStringLiteral("Valeurs de Votre Entreprise"));
    doc.setFontName(QStringLiteral("Times New Roman"));
    setHeadingFont(doc, true);
    doc.blankLine();
    doc.print({Tab(kTitleColumn), english ? QStringLiteral("Your Company Values") : QStringLiteral("Valeurs de Votre Entreprise")});
    doc.blankLine(4);
    doc.print({captions.assets, Tab(kRightHeadingColumn), captions.liabilities});
    setHeadingFont(doc, false);
    doc.blankLine(2);

    // The balance sheet's two columns side by side.
    static constexpr std::pair<Item, Item> kRows[] = {
        {Item::Cash, Item::AccountsPayable},
        {Item::AccountsReceivable, Item::BankLoans},
        {Item::Inventory, Item::ShortTermPaper},
        {Item::CapitalAssets, Item::Mortgages},
        {Item::OtherAssets, Item::Bonds},
        {Item::TotalOperatingAssets, Item::OtherLoans},
        {Item::InvestmentsWithAffiliates, Item::AmountsOwingToAffiliates},
        {Item::PortfolioInvestments, Item::OtherLiabilities},
        {Item::TotalAssets, Item::DeferredTax},
    };
    bool first = true;
    for (const auto& [left, right] : kRows) {
        if (!first)
            doc.blankLine();
        first = false;
        if (!english && left == Item::InvestmentsWithAffiliates) {
            // Both French captions are too long for their column: each goes on two lines.
            doc.print({QStringLiteral("Placements auprès de"), Tab(kRightCaptionColumn),
                       QStringLiteral("Comptes à payer à la société mère, les filiales,")});
            doc.print({QStringLiteral("sociétés affiliées"), Tab(kLeftValueColumn), text(left), Tab(kRightCaptionColumn),
                       QStringLiteral("les sociétés affiliées, et les actionnaires "), Tab(kRightValueColumn), text(right)});
            continue;
        }
        doc.print({caption(left), Tab(kLeftValueColumn), text(left), Tab(kRightCaptionColumn), caption(right),
                   Tab(kRightValueColumn), text(right)});
    }
    // The rest of the right-hand column.
    for (Item item : {Item::TotalLiabilities, Item::ShareCapital, Item::RetainedEarnings, Item::OtherSurplus,
                      Item::TotalShareholdersEquity, Item::TotalLiabilitiesAndShareholdersEquity, Item::CurrentAssets,
                      Item::CurrentLiabilities}) {
        doc.blankLine();
        doc.print({Tab(kRightCaptionColumn), caption(item), Tab(kRightValueColumn), text(item)});
    }
    doc.blankLine(4);

    setHeadingFont(doc, true);
    doc.print({captions.income});
    setHeadingFont(doc, false);
    doc.blankLine(2);
    first = true;
    for (Item item : {Item::OperatingRevenue, Item::Sales, Item::GrossProfit, Item::OperatingProfit, Item::InterestExpense,
                      Item::PretaxProfit, Item::ProfitAfterTax}) {
        if (!first)
            doc.blankLine();
        first = false;
        doc.print({caption(item), Tab(kIncomeValueColumn), text(item)});
    }
    return doc;
}

} // namespace kiv::values
