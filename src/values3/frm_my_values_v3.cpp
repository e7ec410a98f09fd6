#include "values3/frm_my_values_v3.h"

#include "industry/frm_startup.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "shell/module1.h"
#include "ratios3/frm_my_ratios_v3.h"
#include "values/confirm_clear.h"
#include "values/entry_controls.h"
#include "values/font_size.h"
#include "values/frm_export.h"
#include "values3/item_definitions_v3.h"
#include "values3/three_year_export.h"
#include "values3/three_year_printout.h"

using namespace kiv::values3;

namespace {

const QColor kTeal(0, 128, 128);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kLightGrey(192, 192, 192);

const QString kTitle = QStringLiteral("Kivob Vol3");

// Design of the window, in twips.
constexpr float kDesignWidth = 12000;
constexpr float kDesignHeight = 8100;
constexpr float kColumnLeft[kYearCount] = {5700, 7800, 9900};
constexpr float kColumnWidth = 1800;
constexpr float kBoxHeight = 285;
constexpr float kCaptionLeft = 120;
constexpr float kCaptionWidth = 5400;
// Top of each item's row; the gross-profit caption is two lines high.
constexpr float kRowTop[kItemCount] = {2760, 3480, 3840, 4560, 4920, 5280, 5820, 6180, 6540};

} // namespace

using kiv::setBold;
using kiv::setColours;

FrmMyValuesV3::FrmMyValuesV3()
    : Form(QStringLiteral("frmMyValuesV3"))
    , entry_(*this, &kiv::num::normalisedForm)
{
    setDesignSize(kDesignWidth, kDesignHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kTeal);
    setPalette(pal);

    const auto button = [this](const QString& name, float left, float top, float width) {
        auto* b = addControl(new kiv::CommandButton(name, this), kiv::fit::Kind::CommandButton, left, top, width, 375);
        setBold(b);
        // A click leaves the focus in the box the user is in, which the click checks first.
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    cmdView = button(QStringLiteral("cmdView"), 0, 0, 6000);
    cmdReturn = button(QStringLiteral("cmdReturn"), 6000, 0, 6000);
    cmdPrint = button(QStringLiteral("cmdPrint"), 0, 375, 2400);
    cmdExport = button(QStringLiteral("cmdExport"), 2400, 375, 2400);
    CmdFontSize = button(QStringLiteral("CmdFontSize"), 4800, 375, 2400);
    CmdHelp = button(QStringLiteral("CmdHelp"), 7200, 375, 2400);
    cmdQuit = button(QStringLiteral("cmdQuit"), 9600, 375, 2400);

    const auto label = [this](const QString& name, float left, float top, float width, float height) {
        return addControl(new kiv::Label(name, this), kiv::fit::Kind::Label, left, top, width, height);
    };
    Label6 = label(QStringLiteral("Label6"), 1500, 870, 9000, 255);
    Label17 = label(QStringLiteral("Label17"), 1500, 1140, 9000, 255);
    for (kiv::Label* note : {Label6, Label17}) {
        note->setAlignment(Qt::AlignCenter);
        setColours(note, kYellow);
        setBold(note);
    }
    Label13 = label(QStringLiteral("Label13"), kColumnLeft[0], 1500, kColumnLeft[2] + kColumnWidth - kColumnLeft[0], 300);
    Label13->setAlignment(Qt::AlignCenter);
    setColours(Label13, Qt::black, kLightGrey);
    setBold(Label13);

    const char16_t* const handNames[kYearCount] = {u"imgPoint(0)", u"imgPoint(1)", u"imgPoint(2)"};
    for (int y = 0; y < kYearCount; ++y)
        imgPoint[static_cast<std::size_t>(y)] = addControl(new kiv::HandPicture(QString::fromUtf16(handNames[y]), this), kiv::fit::Kind::Image,
                                                           kColumnLeft[y] + (kColumnWidth - 480) / 2, 1860, 480, 480);
    const auto area = [this](const QString& name, int column) {
        return addControl(new kiv::ImageArea(name, this), kiv::fit::Kind::Image,
                          kColumnLeft[column] + (kColumnWidth - 480) / 2, 1860, 480, 480);
    };
    Image1 = area(QStringLiteral("Image1"), 0);
    Image3 = area(QStringLiteral("Image3"), 1);
    Image2 = area(QStringLiteral("Image2"), 2);
    connect(Image1, &kiv::ImageArea::Click, this, &FrmMyValuesV3::Image1_Click);

    Label15 = label(QStringLiteral("Label15"), kCaptionLeft, 2400, 3000, 255);
    Label16 = label(QStringLiteral("Label16"), kCaptionLeft, 3150, kCaptionWidth, 255);
    Label4 = label(QStringLiteral("Label4"), kCaptionLeft, 4230, kCaptionWidth, 255);
    for (kiv::Label* heading : {Label15, Label16, Label4}) {
        setColours(heading, kYellow);
        setBold(heading);
    }
    kiv::Label** years[kYearCount] = {&Label1, &Label2, &Label5};
    for (int y = 0; y < kYearCount; ++y) {
        *years[y] = label(yearLabel(static_cast<Year>(y)), kColumnLeft[y], 2400, kColumnWidth, 255);
        (*years[y])->setAlignment(Qt::AlignCenter);
        setColours(*years[y], kWhite);
        setBold(*years[y]);
    }

    kiv::ClickLabel** captions[kItemCount] = {&Label3, &lblLiabilities, &lblEquity, &lblOperatingRevenue1, &lblRevenue6,
                                         &lblGrossProfit, &lblOperatingProfit, &lblPretaxProfit, &lblAftertaxProfit};
    for (int i = 0; i < kItemCount; ++i) {
        const float height = static_cast<Item>(i) == Item::GrossProfit ? 480 : kBoxHeight;
        auto* caption = addControl(new kiv::ClickLabel(captionLabel(static_cast<Item>(i)), this), kiv::fit::Kind::Label, kCaptionLeft,
                                   kRowTop[i], kCaptionWidth, height);
        setColours(caption, kWhite);
        *captions[i] = caption;
        captions_[static_cast<std::size_t>(i)] = caption;
        connect(caption, &kiv::ClickLabel::Click, this, [this, caption] { showDefinition(caption->objectName()); });
    }

    kiv::TextBox** boxes[kAmountCount] = {
        &txtTaYear3, &txtTliabYear3, &txtEquity1Year3, &txtOperatingRevenueYear3, &txtSalesYear3, &txtGrossProfitYear3,
        &txtOperatingProfitYear3, &txtPretaxProfitYear3, &txtAfterTaxProfitYear3,
        &txtTaYear2, &txtTliabYear2, &txtEquity1Year2, &txtOperatingRevenueYear2, &txtSalesYear2, &txtGrossProfitYear2,
        &txtOperatingProfitYear2, &txtPretaxProfitYear2, &txtAfterTaxProfitYear2,
        &txtTaYear1, &txtTliabYear1, &txtEquity1Year1, &txtOperatingRevenueYear1, &txtSalesYear1, &txtGrossProfitYear1,
        &txtOperatingProfitYear1, &txtPretaxProfitYear1, &txtAfterTaxProfitYear1};
    for (int i = 0; i < kAmountCount; ++i) {
        const Year year = yearOf(i);
        const Item item = itemOf(i);
        auto* box = addControl(new kiv::TextBox(boxName(year, item), this), kiv::fit::Kind::TextBox,
                               kColumnLeft[static_cast<int>(year)], kRowTop[static_cast<int>(item)], kColumnWidth, kBoxHeight);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setColours(box, Qt::black, kWhite);
        *boxes[i] = box;
        boxes_[static_cast<std::size_t>(i)] = box;
    }
    for (int i = 0; i < kAmountCount; ++i)
        entry_.addTypedBox(boxes_[static_cast<std::size_t>(i)], findChild<QWidget*>(enterSuccessor(i), Qt::FindDirectChildrenOnly),
                           [](kiv::num::AmountRefusal refusal) { return amountRefusal(refusal, gLanguage); });

    cmdSave = button(QStringLiteral("cmdSave"), kColumnLeft[0], 7080, kColumnWidth);
    cmdRestore = button(QStringLiteral("cmdRestore"), kColumnLeft[1], 7080, kColumnWidth);
    cmdClear = button(QStringLiteral("cmdClear"), kColumnLeft[2], 7080, kColumnWidth);

    cmdExcMV = button(QStringLiteral("cmdExcMV"), kCaptionLeft, 7080, 1200);
    cmdLotusMV = button(QStringLiteral("cmdLotusMV"), kCaptionLeft + 1300, 7080, 1200);
    cmdExcMV->setText(QStringLiteral("Excel"));
    cmdLotusMV->setText(QStringLiteral("Lotus"));
    cmdExcMV->setVisible(false);
    cmdLotusMV->setVisible(false);

    kiv::Label** ratios[kRatioTextCount] = {&lblNpm, &lblPpm, &lblGpm, &lblPpa, &lblLta, &lblRoe,
                                            &lblNpm95, &lblPpm95, &lblGpm95, &lblPpa95, &lblLta95, &lblRoe95,
                                            &lblNpm94, &lblPpm94, &lblGpm94, &lblPpa94, &lblLta94, &lblRoe94};
    const QStringList ratioNames = kiv::values3::ratioLabels();
    for (int r = 0; r < kRatioTextCount; ++r) {
        *ratios[r] = label(ratioNames[r], kCaptionLeft + 300.0f * static_cast<float>(r), 7700, 255, 255);
        (*ratios[r])->setVisible(false);
    }

    CommonDialog1 = new kiv::CommonDialog(QStringLiteral("CommonDialog1"), this);
    addInvisibleControl(CommonDialog1, kiv::fit::Kind::CommonDialog);

    // The two export operations are run by the export dialog, never by a click of the user.
    for (kiv::CommandButton* b : {cmdView, cmdReturn, cmdPrint, cmdExport, CmdFontSize, CmdHelp, cmdQuit, cmdSave, cmdRestore, cmdClear})
        entry_.guard(b);

    connect(cmdView, &kiv::CommandButton::Click, this, &FrmMyValuesV3::cmdView_Click);
    connect(cmdReturn, &kiv::CommandButton::Click, this, &FrmMyValuesV3::cmdReturn_Click);
    connect(cmdPrint, &kiv::CommandButton::Click, this, &FrmMyValuesV3::cmdPrint_Click);
    connect(cmdExport, &kiv::CommandButton::Click, this, &FrmMyValuesV3::cmdExport_Click);
    connect(CmdFontSize, &kiv::CommandButton::Click, this, &FrmMyValuesV3::CmdFontSize_Click);
    connect(CmdHelp, &kiv::CommandButton::Click, this, &FrmMyValuesV3::CmdHelp_Click);
    connect(cmdQuit, &kiv::CommandButton::Click, this, &FrmMyValuesV3::cmdQuit_Click);
    connect(cmdSave, &kiv::CommandButton::Click, this, &FrmMyValuesV3::cmdSave_Click);
    connect(cmdRestore, &kiv::CommandButton::Click, this, &FrmMyValuesV3::cmdRestore_Click);
    connect(cmdClear, &kiv::CommandButton::Click, this, &FrmMyValuesV3::cmdClear_Click);
    connect(cmdExcMV, &kiv::CommandButton::Click, this, &FrmMyValuesV3::cmdExcMV_Click);
    connect(cmdLotusMV, &kiv::CommandButton::Click, this, &FrmMyValuesV3::cmdLotusMV_Click);

    // Tab order, and the focus in the 1999 total assets box when first shown.
    QWidget* previous = nullptr;
    for (const QString& name : tabOrder()) {
        auto* widget = findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
    txtTaYear3->setFocus(Qt::OtherFocusReason);
}

std::vector<kiv::TextBox*> FrmMyValuesV3::amountBoxes() const
{
    return {boxes_.begin(), boxes_.end()};
}

std::vector<kiv::Label*> FrmMyValuesV3::ratioLabels() const
{
    return {lblNpm, lblPpm, lblGpm, lblPpa, lblLta, lblRoe,
            lblNpm95, lblPpm95, lblGpm95, lblPpa95, lblLta95, lblRoe95,
            lblNpm94, lblPpm94, lblGpm94, lblPpa94, lblLta94, lblRoe94};
}

void FrmMyValuesV3::Form_Load()
{
    CommonDialog1->HelpFile = kiv::helpFile();
    CurrentFontSize = kiv::kFontSizeAtLoad;
    kiv::fit::Variant variant;
    variant.font = {kiv::fit::FontRule::Fixed, static_cast<float>(CurrentFontSize)};
    variant.kinds = {{kiv::fit::Kind::CommonDialog, kiv::fit::KindRule::Action::Skip, std::nullopt}};
    FitFormToScreen(variant);
}

void FrmMyValuesV3::Form_Activate()
{
    for (kiv::Label* ratio : ratioLabels())
        ratio->setText(QString());
    Label1->setText(yearCaption(Year::Year3));
    Label2->setText(yearCaption(Year::Year2));
    Label5->setText(yearCaption(Year::Year1));
}

void FrmMyValuesV3::Form_Paint()
{
    setCaption(kiv::text(142));
    cmdView->setText(kiv::text(64));
    cmdReturn->setText(kiv::text(20));
    cmdPrint->setText(kiv::text(58));
    cmdExport->setText(kiv::text(432));
    CmdFontSize->setText(kiv::text(434));
    CmdHelp->setText(kiv::text(298));
    cmdQuit->setText(kiv::text(328));
    cmdSave->setText(kiv::text(440));
    cmdRestore->setText(kiv::text(442));
    cmdClear->setText(kiv::text(46));
    Label6->setText(kiv::text(144));
    Label17->setText(kiv::text(146));
    Label13->setText(kiv::text(148));
    Label15->setText(kiv::text(150));
    Label16->setText(kiv::text(170));
    Label4->setText(kiv::text(294));
    for (int i = 0; i < kItemCount; ++i)
        captions_[static_cast<std::size_t>(i)]->setText(kiv::text(captionId(static_cast<Item>(i))));
}

Texts FrmMyValuesV3::texts() const
{
    Texts t;
    for (int i = 0; i < kAmountCount; ++i)
        t[static_cast<std::size_t>(i)] = boxes_[static_cast<std::size_t>(i)]->text();
    return t;
}

void FrmMyValuesV3::setTexts(const QStringList& texts)
{
    for (int i = 0; i < kAmountCount && i < texts.size(); ++i)
        boxes_[static_cast<std::size_t>(i)]->setText(texts[i]);
}

void FrmMyValuesV3::focusAndSelect(kiv::TextBox* box)
{
    box->setFocus(Qt::OtherFocusReason);
    box->setSelection(0, static_cast<int>(box->text().size()));
}

void FrmMyValuesV3::showDefinition(const QString& label)
{
    kiv::ShowDefinition(kiv::itemDefinitionV3(label, gLanguage));
}

// ---- buttons --------------------------------------------------------------------------------

void FrmMyValuesV3::cmdView_Click()
{
    const ReadFigures figures = readFigures(texts());
    if (!figures.amounts) {
        kiv::MsgBox(unreadableMessage(figures.unreadable, figures.refusal, gLanguage));
        focusAndSelect(boxes_[static_cast<std::size_t>(figures.unreadable)]);
        return;
    }
    if (const std::optional<Year> year = firstUnbalancedYear(*figures.amounts)) {
        kiv::MsgBox(balanceMessage(*year, gLanguage));
        return;
    }
    const RatioTexts ratios = ratioTexts(*figures.amounts);
    const std::vector<kiv::Label*> labels = ratioLabels();
    for (std::size_t r = 0; r < labels.size(); ++r)
        labels[r]->setText(ratios[r]);
    showComparison();
}

void FrmMyValuesV3::cmdReturn_Click()
{
    frmStartup().Show();
    Hide();
}

void FrmMyValuesV3::cmdPrint_Click()
{
    const auto caption = [this](const QString& label) {
        auto* l = findChild<QLabel*>(label, Qt::FindDirectChildrenOnly);
        return l ? l->text() : QString();
    };
    kiv::printDocument(statementPrintout(caption, texts(), gLanguage));
}

void FrmMyValuesV3::CmdFontSize_Click()
{
    CurrentFontSize = kiv::ChangeFontSize(*this, CurrentFontSize);
}

void FrmMyValuesV3::CmdHelp_Click()
{
    CommonDialog1->ShowHelp();
}

void FrmMyValuesV3::cmdQuit_Click()
{
    kiv::ConfirmExit(kTitle);
}

void FrmMyValuesV3::cmdSave_Click()
{
    QStringList list;
    for (const QString& text : texts())
        list << text;
    const std::optional<kiv::store::Failure> failure = kiv::store::save(savedFigures(), list);
    if (!failure)
        return;
    kiv::MsgBox(kiv::store::failureMessage(*failure, true, gLanguage, amountDescriptions(gLanguage)), kiv::vbExclamation);
    // The box whose text can't be saved, ready to be corrected; its text is not checked again.
    if (failure->kind == kiv::store::Failure::Kind::NotANumber && failure->column >= 0 && failure->column < kAmountCount)
        entry_.quietly([&] { focusAndSelect(boxes_[static_cast<std::size_t>(failure->column)]); });
}

void FrmMyValuesV3::cmdRestore_Click()
{
    const auto result = kiv::store::restore(savedFigures());
    if (const auto* failure = std::get_if<kiv::store::Failure>(&result)) {
        kiv::MsgBox(kiv::store::failureMessage(*failure, false, gLanguage, amountDescriptions(gLanguage)), kiv::vbExclamation);
        return;
    }
    setTexts(std::get<QStringList>(result));
}

void FrmMyValuesV3::cmdClear_Click()
{
    entry_.quietly([this] { kiv::ConfirmClear(kTitle, boxes_, txtTaYear3); });
}

// The hand over the 1999 column asks the Exit button's question: the click on a picture that
// shows no sign of being a control must not lose the figures typed.
void FrmMyValuesV3::Image1_Click()
{
    kiv::ConfirmExit(kTitle);
}

// ---- comparison and export ------------------------------------------------------------------

void FrmMyValuesV3::showComparison()
{
    frmMyRatiosV3().Show();
    Hide();
}

void FrmMyValuesV3::cmdExport_Click()
{
    kiv::openExportDialog(kiv::exports::OwnerSlot::ThreeYearValues, *this);
}

void FrmMyValuesV3::cmdExcMV_Click()
{
    exportTo(kiv::exports::Program::Excel);
}

void FrmMyValuesV3::cmdLotusMV_Click()
{
    exportTo(kiv::exports::Program::Lotus);
}

void FrmMyValuesV3::exportTo(kiv::exports::Program program)
{
    kiv::exports::ExportToSpreadsheet(kiv::exports::exportOperation(kiv::exports::threeYearValuesExport(), program,
                                                                    kiv::industryCodeText(),
                                                                    kiv::windowCells(*this, exportLayout(gLanguage))));
}
