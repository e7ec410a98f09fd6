#pragma once
// The edition lines at the top of the one-year comparison windows, by the edition chosen on the
// edition menu.
#include "ratios/edition_facts.h"

class QLabel;

namespace kiv {

// Writes the firm-size group, the revenue class with its reference year and the name of the
// industry-code system of the chosen edition (Volume 1 or 2) into the three labels, in the
// user's language. With any other edition chosen the labels keep what they show.
void ShowEditionHeader(QLabel* firmSize, QLabel* revenue, QLabel* codeSystem);

// The option of the chosen one-year edition: "optVol1", "optVol2", or the empty text.
QString chosenOneYearEdition();

} // namespace kiv
