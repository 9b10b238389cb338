#include "levelcommands.h"

#include "displayrule.h"
#include "pricerange.h"
#include "ratios.h"
#include "runtimeerror.h"

#include <cmath>

namespace {

using Levels = std::array<double, 7>;

// Every level lies between the two prices, so this can only fire at the edge of the double range.
double checked(double level)
{
    if (!std::isfinite(level))
        throw RuntimeError(ErrorCode::Overflow);
    return level;
}

// Display texts are made only once every level is known, so an error leaves every box untouched.
LevelColumn display(const Levels &levels, const NumberConventions &conventions)
{
    LevelColumn column;
    for (std::size_t i = 0; i < levels.size(); ++i)
        column[i] = displayText(levels[i], conventions);
    return column;
}

} // namespace

LevelColumn supportLevels(std::u16string_view highText, std::u16string_view lowText,
                          const NumberConventions &conventions)
{
    const double high = textToDouble(highText, conventions);
    const double range = priceRange(high, textToDouble(lowText, conventions));

    Levels levels;
    levels.front() = high;
    for (std::size_t i = 0; i < levelRatios.size(); ++i)
        levels[i + 1] = checked(high - range * levelRatios[i]);
    levels.back() = checked(high - range);
    return display(levels, conventions);
}

LevelColumn resistanceLevels(std::u16string_view highText, std::u16string_view lowText,
                             const NumberConventions &conventions)
{
    const double high = textToDouble(highText, conventions);
    const double low = textToDouble(lowText, conventions);
    const double range = priceRange(high, low);

    Levels levels;
    levels.front() = checked(range + low);
    for (std::size_t i = 0; i < levelRatios.size(); ++i)
        levels[i + 1] = checked(levelRatios[levelRatios.size() - 1 - i] * range + low);
    levels.back() = low;
    return display(levels, conventions);
}
