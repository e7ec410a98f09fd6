#include "values/frm_export.h"

#include "platform/dialogs.h"
#include "shell/module1.h"
#include "values/export_window.h"

#include <QWindow>
#include <cmath>

namespace kiv {

namespace {

constexpr double kWidth = 4380;
constexpr double kHeight = 2385;

int pixels(double twips)
{
    return static_cast<int>(std::lround(twips / fit::kTwipsPerPixel));
}

// Brings the owner back on every way out of OK or Cancel, with the focus where the user left it.
class OwnerBack {
public:
    OwnerBack(ExportOwner* owner, QWidget* focus)
        : owner_(owner)
        , focus_(focus)
    {
    }
    ~OwnerBack()
    {
        if (!owner_)
            return;
        Form& window = owner_->form();
        window.ZOrder(0);
        window.setEnabled(true);
        // The focus comes back with the window: no control is entered or left by it.
        if (focus_ && focus_->window() == &window && focus_->isVisible() && focus_->isEnabled())
            focus_->setFocus(Qt::ActiveWindowFocusReason);
    }
    OwnerBack(const OwnerBack&) = delete;
    OwnerBack& operator=(const OwnerBack&) = delete;

private:
    ExportOwner* owner_;
    QPointer<QWidget> focus_;
};

} // namespace

ExportDialog::ExportDialog(const QString& name, exports::DialogKind kind)
    : Form(name)
    , kind_(kind)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setDesignSize(kWidth, kHeight);
    setFixedSize(pixels(kWidth), pixels(kHeight));
    setCaption(QStringLiteral("Export"));
    QPalette back = palette();
    back.setColor(QPalette::Window, QColor(0, 0, 128));
    setPalette(back);
    setAutoFillBackground(true);

    const auto option = [this](const char16_t* objectName, const char16_t* caption, float left, float width) {
        auto* o = addControl(new OptionButton(QString::fromUtf16(objectName), this, QString::fromUtf16(caption)),
                             fit::Kind::OptionButton, left, 915, width, 330, 9.75f);
        QFont f = o->font();
        f.setBold(true);
        o->setFont(f);
        QPalette p = o->palette();
        p.setColor(QPalette::WindowText, QColor(255, 255, 0));
        o->setPalette(p);
        return o;
    };
    optExcel = option(u"optExcel", u"Excel", 945, 1290);
    optLotus = option(u"optLotus", u"Lotus", 2310, 1140);
    cmdOK = addControl(new CommandButton(QStringLiteral("cmdOK"), this), fit::Kind::CommandButton, 855, 1635, 1170, 390);
    cmdOK->setText(QStringLiteral("OK"));
    cmdCancel = addControl(new CommandButton(QStringLiteral("cmdCancel"), this), fit::Kind::CommandButton, 2235, 1635, 1185, 390);
    cmdCancel->setText(QStringLiteral("Cancel"));
    lblExportMsg = addControl(new Label(QStringLiteral("lblExportMsg"), this), fit::Kind::Label, 105, 120, 4125, 630, 8.25f);
    {
        QFont f = lblExportMsg->font();
        f.setBold(true);
        lblExportMsg->setFont(f);
        QPalette p = lblExportMsg->palette();
        p.setColor(QPalette::WindowText, Qt::white);
        lblExportMsg->setPalette(p);
        lblExportMsg->setAutoFillBackground(false);
    }
    optExcel->setChecked(true);
    setTabOrder(optExcel, optLotus);
    setTabOrder(optLotus, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(cmdOK, &CommandButton::Click, this, &ExportDialog::cmdOK_Click);
    connect(cmdCancel, &CommandButton::Click, this, &ExportDialog::cmdCancel_Click);
}

QPointF centredPosition(QSizeF screenTwips, QSizeF dialogTwips)
{
    return QPointF((screenTwips.width() - dialogTwips.width()) / 2.0, (screenTwips.height() - dialogTwips.height()) / 2.0);
}

void ExportDialog::Form_Load()
{
    // Centred on the screen of the window it is opened from; shown later from a window on
    // another screen, it goes there, still centred.
    const QScreen* screen = screenOf(*this);
    const QPointF at = centredPosition(screenSizeTwips(screen), QSizeF(kWidth, kHeight));
    move(availableScreenArea(screen).topLeft() + QPoint(pixels(at.x()), pixels(at.y())));
}

void ExportDialog::Form_Paint()
{
    if (gLanguage == 0) {
        setCaption(QStringLiteral("Export"));
        lblExportMsg->setText(QStringLiteral("You must have Excel or Lotus installed in order for the export function to be performed."));
    } else {
        setCaption(QStringLiteral("Exporter"));
        lblExportMsg->setText(QStringLiteral("Excel ou Lotus doivent être installé pour executer cette fonction."));
    }
}

void ExportDialog::Form_Unload()
{
    cmdCancel_Click();
}

ExportOwner* ExportDialog::owner() const
{
    const auto slot = exports::findOwner(kind_);
    return slot ? exportOwner(*slot) : nullptr;
}

void ExportDialog::cmdOK_Click()
{
    Hide();
    const bool excel = optExcel->isChecked();
    const bool lotus = optLotus->isChecked();
    ExportOwner* o = owner();
    OwnerBack back(o, ownerFocus_);
    if (!o)
        return;
    if (excel)
        o->excel();
    else if (lotus)
        o->lotus();
    else
        MsgBox(QStringLiteral("Option button error")); // nothing exported; the owner comes back all the same
}

void ExportDialog::cmdCancel_Click()
{
    Hide();
    OwnerBack back(owner(), ownerFocus_);
}

void openExportDialog(exports::OwnerSlot slot, Form& window)
{
    ExportDialog& dialog = exports::dialogOf(slot) == exports::DialogKind::OneYear ? static_cast<ExportDialog&>(frmExport())
                                                                                   : static_cast<ExportDialog&>(frmExportV3());
    dialog.ownerFocus_ = window.focusWidget();
    dialog.Show();
    if (dialog.windowHandle() && window.windowHandle())
        dialog.windowHandle()->setTransientParent(window.windowHandle());
    window.setEnabled(false);
    exports::setOwnerFlags(slot);
}

} // namespace kiv

FrmExport::FrmExport()
    : ExportDialog(QStringLiteral("frmExport"), kiv::exports::DialogKind::OneYear)
{
}

FrmExportV3::FrmExportV3()
    : ExportDialog(QStringLiteral("frmExportV3"), kiv::exports::DialogKind::ThreeYear)
{
}
