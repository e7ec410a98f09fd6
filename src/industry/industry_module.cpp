#include "industry/industry_module.h"

#include "industry/edition_data.h"
#include "industry/frm_startup.h"
#include "industry/industry_reports.h"
#include "platform/dialogs.h"
#include "shell/edition_choice.h"
#include "shell/module1.h"

namespace kiv {

namespace {
EditionKind chosenKind()
{
    const Edition* e = selectedEdition();
    return e ? e->kind : EditionKind::ThreeYear;
}
} // namespace

void OpenIndustryData()
{
    auto database = industry::openEditionDatabase(editionDatabasePath());
    auto data = industry::readIndustryTable(*database, chosenKind());
    gDB = database;
    gRSData = data;
    FrmStartup& w = frmStartup();
    w.cboIndustry->addEntries(industry::industryNames(*gRSData, gLanguage));
    gIndustryCount = w.cboIndustry->ListCount();
    gRSData->MoveFirst();
}

void LoadSectorList()
{
    auto database = industry::openEditionDatabase(editionDatabasePath());
    auto categories = industry::readSectorTable(*database);
    gDB = database;
    gRSCategory = categories;
    frmStartup().cboSector->addEntries(industry::sectorNames(*gRSCategory, gLanguage));
    gRSCategory->MoveFirst();
}

void SearchIndustries(const QString& key)
{
    FrmStartup& w = frmStartup();
    industry::SearchRequest request;
    request.key = key;
    request.wordForm = w.cboWordForms->Text();
    request.searchIn = w.cboSearchIn->Text();
    request.listByName = gListByName;
    request.language = gLanguage;

    const std::vector<industry::SearchHit> hits = industry::searchIndustries(*gRSData, gRSData->position(), request);
    QStringList entries;
    entries.reserve(static_cast<qsizetype>(hits.size()));
    for (const industry::SearchHit& h : hits)
        entries << h.entry;
    w.cboIndustry->addEntries(entries);
    gRSData->MoveFirst();

    if (!hits.empty()) {
        w.cboIndustry->setVisible(true);
        w.cboIndustry->setListIndex(0);
        w.cboIndustry_Click();
    } else {
        w.cboIndustry->setVisible(false);
        MsgBox(gLanguage == 0 ? QStringLiteral("No match was found") : QStringLiteral("L'item n'a pas été trouver"), vbOKOnly);
    }
}

QString GetReportFileName(const QString& kind)
{
    return industry::reportFileName(selectedEdition(), gOtherDbName, kind, gLanguage);
}

void PrintIndustryIndex()
{
    if (!gDB)
        throw db::DbError(db::DbError::Code::CannotOpen, QString(), QStringLiteral("no edition is open"));
    const auto index = gDB->openSnapshot(QString::fromUtf16(industry::kDataTable));
    printDocument(industry::industryIndexPrintout(*index, selectedEdition(), gLanguage));
}

} // namespace kiv
