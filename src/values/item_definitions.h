#pragma once
// Definitions of the items of the firm's statements, shown by a click on an item's caption.
#include "values/definition_table.h"

namespace kiv {

// The definition shown by the caption label `label` of the one-year entry window (Label5 for
// cash ... lblAftertaxProfit), in the texts `language` selects; none for another label.
std::optional<Definition> itemDefinition(QStringView label, int language);
// The 33 caption labels of the one-year entry window, assets first, income statement last.
QStringList itemDefinitionLabels();

// The definitions of a window that shows the one-year items under captions of its own: its data
// file names each caption's item (Cash, AccountsReceivable, ...) and gives only the titles and
// texts that differ from the entry window's.
DefinitionSet itemDefinitionsOfWindow(const QString& resource);

} // namespace kiv
