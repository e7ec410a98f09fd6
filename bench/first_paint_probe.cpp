// Loaded into a Qt Widgets program with LD_PRELOAD: when the program's first window has
// been painted, prints "first-paint <monotonic nanoseconds>" on standard output and ends the
// process at once. The same probe goes into every program the start-up benchmark measures.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

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
                    timespec now{};
                    clock_gettime(CLOCK_MONOTONIC, &now);
                    std::printf("first-paint %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
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
    static FirstPaint probe;
    QCoreApplication::instance()->installEventFilter(&probe);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
