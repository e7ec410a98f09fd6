#pragma once
// The message that refuses a number beyond the range of amounts, shared by the entry windows.
#include "numbers/numbers.h"

#include <QString>

namespace kiv::values {

// The amount is too large, and the largest amount accepted (the smallest, for a negative one),
// written as the program shows amounts; in the language given (0 English, else French).
// `refusal` is AboveLargest or BelowSmallest. Without `what` the message speaks of the amount in
// the box the user is taken to; with it, it names the amount ("Total assets, 1999").
QString beyondRangeMessage(num::AmountRefusal refusal, int language, const QString& what = QString());

} // namespace kiv::values
