#include "shell/frm_start_menu.h"

#include "shell/data_folder.h"
#include "shell/edition_choice.h"
#include "shell/module1.h"

#include <QPainter>
#include <QPalette>

using kiv::fit::Kind;

namespace {
const QColor kBackground(0, 0, 96);
const QColor kTitle(255, 204, 0);
const QColor kText(255, 255, 255);

kiv::Label* centredLabel(kiv::Label* label, const QColor& color, bool bold)
{
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
    QFont f = label->font();
    f.setBold(bold);
    label->setFont(f);
    return label;
}
} // namespace

FrmStartMenu::FrmStartMenu()
    : Form(QStringLiteral("frmStartMenu"))
{
    // Designed at 800 x 600 pixels: an English half on the left, a French half on the right.
    setDesignSize(12000, 9000);
    setCaption(QStringLiteral("Kivob - Welcome / Bienvenue"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    setPalette(pal);

    Picture1 = addControl(new kiv::PictureControl(QStringLiteral("Picture1"), this, kiv::PictureControl::Art::Emblem),
                          Kind::PictureBox, 5250, 360, 1500, 1500);
    Label1 = addControl(centredLabel(new kiv::Label(QStringLiteral("Label1"), this, QStringLiteral("Kivob")), kTitle, true),
                        Kind::Label, 600, 2040, 5100, 1020, 36.0f);
    Label2 = addControl(centredLabel(new kiv::Label(QStringLiteral("Label2"), this, QStringLiteral("Kivob")), kTitle, true),
                        Kind::Label, 6300, 2040, 5100, 1020, 36.0f);
    Label3 = addControl(centredLabel(new kiv::Label(QStringLiteral("Label3"), this,
                                                    QStringLiteral("Measure your firm against the financial benchmarks of its industry.")),
                                     kText, false),
                        Kind::Label, 900, 3180, 4500, 1500, 14.25f);
    Label4 = addControl(centredLabel(new kiv::Label(QStringLiteral("Label4"), this,
                                                    QStringLiteral("Mesurez votre entreprise aux normes financières de son industrie.")),
                                     kText, false),
                        Kind::Label, 6600, 3180, 4500, 1500, 14.25f);
    Image1 = addControl(new kiv::PictureControl(QStringLiteral("Image1"), this, kiv::PictureControl::Art::Chart),
                        Kind::Image, 1650, 4860, 1200, 1200);
    Image2 = addControl(new kiv::PictureControl(QStringLiteral("Image2"), this, kiv::PictureControl::Art::Book),
                        Kind::Image, 3450, 4860, 1200, 1200);
    Image3 = addControl(new kiv::PictureControl(QStringLiteral("Image3"), this, kiv::PictureControl::Art::Chart),
                        Kind::Image, 7350, 4860, 1200, 1200);
    Image4 = addControl(new kiv::PictureControl(QStringLiteral("Image4"), this, kiv::PictureControl::Art::Book),
                        Kind::Image, 9150, 4860, 1200, 1200);
    SSCommand2 = addControl(new kiv::CommandButton(QStringLiteral("SSCommand2"), this), Kind::Button3D,
                            1800, 6600, 2700, 780, 14.0f);
    SSCommand3 = addControl(new kiv::CommandButton(QStringLiteral("SSCommand3"), this), Kind::Button3D,
                            7500, 6600, 2700, 780, 14.0f);
    connect(SSCommand2, &kiv::CommandButton::Click, this, &FrmStartMenu::SSCommand2_Click);
    connect(SSCommand3, &kiv::CommandButton::Click, this, &FrmStartMenu::SSCommand3_Click);
}

kiv::fit::Variant FrmStartMenu::fitVariant()
{
    using kiv::fit::FontRule;
    kiv::fit::Variant v;
    v.font = {FontRule::ScaleInt, 0};
    // The pictures have no font.
    v.kinds = {{Kind::PictureBox, kiv::fit::KindRule::Action::Scale, kiv::fit::Font{FontRule::Keep, 0}},
               {Kind::Image, kiv::fit::KindRule::Action::Scale, kiv::fit::Font{FontRule::Keep, 0}}};
    v.only = {QStringLiteral("SSCommand2"), QStringLiteral("SSCommand3"), QStringLiteral("Label1"),
              QStringLiteral("Label2"),     QStringLiteral("Label3"),     QStringLiteral("Label4"),
              QStringLiteral("Image1"),     QStringLiteral("Image2"),     QStringLiteral("Image3"),
              QStringLiteral("Image4"),     QStringLiteral("Picture1")};
    return v;
}

void FrmStartMenu::Form_Load()
{
    FitFormToScreen(fitVariant());
}

void FrmStartMenu::Form_Paint()
{
    SSCommand2->setText(QStringLiteral("English"));
    // The French button reads the same in both languages.
    SSCommand3->setText(kiv::LoadResString(379));
}

void FrmStartMenu::paintEvent(QPaintEvent* event)
{
    Form::paintEvent(event);
    // A thin rule between the English and the French half.
    QPainter p(this);
    p.setPen(QPen(kTitle, 2));
    p.drawLine(QPointF(width() / 2.0, height() * 0.24), QPointF(width() / 2.0, height() * 0.84));
}

void FrmStartMenu::SSCommand2_Click()
{
    chooseLanguage(0, QStringLiteral("E"));
}

void FrmStartMenu::SSCommand3_Click()
{
    chooseLanguage(1, QStringLiteral("F"));
}

void FrmStartMenu::chooseLanguage(std::int16_t language, const QString& letter)
{
    gLanguage = language;
    gLangLetter = letter;
    kiv::SetAppPath();
    kiv::ScanDataFolder();
    Hide();
    gDescField = QStringLiteral("IndustryDescription") + gLangLetter;
    frmStartMenu_Drop();
}
