#include "links/promotion.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tintwise {
namespace {

TEST(PromotionalDraw, SixRPlusOneRoundsToNearestWithTiesToEven)
{
    const struct
    {
        double r;
        qint16 number;
    } rows[] = {
        {0.0, 1},
        {1.0 / 12 - 1e-12, 1},
        {1.0 / 12, 2}, // 1.5 goes to the even 2
        {0.25, 2},
        {0.25 + 1e-12, 3},
        {0.75, 6},
        {0.75 - 1e-12, 5},
        {11.0 / 12, 6},
        {11.0 / 12 + 1e-12, 7},
        {std::nextafter(1.0, 0.0), 7},
        // A generator out of its range still gives a number of the draw.
        {-0.5, 1},
        {1.0, 7},
        {std::numeric_limits<double>::quiet_NaN(), 1},
    };
    for (const auto &row : rows)
        EXPECT_EQ(CoBrandNumber(row.r), row.number) << row.r;
}

} // namespace
} // namespace tintwise
