#include "reading/catalogue.h"
#include "reading/draw.h"

#include <gtest/gtest.h>

namespace tintwise {
namespace {

TEST(DrawColors, StepsRoundTheRingForEveryPatchAndChooserNumber)
{
    for (int day = 0; day < 16; ++day) {
        for (int n = 1; n <= 24; ++n) {
            const DrawnColours drawn = DrawColors(std::int16_t(day), std::int16_t(n));
            ASSERT_EQ(drawn.problem, (day + n) % 16) << day << " " << n;
            ASSERT_EQ(drawn.solution, (day + 2 * n) % 16) << day << " " << n;
        }
    }
    // The readings the design names, by colour.
    const std::tuple<int, int, const char *, const char *> named[] = {{0, 1, "Pink", "Purple"},
                                                                      {15, 1, "Red", "Pink"},
                                                                      {15, 24, "Olive Green", "Black"},
                                                                      {5, 12, "Pink", "Brown"},
                                                                      {7, 16, "Olive Green", "Olive Green"}};
    for (const auto &[day, n, problem, solution] : named) {
        const DrawnColours drawn = DrawColors(std::int16_t(day), std::int16_t(n));
        EXPECT_EQ(colourCatalogue()[drawn.problem].name, QLatin1String(problem)) << day << " " << n;
        EXPECT_EQ(colourCatalogue()[drawn.solution].name, QLatin1String(solution)) << day << " " << n;
    }
}

TEST(DrawColors, AnUnreadableNumberZeroGivesTheClickedColour)
{
    EXPECT_EQ(DrawColors(3, 0).problem, 3);
}

TEST(ChosenNumberFromText, ReadsTheChooserTextNotItsPosition)
{
    const std::optional<std::int16_t> none;
    const std::pair<const char *, std::optional<std::int16_t>> rows[] = {
        {"1", 1}, {"24", 24}, {" 7 ", 7}, {"-3", -3}, {"", none}, {"12a", none}, {"1 2", none}, {"32768", none}};
    for (const auto &[text, number] : rows)
        EXPECT_EQ(chosenNumberFromText(QLatin1String(text)), number) << '"' << text << '"';
}

} // namespace
} // namespace tintwise
