#include "industry/frm_startup.h"

#include "industry/frm_crystal_report.h"
#include "industry/frm_ind_definitions.h"
#include "industry/frm_print_all.h"
#include "industry/industry_module.h"
#include "industry/industry_reports.h"
#include "industry/text_match.h"
#include "platform/dialogs.h"
#include "platform/pointer_guard.h"
#include "shell/edition_choice.h"
#include "shell/frm_menuselect.h"
#include "shell/module1.h"
#include "values/frm_my_values.h"
#include "values3/frm_my_values_v3.h"

#include <QScopeGuard>
#include <utility>
#include <QWindow>

using kiv::industry::EditionError;
using kiv::industry::EditionProblem;

namespace {
const QColor kTeal(0, 128, 128);
const QColor kFrameGrey(192, 192, 192);
const QColor kDarkBlue(0, 0, 128);
const QColor kValueGrey(224, 224, 224);
const QColor kDisabledGrey(128, 128, 128);

void setColours(QWidget* w, const QColor& background, const QColor& text)
{
    QPalette pal = w->palette();
    if (background.isValid()) {
        pal.setColor(QPalette::Window, background);
        w->setAutoFillBackground(true);
    }
    if (text.isValid()) {
        pal.setColor(QPalette::WindowText, text);
        // A disabled option reads as disabled: greyed, as everywhere else.
        pal.setColor(QPalette::Disabled, QPalette::WindowText, kDisabledGrey);
    }
    w->setPalette(pal);
}

bool oneYearEdition()
{
    const kiv::Edition* e = kiv::selectedEdition();
    return e && e->kind == kiv::EditionKind::OneYear;
}

bool editionIs(const char16_t* option)
{
    const kiv::Edition* e = kiv::selectedEdition();
    return e && QStringView(e->option) == QStringView(option);
}

// What the report window may ask of this window: each reaches the window's current instance,
// as every use of a window does.
FrmCrystalReport::Opener reportOpener()
{
    FrmCrystalReport::Opener o;
    o.ratiosChosen = [] { return frmStartup().optRatios->isChecked(); };
    o.showSelection = [] {
        FrmStartup& startup = frmStartup();
        startup.Show();
        startup.hideSearchControls();
    };
    o.switchReport = [] {
        FrmStartup& startup = frmStartup();
        if (startup.optRatios->isChecked()) {
            startup.optRatios->setChecked(false);
            startup.optView->setChecked(true);
            startup.optBalanceSheet->setChecked(true);
        } else {
            startup.optRatios->setChecked(true);
            startup.optView->setChecked(true);
            startup.optBalanceSheet->setChecked(false);
        }
    };
    o.industryReport = [] { frmStartup().cmdContinue_Click(); };
    o.sectorReport = [] { frmStartup().cmdViewSector_Click(); };
    return o;
}

} // namespace

FrmStartup::FrmStartup()
    : Form(QStringLiteral("frmStartup"))
{
    using K = kiv::fit::Kind;
    setDesignSize(12000, 9000);
    setCaption(QStringLiteral("Main Menu"));
    setColours(this, kTeal, QColor(255, 255, 255));

    auto button = [this](const char16_t* name, float l, float t, float w, float h) {
        return addControl(new kiv::CommandButton(QString::fromUtf16(name), this), K::CommandButton, l, t, w, h, 10.0f);
    };
    auto label = [this](QWidget* parent, const char16_t* name, float l, float t, float w, float h) {
        return addControl(new kiv::Label(QString::fromUtf16(name), parent), K::Label, l, t, w, h, 10.0f);
    };
    auto combo = [this](const char16_t* name, bool sorted, float l, float t, float w, float h) {
        return addControl(new kiv::ComboBox(QString::fromUtf16(name), this, sorted), K::ComboBox, l, t, w, h, 10.0f);
    };
    auto frame = [this](const char16_t* name, float l, float t, float w, float h) {
        auto* f = new QGroupBox(this);
        f->setObjectName(QString::fromUtf16(name));
        setColours(f, kFrameGrey, kDarkBlue);
        return addControl(f, K::Frame, l, t, w, h, 10.0f);
    };
    auto option = [this](QWidget* parent, const char16_t* name, float l, float t, float w, float h) {
        return addControl(new kiv::OptionButton(QString::fromUtf16(name), parent), K::OptionButton, l, t, w, h, 10.0f);
    };
    auto valueLabel = [&](const char16_t* name, float l, float t, float w, float h) {
        kiv::Label* v = label(this, name, l, t, w, h);
        v->setFrameStyle(QFrame::Box | QFrame::Plain);
        setColours(v, kValueGrey, QColor(0, 0, 0));
        return v;
    };

    // Top row.
    BacktoMain = button(u"BacktoMain", 120, 120, 2700, 420);
    cmdPrint = button(u"cmdPrint", 3060, 120, 2700, 420);
    CmdHelp = button(u"CmdHelp", 6000, 120, 2700, 420);
    cmdQuit = button(u"cmdQuit", 8940, 120, 2700, 420);

    // Title over its band.
    Shape1 = addControl(new kiv::ShapeControl(QStringLiteral("Shape1"), this), K::Shape, 0, 660, 12000, 720);
    Shape1->setFillColor(QColor(0, 96, 96));
    Shape1->setBorderColor(QColor(0, 96, 96));
    Label1 = label(this, u"Label1", 3000, 720, 6000, 600);
    {
        QFont f(QStringLiteral("Times New Roman"));
        f.setBold(true);
        Label1->setFont(f);
        Label1->setAlignment(Qt::AlignCenter);
        setColours(Label1, QColor(), QColor(255, 255, 0));
    }

    // Data type and function.
    Frame1 = frame(u"Frame1", 120, 1440, 11760, 720);
    optRatios = option(Frame1, u"optRatios", 240, 300, 5400, 330);
    optBalanceSheet = option(Frame1, u"optBalanceSheet", 6000, 300, 5400, 330);
    frmChoose = frame(u"frmChoose", 120, 2220, 11760, 720);
    optView = option(frmChoose, u"optView", 240, 300, 5400, 330);
    optCompare = option(frmChoose, u"optCompare", 6000, 300, 5600, 330);
    optRatios->setChecked(true);
    optView->setChecked(true);

    // Search type, with the mode buttons over it.
    Frame2 = frame(u"Frame2", 120, 3000, 3900, 2280);
    cmdSelectList = button(u"cmdSelectList", 240, 3300, 3660, 420);
    cmdSector = button(u"cmdSector", 240, 3780, 3660, 420);
    cmdKey = button(u"cmdKey", 240, 4260, 3660, 420);
    cmdSICSearch = button(u"cmdSICSearch", 240, 4740, 3660, 420);

    cboSector = combo(u"cboSector", true, 4200, 3060, 6000, 345);
    lblSearchIn = label(this, u"lblSearchIn", 4200, 3660, 1500, 330);
    cboSearchIn = combo(u"cboSearchIn", false, 5760, 3600, 2000, 345);
    lblWordForms = label(this, u"lblWordForms", 7920, 3660, 1500, 330);
    cboWordForms = combo(u"cboWordForms", false, 9480, 3600, 2300, 345);
    cmdViewSector = button(u"cmdViewSector", 4200, 3540, 4200, 420);
    lblText = label(this, u"lblText", 4200, 4260, 1500, 330);
    lblSICESearch = label(this, u"lblSICESearch", 4200, 4260, 1500, 330);
    txtSearch = addControl(new kiv::TextBox(QStringLiteral("txtSearch"), this), K::TextBox, 5760, 4200, 3400, 345, 10.0f);
    cmdSearch = button(u"cmdSearch", 9300, 4170, 1200, 420);
    cmdClear = button(u"cmdClear", 10620, 4170, 1200, 420);

    cboIndustry = combo(u"cboIndustry", true, 120, 5460, 11760, 345);

    lblNumber = label(this, u"lblNumber", 120, 6060, 2400, 330);
    lblIndustryNumber = valueLabel(u"lblIndustryNumber", 2640, 6000, 1800, 360);
    lblSic = label(this, u"lblSic", 120, 6540, 2400, 330);
    lblSICC = valueLabel(u"lblSICC", 2640, 6480, 4200, 360);
    lblName = label(this, u"lblName", 120, 7020, 2400, 330);
    lblIndustryName = valueLabel(u"lblIndustryName", 2640, 6960, 9240, 600);

    cmdShow = button(u"cmdShow", 120, 8160, 3600, 480);
    Cmdcontinue = button(u"Cmdcontinue", 8280, 8160, 3600, 480);

    CommonDialog1 = new kiv::CommonDialog(QStringLiteral("CommonDialog1"), this);
    addInvisibleControl(CommonDialog1, K::CommonDialog);
    CrystalReport1 = new kiv::report::ReportControl(this);
    CrystalReport1->setObjectName(QStringLiteral("CrystalReport1"));
    CrystalReport1->setEditions(kiv::industry::reportEditions());
    addInvisibleControl(CrystalReport1, K::ReportControl);
    FrmCrystalReport::setOpener(reportOpener());

    for (QWidget* w : std::initializer_list<QWidget*>{cboSector, lblSearchIn, cboSearchIn, lblWordForms, cboWordForms,
                                                      cmdViewSector, lblText, lblSICESearch, txtSearch, cmdSearch,
                                                      cmdClear, cboIndustry})
        w->setVisible(false);

    connect(BacktoMain, &kiv::CommandButton::Click, this, &FrmStartup::BacktoMain_Click);
    connect(cmdPrint, &kiv::CommandButton::Click, this, &FrmStartup::cmdPrint_Click);
    connect(CmdHelp, &kiv::CommandButton::Click, this, &FrmStartup::CmdHelp_Click);
    connect(cmdQuit, &kiv::CommandButton::Click, this, &FrmStartup::cmdQuit_Click);
    connect(cmdSelectList, &kiv::CommandButton::Click, this, &FrmStartup::cmdSelectList_Click);
    connect(cmdSector, &kiv::CommandButton::Click, this, &FrmStartup::cmdSector_Click);
    connect(cmdKey, &kiv::CommandButton::Click, this, &FrmStartup::cmdKey_Click);
    connect(cmdSICSearch, &kiv::CommandButton::Click, this, &FrmStartup::cmdSICSearch_Click);
    connect(cboSector, &kiv::ComboBox::Click, this, &FrmStartup::cboSector_Click);
    connect(cboIndustry, &kiv::ComboBox::Click, this, &FrmStartup::cboIndustry_Click);
    connect(cmdSearch, &kiv::CommandButton::Click, this, &FrmStartup::cmdSearch_Click);
    connect(cmdClear, &kiv::CommandButton::Click, this, &FrmStartup::cmdClear_Click);
    connect(cmdShow, &kiv::CommandButton::Click, this, &FrmStartup::cmdShow_Click);
    connect(Cmdcontinue, &kiv::CommandButton::Click, this, &FrmStartup::cmdContinue_Click);
    connect(cmdViewSector, &kiv::CommandButton::Click, this, &FrmStartup::cmdViewSector_Click);
    connect(optCompare, &QRadioButton::clicked, this, &FrmStartup::optCompare_Click);
}

kiv::fit::Variant FrmStartup::fitVariant()
{
    using namespace kiv::fit;
    Variant v;
    v.font = {FontRule::Fixed, 10};
    v.kinds = {{Kind::ComboBox, KindRule::Action::MoveOnly, std::nullopt},
               {Kind::CommonDialog, KindRule::Action::Skip, std::nullopt},
               {Kind::ReportControl, KindRule::Action::Skip, std::nullopt}};
    return v;
}

std::vector<QWidget*> FrmStartup::searchControls() const
{
    return {cboIndustry, cmdSearch, cmdClear, txtSearch, cboSector, lblText,
            lblSICESearch, lblSearchIn, cboSearchIn, lblWordForms, cboWordForms};
}

void FrmStartup::hideSearchControls()
{
    for (QWidget* w : searchControls())
        w->setVisible(false);
}

// ---- load, activation, paint ----------------------------------------------------------------

void FrmStartup::fitAdditions()
{
    // The two lists take half and nine tenths of the window's width; the title is larger.
    const QSizeF area = fittedArea();
    if (const kiv::fit::Item* it = item(cboSector))
        setControlRect(cboSector, it->left, it->top, static_cast<float>(area.width() / 2), it->height);
    if (const kiv::fit::Item* it = item(cboIndustry))
        setControlRect(cboIndustry, it->left, it->top, static_cast<float>(area.width() * 0.9), it->height);
    setControlFontSize(Label1, 18);
}

void FrmStartup::Form_Load()
{
    CommonDialog1->HelpFile = kiv::helpFile();
    FitFormToScreen(fitVariant());

    try {
        kiv::OpenIndustryData();
        kiv::LoadSectorList();
    } catch (const EditionError& e) {
        loadProblem_ = e.problem();
    }
    if (!loadProblem_) {
        // Right after opening, the code is shown as stored.
        lblIndustryNumber->setText(gRSData->Field(u"Industry").toText());
        lblSICC->setText(gRSData->Field(u"SIC").toText());
        lblIndustryName->setText(gRSData->Field(kiv::industry::nameColumn(gLanguage)).toText());
    }

    const bool fr = gLanguage == 1;
    cboSearchIn->AddItem(fr ? QStringLiteral("Titre") : QStringLiteral("Title"));
    cboSearchIn->AddItem(fr ? QStringLiteral("Définition") : QStringLiteral("Definition"));
    cboSearchIn->setListIndex(0);
    cboWordForms->AddItem(fr ? QStringLiteral("mots exacts") : QStringLiteral("Exact"));
    cboWordForms->AddItem(fr ? QStringLiteral("mot partiel") : QStringLiteral("Some"));
    cboWordForms->setListIndex(0);
}

void FrmStartup::Form_Activate()
{
    if (loadProblem_) {
        const EditionProblem problem = *loadProblem_;
        loadProblem_.reset();
        leaveForMenu(problem);
        return;
    }
    cboIndustry->setText(kiv::text(42));
    cboSector->setText(kiv::text(40));
    cmdViewSector->setVisible(false);
    if (!oneYearEdition())
        optBalanceSheet->setEnabled(false);
}

void FrmStartup::Form_Paint()
{
    using kiv::text;
    setCaption(text(20));
    Label1->setText(text(20));
    Frame1->setTitle(text(396));
    frmChoose->setTitle(text(398));
    Frame2->setTitle(text(400));
    lblSearchIn->setText(text(404));
    lblWordForms->setText(text(406));
    optView->setText(text(24));
    optCompare->setText(text(26));
    optRatios->setText(text(28));
    optBalanceSheet->setText(text(30));
    cmdSelectList->setText(text(34));
    cmdSector->setText(text(36));
    cmdKey->setText(text(38));
    cmdSearch->setText(text(44));
    cmdClear->setText(text(46));
    lblNumber->setText(text(48));
    lblName->setText(text(52));
    cmdShow->setText(text(280));
    Cmdcontinue->setText(text(18));
    cmdPrint->setText(text(354));
    cmdQuit->setText(text(328));
    CmdHelp->setText(text(298));
    BacktoMain->setText(text(332));
    lblText->setText(text(278));
    cmdViewSector->setText(text(436));

    if (editionIs(u"optVol1")) {
        cmdSICSearch->setText(text(410));
        lblSICESearch->setText(text(408));
        lblSic->setText(text(408));
    } else {
        cmdSICSearch->setText(text(editionIs(u"optVol2") ? 402 : 412));
        lblSICESearch->setText(text(50));
        lblSic->setText(text(50));
    }
}

void FrmStartup::leaveForMenu(const EditionProblem& problem)
{
    hide();
    kiv::MsgBox(kiv::industry::problemMessage(problem, gLanguage), kiv::vbOKOnly + kiv::vbExclamation);
    gDB.reset();
    gRSData.reset();
    gRSCategory.reset();
    gIndustryCount = 0;
    frmMenuselect().Show();
    frmStartup_Drop();
}

// ---- the four modes -----------------------------------------------------------------------

void FrmStartup::setSearchControlsVisible(bool keyword, bool code)
{
    txtSearch->setVisible(keyword || code);
    cmdSearch->setVisible(keyword || code);
    cmdClear->setVisible(keyword || code);
    lblText->setVisible(keyword);
    lblSICESearch->setVisible(code);
    lblSearchIn->setVisible(keyword);
    cboSearchIn->setVisible(keyword);
    lblWordForms->setVisible(keyword);
    cboWordForms->setVisible(keyword);
}

void FrmStartup::cmdSelectList_Click()
{
    cboIndustry->setVisible(true);
    cboSector->setVisible(false);
    setSearchControlsVisible(false, false);
    cmdViewSector->setVisible(false);
    gListByName = true;

    cboIndustry->Clear();
    try {
        kiv::OpenIndustryData();
    } catch (const EditionError& e) {
        leaveForMenu(e.problem());
        return;
    }
    cboIndustry->setListIndex(0);
    cboIndustry_Click();
}

void FrmStartup::cmdSector_Click()
{
    cboIndustry->setVisible(false);
    cboSector->setVisible(true);
    setSearchControlsVisible(false, false);
    gListByName = true;
}

void FrmStartup::cmdKey_Click()
{
    cboIndustry->setVisible(false);
    cboSector->setVisible(false);
    setSearchControlsVisible(true, false);
    cmdViewSector->setVisible(false);
    gListByName = true;
    gSICSearch = false;
    txtSearch->clear();
    txtSearch->setFocus(Qt::OtherFocusReason);
}

void FrmStartup::cmdSICSearch_Click()
{
    cboIndustry->setVisible(false);
    cboSector->setVisible(false);
    setSearchControlsVisible(false, true);
    cmdViewSector->setVisible(false);
    gListByName = false;
    gSICSearch = true;
    txtSearch->clear();
    txtSearch->setFocus(Qt::OtherFocusReason);
    cboWordForms->setText(gLanguage == 1 ? QStringLiteral("mots exacts") : QStringLiteral("Exact"));
}

// ---- sector, pick, search -------------------------------------------------------------------

void FrmStartup::cboSector_Click()
{
    std::shared_ptr<kiv::db::Snapshot> sector;
    std::optional<EditionProblem> problem;
    {
        kiv::PointerGuard hourglass;
        try {
            gSectorCategory = kiv::industry::sectorCode(*gDB, cboSector->Text(), gLanguage);
            sector = kiv::industry::sectorIndustries(*gDB, gSectorCategory);
            cboIndustry->Clear();
            cboIndustry->addEntries(kiv::industry::industryNames(*sector, gLanguage));
            cboIndustry->setVisible(true);
            if (sector->rowCount() > 0)
                cboIndustry->setText(sector->value(0, kiv::industry::nameColumn(gLanguage)).toText());
        } catch (const kiv::db::DbError& e) {
            problem = kiv::industry::problemOf(e, gDB->path());
        }
    }
    // The edition can no longer be read: the message comes with the default pointer.
    if (problem) {
        leaveForMenu(*problem);
        return;
    }
    // The sector's first industry, in the order the database gives them, becomes current as
    // if the user had picked it. A sector without industries leaves the list empty and the
    // current industry as it was.
    if (sector->rowCount() > 0)
        cboIndustry_Click();
    if (optView->isChecked())
        cmdViewSector->setVisible(true);
}

void FrmStartup::cboIndustry_Click()
{
    const QString column = gListByName ? (gDescField.isEmpty() ? kiv::industry::nameColumn(gLanguage) : gDescField)
                                       : QStringLiteral("SIC");
    kiv::industry::findRow(*gRSData, column, cboIndustry->Text());
    showCurrentIndustry();
    emit Picked();
}

void FrmStartup::showCurrentIndustry()
{
    const QString name = gRSData->Field(kiv::industry::nameColumn(gLanguage)).toText();
    lblIndustryNumber->setText(gRSData->Field(u"Industry").toText());
    lblSICC->setText(kiv::industry::shownIndustryCode(gRSData->Field(u"SIC").toText(), gLanguage));
    lblIndustryName->setText(name);
    FrmIndDefinitions& definitions = frmIndDefinitions();
    definitions.TilDisplay->setText(name);
    definitions.Definitions->setPlainText(gRSData->Field(kiv::industry::definitionColumn(gLanguage)).toText());
}

void FrmStartup::cmdSearch_Click()
{
    // Without a hit the current row goes back to the industry the labels show.
    const int shown = gRSData->position();
    cboIndustry->Clear();
    gRSData->MoveFirst();
    kiv::SearchIndustries(txtSearch->text());
    if (cboIndustry->ListCount() == 0)
        gRSData->setPosition(shown);
    if (gSICSearch)
        cboIndustry->setVisible(false);
}

void FrmStartup::cmdClear_Click()
{
    // The current row stays on the industry the labels show.
    cboIndustry->Clear();
    cboIndustry->setVisible(false);
    txtSearch->clear();
    txtSearch->setFocus(Qt::OtherFocusReason);
}

// ---- the other buttons ----------------------------------------------------------------------

void FrmStartup::cmdShow_Click()
{
    FrmIndDefinitions& definitions = frmIndDefinitions();
    definitions.Show();
    definitions.TilDisplay->setText(gRSData->Field(kiv::industry::nameColumn(gLanguage)).toText());
    definitions.Definitions->setPlainText(gRSData->Field(kiv::industry::definitionColumn(gLanguage)).toText());
    definitions.Print->setText(kiv::text(58));
    definitions.BACK->setText(kiv::text(336));
    definitions.setCaption(kiv::text(334));
    definitions.Cmdcontinue->setText(kiv::text(18));
    Hide();
}

void FrmStartup::cmdPrint_Click()
{
    setEnabled(false);
    try {
        FrmPrintAll& menu = frmPrintAll();
        menu.setOpener(this);
        // The menu stays over this window, which waits disabled until the menu closes: a click
        // on it must not hide the menu behind it.
        menu.winId();
        if (menu.windowHandle() && windowHandle())
            menu.windowHandle()->setTransientParent(windowHandle());
        menu.Show();
    } catch (const std::exception&) {
        ZOrder(0);
        setEnabled(true);
    }
}

void FrmStartup::CmdHelp_Click()
{
    CommonDialog1->ShowHelp();
}

void FrmStartup::cmdQuit_Click()
{
    kiv::ConfirmExit(QStringLiteral("Kivob"));
}

void FrmStartup::BacktoMain_Click()
{
    frmMenuselect().Show();
    Hide();
    frmStartup_Drop();
}

void FrmStartup::optCompare_Click()
{
    cmdViewSector->setVisible(false);
}

// ---- routing --------------------------------------------------------------------------------

bool FrmStartup::showReport(const QString& kind, const QString& formula)
{
    std::optional<QString> failure;
    {
        kiv::PointerGuard hourglass;
        FrmCrystalReport& report = frmCrystalReport();
        report.Show();
        Hide();
        report.captionButtons();
        report.cmdSwitchView->setEnabled(false);
        const QRect area = report.reportRect();
        try {
            CrystalReport1->setReportFileName(gDataPath + kiv::GetReportFileName(kind));
            CrystalReport1->setSelectionFormula(formula);
            CrystalReport1->setDataSource(gRSData);
            CrystalReport1->setDestination(kiv::report::crptToWindow);
            CrystalReport1->setWindowParentHandle(&report);
            CrystalReport1->setWindowTop(area.top());
            CrystalReport1->setWindowHeight(area.height());
            CrystalReport1->setWindowLeft(area.left());
            CrystalReport1->setWindowWidth(area.width());
            CrystalReport1->setAction(1);
        } catch (const kiv::report::ReportError& e) {
            failure = e.reported() ? QString() : e.message();
        }
    }
    if (!failure)
        return true;
    // Nothing was drawn: back where the report was asked from, without an empty report window.
    // A window asking for it tells the message itself, once its hourglass is gone.
    (reportAskedFrom_ ? *reportAskedFrom_ : static_cast<kiv::Form&>(*this)).Show();
    frmCrystalReport().Hide();
    frmCrystalReport_Drop();
    if (reportAskedFrom_)
        reportFailure_ = *failure;
    else if (!failure->isEmpty())
        kiv::MsgBox(*failure, kiv::vbOKOnly + kiv::vbExclamation);
    return false;
}

void FrmStartup::cmdContinue_Click()
{
    gSectorView = false;
    Cmdcontinue->setEnabled(false);
    frmCrystalReport().cmdCompareRatios->setEnabled(true);
    if (optView->isChecked() && optRatios->isChecked()) {
        if (showReport(QStringLiteral("Ratios"), kiv::report::industryFormula(gRSData->Field(u"Industry"))))
            frmCrystalReport().cmdSwitchView->setEnabled(oneYearEdition());
    } else if (optView->isChecked() && optBalanceSheet->isChecked()) {
        if (showReport(QStringLiteral("BalanceSheet"), kiv::report::industryFormula(gRSData->Field(u"Industry"))))
            frmCrystalReport().cmdSwitchView->setEnabled(true);
    } else if (optCompare->isChecked() && optRatios->isChecked()) {
        if (oneYearEdition())
            frmMyValues().Show();
        else
            frmMyValuesV3().Show();
        Hide();
    } else if (optCompare->isChecked() && optBalanceSheet->isChecked()) {
        frmMyValues().Show();
        Hide();
    } else {
        kiv::MsgBox(gLanguage == 0 ? QStringLiteral("Please Choose An Option") : QStringLiteral("Veuillez Choisirun Option"),
                    kiv::vbOKOnly, QStringLiteral("Select"));
    }
    Cmdcontinue->setEnabled(true);
    cboIndustry->setVisible(false);
}

bool FrmStartup::showReportFor(kiv::Form& asking, const std::function<void()>& choose)
{
    {
        kiv::PointerGuard hourglass;
        choose();
        reportAskedFrom_ = &asking;
        reportFailure_.clear();
        const auto done = qScopeGuard([this] { reportAskedFrom_ = nullptr; });
        if (gSectorView)
            cmdViewSector_Click();
        else
            cmdContinue_Click();
    }
    if (!reportFailure_.isEmpty())
        kiv::MsgBox(std::exchange(reportFailure_, QString()), kiv::vbOKOnly + kiv::vbExclamation);
    return frmCrystalReport_Exists() && frmCrystalReport().isVisible();
}

void FrmStartup::cmdViewSector_Click()
{
    gSectorView = true;
    cmdViewSector->setEnabled(false);
    // A sector's report has no firm to compare.
    frmCrystalReport().cmdCompareRatios->setEnabled(false);
    if (optView->isChecked() && optRatios->isChecked()) {
        if (showReport(QStringLiteral("Ratios"), kiv::report::sectorFormula(gSectorCategory)))
            frmCrystalReport().cmdSwitchView->setEnabled(oneYearEdition());
    } else if (optView->isChecked() && optBalanceSheet->isChecked()) {
        if (showReport(QStringLiteral("BalanceSheet"), kiv::report::sectorFormula(gSectorCategory)))
            frmCrystalReport().cmdSwitchView->setEnabled(true);
    } else {
        kiv::MsgBox(QStringLiteral("Please Choose 'View industry data' in 'Function of Search'"), kiv::vbOKOnly,
                    QStringLiteral("Select"));
    }
    cmdViewSector->setEnabled(true);
}
