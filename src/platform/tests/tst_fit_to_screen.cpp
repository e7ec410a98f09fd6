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
    void refitFollowsTheNewArea_data();
    void refitFollowsTheNewArea();
    void clientAreaLeavesTheFrame();
    void placeWithinTheArea_data();
    void placeWithinTheArea();
    void frameOfAFullScreenWindow_data();
    void frameOfAFullScreenWindow();
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

namespace {
std::vector<Item> sampleControls()
{
    return {{QStringLiteral("cbo"), Kind::ComboBox, 120, 6600, 3000, 315, 0, 0, 0, 0, 8, true},
            {QStringLiteral("shp"), Kind::Shape, 100, 900, 9000, 3000, 0, 0, 0, 0, 0, false},
            {QStringLiteral("lin"), Kind::Line, 0, 0, 0, 0, 10, 20, 9500, 7100, 0, false},
            {QStringLiteral("dlg"), Kind::CommonDialog, 50, 50, 0, 0, 0, 0, 0, 0, 0, false},
            {QStringLiteral("lbl"), Kind::Label, 600, 6705, 1215, 375, 0, 0, 0, 0, 8.25, true},
            {QStringLiteral("cmd"), Kind::CommandButton, 8280, 6720, 1215, 450, 0, 0, 0, 0, 8.25, true}};
}
} // namespace

void TestFitToScreen::refitFollowsTheNewArea_data()
{
    QTest::addColumn<QSizeF>("first");
    QTest::addColumn<QSizeF>("then");
    QTest::addColumn<double>("factor");
    QTest::addColumn<bool>("listed");
    // 800 x 600 pixels, then under a title bar of 19 or 40 pixels, or with borders too.
    QTest::newRow("title bar of 19 pixels") << QSizeF(12000, 9000) << QSizeF(12000, 8715) << 1.0 << false;
    QTest::newRow("title bar of 40 pixels") << QSizeF(12000, 9000) << QSizeF(12000, 8400) << 1.0 << false;
    QTest::newRow("borders and title bar") << QSizeF(12000, 9000) << QSizeF(11880, 8280) << 1.0 << false;
    QTest::newRow("report window's height factor") << QSizeF(12000, 9000) << QSizeF(12000, 8400) << 0.95 << false;
    QTest::newRow("listed controls only") << QSizeF(12000, 9000) << QSizeF(12000, 8400) << 1.0 << true;
    QTest::newRow("a larger area again") << QSizeF(12000, 8400) << QSizeF(19200, 15360) << 1.0 << false;
}

// Laid out on one area and then on another, every position and size is what a layout on the
// second area gives at once; fonts stay as the first layout set them.
void TestFitToScreen::refitFollowsTheNewArea()
{
    QFETCH(QSizeF, first);
    QFETCH(QSizeF, then);
    QFETCH(double, factor);
    QFETCH(bool, listed);
    Variant v;
    v.heightFactor = factor;
    v.font = {FontRule::Scale, 0};
    v.kinds = {{Kind::ComboBox, KindRule::Action::MoveOnly, std::nullopt},
               {Kind::CommonDialog, KindRule::Action::Skip, std::nullopt}};
    if (listed)
        v.only = {QStringLiteral("cmd"), QStringLiteral("lbl")};
    std::vector<Item> refitted = sampleControls();
    const Result firstFit = fitToScreen(refitted, first.width(), first.height(), 9600, 7200, v);
    const std::vector<Item> fonts = refitted;
    const Result r = refitToArea(refitted, first.width(), first.height(), then.width(), then.height(), v);
    QCOMPARE(r.formWidth, then.width());
    QCOMPARE(r.formHeight, then.height());
    QCOMPARE(r.rW, then.width() / first.width());
    QCOMPARE(r.rH, then.height() / first.height());
    std::vector<Item> direct = sampleControls();
    fitToScreen(direct, then.width(), then.height(), 9600, 7200, v);
    QCOMPARE(refitted.size(), direct.size());
    for (std::size_t i = 0; i < direct.size(); ++i) {
        const Item& a = refitted[i];
        const Item& b = direct[i];
        const QByteArray name = a.name.toUtf8();
        for (const auto& [got, want] : {std::pair{a.left, b.left}, std::pair{a.top, b.top}, std::pair{a.width, b.width},
                                        std::pair{a.height, b.height}, std::pair{a.x1, b.x1}, std::pair{a.y1, b.y1},
                                        std::pair{a.x2, b.x2}, std::pair{a.y2, b.y2}})
            QVERIFY2(std::abs(got - want) < 0.01f, name + ": " + QByteArray::number(got) + " instead of " + QByteArray::number(want));
        QCOMPARE(a.fontSize, fonts[i].fontSize);
    }
    // The lowest control ends inside the new area as it did inside the first.
    const Item& button = refitted[5];
    QVERIFY(button.top + button.height <= then.height());
    QVERIFY(firstFit.formHeight == first.height());
}

void TestFitToScreen::clientAreaLeavesTheFrame()
{
    QCOMPARE(clientArea(QSizeF(12000, 9000), QMargins()), QSizeF(12000, 9000));
    QCOMPARE(clientArea(QSizeF(12000, 9000), QMargins(0, 40, 0, 0)), QSizeF(12000, 8400));
    QCOMPARE(clientArea(QSizeF(12000, 9000), QMargins(4, 30, 4, 8)), QSizeF(11880, 8430));
    // A frame larger than the screen leaves a pixel, not a negative size.
    QCOMPARE(clientArea(QSizeF(150, 150), QMargins(0, 40, 0, 0)), QSizeF(150, 15));
}

void TestFitToScreen::placeWithinTheArea_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("wanted");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QRect>("placed");
    QTest::newRow("room for all of it") << QRect(0, 0, 1280, 1024) << QSize(760, 680) << QMargins(1, 20, 1, 5)
                                        << QRect(260, 179, 760, 680);
    QTest::newRow("too tall for 800 x 600") << QRect(0, 0, 800, 600) << QSize(760, 680) << QMargins(1, 20, 1, 5)
                                            << QRect(20, 20, 760, 575);
    QTest::newRow("too tall under a tall title bar") << QRect(0, 0, 800, 600) << QSize(760, 680) << QMargins(4, 40, 4, 8)
                                                     << QRect(20, 40, 760, 552);
    QTest::newRow("too wide and too tall") << QRect(0, 0, 640, 480) << QSize(760, 680) << QMargins(1, 20, 1, 5)
                                           << QRect(1, 20, 638, 455);
    QTest::newRow("an area below a panel") << QRect(0, 30, 800, 570) << QSize(760, 680) << QMargins(0, 19, 0, 0)
                                           << QRect(20, 49, 760, 551);
}

void TestFitToScreen::placeWithinTheArea()
{
    QFETCH(QRect, area);
    QFETCH(QSize, wanted);
    QFETCH(QMargins, frame);
    QFETCH(QRect, placed);
    const QRect client = placeWithin(area, wanted, frame);
    QCOMPARE(client, placed);
    QVERIFY(area.contains(client.marginsAdded(frame)));
}

void TestFitToScreen::frameOfAFullScreenWindow_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("client");
    QTest::addColumn<QMargins>("told");
    QTest::addColumn<std::optional<QMargins>>("frame");
    const QRect left(0, 0, 1024, 768);
    const QRect right(1024, 0, 1280, 1024);
    QTest::newRow("title bar told") << left << QRect(0, 19, 1024, 749) << QMargins(0, 19, 0, 0)
                                    << std::optional<QMargins>(QMargins(0, 19, 0, 0));
    QTest::newRow("borders and title bar told") << left << QRect(4, 30, 1016, 730) << QMargins(4, 30, 4, 8)
                                                << std::optional<QMargins>(QMargins(4, 30, 4, 8));
    // The window manager tells another frame than the one that fills the screen.
    QTest::newRow("other frame told: all of it title bar") << left << QRect(0, 25, 1020, 743) << QMargins(1, 20, 1, 5)
                                                          << std::optional<QMargins>(QMargins(0, 25, 4, 0));
    QTest::newRow("on the screen on the right") << right << QRect(1024, 19, 1280, 1005) << QMargins(0, 19, 0, 0)
                                                << std::optional<QMargins>(QMargins(0, 19, 0, 0));
    QTest::newRow("below a panel") << QRect(0, 30, 800, 570) << QRect(0, 49, 800, 551) << QMargins(0, 19, 0, 0)
                                   << std::optional<QMargins>(QMargins(0, 19, 0, 0));
    // Maximised over both screens, or on the other one: no frame of the screen's.
    QTest::newRow("spread over two screens") << left << QRect(0, 19, 2304, 1005) << QMargins(0, 19, 0, 0) << std::optional<QMargins>();
    QTest::newRow("on the larger screen beside") << left << QRect(1024, 19, 1280, 1005) << QMargins(0, 19, 0, 0)
                                                 << std::optional<QMargins>();
    QTest::newRow("larger than the screen, at its corner") << left << QRect(0, 0, 1280, 1005) << QMargins(0, 19, 0, 0)
                                                           << std::optional<QMargins>();
    QTest::newRow("on the smaller screen beside") << right << QRect(0, 19, 1024, 749) << QMargins(0, 19, 0, 0)
                                                  << std::optional<QMargins>();
    // Within the screen but far from filling it: no frame is that large.
    QTest::newRow("half the screen") << right << QRect(1024, 19, 640, 1005) << QMargins(0, 19, 0, 0) << std::optional<QMargins>();
    QTest::newRow("title bar of a third of the screen") << left << QRect(0, 256, 1024, 512) << QMargins(0, 19, 0, 0)
                                                        << std::optional<QMargins>();
    QTest::newRow("a quarter down is still a frame") << left << QRect(0, 192, 1024, 576) << QMargins(0, 19, 0, 0)
                                                     << std::optional<QMargins>(QMargins(0, 192, 0, 0));
    QTest::newRow("no client") << left << QRect() << QMargins() << std::optional<QMargins>();
}

// What a full-screen window teaches of the window manager's frame on its screen.
void TestFitToScreen::frameOfAFullScreenWindow()
{
    QFETCH(QRect, area);
    QFETCH(QRect, client);
    QFETCH(QMargins, told);
    QFETCH(std::optional<QMargins>, frame);
    QCOMPARE(fullScreenFrame(area, client, told), frame);
}

KIV_TEST_MAIN(TestFitToScreen)
#include "tst_fit_to_screen.moc"
