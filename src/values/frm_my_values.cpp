#include "values/frm_my_values.h"

FrmMyValues::FrmMyValues()
    : Form(QStringLiteral("frmMyValues"))
{
    setDesignSize(12000, 9000);
    float top = 100;
    auto box = [&](const char16_t* name) {
        auto* t = addControl(new kiv::TextBox(QString::fromUtf16(name), this), kiv::fit::Kind::TextBox, 100, top, 1500, 285);
        top += 300;
        return t;
    };
    txtCash = box(u"txtCash");
    txtAr = box(u"txtAr");
    txtInv = box(u"txtInv");
    txtCA = box(u"txtCA");
    txtOA = box(u"txtOA");
    txtToa = box(u"txtToa");
    txtInvest = box(u"txtInvest");
    txtPtfl = box(u"txtPtfl");
    txtTa = box(u"txtTa");
    txtAccountsPayable = box(u"txtAccountsPayable");
    txtBanks = box(u"txtBanks");
    txtPaper = box(u"txtPaper");
    txtMtg = box(u"txtMtg");
    txtBonds = box(u"txtBonds");
    txtOl = box(u"txtOl");
    txtAmtsAffil = box(u"txtAmtsAffil");
    txtOLiab = box(u"txtOLiab");
    txtDefTax = box(u"txtDefTax");
    txtTliab = box(u"txtTliab");
    txtShareC = box(u"txtShareC");
    txtRetEarn = box(u"txtRetEarn");
    txtOtherSur = box(u"txtOtherSur");
    txtTotLiabShareEq = box(u"txtTotLiabShareEq");
    txtEquity1 = box(u"txtEquity1");
    txtCurrentAssets = box(u"txtCurrentAssets");
    txtCurrentLiabilities = box(u"txtCurrentLiabilities");
    txtOperatingRevenue = box(u"txtOperatingRevenue");
    txtSales = box(u"txtSales");
    txtGrossProfit = box(u"txtGrossProfit");
    txtOperatingProfit = box(u"txtOperatingProfit");
    txtInterestExpense = box(u"txtInterestExpense");
    txtPretaxProfit = box(u"txtPretaxProfit");
    txtProfitAfterTax = box(u"txtProfitAfterTax");
}

std::vector<kiv::TextBox*> FrmMyValues::figureBoxes() const
{
    return {txtCash, txtAr, txtInv, txtCA, txtOA, txtToa, txtInvest, txtPtfl, txtTa, txtAccountsPayable, txtBanks,
            txtPaper, txtMtg, txtBonds, txtOl, txtAmtsAffil, txtOLiab, txtDefTax, txtTliab, txtShareC, txtRetEarn,
            txtOtherSur, txtTotLiabShareEq, txtEquity1, txtCurrentAssets, txtCurrentLiabilities, txtOperatingRevenue,
            txtSales, txtGrossProfit, txtOperatingProfit, txtInterestExpense, txtPretaxProfit, txtProfitAfterTax};
}
