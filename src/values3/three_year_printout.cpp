#include "values3/three_year_printout.h"

namespace kiv::values3 {
namespace {

constexpr int kTitleColumn = 42;
constexpr int kHeadingColumn = 5;
constexpr int kYearColumns[kYearCount] = {57, 77, 97};
constexpr int kAmountColumns[kYearCount] = {58, 79, 99};

void setEmphasis(PrintDocument& doc, bool on)
{
    doc.setBold(on);
    doc.setItalic(on);
}

} // namespace

PrintDocument statementPrintout(const std::function<QString(const QString& label)>& caption, const Texts& texts,
                                int language)
{
    const bool english = language == 0;
    const auto amounts = [&](Item item) {
        std::vector<PrintItem> items;
        for (int y = 0; y < kYearCount; ++y) {
            items.push_back(Tab(kAmountColumns[y]));
            items.push_back(texts[static_cast<std::size_t>(amountIndex(static_cast<Year>(y), item))]);
        }
        return items;
    };
    const auto valueRow = [&](PrintDocument& doc, Item item) {
        std::vector<PrintItem> items{caption(captionLabel(item))};
        for (PrintItem& amount : amounts(item))
            items.push_back(std::move(amount));
        doc.print(std::move(items));
    };
    const auto withAmounts = [&](const QString& text, Item item) {
        std::vector<PrintItem> items{text};
        for (PrintItem& amount : amounts(item))
            items.push_back(std::move(amount));
        return items;
    };

    PrintDocument doc(english ? QStringLiteral("Three-year company values") : QStringLiteral("Valeurs de l'entreprise sur trois ans"));
    doc.blankLine(4);
    setEmphasis(doc, true);
    doc.setFontSize(12);
    doc.setFontName(QStringLiteral("Times New Roman"));
    doc.print({Tab(kTitleColumn), english ? QStringLiteral("Your Company Values") : QStringLiteral("Valeurs de Votre Entreprise")});
    doc.blankLine(6);
    doc.print({Tab(kHeadingColumn), caption(QStringLiteral("Label15")),
               Tab(kYearColumns[0]), caption(yearLabel(Year::Year3)),
               Tab(kYearColumns[1]), caption(yearLabel(Year::Year2)),
               Tab(kYearColumns[2]), caption(yearLabel(Year::Year1))});
    doc.blankLine(2);
    setEmphasis(doc, false);
    valueRow(doc, Item::TotalAssets);
    setEmphasis(doc, true);
    doc.blankLine(2);
    doc.print({Tab(kHeadingColumn), caption(QStringLiteral("Label16"))});
    doc.blankLine(2);
    setEmphasis(doc, false);
    valueRow(doc, Item::TotalLiabilities);
    doc.blankLine();
    valueRow(doc, Item::ShareholdersEquity);
    doc.blankLine(3);
    setEmphasis(doc, true);
    doc.print({Tab(kHeadingColumn), caption(QStringLiteral("Label4"))});
    doc.blankLine(3);
    setEmphasis(doc, false);
    valueRow(doc, Item::OperatingRevenue);
    doc.blankLine();
    valueRow(doc, Item::Sales);
    doc.blankLine();
    if (english) {
        doc.print({QStringLiteral("Annual gross profit (sales of goods")});
        doc.print(withAmounts(QStringLiteral("less cost of goods sold)"), Item::GrossProfit));
    } else {
        doc.print(withAmounts(QStringLiteral("Bénéfice brut annuel(ventes de biens"), Item::GrossProfit));
        doc.print({QStringLiteral("moins coûts des ventes)")});
    }
    doc.blankLine();
    valueRow(doc, Item::OperatingProfit);
    doc.blankLine();
    valueRow(doc, Item::PretaxProfit);
    doc.blankLine();
    valueRow(doc, Item::AfterTaxProfit);
    return doc;
}

} // namespace kiv::values3
