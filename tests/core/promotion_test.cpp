#include "links/promotion.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tintwise {
namespace {

TEST(PromotionalDraw, SixRPlusOneRoundsToNearestWithTiesToEven)
{
    const double belowOne = std::nextafter(1.0, 0.0);
    const struct
    {
        double r;
        qint16 number;
    } rows[] = {
        {0.0, 1},
        {1.0 / 12 - 1e-12, 1},
        {1.0 / 12, 2}, // 1.5: the even neighbour
        {0.25, 2},     // 2.5
        {0.25 + 1e-12, 3},
        {5.0 / 12, 4}, // 3.5
        {0.5, 4},
        {0.75, 6}, // 5.5
        {0.75 - 1e-12, 5},
        {11.0 / 12, 6}, // 6.5
        {11.0 / 12 + 1e-12, 7},
        {belowOne, 7},
        // A generator out of its range still gives a number of the draw.
        {-0.5, 1},
        {1.0, 7},
        {std::numeric_limits<double>::quiet_NaN(), 1},
    };
    for (const auto &row : rows)
        EXPECT_EQ(CoBrandNumber(row.r), row.number) << row.r;
}

TEST(PromotionalDraw, OddNumbersBelowSevenShowTheCoBrandingOfferEvenOnesTheFullBranding)
{
    const CoBrandOffer expected[] = {CoBrandOffer::Unchanged, CoBrandOffer::CoBrand,   CoBrandOffer::FullBrand,
                                     CoBrandOffer::CoBrand,   CoBrandOffer::FullBrand, CoBrandOffer::CoBrand,
                                     CoBrandOffer::FullBrand, CoBrandOffer::Unchanged, CoBrandOffer::Unchanged};
    for (qint16 number = 0; number <= 8; ++number)
        EXPECT_EQ(coBrandOfferFor(number), expected[number]) << number;
}

TEST(PromotionalDraw, EachNumberTakesItsShareOfTheUnitInterval)
{
    // Walk r across [0, 1) in equal steps: 1 and 7 each get a twelfth, 2 to 6 a sixth each.
    constexpr int steps = 120000;
    int counts[8] = {};
    for (int i = 0; i < steps; ++i)
        ++counts[CoBrandNumber(double(i) / steps)];
    EXPECT_EQ(counts[0], 0);
    EXPECT_NEAR(counts[1], steps / 12, 1);
    for (int n = 2; n <= 6; ++n)
        EXPECT_NEAR(counts[n], steps / 6, 1) << n;
    EXPECT_NEAR(counts[7], steps / 12, 1);
}

} // namespace
} // namespace tintwise
