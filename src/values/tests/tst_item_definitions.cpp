#include "definition_layout.h"
#include "test_support.h"
#include "values/company_values.h"
#include "values/item_definitions.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace {
const QString kBreak = QStringLiteral("\r\n\r\n");
QString joined(const QStringList& pieces) { return pieces.join(kBreak); }
} // namespace

class TestItemDefinitions : public QObject {
    Q_OBJECT
private slots:
    void eachCaption_data();
    void eachCaption();
    void wholeTexts_data();
    void wholeTexts();
    void captionsAndLanguages();
    void shownInAnInformationBox();
};

// Every caption label of the entry window, its titles and the shape of its two texts.
void TestItemDefinitions::eachCaption_data()
{
    QTest::addColumn<QString>("titleEn");
    QTest::addColumn<QString>("titleFr");
    QTest::addColumn<QString>("layoutEn");
    QTest::addColumn<QString>("layoutFr");
    QTest::newRow("Label5") << QStringLiteral("CASH AND DEPOSITS DEFINITION") << QStringLiteral("DÉFINITION ENCAISSE ET DÉPÔTS") << QStringLiteral("8+") << QStringLiteral("8+");
    QTest::newRow("lblReceivables") << QStringLiteral("ACCOUNTS RECEIVABLE DEFINITION") << QStringLiteral("DÉFINITION COMPTES DÉBITEURS") << QStringLiteral("13") << QStringLiteral("13");
    QTest::newRow("lblInventory") << QStringLiteral("INVENTORIES DEFINITION") << QStringLiteral("DÉFINITION STOCKS") << QStringLiteral("9") << QStringLiteral("9");
    QTest::newRow("Label10") << QStringLiteral("CAPITAL ASSETS DEFINITION") << QStringLiteral("DÉFINITION IMMOBILISATIONS") << QStringLiteral("15") << QStringLiteral("13+");
    QTest::newRow("Label11") << QStringLiteral("OTHER ASSETS DEFINITION") << QStringLiteral("DÉFINITION AUTRES ACTIFS") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("Label12") << QStringLiteral("TOTAL OPERATING ASSETS DEFINITION") << QStringLiteral("DÉFINITION TOTAL, ACTIFS D'EXPLOITATION") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("Label2") << QStringLiteral("INVESTMENT WITH AFFILIATES DEFINITION") << QStringLiteral("DÉFINITION PLACEMENTS AUPRÈS DE SOCIÉTÉS AFFILIÉES") << QStringLiteral("6") << QStringLiteral("6");
    QTest::newRow("Label9") << QStringLiteral("PORTFOLIO INVESTMENTS") << QStringLiteral("DÉFINITION PLACEMENTS DE PORTEFEUILLE") << QStringLiteral("+8") << QStringLiteral("+8");
    QTest::newRow("Label3") << QStringLiteral("TOTAL ASSETS DEFINITION") << QStringLiteral("DÉFINITION TOTAL,ACTIFS") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("Label1") << QStringLiteral("ACCOUNTS PAYABLE DEFINITION") << QStringLiteral("DÉFINITION COMPTES CRÉDITEURS") << QStringLiteral("7") << QStringLiteral("7");
    QTest::newRow("Label8") << QStringLiteral("BANK LOANS DEFINITION") << QStringLiteral("DÉFINITION EMPRUNTS BANCAIRES") << QStringLiteral("5") << QStringLiteral("5");
    QTest::newRow("Label7") << QStringLiteral("SHORT-TERM PAPER DEFINITION ") << QStringLiteral("DÉFINITION PAPIER À COURT TERME") << QStringLiteral("4") << QStringLiteral("4");
    QTest::newRow("lblMortgages") << QStringLiteral("MORTGAGE LOANS DEFINITION ") << QStringLiteral("DÉFINITION HYPOTHÉQUES") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("lblBonds") << QStringLiteral("BONDS AND DEBENTURES DEFINITION") << QStringLiteral("DÉFINITION OBLIGATIONS") << QStringLiteral("7") << QStringLiteral("7");
    QTest::newRow("lblOtherLoans") << QStringLiteral("OTHER LOANS DEFINITION") << QStringLiteral("DÉFINITION AUTRES EMPRUNTS") << QStringLiteral("6") << QStringLiteral("6");
    QTest::newRow("lblAffiliate") << QStringLiteral("AMOUNTS OWING TO PARENT, SUBSIDIARIES AND AFFILIATES DEFINITION") << QStringLiteral("DÉFINITION SOMMES DUES À LA SOCIÉTÉ MÈRE, AUX FILIALES ET AUX SOCIÉTÉS AFFILIÉES") << QStringLiteral("3") << QStringLiteral("3");
    QTest::newRow("lblOtherLiabilities") << QStringLiteral("OTHER LIABILITIES DEFINITION") << QStringLiteral("DÉFINITION AUTRES PASSIF") << QStringLiteral("7") << QStringLiteral("7");
    QTest::newRow("lblDeferredTax") << QStringLiteral("DEFERRED INCOME TAXES DEFINITION") << QStringLiteral("DÉFINITION IMPÔTS SUR LE REVENU REPORTÉ") << QStringLiteral("3") << QStringLiteral("3");
    QTest::newRow("lblLiabilities") << QStringLiteral("TOTAL LIABILITIES DEFINITION") << QStringLiteral("DÉFINITION TOTAL, PASSIFS") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("lblShareCapital") << QStringLiteral("SHARE CAPITAL DEFINITION") << QStringLiteral("DÉFINITION CAPITAL -ACTIONS") << QStringLiteral("6") << QStringLiteral("6");
    QTest::newRow("lblRetainedEarnings") << QStringLiteral("RETAINED EARNINGS DEFINITION") << QStringLiteral("DÉFINITION BÉNÉFICES NON RÉPARTIS") << QStringLiteral("2") << QStringLiteral("2");
    QTest::newRow("lblOther") << QStringLiteral("OTHER SURPLUS DEFINITION") << QStringLiteral("DÉFINITION AUTRES SURPLUS") << QStringLiteral("6") << QStringLiteral("6");
    QTest::newRow("lblEquity") << QStringLiteral("TOTAL SHAREHOLDERS'S EQUITY DEFINITION") << QStringLiteral("DÉFINITION CAPITAUX PROPRES") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("lblTotal") << QStringLiteral("TOTAL LIABILITIES AND SHAREHOLDERS'S EQUITY DEFINITION") << QStringLiteral("DÉFINITION TOTAL, PASSIFS ET CAPITAUX PROPRES") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("lblCurrentAssets") << QStringLiteral("TOTAL CURRENT ASSETS DEFINITION ") << QStringLiteral("DÉFINITION ACTIFS À COURT TERME") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("lblCurrentLiabilitite") << QStringLiteral("TOTAL CURRENT LIABILITIES DEFINITION ") << QStringLiteral("DÉFINITION PASSIFS À COURT TERME") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("lblOperatingRevenue1") << QStringLiteral("ANNUAL OPERATING REVENUE DEFINITION") << QStringLiteral("DÉFINITION RECETTES d 'EXPLOITATION ANNUELLES") << QStringLiteral("5") << QStringLiteral("5");
    QTest::newRow("lblRevenue6") << QStringLiteral("SALES OF GOODS AND SERVICES DEFINITION ") << QStringLiteral("DÉFINITION VENTES DE BIENS ET DE SERVICES ANNUELLES") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("lblGrossProfit") << QStringLiteral("GROSS PROFIT DEFINITION ") << QStringLiteral("DÉFINITION BÉNÉFICE BRUTE ANNUELLES") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("lblOperatingProfit") << QStringLiteral("OPERATING PROFIT DEFINITION ") << QStringLiteral("DÉFINITION REVENUS D 'EXPLOITATION ANNUELLES") << QStringLiteral("8") << QStringLiteral("8");
    QTest::newRow("lblInterextExpense") << QStringLiteral("INTEREST EXPENSE ON DEBT DEFINITION") << QStringLiteral("DÉFINITION FRAIS d 'INTÉRÊT SUR DETTES ANNUELLES") << QStringLiteral("12") << QStringLiteral("12");
    QTest::newRow("lblPretaxProfit") << QStringLiteral("PRETAX PROFIT DEFINITION") << QStringLiteral("DÉFINITION BÉNÉFICE AVANT IMPÔTS ANNUELLES") << QStringLiteral("1") << QStringLiteral("1");
    QTest::newRow("lblAftertaxProfit") << QStringLiteral("NET PROFIT DEFINITION") << QStringLiteral("DÉFINITION BÉNÉFICE NETTE ANNUELLES") << QStringLiteral("1") << QStringLiteral("1");
}

void TestItemDefinitions::eachCaption()
{
    QFETCH(QString, titleEn);
    QFETCH(QString, titleFr);
    QFETCH(QString, layoutEn);
    QFETCH(QString, layoutFr);
    const QString label = QString::fromLatin1(QTest::currentDataTag());
    const auto en = kiv::itemDefinition(label, 0);
    const auto fr = kiv::itemDefinition(label, 1);
    QVERIFY(en && fr);
    QCOMPARE(en->title, titleEn);
    QCOMPARE(fr->title, titleFr);
    QCOMPARE(definitionLayout(en->text), layoutEn);
    QCOMPARE(definitionLayout(fr->text), layoutFr);
}

// Whole texts where the joining matters: empty lines before or after, two sentences run together,
// blanks that lead a piece, and the curly apostrophe.
void TestItemDefinitions::wholeTexts_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");
    QTest::newRow("cash, English")
        << QStringLiteral("Label5") << 0
        << joined({u"Inclusions"_s, u"a)  demand, notice, savings and term deposits"_s, u"b)  restricted demand deposits"_s,
                   u"c)  guaranteed investment certificates and debentures"_s, u"d)  guaranteed savings certificates"_s,
                   u"e)  deposit receipts"_s, u"f)  bearer deposit notes"_s, u"g)  swapped deposits"_s})
               + kBreak;
    QTest::newRow("portfolio investments, French")
        << QStringLiteral("Label9") << 1
        << kBreak
               + joined({u"Bons du Trésor du Canada"_s,
                         u"Acceptances bancaires, effets de financement, commerciaux et autres effets à court terme"_s,
                         u"Obligations du Gouvernement du Canada"_s, u"Obligations des administrations provinciales et municipales"_s,
                         u"Obligations de sociétés, obligations garanties et non garanties"_s, u"Actions de sociétés"_s,
                         u"Autres placements canadiens"_s, u"Placements étrangers"_s});
    QTest::newRow("inventories, English")
        << QStringLiteral("lblInventory") << 0
        << joined({u"Inventories are tangible property held for sale in the ordinary course of business, in the process of "
                   u"production for such sale, or to be consumed in the production of goods and services for sale."
                   u"Inventories should be valued at the lower of cost or net realizable value."_s,
                   u"Inclusions"_s, u"a)  stocks of finished goods, raw materials and work-in-progress"_s,
                   u"b)  repair and service parts"_s, u"c)  supplies"_s, u"d)  fuel"_s, u"e)  containers"_s,
                   u"f)  repossessed assets held for sale"_s, u"g)  costs of work-in-progress (for construction companies)"_s});
    QTest::newRow("accounts receivable, French")
        << QStringLiteral("lblReceivables") << 1
        << joined({u"Toutes sommes réclamées à un client et résultant de la vente de marchandises ou de la prestation de "
                   u"services et comprend également les revenus courus à recevoir et les subventions du gouvernement courues à "
                   u"recevoir.Rapporter le montant net de tous les comptes débiteurs, apres déduction de la provision pour "
                   u"créances douteuses."_s,
                   u"Inclure"_s, u"a)        Comptes clients"_s,
                   u"i)  sommes à recevoir de sociétés affiliées et résultant de la vente de biens ou de la prestation de services"_s,
                   u"ii)  retenues de garantie à recevoir"_s,
                   u" iii)  billets et versements à recevoir découlant de la vente de marchandises ou de la prestation de services"_s,
                   u"b)        Autres comptes débiteurs"_s, u"i)  intérêts, dividendes et autres revenus de placements à recevoir"_s,
                   u"ii)  subventions et redevances à recevoir"_s,
                   u"iii)  produits à recevoir de la vente d'immobilisations et de placements"_s,
                   u"iv)  remboursements d'impôt sur le revenu à recevoir"_s, u"v)  indemnités d'assurance à recevoir"_s,
                   u"vi)  ristournes à recevoir"_s});
    QTest::newRow("capital assets, French")
        << QStringLiteral("Label10") << 1
        << joined({u"Biens corporels et incorporels:"_s,
                   u"   1.  détenus par une société à des fins de production de biens ou de prestation de services, de location "
                   u"ou d'administration et pouvant comprendre les biens détenus pour l'entretien ou la réparation de ces "
                   u"éléments d'actif immobilisés"_s,
                   u"   2.  acquis ou créés pour être utilisés de manière durable"_s,
                   u"   3.  non destinés à être vendus dans le cours normal des affaires"_s, u"Inclure"_s, u"a)  terrains"_s,
                   u"b)  constructions, structures, routes, ponts et tours"_s,
                   u"c)  nouvelles immobilisations en cours de construction"_s, u"d)  biens-fonds détenus pour location"_s,
                   u"e)  stocks d'actifs détenus pour location"_s, u"f)  améliorations locatives"_s,
                   u"g)  matériel et outillage de tout genre, y compris le matériel de transport et le matériel de construction mobile"_s,
                   u"h)  biens épuisables liés à l'exploitation de richesses naturelles comme les droits de coupe, les droits de "
                   u"captation d'eau et d'energie, les propriétés minières, les puits de pétrole et de gaz, les carrières et les "
                   u"sablières"_s})
               + kBreak;
    QTest::newRow("short-term paper, English")
        << QStringLiteral("Label7") << 0
        << joined({u"This liability should be valued at the proceeds of the issue before deducting fees or commissions.  "
                   u"However, many issues are discounted and may be recorded at amortized value."_s,
                   u"Inclusions"_s, u"a)  financial and commercial paper"_s,
                   u"b)  bankers’ acceptances - bankers’ acceptances is short-term money market financing that is guaranteed by "
                   u"a bank.  It is a commercial draft or bill of exchange drawn by a corporate borrower for payment of a certain "
                   u"sum on a specified date and guaranteed by the borrower’s bank."_s});
    QTest::newRow("total liabilities and equity, English")
        << QStringLiteral("lblTotal") << 0
        << u"This amount should be equal to the sum of the values entered for total liabilities and shareholder's equity.  "
           u"It should also be equal to the amount entered for total assets."_s;
}

void TestItemDefinitions::wholeTexts()
{
    QFETCH(QString, label);
    QFETCH(int, language);
    QFETCH(QString, text);
    const auto d = kiv::itemDefinition(label, language);
    QVERIFY(d);
    QCOMPARE(d->text, text);
}

void TestItemDefinitions::captionsAndLanguages()
{
    // One definition for each item's caption, in the window's order.
    const QStringList labels = kiv::itemDefinitionLabels();
    QStringList captions;
    for (const kiv::values::ItemInfo& item : kiv::values::items())
        captions.append(QString::fromUtf16(item.caption));
    QCOMPARE(labels, captions);

    // No two items share a text, in either language.
    QSet<QString> texts;
    for (const QString& label : labels)
        for (int lang = 0; lang < 2; ++lang)
            texts.insert(kiv::itemDefinition(label, lang)->text);
    QCOMPARE(texts.size(), 66);

    // Any language but English shows the French texts.
    QCOMPARE(kiv::itemDefinition(u"Label8", 2), kiv::itemDefinition(u"Label8", 1));
    QCOMPARE(kiv::itemDefinition(u"Label8", -1), kiv::itemDefinition(u"Label8", 1));
    // Labels that show nothing: the entry boxes, a caption's box name, another window's caption.
    QVERIFY(!kiv::itemDefinition(u"txtCash", 0));
    QVERIFY(!kiv::itemDefinition(u"lblCash", 0));
    QVERIFY(!kiv::itemDefinition(u"label5", 0));
}

void TestItemDefinitions::shownInAnInformationBox()
{
    kivtest::Program program;
    program.dialogs.answer(kiv::vbOK);
    kiv::ShowDefinition(kiv::itemDefinition(u"lblEquity", 1));
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
    const kivtest::Prompt p = program.dialogs.last();
    QCOMPARE(p.style, int(kiv::vbInformation));
    QCOMPARE(p.title, u"DÉFINITION CAPITAUX PROPRES"_s);
    QCOMPARE(p.text, u"Ce montant devrait être la somme des valeurs pour captial-actions, bénéfices non répartis et autres surplus."_s);

    kiv::ShowDefinition(kiv::itemDefinition(u"txtCash", 0)); // no definition: no box
    QCOMPARE(program.dialogs.prompts().size(), std::size_t(1));
}

KIV_TEST_MAIN(TestItemDefinitions)
#include "tst_item_definitions.moc"
