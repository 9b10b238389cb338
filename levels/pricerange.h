#pragma once

// The distance from the low to the high, rounded to 15 significant digits so that 12.35 - 10.12
// gives 2.23 rather than 2.2300000000000004. Zero and negative ranges are allowed. Throws
// RuntimeError Overflow when the distance exceeds the double range.
double priceRange(double high, double low);
