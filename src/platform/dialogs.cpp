#include "platform/dialogs.h"

namespace kiv {
namespace {
DialogProvider*& current()
{
    static DialogProvider* provider = nullptr;
    return provider;
}
} // namespace

DialogProvider* setDialogProvider(DialogProvider* provider)
{
    DialogProvider* old = current();
    current() = provider;
    return old;
}

DialogProvider* dialogProvider()
{
    return current();
}

int MsgBox(const QString& prompt, int style, const QString& title)
{
    const QString shown = title.isEmpty() ? QString::fromUtf16(kAppTitle) : title;
    if (!current())
        return (style & 7) == vbYesNo || (style & 7) == vbYesNoCancel ? vbYes : vbOK;
    return current()->message(prompt, style, shown);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    const QString shown = title.isEmpty() ? QString::fromUtf16(kAppTitle) : title;
    if (!current())
        return QString();
    return current()->input(prompt, shown, defaultText);
}

QString buttonText(MsgResult button, int language)
{
    const bool fr = language == 1;
    switch (button) {
    case vbOK: return QStringLiteral("OK");
    case vbCancel: return fr ? QStringLiteral("Annuler") : QStringLiteral("Cancel");
    case vbAbort: return fr ? QStringLiteral("Abandonner") : QStringLiteral("Abort");
    case vbRetry: return fr ? QStringLiteral("Réessayer") : QStringLiteral("Retry");
    case vbIgnore: return fr ? QStringLiteral("Ignorer") : QStringLiteral("Ignore");
    case vbYes: return fr ? QStringLiteral("Oui") : QStringLiteral("Yes");
    case vbNo: return fr ? QStringLiteral("Non") : QStringLiteral("No");
    }
    return QString();
}

} // namespace kiv
