#include "links/sitelinks.h"
#include "support/fakeeffects.h"

#include <gtest/gtest.h>

namespace tintwise {
namespace {

TEST(SitePages, AddressIsFolderThenScriptThenKeyAsWritten)
{
    const char *keys[] = {PageKey::HelpWebPage,  PageKey::HomePage, PageKey::DownloadWebPage,  PageKey::Donate,
                          PageKey::FullyBranded, PageKey::CoBrand,  PageKey::ArcanelSoftwares, "zvms-refer-a-friend"};
    for (const char *key : keys) {
        const QUrl url = sitePageUrl(QLatin1String(key));
        EXPECT_TRUE(url.isValid()) << key;
        EXPECT_EQ(url.toString(QUrl::FullyEncoded),
                  QLatin1String(kSiteFolderUrl) + QLatin1String("ssd.php?page=") + QLatin1String(key));
        // Personal data goes through these addresses: never in clear text.
        EXPECT_EQ(url.scheme(), QStringLiteral("https"));
        EXPECT_EQ(url.path(), QStringLiteral("/zorvel-free-tintwise/ssd.php"));
    }
}

TEST(SitePages, OpenSitePageHandsExactlyOneAddressToTheBrowser)
{
    test::FakeEffects effects;
    OpenSitePage(effects, QStringLiteral("donate"));
    ASSERT_EQ(effects.opened.size(), 1);
    EXPECT_EQ(effects.opened.front(), sitePageUrl(QStringLiteral("donate")));
    EXPECT_TRUE(effects.messages.isEmpty());
}

TEST(SitePages, AnAddressThatDoesNotParseIsDroppedSilently)
{
    test::FakeEffects effects;
    OpenWebAddress(effects, QUrl(QStringLiteral("http://[::1"), QUrl::StrictMode));
    EXPECT_TRUE(effects.opened.isEmpty());
    EXPECT_TRUE(effects.messages.isEmpty());
}

} // namespace
} // namespace tintwise
