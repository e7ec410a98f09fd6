#include "industry/industry_reports.h"

#include "industry/edition_data.h"
#include "platform/db/database.h"
#include "shell/editions.h"

namespace kiv::industry {

QString reportFileName(const Edition* edition, const QString& otherDbName, const QString& kind, int language)
{
    if (!edition)
        return QString();
    const QString letter = language == 0 ? QStringLiteral("e") : QStringLiteral("f");
    if (!edition->reportPrefix) // the other edition: named after its database file
        return u'/' + otherDbName.left(otherDbName.size() - 4) + u'_' + letter + QStringLiteral(".rpt");
    const bool ratios = kind.compare(u"Ratios", Qt::CaseInsensitive) == 0;
    const char16_t* prefix = edition->bsReportPrefix && !ratios ? edition->bsReportPrefix : edition->reportPrefix;
    return u'/' + QString::fromUtf16(prefix) + letter + QStringLiteral(".rpt");
}

std::vector<report::ReportEdition> reportEditions()
{
    const auto text = [](const char16_t* s) { return s ? QString::fromUtf16(s) : QString(); };
    std::vector<report::ReportEdition> out;
    for (const Edition& e : editions()) {
        report::ReportEdition r;
        r.option = text(e.option);
        r.reportPrefix = text(e.reportPrefix);
        r.bsReportPrefix = text(e.bsReportPrefix);
        if (!e.reportPrefix) // the other edition: its templates are named after its database
            r.otherPrefix = QString::fromUtf16(kOtherPrefix);
        r.ratiosKind = e.kind == EditionKind::OneYear ? report::ReportKind::Ratios : report::ReportKind::ThreeYearRatios;
        r.titleE = text(e.titleE);
        r.titleF = text(e.titleF);
        r.volume1Code = QStringView(e.option) == u"optVol1";
        out.push_back(std::move(r));
    }
    return out;
}

PrintDocument industryIndexPrintout(const db::Snapshot& data, const Edition* edition, int language)
{
    const bool french = language != 0;
    const bool volume1 = edition && QStringView(edition->option) == u"optVol1";
    const QString codeLabel = volume1 ? (french ? QStringLiteral("CTI-C") : QStringLiteral("SICC"))
                                      : (french ? QStringLiteral("CTI-E") : QStringLiteral("SICE"));
    const int nameTab = volume1 ? 43 : 15;
    const QString title = edition && edition->titleE ? QString::fromUtf16(french ? edition->titleF : edition->titleE)
                                                     : QStringLiteral(" ");

    PrintDocument doc(french ? QStringLiteral("Index des industries") : QStringLiteral("Industry index"));
    doc.blankLine(2);
    if (title.trimmed().isEmpty())
        doc.blankLine();
    else
        doc.print({title});
    doc.blankLine();
    doc.setFontSize(8);
    doc.setBold(true);
    doc.print({QStringLiteral("#"), Tab(8), codeLabel, Tab(nameTab),
               french ? QStringLiteral("Nom de l'industrie") : QStringLiteral("Industry Name")});
    doc.print({QString(150, u'-')});
    doc.setFontSize(8);
    doc.setBold(false);

    const int industry = data.columnIndex(u"Industry");
    const int code = data.columnIndex(u"SIC");
    const QString nameName = nameColumn(language);
    const int name = data.columnIndex(nameName);
    if (industry < 0 || code < 0 || name < 0)
        throw db::DbError(db::DbError::Code::NoSuchColumn, data.file(),
                          industry < 0 ? QStringLiteral("Industry") : code < 0 ? QStringLiteral("SIC") : nameName);
    for (int row = 0; row < data.rowCount(); ++row)
        doc.print({data.value(row, industry).toText(), Tab(8), data.value(row, code).toText(), Tab(nameTab),
                   data.value(row, name).toText()});
    return doc;
}

PrintDocument industryDefinitionPrintout(const QString& name, const QString& definition, int language)
{
    PrintDocument doc(language == 0 ? QStringLiteral("Industry definition") : QStringLiteral("Définition de l'industrie"));
    doc.setBold(true);
    doc.setFontSize(12);
    doc.print({name});
    doc.blankLine(5);
    doc.setBold(false);
    doc.setFontSize(10);
    doc.print({definition});
    return doc;
}

} // namespace kiv::industry
