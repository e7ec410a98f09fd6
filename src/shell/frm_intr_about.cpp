#include "shell/frm_intr_about.h"

#include "shell/frm_menuselect.h"
#include "shell/module1.h"

#include <QPalette>

using kiv::fit::Kind;

FrmIntrAbout::FrmIntrAbout()
    : Form(QStringLiteral("frmIntrAbout"))
{
    setDesignSize(12000, 9000);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 96));
    setPalette(pal);

    SSPanel1 = addControl(new kiv::Panel3D(QStringLiteral("SSPanel1"), this), Kind::Panel3D, 1800, 1080, 8400, 1800, 40.0f);
    {
        QPalette p = SSPanel1->palette();
        p.setColor(QPalette::Window, QColor(208, 208, 224));
        p.setColor(QPalette::WindowText, QColor(0, 0, 96));
        SSPanel1->setPalette(p);
        SSPanel1->setAutoFillBackground(true);
        QFont f = SSPanel1->font();
        f.setBold(true);
        SSPanel1->setFont(f);
    }
    SSPanel2 = addControl(new kiv::Panel3D(QStringLiteral("SSPanel2"), this), Kind::Panel3D, 1800, 3240, 8400, 3360, 10.0f);
    {
        QPalette p = SSPanel2->palette();
        p.setColor(QPalette::Window, QColor(0, 64, 128));
        SSPanel2->setPalette(p);
        SSPanel2->setAutoFillBackground(true);
    }
    using Art = kiv::PictureControl::Art;
    Image1 = addControl(new kiv::PictureControl(QStringLiteral("Image1"), SSPanel2, Art::Chart), Kind::Image, 600, 600, 2100, 2160);
    Image2 = addControl(new kiv::PictureControl(QStringLiteral("Image2"), SSPanel2, Art::Emblem), Kind::Image, 3150, 600, 2100, 2160);
    Image3 = addControl(new kiv::PictureControl(QStringLiteral("Image3"), SSPanel2, Art::Book), Kind::Image, 5700, 600, 2100, 2160);

    ReturntoMenu = addControl(new kiv::CommandButton(QStringLiteral("ReturntoMenu"), this), Kind::Button3D, 4650, 7200, 2700, 780, 14.0f);
    connect(ReturntoMenu, &kiv::CommandButton::Click, this, &FrmIntrAbout::ReturntoMenu_Click);
}

kiv::fit::Variant FrmIntrAbout::fitVariant()
{
    kiv::fit::Variant v;
    v.font = {kiv::fit::FontRule::Scale, 0};
    return v;
}

void FrmIntrAbout::Form_Load()
{
    FitFormToScreen(fitVariant());
}

void FrmIntrAbout::Form_Paint()
{
    setCaption(kiv::text(338));
    SSPanel1->setText(kiv::text(2));
    ReturntoMenu->setText(kiv::text(352));
}

void FrmIntrAbout::ReturntoMenu_Click()
{
    frmMenuselect().Show();
    Hide();
}
