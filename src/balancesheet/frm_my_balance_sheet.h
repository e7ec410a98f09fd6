#pragma once
#include "balancesheet/balance_sheet_structure.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/window_return.h"
#include "values/export_window.h"

#include <array>
#include <cstdint>

namespace kiv {
class ClickLabel;
}

// The balance-sheet structure comparison: the firm's balance-sheet items as percentages of its
// totals beside the current industry's percentages, with the difference. Every activation
// rebuilds the content from the entry window's boxes and the current industry's record.
class FrmMyBalanceSheet : public kiv::Form, public kiv::ExportOwnerAt<kiv::exports::OwnerSlot::BalanceSheet> {
    Q_OBJECT
public:
    FrmMyBalanceSheet();

    static constexpr int kRows = kiv::balancesheet::kRowCount;

    // ---- header --------------------------------------------------------------------------
    kiv::Label *lblMedium, *lblRevenue, *lblSice1; // the edition's lines
    kiv::Label *lblSice, *lblIndustryDescription;  // the current industry's code and name
    kiv::Label *lblIndustry, *lblIndustryNumber;   // never shown: for the printout
    kiv::ShapeControl* Shape1;                     // the black band behind the header

    // ---- title and heads -----------------------------------------------------------------
    kiv::Label *lblBalance, *lblAssets, *Label3;
    kiv::Label *Label27, *Label28, *Label1;  // heads of the asset block
    kiv::Label *Label62, *Label63, *Label14; // heads of the liability block

    // ---- the 25 rows, in the order of kiv::balancesheet::structureRows() -------------------
    std::array<kiv::ClickLabel*, kRows> captionLabels{};
    std::array<kiv::Label*, kRows> firmLabels{};
    std::array<kiv::Label*, kRows> industryLabels{};
    std::array<kiv::Label*, kRows> differenceLabels{};

    // ---- commands ------------------------------------------------------------------------
    kiv::CommandButton *cmdView, *Command1, *cmdChoose, *cmdExport, *cmdPrint, *CmdFontSize, *CmdHelp, *cmdQuit;
    kiv::CommandButton *CmdExcMB, *cmdLotusMB; // never shown: the export dialog runs their operations
    kiv::CommonDialog* CommonDialog1;

    std::int16_t CurrentFontSize = 10;

    void cmdChoose_Click();
    void cmdView_Click();
    void Command1_Click();
    void cmdExport_Click();
    void cmdPrint_Click();
    void CmdFontSize_Click();
    void CmdHelp_Click();
    void cmdQuit_Click();
    // A click on a row's caption: the item's definition.
    void caption_Click(int row);
    // The export dialog's operations.
    void cmdExcMB_Click();
    void cmdLotusMB_Click();

    void excel() override { cmdExcMB_Click(); }
    void lotus() override { cmdLotusMB_Click(); }
    kiv::Form& form() override { return *this; }

    // A label of the window by name; null when there is none.
    kiv::Label* label(const QString& name) const;

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Paint() override;
    void changeEvent(QEvent* event) override;

private:
    // Rebuilds the whole content from the entry window's figures and the current industry. What
    // the industry lacks is told only when `report` is set (the window being shown): coming back
    // to the window gives the same content without telling it again.
    void rebuild(bool report);
    void exportTo(kiv::exports::Program program);

    bool activating_ = false;
    // Getting the activation back from another window of the program rebuilds the content.
    kiv::WindowReturn return_;
};
KIV_FORM_ACCESSOR(FrmMyBalanceSheet, frmMyBalanceSheet)
