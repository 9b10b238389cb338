#include "levelcommands.h"

#include "displayrule.h"
#include "priceerror.h"
#include "pricerange.h"
#include "ratios.h"

#include <cmath>

namespace {

using Levels = std::array<double, 7>;

double price(std::u16string_view text, Faulty which, const NumberConventions &conventions)
{
    try {
        return textToDouble(text, conventions);
    } catch (const RuntimeError &error) {
        throw PriceError(error.code(), which);
    }
}

double checkedRange(double high, double low)
{
    try {
        return priceRange(high, low);
    } catch (const RuntimeError &error) {
        throw PriceError(error.code(), Faulty::Difference);
    }
}

// Every level lies between the two prices, so this can only fire at the edge of the double range.
double checked(double level)
{
    if (!std::isfinite(level))
        throw PriceError(ErrorCode::Overflow, Faulty::Difference);
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
    const double high = price(highText, Faulty::High, conventions);
    const double range = checkedRange(high, price(lowText, Faulty::Low, conventions));

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
    const double high = price(highText, Faulty::High, conventions);
    const double low = price(lowText, Faulty::Low, conventions);
    const double range = checkedRange(high, low);

    Levels levels;
    levels.front() = checked(range + low);
    for (std::size_t i = 0; i < levelRatios.size(); ++i)
        levels[i + 1] = checked(levelRatios[levelRatios.size() - 1 - i] * range + low);
    levels.back() = low;
    return display(levels, conventions);
}
