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
// read like their ASCII ones, and the ideographic full stop "。" like ".". Throws RuntimeError:
// TypeMismatch for anything else, Overflow for a value beyond the double range (a value too small
// for a double reads as zero).
double textToDouble(std::u16string_view text, const NumberConventions &conventions);

// A finite value rounded to 15 significant decimal digits: the value is 0.digits x 10^exponent.
struct DecimalForm
{
    bool negative = false;
    std::string digits; // without trailing zeros; empty for zero
    int exponent = 0;
};

DecimalForm decimalForm(double value);

// The decimal form as text, "." as the decimal point whatever the user's conventions, in exponent
// form only below 1e-4 or from 1e15 on (as printf's %.15g).
std::string doubleToText(double value);

// The number spelled by the leading characters of a text with "." as the decimal point, leading
// blanks skipped; 0 when none. Throws RuntimeError Overflow beyond the double range.
double leadingNumber(std::string_view text);

// At least one integer digit and exactly two decimals, rounded half away from zero on the decimal
// digits, without grouping or exponent. A value that rounds to zero shows no minus sign.
std::u16string formatTwoDecimals(const DecimalForm &form, char16_t decimalPoint);
