#include "reading/catalogue.h"
#include "reading/draw.h"

#include <gtest/gtest.h>

namespace tintwise {
namespace {

TEST(DrawColors, StepsRoundTheRingForEveryPatchAndNumber)
{
    for (int day = 0; day < 16; ++day) {
        for (int n = 1; n <= 24; ++n) {
            const DrawnColours drawn = DrawColors(std::int16_t(day), std::int16_t(n));
            EXPECT_EQ(drawn.problem, (day + n) % 16) << day << " " << n;
            EXPECT_EQ(drawn.solution, (day + 2 * n) % 16) << day << " " << n;
        }
    }
}

TEST(DrawColors, NamedReadings)
{
    const auto &table = colourCatalogue();
    struct Case
    {
        int day, n;
        const char *problem, *solution;
    };
    const Case cases[] = {
        {0, 1, "Pink", "Purple"},
        {15, 1, "Red", "Pink"},
        {15, 24, "Olive Green", "Black"},
        {5, 12, "Pink", "Brown"},
        {7, 16, "Olive Green", "Olive Green"},
    };
    for (const Case &c : cases) {
        const DrawnColours drawn = DrawColors(std::int16_t(c.day), std::int16_t(c.n));
        EXPECT_EQ(table[drawn.problem].name, QLatin1String(c.problem)) << c.day << " " << c.n;
        EXPECT_EQ(table[drawn.solution].name, QLatin1String(c.solution)) << c.day << " " << c.n;
    }
}

TEST(DrawColors, NumbersOutsideTheChooserStayOnTheRing)
{
    for (int n : {0, -1, -24, 25, 100, 32767, -32768}) {
        for (int day = 0; day < 16; ++day) {
            const DrawnColours drawn = DrawColors(std::int16_t(day), std::int16_t(n));
            EXPECT_GE(drawn.problem, 0);
            EXPECT_LT(drawn.problem, 16);
            EXPECT_GE(drawn.solution, 0);
            EXPECT_LT(drawn.solution, 16);
        }
    }
    EXPECT_EQ(DrawColors(3, 0).problem, 3) << "an unreadable number (0) gives the clicked colour";
}

TEST(ChosenNumberFromText, ReadsTheChooserTextNotItsPosition)
{
    struct Case
    {
        const char *text;
        std::optional<std::int16_t> number;
    };
    const Case cases[] = {
        {"1", 1},
        {"24", 24},
        {" 7 ", 7},
        {"-3", -3},
        {"", std::nullopt},
        {"12a", std::nullopt},
        {"1 2", std::nullopt},
        {"32768", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(chosenNumberFromText(QLatin1String(c.text)), c.number) << '"' << c.text << '"';
}

} // namespace
} // namespace tintwise
