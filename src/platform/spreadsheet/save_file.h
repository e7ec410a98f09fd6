#pragma once
// Where a spreadsheet file goes and how it is written.
#include <QByteArray>
#include <QString>
#include <functional>

namespace kiv::sheet {

// The user's documents folder, where a name without a folder goes. Tests point it elsewhere;
// an empty text restores the real one.
QString documentsFolder();
void setDocumentsFolder(const QString& folder);

// The file a typed name stands for: an absolute name stays as it is, "~/..." lies in the home
// folder, and any other name (with or without a folder of its own) in the documents folder.
QString resolveSaveName(const QString& name);

// The folder where a workbook is made before it is saved under its name.
QString temporaryFolder();

// Thrown by a render that could not write its work files in the temporary folder (the folder
// full, or not writable): the message then names that folder, not the file's.
struct TemporaryFolderFailure {};

// Saves a workbook under the typed name. An existing file is replaced only when the user says
// Yes to the question; No throws AutomationError 1004. A file without write permission is
// never replaced, whoever runs the program: it is refused before the question. The bytes (made
// by render, only once the name is settled) are written beside the file and renamed over it, so
// a failure leaves neither a truncated file nor a damaged old one; what a save cut short under
// the same name left beside the file is removed by the next one. Every failure throws
// AutomationError with a message in the user's language naming the file.
void saveWorkbookFile(const QString& name, const std::function<QByteArray()>& render);

} // namespace kiv::sheet
