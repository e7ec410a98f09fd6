#include "numbers/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace kiv::num {
namespace {

using u128 = unsigned __int128;

constexpr std::int64_t kExponentLimit = std::int64_t(1) << 40; // far beyond any double

bool ignorable(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

int digitValue(QChar c, int radix)
{
    const char16_t u = c.unicode();
    int d = -1;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'f')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        d = u - u'A' + 10;
    return d >= 0 && d < radix ? d : -1;
}

std::string toDecimal(u128 v)
{
    if (v == 0)
        return std::string();
    std::string s;
    while (v != 0) {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    }
    return s;
}

// Drops leading zeros, and trailing zeros into the exponent.
void normalise(LeadingNumber& n)
{
    std::size_t first = 0;
    while (first < n.digits.size() && n.digits[first] == '0')
        ++first;
    n.digits.erase(0, first);
    std::size_t last = n.digits.size();
    while (last > 0 && n.digits[last - 1] == '0')
        --last;
    n.exponent += static_cast<std::int64_t>(n.digits.size() - last);
    n.digits.resize(last);
    if (n.digits.empty()) {
        n.exponent = 0;
        n.negative = false;
    }
}

template <class T>
T nearestFromDecimal(bool negative, const std::string& digits, std::int64_t exponent)
{
    if (digits.empty())
        return T(0);
    const std::int64_t magnitude = static_cast<std::int64_t>(digits.size()) + exponent; // digits before the point
    T v;
    if (magnitude > 400) {
        v = std::numeric_limits<T>::infinity();
    } else if (magnitude < -400) {
        v = T(0);
    } else {
        const std::string s = digits + 'e' + std::to_string(exponent);
        const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
        if (r.ec == std::errc::result_out_of_range)
            v = magnitude > 0 ? std::numeric_limits<T>::infinity() : T(0);
    }
    return negative ? -v : v;
}

// The magnitude of digits x 10^exponent in ten-thousandths, rounded halves to even; empty when it
// does not fit in 64 bits of magnitude (2^63 is kept for the most negative amount).
std::optional<u128> roundedUnits(const std::string& digits, std::int64_t exponent)
{
    if (digits.empty())
        return u128(0);
    const std::int64_t shift = exponent + 4; // value x 10^4 = digits x 10^shift
    const std::int64_t len = static_cast<std::int64_t>(digits.size());
    constexpr u128 kMax = u128(1) << 63;
    if (len + shift > 20)
        return std::nullopt;
    u128 whole = 0;
    const std::int64_t kept = std::min(len, len + shift); // digits kept before the rounding point
    for (std::int64_t i = 0; i < kept; ++i)
        whole = whole * 10 + static_cast<unsigned>(digits[static_cast<std::size_t>(i)] - '0');
    for (std::int64_t i = 0; i < shift; ++i)
        whole *= 10;
    if (shift < 0 && kept >= 0) {
        // The first dropped digit and whether anything follows it decide the rounding.
        const char first = digits[static_cast<std::size_t>(kept)];
        const bool more = kept + 1 < len; // digits carry no trailing zeros
        const bool up = first > '5' || (first == '5' && (more || (whole % 2) == 1));
        if (up)
            whole += 1;
    }
    if (whole > kMax)
        return std::nullopt;
    return whole;
}

QString fromLatin(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

// Adds one to a string of decimal digits.
void incrementDigits(std::string& s)
{
    for (std::size_t i = s.size(); i-- > 0;) {
        if (s[i] != '9') {
            ++s[i];
            return;
        }
        s[i] = '0';
    }
    s.insert(s.begin(), '1');
}

// The significant digits a value is shown from: seven for a single-precision value, fifteen
// for a double.
constexpr int kSingleDigits = 7;
constexpr int kDoubleDigits = 15;

// How an exact half of the last digit kept is rounded.
enum class Halves {
    ToEven,       // to the even neighbour
    AwayFromZero, // up in magnitude, as a person rounds
};

// Enough digits to write any finite value of the type exactly in scientific form: a double's
// exact decimal expansion has at most 767 significant digits, a single's at most 112.
template <class T>
constexpr int kExactDigits = sizeof(T) == sizeof(float) ? 120 : 770;

// A positive finite value rounded to a number of significant digits from its exact binary
// value: exactly that many digits, the first not zero, standing for d.ddd... x 10^exponent.
struct Significant {
    std::string digits;
    int exponent = 0;
};

// The digits and exponent of a scientific text "d.dddde+XX".
Significant fromScientific(const char* first, const char* last)
{
    const std::string sci(first, last);
    const std::size_t e = sci.find('e');
    Significant d;
    d.digits = sci.substr(0, 1) + (e > 2 ? sci.substr(2, e - 2) : std::string());
    d.exponent = std::stoi(sci.substr(e + 1));
    return d;
}

template <class T>
Significant significantDigits(T magnitude, int significant, Halves halves)
{
    if (halves == Halves::ToEven) {
        std::array<char, 64> buf{};
        const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::scientific, significant - 1);
        return fromScientific(buf.data(), r.ptr);
    }
    // From the exact expansion, the first digit dropped decides: 5 or more, whatever follows
    // (an exact half included), rounds up.
    std::array<char, kExactDigits<T> + 16> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::scientific, kExactDigits<T>);
    Significant exact = fromScientific(buf.data(), r.ptr);
    const bool up = exact.digits[static_cast<std::size_t>(significant)] >= '5';
    exact.digits.resize(static_cast<std::size_t>(significant));
    if (up) {
        incrementDigits(exact.digits);
        if (exact.digits.size() > static_cast<std::size_t>(significant)) { // 9.99... carried to 10.0...
            exact.digits.pop_back();
            ++exact.exponent;
        }
    }
    return exact;
}

// "###0.00" of a value's decimal form at its own precision, rounded to two decimals; both
// roundings take an exact half away from zero.
template <class T>
QString twoDecimals(T value, int significant)
{
    if (!std::isfinite(value))
        return noValue();
    std::string cents; // the magnitude in hundredths
    if (value != 0) {
        const Significant d = significantDigits(std::fabs(value), significant, Halves::AwayFromZero);
        const auto count = static_cast<std::int64_t>(d.digits.size());
        // Digit i stands for 10^(exponent - i): the hundredths are digit exponent + 2.
        const std::int64_t last = std::int64_t(d.exponent) + 2;
        for (std::int64_t i = 0; i <= last; ++i)
            cents += i < count ? d.digits[static_cast<std::size_t>(i)] : '0';
        const std::int64_t next = last + 1;
        if (next >= 0 && next < count && d.digits[static_cast<std::size_t>(next)] >= '5')
            incrementDigits(cents);
    }
    while (cents.size() < 3)
        cents.insert(cents.begin(), '0');
    const bool zero = cents.find_first_not_of('0') == std::string::npos;
    std::string s = value < 0 && !zero ? "-" : "";
    s += cents.substr(0, cents.size() - 2) + '.' + cents.substr(cents.size() - 2);
    return fromLatin(s);
}

} // namespace

LeadingNumber readLeadingNumber(QStringView text)
{
    LeadingNumber n;
    qsizetype i = 0;
    const qsizetype size = text.size();
    auto skip = [&] {
        while (i < size && ignorable(text[i]))
            ++i;
    };
    auto peek = [&]() -> QChar { return i < size ? text[i] : QChar(); };

    skip();
    if (peek() == u'&') {
        ++i;
        skip();
        const QChar p = peek();
        const int radix = (p == u'H' || p == u'h') ? 16 : (p == u'O' || p == u'o') ? 8 : 0;
        if (radix != 0) {
            ++i;
            u128 v = 0;
            bool huge = false;
            for (;;) {
                skip();
                const int d = i < size ? digitValue(text[i], radix) : -1;
                if (d < 0)
                    break;
                ++i;
                n.hasDigits = true;
                if (v >> 100)
                    huge = true;
                else
                    v = v * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
            }
            if (huge) {
                n.digits = "1";
                n.exponent = 40; // beyond every range the program keeps
            } else {
                n.digits = toDecimal(v);
            }
        }
    } else {
        if (peek() == u'+' || peek() == u'-') {
            n.negative = peek() == u'-';
            ++i;
        }
        bool point = false;
        std::int64_t fraction = 0;
        for (;;) {
            skip();
            if (i >= size)
                break;
            const QChar c = text[i];
            if (c >= u'0' && c <= u'9') {
                n.hasDigits = true;
                if (!(n.digits.empty() && c == u'0'))
                    n.digits += static_cast<char>(c.unicode());
                if (point)
                    ++fraction;
            } else if (c == u'.' && !point) {
                point = true;
            } else {
                break;
            }
            ++i;
        }
        n.exponent = -fraction;
        if (n.hasDigits) {
            const QChar e = peek();
            if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
                const qsizetype mark = i;
                ++i;
                skip();
                bool negativeExponent = false;
                if (peek() == u'+' || peek() == u'-') {
                    negativeExponent = peek() == u'-';
                    ++i;
                }
                std::int64_t exp = 0;
                bool expDigits = false;
                for (;;) {
                    skip();
                    if (i >= size || !(text[i] >= u'0' && text[i] <= u'9'))
                        break;
                    expDigits = true;
                    exp = std::min(exp * 10 + (text[i].unicode() - u'0'), kExponentLimit);
                    ++i;
                }
                if (expDigits)
                    n.exponent += negativeExponent ? -exp : exp;
                else
                    i = mark; // a lone exponent letter is not part of the number
            }
        }
    }
    if (!n.hasDigits) {
        n.digits.clear();
        n.negative = false;
    }
    normalise(n);
    skip();
    n.readsFully = n.hasDigits && i == size;
    n.value = nearestFromDecimal<double>(n.negative, n.digits, n.exponent);
    return n;
}

double leadingNumber(QStringView text)
{
    return readLeadingNumber(text).value;
}

bool readsFully(QStringView text)
{
    return readLeadingNumber(text).readsFully;
}

std::optional<Units> toUnits(const LeadingNumber& reading)
{
    const std::optional<u128> magnitude = roundedUnits(reading.digits, reading.exponent);
    if (!magnitude)
        return std::nullopt;
    constexpr u128 kMax = u128(1) << 63;
    if (reading.negative) {
        if (*magnitude == kMax)
            return std::numeric_limits<Units>::min();
        return -static_cast<Units>(*magnitude);
    }
    if (*magnitude == kMax)
        return std::nullopt;
    return static_cast<Units>(*magnitude);
}

std::optional<Units> amountUnits(QStringView text)
{
    return toUnits(readLeadingNumber(text));
}

std::optional<Units> acceptedAmount(QStringView text)
{
    return typedAmount(text).units;
}

TypedAmount typedAmount(QStringView text)
{
    const LeadingNumber n = readLeadingNumber(text);
    if (!n.readsFully)
        return {};
    if (const std::optional<Units> units = toUnits(n))
        return {units, AmountRefusal::NotANumber};
    return {std::nullopt, beyondRange(n)};
}

double unitsToDouble(Units units)
{
    return ExactSum(units).toDouble();
}

float unitsToSingle(Units units)
{
    return ExactSum(units).toSingle();
}

// ---- ExactSum ------------------------------------------------------------------------------

ExactSum& ExactSum::operator+=(ExactSum other)
{
    if (__builtin_add_overflow(v_, other.v_, &v_))
        throw std::overflow_error("amount sum overflow");
    return *this;
}

ExactSum& ExactSum::operator-=(ExactSum other)
{
    if (__builtin_sub_overflow(v_, other.v_, &v_))
        throw std::overflow_error("amount sum overflow");
    return *this;
}

std::optional<Units> ExactSum::units() const
{
    if (v_ < std::numeric_limits<Units>::min() || v_ > std::numeric_limits<Units>::max())
        return std::nullopt;
    return static_cast<Units>(v_);
}

double ExactSum::toDouble() const
{
    const bool negative = v_ < 0;
    return nearestFromDecimal<double>(negative, toDecimal(negative ? u128(-(v_ + 1)) + 1 : u128(v_)), -4);
}

float ExactSum::toSingle() const
{
    const bool negative = v_ < 0;
    return nearestFromDecimal<float>(negative, toDecimal(negative ? u128(-(v_ + 1)) + 1 : u128(v_)), -4);
}

QString ExactSum::toString() const
{
    const bool negative = v_ < 0;
    const u128 magnitude = negative ? u128(-(v_ + 1)) + 1 : u128(v_);
    std::string whole = toDecimal(magnitude / kUnitsPerOne);
    if (whole.empty())
        whole = "0";
    std::string fraction = std::to_string(static_cast<unsigned>(magnitude % kUnitsPerOne));
    fraction.insert(0, 4 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    std::string s = (negative ? "-" : "") + whole;
    if (!fraction.empty())
        s += '.' + fraction;
    return fromLatin(s);
}

// ---- text forms ----------------------------------------------------------------------------

QString normalisedForm(Units units)
{
    return ExactSum(units).toString();
}

QString entryForm(Units units)
{
    const QString plain = normalisedForm(units);
    return units < 0 ? plain : u' ' + plain;
}

QString totalForm(float value)
{
    if (!std::isfinite(value))
        return noValue();
    if (value == 0.0f)
        return QStringLiteral("0");
    const Significant rounded = significantDigits(std::fabs(value), kSingleDigits, Halves::ToEven);
    std::string digits = rounded.digits;
    const int exponent = rounded.exponent;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string s = value < 0 ? "-" : "";
    if (exponent >= 7 || exponent < -4) {
        s += digits.substr(0, 1);
        if (digits.size() > 1)
            s += '.' + digits.substr(1);
        std::string ex = std::to_string(std::abs(exponent));
        if (ex.size() < 2)
            ex.insert(0, 1, '0');
        s += (exponent < 0 ? "E-" : "E+") + ex;
    } else if (exponent >= 0) {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            s += digits + std::string(whole - digits.size(), '0');
        } else {
            s += digits.substr(0, whole) + '.' + digits.substr(whole);
        }
    } else {
        s += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return fromLatin(s);
}

QString ratioForm(float value)
{
    return twoDecimals(value, kSingleDigits);
}

QString ratioForm(double value)
{
    return twoDecimals(value, kDoubleDigits);
}

QString blankSigned(std::int64_t value)
{
    const QString digits = QString::number(value);
    return value < 0 ? digits : u' ' + digits;
}

} // namespace kiv::num
