// The one-year window's printout: every line as the printer is given it, in both languages, and
// one real print to a PDF file read back with pdftotext.
#include "one_year_window.h"
#include "pdf_text.h"
#include "platform/printer_qt.h"
#include "shell/module1.h"
#include "test_support.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;
using kiv::values::Item;
using namespace onewindow;

namespace {

// A recorded line as "<size>[b][i]|<items>", a tab column written [n].
QString describe(const kiv::PrintLine& line)
{
    QString s = QString::number(line.font.size) + (line.font.bold ? u"b"_s : QString()) + (line.font.italic ? u"i"_s : QString()) + u'|';
    for (const kiv::PrintItem& item : line.items) {
        if (item.kind == kiv::PrintItem::Kind::Tab)
            s += u'[' + QString::number(item.n) + u']';
        else if (item.kind == kiv::PrintItem::Kind::Spc)
            s += QString(item.n, u' ');
        else
            s += item.text;
    }
    return s;
}

// A statement with a figure of each kind. The boxes Enter passes through are checked when they
// are left (" 0"); the others keep the "0" the window starts with.
const std::vector<std::pair<Item, QString>> kFigures = {
    {Item::Cash, u"1500"_s}, {Item::AccountsReceivable, u"-2.5"_s}, {Item::BankLoans, u"400"_s},
    {Item::ShareCapital, u"1097.5"_s}, {Item::OperatingRevenue, u"12.3456"_s}, {Item::ProfitAfterTax, u"3"_s}};

const QStringList kEnglish = {
    u"12bi| "_s,
    u"12bi|[39]Your Company Values"_s,
    u"12bi| "_s, u"12bi| "_s, u"12bi| "_s, u"12bi| "_s,
    u"12bi|Assets[45]Liabilities and shareholders' equity"_s,
    u"10| "_s, u"10| "_s,
    u"10|Cash[35] 1500[55]Accounts payable (include income tax payable)[125]0"_s,
    u"10| "_s,
    u"10|Accounts receivable[35]-2.5[55]Banks[125] 400"_s,
    u"10| "_s,
    u"10|Inventory[35] 0[55]Short term paper[125] 0"_s,
    u"10| "_s,
    u"10|Capital assets[35]0[55]Mortgages[125]0"_s,
    u"10| "_s,
    u"10|Other assets[35]0[55]Bonds[125]0"_s,
    u"10| "_s,
    u"10|Total operating assets[35]1497.5[55]Other loans[125]0"_s,
    u"10| "_s,
    u"10|Investments with affiliates[35]0[55]Amounts owing to parent, subsidiaries, affiliates and shareholders[125]0"_s,
    u"10| "_s,
    u"10|Portfolio investments[35]0[55]Other liabilities[125]0"_s,
    u"10| "_s,
    u"10|Total assets[35]1497.5[55]Deferred tax[125]0"_s,
    u"10| "_s, u"10|[55]Total liabilities[125]400"_s,
    u"10| "_s, u"10|[55]Share capital[125] 1097.5"_s,
    u"10| "_s, u"10|[55]Retained earnings[125] 0"_s,
    u"10| "_s, u"10|[55]Other surplus[125]0"_s,
    u"10| "_s, u"10|[55]Total shareholders' equity [125]1097.5"_s,
    u"10| "_s, u"10|[55]Total liabilities and shareholders' equity[125]1497.5"_s,
    u"10| "_s, u"10|[55]Current assets[125]0"_s,
    u"10| "_s, u"10|[55]Current liabilities[125]0"_s,
    u"10| "_s, u"10| "_s, u"10| "_s, u"10| "_s,
    u"12bi|Income statement data"_s,
    u"10| "_s, u"10| "_s,
    u"10|Annual operating revenue[85] 12.3456"_s,
    u"10| "_s, u"10|Annual sales of goods [85] 0"_s,
    u"10| "_s, u"10|Annual gross profit (sales of goods less cost of goods sold)[85]0"_s,
    u"10| "_s, u"10|Annual operating profit[85]0"_s,
    u"10| "_s, u"10|Annual interest expense[85]0"_s,
    u"10| "_s, u"10|Annual pretax profit[85]0"_s,
    u"10| "_s, u"10|Annual profit after tax[85] 3"_s,
};

const QStringList kFrench = {
    u"12bi| "_s,
    u"12bi|[39]Valeurs de Votre Entreprise"_s,
    u"12bi| "_s, u"12bi| "_s, u"12bi| "_s, u"12bi| "_s,
    u"12bi|Actifs[45]Passifs et capitaux propres"_s,
    u"10| "_s, u"10| "_s,
    u"10|Encaisse[35] 1500[55]Comptes créditeurs (impôts payable inclus)[125]0"_s,
    u"10| "_s,
    u"10|Comptes débiteurs[35]-2.5[55]Emprunts bancaires[125] 400"_s,
    u"10| "_s,
    u"10|Stocks[35] 0[55]Papier à court terme[125] 0"_s,
    u"10| "_s,
    u"10|Immobilisations[35]0[55]Hypothèques[125]0"_s,
    u"10| "_s,
    u"10|Autres actifs[35]0[55]Obligations[125]0"_s,
    u"10| "_s,
    u"10|Total, actifs d'exploitation[35]1497.5[55]Autres emprunts[125]0"_s,
    u"10| "_s,
    u"10|Placements auprès de[55]Comptes à payer à la société mère, les filiales,"_s,
    u"10|sociétés affiliées[35]0[55]les sociétés affiliées, et les actionnaires [125]0"_s,
    u"10| "_s,
    u"10|Placements de portefeuille[35]0[55]Autres passifs[125]0"_s,
    u"10| "_s,
    u"10|Total, actifs[35]1497.5[55]Impôts sur le revenu reporté[125]0"_s,
    u"10| "_s, u"10|[55]Total, passifs[125]400"_s,
    u"10| "_s, u"10|[55]Capital-actions[125] 1097.5"_s,
    u"10| "_s, u"10|[55]Bénéfices non répartis[125] 0"_s,
    u"10| "_s, u"10|[55]Autres surplus[125]0"_s,
    u"10| "_s, u"10|[55]Total, capitaux propres [125]1097.5"_s,
    u"10| "_s, u"10|[55]Total, passifs et capitaux propres[125]1497.5"_s,
    u"10| "_s, u"10|[55]Actifs à court terme[125]0"_s,
    u"10| "_s, u"10|[55]Passifs à court terme[125]0"_s,
    u"10| "_s, u"10| "_s, u"10| "_s, u"10| "_s,
    u"12bi|Données de l'état des résultats "_s,
    u"10| "_s, u"10| "_s,
    u"10|Recettes d'exploitation annuelles[85] 12.3456"_s,
    u"10| "_s, u"10|Ventes de biens annuelles[85] 0"_s,
    u"10| "_s, u"10|Bénéfice brut annuel (Ventes de biens moins coûts des ventes)[85]0"_s,
    u"10| "_s, u"10|Bénéfice d'exploitation annuel[85]0"_s,
    u"10| "_s, u"10|Frais d'intérêt annuel[85]0"_s,
    u"10| "_s, u"10|Bénéfice avant impôts annuel[85]0"_s,
    u"10| "_s, u"10|Bénéfice après impôts annuel[85] 3"_s,
};

const kivtest::PdfWord* findWord(const QList<kivtest::PdfWord>& words, const QString& text, int occurrence = 0)
{
    for (const kivtest::PdfWord& w : words)
        if (w.text == text && occurrence-- == 0)
            return &w;
    return nullptr;
}

} // namespace

class TestOneYearPrintout : public QObject {
    Q_OBJECT
private slots:
    void recordedLines_data();
    void recordedLines();
    void realPdf();
};

void TestOneYearPrintout::recordedLines_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("English") << 0 << kEnglish;
    QTest::newRow("French") << 1 << kFrench;
}

// The lines in order with their fonts, the captions as the window shows them and the box texts
// unchanged; printing twice gives the same document and changes nothing in the window.
void TestOneYearPrintout::recordedLines()
{
    QFETCH(int, language);
    QFETCH(QStringList, lines);
    kivtest::Program program;
    gLanguage = std::int16_t(language);
    FrmMyValues& w = openWindow();
    enterFigures(w, kFigures);
    const QStringList boxes = boxTexts(w);
    clickButton(w.cmdPrint);
    clickButton(w.cmdPrint);

    QCOMPARE(program.printer.documents().size(), std::size_t(2));
    const kiv::PrintDocument& doc = program.printer.documents()[0];
    QStringList recorded;
    for (const kiv::PrintLine& line : doc.lines()) {
        recorded << describe(line);
        QCOMPARE(line.font.face, u"Times New Roman"_s);
        QVERIFY(!line.keepOpen);
    }
    for (qsizetype i = 0; i < std::min(recorded.size(), lines.size()); ++i)
        QCOMPARE(recorded[i], lines[i]);
    QCOMPARE(recorded.size(), lines.size());

    QStringList again;
    for (const kiv::PrintLine& line : program.printer.documents()[1].lines())
        again << describe(line);
    QCOMPARE(again, recorded);
    QCOMPARE(boxTexts(w), boxes);
    QVERIFY(program.dialogs.prompts().empty());
}

// A real print to PDF: the texts on paper, each column at its place, French row 7 on two lines.
void TestOneYearPrintout::realPdf()
{
    kivtest::Program program;
    kivtest::TempHome home;
    gLanguage = 1;
    kiv::QtPrinter pdf(kiv::QtPrinter::Target::PdfOnly);
    kiv::Printer* recording = kiv::setPrinter(&pdf);
    FrmMyValues& w = openWindow();
    // Figures that tell each box apart on paper.
    int amount = 100;
    for (const kiv::values::ItemInfo& it : kiv::values::items())
        if (!it.computed)
            enterFigures(w, {{it.item, QString::number(++amount)}});
    program.dialogs.answer(kiv::vbOK);
    clickButton(w.cmdPrint);
    kiv::setPrinter(recording);
    const QString path = program.dialogs.last().text.section(u'\n', -1);
    QVERIFY2(QFileInfo(path).size() > 0, qPrintable(program.dialogs.last().text));

    const QString text = kivtest::pdfToText(path);
    for (const QString& expected : {u"Valeurs de Votre Entreprise"_s, u"Placements auprès de"_s, u"sociétés affiliées"_s,
                                    u"les sociétés affiliées, et les actionnaires"_s, u"Données de l'état des résultats"_s})
        QVERIFY2(text.contains(expected), qPrintable(expected));

    const QList<kivtest::PdfWord> words = kivtest::pdfWords(path);
    const auto x = [&](const QString& word) {
        const kivtest::PdfWord* found = findWord(words, word);
        return found ? found->x : -1000.0;
    };
    // Columns 35, 55, 125 and 85 are 20, 90 and 50 average widths of Times New Roman 10 (4.01
    // points) apart. A typed amount starts with its blank, a total does not.
    const double typed = x(u"101"_s);
    const double total = x(u"515"_s);
    QVERIFY(typed - total > 2 && typed - total < 3);
    for (const QString& value : {u"102"_s, u"103"_s, u"104"_s, u"105"_s, u"106"_s, u"107"_s})
        QVERIFY2(qAbs(x(value) - typed) < 0.5, qPrintable(value));
    QVERIFY(qAbs(x(u"728"_s) - total) < 0.5);
    for (const QString& value : {u"108"_s, u"109"_s, u"110"_s, u"111"_s, u"112"_s, u"113"_s, u"114"_s, u"115"_s, u"116"_s,
                                 u"117"_s, u"118"_s, u"119"_s, u"120"_s, u"121"_s})
        QVERIFY2(qAbs(x(value) - (typed + 90 * 4.01)) < 1, qPrintable(value));
    for (const QString& value : {u"1008"_s, u"354"_s, u"1362"_s})
        QVERIFY2(qAbs(x(value) - (total + 90 * 4.01)) < 1, qPrintable(value));
    for (const QString& value : {u"122"_s, u"123"_s, u"124"_s, u"125"_s, u"126"_s, u"127"_s, u"128"_s})
        QVERIFY2(qAbs(x(value) - (typed + 50 * 4.01)) < 1, qPrintable(value));
    QVERIFY(qAbs(x(u"Emprunts"_s) - (18 + 54 * 4.01)) < 1);
    QVERIFY(qAbs(x(u"Encaisse"_s) - 18) < 0.5);

    // Row 7 in French: the captions' first halves on a line of their own, the amounts beside
    // the second halves.
    const kivtest::PdfWord* first = findWord(words, u"Placements"_s);
    const kivtest::PdfWord* second = findWord(words, u"sociétés"_s);
    QVERIFY(first && second);
    QVERIFY(second->y > first->y);
    QCOMPARE(findWord(words, u"106"_s)->y, second->y);
    QCOMPARE(findWord(words, u"114"_s)->y, second->y);
    QCOMPARE(findWord(words, u"filiales,"_s)->y, first->y);
}

KIV_TEST_MAIN(TestOneYearPrintout)
#include "tst_one_year_printout.moc"
