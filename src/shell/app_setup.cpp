#include "shell/app_setup.h"

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
}

} // namespace kiv
