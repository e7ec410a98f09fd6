#include "ratios/frm_my_ratios.h"

#include "balancesheet/frm_my_balance_sheet.h"
#include "industry/frm_startup.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "ratios/edition_header.h"
#include "ratios/one_year_comparison.h"
#include "ratios/ratio_definitions.h"
#include "shell/module1.h"
#include "values/definition_table.h"
#include "values/entry_controls.h"
#include "values/font_size.h"
#include "values/frm_export.h"
#include "values/frm_my_values.h"

#include <QApplication>

namespace ratios = kiv::ratios;
using K = kiv::fit::Kind;

namespace {

const QColor kTeal(0, 128, 128);
const QColor kHeadYellow(255, 255, 192);
const QColor kCellGrey(192, 192, 192);

QColor windowText()
{
    return QApplication::palette().color(QPalette::WindowText);
}

// ---- the design, in twips ------------------------------------------------------------------

constexpr float kDesignWidth = 12000;
constexpr float kDesignHeight = 9600;

constexpr float kButtonHeight = 375;
constexpr float kLineHeight = 270;

// Left edges and widths of the five columns of a ratio row.
constexpr float kNameLeft = 120, kNameWidth = 4800;
constexpr float kFirmLeft = 5040, kValueWidth = 1560;
constexpr float kMedianLeft = 6720;
constexpr float kBetterLeft = 8400, kPositionWidth = 1680;
constexpr float kWorseLeft = 10200;

constexpr float kHeadsTop = 2760, kHeadsHeight = 600;
constexpr float kNumberTop = 3450;
constexpr float kRowsTop = 3840, kRowPitch = 300;

// RAII: the flag is set while a rebuild runs, whatever way it ends.
class Busy {
public:
    explicit Busy(bool& flag) : flag_(flag) { flag_ = true; }
    ~Busy() { flag_ = false; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& flag_;
};

} // namespace

FrmMyRatios::FrmMyRatios()
    : Form(QStringLiteral("frmMyRatios"))
{
    setDesignSize(kDesignWidth, kDesignHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kTeal);
    setPalette(pal);
    setAutoFillBackground(true);

    auto button = [this](const char16_t* name, float left, float top, float width) {
        return addControl(new kiv::CommandButton(QString::fromUtf16(name), this), K::CommandButton, left, top, width,
                          kButtonHeight);
    };
    Command1 = button(u"Command1", 0, 0, 6000);
    Command2 = button(u"Command2", 6000, 0, 6000);
    cmdView1 = button(u"cmdView1", 0, 375, 6000);
    cmdView = button(u"cmdView", 6000, 375, 6000);
    cmdChoose = button(u"cmdChoose", 0, 750, 2000);
    cmdExport = button(u"cmdExport", 2000, 750, 2000);
    cmdPrint = button(u"cmdPrint", 4000, 750, 2000);
    CmdFontSize = button(u"CmdFontSize", 6000, 750, 2000);
    CmdHelp = button(u"CmdHelp", 8000, 750, 2000);
    cmdQuit = button(u"cmdQuit", 10000, 750, 2000);
    cmdExcMR = button(u"cmdExcMR", 0, 0, 100);
    cmdExcMR->setText(QStringLiteral("Excel"));
    cmdExcMR->setVisible(false);
    cmdLotusMR = button(u"cmdLotusMR", 0, 0, 100);
    cmdLotusMR->setText(QStringLiteral("Lotus"));
    cmdLotusMR->setVisible(false);

    CommonDialog1 = new kiv::CommonDialog(QStringLiteral("CommonDialog1"), this);
    addInvisibleControl(CommonDialog1, K::CommonDialog);

    auto label = [this](const QString& name, float left, float top, float width, float height = kLineHeight) {
        return addControl(new kiv::Label(name, this), K::Label, left, top, width, height);
    };
    auto labelAt = [&](const char16_t* name, float left, float top, float width, float height = kLineHeight) {
        return label(QString::fromUtf16(name), left, top, width, height);
    };

    // The header, framed.
    Shape1 = addControl(new kiv::ShapeControl(QStringLiteral("Shape1"), this), K::Shape, 120, 1245, 11760, 1110);
    Shape1->setBorderColor(Qt::white);
    lblMedium = labelAt(u"lblMedium", 240, 1320, 4800);
    lblMedium->setText(QStringLiteral("Small and Medium Firms"));
    lblRevenue = labelAt(u"lblRevenue", 5160, 1320, 6600);
    lblRevenue->setText(QStringLiteral("Revenue under $5 million, Reference year 19xx"));
    lblSice1 = labelAt(u"lblSice1", 240, 1680, 1080);
    lblSice1->setText(QStringLiteral("SICE"));
    lblSice = labelAt(u"lblSice", 1380, 1680, 10380);
    lblIndustryDescription = labelAt(u"lblIndustryDescription", 240, 2010, 11520);
    for (kiv::Label* l : {lblMedium, lblRevenue})
        kiv::setColours(l, Qt::white);
    for (kiv::Label* l : {lblSice1, lblSice, lblIndustryDescription})
        kiv::setColours(l, Qt::yellow);
    lblIndustryNum = labelAt(u"lblIndustryNum", 240, 2010, 900);
    lblIndustryNumber = labelAt(u"lblIndustryNumber", 1200, 2010, 900);
    lblIndustryNum->setVisible(false);
    lblIndustryNumber->setVisible(false);

    // Column heads.
    Label1 = labelAt(u"Label1", kBetterLeft, 2460, kWorseLeft + kPositionWidth - kBetterLeft);
    lblMrRatios = labelAt(u"lblMrRatios", kFirmLeft, kHeadsTop, kValueWidth, kHeadsHeight);
    lblAverage = labelAt(u"lblAverage", kMedianLeft, kHeadsTop, kValueWidth, kHeadsHeight);
    lblBetter = labelAt(u"lblBetter", kBetterLeft, kHeadsTop, kPositionWidth, kHeadsHeight);
    lblWorse = labelAt(u"lblWorse", kWorseLeft, kHeadsTop, kPositionWidth, kHeadsHeight);
    for (kiv::Label* l : {Label1, lblMrRatios, lblAverage, lblBetter, lblWorse}) {
        kiv::setColours(l, windowText(), kHeadYellow);
        l->setAlignment(Qt::AlignCenter);
    }

    lblNumber = labelAt(u"lblNumber", kNameLeft, kNumberTop, kNameWidth);
    kiv::setColours(lblNumber, Qt::white);
    lblNumber->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblNumberOfFirms = labelAt(u"lblNumberOfFirms", kMedianLeft, kNumberTop, kValueWidth);

    // The fifteen rows under their group heads; the two outer quartiles of a row are never shown.
    std::vector<kiv::Label*> cells{lblNumberOfFirms};
    kiv::Label** firm[] = {&lblMyNpm, &lblMyPpm, &lblMyOpm, &lblMyGpm, &lblMyOrtnoa, &lblMyRnoa, &lblMyPpa, &lblMyRoce,
                           &lblMyRoe, &lblMyRt, &lblMyIt, &lblMyWc, &lblMyDe, &lblMyLta, &lblMyIc};
    float top = kRowsTop;
    const auto rows = ratios::comparisonRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ratios::ComparisonRow& r = rows[i];
        if (i == 0 || rows[i - 1].group != r.group) {
            kiv::Label* head = label(ratios::groupLabel(r.group), kNameLeft, top, kNameWidth);
            kiv::setColours(head, Qt::yellow);
            head->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            switch (r.group) {
            case kiv::values::RatioGroup::Profitability: lblProfitability = head; break;
            case kiv::values::RatioGroup::Efficiency: lblEffeciency = head; break;
            case kiv::values::RatioGroup::LiquiditySolvency: lblLiquidity = head; break;
            }
            top += kRowPitch;
        }
        auto* name = addControl(new kiv::ClickLabel(r.nameLabel(), this), K::Label, kNameLeft, top, kNameWidth, kLineHeight);
        kiv::setColours(name, Qt::white);
        name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        connect(name, &kiv::ClickLabel::Click, this, [this, i] { ratioName_Click(int(i)); });
        names_[i] = name;
        *firm[i] = label(r.firmLabel(), kFirmLeft, top, kValueWidth);
        cells.push_back(*firm[i]);
        kiv::Label* q1 = label(r.q1Label(), kMedianLeft, top, kValueWidth);
        cells.push_back(label(r.medianLabel(), kMedianLeft, top, kValueWidth));
        kiv::Label* q3 = label(r.q3Label(), kMedianLeft, top, kValueWidth);
        q1->setVisible(false);
        q3->setVisible(false);
        cells.push_back(label(r.betterLabel(), kBetterLeft, top, kPositionWidth));
        cells.push_back(label(r.worseLabel(), kWorseLeft, top, kPositionWidth));
        top += kRowPitch;
    }
    for (kiv::Label* c : cells) {
        kiv::setColours(c, windowText(), kCellGrey);
        c->setAlignment(Qt::AlignCenter);
    }

    connect(cmdChoose, &kiv::CommandButton::Click, this, &FrmMyRatios::cmdChoose_Click);
    connect(Command1, &kiv::CommandButton::Click, this, &FrmMyRatios::Command1_Click);
    connect(Command2, &kiv::CommandButton::Click, this, &FrmMyRatios::Command2_Click);
    connect(cmdView1, &kiv::CommandButton::Click, this, &FrmMyRatios::cmdView1_Click);
    connect(cmdView, &kiv::CommandButton::Click, this, &FrmMyRatios::cmdView_Click);
    connect(cmdExport, &kiv::CommandButton::Click, this, &FrmMyRatios::cmdExport_Click);
    connect(cmdPrint, &kiv::CommandButton::Click, this, &FrmMyRatios::cmdPrint_Click);
    connect(CmdFontSize, &kiv::CommandButton::Click, this, &FrmMyRatios::CmdFontSize_Click);
    connect(CmdHelp, &kiv::CommandButton::Click, this, &FrmMyRatios::CmdHelp_Click);
    connect(cmdQuit, &kiv::CommandButton::Click, this, &FrmMyRatios::cmdQuit_Click);
    connect(cmdExcMR, &kiv::CommandButton::Click, this, &FrmMyRatios::cmdExcMR_Click);
    connect(cmdLotusMR, &kiv::CommandButton::Click, this, &FrmMyRatios::cmdLotusMR_Click);
}

kiv::Label* FrmMyRatios::label(const QString& name) const
{
    return findChild<kiv::Label*>(name, Qt::FindDirectChildrenOnly);
}

// ---- load, activation, paint ----------------------------------------------------------------

void FrmMyRatios::Form_Load()
{
    CommonDialog1->HelpFile = kiv::helpFile();
    CurrentFontSize = kiv::kFontSizeAtLoad;
    kiv::fit::Variant variant;
    variant.heightFactor = 0.95;
    variant.font = {kiv::fit::FontRule::Fixed, float(CurrentFontSize)};
    variant.kinds = {{K::CommonDialog, kiv::fit::KindRule::Action::Skip, std::nullopt}};
    FitFormToScreen(variant);
}

void FrmMyRatios::Form_Activate()
{
    return_.reset();
    rebuild(true);
}

void FrmMyRatios::changeEvent(QEvent* event)
{
    Form::changeEvent(event);
    if (return_.returned(*this, *event))
        rebuild(false);
}

void FrmMyRatios::blankPositions()
{
    for (const QString& name : ratios::positionLabels())
        label(name)->setText(QStringLiteral(" "));
}

void FrmMyRatios::setMedian(kiv::Label* median, const QString& text)
{
    median->setText(kiv::MarkZeroMedian(text));
}

void FrmMyRatios::rebuild(bool report)
{
    if (rebuilding_)
        return;
    Busy busy(rebuilding_);

    blankPositions();
    const auto read = ratios::readIndustry(gRSData.get(), gLanguage);
    const auto rows = ratios::comparisonRows();
    if (const auto* problem = std::get_if<ratios::ContentProblem>(&read)) {
        // An empty comparison: nothing of an earlier industry or of the firm stays.
        for (kiv::Label* l : {lblIndustryNumber, lblSice, lblIndustryDescription, lblNumberOfFirms})
            l->clear();
        for (const ratios::ComparisonRow& r : rows)
            for (const QString& name : {r.q3Label(), r.medianLabel(), r.q1Label(), r.firmLabel()})
                label(name)->clear();
        if (report) {
            // The window shows its captions under the message.
            if (isVisible())
                Form_Paint();
            kiv::MsgBox(ratios::problemMessage(*problem, gLanguage), kiv::vbOKOnly + kiv::vbExclamation);
        }
        return;
    }
    const auto& content = std::get<ratios::IndustryContent>(read);

    lblIndustryNumber->setText(content.industryNumber);
    lblSice->setText(content.code);
    lblIndustryDescription->setText(content.description);
    lblNumberOfFirms->setText(content.numberOfFirms);

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const kiv::IndustryQuartiles& q = content.quartiles[i];
        label(rows[i].q3Label())->setText(q.q3);
        setMedian(label(rows[i].medianLabel()), q.q2);
        label(rows[i].q1Label())->setText(q.q1);
    }

    // Last, the firm's ratios as the entry window computed them, each placed in the quartiles its
    // labels now hold.
    FrmMyValues& values = frmMyValues();
    for (const ratios::ComparisonRow& r : rows) {
        const QLabel* source = values.findChild<QLabel*>(r.sourceLabel());
        kiv::Label* firm = label(r.firmLabel());
        firm->setText(source ? source->text() : QString());
        const kiv::IndustryQuartiles quartiles{label(r.q1Label())->text(), label(r.medianLabel())->text(),
                                               label(r.q3Label())->text()};
        const kiv::QuartilePosition position = kiv::RankAgainstQuartiles(firm->text(), quartiles, r.rule);
        label(position.column == kiv::RankColumn::Better ? r.betterLabel() : r.worseLabel())->setText(position.text);
    }
}

void FrmMyRatios::Form_Paint()
{
    setCaption(kiv::text(244));
    lblIndustryNum->setText(kiv::text(62));
    Command1->setText(kiv::text(68));
    cmdView->setText(kiv::text(66));
    Command2->setText(kiv::text(240));
    cmdView1->setText(kiv::text(226));
    lblMrRatios->setText(kiv::text(234));
    lblAverage->setText(kiv::text(236));
    Label1->setText(kiv::text(248));
    cmdChoose->setText(kiv::text(20));
    cmdPrint->setText(kiv::text(58));
    CmdHelp->setText(kiv::text(298));
    cmdQuit->setText(kiv::text(328));
    lblBetter->setText(kiv::text(250));
    lblWorse->setText(kiv::text(252));
    lblNumber->setText(kiv::text(70));
    const auto rows = ratios::comparisonRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == 0 || rows[i - 1].group != rows[i].group)
            label(ratios::groupLabel(rows[i].group))->setText(kiv::text(kiv::values::groupNameId(rows[i].group)));
        names_[i]->setText(kiv::text(rows[i].nameId));
    }
    cmdExport->setText(kiv::text(432));
    CmdFontSize->setText(kiv::text(434));
    kiv::ShowEditionHeader(lblMedium, lblRevenue, lblSice1);
}

// ---- commands -------------------------------------------------------------------------------

void FrmMyRatios::cmdChoose_Click()
{
    blankPositions();
    frmStartup().Show();
    Hide();
}

void FrmMyRatios::Command1_Click()
{
    frmMyBalanceSheet().Show();
    Hide();
}

void FrmMyRatios::Command2_Click()
{
    frmMyValues().Show();
    Hide();
}

void FrmMyRatios::cmdView1_Click()
{
    showIndustryReport(true);
}

void FrmMyRatios::cmdView_Click()
{
    showIndustryReport(false);
}

void FrmMyRatios::showIndustryReport(bool ratiosReport)
{
    FrmStartup& startup = frmStartup();
    const bool shown = startup.showReportFor(*this, [&] {
        startup.optView->setChecked(true);
        (ratiosReport ? startup.optRatios : startup.optBalanceSheet)->setChecked(true);
    });
    // A report that cannot be drawn leaves the user here, told why.
    if (shown)
        Hide();
}

void FrmMyRatios::cmdExport_Click()
{
    kiv::openExportDialog(kiv::exports::OwnerSlot::OneYearRatios, *this);
}

void FrmMyRatios::cmdExcMR_Click()
{
    exportTo(kiv::exports::Program::Excel);
}

void FrmMyRatios::cmdLotusMR_Click()
{
    exportTo(kiv::exports::Program::Lotus);
}

void FrmMyRatios::exportTo(kiv::exports::Program program)
{
    kiv::exports::ExportToSpreadsheet(kiv::exports::exportOperation(kiv::exports::myRatiosExport(), program, lblSice->text(),
                                                                    kiv::windowCells(*this, ratios::exportLayout(gLanguage))));
}

void FrmMyRatios::cmdPrint_Click()
{
    kiv::printDocument(ratios::comparisonPrintout(
        [this](const QString& name) {
            const kiv::Label* l = label(name);
            return l ? l->text() : QString();
        },
        gLanguage));
}

void FrmMyRatios::CmdFontSize_Click()
{
    CurrentFontSize = kiv::ChangeFontSize(*this, CurrentFontSize);
}

void FrmMyRatios::CmdHelp_Click()
{
    CommonDialog1->ShowHelp();
}

void FrmMyRatios::cmdQuit_Click()
{
    kiv::ConfirmExit(QStringLiteral("Kivob"));
}

void FrmMyRatios::ratioName_Click(int row)
{
    kiv::ShowDefinition(kiv::ratioDefinition(names_[std::size_t(row)]->objectName(), gLanguage));
}
