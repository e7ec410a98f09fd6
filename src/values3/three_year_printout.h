#pragma once
// The printout of the three-year statement: a title, the column headings with the years and
// the nine rows of amounts in three sections, as tabbed lines.
#include "platform/printer.h"
#include "values3/three_year_values.h"

#include <functional>

namespace kiv::values3 {

// The statement as the window shows it: `caption` gives the text a label of the window shows
// (Label15, Label1, Label3, ...), `texts` the 27 box texts, printed unchanged.
PrintDocument statementPrintout(const std::function<QString(const QString& label)>& caption, const Texts& texts,
                                int language);

} // namespace kiv::values3
