#include "values/export.h"

#include "platform/dialogs.h"
#include "platform/spreadsheet/automation.h"
#include "platform/spreadsheet/cell_text.h"
#include "platform/spreadsheet/save_file.h"
#include "shell/module1.h"

#include <stdexcept>

namespace kiv::exports {

QString progId(Program program)
{
    return QString::fromUtf16(program == Program::Excel ? sheet::kExcelProgId : sheet::kLotusProgId);
}

QString programName(Program program)
{
    return program == Program::Excel ? QStringLiteral("Excel") : QStringLiteral("Lotus");
}

namespace {

void report(const sheet::AutomationError& error, Program program)
{
    const bool french = gLanguage != 0;
    if (error.number == sheet::kCannotCreateObject) {
        const QString name = programName(program);
        MsgBox(french ? QStringLiteral("Assurz vous d'avoir \"") + name + QStringLiteral("\" installé.")
                      : QStringLiteral("Please ensure that you have \"") + name + QStringLiteral("\" installed."));
    } else if (error.number == sheet::kApplicationDefined) {
        // The program refused, or the user declined its question: nothing to say.
    } else if (!error.message.isEmpty()) {
        MsgBox(error.message);
    } else {
        MsgBox(QStringLiteral("Application error"));
    }
}

} // namespace

void ExportToSpreadsheet(const ExportOperation& operation)
{
    const bool french = gLanguage != 0;
    try {
        std::unique_ptr<sheet::Server> server = sheet::CreateObject(progId(operation.program));
        const QString name = InputBox(french ? QStringLiteral("Entrer nom du fichier") : QStringLiteral("Enter file name"),
                                      operation.title, operation.defaultName);
        if (name.isEmpty())
            return;
        for (const ExportCell& cell : operation.cells) {
            const QString text = cell.text ? cell.text() : QString();
            if (operation.program == Program::Excel)
                server->setCellValue(cell.row, cell.column, text);
            else
                server->setRangeContents(lotusRange(cell.row, cell.column), cell.value ? lotusValueText(text) : text);
        }
        server->saveas(name);
        server->quit();
        server.reset();
        MsgBox(french ? QStringLiteral("Les données ont été exportées '") + name + u'\''
                      : QStringLiteral("Successfully Exported '") + name + u'\'');
    } catch (const sheet::AutomationError& error) {
        report(error, operation.program);
    } catch (const std::exception&) {
        report(sheet::AutomationError{sheet::kInvalidCall, QString()}, operation.program);
    }
}

const ExportTexts& myValuesExport()
{
    static const ExportTexts t{QStringLiteral("Export, SIC:"), QStringLiteral("Exporter, CTI:"), QStringLiteral("MyVal")};
    return t;
}

const ExportTexts& myRatiosExport()
{
    static const ExportTexts t{QStringLiteral("Export, SIC:"), QStringLiteral("Exporter, CTI:"), QStringLiteral("MyRat")};
    return t;
}

const ExportTexts& myBalanceSheetExport()
{
    static const ExportTexts t{QStringLiteral("Export, SIC:"), QStringLiteral("Exporter, CTI:"), QStringLiteral("MyBal")};
    return t;
}

const ExportTexts& threeYearValuesExport()
{
    static const ExportTexts t{QStringLiteral("Export My Values, SICE:"), QStringLiteral("Exporter Vol3, CTI-E:"), QStringLiteral("Mval")};
    return t;
}

const ExportTexts& threeYearRatiosExport()
{
    static const ExportTexts t{QStringLiteral("Export My Ratios, SICE:"), QStringLiteral("Exporter Vol3, CTI-E:"), QStringLiteral("Mrat")};
    return t;
}

QString exportTitle(const ExportTexts& texts, Program program, const QString& code, int language)
{
    const bool excel = program == Program::Excel;
    if (language == 0)
        return texts.titleEnglish + code + (excel ? QStringLiteral(" to Excel file") : QStringLiteral(" to Lotus file"));
    return texts.titleFrench + code + (excel ? QStringLiteral(" à un fichier de Excel") : QStringLiteral(" à un fichier de Lotus"));
}

QString defaultExportName(const ExportTexts& texts, Program program, const QString& code)
{
    QString safe = code;
    safe.replace(u'/', u'-');
    safe.remove(QChar(u'\0'));
    return sheet::documentsFolder() + u'/' + texts.defaultStem + safe
           + (program == Program::Excel ? QStringLiteral(".xlsx") : QStringLiteral(".123"));
}

ExportOperation exportOperation(const ExportTexts& texts, Program program, const QString& code, std::vector<ExportCell> cells)
{
    ExportOperation op;
    op.program = program;
    op.title = exportTitle(texts, program, code, gLanguage);
    op.defaultName = defaultExportName(texts, program, code);
    op.cells = std::move(cells);
    return op;
}

QString lotusRange(int row, int column)
{
    const QString cell = sheet::cellName(row, column);
    return QStringLiteral("A:") + cell + QStringLiteral(".A:") + cell;
}

QString lotusValueText(const QString& text)
{
    return text == QStringLiteral("...") ? QStringLiteral("\"...") : text;
}

namespace {

LayoutCell caption(const char16_t* cell, const char16_t* label, int id)
{
    return {QString::fromUtf16(cell), {control(QString::fromUtf16(label))}, false, id};
}

LayoutCell figure(const char16_t* cell, const char16_t* box)
{
    return {QString::fromUtf16(cell), {control(QString::fromUtf16(box))}, true, 0};
}

} // namespace

Layout myValuesLayout(int language)
{
    return {
        {QStringLiteral("A1"), {fixed(language == 0 ? QStringLiteral("Your Company Values") : QStringLiteral("Valeurs de Votre Entreprise"))}, false, 0},
        caption(u"A3", u"Label15", 150), caption(u"D3", u"Label16", 170),
        caption(u"A4", u"Label5", 152), figure(u"B4", u"txtCash"), caption(u"D4", u"Label1", 172), figure(u"E4", u"txtAccountsPayable"),
        caption(u"A5", u"lblReceivables", 154), figure(u"B5", u"txtAr"), caption(u"D5", u"Label8", 174), figure(u"E5", u"txtBanks"),
        caption(u"A6", u"lblInventory", 156), figure(u"B6", u"txtInv"), caption(u"D6", u"Label7", 176), figure(u"E6", u"txtPaper"),
        caption(u"A7", u"Label10", 158), figure(u"B7", u"txtCA"), caption(u"D7", u"lblMortgages", 178), figure(u"E7", u"txtMtg"),
        caption(u"A8", u"Label11", 160), figure(u"B8", u"txtOA"), caption(u"D8", u"lblBonds", 180), figure(u"E8", u"txtBonds"),
        caption(u"A9", u"Label12", 162), figure(u"B9", u"txtToa"), caption(u"D9", u"lblOtherLoans", 182), figure(u"E9", u"txtOl"),
        caption(u"A10", u"Label2", 164), figure(u"B10", u"txtInvest"), caption(u"D10", u"lblAffiliate", 184), figure(u"E10", u"txtAmtsAffil"),
        caption(u"A11", u"Label9", 166), figure(u"B11", u"txtPtfl"), caption(u"D11", u"lblOtherLiabilities", 186), figure(u"E11", u"txtOLiab"),
        caption(u"A12", u"Label3", 168), figure(u"B12", u"txtTa"), caption(u"D12", u"lblDeferredTax", 188), figure(u"E12", u"txtDefTax"),
        caption(u"D13", u"lblLiabilities", 190), figure(u"E13", u"txtTliab"),
        caption(u"D14", u"lblShareCapital", 192), figure(u"E14", u"txtShareC"),
        caption(u"D15", u"lblRetainedEarnings", 194), figure(u"E15", u"txtRetEarn"),
        caption(u"D16", u"lblOther", 196), figure(u"E16", u"txtOtherSur"),
        caption(u"D17", u"lblEquity", 198), figure(u"E17", u"txtEquity1"),
        caption(u"D18", u"lblTotal", 200), figure(u"E18", u"txtTotLiabShareEq"),
        caption(u"D19", u"lblCurrentAssets", 202), figure(u"E19", u"txtCurrentAssets"),
        caption(u"D20", u"lblCurrentLiabilitite", 204), figure(u"E20", u"txtCurrentLiabilities"),
        caption(u"A22", u"Label4", 294),
        caption(u"A23", u"lblOperatingRevenue1", 254), figure(u"B23", u"txtOperatingRevenue"),
        caption(u"A24", u"lblRevenue6", 256), figure(u"B24", u"txtSales"),
        caption(u"A25", u"lblGrossProfit", 258), figure(u"B25", u"txtGrossProfit"),
        caption(u"A26", u"lblOperatingProfit", 260), figure(u"B26", u"txtOperatingProfit"),
        caption(u"A27", u"lblInterextExpense", 262), figure(u"B27", u"txtInterestExpense"),
        caption(u"A28", u"lblPretaxProfit", 264), figure(u"B28", u"txtPretaxProfit"),
        caption(u"A29", u"lblAftertaxProfit", 266), figure(u"B29", u"txtProfitAfterTax"),
    };
}

std::vector<ExportCell> layoutCells(const Layout& layout, std::function<std::function<QString()>(const QString&)> textOf)
{
    std::vector<ExportCell> cells;
    cells.reserve(layout.size());
    for (const LayoutCell& l : layout) {
        ExportCell c;
        if (!sheet::parseCellName(l.cell, &c.row, &c.column))
            throw std::invalid_argument("cell name");
        std::vector<std::function<QString()>> parts;
        for (const Part& p : l.parts) {
            if (p.kind == Part::Kind::Fixed)
                parts.push_back([t = p.text] { return t; });
            else
                parts.push_back(textOf(p.text));
        }
        c.text = [parts = std::move(parts)] {
            QString t;
            for (const auto& part : parts)
                t += part();
            return t;
        };
        c.value = l.value;
        cells.push_back(std::move(c));
    }
    return cells;
}

DialogKind dialogOf(OwnerSlot slot)
{
    return slot == OwnerSlot::ThreeYearRatios || slot == OwnerSlot::ThreeYearValues ? DialogKind::ThreeYear : DialogKind::OneYear;
}

void setOwnerFlags(OwnerSlot slot)
{
    switch (slot) {
    case OwnerSlot::OneYearValues:
        gExportFromValues = true;
        gExportFromRatios = false;
        gExportFromBalanceSheet = false;
        break;
    case OwnerSlot::OneYearRatios:
        gExportFromRatios = true;
        gExportFromBalanceSheet = false;
        gExportFromValues = false;
        break;
    case OwnerSlot::BalanceSheet:
        gExportFromBalanceSheet = true;
        gExportFromRatios = false;
        gExportFromValues = false;
        break;
    case OwnerSlot::ThreeYearValues:
        gExportFromValues = true;
        gExportFromRatios = false;
        break;
    case OwnerSlot::ThreeYearRatios:
        gExportFromRatios = true;
        gExportFromValues = false;
        break;
    }
}

std::optional<OwnerSlot> findOwner(DialogKind dialog)
{
    if (dialog == DialogKind::OneYear) {
        if (gExportFromRatios)
            return OwnerSlot::OneYearRatios;
        if (gExportFromBalanceSheet)
            return OwnerSlot::BalanceSheet;
        if (gExportFromValues)
            return OwnerSlot::OneYearValues;
        return std::nullopt;
    }
    if (gExportFromRatios)
        return OwnerSlot::ThreeYearRatios;
    if (gExportFromValues)
        return OwnerSlot::ThreeYearValues;
    return std::nullopt;
}

} // namespace kiv::exports
