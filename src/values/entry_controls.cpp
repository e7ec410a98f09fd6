#include "values/entry_controls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace kiv {

ClickLabel::ClickLabel(const QString& name, QWidget* parent)
    : Label(name, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit Click();
}

ImageArea::ImageArea(const QString& name, QWidget* parent)
    : ClickLabel(name, parent)
{
    unsetCursor();
    setAttribute(Qt::WA_NoSystemBackground);
}

HandPicture::HandPicture(const QString& name, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void HandPicture::paintEvent(QPaintEvent*)
{
    // Drawn on a 32 x 32 grid and stretched to the control: a cuff at the top, the back of the
    // hand with three folded fingers, and the index finger pointing down.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width() / 32.0, height() / 32.0);
    const QColor outline(0, 0, 0), skin(255, 255, 255), cuff(0, 0, 128);
    p.setPen(QPen(outline, 1.2));

    p.setBrush(cuff);
    p.drawRect(QRectF(9, 1, 14, 5));

    QPainterPath hand;
    hand.addRoundedRect(QRectF(8, 6, 16, 13), 3, 3);
    hand.addRoundedRect(QRectF(12.5, 14, 5, 17), 2.5, 2.5);
    p.setBrush(skin);
    p.drawPath(hand.simplified());

    // The folded fingers and the thumb.
    for (double x : {17.5, 20.5})
        p.drawLine(QPointF(x, 13), QPointF(x, 18.5));
    p.drawArc(QRectF(5, 8, 6, 8), 90 * 16, 180 * 16);
}

void setColours(QWidget* w, const QColor& text, const std::optional<QColor>& back)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Text, text);
    if (back) {
        pal.setColor(QPalette::Window, *back);
        pal.setColor(QPalette::Base, *back);
        w->setAutoFillBackground(true);
    }
    w->setPalette(pal);
}

void setBold(QWidget* w)
{
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
}

} // namespace kiv
