#include "numbers/numbers.h"
#include "test_support.h"

#include <QLocale>
#include <cmath>
#include <limits>

using namespace kiv::num;

Q_DECLARE_METATYPE(std::optional<qint64>)

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
const std::optional<qint64> kNone = std::nullopt;
} // namespace

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void leadingParse_data();
    void leadingParse();
    void parseIsExact();
    void amountUnits_data();
    void amountUnits();
    void acceptedAmount_data();
    void acceptedAmount();
    void amountForms_data();
    void amountForms();
    void totalForm_data();
    void totalForm();
    void ratioForm_data();
    void ratioForm();
    void exactSums();
    void sameUnderAnyLocale();
};

void TestNumbers::leadingParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("full");
    QTest::newRow("empty") << QString() << 0.0 << false;
    QTest::newRow("blanks only") << QStringLiteral(" \t\n ") << 0.0 << false;
    QTest::newRow("integer") << QStringLiteral("1500") << 1500.0 << true;
    QTest::newRow("blanks around") << QStringLiteral("  42  ") << 42.0 << true;
    QTest::newRow("blanks tabs line feeds inside") << QStringLiteral("1 2\t3\n4") << 1234.0 << true;
    QTest::newRow("thousands comma") << QStringLiteral("1,234") << 1.0 << false;
    QTest::newRow("currency") << QStringLiteral("$50") << 0.0 << false;
    QTest::newRow("decimal comma") << QStringLiteral("2,5") << 2.0 << false;
    QTest::newRow("trailing letters") << QStringLiteral("12abc") << 12.0 << false;
    QTest::newRow("negative decimals") << QStringLiteral("-250.125") << -250.125 << true;
    QTest::newRow("plus sign") << QStringLiteral("+7") << 7.0 << true;
    QTest::newRow("blank after sign") << QStringLiteral("- 5") << -5.0 << true;
    QTest::newRow("two signs") << QStringLiteral("--5") << 0.0 << false;
    QTest::newRow("sign after digits") << QStringLiteral("12-") << 12.0 << false;
    QTest::newRow("parentheses") << QStringLiteral("(12)") << 0.0 << false;
    QTest::newRow("no integer digit") << QStringLiteral(".5") << 0.5 << true;
    QTest::newRow("negative no integer digit") << QStringLiteral("-.25") << -0.25 << true;
    QTest::newRow("trailing point") << QStringLiteral("5.") << 5.0 << true;
    QTest::newRow("second point stops") << QStringLiteral("1.2.3") << 1.2 << false;
    QTest::newRow("leading zeros") << QStringLiteral("007") << 7.0 << true;
    QTest::newRow("exponent") << QStringLiteral("1e3") << 1000.0 << true;
    QTest::newRow("exponent sign") << QStringLiteral("1E+3") << 1000.0 << true;
    QTest::newRow("exponent D") << QStringLiteral("2.5d-2") << 0.025 << true;
    QTest::newRow("total form") << QStringLiteral("1.234568E+07") << 12345680.0 << true;
    QTest::newRow("lone exponent letter") << QStringLiteral("1e") << 1.0 << false;
    QTest::newRow("exponent without digits") << QStringLiteral("1e+") << 1.0 << false;
    QTest::newRow("exponent alone") << QStringLiteral("e5") << 0.0 << false;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0.0 << false;
    QTest::newRow("point alone") << QStringLiteral(".") << 0.0 << false;
    QTest::newRow("carriage return is not a blank") << QStringLiteral("\r5") << 0.0 << false;
    QTest::newRow("hexadecimal") << QStringLiteral("&HFF") << 255.0 << true;
    QTest::newRow("hexadecimal small letters") << QStringLiteral("&hff") << 255.0 << true;
    QTest::newRow("octal") << QStringLiteral("&O17") << 15.0 << true;
    QTest::newRow("hexadecimal stops") << QStringLiteral("&H1G") << 1.0 << false;
    QTest::newRow("prefix without digits") << QStringLiteral("&H") << 0.0 << false;
    QTest::newRow("octal digit out of radix") << QStringLiteral("&O8") << 0.0 << false;
    QTest::newRow("ampersand alone") << QStringLiteral("&12") << 0.0 << false;
    QTest::newRow("beyond double range") << QStringLiteral("1e400") << kInf << true;
    QTest::newRow("below double range") << QStringLiteral("1e-400") << 0.0 << true;
    QTest::newRow("huge exponent digits") << QStringLiteral("-1e99999999999999999999") << -kInf << true;
}

void TestNumbers::leadingParse()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, full);
    const LeadingNumber n = readLeadingNumber(text);
    QVERIFY2(n.value == value, qPrintable(QString::number(n.value, 'g', 17)));
    QCOMPARE(leadingNumber(text) == value, true);
    QCOMPARE(n.readsFully, full);
    QCOMPARE(readsFully(text), full);
}

void TestNumbers::parseIsExact()
{
    // The parse gives the nearest double of the decimal text, never an accumulated one.
    QVERIFY(leadingNumber(u"0.1") == 0.1);
    QVERIFY(leadingNumber(u"123456789012345678901234567890") == 123456789012345678901234567890.0);
    QVERIFY(leadingNumber(u"0.000000000000000000000000000001") == 1e-30);
    QVERIFY(leadingNumber(u"9007199254740993") == 9007199254740992.0); // halfway: to even
    const LeadingNumber n = readLeadingNumber(u"-0012.3400e1");
    QVERIFY(n.negative);
    QCOMPARE(n.digits, std::string("1234"));
    QCOMPARE(n.exponent, std::int64_t(-1));
    QVERIFY(!readLeadingNumber(u"-0").negative);
}

void TestNumbers::amountUnits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint64>>("units");
    QTest::newRow("zero") << QStringLiteral("0") << std::optional<qint64>(0);
    QTest::newRow("start form and garbage read as 0") << QStringLiteral("abc") << std::optional<qint64>(0);
    QTest::newRow("entry form") << QStringLiteral(" 1500") << std::optional<qint64>(15000000);
    QTest::newRow("four decimals kept") << QStringLiteral("-250.125") << std::optional<qint64>(-2501250);
    QTest::newRow("rounded up") << QStringLiteral("2.123456") << std::optional<qint64>(21235);
    QTest::newRow("rounded down") << QStringLiteral("12.34564") << std::optional<qint64>(123456);
    QTest::newRow("half to even, down") << QStringLiteral("0.00025") << std::optional<qint64>(2);
    QTest::newRow("half to even, up") << QStringLiteral("0.00035") << std::optional<qint64>(4);
    // 8.00015 is 8.000149999... as a double: only the typed digits give the half.
    QTest::newRow("half from the typed digits") << QStringLiteral("8.00015") << std::optional<qint64>(80002);
    QTest::newRow("just above half") << QStringLiteral("0.000250000000000000001") << std::optional<qint64>(3);
    QTest::newRow("half carries") << QStringLiteral("9999.99995") << std::optional<qint64>(100000000);
    QTest::newRow("negative half") << QStringLiteral("-0.00015") << std::optional<qint64>(-2);
    QTest::newRow("negative to zero") << QStringLiteral("-0.00001") << std::optional<qint64>(0);
    QTest::newRow("negative half to zero") << QStringLiteral("-0.00005") << std::optional<qint64>(0);
    QTest::newRow("exponent") << QStringLiteral("1E3") << std::optional<qint64>(10000000);
    QTest::newRow("total form") << QStringLiteral("1.234568E+07") << std::optional<qint64>(123456800000);
    QTest::newRow("hexadecimal") << QStringLiteral("&HFF") << std::optional<qint64>(2550000);
    QTest::newRow("tiny") << QStringLiteral("1e-400") << std::optional<qint64>(0);
    QTest::newRow("largest") << QStringLiteral("922337203685477.5807") << std::optional<qint64>(std::numeric_limits<qint64>::max());
    QTest::newRow("beyond largest") << QStringLiteral("922337203685477.5808") << kNone;
    QTest::newRow("rounds beyond largest") << QStringLiteral("922337203685477.58075") << kNone;
    QTest::newRow("smallest") << QStringLiteral("-922337203685477.5808") << std::optional<qint64>(std::numeric_limits<qint64>::min());
    QTest::newRow("beyond smallest") << QStringLiteral("-922337203685477.5809") << kNone;
    QTest::newRow("1e15") << QStringLiteral("1e15") << kNone;
    QTest::newRow("huge hexadecimal") << QStringLiteral("&HFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF") << kNone;
}

void TestNumbers::amountUnits()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint64>, units);
    QCOMPARE(kiv::num::amountUnits(text), units);
}

void TestNumbers::acceptedAmount_data()
{
    // The amount taken, or why the text is refused.
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint64>>("units");
    QTest::addColumn<int>("refusal"); // an AmountRefusal, when refused
    const int notANumber = int(AmountRefusal::NotANumber);
    const int above = int(AmountRefusal::AboveLargest);
    const int below = int(AmountRefusal::BelowSmallest);
    QTest::newRow("plain") << QStringLiteral("42") << std::optional<qint64>(420000) << -1;
    QTest::newRow("blanks around") << QStringLiteral("  42 ") << std::optional<qint64>(420000) << -1;
    QTest::newRow("exponent") << QStringLiteral("1e3") << std::optional<qint64>(10000000) << -1;
    QTest::newRow("largest") << QStringLiteral("922337203685477.5807") << std::optional<qint64>(kLargestAmount) << -1;
    QTest::newRow("smallest") << QStringLiteral("-922337203685477.5808") << std::optional<qint64>(kSmallestAmount) << -1;
    QTest::newRow("empty") << QString() << kNone << notANumber;
    QTest::newRow("blanks") << QStringLiteral("   ") << kNone << notANumber;
    QTest::newRow("thousands comma") << QStringLiteral("1,234") << kNone << notANumber;
    QTest::newRow("currency") << QStringLiteral("$50") << kNone << notANumber;
    QTest::newRow("decimal comma") << QStringLiteral("2,5") << kNone << notANumber;
    QTest::newRow("letters after") << QStringLiteral("12abc") << kNone << notANumber;
    QTest::newRow("two points") << QStringLiteral("1.2.3") << kNone << notANumber;
    QTest::newRow("beyond the range, letters after") << QStringLiteral("1e15abc") << kNone << notANumber;
    QTest::newRow("beyond the range") << QStringLiteral("1e15") << kNone << above;
    QTest::newRow("rounds beyond the largest") << QStringLiteral("922337203685477.58075") << kNone << above;
    QTest::newRow("below the smallest") << QStringLiteral("-922337203685477.5809") << kNone << below;
    QTest::newRow("negative beyond the range") << QStringLiteral("-1e15") << kNone << below;
    QTest::newRow("beyond the double range") << QStringLiteral("1e400") << kNone << above;
    QTest::newRow("huge hexadecimal") << QStringLiteral("&HFFFFFFFFFFFFFFFFFFFF") << kNone << above;
}

void TestNumbers::acceptedAmount()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint64>, units);
    QFETCH(int, refusal);
    QCOMPARE(kiv::num::acceptedAmount(text), units);
    const TypedAmount typed = typedAmount(text);
    QCOMPARE(typed.units, units);
    if (!units)
        QCOMPARE(int(typed.refusal), refusal);
}

void TestNumbers::amountForms_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("normalised");
    QTest::newRow("zero") << qint64(0) << QStringLiteral(" 0") << QStringLiteral("0");
    QTest::newRow("whole") << qint64(15000000) << QStringLiteral(" 1500") << QStringLiteral("1500");
    QTest::newRow("trailing zeros dropped") << qint64(25000) << QStringLiteral(" 2.5") << QStringLiteral("2.5");
    QTest::newRow("negative") << qint64(-3000000) << QStringLiteral("-300") << QStringLiteral("-300");
    QTest::newRow("below one") << qint64(5000) << QStringLiteral(" 0.5") << QStringLiteral("0.5");
    QTest::newRow("negative below one") << qint64(-2) << QStringLiteral("-0.0002") << QStringLiteral("-0.0002");
    QTest::newRow("four decimals") << qint64(123457) << QStringLiteral(" 12.3457") << QStringLiteral("12.3457");
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << QStringLiteral(" 922337203685477.5807")
                             << QStringLiteral("922337203685477.5807");
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << QStringLiteral("-922337203685477.5808")
                              << QStringLiteral("-922337203685477.5808");
}

void TestNumbers::amountForms()
{
    QFETCH(qint64, units);
    QFETCH(QString, entry);
    QFETCH(QString, normalised);
    QCOMPARE(entryForm(units), entry);
    QCOMPARE(normalisedForm(units), normalised);
    // Every form reads back as the amount it shows.
    QCOMPARE(kiv::num::acceptedAmount(entry), std::optional<qint64>(units));
    QCOMPARE(kiv::num::acceptedAmount(normalised), std::optional<qint64>(units));
}

void TestNumbers::totalForm_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0f << QStringLiteral("0");
    QTest::newRow("negative zero") << -0.0f << QStringLiteral("0");
    QTest::newRow("whole") << 1500.0f << QStringLiteral("1500");
    QTest::newRow("negative fraction") << -1.5f << QStringLiteral("-1.5");
    QTest::newRow("below one") << 0.5f << QStringLiteral("0.5");
    QTest::newRow("binary fraction shown at seven digits") << 0.1f << QStringLiteral("0.1");
    QTest::newRow("seven digits") << 1234.567f << QStringLiteral("1234.567");
    QTest::newRow("largest without exponent") << 9999999.0f << QStringLiteral("9999999");
    QTest::newRow("ten million") << 10000000.0f << QStringLiteral("1E+07");
    QTest::newRow("rounded to seven digits") << 12345678.0f << QStringLiteral("1.234568E+07");
    QTest::newRow("hundred million") << 123456789.0f << QStringLiteral("1.234568E+08");
    QTest::newRow("rounds up into exponent form") << 99999999.0f << QStringLiteral("1E+08");
    QTest::newRow("exact half to even") << 12500005.0f << QStringLiteral("1.25E+07");
    QTest::newRow("smallest without exponent") << 0.0001f << QStringLiteral("0.0001");
    QTest::newRow("negative small") << -0.00012345678f << QStringLiteral("-0.0001234568");
    QTest::newRow("small exponent") << 0.00001f << QStringLiteral("1E-05");
    QTest::newRow("largest single") << 3.4e38f << QStringLiteral("3.4E+38");
    QTest::newRow("denormal") << std::numeric_limits<float>::denorm_min() << QStringLiteral("1.401298E-45");
    QTest::newRow("not finite") << std::numeric_limits<float>::infinity() << QStringLiteral("...");
}

void TestNumbers::totalForm()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(kiv::num::totalForm(value), text);
}

void TestNumbers::ratioForm_data()
{
    // A single-precision value is rounded from its seven significant digits, a double from its
    // fifteen, then to two decimals with an exact half away from zero.
    QTest::addColumn<bool>("single");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << false << 0.0 << QStringLiteral("0.00");
    QTest::newRow("single zero") << true << 0.0 << QStringLiteral("0.00");
    QTest::newRow("margin") << false << 12.5 << QStringLiteral("12.50");
    QTest::newRow("negative") << false << -0.5 << QStringLiteral("-0.50");
    QTest::newRow("whole") << false << 250.0 << QStringLiteral("250.00");
    QTest::newRow("no grouping") << false << 12345.678 << QStringLiteral("12345.68");
    QTest::newRow("exact half away from zero") << false << 0.125 << QStringLiteral("0.13");
    QTest::newRow("negative exact half") << false << -0.125 << QStringLiteral("-0.13");
    QTest::newRow("single exact half") << true << 0.125 << QStringLiteral("0.13");
    // Exact halves at the digit after a precision's own: the single holds 12345.125 exactly, its
    // seven digits are 12345.13 (not the even 12345.12); the double holds 10000000000000.25.
    QTest::newRow("single exact half at the eighth digit") << true << 12345.125 << QStringLiteral("12345.13");
    QTest::newRow("negative single exact half at the eighth digit") << true << -12345.125 << QStringLiteral("-12345.13");
    QTest::newRow("single exact half at the eighth digit, even below") << true << 1048576.5 << QStringLiteral("1048577.00");
    QTest::newRow("double exact half at the sixteenth digit") << false << 10000000000000.25 << QStringLiteral("10000000000000.30");
    QTest::newRow("negative double exact half at the sixteenth digit") << false << -10000000000000.25
                                                                       << QStringLiteral("-10000000000000.30");
    QTest::newRow("double exact half at the sixteenth digit, even below") << false << 123456789012344.5
                                                                          << QStringLiteral("123456789012345.00");
    QTest::newRow("double exact half at the sixteenth digit, carries") << false << 999999999999999.5
                                                                       << QStringLiteral("1000000000000000.00");
    // Just below a half at the eighth digit stays below it.
    QTest::newRow("single just below the eighth digit half") << true << double(std::nextafter(12345.125f, 0.0f))
                                                             << QStringLiteral("12345.12");
    // Halves that neither precision holds exactly: the stored value lies just below them.
    QTest::newRow("2.675 single") << true << 2.675 << QStringLiteral("2.68");
    QTest::newRow("2.675 double") << false << 2.675 << QStringLiteral("2.68");
    QTest::newRow("-2.675 single") << true << -2.675 << QStringLiteral("-2.68");
    QTest::newRow("-2.675 double") << false << -2.675 << QStringLiteral("-2.68");
    QTest::newRow("1.005 single") << true << 1.005 << QStringLiteral("1.01");
    QTest::newRow("1.005 double") << false << 1.005 << QStringLiteral("1.01");
    QTest::newRow("half a cent single") << true << 0.005 << QStringLiteral("0.01");
    QTest::newRow("negative half a cent") << false << -0.005 << QStringLiteral("-0.01");
    // A single widened to double carries its binary residue into the fifteen digits.
    QTest::newRow("single passed as double") << false << double(1.005f) << QStringLiteral("1.00");
    QTest::newRow("just above half") << true << 12.345 << QStringLiteral("12.35");
    QTest::newRow("carries") << false << 9.999 << QStringLiteral("10.00");
    QTest::newRow("single carries") << true << 99.995 << QStringLiteral("100.00");
    QTest::newRow("negative rounds to zero") << false << -0.004 << QStringLiteral("0.00");
    QTest::newRow("negative single rounds to zero") << true << -0.0049999 << QStringLiteral("0.00");
    QTest::newRow("tiny") << false << 1e-300 << QStringLiteral("0.00");
    // Digits beyond the seventh of a single are not shown.
    QTest::newRow("single beyond seven digits") << true << 123456789.0 << QStringLiteral("123456800.00");
    QTest::newRow("single hundredths beyond seven digits") << true << 131072.015625 << QStringLiteral("131072.00");
    QTest::newRow("double keeps them") << false << 131072.015625 << QStringLiteral("131072.02");
    QTest::newRow("large") << false << 1e20 << QStringLiteral("100000000000000000000.00");
    QTest::newRow("largest single") << true << double(std::numeric_limits<float>::max())
                                    << QStringLiteral("340282300000000000000000000000000000000.00");
    QTest::newRow("not a number") << false << std::nan("") << QStringLiteral("...");
    QTest::newRow("single infinity") << true << kInf << QStringLiteral("...");
}

void TestNumbers::ratioForm()
{
    QFETCH(bool, single);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(single ? kiv::num::ratioForm(static_cast<float>(value)) : kiv::num::ratioForm(value), text);
}

void TestNumbers::exactSums()
{
    // Ten-thousandths add exactly where binary doubles leave residues.
    ExactSum s = ExactSum(1000) + ExactSum(2000); // 0.1 + 0.2
    s -= 3000;
    QVERIFY(s.isZero());
    QVERIFY(0.1 + 0.2 - 0.3 != 0.0);

    // Sums beyond one amount's range stay exact.
    const Units big = std::numeric_limits<Units>::max();
    ExactSum wide = ExactSum(big) + ExactSum(big) + ExactSum(big);
    QVERIFY(!wide.units());
    wide -= big;
    wide -= big;
    QCOMPARE(wide.units(), std::optional<Units>(big));
    QCOMPARE((ExactSum(std::numeric_limits<Units>::min()) - ExactSum(1)).toString(),
             QStringLiteral("-922337203685477.5809"));

    // One rounding from the exact value: 123456789 and 123456790 give the same single, 100 and 100.01 do not.
    QVERIFY(ExactSum(1234567890000).toSingle() == ExactSum(1234567900000).toSingle());
    QVERIFY(ExactSum(1000000).toSingle() != ExactSum(1000100).toSingle());
    QVERIFY(unitsToDouble(1) == 0.0001);
    QVERIFY(unitsToSingle(1) == 0.0001f);
    QVERIFY(unitsToDouble(-25001250) == -2500.125);
    QCOMPARE(ExactSum(-25001250).toString(), QStringLiteral("-2500.125"));
    QCOMPARE(ExactSum().toString(), QStringLiteral("0"));
}

void TestNumbers::sameUnderAnyLocale()
{
    // The user's regional settings never change how the program reads or writes its numbers.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    QCOMPARE(leadingNumber(u"2,5"), 2.0);
    QCOMPARE(leadingNumber(u"2.5"), 2.5);
    QCOMPARE(kiv::num::totalForm(1234.5f), QStringLiteral("1234.5"));
    QCOMPARE(kiv::num::ratioForm(1234.5), QStringLiteral("1234.50"));
    QCOMPARE(entryForm(25000), QStringLiteral(" 2.5"));
    QCOMPARE(blankSigned(10), QStringLiteral(" 10"));
    std::setlocale(LC_NUMERIC, saved.c_str());
    QLocale::setDefault(previous);
}

KIV_TEST_MAIN(TestNumbers)
#include "tst_numbers.moc"
