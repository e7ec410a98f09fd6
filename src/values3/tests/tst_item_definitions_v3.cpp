#include "test_support.h"
#include "values/item_definitions.h"
#include "values3/item_definitions_v3.h"

using namespace Qt::StringLiterals;

class TestItemDefinitionsV3 : public QObject {
    Q_OBJECT
private slots:
    void sameAsEntryWindow_data();
    void sameAsEntryWindow();
    void totalLiabilities_data();
    void totalLiabilities();
    void captions();
};

// Eight captions show the one-year entry window's definitions of their items, titles and texts;
// they bear the same names there.
void TestItemDefinitionsV3::sameAsEntryWindow_data()
{
    QTest::addColumn<int>("language");
    for (const char* label : {"Label3", "lblEquity", "lblOperatingRevenue1", "lblRevenue6", "lblGrossProfit",
                              "lblOperatingProfit", "lblPretaxProfit", "lblAftertaxProfit"}) {
        QTest::addRow("%s, English", label) << 0;
        QTest::addRow("%s, French", label) << 1;
    }
}

void TestItemDefinitionsV3::sameAsEntryWindow()
{
    QFETCH(int, language);
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    const QString label = tag.left(tag.indexOf(u','));
    const auto d = kiv::itemDefinitionV3(label, language);
    QVERIFY(d);
    QCOMPARE(d, kiv::itemDefinition(label, language));
}

// Total liabilities: the entry window's titles over a text of this window's own, seven parts with
// an empty line between each two.
void TestItemDefinitionsV3::totalLiabilities_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("English") << 0 << u"TOTAL LIABILITIES DEFINITION"_s
                             << u"Total liabilities should be the sum of all liabilities short and long term\r\n\r\n"
                                u"      Inclusions:\r\n\r\n"
                                u"Accounts payable\r\n\r\n"
                                u"Income tax payable\r\n\r\n"
                                u"Amount owing to parent subsidiaries and affiliates borrowing\r\n\r\n"
                                u"Deferred income taxes\r\n\r\n"
                                u"Other liabilities"_s;
    QTest::newRow("French") << 1 << u"DÉFINITION TOTAL, PASSIFS"_s
                            << u"Total, passifs devrait etre la somme de tous les passifs, court terme et long terme\r\n\r\n"
                               u"      Exclure:\r\n\r\n"
                               u"Comptes crediteurs\r\n\r\n"
                               u"Impots sur revenu a payer\r\n\r\n"
                               u"Sommes dues a la societe mere, aux filiales et aux societes affiliees emprunts\r\n\r\n"
                               u"Impots sur le revenu reportes\r\n\r\n"
                               u"Autres elements de passif"_s;
}

void TestItemDefinitionsV3::totalLiabilities()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, text);
    const auto d = kiv::itemDefinitionV3(u"lblLiabilities", language);
    QVERIFY(d);
    QCOMPARE(d->title, title);
    QCOMPARE(d->text, text);
    QCOMPARE(d->title, kiv::itemDefinition(u"lblLiabilities", language)->title);
}

void TestItemDefinitionsV3::captions()
{
    QCOMPARE(kiv::itemDefinitionV3Labels(),
             QStringList({u"Label3"_s, u"lblLiabilities"_s, u"lblEquity"_s, u"lblOperatingRevenue1"_s, u"lblRevenue6"_s,
                          u"lblGrossProfit"_s, u"lblOperatingProfit"_s, u"lblPretaxProfit"_s, u"lblAftertaxProfit"_s}));
    // Items the three-year window does not have.
    QVERIFY(!kiv::itemDefinitionV3(u"Label5", 0));
    QVERIFY(!kiv::itemDefinitionV3(u"lblInterextExpense", 0));
    QCOMPARE(kiv::itemDefinitionV3(u"lblLiabilities", 3), kiv::itemDefinitionV3(u"lblLiabilities", 1));
}

KIV_TEST_MAIN(TestItemDefinitionsV3)
#include "tst_item_definitions_v3.moc"
