#pragma once
#include "platform/dialogs.h"
#include "platform/help.h"

#include <functional>

namespace kiv {

// The width, in pixels, that a box needs for its whole title to be read in its title bar: the
// title in a bold window-title face, with room for the bar's icon and buttons.
int titleBarWidth(const QString& title);

// The real message and input boxes, with their buttons in the user's language, each at least
// as wide as its title needs.
class QtDialogProvider : public DialogProvider {
public:
    explicit QtDialogProvider(std::function<int()> language);
    int message(const QString& prompt, int style, const QString& title) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;

private:
    std::function<int()> language_;
};

// The help viewer: one window showing the HTML help document.
class QtHelpProvider : public HelpProvider {
public:
    void showHelp(const QString& path) override;
};

} // namespace kiv
