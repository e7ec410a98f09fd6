#include "platform/form.h"

#include "platform/controls.h"
#include "platform/program_end.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWindow>
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

// The frame of the last full-screen window the window manager showed.
QMargins& fullScreenFrame()
{
    static QMargins margins;
    return margins;
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
        const QRect area = availableScreenArea();
        if (area.contains(window_->geometry().marginsAdded(*frame)))
            return;
        const QRect placed = fit::placeWithin(area, wanted_, *frame);
        if (placed != window_->geometry())
            window_->setGeometry(placed);
    }

    QPointer<QWidget> window_;
    QSize wanted_;
};
} // namespace

QSizeF screenSizeTwips()
{
    if (screenOverride())
        return *screenOverride();
    const QRect r = availableScreenArea();
    return QSizeF(r.width() * fit::kTwipsPerPixel, r.height() * fit::kTwipsPerPixel);
}

void setScreenSizeTwips(std::optional<QSizeF> size)
{
    screenOverride() = size;
}

QMargins windowFrameMargins()
{
    return frameOverride() ? *frameOverride() : fullScreenFrame();
}

void setWindowFrameMargins(std::optional<QMargins> margins)
{
    frameOverride() = margins;
}

QSizeF clientAreaTwips()
{
    return fit::clientArea(screenSizeTwips(), windowFrameMargins());
}

QRect availableScreenArea()
{
    if (screenOverride())
        return QRect(0, 0, px(screenOverride()->width()), px(screenOverride()->height()));
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

void keepWithinScreen(QWidget& window, QSize wanted)
{
    // Until the window manager has framed the window, its frame is taken to be that of the
    // program's other windows.
    const QMargins frame = frameOverride() ? *frameOverride() : windowFrame().value_or(fullScreenFrame());
    window.setGeometry(fit::placeWithin(availableScreenArea(), wanted, frame));
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
    if (fullScreen_) {
        // The frame may have become known, or changed, since the window was laid out.
        refit(clientAreaTwips());
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    }
    show();
    raise();
    activateWindow();
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
        apply(*e);
    }
}

void Form::setControlFontSize(QWidget* control, float points)
{
    if (Entry* e = entry(control)) {
        e->item.fontSize = points;
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
    std::vector<fit::Item> list = items();
    const QSizeF area = clientAreaTwips();
    const fit::Result r = fit::fitToScreen(list, area.width(), area.height(), designWidth_, designHeight_, variant);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entries_[i].item = list[i];
        apply(entries_[i]);
    }
    fullScreen_ = true;
    variant_ = variant;
    fittedArea_ = QSizeF(r.formWidth, r.formHeight);
    setGeometry(fittedGeometry());
    return r;
}

QRect Form::fittedGeometry() const
{
    const QMargins frame = windowFrameMargins();
    return QRect(availableScreenArea().topLeft() + QPoint(frame.left(), frame.top()),
                 QSize(px(fittedArea_.width()), px(fittedArea_.height())));
}

void Form::refit(QSizeF area)
{
    if (!fullScreen_)
        return;
    if (fit::roundHalfEven(area.width()) == fittedArea_.width() && fit::roundHalfEven(area.height()) == fittedArea_.height())
        return;
    std::vector<fit::Item> list = items();
    const fit::Result r = fit::refitToArea(list, fittedArea_.width(), fittedArea_.height(), area.width(), area.height(), variant_);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entries_[i].item = list[i];
        apply(entries_[i]);
    }
    fittedArea_ = QSizeF(r.formWidth, r.formHeight);
    // A window on the screen already has the size the window manager gave it.
    if (!isVisible() || !(windowState() & Qt::WindowMaximized))
        setGeometry(fittedGeometry());
}

void Form::framed()
{
    const std::optional<QMargins> frame = frameOf(*this);
    if (!frame)
        return;
    if (!fullScreen_) {
        // No frame yet: the window manager has not framed the window yet.
        if (!frame->isNull())
            windowFrame() = *frame;
        return;
    }
    if (!(windowState() & Qt::WindowMaximized))
        return;
    // The size the window manager gave the window is the area its controls have: they are laid
    // out on it, and later windows on the same area at once. The frame is what the screen's
    // area leaves around it (all of it counted as title bar when the window manager tells
    // another frame than the one that fills the screen).
    const QRect area = availableScreenArea();
    const QSize client = size();
    if (area.size() == client.grownBy(*frame))
        fullScreenFrame() = *frame;
    else
        fullScreenFrame() = QMargins(0, area.height() - client.height(), area.width() - client.width(), 0);
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
