// The one-year entry window's export: its Export button and its two export operations.
#include "shell/module1.h"
#include "values/export.h"
#include "values/frm_export.h"
#include "values/frm_my_values.h"

namespace {

void exportFigures(FrmMyValues& window, kiv::exports::Program program)
{
    using namespace kiv::exports;
    ExportToSpreadsheet(exportOperation(myValuesExport(), program, kiv::industryCodeText(),
                                        kiv::windowCells(window, myValuesLayout(gLanguage))));
}

} // namespace

void FrmMyValues::cmdExport_Click()
{
    kiv::openExportDialog(kiv::exports::OwnerSlot::OneYearValues, *this);
}

void FrmMyValues::cmdExcMV_Click()
{
    exportFigures(*this, kiv::exports::Program::Excel);
}

void FrmMyValues::cmdLotusMV_Click()
{
    exportFigures(*this, kiv::exports::Program::Lotus);
}
