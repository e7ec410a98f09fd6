#include "ratios3/frm_my_ratios_v3.h"

#include "industry/frm_startup.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "ratios3/ratio_definitions_v3.h"
#include "ratios3/three_year_comparison.h"
#include "shell/module1.h"
#include "values/entry_controls.h"
#include "values/font_size.h"
#include "values/frm_export.h"
#include "values3/frm_my_values_v3.h"

#include <QEvent>
#include <QScopeGuard>

using namespace kiv::ratios3;
using kiv::setBold;
using kiv::setColours;

namespace {

const QColor kTeal(0, 128, 128);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kLightGrey(192, 192, 192);

const QString kTitle = QStringLiteral("Kivob Vol3");

// Design of the window, in twips.
constexpr float kDesignWidth = 10200;
constexpr float kDesignHeight = 8100;
constexpr float kCellWidth = 615;
constexpr float kCellHeight = 255;
constexpr float kYearLeft = 3180;
constexpr float kFirmLeft = 4260;
constexpr float kMedianLeft = 5220;
constexpr float kBetterLeft = 6420;
constexpr float kWorseLeft = 7740;
constexpr float kBetterBoundaryLeft = 8820;
constexpr float kWorseBoundaryLeft = 9540;
constexpr float kPositionHeadWidth = 1200;
constexpr float kNameLeft = 120;
constexpr float kNameWidth = 3000;

float rowTop(const Cell& c)
{
    return 3000 + 780 * static_cast<float>(c.ratio) + 240 * static_cast<float>(c.year);
}

// The captions a painting sets, in its order: the control and its string-table id.
struct PaintedCaption {
    const char16_t* control;
    int id;
};
constexpr PaintedCaption kCaptions[] = {
    {u"cmdExport", 432}, {u"CmdFontSize", 434}, {u"lblIndustryNum", 62}, {u"lblRevenue", 430},
    {u"lblProfitability", 104}, {u"lblMrRatios", 234}, {u"lblAverage", 236}, {u"Label1", 248},
    {u"lblBetter", 250}, {u"lblWorse", 252}, {u"lblSice1", 50}, {u"cmdView1", 226},
    {u"Command2", 240}, {u"cmdChoose", 20}, {u"cmdQuit", 328}, {u"cmdPrint", 58},
    {u"CmdHelp", 298}, {u"lblNetProfitMargin", 106}, {u"lblPretaxProfitMargin", 108}, {u"lblGrossProfitMargin", 112},
    {u"lblPretaxProfitToAssets", 118}, {u"lblReturnOnEquity", 122}, {u"lblLiabilitiesToAssets", 136},
};

} // namespace

FrmMyRatiosV3::FrmMyRatiosV3()
    : Form(QStringLiteral("frmMyRatiosV3"))
{
    setDesignSize(kDesignWidth, kDesignHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kTeal);
    setPalette(pal);

    // The frame around the ratios lies under everything else.
    Shape1 = addControl(new kiv::ShapeControl(QStringLiteral("Shape1"), this), kiv::fit::Kind::Shape, 60, 2940, 8400, 4740);
    Shape1->setBorderColor(kWhite);

    const auto button = [this](const QString& name, float left, float top, float width) {
        auto* b = addControl(new kiv::CommandButton(name, this), kiv::fit::Kind::CommandButton, left, top, width, 375);
        setBold(b);
        return b;
    };
    cmdChoose = button(QStringLiteral("cmdChoose"), 0, 0, 2400);
    Command2 = button(QStringLiteral("Command2"), 2400, 0, 4200);
    cmdView1 = button(QStringLiteral("cmdView1"), 6600, 0, 3600);
    cmdPrint = button(QStringLiteral("cmdPrint"), 0, 375, 2040);
    cmdExport = button(QStringLiteral("cmdExport"), 2040, 375, 2040);
    CmdFontSize = button(QStringLiteral("CmdFontSize"), 4080, 375, 2040);
    CmdHelp = button(QStringLiteral("CmdHelp"), 6120, 375, 2040);
    cmdQuit = button(QStringLiteral("cmdQuit"), 8160, 375, 2040);
    cmdExcMR = button(QStringLiteral("cmdExcMR"), 8820, 765, 600);
    cmdLotusMR = button(QStringLiteral("cmdLotusMR"), 9480, 765, 600);
    cmdExcMR->setText(QStringLiteral("Excel"));
    cmdLotusMR->setText(QStringLiteral("Lotus"));
    cmdExcMR->setVisible(false);
    cmdLotusMR->setVisible(false);

    const auto label = [this](const QString& name, float left, float top, float width, float height) {
        return addControl(new kiv::Label(name, this), kiv::fit::Kind::Label, left, top, width, height);
    };
    lblSice1 = label(QStringLiteral("lblSice1"), 45, 765, 660, 300);
    lblSice = label(QStringLiteral("lblSice"), 720, 765, 1425, 300);
    lblIndustryDescription = label(QStringLiteral("lblIndustryDescription"), 45, 1110, 10035, 300);
    lblIndustryDescription->setFrameShape(QFrame::Box);
    for (kiv::Label* header : {lblSice1, lblSice, lblIndustryDescription}) {
        setColours(header, kYellow);
        setBold(header);
    }
    lblIndustryNum = label(QStringLiteral("lblIndustryNum"), 2250, 765, 1200, 300);
    lblIndustryNumber = label(QStringLiteral("lblIndustryNumber"), 3510, 765, 900, 300);
    lblIndustryNum->setVisible(false);
    lblIndustryNumber->setVisible(false);
    lblRevenue = label(QStringLiteral("lblRevenue"), 45, 1440, 10035, 255);
    setColours(lblRevenue, kWhite);
    setBold(lblRevenue);

    lblProfitability = label(QStringLiteral("lblProfitability"), kNameLeft, 2700, kNameWidth, 255);
    setColours(lblProfitability, kYellow);
    setBold(lblProfitability);
    Label1 = label(QStringLiteral("Label1"), kBetterLeft, 1710, kWorseLeft + 1260 - kBetterLeft, 255);
    lblMrRatios = label(QStringLiteral("lblMrRatios"), kFirmLeft, 1950, 900, 990);
    lblAverage = label(QStringLiteral("lblAverage"), kMedianLeft, 1950, 1140, 990);
    // The better and worse heads keep a gap between them, so that their lines read apart.
    lblBetter = label(QStringLiteral("lblBetter"), kBetterLeft, 1950, kPositionHeadWidth, 990);
    lblWorse = label(QStringLiteral("lblWorse"), kWorseLeft, 1950, kPositionHeadWidth, 990);
    for (kiv::Label* head : {Label1, lblMrRatios, lblAverage, lblBetter, lblWorse}) {
        head->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        setColours(head, kWhite);
    }
    setBold(Label1);

    kiv::ClickLabel** names[kRatioCount] = {&lblNetProfitMargin, &lblPretaxProfitMargin, &lblGrossProfitMargin,
                                                     &lblPretaxProfitToAssets, &lblReturnOnEquity, &lblLiabilitiesToAssets};
    for (int r = 0; r < kRatioCount; ++r) {
        const Ratio ratio = static_cast<Ratio>(r);
        auto* name = addControl(new kiv::ClickLabel(ratioNameLabel(ratio), this), kiv::fit::Kind::Label, kNameLeft,
                                rowTop(cell(ratio, Year::Year3)), kNameWidth, 735);
        setColours(name, kWhite);
        *names[r] = name;
    }
    connect(lblNetProfitMargin, &kiv::ClickLabel::Click, this, &FrmMyRatiosV3::lblNetProfitMargin_Click);
    connect(lblPretaxProfitMargin, &kiv::ClickLabel::Click, this, [this] { lblPretaxProfitMargin_Click(0); });
    connect(lblGrossProfitMargin, &kiv::ClickLabel::Click, this, &FrmMyRatiosV3::lblGrossProfitMargin_Click);
    connect(lblPretaxProfitToAssets, &kiv::ClickLabel::Click, this, [this] { lblPretaxProfitToAssets_Click(1); });
    connect(lblReturnOnEquity, &kiv::ClickLabel::Click, this, &FrmMyRatiosV3::lblReturnOnEquity_Click);
    connect(lblLiabilitiesToAssets, &kiv::ClickLabel::Click, this, &FrmMyRatiosV3::lblLiabilitiesToAssets_Click);

    // The comparison labels of the 18 cells.
    for (int r = 0; r < kRatioCount; ++r) {
        for (int y = 0; y < kYearCount; ++y) {
            const Cell& c = cell(static_cast<Ratio>(r), static_cast<Year>(y));
            const float top = rowTop(c);
            const auto grey = [&](const QString& name, float left, bool visible) {
                kiv::Label* l = label(name, left, top, kCellWidth, kCellHeight);
                l->setAlignment(Qt::AlignCenter);
                setColours(l, Qt::black, kLightGrey);
                l->setVisible(visible);
            };
            grey(c.firm, kFirmLeft, true);
            grey(c.median, kMedianLeft, true);
            grey(c.better, kBetterLeft, true);
            grey(c.worse, kWorseLeft, true);
            grey(c.betterBoundary, kBetterBoundaryLeft, false);
            grey(c.worseBoundary, kWorseBoundaryLeft, false);
            const bool last = c.ratio == Ratio::LiabilitiesToAssets && c.year == Year::Year1;
            kiv::Label* year = label(c.yearLabel, last ? 3165 : kYearLeft, top, kCellWidth, kCellHeight);
            year->setAlignment(Qt::AlignCenter);
            setColours(year, kWhite);
            year->setText(QStringLiteral("Year") + QString::number(3 - y));
        }
    }

    CommonDialog1 = new kiv::CommonDialog(QStringLiteral("CommonDialog1"), this);
    addInvisibleControl(CommonDialog1, kiv::fit::Kind::CommonDialog);

    connect(cmdChoose, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::cmdChoose_Click);
    connect(Command2, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::Command2_Click);
    connect(cmdView1, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::cmdView1_Click);
    connect(cmdExport, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::cmdExport_Click);
    connect(cmdPrint, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::cmdPrint_Click);
    connect(CmdFontSize, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::CmdFontSize_Click);
    connect(CmdHelp, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::CmdHelp_Click);
    connect(cmdQuit, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::cmdQuit_Click);
    connect(cmdExcMR, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::cmdExcMR_Click);
    connect(cmdLotusMR, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::cmdLotusMR_Click);
}

kiv::Label* FrmMyRatiosV3::label(const QString& name) const
{
    return findChild<kiv::Label*>(name, Qt::FindDirectChildrenOnly);
}

void FrmMyRatiosV3::setText(const QString& name, const QString& text)
{
    if (kiv::Label* l = label(name))
        l->setText(text);
}

void FrmMyRatiosV3::Form_Load()
{
    CommonDialog1->HelpFile = kiv::helpFile();
    CurrentFontSize = kiv::kFontSizeAtLoad;
    kiv::fit::Variant variant;
    variant.font = {kiv::fit::FontRule::Fixed, static_cast<float>(CurrentFontSize)};
    variant.kinds = {{kiv::fit::Kind::CommonDialog, kiv::fit::KindRule::Action::Skip, std::nullopt}};
    FitFormToScreen(variant);
}

void FrmMyRatiosV3::Form_Paint()
{
    setCaption(kiv::text(244));
    for (const PaintedCaption& c : kCaptions) {
        QWidget* w = findChild<QWidget*>(QString::fromUtf16(c.control), Qt::FindDirectChildrenOnly);
        QString text = kiv::text(c.id);
        if (c.id == 430)
            text += yearText(Year::Year1) + QStringLiteral(", ") + yearText(Year::Year2) + QStringLiteral(", ") + yearText(Year::Year3);
        if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(text);
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(text);
    }
}

void FrmMyRatiosV3::Form_Activate()
{
    return_.reset();
    rebuild(true);
}

void FrmMyRatiosV3::changeEvent(QEvent* event)
{
    Form::changeEvent(event);
    // Back from another window: rebuilt without telling again what the showing told.
    if (return_.returned(*this, *event))
        rebuild(false);
}

void FrmMyRatiosV3::rebuild(bool report)
{
    // A message of the rebuild must not start another rebuild when its box gives the
    // activation back.
    if (rebuilding_)
        return;
    rebuilding_ = true;
    const auto done = qScopeGuard([this] { rebuilding_ = false; });

    for (const QString& name : positionLabels())
        setText(name, QString());

    const auto cells = cellsInWorkingOrder();
    const auto read = readIndustry(gRSData.get(), gLanguage);
    const auto* content = std::get_if<IndustryContent>(&read);

    lblIndustryNumber->setText(content ? content->industryNumber : QString());
    lblSice->setText(content ? content->code : QString());
    lblIndustryDescription->setText(content ? content->description : QString());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Cell& c = *cells[i];
        setText(c.betterBoundary, content ? content->quartiles[i].q3 : QString());
        setText(c.median, content ? content->quartiles[i].q2 : QString());
        setText(c.worseBoundary, content ? content->quartiles[i].q1 : QString());
    }

    if (content) {
        FrmMyValuesV3& values = frmMyValuesV3();
        for (const Cell* c : cells) {
            const QLabel* source = values.findChild<QLabel*>(c->source);
            kiv::Label* firm = label(c->firm);
            firm->setText(source ? source->text() : QString());
            const kiv::QuartilePosition position =
                rankCell(*c, firm->text(), {label(c->worseBoundary)->text(), label(c->median)->text(), label(c->betterBoundary)->text()});
            setText(position.column == kiv::RankColumn::Better ? c->better : c->worse, position.text);
        }
    } else {
        for (const Cell* c : cells)
            setText(c->firm, QString());
    }

    for (const Cell* c : cells)
        setText(c->yearLabel, yearText(c->year));

    if (const auto* problem = std::get_if<ContentProblem>(&read); problem && report) {
        // The window shows its captions under the message, also when it is being shown first.
        if (isVisible())
            Form_Paint();
        kiv::MsgBox(kiv::ratios::problemMessage(*problem, gLanguage), kiv::vbOKOnly + kiv::vbExclamation);
    }
}

// ---- buttons --------------------------------------------------------------------------------

void FrmMyRatiosV3::cmdChoose_Click()
{
    for (const Cell* c : cellsInWorkingOrder())
        if (c->year == Year::Year3) {
            setText(c->better, QStringLiteral(" "));
            setText(c->worse, QStringLiteral(" "));
        }
    frmStartup().Show();
    Hide();
}

void FrmMyRatiosV3::Command2_Click()
{
    frmMyValuesV3().Show();
    Hide();
}

void FrmMyRatiosV3::cmdView1_Click()
{
    FrmStartup& startup = frmStartup();
    const bool shown = startup.showReportFor(*this, [&] {
        startup.optView->setChecked(true);
        startup.optRatios->setChecked(true);
    });
    // A report that cannot be drawn leaves the user here, told why.
    if (shown)
        Hide();
}

void FrmMyRatiosV3::cmdExport_Click()
{
    kiv::openExportDialog(kiv::exports::OwnerSlot::ThreeYearRatios, *this);
}

void FrmMyRatiosV3::cmdPrint_Click()
{
    kiv::printDocument(comparisonPrintout([this](const QString& name) { return kiv::controlText(*this, name); }, gLanguage));
}

void FrmMyRatiosV3::CmdFontSize_Click()
{
    CurrentFontSize = kiv::ChangeFontSize(*this, CurrentFontSize);
}

void FrmMyRatiosV3::CmdHelp_Click()
{
    CommonDialog1->ShowHelp();
}

void FrmMyRatiosV3::cmdQuit_Click()
{
    kiv::ConfirmExit(kTitle);
}

// ---- definitions ----------------------------------------------------------------------------

void FrmMyRatiosV3::showDefinition(const QString& nameLabel)
{
    kiv::ShowDefinition(kiv::ratioDefinitionV3(nameLabel, gLanguage));
}

void FrmMyRatiosV3::lblNetProfitMargin_Click()
{
    showDefinition(lblNetProfitMargin->objectName());
}

void FrmMyRatiosV3::lblPretaxProfitMargin_Click(std::int16_t)
{
    showDefinition(lblPretaxProfitMargin->objectName());
}

void FrmMyRatiosV3::lblGrossProfitMargin_Click()
{
    showDefinition(lblGrossProfitMargin->objectName());
}

void FrmMyRatiosV3::lblPretaxProfitToAssets_Click(std::int16_t)
{
    showDefinition(lblPretaxProfitToAssets->objectName());
}

void FrmMyRatiosV3::lblReturnOnEquity_Click()
{
    showDefinition(lblReturnOnEquity->objectName());
}

void FrmMyRatiosV3::lblLiabilitiesToAssets_Click()
{
    showDefinition(lblLiabilitiesToAssets->objectName());
}

// ---- export ---------------------------------------------------------------------------------

void FrmMyRatiosV3::cmdExcMR_Click()
{
    exportTo(kiv::exports::Program::Excel);
}

void FrmMyRatiosV3::cmdLotusMR_Click()
{
    exportTo(kiv::exports::Program::Lotus);
}

void FrmMyRatiosV3::exportTo(kiv::exports::Program program)
{
    // The code comes from the industry selection in English and from this window in French.
    const QString code = gLanguage == 0 ? kiv::industryCodeText() : lblSice->text();
    kiv::exports::ExportToSpreadsheet(
        kiv::exports::exportOperation(kiv::exports::threeYearRatiosExport(), program, code, kiv::windowCells(*this, exportLayout(gLanguage))));
}
