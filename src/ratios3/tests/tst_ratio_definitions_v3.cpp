#include "ratios/ratio_definitions.h"
#include "ratios3/ratio_definitions_v3.h"
#include "test_support.h"

using namespace Qt::StringLiterals;

class TestRatioDefinitionsV3 : public QObject {
    Q_OBJECT
private slots:
    void sameAsOneYear();
    void grossProfitMargin_data();
    void grossProfitMargin();
};

// One set of texts serves both comparison windows: the six ratios show what the one-year window
// shows under the labels of the same names.
void TestRatioDefinitionsV3::sameAsOneYear()
{
    const QStringList labels = kiv::ratioDefinitionV3Labels();
    QCOMPARE(labels, QStringList({u"lblNetProfitMargin"_s, u"lblPretaxProfitMargin"_s, u"lblGrossProfitMargin"_s,
                                  u"lblPretaxProfitToAssets"_s, u"lblReturnOnEquity"_s, u"lblLiabilitiesToAssets"_s}));
    for (const QString& label : labels)
        for (int lang : {0, 1, 2}) {
            const auto d = kiv::ratioDefinitionV3(label, lang);
            QVERIFY(d);
            QCOMPARE(d, kiv::ratioDefinition(label, lang));
        }
    QVERIFY(!kiv::ratioDefinitionV3(u"lblDebtToEquity", 0));
}

void TestRatioDefinitionsV3::grossProfitMargin_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("start");
    QTest::newRow("English") << 0 << u"GROSS PROFIT MARGIN DEFINITION"_s
                             << u"FORMULAS:    GROSS PROFIT / SALES\r\n\r\nGross profit is the excess of sales over cost of sales."_s;
    QTest::newRow("French") << 1 << u"DÉFINITION MARGE BÉNÉFICIAIRE BRUTE"_s
                            << u"FORMULES:    BÉNÉFICE BRUT / CHIFFRE D 'AFFAIRES\r\n\r\nLa marge brute représente"_s;
}

void TestRatioDefinitionsV3::grossProfitMargin()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, start);
    const auto d = kiv::ratioDefinitionV3(u"lblGrossProfitMargin", language);
    QVERIFY(d);
    QCOMPARE(d->title, title);
    QVERIFY2(d->text.startsWith(start), qPrintable(d->text));
}

KIV_TEST_MAIN(TestRatioDefinitionsV3)
#include "tst_ratio_definitions_v3.moc"
