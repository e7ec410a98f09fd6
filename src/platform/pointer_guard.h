#pragma once
#include <QApplication>
#include <QCursor>

namespace kiv {

// The hourglass for as long as the guard lives; the default pointer again on every way out.
class PointerGuard {
public:
    PointerGuard() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~PointerGuard() { QApplication::restoreOverrideCursor(); }
    PointerGuard(const PointerGuard&) = delete;
    PointerGuard& operator=(const PointerGuard&) = delete;
};

} // namespace kiv
