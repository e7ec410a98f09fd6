#include "platform/help.h"

#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/language.h"

#include <QFileInfo>

namespace kiv {
namespace {
HelpProvider*& current()
{
    static HelpProvider* provider = nullptr;
    return provider;
}
} // namespace

HelpProvider* setHelpProvider(HelpProvider* provider)
{
    HelpProvider* old = current();
    current() = provider;
    return old;
}

void showHelpFile(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        MsgBox(gLanguage == 0 ? QStringLiteral("The help file \"%1\" could not be found.").arg(path)
                              : QStringLiteral("Le fichier d'aide « %1 » est introuvable.").arg(path),
               vbOKOnly + vbExclamation);
        return;
    }
    if (current())
        current()->showHelp(path);
}

void placeHelpViewer(QWidget& viewer)
{
    keepWithinScreen(viewer, QSize(760, 680));
}

} // namespace kiv
