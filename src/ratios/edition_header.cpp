#include "ratios/edition_header.h"

#include "shell/frm_menuselect.h"
#include "shell/module1.h"

#include <QLabel>

namespace kiv {

QString chosenOneYearEdition()
{
    const FrmMenuselect& menu = frmMenuselect();
    if (menu.optVol1->isChecked())
        return QStringLiteral("optVol1");
    if (menu.optVol2->isChecked())
        return QStringLiteral("optVol2");
    return QString();
}

void ShowEditionHeader(QLabel* firmSize, QLabel* revenue, QLabel* codeSystem)
{
    const std::optional<EditionHeaderTexts> texts = editionHeaderTexts(chosenOneYearEdition(), gLanguage);
    if (!texts)
        return;
    firmSize->setText(texts->firmSize);
    revenue->setText(texts->revenue);
    codeSystem->setText(texts->codeSystem);
}

} // namespace kiv
