#pragma once
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/report/report_control.h"

#include <QPointer>

// The print menu: a small window over the disabled industry selection window. It prints the
// prepared reports of the whole edition or the industry index; whatever the user does, the
// window that opened it (the industry selection window) is brought to the front and enabled
// again.
class FrmPrintAll : public kiv::Form {
    Q_OBJECT
public:
    FrmPrintAll();

    // The window that opens the menu and waits, disabled, until it closes.
    void setOpener(kiv::Form* opener) { opener_ = opener; }

    kiv::Label* lblMessage = nullptr;
    kiv::OptionButton* optPrintFR = nullptr;
    kiv::OptionButton* optPrintBS = nullptr;
    kiv::OptionButton* optPrintBoth = nullptr;
    kiv::OptionButton* optPrintIndex = nullptr;
    kiv::CommandButton* cmdOK = nullptr;
    kiv::CommandButton* cmdCancel = nullptr;
    // Prints the whole-edition reports.
    kiv::report::ReportControl* CrystalReport1 = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    // The close box closes the menu as Cancel does.
    void Form_Unload() override;

private:
    // The opener in front and enabled again.
    void releaseOpener();

    QPointer<kiv::Form> opener_;
};
KIV_FORM_ACCESSOR(FrmPrintAll, frmPrintAll)
