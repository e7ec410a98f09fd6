#include "platform/form.h"

#include "platform/controls.h"
#include "platform/program_end.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <functional>

namespace kiv {

namespace {
std::optional<QSizeF>& screenOverride()
{
    static std::optional<QSizeF> size;
    return size;
}

std::vector<void (*)()>& resets()
{
    static std::vector<void (*)()> list;
    return list;
}

int px(float twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / fit::kTwipsPerPixel));
}

int px(double twips)
{
    return static_cast<int>(std::lround(twips / fit::kTwipsPerPixel));
}

std::optional<QMargins>& frameOverride()
{
    static std::optional<QMargins> margins;
    return margins;
}

// The frame of a full-screen window, learned screen by screen; the last one learned last.
struct LearnedFrame {
    QPointer<QScreen> screen;
    QMargins frame;
};

std::vector<LearnedFrame>& learnedFrames()
{
    static std::vector<LearnedFrame> frames;
    return frames;
}

QMargins fullScreenFrame(const QScreen* screen)
{
    std::vector<LearnedFrame>& frames = learnedFrames();
    frames.erase(std::remove_if(frames.begin(), frames.end(), [](const LearnedFrame& f) { return !f.screen; }), frames.end());
    for (const LearnedFrame& f : frames)
        if (f.screen == screen)
            return f.frame;
    return frames.empty() ? QMargins() : frames.back().frame;
}

void learnFullScreenFrame(QScreen* screen, const QMargins& frame)
{
    std::vector<LearnedFrame>& frames = learnedFrames();
    frames.erase(std::remove_if(frames.begin(), frames.end(), [screen](const LearnedFrame& f) { return !f.screen || f.screen == screen; }),
                 frames.end());
    frames.push_back({screen, frame});
}

// The program's window in front: the last one shown, brought to the front or activated.
QPointer<QWidget>& frontWindow()
{
    static QPointer<QWidget> window;
    return window;
}

// The screen a top-level window lies on, by where it is: the window system tells a move to
// another screen only some time after the window got there.
QScreen* screenUnder(const QWidget& window)
{
    if (QScreen* screen = QGuiApplication::screenAt(window.geometry().center()))
        return screen;
    return window.windowHandle() && window.windowHandle()->screen() ? window.windowHandle()->screen() : window.screen();
}

// The screen of the window a window is opened from: the program's window in front, when it is
// another one.
QScreen* openerScreen(const QWidget& window)
{
    QWidget* opener = frontWindow();
    if (!opener || opener == &window)
        opener = QApplication::activeWindow();
    if (!opener || opener == &window)
        return nullptr;
    return screenUnder(*opener);
}

// The frame of the last other window of the program it showed (borders all round, as a rule).
std::optional<QMargins>& windowFrame()
{
    static std::optional<QMargins> margins;
    return margins;
}

// The frame the window manager drew around a window it shows; nothing where no window manager
// draws one (the offscreen and minimal platforms only pretend to).
std::optional<QMargins> frameOf(const QWidget& window)
{
    static const bool managed = [] {
        const QString platform = QGuiApplication::platformName();
        return !platform.isEmpty() && platform != u"offscreen" && platform != u"minimal";
    }();
    if (!managed || !window.isVisible() || !window.windowHandle() || !window.windowHandle()->handle())
        return std::nullopt;
    return window.windowHandle()->frameMargins();
}

// Tells when the window manager may have framed a top-level window anew: when the window is
// shown, exposed, moved or resized, or its state changes. Its frame is known from then on.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget& window, std::function<void()> framed)
        : QObject(&window)
        , window_(&window)
        , framed_(std::move(framed))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            if (watched == window_ && window_->windowHandle() && window_->windowHandle() != handle_) {
                handle_ = window_->windowHandle();
                handle_->installEventFilter(this);
            }
            [[fallthrough]];
        case QEvent::Expose:
        case QEvent::Resize:
        case QEvent::Move:
        case QEvent::WindowStateChange:
            if (window_ && window_->isVisible())
                framed_();
            break;
        case QEvent::WindowActivate:
            // The window system may tell it once the program has moved on to another window.
            if (watched == window_ && window_->isVisible())
                frontWindow() = window_;
            break;
        default: break;
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    QPointer<QWindow> handle_;
    std::function<void()> framed_;
};

// Keeps a window that is not full-screen within the screen once its real frame is known.
class ScreenKeeper : public FrameWatch {
public:
    ScreenKeeper(QWidget& window, QSize wanted)
        : FrameWatch(window, [this] { check(); })
        , window_(&window)
        , wanted_(wanted)
    {
    }
    void setWanted(QSize wanted) { wanted_ = wanted; }

private:
    void check()
    {
        const std::optional<QMargins> frame = frameOf(*window_);
        if (!frame || frame->isNull() || window_->isMaximized() || window_->isFullScreen())
            return;
        windowFrame() = *frame;
        // Anywhere on the screens will do, also across two of them.
        QRegion screens;
        for (const QScreen* screen : QGuiApplication::screens())
            screens += availableScreenArea(screen);
        if (QRegion(window_->geometry().marginsAdded(*frame)).subtracted(screens).isEmpty())
            return;
        const QRect placed = fit::placeWithin(availableScreenArea(screenOf(*window_)), wanted_, *frame);
        if (placed != window_->geometry())
            window_->setGeometry(placed);
    }

    QPointer<QWidget> window_;
    QSize wanted_;
};
} // namespace

QScreen* screenOf(const QWidget& window)
{
    const QWidget* top = window.window();
    if (top->isVisible())
        return screenUnder(*top);
    if (QScreen* screen = openerScreen(*top))
        return screen;
    if (const auto* form = qobject_cast<const Form*>(top); form && form->fittedScreen())
        return form->fittedScreen();
    if (top->testAttribute(Qt::WA_Moved))
        return top->screen();
    return QGuiApplication::primaryScreen();
}

QSizeF screenSizeTwips(const QScreen* screen)
{
    if (screenOverride())
        return *screenOverride();
    const QRect r = availableScreenArea(screen);
    return QSizeF(r.width() * fit::kTwipsPerPixel, r.height() * fit::kTwipsPerPixel);
}

void setScreenSizeTwips(std::optional<QSizeF> size)
{
    screenOverride() = size;
}

QMargins windowFrameMargins(const QScreen* screen)
{
    return frameOverride() ? *frameOverride() : fullScreenFrame(screen ? screen : QGuiApplication::primaryScreen());
}

void setWindowFrameMargins(std::optional<QMargins> margins)
{
    frameOverride() = margins;
}

QSizeF clientAreaTwips(const QScreen* screen)
{
    return fit::clientArea(screenSizeTwips(screen), windowFrameMargins(screen));
}

QRect availableScreenArea(const QScreen* screen)
{
    if (screenOverride())
        return QRect(0, 0, px(screenOverride()->width()), px(screenOverride()->height()));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

void keepWithinScreen(QWidget& window, QSize wanted)
{
    // Until the window manager has framed the window, its frame is taken to be that of the
    // program's other windows.
    const QScreen* screen = screenOf(window);
    const QMargins frame = frameOverride() ? *frameOverride() : windowFrame().value_or(fullScreenFrame(screen));
    window.setGeometry(fit::placeWithin(availableScreenArea(screen), wanted, frame));
    for (QObject* child : window.children())
        if (auto* keeper = dynamic_cast<ScreenKeeper*>(child)) {
            keeper->setWanted(wanted);
            return;
        }
    new ScreenKeeper(window, wanted);
}

namespace detail {
void registerFormReset(void (*reset)())
{
    resets().push_back(reset);
}
} // namespace detail

void resetAllForms()
{
    for (auto it = resets().rbegin(); it != resets().rend(); ++it)
        (*it)();
}

Form::Form(const QString& name, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
    frameWatch_ = new FrameWatch(*this, [this] { framed(); });
}

Form::~Form()
{
    // Nothing of this window is asked once it goes.
    delete frameWatch_;
}

void Form::load()
{
    if (loaded_ || loading_)
        return;
    loading_ = true;
    Form_Load();
    loading_ = false;
    loaded_ = true;
}

void Form::Show()
{
    load();
    if (!isVisible())
        followOpener();
    if (fullScreen_) {
        // The frame may have become known, or changed, since the window was laid out.
        refit(clientAreaTwips(screen_));
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    }
    show();
    raise();
    activateWindow();
    frontWindow() = this;
    Form_Activate();
    if (isVisible())
        Form_Paint();
}

void Form::Hide()
{
    hide();
}

void Form::ZOrder(int position)
{
    if (position == 0) {
        raise();
        activateWindow();
        frontWindow() = this;
    } else {
        lower();
    }
}

void Form::setDesignSize(double widthTwips, double heightTwips)
{
    designWidth_ = widthTwips;
    designHeight_ = heightTwips;
    resize(px(static_cast<float>(widthTwips)), px(static_cast<float>(heightTwips)));
}

QWidget* Form::addLine(const QString& name, QWidget* container, float x1, float y1, float x2, float y2)
{
    auto* line = new LineControl(container ? container : this);
    line->setObjectName(name);
    Entry e;
    e.object = line;
    e.widget = line;
    e.item.name = name;
    e.item.kind = fit::Kind::Line;
    e.item.x1 = x1;
    e.item.y1 = y1;
    e.item.x2 = x2;
    e.item.y2 = y2;
    e.item.hasFont = false;
    entries_.push_back(e);
    apply(entries_.back());
    return line;
}

void Form::addInvisibleControl(QObject* object, fit::Kind kind)
{
    Entry e;
    e.object = object;
    e.item.name = object->objectName();
    e.item.kind = kind;
    e.item.hasFont = false;
    entries_.push_back(e);
}

void Form::registerControl(QObject* object, QWidget* widget, fit::Kind kind, float left, float top,
                           float width, float height, std::optional<float> fontSize)
{
    Entry e;
    e.object = object;
    e.widget = widget;
    e.item.name = object->objectName();
    e.item.kind = kind;
    e.item.left = left;
    e.item.top = top;
    e.item.width = width;
    e.item.height = height;
    e.item.hasFont = kind != fit::Kind::Image && kind != fit::Kind::Shape;
    e.item.fontSize = fontSize ? *fontSize : static_cast<float>(widget->font().pointSizeF());
    entries_.push_back(e);
    apply(entries_.back());
}

Form::Entry* Form::entry(const QObject* control)
{
    for (Entry& e : entries_)
        if (e.object == control)
            return &e;
    return nullptr;
}

const Form::Entry* Form::entry(const QObject* control) const
{
    for (const Entry& e : entries_)
        if (e.object == control)
            return &e;
    return nullptr;
}

const fit::Item* Form::item(const QObject* control) const
{
    const Entry* e = entry(control);
    return e ? &e->item : nullptr;
}

std::vector<fit::Item> Form::items() const
{
    std::vector<fit::Item> list;
    list.reserve(entries_.size());
    for (const Entry& e : entries_)
        list.push_back(e.item);
    return list;
}

void Form::setControlRect(QWidget* control, float left, float top, float width, float height)
{
    if (Entry* e = entry(control)) {
        e->item.left = left;
        e->item.top = top;
        e->item.width = width;
        e->item.height = height;
        e->placedByWindow = fullScreen_ && !inFitAdditions_;
        apply(*e);
    }
}

void Form::setControlFontSize(QWidget* control, float points)
{
    if (Entry* e = entry(control)) {
        e->item.fontSize = points;
        e->fontByWindow = fullScreen_ && !inFitAdditions_;
        apply(*e);
    }
}

float Form::controlFontSize(const QWidget* control) const
{
    const Entry* e = entry(control);
    return e ? e->item.fontSize : 0.0f;
}

void Form::apply(Entry& e)
{
    if (!e.widget)
        return;
    const fit::Item& it = e.item;
    if (it.kind == fit::Kind::Line) {
        static_cast<LineControl*>(e.widget.data())->setEnds(QPointF(it.x1 / fit::kTwipsPerPixel, it.y1 / fit::kTwipsPerPixel),
                                                            QPointF(it.x2 / fit::kTwipsPerPixel, it.y2 / fit::kTwipsPerPixel));
        return;
    }
    e.widget->setGeometry(px(it.left), px(it.top), std::max(px(it.width), 0), std::max(px(it.height), 0));
    if (it.hasFont && it.fontSize > 0) {
        QFont f = e.widget->font();
        f.setPointSizeF(it.fontSize);
        e.widget->setFont(f);
    }
}

fit::Result Form::FitFormToScreen(const fit::Variant& variant)
{
    designItems_ = items();
    std::vector<fit::Item> list = designItems_;
    screen_ = screenOf(*this);
    const QSizeF area = clientAreaTwips(screen_);
    const fit::Result r = fit::fitToScreen(list, area.width(), area.height(), designWidth_, designHeight_, variant);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entries_[i].item = list[i];
        entries_[i].placedByWindow = false;
        entries_[i].fontByWindow = false;
        apply(entries_[i]);
    }
    fullScreen_ = true;
    variant_ = variant;
    fittedArea_ = QSizeF(r.formWidth, r.formHeight);
    setGeometry(fittedGeometry());
    runFitAdditions();
    return r;
}

void Form::runFitAdditions()
{
    inFitAdditions_ = true;
    fitAdditions();
    inFitAdditions_ = false;
}

QRect Form::fittedGeometry() const
{
    const QMargins frame = windowFrameMargins(screen_);
    return QRect(availableScreenArea(screen_).topLeft() + QPoint(frame.left(), frame.top()),
                 QSize(px(fittedArea_.width()), px(fittedArea_.height())));
}

void Form::refit(QSizeF area)
{
    if (!fullScreen_)
        return;
    if (fit::roundHalfEven(area.width()) == fittedArea_.width() && fit::roundHalfEven(area.height()) == fittedArea_.height())
        return;
    relayOut(area, false);
    // A window on the screen already has the size the window manager gave it.
    if (!isVisible() || !(windowState() & Qt::WindowMaximized))
        setGeometry(fittedGeometry());
}

void Form::relayOut(QSizeF area, bool fonts)
{
    // As a load on that area lays them out...
    std::vector<fit::Item> fresh = designItems_;
    const fit::Result r = fit::fitToScreen(fresh, area.width(), area.height(), designWidth_, designHeight_, variant_);
    // ... and what the window set itself, from the area it set it on.
    std::vector<fit::Item> scaled = items();
    fit::refitToArea(scaled, fittedArea_.width(), fittedArea_.height(), area.width(), area.height(), variant_);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry& e = entries_[i];
        const bool known = i < fresh.size() && fresh[i].name == e.item.name;
        fit::Item next = e.placedByWindow || !known ? scaled[i] : fresh[i];
        next.fontSize = fonts && known && !e.fontByWindow ? fresh[i].fontSize : e.item.fontSize;
        e.item = next;
        apply(e);
    }
    fittedArea_ = QSizeF(r.formWidth, r.formHeight);
    runFitAdditions();
}

void Form::moveToScreen(QScreen* screen)
{
    screen_ = screen;
    relayOut(clientAreaTwips(screen), true);
}

void Form::followOpener()
{
    QScreen* target = openerScreen(*this);
    if (!target)
        return;
    if (fullScreen_) {
        if (target != screen_) {
            moveToScreen(target);
            // A maximised window keeps its place; Show maximises it again, there. A window
            // shown before takes its new place only when shown again: until then the window
            // system is told the screen it goes to.
            setWindowState(windowState() & ~Qt::WindowMaximized);
            setGeometry(fittedGeometry());
            if (windowHandle())
                windowHandle()->setScreen(target);
        }
        return;
    }
    // A window the program placed keeps its place from the middle of the screen; the window
    // manager places the others.
    QScreen* now = screen();
    if (!testAttribute(Qt::WA_Moved) || target == now)
        return;
    const QRect from = availableScreenArea(now);
    const QRect to = availableScreenArea(target);
    QRect placed = geometry();
    placed.moveCenter(placed.center() - from.center() + to.center());
    placed.moveLeft(std::max(std::min(placed.left(), to.right() + 1 - placed.width()), to.left()));
    placed.moveTop(std::max(std::min(placed.top(), to.bottom() + 1 - placed.height()), to.top()));
    move(placed.topLeft());
}

void Form::framed()
{
    const bool maximized = windowState() & Qt::WindowMaximized;
    if (fullScreen_ && maximized && windowHandle()) {
        // The window manager put the window on another screen, or the user moved it there: it
        // is laid out for that one.
        QScreen* on = screenUnder(*this);
        if (on && on != screen_)
            moveToScreen(on);
    }
    const std::optional<QMargins> frame = frameOf(*this);
    if (!frame)
        return;
    if (!fullScreen_) {
        // No frame yet: the window manager has not framed the window yet.
        if (!frame->isNull())
            windowFrame() = *frame;
        return;
    }
    if (!maximized)
        return;
    // The size the window manager gave the window is the area its controls have: they are laid
    // out on it, and later windows on the same screen on the same area at once. The frame is
    // what the screen's area leaves around it. A window given more than its screen (spread over
    // two screens) keeps the layout of its screen and teaches no frame.
    const QRect client = geometry();
    const std::optional<QMargins> learned = fit::fullScreenFrame(availableScreenArea(screen_), client, *frame);
    if (!learned)
        return;
    learnFullScreenFrame(screen_, *learned);
    refit(QSizeF(client.width() * fit::kTwipsPerPixel, client.height() * fit::kTwipsPerPixel));
}

void Form::Form_Unload()
{
    End();
}

void Form::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Form_Unload();
}

} // namespace kiv
