#pragma once

#include "conversions.h"

#include <string>

// The text shown in a level box: exactly two decimals, rounded half away from zero on the value's
// 15-digit decimal form (11.545 shows as 11.55), in the user's decimal point.
std::u16string displayText(double value, const NumberConventions &conventions);
