#pragma once
#include "platform/controls.h"
#include "platform/form.h"
#include "values/amount_entry.h"
#include "values/export_window.h"
#include "values3/three_year_values.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kiv {
class ClickLabel;
class HandPicture;
class ImageArea;
} // namespace kiv

// The three-year entry window: nine amounts for each of three fiscal years, typed by the user,
// from which the compare button computes six ratios per year for the comparison window.
class FrmMyValuesV3 : public kiv::Form, public kiv::ExportOwnerAt<kiv::exports::OwnerSlot::ThreeYearValues> {
    Q_OBJECT
public:
    FrmMyValuesV3();

    // Year3 is captioned 1999, Year2 1998, Year1 1997.
    kiv::TextBox *txtTaYear3, *txtTliabYear3, *txtEquity1Year3, *txtOperatingRevenueYear3, *txtSalesYear3,
        *txtGrossProfitYear3, *txtOperatingProfitYear3, *txtPretaxProfitYear3, *txtAfterTaxProfitYear3;
    kiv::TextBox *txtTaYear2, *txtTliabYear2, *txtEquity1Year2, *txtOperatingRevenueYear2, *txtSalesYear2,
        *txtGrossProfitYear2, *txtOperatingProfitYear2, *txtPretaxProfitYear2, *txtAfterTaxProfitYear2;
    kiv::TextBox *txtTaYear1, *txtTliabYear1, *txtEquity1Year1, *txtOperatingRevenueYear1, *txtSalesYear1,
        *txtGrossProfitYear1, *txtOperatingProfitYear1, *txtPretaxProfitYear1, *txtAfterTaxProfitYear1;

    // The 27 boxes, Year3 block first, each block in the order above.
    std::vector<kiv::TextBox*> amountBoxes() const;

    kiv::CommandButton *cmdView, *cmdReturn, *cmdPrint, *cmdExport, *CmdFontSize, *CmdHelp, *cmdQuit;
    kiv::CommandButton *cmdSave, *cmdRestore, *cmdClear;
    kiv::CommandButton *cmdExcMV, *cmdLotusMV; // never shown: the export dialog's operations

    // Section headings, notes and year captions.
    kiv::Label *Label15, *Label16, *Label4, *Label6, *Label17, *Label13, *Label1, *Label2, *Label5;
    // Item captions, top to bottom; a click shows the item's definition.
    kiv::ClickLabel *Label3, *lblLiabilities, *lblEquity, *lblOperatingRevenue1, *lblRevenue6,
        *lblGrossProfit, *lblOperatingProfit, *lblPretaxProfit, *lblAftertaxProfit;
    // The firm's ratios, hidden: Year3 without suffix, Year2 ending 95, Year1 ending 94. The
    // comparison window reads their captions.
    kiv::Label *lblNpm, *lblPpm, *lblGpm, *lblPpa, *lblLta, *lblRoe;
    kiv::Label *lblNpm95, *lblPpm95, *lblGpm95, *lblPpa95, *lblLta95, *lblRoe95;
    kiv::Label *lblNpm94, *lblPpm94, *lblGpm94, *lblPpa94, *lblLta94, *lblRoe94;
    // The 18 ratio labels in the order they are written: Year3's six, Year2's, Year1's.
    std::vector<kiv::Label*> ratioLabels() const;

    // The hands over the year columns (0: 1999, 1: 1998, 2: 1997) and the image areas over
    // them: a click on Image1, over the 1999 hand, asks the exit question as Exit does.
    std::array<kiv::HandPicture*, 3> imgPoint{};
    kiv::ImageArea *Image1, *Image3, *Image2;
    kiv::CommonDialog* CommonDialog1;

    std::int16_t CurrentFontSize = 10;

    // Click handlers.
    void cmdView_Click();
    void cmdReturn_Click();
    void cmdPrint_Click();
    void cmdExport_Click();
    void CmdFontSize_Click();
    void CmdHelp_Click();
    void cmdQuit_Click();
    void cmdSave_Click();
    void cmdRestore_Click();
    void cmdClear_Click();
    void Image1_Click();
    // The export dialog's operations.
    void cmdExcMV_Click();
    void cmdLotusMV_Click();

    void excel() override { cmdExcMV_Click(); }
    void lotus() override { cmdLotusMV_Click(); }
    kiv::Form& form() override { return *this; }

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Paint() override;

private:
    kiv::values3::Texts texts() const;
    void setTexts(const QStringList& texts);
    void focusAndSelect(kiv::TextBox* box);
    void showDefinition(const QString& label);
    // Shows the comparison window, which reads the ratio labels, and hides this one.
    void showComparison();
    void exportTo(kiv::exports::Program program);

    std::array<kiv::TextBox*, kiv::values3::kAmountCount> boxes_{};
    std::array<kiv::ClickLabel*, kiv::values3::kItemCount> captions_{};
    kiv::AmountEntry entry_;
};
KIV_FORM_ACCESSOR(FrmMyValuesV3, frmMyValuesV3)
