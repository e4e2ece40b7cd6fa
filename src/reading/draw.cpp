#include "reading/draw.h"

namespace tintwise {
namespace {

std::int16_t stepRound(std::int16_t from, std::int16_t number)
{
    // Wider arithmetic and a full modulo keep out-of-range numbers on the ring; for the chooser's 1..24
    // this equals the two subtractions of 16.
    int sum = (int(from) + int(number)) % 16;
    if (sum < 0)
        sum += 16;
    return static_cast<std::int16_t>(sum);
}

} // namespace

DrawnColours DrawColors(std::int16_t dayIndex, std::int16_t number)
{
    DrawnColours result;
    result.problem = stepRound(dayIndex, number);
    result.solution = stepRound(result.problem, number);
    return result;
}

std::optional<std::int16_t> chosenNumberFromText(const QString &text)
{
    bool ok = false;
    const short value = text.trimmed().toShort(&ok, 10);
    if (!ok)
        return std::nullopt;
    return std::int16_t(value);
}

} // namespace tintwise
