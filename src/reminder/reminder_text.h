#pragma once
// The reminder's message: the English text, a blank line, the French text. Both end with the
// folder where the program is installed.
#include <QFileInfo>
#include <QString>

namespace tivmel {

inline QString message(const QString& installFolder)
{
    return QStringLiteral("Once installation is complete, please copy all files in the 'Data' folder from the CD-ROM to the "
                          "destination directory.  The default destination directory is: ")
           + installFolder + QStringLiteral(".") + QStringLiteral("\n\n")
           + QStringLiteral("Lorsque l'installation sera terminée, copier s'il vous plaît tous les fichiers du répertoire 'Data' "
                            "du CD-ROM au répertoire destinataire.  Le répertoire destinataire par défault est: ")
           + installFolder + QStringLiteral(".");
}

// The folder the message names. The reminder is installed in the program folder, beside
// Kiv_2000: that is the program folder the build set (`configured`) as long as the reminder
// runs from there. Installed under another prefix than the build's (cmake --install --prefix),
// or run from the build tree, the folder it runs from (`running`) is where Kiv_2000 beside it
// looks for its data, and that one is named.
inline QString installFolder(const QString& configured, const QString& running)
{
    const QString here = QFileInfo(running).canonicalFilePath();
    if (here.isEmpty() || QFileInfo(configured).canonicalFilePath() == here)
        return configured;
    return here;
}

} // namespace tivmel
