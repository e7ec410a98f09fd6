#include "balancesheet/balance_sheet_structure.h"

#include "platform/db/database.h"
#include "numbers/numbers.h"

#include <cmath>

namespace kiv::balancesheet {

namespace {

constexpr Divisor kAssets = Divisor::TotalAssets;
constexpr Divisor kEquity = Divisor::TotalLiabilitiesAndEquity;
constexpr Block kLeft = Block::Left;
constexpr Block kRight = Block::Right;

constexpr std::array<StructureRow, kRowCount> kRows = {{
    {u"Cash", u"lblCash", u"lblMyCash", u"lblCash1", u"lblCash2", u"txtCash", u"A11", 152, kAssets, kLeft, 2685, false},
    {u"AccountsReceivable", u"lblAccountsRec", u"lblMyAr", u"lblAccountReceivable", u"lblAr", u"txtAr", u"A12", 154, kAssets, kLeft, 2925, false},
    {u"Inventory", u"lblInventory", u"lblMyInv", u"lblInventory1", u"lblInv", u"txtInv", u"A13", 156, kAssets, kLeft, 3165, false},
    {u"CapitalAssets", u"lblCapitalAssets", u"lblMyCa", u"lblCapitalAssets1", u"lblCa", u"txtCA", u"A18", 158, kAssets, kLeft, 3405, false},
    {u"OtherAssets", u"lblOtherAssets", u"lblMyOa", u"lblOtherAssets1", u"lblOa", u"txtOA", u"A19", 160, kAssets, kLeft, 3645, false},
    {u"TotalOperatingAssets", u"lblTotalOperatingAssets", u"lblMyToa", u"lblTotalOperatingAssets1", u"lblToa", u"txtToa", u"TOTOA", 162,
     kAssets, kLeft, 4005, true},
    {u"InvestmentsWithAffiliates", u"lblInvestments", u"lblMyInvest", u"lblInvestments1", u"lblInvest", u"txtInvest", u"A14", 164, kAssets,
     kLeft, 4605, false},
    {u"PortfolioInvestments", u"lblPortfolio", u"lblMyPtfl", u"lblPortfolio1", u"lblPtfl", u"txtPtfl", u"A151617", 166, kAssets, kLeft, 5085,
     false},
    {u"TotalAssets", u"lblTotalAssets", u"lblMyTa", u"lblTotalAssets1", u"lblTa", u"txtTa", u"TOTASS", 168, kAssets, kLeft, 5565, true},
    {u"AccountsPayable", u"lblAccountsPayable", u"lblMyAccountsPayable", u"lblAccountsPayable1", u"lblAp", u"txtAccountsPayable", u"A22", 296,
     kEquity, kRight, 2685, false},
    {u"BankLoans", u"lblBanks", u"lblMyBank", u"lblBank1", u"lblBank", u"txtBanks", u"A25100", 174, kEquity, kRight, 2925, false},
    {u"ShortTermPaper", u"lblShort", u"lblMyPaper", u"lblShortTerm", u"lblPaper", u"txtPaper", u"A25200", 176, kEquity, kRight, 3165, false},
    {u"Mortgages", u"lblMortgages", u"lblMyMtg", u"lblMortgages1", u"lblMtg", u"txtMtg", u"A25500", 178, kEquity, kRight, 3405, false},
    {u"Bonds", u"lblBonds", u"lblMyBonds", u"lblBonds1", u"lblBond", u"txtBonds", u"A25400", 180, kEquity, kRight, 3645, false},
    {u"OtherLoans", u"lblOtherLoans", u"lblMyOl", u"lblOtherLoans1", u"lblOl", u"txtOl", u"A25180", 182, kEquity, kRight, 3885, false},
    {u"AmountsOwingToAffiliates", u"lblOwingToAffiliates", u"lblMyAmtsAffil", u"lblOwingToAffil", u"lblAffil", u"txtAmtsAffil", u"A24", 220,
     kEquity, kRight, 4125, false},
    {u"OtherLiabilities", u"lblOtherLiabilities", u"lblMyOliab", u"lblotherLiabilities1", u"lblOliab", u"txtOLiab", u"A2329", 186, kEquity,
     kRight, 4605, false},
    {u"DeferredTax", u"lblDeferred", u"lblMyDefTax", u"lblDeferred1", u"lblDefTax", u"txtDefTax", u"A27", 222, kEquity, kRight, 4845, false},
    {u"TotalLiabilities", u"lblTotalLiabilities", u"lblMyTliab", u"lblTotalLiabilities1", u"lblTliab", u"txtTliab", u"TOTLIAB", 190, kEquity,
     kRight, 5325, true},
    {u"ShareCapital", u"lblShareCapital", u"lblMyShareC", u"lblShare", u"lblShareC", u"txtShareC", u"A31", 192, kEquity, kRight, 5685, false},
    {u"RetainedEarnings", u"lblRetainedEarnings", u"lblMyRetEarn", u"lblRetained", u"lblRetEarn", u"txtRetEarn", u"A38", 194, kEquity, kRight,
     5925, false},
    {u"OtherSurplus", u"lblOtherSurplus", u"lblMyOtherSur", u"lblOtherSurplus1", u"lblOtherSur", u"txtOtherSur", u"A283334", 196, kEquity,
     kRight, 6165, false},
    {u"TotalLiabilitiesAndShareholdersEquity", u"lblTotalLiabilitiesAndShareholdersEquity", u"lblMyTotLiabShareEq", u"lblTotal2",
     u"lblTotLiabShareEq", u"txtTotLiabShareEq", u"TOTLSE", 200, kEquity, kRight, 6645, true},
    {u"CurrentAssets", u"lblCurrentAssets", u"lblMyCurrentAssets", u"lblCurrentAssets1", u"lblCurrentAssetsV", u"txtCurrentAssets", u"CURASS",
     212, kEquity, kLeft, 6045, false},
    {u"CurrentLiabilities", u"lblCurrentLiabilities", u"lblMyCurrentLiabilities", u"lblCurrentLiabilities1", u"lblCurrentLiabilitiesV",
     u"txtCurrentLiabilities", u"CURLIAB", 214, kEquity, kLeft, 6645, false},
}};

QString str(const char16_t* s)
{
    return QString::fromUtf16(s);
}

const QStringList kHeaderColumns = {QStringLiteral("Industry"), QStringLiteral("SIC"), QStringLiteral("IndustryDescriptionE"),
                                    QStringLiteral("IndustryDescriptionF")};

} // namespace

const std::array<StructureRow, kRowCount>& structureRows()
{
    return kRows;
}

QString firmPercentage(QStringView amount, QStringView total)
{
    const double t = num::leadingNumber(total);
    if (num::toSingle(t) == 0.0f)
        return num::ratioForm(0.0f);
    const double q = num::leadingNumber(amount) / t;
    const float p = num::toSingle(static_cast<double>(num::toSingle(q)) * 100.0);
    return num::ratioForm(p);
}

std::optional<QString> industryPercentage(const db::Value& stored)
{
    if (stored.isNull())
        return std::nullopt;
    if (stored.isText() && !fullNumber(stored.toText()))
        return std::nullopt;
    return stored.ratioText();
}

std::optional<double> fullNumber(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    for (QChar c : trimmed)
        if (c.isSpace())
            return std::nullopt;
    const num::LeadingNumber n = num::readLeadingNumber(trimmed);
    if (!n.readsFully || !std::isfinite(n.value))
        return std::nullopt;
    return n.value;
}

QString difference(QStringView firm, QStringView industry)
{
    const std::optional<double> a = fullNumber(firm);
    const std::optional<double> b = fullNumber(industry);
    if (!a || !b)
        return num::noValue();
    return num::ratioForm(*a - *b);
}

IndustryStructure readIndustry(const db::Snapshot* data, int language)
{
    IndustryStructure s;
    s.percentages.fill(num::noValue());
    if (!data || data->EOF_())
        return s;
    s.hasIndustry = true;
    const auto header = [&](const QString& column) {
        if (!data->hasColumn(column) || data->Field(column).isNull()) {
            s.missing << column;
            return QString();
        }
        return data->Field(column).toText();
    };
    s.industryNumber = header(kHeaderColumns[0]);
    s.code = header(kHeaderColumns[1]);
    s.description = header(language == 0 ? kHeaderColumns[2] : kHeaderColumns[3]);
    for (std::size_t r = 0; r < kRows.size(); ++r) {
        const QString column = str(kRows[r].column);
        std::optional<QString> shown;
        if (data->hasColumn(column))
            shown = industryPercentage(data->Field(column));
        if (shown)
            s.percentages[r] = *shown;
        else
            s.missing << column;
    }
    return s;
}

std::array<RowTexts, kRowCount> structureTexts(const std::array<QString, kRowCount>& amounts,
                                               const std::array<QString, kRowCount>& industry)
{
    std::array<RowTexts, kRowCount> texts;
    for (std::size_t r = 0; r < kRows.size(); ++r) {
        const QString& total = amounts[kRows[r].divisor == Divisor::TotalAssets ? kTotalAssetsRow : kTotalLiabilitiesAndEquityRow];
        texts[r].firm = firmPercentage(amounts[r], total);
        texts[r].industry = industry[r];
        texts[r].difference = difference(texts[r].firm, texts[r].industry);
    }
    return texts;
}

std::optional<QString> missingDataMessage(const IndustryStructure& industry, int language)
{
    const bool english = language == 0;
    if (!industry.hasIndustry)
        return english ? QStringLiteral("No industry is chosen, so its balance sheet structure cannot be shown beside yours. "
                                        "Please choose an industry in the main menu first.")
                       : QStringLiteral("Aucune industrie n'est choisie : la structure de son bilan ne peut pas être "
                                        "affichée à côté de la vôtre. Veuillez d'abord choisir une industrie au menu principal.");
    if (industry.missing.isEmpty())
        return std::nullopt;
    const QString columns = industry.missing.join(QStringLiteral(", "));
    // The industry by its number, when the record tells it.
    const bool numbered = !industry.industryNumber.isEmpty();
    const QString which = english ? (numbered ? QStringLiteral("industry ") + industry.industryNumber : QStringLiteral("this industry"))
                                  : (numbered ? QStringLiteral("l'industrie ") + industry.industryNumber
                                              : QStringLiteral("cette industrie"));
    return english ? QStringLiteral("This edition holds no value for %1 in %2. The percentages that cannot be shown read \"...\".")
                         .arg(which, columns)
                   : QStringLiteral("Cette édition ne contient aucune valeur pour %1 dans %2. Les pourcentages qui ne peuvent pas "
                                    "être affichés se lisent « ... ».")
                         .arg(which, columns);
}

// ---- export --------------------------------------------------------------------------------

exports::Layout exportLayout(int language)
{
    using exports::control;
    using exports::fixed;
    const bool english = language == 0;
    const auto caption = [](const QString& cell, const QString& label, int id) {
        return exports::LayoutCell{cell, {control(label)}, false, id};
    };
    const auto text = [](const QString& cell, const QString& t) { return exports::LayoutCell{cell, {fixed(t)}, false, 0}; };

    exports::Layout layout{
        caption(QStringLiteral("A1"), QStringLiteral("lblMedium"), 0),
        caption(QStringLiteral("E1"), QStringLiteral("lblRevenue"), 0),
        {QStringLiteral("A2"),
         {control(QStringLiteral("lblSice1")), fixed(QStringLiteral(": ")), control(QStringLiteral("lblSice")),
          fixed(QStringLiteral(" - ")), control(QStringLiteral("lblIndustryDescription"))},
         false, 0},
        caption(QStringLiteral("A4"), QStringLiteral("lblBalance"), 208),
    };
    const QString yours = english ? QStringLiteral("Your Ratios") : QStringLiteral("Vos Ratios");
    const QString industry = english ? QStringLiteral("Industry Ratios") : QStringLiteral("Ratios de l'industrie");
    const QString variance = english ? QStringLiteral("Variance") : QStringLiteral("Différence");
    layout.push_back(caption(QStringLiteral("A6"), QStringLiteral("lblAssets"), 150));
    layout.push_back(text(QStringLiteral("B6"), yours));
    layout.push_back(text(QStringLiteral("C6"), industry));
    layout.push_back(text(QStringLiteral("D6"), variance));
    layout.push_back(caption(QStringLiteral("E6"), QStringLiteral("Label3"), 216));
    layout.push_back(text(QStringLiteral("F6"), yours));
    layout.push_back(text(QStringLiteral("G6"), industry));
    layout.push_back(text(QStringLiteral("H6"), variance));

    // The sheet's rows 7 to 20: the asset block's row in columns A to D (none in rows 16 to 18),
    // the liability block's in E to H. Indices are rows of the window's table.
    constexpr int kNone = -1;
    constexpr int kAssetRows[14] = {0, 1, 2, 3, 4, 5, 6, 7, 8, kNone, kNone, kNone, 23, 24};
    const auto rowCells = [&](int sheetRow, int index, const char16_t* columns) {
        const StructureRow& r = kRows[static_cast<std::size_t>(index)];
        const QString row = QString::number(sheetRow);
        layout.push_back(caption(QChar(columns[0]) + row, str(r.caption), r.captionId));
        const char16_t* labels[3] = {r.firm, r.industry, r.difference};
        for (int c = 0; c < 3; ++c)
            layout.push_back({QChar(columns[c + 1]) + row, {control(str(labels[c]))}, true, 0});
    };
    for (int i = 0; i < 14; ++i) {
        if (kAssetRows[i] != kNone)
            rowCells(7 + i, kAssetRows[i], u"ABCD");
        rowCells(7 + i, 9 + i, u"EFGH");
    }
    return layout;
}

// ---- printout ------------------------------------------------------------------------------

namespace {

// The columns of a printed row: caption, firm, industry, variance.
struct PrintColumns {
    int caption, firm, industry, variance;
};
constexpr PrintColumns kAssetColumns{3, 41, 53, 65};
constexpr PrintColumns kAssetTotalColumns{8, 40, 52, 64};
constexpr PrintColumns kLiabilityColumns{81, 111, 123, 135};
constexpr PrintColumns kLiabilityTotalColumns{81, 107, 119, 132};

const PrintColumns& columnsOf(const StructureRow& r)
{
    if (r.block == Block::Left && r.divisor == Divisor::TotalAssets)
        return r.total ? kAssetTotalColumns : kAssetColumns;
    if (r.block == Block::Left)
        return kAssetColumns; // current assets and current liabilities
    return r.total ? kLiabilityTotalColumns : kLiabilityColumns;
}

// The captions printed on two lines instead of the window's caption, by row and language.
struct TwoLines {
    int row;
    bool english;
    const char16_t* first;
    const char16_t* second;
};
constexpr TwoLines kTwoLineCaptions[] = {
    {15, false, u"Comptes à payer ", u"à des sociétés affiliées"},
    {6, false, u"Placements auprès de", u"sociétés affiliées"},
    {23, false, u"Actifs à court terme-", u"% des actifs totaux"},
    {24, false, u"Passifs à court terme-", u"% des actifs totaux"},
    {22, true, u"Total liabilities and ", u"shareholders' equity"},
    {22, false, u"Total, passifs et", u"captiaux propres"},
};

} // namespace

PrintDocument structurePrintout(const std::function<QString(const QString& label)>& caption, int language)
{
    const bool english = language == 0;
    const auto label = [&](const char16_t* name) { return caption(str(name)); };
    PrintDocument doc(english ? QStringLiteral("Balance sheet comparison") : QStringLiteral("Comparaison du bilan"));

    const auto row = [&](int index) {
        const StructureRow& r = kRows[static_cast<std::size_t>(index)];
        const PrintColumns& c = columnsOf(r);
        std::vector<PrintItem> values{Tab(c.firm), label(r.firm), Tab(c.industry), label(r.industry), Tab(c.variance),
                                      label(r.difference)};
        for (const TwoLines& two : kTwoLineCaptions) {
            if (two.row == index && two.english == english) {
                doc.print({Tab(c.caption), str(two.first)});
                values.insert(values.begin(), {Tab(c.caption), str(two.second)});
                doc.print(std::move(values));
                return;
            }
        }
        values.insert(values.begin(), {Tab(c.caption), label(r.caption)});
        doc.print(std::move(values));
    };
    // Rows of the window's table, in the order they are printed, each after a blank line.
    const auto rowsAfterBlanks = [&](std::initializer_list<int> rows) {
        for (int index : rows) {
            doc.blankLine();
            row(index);
        }
    };

    doc.setFontName(QStringLiteral("Times New Roman"));
    doc.setFontSize(10);
    doc.setBold(true);
    doc.print({Tab(1), label(u"lblMedium"), Tab(65), label(u"lblRevenue")});
    doc.blankLine();
    doc.print({Tab(1), label(u"lblIndustry"), Tab(15), label(u"lblIndustryNumber"), QStringLiteral("---"), label(u"lblIndustryDescription")});
    doc.print({Tab(1), label(u"lblSice1"), Tab(15), label(u"lblSice")});
    doc.setItalic(false);
    doc.blankLine();
    doc.print({Tab(1), label(u"lblBalance")});
    doc.blankLine();
    if (english) {
        doc.print({Tab(38), u"Your", Tab(47), u"Industry", Tab(58), u"Variance", Tab(105), u"Your", Tab(114), u"Industry", Tab(125),
                   u"Variance"});
        doc.print({Tab(37), u"Ratios", Tab(48), u"Ratios", Tab(104), u"Ratios", Tab(115), u"Ratios"});
    } else {
        doc.print({Tab(38), u"Vos", Tab(47), u"Ratios de", Tab(58), u"Différence", Tab(105), u"Vos", Tab(114), u"Ratios de", Tab(125),
                   u"Différence"});
        doc.print({Tab(37), u"Ratios", Tab(46), u"l'industrie", Tab(104), u"Ratios", Tab(113), u"l'industrie"});
    }
    doc.print({Tab(1), label(u"lblAssets"), Tab(72), label(u"Label3")});
    doc.setBold(false);
    // Accounts payable, cash, banks, accounts receivable ... other loans: the two blocks side
    // by side, a liability row first.
    rowsAfterBlanks({9, 0, 10, 1, 11, 2, 12, 3, 13, 4, 14});
    doc.setBold(true);
    doc.setItalic(true);
    rowsAfterBlanks({5}); // total operating assets
    doc.setBold(false);
    doc.setItalic(false);
    row(15); // amounts owing to affiliates
    rowsAfterBlanks({6, 16, 7, 17});
    doc.setBold(true);
    doc.setItalic(true);
    row(8); // total assets
    rowsAfterBlanks({18}); // total liabilities
    doc.blankLine();
    doc.setBold(false);
    doc.setItalic(false);
    rowsAfterBlanks({19, 23, 20, 24, 21});
    doc.setBold(true);
    doc.setItalic(true);
    doc.blankLine();
    rowsAfterBlanks({22}); // total liabilities and shareholders' equity
    return doc;
}

} // namespace kiv::balancesheet
