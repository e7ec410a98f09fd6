#pragma once
// The program's numbers as text: reading a text with the leading-number parse, the exact
// amounts the statements are made of (ten-thousandths), and the text forms the windows show.
// Every number the program shows or reads back goes through here: the decimal separator is
// always the period, whatever the user's regional settings, and nothing here depends on them.
#include <QString>
#include <QStringView>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace kiv::num {

// ---- reading ------------------------------------------------------------------------------

// What the leading-number parse read at the start of a text.
//
// Blanks, tabs and line feeds are ignored wherever they stand. The number is an optional sign,
// digits with at most one period as decimal point and an optional exponent (E or D in either
// case, an optional sign, digits), or a radix prefix &H (hexadecimal) or &O (octal) followed by
// its digits. The parse stops at the first character that cannot continue the number; a text
// that does not begin with a number reads as 0. There is no thousands separator, currency sign
// or decimal comma: "1,234" reads as 1.
struct LeadingNumber {
    double value = 0;         // nearest double; +-inf beyond the double range
    bool hasDigits = false;   // the number had at least one digit
    bool readsFully = false;  // the whole text, blanks aside, is this one number
    // The exact value: (negative ? -1 : 1) x digits x 10^exponent. digits has no leading or
    // trailing zeros and is empty for zero.
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;
};

LeadingNumber readLeadingNumber(QStringView text);
// The value of the leading-number parse.
double leadingNumber(QStringView text);
// True when the whole text, blanks, tabs and line feeds aside, is one number: "12", " -3.5 ",
// "1e3", "1 000", "&HFF". False for "", "1,234", "$50", "2,5", "12abc", "1e", "-".
bool readsFully(QStringView text);

// ---- single precision ---------------------------------------------------------------------

// Nearest single-precision value (halves to even); beyond the single range, +-infinity.
inline float toSingle(double v)
{
    // A value at or beyond half a unit above the largest single rounds to infinity; a plain
    // conversion of a value outside the range would be undefined.
    constexpr double kLargest = static_cast<double>(std::numeric_limits<float>::max());
    constexpr double kOverflow = kLargest + 0x1p103;
    if (v >= kOverflow)
        return std::numeric_limits<float>::infinity();
    if (v <= -kOverflow)
        return -std::numeric_limits<float>::infinity();
    if (v > kLargest)
        return std::numeric_limits<float>::max();
    if (v < -kLargest)
        return -std::numeric_limits<float>::max();
    return static_cast<float>(v);
}

// ---- exact amounts ------------------------------------------------------------------------

// An amount in ten-thousandths: a signed 64-bit count, from -2^63 to 2^63 - 1 ten-thousandths,
// about +-9.22e14.
using Units = std::int64_t;
inline constexpr Units kUnitsPerOne = 10000;
// The largest and the smallest amount: 922337203685477.5807 and -922337203685477.5808.
inline constexpr Units kLargestAmount = std::numeric_limits<Units>::max();
inline constexpr Units kSmallestAmount = std::numeric_limits<Units>::min();

// The exact value of a reading rounded to the nearest ten-thousandth, an exact half to the even
// neighbour (from the decimal digits, never through a binary double): "0.00025" gives 2 units.
// Empty beyond the range of Units.
std::optional<Units> toUnits(const LeadingNumber& reading);
// Any amount text read by the leading-number parse, as units; empty beyond the range.
std::optional<Units> amountUnits(QStringView text);
// A typed amount: the text must read fully as one number within the range.
std::optional<Units> acceptedAmount(QStringView text);

// Why a text is no amount.
enum class AmountRefusal {
    NotANumber,    // it does not read fully as one number
    AboveLargest,  // a number that rounds above the largest amount
    BelowSmallest, // a number that rounds below the smallest amount
};
// A typed amount as acceptedAmount takes it, or why it is refused.
struct TypedAmount {
    std::optional<Units> units;                        // the amount, when accepted
    AmountRefusal refusal = AmountRefusal::NotANumber; // why not, when refused
};
TypedAmount typedAmount(QStringView text);
// The side of the range a reading beyond it lies on.
inline AmountRefusal beyondRange(const LeadingNumber& reading)
{
    return reading.negative ? AmountRefusal::BelowSmallest : AmountRefusal::AboveLargest;
}

double unitsToDouble(Units units);
float unitsToSingle(Units units);

// A sum or difference of amounts, exact. It is wide enough (128 bits) that no sum of amounts can
// overflow; the operations still check and throw std::overflow_error if one ever did.
class ExactSum {
public:
    ExactSum() = default;
    ExactSum(Units units) : v_(units) {} // NOLINT: an amount is a sum of one term
    ExactSum& operator+=(ExactSum other);
    ExactSum& operator-=(ExactSum other);
    friend ExactSum operator+(ExactSum a, ExactSum b) { return a += b; }
    friend ExactSum operator-(ExactSum a, ExactSum b) { return a -= b; }
    friend bool operator==(ExactSum a, ExactSum b) { return a.v_ == b.v_; }

    bool isZero() const { return v_ == 0; }
    // The sum as units, when it fits.
    std::optional<Units> units() const;
    // Nearest double and nearest single-precision value of the exact sum (one rounding each).
    double toDouble() const;
    float toSingle() const;
    // The exact value in plain decimal digits: "-12.5", "0", "1500".
    QString toString() const;

private:
    __int128 v_ = 0;
};

// ---- text forms ---------------------------------------------------------------------------

// The amount in plain digits: a minus sign when negative, the integer part without grouping or
// leading zeros ("0" when zero), a period and one to four decimals only when there is a
// fraction. Zero is "0", never "-0": 1234.5, -12, 0, 0.5.
QString normalisedForm(Units units);
// The one-year window's entry form: the plain form with a leading blank when the amount is zero
// or positive: " 1500", " 2.5", "-300", " 0".
QString entryForm(Units units);

// Single-precision general format: at most seven significant digits, no trailing zeros, no
// leading blank, a minus sign when negative; exponent notation (mantissa, E, sign, at least two
// digits) when the decimal exponent of the rounded value is 7 or more or below -4:
// 1500, 0.0001, 1.234568E+07, 1E-05. Zero is "0"; a value that is not finite gives "...".
QString totalForm(float value);

// The pattern "###0.00": no grouping, at least one digit before the period, exactly two after
// it, a leading minus sign when negative: 0.00, 12.50, -0.50, 250.00. The value is rounded as a
// person reads it: its decimal form at its own precision (seven significant digits for a
// single-precision value, fifteen for a double), then to two decimals, each step taking an exact
// half away from zero: 2.675 gives 2.68 in either precision, although neither holds 2.675
// exactly, the single 12345.125 gives 12345.13 (12345.13 at seven digits), and the single
// 131072.015625 gives 131072.00. A value that rounds to zero has no sign; a value that is not
// finite gives "...". Pass the value in the precision it was computed or stored in.
QString ratioForm(float value);
QString ratioForm(double value);

// The placeholder of a value that cannot be computed or is missing.
inline QString noValue()
{
    return QStringLiteral("...");
}

// A whole number written with one leading blank when not negative (" 10", "-3").
QString blankSigned(std::int64_t value);

} // namespace kiv::num
