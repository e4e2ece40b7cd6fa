#include "links/promotion.h"

#include <cmath>

namespace tintwise {

qint16 coBrandNumber(double r)
{
    if (!(r >= 0.0))
        r = 0.0;
    else if (r >= 1.0)
        r = std::nextafter(1.0, 0.0);
    const double x = 6.0 * r + 1.0;
    // Ties go to the even neighbour. Spelled out rather than left to the floating-point rounding mode.
    const double below = std::floor(x);
    const double fraction = x - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        rounded = below + 1.0;
    return static_cast<qint16>(rounded);
}

CoBrandOffer coBrandOfferFor(qint16 number)
{
    switch (number) {
    case 1:
    case 3:
    case 5:
        return CoBrandOffer::CoBrand;
    case 2:
    case 4:
    case 6:
        return CoBrandOffer::FullBrand;
    default:
        return CoBrandOffer::Unchanged;
    }
}

} // namespace tintwise
