#pragma once
#include "platform/controls.h"
#include "platform/form.h"

#include <array>

// The balance-sheet structure comparison window. (Being built: so far it shows the firm's
// balance-sheet figures as the entry window holds them, and leads on to the ratio comparison
// and back to the entry window.)
class FrmMyBalanceSheet : public kiv::Form {
    Q_OBJECT
public:
    FrmMyBalanceSheet();

    kiv::CommandButton* cmdView;  // on to the ratio comparison, without computing anything
    kiv::CommandButton* Command1; // back to the entry window

    void cmdView_Click();
    void Command1_Click();

    // The firm's figure of each row ("lblMyCash" ...), read at every activation from the 25
    // balance-sheet boxes of the entry window.
    static constexpr int kRows = 25;
    std::array<kiv::Label*, kRows> firmLabels{};

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Paint() override;
};
KIV_FORM_ACCESSOR(FrmMyBalanceSheet, frmMyBalanceSheet)
