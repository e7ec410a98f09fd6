#pragma once
// The prepared industry reports: which template a run names, which industries its selection
// formula selects, and what each report shows of an industry. The engine that draws them on
// screen or on paper is report_control.h.
//
// A template is known by its file name only ("kiv_v1_rat_e.rpt": edition, kind, language);
// the file must exist but its content is never read. The figures come from the edition's
// KIV_DATA snapshot. What the engine knows of the editions (how their templates are named, the
// titles their pages bear) it is given by the program, which keeps the edition table.
#include "platform/printer.h"

#include <QString>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>

namespace kiv::db {
class Snapshot;
class Value;
} // namespace kiv::db

namespace kiv::report {

// A report that cannot run: what went wrong, in the user's language. reported() is true when
// the user has already been told (a printer failure, which the printer reports itself).
class ReportError : public std::runtime_error {
public:
    enum class Code {
        NoTemplate,      // no template named (no edition chosen)
        TemplateMissing, // the named template file is not there
        UnknownTemplate, // a file name that names no edition, kind and language
        FormulaRejected, // a selection formula of another form than the two known ones
        NoData,          // no edition data, or data without a column the report needs
        NoWindow,        // an on-screen run without a parent window
        NoRecords,       // nothing selected to print
        PrintFailed,     // the printer failed (already reported)
    };
    ReportError(Code code, const QString& message, bool reported = false);
    Code code() const { return code_; }
    const QString& message() const { return message_; }
    bool reported() const { return reported_; }

private:
    Code code_;
    QString message_;
    bool reported_;
};

// ---- templates ---------------------------------------------------------------------------

enum class ReportKind {
    Ratios,         // one-year financial ratios: fifteen ratios' quartiles, number of firms
    BalanceSheet,   // one-year balance-sheet structure: the 26 balance-sheet columns
    ThreeYearRatios // three-year ratios: six ratios, three years, three quartiles
};

// One edition as the reports know it, given by the program.
struct ReportEdition {
    QString option;         // the program's name for the edition ("optVol1")
    QString reportPrefix;   // its ratio templates' names ("kiv_v1_rat_" for kiv_v1_rat_e.rpt)
    QString bsReportPrefix; // its balance-sheet templates' names; empty when it has none
    QString otherPrefix;    // an edition without a prefix of its own: "KIV_OTHER_" for KIV_OTHER_<name>_e.rpt
    ReportKind ratiosKind = ReportKind::Ratios; // what its ratio templates show
    QString titleE;         // the title on its pages, in English and in French
    QString titleF;
    bool volume1Code = false; // its industry code is named as in Volume 1 ("SICC"), else "SICE"
};

struct ReportTemplate {
    std::optional<ReportEdition> edition; // the edition named (the other one for KIV_OTHER_...)
    QString otherName;                // KIV_OTHER_<name>_e.rpt: <name>
    ReportKind kind = ReportKind::Ratios;
    int language = 0;                 // 0 English ("_e.rpt"), 1 French ("_f.rpt")
};

// The edition, kind and language a template's file name stands for: the report prefix of one of
// the editions (compared without regard to case), "e" or "f", ".rpt". A path may come before the
// name, with either separator. Empty for any other name.
std::optional<ReportTemplate> parseTemplateName(const QString& path, std::span<const ReportEdition> editions);

// The title of a template's edition in its language ("Kivob Volume 1", "Kivob Québec").
QString editionTitle(const ReportTemplate& t);

// ---- selection formulas ------------------------------------------------------------------

struct Selection {
    enum class Kind { All, Industry, Sector };
    Kind kind = Kind::All;
    double industry = 0; // Industry: the industry number
    QString sector;      // Sector: the sector code, quotes undoubled
};

// Reads the two formula forms the program builds, and nothing else:
//   {KIV_DATA.Industry}= 123        one industry by number
//   {KIV_DATA.CATEGORY}= 'A'        one sector by code; a quote inside the code is doubled
// Names are compared without regard to case and blanks around "=" don't matter; an empty
// formula selects every industry. Anything else throws ReportError (FormulaRejected).
Selection parseSelectionFormula(const QString& formula);

// The formulas for one industry (its Industry value) and for one sector (its code).
QString industryFormula(const db::Value& industry);
QString sectorFormula(const QString& sectorCode);

// Whether the selection takes the row: the same number, or the same sector code compared
// without regard to case.
bool selects(const Selection& selection, const db::Snapshot& data, int row);

// ---- what a report shows ------------------------------------------------------------------

// The columns of KIV_DATA a report of this kind reads; a snapshot that lacks one cannot run it.
QStringList requiredColumns(ReportKind kind);

// One industry's report page (row of the snapshot), in the template's language: the edition's
// title, the report's title, the industry's number, code and name, then the kind's table.
// Quartiles of 0 or Null read "..." (no value); numbers are written "###0.00".
Page reportPage(const db::Snapshot& data, int row, const ReportTemplate& t);

// The title of a template's report: its edition's title, " - ", the report's own title, in its
// language ("Kivob Volume 1 - Financial ratios"). It names the printout and its PDF file.
QString reportTitle(const ReportTemplate& t);

// Every industry the selection takes, one page each, in the snapshot's order, titled
// reportTitle(t). Throws ReportError (NoData) when the snapshot lacks a column the kind needs.
// The ticker is told after each row of the snapshot; when it says stop, the report ends there,
// incomplete.
PageDocument buildReport(const db::Snapshot& data, const Selection& selection, const ReportTemplate& t,
                         PrintTicker* ticker = nullptr);

// The page shown when the selection takes no industry.
Page emptyReportPage(const ReportTemplate& t);

} // namespace kiv::report
