#include "conversions.h"
#include "outcome.h"

#include <QTest>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// "." stands for a user who writes 1,234.5 and "," for one who writes 1.234,5; ",," for one whose
// settings name the comma for both.
NumberConventions conventionsFor(const QString &decimalPoint)
{
    if (decimalPoint == u",")
        return { u',', u'.' };
    if (decimalPoint == u",,")
        return { u',', u',' };
    return { u'.', u',' };
}

} // namespace

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    void textToDouble_data();
    void textToDouble();
    void longTexts_data();
    void longTexts();
    void doubleToText_data();
    void doubleToText();
    void leadingNumber_data();
    void leadingNumber();
    void formatTwoDecimals_data();
    void formatTwoDecimals();
    void fifteenDigitsAgreeWithExactRounding();
};

void TestConversions::textToDouble_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decimalPoint");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("integer") << "20" << "." << "20";
    QTest::newRow("decimal") << "12.35" << "." << "12.35";
    QTest::newRow("correctly rounded") << "0.1" << "." << "0.1";
    QTest::newRow("plus sign") << "+12.5" << "." << "12.5";
    QTest::newRow("minus sign") << "-12.5" << "." << "-12.5";
    QTest::newRow("minus zero") << "-0" << "." << "-0";
    QTest::newRow("no integer digits") << ".5" << "." << "0.5";
    QTest::newRow("no fraction digits") << "5." << "." << "5";
    QTest::newRow("leading zeros") << "007.50" << "." << "7.5";
    QTest::newRow("blanks around") << "  12  " << "." << "12";
    QTest::newRow("tab and ideographic space") << u"\t12\u3000"_s << "." << "12";
    QTest::newRow("exponent") << "1e3" << "." << "1000";
    QTest::newRow("exponent with sign") << "2.5E-3" << "." << "0.0025";
    QTest::newRow("exponent plus") << "1E+15" << "." << "1e+15";
    QTest::newRow("largest double") << "1.7976931348623157e308" << "." << "1.7976931348623157e+308";

    QTest::newRow("grouping") << "1,234.5" << "." << "1234.5";
    QTest::newRow("loose grouping") << "1,2,34" << "." << "1234";
    QTest::newRow("comma user's decimal") << "12,35" << "," << "12.35";
    QTest::newRow("comma user's grouping") << "1.234,5" << "," << "1234.5";
    QTest::newRow("dot is grouping for a comma user") << "12.35" << "," << "1235";
    QTest::newRow("comma is grouping for a dot user") << "12,35" << "." << "1235";
    QTest::newRow("decimal comma that is the grouping too") << "12,35" << ",," << "12.35";

    QTest::newRow("full-width digits") << u"１２．３５"_s << "." << "12.35";
    QTest::newRow("full-width sign") << u"－１２"_s << "." << "-12";
    QTest::newRow("full-width grouping") << u"１，２３４"_s << "." << "1234";
    QTest::newRow("full-width exponent") << u"１Ｅ２"_s << "." << "100";

    QTest::newRow("too small reads as zero") << "1e-400" << "." << "0";
    QTest::newRow("too small negative") << "-1e-400" << "." << "-0";
    QTest::newRow("subnormal") << "5e-324" << "." << "5e-324";
    QTest::newRow("zero with huge exponent") << "0e999999999999" << "." << "0";
    QTest::newRow("digits shift the exponent") << "0.0001e310" << "." << "1e+306";
    QTest::newRow("large mantissa tiny exponent") << "1000e-310" << "." << "1e-307";
    QTest::newRow("beyond the range") << "1e400" << "." << "error 6";
    QTest::newRow("beyond the range negative") << "-1e400" << "." << "error 6";
    QTest::newRow("just beyond the range") << "1.8e308" << "." << "error 6";
    QTest::newRow("huge exponent") << "1e99999999999999999999" << "." << "error 6";
    QTest::newRow("huge negative exponent") << "1e-99999999999999999999" << "." << "0";

    QTest::newRow("empty") << "" << "." << "error 13";
    QTest::newRow("blanks only") << "   " << "." << "error 13";
    QTest::newRow("letters") << "abc" << "." << "error 13";
    QTest::newRow("trailing letters") << "12abc" << "." << "error 13";
    QTest::newRow("lone sign") << "-" << "." << "error 13";
    QTest::newRow("lone point") << "." << "." << "error 13";
    QTest::newRow("blank inside") << "1 2" << "." << "error 13";
    QTest::newRow("line break") << "12\n" << "." << "error 13";
    QTest::newRow("hexadecimal") << "0x1A" << "." << "error 13";
    QTest::newRow("not a number") << "NaN" << "." << "error 13";
    QTest::newRow("infinity") << "inf" << "." << "error 13";
    QTest::newRow("exponent without digits") << "1e" << "." << "error 13";
    QTest::newRow("exponent sign only") << "1e+" << "." << "error 13";
    QTest::newRow("two points") << "1.2.3" << "." << "error 13";
    QTest::newRow("grouping first") << ",123" << "." << "error 13";
    QTest::newRow("grouping last") << "123," << "." << "error 13";
    QTest::newRow("grouping doubled") << "1,,234" << "." << "error 13";
    QTest::newRow("grouping in fraction") << "1.234,5" << "." << "error 13";
    QTest::newRow("nul character") << QString(QChar(0)) << "." << "error 13";
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << "." << "error 13";
    // clang-format on
}

void TestConversions::textToDouble()
{
    QFETCH(QString, text);
    QFETCH(QString, decimalPoint);
    QFETCH(QString, expected);
    QCOMPARE(outcome([&] {
                 return ::textToDouble(text.toStdU16String(), conventionsFor(decimalPoint));
             }),
             expected);
}

void TestConversions::longTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const qsizetype megabyte = 1 << 20;
    QTest::newRow("a megabyte of digits") << QString(megabyte, u'1') << "error 6";
    QTest::newRow("a megabyte of zeros") << QString(megabyte, u'0') << "0";
    QTest::newRow("a megabyte of fraction") << u"0."_s + QString(megabyte, u'0') + u"1"_s << "0";
    QTest::newRow("a megabyte of exponent") << u"1e"_s + QString(megabyte, u'9') << "error 6";
    QTest::newRow("a megabyte of letters") << QString(megabyte, u'x') << "error 13";
    QTest::newRow("a megabyte of grouping") << u"1,"_s.repeated(megabyte / 2) + u"0"_s << "error 6";
    QTest::newRow("many digits round correctly")
        << u"0.1"_s + QString(1000, u'0') + u"1"_s << "0.1";
}

void TestConversions::longTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(outcome([&] { return ::textToDouble(text.toStdU16String(), {}); }), expected);
}

void TestConversions::doubleToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole") << 10.0 << "10";
    QTest::newRow("binary noise dropped") << 2.2300000000000004 << "2.23";
    QTest::newRow("just under") << 0.19999999999999998 << "0.2";
    QTest::newRow("fifteenth digit kept") << 0.20000000000000107 << "0.200000000000001";
    QTest::newRow("negative") << -2.5 << "-2.5";
    QTest::newRow("large") << 1e15 << "1e+15";
    QTest::newRow("largest double") << 1.7976931348623157e308 << "1.79769313486232e+308";
    QTest::newRow("smallest subnormal") << 5e-324 << "4.94065645841247e-324";
}

void TestConversions::doubleToText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(::doubleToText(value)), expected);
}

void TestConversions::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << "2.23"
                           << "2.23";
    QTest::newRow("leading blanks") << "  0.200000000000001"
                                    << "0.200000000000001";
    QTest::newRow("stops at the first stranger") << "12.5abc"
                                                 << "12.5";
    QTest::newRow("exponent") << "4.94065645841247e-324"
                              << "5e-324";
    QTest::newRow("nothing") << ""
                             << "0";
    QTest::newRow("rounded past the largest double") << "1.79769313486232e+308"
                                                     << "error 6";
}

void TestConversions::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(outcome([&] { return ::leadingNumber(text.toStdString()); }), expected);
}

void TestConversions::formatTwoDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("decimalPoint");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("whole") << 20.0 << "." << "20.00";
    QTest::newRow("two decimals") << 18.09 << "." << "18.09";
    QTest::newRow("one decimal") << 0.5 << "." << "0.50";
    QTest::newRow("negative") << -2.5 << "." << "-2.50";
    QTest::newRow("half rounds up") << 11.545 << "." << "11.55";
    QTest::newRow("half rounds away from zero") << -11.545 << "." << "-11.55";
    QTest::newRow("below half rounds down") << 10.954999999999 << "." << "10.95";
    QTest::newRow("half beyond the fifteenth digit") << 0.0049999999999999996 << "." << "0.01";
    QTest::newRow("carry into the integer") << 9.995 << "." << "10.00";
    QTest::newRow("carry adds a digit") << 99.999 << "." << "100.00";
    QTest::newRow("smallest shown") << 0.005 << "." << "0.01";
    QTest::newRow("hundredths") << 0.045 << "." << "0.05";
    QTest::newRow("too small") << 0.004 << "." << "0.00";
    QTest::newRow("negative rounding to zero") << -0.004 << "." << "0.00";
    QTest::newRow("minus zero") << -0.0 << "." << "0.00";
    QTest::newRow("a level") << 20 - 10 * 0.191 << "." << "18.09";
    QTest::newRow("no exponent form") << 1e15 << "." << "1000000000000000.00";
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << "."
                                    << "179769313486232" + QString(294, u'0') + ".00";
    QTest::newRow("fifteen digits then zeros") << 123456789012345678901.0 << "."
                                               << "123456789012346000000.00";
    QTest::newRow("tiny") << 1.5e-05 << "." << "0.00";
    QTest::newRow("subnormal") << 5e-324 << "." << "0.00";
    QTest::newRow("comma user") << 11.545 << "," << "11,55";
    // clang-format on
}

void TestConversions::formatTwoDecimals()
{
    QFETCH(double, value);
    QFETCH(QString, decimalPoint);
    QFETCH(QString, expected);
    const std::u16string shown
        = ::formatTwoDecimals(decimalForm(value), decimalPoint.front().unicode());
    QCOMPARE(QString::fromStdU16String(shown), expected);
}

// The quick 15-digit rounding must agree with the exact one everywhere: on prices, on ties, on
// subnormals and on arbitrary bit patterns.
void TestConversions::fifteenDigitsAgreeWithExactRounding()
{
    std::mt19937_64 random(20261208);
    std::vector<double> values { 100000000000000.5,
                                 0.1 + 0.2,
                                 5e-324,
                                 2.2250738585072014e-308,
                                 std::numeric_limits<double>::max(),
                                 0.0049999999999999996 };
    for (double power = 1e-9; power < 1e17; power *= 10)
        for (const double near :
             { power, std::nextafter(power, 0.0), std::nextafter(power, 1e300) })
            values.push_back(near);
    std::uniform_real_distribution<double> decade(-9, 17);
    for (int i = 0; i < 100000; ++i) {
        values.push_back(std::pow(10.0, decade(random)));
        values.push_back(std::bit_cast<double>(random()));
        values.push_back(double(random() % 100000000) / 100 - double(random() % 1000000) / 100);
        values.push_back(
            std::ldexp(double(random() % 1000000000000000 * 2 + 1), -int(random() % 60)));
    }
    for (const double value : values) {
        if (!std::isfinite(value))
            continue;
        std::array<char, 40> buffer;
        char *end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                  std::chars_format::general, 15)
                        .ptr;
        const std::string exact(buffer.data(), end);
        if (::doubleToText(value) != exact)
            QFAIL(
                qPrintable(QStringLiteral("%1 gives %2")
                               .arg(QString::fromStdString(exact), ::doubleToText(value).c_str())));
    }
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
