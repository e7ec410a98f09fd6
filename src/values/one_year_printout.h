#pragma once
// The printout of the one-year statement: a title, the balance sheet in two columns (assets on
// the left; liabilities, shareholders' equity and the current items on the right), then the
// income statement, as tabbed lines in Times New Roman.
#include "platform/printer.h"
#include "values/company_values.h"

#include <array>

namespace kiv::values {

// The captions as the window shows them: the three headings and each item's caption label,
// with any final blank they carry.
struct StatementCaptions {
    QString assets;      // Label15
    QString liabilities; // Label16
    QString income;      // Label4
    std::array<QString, kItemCount> items; // by Item
};

// The statement with the box texts as they stand (printed unchanged: an empty box prints
// nothing at its column). French (language not 0) prints the investments row on two lines, its
// two captions split by fixed texts.
PrintDocument statementPrintout(const StatementCaptions& captions, const Texts& texts, int language);

} // namespace kiv::values
