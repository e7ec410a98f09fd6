#include "values3/item_definitions_v3.h"

#include "values/item_definitions.h"

namespace kiv {
namespace {

// The one-year entry window's texts, but for the text of total liabilities.
const DefinitionSet& definitions()
{
    static const DefinitionSet set = itemDefinitionsOfWindow(QStringLiteral(":/kiv/definitions/item_definitions_v3.json"));
    return set;
}

} // namespace

std::optional<Definition> itemDefinitionV3(QStringView label, int language)
{
    return definitions().find(label, language);
}

QStringList itemDefinitionV3Labels()
{
    return definitions().labels();
}

} // namespace kiv
