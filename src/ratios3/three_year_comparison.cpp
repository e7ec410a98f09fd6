#include "ratios3/three_year_comparison.h"

#include "industry/text_match.h"
#include "platform/db/database.h"
#include "numbers/numbers.h"

namespace kiv::ratios3 {

namespace {

struct RatioNames {
    const char16_t* stem;         // the labels' stem: Npm
    const char16_t* quartileStem; // the quartile labels' stem: Npm, and Re for return on equity
    const char16_t* column;       // the record's column prefix: NPM
    const char16_t* nameLabel;    // lblNetProfitMargin
    int nameId;
};

constexpr RatioNames kRatios[kRatioCount] = {
    {u"Npm", u"Npm", u"NPM", u"lblNetProfitMargin", 106},
    {u"Ppm", u"Ppm", u"PPM", u"lblPretaxProfitMargin", 108},
    {u"Gpm", u"Gpm", u"GPM", u"lblGrossProfitMargin", 112},
    {u"Ppa", u"Ppa", u"PPA", u"lblPretaxProfitToAssets", 118},
    {u"Roe", u"Re", u"ROE", u"lblReturnOnEquity", 122},
    {u"Lta", u"Lta", u"LTA", u"lblLiabilitiesToAssets", 136},
};

// The ending of a year in label names (96, 95, 94) and in column names (3, 2, 1).
constexpr const char16_t* kLabelSuffix[kYearCount] = {u"96", u"95", u"94"};
constexpr const char16_t* kColumnYear[kYearCount] = {u"3", u"2", u"1"};
constexpr const char16_t* kYearText[kYearCount] = {u"1999", u"1998", u"1997"};

QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}

Cell makeCell(Ratio ratio, Year year)
{
    const RatioNames& r = kRatios[static_cast<int>(ratio)];
    const int y = static_cast<int>(year);
    const QString stem = s(r.stem);
    const QString suffix = s(kLabelSuffix[y]);
    const QString positionSuffix = year == Year::Year3 ? QString() : suffix;
    const QString quartile = QStringLiteral("lbl") + s(r.quartileStem) + QStringLiteral("Q");
    const auto column = [&](int q) { return s(r.column) + u'Q' + QString::number(q) + u'_' + s(kColumnYear[y]); };
    Cell c{ratio,
           year,
           ratio == Ratio::LiabilitiesToAssets ? ThreeYearRule::LowerIsBetter : ThreeYearRule::HigherIsBetter,
           QStringLiteral("lbl") + stem + positionSuffix,
           QStringLiteral("lblMy") + stem + suffix,
           quartile + u'3' + suffix,
           quartile + u'2' + suffix,
           quartile + u'1' + suffix,
           QStringLiteral("lbl") + stem + positionSuffix,
           QStringLiteral("lbl") + stem + u'1' + positionSuffix,
           QStringLiteral("Label") + QString::number(74 + static_cast<int>(ratio) * kYearCount + y),
           {column(1), column(2), column(3)}};
    // A few of the window's quartile labels are spelled with a small q.
    if ((ratio == Ratio::NetProfitMargin && year == Year::Year2) || (ratio == Ratio::GrossProfitMargin && year != Year::Year3))
        c.worseBoundary = QStringLiteral("lbl") + stem + QStringLiteral("q1") + suffix;
    if (ratio == Ratio::LiabilitiesToAssets && year == Year::Year1)
        c.betterBoundary = QStringLiteral("lblLtaq394");
    return c;
}

const std::array<Cell, kCellCount>& cellTable()
{
    static const std::array<Cell, kCellCount> table = [] {
        std::array<Cell, kCellCount> t;
        for (int r = 0; r < kRatioCount; ++r)
            for (int y = 0; y < kYearCount; ++y)
                t[static_cast<std::size_t>(r * kYearCount + y)] = makeCell(static_cast<Ratio>(r), static_cast<Year>(y));
        return t;
    }();
    return table;
}

} // namespace

const Cell& cell(Ratio ratio, Year year)
{
    return cellTable()[static_cast<std::size_t>(static_cast<int>(ratio) * kYearCount + static_cast<int>(year))];
}

std::array<const Cell*, kCellCount> cellsInWorkingOrder()
{
    std::array<const Cell*, kCellCount> order{};
    for (int y = 0; y < kYearCount; ++y)
        for (int r = 0; r < kRatioCount; ++r)
            order[static_cast<std::size_t>(y * kRatioCount + r)] = &cell(static_cast<Ratio>(r), static_cast<Year>(y));
    return order;
}

QString yearText(Year year)
{
    return s(kYearText[static_cast<int>(year)]);
}

QString ratioNameLabel(Ratio ratio)
{
    return s(kRatios[static_cast<int>(ratio)].nameLabel);
}

int ratioNameId(Ratio ratio)
{
    return kRatios[static_cast<int>(ratio)].nameId;
}

QStringList positionLabels()
{
    QStringList labels;
    for (const Cell* c : cellsInWorkingOrder())
        labels << c->better << c->worse;
    return labels;
}

// ---- the current industry -------------------------------------------------------------------

std::variant<IndustryContent, ContentProblem> readIndustry(const db::Snapshot* data, int language)
{
    ContentProblem problem;
    if (!data || data->EOF_())
        return problem;
    problem.kind = ContentProblem::Kind::UnusableColumns;

    ratios::RecordReader read(*data, problem);
    IndustryContent content;
    content.industryNumber = read.text(QStringLiteral("Industry"));
    problem.industryNumber = content.industryNumber;
    content.code = industry::shownIndustryCode(read.text(QStringLiteral("SIC")), language);
    content.description = read.text(ratios::descriptionColumn(language));
    const auto order = cellsInWorkingOrder();
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Cell& c = *order[i];
        const double q1 = read.number(c.columns[0]);
        const double q2 = read.number(c.columns[1]);
        const double q3 = read.number(c.columns[2]);
        content.quartiles[i] = arrangeQuartiles(q1, q2, q3, c.rule == ThreeYearRule::LowerIsBetter);
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
    const auto caption = [](const QString& name, const QString& label, int id) {
        return exports::LayoutCell{name, {control(label)}, false, id};
    };
    const auto text = [](const QString& name, const QString& t) { return exports::LayoutCell{name, {fixed(t)}, false, 0}; };

    exports::Layout layout{
        {QStringLiteral("A1"), {control(QStringLiteral("lblIndustryNum")), fixed(QStringLiteral(": ")), control(QStringLiteral("lblIndustryNumber"))}, false, 62},
        caption(QStringLiteral("D1"), QStringLiteral("lblRevenue"), 430),
        {QStringLiteral("A2"),
         {control(QStringLiteral("lblSice1")), fixed(QStringLiteral(": ")), control(QStringLiteral("lblSice")),
          fixed(QStringLiteral(" - ")), control(QStringLiteral("lblIndustryDescription"))},
         false, 50},
        caption(QStringLiteral("E4"), QStringLiteral("Label1"), 248),
        caption(QStringLiteral("F4"), QStringLiteral("Label1"), 248),
        text(QStringLiteral("C5"), english ? QStringLiteral("Your Ratios") : QStringLiteral("Vos Ratios")),
        text(QStringLiteral("D5"), english ? QStringLiteral("Industry median ratios") : QStringLiteral("Ratios médiane de l'industrie")),
        text(QStringLiteral("E5"), english ? QStringLiteral("Your firm is better than _% of the firms")
                                           : QStringLiteral("Votre entreprise est meilleur que _% des entreprises")),
        text(QStringLiteral("F5"), english ? QStringLiteral("Your firm is worse than _% of the firms")
                                           : QStringLiteral("Votre entreprise est pire que _% des entreprises")),
    };
    // Every block takes its years from the net profit margin rows.
    const QString years[kYearCount] = {QStringLiteral("Label74"), QStringLiteral("Label75"), QStringLiteral("Label76")};
    for (int r = 0; r < kRatioCount; ++r) {
        const Ratio ratio = static_cast<Ratio>(r);
        const int first = 6 + 4 * r;
        layout.push_back(caption(u'A' + QString::number(first), ratioNameLabel(ratio), ratioNameId(ratio)));
        for (int y = 0; y < kYearCount; ++y) {
            const Cell& c = cell(ratio, static_cast<Year>(y));
            const QString row = QString::number(first + y);
            layout.push_back({u'B' + row, {control(years[y])}, false, 0});
            for (const auto& [column, label] : {std::pair{u'C', c.firm}, std::pair{u'D', c.median}, std::pair{u'E', c.better},
                                                std::pair{u'F', c.worse}})
                layout.push_back({QChar(column) + row, {control(label)}, true, 0});
        }
    }
    return layout;
}

// ---- printout -------------------------------------------------------------------------------

PrintDocument comparisonPrintout(const std::function<QString(const QString& label)>& caption, int language)
{
    const bool english = language == 0;
    PrintDocument doc(english ? QStringLiteral("Three-year ratio comparison") : QStringLiteral("Comparaison des ratios sur trois ans"));
    doc.setFontName(QStringLiteral("Times New Roman"));
    doc.setFontSize(10);
    doc.setItalic(false);
    doc.setBold(true);
    doc.print({caption(QStringLiteral("lblIndustryNum")), QStringLiteral(" "), caption(QStringLiteral("lblIndustryNumber")), Tab(60),
               caption(QStringLiteral("lblRevenue"))});
    doc.blankLine();
    doc.print({caption(QStringLiteral("lblIndustryDescription"))});
    doc.blankLine();
    doc.print({caption(QStringLiteral("lblSice1")), Tab(15), caption(QStringLiteral("lblSice"))});
    doc.blankLine(3);
    doc.setBold(false);
    doc.setItalic(true);
    doc.printOpen({Tab(112), caption(QStringLiteral("Label1"))});
    doc.setItalic(false);
    if (english) {
        doc.print({Tab(62), QStringLiteral("Your"), Tab(79), QStringLiteral("Industry"), Tab(103), QStringLiteral("Your firm is "), Tab(123),
                   QStringLiteral("Your firm is ")});
        doc.print({Tab(61), QStringLiteral("Ratios"), Tab(80), QStringLiteral("median"), Tab(102), QStringLiteral("better than _% "), Tab(122),
                   QStringLiteral("worse than _%")});
        doc.print({Tab(80), QStringLiteral("ratios"), Tab(103), QStringLiteral("of the firms"), Tab(123), QStringLiteral("of the firms")});
    } else {
        doc.print({Tab(62), QStringLiteral("Vos"), Tab(80), QStringLiteral("Ratios"), Tab(99), QStringLiteral("Votre entreprise "), Tab(122),
                   QStringLiteral("Votre entreprise ")});
        doc.print({Tab(61), QStringLiteral("Ratios"), Tab(78), QStringLiteral("médiane de"), Tab(99), QStringLiteral("est meilleur que _% "),
                   Tab(122), QStringLiteral("est pire que _%")});
        doc.print({Tab(78), QStringLiteral("l'industrie"), Tab(100), QStringLiteral("des entreprises"), Tab(122),
                   QStringLiteral("des entreprises")});
    }
    doc.print({QString(184, u'_') + u' '});
    doc.blankLine();
    const QString years[kYearCount] = {QStringLiteral("Label74"), QStringLiteral("Label75"), QStringLiteral("Label76")};
    for (int r = 0; r < kRatioCount; ++r) {
        const Ratio ratio = static_cast<Ratio>(r);
        for (int y = 0; y < kYearCount; ++y) {
            const Cell& c = cell(ratio, static_cast<Year>(y));
            std::vector<PrintItem> items;
            if (y == 0)
                items.push_back(caption(ratioNameLabel(ratio)));
            for (PrintItem item : {Tab(49), PrintItem(caption(years[y])), Tab(62), PrintItem(caption(c.firm)), Tab(80),
                                   PrintItem(caption(c.median)), Tab(106), PrintItem(caption(c.better)), Tab(127),
                                   PrintItem(caption(c.worse))})
                items.push_back(std::move(item));
            doc.print(std::move(items));
        }
        doc.blankLine(2);
    }
    doc.blankLine(3);
    return doc;
}

} // namespace kiv::ratios3
