#include "ratios3/frm_my_ratios_v3.h"

#include "shell/module1.h"
#include "values/frm_export.h"

FrmMyRatiosV3::FrmMyRatiosV3()
    : Form(QStringLiteral("frmMyRatiosV3"))
{
    setDesignSize(12000, 9000);
    lblSice = addControl(new kiv::Label(QStringLiteral("lblSice"), this), kiv::fit::Kind::Label, 1000, 600, 3000, 285);
    cmdExport = addControl(new kiv::CommandButton(QStringLiteral("cmdExport"), this), kiv::fit::Kind::CommandButton, 1000, 8000, 1500, 400);
    cmdExport->setText(QStringLiteral("Export"));
    cmdExcMR = addControl(new kiv::CommandButton(QStringLiteral("cmdExcMR"), this), kiv::fit::Kind::CommandButton, 0, 0, 100, 100);
    cmdExcMR->setText(QStringLiteral("Excel"));
    cmdExcMR->setVisible(false);
    cmdLotusMR = addControl(new kiv::CommandButton(QStringLiteral("cmdLotusMR"), this), kiv::fit::Kind::CommandButton, 0, 0, 100, 100);
    cmdLotusMR->setText(QStringLiteral("Lotus"));
    cmdLotusMR->setVisible(false);
    connect(cmdExport, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::cmdExport_Click);
    connect(cmdExcMR, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::cmdExcMR_Click);
    connect(cmdLotusMR, &kiv::CommandButton::Click, this, &FrmMyRatiosV3::cmdLotusMR_Click);
}

void FrmMyRatiosV3::cmdExport_Click()
{
    kiv::openExportDialog(kiv::exports::OwnerSlot::ThreeYearRatios, *this);
}

void FrmMyRatiosV3::cmdExcMR_Click()
{
    exportTo(kiv::exports::Program::Excel);
}

void FrmMyRatiosV3::cmdLotusMR_Click()
{
    exportTo(kiv::exports::Program::Lotus);
}

void FrmMyRatiosV3::exportTo(kiv::exports::Program program)
{
    // The code comes from the industry selection in English and from this window in French.
    const QString code = gLanguage == 0 ? kiv::industryCodeText() : lblSice->text();
    // The comparison's cells come with the window's content.
    kiv::exports::ExportToSpreadsheet(kiv::exports::exportOperation(kiv::exports::threeYearRatiosExport(), program, code, {}));
}
