#pragma once

#include <QString>

#include <cstdint>
#include <optional>

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

/**
 * The number chooser's text as a whole number. Spaces around the digits are allowed; empty text, any other
 * character, or a value outside the 16-bit range gives nothing, and the draw then keeps its number at 0.
 */
std::optional<std::int16_t> chosenNumberFromText(const QString &text);

} // namespace tintwise
