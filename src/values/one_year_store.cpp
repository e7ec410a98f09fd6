#include "values/one_year_store.h"

#include "shell/module1.h"

namespace kiv::values {

const std::array<Item, kItemCount>& savedOrder()
{
    static const std::array<Item, kItemCount> order = {
        Item::Cash, Item::AccountsReceivable, Item::Inventory, Item::CapitalAssets, Item::OtherAssets,
        Item::TotalOperatingAssets, Item::InvestmentsWithAffiliates, Item::PortfolioInvestments, Item::TotalAssets,
        Item::OperatingRevenue, Item::Sales, Item::GrossProfit, Item::OperatingProfit, Item::InterestExpense,
        Item::PretaxProfit, Item::ProfitAfterTax,
        Item::AccountsPayable, Item::BankLoans, Item::ShortTermPaper, Item::Mortgages, Item::Bonds, Item::OtherLoans,
        Item::AmountsOwingToAffiliates, Item::OtherLiabilities, Item::DeferredTax, Item::TotalLiabilities,
        Item::ShareCapital, Item::RetainedEarnings, Item::OtherSurplus, Item::TotalShareholdersEquity,
        Item::TotalLiabilitiesAndShareholdersEquity, Item::CurrentAssets, Item::CurrentLiabilities,
    };
    return order;
}

const store::FigureStore& savedOneYearFigures()
{
    static const store::FigureStore figures = [] {
        store::FigureStore s;
        s.fileName = QStringLiteral("kiv_MyValue_v12.mdb");
        s.table = QStringLiteral("MyValue_v12");
        for (Item item : savedOrder()) {
            const ItemInfo& it = info(item);
            s.columns.push_back({QString::fromUtf16(it.box).mid(3), it.computed ? store::TextForm::Total : store::TextForm::Entry});
        }
        return s;
    }();
    return figures;
}

QStringList savedItemNames(int language)
{
    QStringList names;
    for (Item item : savedOrder())
        names << LoadResString(info(item).captionId + (language == 0 ? 0 : 1)).trimmed();
    return names;
}

QStringList toSavedOrder(const Texts& texts)
{
    QStringList columns;
    for (Item item : savedOrder())
        columns << texts[static_cast<std::size_t>(index(item))];
    return columns;
}

Texts fromSavedOrder(const QStringList& columns)
{
    Texts texts;
    for (std::size_t c = 0; c < savedOrder().size() && c < static_cast<std::size_t>(columns.size()); ++c)
        texts[static_cast<std::size_t>(index(savedOrder()[c]))] = columns[static_cast<qsizetype>(c)];
    return texts;
}

} // namespace kiv::values
