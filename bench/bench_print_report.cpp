// Printing a whole edition's ratio report, on a generated edition of 600 industries, with no
// printer set up (a PDF file), beside a floor measured in the same run: QPdfWriter painting the
// same texts at the same places with QPainter and nothing else. Prints the median of the runs,
// the floor and their ratio.
//
//   kiv_bench_print_report [runs]
//   kiv_bench_print_report --edition FOLDER   writes the edition and its ratio template into
//                                             FOLDER (to try the print by hand) and ends
//
// Goal: the print menu's whole-edition ratio report within 3 times the floor.
#include "generated_edition.h"
#include "industry/frm_print_all.h"
#include "industry/frm_startup.h"
#include "industry/industry_reports.h"
#include "platform/dialogs.h"
#include "platform/printer_qt.h"
#include "platform/report/report.h"
#include "shell/app_setup.h"
#include "shell/frm_menuselect.h"
#include "shell/module1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <random>

namespace {

constexpr int kIndustries = 600;

// Answers every box with its first button and keeps the last message: the page count is
// confirmed and the PDF file named.
class SilentDialogs : public kiv::DialogProvider {
public:
    int message(const QString& prompt, int, const QString&) override
    {
        ++asked;
        last = prompt;
        return kiv::vbOK;
    }
    QString input(const QString&, const QString&, const QString&) override { return QString(); }
    int asked = 0;
    QString last;
};

QPageLayout letterQuarterInch()
{
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18), QPageLayout::Point);
}

// The floor: the sheets' texts drawn at their places, in their fonts (made beforehand), on a
// QPdfWriter of the same page and resolution; nothing else.
void drawFloor(const QString& path, const std::vector<kiv::Sheet>& sheets, const std::map<QString, QFont>& fonts)
{
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(letterQuarterInch());
    QPainter painter(&writer);
    const QFont* current = nullptr;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (i > 0)
            writer.newPage();
        for (const kiv::SheetText& t : sheets[i].texts) {
            const QFont& f = fonts.at(t.font.face + QString::number(t.font.size) + QChar(t.font.bold ? u'b' : u'-')
                                      + QChar(t.font.italic ? u'i' : u'-'));
            if (current != &f) {
                painter.setFont(f);
                current = &f;
            }
            painter.drawText(QPointF(t.x, t.baseline), t.text);
        }
    }
}

double medianMs(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double elapsedMs(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home; // the documents folder where the printouts go
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    QApplication app(argc, argv);
    kiv::setupApplication(app);
    SilentDialogs dialogs;
    kiv::setDialogProvider(&dialogs);
    kiv::QtPrinter printer(kiv::QtPrinter::Target::PdfOnly);
    kiv::setPrinter(&printer);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;

    QTemporaryDir data;
    const bool editionOnly = argc > 2 && QByteArrayView(argv[1]) == "--edition";
    const QString folder = editionOnly ? QString::fromLocal8Bit(argv[2]) : data.path();
    {
        std::mt19937 rng(2000);
        kiv::db::writeDatabase(folder + QStringLiteral("/kiv_vol1.mdb"), {kivbench::industries(rng, kIndustries), kivbench::sectors()});
        for (const char* name : {"/kiv_v1_rat_e.rpt", "/kiv_v1_rat_f.rpt", "/kiv_v1_bs_e.rpt", "/kiv_v1_bs_f.rpt"}) {
            QFile templ(folder + QString::fromLatin1(name));
            if (!templ.exists() && !templ.open(QIODevice::WriteOnly))
                return 1;
        }
    }
    if (editionOnly)
        return 0;
    gLanguage = 0;
    gLangLetter = QStringLiteral("E");
    gDescField = QStringLiteral("IndustryDescriptionE");
    gDataPath = data.path();
    frmMenuselect().optVol1->setChecked(true);
    FrmStartup& startup = frmStartup(); // opens the edition
    FrmPrintAll& menu = frmPrintAll();
    menu.Show();
    menu.optPrintFR->setChecked(true);

    // The report's pages as the printer lays them out, for the floor to draw.
    const auto t = kiv::report::parseTemplateName(QStringLiteral("kiv_v1_rat_e.rpt"), kiv::industry::reportEditions());
    kiv::PageDocument report;
    const double building = elapsedMs([&] { report = kiv::report::buildReport(*gRSData, kiv::report::Selection{}, *t); });
    QPdfWriter layoutDevice(home.path() + QStringLiteral("/layout.pdf"));
    layoutDevice.setResolution(1200);
    layoutDevice.setPageLayout(letterQuarterInch());
    const auto metrics = kiv::deviceMetrics(&layoutDevice);
    const QRect area = layoutDevice.pageLayout().paintRectPixels(layoutDevice.resolution());
    std::vector<kiv::Sheet> sheets;
    const double laying = elapsedMs([&] { sheets = kiv::sheetsOf(report, *metrics, area.width(), area.height(), 1200 / 72.0); });
    std::map<QString, QFont> fonts;
    std::size_t texts = 0;
    for (const kiv::Sheet& sheet : sheets) {
        texts += sheet.texts.size();
        for (const kiv::SheetText& s : sheet.texts)
            fonts.emplace(s.font.face + QString::number(s.font.size) + QChar(s.font.bold ? u'b' : u'-') + QChar(s.font.italic ? u'i' : u'-'),
                          QFont(kiv::printFont(s.font), &layoutDevice));
    }
    std::printf("%d industries: %zu sheets, %zu texts; the pages built in %.0f ms, laid out in %.0f ms (once, fonts new)\n",
                kIndustries, sheets.size(), texts, building, laying);
    std::printf("%d runs each, alternately, median\n", runs);

    const QString documents = home.path() + QStringLiteral("/Documents");
    std::vector<double> program, floor;
    qint64 programBytes = 0, floorBytes = 0;
    for (int i = 0; i < runs; ++i) {
        program.push_back(elapsedMs([&] { menu.cmdOK_Click(); }));
        const QString pdf = dialogs.last.mid(dialogs.last.lastIndexOf(u'\n') + 1);
        programBytes = QFileInfo(pdf).size();
        if (programBytes == 0) {
            std::printf("the report was not printed: %s\n", qPrintable(dialogs.last));
            return 1;
        }
        QFile::remove(pdf);
        menu.Show();

        const QString path = documents + QStringLiteral("/floor.pdf");
        floor.push_back(elapsedMs([&] { drawFloor(path, sheets, fonts); }));
        floorBytes = QFileInfo(path).size();
        QFile::remove(path);
    }
    const double p = medianMs(program), f = medianMs(floor);
    std::printf("whole-edition ratio report to PDF   %9.1f ms  (%lld bytes)\n", p, programBytes);
    std::printf("floor: QPdfWriter, the same texts   %9.1f ms  (%lld bytes)\n", f, floorBytes);
    std::printf("ratio %.2f  (goal <= 3: %s)\n", p / f, p / f <= 3 ? "met" : "NOT met");
    (void)startup;
    kiv::resetAllForms();
    return 0;
}
