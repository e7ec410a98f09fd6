#include "ratios/industry_record.h"

#include "platform/db/database.h"
#include "numbers/numbers.h"

#include <optional>

namespace kiv::ratios {

namespace {

std::optional<db::Value> usableValue(const db::Snapshot& data, const QString& column, ContentProblem& problem)
{
    const int index = data.columnIndex(column);
    if (index < 0) {
        problem.missing << column;
        return std::nullopt;
    }
    db::Value v = data.value(data.position(), index);
    if (v.isNull()) {
        problem.empty << column;
        return std::nullopt;
    }
    return v;
}

} // namespace

RecordReader::RecordReader(const db::Snapshot& data, ContentProblem& problem)
    : data_(data)
    , problem_(problem)
{
}

QString RecordReader::text(const QString& column)
{
    const std::optional<db::Value> v = usableValue(data_, column, problem_);
    return v ? v->toText() : QString();
}

double RecordReader::number(const QString& column)
{
    const std::optional<db::Value> v = usableValue(data_, column, problem_);
    if (!v)
        return 0;
    if (v->isText() && !num::readsFully(v->toText())) {
        problem_.notNumbers << column;
        return 0;
    }
    return v->toDouble();
}

bool RecordReader::usable() const
{
    return problem_.missing.isEmpty() && problem_.empty.isEmpty() && problem_.notNumbers.isEmpty();
}

QString descriptionColumn(int language)
{
    return language == 0 ? QStringLiteral("IndustryDescriptionE") : QStringLiteral("IndustryDescriptionF");
}

QString problemMessage(const ContentProblem& problem, int language)
{
    const bool english = language == 0;
    if (problem.kind == ContentProblem::Kind::NoIndustry)
        return english ? QStringLiteral("No industry is chosen, so the firm's ratios cannot be compared. "
                                        "Choose an industry on the main menu first.")
                       : QStringLiteral("Aucune industrie n'est choisie : les ratios de l'entreprise ne peuvent pas être "
                                        "comparés. Choisissez d'abord une industrie dans le menu principal.");
    QStringList lines;
    const QString industry = problem.industryNumber.isEmpty() ? QString() : u' ' + problem.industryNumber;
    lines << (english ? QStringLiteral("The figures of industry%1 cannot be used for the comparison:").arg(industry)
                      : QStringLiteral("Les données de l'industrie%1 ne peuvent pas servir à la comparaison :").arg(industry));
    const QString joined = QStringLiteral(", ");
    if (!problem.missing.isEmpty())
        lines << (english ? QStringLiteral("- the edition database has no column %1;")
                          : QStringLiteral("- la base de données de l'édition n'a pas de colonne %1;"))
                     .arg(problem.missing.join(joined));
    if (!problem.empty.isEmpty())
        lines << (english ? QStringLiteral("- no value is stored in %1;") : QStringLiteral("- aucune valeur n'est enregistrée dans %1;"))
                     .arg(problem.empty.join(joined));
    if (!problem.notNumbers.isEmpty())
        lines << (english ? QStringLiteral("- %1 do not hold a number;") : QStringLiteral("- %1 ne contiennent pas de nombre;"))
                     .arg(problem.notNumbers.join(joined));
    lines << (english ? QStringLiteral("The comparison is left empty.") : QStringLiteral("La comparaison reste vide."));
    return lines.join(u'\n');
}

} // namespace kiv::ratios
