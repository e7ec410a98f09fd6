// The pattern language, the word cutting and the list order of the industry search.
#include "industry/text_match.h"
#include "test_support.h"

using namespace kiv::industry;
using namespace Qt::StringLiterals;

class TestTextMatch : public QObject {
    Q_OBJECT
private slots:
    void likePatterns_data();
    void likePatterns();
    void splitWords_data();
    void splitWords();
    void wordPositionsBeyondSixteenBits();
    void listOrder_data();
    void listOrder();
    void shownCode_data();
    void shownCode();
};

void TestTextMatch::likePatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("match");

    // Whole text against whole pattern, letters without regard to case.
    QTest::newRow("plain, other case") << u"Dairy products"_s << u"dAIRY PRODUCTS"_s << true;
    QTest::newRow("plain, text longer") << u"Dairy"_s << u"Dairy products"_s << false;
    QTest::newRow("empty pattern, empty text") << QString() << QString() << true;
    QTest::newRow("empty pattern, text") << QString() << u"a"_s << false;
    // Stars.
    QTest::newRow("star inside a word") << u"*store*"_s << u"storefront"_s << true;
    QTest::newRow("star, other case") << u"*STORE*"_s << u"A grocery store"_s << true;
    QTest::newRow("lone star, empty text") << u"*"_s << QString() << true;
    QTest::newRow("two stars, empty text") << u"**"_s << QString() << true;
    QTest::newRow("star walks back") << u"*a*a"_s << u"banana"_s << true;
    QTest::newRow("star walks back, suffix") << u"*ab"_s << u"aab"_s << true;
    QTest::newRow("middle stars") << u"a*b*c"_s << u"aXbYc"_s << true;
    QTest::newRow("middle stars, missing end") << u"a*b*c"_s << u"aXbY"_s << false;
    QTest::newRow("star needs its neighbours") << u"a*a"_s << u"a"_s << false;
    QTest::newRow("star, hit far into the text") << u"*storefront*"_s << u"Each store in this group has a storefront."_s << true;
    QTest::newRow("star, near misses only") << u"*storefront*"_s << u"Each store in this group has a store front."_s << false;
    QTest::newRow("star, hit at the very end") << u"*front*"_s << u"Each store in this group has a storeFRONT"_s << true;
    QTest::newRow("star, long s folds to s") << u"*store*"_s << u"Groceries and \u017Ftores of every kind"_s << true;
    QTest::newRow("star, Kelvin sign folds to k") << u"*key*"_s << u"A word of the \u212AEY kind"_s << true;
    QTest::newRow("quotes are plain") << u"*\"drop-in\"*"_s << u"Youth \"drop-in\" centres"_s << true;
    // One character, one digit.
    QTest::newRow("question mark, one") << u"?"_s << u"a"_s << true;
    QTest::newRow("question mark, none") << u"?"_s << QString() << false;
    QTest::newRow("question marks, too few") << u"??"_s << u"a"_s << false;
    QTest::newRow("hash, digit") << u"*#*"_s << u"Code 5411"_s << true;
    QTest::newRow("hash, no digit") << u"*#*"_s << u"Grocery stores"_s << false;
    QTest::newRow("hash is one digit") << u"#"_s << u"54"_s << false;
    // Lists.
    QTest::newRow("list, other case") << u"[abc]"_s << u"B"_s << true;
    QTest::newRow("negated list, outside") << u"[!abc]"_s << u"d"_s << true;
    QTest::newRow("negated list, inside") << u"[!abc]"_s << u"A"_s << false;
    QTest::newRow("range, other case") << u"[a-c]*"_s << u"Bread"_s << true;
    QTest::newRow("range, outside") << u"[A-C]*"_s << u"dairy"_s << false;
    QTest::newRow("digits range") << u"5[0-4]##"_s << u"5411"_s << true;
    QTest::newRow("hyphen first") << u"[-a]"_s << u"-"_s << true;
    QTest::newRow("hyphen last") << u"[a-]"_s << u"-"_s << true;
    QTest::newRow("bracketed star is a star") << u"[*]"_s << u"*"_s << true;
    QTest::newRow("bracketed star, letter") << u"[*]"_s << u"a"_s << false;
    QTest::newRow("bracketed question mark") << u"a[?]"_s << u"a?"_s << true;
    QTest::newRow("bracketed hash, hash") << u"[#]"_s << u"#"_s << true;
    QTest::newRow("bracketed hash, digit") << u"[#]"_s << u"1"_s << false;
    QTest::newRow("bracketed opening bracket") << u"[[]"_s << u"["_s << true;
    QTest::newRow("empty brackets take nothing") << u"a[]b"_s << u"ab"_s << true;
    QTest::newRow("closing bracket alone is plain") << u"a]"_s << u"a]"_s << true;
    // Patterns that are not valid match nothing, not even their own text.
    QTest::newRow("unmatched bracket") << u"store["_s << u"store["_s << false;
    QTest::newRow("unmatched bracket, some") << u"*[store*"_s << u"[store"_s << false;
    QTest::newRow("falling range") << u"[z-a]"_s << u"m"_s << false;
    // Accented and plain letters stay distinct; every alphabet folds its case.
    QTest::newRow("accented capital") << u"*épi*"_s << u"Épiceries"_s << true;
    QTest::newRow("plain for accented") << u"*epi*"_s << u"Épiceries"_s << false;
    QTest::newRow("accented for plain") << u"*é*"_s << u"Bakeries"_s << false;
    QTest::newRow("oe ligature") << u"*ŒUVRE*"_s << u"bois d'œuvre"_s << true;
    QTest::newRow("greek") << u"σ?"_s << u"ΣΑ"_s << true;
    QTest::newRow("accented range") << u"[à-é]"_s << u"É"_s << true;
}

void TestTextMatch::likePatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, match);
    QCOMPARE(like(text, pattern), match);
}

void TestTextMatch::splitWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");

    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("blanks only") << u"   "_s << QStringList();
    QTest::newRow("runs of blanks") << u"  a   b  "_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("comma before a blank") << u"5611, 5621"_s << QStringList{u"5611"_s, u"5621"_s};
    QTest::newRow("comma without blank") << u"3211,3212"_s << QStringList{u"3211,3212"_s};
    QTest::newRow("one comma only goes") << u"a,, b"_s << QStringList{u"a,"_s, u"b"_s};
    QTest::newRow("lone comma gives an empty word") << u"a , b"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("last word keeps its comma") << u"stores,"_s << QStringList{u"stores,"_s};
    QTest::newRow("trailing blanks go first") << u"stores,   "_s << QStringList{u"stores,"_s};
    QTest::newRow("punctuation stays")
        << u"(store) store. store-front"_s << QStringList{u"(store)"_s, u"store."_s, u"store-front"_s};
    QTest::newRow("only blanks separate") << u"a\tb\nc d"_s << QStringList{u"a\tb\nc"_s, u"d"_s};
}

void TestTextMatch::splitWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(SplitWords(text), words);
}

void TestTextMatch::wordPositionsBeyondSixteenBits()
{
    const QString text = QString(40000, u'x') + u" store "_s + QString(30000, u'y') + u", last"_s;
    const QStringList words = SplitWords(text);
    QCOMPARE(words.size(), 4);
    QCOMPARE(words[1], u"store"_s);
    QCOMPARE(words[2].size(), 30000);
    QCOMPARE(words[3], u"last"_s);
}

void TestTextMatch::listOrder_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("sorted");

    // The names of the one-year fixture, in stored order.
    QTest::newRow("English names")
        << QStringList{u"Youth \"drop-in\" centres"_s, u"Grocery stores"_s, u"Dairy products"_s,
                       u"Clothing stores (men's and women's)"_s, u"Bakeries, commercial"_s, u"Shoe stores"_s,
                       u"Bread products"_s, u"Child day-care services"_s}
        << QStringList{u"Bakeries, commercial"_s, u"Bread products"_s, u"Child day-care services"_s,
                       u"Clothing stores (men's and women's)"_s, u"Dairy products"_s, u"Grocery stores"_s,
                       u"Shoe stores"_s, u"Youth \"drop-in\" centres"_s};
    QTest::newRow("French names: an accented capital among its letter")
        << QStringList{u"Centres jeunesse"_s, u"Épiceries"_s, u"Produits laitiers"_s, u"Éditeurs"_s,
                       u"Magasins de vêtements (hommes et femmes)"_s, u"Boulangeries commerciales"_s,
                       u"Magasins de chaussures"_s, u"Produits du pain"_s, u"Services de garderie"_s, u"Entrepôts"_s}
        << QStringList{u"Boulangeries commerciales"_s, u"Centres jeunesse"_s, u"Éditeurs"_s, u"Entrepôts"_s,
                       u"Épiceries"_s, u"Magasins de chaussures"_s, u"Magasins de vêtements (hommes et femmes)"_s,
                       u"Produits du pain"_s, u"Produits laitiers"_s, u"Services de garderie"_s};
    QTest::newRow("accents and case apart from the letters; then accents")
        << QStringList{u"Éb"_s, u"éa"_s, u"eb"_s, u"Ea"_s, u"côte"_s, u"coter"_s, u"Cote"_s, u"Çà"_s, u"Cz"_s}
        << QStringList{u"Çà"_s, u"Cote"_s, u"côte"_s, u"coter"_s, u"Cz"_s, u"Ea"_s, u"éa"_s, u"eb"_s, u"Éb"_s};
    QTest::newRow("ligatures as their letters")
        << QStringList{u"Œufs"_s, u"Olives"_s, u"Odes"_s, u"œillets"_s, u"Straße"_s, u"Strasse"_s, u"Stratus"_s}
        << QStringList{u"Odes"_s, u"œillets"_s, u"Œufs"_s, u"Olives"_s, u"Strasse"_s, u"Straße"_s, u"Stratus"_s};
    QTest::newRow("case ignored, equal entries keep their order")
        << QStringList{u"b"_s, u"a2"_s, u"B"_s, u"A1"_s, u"b"_s}
        << QStringList{u"A1"_s, u"a2"_s, u"b"_s, u"B"_s, u"b"_s};
}

void TestTextMatch::listOrder()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, sorted);
    sortList(entries);
    QCOMPARE(entries, sorted);
    // One entry at a time into a sorted list takes the same places.
    for (qsizetype i = 1; i < sorted.size(); ++i)
        QVERIFY2(!listLess(sorted[i], sorted[i - 1]), qPrintable(sorted[i]));
}

void TestTextMatch::shownCode_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("shown");
    QTest::newRow("French, small letters") << u"not applicable"_s << 1 << u"non applicable"_s;
    QTest::newRow("French, mixed case") << u"Not Applicable"_s << 1 << u"non applicable"_s;
    QTest::newRow("English keeps it") << u"NOT APPLICABLE"_s << 0 << u"NOT APPLICABLE"_s;
    QTest::newRow("French, other text") << u"not applicable, 5411"_s << 1 << u"not applicable, 5411"_s;
    QTest::newRow("French, a code") << u"5611, 5621"_s << 1 << u"5611, 5621"_s;
}

void TestTextMatch::shownCode()
{
    QFETCH(QString, stored);
    QFETCH(int, language);
    QFETCH(QString, shown);
    QCOMPARE(shownIndustryCode(stored, language), shown);
}

KIV_TEST_MAIN(TestTextMatch)
#include "tst_text_match.moc"
