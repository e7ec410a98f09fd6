// Opening an edition and searching its industries, on a generated edition of 10,000
// industries, each time beside a bare libsqlite3 scan of the same columns measured in the same
// run. Prints one line per measurement: median of the runs, the baseline and their ratio.
//
//   kiv_bench_industry_search [runs]
#include "industry/frm_startup.h"
#include "industry/industry_module.h"
#include "platform/db/database.h"
#include "platform/dialogs.h"
#include "shell/app_setup.h"
#include "shell/frm_menuselect.h"
#include "shell/module1.h"
#include "generated_edition.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

namespace {

constexpr int kIndustries = 10000;

// Answers every box with its first button and counts them: a measured search must ask nothing.
class SilentDialogs : public kiv::DialogProvider {
public:
    int message(const QString&, int, const QString&) override
    {
        ++asked;
        return kiv::vbOK;
    }
    QString input(const QString&, const QString&, const QString&) override
    {
        ++asked;
        return QString();
    }
    int asked = 0;
};

// ---- baselines: bare libsqlite3 scans ------------------------------------------------------

volatile std::size_t gSink = 0;

void scan(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        std::abort();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        std::abort();
    std::size_t sum = 0;
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < n; ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_TEXT:
                sum += static_cast<std::size_t>(sqlite3_column_bytes(st, c)) + (sqlite3_column_text(st, c)[0]);
                break;
            case SQLITE_NULL:
                break;
            default:
                sum += static_cast<std::size_t>(sqlite3_column_double(st, c));
                break;
            }
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    gSink = gSink + sum;
}

// ---- measuring ------------------------------------------------------------------------------

double medianMs(int runs, const std::function<void()>& f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char* what, double ms, double baselineMs, double goal)
{
    const double ratio = ms / baselineMs;
    std::printf("%-44s %9.2f ms   baseline %9.2f ms   ratio %5.2f  (goal <= %.0f: %s)\n", what, ms, baselineMs, ratio,
                goal, ratio <= goal ? "met" : "NOT met");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kiv::setupApplication(app);
    SilentDialogs dialogs;
    kiv::setDialogProvider(&dialogs);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 7;

    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/kiv_vol1.mdb");
    {
        std::mt19937 rng(2000);
        QElapsedTimer t;
        t.start();
        kiv::db::writeDatabase(path, {kivbench::industries(rng, kIndustries), kivbench::sectors()});
        std::printf("generated %d industries (79 columns) in %.0f ms\n", kIndustries, static_cast<double>(t.elapsed()));
    }

    gLanguage = 0;
    gLangLetter = QStringLiteral("E");
    gDescField = QStringLiteral("IndustryDescriptionE");
    gDataPath = dir.path();
    frmMenuselect().optVol1->setChecked(true);
    FrmStartup& w = frmStartup(); // the first opening, not measured

    std::printf("%d runs each, median\n", runs);

    const double openFill = medianMs(runs, [&] {
        w.cboIndustry->Clear();
        w.cboSector->Clear();
        kiv::OpenIndustryData();
        kiv::LoadSectorList();
    });
    const double openBase = medianMs(runs, [&] {
        scan(path, "SELECT * FROM KIV_DATA");
        scan(path, "SELECT * FROM Category");
    });
    report("open edition, fill both lists", openFill, openBase, 3);

    auto search = [&](const QString& key, const QString& wordForm, const QString& searchIn) {
        w.cmdKey_Click();
        w.cboWordForms->setText(wordForm);
        w.cboSearchIn->setText(searchIn);
        w.txtSearch->setText(key);
        w.cmdSearch_Click();
    };
    const int before = dialogs.asked;
    const double some = medianMs(runs, [&] { search(QStringLiteral("storefront"), QStringLiteral("Some"), QStringLiteral("Definition")); });
    const int someHits = w.cboIndustry->ListCount();
    const double someBase = medianMs(runs, [&] { scan(path, "SELECT IndustryDescriptionE, DEFINITIONSE FROM KIV_DATA"); });
    report("\"Some\" search in definitions", some, someBase, 2);

    const double exact = medianMs(runs, [&] { search(QStringLiteral("stores"), QStringLiteral("Exact"), QStringLiteral("Title")); });
    const int exactHits = w.cboIndustry->ListCount();
    const double exactBase = medianMs(runs, [&] { scan(path, "SELECT IndustryDescriptionE FROM KIV_DATA"); });
    report("exact search in names", exact, exactBase, 2);
    std::printf("hits: %d (some), %d (exact); boxes asked: %d\n", someHits, exactHits, dialogs.asked - before);

    kiv::resetAllForms();
    return 0;
}
