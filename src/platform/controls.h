#pragma once
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "platform/text_fit.h"

class QPainter;

// The controls the windows are built from. They behave as the program's users expect of them:
// a focused button is pressed by Enter as well as by the space bar, and writing a control's
// text from code runs none of the window's handlers (the windows connect only to user events).
//
// Every control with a caption draws it whole: a caption that does not fit the control's
// rectangle at the control's font is drawn smaller, in that control only, as far as needed
// (textfit). A number that does not fit even at the smallest size is drawn as a mark that cannot
// be read as a number, and the control's tooltip then shows it whole. The control's font and
// text stay as set (printouts and exports read the whole text); shown() is what is drawn, at
// which font, and textRoom() the rectangle it is drawn in. A focused button or option button
// shows a dotted rectangle in its caption's colour, which stands out on the control's
// background and keeps clear of the caption.
namespace kiv {

// The tooltip of a control that draws the mark for its number: the whole number while the mark
// is drawn, and what the tooltip was before once the number shows again.
class WholeTextTip {
public:
    void update(QWidget& control, bool mark, const QString& text);

private:
    bool shown_ = false;
    QString before_;
    QString set_;
};

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString& name, QWidget* parent);
    // Runs before the click handler; returning false stops the click (a box being left
    // refuses its text, for example).
    std::function<bool()> beforeClick;

    QRect textRoom() const;
    textfit::Shown shown() const;
    QFont drawnFont() const { return shown().font; }
    // Where the focus mark is drawn: round the caption's room, inside the button's raised edge.
    QRect focusMarkRect() const;

signals:
    // The user's click, or Enter/space on the focused button, once beforeClick allowed it.
    // Windows connect their click handlers here.
    void Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    mutable textfit::FitCache fit_;
};

// A text box. The window hooks the key presses, focus arrivals and focus departures it needs.
// While the user types in it, its text scrolls as in any text box and is never replaced by the
// mark; otherwise a text too wide for it is drawn narrower, like the captions (its height is
// left to the box's one line), where a box of the narrower font would draw it.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(const QString& name, QWidget* parent);
    QRect textRoom() const;
    // What is drawn, at which font: the text at the box's own font while it has the focus.
    textfit::Shown shown() const;
    QFont drawnFont() const { return shown().font; }
    // Called for every key press before the box handles it; return true to swallow the key.
    std::function<bool(QKeyEvent*)> onKeyPress;
    // The box got or lost the keyboard focus; the reason says why.
    std::function<void(Qt::FocusReason)> onGotFocus;
    std::function<void(Qt::FocusReason)> onLostFocus;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    int textFlags() const;
    mutable textfit::FitCache fit_;
    WholeTextTip tip_;
};

// A straight line drawn on its container.
class LineControl : public QWidget {
    Q_OBJECT
public:
    explicit LineControl(QWidget* parent);
    // End points in pixels of the container.
    void setEnds(QPointF a, QPointF b);
    QPointF end1() const { return a_; }
    QPointF end2() const { return b_; }
    void setLineColor(const QColor& c);
    void setLineWidth(int w);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPointF a_, b_;
    QColor color_ = Qt::black;
    int width_ = 1;
};

// A rectangle drawn on its container.
class ShapeControl : public QWidget {
    Q_OBJECT
public:
    explicit ShapeControl(const QString& name, QWidget* parent);
    void setBorderColor(const QColor& c);
    void setFillColor(const QColor& c); // invalid colour: transparent
    void setBorderWidth(int w);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor border_ = Qt::black;
    QColor fill_;
    int borderWidth_ = 1;
};

// The rectangle a label draws its text in, as the label lays it out, and the drawing flags of
// its text (alignment, word wrap).
QRect labelTextRoom(const QLabel& label);
int labelTextFlags(const QLabel& label);

// A label whose text, when it does not fit the label's rectangle at the label's font, is drawn
// smaller, as far as needed; the label's own font stays as it was set.
class FittedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    QRect textRoom() const { return labelTextRoom(*this); }
    textfit::Shown shown() const;
    QFont drawnFont() const { return shown().font; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    mutable textfit::FitCache fit_;
    WholeTextTip tip_;
};

// A raised panel with a centred caption.
class Panel3D : public FittedLabel {
    Q_OBJECT
public:
    explicit Panel3D(const QString& name, QWidget* parent);
};

// A label: top-left text that wraps at word boundaries within the label.
class Label : public FittedLabel {
    Q_OBJECT
public:
    explicit Label(const QString& name, QWidget* parent, const QString& caption = QString());
};

class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(const QString& name, QWidget* parent, const QString& caption = QString());
    // The caption's colour while the option is enabled.
    void setForeColor(const QColor& color);
    QColor ForeColor() const;

    QRect textRoom() const;
    textfit::Shown shown() const;
    QFont drawnFont() const { return shown().font; }
    // Where the focus mark is drawn: round the caption as it is drawn, clear of it.
    QRect focusMarkRect() const;

protected:
    // The whole of the option's rectangle takes the click, not only its mark and caption.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void paintEvent(QPaintEvent* event) override;

private:
    mutable textfit::FitCache fit_;
};

// A picture drawn by the program (the windows' decorations).
class PictureControl : public QWidget {
    Q_OBJECT
public:
    enum class Art { Emblem, Chart, Folder, Book, Info, Start, Exit };
    PictureControl(const QString& name, QWidget* parent, Art art);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Art art_;
};

// Draws one of the program's pictures into a rectangle.
void paintArt(QPainter& painter, const QRectF& rect, PictureControl::Art art);

// A command button that shows a picture instead of a caption.
class PictureButton : public CommandButton {
    Q_OBJECT
public:
    PictureButton(const QString& name, QWidget* parent, PictureControl::Art art);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PictureControl::Art art_;
};

// The common-dialog component of a window: it only holds the help file and shows it.
class CommonDialog : public QObject {
    Q_OBJECT
public:
    explicit CommonDialog(const QString& name, QObject* parent);
    QString HelpFile;
    // Shows HelpFile in the help viewer (a clear message when the file is missing).
    void ShowHelp();
};

} // namespace kiv
