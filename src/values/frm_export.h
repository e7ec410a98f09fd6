#pragma once
// The export dialogs: frmExport serves the one-year windows, frmExportV3 the three-year ones.
// The window that opens one disables itself and names itself in the owner flags; OK runs the
// owner's Excel or Lotus operation for the chosen program, and OK, Cancel and the close box
// all bring the owner to the front and enable it again.
#include "platform/controls.h"
#include "platform/form.h"
#include "values/export.h"

#include <QPointer>

namespace kiv {

class ExportOwner;

class ExportDialog : public Form {
    Q_OBJECT
public:
    OptionButton* optExcel;
    OptionButton* optLotus;
    CommandButton* cmdOK;
    CommandButton* cmdCancel;
    Label* lblExportMsg;

    void cmdOK_Click();
    void cmdCancel_Click();

    // The window the owner flags name for this dialog, when it exists.
    ExportOwner* owner() const;
    // The control that had the focus in the owner when it opened the dialog: it has it again
    // when the owner comes back.
    void setOwnerFocus(QWidget* control) { ownerFocus_ = control; }

protected:
    ExportDialog(const QString& name, exports::DialogKind kind);
    void Form_Load() override;
    void Form_Paint() override;
    // The close box is Cancel.
    void Form_Unload() override;

private:
    exports::DialogKind kind_;
    QPointer<QWidget> ownerFocus_;
};

// Where a dialog of the design size stands when centred on a screen, in twips (left, top).
QPointF centredPosition(QSizeF screenTwips, QSizeF dialogTwips);

// An Export button's three steps: show the slot's dialog, disable the window, set the flags.
void openExportDialog(exports::OwnerSlot slot, Form& window);

} // namespace kiv

class FrmExport : public kiv::ExportDialog {
    Q_OBJECT
public:
    FrmExport();
};
KIV_FORM_ACCESSOR(FrmExport, frmExport)

class FrmExportV3 : public kiv::ExportDialog {
    Q_OBJECT
public:
    FrmExportV3();
};
KIV_FORM_ACCESSOR(FrmExportV3, frmExportV3)
