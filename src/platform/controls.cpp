#include "platform/controls.h"

#include "platform/help.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace kiv {

namespace {
// A button's focus mark runs just inside its outline; its caption keeps inside the mark, one
// pixel clear of it, so that a caption as tall as the button allows never meets the dots.
constexpr int kButtonFocusInset = 1;
constexpr int kFocusMarkClearance = 2; // the mark's line and one clear pixel
constexpr int kButtonTextMarginX = 6;
constexpr int kButtonTextMarginY = kButtonFocusInset + kFocusMarkClearance;
// An option's caption keeps room above and below it for the mark drawn round it.
constexpr int kOptionTextMarginY = kFocusMarkClearance;
constexpr int kButtonCaptionFlags = Qt::AlignCenter | Qt::TextShowMnemonic;
constexpr int kOptionCaptionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;

QSizeF roomOf(const QRect& r)
{
    return QSizeF(std::max(r.width(), 0), std::max(r.height(), 0));
}

// The focus mark: a dotted rectangle along the inside of r.
void drawFocusMark(QPainter& painter, const QRect& r, const QColor& color)
{
    if (r.width() < 2 || r.height() < 2)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // One pixel on, one off, all the way round.
    QPen pen(color, 1, Qt::CustomDashLine);
    pen.setDashPattern({1.0, 1.0});
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.restore();
}

// Paints a button or an option: the style draws its face or mark, the control its caption at
// the font that fits and, when it has the focus, the focus mark.
template <class Control>
void paintOwnCaption(Control& control, QStyleOptionButton opt, QStyle::ControlElement element, int flags, QPalette::ColorRole role)
{
    QStylePainter p(&control);
    const bool focused = opt.state & QStyle::State_HasFocus;
    opt.state &= ~(QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange);
    opt.text.clear();
    p.drawControl(element, opt);
    if (!control.text().isEmpty()) {
        const textfit::Shown shown = control.shown();
        p.setFont(shown.font);
        control.style()->drawItemText(&p, control.textRoom(), flags, opt.palette, control.isEnabled(), shown.text, role);
    }
    if (focused)
        drawFocusMark(p, control.focusMarkRect(), opt.palette.color(role));
}
} // namespace

void WholeTextTip::update(QWidget& control, bool mark, const QString& text)
{
    if (mark) {
        if (!shown_) {
            before_ = control.toolTip();
            shown_ = true;
        }
        if (control.toolTip() != text)
            control.setToolTip(text);
        set_ = text;
        return;
    }
    if (!shown_)
        return;
    shown_ = false;
    // A tooltip set meanwhile by someone else stays.
    if (control.toolTip() == set_)
        control.setToolTip(before_);
}

CommandButton::CommandButton(const QString& name, QWidget* parent)
    : QPushButton(parent)
{
    setObjectName(name);
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (beforeClick && !beforeClick())
            return;
        emit Click();
    });
}

QRect CommandButton::textRoom() const
{
    return rect().adjusted(kButtonTextMarginX, kButtonTextMarginY, -kButtonTextMarginX, -kButtonTextMarginY);
}

textfit::Shown CommandButton::shown() const
{
    return fit_.shown(text(), font(), roomOf(textRoom()), kButtonCaptionFlags);
}

QRect CommandButton::focusMarkRect() const
{
    return rect().adjusted(kButtonFocusInset, kButtonFocusInset, -kButtonFocusInset, -kButtonFocusInset);
}

void CommandButton::paintEvent(QPaintEvent*)
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    paintOwnCaption(*this, opt, QStyle::CE_PushButton, kButtonCaptionFlags, QPalette::ButtonText);
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    // Enter of the main keys or of the keypad; with Shift, Ctrl or Alt held it is no Enter.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

TextBox::TextBox(const QString& name, QWidget* parent)
    : QLineEdit(parent)
{
    setObjectName(name);
}

namespace {
// A text box keeps two pixels on either side of its line, and one more after the text for the
// caret: a line edit scrolls a text that leaves it less.
constexpr int kBoxMarginX = 2;
constexpr int kBoxMarginY = 1;
constexpr int kBoxCaretWidth = 1;
} // namespace

QRect TextBox::textRoom() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    // Inside the box's frame, its text margins and the pixels it keeps on either side.
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
        .marginsRemoved(textMargins())
        .adjusted(kBoxMarginX, kBoxMarginY, -kBoxMarginX - kBoxCaretWidth, -kBoxMarginY);
}

int TextBox::textFlags() const
{
    // A box centres its line on its height whatever its alignment says.
    return int(QStyle::visualAlignment(layoutDirection(), alignment() & Qt::AlignHorizontal_Mask)) | Qt::AlignVCenter;
}

textfit::Shown TextBox::shown() const
{
    // What the user types is shown as typed, scrolled to the caret.
    if (hasFocus() || echoMode() != QLineEdit::Normal)
        return textfit::Shown{text(), font(), false};
    // Across only: the box shows its one line at the chosen size, as it does while typing.
    return fit_.shown(text(), font(), QSizeF(std::max(textRoom().width(), 0), QWIDGETSIZE_MAX), textFlags());
}

void TextBox::paintEvent(QPaintEvent* event)
{
    const textfit::Shown shown = this->shown();
    tip_.update(*this, shown.mark, text());
    if ((!shown.mark && shown.font == font()) || text().isEmpty()) {
        QLineEdit::paintEvent(event);
        return;
    }
    // The line as a line edit of the smaller font lays it out: centred on the height left
    // inside the frame, at the alignment's side.
    QPainter p(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
    p.setClipRect(contents);
    const QFontMetrics fm(shown.font);
    QTextLayout layout(shown.text, shown.font);
    QTextOption option;
    option.setTextDirection(layoutDirection());
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const int lineHeight = std::max(fm.boundingRect(shown.text).height(), fm.height());
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    int top = contents.y() + (contents.height() - lineHeight + 1) / 2;
    if (align & Qt::AlignTop)
        top = contents.y() + kBoxMarginY;
    else if (align & Qt::AlignBottom)
        top = contents.y() + contents.height() - lineHeight - kBoxMarginY;
    const QRect lineRect(contents.x() + kBoxMarginX, top, contents.width() - 2 * kBoxMarginX, lineHeight);
    const int used = qRound(line.naturalTextWidth()) + kBoxCaretWidth;
    int scroll = 0;
    if (used <= lineRect.width()) {
        if (align & Qt::AlignRight)
            scroll = used - lineRect.width() + 1;
        else if (align & Qt::AlignHCenter)
            scroll = (used - lineRect.width()) / 2;
    }
    p.setPen(panel.palette.color(QPalette::Text));
    layout.draw(&p, lineRect.topLeft() - QPoint(scroll, qRound(line.ascent()) - fm.ascent()));
}

bool TextBox::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip)
        tip_.update(*this, shown().mark, text());
    return QLineEdit::event(event);
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    if (onKeyPress && onKeyPress(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (onGotFocus)
        onGotFocus(event->reason());
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (onLostFocus)
        onLostFocus(event->reason());
}

LineControl::LineControl(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::setEnds(QPointF a, QPointF b)
{
    a_ = a;
    b_ = b;
    const int pad = width_ + 1;
    const QRectF box = QRectF(a, b).normalized();
    setGeometry(static_cast<int>(std::floor(box.left())) - pad, static_cast<int>(std::floor(box.top())) - pad,
                static_cast<int>(std::ceil(box.width())) + 2 * pad, static_cast<int>(std::ceil(box.height())) + 2 * pad);
    update();
}

void LineControl::setLineColor(const QColor& c)
{
    color_ = c;
    update();
}

void LineControl::setLineWidth(int w)
{
    width_ = w;
    setEnds(a_, b_);
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(color_, width_));
    const QPointF origin = geometry().topLeft();
    p.drawLine(a_ - origin, b_ - origin);
}

ShapeControl::ShapeControl(const QString& name, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::setBorderColor(const QColor& c)
{
    border_ = c;
    update();
}

void ShapeControl::setFillColor(const QColor& c)
{
    fill_ = c;
    update();
}

void ShapeControl::setBorderWidth(int w)
{
    borderWidth_ = w;
    update();
}

void ShapeControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (fill_.isValid())
        p.fillRect(rect(), fill_);
    p.setPen(QPen(border_, borderWidth_));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

QRect labelTextRoom(const QLabel& label)
{
    // As a label lays out its text: inside its frame and margin, indented from the edges its
    // text is aligned to when it has a frame and no indent of its own.
    QRect r = label.contentsRect();
    const int margin = label.margin();
    r.adjust(margin, margin, -margin, -margin);
    int indent = label.indent();
    if (indent < 0 && label.frameWidth())
        indent = label.fontMetrics().horizontalAdvance(u'x') / 2 - margin;
    if (indent > 0) {
        const Qt::Alignment align = QStyle::visualAlignment(label.layoutDirection(), label.alignment());
        if (align & Qt::AlignLeft)
            r.setLeft(r.left() + indent);
        if (align & Qt::AlignRight)
            r.setRight(r.right() - indent);
        if (align & Qt::AlignTop)
            r.setTop(r.top() + indent);
        if (align & Qt::AlignBottom)
            r.setBottom(r.bottom() - indent);
    }
    return r;
}

int labelTextFlags(const QLabel& label)
{
    return int(QStyle::visualAlignment(label.layoutDirection(), label.alignment())) | (label.wordWrap() ? int(Qt::TextWordWrap) : 0);
}

textfit::Shown FittedLabel::shown() const
{
    return fit_.shown(text(), font(), roomOf(textRoom()), labelTextFlags(*this));
}

void FittedLabel::paintEvent(QPaintEvent* event)
{
    const textfit::Shown shown = this->shown();
    tip_.update(*this, shown.mark, text());
    if ((!shown.mark && shown.font == font()) || text().isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    // As the label draws its text, at the smaller font, or the mark in its place.
    QPainter p(this);
    drawFrame(&p);
    p.setFont(shown.font);
    style()->drawItemText(&p, textRoom(), labelTextFlags(*this), palette(), isEnabled(), shown.text, foregroundRole());
}

bool FittedLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip)
        tip_.update(*this, shown().mark, text());
    return QLabel::event(event);
}

Panel3D::Panel3D(const QString& name, QWidget* parent)
    : FittedLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
}

Label::Label(const QString& name, QWidget* parent, const QString& caption)
    : FittedLabel(parent)
{
    setObjectName(name);
    // Captions and figures are shown as written, whatever characters a name holds.
    setTextFormat(Qt::PlainText);
    setText(caption);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

OptionButton::OptionButton(const QString& name, QWidget* parent, const QString& caption)
    : QRadioButton(caption, parent)
{
    setObjectName(name);
}

PictureControl::PictureControl(const QString& name, QWidget* parent, Art art)
    : QWidget(parent)
    , art_(art)
{
    setObjectName(name);
}

void OptionButton::setForeColor(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, color);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, color);
    setPalette(pal);
}

QColor OptionButton::ForeColor() const
{
    return palette().color(QPalette::Active, QPalette::WindowText);
}

QRect OptionButton::textRoom() const
{
    QStyleOptionButton button;
    initStyleOption(&button);
    const QRect contents = style()->subElementRect(QStyle::SE_RadioButtonContents, &button, this);
    // Clear of the right edge and of top and bottom by the room of the mark drawn round it.
    return QRect(QPoint(contents.left(), kOptionTextMarginY),
                 QPoint(rect().right() - kFocusMarkClearance, rect().bottom() - kOptionTextMarginY));
}

textfit::Shown OptionButton::shown() const
{
    return fit_.shown(text(), font(), roomOf(textRoom()), kOptionCaptionFlags);
}

QRect OptionButton::focusMarkRect() const
{
    // Round the caption as it is drawn, one pixel clear of it, within the option's rectangle.
    const textfit::Shown caption = shown();
    const QRect drawn = QFontMetrics(caption.font).boundingRect(textRoom(), kOptionCaptionFlags, caption.text);
    return drawn.adjusted(-kFocusMarkClearance, -kFocusMarkClearance, kFocusMarkClearance, kFocusMarkClearance).intersected(rect());
}

void OptionButton::paintEvent(QPaintEvent*)
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    paintOwnCaption(*this, opt, QStyle::CE_RadioButton, kOptionCaptionFlags, QPalette::WindowText);
}

void PictureControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintArt(p, QRectF(rect()).adjusted(2, 2, -2, -2), art_);
}

PictureButton::PictureButton(const QString& name, QWidget* parent, PictureControl::Art art)
    : CommandButton(name, parent)
    , art_(art)
{
}

void PictureButton::paintEvent(QPaintEvent* event)
{
    CommandButton::paintEvent(event);
    QPainter p(this);
    const double side = std::min(width(), height()) * 0.62;
    QRectF r(0, 0, side, side);
    r.moveCenter(QRectF(rect()).center());
    if (isDown())
        r.translate(1, 1);
    if (!isEnabled())
        p.setOpacity(0.4);
    paintArt(p, r, art_);
}

void paintArt(QPainter& p, const QRectF& r, PictureControl::Art art)
{
    using Art = PictureControl::Art;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor navy(0, 0, 128), gold(255, 204, 0), teal(0, 128, 128);
    switch (art) {
    case Art::Emblem: {
        // A round emblem, round whatever the proportions of its control.
        const double side = std::min(r.width(), r.height());
        QRectF c(0, 0, side, side);
        c.moveCenter(r.center());
        p.setPen(QPen(navy, 2));
        p.setBrush(gold);
        p.drawEllipse(c);
        p.setBrush(navy);
        const double w = c.width() / 7;
        for (int i = 0; i < 3; ++i) {
            const double h = c.height() * (0.25 + 0.15 * i);
            p.drawRect(QRectF(c.left() + w * (1.5 + 1.5 * i), c.bottom() - c.height() * 0.2 - h, w, h));
        }
        break;
    }
    case Art::Chart: {
        p.fillRect(r, QColor(240, 240, 240));
        p.setPen(QPen(navy, 1));
        p.drawRect(r);
        const QColor bars[] = {teal, gold, navy, teal};
        const double w = r.width() / 9;
        const double heights[] = {0.45, 0.7, 0.55, 0.85};
        for (int i = 0; i < 4; ++i)
            p.fillRect(QRectF(r.left() + w * (1 + 2 * i), r.bottom() - r.height() * heights[i], w, r.height() * heights[i] - 1), bars[i]);
        break;
    }
    case Art::Folder: {
        p.setPen(QPen(navy, 1));
        p.setBrush(gold);
        QPainterPath path;
        path.moveTo(r.left(), r.top() + r.height() * 0.25);
        path.lineTo(r.left() + r.width() * 0.4, r.top() + r.height() * 0.25);
        path.lineTo(r.left() + r.width() * 0.5, r.top() + r.height() * 0.35);
        path.lineTo(r.right(), r.top() + r.height() * 0.35);
        path.lineTo(r.right(), r.bottom());
        path.lineTo(r.left(), r.bottom());
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case Art::Book: {
        // An open book: two written pages on a cover.
        const double side = std::min(r.width(), r.height() * 1.25);
        QRectF box(0, 0, side, side * 0.72);
        box.moveCenter(r.center());
        p.setPen(QPen(navy, 1.5));
        p.setBrush(teal);
        p.drawRoundedRect(box.adjusted(0, box.height() * 0.12, 0, 0), 3, 3);
        const double pageW = box.width() * 0.45;
        const QRectF pages[] = {QRectF(box.center().x() - pageW, box.top(), pageW, box.height() * 0.82),
                                QRectF(box.center().x(), box.top(), pageW, box.height() * 0.82)};
        for (const QRectF& page : pages) {
            p.setPen(QPen(navy, 1));
            p.setBrush(Qt::white);
            p.drawRect(page);
            p.setPen(QPen(QColor(120, 120, 160), 1));
            for (int line = 1; line <= 4; ++line) {
                const double y = page.top() + page.height() * line / 5.0;
                p.drawLine(QPointF(page.left() + page.width() * 0.15, y), QPointF(page.right() - page.width() * 0.15, y));
            }
        }
        break;
    }
    case Art::Info: {
        p.setPen(QPen(navy, 2));
        p.setBrush(QColor(200, 220, 255));
        p.drawEllipse(r);
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(std::max(8, static_cast<int>(r.height() * 0.6)));
        p.setFont(f);
        p.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Art::Start: {
        p.setPen(QPen(navy, 2));
        p.setBrush(QColor(0, 160, 0));
        QPainterPath path;
        path.moveTo(r.left() + r.width() * 0.2, r.top());
        path.lineTo(r.right(), r.center().y());
        path.lineTo(r.left() + r.width() * 0.2, r.bottom());
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case Art::Exit: {
        p.setPen(QPen(QColor(160, 0, 0), 3));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
        break;
    }
    }
    p.restore();
}

CommonDialog::CommonDialog(const QString& name, QObject* parent)
    : QObject(parent)
{
    setObjectName(name);
}

void CommonDialog::ShowHelp()
{
    showHelpFile(HelpFile);
}

} // namespace kiv
