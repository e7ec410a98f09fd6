#include "ratios/ratio_definitions.h"

namespace kiv {
namespace {

const QString kBreak = QStringLiteral("\r\n\r\n");

struct RatioTexts {
    QHash<QString, std::array<RatioDefinitionTexts, 2>> byRatio;
    DefinitionSet window;
};

const RatioTexts& ratioTexts()
{
    static const RatioTexts texts = [] {
        RatioTexts t;
        const DefinitionFile file = readDefinitionFile(QStringLiteral(":/kiv/definitions/ratio_definitions.json"));
        const QJsonObject heading = file.head.value(QStringLiteral("heading")).toObject();
        for (const QJsonObject& e : file.entries) {
            std::array<RatioDefinitionTexts, 2> parts;
            for (int lang = 0; lang < 2; ++lang) {
                const QJsonObject o = languageTexts(e, lang);
                parts[lang].title = o.value(QStringLiteral("title")).toString();
                parts[lang].heading = heading.value(languageKey(lang)).toString();
                parts[lang].formula = o.value(QStringLiteral("formula")).toString();
                parts[lang].explanation = o.value(QStringLiteral("explanation")).toString();
                parts[lang].formulaOnHeadingLine = e.value(QStringLiteral("layout")).toString() != u"separate";
            }
            t.byRatio.insert(e.value(QStringLiteral("ratio")).toString(), parts);
            t.window.add(e.value(QStringLiteral("label")).toString(), composeRatioDefinition(parts[0]),
                         composeRatioDefinition(parts[1]));
        }
        return t;
    }();
    return texts;
}

} // namespace

Definition composeRatioDefinition(const RatioDefinitionTexts& texts)
{
    const QString separator = texts.formulaOnHeadingLine ? QString() : kBreak;
    return {texts.title, texts.heading + separator + texts.formula + kBreak + texts.explanation};
}

std::optional<RatioDefinitionTexts> ratioDefinitionTexts(QStringView ratio, int language)
{
    const auto it = ratioTexts().byRatio.constFind(ratio.toString());
    if (it == ratioTexts().byRatio.cend())
        return std::nullopt;
    return (*it)[definitionLanguage(language)];
}

std::optional<Definition> ratioDefinition(QStringView label, int language)
{
    return ratioTexts().window.find(label, language);
}

QStringList ratioDefinitionLabels()
{
    return ratioTexts().window.labels();
}

} // namespace kiv
