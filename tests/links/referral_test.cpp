#include "links/referral.h"
#include "links/sitelinks.h"
#include "support/fakeeffects.h"

#include <QUrlQuery>

#include <gtest/gtest.h>

namespace tintwise {
namespace {

using P = ReferralProblem;
const QString kUntouched = QStringLiteral("Your Message\r\n");

TEST(Referral, ChecksRunInOrderWithTheirOwnMessages)
{
    const QString ann = QStringLiteral("ann@x.example"), bob = QStringLiteral("bob@y.example");
    const std::pair<ReferralForm, const char *> rows[] = {
        {{kYourName, kYourEmail, kUntouched, kFriendsName, kFriendsEmail}, "Proper Email Address"},
        {{"Ann", ann, kUntouched, "Bob", ann}, "Distinct Email Addresses"},
        {{kYourName, "x", kUntouched, kFriendsName, "  x "}, "Distinct Email Addresses"},
        {{"Ann", "ann.x.example", kUntouched, "Bob", bob}, "Proper Email Address"},
        {{"Ann", "ann@x", kUntouched, "Bob", bob}, "Proper Email Address"},
        {{kYourName, ann, kUntouched, "Bob", "bob@y"}, "Proper Email Address"},
        {{" Your Name ", ann, QString(), QString(), bob}, "Your Name"},
        {{"   ", ann, kUntouched, "Bob", bob}, "Your Name"},
        {{"\tAnn", ann, " Your Message\r\n ", "Bob", "\t" + bob}, nullptr}, // only spaces are trimmed
        {{"Ann", ann, QString(), kFriendsName, bob}, "Your Message"},
        {{"Ann", ann, " Your Message ", "Bob", bob}, "Your Message"},
        {{"Ann", ann, kUntouched, kFriendsName, bob}, "Your Friend's Name"},
        {{"Ann", ann, kUntouched, QString(), bob}, "Your Friend's Name"},
        // Comparisons count letter case; the untouched message is a message.
        {{"Ann", "Ann@X.example", kUntouched, "Bob", ann}, nullptr},
        {{"your name", ann, "your message", "FRIEND'S NAME", bob}, nullptr},
    };
    for (const auto &[form, message] : rows) {
        const std::string what = form.name.toStdString() + " / " + form.email.toStdString();
        test::FakeEffects effects;
        ReferralRecord record;
        EXPECT_EQ(referAFriend(effects, record, form) == P::None, !message) << what;
        EXPECT_EQ(effects.messages.join(""), message ? "critical:Please Enter " + QLatin1String(message) : "") << what;
        EXPECT_EQ(effects.opened.size(), message ? 0 : 1) << what;
        EXPECT_EQ(record.ReferrerName, trimSpaces(form.name)) << what; // recorded, refused or not
    }
}

TEST(Referral, UntouchedMessageGoesOutAsEncodedCrLfAndARefusalKeepsTheLastAddress)
{
    test::FakeEffects effects;
    ReferralRecord record;
    ReferralForm form{"Ann", "ann@x.example", kUntouched, "Bob", "bob@y.example"};
    ASSERT_EQ(referAFriend(effects, record, form), P::None);
    EXPECT_EQ(record.ReferralUrl.toString(QUrl::FullyEncoded),
              QLatin1String(kSiteFolderUrl) +
                  QStringLiteral("ssd.php?page=zvms-refer-a-friend&taf1=Ann&taf2=ann%40x.example"
                                 "&taf3=Your%20Message%0D%0A&taf4=Bob&taf5=bob%40y.example"
                                 "&taf6=https%3A%2F%2Fwww.arcanelsoftwares.com%2Fzorvel-free-tintwise%2F"));
    EXPECT_EQ(effects.opened, QList<QUrl>{record.ReferralUrl});

    const QUrl first = record.ReferralUrl;
    form.friendName = kFriendsName;
    ASSERT_EQ(referAFriend(effects, record, form), P::NoFriendName);
    EXPECT_EQ(record.FriendName, kFriendsName);
    EXPECT_EQ(record.ReferralUrl, first);
}

TEST(Referral, AddressUpToTheLimitOpensAndALongerOneIsRefusedKeepingTheLastAddress)
{
    ReferralRecord empty{"Ann", "ann@x.example", "", "Bob", "bob@y.example", {}};
    const qsizetype room = kMaxReferralAddressLength - referralUrl(empty).toEncoded().size();
    const std::pair<QString, bool> rows[] = {
        {QString(room, QLatin1Char('m')), true},
        {QString(room + 1, QLatin1Char('m')), false},
        {"x" + QString(room / 3 + 1, QLatin1Char(' ')) + "x", false}, // each space goes out as %20
        {QString(1 << 20, QLatin1Char('m')), false},
    };
    for (const auto &[message, opens] : rows) {
        test::FakeEffects effects;
        ReferralRecord record;
        record.ReferralUrl = QUrl(QStringLiteral("https://example.com/last"));
        const ReferralForm form{"Ann", "ann@x.example", message, "Bob", "bob@y.example"};
        EXPECT_EQ(referAFriend(effects, record, form), opens ? P::None : P::AddressTooLong) << message.size();
        if (opens) {
            EXPECT_EQ(record.ReferralUrl.toEncoded().size(), kMaxReferralAddressLength);
            EXPECT_EQ(effects.opened, QList<QUrl>{record.ReferralUrl});
        } else {
            EXPECT_EQ(effects.messages, QStringList{"critical:" + referralProblemText(P::AddressTooLong)});
            EXPECT_TRUE(effects.opened.isEmpty());
            EXPECT_EQ(record.ReferralUrl, QUrl(QStringLiteral("https://example.com/last")));
        }
    }
}

TEST(Referral, HostileValuesReachTheSiteExactlyAsTyped)
{
    const QString rows[] = {
        QStringLiteral("Ann&taf5=x@else.example#top?page=home-page"),
        QStringLiteral("100% sure %41%zz 1+1 = 2;/:@[]!$'()*,\t"),
        QStringLiteral("line one\r\nline two\rthree\nfour"),
        QStringLiteral("Zoë Ångström, 日本語, 🌈") + QString(5000, QLatin1Char('&')),
    };
    for (const QString &value : rows) {
        const ReferralForm form{value, value + "@a.example", value, "Friend " + value, value + "@b.example"};
        test::FakeEffects effects;
        ReferralRecord record;
        ASSERT_EQ(referAFriend(effects, record, form), P::None) << value.left(40).toStdString();
        const QUrl url = record.ReferralUrl;
        ASSERT_TRUE(url.isValid() && !url.hasFragment());
        QStringList received;
        for (const auto &[key, sent] : QUrlQuery(url).queryItems(QUrl::FullyDecoded))
            received << key + '=' + sent;
        EXPECT_EQ(received, (QStringList{"page=zvms-refer-a-friend", "taf1=" + form.name, "taf2=" + form.email,
                                         "taf3=" + form.message, "taf4=" + form.friendName, "taf5=" + form.friendEmail,
                                         "taf6=" + QLatin1String(kSiteFolderUrl)}));
        // Nothing left for the browser to interpret: '+' could otherwise arrive as a space.
        for (char c : url.toEncoded())
            ASSERT_TRUE(c > 0x20 && c < 0x7F && c != '+' && c != '#') << int(c);
    }
}

} // namespace
} // namespace tintwise
