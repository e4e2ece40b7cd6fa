#include "links/referral.h"

#include "links/sitelinks.h"
#include "system/effects.h"

#include <QByteArray>

namespace tintwise {

QString referralProblemText(ReferralProblem problem)
{
    switch (problem) {
    case ReferralProblem::None:
        return {};
    case ReferralProblem::SameEmails:
        return QStringLiteral("Please Enter Distinct Email Addresses");
    case ReferralProblem::ImproperEmail:
        return QStringLiteral("Please Enter Proper Email Address");
    case ReferralProblem::NoName:
        return QStringLiteral("Please Enter Your Name");
    case ReferralProblem::NoMessage:
        return QStringLiteral("Please Enter Your Message");
    case ReferralProblem::NoFriendName:
        return QStringLiteral("Please Enter Your Friend's Name");
    case ReferralProblem::AddressTooLong:
        return QStringLiteral("Your recommendation is too long to pass to your browser. "
                              "Please shorten your message and try again.");
    }
    return {};
}

QString trimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

static ReferralProblem refuse(Effects &effects, ReferralProblem problem)
{
    effects.critical(referralProblemText(problem));
    return problem;
}

ReferralProblem referAFriend(Effects &effects, ReferralRecord &record, const ReferralForm &form)
{
    record.ReferrerName = trimSpaces(form.name);
    record.ReferrerEmail = trimSpaces(form.email);
    record.ReferralMessage = trimSpaces(form.message);
    record.FriendName = trimSpaces(form.friendName);
    record.FriendEmail = trimSpaces(form.friendEmail);

    const QString &email = record.ReferrerEmail;
    const QString &friendEmail = record.FriendEmail;
    if (email == friendEmail)
        return refuse(effects, ReferralProblem::SameEmails);
    const QLatin1Char at('@');
    if (!email.contains(at) || !friendEmail.contains(at))
        return refuse(effects, ReferralProblem::ImproperEmail);
    const QLatin1Char dot('.');
    if (!email.contains(dot) || !friendEmail.contains(dot))
        return refuse(effects, ReferralProblem::ImproperEmail);
    return SubmitReferral(effects, record);
}

static bool unfilled(const QString &value, const QString &placeholder)
{
    const QString trimmed = trimSpaces(value);
    return trimmed.isEmpty() || trimmed == placeholder;
}

ReferralProblem SubmitReferral(Effects &effects, ReferralRecord &record)
{
    if (unfilled(record.ReferrerName, kYourName))
        return refuse(effects, ReferralProblem::NoName);
    if (unfilled(record.ReferralMessage, kYourMessage))
        return refuse(effects, ReferralProblem::NoMessage);
    if (unfilled(record.FriendName, kFriendsName))
        return refuse(effects, ReferralProblem::NoFriendName);
    const QUrl address = referralUrl(record);
    if (address.toEncoded().size() > kMaxReferralAddressLength)
        return refuse(effects, ReferralProblem::AddressTooLong);
    record.ReferralUrl = address;
    OpenWebAddress(effects, record.ReferralUrl);
    return ReferralProblem::None;
}

QUrl referralUrl(const ReferralRecord &record)
{
    const QByteArray folder(kSiteFolderUrl);
    QByteArray address = folder + "ssd.php?page=zvms-refer-a-friend";
    const QString fields[] = {record.ReferrerName, record.ReferrerEmail, record.ReferralMessage,
                              record.FriendName,   record.FriendEmail,   QString::fromLatin1(folder)};
    int number = 1;
    for (const QString &value : fields) {
        // Only the unreserved characters stay as they are; '+' becomes %2B, since a site may read it as a space.
        address += "&taf" + QByteArray::number(number++) + '=' + QUrl::toPercentEncoding(value);
    }
    return QUrl::fromEncoded(address, QUrl::StrictMode);
}

} // namespace tintwise
