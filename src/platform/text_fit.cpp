#include "platform/text_fit.h"

#include <QFontMetricsF>
#include <cmath>

namespace kiv::textfit {

namespace {
// Metrics are fractional; a text that meets its room exactly fits.
constexpr double kTolerance = 0.01;

QFont atSize(const QFont& font, double points)
{
    QFont f(font);
    f.setPointSizeF(points);
    return f;
}
} // namespace

bool fits(const QString& text, const QFont& font, QSizeF room, int flags)
{
    if (text.isEmpty())
        return true;
    const QRectF used = QFontMetricsF(font).boundingRect(QRectF(QPointF(0, 0), room), flags, text);
    return used.width() <= room.width() + kTolerance && used.height() <= room.height() + kTolerance;
}

double fittingPointSize(const QString& text, const QFont& font, QSizeF room, int flags)
{
    const double own = font.pointSizeF();
    // A font set in pixels, or a control of no size (nothing of it can be seen), keeps its font.
    if (own <= 0 || room.width() <= 0 || room.height() <= 0 || fits(text, font, room, flags))
        return own;
    if (own <= kSmallestPointSize)
        return own;
    // The quarter points below the font's own size, largest first.
    for (double size = std::ceil(own / kPointStep - 1) * kPointStep; size >= kSmallestPointSize; size -= kPointStep)
        if (fits(text, atSize(font, size), room, flags))
            return size;
    return kSmallestPointSize;
}

QFont fittingFont(const QString& text, const QFont& font, QSizeF room, int flags)
{
    const double size = fittingPointSize(text, font, room, flags);
    return size == font.pointSizeF() ? font : atSize(font, size);
}

QFont FitCache::font(const QString& text, const QFont& font, QSizeF room, int flags)
{
    if (!valid_ || text != text_ || font != font_ || room != room_ || flags != flags_) {
        fitted_ = fittingFont(text, font, room, flags);
        text_ = text;
        font_ = font;
        room_ = room;
        flags_ = flags;
        valid_ = true;
    }
    return fitted_;
}

} // namespace kiv::textfit
