#include "balancesheet/frm_my_balance_sheet.h"

#include "balancesheet/bs_item_definitions.h"
#include "industry/frm_startup.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "ratios/edition_header.h"
#include "ratios/frm_my_ratios.h"
#include "shell/module1.h"
#include "values/font_size.h"
#include "values/frm_export.h"
#include "values/frm_my_values.h"
#include "values/entry_controls.h"

#include <QApplication>
#include <QScopeGuard>

using namespace kiv::balancesheet;
using kiv::setBold;
using kiv::setColours;

namespace {

const QColor kTeal(0, 128, 128);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kLightYellow(255, 255, 128);
const QColor kLightGrey(192, 192, 192);

const QString kTitle = QStringLiteral("Kivob");

// Design of the window, in twips.
constexpr float kDesignWidth = 10350;
constexpr float kDesignHeight = 7590;
constexpr float kButtonHeight = 375;
constexpr float kValueWidth = 525;
constexpr float kValueHeight = 225;
constexpr float kHeadWidth = 690;
// Left of the caption, firm, industry and difference columns of each block.
constexpr float kLeftColumns[4] = {150, 3045, 3735, 4485};
constexpr float kRightColumns[4] = {5145, 8085, 8790, 9555};

QString str(const char16_t* s)
{
    return QString::fromUtf16(s);
}

// The height a row's caption may take: down to the next row of its block, two lines at most.
float captionHeight(const StructureRow& row)
{
    float next = kDesignHeight;
    for (const StructureRow& other : structureRows())
        if (other.block == row.block && other.top > row.top && other.top < next)
            next = other.top;
    return std::min(next - row.top, 480.0f) - 15;
}

// The captions a painting sets, in its order: the control and its string-table id. The window's
// own title (232) comes first; the row captions come from the rows.
struct CaptionOf {
    const char16_t* control;
    int id;
};
constexpr CaptionOf kHeadCaptions[] = {
    {u"lblIndustry", 62}, {u"lblBalance", 208}, {u"Label27", 234}, {u"Label28", 54}, {u"Label1", 238},
    {u"Label62", 234},    {u"Label63", 54},     {u"Label14", 238}, {u"lblAssets", 150},
};
constexpr CaptionOf kButtonCaptions[] = {
    {u"Command1", 240}, {u"cmdPrint", 58}, {u"cmdQuit", 328}, {u"cmdView", 242}, {u"cmdChoose", 20},
    {u"CmdHelp", 298},  {u"Label3", 216},  {u"cmdExport", 432}, {u"CmdFontSize", 434},
};

} // namespace

FrmMyBalanceSheet::FrmMyBalanceSheet()
    : Form(QStringLiteral("frmMyBalanceSheet"))
{
    setDesignSize(kDesignWidth, kDesignHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kTeal);
    setPalette(pal);

    // The black band of the header lies under its labels.
    Shape1 = addControl(new kiv::ShapeControl(QStringLiteral("Shape1"), this), kiv::fit::Kind::Shape, 0, 780, kDesignWidth, 960);
    Shape1->setFillColor(Qt::black);
    Shape1->setBorderColor(Qt::black);

    const auto button = [this](const QString& name, float left, float top, float width) {
        auto* b = addControl(new kiv::CommandButton(name, this), kiv::fit::Kind::CommandButton, left, top, width, kButtonHeight);
        setBold(b);
        return b;
    };
    cmdView = button(QStringLiteral("cmdView"), 0, 0, kDesignWidth / 2);
    Command1 = button(QStringLiteral("Command1"), kDesignWidth / 2, 0, kDesignWidth / 2);
    const float small = kDesignWidth / 6;
    cmdChoose = button(QStringLiteral("cmdChoose"), 0, kButtonHeight, small);
    cmdExport = button(QStringLiteral("cmdExport"), small, kButtonHeight, small);
    cmdPrint = button(QStringLiteral("cmdPrint"), 2 * small, kButtonHeight, small);
    CmdFontSize = button(QStringLiteral("CmdFontSize"), 3 * small, kButtonHeight, small);
    CmdHelp = button(QStringLiteral("CmdHelp"), 4 * small, kButtonHeight, small);
    cmdQuit = button(QStringLiteral("cmdQuit"), 5 * small, kButtonHeight, small);
    CmdExcMB = button(QStringLiteral("CmdExcMB"), 8820, 1785, 600);
    cmdLotusMB = button(QStringLiteral("cmdLotusMB"), 9480, 1785, 600);
    CmdExcMB->setText(QStringLiteral("Excel"));
    cmdLotusMB->setText(QStringLiteral("Lotus"));
    CmdExcMB->setVisible(false);
    cmdLotusMB->setVisible(false);

    const auto label = [this](const QString& name, float left, float top, float width, float height) {
        return addControl(new kiv::Label(name, this), kiv::fit::Kind::Label, left, top, width, height);
    };
    lblMedium = label(QStringLiteral("lblMedium"), 75, 825, 3800, 285);
    lblRevenue = label(QStringLiteral("lblRevenue"), 3960, 810, 6300, 285);
    lblMedium->setText(QStringLiteral("Small and Medium Firms"));
    lblRevenue->setText(QStringLiteral("Revenue under 5 million, Reference year YearX"));
    for (kiv::Label* edition : {lblMedium, lblRevenue}) {
        setColours(edition, kWhite);
        setBold(edition);
    }
    lblSice1 = label(QStringLiteral("lblSice1"), 75, 1140, 480, 285);
    lblSice1->setText(QStringLiteral("SICE"));
    lblSice = label(QStringLiteral("lblSice"), 570, 1140, 9705, 285);
    lblIndustryDescription = label(QStringLiteral("lblIndustryDescription"), 75, 1425, 10200, 285);
    for (kiv::Label* industry : {lblSice1, lblSice, lblIndustryDescription}) {
        setColours(industry, kYellow);
        setBold(industry);
    }
    lblIndustry = label(QStringLiteral("lblIndustry"), 6000, 1785, 1200, 285);
    lblIndustryNumber = label(QStringLiteral("lblIndustryNumber"), 7260, 1785, 900, 285);
    lblIndustry->setVisible(false);
    lblIndustryNumber->setVisible(false);

    lblBalance = label(QStringLiteral("lblBalance"), 165, 1785, 2800, 285);
    setColours(lblBalance, kWhite);
    setBold(lblBalance);
    lblAssets = label(QStringLiteral("lblAssets"), kLeftColumns[0], 2325, 2800, 285);
    Label3 = label(QStringLiteral("Label3"), kRightColumns[0], 2325, 2800, 285);
    for (kiv::Label* block : {lblAssets, Label3}) {
        setColours(block, kYellow);
        setBold(block);
    }
    const auto head = [&](const QString& name, float columnLeft) {
        kiv::Label* h = label(name, columnLeft - (kHeadWidth - kValueWidth) / 2, 1950, kHeadWidth, 690);
        h->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        setColours(h, kLightYellow);
        setBold(h);
        return h;
    };
    Label27 = head(QStringLiteral("Label27"), kLeftColumns[1]);
    Label28 = head(QStringLiteral("Label28"), kLeftColumns[2]);
    Label1 = head(QStringLiteral("Label1"), kLeftColumns[3]);
    Label62 = head(QStringLiteral("Label62"), kRightColumns[1]);
    Label63 = head(QStringLiteral("Label63"), kRightColumns[2]);
    Label14 = head(QStringLiteral("Label14"), kRightColumns[3]);

    for (std::size_t r = 0; r < structureRows().size(); ++r) {
        const StructureRow& row = structureRows()[r];
        const float* columns = row.block == Block::Left ? kLeftColumns : kRightColumns;
        auto* caption = addControl(new kiv::ClickLabel(str(row.caption), this), kiv::fit::Kind::Label, columns[0], row.top,
                                   columns[1] - columns[0] - 60, captionHeight(row));
        caption->unsetCursor();
        setColours(caption, kWhite);
        captionLabels[r] = caption;
        connect(caption, &kiv::ClickLabel::Click, this, [this, r] { caption_Click(static_cast<int>(r)); });
        const char16_t* values[3] = {row.firm, row.industry, row.difference};
        std::array<kiv::Label*, kRows>* lists[3] = {&firmLabels, &industryLabels, &differenceLabels};
        for (int c = 0; c < 3; ++c) {
            kiv::Label* v = label(str(values[c]), columns[c + 1], row.top, kValueWidth, kValueHeight);
            v->setAlignment(Qt::AlignCenter);
            v->setWordWrap(false);
            setColours(v, QApplication::palette().color(QPalette::WindowText), kLightGrey);
            (*lists[c])[r] = v;
        }
        if (row.total) {
            setBold(caption);
            for (auto* list : lists)
                setBold((*list)[r]);
        }
    }

    CommonDialog1 = new kiv::CommonDialog(QStringLiteral("CommonDialog1"), this);
    addInvisibleControl(CommonDialog1, kiv::fit::Kind::CommonDialog);

    connect(cmdChoose, &kiv::CommandButton::Click, this, &FrmMyBalanceSheet::cmdChoose_Click);
    connect(cmdView, &kiv::CommandButton::Click, this, &FrmMyBalanceSheet::cmdView_Click);
    connect(Command1, &kiv::CommandButton::Click, this, &FrmMyBalanceSheet::Command1_Click);
    connect(cmdExport, &kiv::CommandButton::Click, this, &FrmMyBalanceSheet::cmdExport_Click);
    connect(cmdPrint, &kiv::CommandButton::Click, this, &FrmMyBalanceSheet::cmdPrint_Click);
    connect(CmdFontSize, &kiv::CommandButton::Click, this, &FrmMyBalanceSheet::CmdFontSize_Click);
    connect(CmdHelp, &kiv::CommandButton::Click, this, &FrmMyBalanceSheet::CmdHelp_Click);
    connect(cmdQuit, &kiv::CommandButton::Click, this, &FrmMyBalanceSheet::cmdQuit_Click);
    connect(CmdExcMB, &kiv::CommandButton::Click, this, &FrmMyBalanceSheet::cmdExcMB_Click);
    connect(cmdLotusMB, &kiv::CommandButton::Click, this, &FrmMyBalanceSheet::cmdLotusMB_Click);
}

kiv::Label* FrmMyBalanceSheet::label(const QString& name) const
{
    return findChild<kiv::Label*>(name, Qt::FindDirectChildrenOnly);
}

void FrmMyBalanceSheet::Form_Load()
{
    CommonDialog1->HelpFile = kiv::helpFile();
    CurrentFontSize = kiv::kFontSizeAtLoad;
    kiv::fit::Variant variant;
    variant.heightFactor = 0.95;
    variant.font = {kiv::fit::FontRule::Fixed, static_cast<float>(CurrentFontSize)};
    variant.kinds = {{kiv::fit::Kind::CommonDialog, kiv::fit::KindRule::Action::Skip, std::nullopt}};
    FitFormToScreen(variant);
}

void FrmMyBalanceSheet::Form_Paint()
{
    setCaption(kiv::text(232));
    const auto write = [this](const CaptionOf& c) {
        QWidget* w = findChild<QWidget*>(str(c.control), Qt::FindDirectChildrenOnly);
        if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(kiv::text(c.id));
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(kiv::text(c.id));
    };
    for (const CaptionOf& c : kHeadCaptions)
        write(c);
    for (std::size_t r = 0; r < structureRows().size(); ++r)
        captionLabels[r]->setText(kiv::text(structureRows()[r].captionId));
    for (const CaptionOf& c : kButtonCaptions)
        write(c);
    kiv::ShowEditionHeader(lblMedium, lblRevenue, lblSice1);
}

void FrmMyBalanceSheet::Form_Activate()
{
    return_.reset();
    rebuild(true);
}

void FrmMyBalanceSheet::changeEvent(QEvent* event)
{
    Form::changeEvent(event);
    if (return_.returned(*this, *event))
        rebuild(false);
}

void FrmMyBalanceSheet::rebuild(bool report)
{
    // The message about missing data takes the activation while it is up and gives it back when
    // it closes; that must not start another rebuild.
    if (activating_)
        return;
    activating_ = true;
    const auto done = qScopeGuard([this] { activating_ = false; });

    for (std::size_t r = 0; r < structureRows().size(); ++r)
        for (kiv::Label* l : {firmLabels[r], industryLabels[r], differenceLabels[r]})
            l->setText(QStringLiteral(" "));

    const IndustryStructure industry = readIndustry(gRSData.get(), gLanguage);
    lblIndustryNumber->setText(industry.industryNumber);
    lblSice->setText(industry.code);
    lblIndustryDescription->setText(industry.description);
    for (std::size_t r = 0; r < structureRows().size(); ++r)
        industryLabels[r]->setText(industry.percentages[r]);

    FrmMyValues& values = frmMyValues();
    std::array<QString, kRows> amounts;
    for (std::size_t r = 0; r < structureRows().size(); ++r) {
        const auto* box = values.findChild<QLineEdit*>(str(structureRows()[r].box));
        amounts[r] = box ? box->text() : QString();
    }
    std::array<QString, kRows> shownIndustry;
    for (std::size_t r = 0; r < structureRows().size(); ++r)
        shownIndustry[r] = industryLabels[r]->text();
    const auto texts = structureTexts(amounts, shownIndustry);
    for (std::size_t r = 0; r < structureRows().size(); ++r)
        firmLabels[r]->setText(texts[r].firm);
    for (std::size_t r = 0; r < structureRows().size(); ++r)
        differenceLabels[r]->setText(texts[r].difference);

    if (const std::optional<QString> message = report ? missingDataMessage(industry, gLanguage) : std::nullopt) {
        // The window shows its captions under the message.
        if (isVisible())
            Form_Paint();
        kiv::MsgBox(*message, kiv::vbExclamation);
    }
}

// ---- buttons --------------------------------------------------------------------------------

void FrmMyBalanceSheet::cmdChoose_Click()
{
    frmStartup().Show();
    Hide();
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

void FrmMyBalanceSheet::cmdExport_Click()
{
    kiv::openExportDialog(kiv::exports::OwnerSlot::BalanceSheet, *this);
}

void FrmMyBalanceSheet::cmdPrint_Click()
{
    kiv::printDocument(structurePrintout([this](const QString& name) { return kiv::controlText(*this, name); }, gLanguage));
}

void FrmMyBalanceSheet::CmdFontSize_Click()
{
    CurrentFontSize = kiv::ChangeFontSize(*this, CurrentFontSize);
}

void FrmMyBalanceSheet::CmdHelp_Click()
{
    CommonDialog1->ShowHelp();
}

void FrmMyBalanceSheet::cmdQuit_Click()
{
    kiv::ConfirmExit(kTitle);
}

void FrmMyBalanceSheet::caption_Click(int row)
{
    kiv::ShowDefinition(kiv::balanceSheetItemDefinition(str(structureRows()[static_cast<std::size_t>(row)].caption), gLanguage));
}

// ---- export ---------------------------------------------------------------------------------

void FrmMyBalanceSheet::cmdExcMB_Click()
{
    exportTo(kiv::exports::Program::Excel);
}

void FrmMyBalanceSheet::cmdLotusMB_Click()
{
    exportTo(kiv::exports::Program::Lotus);
}

void FrmMyBalanceSheet::exportTo(kiv::exports::Program program)
{
    kiv::exports::ExportToSpreadsheet(kiv::exports::exportOperation(kiv::exports::myBalanceSheetExport(), program, lblSice->text(),
                                                                    kiv::windowCells(*this, exportLayout(gLanguage))));
}
