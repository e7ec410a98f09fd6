// Every full-screen window fills the screen when it loads and stretches its controls by the
// screen-to-design ratios, each window by its own rule for fonts and for the kinds of control
// it treats apart.
#include "balancesheet/frm_my_balance_sheet.h"
#include "industry/frm_crystal_report.h"
#include "industry/frm_ind_definitions.h"
#include "industry/frm_startup.h"
#include "ratios/frm_my_ratios.h"
#include "ratios3/frm_my_ratios_v3.h"
#include "shell/frm_intr_about.h"
#include "shell/frm_menuselect.h"
#include "shell/frm_start_menu.h"
#include "shell_fixture.h"
#include "values/frm_my_values.h"
#include "values3/frm_my_values_v3.h"

#include <cmath>
#include <functional>
#include <memory>

using kiv::fit::Item;
using kiv::fit::Kind;

namespace {

// What a window's rule does to one control's font after scaling it.
enum class FontRule { Keep, Ten, Twelve, TimesRw, IntTimesRw, None };

struct WindowRule {
    std::function<std::unique_ptr<kiv::Form>()> design; // an instance as designed, never loaded
    std::function<kiv::Form&()> current;               // the program's instance, loaded on use
    double heightFactor = 1.0;
    bool comboMovedOnly = false;
    std::function<FontRule(const Item&)> font;
    bool needsEdition = false;
};

template <class T>
std::function<std::unique_ptr<kiv::Form>()> designOf()
{
    return [] { return std::make_unique<T>(); };
}

const std::map<QString, WindowRule>& rules()
{
    static const std::map<QString, WindowRule> all = [] {
        std::map<QString, WindowRule> r;
        r[QStringLiteral("frmStartMenu")] = {designOf<FrmStartMenu>(), [] () -> kiv::Form& { return frmStartMenu(); }, 1.0, false,
                                             [](const Item& it) {
                                                 return it.kind == Kind::Label || it.kind == Kind::Button3D ? FontRule::IntTimesRw : FontRule::None;
                                             }};
        r[QStringLiteral("frmMenuselect")] = {designOf<FrmMenuselect>(), [] () -> kiv::Form& { return frmMenuselect(); }, 1.0, false,
                                              [](const Item&) { return FontRule::Keep; }};
        r[QStringLiteral("frmIntrAbout")] = {designOf<FrmIntrAbout>(), [] () -> kiv::Form& { return frmIntrAbout(); }, 1.0, false,
                                             [](const Item&) { return FontRule::TimesRw; }};
        r[QStringLiteral("frmStartup")] = {designOf<FrmStartup>(), [] () -> kiv::Form& { return frmStartup(); }, 1.0, true,
                                           [](const Item&) { return FontRule::Ten; }, true};
        r[QStringLiteral("frmIndDefinitions")] = {designOf<FrmIndDefinitions>(), [] () -> kiv::Form& { return frmIndDefinitions(); }, 1.0, false,
                                                  [](const Item& it) { return it.kind == Kind::CommandButton ? FontRule::Twelve : FontRule::Keep; }};
        r[QStringLiteral("frmCrystalReport")] = {designOf<FrmCrystalReport>(), [] () -> kiv::Form& { return frmCrystalReport(); }, 0.95, false,
                                                 [](const Item&) { return FontRule::Ten; }};
        r[QStringLiteral("frmMyValues")] = {designOf<FrmMyValues>(), [] () -> kiv::Form& { return frmMyValues(); }, 1.0, false,
                                            [](const Item&) { return FontRule::Ten; }};
        r[QStringLiteral("frmMyRatios")] = {designOf<FrmMyRatios>(), [] () -> kiv::Form& { return frmMyRatios(); }, 0.95, false,
                                            [](const Item&) { return FontRule::Ten; }};
        r[QStringLiteral("frmMyBalanceSheet")] = {designOf<FrmMyBalanceSheet>(), [] () -> kiv::Form& { return frmMyBalanceSheet(); }, 0.95, false,
                                                  [](const Item&) { return FontRule::Ten; }};
        r[QStringLiteral("frmMyValuesV3")] = {designOf<FrmMyValuesV3>(), [] () -> kiv::Form& { return frmMyValuesV3(); }, 1.0, false,
                                              [](const Item&) { return FontRule::Ten; }};
        r[QStringLiteral("frmMyRatiosV3")] = {designOf<FrmMyRatiosV3>(), [] () -> kiv::Form& { return frmMyRatiosV3(); }, 1.0, false,
                                              [](const Item&) { return FontRule::Ten; }};
        return r;
    }();
    return all;
}

bool same(float actual, double expected)
{
    return actual == static_cast<float>(expected) || qFuzzyCompare(actual, static_cast<float>(expected));
}

} // namespace

class TestFullScreen : public QObject {
    Q_OBJECT
private slots:
    void controlsFollowTheScreen_data();
    void controlsFollowTheScreen();
};

void TestFullScreen::controlsFollowTheScreen_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<double>("scaleW");
    QTest::addColumn<double>("scaleH");
    QTest::addColumn<QSize>("pixels");   // when given, the screen's size instead of the scales
    QTest::addColumn<QMargins>("frame"); // the window manager's frame around a full-screen window
    struct Screen {
        const char* name;
        double scaleW, scaleH;
        QSize pixels;
        QMargins frame;
    };
    const Screen screens[] = {
        {"design size", 1.0, 1.0, {}, {}},
        {"double size", 2.0, 2.0, {}, {}},
        // Wider than 32,767 twips (3840 pixels for the 800-pixel windows).
        {"beyond 16 bits", 4.8, 3.6, {}, {}},
        // The window gets the screen less the title bar, or less borders too.
        {"800 x 600 under a title bar of 40 pixels", 0, 0, QSize(800, 600), QMargins(0, 40, 0, 0)},
        {"1024 x 768 framed all round", 0, 0, QSize(1024, 768), QMargins(4, 36, 4, 8)},
    };
    for (const auto& [name, rule] : rules())
        for (const Screen& screen : screens)
            QTest::addRow("%s, %s", qPrintable(name), screen.name) << name << screen.scaleW << screen.scaleH << screen.pixels << screen.frame;
}

void TestFullScreen::controlsFollowTheScreen()
{
    QFETCH(QString, window);
    QFETCH(double, scaleW);
    QFETCH(double, scaleH);
    QFETCH(QSize, pixels);
    QFETCH(QMargins, frame);
    const WindowRule& rule = rules().at(window);
    const std::unique_ptr<kiv::Form> design = rule.design();
    const QSizeF whole = pixels.isValid() ? QSizeF(pixels.width() * 15.0, pixels.height() * 15.0)
                                          : QSizeF(design->designWidth() * scaleW, design->designHeight() * scaleH);
    shelltest::ShellProgram program(whole);
    kiv::setWindowFrameMargins(frame);
    if (rule.needsEdition)
        kivtest::useSampleEdition(program);
    kiv::Form& form = rule.current();
    QVERIFY(form.isLoaded());
    QVERIFY(!form.isVisible());

    // The window takes the whole screen less the frame; its controls are laid out on rW and rH
    // of that area.
    const QSizeF screen(whole.width() - (frame.left() + frame.right()) * 15.0, whole.height() - (frame.top() + frame.bottom()) * 15.0);
    const double rW = std::round(screen.width()) / std::round(design->designWidth());
    const double rH = std::round(screen.height()) / std::round(design->designHeight()) * rule.heightFactor;
    QCOMPARE(form.geometry(), QRect(frame.left(), frame.top(), qRound(screen.width() / 15), qRound(screen.height() / 15)));

    const std::vector<Item> before = design->items();
    const std::vector<Item> after = form.items();
    QCOMPARE(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const Item& b = before[i];
        const Item& a = after[i];
        const QByteArray name = (window + u'.' + b.name).toUtf8();
        QCOMPARE(a.name, b.name);
        if (b.kind == Kind::CommonDialog || b.kind == Kind::ReportControl) {
            QVERIFY2(a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height, name);
            continue;
        }
        if (b.kind == Kind::Line) {
            QVERIFY2(same(a.x1, b.x1 * rW) && same(a.x2, b.x2 * rW), name);
            QVERIFY2(same(a.y1, b.y1 * rH) && same(a.y2, b.y2 * rH), name);
            continue;
        }
        QVERIFY2(same(a.left, b.left * rW), name + " left");
        QVERIFY2(same(a.top, b.top * rH), name + " top");
        const bool movedOnly = rule.comboMovedOnly && b.kind == Kind::ComboBox;
        // The industry selection then widens its two lists to the screen (their own rule).
        if (window == u"frmStartup" && b.name == u"cboSector")
            QVERIFY2(same(a.width, screen.width() / 2), name);
        else if (window == u"frmStartup" && b.name == u"cboIndustry")
            QVERIFY2(same(a.width, screen.width() * 0.9), name);
        else
            QVERIFY2(same(a.width, movedOnly ? b.width : b.width * rW), name + " width");
        QVERIFY2(same(a.height, movedOnly ? b.height : b.height * rH), name + " height");

        if (!b.hasFont || b.kind == Kind::Shape || b.kind == Kind::Image)
            continue;
        double font = b.fontSize;
        if (window == u"frmStartup" && b.name == u"Label1")
            font = 18; // the title, set after the scaling
        else if (!movedOnly) {
            switch (rule.font(b)) {
            case FontRule::Keep:
            case FontRule::None: break;
            case FontRule::Ten: font = 10; break;
            case FontRule::Twelve: font = 12; break;
            case FontRule::TimesRw: font = static_cast<float>(b.fontSize * rW); break;
            case FontRule::IntTimesRw: font = std::floor(b.fontSize * rW); break;
            }
        }
        QVERIFY2(same(a.fontSize, font), name + " font " + QByteArray::number(a.fontSize) + " instead of " + QByteArray::number(font));
    }

    // Every control shows what its record says, inside its window or frame: the lowest ones
    // end inside the area the window gets.
    for (QWidget* w : form.findChildren<QWidget*>()) {
        const Item* item = form.item(w);
        if (!item || item->kind == Kind::Line)
            continue;
        const QString where = window + u'.' + w->objectName();
        // The one-year entry window's spare box lies beyond its right edge by design.
        if (!w->isHidden() && w->objectName() != u"txtTotAssets") {
            QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(where));
            QVERIFY2(form.rect().contains(QRect(w->mapTo(&form, QPoint(0, 0)), w->size())), qPrintable(where));
        }
        if (item->hasFont && item->fontSize > 0)
            QVERIFY2(w->font().pointSizeF() == double(item->fontSize), qPrintable(where));
    }
}

KIV_TEST_MAIN(TestFullScreen)
#include "tst_full_screen.moc"
