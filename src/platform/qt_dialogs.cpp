#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpacerItem>
#include <QStyle>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace kiv {

namespace {
// The window managers' title bars: a bold sans-serif face of about 9 points, and an icon and
// three buttons (minimise, maximise, close) beside the title.
constexpr double kTitlePointSize = 9;
constexpr int kTitleBarExtras = 110;

// A box stays within the screen it opens on.
int widestBox(const QWidget& box, int wanted)
{
    const QScreen* screen = box.screen();
    return screen ? screen->availableGeometry().width() * 9 / 10 : wanted;
}

// The answer line of an input box shows the start of its default, whole. The box opens with the
// whole default selected, so that typing replaces it, and a line edit puts its caret at the end
// of what it selects, scrolling a default longer than the line to its end: such a default gets
// its caret at the start, staying selected. A selection is drawn from its first character's own
// left edge, where a light first character on the selection's colour would run into the light
// margin before the text and look cut: that margin takes the selection's colour too.
class DefaultShownWhole : public QObject {
public:
    explicit DefaultShownWhole(QLineEdit* edit)
        : QObject(edit)
    {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (!edit)
            return false;
        if ((event->type() == QEvent::Show || event->type() == QEvent::Resize) && !edit->text().isEmpty()
            && edit->selectedText() == edit->text() && !fitsWhole(*edit)) {
            const int length = static_cast<int>(edit->text().size());
            edit->setSelection(length, -length);
            return false;
        }
        if (event->type() != QEvent::Paint || painting_)
            return false;
        // The line edit paints itself first, then the margin goes over it.
        painting_ = true;
        edit->event(event);
        painting_ = false;
        if (edit->hasSelectedText() && edit->selectionStart() == 0) {
            // Where the selection starts: the caret's place at its anchor or at the caret, the
            // one at the start, a caret rectangle centred on it and a pixel taller than the line.
            const QRect anchor = edit->inputMethodQuery(edit->cursorPosition() == 0 ? Qt::ImCursorRectangle : Qt::ImAnchorRectangle).toRect();
            const int start = anchor.left() + anchor.width() / 2;
            const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
            QPainter p(edit);
            p.setClipRect(edit->rect().adjusted(frame, frame, -frame, -frame));
            p.fillRect(QRect(start - kLead, anchor.top(), kLead, anchor.height() - 1), edit->palette().color(QPalette::Highlight));
        }
        return true;
    }

private:
    // A line edit keeps two pixels between its frame and its text, and one after it for the caret.
    static constexpr int kLead = 2;

    static bool fitsWhole(const QLineEdit& edit)
    {
        const int frame = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit);
        const QMargins margins = edit.textMargins();
        const int line = edit.width() - 2 * frame - margins.left() - margins.right() - 2 * kLead;
        return edit.fontMetrics().horizontalAdvance(edit.text()) + 1 <= line;
    }
    bool painting_ = false;
};
} // namespace

int titleBarWidth(const QString& title)
{
    QFont face(QStringLiteral("Sans"));
    face.setPointSizeF(kTitlePointSize);
    face.setBold(true);
    return QFontMetrics(face).horizontalAdvance(title) + kTitleBarExtras;
}

QtDialogProvider::QtDialogProvider(std::function<int()> language)
    : language_(std::move(language))
{
}

int QtDialogProvider::message(const QString& prompt, int style, const QString& title)
{
    const int lang = language_ ? language_() : 0;
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(prompt);
    switch (style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    std::vector<std::pair<MsgResult, QMessageBox::ButtonRole>> buttons;
    switch (style & 7) {
    case vbOKCancel: buttons = {{vbOK, QMessageBox::AcceptRole}, {vbCancel, QMessageBox::RejectRole}}; break;
    case vbAbortRetryIgnore:
        buttons = {{vbAbort, QMessageBox::RejectRole}, {vbRetry, QMessageBox::AcceptRole}, {vbIgnore, QMessageBox::ActionRole}};
        break;
    case vbYesNoCancel:
        buttons = {{vbYes, QMessageBox::YesRole}, {vbNo, QMessageBox::NoRole}, {vbCancel, QMessageBox::RejectRole}};
        break;
    case vbYesNo: buttons = {{vbYes, QMessageBox::YesRole}, {vbNo, QMessageBox::NoRole}}; break;
    case vbRetryCancel: buttons = {{vbRetry, QMessageBox::AcceptRole}, {vbCancel, QMessageBox::RejectRole}}; break;
    default: buttons = {{vbOK, QMessageBox::AcceptRole}}; break;
    }
    std::vector<std::pair<QPushButton*, MsgResult>> made;
    for (const auto& [result, role] : buttons)
        made.emplace_back(box.addButton(buttonText(result, lang), role), result);
    const std::size_t def = (style & vbDefaultButton2) && made.size() > 1 ? 1 : 0;
    box.setDefaultButton(made[def].first);
    // The close box answers like the last button that cancels (OK when there is only one).
    QPushButton* escape = made.back().first;
    for (const auto& [button, result] : made)
        if (result == vbCancel)
            escape = button;
    if ((style & 7) != vbYesNo)
        box.setEscapeButton(escape);
    // The box sizes itself to its text and buttons when it opens; a row of the title's width
    // keeps a short message as wide as its title.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int room = std::min(titleBarWidth(title), widestBox(box, titleBarWidth(title)));
        grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1, grid->columnCount());
    }
    // A question asked during a long task (the hourglass up) is answered with the usual pointer.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    for (const auto& [button, result] : made)
        if (box.clickedButton() == button)
            return result;
    return made.back().second;
}

QString QtDialogProvider::input(const QString& prompt, const QString& title, const QString& defaultText)
{
    const int lang = language_ ? language_() : 0;
    QInputDialog dlg(QApplication::activeWindow());
    dlg.setWindowTitle(title);
    dlg.setLabelText(prompt);
    if (auto* label = dlg.findChild<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    dlg.setTextValue(defaultText);
    if (auto* edit = dlg.findChild<QLineEdit*>())
        new DefaultShownWhole(edit);
    dlg.setOkButtonText(buttonText(vbOK, lang));
    dlg.setCancelButtonText(buttonText(vbCancel, lang));
    // Wide enough to show the whole default, a file's full path for instance, and the whole
    // title, within the screen.
    const int wanted = std::max(QFontMetrics(dlg.font()).horizontalAdvance(defaultText) + 80, titleBarWidth(title));
    const int widest = widestBox(dlg, wanted);
    dlg.resize(std::clamp(wanted, dlg.sizeHint().width(), std::max(widest, dlg.sizeHint().width())), dlg.sizeHint().height());
    if (dlg.exec() != QDialog::Accepted)
        return QString();
    return dlg.textValue();
}

void QtHelpProvider::showHelp(const QString& path)
{
    static QPointer<QTextBrowser> viewer;
    if (!viewer) {
        viewer = new QTextBrowser;
        viewer->setObjectName(QStringLiteral("helpViewer"));
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setOpenExternalLinks(false);
        // A guide is read at length: larger than the windows' default text, with margins.
        QFont font = viewer->font();
        font.setPointSizeF(11);
        viewer->setFont(font);
        viewer->document()->setDocumentMargin(18);
        placeHelpViewer(*viewer);
        auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), viewer);
        QObject::connect(close, &QShortcut::activated, viewer.data(), &QWidget::close);
    }
    viewer->setSource(QUrl::fromLocalFile(path));
    viewer->setWindowTitle(viewer->documentTitle().isEmpty() ? QStringLiteral("Kiv_2000") : viewer->documentTitle());
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

} // namespace kiv
