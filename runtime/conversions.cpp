#include "conversions.h"

#include "runtimeerror.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

constexpr bool isBlank(char16_t ch)
{
    return ch == u' ' || ch == u'\t' || ch == u'\u3000';
}

// A Chinese input method types digits, signs and points in their full-width forms.
constexpr char16_t halfWidth(char16_t ch)
{
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
    plain.reserve(size + 16);
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
        } else if (ch != conventions.groupSeparator || mantissaDigits == 0 || i + 1 == size
                   || !isDigit(at(i + 1))) {
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

std::string doubleToText(double value)
{
    std::array<char, 32> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::general, 15)
                         .ptr;
    return std::string(buffer.data(), end);
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

std::string numberText(double value)
{
    return (std::signbit(value) ? "" : " ") + doubleToText(value);
}

std::u16string formatTwoDecimals(std::string_view numberText, char16_t decimalPoint)
{
    std::size_t i = numberText.find_first_not_of(' ');
    i = i == std::string_view::npos ? numberText.size() : i;
    const bool negative = i < numberText.size() && numberText[i] == '-';
    i += negative ? 1 : 0;

    std::string digits;
    std::int64_t integerDigits = 0;
    bool inFraction = false;
    for (; i < numberText.size() && (isDigit(numberText[i]) || numberText[i] == '.'); ++i) {
        if (numberText[i] == '.') {
            inFraction = true;
            continue;
        }
        digits += numberText[i];
        integerDigits += inFraction ? 0 : 1;
    }
    if (i < numberText.size() && (numberText[i] == 'e' || numberText[i] == 'E')) {
        i += i + 1 < numberText.size() && numberText[i + 1] == '+' ? 2 : 1;
        int exponent = 0;
        std::from_chars(numberText.data() + i, numberText.data() + numberText.size(), exponent);
        integerDigits += exponent;
    }

    // The digits down to the hundredths, padded with zeros, then rounded on the next digit.
    const std::int64_t kept = integerDigits + 2;
    std::string rounded;
    if (kept > 0) {
        rounded.assign(digits, 0, std::min<std::size_t>(kept, digits.size()));
        rounded.resize(kept, '0');
    }
    const bool roundUp = kept >= 0 && kept < std::int64_t(digits.size()) && digits[kept] >= '5';
    if (roundUp) {
        auto digit = rounded.rbegin();
        for (; digit != rounded.rend() && *digit == '9'; ++digit)
            *digit = '0';
        if (digit == rounded.rend())
            rounded.insert(rounded.begin(), '1');
        else
            ++*digit;
    }
    if (rounded.size() < 3)
        rounded.insert(0, 3 - rounded.size(), '0');

    const std::size_t firstNonZero = rounded.find_first_not_of('0');
    const std::size_t pointAt = rounded.size() - 2;
    std::u16string display;
    display.reserve(rounded.size() + 2);
    if (negative && firstNonZero != std::string::npos)
        display += u'-';
    for (std::size_t k = std::min(firstNonZero, pointAt - 1); k < pointAt; ++k)
        display += char16_t(rounded[k]);
    display += decimalPoint;
    display += char16_t(rounded[pointAt]);
    display += char16_t(rounded[pointAt + 1]);
    return display;
}
