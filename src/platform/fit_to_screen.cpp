#include "platform/fit_to_screen.h"

#include <algorithm>
#include <cmath>

namespace kiv::fit {

double roundHalfEven(double v)
{
    return std::nearbyint(v); // the default rounding mode rounds halves to even
}

namespace {

float scaled(float value, double ratio)
{
    return static_cast<float>(static_cast<double>(value) * ratio);
}

void applyFont(Item& item, const Font& font, double rW)
{
    if (!item.hasFont)
        return;
    switch (font.rule) {
    case FontRule::Keep: break;
    case FontRule::Fixed: item.fontSize = font.value; break;
    case FontRule::Scale: item.fontSize = scaled(item.fontSize, rW); break;
    case FontRule::ScaleInt:
        item.fontSize = static_cast<float>(std::floor(static_cast<double>(item.fontSize) * rW));
        break;
    }
}

const KindRule* ruleFor(const Variant& variant, Kind kind)
{
    for (const KindRule& r : variant.kinds)
        if (r.kind == kind)
            return &r;
    return nullptr;
}

// Scales one control; `fonts` false leaves its font as it is.
void scaleOne(Item& item, const Variant& variant, double rW, double rH, bool fonts)
{
    if (item.kind == Kind::Line) {
        item.x1 = scaled(item.x1, rW);
        item.y1 = scaled(item.y1, rH);
        item.x2 = scaled(item.x2, rW);
        item.y2 = scaled(item.y2, rH);
        return;
    }
    if (item.kind == Kind::Shape) {
        item.width = scaled(item.width, rW);
        item.height = scaled(item.height, rH);
        item.top = scaled(item.top, rH);
        item.left = scaled(item.left, rW);
        return;
    }
    const KindRule* rule = ruleFor(variant, item.kind);
    if (rule && rule->action == KindRule::Action::Skip)
        return;
    if (rule && rule->action == KindRule::Action::MoveOnly) {
        item.left = scaled(item.left, rW);
        item.top = scaled(item.top, rH);
        return;
    }
    item.width = scaled(item.width, rW);
    item.height = scaled(item.height, rH);
    item.left = scaled(item.left, rW);
    item.top = scaled(item.top, rH);
    if (fonts)
        applyFont(item, rule && rule->font ? *rule->font : variant.font, rW);
}

// The controls the variant scales, in its order: the listed ones one by one, all by the rule
// for every other control, or else the whole collection.
void walk(std::vector<Item>& items, const Variant& variant, double rW, double rH, bool fonts)
{
    if (variant.only.isEmpty()) {
        for (Item& item : items)
            scaleOne(item, variant, rW, rH, fonts);
        return;
    }
    Variant plain = variant;
    plain.kinds.erase(std::remove_if(plain.kinds.begin(), plain.kinds.end(),
                                     [](const KindRule& k) { return k.action != KindRule::Action::Scale; }),
                      plain.kinds.end());
    for (const QString& name : variant.only)
        for (Item& item : items)
            if (item.name == name) {
                scaleOne(item, plain, rW, rH, fonts);
                break;
            }
}

} // namespace

Result fitToScreen(std::vector<Item>& items, double screenWidth, double screenHeight,
                   double designWidth, double designHeight, const Variant& variant)
{
    const double sh = roundHalfEven(screenHeight);
    const double sw = roundHalfEven(screenWidth);
    const double fh = roundHalfEven(designHeight);
    const double fw = roundHalfEven(designWidth);

    Result r;
    r.rH = (fh != 0 ? sh / fh : 1.0) * variant.heightFactor;
    r.rW = fw != 0 ? sw / fw : 1.0;
    r.formHeight = sh;
    r.formWidth = sw;
    walk(items, variant, r.rW, r.rH, true);
    return r;
}

Result refitToArea(std::vector<Item>& items, double fromWidth, double fromHeight, double toWidth,
                   double toHeight, const Variant& variant)
{
    const double fh = roundHalfEven(fromHeight);
    const double fw = roundHalfEven(fromWidth);
    Result r;
    r.formHeight = roundHalfEven(toHeight);
    r.formWidth = roundHalfEven(toWidth);
    r.rH = fh != 0 ? r.formHeight / fh : 1.0;
    r.rW = fw != 0 ? r.formWidth / fw : 1.0;
    if (r.rH != 1.0 || r.rW != 1.0)
        walk(items, variant, r.rW, r.rH, false);
    return r;
}

QSizeF clientArea(QSizeF screen, const QMargins& framePixels)
{
    const double w = screen.width() - (framePixels.left() + framePixels.right()) * kTwipsPerPixel;
    const double h = screen.height() - (framePixels.top() + framePixels.bottom()) * kTwipsPerPixel;
    return QSizeF(std::max(w, kTwipsPerPixel), std::max(h, kTwipsPerPixel));
}

std::optional<QMargins> fullScreenFrame(const QRect& area, const QRect& client, const QMargins& told)
{
    if (client.isEmpty() || !area.contains(client))
        return std::nullopt;
    const QMargins frame = area.size() == client.size().grownBy(told)
                               ? told
                               : QMargins(0, area.height() - client.height(), area.width() - client.width(), 0);
    if (frame.left() < 0 || frame.top() < 0 || frame.right() < 0 || frame.bottom() < 0)
        return std::nullopt;
    if ((frame.left() + frame.right()) * 4 > area.width() || (frame.top() + frame.bottom()) * 4 > area.height())
        return std::nullopt;
    return frame;
}

QRect placeWithin(const QRect& area, QSize wanted, const QMargins& frame)
{
    const int roomW = std::max(area.width() - frame.left() - frame.right(), 1);
    const int roomH = std::max(area.height() - frame.top() - frame.bottom(), 1);
    const int w = std::clamp(wanted.width(), 1, roomW);
    const int h = std::clamp(wanted.height(), 1, roomH);
    const int x = area.left() + frame.left() + (roomW - w) / 2;
    const int y = area.top() + frame.top() + (roomH - h) / 2;
    return QRect(x, y, w, h);
}

} // namespace kiv::fit
