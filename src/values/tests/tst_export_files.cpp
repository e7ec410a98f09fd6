// The files of the program's own spreadsheet servers, read back by independent programs:
// the workbook by openpyxl and LibreOffice, the 1-2-3 worksheet by LibreOffice and Gnumeric.
// The one-year window's export in French: every caption with its accents, every figure as a
// number.
#include "platform/spreadsheet/cell_text.h"
#include "platform/spreadsheet/save_file.h"
#include "shell/module1.h"
#include "test_support.h"
#include "values/export.h"
#include "values/export_window.h"
#include "values/frm_my_values.h"

#include <QFile>
#include <cmath>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <map>
#include <optional>

using namespace kiv::exports;

namespace {

// What a reader found in one cell.
struct Found {
    bool number = false;
    QString text;  // text cells
    double value = 0;
};
using Sheet = std::map<QString, Found>;

// Figures for the 33 boxes, in turn: amounts in the entry form, totals in the
// single-precision form, the placeholder, zero and a negative amount.
const QStringList kFigures = {
    QStringLiteral(" 1500"), QStringLiteral(" 2.5"), QStringLiteral("-300"), QStringLiteral("1.234568E+07"),
    QStringLiteral(" 0"), QStringLiteral("..."), QStringLiteral(" 12345.6789"), QStringLiteral(" 7"),
};

bool run(const QString& program, const QStringList& args, QByteArray* out = nullptr, int timeoutMs = 120000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    if (out)
        *out = p.readAllStandardOutput();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning().noquote() << program << "failed:" << p.readAllStandardError();
        return false;
    }
    return true;
}

// Every filled cell of the first sheet of a workbook, by openpyxl.
Sheet readWithOpenpyxl(const QString& file)
{
    static const char* script =
        "import json, sys, openpyxl\n"
        "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
        "out = {}\n"
        "for row in ws.iter_rows():\n"
        "    for c in row:\n"
        "        if c.value is None: continue\n"
        "        num = isinstance(c.value, (int, float)) and not isinstance(c.value, bool)\n"
        "        out[c.coordinate] = ['n' if num else 's', c.value if num else str(c.value)]\n"
        "print(json.dumps(out))\n";
    QByteArray json;
    Sheet sheet;
    if (!run(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(script), file}, &json))
        return sheet;
    const QJsonObject cells = QJsonDocument::fromJson(json).object();
    for (auto it = cells.begin(); it != cells.end(); ++it) {
        const auto pair = it.value().toArray();
        Found f;
        f.number = pair.at(0).toString() == u'n';
        if (f.number)
            f.value = pair.at(1).toDouble();
        else
            f.text = pair.at(1).toString();
        sheet[it.key()] = f;
    }
    return sheet;
}

// Cells of a CSV text in which text cells are quoted and numbers are not.
Sheet parseQuotedCsv(const QString& csv)
{
    Sheet sheet;
    int row = 1, column = 1;
    qsizetype i = 0;
    while (i < csv.size()) {
        Found f;
        bool filled = false;
        if (csv[i] == u'"') {
            ++i;
            while (i < csv.size()) {
                if (csv[i] == u'"' && i + 1 < csv.size() && csv[i + 1] == u'"') {
                    f.text += u'"';
                    i += 2;
                } else if (csv[i] == u'"') {
                    ++i;
                    break;
                } else {
                    f.text += csv[i++];
                }
            }
            filled = true;
        } else {
            QString raw;
            while (i < csv.size() && csv[i] != u',' && csv[i] != u'\n' && csv[i] != u'\r')
                raw += csv[i++];
            if (!raw.isEmpty()) {
                f.number = true;
                bool ok = false;
                f.value = raw.toDouble(&ok);
                if (!ok) {
                    f.number = false;
                    f.text = raw;
                }
                filled = true;
            }
        }
        if (filled)
            sheet[kiv::sheet::columnLetters(column) + QString::number(row)] = f;
        if (i < csv.size() && csv[i] == u',') {
            ++column;
            ++i;
        } else {
            while (i < csv.size() && (csv[i] == u'\r' || csv[i] == u'\n')) {
                if (csv[i] == u'\n')
                    ++row;
                ++i;
            }
            column = 1;
        }
    }
    return sheet;
}

} // namespace

class TstExportFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void workbookByOpenpyxl();
    void workbookByLibreOffice();
    void worksheetByLibreOffice();
    void worksheetByGnumeric();

private:
    // Runs one of the window's export operations to a file of the documents folder.
    QString exportTo(FrmMyValues& window, kivtest::Program& program, Program to, const QString& name);
    // significantDigits: how many digits of a number the reader keeps (0: all of them).
    void compare(const Sheet& found, const QString& reader, int significantDigits = 0);
    // LibreOffice's CSV of both files (one start of LibreOffice), text cells quoted.
    const std::map<QString, Sheet>& libreOffice();

    QString workbook_;
    QString worksheet_;
    std::optional<std::map<QString, Sheet>> libreOffice_;
    QTemporaryDir docs_;
    QTemporaryDir profile_;
    Layout layout_;
    std::map<QString, std::pair<bool, QString>> expected_; // cell: (value cell, text)
};

void TstExportFiles::initTestCase()
{
    // The one-year figures in French, exported to both programs.
    kivtest::Program program;
    gLanguage = 1;
    kiv::sheet::setDocumentsFolder(docs_.path());
    FrmMyValues& w = frmMyValues();
    w.Show();
    const Layout layout = myValuesLayout(1);
    int n = 0;
    for (const LayoutCell& c : layout)
        if (c.value)
            w.findChild<QLineEdit*>(c.parts.at(0).text)->setText(kFigures[n++ % kFigures.size()]);
    for (const ExportCell& c : kiv::windowCells(w, layout))
        expected_[kiv::sheet::cellName(c.row, c.column)] = {c.value, c.text()};
    QCOMPARE(expected_.size(), std::size_t(70));
    QCOMPARE(expected_[QStringLiteral("A25")].second, QStringLiteral("Bénéfice brut annuel (Ventes de biens moins coûts des ventes)"));
    workbook_ = exportTo(w, program, Program::Excel, QStringLiteral("MyVal1011.xlsx"));
    worksheet_ = exportTo(w, program, Program::Lotus, QStringLiteral("MyVal1011 lotus.123"));
}

void TstExportFiles::cleanupTestCase()
{
    kiv::sheet::setDocumentsFolder(QString());
}

QString TstExportFiles::exportTo(FrmMyValues& window, kivtest::Program& program, Program to, const QString& name)
{
    program.dialogs.answerInput(name);
    program.dialogs.answer(kiv::vbOK);
    to == Program::Excel ? window.cmdExcMV_Click() : window.cmdLotusMV_Click();
    [&] { QCOMPARE(program.dialogs.texts().last(), QStringLiteral("Les données ont été exportées '") + name + u'\''); }();
    return docs_.path() + u'/' + name;
}

void TstExportFiles::compare(const Sheet& found, const QString& reader, int significantDigits)
{
    const auto same = [significantDigits](double a, double b) {
        if (significantDigits == 0)
            return qFuzzyCompare(1 + a, 1 + b);
        return std::abs(a - b) <= std::abs(b) * 0.5 * std::pow(10.0, 1 - significantDigits);
    };
    QStringList problems;
    for (const auto& [cell, want] : expected_) {
        const auto it = found.find(cell);
        const auto number = kiv::sheet::numberCellValue(want.second);
        if (it == found.end()) {
            problems << cell + QStringLiteral(": missing");
        } else if (number) {
            if (!it->second.number || !same(it->second.value, *number))
                problems << cell + QStringLiteral(": want number %1, got '%2' %3").arg(*number).arg(it->second.text).arg(it->second.value);
        } else if (it->second.number || it->second.text != want.second) {
            problems << cell + QStringLiteral(": want text '%1', got '%2'").arg(want.second, it->second.text);
        }
    }
    for (const auto& [cell, f] : found)
        if (!expected_.count(cell))
            problems << cell + QStringLiteral(": not written, holds '%1'").arg(f.text);
    if (!problems.isEmpty())
        QFAIL(qPrintable(reader + QStringLiteral(":\n") + problems.join(u'\n')));
}

const std::map<QString, Sheet>& TstExportFiles::libreOffice()
{
    if (libreOffice_)
        return *libreOffice_;
    libreOffice_.emplace();
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    const QString out = docs_.path() + QStringLiteral("/libreoffice");
    // Comma, double quote, UTF-8, every text cell quoted, numbers in full rather than as shown.
    const QStringList args = {QStringLiteral("-env:UserInstallation=file://") + profile_.path(), QStringLiteral("--headless"),
                              QStringLiteral("--convert-to"),
                              QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true,true,false"),
                              QStringLiteral("--outdir"), out, workbook_, worksheet_};
    if (soffice.isEmpty() || !run(soffice, args))
        return *libreOffice_;
    for (const QString& file : {workbook_, worksheet_}) {
        QFile csv(out + u'/' + QFileInfo(file).completeBaseName() + QStringLiteral(".csv"));
        if (csv.open(QIODevice::ReadOnly))
            (*libreOffice_)[file] = parseQuotedCsv(QString::fromUtf8(csv.readAll()));
    }
    return *libreOffice_;
}

void TstExportFiles::workbookByOpenpyxl()
{
    if (!QFileInfo::exists(QStringLiteral("/usr/bin/python3")))
        QSKIP("/usr/bin/python3 with python3-openpyxl is not installed (scripts/install-deps.sh)");
    const Sheet sheet = readWithOpenpyxl(workbook_);
    QVERIFY2(!sheet.empty(), "openpyxl read nothing");
    compare(sheet, QStringLiteral("openpyxl"));
}

void TstExportFiles::workbookByLibreOffice()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("LibreOffice is not installed (scripts/install-deps.sh)");
    const auto it = libreOffice().find(workbook_);
    QVERIFY2(it != libreOffice().end() && !it->second.empty(), "LibreOffice read nothing");
    compare(it->second, QStringLiteral("LibreOffice"));
}

void TstExportFiles::worksheetByLibreOffice()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("LibreOffice is not installed (scripts/install-deps.sh)");
    const auto it = libreOffice().find(worksheet_);
    QVERIFY2(it != libreOffice().end() && !it->second.empty(), "LibreOffice read nothing");
    // LibreOffice keeps eight significant digits of a 1-2-3 number (Gnumeric keeps them all):
    // 12345.6789 stands there as 12345.679.
    compare(it->second, QStringLiteral("LibreOffice"), 8);
}

void TstExportFiles::worksheetByGnumeric()
{
    const QString ssconvert = QStandardPaths::findExecutable(QStringLiteral("ssconvert"));
    if (ssconvert.isEmpty() || !QFileInfo::exists(QStringLiteral("/usr/bin/python3")))
        QSKIP("Gnumeric or python3-openpyxl is not installed (scripts/install-deps.sh)");
    // Gnumeric's reading, kept with its cell kinds in a workbook of its own making.
    const QString converted = docs_.path() + QStringLiteral("/gnumeric.xlsx");
    QVERIFY(run(ssconvert, {worksheet_, converted}));
    compare(readWithOpenpyxl(converted), QStringLiteral("Gnumeric"));
}

KIV_TEST_MAIN(TstExportFiles)
#include "tst_export_files.moc"
