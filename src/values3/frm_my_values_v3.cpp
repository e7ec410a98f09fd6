#include "values3/frm_my_values_v3.h"

FrmMyValuesV3::FrmMyValuesV3()
    : Form(QStringLiteral("frmMyValuesV3"))
{
    setDesignSize(12000, 9000);
    const char16_t* items[] = {u"Ta", u"Tliab", u"Equity1", u"OperatingRevenue", u"Sales", u"GrossProfit",
                               u"OperatingProfit", u"PretaxProfit", u"AfterTaxProfit"};
    kiv::TextBox** boxes[3][9] = {
        {&txtTaYear3, &txtTliabYear3, &txtEquity1Year3, &txtOperatingRevenueYear3, &txtSalesYear3, &txtGrossProfitYear3,
         &txtOperatingProfitYear3, &txtPretaxProfitYear3, &txtAfterTaxProfitYear3},
        {&txtTaYear2, &txtTliabYear2, &txtEquity1Year2, &txtOperatingRevenueYear2, &txtSalesYear2, &txtGrossProfitYear2,
         &txtOperatingProfitYear2, &txtPretaxProfitYear2, &txtAfterTaxProfitYear2},
        {&txtTaYear1, &txtTliabYear1, &txtEquity1Year1, &txtOperatingRevenueYear1, &txtSalesYear1, &txtGrossProfitYear1,
         &txtOperatingProfitYear1, &txtPretaxProfitYear1, &txtAfterTaxProfitYear1}};
    for (int y = 0; y < 3; ++y)
        for (int i = 0; i < 9; ++i) {
            const QString name = QStringLiteral("txt") + QString::fromUtf16(items[i]) + QStringLiteral("Year") + QString::number(3 - y);
            *boxes[y][i] = addControl(new kiv::TextBox(name, this), kiv::fit::Kind::TextBox, 3000 + 2000.0f * y, 1000 + 400.0f * i, 1800, 285);
        }
}

std::vector<kiv::TextBox*> FrmMyValuesV3::amountBoxes() const
{
    return {txtTaYear3, txtTliabYear3, txtEquity1Year3, txtOperatingRevenueYear3, txtSalesYear3, txtGrossProfitYear3,
            txtOperatingProfitYear3, txtPretaxProfitYear3, txtAfterTaxProfitYear3,
            txtTaYear2, txtTliabYear2, txtEquity1Year2, txtOperatingRevenueYear2, txtSalesYear2, txtGrossProfitYear2,
            txtOperatingProfitYear2, txtPretaxProfitYear2, txtAfterTaxProfitYear2,
            txtTaYear1, txtTliabYear1, txtEquity1Year1, txtOperatingRevenueYear1, txtSalesYear1, txtGrossProfitYear1,
            txtOperatingProfitYear1, txtPretaxProfitYear1, txtAfterTaxProfitYear1};
}
