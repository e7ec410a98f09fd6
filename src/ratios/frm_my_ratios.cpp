#include "ratios/frm_my_ratios.h"

#include "shell/module1.h"
#include "values/company_ratios.h"
#include "values/frm_my_values.h"

namespace values = kiv::values;

FrmMyRatios::FrmMyRatios()
    : Form(QStringLiteral("frmMyRatios"))
{
    setDesignSize(11295, 8085);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 128));
    setPalette(pal);
    setAutoFillBackground(true);
    Command2 = addControl(new kiv::CommandButton(QStringLiteral("Command2"), this), kiv::fit::Kind::CommandButton, 5655, 0,
                          5640, 375);
    connect(Command2, &kiv::CommandButton::Click, this, &FrmMyRatios::Command2_Click);
    kiv::Label** members[] = {&lblMyNpm, &lblMyPpm, &lblMyOpm, &lblMyGpm, &lblMyOrtnoa, &lblMyRnoa, &lblMyPpa, &lblMyRoce,
                              &lblMyRoe, &lblMyRt, &lblMyIt, &lblMyWc, &lblMyDe, &lblMyLta, &lblMyIc};
    const auto order = values::comparisonOrder();
    for (std::size_t row = 0; row < order.size(); ++row) {
        const values::RatioInfo& r = values::ratios()[std::size_t(order[row])];
        const QString code = QString::fromUtf16(r.code);
        const float top = 1200 + 420 * float(row);
        names_[row] = addControl(new kiv::Label(QStringLiteral("lblName") + code, this), kiv::fit::Kind::Label, 300, top, 5400, 300);
        mine_[row] = addControl(new kiv::Label(QStringLiteral("lblMy") + code, this), kiv::fit::Kind::Label, 6000, top, 1500, 300);
        QPalette white = names_[row]->palette();
        white.setColor(QPalette::WindowText, Qt::white);
        names_[row]->setPalette(white);
        mine_[row]->setAutoFillBackground(true);
        QPalette grey = mine_[row]->palette();
        grey.setColor(QPalette::Window, QColor(192, 192, 192));
        mine_[row]->setPalette(grey);
        mine_[row]->setAlignment(Qt::AlignCenter);
        *members[row] = mine_[row];
    }
}

void FrmMyRatios::Form_Load()
{
    kiv::fit::Variant variant;
    variant.heightFactor = 0.95;
    variant.font = {kiv::fit::FontRule::Fixed, 10};
    FitFormToScreen(variant);
}

void FrmMyRatios::Form_Activate()
{
    FrmMyValues& values = frmMyValues();
    const auto order = values::comparisonOrder();
    for (std::size_t row = 0; row < order.size(); ++row)
        mine_[row]->setText(values.ratioLabel(int(order[row]))->text());
}

void FrmMyRatios::Form_Paint()
{
    setCaption(kiv::text(244));
    Command2->setText(kiv::text(240));
    const auto order = values::comparisonOrder();
    for (std::size_t row = 0; row < order.size(); ++row)
        names_[row]->setText(kiv::text(values::ratios()[std::size_t(order[row])].nameId));
}

void FrmMyRatios::Command2_Click()
{
    frmMyValues().Show();
    Hide();
}
