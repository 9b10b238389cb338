#pragma once

#include <string>
#include <string_view>

// The user's way of writing numbers: the decimal point and the digit-grouping character.
struct NumberConventions
{
    char16_t decimalPoint = u'.';
    char16_t groupSeparator = u',';
};

// Reads the number a box's text spells under the user's conventions. Blanks around it, a sign,
// grouping between integer digits, a decimal point and an exponent are accepted; full-width forms
// read like their ASCII ones. Throws RuntimeError: TypeMismatch for anything else, Overflow for a
// value beyond the double range (a value too small for a double reads as zero).
double textToDouble(std::u16string_view text, const NumberConventions &conventions);

// The value's decimal form with at most 15 significant digits and "." as the decimal point,
// whatever the user's conventions.
std::string doubleToText(double value);

// The number spelled by the leading characters of a text with "." as the decimal point, leading
// blanks skipped; 0 when none. Throws RuntimeError Overflow beyond the double range.
double leadingNumber(std::string_view text);

// doubleToText with one leading blank when the value is not negative.
std::string numberText(double value);

// Renders a numberText with at least one integer digit and exactly two decimals, rounded half away
// from zero on its decimal digits, without grouping or exponent. A value that rounds to zero shows
// no minus sign.
std::u16string formatTwoDecimals(std::string_view numberText, char16_t decimalPoint);
