#include "shell/TellAFriend.h"

#include "core/ProgramText.h"
#include "shell/Platform.h"
#include "shell/WebLinks.h"

#include <QUrl>

namespace {

struct Field
{
    const char *prompt;
    const char *missing;
};

// In the order in which the values are checked.
const Field Fields[TellAFriend::FieldCount] = {
    { "Your Name", "Please Enter Your Name" },
    { "Your Email Address", "Please Enter Your Email" },
    { "Your Message", "Please Enter Your Message" },
    { "Friend's Name", "Please Enter Your Friend's Name" },
    { "Friend's Email Address", "Please Enter Your Friend's Email" },
};

QString component(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

} // namespace

QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

TellAFriend::TellAFriend(Platform &platform) : m_platform(platform) { }

QString TellAFriend::prompt(Field field)
{
    return QString::fromLatin1(Fields[static_cast<int>(field)].prompt);
}

QString TellAFriend::missingMessage(Field field)
{
    return QString::fromLatin1(Fields[static_cast<int>(field)].missing);
}

int TellAFriend::maxLength(Field field)
{
    switch (field) {
    case Field::Email:
    case Field::FriendEmail:
        return 254;
    case Field::Message:
        return 2000;
    case Field::Name:
    case Field::FriendName:
        break;
    }
    return 78;
}

QString TellAFriend::addressProblem(const QString &email, const QString &friendEmail)
{
    if (email == friendEmail)
        return QStringLiteral("Please Enter Distinct Email Addresses");
    for (const QString &address : { email, friendEmail }) {
        if (!address.contains(QLatin1Char('@')) || !address.contains(QLatin1Char('.')))
            return QStringLiteral("Please Enter Proper Email Address");
    }
    return QString();
}

void TellAFriend::OpenReferralPage(const QString &name, const QString &email,
    const QString &message, const QString &friendName, const QString &friendEmail)
{
    const QString values[FieldCount] = { name, email, message, friendName, friendEmail };
    for (int i = 0; i < FieldCount; ++i) {
        const QString value = trimBlanks(values[i]);
        if (value.isEmpty() || value == QLatin1String(Fields[i].prompt)) {
            m_platform.messageBox(QString::fromLatin1(Fields[i].missing), ProgramText::Title,
                Platform::Icon::Critical, Platform::Buttons::Ok);
            return;
        }
    }
    m_platform.openWebAddress(referralAddress(name, email, message, friendName, friendEmail));
}

QString TellAFriend::referralAddress(const QString &name, const QString &email,
    const QString &message, const QString &friendName, const QString &friendEmail)
{
    return WebLinks::pageAddress(PageKey::ReferAFriend) + QStringLiteral("&taf1=") + component(name)
        + QStringLiteral("&taf2=") + component(email) + QStringLiteral("&taf3=")
        + component(message) + QStringLiteral("&taf4=") + component(friendName)
        + QStringLiteral("&taf5=") + component(friendEmail) + QStringLiteral("&taf6=")
        + component(WebLinks::productFolder());
}
