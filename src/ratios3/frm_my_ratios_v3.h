#pragma once
#include "platform/controls.h"
#include "platform/form.h"
#include "values/export_window.h"

// The three-year ratio comparison window. (Being built: only its export so far.)
class FrmMyRatiosV3 : public kiv::Form, public kiv::ExportOwnerAt<kiv::exports::OwnerSlot::ThreeYearRatios> {
    Q_OBJECT
public:
    FrmMyRatiosV3();

    kiv::Label* lblSice;            // the industry code text as this window shows it
    kiv::CommandButton* cmdExport;  // "Export"
    kiv::CommandButton* cmdExcMR;   // invisible: the Excel export
    kiv::CommandButton* cmdLotusMR; // invisible: the Lotus export

    void cmdExport_Click();
    void cmdExcMR_Click();
    void cmdLotusMR_Click();

    void excel() override { cmdExcMR_Click(); }
    void lotus() override { cmdLotusMR_Click(); }
    kiv::Form& form() override { return *this; }

private:
    void exportTo(kiv::exports::Program program);
};
KIV_FORM_ACCESSOR(FrmMyRatiosV3, frmMyRatiosV3)
