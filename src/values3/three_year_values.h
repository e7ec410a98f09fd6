#pragma once
// The firm's three-year figures: nine amounts for each of three fiscal years, all typed, held
// as the texts of the 27 entry boxes of the three-year entry window. This file knows the items
// and years, the entry rule of an amount, the balance test and the six ratios of each year; the
// window only moves texts between its controls and these functions.
#include "values/figure_store.h"
#include "numbers/numbers.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace kiv::values3 {

// The nine items, top to bottom on the window.
enum class Item : int {
    TotalAssets, TotalLiabilities, ShareholdersEquity, OperatingRevenue, Sales, GrossProfit,
    OperatingProfit, PretaxProfit, AfterTaxProfit,
};
inline constexpr int kItemCount = 9;

// The three year columns, left to right: Year3 (1999), Year2 (1998), Year1 (1997).
enum class Year : int { Year3, Year2, Year1 };
inline constexpr int kYearCount = 3;

// The 27 amounts, Year3 column first, each column top to bottom: the order of the edition
// menu's Start, of Clear, of the Enter chain and of the saved figures' columns.
inline constexpr int kAmountCount = kItemCount * kYearCount;
using Texts = std::array<QString, kAmountCount>;
using Amounts = std::array<num::Units, kAmountCount>;

inline constexpr int amountIndex(Year year, Item item)
{
    return static_cast<int>(year) * kItemCount + static_cast<int>(item);
}
inline constexpr Year yearOf(int index)
{
    return static_cast<Year>(index / kItemCount);
}
inline constexpr Item itemOf(int index)
{
    return static_cast<Item>(index % kItemCount);
}

QString itemStem(Item item);        // "Ta", "Tliab", "Equity1", ...
int yearNumber(Year year);          // 3, 2, 1: the digit that ends the box names
QString yearCaption(Year year);     // "1999", "1998", "1997"
QString yearLabel(Year year);       // the year's caption label: Label1, Label2, Label5
QString boxName(Year year, Item item);    // "txtTaYear3"
QString columnName(Year year, Item item); // "TaYear3", the saved-figure column of the box
QString captionLabel(Item item);    // "Label3", "lblLiabilities", ...
int captionId(Item item);           // the caption's string-table id (English; French is +1)
QStringList boxNames();             // the 27, in amount order
QStringList columnNames();          // the 27 saved-figure columns, in amount order

// The item and year of an amount in the user's words: "Total assets, 1999" (the caption as the
// string table gives it, without its trailing blank).
QString amountDescription(int index, int language);

// ---- entry rule -----------------------------------------------------------------------------

// A typed amount in the form the box keeps: accepted when the whole text, blanks aside, is one
// number within the amount range, rounded to the nearest ten-thousandth (halves to even) and
// written in the normalised form ("1234.5", "-12", "0"); nothing when refused.
std::optional<QString> acceptedAmountText(QStringView typed);
// The message for a refused text: "Please enter a number" / "SVP ecrit le numéro ici" for a text
// that is no number, or that the amount is too large, with the largest amount accepted.
QString amountRefusal(num::AmountRefusal refusal, int language);

// The control that Enter in the box of amount `index` leads to: the next box of the chain, down
// the 1999 column, then 1998, then 1997, and "cmdView" after the last.
QString enterSuccessor(int index);

// The window's tab order, by object name: the 1999 column, the compare button, the 1998 column,
// the 1997 column (operating revenue before equity there), then the buttons.
QStringList tabOrder();

// ---- compare button -------------------------------------------------------------------------

// The amounts the compare button reads: every box but the three operating-profit boxes.
bool isRatioOperand(Item item);
// The exact amounts of the texts, when every operand reads as an amount; otherwise the index of
// the first operand (in amount order) whose text does not, and why. Operating profit, which no
// ratio reads, counts as 0 when its text is not an amount.
struct ReadFigures {
    std::optional<Amounts> amounts;
    int unreadable = -1;
    num::AmountRefusal refusal = num::AmountRefusal::NotANumber;
};
ReadFigures readFigures(const Texts& texts);
// The message when an operand does not read as an amount, naming the amount's item and year:
// the refusal followed by them for a text that is no number, the amount named as too large for a
// number beyond the range.
QString unreadableMessage(int index, num::AmountRefusal refusal, int language);

// Balance test of one year: total liabilities plus equity, added exactly, against total assets,
// each rounded to single precision.
bool yearBalances(const Amounts& amounts, Year year);
// The first year that does not balance, in the order Year3, Year2, Year1.
std::optional<Year> firstUnbalancedYear(const Amounts& amounts);
// "Total Assets is not equal Total Liabilities and Shareholders' Equity in 1998", or French.
QString balanceMessage(Year year, int language);

// The six ratios of a year, in the order their labels are written.
enum class Ratio : int { NetProfitMargin, PretaxProfitMargin, GrossProfitMargin, PretaxProfitToAssets,
                         LiabilitiesToAssets, ReturnOnEquity };
inline constexpr int kRatioCount = 6;
inline constexpr int kRatioTextCount = kRatioCount * kYearCount;
using RatioTexts = std::array<QString, kRatioTextCount>;

// The hidden label of a ratio and year: lblNpm, lblNpm95, lblNpm94, ...
QString ratioLabel(Ratio ratio, Year year);
// The 18 labels, Year3's six first, then Year2's, then Year1's, each year in Ratio order.
QStringList ratioLabels();

// The 18 ratio texts in ratioLabels() order: numerator over denominator in double precision,
// times 100 but for liabilities to assets, in the form "###0.00"; "..." for every ratio of a
// group whose denominator is zero.
RatioTexts ratioTexts(const Amounts& amounts);

// ---- saved figures --------------------------------------------------------------------------

// The store of the saved three-year figures: "kiv_MyValue_v3.mdb", table MyValue_v3, one column
// per box named after it without "txt", in amount order, in the plain form.
const store::FigureStore& savedFigures();
// The 27 amounts in the user's words, in amount order (what the store's messages name).
QStringList amountDescriptions(int language);

} // namespace kiv::values3
