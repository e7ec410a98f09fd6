#pragma once
// Where the program finds its data: the install kind, the path file, the data folder, and
// the edition databases the data folder holds.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace kiv {

// "workstation" (the delivered build: the program folder is the data folder) or "lan" (the
// data folder is read from the path file). Fixed when the program is built; tests set their
// own, an empty text restores the built one.
QString installKind();
void setInstallKind(const QString& kind);

// The path file read under "lan"; its first line names the folder whose Data subfolder is
// the data folder. Tests set their own, an empty text restores the built one.
QString pathFile();
void setPathFile(const QString& path);

// Sets gDataPath: the program folder, or under "lan" the folder named by the path file
// followed by "Data". A path file that is missing or cannot be read is reported and ends the
// program.
void SetAppPath();

// The edition databases of a folder: the files whose name ends in ".mdb" in any letter
// case, folders and hidden files excepted, in the order the file system lists them.
// Nothing when the folder cannot be listed.
using FolderListing = std::function<std::optional<QStringList>(const QString& folder)>;
std::optional<QStringList> listEditionFiles(const QString& folder);
// Replaces the listing (tests give their own order); an empty function restores the real one.
void setFolderListing(FolderListing listing);

// What the scan of a data folder found.
struct ScanFind {
    QString option;     // the edition option ("optVol1", ..., "optOther")
    QString listedName; // the file name as the folder listing gave it
};
struct ScanResult {
    std::vector<ScanFind> finds; // every match, in listing order
    QString selected;            // the option that ends up selected; empty when nothing was found
    QString otherCaption;        // caption of optOther (the name between prefix and extension)
    QString otherDbName;         // the KIV_OTHER_ file, as listed
    bool found() const { return !finds.empty(); }
};

// Compares the listed names, upper-cased, with the scan names of the edition table and the
// KIV_OTHER_ prefix. Volume 1 is selected whenever it is present; otherwise the first
// edition listed. Of several KIV_OTHER_ files the last listed names optOther.
ScanResult scanEditionFiles(const QStringList& listedNames);

} // namespace kiv
