#include "platform/printer_qt.h"
#include "platform/program_end.h"
#include "platform/qt_dialogs.h"
#include "shell/app_setup.h"
#include "shell/module1.h"
#include "shell/frm_start_menu.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kiv::setupApplication(app);
    kiv::QtDialogProvider dialogs([] { return static_cast<int>(gLanguage); });
    kiv::setDialogProvider(&dialogs);
    kiv::QtHelpProvider help;
    kiv::setHelpProvider(&help);
    kiv::QtPrinter printer;
    kiv::setPrinter(&printer);

    frmStartMenu().Show();
    app.exec();
    kiv::End();
}
