#pragma once

#include <QString>

class Platform;

// Leading and trailing blanks removed; tabs and line breaks are kept, unlike
// QString::trimmed().
QString trimBlanks(const QString &text);

// Sends the user to the maker's referral page with the five values typed on
// the closing screen.
class TellAFriend final
{
public:
    // The five boxes of the referral form, in the order their values are
    // checked.
    enum class Field { Name, Email, Message, FriendName, FriendEmail };
    static constexpr int FieldCount = 5;

    explicit TellAFriend(Platform &platform);

    // What a box shows while it is empty, e.g. "Your Name".
    static QString prompt(Field field);
    // What the user is told when the box's value is missing.
    static QString missingMessage(Field field);
    // How many characters the box takes: an e-mail address as long as the
    // e-mail standard allows (254), a name as long as a header line should
    // be (78), a message of a few thousand. Every address that values of
    // these lengths make stays short enough to hand to a browser.
    static int maxLength(Field field);
    // The longest referral address any values can make, in characters.
    static constexpr int LongestAddress = 32 * 1024;

    // Why the two e-mail addresses cannot be sent as they are (the same
    // address twice, or one without "@" or "."), or an empty text when they
    // can. Both are taken as typed, blanks already trimmed.
    static QString addressProblem(const QString &email, const QString &friendEmail);

    // Reports the first missing value in a message box, or opens the referral
    // page with all five.
    void OpenReferralPage(const QString &name, const QString &email, const QString &message,
        const QString &friendName, const QString &friendEmail);

    // The referral page's address with the values as query components, so the
    // site receives exactly what was typed.
    static QString referralAddress(const QString &name, const QString &email,
        const QString &message, const QString &friendName, const QString &friendEmail);

private:
    Platform &m_platform;
};
