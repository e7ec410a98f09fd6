#include "platform/form.h"

#include "platform/controls.h"
#include "platform/program_end.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

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
} // namespace

QSizeF screenSizeTwips()
{
    if (screenOverride())
        return *screenOverride();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect r = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    return QSizeF(r.width() * fit::kTwipsPerPixel, r.height() * fit::kTwipsPerPixel);
}

void setScreenSizeTwips(std::optional<QSizeF> size)
{
    screenOverride() = size;
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
}

Form::~Form() = default;

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
    if (fullScreen_)
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
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
    const QSizeF screen = screenSizeTwips();
    const fit::Result r = fit::fitToScreen(list, screen.width(), screen.height(), designWidth_, designHeight_, variant);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].item.kind == fit::Kind::CommonDialog || entries_[i].item.kind == fit::Kind::ReportControl) {
            entries_[i].item = list[i];
            continue;
        }
        entries_[i].item = list[i];
        apply(entries_[i]);
    }
    fullScreen_ = true;
    setGeometry(0, 0, px(static_cast<float>(r.formWidth)), px(static_cast<float>(r.formHeight)));
    return r;
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
