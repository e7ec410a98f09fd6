#include "values/font_size.h"
#include "numbers/numbers.h"

#include <cmath>

namespace kiv {

std::optional<std::int16_t> fontSizeFromAnswer(QStringView answer, std::int16_t current)
{
    if (answer.isEmpty())
        return current;
    const num::LeadingNumber n = num::readLeadingNumber(answer);
    if (!n.readsFully)
        return std::nullopt;
    const double rounded = std::nearbyint(n.value); // halves to even
    if (rounded > kLargestFontSize)
        return kLargestFontSize;
    if (rounded < kSmallestFontSize)
        return kSmallestFontSize;
    return static_cast<std::int16_t>(rounded);
}

} // namespace kiv
