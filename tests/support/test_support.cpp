#include "test_support.h"

#include "platform/controls.h"
#include "platform/db/engines.h"
#include "platform/form.h"
#include "platform/text_fit.h"
#include "platform/program_folder.h"
#include "platform/spreadsheet/automation.h"
#include "shell/app_setup.h"
#include "shell/editions.h"
#include "shell/frm_menuselect.h"
#include "shell/module1.h"

#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kivtest {

ScriptedDialogs::ScriptedDialogs()
    : previous_(kiv::setDialogProvider(this))
{
}

ScriptedDialogs::~ScriptedDialogs()
{
    kiv::setDialogProvider(previous_);
}

void ScriptedDialogs::answer(int button)
{
    messages_.push_back(button);
}

void ScriptedDialogs::answerInput(const QString& text)
{
    inputs_.push_back(text);
}

int ScriptedDialogs::message(const QString& prompt, int style, const QString& title)
{
    Prompt p;
    p.kind = Prompt::Kind::Message;
    p.text = prompt;
    p.style = style;
    p.title = title;
    prompts_.push_back(p);
    if (whileOpen)
        whileOpen(p);
    const int buttons = style & 7;
    const int first = (buttons == kiv::vbYesNo || buttons == kiv::vbYesNoCancel) ? kiv::vbYes
                      : buttons == kiv::vbAbortRetryIgnore                       ? kiv::vbAbort
                      : buttons == kiv::vbRetryCancel                            ? kiv::vbRetry
                                                                                 : kiv::vbOK;
    if (messages_.empty()) {
        if (!acceptAll_)
            QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + prompt), __FILE__, __LINE__);
        return first;
    }
    const int a = messages_.front();
    messages_.pop_front();
    return a;
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title, const QString& defaultText)
{
    Prompt p;
    p.kind = Prompt::Kind::Input;
    p.text = prompt;
    p.title = title;
    p.defaultText = defaultText;
    prompts_.push_back(p);
    if (whileOpen)
        whileOpen(p);
    if (inputs_.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected input box: ") + prompt), __FILE__, __LINE__);
        return QString();
    }
    const QString a = inputs_.front();
    inputs_.pop_front();
    return a;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList list;
    for (const Prompt& p : prompts_)
        list << p.text;
    return list;
}

Prompt ScriptedDialogs::last() const
{
    return prompts_.empty() ? Prompt() : prompts_.back();
}

RecordingHelp::RecordingHelp()
    : previous_(kiv::setHelpProvider(this))
{
}

RecordingHelp::~RecordingHelp()
{
    kiv::setHelpProvider(previous_);
}

Program::Program(QSizeF screenTwips)
{
    kiv::resetAllForms();
    kiv::resetModule1();
    kiv::setEndHandler([] { throw kiv::ProgramEnded{}; });
    kiv::setScreenSizeTwips(screenTwips);
    kiv::setWindowFrameMargins(std::nullopt);
    kiv::setProgramFolder(dir_.path());
    kiv::setUserDataFolder(userFolder());
}

Program::~Program()
{
    kiv::resetAllForms();
    kiv::resetModule1();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    kiv::setProgramFolder(QString());
    kiv::setUserDataFolder(QString());
    kiv::setScreenSizeTwips(std::nullopt);
    kiv::setWindowFrameMargins(std::nullopt);
    kiv::setEndHandler({});
}

void Program::addFile(const QString& source, const QString& name) const
{
    const QString target = kiv::joinPath(dir_.path(), name);
    QFile::remove(target);
    QFile::copy(source, target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

void Program::writeFile(const QString& name, const QByteArray& content) const
{
    QFile f(kiv::joinPath(dir_.path(), name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(content);
}

QString fixturesDir()
{
    return sourceDir() + QStringLiteral("/tests/fixtures");
}

bool fixturesPresent()
{
    return QFileInfo(fixturesDir() + QStringLiteral("/jet")).isDir();
}

QString jetFixture(const QString& name)
{
    return fixturesDir() + QStringLiteral("/jet/") + name;
}

QString sourceDir()
{
    return qEnvironmentVariable("KIV_SOURCE_DIR", QStringLiteral(KIV_BUILD_SOURCE_DIR));
}

QString programDir()
{
    return qEnvironmentVariable("KIV_PROGRAM_DIR", QStringLiteral(KIV_BUILD_PROGRAM_DIR));
}

void useSampleEdition(const Program& program, const QString& option)
{
    gDataPath = program.folder();
    const kiv::Edition* e = kiv::editionByOption(option);
    if (!e)
        return;
    QString file = e->database ? QString::fromUtf16(e->database) : QStringLiteral("KIV_OTHER_Sample.mdb");
    if (!e->database)
        gOtherDbName = file;
    QString sample = programDir() + u'/' + file;
    if (!QFileInfo::exists(sample))
        sample = programDir() + (e->kind == kiv::EditionKind::OneYear ? QStringLiteral("/kiv_vol1.mdb") : QStringLiteral("/kiv_vol3.mdb"));
    program.addFile(sample, file);
    frmMenuselect().editionOption(option)->setChecked(true);
}

void setLanguage(int language)
{
    gLanguage = static_cast<std::int16_t>(language);
    gLangLetter = language == 0 ? QStringLiteral("E") : QStringLiteral("F");
    gDescField = QStringLiteral("IndustryDescription") + gLangLetter;
}

void click(QWidget* control)
{
    QVERIFY2(control && control->isVisible() && control->isEnabled(), control ? qPrintable(control->objectName()) : "no control");
    QTest::mouseClick(control, Qt::LeftButton);
}

void choose(QComboBox* box, const QString& entry)
{
    const int i = box->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(i >= 0, qPrintable(entry));
    box->showPopup();
    QAbstractItemView* view = box->view();
    view->setCurrentIndex(view->model()->index(i, 0));
    QTest::keyClick(view, Qt::Key_Return);
    box->hidePopup();
}

void useSampleTemplates(const Program& program)
{
    for (const QString& name : QDir(programDir()).entryList({QStringLiteral("*.rpt")}, QDir::Files))
        program.addFile(programDir() + u'/' + name, name);
}

std::optional<QString> focusMarkProblem(const QImage& plain, const QImage& marked)
{
    if (plain.size() != marked.size())
        return QStringLiteral("the control changed its size");
    const auto luma = [](QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); };
    QRect changed;
    int dots = 0, faint = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (plain.pixel(x, y) != marked.pixel(x, y)) {
                changed |= QRect(x, y, 1, 1);
                ++dots;
                if (std::abs(luma(plain.pixel(x, y)) - luma(marked.pixel(x, y))) < 96)
                    ++faint;
            }
    if (changed.width() < 12 || changed.height() < 8)
        return QStringLiteral("no mark of some size (%1 x %2 pixels change)").arg(changed.width()).arg(changed.height());
    // A dotted outline of the changed rectangle has about as many dots as its width and height.
    if (dots < (changed.width() + changed.height()) * 4 / 5)
        return QStringLiteral("%1 dots do not outline %2 x %3 pixels").arg(dots).arg(changed.width()).arg(changed.height());
    if (faint > dots / 10)
        return QStringLiteral("%1 of its %2 dots hardly differ from what they cover").arg(faint).arg(dots);
    return std::nullopt;
}

QStringList inParallelProcesses(int copies, int rounds, const std::function<QString(int, int)>& work)
{
    int start[2], reasons[2];
    if (::pipe(start) != 0 || ::pipe(reasons) != 0)
        return {QStringLiteral("no pipe")};
    std::vector<pid_t> children;
    for (int copy = 1; copy <= copies; ++copy) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(start[1]);
            ::close(reasons[0]);
            char go = 0;
            (void)::read(start[0], &go, 1); // returns when the parent closes its end: all start
            for (int round = 1; round <= rounds; ++round) {
                const QString why = work(copy, round);
                if (!why.isEmpty()) {
                    // One line of a pipe's atomic size, so that the lines of the copies never mix.
                    QByteArray line = QStringLiteral("copy %1, round %2: %3").arg(copy).arg(round).arg(why).toUtf8().left(PIPE_BUF - 1);
                    line.replace('\n', ' ');
                    line += '\n';
                    (void)::write(reasons[1], line.constData(), static_cast<size_t>(line.size()));
                }
            }
            ::_exit(0);
        }
        if (child > 0)
            children.push_back(child);
    }
    ::close(start[0]);
    ::close(reasons[1]);
    ::close(start[1]);
    QByteArray all;
    char buffer[4096];
    for (ssize_t n; (n = ::read(reasons[0], buffer, sizeof buffer)) != 0;)
        if (n > 0)
            all.append(buffer, n);
        else if (errno != EINTR)
            break;
    ::close(reasons[0]);
    QStringList failed;
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            failed << QStringLiteral("a copy ended abnormally (status %1)").arg(status);
    }
    if (static_cast<int>(children.size()) != copies)
        failed << QStringLiteral("only %1 of %2 copies started").arg(children.size()).arg(copies);
    for (const QByteArray& line : all.split('\n'))
        if (!line.isEmpty())
            failed << QString::fromUtf8(line);
    return failed;
}

bool killedWhileRunning(const std::function<void()>& work, int delayUs)
{
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        work();
        ::_exit(0);
    }
    ::usleep(static_cast<useconds_t>(delayUs));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

bool killedAfterMark(const std::function<void(const std::function<void()>& mark)>& work, int marks, int delayUs,
                     std::vector<qint64>* markedUs)
{
    QElapsedTimer clock;
    clock.start();
    if (markedUs)
        markedUs->clear();
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::close(fds[0]);
        const int out = fds[1];
        work([out] {
            const char byte = 'm';
            while (::write(out, &byte, 1) < 0 && errno == EINTR) {
            }
        });
        ::_exit(0);
    }
    ::close(fds[1]);
    int seen = 0;
    char buffer[64];
    while (seen < marks) {
        const ssize_t n = ::read(fds[0], buffer, std::min<std::size_t>(sizeof buffer, static_cast<std::size_t>(marks - seen)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // it ended
        seen += static_cast<int>(n);
        if (markedUs)
            markedUs->insert(markedUs->end(), static_cast<std::size_t>(n), clock.nsecsElapsed() / 1000);
    }
    if (seen == marks)
        ::usleep(static_cast<useconds_t>(delayUs));
    ::kill(child, SIGKILL);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

namespace {

// The control's look on a twin: every colour of its palette (set, not inherited, since the twin
// has no window to inherit from), its font, state and size.
void copyLook(const QWidget& from, QWidget& to)
{
    QPalette pal;
    const QPalette& source = from.palette();
    for (int g = 0; g < QPalette::NColorGroups; ++g)
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto group = static_cast<QPalette::ColorGroup>(g);
            const auto role = static_cast<QPalette::ColorRole>(r);
            pal.setBrush(group, role, source.brush(group, role));
        }
    to.setPalette(pal);
    to.setFont(from.font());
    to.setAutoFillBackground(from.autoFillBackground());
    to.setBackgroundRole(from.backgroundRole());
    to.setForegroundRole(from.foregroundRole());
    to.setEnabled(from.isEnabled());
    to.setLayoutDirection(from.layoutDirection());
    // A button under the mouse is drawn lighter.
    to.setAttribute(Qt::WA_UnderMouse, from.underMouse());
    to.resize(from.size());
}

QImage picture(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

constexpr int kButtonFlags = Qt::AlignCenter | Qt::TextShowMnemonic;
constexpr int kOptionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;

// The twin of a label: a QLabel laid out as the label is, showing `text` at `font`.
void labelTwin(const QLabel& label, QLabel& twin, const QString& text, const QFont& font)
{
    copyLook(label, twin);
    twin.setTextFormat(label.textFormat());
    twin.setAlignment(label.alignment());
    twin.setWordWrap(label.wordWrap());
    twin.setMargin(label.margin());
    // A framed label without an indent of its own indents its text by half an x of its font.
    int indent = label.indent();
    if (indent < 0 && label.frameWidth())
        indent = label.fontMetrics().horizontalAdvance(u'x') / 2 - label.margin();
    twin.setIndent(indent);
    twin.setFrameStyle(label.frameStyle());
    twin.setLineWidth(label.lineWidth());
    twin.setMidLineWidth(label.midLineWidth());
    twin.setFont(font);
    twin.setText(text);
}

void boxTwin(const QLineEdit& box, QLineEdit& twin, const QString& text, const QFont& font)
{
    copyLook(box, twin);
    twin.setFrame(box.hasFrame());
    twin.setAlignment(box.alignment());
    twin.setTextMargins(box.textMargins());
    twin.setReadOnly(box.isReadOnly());
    twin.setFont(font);
    twin.setText(text);
}

// The picture with or without its text; `which` false: the face alone.
QImage expected(const QWidget& control, bool withText)
{
    if (const auto* label = qobject_cast<const kiv::FittedLabel*>(&control)) {
        const kiv::textfit::Shown shown = kiv::textfit::shownText(label->text(), label->font(), QSizeF(kiv::labelTextRoom(*label).size()),
                                                                  kiv::labelTextFlags(*label));
        QLabel twin;
        labelTwin(*label, twin, withText ? shown.text : QString(), shown.font);
        return picture(twin);
    }
    if (const auto* box = qobject_cast<const kiv::TextBox*>(&control)) {
        if (box->hasFocus() || box->echoMode() != QLineEdit::Normal)
            return QImage();
        const int flags = int(QStyle::visualAlignment(box->layoutDirection(), box->alignment() & Qt::AlignHorizontal_Mask)) | Qt::AlignVCenter;
        const kiv::textfit::Shown shown
            = kiv::textfit::shownText(box->text(), box->font(), QSizeF(std::max(box->textRoom().width(), 0), QWIDGETSIZE_MAX), flags);
        QLineEdit twin;
        boxTwin(*box, twin, withText ? shown.text : QString(), shown.font);
        return picture(twin);
    }
    QImage image;
    QRect room;
    int flags = 0;
    QPalette::ColorRole role = QPalette::NoRole;
    QFont font;
    QString text;
    if (qobject_cast<const kiv::PictureButton*>(&control))
        return QImage();
    if (const auto* button = qobject_cast<const kiv::CommandButton*>(&control)) {
        QPushButton twin;
        copyLook(*button, twin);
        twin.setAutoDefault(false);
        twin.setDefault(button->isDefault());
        twin.setFlat(button->isFlat());
        twin.setDown(button->isDown());
        image = picture(twin);
        room = button->textRoom();
        flags = kButtonFlags;
        role = QPalette::ButtonText;
        font = button->font();
        text = button->text();
    } else if (const auto* option = qobject_cast<const kiv::OptionButton*>(&control)) {
        QRadioButton twin;
        copyLook(*option, twin);
        twin.setAutoExclusive(false);
        twin.setChecked(option->isChecked());
        image = picture(twin);
        room = option->textRoom();
        flags = kOptionFlags;
        role = QPalette::WindowText;
        font = option->font();
        text = option->text();
    } else {
        return QImage();
    }
    if (withText && !text.isEmpty()) {
        const kiv::textfit::Shown shown = kiv::textfit::shownText(text, font, QSizeF(std::max(room.width(), 0), std::max(room.height(), 0)), flags);
        QPainter p(&image);
        p.setFont(shown.font);
        control.style()->drawItemText(&p, room, flags, control.palette(), control.isEnabled(), shown.text, role);
    }
    return image;
}

} // namespace

QImage fittedPicture(const QWidget& control)
{
    return expected(control, true);
}

QImage facePicture(const QWidget& control)
{
    return expected(control, false);
}

std::optional<QString> fittedPictureProblem(const QWidget& control)
{
    const QImage want = fittedPicture(control);
    if (want.isNull())
        return std::nullopt;
    const QImage got = const_cast<QWidget&>(control).grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (got.size() != want.size())
        return QStringLiteral("it paints %1 x %2 pixels, %3 x %4 expected").arg(got.width()).arg(got.height()).arg(want.width()).arg(want.height());
    QRect differs;
    int count = 0;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x)
            if (got.pixel(x, y) != want.pixel(x, y)) {
                differs |= QRect(x, y, 1, 1);
                ++count;
            }
    if (count == 0)
        return std::nullopt;
    return QStringLiteral("%1 pixels within (%2, %3, %4 x %5) differ from its text drawn as it fits").arg(count).arg(differs.x()).arg(differs.y()).arg(differs.width()).arg(differs.height());
}

QImage unclippedText(const QWidget& box, const QString& text, bool selected, int lead)
{
    const QFontMetrics fm(box.font());
    QImage image(lead + fm.horizontalAdvance(text), fm.height(), QImage::Format_ARGB32);
    const QPalette& pal = box.palette();
    image.fill(pal.color(selected ? QPalette::Highlight : QPalette::Base));
    QPainter p(&image);
    p.setFont(box.font());
    p.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
    p.drawText(QPoint(lead, fm.ascent()), text);
    return image;
}

bool containsWhole(const QImage& picture, const QImage& part, int anyColumn)
{
    const QImage a = picture.convertToFormat(QImage::Format_ARGB32);
    const QImage b = part.convertToFormat(QImage::Format_ARGB32);
    for (int top = 0; top + b.height() <= a.height(); ++top)
        for (int left = 0; left + b.width() <= a.width(); ++left) {
            bool same = true;
            for (int y = 0; same && y < b.height(); ++y)
                for (int x = 0; same && x < b.width(); ++x)
                    same = x == anyColumn || a.pixel(left + x, top + y) == b.pixel(x, y);
            if (same)
                return true;
        }
    return false;
}

std::optional<QString> focusMarkCrossesCaption(const QImage& face, const QImage& plain, const QImage& marked)
{
    if (face.size() != plain.size() || plain.size() != marked.size())
        return QStringLiteral("the pictures differ in size");
    QRect mark;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (plain.pixel(x, y) != marked.pixel(x, y))
                mark |= QRect(x, y, 1, 1);
    if (mark.isEmpty())
        return QStringLiteral("no focus mark");
    int crossed = 0;
    QPoint first;
    const auto onPath = [&](int x, int y) {
        if (face.pixel(x, y) != plain.pixel(x, y) && crossed++ == 0)
            first = QPoint(x, y);
    };
    for (int x = mark.left(); x <= mark.right(); ++x) {
        onPath(x, mark.top());
        onPath(x, mark.bottom());
    }
    for (int y = mark.top() + 1; y < mark.bottom(); ++y) {
        onPath(mark.left(), y);
        onPath(mark.right(), y);
    }
    if (crossed == 0)
        return std::nullopt;
    return QStringLiteral("%1 pixels of the caption lie on the mark's path (%2, %3, %4 x %5), the first at (%6, %7)")
        .arg(crossed).arg(mark.x()).arg(mark.y()).arg(mark.width()).arg(mark.height()).arg(first.x()).arg(first.y());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

ReaderSettings::ReaderSettings(std::function<void()> step, int stallLimit)
    : ReaderSettings(std::function<void(kiv::db::detail::ReadingStage)>([step = std::move(step)](kiv::db::detail::ReadingStage) { step(); }),
                     stallLimit)
{
}

ReaderSettings::ReaderSettings(std::function<void(kiv::db::detail::ReadingStage)> step, int stallLimit)
{
    kiv::db::detail::setReaderStep(std::move(step));
    kiv::db::detail::setReaderStallLimit(stallLimit);
}

ReaderSettings::~ReaderSettings()
{
    kiv::db::detail::setReaderStep({});
    kiv::db::detail::setReaderStallLimit(0);
}

void runAsNobody(const char* testClass)
{
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        QSKIP("running as root without setpriv: permissions can't be tried");
    const QString function = QString::fromLatin1(QTest::currentTestFunction());
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                          QCoreApplication::applicationFilePath(), tag.isEmpty() ? function : function + u':' + tag});
    QVERIFY(child.waitForFinished(120000));
    const QByteArray out = child.readAll();
    if (!out.contains("Start testing"))
        QSKIP(qPrintable(QStringLiteral("this test can't run as an unprivileged user: ") + QString::fromLocal8Bit(out)));
    const QByteArray passed = "PASS   : " + QByteArray(testClass) + "::" + function.toLatin1() + '(' + tag.toLatin1() + ')';
    QVERIFY2(child.exitCode() == 0 && out.contains(passed), out.constData());
}

void setupTestApplication(QApplication& app)
{
    kiv::setupApplication(app);
}

namespace {

// One part of a test run in parts: a test function, and the start of its rows' data tags.
struct Part {
    QString function;
    QString rows;
};

// The parts of the running test, and the index of the one this program runs (-1: all of it).
struct Parts {
    QList<Part> all;
    int running = -1;
};

Parts& parts()
{
    static Parts p;
    return p;
}

// The test functions of the object's class, as QTest finds them: private slots without
// parameters, but the data functions and the four that frame the others.
QStringList testFunctions(const QMetaObject& meta)
{
    static const QStringList framing{QStringLiteral("initTestCase"), QStringLiteral("cleanupTestCase"), QStringLiteral("init"), QStringLiteral("cleanup")};
    QStringList names;
    for (int i = 0; i < meta.methodCount(); ++i) {
        const QMetaMethod m = meta.method(i);
        if (m.methodType() != QMetaMethod::Slot || m.access() != QMetaMethod::Private || m.parameterCount() != 0)
            continue;
        const QString name = QString::fromLatin1(m.name());
        if (!name.endsWith(u"_data") && !framing.contains(name))
            names << name;
    }
    return names;
}

} // namespace

bool inThisPart(const QString& tag)
{
    const Parts& p = parts();
    if (p.running < 0)
        return true;
    const QString function = QString::fromLatin1(QTest::currentTestFunction());
    if (p.all[p.running].function != function)
        return true; // a function no part names, run here whole
    int first = -1, owner = -1;
    for (int i = 0; i < p.all.size() && owner < 0; ++i) {
        if (p.all[i].function != function)
            continue;
        if (first < 0)
            first = i;
        if (p.all[i].rows.isEmpty() || tag.startsWith(p.all[i].rows))
            owner = i;
    }
    return (owner >= 0 ? owner : first) == p.running;
}

namespace detail {

int exec(QObject& test, int argc, char** argv)
{
    const QString index = qEnvironmentVariable("KIV_TEST_PART");
    const QStringList named = qEnvironmentVariable("KIV_TEST_PARTS").split(u'|', Qt::SkipEmptyParts);
    // The programs a test starts (as runAsNobody does) run what their arguments name.
    qunsetenv("KIV_TEST_PART");
    qunsetenv("KIV_TEST_PARTS");
    if (argc > 1 || index.isEmpty() || named.isEmpty())
        return QTest::qExec(&test, argc, argv);

    Parts& p = parts();
    for (const QString& part : named) {
        const qsizetype colon = part.indexOf(u':');
        p.all.push_back(colon < 0 ? Part{part, QString()} : Part{part.left(colon), part.mid(colon + 1)});
    }
    bool ok = false;
    p.running = index.toInt(&ok);
    const QStringList functions = testFunctions(*test.metaObject());
    const auto others = std::find_if(p.all.cbegin(), p.all.cend(), [](const Part& part) { return part.function == u'*'; });
    const int runsOthers = others == p.all.cend() ? 0 : static_cast<int>(others - p.all.cbegin());
    if (!ok || p.running < 0 || p.running >= p.all.size()
        || (p.running != runsOthers && !functions.contains(p.all[p.running].function))) {
        std::fprintf(stderr, "KIV_TEST_PART %s of \"%s\" names no test function of %s\n", qPrintable(index),
                     qPrintable(named.join(u'|')), test.metaObject()->className());
        return 1;
    }
    QStringList args{QString::fromLocal8Bit(argv[0])};
    for (const QString& function : functions) {
        const bool claimed = std::any_of(p.all.cbegin(), p.all.cend(), [&](const Part& part) { return part.function == function; });
        if (function == p.all[p.running].function || (!claimed && p.running == runsOthers))
            args << function;
    }
    if (args.size() == 1) {
        std::fprintf(stderr, "KIV_TEST_PART %s of \"%s\": no test function of %s is left for it\n", qPrintable(index),
                     qPrintable(named.join(u'|')), test.metaObject()->className());
        return 1;
    }
    return QTest::qExec(&test, args);
}

void guardedCall(QMetaObject::Data::StaticMetacallFunction call, QObject* object, QMetaObject::Call kind, int index, void** args)
{
    QString escaped;
    try {
        call(object, kind, index, args);
        return;
    } catch (const std::exception& e) {
        escaped = QString::fromLocal8Bit(e.what());
    } catch (const kiv::sheet::AutomationError& e) {
        escaped = QStringLiteral("automation error %1: %2").arg(e.number).arg(e.message);
    } catch (const kiv::ProgramEnded&) {
        escaped = QStringLiteral("the program ended (End)");
    } catch (...) {
        escaped = QStringLiteral("an exception of an unknown kind");
    }
    QTest::qFail(qPrintable(QStringLiteral("not caught by the test: ") + escaped), __FILE__, __LINE__);
}

} // namespace detail

} // namespace kivtest
