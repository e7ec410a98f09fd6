#include "values/amount_refusal.h"

namespace kiv::values {

QString beyondRangeMessage(num::AmountRefusal refusal, int language, const QString& what)
{
    const bool english = language == 0;
    const bool negative = refusal == num::AmountRefusal::BelowSmallest;
    const QString limit = num::normalisedForm(negative ? num::kSmallestAmount : num::kLargestAmount);
    QString tooLarge;
    if (english) {
        if (what.isEmpty())
            tooLarge = negative ? QStringLiteral("This negative amount is too large.") : QStringLiteral("This amount is too large.");
        else
            tooLarge = (negative ? QStringLiteral("The negative amount of ") : QStringLiteral("The amount of ")) + what
                       + QStringLiteral(" is too large.");
        return tooLarge + (negative ? QStringLiteral(" The lowest amount accepted is ") : QStringLiteral(" The largest amount accepted is "))
               + limit + u'.';
    }
    if (what.isEmpty())
        tooLarge = negative ? QStringLiteral("Ce montant négatif est trop élevé en valeur absolue.") : QStringLiteral("Ce montant est trop élevé.");
    else
        tooLarge = (negative ? QStringLiteral("Le montant négatif de ") : QStringLiteral("Le montant de ")) + what
                   + (negative ? QStringLiteral(" est trop élevé en valeur absolue.") : QStringLiteral(" est trop élevé."));
    return tooLarge + (negative ? QStringLiteral(" Le plus petit montant accepté est ") : QStringLiteral(" Le plus grand montant accepté est "))
           + limit + u'.';
}

} // namespace kiv::values
