#pragma once
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/window_return.h"
#include "values/export_window.h"

#include <cstdint>

namespace kiv {
class ClickLabel;
}

// The three-year comparison window: the firm's six ratios for 1999, 1998 and 1997 beside the
// current industry's medians, with the firm's place in the industry's quartiles. Its content
// lives only in label texts and is rebuilt every time the window is shown, and whenever it
// becomes active again after another window of the program (the export dialog).
class FrmMyRatiosV3 : public kiv::Form, public kiv::ExportOwnerAt<kiv::exports::OwnerSlot::ThreeYearRatios> {
    Q_OBJECT
public:
    FrmMyRatiosV3();

    kiv::CommandButton *cmdChoose, *Command2, *cmdView1, *cmdExport, *cmdPrint, *CmdFontSize, *CmdHelp, *cmdQuit;
    kiv::CommandButton *cmdExcMR, *cmdLotusMR; // never shown: the export dialog's operations
    kiv::CommonDialog* CommonDialog1;
    kiv::ShapeControl* Shape1;

    // Header: the word before the industry number and the number (both hidden), the revenue
    // class, the name of the code system, the code and the industry's name.
    kiv::Label *lblIndustryNum, *lblIndustryNumber, *lblRevenue, *lblSice1, *lblSice, *lblIndustryDescription;
    // Heading of the ratio list and the column heads.
    kiv::Label *lblProfitability, *lblMrRatios, *lblAverage, *Label1, *lblBetter, *lblWorse;
    // The ratio names; a click shows the ratio's definition.
    kiv::ClickLabel *lblNetProfitMargin, *lblPretaxProfitMargin, *lblGrossProfitMargin, *lblPretaxProfitToAssets,
        *lblReturnOnEquity, *lblLiabilitiesToAssets;

    // A label of the window by its object name (the comparison labels have no members of
    // their own); null when there is none.
    kiv::Label* label(const QString& name) const;

    std::int16_t CurrentFontSize = 10;

    void cmdChoose_Click();
    void Command2_Click();
    void cmdView1_Click();
    void cmdExport_Click();
    void cmdPrint_Click();
    void CmdFontSize_Click();
    void CmdHelp_Click();
    void cmdQuit_Click();
    void lblNetProfitMargin_Click();
    void lblPretaxProfitMargin_Click(std::int16_t Index);
    void lblGrossProfitMargin_Click();
    void lblPretaxProfitToAssets_Click(std::int16_t Index);
    void lblReturnOnEquity_Click();
    void lblLiabilitiesToAssets_Click();
    // The export dialog's operations.
    void cmdExcMR_Click();
    void cmdLotusMR_Click();

    void excel() override { cmdExcMR_Click(); }
    void lotus() override { cmdLotusMR_Click(); }
    kiv::Form& form() override { return *this; }

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Paint() override;
    void changeEvent(QEvent* event) override;

private:
    void showDefinition(const QString& nameLabel);
    void exportTo(kiv::exports::Program program);
    void setText(const QString& name, const QString& text);
    // Rebuilds the whole content from the current industry and the firm's ratios; `report`
    // tells the user when the industry can't be compared.
    void rebuild(bool report);

    bool rebuilding_ = false;
    // The window lost the activation to another window of the program (not a message box):
    // getting it back rebuilds the content.
    kiv::WindowReturn return_;
};
KIV_FORM_ACCESSOR(FrmMyRatiosV3, frmMyRatiosV3)
