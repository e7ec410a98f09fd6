#pragma once
// The report control: the program's report engine, set up and run the way a window runs a
// prepared report.
//
//   CrystalReport1.setEditions(the program's editions);   once
//   CrystalReport1.setReportFileName(dataFolder + u"/kiv_v1_rat_e.rpt"_s);
//   CrystalReport1.setSelectionFormula(kiv::report::industryFormula(industry));
//   CrystalReport1.setDataSource(the edition's KIV_DATA snapshot);
//   CrystalReport1.setDestination(kiv::report::crptToWindow);
//   CrystalReport1.setWindowParentHandle(&window);
//   CrystalReport1.setWindowTop(50);   ... Height, Left, Width (pixels inside the parent)
//   CrystalReport1.setAction(1);       // runs now; throws kiv::report::ReportError
//
// On screen the report is a scrollable view filling the given rectangle of the parent window;
// to the printer every selected industry is printed on a page of its own, through the printer
// layer (so a system without a printer gets a PDF). The settings stay between runs.
#include "platform/printer.h"
#include "platform/report/report.h"

#include <QObject>
#include <QPointer>
#include <QTextEdit>
#include <memory>
#include <vector>

namespace kiv::db {
class Snapshot;
}

namespace kiv::report {

inline constexpr int crptToWindow = 0;
inline constexpr int crptToPrinter = 1;

// The view an on-screen run puts into its parent window (object name "rptView").
class ReportView : public QTextEdit {
    Q_OBJECT
public:
    explicit ReportView(QWidget* parent);
};

class ReportControl : public QObject {
    Q_OBJECT
public:
    explicit ReportControl(QObject* parent = nullptr);
    ~ReportControl() override;

    void setReportFileName(const QString& path) { fileName_ = path; }
    QString reportFileName() const { return fileName_; }
    void setSelectionFormula(const QString& formula) { formula_ = formula; }
    QString selectionFormula() const { return formula_; }
    void setDestination(int destination) { destination_ = destination; }
    int destination() const { return destination_; }
    void setWindowParentHandle(QWidget* parent) { parent_ = parent; }
    QWidget* windowParentHandle() const { return parent_; }
    void setWindowTop(int pixels) { top_ = pixels; }
    void setWindowHeight(int pixels) { height_ = pixels; }
    void setWindowLeft(int pixels) { left_ = pixels; }
    void setWindowWidth(int pixels) { width_ = pixels; }
    int windowTop() const { return top_; }
    int windowHeight() const { return height_; }
    int windowLeft() const { return left_; }
    int windowWidth() const { return width_; }

    // Action 1 runs the report now; any other value does nothing.
    void setAction(int action);
    // Runs the report with the settings made. Throws ReportError when it cannot run: no
    // template named, the template file missing or not a report template's name, a formula
    // of an unknown form, no edition data or data without a needed column, no parent window
    // for the screen, nothing to print, or a printer failure or the user's Cancel of the
    // printout (both already told to the user).
    // Nothing is drawn or printed then, and an earlier view stays as it was.
    void run();

    // The editions whose templates a run knows by name.
    void setEditions(std::vector<ReportEdition> editions) { editions_ = std::move(editions); }
    // The KIV_DATA snapshot a run reads (none: the run cannot read the edition's data). The run
    // never moves its current row.
    void setDataSource(std::shared_ptr<db::Snapshot> data) { data_ = std::move(data); }

    // What the last run drew or printed, and the view it put on screen (null after a print).
    const PageDocument& lastReport() const { return last_; }
    ReportView* view() const { return view_; }

private:
    QString fileName_;
    QString formula_;
    int destination_ = crptToWindow;
    QPointer<QWidget> parent_;
    int top_ = 0, height_ = 0, left_ = 0, width_ = 0;
    std::vector<ReportEdition> editions_;
    std::shared_ptr<db::Snapshot> data_;
    PageDocument last_;
    QPointer<ReportView> view_;
};

} // namespace kiv::report
