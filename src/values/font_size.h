#pragma once
// The font-size command of the values and comparison windows: each window keeps its own
// CurrentFontSize (10 when it loads) and passes it here with itself.
#include <QStringView>
#include <cstdint>
#include <optional>

namespace kiv {
class Form;

inline constexpr std::int16_t kSmallestFontSize = 8;
inline constexpr std::int16_t kLargestFontSize = 13;
inline constexpr std::int16_t kFontSizeAtLoad = 10;

// The size an answer to the font-size question gives. An empty answer (also a cancelled box)
// keeps the current size; an answer that is one number is rounded to the nearest integer,
// halves to even, and kept between 8 and 13, however large or small it is; any other answer
// gives nothing (the window then asks for a number and keeps its size).
std::optional<std::int16_t> fontSizeFromAnswer(QStringView answer, std::int16_t current);

// Asks for the size (the current one offered as " 10"), says so when the answer is not a
// number, and applies the resulting size to every control of the window but its lines, images,
// shapes and help component, hidden ones included. Returns the window's new CurrentFontSize.
std::int16_t ChangeFontSize(Form& form, std::int16_t currentFontSize);

// Gives every control of the window that has a font the size, without asking.
void applyFontSize(Form& form, std::int16_t size);

} // namespace kiv
