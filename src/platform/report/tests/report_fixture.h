#pragma once
// Small KIV_DATA snapshots for the report tests.
#include "platform/db/database.h"
#include "platform/report/report.h"

#include <memory>

namespace reportfixture {

using kiv::db::Value;

struct Industry {
    int number;
    QString sic;
    QString nameE;
    QString nameF;
    QString category;
};

// The columns of a report of this kind plus the definitions, one row per industry. Quartile
// and balance-sheet columns hold the industry number plus the column's place / 100 (101.01,
// 101.02, ...), except where `set` says otherwise.
inline std::shared_ptr<kiv::db::Snapshot> snapshot(kiv::report::ReportKind kind, const std::vector<Industry>& industries,
                                                   const std::function<std::optional<Value>(const Industry&, const QString&)>& set = {})
{
    QStringList columns = kiv::report::requiredColumns(kind);
    columns << QStringLiteral("DEFINITIONSE") << QStringLiteral("DEFINITIONSF");
    std::vector<std::vector<Value>> rows;
    for (const Industry& ind : industries) {
        std::vector<Value> row;
        int place = 0;
        for (const QString& c : columns) {
            if (set) {
                if (const auto v = set(ind, c)) {
                    row.push_back(*v);
                    ++place;
                    continue;
                }
            }
            if (c == u"Industry")
                row.push_back(Value::number(ind.number));
            else if (c == u"SIC")
                row.push_back(Value::text(ind.sic));
            else if (c == u"IndustryDescriptionE")
                row.push_back(Value::text(ind.nameE));
            else if (c == u"IndustryDescriptionF")
                row.push_back(Value::text(ind.nameF));
            else if (c == u"Category")
                row.push_back(Value::text(ind.category));
            else if (c.startsWith(u"DEFINITIONS"))
                row.push_back(Value::text(QStringLiteral("Definition")));
            else if (c == u"NumberOfFirms")
                row.push_back(Value::number(40 + ind.number % 10));
            else
                row.push_back(Value::number(ind.number + place / 100.0));
            ++place;
        }
        rows.push_back(std::move(row));
    }
    return std::make_shared<kiv::db::Snapshot>(QStringLiteral("KIV_DATA"), columns, std::move(rows));
}

// Four editions as the program describes them to the reports: Volume 1 (ratios and balance
// sheet), two regional three-year editions and the other edition.
inline std::vector<kiv::report::ReportEdition> editions()
{
    using kiv::report::ReportKind;
    return {
        {QStringLiteral("optVol1"), QStringLiteral("kiv_v1_rat_"), QStringLiteral("kiv_v1_bs_"), QString(), ReportKind::Ratios,
         QStringLiteral("Kivob Volume 1"), QStringLiteral("Kivob Volume 1"), true},
        {QStringLiteral("optQuebec"), QStringLiteral("kiv_QB_"), QString(), QString(), ReportKind::ThreeYearRatios,
         QStringLiteral("Kivob Quebec"), QStringLiteral("Kivob Québec"), false},
        {QStringLiteral("optOntario"), QStringLiteral("kiv_ON_"), QString(), QString(), ReportKind::ThreeYearRatios,
         QStringLiteral("Kivob Ontario"), QStringLiteral("Kivob Ontario"), false},
        {QStringLiteral("optOther"), QString(), QString(), QStringLiteral("KIV_OTHER_"), ReportKind::ThreeYearRatios,
         QStringLiteral(" "), QStringLiteral(" "), false},
    };
}

inline std::vector<Industry> threeIndustries()
{
    return {
        {101, QStringLiteral("1011, 1012"), QStringLiteral("Poultry farms"), QStringLiteral("Fermes avicoles"), QStringLiteral("A")},
        {102, QStringLiteral("not applicable"), QStringLiteral("Bakeries"), QStringLiteral("Boulangeries"), QStringLiteral("B")},
        {103, QStringLiteral("1031"), QStringLiteral("Dairy farms"), QStringLiteral("Fermes laitières"), QStringLiteral("a")},
    };
}

} // namespace reportfixture
