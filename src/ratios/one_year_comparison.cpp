#include "ratios/one_year_comparison.h"

#include "industry/text_match.h"
#include "platform/db/database.h"
#include "shell/module1.h"
#include "numbers/numbers.h"

#include <vector>

namespace kiv::ratios {
namespace {

// What a row adds to the ratio as the entry window knows it: its long name, the stem of its
// quartile labels and the record's columns behind them. Note NPMQ3 in capitals and the
// operating-revenue columns spelled with two t.
struct RowData {
    values::Ratio ratio;
    const char16_t* name;
    const char16_t* stem;
    const char16_t* q1;
    const char16_t* q2;
    const char16_t* q3;
};

constexpr RowData kRows[kRowCount] = {
    {values::Ratio::Npm, u"NetProfitMargin", u"Npm", u"NpmQ1", u"NpmQ2", u"NPMQ3"},
    {values::Ratio::Ppm, u"PretaxProfitMargin", u"Ppm", u"PpmQ1", u"PpmQ2", u"PpmQ3"},
    {values::Ratio::Opm, u"OperatingProfitMargin", u"Opm", u"OpmQ1", u"OpmQ2", u"OpmQ3"},
    {values::Ratio::Gpm, u"GrossProfitMargin", u"Gpm", u"GpmQ1", u"GpmQ2", u"GpmQ3"},
    {values::Ratio::Ortnoa, u"OperatingRevenueToNetOperatingAssets", u"Ortnoa", u"OrttnoaQ1", u"OrttnoaQ2", u"OrttnoaQ3"},
    {values::Ratio::Rnoa, u"ReturnOnNetOperatingAssets", u"Rnoa", u"RnoaQ1", u"RnoaQ2", u"RnoaQ3"},
    {values::Ratio::Ppa, u"PretaxProfitToAssets", u"Ppa", u"PpaQ1", u"PpaQ2", u"PpaQ3"},
    {values::Ratio::Roce, u"ReturnOnCapitalEmployed", u"Rce", u"RceQ1", u"RceQ2", u"RceQ3"},
    {values::Ratio::Roe, u"ReturnOnEquity", u"Re", u"ReQ1", u"ReQ2", u"ReQ3"},
    {values::Ratio::Rt, u"ReceivableTurnover", u"Rt", u"RtQ1", u"RtQ2", u"RtQ3"},
    {values::Ratio::It, u"InventoryTurnover", u"It", u"ItQ1", u"ItQ2", u"ItQ3"},
    {values::Ratio::Wc, u"WorkingCapital", u"Wc", u"WcQ1", u"WcQ2", u"WcQ3"},
    {values::Ratio::De, u"DebtToEquity", u"De", u"DeQ1", u"DeQ2", u"DeQ3"},
    {values::Ratio::Lta, u"LiabilitiesToAssets", u"Lta", u"LtaQ1", u"LtaQ2", u"LtaQ3"},
    {values::Ratio::Ic, u"InterestCoverage", u"Ic", u"IcQ1", u"IcQ2", u"IcQ3"},
};

const std::array<ComparisonRow, kRowCount>& rows()
{
    static const std::array<ComparisonRow, kRowCount> table = [] {
        std::array<ComparisonRow, kRowCount> t;
        for (int i = 0; i < kRowCount; ++i) {
            const RowData& d = kRows[i];
            const values::RatioInfo& info = values::ratios()[static_cast<std::size_t>(d.ratio)];
            ComparisonRow& r = t[static_cast<std::size_t>(i)];
            r.ratio = QString::fromUtf16(d.name);
            r.code = QString::fromUtf16(info.code);
            r.stem = QString::fromUtf16(d.stem);
            r.nameId = info.nameId;
            r.group = info.group;
            r.rule = *oneYearRankRule(r.code);
            r.columns = {QString::fromUtf16(d.q1), QString::fromUtf16(d.q2), QString::fromUtf16(d.q3)};
        }
        return t;
    }();
    return table;
}

// The header columns of the record, in the order the window reads them.
const QString kIndustry = QStringLiteral("Industry");
const QString kSic = QStringLiteral("SIC");
const QString kNumberOfFirms = QStringLiteral("NumberOfFirms");

} // namespace

std::span<const ComparisonRow> comparisonRows()
{
    return rows();
}

QString groupLabel(values::RatioGroup group)
{
    switch (group) {
    case values::RatioGroup::Profitability: return QStringLiteral("lblProfitability");
    case values::RatioGroup::Efficiency: return QStringLiteral("lblEffeciency");
    case values::RatioGroup::LiquiditySolvency: return QStringLiteral("lblLiquidity");
    }
    return QString();
}

QStringList positionLabels()
{
    QStringList names;
    for (const ComparisonRow& r : rows())
        names << r.betterLabel() << r.worseLabel();
    return names;
}

QString shownIndustryCode(const QString& storedSic, int language)
{
    return industry::shownIndustryCode(storedSic, language);
}

// ---- the current industry -------------------------------------------------------------------

std::variant<IndustryContent, ContentProblem> readIndustry(const db::Snapshot* data, int language)
{
    ContentProblem problem;
    if (!data || data->EOF_())
        return problem;
    problem.kind = ContentProblem::Kind::UnusableColumns;

    RecordReader read(*data, problem);
    const auto text = [&](const QString& column) { return read.text(column); };
    const auto number = [&](const QString& column) { return read.number(column); };

    IndustryContent content;
    content.industryNumber = text(kIndustry);
    problem.industryNumber = content.industryNumber;
    content.code = shownIndustryCode(text(kSic), language);
    content.description = text(descriptionColumn(language));
    content.numberOfFirms = text(kNumberOfFirms);
    for (std::size_t i = 0; i < rows().size(); ++i) {
        const ComparisonRow& r = rows()[i];
        const double q1 = number(r.columns[0]);
        const double q2 = number(r.columns[1]);
        const double q3 = number(r.columns[2]);
        content.quartiles[i] = arrangeQuartiles(q1, q2, q3, lowerIsBetter(r.rule));
    }
    if (!read.usable())
        return problem;
    return content;
}

// ---- export ---------------------------------------------------------------------------------

exports::Layout exportLayout(int language)
{
    using exports::control;
    using exports::fixed;
    const bool english = language == 0;
    exports::Layout layout{
        {QStringLiteral("A1"), {control(QStringLiteral("lblMedium"))}, false, 0},
        {QStringLiteral("C1"), {control(QStringLiteral("lblRevenue"))}, false, 0},
        {QStringLiteral("A2"),
         {control(QStringLiteral("lblSice1")), fixed(QStringLiteral(": ")), control(QStringLiteral("lblSice")),
          fixed(QStringLiteral(" - ")), control(QStringLiteral("lblIndustryDescription"))},
         false, 0},
        {QStringLiteral("D4"), {control(QStringLiteral("Label1"))}, false, 248},
        {QStringLiteral("E4"), {control(QStringLiteral("Label1"))}, false, 248},
        {QStringLiteral("B5"), {fixed(english ? QStringLiteral("Your Ratios") : QStringLiteral("Vos Ratios"))}, false, 0},
        {QStringLiteral("C5"),
         {fixed(english ? QStringLiteral("Industry median ratios") : QStringLiteral("Ratios médiane de l'industrie"))}, false, 0},
        {QStringLiteral("D5"),
         {fixed(english ? QStringLiteral("Your firm is better than _% of the firms")
                        : QStringLiteral("Votre entreprise est meilleur que _% des entreprises"))},
         false, 0},
        {QStringLiteral("E5"),
         {fixed(english ? QStringLiteral("Your firm is worse than _% of the firms")
                        : QStringLiteral("Votre entreprise est pire que _% des entreprises"))},
         false, 0},
        {QStringLiteral("A6"), {control(QStringLiteral("lblNumber")), fixed(QStringLiteral(": ")), control(QStringLiteral("lblNumberOfFirms"))},
         false, 70},
        {QStringLiteral("A8"), {control(groupLabel(values::RatioGroup::Profitability))}, false, 104},
    };
    int row = 9;
    values::RatioGroup group = values::RatioGroup::Profitability;
    for (const ComparisonRow& r : rows()) {
        if (r.group != group) {
            // A group head stands in column A, one empty row above it.
            group = r.group;
            ++row;
            layout.push_back({QStringLiteral("A%1").arg(row), {control(groupLabel(group))}, false, values::groupNameId(group)});
            ++row;
        }
        const QString n = QString::number(row);
        layout.push_back({u'A' + n, {control(r.nameLabel())}, false, r.nameId});
        layout.push_back({u'B' + n, {control(r.firmLabel())}, true, 0});
        layout.push_back({u'C' + n, {control(r.medianLabel())}, true, 0});
        layout.push_back({u'D' + n, {control(r.betterLabel())}, true, 0});
        layout.push_back({u'E' + n, {control(r.worseLabel())}, true, 0});
        ++row;
    }
    return layout;
}

// ---- printout -------------------------------------------------------------------------------

namespace {

// The columns of the ratio rows: the firm's ratio, the median, better and worse.
constexpr int kFirmColumn = 55;
constexpr int kMedianColumn = 75;
constexpr int kBetterColumn = 104;
constexpr int kWorseColumn = 125;

struct Head {
    int column;
    const char16_t* text;
};
using HeadLine = std::vector<Head>;

// The three lines of column heads, English and French; four of the texts end with a blank.
const std::array<HeadLine, 3> kEnglishHeads{{
    {{52, u"Your"}, {69, u"Industry"}, {93, u"Your firm is "}, {113, u"Your firm is "}},
    {{51, u"Ratios"}, {70, u"median"}, {92, u"better than _% "}, {112, u"worse than _%"}},
    {{70, u"ratios"}, {93, u"of the firms"}, {113, u"of the firms"}},
}};
const std::array<HeadLine, 3> kFrenchHeads{{
    {{52, u"Vos"}, {70, u"Ratios"}, {90, u"Votre entreprise "}, {112, u"Votre entreprise "}},
    {{51, u"Ratios"}, {68, u"médiane de"}, {89, u"est meilleur que _% "}, {112, u"est pire que _%"}},
    {{68, u"l'industrie"}, {90, u"des entreprises"}, {112, u"des entreprises"}},
}};

} // namespace

PrintDocument comparisonPrintout(const std::function<QString(const QString& label)>& caption, int language)
{
    const bool english = language == 0;
    auto c = [&](const char16_t* label) { return PrintItem(caption(QString::fromUtf16(label))); };

    PrintDocument doc(english ? QStringLiteral("Ratio comparison") : QStringLiteral("Comparaison des ratios"));
    doc.setFontName(QStringLiteral("Times New Roman"));
    doc.setFontSize(10);
    doc.setItalic(false);
    doc.setBold(true);

    // The industry header.
    doc.print({c(u"lblIndustryNum"), Spc(1), c(u"lblIndustryNumber"), Tab(65), c(u"lblRevenue")});
    doc.blankLine();
    doc.print({c(u"lblIndustryDescription")});
    doc.blankLine();
    doc.print({c(u"lblSice1"), Tab(15), c(u"lblSice")});
    doc.blankLine(4);

    // The title, alone at the right of its line: the first column head goes to the next line.
    doc.setItalic(true);
    doc.printOpen({Tab(102), c(u"Label1")});
    doc.setItalic(false);
    for (const HeadLine& line : english ? kEnglishHeads : kFrenchHeads) {
        std::vector<PrintItem> items;
        for (const Head& h : line) {
            items.push_back(Tab(h.column));
            items.push_back(QString::fromUtf16(h.text));
        }
        doc.print(std::move(items));
    }
    doc.blankLine();

    doc.setBold(false);
    doc.print({c(u"lblNumber"), Tab(kMedianColumn), c(u"lblNumberOfFirms")});
    doc.blankLine();

    const auto& all = rows();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const ComparisonRow& r = all[i];
        if (i == 0 || all[i - 1].group != r.group) {
            doc.setBold(true);
            doc.setItalic(true);
            doc.setFontSize(12);
            doc.print({caption(groupLabel(r.group))});
            doc.setBold(false);
            doc.setItalic(false);
            doc.setFontSize(10);
        }
        doc.print({caption(r.nameLabel()), Tab(kFirmColumn), caption(r.firmLabel()), Tab(kMedianColumn), caption(r.medianLabel()),
                   Tab(kBetterColumn), caption(r.betterLabel()), Tab(kWorseColumn), caption(r.worseLabel())});
        const bool last = i + 1 == all.size();
        if (!last)
            doc.blankLine();
        if (!last && all[i + 1].group != r.group)
            doc.blankLine();
    }
    return doc;
}

} // namespace kiv::ratios
