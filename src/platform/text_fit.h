#pragma once
#include <QFont>
#include <QSizeF>
#include <QString>

// A control's text that does not fit its rectangle at the control's font is drawn smaller, as
// far as needed, down to a readable floor; the control keeps its font and its rectangle. The
// fitting is a computation on font metrics alone, so it can be checked without a control.
namespace kiv::textfit {

// The smallest size a text is drawn at, in points; below it a text is left cut rather than
// made unreadable.
inline constexpr double kSmallestPointSize = 6.0;
// The sizes tried below the control's own: every quarter point.
inline constexpr double kPointStep = 0.25;

// True when the text, laid out by the drawing flags (alignment, Qt::TextWordWrap,
// Qt::TextShowMnemonic, ...) in a rectangle of the room's size, stays within it.
bool fits(const QString& text, const QFont& font, QSizeF room, int flags);

// The point size the text is drawn at: the font's own when the text fits at it (or the font has
// no point size), otherwise the largest size below it, in quarter points, at which it fits; the
// smallest size when none fits.
double fittingPointSize(const QString& text, const QFont& font, QSizeF room, int flags);

// The font at that size.
QFont fittingFont(const QString& text, const QFont& font, QSizeF room, int flags);

// The last fit of one control, so that painting it again costs nothing while its text, font,
// room and flags stay the same.
class FitCache {
public:
    QFont font(const QString& text, const QFont& font, QSizeF room, int flags);

private:
    bool valid_ = false;
    QString text_;
    QFont font_;
    QSizeF room_;
    int flags_ = 0;
    QFont fitted_;
};

} // namespace kiv::textfit
