#pragma once
// Definitions of the balance-sheet items, shown by a click on a row's caption in the
// balance-sheet structure window.
#include "values/definition_table.h"

namespace kiv {

// The definition shown by the caption label `label` of the balance-sheet window (lblCash ...
// lblCurrentLiabilities), in the texts `language` selects; none for another label.
std::optional<Definition> balanceSheetItemDefinition(QStringView label, int language);
// The 25 caption labels of the balance-sheet window, in the order of its rows.
QStringList balanceSheetItemDefinitionLabels();

} // namespace kiv
