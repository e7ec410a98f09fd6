#include "shell/edition_choice.h"

#include "platform/dialogs.h"
#include "platform/program_end.h"
#include "platform/program_folder.h"
#include "shell/data_folder.h"
#include "shell/frm_menuselect.h"
#include "shell/module1.h"

namespace kiv {

void ScanDataFolder()
{
    FrmMenuselect& menu = frmMenuselect();
    menu.Show();

    const std::optional<QStringList> listing = listEditionFiles(gDataPath);
    if (!listing) {
        MsgBox(gLanguage == 0 ? QStringLiteral("Error: the data folder '%1' could not be read. No edition is available.").arg(gDataPath)
                              : QStringLiteral("Erreur : le répertoire des données '%1' n'a pu être lu. Aucune édition n'est disponible.").arg(gDataPath),
               vbOKOnly + vbExclamation);
        return;
    }

    const ScanResult found = scanEditionFiles(*listing);
    for (const ScanFind& f : found.finds) {
        OptionButton* opt = menu.editionOption(f.option);
        opt->setEnabled(true);
        opt->setForeColor(QColor(255, 255, 0));
        QFont font = opt->font();
        font.setBold(true);
        opt->setFont(font);
        menu.setListedFileName(f.option, f.listedName);
    }
    if (!found.otherDbName.isEmpty()) {
        gOtherDbName = found.otherDbName;
        menu.optOther->setText(found.otherCaption);
    }
    if (!found.selected.isEmpty())
        menu.editionOption(found.selected)->setChecked(true);

    if (!found.found() && installKind() == u"workstation") {
        const QString folder = programFolder();
        MsgBox(gLanguage == 0 ? QStringLiteral("Please copy all files in the 'Data' folder from the CD-ROM to the directory: ") + folder
                              : QStringLiteral("Copier s'il vous plaît tous les fichiers du répertoire 'Data' du CD-ROM au répertoire: ") + folder,
               vbOKOnly);
        End();
    }
}

const Edition* selectedEdition()
{
    const FrmMenuselect& menu = frmMenuselect();
    for (const Edition& e : editions())
        if (menu.editionOption(e.option)->isChecked())
            return &e;
    return nullptr;
}

QString editionDatabaseFileName()
{
    const Edition* e = selectedEdition();
    if (!e)
        return QString();
    if (!e->database) // optOther: the file the scan found
        return gOtherDbName;
    const QString listed = frmMenuselect().listedFileName(e->option);
    return listed.isEmpty() ? QString::fromUtf16(e->database) : listed;
}

QString editionDatabasePath()
{
    const QString name = editionDatabaseFileName();
    return name.isEmpty() ? QString() : joinPath(gDataPath, name);
}

} // namespace kiv
