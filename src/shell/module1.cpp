#include "shell/module1.h"

#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/program_end.h"

namespace kiv {

QString text(int base)
{
    return LoadResString(base + gLanguage);
}

void ConfirmExit(const QString& title)
{
    const QString prompt = gLanguage == 0 ? QStringLiteral("Do you want to exit ?") : QStringLiteral("Voulez-vous quitter ?");
    if (MsgBox(prompt, vbYesNo + vbQuestion, title) == vbYes)
        End();
}

QString helpFile()
{
    return joinPath(programFolder(), gLanguage == 0 ? QStringLiteral("help.html") : QStringLiteral("helpf.html"));
}

void resetModule1()
{
    gLanguage = 0;
    gLangLetter.clear();
    gDescField.clear();
    gDB.reset();
    gRSData.reset();
    gRSCategory.reset();
    gExportReserved1 = false;
    gExportReserved2 = false;
    gExportFromRatios = false;
    gExportFromBalanceSheet = false;
    gExportFromValues = false;
    gListByName = false;
    gSICSearch = false;
    gSectorCategory.clear();
    gSectorView = false;
    gOtherDbName.clear();
    gIndustryCount = 0;
    gDataPath.clear();
}

} // namespace kiv
