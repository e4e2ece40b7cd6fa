#pragma once

#include <QString>
#include <QUrl>

namespace tintwise {

class Effects;

/// Placeholder texts of the Refer-A-Friend fields; the message field starts with kYourMessage plus CR LF.
inline const QString kYourName = QStringLiteral("Your Name");
inline const QString kYourEmail = QStringLiteral("Your Email Address");
inline const QString kYourMessage = QStringLiteral("Your Message");
inline const QString kFriendsName = QStringLiteral("Friend's Name");
inline const QString kFriendsEmail = QStringLiteral("Friend's Email Address");

/// The Refer-A-Friend record: the trimmed fields of the last submission and the last address built.
/// One per process; only a press of "Refer A Friend &Now" writes it.
struct ReferralRecord
{
    QString ReferrerName;
    QString ReferrerEmail;
    QString ReferralMessage;
    QString FriendName;
    QString FriendEmail;
    QUrl ReferralUrl;
};

/// What the five fields of the form hold, untrimmed.
struct ReferralForm
{
    QString name;
    QString email;
    QString message;
    QString friendName;
    QString friendEmail;
};

/// Why a referral was refused; None when its address was opened.
enum class ReferralProblem
{
    None,
    SameEmails,
    ImproperEmail,
    NoName,
    NoMessage,
    NoFriendName,
    AddressTooLong,
};

/// The longest referral address handed to the browser, in bytes as encoded. The kernel passes at most 128 KiB in
/// one argument to a program, and the launchers on the way to the browser may wrap the address in a longer
/// command line: 32 KiB are left for them. A longer address would open nothing, with no word to the user.
inline constexpr qsizetype kMaxReferralAddressLength = 96 * 1024;

/// The message shown for a problem; empty for None.
QString referralProblemText(ReferralProblem problem);

/// Removes leading and trailing spaces (code 32) only; tabs and line breaks stay.
QString trimSpaces(const QString &text);

/// The press of "Refer A Friend &Now": copies the trimmed fields into the record, checks the two
/// addresses, then runs SubmitReferral. A refused form shows its message as a critical message box.
ReferralProblem referAFriend(Effects &effects, ReferralRecord &record, const ReferralForm &form);

/// Checks the names and the message of the record, builds its address and opens it; reports its own problems.
/// An address too long to hand over is refused like a bad field: the record keeps its last address.
ReferralProblem SubmitReferral(Effects &effects, ReferralRecord &record);

/// The referral address of a record. Every value is percent-encoded, so the site receives each field
/// exactly as typed, whatever characters it holds ("&", "=", "#", "+", line breaks, any script).
QUrl referralUrl(const ReferralRecord &record);

} // namespace tintwise
