#include "platform/fit_to_screen.h"
#include "test_support.h"

using namespace kiv::fit;

class TestFitToScreen : public QObject {
    Q_OBJECT
private slots:
    void ratiosAndFormSize_data();
    void ratiosAndFormSize();
    void kindsAndFontRules();
    void onlyListedControls();
};

void TestFitToScreen::ratiosAndFormSize_data()
{
    QTest::addColumn<double>("screenW");
    QTest::addColumn<double>("screenH");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("rW");
    QTest::addColumn<double>("rH");
    QTest::newRow("design size") << 9600.0 << 7200.0 << 1.0 << 1.0 << 1.0;
    QTest::newRow("double size") << 19200.0 << 14400.0 << 1.0 << 2.0 << 2.0;
    QTest::newRow("report window height") << 19200.0 << 14400.0 << 0.95 << 2.0 << 1.9;
    // Wider than a 16-bit twips value: 3840 pixels.
    QTest::newRow("beyond 16 bits") << 57600.0 << 32400.0 << 1.0 << 6.0 << 4.5;
}

void TestFitToScreen::ratiosAndFormSize()
{
    QFETCH(double, screenW);
    QFETCH(double, screenH);
    QFETCH(double, factor);
    QFETCH(double, rW);
    QFETCH(double, rH);
    std::vector<Item> items(1);
    items[0].kind = Kind::Label;
    items[0].left = 100;
    items[0].top = 200;
    items[0].width = 300;
    items[0].height = 400;
    Variant v;
    v.heightFactor = factor;
    const Result r = fitToScreen(items, screenW, screenH, 9600, 7200, v);
    QCOMPARE(r.rW, rW);
    QCOMPARE(r.rH, rH);
    QCOMPARE(r.formWidth, screenW);
    QCOMPARE(r.formHeight, screenH);
    QCOMPARE(items[0].left, float(100 * rW));
    QCOMPARE(items[0].top, float(200 * rH));
    QCOMPARE(items[0].width, float(300 * rW));
    QCOMPARE(items[0].height, float(400 * rH));
}

void TestFitToScreen::kindsAndFontRules()
{
    std::vector<Item> items(5);
    items[0] = {QStringLiteral("cbo"), Kind::ComboBox, 100, 100, 1000, 300, 0, 0, 0, 0, 8, true};
    items[1] = {QStringLiteral("shp"), Kind::Shape, 100, 100, 1000, 300, 0, 0, 0, 0, 0, false};
    items[2] = {QStringLiteral("lin"), Kind::Line, 0, 0, 0, 0, 10, 20, 30, 40, 0, false};
    items[3] = {QStringLiteral("dlg"), Kind::CommonDialog, 50, 50, 0, 0, 0, 0, 0, 0, 0, false};
    items[4] = {QStringLiteral("lbl"), Kind::Label, 100, 100, 1000, 300, 0, 0, 0, 0, 8.25, true};
    Variant v;
    v.font = {FontRule::Fixed, 10};
    v.kinds = {{Kind::ComboBox, KindRule::Action::MoveOnly, std::nullopt},
               {Kind::CommonDialog, KindRule::Action::Skip, std::nullopt}};
    fitToScreen(items, 19200, 21600, 9600, 7200, v); // rW 2, rH 3
    QCOMPARE(items[0].left, 200.0f);
    QCOMPARE(items[0].top, 300.0f);
    QCOMPARE(items[0].width, 1000.0f); // moved only
    QCOMPARE(items[0].fontSize, 8.0f);
    QCOMPARE(items[1].left, 200.0f);
    QCOMPARE(items[1].top, 300.0f);
    QCOMPARE(items[1].width, 2000.0f);
    QCOMPARE(items[1].height, 900.0f);
    QCOMPARE(items[2].x1, 20.0f);
    QCOMPARE(items[2].y1, 60.0f);
    QCOMPARE(items[2].x2, 60.0f);
    QCOMPARE(items[2].y2, 120.0f);
    QCOMPARE(items[3].left, 50.0f); // skipped
    QCOMPARE(items[4].fontSize, 10.0f);
}

void TestFitToScreen::onlyListedControls()
{
    std::vector<Item> items(3);
    items[0] = {QStringLiteral("Label1"), Kind::Label, 100, 100, 1000, 300, 0, 0, 0, 0, 20.5f, true};
    items[1] = {QStringLiteral("Other"), Kind::Label, 100, 100, 1000, 300, 0, 0, 0, 0, 10, true};
    items[2] = {QStringLiteral("Image1"), Kind::Image, 100, 100, 1000, 300, 0, 0, 0, 0, 0, false};
    Variant v;
    v.kinds = {{Kind::Label, KindRule::Action::Scale, Font{FontRule::ScaleInt, 0}}};
    v.only = {QStringLiteral("Image1"), QStringLiteral("Label1")};
    fitToScreen(items, 9600, 7200, 9600, 7200, v);
    QCOMPARE(items[0].fontSize, 20.0f); // Int of the size: the fraction goes
    QCOMPARE(items[1].fontSize, 10.0f); // not listed: untouched
    fitToScreen(items, 19200, 7200, 9600, 7200, v);
    QCOMPARE(items[0].fontSize, 40.0f);
    QCOMPARE(items[0].width, 2000.0f);
    QCOMPARE(items[1].width, 1000.0f);
    QCOMPARE(items[2].width, 2000.0f);
}

KIV_TEST_MAIN(TestFitToScreen)
#include "tst_fit_to_screen.moc"
