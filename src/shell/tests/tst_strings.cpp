#include "shell/module1.h"
#include "test_support.h"

#include <QFile>
#include <QRegularExpression>
#include <set>

using namespace Qt::StringLiterals;

class TestStrings : public QObject {
    Q_OBJECT
private slots:
    void textFollowsLanguage_data();
    void textFollowsLanguage();
    void fixedAndAbsentEntries();
    void fileEntries();
};

void TestStrings::textFollowsLanguage_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("french");
    QTest::newRow("product name") << 2 << u"Kivob"_s << u"Kivob"_s;
    QTest::newRow("edition menu title, typo kept") << 316 << u"Kivob Menu Selection"_s
                                                   << u"Menu de séléction des Kivob"_s;
    QTest::newRow("apostrophe") << 322 << u"Start Application"_s << u"Exécuter l'application"_s;
    QTest::newRow("accents") << 448 << u"Prince Edward Island"_s << u"Île-du-Prince-Édouard"_s;
    // A year follows these notes after their trailing blank.
    QTest::newRow("trailing blank in both") << 144
        << u"Balance sheet data should be as at the fiscal year end "_s
        << u"Les données du bilan doivent être à la fin de l'année fiscale "_s;
    QTest::newRow("trailing blank in French only") << 104 << u"Profitability (percentages)"_s
                                                   << u"Ratios de rentabilité "_s;
    QTest::newRow("trailing blank in English only") << 256 << u"Annual sales of goods "_s
                                                    << u"Ventes de biens annuelles"_s;
    QTest::newRow("column head") << 250 << u"Your firm is better than _% of the firms"_s
                                 << u"Votre entreprise est meilleur que _% des entreprises"_s;
    QTest::newRow("three-year revenue class") << 430 << u"Revenue under $5 million, Reference year "_s
        << u"Ayant moins de $5 millions de recettes, l'année de référence "_s;
    QTest::newRow("last id") << 460 << u"View"_s << u"Vue"_s;
}

void TestStrings::textFollowsLanguage()
{
    QFETCH(int, base);
    QFETCH(QString, english);
    QFETCH(QString, french);
    kivtest::Program program;
    QCOMPARE(kiv::LoadResString(base), english);
    QCOMPARE(kiv::LoadResString(base + 1), french);
    QCOMPARE(kiv::text(base), english);
    gLanguage = 1;
    QCOMPARE(kiv::text(base), french);
}

void TestStrings::fixedAndAbsentEntries()
{
    kivtest::Program program;
    QCOMPARE(kiv::LoadResString(1), u"string"_s);
    // The French button reads "Français" in both languages: only the odd entry exists.
    QCOMPARE(kiv::LoadResString(379), u"Français"_s);
    QVERIFY(kiv::LoadResString(378).isEmpty());
    // Ids no window uses, and ids outside the table, read as the empty text.
    for (int id : {0, 22, 420, 421, 462, -1})
        QVERIFY2(kiv::LoadResString(id).isEmpty(), qPrintable(QString::number(id)));
    gLanguage = 1;
    QVERIFY(kiv::text(420).isEmpty());
}

// Every line of the table file is a comment, empty, or one entry with an id of the table:
// a malformed line would be skipped without a word and its text would read as empty.
void TestStrings::fileEntries()
{
    QFile f(u":/kiv/strings.tsv"_s);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    static const QRegularExpression entry(u"^([0-9]+)\t(.*)$"_s);
    std::set<int> ids;
    for (int n = 0; n < lines.size(); ++n) {
        const QString& line = lines[n];
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QString where = u"line %1: %2"_s.arg(n + 1).arg(line);
        const auto m = entry.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(where));
        QVERIFY2(!line.endsWith(u'\r'), qPrintable(where));
        const int id = m.captured(1).toInt();
        QVERIFY2(id >= 1 && id <= 461, qPrintable(where));
        QVERIFY2(ids.insert(id).second, qPrintable(u"duplicate id, "_s + where));
        QVERIFY2(!m.captured(2).isEmpty(), qPrintable(where));
    }
    // Bilingual texts come in pairs; 1 and the French button's 379 stand alone.
    for (int id : ids) {
        if (id == 1 || id == 379)
            continue;
        const int partner = id % 2 == 0 ? id + 1 : id - 1;
        QVERIFY2(ids.count(partner), qPrintable(u"id %1 has no partner %2"_s.arg(id).arg(partner)));
    }
    QVERIFY(ids.size() > 300);
}

KIV_TEST_MAIN(TestStrings)
#include "tst_strings.moc"
