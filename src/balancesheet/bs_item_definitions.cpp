#include "balancesheet/bs_item_definitions.h"

#include "values/item_definitions.h"

namespace kiv {
namespace {

// The English texts are the entry window's; seven French titles and texts are this window's own.
const DefinitionSet& definitions()
{
    static const DefinitionSet set = itemDefinitionsOfWindow(QStringLiteral(":/kiv/definitions/bs_item_definitions.json"));
    return set;
}

} // namespace

std::optional<Definition> balanceSheetItemDefinition(QStringView label, int language)
{
    return definitions().find(label, language);
}

QStringList balanceSheetItemDefinitionLabels()
{
    return definitions().labels();
}

} // namespace kiv
