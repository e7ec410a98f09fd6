#pragma once
// Controls and looks the values and comparison windows share beyond the common controls:
// captions that answer a click, the picture of a hand pointing down at the boxes, image areas
// that only answer a click, and the colours and bold type of their labels and boxes.
#include "platform/controls.h"

#include <QColor>
#include <QWidget>
#include <optional>

namespace kiv {

// A caption that shows a definition when clicked (the left button pressed and released over
// it): the pointer over it is a hand with the index finger raised. A click takes the focus
// from no control.
class ClickLabel : public Label {
    Q_OBJECT
public:
    ClickLabel(const QString& name, QWidget* parent);

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// An image area without a picture: it draws nothing and only answers a click.
class ImageArea : public ClickLabel {
    Q_OBJECT
public:
    ImageArea(const QString& name, QWidget* parent);
};

// A 32 x 32 picture of a hand pointing down, drawn at the control's size; clicks go through it
// to what lies below.
class HandPicture : public QWidget {
    Q_OBJECT
public:
    HandPicture(const QString& name, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The colour of a control's text and, when given, the background it fills.
void setColours(QWidget* w, const QColor& text, const std::optional<QColor>& back = std::nullopt);
void setBold(QWidget* w);

} // namespace kiv
