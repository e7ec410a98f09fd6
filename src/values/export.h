#pragma once
// The spreadsheet export shared by every values and comparison window: each window supplies
// its texts (question title, default file name) and its cells; ExportToSpreadsheet does the
// rest with the spreadsheet program's automation object.
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace kiv::exports {

enum class Program { Excel, Lotus };

QString progId(Program program);      // "Excel.sheet", "Lotus123.workbook"
QString programName(Program program); // "Excel", "Lotus"

// One cell written by an export. The text is read when the cell is written. A value cell holds
// a figure of a box or label (not a caption or title): Lotus gets its "..." as "\"...".
struct ExportCell {
    int row = 0;    // from 1
    int column = 0; // from 1 (A)
    std::function<QString()> text;
    bool value = false;
};

// One export operation of one window to one program.
struct ExportOperation {
    Program program = Program::Excel;
    QString title;       // title of the file-name question
    QString defaultName; // its default answer
    std::vector<ExportCell> cells;
};

// Creates the program's automation object, asks for the file name (an empty answer ends it
// with nothing written), writes the cells in order, saves under the typed name, tells the
// program to quit, releases it and reports success. Every failure is reported here (429: the
// program is missing, 1004: nothing, a file that could not be written: the reason, any other:
// "Application error"); the call always returns normally.
void ExportToSpreadsheet(const ExportOperation& operation);

// The texts of one window's exports, the same for both programs.
struct ExportTexts {
    QString titleEnglish; // "Export, SIC:"; the code and " to Excel file" follow
    QString titleFrench;  // "Exporter, CTI:"; the code and " à un fichier de Excel" follow
    QString defaultStem;  // "MyVal"; the code and ".xlsx" / ".123" follow
};
const ExportTexts& myValuesExport();        // frmMyValues
const ExportTexts& myRatiosExport();        // frmMyRatios
const ExportTexts& myBalanceSheetExport();  // frmMyBalanceSheet
const ExportTexts& threeYearValuesExport(); // frmMyValuesV3
const ExportTexts& threeYearRatiosExport(); // frmMyRatiosV3

// "Export, SIC:" & code & " to Excel file" (language 0), or the French form.
QString exportTitle(const ExportTexts& texts, Program program, const QString& code, int language);
// The documents folder followed by the stem, the code and ".xlsx" or ".123". A "/" in the code
// would reach into another folder: it becomes "-".
QString defaultExportName(const ExportTexts& texts, Program program, const QString& code);

// The operation of a window's export: its title and default name with the code, in the user's
// language, and its cells.
ExportOperation exportOperation(const ExportTexts& texts, Program program, const QString& code, std::vector<ExportCell> cells);

// The one-cell range text of 1-2-3: "A:B4.A:B4".
QString lotusRange(int row, int column);
// A value cell's text as Lotus receives it: exactly "..." becomes "\"..." (a right-aligned
// label); every other text is unchanged.
QString lotusValueText(const QString& text);

// ---- cell layouts as data ------------------------------------------------------------------
// A part of a cell's text: a fixed text, or the text that a control of the window shows.
struct Part {
    enum class Kind { Fixed, Control } kind = Kind::Fixed;
    QString text; // the fixed text, or the control's object name
};
inline Part fixed(const QString& text) { return {Part::Kind::Fixed, text}; }
inline Part control(const QString& name) { return {Part::Kind::Control, name}; }

// One cell of a layout: its name ("B4"), its parts joined in order, and whether it is a value
// cell; stringId documents the caption a control shows (English id; French is id + 1; 0: none).
struct LayoutCell {
    QString cell;
    std::vector<Part> parts;
    bool value = false;
    int stringId = 0;
};
using Layout = std::vector<LayoutCell>;

// frmMyValues' 70 cells, in the order they are written; A1 in the given language.
Layout myValuesLayout(int language);

// Builds the cells of a layout, reading each control's text through `textOf` when the cell is
// written. Throws std::invalid_argument for a malformed cell name.
std::vector<ExportCell> layoutCells(const Layout& layout, std::function<std::function<QString()>(const QString& control)> textOf);

// ---- owners and dialogs --------------------------------------------------------------------
// The windows that export, by the flag that names them to their dialog.
enum class OwnerSlot { OneYearRatios, BalanceSheet, OneYearValues, ThreeYearRatios, ThreeYearValues };
enum class DialogKind { OneYear, ThreeYear }; // frmExport, frmExportV3

DialogKind dialogOf(OwnerSlot slot);
// Sets the owner flags as the slot's Export button does (the three-year buttons leave
// gExportFromBalanceSheet alone).
void setOwnerFlags(OwnerSlot slot);
// The owner named by the first flag that is True, in the dialog's order of tests.
std::optional<OwnerSlot> findOwner(DialogKind dialog);

} // namespace kiv::exports
