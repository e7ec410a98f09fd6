// A caption too wide or too tall for its control is drawn smaller, as far as needed and no
// further, down to a readable floor, in that control only; the control keeps its font. A focused
// button or option button shows a dotted mark that stands out on its background.
#include "platform/controls.h"
#include "platform/text_fit.h"
#include "test_support.h"

#include <QFontMetricsF>
#include <QPainter>

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
    void labelKeepsItsFontAndDrawsTheFit();
    void chosenSizeIsFittedAgain();
    void buttonsAndOptionsFitTheirCaptions_data();
    void buttonsAndOptionsFitTheirCaptions();
    void unfocusedBoxShowsItsWholeAmount();
    void focusMarkStandsOut_data();
    void focusMarkStandsOut();
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

KIV_TEST_MAIN(TestTextFit)
#include "tst_text_fit.moc"
