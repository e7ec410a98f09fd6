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

// Saves a workbook under the typed name. An existing file is replaced only when the user says
// Yes to the question; No throws AutomationError 1004. A file without write permission is
// never replaced, whoever runs the program: it is refused before the question. A link is
// followed: the file it names is written, and the link stays. The bytes (made by render, only
// once the name is settled) are written into an in-progress file of the program's beside the
// file and renamed over it, so a failure leaves neither a truncated file nor a damaged old one,
// and two running copies saving under one name each land whole (the last one wins); what a save
// cut short under the same name left beside the file is removed by the next one. Every failure
// throws AutomationError with a message in the user's language naming the file.
void saveWorkbookFile(const QString& name, const std::function<QByteArray()>& render);

// The same, for a writer that writes the whole file itself: `write` is given the path of the
// in-progress file (empty, and already held) to fill, and a scratch folder of its own beside it
// for what it makes on the way (the workbook's parts, the user's figures: they never go to a
// folder shared with others, and a killed save leaves them only where the next save of the name
// removes them); it throws when the file could not be written.
void saveWorkbookFileWith(const QString& name, const std::function<void(const QString& newFile, const QString& scratchFolder)>& write);

} // namespace kiv::sheet
