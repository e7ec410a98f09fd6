#pragma once
#include "platform/fit_to_screen.h"

#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QSizeF>
#include <QScreen>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QLabel;

namespace kiv {

// One window of the program. A window is built by its constructor (controls at their design
// positions in twips), loaded once by the registry (Form_Load, still hidden), and then shown,
// hidden and brought to the front by the other windows. Its texts are set by Form_Paint, which
// runs every time the window is shown.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(const QString& name, QWidget* parent = nullptr);
    ~Form() override;

    // Runs the load handler once; the window stays hidden.
    void load();
    bool isLoaded() const { return loaded_; }

    // Non-modal show: visible, in front, active; runs the activate handler, then the paint
    // handler that sets the window's texts.
    void Show();
    // Invisible; everything stays as it is.
    void Hide();
    // Position 0 brings the window to the front and makes it active. Runs no handler.
    void ZOrder(int position = 0);
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }

    // ---- design, in twips -------------------------------------------------------------
    void setDesignSize(double widthTwips, double heightTwips);
    double designWidth() const { return designWidth_; }
    double designHeight() const { return designHeight_; }

    // Registers a control built by the window, in the order of the window's control
    // collection, and places it at its design rectangle (twips, relative to its container).
    template <class W>
    W* addControl(W* widget, fit::Kind kind, float left, float top, float width, float height,
                  std::optional<float> fontSize = std::nullopt)
    {
        registerControl(widget, widget, kind, left, top, width, height, fontSize);
        return widget;
    }
    // A line from (x1, y1) to (x2, y2), in twips.
    QWidget* addLine(const QString& name, QWidget* container, float x1, float y1, float x2, float y2);
    // A control without a window of its own (common dialog, report control).
    void addInvisibleControl(QObject* object, fit::Kind kind);

    // The twips record of a control (position, size, font size); null when not registered.
    const fit::Item* item(const QObject* control) const;
    std::vector<fit::Item> items() const;

    void setControlRect(QWidget* control, float left, float top, float width, float height);
    void setControlFontSize(QWidget* control, float points);
    float controlFontSize(const QWidget* control) const;
    // Applies a font size to every registered control that has a font (ChangeFontSize).
    template <class Pred>
    void forEachControl(Pred pred)
    {
        for (Entry& e : entries_)
            if (e.widget)
                pred(e.widget.data(), e.item);
    }

    // Scales the window to the screen it will be shown on (screenOf) by its variant: to that
    // screen's available area less the frame the window manager draws around a full-screen
    // window, the area the window really gets. The window then has that size, on that screen.
    fit::Result FitFormToScreen(const fit::Variant& variant);
    // The area, in twips, that the window's controls were last laid out on.
    QSizeF fittedArea() const { return fittedArea_; }
    // The screen they were laid out for. A full-screen window shown from a window on another
    // screen, or put on another one by the user or the window manager, is laid out again for
    // that one, fonts included, as a window loaded there would be, its additions included; what
    // the window's own code set otherwise since the scaling (a position, a font size) is kept,
    // scaled with the rest.
    QScreen* fittedScreen() const { return screen_; }

protected:
    virtual void Form_Load() {}
    // The window's own additions to the scaling: run after FitFormToScreen, and again each time
    // the window is laid out on another area or for another screen.
    virtual void fitAdditions() {}
    virtual void Form_Activate() {}
    virtual void Form_Paint() {}
    // The close box. Every main window ends the program at once; a window that must not do
    // so overrides this.
    virtual void Form_Unload();

    void closeEvent(QCloseEvent* event) override;

private:
    struct Entry {
        QObject* object = nullptr;
        QPointer<QWidget> widget;
        fit::Item item;
        // Set by the window's own code after the scaling, but for its additions to it: a new
        // layout scales it, rather than taking it from the design again.
        bool placedByWindow = false;
        bool fontByWindow = false;
    };
    void registerControl(QObject* object, QWidget* widget, fit::Kind kind, float left, float top,
                         float width, float height, std::optional<float> fontSize);
    void apply(Entry& e);
    Entry* entry(const QObject* control);
    const Entry* entry(const QObject* control) const;
    // Lays the controls out again on `area` (twips), by the variant of the load, when it is not
    // the one they were laid out on; fonts stay as they are.
    void refit(QSizeF area);
    // Lays the controls out on `area` as the scaling would at load (fonts too when `fonts`), but
    // for what the window's own code set since, which is scaled from the area it was set on.
    void relayOut(QSizeF area, bool fonts);
    // Lays the window out for another screen.
    void moveToScreen(QScreen* screen);
    void runFitAdditions();
    // A window about to be shown goes to the screen of the window it is opened from.
    void followOpener();
    QRect fittedGeometry() const;
    // The window manager may have framed the window anew, or put it on another screen.
    void framed();

    std::vector<Entry> entries_;
    double designWidth_ = 0;
    double designHeight_ = 0;
    bool loaded_ = false;
    bool loading_ = false;
    bool fullScreen_ = false;
    bool inFitAdditions_ = false;
    fit::Variant variant_;
    std::vector<fit::Item> designItems_; // the controls as they were before the scaling
    QSizeF fittedArea_;
    QPointer<QScreen> screen_;
    QObject* frameWatch_ = nullptr;
};

// The screen a window is on; for one not on the screen yet, the screen it will be shown on: that
// of the program's window in front (the window it is opened from), else the one it was placed
// on, else the primary screen.
QScreen* screenOf(const QWidget& window);

// The size of a screen's available area, in twips (FitFormToScreen lays a window out on it less
// the window manager's frame); no screen means the primary one. Tests set their own, which
// stands for every screen; an empty value restores the real screens.
QSizeF screenSizeTwips(const QScreen* screen = nullptr);
void setScreenSizeTwips(std::optional<QSizeF> size);

// The frame, in pixels, that the window manager draws around a full-screen window of the
// program on a screen (its title bar on top): what the screen's available area leaves around
// the size the window manager gives a full-screen window there, learned from every one it shows
// (a window on the screen is laid out again on the size it gets), so that a window loaded
// afterwards is laid out on the right area at once. A window the window manager spreads past
// its screen teaches nothing. On a screen where none was learned yet, the one learned last on
// another screen; nothing until then, and nothing on a platform without a window manager
// (offscreen). Tests set their own; an empty value restores what was learned.
QMargins windowFrameMargins(const QScreen* screen = nullptr);
void setWindowFrameMargins(std::optional<QMargins> margins);

// A screen's available area less that frame, in twips: what a full-screen window on that screen
// is laid out on.
QSizeF clientAreaTwips(const QScreen* screen = nullptr);

// A screen's available area in pixels, on the desktop (the size tests give, when they give one).
QRect availableScreenArea(const QScreen* screen = nullptr);

// Sizes and places a top-level window that is not full-screen so that it lies within the
// available area of the screen it opens on, its frame included: as large as `wanted` where the
// screen leaves room, centred. Once the window is on the screen and its own frame is known, it
// is placed again within its screen if that frame reaches past every screen.
void keepWithinScreen(QWidget& window, QSize wanted);

// ---- one current instance per window type ------------------------------------------------
namespace detail {
void registerFormReset(void (*reset)());
}

template <class T>
struct FormSlot {
    static T*& ptr()
    {
        static T* p = nullptr;
        return p;
    }
    // Creates and loads the instance on first use.
    static T& get()
    {
        if (!ptr()) {
            static bool registered = false;
            if (!registered) {
                detail::registerFormReset(&reset);
                registered = true;
            }
            ptr() = new T();
            ptr()->load();
        }
        return *ptr();
    }
    // The next use builds a new instance; the old one is hidden and goes away later.
    static void drop()
    {
        T* p = ptr();
        ptr() = nullptr;
        if (p) {
            p->hide();
            p->deleteLater();
        }
    }
    static bool exists() { return ptr() != nullptr; }
    static void reset()
    {
        T* p = ptr();
        ptr() = nullptr;
        delete p;
    }
};

// Deletes every window instance (tests start each case from a fresh program).
void resetAllForms();

} // namespace kiv

// Declares the global accessor of a window: frmStartup() gives the current instance.
#define KIV_FORM_ACCESSOR(Class, accessor)                                                  \
    inline Class& accessor() { return ::kiv::FormSlot<Class>::get(); }                     \
    inline void accessor##_Drop() { ::kiv::FormSlot<Class>::drop(); }                     \
    inline bool accessor##_Exists() { return ::kiv::FormSlot<Class>::exists(); }
