#pragma once
#include "platform/controls.h"
#include "platform/form.h"

// The one-year entry window: the firm's balance sheet and income statement.
// (Being built: only its 33 figure boxes so far.)
class FrmMyValues : public kiv::Form {
    Q_OBJECT
public:
    FrmMyValues();

    kiv::TextBox *txtCash, *txtAr, *txtInv, *txtCA, *txtOA, *txtToa, *txtInvest, *txtPtfl, *txtTa;
    kiv::TextBox *txtAccountsPayable, *txtBanks, *txtPaper, *txtMtg, *txtBonds, *txtOl, *txtAmtsAffil,
        *txtOLiab, *txtDefTax, *txtTliab;
    kiv::TextBox *txtShareC, *txtRetEarn, *txtOtherSur, *txtTotLiabShareEq, *txtEquity1;
    kiv::TextBox *txtCurrentAssets, *txtCurrentLiabilities;
    kiv::TextBox *txtOperatingRevenue, *txtSales, *txtGrossProfit, *txtOperatingProfit, *txtInterestExpense,
        *txtPretaxProfit, *txtProfitAfterTax;

    // The 33 figure boxes in the order the edition menu's Start writes them.
    std::vector<kiv::TextBox*> figureBoxes() const;
};
KIV_FORM_ACCESSOR(FrmMyValues, frmMyValues)
