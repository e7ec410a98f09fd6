#include "platform/report/report.h"

#include "numbers/numbers.h"
#include "platform/db/database.h"
#include "platform/language.h"
#include "platform/report/report_labels.h"

#include <QRegularExpression>

namespace kiv::report {

namespace {

QString say(const char16_t* english, const char16_t* french)
{
    return QString::fromUtf16(gLanguage == 0 ? english : french);
}

bool startsWithCi(QStringView s, QStringView prefix)
{
    return s.startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

ReportError::ReportError(Code code, const QString& message, bool reported)
    : std::runtime_error(message.toStdString())
    , code_(code)
    , message_(message)
    , reported_(reported)
{
}

// ---- templates ---------------------------------------------------------------------------

std::optional<ReportTemplate> parseTemplateName(const QString& path, std::span<const ReportEdition> editions)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const QString name = path.mid(slash + 1);
    if (!name.endsWith(u".rpt", Qt::CaseInsensitive) || name.size() < 6)
        return std::nullopt;
    const QString stem = name.chopped(4);
    const QChar letter = stem.back().toLower();
    if (letter != u'e' && letter != u'f')
        return std::nullopt;
    const QString prefix = stem.chopped(1); // ends with "_"
    ReportTemplate t;
    t.language = letter == u'e' ? 0 : 1;
    for (const ReportEdition& e : editions) {
        if (!e.reportPrefix.isEmpty() && prefix.compare(e.reportPrefix, Qt::CaseInsensitive) == 0) {
            t.edition = e;
            t.kind = e.ratiosKind;
            return t;
        }
        if (!e.bsReportPrefix.isEmpty() && prefix.compare(e.bsReportPrefix, Qt::CaseInsensitive) == 0) {
            t.edition = e;
            t.kind = ReportKind::BalanceSheet;
            return t;
        }
    }
    for (const ReportEdition& e : editions) {
        if (!e.otherPrefix.isEmpty() && startsWithCi(prefix, e.otherPrefix) && prefix.endsWith(u'_')) {
            t.edition = e;
            t.otherName = prefix.mid(e.otherPrefix.size()).chopped(1);
            t.kind = e.ratiosKind;
            return t;
        }
    }
    return std::nullopt;
}

QString editionTitle(const ReportTemplate& t)
{
    if (!t.edition)
        return QString();
    if (t.edition->reportPrefix.isEmpty()) // the other edition has no title of its own: its name
        return (QStringLiteral("Kivob ") + t.otherName).trimmed();
    return t.language == 0 ? t.edition->titleE : t.edition->titleF;
}

// ---- selection formulas ------------------------------------------------------------------

Selection parseSelectionFormula(const QString& formula)
{
    const auto rejected = [&] {
        return ReportError(ReportError::Code::FormulaRejected,
                           say(u"The report's selection formula \"%1\" is not one the report can read.",
                               u"La formule de sélection du rapport « %1 » n'est pas une formule que le rapport peut lire.")
                               .arg(formula));
    };
    const QString f = formula.trimmed();
    Selection sel;
    if (f.isEmpty())
        return sel;
    // {table.column} = value, and nothing after it.
    static const QRegularExpression form(QStringLiteral(R"(^\{\s*([A-Za-z_][A-Za-z0-9_]*)\s*\.\s*([A-Za-z_][A-Za-z0-9_]*)\s*\}\s*=\s*(.*)$)"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const auto m = form.match(f);
    if (!m.hasMatch() || !db::sameText(m.capturedView(1), u"KIV_DATA"))
        throw rejected();
    const QString value = m.captured(3).trimmed();
    if (db::sameText(m.capturedView(2), u"Industry")) {
        static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+(\.\d*)?|\.\d+)([eE][+-]?\d+)?$)"));
        if (!number.match(value).hasMatch())
            throw rejected();
        bool ok = false;
        sel.industry = value.toDouble(&ok); // QString::toDouble reads the C locale's period
        if (!ok)
            throw rejected();
        sel.kind = Selection::Kind::Industry;
        return sel;
    }
    if (db::sameText(m.capturedView(2), u"Category")) {
        // 'code' with each quote inside doubled.
        if (value.size() < 2 || !value.startsWith(u'\'') || !value.endsWith(u'\''))
            throw rejected();
        QString code;
        for (qsizetype i = 1; i < value.size() - 1; ++i) {
            if (value[i] == u'\'') {
                if (i + 1 >= value.size() - 1 || value[i + 1] != u'\'')
                    throw rejected(); // a lone quote ends the text before its end
                ++i;
            }
            code += value[i];
        }
        sel.kind = Selection::Kind::Sector;
        sel.sector = code;
        return sel;
    }
    throw rejected();
}

QString industryFormula(const db::Value& industry)
{
    return QStringLiteral("{KIV_DATA.Industry}= ") + industry.toText();
}

QString sectorFormula(const QString& sectorCode)
{
    QString code = sectorCode;
    code.replace(u'\'', QStringLiteral("''"));
    return QStringLiteral("{KIV_DATA.CATEGORY}= '") + code + u'\'';
}

bool selects(const Selection& selection, const db::Snapshot& data, int row)
{
    switch (selection.kind) {
    case Selection::Kind::All:
        return true;
    case Selection::Kind::Industry: {
        const db::Value v = data.value(row, u"Industry");
        return !v.isNull() && v.toDouble() == selection.industry;
    }
    case Selection::Kind::Sector: {
        const db::Value v = data.value(row, u"Category");
        return !v.isNull() && db::sameText(v.toText(), selection.sector);
    }
    }
    return false;
}

// ---- pages -------------------------------------------------------------------------------

namespace {

using labels::Text;

// A quartile: a stored 0 or Null is no value.
QString quartile(const db::Value& v)
{
    if (v.isNull() || v.toDouble() == 0)
        return num::noValue();
    return v.ratioText();
}

QString percent(const db::Value& v)
{
    return v.isNull() ? QString() : v.ratioText();
}

PageCell number(const QString& text)
{
    return PageCell{text, false, true, 1};
}

PageCell groupRow(const QString& text, int columns)
{
    return PageCell{text, true, false, columns};
}

QString colon(int language)
{
    return language == 0 ? QStringLiteral(": ") : QStringLiteral(" : ");
}

// Edition title, report title, industry number, code and name.
void header(Page& page, const db::Snapshot& data, int row, const ReportTemplate& t, const Text& title)
{
    const int lang = t.language;
    page.blocks.push_back(PageParagraph{editionTitle(t), 14, true, false});
    page.blocks.push_back(PageParagraph{title.in(lang), 12, true, false});
    page.blocks.push_back(PageParagraph{labels::kIndustry.in(lang) + u' ' + data.value(row, u"Industry").toText(), 10, true, false});
    QString code = data.value(row, u"SIC").toText();
    if (lang == 1 && code.toLower() == u"not applicable")
        code = QStringLiteral("non applicable");
    const bool volume1 = t.edition && t.edition->volume1Code;
    page.blocks.push_back(PageParagraph{(volume1 ? labels::kCodeVolume1 : labels::kCodeOther).in(lang) + colon(lang) + code, 10, false, false});
    page.blocks.push_back(
        PageParagraph{data.value(row, lang == 0 ? u"IndustryDescriptionE" : u"IndustryDescriptionF").toText(), 12, true, false});
}

Page ratiosPage(const db::Snapshot& data, int row, const ReportTemplate& t)
{
    const int lang = t.language;
    Page page;
    header(page, data, row, t, labels::kRatiosTitle);
    page.blocks.push_back(
        PageParagraph{labels::kNumberOfFirms.in(lang) + colon(lang) + data.value(row, u"NumberOfFirms").toText(), 10, false, false});
    PageTable table{{5, 2, 2, 2}, 1, {}};
    table.rows.push_back({{labels::kRatioHead.in(lang)}, number(labels::kQ1Head.in(lang)), number(labels::kMedianHead.in(lang)),
                          number(labels::kQ3Head.in(lang))});
    int group = -1;
    for (const labels::Ratio& r : labels::oneYearRatios()) {
        if (r.group != group) {
            group = r.group;
            table.rows.push_back({groupRow(labels::groups()[static_cast<std::size_t>(group)].in(lang), 4)});
        }
        table.rows.push_back({{r.name.in(lang)}, number(quartile(data.value(row, r.q1))), number(quartile(data.value(row, r.q2))),
                              number(quartile(data.value(row, r.q3)))});
    }
    page.blocks.push_back(std::move(table));
    return page;
}

Page balanceSheetPage(const db::Snapshot& data, int row, const ReportTemplate& t)
{
    const int lang = t.language;
    Page page;
    header(page, data, row, t, labels::kBalanceTitle);
    PageTable table{{5, 2}, 1, {}};
    table.rows.push_back({{labels::kItemHead.in(lang)}, number(labels::kPercentHead.in(lang))});
    for (const labels::BalanceRow& r : labels::balanceRows()) {
        if (!r.column) {
            table.rows.push_back({groupRow(r.name.in(lang), 2)});
            continue;
        }
        PageCell value = number(percent(data.value(row, r.column)));
        value.bold = r.total;
        table.rows.push_back({PageCell{r.name.in(lang), r.total, false, 1}, value});
    }
    page.blocks.push_back(std::move(table));
    return page;
}

Page threeYearPage(const db::Snapshot& data, int row, const ReportTemplate& t)
{
    const int lang = t.language;
    Page page;
    header(page, data, row, t, labels::kThreeYearTitle);
    PageTable table{{5, 1.4, 2, 2, 2}, 1, {}};
    table.rows.push_back({{labels::kRatioHead.in(lang)}, {labels::kYearHead.in(lang)}, number(labels::kQ1Head.in(lang)),
                          number(labels::kMedianHead.in(lang)), number(labels::kQ3Head.in(lang))});
    int group = -1;
    for (const labels::Ratio3& r : labels::threeYearRatios()) {
        if (r.group != group) {
            group = r.group;
            table.rows.push_back({groupRow(labels::groups()[static_cast<std::size_t>(group)].in(lang), 5)});
        }
        bool first = true;
        for (const labels::Year& y : labels::years()) {
            const auto q = [&](int n) {
                return quartile(data.value(row, QStringLiteral("%1Q%2_%3").arg(QString::fromUtf16(r.prefix)).arg(n).arg(y.suffix)));
            };
            table.rows.push_back({{first ? r.name.in(lang) : QString()}, {QString::fromUtf16(y.caption)}, number(q(1)),
                                  number(q(2)), number(q(3))});
            first = false;
        }
    }
    page.blocks.push_back(std::move(table));
    return page;
}

const Text& titleOf(ReportKind kind)
{
    switch (kind) {
    case ReportKind::Ratios:
        return labels::kRatiosTitle;
    case ReportKind::BalanceSheet:
        return labels::kBalanceTitle;
    case ReportKind::ThreeYearRatios:
        break;
    }
    return labels::kThreeYearTitle;
}

} // namespace

QStringList requiredColumns(ReportKind kind)
{
    QStringList columns{QStringLiteral("Industry"), QStringLiteral("SIC"), QStringLiteral("IndustryDescriptionE"),
                        QStringLiteral("IndustryDescriptionF"), QStringLiteral("Category")};
    switch (kind) {
    case ReportKind::Ratios:
        columns << QStringLiteral("NumberOfFirms");
        for (const labels::Ratio& r : labels::oneYearRatios())
            columns << QString::fromUtf16(r.q1) << QString::fromUtf16(r.q2) << QString::fromUtf16(r.q3);
        break;
    case ReportKind::BalanceSheet:
        for (const labels::BalanceRow& r : labels::balanceRows())
            if (r.column)
                columns << QString::fromUtf16(r.column);
        break;
    case ReportKind::ThreeYearRatios:
        for (const labels::Ratio3& r : labels::threeYearRatios())
            for (int y = 1; y <= 3; ++y)
                for (int q = 1; q <= 3; ++q)
                    columns << QStringLiteral("%1Q%2_%3").arg(QString::fromUtf16(r.prefix)).arg(q).arg(y);
        break;
    }
    return columns;
}

Page reportPage(const db::Snapshot& data, int row, const ReportTemplate& t)
{
    switch (t.kind) {
    case ReportKind::Ratios:
        return ratiosPage(data, row, t);
    case ReportKind::BalanceSheet:
        return balanceSheetPage(data, row, t);
    case ReportKind::ThreeYearRatios:
        break;
    }
    return threeYearPage(data, row, t);
}

Page emptyReportPage(const ReportTemplate& t)
{
    Page page;
    page.blocks.push_back(PageParagraph{editionTitle(t), 14, true, false});
    page.blocks.push_back(PageParagraph{titleOf(t.kind).in(t.language), 12, true, false});
    page.blocks.push_back(PageParagraph{labels::kNoIndustry.in(t.language), 10, false, false});
    return page;
}

QString reportTitle(const ReportTemplate& t)
{
    return editionTitle(t) + QStringLiteral(" - ") + titleOf(t.kind).in(t.language);
}

PageDocument buildReport(const db::Snapshot& data, const Selection& selection, const ReportTemplate& t,
                         PrintTicker* ticker)
{
    for (const QString& column : requiredColumns(t.kind)) {
        if (!data.hasColumn(column))
            throw ReportError(ReportError::Code::NoData,
                              say(u"The edition's data have no column \"%1\", which this report needs.",
                                  u"Les données de l'édition n'ont pas de colonne « %1 », dont ce rapport a besoin.")
                                  .arg(column));
    }
    PageDocument doc;
    doc.title = reportTitle(t);
    for (int row = 0; row < data.rowCount(); ++row) {
        if (ticker && !ticker->tick())
            break;
        if (selects(selection, data, row))
            doc.pages.push_back(reportPage(data, row, t));
    }
    return doc;
}

} // namespace kiv::report
