#pragma once
// Definitions of the financial ratios, shown by a click on a ratio's name in the comparison
// windows: the formula under the heading "FORMULAS:", then a paragraph that explains the ratio.
#include "values/definition_table.h"

namespace kiv {

// The parts of one ratio's definition in one language.
struct RatioDefinitionTexts {
    QString title;
    QString heading;          // "FORMULAS:" / "FORMULES:"
    QString formula;          // with its own leading blanks when it stands on the heading line
    QString explanation;
    bool formulaOnHeadingLine = true;
};

// The message: heading and formula on one line, or the formula on a line of its own, then the
// explanation; an empty line (CR LF CR LF) between the parts.
Definition composeRatioDefinition(const RatioDefinitionTexts& texts);

// The parts of the definition of `ratio` (NetProfitMargin ... InterestCoverage).
std::optional<RatioDefinitionTexts> ratioDefinitionTexts(QStringView ratio, int language);

// The definition shown by the ratio-name label `label` of the one-year ratio comparison window
// (lblNetProfitMargin ... lblInterestCoverage), in the texts `language` selects.
std::optional<Definition> ratioDefinition(QStringView label, int language);
// The fifteen ratio-name labels, in the order of the window's rows.
QStringList ratioDefinitionLabels();

} // namespace kiv
