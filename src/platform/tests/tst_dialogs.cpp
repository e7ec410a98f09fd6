// Message and input boxes: what the program asks goes through one seam, and the real boxes
// show the buttons of the style in the user's language and answer with the button pressed.
#include "platform/controls.h"
#include "platform/qt_dialogs.h"
#include "test_support.h"

#include <QDialogButtonBox>
#include <QScreen>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Runs `act` on the modal box once it is open.
template <class Box>
void whenOpen(std::function<void(Box*)> act)
{
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
        QVERIFY2(box, "no box is open");
        act(box);
    });
}

QStringList buttonTexts(const QWidget* box)
{
    QStringList texts;
    for (const QAbstractButton* b : box->findChildren<QAbstractButton*>())
        if (b->isVisible())
            texts << b->text();
    texts.sort();
    return texts;
}

QAbstractButton* buttonNamed(QWidget* box, const QString& text)
{
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
        if (b->isVisible() && b->text() == text)
            return b;
    return nullptr;
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void seamGivesTheApplicationTitle();
    void messageBox_data();
    void messageBox();
    void inputBox_data();
    void inputBox();
    void inputBoxShowsALongDefault();
    void inputBoxShowsTheStartOfItsDefault_data();
    void inputBoxShowsTheStartOfItsDefault();
    void textsShownAsWritten();
    void boxesAsWideAsTheirTitles_data();
    void boxesAsWideAsTheirTitles();
};

void TestDialogs::seamGivesTheApplicationTitle()
{
    kivtest::Program program;
    program.dialogs.answer(kiv::vbNo);
    program.dialogs.answer(kiv::vbOK);
    program.dialogs.answerInput(u"12"_s);
    QCOMPARE(kiv::MsgBox(u"Do you want to exit ?"_s, kiv::vbYesNo + kiv::vbQuestion, u"Kivob"_s), int(kiv::vbNo));
    QCOMPARE(kiv::MsgBox(u"Saved"_s), int(kiv::vbOK));
    QCOMPARE(kiv::InputBox(u"Font size"_s, QString(), u"10"_s), u"12"_s);
    const std::vector<kivtest::Prompt>& asked = program.dialogs.prompts();
    QCOMPARE(asked.size(), std::size_t(3));
    QCOMPARE(asked[0].title, u"Kivob"_s);
    QCOMPARE(asked[0].style, int(kiv::vbYesNo + kiv::vbQuestion));
    QCOMPARE(asked[1].title, u"Kiv_2000"_s);
    QCOMPARE(asked[1].style, int(kiv::vbOKOnly));
    QCOMPARE(asked[2].title, u"Kiv_2000"_s);
    QCOMPARE(asked[2].defaultText, u"10"_s);
}

void TestDialogs::messageBox_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("press"); // empty: the Escape key
    QTest::addColumn<int>("result");
    using M = QMessageBox;
    QTest::newRow("OK, English") << int(kiv::vbOKOnly) << 0 << QStringList{u"OK"_s} << int(M::NoIcon) << u"OK"_s << int(kiv::vbOK);
    QTest::newRow("OK, information, French")
        << int(kiv::vbOKOnly + kiv::vbInformation) << 1 << QStringList{u"OK"_s} << int(M::Information) << u"OK"_s << int(kiv::vbOK);
    QTest::newRow("OK, Escape") << int(kiv::vbOKOnly + kiv::vbExclamation) << 0 << QStringList{u"OK"_s} << int(M::Warning) << QString()
                                << int(kiv::vbOK);
    QTest::newRow("Yes/No, English, Yes")
        << int(kiv::vbYesNo + kiv::vbQuestion) << 0 << QStringList{u"No"_s, u"Yes"_s} << int(M::Question) << u"Yes"_s << int(kiv::vbYes);
    QTest::newRow("Yes/No, French, Oui")
        << int(kiv::vbYesNo + kiv::vbQuestion) << 1 << QStringList{u"Non"_s, u"Oui"_s} << int(M::Question) << u"Oui"_s << int(kiv::vbYes);
    QTest::newRow("Yes/No, French, Non")
        << int(kiv::vbYesNo + kiv::vbQuestion) << 1 << QStringList{u"Non"_s, u"Oui"_s} << int(M::Question) << u"Non"_s << int(kiv::vbNo);
    QTest::newRow("Yes/No, Escape is No")
        << int(kiv::vbYesNo + kiv::vbQuestion) << 1 << QStringList{u"Non"_s, u"Oui"_s} << int(M::Question) << QString() << int(kiv::vbNo);
    QTest::newRow("OK/Cancel, French, Annuler") << int(kiv::vbOKCancel + kiv::vbQuestion) << 1 << QStringList{u"Annuler"_s, u"OK"_s}
                                                << int(M::Question) << u"Annuler"_s << int(kiv::vbCancel);
    QTest::newRow("OK/Cancel, Escape is Cancel") << int(kiv::vbOKCancel + kiv::vbQuestion) << 0 << QStringList{u"Cancel"_s, u"OK"_s}
                                                 << int(M::Question) << QString() << int(kiv::vbCancel);
}

void TestDialogs::messageBox()
{
    QFETCH(int, style);
    QFETCH(int, language);
    QFETCH(QStringList, buttons);
    QFETCH(int, icon);
    QFETCH(QString, press);
    QFETCH(int, result);
    kiv::QtDialogProvider real([language] { return language; });
    kiv::DialogProvider* scripted = kiv::setDialogProvider(&real);
    QStringList shown;
    QString title, text;
    int shownIcon = -1;
    whenOpen<QMessageBox>([&](QMessageBox* box) {
        shown = buttonTexts(box);
        title = box->windowTitle();
        text = box->text();
        shownIcon = box->icon();
        if (press.isEmpty())
            QTest::keyClick(box, Qt::Key_Escape);
        else if (QAbstractButton* b = buttonNamed(box, press))
            b->click();
        else
            box->done(0); // fails below on the buttons
    });
    const int answer = kiv::MsgBox(u"Voulez-vous quitter ?"_s, style);
    kiv::setDialogProvider(scripted);
    QCOMPARE(shown, buttons);
    QCOMPARE(title, u"Kiv_2000"_s);
    QCOMPARE(text, u"Voulez-vous quitter ?"_s);
    QCOMPARE(shownIcon, icon);
    QCOMPARE(answer, result);
}

void TestDialogs::inputBox_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("typed"); // what the box holds when it is closed
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("result");
    QTest::newRow("OK keeps the default") << 0 << u"C:\\MyVal123.xls"_s << true << u"C:\\MyVal123.xls"_s;
    QTest::newRow("OK with a typed name, French") << 1 << u"/tmp/mes valeurs.xls"_s << true << u"/tmp/mes valeurs.xls"_s;
    QTest::newRow("emptied box") << 0 << QString() << true << QString();
    QTest::newRow("Cancel, French") << 1 << u"/tmp/x.xls"_s << false << QString();
}

void TestDialogs::inputBox()
{
    QFETCH(int, language);
    QFETCH(QString, typed);
    QFETCH(bool, ok);
    QFETCH(QString, result);
    kiv::QtDialogProvider real([language] { return language; });
    kiv::DialogProvider* scripted = kiv::setDialogProvider(&real);
    QStringList shown;
    QString title, prompt, defaultText;
    whenOpen<QInputDialog>([&](QInputDialog* box) {
        shown = buttonTexts(box);
        title = box->windowTitle();
        prompt = box->labelText();
        QLineEdit* edit = box->findChild<QLineEdit*>();
        if (!edit) {
            box->reject(); // fails below on the default text
            return;
        }
        defaultText = edit->text();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
        if (QAbstractButton* b = buttonNamed(box, ok ? u"OK"_s : (language == 0 ? u"Cancel"_s : u"Annuler"_s)))
            b->click();
        else
            box->reject(); // fails below on the buttons
    });
    const QString answer = kiv::InputBox(u"Enter file name"_s, u"Export My Values"_s, u"C:\\MyVal123.xls"_s);
    kiv::setDialogProvider(scripted);
    QCOMPARE(shown, language == 0 ? (QStringList{u"Cancel"_s, u"OK"_s}) : (QStringList{u"Annuler"_s, u"OK"_s}));
    QCOMPARE(title, u"Export My Values"_s);
    QCOMPARE(prompt, u"Enter file name"_s);
    QCOMPARE(defaultText, u"C:\\MyVal123.xls"_s);
    QCOMPARE(answer, result);
}

// A default as long as a file's full path is seen whole when the box opens.
void TestDialogs::inputBoxShowsALongDefault()
{
    kiv::QtDialogProvider real([] { return 0; });
    kiv::DialogProvider* scripted = kiv::setDialogProvider(&real);
    const QString path = u"/home/someone/Documents/exports of the year/MyVal1011-1012.xlsx"_s;
    int editWidth = 0, textWidth = 0;
    whenOpen<QInputDialog>([&](QInputDialog* box) {
        if (QLineEdit* edit = box->findChild<QLineEdit*>()) {
            editWidth = edit->width();
            textWidth = edit->fontMetrics().horizontalAdvance(path);
        }
        box->reject();
    });
    kiv::InputBox(u"Enter file name"_s, u"Export My Values"_s, path);
    kiv::setDialogProvider(scripted);
    QVERIFY(textWidth > 0);
    QVERIFY2(editWidth > textWidth, qPrintable(u"%1 < %2"_s.arg(editWidth).arg(textWidth)));
}

void TestDialogs::inputBoxShowsTheStartOfItsDefault_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("defaultText");
    const QString path = u"/root/Documents/MyVal5611, 5621.xlsx"_s;
    const QString beyond = u"/home/someone/"_s + u"a folder of the exports of every year/"_s.repeated(12) + u"MyVal5611.xlsx"_s;
    QTest::newRow("export file, English") << 0 << path;
    QTest::newRow("export file, French") << 1 << path;
    QTest::newRow("a name of the old drive letters") << 0 << u"C:\\MyRat6421, 6422.xls"_s;
    QTest::newRow("wider than the screen allows, English") << 0 << beyond;
    QTest::newRow("wider than the screen allows, French") << 1 << beyond;
}

// The answer line opens with its default selected and its start shown, the first character
// whole: the line's left part is the default's start as drawn unclipped in the colours of
// selected text, the selection's colour before it.
void TestDialogs::inputBoxShowsTheStartOfItsDefault()
{
    QFETCH(int, language);
    QFETCH(QString, defaultText);
    kiv::QtDialogProvider real([language] { return language; });
    kiv::DialogProvider* scripted = kiv::setDialogProvider(&real);
    QString selected;
    int cursor = -1;
    bool startWhole = false, wider = false;
    whenOpen<QInputDialog>([&](QInputDialog* box) {
        if (QLineEdit* edit = box->findChild<QLineEdit*>()) {
            const QImage line = edit->grab().toImage();
            selected = edit->selectedText();
            cursor = edit->cursorPosition();
            wider = edit->fontMetrics().horizontalAdvance(defaultText) > edit->width();
            const int start = 2 + edit->fontMetrics().horizontalAdvance(defaultText.left(3));
            // A caret at the start stands on the first character's left edge, as in any line
            // edit; its column is left out.
            startWhole = kivtest::containsWhole(line, kivtest::unclippedText(*edit, defaultText, true, 2).copy(0, 0, start, edit->fontMetrics().height()),
                                                cursor == 0 ? 2 : -1);
        }
        box->reject();
    });
    kiv::InputBox(u"Enter file name"_s, u"Export, SIC:5611, 5621 to Excel file"_s, defaultText);
    kiv::setDialogProvider(scripted);
    // Typing replaces the whole default; the caret is where the line shows it whole.
    QCOMPARE(selected, defaultText);
    const bool beyond = QByteArray(QTest::currentDataTag()).startsWith("wider");
    QCOMPARE(wider, beyond);
    QCOMPARE(cursor, beyond ? 0 : int(defaultText.size()));
    QVERIFY2(startWhole, "the line does not show the start of its default whole");
}

// A name that happens to look like markup is shown as written, in a label and in a message.
void TestDialogs::textsShownAsWritten()
{
    const QString name = u"<b>Youth</b> &amp; <i>drop-in</i> centres"_s;
    kiv::Label label(u"lblIndustryName"_s, nullptr, name);
    label.setWordWrap(false); // one line, to measure it
    const int written = label.fontMetrics().horizontalAdvance(name);
    QVERIFY2(label.sizeHint().width() >= written, "the label reads its text as markup");

    kiv::QtDialogProvider real([] { return 0; });
    kiv::DialogProvider* scripted = kiv::setDialogProvider(&real);
    bool shownWhole = false;
    whenOpen<QMessageBox>([&](QMessageBox* box) {
        for (const QLabel* l : box->findChildren<QLabel*>())
            if (l->text() == name)
                shownWhole = l->sizeHint().width() >= l->fontMetrics().horizontalAdvance(name);
        box->done(0);
    });
    kiv::MsgBox(name);
    kiv::setDialogProvider(scripted);
    QVERIFY2(shownWhole, "the message reads its text as markup");
}

void TestDialogs::boxesAsWideAsTheirTitles_data()
{
    QTest::addColumn<bool>("input");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("title");
    QTest::newRow("a word refused") << false << int(kiv::vbOKOnly) << u"Kiv_2000"_s;
    QTest::newRow("a question") << false << int(kiv::vbYesNo + kiv::vbQuestion) << u"Kivob Vol3"_s;
    QTest::newRow("a definition")
        << false << int(kiv::vbInformation) << u"DÉFINITION SOMMES DUES À LA SOCIÉTÉ MÈRE, AUX FILIALES ET AUX SOCIÉTÉS AFFILIÉES"_s;
    QTest::newRow("the font size") << true << 0 << u"changer la taille de la police"_s;
    QTest::newRow("an export") << true << 0 << u"Export My Ratios, SICE:6421, 6422 to Excel file"_s;
    QTest::newRow("a title beyond the screen, message") << false << int(kiv::vbOKOnly) << QString(u"Kivob "_s.repeated(60));
    QTest::newRow("a title beyond the screen, input") << true << 0 << QString(u"Kivob "_s.repeated(60));
}

// The title bar of a box shows the whole title, however short its text, within the screen.
void TestDialogs::boxesAsWideAsTheirTitles()
{
    QFETCH(bool, input);
    QFETCH(int, style);
    QFETCH(QString, title);
    kiv::QtDialogProvider real([] { return 1; });
    kiv::DialogProvider* scripted = kiv::setDialogProvider(&real);
    int width = 0, screen = 0;
    const auto measure = [&](QDialog* box) {
        width = box->width();
        screen = box->screen()->availableGeometry().width();
        box->done(0);
    };
    if (input) {
        whenOpen<QInputDialog>(measure);
        kiv::InputBox(u"Incrire la taille de la police"_s, title, u" 10"_s);
    } else {
        whenOpen<QMessageBox>(measure);
        kiv::MsgBox(u"Oui"_s, style, title);
    }
    kiv::setDialogProvider(scripted);
    // The title in the bold face of a title bar, beside the bar's icon and buttons.
    QFont face(u"Sans"_s);
    face.setPointSizeF(9);
    face.setBold(true);
    const int needed = std::min(QFontMetrics(face).horizontalAdvance(title) + 100, screen * 9 / 10);
    QVERIFY2(width >= needed, qPrintable(u"%1 < %2"_s.arg(width).arg(needed)));
    QVERIFY2(width <= screen, qPrintable(u"%1 > %2"_s.arg(width).arg(screen)));
}

KIV_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
