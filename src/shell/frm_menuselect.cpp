#include "shell/frm_menuselect.h"

#include "industry/frm_startup.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "shell/edition_choice.h"
#include "shell/editions.h"
#include "shell/frm_intr_about.h"
#include "shell/module1.h"
#include "values/frm_my_values.h"
#include "values3/frm_my_values_v3.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>

using kiv::fit::Kind;

namespace {
const QColor kBackground(0, 0, 96);
const QColor kText(255, 255, 255);
const QColor kUnavailable(150, 150, 190);

void setTextColor(QWidget* w, const QColor& color)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, color);
    w->setPalette(pal);
}
} // namespace

FrmMenuselect::FrmMenuselect()
    : Form(QStringLiteral("frmMenuselect"))
{
    // Designed at 800 x 600 pixels: the title across the top, the editions on the left, the
    // three picture buttons in a box on the right and Exit below them.
    setDesignSize(12000, 9000);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    pal.setColor(QPalette::WindowText, kText);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, kUnavailable);
    setPalette(pal);

    SSPanel7 = addControl(new kiv::Panel3D(QStringLiteral("SSPanel7"), this), Kind::Panel3D, 600, 420, 10800, 900, 20.0f);
    {
        QPalette p = SSPanel7->palette();
        p.setColor(QPalette::Window, QColor(208, 208, 224));
        p.setColor(QPalette::WindowText, QColor(0, 0, 96));
        SSPanel7->setPalette(p);
        SSPanel7->setAutoFillBackground(true);
        QFont f = SSPanel7->font();
        f.setBold(true);
        SSPanel7->setFont(f);
    }

    frameDataAvailable = addControl(new QGroupBox(this), Kind::Frame, 600, 1680, 6300, 6600, 11.0f);
    frameDataAvailable->setObjectName(QStringLiteral("frameDataAvailable"));
    {
        QFont f = frameDataAvailable->font();
        f.setBold(true);
        frameDataAvailable->setFont(f);
    }
    // Two columns: the first ten editions of the table on the left, the other nine on the right.
    std::size_t index = 0;
    for (const kiv::Edition& e : kiv::editions()) {
        const QString name = QString::fromUtf16(e.option);
        auto* opt = new kiv::OptionButton(name, frameDataAvailable, QString::fromUtf16(e.caption));
        const float left = index < 10 ? 300.0f : 3300.0f;
        const float top = 480.0f + static_cast<float>(index % 10) * 600.0f;
        addControl(opt, Kind::OptionButton, left, top, 2880, 480, 10.0f);
        opt->setEnabled(false);
        QFont f = opt->font();
        f.setBold(false);
        opt->setFont(f);
        options_.push_back(opt);
        ++index;
    }
    optVol1 = options_[0];
    optVol2 = options_[1];
    optVol3 = options_[2];
    optAtlantic = options_[3];
    optQuebec = options_[4];
    optOntario = options_[5];
    optManitoba = options_[6];
    optSaskatchewan = options_[7];
    optPrairies = options_[8];
    optAlberta = options_[9];
    optBritishColumbia = options_[10];
    optNewfoundland = options_[11];
    optPrinceEdwardIsland = options_[12];
    optNovaScotia = options_[13];
    optNewBrunswick = options_[14];
    optYukon = options_[15];
    optTerritories = options_[16];
    optNWT_Nunavut = options_[17];
    optOther = options_[18];

    Shape1 = addControl(new kiv::ShapeControl(QStringLiteral("Shape1"), this), Kind::Shape, 7200, 1680, 4200, 5100);
    Shape1->setBorderColor(QColor(255, 204, 0));
    Shape1->setBorderWidth(2);

    using Art = kiv::PictureControl::Art;
    Startapp = addControl(new kiv::PictureButton(QStringLiteral("Startapp"), this, Art::Start), Kind::Button3D, 7500, 1980, 1050, 1050);
    CmdHelp = addControl(new kiv::PictureButton(QStringLiteral("CmdHelp"), this, Art::Book), Kind::Button3D, 7500, 3480, 1050, 1050);
    Aboutproduct = addControl(new kiv::PictureButton(QStringLiteral("Aboutproduct"), this, Art::Info), Kind::Button3D, 7500, 4980, 1050, 1050);
    Label1 = addControl(new kiv::Label(QStringLiteral("Label1"), this), Kind::Label, 8700, 1980, 2460, 1050, 12.0f);
    Label2 = addControl(new kiv::Label(QStringLiteral("Label2"), this), Kind::Label, 8700, 3480, 2460, 1050, 12.0f);
    Label3 = addControl(new kiv::Label(QStringLiteral("Label3"), this), Kind::Label, 8700, 4980, 2460, 1050, 12.0f);
    for (kiv::Label* l : {Label1, Label2, Label3}) {
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setTextColor(l, kText);
    }

    Quit = addControl(new kiv::CommandButton(QStringLiteral("Quit"), this), Kind::Button3D, 7200, 7560, 4200, 720, 12.0f);

    connect(Startapp, &kiv::CommandButton::Click, this, &FrmMenuselect::Startapp_Click);
    connect(CmdHelp, &kiv::CommandButton::Click, this, &FrmMenuselect::CmdHelp_Click);
    connect(Aboutproduct, &kiv::CommandButton::Click, this, &FrmMenuselect::Aboutproduct_Click);
    connect(Quit, &kiv::CommandButton::Click, this, &FrmMenuselect::Quit_Click);
}

kiv::fit::Variant FrmMenuselect::fitVariant()
{
    kiv::fit::Variant v;
    v.font = {kiv::fit::FontRule::Keep, 0};
    return v;
}

kiv::OptionButton* FrmMenuselect::editionOption(QStringView option) const
{
    for (kiv::OptionButton* o : options_)
        if (o->objectName() == option)
            return o;
    return nullptr;
}

QString FrmMenuselect::listedFileName(QStringView option) const
{
    return listedNames_.value(option.toString());
}

void FrmMenuselect::setListedFileName(const QString& option, const QString& name)
{
    listedNames_.insert(option, name);
}

void FrmMenuselect::Form_Load()
{
    HelpFile = kiv::helpFile();
    FitFormToScreen(fitVariant());
}

void FrmMenuselect::Form_Paint()
{
    setCaption(kiv::text(314));
    Label1->setText(kiv::text(322));
    Label2->setText(kiv::text(324));
    Label3->setText(kiv::text(326));
    if (gLanguage == 1)
        for (kiv::Label* l : {Label1, Label2, Label3})
            setControlFontSize(l, 17.0f);
    SSPanel7->setText(kiv::text(316));
    // The title stays centred in its panel.
    SSPanel7->setAlignment(Qt::AlignCenter);
    Quit->setText(kiv::text(328));
    optBritishColumbia->setText(kiv::text(414));
    optAtlantic->setText(kiv::text(416));
    optQuebec->setText(kiv::text(418));
    frameDataAvailable->setTitle(kiv::text(438));
    optNewfoundland->setText(kiv::text(446));
    optPrinceEdwardIsland->setText(kiv::text(448));
    optNovaScotia->setText(kiv::text(450));
    optNewBrunswick->setText(kiv::text(452));
    optTerritories->setText(kiv::text(454));
    optPrairies->setText(kiv::text(456));
    optNWT_Nunavut->setText(kiv::text(458));
}

void FrmMenuselect::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        event->accept();
        kiv::showHelpFile(HelpFile);
        return;
    }
    Form::keyPressEvent(event);
}

void FrmMenuselect::Startapp_Click()
{
    // Only when the data folder holds no edition is none selected: there is nothing to open.
    if (!kiv::selectedEdition()) {
        kiv::MsgBox(gLanguage == 0 ? QStringLiteral("No edition of the data is available.")
                                   : QStringLiteral("Aucune édition des données n'est disponible."));
        return;
    }
    for (kiv::TextBox* box : frmMyValues().figureBoxes())
        box->setText(QStringLiteral("0"));
    for (kiv::TextBox* box : frmMyValuesV3().amountBoxes())
        box->setText(QStringLiteral("0"));
    frmStartup().Show();
    // An edition that cannot be opened sends the user back here: the industry selection has
    // then told why and given up its instance, and the menu stays up for another choice.
    if (frmStartup_Exists())
        Hide();
}

void FrmMenuselect::Aboutproduct_Click()
{
    frmIntrAbout().Show();
    Hide();
}

void FrmMenuselect::CmdHelp_Click()
{
    // The Help button does what F1 does, and returns once the key has been handled.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(this, &press);
}

void FrmMenuselect::Quit_Click()
{
    kiv::ConfirmExit(QStringLiteral("Kivob"));
}
