#include "../../values/tests/definition_layout.h"
#include "balancesheet/bs_item_definitions.h"
#include "test_support.h"
#include "values/item_definitions.h"

using namespace Qt::StringLiterals;

class TestBalanceSheetItemDefinitions : public QObject {
    Q_OBJECT
private slots:
    void eachRow_data();
    void eachRow();
    void ownFrenchTexts_data();
    void ownFrenchTexts();
    void captionsAndLanguages();
};

// Each caption of the window, the entry window's caption of the same item, the French title of
// its own where it has one, and whether its French text is its own.
void TestBalanceSheetItemDefinitions::eachRow_data()
{
    QTest::addColumn<QString>("entryLabel");
    QTest::addColumn<QString>("ownFrenchTitle");
    QTest::addColumn<bool>("ownFrenchText");
    QTest::newRow("lblCash") << u"Label5"_s << u""_s << false;
    QTest::newRow("lblAccountsRec") << u"lblReceivables"_s << u""_s << false;
    QTest::newRow("lblInventory") << u"lblInventory"_s << u""_s << false;
    QTest::newRow("lblCapitalAssets") << u"Label10"_s << u""_s << false;
    QTest::newRow("lblOtherAssets") << u"Label11"_s << u"DÉFINITION AUTRES ÉLÉMENTS D'ACTIF"_s << false;
    QTest::newRow("lblTotalOperatingAssets") << u"Label12"_s << u""_s << false;
    QTest::newRow("lblInvestments") << u"Label2"_s << u""_s << false;
    QTest::newRow("lblPortfolio") << u"Label9"_s << u""_s << false;
    QTest::newRow("lblTotalAssets") << u"Label3"_s << u""_s << false;
    QTest::newRow("lblAccountsPayable") << u"Label1"_s << u""_s << false;
    QTest::newRow("lblBanks") << u"Label8"_s << u""_s << false;
    QTest::newRow("lblShort") << u"Label7"_s << u""_s << false;
    QTest::newRow("lblMortgages") << u"lblMortgages"_s << u""_s << false;
    QTest::newRow("lblBonds") << u"lblBonds"_s << u""_s << false;
    QTest::newRow("lblOtherLoans") << u"lblOtherLoans"_s << u""_s << false;
    QTest::newRow("lblOwingToAffiliates") << u"lblAffiliate"_s << u"DÉFINITION COMPTES À PAYER À DES SOCIÉTÉS AFFILIÉES"_s << false;
    QTest::newRow("lblOtherLiabilities") << u"lblOtherLiabilities"_s << u"DÉFINITION AUTRES PASSIFS"_s << false;
    QTest::newRow("lblDeferred") << u"lblDeferredTax"_s << u"DÉFINITION IMPÔTS SUR LE REVENUE REPORTÉ\""_s << true;
    QTest::newRow("lblTotalLiabilities") << u"lblLiabilities"_s << u""_s << false;
    QTest::newRow("lblShareCapital") << u"lblShareCapital"_s << u""_s << true;
    QTest::newRow("lblRetainedEarnings") << u"lblRetainedEarnings"_s << u""_s << true;
    QTest::newRow("lblOtherSurplus") << u"lblOther"_s << u""_s << true;
    QTest::newRow("lblTotalLiabilitiesAndShareholdersEquity") << u"lblTotal"_s << u""_s << false;
    QTest::newRow("lblCurrentAssets") << u"lblCurrentAssets"_s << u""_s << false;
    QTest::newRow("lblCurrentLiabilities") << u"lblCurrentLiabilitite"_s << u""_s << false;
}

void TestBalanceSheetItemDefinitions::eachRow()
{
    QFETCH(QString, entryLabel);
    QFETCH(QString, ownFrenchTitle);
    QFETCH(bool, ownFrenchText);
    const QString label = QString::fromLatin1(QTest::currentDataTag());
    const auto en = kiv::balanceSheetItemDefinition(label, 0);
    const auto fr = kiv::balanceSheetItemDefinition(label, 1);
    const auto entryFr = kiv::itemDefinition(entryLabel, 1);
    QVERIFY(en && fr && entryFr);
    QCOMPARE(en, kiv::itemDefinition(entryLabel, 0));
    QCOMPARE(fr->title, ownFrenchTitle.isEmpty() ? entryFr->title : ownFrenchTitle);
    QCOMPARE(fr->text != entryFr->text, ownFrenchText);
    QCOMPARE(definitionLayout(fr->text), definitionLayout(entryFr->text));
}

// The four French texts of this window's own, where they differ from the entry window's.
void TestBalanceSheetItemDefinitions::ownFrenchTexts_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("deferred income taxes")
        << u"lblDeferred"_s
        << u"Écart (excédent ou déficit) entre les impôts sur le revenu exigibles déterminés en fonction du revenu "
           u"imposable et ceux determinés en fonction du revenu comptable.  La difference de calcul du revenu imposable et "
           u"du revenu comptable tient au moment où certains revenus et certains frais sont comptabilisée dans les états "
           u"financiers.\r\n\r\nInclure\r\n\r\nImpôts débiteurs et créditeurs différés à la suite de l'utilisation de la "
           u"'méthode du report des impôts sur le revenu'."_s;
    QTest::newRow("other surplus")
        << u"lblOtherSurplus"_s
        << u"Partie du capital d'apport (capital investi par les actionnaires) représentée par:\r\n\r\n"
           u"a)  la prime à l'émission d'actions avec valeur nominale\r\n\r\n"
           u"b)  la partie du produit d'une émission d'actions sans valeur nominale qui l'on ne porte pas au crédit du "
           u"capital-actions\r\n\r\n"
           u"c)  le produit de la vente d'actions remises à la société à titre gratuit\r\n\r\n"
           u"d)  le gian sur les actions confisquées\r\n\r\n"
           u"e)  les dons de capital"_s;
}

void TestBalanceSheetItemDefinitions::ownFrenchTexts()
{
    QFETCH(QString, label);
    QFETCH(QString, text);
    QCOMPARE(kiv::balanceSheetItemDefinition(label, 1)->text, text);
}

void TestBalanceSheetItemDefinitions::captionsAndLanguages()
{
    const QStringList labels = kiv::balanceSheetItemDefinitionLabels();
    QCOMPARE(labels.size(), 25);
    QCOMPARE(labels.first(), u"lblCash"_s);
    QCOMPARE(labels.last(), u"lblCurrentLiabilities"_s);
    // Share capital and retained earnings: the words where this window's French texts differ.
    QVERIFY(kiv::balanceSheetItemDefinition(u"lblShareCapital", 1)->text.contains(u"l'apport de captial des détenteurs"));
    QVERIFY(kiv::balanceSheetItemDefinition(u"lblShareCapital", 1)->text.contains(u"tout autre captial d'apport"));
    QVERIFY(kiv::balanceSheetItemDefinition(u"lblRetainedEarnings", 1)->text.contains(u"types de bénéfices non repartis."));
    // Shareholders' equity has no row here; the entry window's captions show nothing here.
    QVERIFY(!kiv::balanceSheetItemDefinition(u"lblEquity", 0));
    QVERIFY(!kiv::balanceSheetItemDefinition(u"Label5", 0));
    QCOMPARE(kiv::balanceSheetItemDefinition(u"lblDeferred", 7), kiv::balanceSheetItemDefinition(u"lblDeferred", 1));
}

KIV_TEST_MAIN(TestBalanceSheetItemDefinitions)
#include "tst_bs_item_definitions.moc"
