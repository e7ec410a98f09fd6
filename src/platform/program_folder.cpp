#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace kiv {
namespace {
QString& overridden()
{
    static QString folder;
    return folder;
}

QString& overriddenUserData()
{
    static QString folder;
    return folder;
}
} // namespace

QString programFolder()
{
    if (!overridden().isEmpty())
        return overridden();
    QString dir = QCoreApplication::applicationDirPath();
    while (dir.size() > 1 && dir.endsWith(u'/'))
        dir.chop(1);
    return dir;
}

void setProgramFolder(const QString& folder)
{
    overridden() = folder;
}

QString userDataFolder()
{
    if (!overriddenUserData().isEmpty())
        return overriddenUserData();
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return home.isEmpty() ? QString() : joinPath(home, QStringLiteral("kiv_2000"));
}

void setUserDataFolder(const QString& folder)
{
    overriddenUserData() = folder;
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

} // namespace kiv
