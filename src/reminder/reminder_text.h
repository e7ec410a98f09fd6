#pragma once
// The reminder's message: the English text, a blank line, the French text. Both end with the
// folder where the program is installed.
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

} // namespace tivmel
