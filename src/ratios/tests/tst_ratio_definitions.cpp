#include "ratios/ratio_definitions.h"
#include "test_support.h"

using namespace Qt::StringLiterals;

class TestRatioDefinitions : public QObject {
    Q_OBJECT
private slots:
    void eachRatio_data();
    void eachRatio();
    void wholeTexts_data();
    void wholeTexts();
    void captionsAndLanguages();
};

// Each ratio-name label: whether its formula stands on the heading line, the formula's leading
// blanks in English and French, and the two titles.
void TestRatioDefinitions::eachRatio_data()
{
    QTest::addColumn<bool>("onHeadingLine");
    QTest::addColumn<int>("blanksEn");
    QTest::addColumn<int>("blanksFr");
    QTest::addColumn<QString>("titleEn");
    QTest::addColumn<QString>("titleFr");
    QTest::newRow("lblNetProfitMargin") << true << 4 << 4 << u"NET PROFIT MARGIN DEFINITION"_s << u"DÉFINITION MARGE BÉNÉFICIAIRE NETTE"_s;
    QTest::newRow("lblPretaxProfitMargin") << true << 4 << 4 << u"PRETAX PROFIT MARGIN DEFINITION"_s << u"DÉFINITION MARGE BÉNÉFICIAIRE AVANT IMPOTS"_s;
    QTest::newRow("lblOperatingProfitMargin") << true << 4 << 4 << u"OPERATING PROFIT MARGIN DEFINITION"_s << u"DÉFINITION MARGE BÉNÉFICIAIRE D'EXPLOITATION"_s;
    QTest::newRow("lblGrossProfitMargin") << true << 4 << 4 << u"GROSS PROFIT MARGIN DEFINITION"_s << u"DÉFINITION MARGE BÉNÉFICIAIRE BRUTE"_s;
    QTest::newRow("lblOperatingRevenueToNetOperatingAssets") << false << 0 << 0 << u"OPERATING REVENUE TO NET OPERATING ASSETS DEFINITION"_s << u"RECETTEE D 'EXPLOITATION SUR LES ACTIFS NETS D'EXPLOITATION"_s;
    QTest::newRow("lblReturnOnNetOperatingAssets") << false << 0 << 0 << u"RETURN ON NET OPERATING ASSETS DEFINITION"_s << u"DÉFINITION RENDEMENT DES ACTIFS NETS D'EXPLOITATION"_s;
    QTest::newRow("lblPretaxProfitToAssets") << true << 8 << 8 << u"PRETAX PROFIT TO ASSETS DEFINITION"_s << u"DÉFINITION RATIO DU BÉNÉFICE AVANT IMPÔTS SUR L'ACTIF"_s;
    QTest::newRow("lblReturnOnCapitalEmployed") << false << 0 << 0 << u"RETURN ON CAPITAL EMPLOYED DEFINITION"_s << u"DÉFINITION RENDEMENT DU CAPITAL INVESTI"_s;
    QTest::newRow("lblReturnOnEquity") << true << 9 << 9 << u"RETURN ON EQUITY DEFINITION"_s << u"DÉFINITION RENDEMENT DES CAPITAUX PROPRES"_s;
    QTest::newRow("lblReceivableTurnover") << false << 0 << 0 << u"RECEIVABLE TURNOVER DEFINITION"_s << u"DÉFINITION ROTATION DES COMPTES DÉBITEURS"_s;
    QTest::newRow("lblInventoryTurnover") << true << 10 << 11 << u"INVENTORY TURNOVER DEFINITION"_s << u"DÉFINITION ROTATION DES STOCKS"_s;
    QTest::newRow("lblWorkingCapital") << true << 8 << 8 << u"WORKING CAPITAL DEFINITION"_s << u"DÉFINITION FONDS DE ROULEMENT"_s;
    QTest::newRow("lblDebtToEquity") << false << 0 << 0 << u"DEBT TO EQUITY DEFINITION"_s << u"DÉFINITION RATIO D'ENDETTEMENT"_s;
    QTest::newRow("lblLiabilitiesToAssets") << true << 8 << 8 << u"LIABILITIES TO ASSETS DEFINITION"_s << u"DÉFINITION RATIO DU PASSIF À L'ACTIF"_s;
    QTest::newRow("lblInterestCoverage") << false << 0 << 0 << u"INTEREST COVERAGE DEFINITION"_s << u"DÉFINITION COUVERTURE DE L'INTÉRÊT"_s;
}

void TestRatioDefinitions::eachRatio()
{
    QFETCH(bool, onHeadingLine);
    QFETCH(int, blanksEn);
    QFETCH(int, blanksFr);
    QFETCH(QString, titleEn);
    QFETCH(QString, titleFr);
    const QString label = QString::fromLatin1(QTest::currentDataTag());
    for (int lang = 0; lang < 2; ++lang) {
        const auto d = kiv::ratioDefinition(label, lang);
        QVERIFY(d);
        QCOMPARE(d->title, lang == 0 ? titleEn : titleFr);
        const QString heading = lang == 0 ? u"FORMULAS:"_s : u"FORMULES:"_s;
        const QStringList parts = d->text.split(u"\r\n\r\n"_s);
        for (const QString& p : parts)
            QVERIFY2(!p.contains(u'\r') && !p.contains(u'\n') && !p.isEmpty(), qPrintable(d->text));
        if (onHeadingLine) {
            QCOMPARE(parts.size(), 2);
            const QString blanks(lang == 0 ? blanksEn : blanksFr, u' ');
            QVERIFY2(parts[0].startsWith(heading + blanks) && parts[0].at(heading.size() + blanks.size()) != u' ',
                     qPrintable(parts[0]));
        } else {
            QCOMPARE(parts.size(), 3);
            QCOMPARE(parts[0], heading);
            QVERIFY(!parts[1].startsWith(u' '));
        }
        QVERIFY(!parts.last().startsWith(u' '));
    }
}

void TestRatioDefinitions::wholeTexts_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");
    QTest::newRow("debt to equity, English")
        << u"lblDebtToEquity"_s << 0
        << u"FORMULAS:\r\n\r\nSHORT-TERM LOANS + (LONG-TERM LOANS AND DEBT) / SHAREHOLDERS' EQUITY\r\n\r\n"
           u"This ratio examines the relationship of debt (loans, bonds, debentures) to shareholders' equity.  It compares "
           u"the relative size of debt to resources invested by the owners.  It indicates the extent to which a firm "
           u"relies on borrowed funds to finance its operations.  Firms that rely heavily on borrowed funds are said to "
           u"be highly leveraged."_s;
    QTest::newRow("net profit margin, French")
        << u"lblNetProfitMargin"_s << 1
        << u"FORMULES:    BÉNÉFICE NET /  RECETTES D 'EXPLOITATION TOTALES\r\n\r\n"
           u"Ce ratio mesure le résultat d'exploitation final de l'année.  Il s'agit du bénéfice après impôts qui reste à "
           u"la disposition des propriétaires d'une entreprise.  La marge bénéficiaire nette est parfois appelée «marge  "
           u"nette sur ventes» parce qu'elle est exprimée en pourcentage du chiffre d'affaires.  Elle indique combien de "
           u"cents de bénéfice net il reste par dollar de vente après déduction de tous les frais et charges.  Ce ratio "
           u"traduit la capacité de la direction d'une entreprise à contrôler ses coûts par rapport au revenu des ventes."_s;
    QTest::newRow("operating revenue to net operating assets, French")
        << u"lblOperatingRevenueToNetOperatingAssets"_s << 1
        << u"FORMULES:\r\n\r\nRECETTES TOTALES D'EXPLOITATION / (ACTIF TOTAL D'EXPLOITATION - CRÉDITEURS ET AUTRES "
           u"PASSIFS À COURT TERME)\r\n\r\n"
           u"Le ratio de rotation des actifs nets d'exploitation mesure l'efficience avec laquelle une entreprises a "
           u"utilisé son actif net d'exploitation (actif à court terme, immobilisations et autres éléments d'actif moins "
           u"les créditeurs et les autres éléments de passif à court terme) pour produire des recettes d'exploitation.  "
           u"Il permet d'évaluer la capacité d'une entreprise à produire des recettes à partir d'un montant particulier "
           u"d'investissement en actifs.  Le ratio exprime les recettes d'exploitation en pourcentage de l'actif net "
           u"d'exploitation.\""_s;
}

void TestRatioDefinitions::wholeTexts()
{
    QFETCH(QString, label);
    QFETCH(int, language);
    QFETCH(QString, text);
    const auto d = kiv::ratioDefinition(label, language);
    QVERIFY(d);
    QCOMPARE(d->text, text);
}

void TestRatioDefinitions::captionsAndLanguages()
{
    const QStringList labels = kiv::ratioDefinitionLabels();
    QCOMPARE(labels.size(), 15);
    QCOMPARE(labels.first(), u"lblNetProfitMargin"_s);
    QCOMPARE(labels.last(), u"lblInterestCoverage"_s);
    QCOMPARE(kiv::ratioDefinition(u"lblWorkingCapital", 5), kiv::ratioDefinition(u"lblWorkingCapital", 1));
    // The other labels of a row have no definition.
    QVERIFY(!kiv::ratioDefinition(u"lblNpm", 0));
    QVERIFY(!kiv::ratioDefinition(u"lblMyNpm", 0));
    QVERIFY(!kiv::ratioDefinition(u"lblNpmQ2", 0));
    // The parts by ratio name, for a window that lays them out itself.
    const auto parts = kiv::ratioDefinitionTexts(u"InventoryTurnover", 1);
    QVERIFY(parts);
    QCOMPARE(parts->formula, u"           COÛT DES MARCHANDISES OU PRODUITS VENDUS / STOCKS"_s);
    QCOMPARE(kiv::composeRatioDefinition(*parts), kiv::ratioDefinition(u"lblInventoryTurnover", 1));
}

KIV_TEST_MAIN(TestRatioDefinitions)
#include "tst_ratio_definitions.moc"
