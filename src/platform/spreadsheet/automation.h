#pragma once
// The spreadsheet programs' automation objects. An export creates one object by the program's
// name, sets cell values, saves under a name and tells the program to quit; every failure comes
// back as an error number. The program's own servers collect the cells and write one file at
// saveas; tests install recording servers instead.
#include <QString>
#include <functional>
#include <memory>

namespace kiv::sheet {

inline constexpr const char16_t* kExcelProgId = u"Excel.sheet";
inline constexpr const char16_t* kLotusProgId = u"Lotus123.workbook";

// Error numbers of the automation servers.
enum ErrorNumber : int {
    kInvalidCall = 5,           // a call the object does not understand (bad cell or range)
    kDiskFull = 61,
    kPermissionDenied = 70,
    kFileAccess = 75,           // the file could not be written for another reason
    kPathNotFound = 76,
    kCannotCreateObject = 429,  // the program is not available
    kServerGone = 462,          // a call after Quit
    kApplicationDefined = 1004, // the program refused the call, or the user declined its question
};

// A failed call. Failures the user must be told about in the server's own words (a file that
// could not be written) carry the message to show, already in the user's language.
struct AutomationError {
    int number = 0;
    QString message;
};

// One automation object. Releasing it (destroying the object) is the end of its use.
class Server {
public:
    virtual ~Server() = default;
    // Excel: Application.cells(row, column).Value = text; row and column count from 1.
    virtual void setCellValue(int row, int column, const QString& text) = 0;
    // Lotus 1-2-3: Ranges(range).Contents = text, range as "A:B4.A:B4".
    virtual void setRangeContents(const QString& range, const QString& text) = 0;
    // Saves the workbook under the name, exactly as the caller got it from the user.
    virtual void saveas(const QString& name) = 0;
    // Application.Quit: the program ends; the object answers no further call.
    virtual void quit() = 0;
};

// Makes the automation object of a program name. Throws AutomationError (429 when the program
// is not available).
using ServerFactory = std::function<std::unique_ptr<Server>(const QString& progId)>;

// Installs the factory used by CreateObject and returns the previous one; an empty one restores
// the program's own servers.
ServerFactory setServerFactory(ServerFactory factory);

// Creates the automation object of "Excel.sheet" or "Lotus123.workbook"; any other name, or a
// program that is not available, throws AutomationError 429.
std::unique_ptr<Server> CreateObject(const QString& progId);

// The program's own servers, whatever factory is installed.
std::unique_ptr<Server> createExcelServer();
std::unique_ptr<Server> createLotusServer();

} // namespace kiv::sheet
