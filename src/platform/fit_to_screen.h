#pragma once
#include <QMargins>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// Full-screen scaling: a window designed at some size in twips fills the screen and stretches
// its controls by the screen-to-design ratios. Plain data in, plain data out, so it can be
// checked without a window.
namespace kiv::fit {

inline constexpr double kTwipsPerPixel = 15.0;

enum class Kind {
    Label, TextBox, CommandButton, OptionButton, CheckBox, ComboBox, ListBox, Frame,
    Image, PictureBox, Line, Shape, CommonDialog, ReportControl, Button3D, Panel3D, Other
};

// One control as the scaling sees it; every value is a single-precision property in twips
// (font size in points).
struct Item {
    QString name;
    Kind kind = Kind::Other;
    float left = 0, top = 0, width = 0, height = 0;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0; // lines only
    float fontSize = 0;
    bool hasFont = true;
};

enum class FontRule {
    Keep,     // font size as it is
    Fixed,    // font size = the rule's value
    Scale,    // font size = font size x rW
    ScaleInt, // font size = Int(font size x rW)
};

struct Font {
    FontRule rule = FontRule::Keep;
    float value = 0; // for Fixed
};

// How one kind of control is handled apart from the rule for every other control.
struct KindRule {
    enum class Action { Scale, MoveOnly, Skip };
    Kind kind;
    Action action = Action::Scale;
    std::optional<Font> font; // replaces the window's font rule for this kind
};

struct Variant {
    double heightFactor = 1.0;   // rH is multiplied by it (0.95 in the report window)
    Font font;                   // font rule for every other control
    std::vector<KindRule> kinds; // kinds handled apart
    QStringList only;            // when not empty: no collection walk, these controls one by one
};

struct Result {
    double rW = 1, rH = 1;
    double formWidth = 0, formHeight = 0; // twips
};

// Screen and design sizes in twips. The sizes are rounded to whole twips (halves to even) and
// kept in double precision, so screens of any size scale.
Result fitToScreen(std::vector<Item>& items, double screenWidth, double screenHeight,
                   double designWidth, double designHeight, const Variant& variant);

// The same rule again for a window already fitted to an area of fromWidth x fromHeight twips
// that is now given toWidth x toHeight (the window manager's frame took part of the screen):
// positions and sizes are multiplied by the new area over the old one, horizontally and
// vertically apart, by the kinds the variant handles apart; so every position and size is again
// its design value times the new area over the design size. Fonts stay as they are (a font
// size the user chose meanwhile is kept). The height factor is already in the old positions.
Result refitToArea(std::vector<Item>& items, double fromWidth, double fromHeight, double toWidth,
                   double toHeight, const Variant& variant);

// What a full-screen window really has to show its controls in, in twips: the screen's
// available area less the frame (title bar, borders) the window manager draws around it.
QSizeF clientArea(QSizeF screen, const QMargins& framePixels);

// The frame (pixels) the window manager draws around a full-screen window it gave the client
// rectangle `client` (pixels, on the desktop) on a screen whose available area is `area`, telling
// `told` as its frame: the frame told when the client and it fill the area, else all the area
// leaves around the client, counted as title bar. Nothing when the client reaches past the area
// (the window manager spread the window over two screens, or put it on another one than
// `area`'s) or when that frame would be larger than a frame is (more than a quarter of the area
// across or down).
std::optional<QMargins> fullScreenFrame(const QRect& area, const QRect& client, const QMargins& told);

// Where a window that wants `wanted` pixels goes within `area` (pixels) once its frame is
// counted: as large as wanted where the area leaves room for it and the frame, centred in the
// area; the client rectangle, frame excluded.
QRect placeWithin(const QRect& area, QSize wanted, const QMargins& frame);

// Rounds to the nearest integer, halves to the even one.
double roundHalfEven(double v);

} // namespace kiv::fit
