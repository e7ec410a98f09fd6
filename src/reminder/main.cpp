// Tivmel: shown once when the installation ends, it reminds the user to copy the data disc's
// 'Data' folder into the program's folder, and ends when its box is closed.
//
// With TIVMEL_SELF_TEST set, the box closes itself as soon as it is up and the program writes
// what the box showed (title, icon, buttons, text) on its standard output first.
#include "kiv_config.h"
#include "reminder_text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

namespace {

void report(const QMessageBox& box)
{
    QStringList buttons;
    for (QAbstractButton* b : box.buttons())
        buttons << b->text();
    const QString out = QStringLiteral("title: ") + box.windowTitle() + u'\n' + QStringLiteral("icon: ")
                        + (box.icon() == QMessageBox::NoIcon ? QStringLiteral("none") : QStringLiteral("some")) + u'\n'
                        + QStringLiteral("buttons: ") + buttons.join(u',') + u'\n' + QStringLiteral("text:\n") + box.text() + u'\n';
    const QByteArray bytes = out.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tivmel"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));

    const QString folder = tivmel::installFolder(QString::fromUtf8(KIV_INSTALLED_PROGRAM_DIR), QApplication::applicationDirPath());
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tivmel"), tivmel::message(folder), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    if (qEnvironmentVariableIsSet("TIVMEL_SELF_TEST"))
        QTimer::singleShot(0, &box, [&box] {
            report(box);
            box.button(QMessageBox::Ok)->click();
        });
    box.exec();
    return 0;
}
