#include "shell/data_folder.h"

#include "kiv_config.h"
#include "platform/dialogs.h"
#include "platform/program_end.h"
#include "platform/program_folder.h"
#include "shell/editions.h"
#include "shell/module1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace kiv {
namespace {

QString& installKindOverride()
{
    static QString kind;
    return kind;
}

QString& pathFileOverride()
{
    static QString path;
    return path;
}

FolderListing& listingOverride()
{
    static FolderListing listing;
    return listing;
}

[[noreturn]] void failSetAppPath(bool fileNotFound)
{
    MsgBox(fileNotFound ? QStringLiteral("Error: could not find 'kiv_path.txt'")
                        : QStringLiteral("Error in SetAppPath procedure."),
           vbOKOnly);
    End();
}

} // namespace

QString installKind()
{
    if (!installKindOverride().isEmpty())
        return installKindOverride();
    return QStringLiteral(KIV_INSTALL_KIND);
}

void setInstallKind(const QString& kind)
{
    installKindOverride() = kind;
}

QString pathFile()
{
    if (!pathFileOverride().isEmpty())
        return pathFileOverride();
    return QStringLiteral(KIV_PATH_FILE);
}

void setPathFile(const QString& path)
{
    pathFileOverride() = path;
}

void SetAppPath()
{
    if (installKind().compare(u"lan", Qt::CaseInsensitive) != 0) {
        gDataPath = programFolder();
        return;
    }
    const QFileInfo info(pathFile());
    if (!info.exists())
        failSetAppPath(true);
    QFile file(info.filePath());
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        failSetAppPath(false);
    // A file without any line cannot give a folder.
    if (file.atEnd())
        failSetAppPath(false);
    QByteArray line = file.readLine();
    if (line.isEmpty() && file.error() != QFile::NoError)
        failSetAppPath(false);
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r')) // written on another system
        line.chop(1);
    QString folder = QFile::decodeName(line);
    folder += folder.endsWith(u'/') ? QStringLiteral("Data") : QStringLiteral("/Data");
    gDataPath = folder;
}

std::optional<QStringList> listEditionFiles(const QString& folder)
{
    if (listingOverride())
        return listingOverride()(folder);
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return std::nullopt;
    // No name filter flag CaseSensitive: "*.mdb" matches KIV_VOL1.MDB as well.
    return QDir(folder).entryList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Unsorted);
}

void setFolderListing(FolderListing listing)
{
    listingOverride() = std::move(listing);
}

ScanResult scanEditionFiles(const QStringList& listedNames)
{
    static const QString vol1 = QStringLiteral("optVol1");
    static const QString other = QStringLiteral("optOther");
    const QString otherPrefix = QString::fromUtf16(kOtherPrefix);
    ScanResult r;
    bool found = false;
    for (const QString& name : listedNames) {
        const QString upper = name.toUpper();
        if (upper.isEmpty())
            break;
        if (upper == u"." || upper == u"..")
            continue;
        for (const char16_t* option : scanOrder()) {
            const Edition* e = editionByOption(option);
            if (upper != QStringView(e->scanName))
                continue;
            const QString opt = QString::fromUtf16(option);
            r.finds.push_back({opt, name});
            // Volume 1 always takes the selection; any other only when it is the first find.
            if (opt == vol1 || !found)
                r.selected = opt;
            found = true;
            break;
        }
        if (upper.startsWith(otherPrefix)) {
            r.otherDbName = name;
            // The name between the prefix and the four characters of the extension.
            r.otherCaption = name.mid(otherPrefix.size(), std::max<qsizetype>(0, name.size() - otherPrefix.size() - 4));
            r.finds.push_back({other, name});
            if (!found)
                r.selected = other;
            found = true;
        }
    }
    return r;
}

} // namespace kiv
