#include "industry/frm_crystal_report.h"

#include "platform/pointer_guard.h"
#include "shell/edition_choice.h"
#include "shell/module1.h"
#include "values/frm_my_values.h"
#include "values3/frm_my_values_v3.h"

#include <cmath>

namespace {
FrmCrystalReport::Opener& opener()
{
    static FrmCrystalReport::Opener o;
    return o;
}

// A report window is only ever opened by the industry selection window, which has told it how
// to reach it; without that, a way back does nothing.
void ask(const std::function<void()>& request)
{
    if (request)
        request();
}
} // namespace

void FrmCrystalReport::setOpener(Opener o)
{
    opener() = std::move(o);
}

FrmCrystalReport::FrmCrystalReport()
    : Form(QStringLiteral("frmCrystalReport"))
{
    using K = kiv::fit::Kind;
    setDesignSize(9210, 6585);
    setCaption(QStringLiteral("View"));

    auto button = [this](const char16_t* name, const char16_t* caption, float left, float width) {
        auto* b = new kiv::CommandButton(QString::fromUtf16(name), this);
        b->setText(QString::fromUtf16(caption));
        return addControl(b, K::CommandButton, left, 0, width, 375, 10.0f);
    };
    cmdChoose = button(u"cmdChoose", u"Main menu", 0, 1695);
    cmdSwitchView = button(u"cmdSwitchView", u".", 1680, 3015);
    cmdCompareRatios = button(u"cmdCompareRatios", u"Compare your data", 4680, 2175);
    CmdHelp = button(u"CmdHelp", u"Help", 6840, 1335);
    cmdQuit = button(u"cmdQuit", u"Exit", 8160, 975);
    CommonDialog1 = new kiv::CommonDialog(QStringLiteral("CommonDialog1"), this);
    addInvisibleControl(CommonDialog1, K::CommonDialog);

    connect(cmdChoose, &kiv::CommandButton::Click, this, &FrmCrystalReport::cmdChoose_Click);
    connect(cmdSwitchView, &kiv::CommandButton::Click, this, &FrmCrystalReport::cmdSwitchView_Click);
    connect(cmdCompareRatios, &kiv::CommandButton::Click, this, &FrmCrystalReport::cmdCompareRatios_Click);
    connect(CmdHelp, &kiv::CommandButton::Click, this, &FrmCrystalReport::CmdHelp_Click);
    connect(cmdQuit, &kiv::CommandButton::Click, this, &FrmCrystalReport::cmdQuit_Click);
}

kiv::fit::Variant FrmCrystalReport::fitVariant()
{
    using namespace kiv::fit;
    Variant v;
    v.heightFactor = 0.95;
    v.font = {FontRule::Fixed, 10};
    v.kinds = {{Kind::CommonDialog, KindRule::Action::Skip, std::nullopt},
               {Kind::ReportControl, KindRule::Action::Skip, std::nullopt}};
    return v;
}

void FrmCrystalReport::Form_Load()
{
    CommonDialog1->HelpFile = kiv::helpFile();
    FitFormToScreen(fitVariant());
    captionButtons();
}

void FrmCrystalReport::Form_Paint()
{
    setCaption(kiv::text(460));
}

void FrmCrystalReport::captionButtons()
{
    using kiv::text;
    cmdChoose->setText(text(20));
    cmdCompareRatios->setText(text(64));
    CmdHelp->setText(text(298));
    cmdQuit->setText(text(328));
    cmdSwitchView->setText(text(opener().ratiosChosen && opener().ratiosChosen() ? 66 : 226));
}

QRect FrmCrystalReport::reportRect() const
{
    // The window's size in pixels (the screen less the window manager's frame), less the
    // margin the report keeps clear of at the right and at the bottom.
    const QSizeF area = fittedArea();
    const int width = static_cast<int>(std::lround(area.width() / kiv::fit::kTwipsPerPixel)) - 18;
    const int height = static_cast<int>(std::lround(area.height() / kiv::fit::kTwipsPerPixel)) - 85;
    // 50 pixels down, under the button row; on a screen where the row is taller, just under it.
    const int top = std::max(50, cmdChoose->geometry().bottom() + 1);
    return QRect(0, top, std::max(width, 1), std::max(height, 1));
}

void FrmCrystalReport::cmdChoose_Click()
{
    Hide();
    frmCrystalReport_Drop();
    ask(opener().showSelection);
}

void FrmCrystalReport::cmdCompareRatios_Click()
{
    Hide();
    frmCrystalReport_Drop();
    const kiv::Edition* e = kiv::selectedEdition();
    if (e && e->kind == kiv::EditionKind::OneYear)
        frmMyValues().Show();
    else
        frmMyValuesV3().Show();
}

void FrmCrystalReport::cmdSwitchView_Click()
{
    {
        kiv::PointerGuard hourglass;
        cmdSwitchView->setEnabled(false);
        ask(opener().switchReport);
        Hide();
        frmCrystalReport_Drop();
    }
    // The report operation keeps the hourglass while it draws, and gives the pointer back
    // before it tells of a report that could not run.
    if (gSectorView)
        ask(opener().sectorReport);
    else
        ask(opener().industryReport);
    // A report that could not run leaves no report window: the industry selection is back.
    if (frmCrystalReport_Exists())
        frmCrystalReport().cmdSwitchView->setEnabled(true);
}

void FrmCrystalReport::CmdHelp_Click()
{
    CommonDialog1->ShowHelp();
}

void FrmCrystalReport::cmdQuit_Click()
{
    kiv::ConfirmExit(QStringLiteral("Kivob"));
}
