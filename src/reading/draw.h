#pragma once

#include <cstdint>

namespace tintwise {

struct DrawnColours
{
    std::int16_t problem = 0;
    std::int16_t solution = 0;
};

/**
 * Steps round the sixteen-patch ring: problem = day + n, solution = problem + n, each reduced by at most two
 * subtractions of 16. For a day index 0..15 and n 0..24 the results are exact, (day + n) mod 16 and
 * (day + 2n) mod 16. Other inputs are reduced fully into 0..15 so they can never index past the catalogue.
 */
DrawnColours DrawColors(std::int16_t dayIndex, std::int16_t number);

} // namespace tintwise
