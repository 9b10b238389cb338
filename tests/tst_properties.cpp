// Properties every pair of prices must keep, over a deterministic random sweep.
#include "displayrule.h"
#include "levelcommands.h"
#include "runtimeerror.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <random>

namespace {

// The sweep's size: quick in the normal run, a million pairs or more in the long run.
int pairs()
{
    const int asked = qEnvironmentVariableIntValue("PROPERTY_PAIRS");
    return asked > 0 ? asked : 40'000;
}

QString describe(const std::u16string &high, const std::u16string &low, const std::u16string &shown)
{
    return QStringLiteral("high %1, low %2: %3")
        .arg(QString::fromStdU16String(high), QString::fromStdU16String(low),
             QString::fromStdU16String(shown));
}

// A price as a trader types it: up to twelve integer digits and two decimals.
std::u16string typedPrice(std::uint64_t cents)
{
    const std::string digits
        = std::to_string(cents / 100) + '.' + char('0' + cents / 10 % 10) + char('0' + cents % 10);
    return { digits.begin(), digits.end() };
}

// Any finite double, in the shortest text that reads back as it.
std::u16string anyPrice(std::mt19937_64 &random)
{
    double value;
    do
        value = std::bit_cast<double>(random());
    while (!std::isfinite(value));
    std::array<char, 32> buffer;
    const char *begin = buffer.data();
    const char *end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return std::u16string(begin, end);
}

// Exactly two decimals after at least one digit, no exponent, no "-0.00".
bool wellFormed(const std::u16string &shown, char16_t decimalPoint)
{
    const std::size_t digitsFrom = !shown.empty() && shown.front() == u'-' ? 1 : 0;
    const std::size_t point = shown.size() - 3;
    if (shown.size() < digitsFrom + 4 || shown[point] != decimalPoint)
        return false;
    for (std::size_t i = digitsFrom; i < shown.size(); ++i)
        if (i != point && (shown[i] < u'0' || shown[i] > u'9'))
            return false;
    const bool leadingZero = shown[digitsFrom] == u'0' && point - digitsFrom > 1;
    const bool minusZero = digitsFrom == 1 && shown.find_first_of(u"123456789") == shown.npos;
    return !leadingZero && !minusZero;
}

double readBack(const std::u16string &shown, const NumberConventions &conventions)
{
    return textToDouble(shown, conventions);
}

} // namespace

class TestProperties : public QObject
{
    Q_OBJECT

private slots:
    void anyFinitePrices_data();
    void anyFinitePrices();
    void typedPrices();
};

void TestProperties::anyFinitePrices_data()
{
    QTest::addColumn<QString>("decimalPoint");
    QTest::newRow("dot") << ".";
    QTest::newRow("comma") << ",";
}

// Every pair of finite prices gives well-formed texts that read back as the numbers shown, or an
// overflow when the range leaves the doubles; both columns fail alike.
void TestProperties::anyFinitePrices()
{
    QFETCH(QString, decimalPoint);
    const NumberConventions conventions = decimalPoint == u"," ? NumberConventions { u',', u'.' }
                                                               : NumberConventions { u'.', u',' };
    std::mt19937_64 random(1);
    // Most of these are far beyond any price, with texts of hundreds of digits: fewer suffice.
    for (int pair = 0, count = pairs() / 8; pair < count; ++pair) {
        std::u16string high = anyPrice(random);
        std::u16string low = anyPrice(random);
        for (std::u16string *price : { &high, &low })
            std::replace(price->begin(), price->end(), u'.', conventions.decimalPoint);
        int failures = 0;
        for (const auto command : { supportLevels, resistanceLevels }) {
            try {
                for (const std::u16string &shown : command(high, low, conventions)) {
                    if (!wellFormed(shown, conventions.decimalPoint))
                        QFAIL(qPrintable(describe(high, low, shown)));
                    if (displayText(readBack(shown, conventions), conventions) != shown)
                        QFAIL(qPrintable(describe(high, low, shown + u" reads back otherwise")));
                }
            } catch (const RuntimeError &error) {
                QCOMPARE(error.code(), ErrorCode::Overflow);
                ++failures;
            }
        }
        if (failures == 1)
            QFAIL(qPrintable(describe(high, low, u"only one column fails")));
    }
}

void TestProperties::typedPrices()
{
    const NumberConventions conventions;
    std::mt19937_64 random(2);
    std::uniform_int_distribution<std::uint64_t> cents(0, 99'999'999'999'999);
    for (int pair = 0, count = pairs(); pair < count; ++pair) {
        const std::uint64_t highCents = cents(random);
        const std::uint64_t lowCents = pair % 8 == 0 ? highCents - highCents % 1000 : cents(random);
        const std::u16string high = typedPrice(highCents);
        const std::u16string low = typedPrice(lowCents);
        const LevelColumn support = supportLevels(high, low, conventions);
        const LevelColumn resistance = resistanceLevels(high, low, conventions);

        for (const LevelColumn *column : { &support, &resistance })
            if (column->front() != high || column->back() != low)
                QFAIL(qPrintable(describe(high, low, column->front() + u' ' + column->back())));
        if (highCents < lowCents)
            continue;
        // Support falls from the high down its column; resistance, written from the high at the
        // bottom up to the low at the top, falls in the order it is written.
        for (const LevelColumn *column : { &support, &resistance })
            for (std::size_t i = 1; i < column->size(); ++i)
                if (readBack((*column)[i], conventions) > readBack((*column)[i - 1], conventions))
                    QFAIL(qPrintable(describe(high, low, (*column)[i])));
    }
}

QTEST_GUILESS_MAIN(TestProperties)
#include "tst_properties.moc"
