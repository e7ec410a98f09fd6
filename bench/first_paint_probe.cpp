// Loaded into a Qt Widgets program with LD_PRELOAD: when the program's first window has
// been painted, prints "first-paint <ns> loaded <ns> application <ns>" on standard output
// (monotonic clock: the paint, the end of the dynamic loading, the application object's
// construction) and ends the process at once. The same probe goes into every program the
// start-up benchmark measures.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// The libraries are loaded and relocated when the probe's own initialisation runs.
const long long loadedAt = monotonicNs();
long long applicationAt = 0;

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow() && w->isVisible()) {
                seen_ = true;
                // The whole window is drawn and flushed by the time the event loop comes back.
                QTimer::singleShot(0, [] {
                    std::printf("first-paint %lld loaded %lld application %lld\n", monotonicNs(), loadedAt, applicationAt);
                    std::fflush(stdout);
                    _exit(0);
                });
            }
        }
        return false;
    }

private:
    bool seen_ = false;
};

void installProbe()
{
    applicationAt = monotonicNs();
    static FirstPaint probe;
    QCoreApplication::instance()->installEventFilter(&probe);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
