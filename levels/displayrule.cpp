#include "displayrule.h"

std::u16string displayText(double value, const NumberConventions &conventions)
{
    return formatTwoDecimals(decimalForm(value), conventions.decimalPoint);
}
