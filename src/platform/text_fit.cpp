#include "platform/text_fit.h"

#include <QFontMetricsF>
#include <algorithm>
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

bool isNumber(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
            ++i;
        return i - from;
    };
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    qsizetype mantissa = digits();
    if (i < t.size() && t[i] == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < t.size() && (t[i] == u'E' || t[i] == u'e' || t[i] == u'D' || t[i] == u'd')) {
        ++i;
        if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == t.size();
}

Shown shownText(const QString& text, const QFont& font, QSizeF room, int flags)
{
    const QFont fitted = fittingFont(text, font, room, flags);
    if (!isNumber(text) || fits(text, fitted, room, flags))
        return Shown{text, fitted, false};
    // A cell of spreadsheet fashion: as many marks as the room holds.
    const QString one(1, QChar(kMarkCharacter));
    const QFont markFont = fits(one, font, room, flags) ? font : fittingFont(one, font, room, flags);
    const double advance = QFontMetricsF(markFont).horizontalAdvance(one);
    qsizetype count = advance > 0 ? static_cast<qsizetype>(std::floor((room.width() + kTolerance) / advance)) : 1;
    count = std::max<qsizetype>(count, 1);
    while (count > 1 && !fits(one.repeated(count), markFont, room, flags))
        --count;
    return Shown{one.repeated(count), markFont, true};
}

Shown FitCache::shown(const QString& text, const QFont& font, QSizeF room, int flags)
{
    if (!valid_ || text != text_ || font != font_ || room != room_ || flags != flags_) {
        shown_ = shownText(text, font, room, flags);
        text_ = text;
        font_ = font;
        room_ = room;
        flags_ = flags;
        valid_ = true;
    }
    return shown_;
}

} // namespace kiv::textfit
