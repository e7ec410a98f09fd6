#pragma once
// When a comparison window becomes active again after another window of the program: the
// window rebuilds its content then, as it does when it is shown. A message or input box over
// the window is no other window, and neither is another program: their closing changes nothing.
#include "platform/form.h"

#include <QApplication>
#include <QEvent>

namespace kiv {

class WindowReturn {
public:
    // To be called from the window's changeEvent. True when the event tells that the window has
    // just become active again, visible, after another window of the program was active.
    bool returned(const QWidget& window, const QEvent& event)
    {
        if (event.type() != QEvent::ActivationChange)
            return false;
        if (window.isActiveWindow()) {
            const bool back = left_ && window.isVisible();
            left_ = false;
            return back;
        }
        const QWidget* now = QApplication::activeWindow();
        left_ = now && now != &window && qobject_cast<const Form*>(now);
        return false;
    }
    // The window has just been shown and rebuilt: what came before no longer counts.
    void reset() { left_ = false; }

private:
    bool left_ = false;
};

} // namespace kiv
