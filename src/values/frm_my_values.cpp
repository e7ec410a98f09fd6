#include "values/frm_my_values.h"

#include "balancesheet/frm_my_balance_sheet.h"
#include "industry/frm_startup.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "ratios/edition_facts.h"
#include "ratios/frm_my_ratios.h"
#include "shell/edition_choice.h"
#include "shell/module1.h"
#include "values/amount_refusal.h"
#include "values/company_ratios.h"
#include "values/confirm_clear.h"
#include "values/entry_controls.h"
#include "values/font_size.h"
#include "values/item_definitions.h"
#include "values/one_year_printout.h"
#include "values/one_year_store.h"

using kiv::setBold;
using kiv::setColours;
using kiv::values::Item;
namespace values = kiv::values;

namespace {

constexpr double kDesignWidth = 11295;
constexpr double kDesignHeight = 8085;

const QColor kTeal(0, 128, 128);
const QColor kYellow(255, 255, 0);
const QColor kNoteGrey(192, 192, 192);
const QColor kTotalGrey(224, 224, 224);
const QColor kTotalBlue(0, 0, 128);

QString refusalText(Item item, kiv::num::AmountRefusal refusal)
{
    if (refusal != kiv::num::AmountRefusal::NotANumber)
        return values::beyondRangeMessage(refusal, gLanguage);
    const bool english = gLanguage == 0;
    if (item == Item::OtherLiabilities)
        return english ? QStringLiteral("You did not enter a number for Other Liabilities! Please do so now. If value is null, please enter zero")
                       : QStringLiteral(
                             "Vous n'avez pas incrit de chiffre pour Autres passifs!  Prière de le faire maintenant.  Si la valeur est nulle, veuillez inscrire un zéro.");
    return english ? QStringLiteral("Please enter a number") : QStringLiteral("SVP ecrit le numéro ici");
}

// Design rectangles of an item's caption and box.
struct Row {
    float captionLeft, boxLeft, top, captionWidth, captionHeight, boxHeight;
};

Row rowOf(Item item)
{
    static const float assets[] = {2415, 2655, 2895, 3135, 3375, 3615, 3870, 4125, 4380};
    static const float right[] = {2415, 2670, 2910, 3150, 3390, 3615, 3870, 4335, 4590,
                                  4830, 5070, 5310, 5550, 5805, 6060, 6315, 6555};
    static const float income[] = {5595, 5850, 6105, 6660, 6915, 7155, 7395};
    const int i = values::index(item);
    if (i <= values::index(Item::TotalAssets))
        return {60, 3540, assets[i], 3420, 255, 280};
    if (i <= values::index(Item::CurrentLiabilities)) {
        const bool twoLines = item == Item::AmountsOwingToAffiliates;
        return {5040, 9765, right[i - values::index(Item::AccountsPayable)], 4665, twoLines ? 495.0f : 255.0f,
                twoLines ? 495.0f : 280.0f};
    }
    const bool twoLines = item == Item::GrossProfit;
    return {60, 3525, income[i - values::index(Item::OperatingRevenue)], 3405, twoLines ? 585.0f : 255.0f,
            twoLines ? 585.0f : 280.0f};
}

} // namespace

FrmMyValues::FrmMyValues()
    : Form(QStringLiteral("frmMyValues"))
    , entry_(*this, &kiv::num::entryForm)
{
    setDesignSize(kDesignWidth, kDesignHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kTeal);
    setPalette(pal);
    setAutoFillBackground(true);
    buildLayout();
    wireEntry();
}

FrmMyValues::~FrmMyValues() = default;

void FrmMyValues::buildLayout()
{
    using K = kiv::fit::Kind;
    auto button = [&](const char16_t* name, float left, float top, float width, float height) {
        auto* b = addControl(new kiv::CommandButton(QString::fromUtf16(name), this), K::CommandButton, left, top, width, height);
        setBold(b);
        // A click leaves the focus in the box the user is in, which the click checks first.
        b->setFocusPolicy(Qt::TabFocus);
        buttons_.push_back(b);
        return b;
    };
    auto label = [&](const char16_t* name, float left, float top, float width, float height) {
        return addControl(new kiv::Label(QString::fromUtf16(name), this), K::Label, left, top, width, height);
    };

    cmdView = button(u"cmdView", 15, 0, 5880, 375);
    cmdCompare = button(u"cmdCompare", 5895, 0, 5385, 375);
    cmdReturn = button(u"cmdReturn", 15, 375, 2475, 375);
    cmdExport = button(u"cmdExport", 2490, 375, 1890, 375);
    cmdPrint = button(u"cmdPrint", 4365, 375, 1530, 375);
    CmdFontSize = button(u"CmdFontSize", 5895, 375, 2955, 375);
    CmdHelp = button(u"CmdHelp", 8850, 375, 1215, 375);
    cmdQuit = button(u"cmdQuit", 10065, 375, 1215, 375);

    Shape1 = addControl(new kiv::ShapeControl(QStringLiteral("Shape1"), this), K::Shape, 30, 750, 11235, 720);
    Shape1->setBorderColor(Qt::black);

    // The balance-sheet note spans the income-statement note's width, so that its French text
    // and the year fit on one line.
    Label6 = label(u"Label6", 2280, 855, 7095, 255);
    Label17 = label(u"Label17", 2280, 1110, 7095, 255);
    Label6->setText(QStringLiteral("Balance sheet data should be as at the fiscal year end 19xx"));
    Label17->setText(QStringLiteral("Income statement data should be for the fiscal year ending 19xx"));
    for (kiv::Label* l : {Label6, Label17}) {
        setColours(l, kYellow);
        setBold(l);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }

    Label13 = label(u"Label13", 1350, 1650, 4710, 315);
    lblEnter = label(u"lblEnter", 7500, 1650, 3735, 300);
    Label14 = label(u"Label14", 480, 4860, 4320, 300);
    for (kiv::Label* l : {Label13, lblEnter, Label14}) {
        setColours(l, Qt::black, kNoteGrey);
        setBold(l);
        l->setAlignment(Qt::AlignCenter);
    }
    // Drawn under the boxes they point at.
    Image1[2] = addControl(new kiv::HandPicture(QStringLiteral("Image1_2"), this), K::Image, 3885, 1950, 480, 480);
    Image1[1] = addControl(new kiv::HandPicture(QStringLiteral("Image1_1"), this), K::Image, 10155, 1965, 480, 480);
    Image1[0] = addControl(new kiv::HandPicture(QStringLiteral("Image1_0"), this), K::Image, 3900, 5145, 480, 480);

    Label15 = label(u"Label15", 105, 2055, 1905, 255);
    Label16 = label(u"Label16", 5085, 2055, 4485, 255);
    Label4 = label(u"Label4", 120, 5205, 3345, 360);
    for (kiv::Label* l : {Label15, Label16, Label4}) {
        setColours(l, kYellow);
        setBold(l);
    }

    for (const values::ItemInfo& it : values::items()) {
        const Row row = rowOf(it.item);
        const std::size_t i = std::size_t(values::index(it.item));
        auto* c = addControl(new kiv::ClickLabel(QString::fromUtf16(it.caption), this), K::Label, row.captionLeft, row.top,
                             row.captionWidth, row.captionHeight);
        setColours(c, Qt::white);
        if (it.computed)
            setBold(c);
        const Item item = it.item;
        connect(c, &kiv::ClickLabel::Click, this, [this, item] { ShowDefinition(item); });
        captions_[i] = c;
        auto* b = addControl(new kiv::TextBox(QString::fromUtf16(it.box), this), K::TextBox, row.boxLeft, row.top, 1215,
                             row.boxHeight);
        if (it.computed) {
            b->setReadOnly(true);
            setColours(b, kTotalBlue, kTotalGrey);
            setBold(b);
        } else {
            setColours(b, Qt::black, Qt::white);
        }
        boxes_[i] = b;
    }
    auto at = [&](Item item) { return boxes_[std::size_t(values::index(item))]; };
    auto cap = [&](Item item) { return captions_[std::size_t(values::index(item))]; };
    txtCash = at(Item::Cash);
    txtAr = at(Item::AccountsReceivable);
    txtInv = at(Item::Inventory);
    txtCA = at(Item::CapitalAssets);
    txtOA = at(Item::OtherAssets);
    txtToa = at(Item::TotalOperatingAssets);
    txtInvest = at(Item::InvestmentsWithAffiliates);
    txtPtfl = at(Item::PortfolioInvestments);
    txtTa = at(Item::TotalAssets);
    txtAccountsPayable = at(Item::AccountsPayable);
    txtBanks = at(Item::BankLoans);
    txtPaper = at(Item::ShortTermPaper);
    txtMtg = at(Item::Mortgages);
    txtBonds = at(Item::Bonds);
    txtOl = at(Item::OtherLoans);
    txtAmtsAffil = at(Item::AmountsOwingToAffiliates);
    txtOLiab = at(Item::OtherLiabilities);
    txtDefTax = at(Item::DeferredTax);
    txtTliab = at(Item::TotalLiabilities);
    txtShareC = at(Item::ShareCapital);
    txtRetEarn = at(Item::RetainedEarnings);
    txtOtherSur = at(Item::OtherSurplus);
    txtEquity1 = at(Item::TotalShareholdersEquity);
    txtTotLiabShareEq = at(Item::TotalLiabilitiesAndShareholdersEquity);
    txtCurrentAssets = at(Item::CurrentAssets);
    txtCurrentLiabilities = at(Item::CurrentLiabilities);
    txtOperatingRevenue = at(Item::OperatingRevenue);
    txtSales = at(Item::Sales);
    txtGrossProfit = at(Item::GrossProfit);
    txtOperatingProfit = at(Item::OperatingProfit);
    txtInterestExpense = at(Item::InterestExpense);
    txtPretaxProfit = at(Item::PretaxProfit);
    txtProfitAfterTax = at(Item::ProfitAfterTax);
    Label5 = cap(Item::Cash);
    lblReceivables = cap(Item::AccountsReceivable);
    lblInventory = cap(Item::Inventory);
    Label10 = cap(Item::CapitalAssets);
    Label11 = cap(Item::OtherAssets);
    Label12 = cap(Item::TotalOperatingAssets);
    Label2 = cap(Item::InvestmentsWithAffiliates);
    Label9 = cap(Item::PortfolioInvestments);
    Label3 = cap(Item::TotalAssets);
    Label1 = cap(Item::AccountsPayable);
    Label8 = cap(Item::BankLoans);
    Label7 = cap(Item::ShortTermPaper);
    lblMortgages = cap(Item::Mortgages);
    lblBonds = cap(Item::Bonds);
    lblOtherLoans = cap(Item::OtherLoans);
    lblAffiliate = cap(Item::AmountsOwingToAffiliates);
    lblOtherLiabilities = cap(Item::OtherLiabilities);
    lblDeferredTax = cap(Item::DeferredTax);
    lblLiabilities = cap(Item::TotalLiabilities);
    lblShareCapital = cap(Item::ShareCapital);
    lblRetainedEarnings = cap(Item::RetainedEarnings);
    lblOther = cap(Item::OtherSurplus);
    lblEquity = cap(Item::TotalShareholdersEquity);
    lblTotal = cap(Item::TotalLiabilitiesAndShareholdersEquity);
    lblCurrentAssets = cap(Item::CurrentAssets);
    lblCurrentLiabilitite = cap(Item::CurrentLiabilities);
    lblOperatingRevenue1 = cap(Item::OperatingRevenue);
    lblRevenue6 = cap(Item::Sales);
    lblGrossProfit = cap(Item::GrossProfit);
    lblOperatingProfit = cap(Item::OperatingProfit);
    lblInterextExpense = cap(Item::InterestExpense);
    lblPretaxProfit = cap(Item::PretaxProfit);
    lblAftertaxProfit = cap(Item::ProfitAfterTax);

    // A box of no item, beyond the right edge.
    txtTotAssets = addControl(new kiv::TextBox(QStringLiteral("txtTotAssets"), this), K::TextBox, 11400, 4380, 1215, 280);
    txtTotAssets->setFocusPolicy(Qt::NoFocus);

    cmdSave = button(u"cmdSave", 5325, 7020, 1560, 375);
    cmdRestore = button(u"cmdRestore", 7005, 7020, 1560, 375);
    cmdCear = button(u"cmdCear", 8700, 7020, 1560, 375);
    cmdExcMV = button(u"cmdExcMV", 5325, 7440, 1560, 375);
    cmdLotusMV = button(u"cmdLotusMV", 7005, 7440, 1560, 375);
    cmdExcMV->setText(QStringLiteral("Excel"));
    cmdLotusMV->setText(QStringLiteral("Lotus"));
    cmdExcMV->setVisible(false);
    cmdLotusMV->setVisible(false);

    // The ratio labels in a row along the bottom edge, in the order of their names.
    const char16_t* ratioNames[] = {u"lblNpm", u"lblPpm", u"lblOpm", u"lblGpm", u"lblOrtnoa", u"lblRnoa", u"lblPpa", u"lblRoce",
                                    u"lblRoe", u"lblRt", u"lblIt", u"lblWc", u"lblDe", u"lblLta", u"lblIc"};
    kiv::Label** ratioMembers[] = {&lblNpm, &lblPpm, &lblOpm, &lblGpm, &lblOrtnoa, &lblRnoa, &lblPpa, &lblRoce,
                                   &lblRoe, &lblRt, &lblIt, &lblWc, &lblDe, &lblLta, &lblIc};
    for (int i = 0; i < 15; ++i) {
        *ratioMembers[i] = label(ratioNames[i], 60 + 300 * float(i), 7800, 255, 255);
        (*ratioMembers[i])->setVisible(false);
    }
    for (const values::RatioInfo& r : values::ratios())
        ratioLabels_[std::size_t(r.ratio)] = findChild<kiv::Label*>(QStringLiteral("lbl") + QString::fromUtf16(r.code), Qt::FindDirectChildrenOnly);

    CommonDialog1 = new kiv::CommonDialog(QStringLiteral("CommonDialog1"), this);
    addInvisibleControl(CommonDialog1, K::CommonDialog);

    // Tab order: the 33 boxes in item order, then the commands.
    QWidget* previous = nullptr;
    auto chain = [&](QWidget* w) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    };
    for (kiv::TextBox* b : boxes_)
        chain(b);
    for (QWidget* w : {cmdView, cmdPrint, cmdQuit, cmdReturn, cmdCompare, cmdCear, CmdHelp, CmdFontSize, cmdExport, cmdSave, cmdRestore})
        chain(w);

    connect(cmdView, &kiv::CommandButton::Click, this, &FrmMyValues::cmdView_Click);
    connect(cmdCompare, &kiv::CommandButton::Click, this, &FrmMyValues::cmdCompare_Click);
    connect(cmdReturn, &kiv::CommandButton::Click, this, &FrmMyValues::cmdReturn_Click);
    connect(cmdExport, &kiv::CommandButton::Click, this, &FrmMyValues::cmdExport_Click);
    connect(cmdPrint, &kiv::CommandButton::Click, this, &FrmMyValues::cmdPrint_Click);
    connect(CmdFontSize, &kiv::CommandButton::Click, this, &FrmMyValues::CmdFontSize_Click);
    connect(CmdHelp, &kiv::CommandButton::Click, this, &FrmMyValues::CmdHelp_Click);
    connect(cmdQuit, &kiv::CommandButton::Click, this, &FrmMyValues::cmdQuit_Click);
    connect(cmdSave, &kiv::CommandButton::Click, this, &FrmMyValues::cmdSave_Click);
    connect(cmdRestore, &kiv::CommandButton::Click, this, &FrmMyValues::cmdRestore_Click);
    connect(cmdCear, &kiv::CommandButton::Click, this, &FrmMyValues::cmdCear_Click);
    connect(cmdExcMV, &kiv::CommandButton::Click, this, &FrmMyValues::cmdExcMV_Click);
    connect(cmdLotusMV, &kiv::CommandButton::Click, this, &FrmMyValues::cmdLotusMV_Click);
}

void FrmMyValues::wireEntry()
{
    for (const values::ItemInfo& it : values::items()) {
        kiv::TextBox* b = box(it.item);
        QWidget* next = findChild<QWidget*>(QString::fromUtf16(it.enterNext), Qt::FindDirectChildrenOnly);
        if (it.computed) {
            entry_.addComputedBox(b, next);
        } else {
            const Item item = it.item;
            entry_.addTypedBox(b, next, [item](kiv::num::AmountRefusal refusal) { return refusalText(item, refusal); });
        }
    }
    entry_.onAccepted = [this](kiv::TextBox* b) {
        for (const values::ItemInfo& it : values::items())
            if (box(it.item) == b)
                RecomputeTotals(it.item);
    };
    // The two export operations are run by the export dialog, never by a click of the user.
    for (kiv::CommandButton* b : buttons_)
        if (b != cmdExcMV && b != cmdLotusMV)
            entry_.guard(b);
}

std::vector<kiv::TextBox*> FrmMyValues::figureBoxes() const
{
    return {txtCash, txtAr, txtInv, txtCA, txtOA, txtToa, txtInvest, txtPtfl, txtTa, txtAccountsPayable, txtBanks,
            txtPaper, txtMtg, txtBonds, txtOl, txtAmtsAffil, txtOLiab, txtDefTax, txtTliab, txtShareC, txtRetEarn,
            txtOtherSur, txtTotLiabShareEq, txtEquity1, txtCurrentAssets, txtCurrentLiabilities, txtOperatingRevenue,
            txtSales, txtGrossProfit, txtOperatingProfit, txtInterestExpense, txtPretaxProfit, txtProfitAfterTax};
}

kiv::TextBox* FrmMyValues::box(Item item) const
{
    return boxes_[std::size_t(values::index(item))];
}

kiv::Label* FrmMyValues::caption(Item item) const
{
    return captions_[std::size_t(values::index(item))];
}

kiv::Label* FrmMyValues::ratioLabel(int ratio) const
{
    return ratioLabels_[std::size_t(ratio)];
}

values::Texts FrmMyValues::texts() const
{
    values::Texts t;
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = boxes_[i]->text();
    return t;
}

// ---- load, activation, paint ---------------------------------------------------------------

void FrmMyValues::Form_Load()
{
    CommonDialog1->HelpFile = kiv::helpFile();
    CurrentFontSize = kiv::kFontSizeAtLoad;
    kiv::fit::Variant variant;
    variant.font = {kiv::fit::FontRule::Fixed, float(CurrentFontSize)};
    variant.kinds = {{kiv::fit::Kind::CommonDialog, kiv::fit::KindRule::Action::Skip, std::nullopt}};
    FitFormToScreen(variant);
    txtCash->setFocus(Qt::OtherFocusReason);
}

void FrmMyValues::Form_Activate()
{
    for (kiv::Label* l : ratioLabels_)
        l->setText(QStringLiteral(" "));
}

void FrmMyValues::Form_Paint()
{
    setCaption(kiv::text(142));
    for (const values::ItemInfo& it : values::items())
        caption(it.item)->setText(kiv::text(it.captionId));
    for (kiv::Label* l : {Label13, Label14, lblEnter})
        l->setText(kiv::text(148));
    Label15->setText(kiv::text(150));
    Label16->setText(kiv::text(170));
    Label4->setText(kiv::text(294));
    cmdView->setText(kiv::text(64));
    cmdCompare->setText(kiv::text(68));
    cmdReturn->setText(kiv::text(20));
    cmdExport->setText(kiv::text(432));
    cmdPrint->setText(kiv::text(58));
    CmdFontSize->setText(kiv::text(434));
    CmdHelp->setText(kiv::text(298));
    cmdQuit->setText(kiv::text(328));
    cmdSave->setText(kiv::text(440));
    cmdRestore->setText(kiv::text(442));
    cmdCear->setText(kiv::text(46));
    // The chosen edition is the selected option of the edition menu.
    const kiv::Edition* edition = kiv::selectedEdition();
    if (const auto year = edition ? kiv::editionReferenceYear(QStringView(edition->option)) : std::nullopt) {
        Label6->setText(kiv::text(144) + QString::number(*year));
        Label17->setText(kiv::text(146) + QString::number(*year));
    }
}

// ---- entry ---------------------------------------------------------------------------------

bool FrmMyValues::ValidateAmountEntry(kiv::TextBox* b, kiv::AmountEntry::Trigger trigger)
{
    return entry_.validate(b, trigger);
}

void FrmMyValues::RecomputeTotals(Item typed)
{
    values::Texts t = texts();
    values::recomputeTotals(typed, t);
    for (Item total : values::totalsRefreshedBy(typed))
        box(total)->setText(t[std::size_t(values::index(total))]);
}

bool FrmMyValues::ComputeRatios()
{
    Item unreadable = Item::Cash;
    const std::optional<values::ExactStatement> statement = values::readExact(texts(), &unreadable);
    if (!statement) {
        // Only a figure put in from elsewhere can be beyond the range of amounts.
        kiv::MsgBox(refusalText(unreadable, kiv::num::beyondRange(kiv::num::readLeadingNumber(box(unreadable)->text()))));
        box(unreadable)->setFocus(Qt::OtherFocusReason);
        box(unreadable)->selectAll();
        return false;
    }
    if (!values::balances(*statement)) {
        kiv::MsgBox(gLanguage == 0 ? QStringLiteral("Total Assets is not equal Total Liabilities and Shareholders' Equity")
                                   : QStringLiteral("Total, Actifs n'égal pas le Total, Passifs et Capitaux Propres"));
        return false;
    }
    const values::RatioTexts ratioTexts = values::ratioTexts(*statement);
    for (const values::RatioInfo& r : values::ratios())
        ratioLabels_[std::size_t(r.ratio)]->setText(ratioTexts[std::size_t(r.ratio)]);
    return true;
}

// ---- commands ------------------------------------------------------------------------------

void FrmMyValues::cmdView_Click()
{
    if (!ComputeRatios())
        return;
    frmMyRatios().Show();
    Hide();
}

void FrmMyValues::cmdCompare_Click()
{
    if (!ComputeRatios())
        return;
    frmMyBalanceSheet().Show();
    Hide();
}

void FrmMyValues::cmdReturn_Click()
{
    frmStartup().Show();
    Hide();
}

void FrmMyValues::cmdCear_Click()
{
    const std::vector<kiv::TextBox*> boxes = figureBoxes();
    entry_.quietly([&] { kiv::ConfirmClear(QStringLiteral("Kivob"), boxes, txtCash); });
}

void FrmMyValues::CmdFontSize_Click()
{
    CurrentFontSize = kiv::ChangeFontSize(*this, CurrentFontSize);
}

void FrmMyValues::CmdHelp_Click()
{
    CommonDialog1->ShowHelp();
}

void FrmMyValues::cmdQuit_Click()
{
    kiv::ConfirmExit(QStringLiteral("Kivob"));
}

void FrmMyValues::cmdSave_Click()
{
    const std::optional<kiv::store::Failure> failure = kiv::store::save(values::savedOneYearFigures(), values::toSavedOrder(texts()));
    if (!failure)
        return;
    kiv::MsgBox(kiv::store::failureMessage(*failure, true, gLanguage, values::savedItemNames(gLanguage)), kiv::vbExclamation);
    if (failure->kind == kiv::store::Failure::Kind::NotANumber) {
        // The box whose text can't be saved, ready to be corrected.
        kiv::TextBox* b = box(values::savedOrder()[std::size_t(failure->column)]);
        entry_.quietly([&] {
            b->setFocus(Qt::OtherFocusReason);
            b->selectAll();
        });
    }
}

void FrmMyValues::cmdRestore_Click()
{
    const auto result = kiv::store::restore(values::savedOneYearFigures());
    if (const auto* failure = std::get_if<kiv::store::Failure>(&result)) {
        kiv::MsgBox(kiv::store::failureMessage(*failure, false, gLanguage, values::savedItemNames(gLanguage)), kiv::vbExclamation);
        return;
    }
    // The totals are made from the restored amounts, never taken from the store: a store of an
    // older build or edited by hand may hold totals that do not add up.
    values::Texts restored = values::fromSavedOrder(std::get<QStringList>(result));
    values::recomputeAllTotals(restored);
    entry_.quietly([&] {
        for (std::size_t i = 0; i < restored.size(); ++i)
            boxes_[i]->setText(restored[i]);
        txtCash->setFocus(Qt::OtherFocusReason);
        txtCash->selectAll();
    });
}

void FrmMyValues::cmdPrint_Click()
{
    values::StatementCaptions c;
    c.assets = Label15->text();
    c.liabilities = Label16->text();
    c.income = Label4->text();
    for (std::size_t i = 0; i < c.items.size(); ++i)
        c.items[i] = captions_[i]->text();
    kiv::printDocument(values::statementPrintout(c, texts(), gLanguage));
}

void FrmMyValues::ShowDefinition(Item item)
{
    kiv::ShowDefinition(kiv::itemDefinition(QString::fromUtf16(values::info(item).caption), gLanguage));
}
