#include "values3/three_year_values.h"

#include "shell/module1.h"
#include "values/amount_refusal.h"

namespace kiv::values3 {
namespace {

struct ItemInfo {
    const char16_t* stem;
    const char16_t* caption;
    int captionId;
};

constexpr ItemInfo kItems[kItemCount] = {
    {u"Ta", u"Label3", 168},
    {u"Tliab", u"lblLiabilities", 190},
    {u"Equity1", u"lblEquity", 198},
    {u"OperatingRevenue", u"lblOperatingRevenue1", 254},
    {u"Sales", u"lblRevenue6", 256},
    {u"GrossProfit", u"lblGrossProfit", 258},
    {u"OperatingProfit", u"lblOperatingProfit", 260},
    {u"PretaxProfit", u"lblPretaxProfit", 264},
    {u"AfterTaxProfit", u"lblAftertaxProfit", 266},
};

const ItemInfo& info(Item item)
{
    return kItems[static_cast<int>(item)];
}

constexpr Year kYears[kYearCount] = {Year::Year3, Year::Year2, Year::Year1};

bool english(int language)
{
    return language == 0;
}

// The ratios of one year: numerator, denominator, whether a percentage, label stem.
struct RatioInfo {
    Item numerator;
    Item denominator;
    bool percent;
    const char16_t* label;
};

constexpr RatioInfo kRatios[kRatioCount] = {
    {Item::AfterTaxProfit, Item::OperatingRevenue, true, u"lblNpm"},
    {Item::PretaxProfit, Item::OperatingRevenue, true, u"lblPpm"},
    {Item::GrossProfit, Item::Sales, true, u"lblGpm"},
    {Item::PretaxProfit, Item::TotalAssets, true, u"lblPpa"},
    {Item::TotalLiabilities, Item::TotalAssets, false, u"lblLta"},
    {Item::AfterTaxProfit, Item::ShareholdersEquity, true, u"lblRoe"},
};

} // namespace

QString itemStem(Item item)
{
    return QString::fromUtf16(info(item).stem);
}

int yearNumber(Year year)
{
    return 3 - static_cast<int>(year);
}

QString yearCaption(Year year)
{
    return QString::number(1996 + yearNumber(year));
}

QString yearLabel(Year year)
{
    switch (year) {
    case Year::Year3:
        return QStringLiteral("Label1");
    case Year::Year2:
        return QStringLiteral("Label2");
    case Year::Year1:
        break;
    }
    return QStringLiteral("Label5");
}

QString boxName(Year year, Item item)
{
    return QStringLiteral("txt") + columnName(year, item);
}

QString columnName(Year year, Item item)
{
    return itemStem(item) + QStringLiteral("Year") + QString::number(yearNumber(year));
}

QString captionLabel(Item item)
{
    return QString::fromUtf16(info(item).caption);
}

int captionId(Item item)
{
    return info(item).captionId;
}

QStringList boxNames()
{
    QStringList names;
    for (int i = 0; i < kAmountCount; ++i)
        names << boxName(yearOf(i), itemOf(i));
    return names;
}

QStringList columnNames()
{
    QStringList names;
    for (int i = 0; i < kAmountCount; ++i)
        names << columnName(yearOf(i), itemOf(i));
    return names;
}

QString amountDescription(int index, int language)
{
    const QString caption = LoadResString(captionId(itemOf(index)) + (english(language) ? 0 : 1)).trimmed();
    return caption + QStringLiteral(", ") + yearCaption(yearOf(index));
}

// ---- entry rule -----------------------------------------------------------------------------

std::optional<QString> acceptedAmountText(QStringView typed)
{
    const std::optional<num::Units> units = num::acceptedAmount(typed);
    if (!units)
        return std::nullopt;
    return num::normalisedForm(*units);
}

QString amountRefusal(num::AmountRefusal refusal, int language)
{
    if (refusal != num::AmountRefusal::NotANumber)
        return values::beyondRangeMessage(refusal, language);
    return english(language) ? QStringLiteral("Please enter a number") : QStringLiteral("SVP ecrit le numéro ici");
}

QString enterSuccessor(int index)
{
    if (index + 1 >= kAmountCount)
        return QStringLiteral("cmdView");
    return boxName(yearOf(index + 1), itemOf(index + 1));
}

QStringList tabOrder()
{
    QStringList order;
    for (int i = 0; i < kItemCount; ++i)
        order << boxName(Year::Year3, static_cast<Item>(i));
    order << QStringLiteral("cmdView");
    for (int i = 0; i < kItemCount; ++i)
        order << boxName(Year::Year2, static_cast<Item>(i));
    for (Item item : {Item::TotalAssets, Item::TotalLiabilities, Item::OperatingRevenue, Item::ShareholdersEquity,
                      Item::Sales, Item::GrossProfit, Item::OperatingProfit, Item::PretaxProfit, Item::AfterTaxProfit})
        order << boxName(Year::Year1, item);
    order << QStringLiteral("cmdPrint") << QStringLiteral("cmdQuit") << QStringLiteral("cmdReturn")
          << QStringLiteral("cmdClear") << QStringLiteral("CmdHelp") << QStringLiteral("CmdFontSize")
          << QStringLiteral("cmdExport") << QStringLiteral("cmdSave") << QStringLiteral("cmdRestore");
    return order;
}

// ---- compare button -------------------------------------------------------------------------

bool isRatioOperand(Item item)
{
    return item != Item::OperatingProfit;
}

ReadFigures readFigures(const Texts& texts)
{
    Amounts amounts{};
    for (int i = 0; i < kAmountCount; ++i) {
        const num::TypedAmount typed = num::typedAmount(texts[static_cast<std::size_t>(i)]);
        if (typed.units)
            amounts[static_cast<std::size_t>(i)] = *typed.units;
        else if (isRatioOperand(itemOf(i)))
            return {std::nullopt, i, typed.refusal};
    }
    return {amounts, -1};
}

QString unreadableMessage(int index, num::AmountRefusal refusal, int language)
{
    if (refusal != num::AmountRefusal::NotANumber)
        return values::beyondRangeMessage(refusal, language, amountDescription(index, language));
    return amountRefusal(refusal, language) + QStringLiteral(" (") + amountDescription(index, language) + QLatin1Char(')');
}

bool yearBalances(const Amounts& amounts, Year year)
{
    const auto at = [&](Item item) { return amounts[static_cast<std::size_t>(amountIndex(year, item))]; };
    const num::ExactSum liabilitiesAndEquity = num::ExactSum(at(Item::TotalLiabilities)) + num::ExactSum(at(Item::ShareholdersEquity));
    return liabilitiesAndEquity.toSingle() == num::unitsToSingle(at(Item::TotalAssets));
}

std::optional<Year> firstUnbalancedYear(const Amounts& amounts)
{
    for (Year year : kYears)
        if (!yearBalances(amounts, year))
            return year;
    return std::nullopt;
}

QString balanceMessage(Year year, int language)
{
    const QString text = english(language)
        ? QStringLiteral("Total Assets is not equal Total Liabilities and Shareholders' Equity in")
        : QStringLiteral("Total, Actifs n'égal pas le Total, Passifs et Capitaux Propres en");
    return text + QLatin1Char(' ') + yearCaption(year);
}

QString ratioLabel(Ratio ratio, Year year)
{
    static const char16_t* const suffix[kYearCount] = {u"", u"95", u"94"};
    return QString::fromUtf16(kRatios[static_cast<int>(ratio)].label) + QString::fromUtf16(suffix[static_cast<int>(year)]);
}

QStringList ratioLabels()
{
    QStringList labels;
    for (Year year : kYears)
        for (int r = 0; r < kRatioCount; ++r)
            labels << ratioLabel(static_cast<Ratio>(r), year);
    return labels;
}

RatioTexts ratioTexts(const Amounts& amounts)
{
    RatioTexts texts;
    for (Year year : kYears)
        for (int r = 0; r < kRatioCount; ++r) {
            const RatioInfo& ratio = kRatios[r];
            const num::Units denominator = amounts[static_cast<std::size_t>(amountIndex(year, ratio.denominator))];
            QString& text = texts[static_cast<std::size_t>(static_cast<int>(year) * kRatioCount + r)];
            if (denominator == 0) {
                text = num::noValue();
                continue;
            }
            const num::Units numerator = amounts[static_cast<std::size_t>(amountIndex(year, ratio.numerator))];
            double value = num::unitsToDouble(numerator) / num::unitsToDouble(denominator);
            if (ratio.percent)
                value *= 100;
            text = num::ratioForm(value);
        }
    return texts;
}

const store::FigureStore& savedFigures()
{
    static const store::FigureStore store = [] {
        store::FigureStore s;
        s.fileName = QStringLiteral("kiv_MyValue_v3.mdb");
        s.table = QStringLiteral("MyValue_v3");
        for (const QString& name : columnNames())
            s.columns.push_back({name, store::TextForm::Plain});
        return s;
    }();
    return store;
}

QStringList amountDescriptions(int language)
{
    QStringList names;
    for (int i = 0; i < kAmountCount; ++i)
        names << amountDescription(i, language);
    return names;
}

} // namespace kiv::values3
