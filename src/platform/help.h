#pragma once
#include <QString>

class QWidget;

namespace kiv {

// Shows a help document. The program's viewer is a window of its own; tests install a
// recording one. A file that does not exist gives a clear message instead.
class HelpProvider {
public:
    virtual ~HelpProvider() = default;
    virtual void showHelp(const QString& path) = 0;
};

HelpProvider* setHelpProvider(HelpProvider* provider);
void showHelpFile(const QString& path);

// Sizes and places the help viewer's window: 760 x 680 pixels, a page read at length, where the
// screen leaves room for that and the window's frame; else as large as the screen's available
// area allows, its title bar included, so that nothing of it (its scroll bar's arrows neither)
// lies beyond the screen's edge.
void placeHelpViewer(QWidget& viewer);

} // namespace kiv
