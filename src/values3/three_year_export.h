#pragma once
// The cells of the three-year figures' export: the captions and the 27 box texts, the years
// newest first in columns B to D.
#include "values/export.h"

namespace kiv::values3 {

// The 43 cells in the order they are written, row by row, each row from column A to D; A1 in
// the given language (0 English, else French). The amount cells are value cells.
exports::Layout exportLayout(int language);

} // namespace kiv::values3
