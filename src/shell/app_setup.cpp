#include "shell/app_setup.h"

#include "platform/db/database.h"

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QStyleFactory>
#include <clocale>

namespace kiv {

void setupApplication(QApplication& app)
{
    // QApplication takes the user's locale for the C library too; numbers are read and written
    // with a period whatever the user's regional settings.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    app.setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Kiv_2000"));
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
    // A long read of an Access file shows the hourglass while the windows keep repainting.
    db::setBusyPointer([](bool show) {
        if (show)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
}

} // namespace kiv
