#include "conversions.h"

#include "runtimeerror.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

namespace {

constexpr bool isBlank(char16_t ch)
{
    return ch == u' ' || ch == u'\t' || ch == u'\u3000';
}

// A Chinese input method types digits, signs and points in their full-width forms, and in its
// Chinese punctuation mode the full-stop key gives the ideographic full stop.
constexpr char16_t halfWidth(char16_t ch)
{
    if (ch == u'\u3002')
        return u'.';
    return ch >= u'\uFF01' && ch <= u'\uFF5E' ? char16_t(ch - 0xFEE0) : ch;
}

constexpr bool isDigit(char16_t ch)
{
    return ch >= u'0' && ch <= u'9';
}

constexpr bool isSign(char16_t ch)
{
    return ch == u'+' || ch == u'-';
}

// Far beyond any double's decimal exponent, small enough that no sum with it overflows.
constexpr std::int64_t exponentLimit = 1'000'000'000;

// Adds one unit in the last place of a digit string, growing it by a leading "1" when all nines.
void roundUp(std::string &digits)
{
    auto digit = digits.rbegin();
    for (; digit != digits.rend() && *digit == '9'; ++digit)
        *digit = '0';
    if (digit == digits.rend())
        digits.insert(digits.begin(), '1');
    else
        ++*digit;
}

// Reads std::to_chars' scientific form, -d.ddde-XX.
DecimalForm fromScientific(const char *begin, const char *end)
{
    DecimalForm form;
    form.negative = *begin == '-';
    const char *first = begin + (form.negative ? 1 : 0);
    const char *e = std::find(first, end, 'e');
    for (const char *c = first; c != e; ++c)
        if (*c != '.')
            form.digits += *c;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, form.exponent);
    ++form.exponent;
    return form;
}

// The general conversion, exact for every finite value.
DecimalForm byCharConversion(double value)
{
    std::array<char, 32> buffer;
    const char *end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::scientific, 14)
                          .ptr;
    DecimalForm form = fromScientific(buffer.data(), end);
    while (!form.digits.empty() && form.digits.back() == '0')
        form.digits.pop_back();
    return form;
}

// Compilers without 128-bit integers (MSVC) take the general conversion alone.
#ifdef __SIZEOF_INT128__
__extension__ using Wide = unsigned __int128;

constexpr std::array<Wide, 23> powersOfTen = [] {
    std::array<Wide, 23> powers {};
    Wide power = 1;
    for (Wide &entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

constexpr std::uint64_t tenTo15 = 1'000'000'000'000'000;

// The same rounding by integer arithmetic, many times quicker, for the range prices live in:
// from 1e-7 up to 1e15 a value times the power of ten that leaves it 15 integer digits fits 128
// bits.
std::optional<DecimalForm> byIntegerArithmetic(double value)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-7 && magnitude < 1e15))
        return std::nullopt;
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const std::uint64_t mantissa = (bits & ((std::uint64_t(1) << 52) - 1)) | std::uint64_t(1) << 52;
    const int shift = 1075 - int(bits >> 52); // magnitude = mantissa / 2^shift

    // 10^(exponent - 1) <= magnitude < 10^exponent; the estimate from the binary exponent (78913 /
    // 2^18 is log10 2) falls at most one short.
    int exponent = (((52 - shift) * 78913) >> 18) + 1;
    Wide scaled = Wide(mantissa) * powersOfTen[15 - exponent];
    if ((scaled >> shift) >= tenTo15) {
        ++exponent;
        scaled = Wide(mantissa) * powersOfTen[15 - exponent];
    }
    auto digits = std::uint64_t(scaled >> shift);
    const Wide rest = scaled & ((Wide(1) << shift) - 1);
    const Wide half = Wide(1) << (shift - 1);
    // Exact ties go to the even digit, as the general conversion rounds them.
    if (rest > half || (rest == half && digits % 2 == 1))
        ++digits;
    if (digits == tenTo15) {
        digits /= 10;
        ++exponent;
    }

    std::array<char, 15> text;
    auto first = text.end();
    for (; digits % 10 == 0; digits /= 10)
        --first;
    for (auto digit = first; digit != text.begin(); digits /= 10)
        *--digit = char('0' + digits % 10);
    return DecimalForm { std::signbit(value), std::string(text.begin(), first), exponent };
}

#endif

} // namespace

double textToDouble(std::u16string_view text, const NumberConventions &conventions)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    const std::size_t size = text.size();
    const auto at = [text](std::size_t i) { return halfWidth(text[i]); };
    std::size_t i = 0;

    // The text is rewritten in the one form std::from_chars reads: -0digits.digitse-digits, where
    // the leading zero lets ".5" read as well.
    std::string plain;
    const bool negative = i < size && at(i) == u'-';
    if (i < size && isSign(at(i)))
        ++i;
    plain += negative ? "-0" : "0";

    std::size_t mantissaDigits = 0;
    bool nonZeroSeen = false;
    // Decimal exponent of the first non-zero digit, to tell overflow from underflow.
    std::int64_t magnitude = 0;
    while (i < size) {
        const char16_t ch = at(i);
        if (isDigit(ch)) {
            plain += char(ch);
            ++mantissaDigits;
            nonZeroSeen = nonZeroSeen || ch != u'0';
            magnitude += nonZeroSeen ? 1 : 0;
        } else if (ch != conventions.groupSeparator || ch == conventions.decimalPoint
                   || mantissaDigits == 0 || i + 1 == size || !isDigit(at(i + 1))) {
            break;
        }
        ++i;
    }
    if (i < size && at(i) == conventions.decimalPoint) {
        plain += '.';
        for (++i; i < size && isDigit(at(i)); ++i) {
            plain += char(at(i));
            ++mantissaDigits;
            nonZeroSeen = nonZeroSeen || at(i) != u'0';
            magnitude -= nonZeroSeen ? 0 : 1;
        }
    }
    if (mantissaDigits == 0)
        throw RuntimeError(ErrorCode::TypeMismatch);

    std::int64_t exponent = 0;
    if (i < size && (at(i) == u'e' || at(i) == u'E')) {
        ++i;
        const bool negativeExponent = i < size && at(i) == u'-';
        if (i < size && isSign(at(i)))
            ++i;
        const std::size_t firstDigit = i;
        for (; i < size && isDigit(at(i)); ++i)
            exponent = std::min(exponent * 10 + (at(i) - u'0'), exponentLimit);
        if (i == firstDigit)
            throw RuntimeError(ErrorCode::TypeMismatch);
        exponent = negativeExponent ? -exponent : exponent;
        plain += 'e';
        plain += std::to_string(exponent);
    }
    if (i != size)
        throw RuntimeError(ErrorCode::TypeMismatch);

    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (magnitude + exponent > 0)
            throw RuntimeError(ErrorCode::Overflow);
        return negative ? -0.0 : 0.0;
    }
    if (error != std::errc {} || end != plain.data() + plain.size())
        throw RuntimeError(ErrorCode::TypeMismatch);
    return value;
}

DecimalForm decimalForm(double value)
{
#ifdef __SIZEOF_INT128__
    if (std::optional<DecimalForm> quick = byIntegerArithmetic(value))
        return std::move(*quick);
#endif
    return byCharConversion(value);
}

std::string doubleToText(double value)
{
    const DecimalForm form = decimalForm(value);
    std::string text = form.negative ? "-" : "";
    if (form.digits.empty())
        return text + '0';
    const int exponent = form.exponent - 1; // of the first digit
    const auto size = int(form.digits.size());
    if (exponent < -4 || exponent >= 15) {
        text += form.digits.front();
        if (size > 1)
            text.append(".").append(form.digits, 1);
        const std::string digits = std::to_string(std::abs(exponent));
        return text.append(exponent < 0 ? "e-" : "e+").append(digits.size() < 2 ? "0" : "")
            + digits;
    }
    if (form.exponent <= 0)
        return text.append("0.").append(-form.exponent, '0') + form.digits;
    if (form.exponent >= size)
        return text.append(form.digits).append(form.exponent - size, '0');
    return text.append(form.digits, 0, form.exponent) + '.' + form.digits.substr(form.exponent);
}

double leadingNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    double value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec
        == std::errc::result_out_of_range)
        throw RuntimeError(ErrorCode::Overflow);
    return value;
}

std::u16string formatTwoDecimals(const DecimalForm &form, char16_t decimalPoint)
{
    // The digits down to the hundredths, padded with zeros, then rounded on the next digit.
    const std::string &digits = form.digits;
    const int kept = form.exponent + 2;
    std::string rounded;
    if (kept > 0) {
        rounded.assign(digits, 0, std::min<std::size_t>(kept, digits.size()));
        rounded.resize(kept, '0');
    }
    if (kept >= 0 && kept < int(digits.size()) && digits[kept] >= '5')
        roundUp(rounded);
    if (rounded.size() < 3)
        rounded.insert(0, 3 - rounded.size(), '0');

    const std::size_t firstNonZero = rounded.find_first_not_of('0');
    const std::size_t pointAt = rounded.size() - 2;
    rounded.insert(pointAt, 1, '.');
    const std::size_t first = std::min(firstNonZero, pointAt - 1);
    std::u16string display(rounded.begin() + first, rounded.end());
    display[pointAt - first] = decimalPoint;
    if (form.negative && firstNonZero != std::string::npos)
        display.insert(display.begin(), u'-');
    return display;
}
