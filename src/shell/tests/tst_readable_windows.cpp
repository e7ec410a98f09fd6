// Every text of every window reads whole on the screens the program meets, from 800 x 600 up,
// in both languages, with what the windows hold in use: the industry of the longest name of the
// sample editions with a statement of ordinary figures, or that of the fixture editions with
// the widest figures (five-digit percentages, negative values, "..."), or with figures of nine
// digits and more. A text that does not fit its control at the control's font is drawn smaller
// in that control, and a number that does not fit even at the smallest size is drawn as a mark;
// the test works out from each control's text, font and room what the rule draws, measures it,
// and compares the control's pixels with that text drawn so. Every message and input box met on
// the way is at least as wide as its title, and a focused button or option button shows a mark
// that stands out on its background and keeps clear of its caption.
//
// KIV_SCREENSHOT_DIR set: screenshots() saves every window of the walk as the screen shows it,
// and every input box met on the way (scripts/screenshots.sh runs it on an X server with a
// window manager), in French with the widest contents unless KIV_SCREENSHOT_LANGUAGE is
// "English" or KIV_SCREENSHOT_CONTENTS is "longest" (figures of nine digits and more).
#include "balancesheet/frm_my_balance_sheet.h"
#include "industry/frm_crystal_report.h"
#include "industry/frm_ind_definitions.h"
#include "industry/frm_print_all.h"
#include "industry/frm_startup.h"
#include "platform/controls.h"
#include "platform/qt_dialogs.h"
#include "platform/spreadsheet/recording.h"
#include "ratios/frm_my_ratios.h"
#include "ratios3/frm_my_ratios_v3.h"
#include "shell/frm_intr_about.h"
#include "shell/frm_menuselect.h"
#include "shell/frm_start_menu.h"
#include "shell/module1.h"
#include "shell_fixture.h"
#include "values/entry_controls.h"
#include "values/frm_export.h"
#include "values/frm_my_values.h"
#include "values3/frm_my_values_v3.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;
using kivtest::click;

namespace {

enum class Contents { Sample, Widest, Longest };

QString languageName(int language)
{
    return language == 0 ? u"English"_s : u"French"_s;
}

// ---- what a control shows ------------------------------------------------------------------

// A control's text, its own font, the rectangle its text is drawn in and how it is laid out there.
struct ShownText {
    QString text;
    QFont font;
    QRect room;
    int flags = 0;
    bool acrossOnly = false; // a text box: its one line is centred on its height
    bool fitted = true;      // the control draws its text by the fitting rule
};

std::optional<ShownText> shownText(const QWidget* w)
{
    if (const auto* l = qobject_cast<const kiv::FittedLabel*>(w))
        return ShownText{l->text(), l->font(), l->textRoom(), kiv::labelTextFlags(*l)};
    if (const auto* b = qobject_cast<const kiv::CommandButton*>(w))
        return ShownText{b->text(), b->font(), b->textRoom(), Qt::AlignCenter | Qt::TextShowMnemonic};
    if (const auto* o = qobject_cast<const kiv::OptionButton*>(w))
        return ShownText{o->text(), o->font(), o->textRoom(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic};
    if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
        // The title sits on the frame's top edge, clear of its corners.
        const QFontMetrics fm(g->font());
        return ShownText{g->title(), g->font(), QRect(8, 0, g->width() - 16, std::max(fm.height(), 1)), Qt::AlignLeft | Qt::AlignTop, false, false};
    }
    if (const auto* t = qobject_cast<const kiv::TextBox*>(w)) {
        // The box being typed in scrolls its text to the caret, as every text box does.
        if (t->hasFocus())
            return std::nullopt;
        return ShownText{t->text(), t->font(), t->textRoom(), int(t->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter, true};
    }
    if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
        // Inside the frame and the box's own margin of two pixels.
        const int inset = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e) + 2;
        return ShownText{e->text(), e->font(), e->rect().adjusted(inset, 0, -inset, 0), Qt::AlignLeft | Qt::AlignVCenter, true, false};
    }
    return std::nullopt;
}

// What the fitting rule draws of it: the text at the fitting size, or the mark for a number.
kiv::textfit::Shown byTheRule(const ShownText& shown)
{
    if (!shown.fitted)
        return kiv::textfit::Shown{shown.text, shown.font, false};
    const QSizeF room(std::max(shown.room.width(), 0), shown.acrossOnly ? QWIDGETSIZE_MAX : std::max(shown.room.height(), 0));
    return kiv::textfit::shownText(shown.text, shown.font, room, shown.flags);
}

QString describe(const QWidget* w)
{
    const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    const QWidget* window = w->window();
    // A combo box's text part is named by its box.
    if (qobject_cast<const QComboBox*>(w->parentWidget()))
        return window->objectName() + u'.' + w->parentWidget()->objectName();
    return window->objectName() + u'.' + name;
}

// ---- the checks ----------------------------------------------------------------------------

class Findings {
public:
    // `client`: the area, in pixels, a full-screen window gets on the screen of the test.
    explicit Findings(QString where, QSize client = QSize())
        : where_(std::move(where))
        , client_(client)
    {
    }

    // Every visible control of the window whose text does not fit, and every control of a
    // full-screen window that reaches past the area the window gets.
    void window(const QWidget& window, const QString& state = QString())
    {
        if (!window.isVisible()) {
            faults << u"%1 is not shown (%2) at %3"_s.arg(window.objectName(), state, where_);
            return;
        }
        whole(window, state);
        for (const QWidget* w : window.findChildren<QWidget*>()) {
            if (!w->isVisible() || w->width() <= 0 || w->height() <= 0)
                continue;
            const std::optional<ShownText> shown = shownText(w);
            if (!shown || shown->text.trimmed().isEmpty())
                continue;
            const QString where = describe(w) + (state.isEmpty() ? QString() : u" ("_s + state + u')') + u" at "_s + where_;
            if (!w->rect().contains(shown->room)) {
                faults << u"%1: \"%2\" is drawn outside its control"_s.arg(where, shown->text);
                continue;
            }
            const kiv::textfit::Shown drawn = byTheRule(*shown);
            if (drawn.mark)
                ++marks;
            const QRectF used = QFontMetricsF(drawn.font).boundingRect(QRectF(shown->room), shown->flags, drawn.text);
            if (used.width() > shown->room.width() + 0.01 || (!shown->acrossOnly && used.height() > shown->room.height() + 0.01)) {
                faults << u"%1: \"%2\" needs %3 x %4 pixels at %5 points, its control has %6 x %7"_s.arg(
                    where, drawn.text, QString::number(used.width(), 'f', 1), QString::number(used.height(), 'f', 1),
                    QString::number(drawn.font.pointSizeF()), QString::number(shown->room.width()), QString::number(shown->room.height()));
                continue;
            }
            // What the control paints is that text drawn there (a focused button shows its focus
            // mark as well, which focusMarksStandOut looks at).
            if (!shown->fitted || w->hasFocus())
                continue;
            ++compared;
            if (const std::optional<QString> problem = kivtest::fittedPictureProblem(*w))
                faults << u"%1: \"%2\": %3"_s.arg(where, shown->text, *problem);
        }
    }

    // A box of the program, open: wide enough for its title in the title bar's bold face,
    // beside the bar's icon and buttons.
    void box(const QWidget& box, const QString& kind)
    {
        QFont face(u"Sans"_s);
        face.setPointSizeF(9);
        face.setBold(true);
        const int needed = QFontMetrics(face).horizontalAdvance(box.windowTitle()) + 100;
        ++boxes;
        if (box.width() < needed)
            faults << u"%1 \"%2\" at %3: %4 pixels wide, its title needs %5"_s.arg(kind, box.windowTitle(), where_).arg(box.width()).arg(needed);
    }

    QStringList faults;
    int boxes = 0;
    int compared = 0; // controls whose pixels were compared
    int marks = 0;    // numbers drawn as the mark

private:
    void whole(const QWidget& window, const QString& state)
    {
        const auto* form = qobject_cast<const kiv::Form*>(&window);
        if (!form || form->fittedArea().isEmpty() || !client_.isValid())
            return;
        const QRect area(QPoint(0, 0), client_);
        for (const QWidget* w : window.findChildren<QWidget*>()) {
            // The one-year entry window's spare box lies beyond its right edge by design.
            if (!w->isVisible() || w->window() != &window || w->objectName() == u"txtTotAssets"
                || !(form->item(w) || w->parentWidget() == &window))
                continue;
            const QRect at(w->mapTo(&window, QPoint(0, 0)), w->size());
            if (!area.contains(at))
                faults << u"%1%2 at %3: %4,%5 %6x%7 reaches past the window's %8 x %9 pixels"_s
                              .arg(describe(w), state.isEmpty() ? QString() : u" ("_s + state + u')', where_)
                              .arg(at.x()).arg(at.y()).arg(at.width()).arg(at.height()).arg(area.width()).arg(area.height());
        }
    }

    QString where_;
    QSize client_;
};

// The program's boxes as they really open, each measured, closed, and then answered from the
// script of the test's program.
class MeasuredBoxes : public kiv::DialogProvider {
public:
    MeasuredBoxes(kivtest::ScriptedDialogs& script, Findings& findings)
        : script_(script)
        , findings_(findings)
        , real_([] { return static_cast<int>(gLanguage); })
        , previous_(kiv::setDialogProvider(this))
    {
    }
    ~MeasuredBoxes() override { kiv::setDialogProvider(previous_); }
    MeasuredBoxes(const MeasuredBoxes&) = delete;
    MeasuredBoxes& operator=(const MeasuredBoxes&) = delete;

    int message(const QString& prompt, int style, const QString& title) override
    {
        measure(u"message box"_s);
        real_.message(prompt, style, title);
        return script_.message(prompt, style, title);
    }
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        measure(u"input box"_s);
        real_.input(prompt, title, defaultText);
        return script_.input(prompt, title, defaultText);
    }

private:
    void measure(const QString& kind)
    {
        QTimer::singleShot(0, [this, kind] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) {
                findings_.faults << kind + u" did not open"_s;
                return;
            }
            findings_.box(*box, kind);
            if (auto* dialog = qobject_cast<QDialog*>(box))
                dialog->done(0);
        });
    }

    kivtest::ScriptedDialogs& script_;
    Findings& findings_;
    kiv::QtDialogProvider real_;
    kiv::DialogProvider* previous_;
};

// Every input box opens as it really does and is pictured, then closed and answered from the
// script; message boxes are answered from the script alone.
class PicturedInputBoxes : public kiv::DialogProvider {
public:
    PicturedInputBoxes(kivtest::ScriptedDialogs& script, std::function<void(QWidget&)> picture)
        : script_(script)
        , picture_(std::move(picture))
        , real_([] { return static_cast<int>(gLanguage); })
        , previous_(kiv::setDialogProvider(this))
    {
    }
    ~PicturedInputBoxes() override { kiv::setDialogProvider(previous_); }
    PicturedInputBoxes(const PicturedInputBoxes&) = delete;
    PicturedInputBoxes& operator=(const PicturedInputBoxes&) = delete;

    int message(const QString& prompt, int style, const QString& title) override { return script_.message(prompt, style, title); }
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        QTimer::singleShot(0, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                picture_(*dialog);
                dialog->done(0);
            }
        });
        real_.input(prompt, title, defaultText);
        return script_.input(prompt, title, defaultText);
    }

private:
    kivtest::ScriptedDialogs& script_;
    std::function<void(QWidget&)> picture_;
    kiv::QtDialogProvider real_;
    kiv::DialogProvider* previous_;
};

// ---- driving the program -----------------------------------------------------------------

void typeInto(QWidget* window, const QString& box, const QString& text)
{
    auto* edit = window->findChild<kiv::TextBox*>(box);
    QVERIFY2(edit, qPrintable(box));
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

using Figures = std::vector<std::pair<QString, QString>>;

// A balanced statement of ordinary figures, and one whose percentages and ratios run to five
// digits on either side of zero (total assets 100), some of them not computable ("...").
const Figures kOneYearSample = {
    {u"txtCash"_s, u"1000"_s}, {u"txtAr"_s, u"250"_s}, {u"txtInv"_s, u"200"_s}, {u"txtAccountsPayable"_s, u"450"_s},
    {u"txtBanks"_s, u"50"_s}, {u"txtShareC"_s, u"950"_s}, {u"txtCurrentAssets"_s, u"300"_s}, {u"txtCurrentLiabilities"_s, u"200"_s},
    {u"txtOperatingRevenue"_s, u"400"_s}, {u"txtSales"_s, u"1000"_s}, {u"txtGrossProfit"_s, u"400"_s},
    {u"txtOperatingProfit"_s, u"100"_s}, {u"txtInterestExpense"_s, u"20"_s}, {u"txtPretaxProfit"_s, u"80"_s},
    {u"txtProfitAfterTax"_s, u"50"_s}};
const Figures kOneYearWidest = {
    {u"txtCash"_s, u"12346"_s}, {u"txtInv"_s, u"-12246"_s}, {u"txtAccountsPayable"_s, u"12345"_s}, {u"txtRetEarn"_s, u"-12245"_s},
    {u"txtCurrentAssets"_s, u"12345"_s}, {u"txtCurrentLiabilities"_s, u"-12345"_s}, {u"txtOperatingRevenue"_s, u"100"_s},
    {u"txtSales"_s, u"10"_s}, {u"txtGrossProfit"_s, u"-1234.5"_s}, {u"txtOperatingProfit"_s, u"12345.67"_s},
    {u"txtInterestExpense"_s, u"1"_s}, {u"txtPretaxProfit"_s, u"-12345.67"_s}, {u"txtProfitAfterTax"_s, u"12345.67"_s}};
// Balanced at 1, so that the percentages of the balance sheet run to nine digits and the
// margins to eleven, on either side of zero.
const Figures kOneYearLongest = {
    {u"txtCash"_s, u"1000001"_s}, {u"txtInv"_s, u"-1000000"_s}, {u"txtAccountsPayable"_s, u"1000001"_s}, {u"txtRetEarn"_s, u"-1000000"_s},
    {u"txtCurrentAssets"_s, u"123456789"_s}, {u"txtCurrentLiabilities"_s, u"-1"_s}, {u"txtOperatingRevenue"_s, u"1"_s},
    {u"txtSales"_s, u"1"_s}, {u"txtGrossProfit"_s, u"-123456789"_s}, {u"txtOperatingProfit"_s, u"123456789"_s},
    {u"txtInterestExpense"_s, u"1"_s}, {u"txtPretaxProfit"_s, u"-123456789"_s}, {u"txtProfitAfterTax"_s, u"123456789"_s}};

const Figures& oneYearFigures(Contents contents)
{
    return contents == Contents::Sample ? kOneYearSample : contents == Contents::Widest ? kOneYearWidest : kOneYearLongest;
}

Figures threeYearFigures(Contents contents)
{
    const QStringList sample = {u"1000"_s, u"600"_s, u"400"_s, u"1200"_s, u"1100"_s, u"300"_s, u"120"_s, u"100"_s, u"70"_s};
    const QStringList widest = {u"100"_s,     u"200"_s,      u"-100"_s,      u"100"_s,     u"10"_s,
                                u"-1234.5"_s, u"99999999"_s, u"-12345.67"_s, u"12345.67"_s};
    const QStringList longest = {u"1"_s,          u"2"_s,         u"-1"_s,         u"1"_s,        u"1"_s,
                                 u"-123456789"_s, u"123456789"_s, u"-123456789"_s, u"123456789"_s};
    const QStringList items = {u"txtTa"_s, u"txtTliab"_s, u"txtEquity1"_s, u"txtOperatingRevenue"_s, u"txtSales"_s,
                               u"txtGrossProfit"_s, u"txtOperatingProfit"_s, u"txtPretaxProfit"_s, u"txtAfterTaxProfit"_s};
    Figures figures;
    for (const QString& year : {u"Year3"_s, u"Year2"_s, u"Year1"_s})
        for (int i = 0; i < items.size(); ++i)
            figures.emplace_back(items[i] + year, (contents == Contents::Sample ? sample : contents == Contents::Widest ? widest : longest)[i]);
    return figures;
}

// What one walk through the program visits; each step hands the window as the user sees it.
using Visit = std::function<void(kiv::Form&, const QString& state)>;

class Tour {
public:
    Tour(shelltest::ShellProgram& program, int language, Contents contents, Visit visit)
        : program_(program)
        , language_(language)
        , contents_(contents)
        , visit_(std::move(visit))
    {
    }

    void run()
    {
        // Start screen, language, edition menu with every edition there, About.
        const QStringList listing = {u"kiv_vol1.mdb"_s, u"kiv_vol2.mdb"_s, u"kiv_vol3.mdb"_s, u"kiv_QB.mdb"_s, u"kiv_BC.mdb"_s,
                                     u"KIV_OTHER_Metro.mdb"_s};
        program_.listing(listing);
        putEdition(u"kiv_vol1.mdb"_s, u"edition-one-year.mdb"_s);
        putEdition(u"kiv_vol3.mdb"_s, u"edition-three-year.mdb"_s);
        kivtest::useSampleTemplates(program_);
        frmStartMenu().Show();
        visit_(frmStartMenu(), QString());
        click(language_ == 0 ? frmStartMenu().SSCommand2 : frmStartMenu().SSCommand3);
        FrmMenuselect& menu = frmMenuselect();
        visit_(menu, QString());
        click(menu.Aboutproduct);
        visit_(frmIntrAbout(), QString());
        click(frmIntrAbout().ReturntoMenu);

        menu.optVol1->setChecked(true);
        click(menu.Startapp);
        industrySelection();
        oneYear();
        click(frmStartup().BacktoMain);
        menu.optVol3->setChecked(true);
        click(menu.Startapp);
        pickIndustry(frmStartup());
        threeYear();
    }

private:
    void putEdition(const QString& name, const QString& fixture)
    {
        const QString source = contents_ == Contents::Sample ? kivtest::programDir() + u'/' + name : kivtest::jetFixture(fixture);
        program_.addFile(source, name);
    }

    // From the alphabetical list, the industry of the longest name: the one the windows have the
    // most to show of.
    void pickIndustry(FrmStartup& w)
    {
        click(w.cmdSelectList);
        QString pick;
        for (const QString& entry : w.cboIndustry->entries())
            if (entry.size() > pick.size())
                pick = entry;
        kivtest::choose(w.cboIndustry, pick);
    }

    void industrySelection()
    {
        FrmStartup& w = frmStartup();
        visit_(w, u"as opened"_s);
        pickIndustry(w);
        visit_(w, u"alphabetical list"_s);
        click(w.cmdSector);
        kivtest::choose(w.cboSector, w.cboSector->List(0));
        visit_(w, u"sector chosen"_s);
        click(w.cmdKey);
        QTest::keyClicks(w.txtSearch, u"zzzzqq"_s);
        program_.dialogs.answer(kiv::vbOK); // no match
        click(w.cmdSearch);
        visit_(w, u"key word search"_s);
        click(w.cmdSICSearch);
        visit_(w, u"code search"_s);
        pickIndustry(w);

        click(w.cmdShow);
        visit_(frmIndDefinitions(), QString());
        click(frmIndDefinitions().BACK);

        click(w.cmdPrint);
        visit_(frmPrintAll(), QString());
        program_.dialogs.answer(kiv::vbCancel); // the number of pages
        click(frmPrintAll().cmdOK);

        click(w.optView);
        click(w.optRatios);
        click(w.Cmdcontinue);
        visit_(frmCrystalReport(), QString());
        click(frmCrystalReport().cmdChoose);
        exitNo(w, w.cmdQuit, u"Kivob"_s);
    }

    void exitNo(kiv::Form& window, QWidget* quit, const QString& title)
    {
        program_.dialogs.answer(kiv::vbNo);
        click(quit);
        QVERIFY(window.isVisible());
        QCOMPARE(program_.dialogs.last().title, title);
    }

    // The largest size the font-size command gives, then back to the size at load.
    void fontSizes(kiv::Form& window, QWidget* command)
    {
        program_.dialogs.answerInput(u"13"_s);
        click(command);
        visit_(window, u"13 points"_s);
        program_.dialogs.answerInput(u"size"_s); // not a number: told so
        program_.dialogs.answer(kiv::vbOK);
        click(command);
        program_.dialogs.answerInput(u"10"_s);
        click(command);
    }

    // The export dialog over its window, then both programs' file-name questions, cancelled.
    void exports(kiv::Form& window, QWidget* exportButton, kiv::ExportDialog& (*dialog)())
    {
        kiv::sheet::RecordingServers servers;
        click(exportButton);
        visit_(dialog(), QString());
        click(dialog().cmdCancel);
        for (kiv::OptionButton* kiv::ExportDialog::*option : {&kiv::ExportDialog::optExcel, &kiv::ExportDialog::optLotus}) {
            click(exportButton);
            click(dialog().*option);
            program_.dialogs.answerInput(QString());
            click(dialog().cmdOK);
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }
        QVERIFY(window.isEnabled());
    }

    // Every caption that shows a definition, each shown once.
    void definitions(kiv::Form& window)
    {
        for (kiv::ClickLabel* caption : window.findChildren<kiv::ClickLabel*>()) {
            if (!caption->isVisible() || caption->text().trimmed().isEmpty())
                continue;
            program_.dialogs.answer(kiv::vbOK);
            QTest::mouseClick(caption, Qt::LeftButton);
        }
    }

    void enterFigures(kiv::Form& window, const Figures& figures)
    {
        for (const auto& [box, text] : figures)
            typeInto(&window, box, text);
    }

    void oneYear()
    {
        FrmStartup& startup = frmStartup();
        click(startup.optCompare);
        click(startup.Cmdcontinue);
        FrmMyValues& values = frmMyValues();
        // A word typed into an amount box is refused with a message.
        program_.dialogs.answer(kiv::vbOK);
        typeInto(&values, u"txtCash"_s, u"many"_s);
        enterFigures(values, oneYearFigures(contents_));
        visit_(values, QString());
        fontSizes(values, values.CmdFontSize);
        definitions(values);
        exports(values, values.cmdExport, [] () -> kiv::ExportDialog& { return frmExport(); });
        program_.dialogs.answer(kiv::vbNo);
        click(values.cmdCear);
        exitNo(values, values.cmdQuit, u"Kivob"_s);

        click(values.cmdView);
        FrmMyRatios& ratios = frmMyRatios();
        visit_(ratios, QString());
        fontSizes(ratios, ratios.CmdFontSize);
        definitions(ratios);
        exports(ratios, ratios.cmdExport, [] () -> kiv::ExportDialog& { return frmExport(); });
        exitNo(ratios, ratios.cmdQuit, u"Kivob"_s);

        click(ratios.Command1);
        FrmMyBalanceSheet& sheet = frmMyBalanceSheet();
        visit_(sheet, QString());
        fontSizes(sheet, sheet.CmdFontSize);
        definitions(sheet);
        exports(sheet, sheet.cmdExport, [] () -> kiv::ExportDialog& { return frmExport(); });
        exitNo(sheet, sheet.cmdQuit, u"Kivob"_s);
        click(sheet.cmdChoose);
    }

    void threeYear()
    {
        FrmStartup& startup = frmStartup();
        click(startup.optCompare);
        click(startup.Cmdcontinue);
        FrmMyValuesV3& values = frmMyValuesV3();
        enterFigures(values, threeYearFigures(contents_));
        visit_(values, QString());
        fontSizes(values, values.CmdFontSize);
        definitions(values);
        exports(values, values.cmdExport, [] () -> kiv::ExportDialog& { return frmExportV3(); });
        program_.dialogs.answer(kiv::vbNo);
        click(values.cmdClear);
        exitNo(values, values.cmdQuit, u"Kivob Vol3"_s);

        click(values.cmdView);
        FrmMyRatiosV3& ratios = frmMyRatiosV3();
        visit_(ratios, QString());
        fontSizes(ratios, ratios.CmdFontSize);
        definitions(ratios);
        exports(ratios, ratios.cmdExport, [] () -> kiv::ExportDialog& { return frmExportV3(); });
        exitNo(ratios, ratios.cmdQuit, u"Kivob Vol3"_s);
    }

    shelltest::ShellProgram& program_;
    int language_;
    Contents contents_;
    Visit visit_;
};

QSizeF twips(QSize pixels)
{
    return QSizeF(pixels.width() * kiv::fit::kTwipsPerPixel, pixels.height() * kiv::fit::kTwipsPerPixel);
}

} // namespace

Q_DECLARE_METATYPE(Contents)

class TestReadableWindows : public QObject {
    Q_OBJECT
private slots:
    void everyTextFits_data();
    void everyTextFits();
    void focusMarksStandOut_data();
    void focusMarksStandOut();
    void screenshots();
};

void TestReadableWindows::everyTextFits_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<int>("language");
    QTest::addColumn<Contents>("contents");
    // The window manager's frame around a full-screen window: none, or a title bar as tall as
    // window managers draw them at their largest.
    const std::pair<QMargins, const char*> frames[] = {{QMargins(), ""}, {QMargins(0, 40, 0, 0), " under a title bar of 40 pixels"}};
    for (const QSize screen : {QSize(800, 600), QSize(1024, 768), QSize(1280, 1024)})
        for (const auto& [frame, framed] : frames) {
            if (!frame.isNull() && screen != QSize(800, 600))
                continue;
            for (int language : {0, 1})
                for (const auto& [name, contents] : {std::pair{"sample editions", Contents::Sample}, std::pair{"widest contents", Contents::Widest},
                                                     std::pair{"longest figures", Contents::Longest}}) {
                    // ctest runs the rows side by side (CMakeLists.txt).
                    const QString tag = QString::asprintf("%dx%d%s, %s, %s", screen.width(), screen.height(), framed,
                                                          qPrintable(languageName(language)), name);
                    if (kivtest::inThisPart(tag))
                        QTest::newRow(qPrintable(tag)) << screen << frame << language << contents;
                }
        }
}

void TestReadableWindows::everyTextFits()
{
    QFETCH(QSize, screen);
    QFETCH(QMargins, frame);
    QFETCH(int, language);
    QFETCH(Contents, contents);
    if (contents != Contents::Sample)
        KIV_REQUIRE_FIXTURES();
    shelltest::ShellProgram program(twips(screen));
    kiv::setWindowFrameMargins(frame);
    const QString where = u"%1x%2%3, %4"_s.arg(screen.width()).arg(screen.height())
                              .arg(frame.isNull() ? QString() : u" under a %1-pixel title bar"_s.arg(frame.top()))
                              .arg(languageName(language));
    Findings findings(where, screen.shrunkBy(frame));
    MeasuredBoxes boxes(program.dialogs, findings);
    QStringList visited;
    Tour(program, language, contents, [&](kiv::Form& window, const QString& state) {
        visited << window.objectName();
        findings.window(window, state);
    }).run();
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(program.dialogs.pendingAnswers(), std::size_t(0));
    visited.removeDuplicates();
    visited.sort();
    QCOMPARE(visited, (QStringList{u"frmCrystalReport"_s, u"frmExport"_s, u"frmExportV3"_s, u"frmIndDefinitions"_s, u"frmIntrAbout"_s,
                                   u"frmMenuselect"_s, u"frmMyBalanceSheet"_s, u"frmMyRatios"_s, u"frmMyRatiosV3"_s, u"frmMyValues"_s,
                                   u"frmMyValuesV3"_s, u"frmPrintAll"_s, u"frmStartMenu"_s, u"frmStartup"_s}));
    QVERIFY2(findings.boxes >= 50, qPrintable(QString::number(findings.boxes)));
    QVERIFY2(findings.compared >= 1000, qPrintable(QString::number(findings.compared)));
    // Figures of nine digits and more do not fit their cells at 800 x 600.
    if (contents == Contents::Longest && screen.width() == 800)
        QVERIFY2(findings.marks > 0, "no figure drawn as the mark");
    if (!findings.faults.isEmpty()) {
        // All of them, past the length of a failure message.
        for (const QString& fault : findings.faults)
            std::fprintf(stderr, "%s\n", qPrintable(fault));
        QFAIL(qPrintable(u"%1 texts and boxes do not fit (listed above), the first: %2"_s.arg(findings.faults.size()).arg(findings.faults[0])));
    }
}

void TestReadableWindows::focusMarksStandOut_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("French") << 1;
}

// Every button and option button the user can reach, focused, on the background of its window.
void TestReadableWindows::focusMarksStandOut()
{
    QFETCH(int, language);
    shelltest::ShellProgram program(twips(QSize(800, 600)));
    QStringList faults;
    int controls = 0;
    Tour(program, language, Contents::Sample, [&](kiv::Form& window, const QString& state) {
        window.activateWindow();
        // The offscreen platform leaves a dialog inactive over its disabled owner.
        if (!QTest::qWaitForWindowActive(&window) || QApplication::activeWindow() != &window)
            QApplication::setActiveWindow(&window);
        if (QApplication::activeWindow() != &window) {
            faults << window.objectName() + u" does not become active"_s;
            return;
        }
        const QPointer<QWidget> before = QApplication::focusWidget();
        for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
            if (!b->isVisible() || !b->isEnabled() || !(b->focusPolicy() & Qt::TabFocus))
                continue;
            b->clearFocus();
            const QImage plain = b->grab().toImage();
            b->setFocus(Qt::TabFocusReason);
            if (!b->hasFocus()) {
                faults << u"%1 (%2) does not take the focus (%3 is active)"_s.arg(describe(b), state,
                                                                             QApplication::activeWindow() ? QApplication::activeWindow()->objectName() : u"no window"_s);
                continue;
            }
            const QImage marked = b->grab().toImage();
            ++controls;
            if (const std::optional<QString> problem = kivtest::focusMarkProblem(plain, marked))
                faults << u"%1 (%2): %3"_s.arg(describe(b), state, *problem);
            const QImage face = kivtest::facePicture(*b);
            if (face.isNull() || b->text().isEmpty())
                continue;
            if (const std::optional<QString> problem = kivtest::focusMarkCrossesCaption(face, plain.convertToFormat(QImage::Format_ARGB32), marked.convertToFormat(QImage::Format_ARGB32)))
                faults << u"%1 (%2): %3"_s.arg(describe(b), state, *problem);
        }
        if (before)
            before->setFocus(Qt::OtherFocusReason);
    }).run();
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(controls >= 100, qPrintable(QString::number(controls)));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// Every window and input box of the walk (in French with the widest contents, unless told
// otherwise), as the screen shows it: on an X server with a window manager the whole screen,
// title bars included, at the server's size; offscreen the window alone, at KIV_SCREENSHOT_SIZE.
void TestReadableWindows::screenshots()
{
    const QString dir = qEnvironmentVariable("KIV_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("KIV_SCREENSHOT_DIR is not set");
    KIV_REQUIRE_FIXTURES();
    const bool offscreen = QGuiApplication::platformName() == u"offscreen";
    QSize px = QGuiApplication::primaryScreen()->availableGeometry().size();
    const QStringList size = qEnvironmentVariable("KIV_SCREENSHOT_SIZE").split(u'x');
    if (offscreen)
        px = size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize(800, 600);
    QVERIFY(QDir().mkpath(dir));
    const int language = qEnvironmentVariable("KIV_SCREENSHOT_LANGUAGE") == u"English" ? 0 : 1;
    const Contents contents = qEnvironmentVariable("KIV_SCREENSHOT_CONTENTS") == u"longest" ? Contents::Longest : Contents::Widest;
    shelltest::ShellProgram program(twips(px));
    program.dialogs.acceptAll();
    const QString suffix = u"-%1x%2-%3.png"_s.arg(px.width()).arg(px.height()).arg(language == 0 ? u"en"_s : u"fr"_s);
    const auto shoot = [&](QWidget& window, const QString& name) {
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPixmap shot;
        if (offscreen) {
            shot = window.grab();
        } else {
            QTest::qWait(700); // the window manager's frame drawn
            shot = window.screen()->grabWindow(0);
        }
        QVERIFY(shot.save(dir + u'/' + name + suffix));
    };
    int inputs = 0;
    PicturedInputBoxes boxes(program.dialogs, [&](QWidget& box) { shoot(box, u"input-%1"_s.arg(++inputs, 2, 10, QChar(u'0'))); });
    Tour(program, language, contents, [&](kiv::Form& window, const QString& state) {
        QString name = window.objectName();
        if (!state.isEmpty())
            name += u'-' + QString(state).replace(u' ', u'-');
        shoot(window, name);
    }).run();
}

KIV_TEST_MAIN(TestReadableWindows)
#include "tst_readable_windows.moc"
