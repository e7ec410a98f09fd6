#include "values/item_definitions.h"

namespace kiv {
namespace {

const QString kTitle = QStringLiteral("title");
const QString kText = QStringLiteral("text");

struct ItemTexts {
    QHash<QString, std::array<Definition, 2>> byItem;
    DefinitionSet entryWindow;
};

Definition definitionOf(const QJsonObject& texts, const Definition& base = {})
{
    return {texts.value(kTitle).toString(base.title), texts.value(kText).toString(base.text)};
}

const ItemTexts& itemTexts()
{
    static const ItemTexts texts = [] {
        ItemTexts t;
        for (const QJsonObject& e : readDefinitionFile(QStringLiteral(":/kiv/definitions/item_definitions.json")).entries) {
            const Definition en = definitionOf(languageTexts(e, 0));
            const Definition fr = definitionOf(languageTexts(e, 1));
            t.byItem.insert(e.value(QStringLiteral("item")).toString(), {en, fr});
            t.entryWindow.add(e.value(QStringLiteral("label")).toString(), en, fr);
        }
        return t;
    }();
    return texts;
}

} // namespace

std::optional<Definition> itemDefinition(QStringView label, int language)
{
    return itemTexts().entryWindow.find(label, language);
}

QStringList itemDefinitionLabels()
{
    return itemTexts().entryWindow.labels();
}

DefinitionSet itemDefinitionsOfWindow(const QString& resource)
{
    DefinitionSet set;
    for (const QJsonObject& e : readDefinitionFile(resource).entries) {
        const QString item = e.value(QStringLiteral("item")).toString();
        const auto base = itemTexts().byItem.constFind(item);
        if (base == itemTexts().byItem.cend()) {
            qWarning("definitions: %s names no item %s", qPrintable(resource), qPrintable(item));
            continue;
        }
        set.add(e.value(QStringLiteral("label")).toString(), definitionOf(languageTexts(e, 0), (*base)[0]),
                definitionOf(languageTexts(e, 1), (*base)[1]));
    }
    return set;
}

} // namespace kiv
