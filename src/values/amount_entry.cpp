#include "values/amount_entry.h"

#include "platform/dialogs.h"
#include "platform/form.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>

namespace kiv {
namespace {

bool isEnter(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// The focus coming back with the window (after a message box, a menu, another window or another
// application), rather than moving to the box.
bool isReturn(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
}

// Tells when the window is shown: the focus that arrives with it is an arrival in its box.
class ShowWatch : public QObject {
public:
    ShowWatch(QObject* window, bool& shown)
        : QObject(window)
        , shown_(shown)
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            shown_ = true;
        return false;
    }

private:
    bool& shown_;
};

} // namespace

AmountEntry::AmountEntry(Form& form, Writer writer)
    : form_(form)
    , writer_(writer)
    , showWatch_(new ShowWatch(&form, shown_))
{
}

AmountEntry::~AmountEntry()
{
    // The boxes and buttons outlive this rule while their window is torn down.
    for (const Typed& t : typed_) {
        t.box->onKeyPress = nullptr;
        t.box->onGotFocus = nullptr;
        t.box->onLostFocus = nullptr;
    }
    for (TextBox* box : computed_)
        box->onKeyPress = nullptr;
    for (CommandButton* button : guarded_)
        button->beforeClick = nullptr;
    delete showWatch_;
}

void AmountEntry::addTypedBox(TextBox* box, QWidget* next, Refusal refusal)
{
    typed_.push_back({box, next, std::move(refusal)});
    box->onKeyPress = [this, box](QKeyEvent* event) {
        if (!isEnter(event))
            return false;
        validate(box, Trigger::Enter);
        return true;
    };
    box->onGotFocus = [this, box](Qt::FocusReason reason) { arriving(box, reason); };
    box->onLostFocus = [this, box](Qt::FocusReason reason) { leaving(box, reason); };
}

void AmountEntry::addComputedBox(TextBox* box, QWidget* next)
{
    computed_.push_back(box);
    box->onKeyPress = [next](QKeyEvent* event) {
        if (!isEnter(event))
            return false;
        next->setFocus(Qt::OtherFocusReason);
        return true;
    };
}

void AmountEntry::guard(CommandButton* button)
{
    guarded_.push_back(button);
    button->beforeClick = [this] { return checkCurrentBox(); };
}

const AmountEntry::Typed* AmountEntry::typed(const QWidget* widget) const
{
    for (const Typed& t : typed_)
        if (t.box == widget)
            return &t;
    return nullptr;
}

bool AmountEntry::isTypedBox(const QWidget* widget) const
{
    return typed(widget) != nullptr;
}

void AmountEntry::arriving(TextBox* box, Qt::FocusReason reason)
{
    const bool shown = shown_;
    shown_ = false;
    if (isReturn(reason) && !shown)
        return;
    box->selectAll();
}

void AmountEntry::leaving(TextBox* box, Qt::FocusReason reason)
{
    // Another window or application, a message box or a menu taking the focus is no move
    // inside the window.
    if (isReturn(reason))
        return;
    const QWidget* now = QApplication::focusWidget();
    if (!now || now->window() != &form_)
        return;
    validate(box, Trigger::Leaving);
}

bool AmountEntry::validate(TextBox* box, Trigger trigger)
{
    const Typed* t = typed(box);
    // A check already running (its message up, or its own focus moves) is not checked again.
    if (!t || checking_)
        return true;
    checking_ = true;
    const num::TypedAmount amount = num::typedAmount(box->text());
    if (!amount.units) {
        MsgBox(t->refusal(amount.refusal));
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
        checking_ = false;
        return false;
    }
    box->setText(writer_(*amount.units));
    if (onAccepted)
        onAccepted(box);
    if (trigger == Trigger::Enter && t->next)
        t->next->setFocus(Qt::OtherFocusReason);
    checking_ = false;
    return true;
}

bool AmountEntry::checkCurrentBox()
{
    QWidget* current = form_.focusWidget();
    if (!current || !isTypedBox(current))
        return true;
    return validate(static_cast<TextBox*>(current), Trigger::Leaving);
}

} // namespace kiv
