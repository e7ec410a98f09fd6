#include "values3/three_year_export.h"

#include "values3/three_year_values.h"

namespace kiv::values3 {
namespace {

const QString kColumns[kYearCount] = {QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};

exports::LayoutCell captionCell(const QString& cell, const QString& label, int stringId = 0)
{
    return {cell, {exports::control(label)}, false, stringId};
}

} // namespace

exports::Layout exportLayout(int language)
{
    exports::Layout layout;
    layout.push_back({QStringLiteral("A1"),
                      {exports::fixed(language == 0 ? QStringLiteral("Your Company Values") : QStringLiteral("Valeurs de Votre Entreprise"))},
                      false, 0});
    layout.push_back(captionCell(QStringLiteral("A3"), QStringLiteral("Label15"), 150));
    for (int y = 0; y < kYearCount; ++y)
        layout.push_back(captionCell(kColumns[y] + u'3', yearLabel(static_cast<Year>(y))));

    const auto itemRow = [&](int row, Item item) {
        const QString r = QString::number(row);
        layout.push_back(captionCell(u'A' + r, captionLabel(item), captionId(item)));
        for (int y = 0; y < kYearCount; ++y)
            layout.push_back({kColumns[y] + r, {exports::control(boxName(static_cast<Year>(y), item))}, true, 0});
    };
    itemRow(4, Item::TotalAssets);
    layout.push_back(captionCell(QStringLiteral("A6"), QStringLiteral("Label16"), 170));
    itemRow(7, Item::TotalLiabilities);
    itemRow(8, Item::ShareholdersEquity);
    layout.push_back(captionCell(QStringLiteral("A10"), QStringLiteral("Label4"), 294));
    int row = 11;
    for (Item item : {Item::OperatingRevenue, Item::Sales, Item::GrossProfit, Item::OperatingProfit, Item::PretaxProfit,
                      Item::AfterTaxProfit})
        itemRow(row++, item);
    return layout;
}

} // namespace kiv::values3
