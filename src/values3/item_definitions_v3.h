#pragma once
// Definitions of the nine items of the three-year entry window.
#include "values/definition_table.h"

namespace kiv {

// The definition shown by the caption label `label` of the three-year entry window (Label3 ...
// lblAftertaxProfit), in the texts `language` selects; none for another label.
std::optional<Definition> itemDefinitionV3(QStringView label, int language);
// The nine caption labels of the three-year entry window, top to bottom.
QStringList itemDefinitionV3Labels();

} // namespace kiv
