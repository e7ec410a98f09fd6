#pragma once
#include "platform/controls.h"
#include "platform/form.h"

#include <functional>

// The report window: a full-screen host for one prepared industry report, drawn under a row of
// five buttons (back to the industry selection, compare the firm, switch between the ratios and
// the balance-sheet report, help, exit). The industry selection window builds it, captions its
// buttons and draws the report into it. Every way out that leads elsewhere in the program hides
// it and drops it, so each report is drawn into a fresh window.
class FrmCrystalReport : public kiv::Form {
    Q_OBJECT
public:
    FrmCrystalReport();

    // What the report window asks of the industry selection window, which opens it and tells it
    // these when it is built: the report window reaches it only through them.
    struct Opener {
        std::function<bool()> ratiosChosen;    // its data option asks for the ratios report
        std::function<void()> showSelection;   // it is shown again, its search controls hidden
        std::function<void()> switchReport;    // the other data option is chosen, to be viewed
        std::function<void()> industryReport;  // its report operation for the current industry
        std::function<void()> sectorReport;    // its report operation for the chosen sector
    };
    static void setOpener(Opener opener);

    kiv::CommandButton* cmdChoose = nullptr;
    kiv::CommandButton* cmdSwitchView = nullptr;
    kiv::CommandButton* cmdCompareRatios = nullptr;
    kiv::CommandButton* CmdHelp = nullptr;
    kiv::CommandButton* cmdQuit = nullptr;
    kiv::CommonDialog* CommonDialog1 = nullptr;

    void cmdChoose_Click();
    void cmdCompareRatios_Click();
    void cmdSwitchView_Click();
    void CmdHelp_Click();
    void cmdQuit_Click();

    // The buttons' captions in the user's language; the switch names the other report than
    // the one the industry selection window's data option asks for.
    void captionButtons();

    // Where the report is drawn, in pixels inside the window: 50 down (or under the button row
    // when that is taller), as wide and as high as the window leaves.
    QRect reportRect() const;

    static kiv::fit::Variant fitVariant();

protected:
    void Form_Load() override;
    void Form_Paint() override;
};
KIV_FORM_ACCESSOR(FrmCrystalReport, frmCrystalReport)
