#pragma once
// Definitions of the six ratios of the three-year comparison window: the same texts as the
// one-year comparison's, the formula always on the heading line.
#include "values/definition_table.h"

namespace kiv {

// The definition shown by the ratio-name label `label` of the three-year comparison window
// (lblNetProfitMargin ... lblLiabilitiesToAssets), in the texts `language` selects.
std::optional<Definition> ratioDefinitionV3(QStringView label, int language);
// The six ratio-name labels, top to bottom.
QStringList ratioDefinitionV3Labels();

} // namespace kiv
