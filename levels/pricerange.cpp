#include "pricerange.h"

#include "conversions.h"
#include "runtimeerror.h"

#include <cmath>

double priceRange(double high, double low)
{
    const double difference = high - low;
    if (!std::isfinite(difference))
        throw RuntimeError(ErrorCode::Overflow);
    return leadingNumber(doubleToText(difference));
}
