#include "links/promotion.h"
#include "links/sitelinks.h"
#include "support/fakeeffects.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tintwise {
namespace {

TEST(SitePages, EachKeyOpensTheFolderThenTheScriptThenTheKeyAsWritten)
{
    // Every address spelled out: a misspelt key or folder must not pass by being built from the same constant.
    const std::pair<const char *, const char *> rows[] = {
        {PageKey::HelpWebPage, "https://www.arcanelsoftwares.com/zorvel-free-tintwise/ssd.php?page=help-web-page"},
        {PageKey::HomePage, "https://www.arcanelsoftwares.com/zorvel-free-tintwise/ssd.php?page=home-page"},
        {PageKey::DownloadWebPage,
         "https://www.arcanelsoftwares.com/zorvel-free-tintwise/ssd.php?page=download-web-page"},
        {PageKey::Donate, "https://www.arcanelsoftwares.com/zorvel-free-tintwise/ssd.php?page=donate"},
        {PageKey::FullyBranded, "https://www.arcanelsoftwares.com/zorvel-free-tintwise/ssd.php?page=fully-branded"},
        {PageKey::CoBrand, "https://www.arcanelsoftwares.com/zorvel-free-tintwise/ssd.php?page=co-brand"},
        {PageKey::ArcanelSoftwares,
         "https://www.arcanelsoftwares.com/zorvel-free-tintwise/ssd.php?page=arcanelsoftwares"}};
    for (const auto &[key, address] : rows) {
        test::FakeEffects effects;
        OpenSitePage(effects, QLatin1String(key));
        ASSERT_EQ(effects.opened.size(), 1) << key;
        // https: personal data of the referral goes through the same folder.
        EXPECT_EQ(effects.opened.front().toString(QUrl::FullyEncoded), QLatin1String(address));
    }
}

TEST(WebAddress, OneThatDoesNotParseIsDroppedWithoutAWord)
{
    test::FakeEffects effects;
    OpenWebAddress(effects, QUrl(QStringLiteral("http://[::1"), QUrl::StrictMode));
    EXPECT_TRUE(effects.opened.isEmpty() && effects.messages.isEmpty());
}

TEST(PromotionalDraw, SixRPlusOneRoundsToNearestWithTiesToEven)
{
    // 1/12 gives 1.5, which goes to the even 2; a generator out of its range still gives a number of the draw.
    const double e = 1e-12, nearlyOne = std::nextafter(1.0, 0.0), nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, qint16> rows[] = {
        {0.0, 1},       {1.0 / 12 - e, 1},  {1.0 / 12, 2},  {0.25, 2}, {0.25 + e, 3}, {0.75 - e, 5}, {0.75, 6},
        {11.0 / 12, 6}, {11.0 / 12 + e, 7}, {nearlyOne, 7}, {-0.5, 1}, {1.0, 7},      {nan, 1}};
    for (const auto &[r, number] : rows)
        EXPECT_EQ(coBrandNumber(r), number) << r;
}

TEST(PromotionalDraw, OddNumbersRaiseTheCoBrandingOfferEvenOnesTheFullBrandingOne)
{
    using O = CoBrandOffer;
    const O offers[] = {O::Unchanged, O::CoBrand, O::FullBrand, O::CoBrand,
                        O::FullBrand, O::CoBrand, O::FullBrand, O::Unchanged};
    for (qint16 number = 0; number <= 7; ++number)
        EXPECT_EQ(coBrandOfferFor(number), offers[number]) << number;
}

} // namespace
} // namespace tintwise
