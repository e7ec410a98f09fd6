#include "values/confirm_clear.h"

#include "platform/dialogs.h"
#include "shell/module1.h"

namespace kiv {

void ConfirmClear(const QString& title, std::span<TextBox* const> boxes, TextBox* first)
{
    const QString prompt = gLanguage == 0 ? QStringLiteral("Are you sure you want to clear all of the data cell ?")
                                          : QStringLiteral("Êtes-vous certain de vouloir effacer toutes les données ?");
    if (MsgBox(prompt, vbYesNo + vbQuestion, title) != vbYes)
        return;
    for (TextBox* box : boxes)
        box->setText(QStringLiteral("0"));
    first->setFocus(Qt::OtherFocusReason);
    first->setSelection(0, static_cast<int>(first->text().size()));
}

} // namespace kiv
