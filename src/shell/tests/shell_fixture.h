#pragma once
// A fresh program for the shell's tests: the delivered install kind, the real folder listing
// unless the test gives one, and every override put back afterwards.
#include "platform/program_folder.h"
#include "shell/data_folder.h"
#include "shell/module1.h"
#include "test_support.h"

namespace shelltest {

// A screen of the windows' design size (800 x 600 pixels).
inline const QSizeF kDesignScreen(12000, 9000);

class ShellProgram : public kivtest::Program {
public:
    explicit ShellProgram(QSizeF screen = kDesignScreen)
        : kivtest::Program(screen)
    {
        kiv::setInstallKind(QStringLiteral("workstation"));
    }
    ~ShellProgram()
    {
        kiv::setInstallKind(QString());
        kiv::setPathFile(QString());
        kiv::setFolderListing({});
    }
    // The data folder lists exactly these names, in this order.
    void listing(const QStringList& names)
    {
        kiv::setFolderListing([names](const QString&) { return std::optional<QStringList>(names); });
    }
    void unlistable()
    {
        kiv::setFolderListing([](const QString&) { return std::optional<QStringList>(); });
    }
};

} // namespace shelltest
