#include "values/definition_table.h"

#include "platform/dialogs.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace kiv {

void DefinitionSet::add(const QString& label, const Definition& english, const Definition& french)
{
    if (!byLabel_.contains(label))
        order_.append(label);
    byLabel_.insert(label, {english, french});
}

std::optional<Definition> DefinitionSet::find(QStringView label, int language) const
{
    const auto it = byLabel_.constFind(label.toString());
    if (it == byLabel_.cend())
        return std::nullopt;
    return (*it)[definitionLanguage(language)];
}

DefinitionFile readDefinitionFile(const QString& resource)
{
    DefinitionFile file;
    QFile f(resource);
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning("definitions: cannot open %s", qPrintable(resource));
        return file;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        qWarning("definitions: %s: %s", qPrintable(resource), qPrintable(error.errorString()));
        return file;
    }
    file.head = doc.object();
    const QJsonArray entries = file.head.take(QStringLiteral("entries")).toArray();
    for (const QJsonValue& e : entries)
        file.entries.push_back(e.toObject());
    return file;
}

void ShowDefinition(const std::optional<Definition>& definition)
{
    if (definition)
        MsgBox(definition->text, vbInformation, definition->title);
}

} // namespace kiv
