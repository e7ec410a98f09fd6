#include "ratios3/ratio_definitions_v3.h"

#include "ratios/ratio_definitions.h"

namespace kiv {
namespace {

const DefinitionSet& definitions()
{
    static const DefinitionSet set = [] {
        DefinitionSet s;
        for (const QJsonObject& e : readDefinitionFile(QStringLiteral(":/kiv/definitions/ratio_definitions_v3.json")).entries) {
            const QString ratio = e.value(QStringLiteral("ratio")).toString();
            std::array<Definition, 2> shown;
            for (int lang = 0; lang < 2; ++lang) {
                auto texts = ratioDefinitionTexts(ratio, lang);
                if (!texts) {
                    qWarning("definitions: no ratio %s", qPrintable(ratio));
                    break;
                }
                texts->formulaOnHeadingLine = true;
                shown[lang] = composeRatioDefinition(*texts);
            }
            if (!shown[1].title.isEmpty())
                s.add(e.value(QStringLiteral("label")).toString(), shown[0], shown[1]);
        }
        return s;
    }();
    return set;
}

} // namespace

std::optional<Definition> ratioDefinitionV3(QStringView label, int language)
{
    return definitions().find(label, language);
}

QStringList ratioDefinitionV3Labels()
{
    return definitions().labels();
}

} // namespace kiv
