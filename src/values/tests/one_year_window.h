#pragma once
// Driving the one-year entry window as a user would: the window as the edition menu's Start
// leaves it, typing into boxes, pressing buttons.
#include "values/frm_my_values.h"

#include <QApplication>
#include <QTest>

namespace onewindow {

// The window with "0" in all 33 boxes, shown and active.
inline FrmMyValues& openWindow()
{
    FrmMyValues& w = frmMyValues();
    for (kiv::TextBox* b : w.figureBoxes())
        b->setText(QStringLiteral("0"));
    w.Show();
    if (!QTest::qWaitForWindowActive(&w))
        qWarning("the window did not become active");
    return w;
}

inline QWidget* focused()
{
    return QApplication::focusWidget();
}

// Puts the focus in a box and replaces its text with what the user types.
inline void typeInto(kiv::TextBox* box, const QString& text)
{
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClicks(box, text);
}

// Types each text into its box and presses Enter there.
inline void enterFigures(FrmMyValues& w, const std::vector<std::pair<kiv::values::Item, QString>>& figures)
{
    for (const auto& [item, text] : figures) {
        typeInto(w.box(item), text);
        QTest::keyClick(w.box(item), Qt::Key_Return);
    }
}

inline void clickButton(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// The 33 box texts by item.
inline QStringList boxTexts(const FrmMyValues& w)
{
    QStringList list;
    for (const QString& t : w.texts())
        list << t;
    return list;
}

} // namespace onewindow
