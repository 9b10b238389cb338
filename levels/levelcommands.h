#pragma once

#include "conversions.h"

#include <array>
#include <string>
#include <string_view>

// The seven display texts of one column, in the order the boxes are written.
using LevelColumn = std::array<std::u16string, 7>;

// Text3 to Text9, top to bottom: the high, high - r x range for each ratio r upwards, the low.
// Throws PriceError, naming the first input at fault (the high is read first), before anything is
// computed for display when a price is bad.
LevelColumn supportLevels(std::u16string_view highText, std::u16string_view lowText,
                          const NumberConventions &conventions);

// Text10 to Text16, bottom to top: the high, r x range + low for each ratio r downwards, the low.
LevelColumn resistanceLevels(std::u16string_view highText, std::u16string_view lowText,
                             const NumberConventions &conventions);
