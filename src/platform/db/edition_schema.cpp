#include "platform/db/edition_schema.h"

namespace kiv::db::schema {

namespace {

QStringList split(QStringView words)
{
    QStringList list;
    for (QStringView w : words.split(u' ', Qt::SkipEmptyParts))
        list << w.toString();
    return list;
}

} // namespace

const QStringList& sharedKivDataColumns()
{
    static const QStringList c = split(u"Industry SIC IndustryDescriptionE IndustryDescriptionF DEFINITIONSE DEFINITIONSF Category");
    return c;
}

const QStringList& oneYearQuartileColumns()
{
    static const QStringList c = split(
        u"NpmQ1 NpmQ2 NPMQ3 PpmQ1 PpmQ2 PpmQ3 OpmQ1 OpmQ2 OpmQ3 GpmQ1 GpmQ2 GpmQ3 "
        u"OrttnoaQ1 OrttnoaQ2 OrttnoaQ3 RnoaQ1 RnoaQ2 RnoaQ3 PpaQ1 PpaQ2 PpaQ3 RceQ1 RceQ2 RceQ3 "
        u"ReQ1 ReQ2 ReQ3 RtQ1 RtQ2 RtQ3 ItQ1 ItQ2 ItQ3 WcQ1 WcQ2 WcQ3 DeQ1 DeQ2 DeQ3 "
        u"LtaQ1 LtaQ2 LtaQ3 IcQ1 IcQ2 IcQ3");
    return c;
}

const QStringList& balanceSheetColumns()
{
    static const QStringList c = split(
        u"A11 A12 A13 A18 A19 TOTOA A14 A151617 TOTASS A22 A25100 A25200 A25500 A25400 "
        u"A25180 A24 A2329 A27 TOTLIAB A31 A38 A283334 TOTSE TOTLSE CURASS CURLIAB");
    return c;
}

const QStringList& threeYearQuartileColumns()
{
    static const QStringList c = [] {
        QStringList list;
        for (const char16_t* ratio : {u"NPM", u"PPM", u"GPM", u"PPA", u"ROE", u"LTA"})
            for (int year = 1; year <= 3; ++year)
                for (int q = 1; q <= 3; ++q)
                    list << QString::fromUtf16(ratio) + u'Q' + QString::number(q) + u'_' + QString::number(year);
        return list;
    }();
    return c;
}

const QStringList& oneYearKivDataColumns()
{
    static const QStringList c = sharedKivDataColumns() + QStringList{QStringLiteral("NumberOfFirms")}
                                 + oneYearQuartileColumns() + balanceSheetColumns();
    return c;
}

const QStringList& threeYearKivDataColumns()
{
    static const QStringList c = sharedKivDataColumns() + threeYearQuartileColumns();
    return c;
}

const QStringList& categoryColumns()
{
    static const QStringList c = split(u"Category NameE NameF");
    return c;
}

const QStringList& myValueV12Columns()
{
    static const QStringList c = split(
        u"Cash Ar Inv CA OA Toa Invest Ptfl Ta OperatingRevenue Sales GrossProfit "
        u"OperatingProfit InterestExpense PretaxProfit ProfitAfterTax AccountsPayable "
        u"Banks Paper Mtg Bonds Ol AmtsAffil OLiab DefTax Tliab ShareC RetEarn OtherSur "
        u"Equity1 TotLiabShareEq CurrentAssets CurrentLiabilities");
    return c;
}

const QStringList& myValueV3Columns()
{
    static const QStringList c = [] {
        QStringList list;
        for (const char16_t* year : {u"Year3", u"Year2", u"Year1"})
            for (const char16_t* item : {u"Ta", u"Tliab", u"Equity1", u"OperatingRevenue", u"Sales", u"GrossProfit",
                                         u"OperatingProfit", u"PretaxProfit", u"AfterTaxProfit"})
                list << QString::fromUtf16(item) + QString::fromUtf16(year);
        return list;
    }();
    return c;
}

const QStringList& oneYearPercentStems()
{
    static const QStringList c = split(u"Npm Ppm Opm Gpm Orttnoa Rnoa Ppa Rce Re");
    return c;
}

const QStringList& threeYearPercentStems()
{
    static const QStringList c = split(u"NPM PPM GPM PPA ROE");
    return c;
}

ColumnType columnType(QStringView table, QStringView column)
{
    auto in = [&](const QStringList& list) {
        for (const QString& c : list)
            if (sameText(c, column))
                return true;
        return false;
    };
    if (sameText(table, u"Category"))
        return ColumnType::Text;
    if (sameText(table, u"KIV_DATA")) {
        if (sameText(column, u"Industry") || sameText(column, u"NumberOfFirms"))
            return ColumnType::Long;
        if (in(sharedKivDataColumns()))
            return ColumnType::Text;
        if (in(balanceSheetColumns()))
            return ColumnType::Single;
    }
    return ColumnType::Double;
}

} // namespace kiv::db::schema
