#include "shell/UpdateReminder.h"

#include "core/ProgramText.h"
#include "shell/Platform.h"
#include "shell/WebLinks.h"

#include <QByteArray>
#include <QStringDecoder>

#include <utility>

namespace {

// The key of the encoding. It is the caption of the first version that
// stored a reminder date, and it must never change with the program's
// version: every date stored since is read back with it.
const QByteArray EncodingKey = QByteArrayLiteral("Quillmere v1.20");

// Each byte is mixed with a running mask and written as two hex digits, so the
// text is safe for any store and reads back exactly.
QByteArray mask(const QByteArray &bytes)
{
    QByteArray out(bytes.size(), '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto step = static_cast<char>((i * 37 + 11) & 0xff);
        out[i] = static_cast<char>(bytes[i] ^ EncodingKey[i % EncodingKey.size()] ^ step);
    }
    return out;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

} // namespace

const QString UpdateReminder::Section = QStringLiteral("Settings");
const QString UpdateReminder::Message = QStringLiteral(
    "There maybe an update to this software available\rDo you want to check for an update?");

UpdateReminder::UpdateReminder(Platform &platform, QString application)
    : m_platform(platform), m_application(std::move(application))
{ }

QString UpdateReminder::encodeSetting(const QString &plain)
{
    return QString::fromLatin1(mask(plain.toUtf8()).toHex().toUpper());
}

std::optional<QString> UpdateReminder::decodeSetting(const QString &encoded)
{
    const QByteArray hex = encoded.toLatin1();
    if (hex.size() % 2 != 0 || QString::fromLatin1(hex) != encoded)
        return std::nullopt;
    for (const char c : hex) {
        if (!isHexDigit(c))
            return std::nullopt;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString plain = utf8.decode(mask(QByteArray::fromHex(hex)));
    if (utf8.hasError())
        return std::nullopt;
    return plain;
}

QString UpdateReminder::durationKey()
{
    return encodeSetting(QStringLiteral("Duration"));
}

bool UpdateReminder::writeDay(const QDate &day)
{
    return m_platform.writeSetting(
        m_application, Section, durationKey(), encodeSetting(day.toString(Qt::ISODate)));
}

void UpdateReminder::RecordFirstStart(const QDate &today)
{
    if (today.isValid())
        writeDay(today);
}

bool UpdateReminder::RunUpdateReminder(const QDate &today, FirstStart firstStart)
{
    if (!today.isValid())
        return false;
    const std::optional<QString> stored
        = m_platform.readSetting(m_application, Section, durationKey());
    if (!stored)
        return false;
    if (stored->isEmpty()) {
        if (firstStart == FirstStart::RecordLater)
            return true;
        writeDay(today);
        return false;
    }
    const std::optional<QString> text = decodeSetting(*stored);
    if (!text)
        return false;
    // Only the plain ISO form is taken, so no desktop language can misread it.
    const QDate day = QDate::fromString(*text, Qt::ISODate);
    if (!day.isValid() || day.toString(Qt::ISODate) != *text)
        return false;

    const qint64 days = today.daysTo(day);
    if (days >= -ThresholdDays && days <= ThresholdDays)
        return false;

    const Platform::Answer answer = m_platform.messageBox(
        Message, ProgramText::Title, Platform::Icon::Information, Platform::Buttons::YesNo);
    if (!writeDay(today))
        return false;
    if (answer == Platform::Answer::Yes)
        WebLinks(m_platform).OpenWebPage(PageKey::DownloadWebPage);
    return false;
}
