#pragma once

#include <QtGlobal>

namespace tintwise {

/// Which of the two offers the start-up draw brings to the front of the main window.
enum class CoBrandOffer
{
    CoBrand,   ///< lblCobrand
    FullBrand, ///< lblFullBrand
    Unchanged, ///< the stored order stays
};

/// The number of the promotional draw: 6r + 1 rounded to the nearest integer, a tie going to the even one,
/// so 1 to 7. An r outside 0 <= r < 1 is taken as the nearest value inside (NaN as 0).
qint16 coBrandNumber(double r);

/// 1, 3 and 5 bring the co-branding offer to the front, 2, 4 and 6 the full-branding one; any other number
/// (7) changes nothing.
CoBrandOffer coBrandOfferFor(qint16 number);

} // namespace tintwise
