#include "balancesheet/frm_my_balance_sheet.h"

#include "ratios/frm_my_ratios.h"
#include "shell/module1.h"
#include "values/frm_my_values.h"

namespace {

using kiv::values::Item;

struct RowSource {
    const char16_t* label;
    Item item;
};

// The 25 balance-sheet boxes read by the window: all but total shareholders' equity.
constexpr RowSource kSources[FrmMyBalanceSheet::kRows] = {
    {u"lblMyCash", Item::Cash},
    {u"lblMyAr", Item::AccountsReceivable},
    {u"lblMyInv", Item::Inventory},
    {u"lblMyCa", Item::CapitalAssets},
    {u"lblMyOa", Item::OtherAssets},
    {u"lblMyToa", Item::TotalOperatingAssets},
    {u"lblMyInvest", Item::InvestmentsWithAffiliates},
    {u"lblMyPtfl", Item::PortfolioInvestments},
    {u"lblMyTa", Item::TotalAssets},
    {u"lblMyAccountsPayable", Item::AccountsPayable},
    {u"lblMyBank", Item::BankLoans},
    {u"lblMyPaper", Item::ShortTermPaper},
    {u"lblMyMtg", Item::Mortgages},
    {u"lblMyBonds", Item::Bonds},
    {u"lblMyOl", Item::OtherLoans},
    {u"lblMyAmtsAffil", Item::AmountsOwingToAffiliates},
    {u"lblMyOliab", Item::OtherLiabilities},
    {u"lblMyDefTax", Item::DeferredTax},
    {u"lblMyTliab", Item::TotalLiabilities},
    {u"lblMyShareC", Item::ShareCapital},
    {u"lblMyRetEarn", Item::RetainedEarnings},
    {u"lblMyOtherSur", Item::OtherSurplus},
    {u"lblMyTotLiabShareEq", Item::TotalLiabilitiesAndShareholdersEquity},
    {u"lblMyCurrentAssets", Item::CurrentAssets},
    {u"lblMyCurrentLiabilities", Item::CurrentLiabilities},
};

} // namespace

FrmMyBalanceSheet::FrmMyBalanceSheet()
    : Form(QStringLiteral("frmMyBalanceSheet"))
{
    setDesignSize(10350, 7590);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 128));
    setPalette(pal);
    setAutoFillBackground(true);
    cmdView = addControl(new kiv::CommandButton(QStringLiteral("cmdView"), this), kiv::fit::Kind::CommandButton, 0, 0, 5175, 375);
    Command1 = addControl(new kiv::CommandButton(QStringLiteral("Command1"), this), kiv::fit::Kind::CommandButton, 5175, 0, 5175, 375);
    connect(cmdView, &kiv::CommandButton::Click, this, &FrmMyBalanceSheet::cmdView_Click);
    connect(Command1, &kiv::CommandButton::Click, this, &FrmMyBalanceSheet::Command1_Click);
    for (int i = 0; i < kRows; ++i) {
        const float left = i < 13 ? 3045 : 8085;
        const float top = 900 + 480 * float(i % 13);
        firmLabels[std::size_t(i)] = addControl(new kiv::Label(QString::fromUtf16(kSources[i].label), this), kiv::fit::Kind::Label,
                                                left, top, 1500, 300);
        firmLabels[std::size_t(i)]->setAutoFillBackground(true);
        QPalette grey = firmLabels[std::size_t(i)]->palette();
        grey.setColor(QPalette::Window, QColor(192, 192, 192));
        firmLabels[std::size_t(i)]->setPalette(grey);
    }
}

void FrmMyBalanceSheet::Form_Load()
{
    kiv::fit::Variant variant;
    variant.heightFactor = 0.95;
    variant.font = {kiv::fit::FontRule::Fixed, 10};
    FitFormToScreen(variant);
}

void FrmMyBalanceSheet::Form_Activate()
{
    FrmMyValues& values = frmMyValues();
    for (int i = 0; i < kRows; ++i)
        firmLabels[std::size_t(i)]->setText(values.box(kSources[i].item)->text());
}

void FrmMyBalanceSheet::Form_Paint()
{
    setCaption(kiv::text(232));
    cmdView->setText(kiv::text(242));
    Command1->setText(kiv::text(240));
}

void FrmMyBalanceSheet::cmdView_Click()
{
    frmMyRatios().Show();
    Hide();
}

void FrmMyBalanceSheet::Command1_Click()
{
    frmMyValues().Show();
    Hide();
}
