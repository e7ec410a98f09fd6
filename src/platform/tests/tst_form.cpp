// The windows' life: one current instance per window, loaded hidden on first use, shown with
// its activate and paint handlers, hidden with all its state, dropped for a new one, and the
// close box that ends the program.
#include "platform/controls.h"
#include "platform/form.h"
#include "test_support.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

class FrmProbe : public kiv::Form {
public:
    FrmProbe()
        : Form(u"frmProbe"_s)
    {
        setDesignSize(9600, 7200);
        txtAmount = addControl(new QLineEdit(this), kiv::fit::Kind::TextBox, 600, 600, 1200, 300);
        txtAmount->setObjectName(u"txtAmount"_s);
    }
    QLineEdit* txtAmount = nullptr;
    QStringList log;

    // A handler that ends the program half-way.
    void cmdQuit_Click()
    {
        log << u"quit"_s;
        kiv::End();
        log << u"after the end"_s;
    }

protected:
    void Form_Load() override { log << (isVisible() ? u"load, visible"_s : u"load"_s); }
    void Form_Activate() override { log << u"activate"_s; }
    void Form_Paint() override
    {
        log << u"paint"_s;
        setCaption(u"Probe"_s);
    }
};

// A full-screen window whose lowest control ends two pixels above its design bottom.
class FrmFullProbe : public kiv::Form {
public:
    FrmFullProbe()
        : Form(u"frmFullProbe"_s)
    {
        setDesignSize(9600, 7200);
        cmdContinue = addControl(new QLineEdit(this), kiv::fit::Kind::CommandButton, 8280, 6720, 1215, 450);
        cmdContinue->setObjectName(u"cmdContinue"_s);
    }
    QLineEdit* cmdContinue = nullptr;

protected:
    void Form_Load() override { FitFormToScreen(kiv::fit::Variant{}); }
};

} // namespace

KIV_FORM_ACCESSOR(FrmProbe, frmProbe)
KIV_FORM_ACCESSOR(FrmFullProbe, frmFullProbe)

class TestForm : public QObject {
    Q_OBJECT
private slots:
    void firstUseLoadsHidden();
    void showHideKeepState();
    void dropGivesANewInstance();
    void closeBoxEnds();
    void optionTakesClickAnywhere();
    void laidOutInsideTheFrame_data();
    void laidOutInsideTheFrame();
};

void TestForm::firstUseLoadsHidden()
{
    kivtest::Program program;
    QVERIFY(!frmProbe_Exists());
    frmProbe().txtAmount->setText(u"0"_s); // writing a control creates and loads the window
    QVERIFY(frmProbe_Exists());
    FrmProbe& w = frmProbe();
    QCOMPARE(w.log, QStringList{u"load"_s});
    QVERIFY(w.isLoaded());
    QVERIFY(!w.isVisible());
    QCOMPARE(w.Caption(), QString()); // texts come with the first showing
    QCOMPARE(&frmProbe(), &w);
    QCOMPARE(w.log.size(), 1); // loaded once
}

void TestForm::showHideKeepState()
{
    kivtest::Program program;
    FrmProbe& w = frmProbe();
    w.Show();
    QCOMPARE(w.log, (QStringList{u"load"_s, u"activate"_s, u"paint"_s}));
    QVERIFY(w.isVisible());
    QCOMPARE(w.Caption(), u"Probe"_s);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.txtAmount->setText(u"1234.5"_s);
    w.Hide();
    QVERIFY(!w.isVisible());
    w.log.clear();
    w.Show();
    QCOMPARE(w.log, (QStringList{u"activate"_s, u"paint"_s}));
    QCOMPARE(w.txtAmount->text(), u"1234.5"_s);
    QCOMPARE(&frmProbe(), &w);
}

void TestForm::dropGivesANewInstance()
{
    kivtest::Program program;
    FrmProbe* old = &frmProbe();
    old->Show();
    old->txtAmount->setText(u"99"_s);
    old->Hide();
    frmProbe_Drop();
    QVERIFY(!frmProbe_Exists());
    FrmProbe& fresh = frmProbe();
    QVERIFY(&fresh != old);
    QCOMPARE(fresh.log, QStringList{u"load"_s});
    QCOMPARE(fresh.txtAmount->text(), QString());
    QVERIFY(!fresh.isVisible());
}

void TestForm::closeBoxEnds()
{
    kivtest::Program program;
    FrmProbe& w = frmProbe();
    w.Show();
    KIV_VERIFY_ENDS(w.close());
    QVERIFY(program.dialogs.prompts().empty()); // no question
    w.log.clear();
    KIV_VERIFY_ENDS(w.cmdQuit_Click());
    QCOMPARE(w.log, QStringList{u"quit"_s}); // nothing after the end runs
}

// A wide option button is chosen by a click anywhere in it, also far right of its caption.
void TestForm::optionTakesClickAnywhere()
{
    QWidget frame;
    frame.resize(600, 60);
    kiv::OptionButton first(u"optView"_s, &frame, u"View"_s);
    kiv::OptionButton second(u"optCompare"_s, &frame, u"Compare"_s);
    first.setGeometry(0, 0, 600, 30);
    second.setGeometry(0, 30, 600, 30);
    first.setChecked(true);
    frame.show();
    QTest::mouseClick(&second, Qt::LeftButton, {}, QPoint(500, 15));
    QVERIFY(second.isChecked());
    QVERIFY(!first.isChecked());
}

void TestForm::laidOutInsideTheFrame_data()
{
    QTest::addColumn<QMargins>("atLoad");
    QTest::addColumn<QMargins>("atShow");
    QTest::addColumn<QRect>("client");
    const QMargins none;
    const QMargins tall(0, 40, 0, 0);
    const QMargins bordered(4, 30, 4, 8);
    QTest::newRow("no frame") << none << none << QRect(0, 0, 800, 600);
    QTest::newRow("title bar of 40 pixels, known at load") << tall << tall << QRect(0, 40, 800, 560);
    QTest::newRow("borders and title bar, known at load") << bordered << bordered << QRect(4, 30, 792, 562);
    // The window manager tells its frame once the first window is on the screen.
    QTest::newRow("title bar of 40 pixels, learned after load") << none << tall << QRect(0, 40, 800, 560);
    QTest::newRow("borders and title bar, learned after load") << none << bordered << QRect(4, 30, 792, 562);
    QTest::newRow("frame gone after load") << tall << none << QRect(0, 0, 800, 600);
}

// A full-screen window is laid out on the screen less the window manager's frame: its lowest
// control ends inside the area the window gets, as far from its bottom as the design says.
void TestForm::laidOutInsideTheFrame()
{
    QFETCH(QMargins, atLoad);
    QFETCH(QMargins, atShow);
    QFETCH(QRect, client);
    kivtest::Program program(QSizeF(12000, 9000)); // 800 x 600 pixels
    kiv::setWindowFrameMargins(atLoad);
    FrmFullProbe& w = frmFullProbe();
    if (atShow == atLoad)
        QCOMPARE(w.geometry(), client);
    kiv::setWindowFrameMargins(atShow);
    w.Show();
    QCOMPARE(w.fittedArea(), QSizeF(client.width() * 15.0, client.height() * 15.0));
    const QRect button = w.cmdContinue->geometry();
    QVERIFY2(QRect(QPoint(0, 0), client.size()).contains(button), qPrintable(u"%1,%2 %3x%4"_s.arg(button.x()).arg(button.y()).arg(button.width()).arg(button.height())));
    // Positions and sizes are their design values times the client area over the design size.
    const double rW = client.width() * 15.0 / 9600;
    const double rH = client.height() * 15.0 / 7200;
    QCOMPARE(button, QRect(qRound(8280 * rW / 15), qRound(6720 * rH / 15), qRound(1215 * rW / 15), qRound(450 * rH / 15)));
}

KIV_TEST_MAIN(TestForm)
#include "tst_form.moc"
