#pragma once
#include <QString>

namespace kiv {

// The program folder: the folder of the running executable, without a trailing separator.
// Tests point it elsewhere with setProgramFolder; an empty text restores the real one.
QString programFolder();
void setProgramFolder(const QString& folder);

// Joins a folder and a name with the platform's separator ("/"), whatever the folder ends with.
QString joinPath(const QString& folder, const QString& name);

} // namespace kiv
