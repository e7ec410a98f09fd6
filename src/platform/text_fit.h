#pragma once
#include <QFont>
#include <QSizeF>
#include <QString>

// A control's text that does not fit its rectangle at the control's font is drawn smaller, as
// far as needed, down to a readable floor; the control keeps its font and its rectangle. A
// number that does not fit even there is not drawn cut, where what is left of it would read as
// another number: a mark that no one can take for a number stands in its place. The fitting is
// a computation on font metrics alone, so it can be checked without a control.
namespace kiv::textfit {

// The smallest size a text is drawn at, in points; below it a text other than a number is left
// cut rather than made unreadable.
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

// True when the text is a number as the windows show one: blanks around it allowed, an optional
// sign, digits with at most one period (at least one digit), and an optional exponent (E or D,
// an optional sign, digits). "12.50", " 1000", "-99999900.00", " 1.234568E+07" are numbers;
// "...", "", "12,5", "75 %" and words are not.
bool isNumber(const QString& text);

// The character of the mark drawn in place of a number that cannot be shown whole.
inline constexpr char16_t kMarkCharacter = u'#';

// What a control draws of its text, and at which font.
struct Shown {
    QString text;
    QFont font;
    // The text is a number that does not fit even at the smallest size: `text` is the mark, a
    // run of kMarkCharacter as long as fits the room (at least one), at the control's font or,
    // when not even one fits at it, at the size one fits at.
    bool mark = false;
    friend bool operator==(const Shown&, const Shown&) = default;
};

// The text at its fitting font when it fits there; otherwise the mark for a number, and for any
// other text the text itself at the smallest size (cut, as a long caption is).
Shown shownText(const QString& text, const QFont& font, QSizeF room, int flags);

// The last fit of one control, so that painting it again costs nothing while its text, font,
// room and flags stay the same.
class FitCache {
public:
    Shown shown(const QString& text, const QFont& font, QSizeF room, int flags);

private:
    bool valid_ = false;
    QString text_;
    QFont font_;
    QSizeF room_;
    int flags_ = 0;
    Shown shown_;
};

} // namespace kiv::textfit
