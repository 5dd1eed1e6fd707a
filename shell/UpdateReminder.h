#pragma once

#include <QDate>
#include <QString>

#include <optional>

class Platform;

// Reminds the user at start-up, at most about every fifteen days, that a
// newer version may be out, and offers the download page.
class UpdateReminder final
{
public:
    // `application` names the program in the settings store: the executable's
    // file name without its extension.
    UpdateReminder(Platform &platform, QString application);

    // On the very first start there is only today's date to record, which
    // the user never sees: `RecordLater` leaves that to RecordFirstStart, so
    // that the program can first put its window on the screen.
    enum class FirstStart { RecordNow, RecordLater };
    // Returns true when today's date is still to be recorded.
    bool RunUpdateReminder(const QDate &today, FirstStart firstStart = FirstStart::RecordNow);
    void RecordFirstStart(const QDate &today);

    // The store never sees the key or the date as plain text.
    static QString encodeSetting(const QString &plain);
    // std::nullopt for text this encoding cannot have produced.
    static std::optional<QString> decodeSetting(const QString &encoded);

    static const QString Section;
    static QString durationKey();
    // More than this many days either side brings the message.
    static constexpr qint64 ThresholdDays = 14;
    static const QString Message;

private:
    bool writeDay(const QDate &day);

    Platform &m_platform;
    QString m_application;
};
