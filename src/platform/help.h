#pragma once
#include <QString>

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

} // namespace kiv
