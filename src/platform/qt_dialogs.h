#pragma once
#include "platform/dialogs.h"
#include "platform/help.h"

#include <functional>

namespace kiv {

// The real message and input boxes, with their buttons in the user's language.
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
