#include "industry/frm_ind_definitions.h"

#include "industry/frm_startup.h"
#include "industry/edition_data.h"
#include "industry/industry_reports.h"
#include "platform/dialogs.h"
#include "shell/module1.h"

namespace {
QFont timesBold(double points)
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSizeF(points);
    f.setBold(true);
    return f;
}
} // namespace

FrmIndDefinitions::FrmIndDefinitions()
    : Form(QStringLiteral("frmIndDefinitions"))
{
    setDesignSize(9660, 7245);
    setCaption(QStringLiteral("Industry Definitions"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 128));
    setPalette(pal);

    using K = kiv::fit::Kind;
    Cmdcontinue = new kiv::CommandButton(QStringLiteral("Cmdcontinue"), this);
    Cmdcontinue->setFont(timesBold(12));
    Cmdcontinue->setText(QStringLiteral("Continue"));
    addControl(Cmdcontinue, K::CommandButton, 15, 15, 3075, 375, 12.0f);
    BACK = new kiv::CommandButton(QStringLiteral("BACK"), this);
    BACK->setFont(timesBold(12));
    BACK->setText(QStringLiteral("Back"));
    addControl(BACK, K::CommandButton, 3075, 15, 3435, 375, 12.0f);
    Print = new kiv::CommandButton(QStringLiteral("Print"), this);
    Print->setFont(timesBold(12));
    Print->setText(QStringLiteral("Print"));
    addControl(Print, K::CommandButton, 6510, 15, 3150, 375, 12.0f);

    TilDisplay = new kiv::Label(QStringLiteral("TilDisplay"), this, QStringLiteral("Title"));
    TilDisplay->setFont(timesBold(14.25));
    QPalette yellow = TilDisplay->palette();
    yellow.setColor(QPalette::WindowText, QColor(255, 255, 0));
    TilDisplay->setPalette(yellow);
    addControl(TilDisplay, K::Label, 1290, 555, 7230, 615, 14.25f);

    Definitions = new QPlainTextEdit(this);
    Definitions->setObjectName(QStringLiteral("Definitions"));
    Definitions->setReadOnly(true);
    Definitions->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Definitions->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont sans(QStringLiteral("Sans Serif"));
    sans.setPointSizeF(9.75);
    Definitions->setFont(sans);
    addControl(Definitions, K::TextBox, 1320, 1560, 7185, 3855, 9.75f);

    Image1 = addControl(new kiv::PictureControl(QStringLiteral("Image1"), this, kiv::PictureControl::Art::Book), K::Image, 240, 600, 720, 720);
    Image2 = addControl(new kiv::PictureControl(QStringLiteral("Image2"), this, kiv::PictureControl::Art::Info), K::Image, 8700, 600, 720, 720);
    Image3 = addControl(new kiv::PictureControl(QStringLiteral("Image3"), this, kiv::PictureControl::Art::Chart), K::Image, 240, 5900, 720, 720);
    Image4 = addControl(new kiv::PictureControl(QStringLiteral("Image4"), this, kiv::PictureControl::Art::Folder), K::Image, 8700, 5900, 720, 720);

    connect(Print, &kiv::CommandButton::Click, this, &FrmIndDefinitions::Print_Click);
    connect(BACK, &kiv::CommandButton::Click, this, &FrmIndDefinitions::BACK_Click);
    connect(Cmdcontinue, &kiv::CommandButton::Click, this, &FrmIndDefinitions::Cmdcontinue_Click);
}

kiv::fit::Variant FrmIndDefinitions::fitVariant()
{
    kiv::fit::Variant v;
    v.font = {kiv::fit::FontRule::Keep, 0};
    v.kinds = {{kiv::fit::Kind::CommandButton, kiv::fit::KindRule::Action::Scale, kiv::fit::Font{kiv::fit::FontRule::Fixed, 12}}};
    return v;
}

void FrmIndDefinitions::Form_Load()
{
    FitFormToScreen(fitVariant());
}

void FrmIndDefinitions::Print_Click()
{
    // The definition is read again from the current industry, not from the text box; a
    // definition the edition leaves empty prints as an empty line.
    QString definition;
    try {
        definition = gRSData->Field(kiv::industry::definitionColumn(gLanguage)).toText();
    } catch (const kiv::db::DbError& e) {
        kiv::MsgBox(gLanguage == 0 ? QStringLiteral("The definition could not be read from the edition (%1).").arg(e.detail())
                                   : QStringLiteral("La définition n'a pas pu être lue dans l'édition (%1).").arg(e.detail()),
                    kiv::vbOKOnly + kiv::vbExclamation);
        return;
    }
    kiv::printDocument(kiv::industry::industryDefinitionPrintout(TilDisplay->text(), definition, gLanguage));
}

void FrmIndDefinitions::BACK_Click()
{
    FrmStartup& startup = frmStartup();
    startup.Show();
    startup.hideSearchControls();
    Hide();
}

void FrmIndDefinitions::Cmdcontinue_Click()
{
    frmStartup().cmdContinue_Click();
    Hide();
}
