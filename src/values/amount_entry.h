#pragma once
// The entry rule of a values window's amount boxes. A typed box selects its whole text when it
// gets the focus; its text is checked when the user presses Enter in it and when the user moves
// to another control of the window. A text that reads fully as one amount is rewritten in the
// window's form and, on Enter, the focus moves on; any other text is refused with a message (one
// that says so for a number beyond the range of amounts), and the box keeps it, selected, and the
// focus. A computed box only passes Enter on.
//
// Only a move inside the window counts as leaving a box: a message box, another window or another
// application taking the focus does not. Likewise the window coming back to the front after such
// a box or application is no arrival: the text being typed stays as the user left it, caret
// included, so that typing goes on where it stopped; only the window being shown selects the
// text of the box that then gets the focus. The window's buttons check the box the user is in
// first, as when it is left, and a refusal stops their click. Writing a box from code runs none
// of this.
#include "platform/controls.h"
#include "numbers/numbers.h"

#include <functional>
#include <vector>

namespace kiv {
class Form;

class AmountEntry {
public:
    enum class Trigger { Enter, Leaving };
    // The text an accepted amount is written as.
    using Writer = QString (*)(num::Units);

    AmountEntry(Form& form, Writer writer);
    ~AmountEntry();
    AmountEntry(const AmountEntry&) = delete;
    AmountEntry& operator=(const AmountEntry&) = delete;

    // The message for a refused text, in the language of the moment: for a text that is no
    // number, or for a number beyond the range of amounts.
    using Refusal = std::function<QString(num::AmountRefusal)>;
    void addTypedBox(TextBox* box, QWidget* next, Refusal refusal);
    void addComputedBox(TextBox* box, QWidget* next);
    // Every click of the button waits for checkCurrentBox.
    void guard(CommandButton* button);

    // Runs after an accepted text has been rewritten, before the focus moves on.
    std::function<void(TextBox*)> onAccepted;

    // Checks a typed box's text; true when it was accepted.
    bool validate(TextBox* box, Trigger trigger);
    // Checks the typed box the user is in, as when it is left; true when there is none or its
    // text was accepted.
    bool checkCurrentBox();
    bool isTypedBox(const QWidget* widget) const;

    // Runs a command that writes the boxes and moves the focus itself (Clear, Restore): the box
    // it takes the focus from is not checked, since its text is the command's own.
    template <class F>
    void quietly(F&& command)
    {
        struct Restore {
            bool& flag;
            bool was;
            ~Restore() { flag = was; }
        } restore{checking_, checking_};
        checking_ = true;
        command();
    }

private:
    struct Typed {
        TextBox* box;
        QWidget* next;
        Refusal refusal;
    };
    const Typed* typed(const QWidget* widget) const;
    void arriving(TextBox* box, Qt::FocusReason reason);
    void leaving(TextBox* box, Qt::FocusReason reason);

    Form& form_;
    Writer writer_;
    std::vector<Typed> typed_;
    std::vector<TextBox*> computed_;
    std::vector<CommandButton*> guarded_;
    bool checking_ = false;
    // The window has been shown and no typed box has had the focus since.
    bool shown_ = false;
    QObject* showWatch_ = nullptr;
};

} // namespace kiv
