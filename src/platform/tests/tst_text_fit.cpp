// A caption too wide or too tall for its control is drawn smaller, as far as needed and no
// further, down to a readable floor, in that control only; the control keeps its font. A number
// that does not fit even there is drawn as a mark, whole in the tooltip. What each kind of
// control paints is compared with its text drawn as it fits. A focused button or option button
// shows a dotted mark that stands out on its background and keeps clear of its caption.
#include "platform/controls.h"
#include "platform/text_fit.h"
#include "test_support.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QToolTip>

using namespace Qt::StringLiterals;
namespace textfit = kiv::textfit;

namespace {

QFont sans(double points, bool bold = false)
{
    QFont f(u"Liberation Sans"_s);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QFont atSize(QFont f, double points)
{
    f.setPointSizeF(points);
    return f;
}

// How a text of that font lays out in the room: does it stay within it?
bool within(const QString& text, const QFont& font, QSizeF room, int flags)
{
    const QRectF used = QFontMetricsF(font).boundingRect(QRectF(QPointF(0, 0), room), flags, text);
    return used.width() <= room.width() + 0.01 && used.height() <= room.height() + 0.01;
}

} // namespace

class TestTextFit : public QObject {
    Q_OBJECT
private slots:
    void fittingSize_data();
    void fittingSize();
    void isNumber_data();
    void isNumber();
    void shownText_data();
    void shownText();
    void paintsTheFittedText_data();
    void paintsTheFittedText();
    void cellCarriesTheWholeNumber();
    void boxBeingTypedInShowsNoMark();
    void labelKeepsItsFontAndDrawsTheFit();
    void chosenSizeIsFittedAgain();
    void buttonsAndOptionsFitTheirCaptions_data();
    void buttonsAndOptionsFitTheirCaptions();
    void unfocusedBoxShowsItsWholeAmount();
    void focusMarkStandsOut_data();
    void focusMarkStandsOut();
    void focusMarkKeepsClearOfTheCaption_data();
    void focusMarkKeepsClearOfTheCaption();
};

void TestTextFit::fittingSize_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QSizeF>("room");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("expected"); // "own", "smaller" or "floor"
    const int line = Qt::AlignCenter;
    const int wrap = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    QTest::newRow("fits as it is") << u"Help"_s << sans(10) << QSizeF(120, 24) << line << u"own"_s;
    QTest::newRow("one line, too wide") << u"Changer taille police"_s << sans(10) << QSizeF(109, 20) << line << u"smaller"_s;
    QTest::newRow("five digits in a value cell") << u"-12345.67"_s << sans(10, true) << QSizeF(41, 17) << line << u"smaller"_s;
    QTest::newRow("word wider than a wrapped label") << u"Différence"_s << sans(10) << QSizeF(53, 52) << wrap << u"smaller"_s;
    QTest::newRow("three lines in two lines' room")
        << u"Your firm is better than _% of the firms"_s << sans(10) << QSizeF(112, 36) << wrap << u"smaller"_s;
    QTest::newRow("wraps only where the label wraps")
        << u"Ratios de l'industrie"_s << sans(10) << QSizeF(90, 52) << int(Qt::AlignCenter) << u"smaller"_s;
    QTest::newRow("too long even at the floor") << u"Comparaison de votre entreprise à son industrie"_s << sans(10) << QSizeF(40, 12)
                                                << line << u"floor"_s;
    QTest::newRow("already below the floor") << u"Exporter"_s << sans(5) << QSizeF(10, 6) << line << u"own"_s;
    QTest::newRow("empty text") << QString() << sans(10) << QSizeF(1, 1) << line << u"own"_s;
    QTest::newRow("control of no size") << u"Sortir"_s << sans(10) << QSizeF(0, 20) << line << u"own"_s;
    QTest::newRow("a large title") << u"Kivob"_s << sans(40, true) << QSizeF(110, 80) << line << u"smaller"_s;
}

void TestTextFit::fittingSize()
{
    QFETCH(QString, text);
    QFETCH(QFont, font);
    QFETCH(QSizeF, room);
    QFETCH(int, flags);
    QFETCH(QString, expected);
    const double own = font.pointSizeF();
    const double size = textfit::fittingPointSize(text, font, room, flags);
    QCOMPARE(textfit::fittingFont(text, font, room, flags).pointSizeF(), size);
    if (expected == u"own") {
        QCOMPARE(size, own);
        return;
    }
    if (expected == u"floor") {
        QCOMPARE(size, textfit::kSmallestPointSize);
        QVERIFY(!within(text, atSize(font, size), room, flags));
        return;
    }
    // Smaller, fitting, and the largest size that fits: a quarter point more does not.
    QVERIFY2(size < own && size >= textfit::kSmallestPointSize, qPrintable(QString::number(size)));
    QVERIFY2(within(text, atSize(font, size), room, flags), qPrintable(QString::number(size)));
    QVERIFY2(!within(text, atSize(font, size + textfit::kPointStep), room, flags), qPrintable(QString::number(size)));
    QVERIFY(textfit::fits(text, atSize(font, size), room, flags));
    QVERIFY(!textfit::fits(text, font, room, flags));
}

void TestTextFit::isNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::newRow("two decimals") << u"12.50"_s << true;
    QTest::newRow("zero") << u"0"_s << true;
    QTest::newRow("an amount with its leading blank") << u" 1000"_s << true;
    QTest::newRow("nine digits") << u"100000000.00"_s << true;
    QTest::newRow("negative") << u"-99999900.00"_s << true;
    QTest::newRow("plus sign") << u"+3"_s << true;
    QTest::newRow("a total in exponent form") << u" 1.234568E+07"_s << true;
    QTest::newRow("small exponent") << u"1E-05"_s << true;
    QTest::newRow("exponent with D") << u"2.5D3"_s << true;
    QTest::newRow("no digit before the point") << u".5"_s << true;
    QTest::newRow("no digit after the point") << u"5."_s << true;
    QTest::newRow("blanks around") << u"  42  "_s << true;
    QTest::newRow("no computable ratio") << u"..."_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("a blank") << u" "_s << false;
    QTest::newRow("a sign alone") << u"-"_s << false;
    QTest::newRow("a point alone") << u"."_s << false;
    QTest::newRow("decimal comma") << u"12,5"_s << false;
    QTest::newRow("grouped") << u"1 000"_s << false;
    QTest::newRow("percent") << u"75 %"_s << false;
    QTest::newRow("exponent without digits") << u"1E+"_s << false;
    QTest::newRow("two points") << u"12.5.1"_s << false;
    QTest::newRow("sign after") << u"12-"_s << false;
    QTest::newRow("blank after the sign") << u"- 5"_s << false;
    QTest::newRow("a word") << u"Total"_s << false;
    QTest::newRow("a code text") << u"6421, 6422"_s << false;
}

void TestTextFit::isNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, number);
    QCOMPARE(textfit::isNumber(text), number);
}

void TestTextFit::shownText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QSizeF>("room");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("expected"); // "own", "smaller", "floor", "mark" (at the font), "smaller mark"
    const int line = Qt::AlignCenter;
    const int wrap = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const int box = Qt::AlignLeft | Qt::AlignVCenter;
    QTest::newRow("a figure that fits") << u"12.50"_s << sans(10) << QSizeF(60, 17) << line << u"own"_s;
    QTest::newRow("five digits, smaller") << u"-12345.67"_s << sans(10, true) << QSizeF(41, 17) << line << u"smaller"_s;
    QTest::newRow("nine digits in a value cell") << u"100000000.00"_s << sans(10, true) << QSizeF(41, 17) << line << u"mark"_s;
    QTest::newRow("negative, cut it reads as another number") << u"-99999900.00"_s << sans(10) << QSizeF(41, 17) << line << u"mark"_s;
    QTest::newRow("eight digits in a narrow cell") << u"-12345678.00"_s << sans(10) << QSizeF(36, 17) << line << u"mark"_s;
    QTest::newRow("a total in exponent form") << u" 1.234568E+07"_s << sans(10) << QSizeF(30, 17) << line << u"mark"_s;
    QTest::newRow("a cell lower than its font") << u"123456789012"_s << sans(13) << QSizeF(30, 12) << line << u"smaller mark"_s;
    QTest::newRow("a number in a wrapping label") << u"-12345678.90"_s << sans(10) << QSizeF(36, 52) << wrap << u"mark"_s;
    QTest::newRow("an amount too long for its box")
        << u"1234567890123456789012345"_s << sans(10) << QSizeF(80, QWIDGETSIZE_MAX) << box << u"mark"_s;
    QTest::newRow("a caption stays cut at the floor")
        << u"Comparaison de votre entreprise à son industrie"_s << sans(10) << QSizeF(40, 12) << line << u"floor"_s;
    QTest::newRow("no computable ratio is no number") << u"..."_s << sans(10) << QSizeF(3, 17) << line << u"floor"_s;
    QTest::newRow("a code text is no number") << u"6421, 6422, 6423"_s << sans(10) << QSizeF(30, 17) << line << u"floor"_s;
    QTest::newRow("empty text") << QString() << sans(10) << QSizeF(1, 1) << line << u"own"_s;
}

void TestTextFit::shownText()
{
    QFETCH(QString, text);
    QFETCH(QFont, font);
    QFETCH(QSizeF, room);
    QFETCH(int, flags);
    QFETCH(QString, expected);
    const textfit::Shown shown = textfit::shownText(text, font, room, flags);
    const QString tag = shown.text + u" at "_s + QString::number(shown.font.pointSizeF());
    if (!expected.endsWith(u"mark")) {
        QVERIFY2(!shown.mark, qPrintable(tag));
        QCOMPARE(shown.text, text);
        QCOMPARE(shown.font, textfit::fittingFont(text, font, room, flags));
        if (expected == u"own")
            QCOMPARE(shown.font, font);
        else if (expected == u"smaller")
            QVERIFY2(shown.font.pointSizeF() < font.pointSizeF() && within(text, shown.font, room, flags), qPrintable(tag));
        else
            QVERIFY2(shown.font.pointSizeF() == textfit::kSmallestPointSize && !within(text, shown.font, room, flags), qPrintable(tag));
        return;
    }
    // The number does not fit at the smallest size; the mark does, as many of it as fit.
    QVERIFY(!within(text, atSize(font, textfit::kSmallestPointSize), room, flags));
    QVERIFY2(shown.mark, qPrintable(tag));
    QVERIFY(!shown.text.isEmpty());
    QCOMPARE(shown.text, QString(shown.text.size(), QChar(textfit::kMarkCharacter)));
    QVERIFY(!textfit::isNumber(shown.text));
    QVERIFY2(within(shown.text, shown.font, room, flags), qPrintable(tag));
    QVERIFY2(!within(shown.text + QChar(textfit::kMarkCharacter), shown.font, room, flags), qPrintable(tag));
    if (expected == u"mark") {
        QCOMPARE(shown.font, font);
        QVERIFY2(shown.text.size() >= 3, qPrintable(tag));
    } else {
        QVERIFY2(shown.font.pointSizeF() < font.pointSizeF(), qPrintable(tag));
        QVERIFY(!within(u"#"_s, atSize(shown.font, shown.font.pointSizeF() + textfit::kPointStep), room, flags));
    }
}

namespace {

enum class Kind { Label, Cell, Panel, Button, Option, Box, RightBox };

// A control of the kind on a window of the comparisons' colours, as the windows make them.
QWidget* makeControl(Kind kind, QWidget* window, const QString& text, const QFont& font, QSize size)
{
    QWidget* control = nullptr;
    switch (kind) {
    case Kind::Label: control = new kiv::Label(u"lblBetter"_s, window, text); break;
    case Kind::Cell: {
        auto* cell = new kiv::Label(u"lblMyNpm"_s, window, text);
        cell->setAlignment(Qt::AlignCenter);
        cell->setWordWrap(false);
        QPalette pal = cell->palette();
        pal.setColor(QPalette::Window, QColor(192, 192, 192));
        pal.setColor(QPalette::WindowText, Qt::black);
        cell->setPalette(pal);
        cell->setAutoFillBackground(true);
        control = cell;
        break;
    }
    case Kind::Panel: {
        auto* panel = new kiv::Panel3D(u"pnlTitle"_s, window);
        panel->setText(text);
        control = panel;
        break;
    }
    case Kind::Button: {
        auto* button = new kiv::CommandButton(u"CmdFontSize"_s, window);
        button->setText(text);
        control = button;
        break;
    }
    case Kind::Option: control = new kiv::OptionButton(u"optCompare"_s, window, text); break;
    case Kind::Box:
    case Kind::RightBox: {
        auto* box = new kiv::TextBox(u"txtCash"_s, window);
        box->setText(text);
        if (kind == Kind::RightBox)
            box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        control = box;
        break;
    }
    }
    control->setFont(font);
    control->setGeometry(QRect(QPoint(4, 4), size));
    return control;
}

std::unique_ptr<QWidget> tealWindow()
{
    auto window = std::make_unique<QWidget>();
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 128));
    pal.setColor(QPalette::WindowText, Qt::white);
    window->setPalette(pal);
    window->setAutoFillBackground(true);
    window->resize(400, 120);
    return window;
}

} // namespace

Q_DECLARE_METATYPE(Kind)

void TestTextFit::paintsTheFittedText_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("expected"); // "own", "smaller" or "mark"
    QTest::newRow("label that fits") << Kind::Label << u"Vos ratios"_s << sans(10) << QSize(112, 36) << u"own"_s;
    QTest::newRow("label, three lines in two lines' room")
        << Kind::Label << u"Votre entreprise est meilleur que _% des entreprises"_s << sans(10) << QSize(112, 36) << u"smaller"_s;
    QTest::newRow("value cell, five digits") << Kind::Cell << u"-12345.67"_s << sans(10, true) << QSize(41, 17) << u"smaller"_s;
    QTest::newRow("value cell, nine digits") << Kind::Cell << u"100000000.00"_s << sans(10, true) << QSize(41, 17) << u"mark"_s;
    QTest::newRow("panel") << Kind::Panel << u"Ratios de l'industrie"_s << sans(10) << QSize(90, 32) << u"smaller"_s;
    QTest::newRow("panel, a number") << Kind::Panel << u"-99999900.00"_s << sans(10) << QSize(40, 24) << u"mark"_s;
    QTest::newRow("button that fits") << Kind::Button << u"Aide"_s << sans(10) << QSize(100, 26) << u"own"_s;
    QTest::newRow("button at 13 points") << Kind::Button << u"Changer taille police"_s << sans(13) << QSize(121, 26) << u"smaller"_s;
    QTest::newRow("bold button") << Kind::Button << u"Rechercher"_s << sans(10, true) << QSize(68, 24) << u"smaller"_s;
    QTest::newRow("option that fits") << Kind::Option << u"View industry data"_s << sans(10) << QSize(200, 24) << u"own"_s;
    QTest::newRow("option") << Kind::Option << u"Comparer votre entreprise avec son industrie"_s << sans(10) << QSize(220, 22) << u"smaller"_s;
    QTest::newRow("value box that fits") << Kind::Box << u"123"_s << sans(10) << QSize(86, 21) << u"own"_s;
    QTest::newRow("value box at 13 points") << Kind::Box << u"123456789"_s << sans(13) << QSize(86, 21) << u"smaller"_s;
    QTest::newRow("value box to the right") << Kind::RightBox << u"-12345.67"_s << sans(13) << QSize(60, 21) << u"smaller"_s;
    QTest::newRow("value box, too long") << Kind::Box << u"1234567890123456789012345"_s << sans(10) << QSize(86, 21) << u"mark"_s;
}

// What each kind of control paints is its face with its text drawn as it fits: a paint path that
// draws at the control's own font, or draws the text where the mark belongs, shows here.
void TestTextFit::paintsTheFittedText()
{
    QFETCH(Kind, kind);
    QFETCH(QString, text);
    QFETCH(QFont, font);
    QFETCH(QSize, size);
    QFETCH(QString, expected);
    const std::unique_ptr<QWidget> window = tealWindow();
    QWidget* control = makeControl(kind, window.get(), text, font, size);
    QCOMPARE(control->font(), font);
    const QImage face = kivtest::facePicture(*control);
    const QImage want = kivtest::fittedPicture(*control);
    QVERIFY(!want.isNull());
    QVERIFY2(want != face, "the expected picture shows no text");
    const std::optional<QString> problem = kivtest::fittedPictureProblem(*control);
    QVERIFY2(!problem, qPrintable(problem.value_or(QString())));
    // The case is the one named: the text drawn at the control's own font, smaller, or the mark,
    // so that a control that paints at its own font or paints its whole number shows here.
    kiv::textfit::Shown shown;
    if (const auto* l = qobject_cast<const kiv::FittedLabel*>(control))
        shown = l->shown();
    else if (const auto* b = qobject_cast<const kiv::CommandButton*>(control))
        shown = b->shown();
    else if (const auto* o = qobject_cast<const kiv::OptionButton*>(control))
        shown = o->shown();
    else
        shown = static_cast<const kiv::TextBox*>(control)->shown();
    QCOMPARE(shown.mark, expected == u"mark");
    if (expected == u"own")
        QCOMPARE(shown.font, font);
    else if (expected == u"smaller")
        QVERIFY2(shown.font.pointSizeF() < font.pointSizeF(), qPrintable(QString::number(shown.font.pointSizeF())));
    // A label or box drawing the mark carries the whole number as its tooltip, once painted.
    if (kind != Kind::Button && kind != Kind::Option)
        QCOMPARE(control->toolTip(), expected == u"mark" ? text : QString());
}

// A value cell whose number does not fit shows the mark and carries the whole number as its
// tooltip; its text, which printouts and exports read, stays whole. A tooltip of its own comes
// back once its number fits again.
void TestTextFit::cellCarriesTheWholeNumber()
{
    const std::unique_ptr<QWidget> window = tealWindow();
    auto* cell = static_cast<kiv::Label*>(makeControl(Kind::Cell, window.get(), u"12.50"_s, sans(10, true), QSize(41, 17)));
    cell->setToolTip(u"Cash"_s);
    cell->grab();
    QCOMPARE(cell->toolTip(), u"Cash"_s);

    cell->setText(u"100000000.00"_s);
    QVERIFY(cell->shown().mark);
    const QImage shown = cell->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(shown, kivtest::fittedPicture(*cell));
    QCOMPARE(cell->toolTip(), u"100000000.00"_s);
    QCOMPARE(cell->text(), u"100000000.00"_s);

    // Asked for its tooltip before it was painted again, it has the new number.
    cell->setText(u"-99999900.00"_s);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), cell->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(cell, &help);
    QCOMPARE(cell->toolTip(), u"-99999900.00"_s);
    QCOMPARE(QToolTip::text(), u"-99999900.00"_s);
    QToolTip::hideText();

    cell->setText(u"12.50"_s);
    cell->grab();
    QCOMPARE(cell->toolTip(), u"Cash"_s);
    QCOMPARE(kivtest::fittedPictureProblem(*cell), std::optional<QString>());
}

// While the user types an amount too long for the box, the box shows the digits typed, scrolled
// to the caret, never the mark; once the box is left the mark stands for the amount.
void TestTextFit::boxBeingTypedInShowsNoMark()
{
    const std::unique_ptr<QWidget> window = tealWindow();
    auto* box = static_cast<kiv::TextBox*>(makeControl(Kind::Box, window.get(), QString(), sans(10), QSize(86, 21)));
    auto* other = makeControl(Kind::Button, window.get(), u"Aide"_s, sans(10), QSize(80, 26));
    other->move(200, 4);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    box->setFocus(Qt::TabFocusReason);
    QVERIFY(box->hasFocus());
    const QString digits = u"1234567890123456789012345"_s;
    for (const QChar digit : digits) {
        QTest::keyClick(box, digit.toLatin1());
        QVERIFY(!box->shown().mark);
        QCOMPARE(box->shown().font, box->font());
        box->grab();
        QVERIFY(box->toolTip().isEmpty());
    }
    QCOMPARE(box->text(), digits);
    const QImage typing = box->grab().toImage().convertToFormat(QImage::Format_ARGB32);

    other->setFocus(Qt::TabFocusReason);
    QVERIFY(box->shown().mark);
    const QImage left = box->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(left, kivtest::fittedPicture(*box));
    QCOMPARE(box->toolTip(), digits);

    box->setFocus(Qt::TabFocusReason);
    QVERIFY(!box->shown().mark);
    const QImage back = box->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(back != left);
    QVERIFY(box->toolTip().isEmpty());
    QCOMPARE(box->text(), digits);
    QVERIFY(typing != left);
}

// The label's font stays as set; only its drawing is smaller, and it is drawn as a label of
// the smaller font would be.
void TestTextFit::labelKeepsItsFontAndDrawsTheFit()
{
    const QString head = u"Votre entreprise est meilleur que _% des entreprises"_s;
    QWidget window;
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 128));
    pal.setColor(QPalette::WindowText, Qt::white);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
    window.resize(300, 100);
    auto* fitted = new kiv::Label(u"lblBetter"_s, &window, head);
    fitted->setAlignment(Qt::AlignCenter);
    fitted->setFont(sans(10));
    fitted->setGeometry(0, 0, 112, 36);
    QCOMPARE(fitted->font().pointSizeF(), 10.0);
    const QFont drawn = fitted->drawnFont();
    QVERIFY2(drawn.pointSizeF() < 10, qPrintable(QString::number(drawn.pointSizeF())));
    QCOMPARE(drawn.pointSizeF(), textfit::fittingPointSize(head, fitted->font(), fitted->textRoom().size(), kiv::labelTextFlags(*fitted)));

    auto* reference = new QLabel(head, &window);
    reference->setTextFormat(Qt::PlainText);
    reference->setWordWrap(true);
    reference->setAlignment(Qt::AlignCenter);
    reference->setFont(drawn);
    reference->setGeometry(150, 0, 112, 36);
    QCOMPARE(fitted->grab().toImage(), reference->grab().toImage());

    // A text that fits is drawn by the label itself, at its font.
    fitted->setText(u"Vos ratios"_s);
    QCOMPARE(fitted->drawnFont(), fitted->font());
}

// The font-size command sets a control's font; its caption is then fitted from that size.
void TestTextFit::chosenSizeIsFittedAgain()
{
    kiv::CommandButton button(u"CmdFontSize"_s, nullptr);
    button.setText(u"Changer taille police"_s);
    button.resize(121, 24);
    button.setFont(sans(8));
    QCOMPARE(button.drawnFont().pointSizeF(), 8.0);
    button.setFont(sans(13));
    const double drawn = button.drawnFont().pointSizeF();
    QVERIFY2(drawn > 8 && drawn < 13, qPrintable(QString::number(drawn)));
    QCOMPARE(button.font().pointSizeF(), 13.0);
    button.resize(400, 40);
    QCOMPARE(button.drawnFont().pointSizeF(), 13.0);
}

void TestTextFit::buttonsAndOptionsFitTheirCaptions_data()
{
    QTest::addColumn<bool>("option");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::newRow("button") << false << u"Retourner à l'écran de saisie des données"_s << QSize(200, 22);
    QTest::newRow("bold button") << false << u"Rechercher"_s << QSize(68, 24);
    QTest::newRow("option") << true << u"Comparer votre entreprise avec son industrie"_s << QSize(220, 22);
}

void TestTextFit::buttonsAndOptionsFitTheirCaptions()
{
    QFETCH(bool, option);
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    std::unique_ptr<QWidget> control;
    QFont drawn;
    QRect room;
    if (option) {
        auto* o = new kiv::OptionButton(u"optCompare"_s, nullptr, caption);
        control.reset(o);
        o->setFont(sans(10));
        o->resize(size);
        drawn = o->drawnFont();
        room = o->textRoom();
    } else {
        auto* b = new kiv::CommandButton(u"cmdReturn"_s, nullptr);
        control.reset(b);
        b->setText(caption);
        b->setFont(sans(10, QTest::currentDataTag() == QByteArray("bold button")));
        b->resize(size);
        drawn = b->drawnFont();
        room = b->textRoom();
    }
    QCOMPARE(control->font().pointSizeF(), 10.0);
    QVERIFY2(drawn.pointSizeF() < 10, qPrintable(QString::number(drawn.pointSizeF())));
    QVERIFY(control->rect().contains(room));
    // The caption keeps clear of the control's edge, where its frame or its mark is.
    QVERIFY(room.left() >= (option ? 14 : 4) && room.right() <= size.width() - 2);
    QVERIFY(within(caption, drawn, room.size(), Qt::AlignLeft | Qt::AlignVCenter));
}

// An amount too wide for its box reads whole while the user is not typing in it; typing, the
// box scrolls at its own font.
void TestTextFit::unfocusedBoxShowsItsWholeAmount()
{
    QWidget window;
    auto* box = new kiv::TextBox(u"txtOperatingRevenue"_s, &window);
    auto* other = new kiv::TextBox(u"txtSales"_s, &window);
    box->setFont(sans(13));
    box->setGeometry(0, 0, 86, 21);
    other->setGeometry(0, 30, 86, 21);
    box->setText(u"123456789"_s);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    const QFont drawn = box->drawnFont();
    QVERIFY2(drawn.pointSizeF() < 13, qPrintable(QString::number(drawn.pointSizeF())));
    QVERIFY(QFontMetricsF(drawn).horizontalAdvance(box->text()) <= box->textRoom().width());
    // Across only: a short amount keeps the box's size, however tall the font.
    box->setText(u"0"_s);
    QCOMPARE(box->drawnFont(), box->font());
    box->setText(u"123456789"_s);
    box->setFocus();
    QCOMPARE(box->drawnFont(), box->font());
    QCOMPARE(box->font().pointSizeF(), 13.0);
}

void TestTextFit::focusMarkStandsOut_data()
{
    QTest::addColumn<bool>("option");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    QTest::newRow("button") << false << QColor(0, 128, 128) << QColor(Qt::black);
    QTest::newRow("option on dark blue") << true << QColor(0, 0, 96) << QColor(Qt::white);
    QTest::newRow("option, yellow on navy") << true << QColor(0, 0, 128) << QColor(255, 255, 0);
    QTest::newRow("option, dark blue on grey") << true << QColor(192, 192, 192) << QColor(0, 0, 128);
}

void TestTextFit::focusMarkStandsOut()
{
    QFETCH(bool, option);
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    QWidget window;
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, background);
    pal.setColor(QPalette::WindowText, text);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
    window.resize(300, 80);
    QAbstractButton* control = option ? static_cast<QAbstractButton*>(new kiv::OptionButton(u"optView"_s, &window, u"View industry data"_s))
                                      : new kiv::CommandButton(u"cmdSearch"_s, &window);
    if (!option)
        control->setText(u"Search"_s);
    control->setGeometry(10, 10, 200, 30);
    auto* other = new kiv::CommandButton(u"cmdClear"_s, &window);
    other->setGeometry(10, 45, 100, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus(Qt::TabFocusReason);
    const QImage plain = control->grab().toImage();
    control->setFocus(Qt::TabFocusReason);
    QVERIFY(control->hasFocus());
    const QImage marked = control->grab().toImage();

    const std::optional<QString> problem = kivtest::focusMarkProblem(plain, marked);
    QVERIFY2(!problem, qPrintable(problem.value_or(QString())));
}

void TestTextFit::focusMarkKeepsClearOfTheCaption_data()
{
    QTest::addColumn<bool>("option");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QSize>("size");
    // The buttons of the ratio comparison at 800 x 600: a caption as tall as the button allows.
    QTest::newRow("font size command at 13 points") << false << u"Change font size"_s << sans(13) << QSize(133, 22);
    QTest::newRow("French, at 13 points") << false << u"Changer taille police"_s << sans(13) << QSize(133, 22);
    QTest::newRow("a descender at the default size") << false << u"View industry ratios"_s << sans(10) << QSize(400, 22);
    QTest::newRow("a low button") << false << u"Quality"_s << sans(10) << QSize(100, 18);
    QTest::newRow("option at 13 points") << true << u"Compare your firm to its industry"_s << sans(13) << QSize(320, 22);
    QTest::newRow("a low option") << true << u"Ratios de l'industrie"_s << sans(10) << QSize(200, 16);
}

// A focused button or option shows its mark beside its caption, never through it.
void TestTextFit::focusMarkKeepsClearOfTheCaption()
{
    QFETCH(bool, option);
    QFETCH(QString, caption);
    QFETCH(QFont, font);
    QFETCH(QSize, size);
    const std::unique_ptr<QWidget> window = tealWindow();
    QWidget* control = makeControl(option ? Kind::Option : Kind::Button, window.get(), caption, font, size);
    QWidget* other = makeControl(Kind::Button, window.get(), u"Aide"_s, sans(10), QSize(80, 26));
    other->move(4, 60);
    window->resize(std::max(size.width() + 8, 100), 100);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    other->setFocus(Qt::TabFocusReason);
    const QImage face = kivtest::facePicture(*control);
    const QImage plain = control->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(plain != face, "no caption drawn");
    control->setFocus(Qt::TabFocusReason);
    QVERIFY(control->hasFocus());
    const QImage marked = control->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const std::optional<QString> crossed = kivtest::focusMarkCrossesCaption(face, plain, marked);
    QVERIFY2(!crossed, qPrintable(crossed.value_or(QString())));
    const std::optional<QString> faint = kivtest::focusMarkProblem(plain, marked);
    QVERIFY2(!faint, qPrintable(faint.value_or(QString())));
}

KIV_TEST_MAIN(TestTextFit)
#include "tst_text_fit.moc"
