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
    explicit TellAFriend(Platform &platform);

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
