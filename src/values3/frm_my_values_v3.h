#pragma once
#include "platform/controls.h"
#include "platform/form.h"

#include <array>

// The three-year entry window: nine amounts for each of three years.
// (Being built: only its 27 amount boxes so far.)
class FrmMyValuesV3 : public kiv::Form {
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
};
KIV_FORM_ACCESSOR(FrmMyValuesV3, frmMyValuesV3)
