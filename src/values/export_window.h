#pragma once
// The windows' side of the spreadsheet export: the owner a dialog calls back, and the cells
// of a layout read from a window's controls.
#include "values/export.h"

#include <QObject>

namespace kiv {

class Form;

// A window that exports through frmExport or frmExportV3. It registers itself under its slot
// while it exists; the dialog finds it there by the owner flags.
class ExportOwner {
public:
    virtual ~ExportOwner();
    ExportOwner(const ExportOwner&) = delete;
    ExportOwner& operator=(const ExportOwner&) = delete;

    virtual void excel() = 0; // the window's Excel operation (its cmdExc..._Click)
    virtual void lotus() = 0; // its Lotus operation (cmdLotus..._Click)
    virtual Form& form() = 0; // the window itself

protected:
    explicit ExportOwner(exports::OwnerSlot slot);

private:
    exports::OwnerSlot slot_;
};

// For windows whose constructor should not change: derive from ExportOwnerAt<slot>.
template <exports::OwnerSlot Slot>
class ExportOwnerAt : public ExportOwner {
protected:
    ExportOwnerAt()
        : ExportOwner(Slot)
    {
    }
};

// The window registered under the slot; null when there is none.
ExportOwner* exportOwner(exports::OwnerSlot slot);

// The text a control of the window shows (a label's caption, a box's text, a button's caption),
// found by object name. Throws std::invalid_argument when the window has no such control.
QString controlText(const QObject& window, const QString& name);

// The cells of a layout, reading the window's controls when each cell is written (a missing
// control then fails the export with "Application error").
std::vector<exports::ExportCell> windowCells(const QObject& window, const exports::Layout& layout);

// The caption of frmStartup.lblSICC: the current industry's code text, which the exports put
// into their titles and default file names.
QString industryCodeText();

} // namespace kiv
