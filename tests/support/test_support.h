#pragma once
// What every test of the program needs: scripted message and input boxes, a trap for the
// program's end, a recording help viewer, a fresh program per test case, and the fixtures.
#include "platform/db/engines.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/printer.h"
#include "platform/program_end.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QSizeF>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
#include <unistd.h>

namespace kivtest {

// One question the program asked.
struct Prompt {
    enum class Kind { Message, Input } kind = Kind::Message;
    QString text;
    int style = 0;
    QString title;
    QString defaultText;
};

// Message and input boxes that answer from a script and record what was asked.
// A box that finds no answer left fails the running test and answers with its first button.
class ScriptedDialogs : public kiv::DialogProvider {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answer(int button);        // next message box answer (kiv::vbYes, kiv::vbOK, ...)
    void answerInput(const QString& text); // next input box answer ("" = Cancel)
    // From now on every message box is answered OK (or Yes) without a script.
    void acceptAll(bool on = true) { acceptAll_ = on; }

    int message(const QString& prompt, int style, const QString& title) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;

    const std::vector<Prompt>& prompts() const { return prompts_; }
    QStringList texts() const;     // the prompt texts in order
    Prompt last() const;
    void clear() { prompts_.clear(); }
    std::size_t pendingAnswers() const { return messages_.size() + inputs_.size(); }
    // Runs while a box is open (after recording, before answering): the program's state
    // while the question is up.
    std::function<void(const Prompt&)> whileOpen;

private:
    std::deque<int> messages_;
    std::deque<QString> inputs_;
    std::vector<Prompt> prompts_;
    kiv::DialogProvider* previous_ = nullptr;
    bool acceptAll_ = false;
};

class RecordingHelp : public kiv::HelpProvider {
public:
    RecordingHelp();
    ~RecordingHelp() override;
    void showHelp(const QString& path) override { shown.push_back(path); }
    QStringList shown;

private:
    kiv::HelpProvider* previous_ = nullptr;
};

// A fresh program for one test: shared variables at their start values, no window instance,
// End() throwing kiv::ProgramEnded, scripted boxes, a recording help viewer, a screen of the
// given size and a temporary program folder (with the help files when asked), a user data
// folder of its own that does not exist yet (userFolder()), and a recording printer that keeps
// every printout (printer.documents(), printer.last()).
class Program {
public:
    explicit Program(QSizeF screenTwips = QSizeF(9600, 7200));
    ~Program();
    ScriptedDialogs dialogs;
    RecordingHelp help;
    kiv::RecordingPrinter printer;
    QString folder() const { return dir_.path(); }
    QString userFolder() const { return userDir_.path() + QStringLiteral("/kiv_2000"); }
    // Copies a file into the temporary program folder under the given name.
    void addFile(const QString& source, const QString& name) const;
    void writeFile(const QString& name, const QByteArray& content) const;

private:
    QTemporaryDir dir_;
    QTemporaryDir userDir_;
};

// The Access fixtures of the checkout, tests/fixtures: jet holds the small editions and the
// saved-figure stores, jet-large the large editions, each database with its table dumps.
QString fixturesDir();
bool fixturesPresent();                  // false only in a checkout missing tests/fixtures/jet
QString jetFixture(const QString& name); // full path of a file of tests/fixtures/jet
QString sourceDir();                     // the checkout
QString programDir();                    // the program folder of the build tree

// Makes the program folder the data folder (gDataPath) and puts there the database of the
// edition option, copied from the sample editions of the build tree (a three-year option
// without a sample of its own gets Volume 3's), then selects the option on the edition menu.
// The industry selection window opens that edition when it is first used.
void useSampleEdition(const Program& program, const QString& option = QStringLiteral("optVol1"));
// Puts every sample report template of the build tree into the program folder.
void useSampleTemplates(const Program& program);

void setupTestApplication(QApplication& app);

// The language as the start screen's language buttons set it: gLanguage, the language letter
// and the name of the industry description column.
void setLanguage(int language);

// A click on a control as the user makes it; fails when it is hidden or disabled.
void click(QWidget* control);

// Chooses an entry of a list box as the user does: open the list, move to the entry (its whole
// text, letter case included), press Enter. Fails when the list has no such entry.
void choose(QComboBox* box, const QString& entry);

// While it lives, the reader of every Access file runs `step` in its child process each time
// it moves on (before it opens the file, then at every row of the list of tables and of a
// table; the second form is told which), and is stopped after `stallLimit` ms without progress
// (0: the program's own limit).
class ReaderSettings {
public:
    explicit ReaderSettings(std::function<void()> step, int stallLimit = 0);
    explicit ReaderSettings(std::function<void(kiv::db::detail::ReadingStage)> step, int stallLimit = 0);
    ~ReaderSettings();
    ReaderSettings(const ReaderSettings&) = delete;
    ReaderSettings& operator=(const ReaderSettings&) = delete;
};

// What keeps the focus mark of a control from being seen, comparing pictures of the control
// without and with the focus; none when the focus adds a dotted outline of some size whose every
// dot differs clearly from what it covers.
std::optional<QString> focusMarkProblem(const QImage& plain, const QImage& marked);

// Runs `work` in `copies` child processes that start together, each `rounds` times (a round
// that fails returns its reason, else an empty text), and gives back the reasons of every
// failed round of every copy, "copy 2, round 17: ...". The children share nothing but the
// files they touch: they stand for copies of the program running at once.
QStringList inParallelProcesses(int copies, int rounds, const std::function<QString(int copy, int round)>& work);

// Runs `work` in a child process and kills it (SIGKILL, as a user's kill -9 or a stopped
// machine) after `delayUs` microseconds. False when it had ended before it could be killed.
bool killedWhileRunning(const std::function<void()>& work, int delayUs);
// The same, the moment of the kill counted from the work's own progress: `work` calls the
// function it is given each time it moves on, and the child is killed `delayUs` microseconds
// after its `marks`-th call, at about the same point of the work on a busy machine as on a
// quiet one. False when it had ended before (having moved on that often or not). `markedUs`,
// when given, receives the moment of each mark seen, in microseconds from the start.
bool killedAfterMark(const std::function<void(const std::function<void()>& mark)>& work, int marks, int delayUs,
                     std::vector<qint64>* markedUs = nullptr);

// What a label, panel, button, option button or value box (a text box not being typed in) should
// paint, worked out without its own painting code: its face as a plain Qt control of the same
// kind and state draws it without text, and over it the text as the fitting rule shows it
// (textfit::shownText of the control's text, font and room: at the fitting size, or the mark
// for a number that does not fit) -- a label as a QLabel of that font draws it, a value box as a
// QLineEdit of that font, a button's or option's caption as Qt draws an item's text in the
// caption's room. A null image for any other control (a picture button, a box being typed in).
QImage fittedPicture(const QWidget& control);
// The face alone: the same, without the text.
QImage facePicture(const QWidget& control);
// Where the control's own picture differs from fittedPicture(); none when they are the same.
std::optional<QString> fittedPictureProblem(const QWidget& control);

// A picture of a text box's line drawn whole, unclipped, as high as a line of the box's font:
// the text at that font, in the colours of selected text when `selected`, after `lead` pixels of
// its background.
QImage unclippedText(const QWidget& box, const QString& text, bool selected, int lead);
// True when `part` appears in `picture` at some position with all of its pixels inside (but
// those of its column `anyColumn`, when given).
bool containsWhole(const QImage& picture, const QImage& part, int anyColumn = -1);

// What makes a focused control's mark run over its caption, from pictures of the control's face
// without caption, of the control unfocused and of it focused: none when no pixel of the caption
// lies on the outline the mark runs along.
std::optional<QString> focusMarkCrossesCaption(const QImage& face, const QImage& plain, const QImage& marked);

// The bytes of a file (empty when it cannot be read), and a file written with given bytes.
QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& content);

// Permissions don't hold for root: the running test function, with its data row, runs again in
// a child process as the unprivileged user nobody, whose verdict is this one's (a skip that says
// why when that can't be done). `testClass` is the test object's class name.
void runAsNobody(const char* testClass);

// A long test may run in parts, side by side, as ctest entries of their own (kiv_add_test's
// PARTS): each part names a test function and, after a colon, the start of the data tags of
// its rows ("everyTextFits:800x600, English"), or no tags for the rows no other part of that
// function takes; the part "*" runs the functions no other part names. A row no part takes runs
// in the function's first part, and a function no part names in the part "*" or else in the
// test's first part, so that nothing is left out. Started with arguments or outside ctest, a
// test runs whole.
// For a _data function: whether the row of this tag runs here.
bool inThisPart(const QString& tag);

namespace detail {

// QTest::qExec on the test object, restricted to the functions of the part that ctest asks for
// (KIV_TEST_PARTS, the parts joined by '|', and KIV_TEST_PART, the index of this one) when the
// test is started without arguments.
int exec(QObject& test, int argc, char** argv);

// Calls a slot of the test object; an exception that escapes it fails the running test function
// with the exception's text. Qt 6.4's QTest rethrows it instead, which ends the whole test
// program, every later test function unrun.
void guardedCall(QMetaObject::Data::StaticMetacallFunction call, QObject* object, QMetaObject::Call kind, int index, void** args);

// The test object, its slots (test functions, their data, init and cleanup) called through
// guardedCall: QTest finds and calls them through the object's meta-object, here a copy of the
// class's own whose call function is the guarded one.
template <class TestClass>
class Guarded final : public TestClass {
public:
    const QMetaObject* metaObject() const override
    {
        static const QMetaObject guarded = [] {
            QMetaObject copy = TestClass::staticMetaObject;
            copy.d.static_metacall = &call;
            return copy;
        }();
        return &guarded;
    }

private:
    static void call(QObject* object, QMetaObject::Call kind, int index, void** args)
    {
        guardedCall(TestClass::staticMetaObject.d.static_metacall, object, kind, index, args);
    }
};

} // namespace detail

} // namespace kivtest

// Runs the rest of the test function as nobody when the suite runs as root.
#define KIV_AS_NOBODY_WHEN_ROOT(testClass)                                                   \
    do {                                                                                     \
        if (::geteuid() == 0) {                                                              \
            kivtest::runAsNobody(testClass);                                                 \
            return;                                                                          \
        }                                                                                    \
    } while (false)

// Runs a statement that must end the program; fails when it returns normally.
#define KIV_VERIFY_ENDS(statement)                                                          \
    do {                                                                                     \
        bool kivEnded_ = false;                                                              \
        try {                                                                                \
            statement;                                                                       \
        } catch (const kiv::ProgramEnded&) {                                                 \
            kivEnded_ = true;                                                                \
        }                                                                                    \
        QVERIFY2(kivEnded_, "the program did not end: " #statement);                         \
    } while (false)

// Fails the running test, rather than letting it read files that are not there, when the
// checkout lacks its Access fixtures (a partial copy of the tree).
#define KIV_REQUIRE_FIXTURES()                                                               \
    QVERIFY2(kivtest::fixturesPresent(),                                                     \
             qPrintable(kivtest::fixturesDir() + QStringLiteral("/jet is missing: the Access fixtures are part of the checkout")))

// The test program: every test function of the class, or those of its part when ctest runs the
// test in parts (kivtest::inThisPart); an exception that escapes a test function fails that
// function alone.
#define KIV_TEST_MAIN(TestClass)                                                             \
    int main(int argc, char** argv)                                                          \
    {                                                                                        \
        QApplication app(argc, argv);                                                        \
        kivtest::setupTestApplication(app);                                                  \
        kivtest::detail::Guarded<TestClass> tc;                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                           \
        return kivtest::detail::exec(tc, argc, argv);                                        \
    }
