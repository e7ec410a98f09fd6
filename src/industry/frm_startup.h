#pragma once
#include "industry/combo_box.h"
#include "industry/edition_data.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/report/report_control.h"

#include <QGroupBox>
#include <QPointer>
#include <functional>
#include <optional>

// The industry selection window ("Main Menu"): the user finds the industry to work on (the
// alphabetical list, the industries of a sector, a keyword search in the names or the
// definitions, a search by industry code), sees its number, code and name, and chooses what
// to do with it. The current industry is the current row of gRSData; this window is the only
// place that moves it, and its three value labels always show that row.
class FrmStartup : public kiv::Form {
    Q_OBJECT
public:
    FrmStartup();

    kiv::CommandButton* BacktoMain = nullptr;
    kiv::CommandButton* cmdPrint = nullptr;
    kiv::CommandButton* CmdHelp = nullptr;
    kiv::CommandButton* cmdQuit = nullptr;
    kiv::ShapeControl* Shape1 = nullptr;
    kiv::Label* Label1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    kiv::OptionButton* optRatios = nullptr;
    kiv::OptionButton* optBalanceSheet = nullptr;
    QGroupBox* frmChoose = nullptr;
    kiv::OptionButton* optView = nullptr;
    kiv::OptionButton* optCompare = nullptr;
    QGroupBox* Frame2 = nullptr;
    kiv::CommandButton* cmdSelectList = nullptr;
    kiv::CommandButton* cmdSector = nullptr;
    kiv::CommandButton* cmdKey = nullptr;
    kiv::CommandButton* cmdSICSearch = nullptr;
    kiv::ComboBox* cboSector = nullptr;
    kiv::Label* lblSearchIn = nullptr;
    kiv::ComboBox* cboSearchIn = nullptr;
    kiv::Label* lblWordForms = nullptr;
    kiv::ComboBox* cboWordForms = nullptr;
    kiv::CommandButton* cmdViewSector = nullptr;
    kiv::Label* lblText = nullptr;
    kiv::Label* lblSICESearch = nullptr;
    kiv::TextBox* txtSearch = nullptr;
    kiv::CommandButton* cmdSearch = nullptr;
    kiv::CommandButton* cmdClear = nullptr;
    kiv::ComboBox* cboIndustry = nullptr;
    kiv::Label* lblNumber = nullptr;
    kiv::Label* lblIndustryNumber = nullptr;
    kiv::Label* lblSic = nullptr;
    kiv::Label* lblSICC = nullptr;
    kiv::Label* lblName = nullptr;
    kiv::Label* lblIndustryName = nullptr;
    kiv::CommandButton* cmdShow = nullptr;
    kiv::CommandButton* Cmdcontinue = nullptr;
    kiv::CommonDialog* CommonDialog1 = nullptr;
    // Draws every on-screen report into the report window; keeps its settings between runs.
    kiv::report::ReportControl* CrystalReport1 = nullptr;

    // ---- handlers ----------------------------------------------------------------------
    void cmdSelectList_Click();
    void cmdSector_Click();
    void cmdKey_Click();
    void cmdSICSearch_Click();
    void cboSector_Click();
    // The industry pick: the row named by the list's text becomes the current industry.
    void cboIndustry_Click();
    void cmdSearch_Click();
    void cmdClear_Click();
    void cmdShow_Click();
    void cmdPrint_Click();
    void CmdHelp_Click();
    void cmdQuit_Click();
    void BacktoMain_Click();
    void optCompare_Click();

    // Public operations: carry the current industry, or the chosen sector, on to its report
    // or to the entry window of the firm's figures.
    void cmdContinue_Click();
    void cmdViewSector_Click();

    // How a comparison window asks for the industry's report: under the hourglass, `choose`
    // sets this window's options to the report wanted, then the report of the current
    // industry, or of the sector after a sector's report, is shown (Continue or the sector's
    // button). True when the report is up; when it cannot be drawn the user stays in the
    // asking window and is told why there, the pointer back.
    bool showReportFor(kiv::Form& asking, const std::function<void()>& choose);

    // The eleven search controls, which the windows that come back here hide.
    std::vector<QWidget*> searchControls() const;
    void hideSearchControls();

    // The screen scaling of this window.
    static kiv::fit::Variant fitVariant();

signals:
    // An industry pick ran (once for every pick, whoever asked for it).
    void Picked();

protected:
    void Form_Load() override;
    void fitAdditions() override;
    void Form_Activate() override;
    void Form_Paint() override;

private:
    // The edition cannot be used: tells the user why, and goes back to the edition menu.
    void leaveForMenu(const kiv::industry::EditionProblem& problem);
    void showCurrentIndustry();
    void setSearchControlsVisible(bool keyword, bool code);
    // Shows the report of the kind for the selection formula in a new report window and hides
    // this one. False when the report could not run: the user has been told why, the window
    // the report was asked from (this one unless another asked) is shown again and no report
    // window is left.
    bool showReport(const QString& kind, const QString& formula);

    std::optional<kiv::industry::EditionProblem> loadProblem_;
    QPointer<kiv::Form> reportAskedFrom_; // another window asking for a report, while it asks
    QString reportFailure_;               // why its report could not be drawn, to be told
};
KIV_FORM_ACCESSOR(FrmStartup, frmStartup)
