// The references of the start-up benchmark: the least a Qt Widgets program does to show one
// window filling the screen; built a second time with one line of text in the window, which
// shows what drawing any text costs at start (the fonts are found and loaded on first use).
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
#ifdef KIV_BENCH_WITH_TEXT
    QLabel window(QStringLiteral("Kivob"));
#else
    QWidget window;
#endif
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.setWindowState(Qt::WindowMaximized);
    window.show();
    return app.exec();
}
