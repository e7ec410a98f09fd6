#pragma once
#include <QString>

namespace kiv {

// The program folder: the folder of the running executable, without a trailing separator.
// Tests point it elsewhere with setProgramFolder; an empty text restores the real one.
QString programFolder();
void setProgramFolder(const QString& folder);

// The program's folder in the user's data home ($XDG_DATA_HOME, else ~/.local/share, followed
// by "kiv_2000"), where a user keeps what the program folder can't take; it need not exist yet.
// Empty when the system names no data home. Tests point it elsewhere with setUserDataFolder;
// an empty text restores the real one.
QString userDataFolder();
void setUserDataFolder(const QString& folder);

// Joins a folder and a name with the platform's separator ("/"), whatever the folder ends with.
QString joinPath(const QString& folder, const QString& name);

} // namespace kiv
