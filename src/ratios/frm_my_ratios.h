#pragma once
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/window_return.h"
#include "values/export_window.h"

#include <array>
#include <cstdint>

// The one-year ratio comparison window: the firm's fifteen ratios beside the current industry's
// medians, with the firm's place in the industry's quartiles. Its content lives only in label
// texts and is rebuilt from the entry window's ratios and the current industry every time the
// window is shown, and whenever it becomes active again after another window of the program.
class FrmMyRatios : public kiv::Form, public kiv::ExportOwnerAt<kiv::exports::OwnerSlot::OneYearRatios> {
    Q_OBJECT
public:
    FrmMyRatios();

    // ---- commands ----------------------------------------------------------------------------
    kiv::CommandButton *Command1, *Command2;  // on to the balance sheet; back to the entry window
    kiv::CommandButton *cmdView1, *cmdView;   // the industry's ratio and balance-sheet reports
    kiv::CommandButton *cmdChoose, *cmdExport, *cmdPrint, *CmdFontSize, *CmdHelp, *cmdQuit;
    kiv::CommandButton *cmdExcMR, *cmdLotusMR; // never shown: the export dialog's operations
    kiv::CommonDialog* CommonDialog1;
    kiv::ShapeControl* Shape1;

    // ---- header --------------------------------------------------------------------------------
    // The edition lines, the code system's name and the industry's code and name.
    kiv::Label *lblMedium, *lblRevenue, *lblSice1, *lblSice, *lblIndustryDescription;
    // The word "Industry" and the industry number: never shown, printed.
    kiv::Label *lblIndustryNum, *lblIndustryNumber;
    kiv::Label *lblNumber, *lblNumberOfFirms;
    // Column heads and the title over the two position columns.
    kiv::Label *lblMrRatios, *lblAverage, *Label1, *lblBetter, *lblWorse;
    // Group heads.
    kiv::Label *lblProfitability, *lblEffeciency, *lblLiquidity;

    // ---- the fifteen rows ----------------------------------------------------------------------
    // The firm's ratios, in screen order.
    kiv::Label *lblMyNpm, *lblMyPpm, *lblMyOpm, *lblMyGpm, *lblMyOrtnoa, *lblMyRnoa, *lblMyPpa, *lblMyRoce, *lblMyRoe,
        *lblMyRt, *lblMyIt, *lblMyWc, *lblMyDe, *lblMyLta, *lblMyIc;

    // A label of the window by its object name (the ratio names, quartiles and positions have no
    // members of their own); null when there is none.
    kiv::Label* label(const QString& name) const;

    std::int16_t CurrentFontSize = 10;

    // ---- handlers ------------------------------------------------------------------------------
    void cmdChoose_Click();
    void Command1_Click();
    void Command2_Click();
    void cmdView1_Click();
    void cmdView_Click();
    void cmdExport_Click();
    void cmdPrint_Click();
    void CmdFontSize_Click();
    void CmdHelp_Click();
    void cmdQuit_Click();
    // A click on the name of the row-th ratio (0 to 14, screen order): its definition.
    void ratioName_Click(int row);
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
    // Rebuilds the whole content from the current industry and the firm's ratios. A problem
    // with the industry's figures is told only when `report` is set (the window being shown):
    // coming back to the window gives the same empty comparison without telling it again.
    void rebuild(bool report);
    void blankPositions();
    void setMedian(kiv::Label* median, const QString& text);
    // The industry's report through the industry selection window.
    void showIndustryReport(bool ratios);
    void exportTo(kiv::exports::Program program);

    std::array<kiv::Label*, 15> names_{};
    bool rebuilding_ = false;
    // Getting the activation back from another window of the program rebuilds the content.
    kiv::WindowReturn return_;
};
KIV_FORM_ACCESSOR(FrmMyRatios, frmMyRatios)
