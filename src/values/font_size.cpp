#include "values/font_size.h"

#include "platform/dialogs.h"
#include "platform/form.h"
#include "shell/module1.h"
#include "numbers/numbers.h"

namespace kiv {

std::int16_t ChangeFontSize(Form& form, std::int16_t currentFontSize)
{
    const bool english = gLanguage == 0;
    const QString answer = InputBox(english ? QStringLiteral("Enter font size") : QStringLiteral("Incrire la taille de la police"),
                                    english ? QStringLiteral("Change font size") : QStringLiteral("changer la taille de la police"),
                                    num::blankSigned(currentFontSize));
    std::int16_t size = currentFontSize;
    if (const std::optional<std::int16_t> chosen = fontSizeFromAnswer(answer, currentFontSize))
        size = *chosen;
    else
        MsgBox(english ? QStringLiteral("Please enter a number") : QStringLiteral("SVP ecrit le numéro ici"));
    applyFontSize(form, size);
    return size;
}

void applyFontSize(Form& form, std::int16_t size)
{
    std::vector<QWidget*> controls;
    form.forEachControl([&](QWidget* widget, const fit::Item& item) {
        if (item.hasFont && item.kind != fit::Kind::Line && item.kind != fit::Kind::Image && item.kind != fit::Kind::Shape
            && item.kind != fit::Kind::CommonDialog)
            controls.push_back(widget);
    });
    for (QWidget* widget : controls)
        form.setControlFontSize(widget, size);
}

} // namespace kiv
