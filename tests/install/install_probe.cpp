// Loaded into an installed Kiv_2000 with LD_PRELOAD, this walks the user's road through the
// program's own windows, found by their object names, and writes on standard output what a
// user would see, then ends the program:
//
//   edition <option> <caption>   each edition the edition menu offers, in the menu's order
//   selected <option>            the edition chosen when the menu opens
//   <window> boxes <count>       the amount boxes of each entry window
//   <window> restored <texts>    Restore, after every box was set to 5
//   <window> saved <texts>       with KIV_PROBE_SAVE set: what the boxes held at Save, an
//                                amount entered in each typed box ...
//   <window> after-save <texts>  ... and what Restore gives back once the boxes were set to 5
//   message <text>               each message box, closed with its default button
//   done
//
// Texts are the boxes' texts without the entry form's leading blank, in object-name order,
// separated by commas. The program itself is not changed for this: the probe only clicks.
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

void say(const QString& line)
{
    const QByteArray bytes = (line + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

[[noreturn]] void finish(int code)
{
    std::fflush(stdout);
    _exit(code);
}

QWidget* window(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    say(QStringLiteral("missing window ") + name);
    finish(2);
}

template <typename T>
T* control(QWidget* in, const QString& name)
{
    if (T* c = in->findChild<T*>(name))
        return c;
    say(QStringLiteral("missing control ") + in->objectName() + u'.' + name);
    finish(2);
}

// The amount boxes of an entry window, in object-name order: those the edition menu's Start
// has just set to 0.
std::vector<QLineEdit*> boxes(QWidget* w)
{
    std::vector<QLineEdit*> list;
    for (QLineEdit* box : w->findChildren<QLineEdit*>())
        if (box->objectName().startsWith(QStringLiteral("txt")) && box->text() == u"0")
            list.push_back(box);
    std::sort(list.begin(), list.end(), [](QLineEdit* a, QLineEdit* b) { return a->objectName() < b->objectName(); });
    return list;
}

QString texts(const std::vector<QLineEdit*>& list)
{
    QStringList out;
    for (QLineEdit* box : list)
        out << box->text().trimmed();
    return out.join(u',');
}

void setAll(const std::vector<QLineEdit*>& list, const QString& text)
{
    for (QLineEdit* box : list)
        box->setText(text);
}

// Closes every message box that is up, saying what it said. Runs inside the box's own loop.
void closeMessageBoxes()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box || !box->isVisible())
            continue;
        say(QStringLiteral("message ") + box->text().replace(u'\n', u' '));
        QAbstractButton* button = box->defaultButton() ? box->defaultButton() : box->buttons().value(0);
        if (button)
            button->click();
        else
            box->reject();
    }
}

void saveAndRestore(const QString& name, bool save)
{
    QWidget* w = window(name);
    const std::vector<QLineEdit*> list = boxes(w);
    say(name + QStringLiteral(" boxes ") + QString::number(list.size()));
    setAll(list, QStringLiteral("5"));
    control<QPushButton>(w, QStringLiteral("cmdRestore"))->click();
    say(name + QStringLiteral(" restored ") + texts(list));
    if (!save)
        return;
    // A different amount in every box the user types in, a negative one and decimals among
    // them, each entered with Enter as the user does, so that the totals follow the amounts.
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i]->isReadOnly())
            continue;
        list[i]->setText((i == 0 ? QStringLiteral("-") : QString()) + QString::number((i + 1) * 100) + QStringLiteral(".5"));
        list[i]->setFocus();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(list[i], &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(list[i], &release);
    }
    control<QPushButton>(w, QStringLiteral("cmdSave"))->click();
    // Leaving a box on the click may have refreshed totals: Save kept the texts as they are now.
    say(name + QStringLiteral(" saved ") + texts(list));
    setAll(list, QStringLiteral("5"));
    control<QPushButton>(w, QStringLiteral("cmdRestore"))->click();
    say(name + QStringLiteral(" after-save ") + texts(list));
}

void walk()
{
    control<QPushButton>(window(QStringLiteral("frmStartMenu")), QStringLiteral("SSCommand2"))->click();
    QWidget* menu = window(QStringLiteral("frmMenuselect"));
    QString selected;
    for (QRadioButton* option : menu->findChildren<QRadioButton*>()) {
        if (option->isEnabled())
            say(QStringLiteral("edition ") + option->objectName() + u' ' + option->text());
        if (option->isChecked())
            selected = option->objectName();
    }
    say(QStringLiteral("selected ") + selected);
    control<QPushButton>(menu, QStringLiteral("Startapp"))->click();
    const bool save = qEnvironmentVariableIsSet("KIV_PROBE_SAVE");
    saveAndRestore(QStringLiteral("frmMyValues"), save);
    saveAndRestore(QStringLiteral("frmMyValuesV3"), save);
    say(QStringLiteral("done"));
    finish(0);
}

class StartScreenUp : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!started_ && event->type() == QEvent::Paint && watched->isWidgetType() && watched->objectName() == u"frmStartMenu") {
            started_ = true;
            QTimer::singleShot(0, walk);
        }
        return false;
    }

private:
    bool started_ = false;
};

void installProbe()
{
    static StartScreenUp probe;
    QCoreApplication::instance()->installEventFilter(&probe);
    auto* boxes = new QTimer(QCoreApplication::instance());
    QObject::connect(boxes, &QTimer::timeout, closeMessageBoxes);
    boxes->start(50);
    QTimer::singleShot(120000, [] {
        say(QStringLiteral("timed out"));
        finish(3);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
