#pragma once
#include "platform/controls.h"
#include "platform/form.h"
#include "values/amount_entry.h"
#include "values/company_values.h"
#include "values/export_window.h"

#include <array>
#include <cstdint>
#include <vector>

// The one-year entry window: the firm's balance sheet and income statement, their totals, and
// the fifteen ratios the comparison windows read from its hidden labels.
class FrmMyValues : public kiv::Form, public kiv::ExportOwnerAt<kiv::exports::OwnerSlot::OneYearValues> {
    Q_OBJECT
public:
    FrmMyValues();
    ~FrmMyValues() override;

    // ---- the 33 figure boxes (and one that belongs to no item) ----------------------------
    kiv::TextBox *txtCash, *txtAr, *txtInv, *txtCA, *txtOA, *txtToa, *txtInvest, *txtPtfl, *txtTa;
    kiv::TextBox *txtAccountsPayable, *txtBanks, *txtPaper, *txtMtg, *txtBonds, *txtOl, *txtAmtsAffil,
        *txtOLiab, *txtDefTax, *txtTliab;
    kiv::TextBox *txtShareC, *txtRetEarn, *txtOtherSur, *txtTotLiabShareEq, *txtEquity1;
    kiv::TextBox *txtCurrentAssets, *txtCurrentLiabilities;
    kiv::TextBox *txtOperatingRevenue, *txtSales, *txtGrossProfit, *txtOperatingProfit, *txtInterestExpense,
        *txtPretaxProfit, *txtProfitAfterTax;
    kiv::TextBox* txtTotAssets;

    // ---- captions, headings, notes ---------------------------------------------------------
    kiv::Label *Label5, *lblReceivables, *lblInventory, *Label10, *Label11, *Label12, *Label2, *Label9, *Label3;
    kiv::Label *Label1, *Label8, *Label7, *lblMortgages, *lblBonds, *lblOtherLoans, *lblAffiliate, *lblOtherLiabilities,
        *lblDeferredTax, *lblLiabilities;
    kiv::Label *lblShareCapital, *lblRetainedEarnings, *lblOther, *lblEquity, *lblTotal, *lblCurrentAssets,
        *lblCurrentLiabilitite;
    kiv::Label *lblOperatingRevenue1, *lblRevenue6, *lblGrossProfit, *lblOperatingProfit, *lblInterextExpense,
        *lblPretaxProfit, *lblAftertaxProfit;
    kiv::Label *Label15, *Label16, *Label4;    // headings
    kiv::Label *Label13, *Label14, *lblEnter;  // "Enter your firm's data here"
    kiv::Label *Label6, *Label17;              // fiscal-year notes
    kiv::ShapeControl* Shape1;
    std::array<QWidget*, 3> Image1{};          // pointing hands, elements 0 to 2

    // ---- the firm's ratios, never shown ------------------------------------------------------
    kiv::Label *lblNpm, *lblPpm, *lblOpm, *lblGpm, *lblOrtnoa, *lblRnoa, *lblPpa, *lblRoce, *lblRoe, *lblRt, *lblIt,
        *lblWc, *lblDe, *lblLta, *lblIc;

    // ---- commands ----------------------------------------------------------------------------
    kiv::CommandButton *cmdView, *cmdCompare, *cmdReturn, *cmdExport, *cmdPrint, *CmdFontSize, *CmdHelp, *cmdQuit;
    kiv::CommandButton *cmdSave, *cmdRestore, *cmdCear;
    kiv::CommandButton *cmdExcMV, *cmdLotusMV; // never shown: the export dialog runs them
    kiv::CommonDialog* CommonDialog1;

    std::int16_t CurrentFontSize = 10;

    // The 33 figure boxes in the order the edition menu's Start and Clear write them.
    std::vector<kiv::TextBox*> figureBoxes() const;
    // The box, caption label and ratio label of an item or ratio.
    kiv::TextBox* box(kiv::values::Item item) const;
    kiv::Label* caption(kiv::values::Item item) const;
    kiv::Label* ratioLabel(int ratio) const;
    // The 33 box texts as they stand.
    kiv::values::Texts texts() const;

    // ---- handlers ----------------------------------------------------------------------------
    void cmdView_Click();
    void cmdCompare_Click();
    void cmdReturn_Click();
    void cmdCear_Click();
    void CmdFontSize_Click();
    void CmdHelp_Click();
    void cmdQuit_Click();
    // Saved figures, printing and the export.
    void cmdSave_Click();
    void cmdRestore_Click();
    void cmdPrint_Click();
    void cmdExport_Click();
    void cmdExcMV_Click();
    void cmdLotusMV_Click();
    // The export dialog's calls (frm_my_values_export.cpp).
    void excel() override { cmdExcMV_Click(); }
    void lotus() override { cmdLotusMV_Click(); }
    kiv::Form& form() override { return *this; }
    // A click on an item's caption.
    void ShowDefinition(kiv::values::Item item);

    // Checks a typed box (Enter or leaving it) and refreshes the totals of its block.
    bool ValidateAmountEntry(kiv::TextBox* box, kiv::AmountEntry::Trigger trigger);
    void RecomputeTotals(kiv::values::Item typed);
    // The balance check and the fifteen ratio texts; false when the statement is refused.
    bool ComputeRatios();

    kiv::AmountEntry& amountEntry() { return entry_; }

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Paint() override;

private:
    void buildLayout();
    void wireEntry();
    std::array<kiv::TextBox*, kiv::values::kItemCount> boxes_{};
    std::array<kiv::Label*, kiv::values::kItemCount> captions_{};
    std::array<kiv::Label*, 15> ratioLabels_{}; // by kiv::values::Ratio
    std::vector<kiv::CommandButton*> buttons_;
    kiv::AmountEntry entry_;
};
KIV_FORM_ACCESSOR(FrmMyValues, frmMyValues)
