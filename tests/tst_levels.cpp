#include "levelcommands.h"
#include "outcome.h"
#include "priceerror.h"
#include "pricerange.h"

#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

class TestLevels : public QObject
{
    Q_OBJECT

private slots:
    void priceRange_data();
    void priceRange();
    void levels_data();
    void levels();
    void levelsUnderCommaConventions();
};

void TestLevels::priceRange_data()
{
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("low");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("20 and 10") << 20.0 << 10.0 << "10";
    QTest::newRow("binary noise dropped") << 12.35 << 10.12 << "2.23";
    QTest::newRow("noise below dropped") << 0.3 << 0.1 << "0.2";
    QTest::newRow("fifteen digits kept, not snapped") << 10.3 << 10.1 << "0.200000000000001";
    QTest::newRow("equal prices") << 10.0 << 10.0 << "0";
    QTest::newRow("low above high") << 10.0 << 20.0 << "-10";
    QTest::newRow("infinite difference") << 1e308 << -1e308 << "error 6";
    QTest::newRow("rounded past the largest double") << std::numeric_limits<double>::max() << 0.0
        << "error 6";
    QTest::newRow("largest finite range") << 8e307 << -8e307 << "1.6e+308";
    // clang-format on
}

void TestLevels::priceRange()
{
    QFETCH(double, high);
    QFETCH(double, low);
    QFETCH(QString, expected);
    QCOMPARE(outcome([&] { return ::priceRange(high, low); }), expected);
}

// Both columns in the order their boxes are written: support from Text3 (the high, at the top)
// down to Text9, resistance from Text10 (the high, at the bottom) up to Text16. Mirror images, they
// show the same texts in that order unless a price is shown through the display rule as typed.
void TestLevels::levels_data()
{
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("20 and 10") << "both" << "20" << "10"
        << "20.00|18.09|16.18|15.00|13.82|11.91|10.00";
    QTest::newRow("halves round away from zero") << "both" << "12.5" << "10"
        << "12.50|12.02|11.55|11.25|10.96|10.48|10.00";
    QTest::newRow("negative halves") << "both" << "-10" << "-12.5"
        << "-10.00|-10.48|-10.96|-11.25|-11.55|-12.02|-12.50";
    QTest::newRow("ends computed, not copied") << "both" << "10.3" << "10.1"
        << "10.30|10.26|10.22|10.20|10.18|10.14|10.10";
    QTest::newRow("low above high") << "both" << "10" << "20"
        << "10.00|11.91|13.82|15.00|16.18|18.09|20.00";
    QTest::newRow("equal prices") << "both" << "10" << "10"
        << "10.00|10.00|10.00|10.00|10.00|10.00|10.00";
    QTest::newRow("grouped and full-width") << "both" << "1,234.5" << u"１０００"_s
        << "1234.50|1189.71|1144.92|1117.25|1089.58|1044.79|1000.00";
    QTest::newRow("large prices") << "both" << "1e15" << "0"
        << "1000000000000000.00|809000000000000.00|618000000000000.00|"
           "500000000000000.00|382000000000000.00|191000000000000.00|0.00";
    QTest::newRow("high shown as typed") << "support" << " 12.345 " << "12"
        << "12.35|12.28|12.21|12.17|12.13|12.07|12.00";
    QTest::newRow("low shown as typed") << "resistance" << "13" << " 12.345 "
        << "13.00|12.87|12.75|12.67|12.60|12.47|12.35";

    QTest::newRow("bad high") << "both" << "abc" << "10" << "error 13 high";
    QTest::newRow("empty high") << "both" << "" << "10" << "error 13 high";
    QTest::newRow("bad low") << "both" << "20" << "abc" << "error 13 low";
    QTest::newRow("empty low") << "both" << "20" << "" << "error 13 low";
    QTest::newRow("huge low") << "both" << "20" << "-1e400" << "error 6 low";
    QTest::newRow("high is read first") << "both" << "1e400" << "abc" << "error 6 high";
    QTest::newRow("both bad") << "both" << "abc" << "def" << "error 13 high";
    QTest::newRow("infinite range") << "both" << "1e308" << "-1e308" << "error 6 difference";
    QTest::newRow("infinite negative range") << "both" << "-1e308" << "1e308"
        << "error 6 difference";
    QTest::newRow("range rounded past the largest double") << "both" << "1.7976931348623157e308"
        << "0" << "error 6 difference";
    // clang-format on
}

void TestLevels::levels()
{
    QFETCH(QString, columns);
    QFETCH(QString, high);
    QFETCH(QString, low);
    QFETCH(QString, expected);
    const std::u16string highText = high.toStdU16String();
    const std::u16string lowText = low.toStdU16String();
    // An error also names the input at fault.
    const auto levelOutcome = [&](auto levels) {
        try {
            return describe(levels(highText, lowText, NumberConventions {}));
        } catch (const PriceError &error) {
            static constexpr const char *inputs[] { "high", "low", "difference" };
            return QStringLiteral("error %1 %2")
                .arg(error.number())
                .arg(QLatin1String(inputs[int(error.faulty())]));
        }
    };
    if (columns != u"resistance")
        QCOMPARE(levelOutcome(::supportLevels), expected);
    if (columns != u"support")
        QCOMPARE(levelOutcome(::resistanceLevels), expected);
}

// A comma user reads and sees commas, so a shown level pasted back reads as the same number.
void TestLevels::levelsUnderCommaConventions()
{
    const NumberConventions comma { u',', u'.' };
    QCOMPARE(describe(::supportLevels(u"1.012,5", u"1.010", comma)),
             "1012,50|1012,02|1011,55|1011,25|1010,96|1010,48|1010,00");
    QCOMPARE(describe(::resistanceLevels(u"12,5", u"10", comma)),
             "12,50|12,02|11,55|11,25|10,96|10,48|10,00");
}

QTEST_GUILESS_MAIN(TestLevels)
#include "tst_levels.moc"
