#pragma once
// Controls of the three-year entry window beyond the common ones: captions that answer a
// click, the pictures of a hand pointing down at the year columns, and the image areas that
// lie over them.
#include "platform/controls.h"

#include <QWidget>

namespace kiv::values3 {

// A caption that shows a definition when clicked: the pointer over it is a hand with the index
// finger raised.
class ClickLabel : public kiv::Label {
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

// A 32 x 32 picture of a hand pointing down, drawn at the control's size.
class HandPicture : public QWidget {
    Q_OBJECT
public:
    HandPicture(const QString& name, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// An image area without a picture: it draws nothing and only answers a click.
class ImageArea : public QWidget {
    Q_OBJECT
public:
    ImageArea(const QString& name, QWidget* parent);

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace kiv::values3
