#include "tests/support/RecordingPlatform.h"

#include <QStandardPaths>
#include <QTextDocument>

void RecordingPlatform::scriptAnswers(std::initializer_list<Answer> answers)
{
    m_script.insert(m_script.end(), answers.begin(), answers.end());
}

QStringList RecordingPlatform::messageTexts() const
{
    QStringList texts;
    for (const auto &call : messageBoxes)
        texts << call.text;
    return texts;
}

void RecordingPlatform::clear()
{
    calls.clear();
    messageBoxes.clear();
    openedAddresses.clear();
    printedDocuments.clear();
    keptAbove.clear();
    m_script.clear();
}

Platform::Answer RecordingPlatform::messageBox(
    const QString &text, const QString &title, Icon icon, Buttons buttons)
{
    Answer answer = buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    if (!m_script.empty()) {
        answer = m_script.front();
        m_script.pop_front();
    }
    calls << QStringLiteral("messageBox: ") + text;
    const MessageBoxCall call { text, title, icon, buttons, answer };
    messageBoxes << call;
    if (onMessageBox)
        onMessageBox(call);
    return answer;
}

void RecordingPlatform::openWebAddress(const QString &address)
{
    calls << QStringLiteral("openWebAddress: ") + address;
    openedAddresses << address;
}

void RecordingPlatform::clearClipboard()
{
    calls << QStringLiteral("clearClipboard");
    clipboard.clear();
}

QString RecordingPlatform::clipboardText() const
{
    return clipboard;
}

bool RecordingPlatform::printDocument(const QTextDocument &document)
{
    calls << QStringLiteral("printDocument");
    if (!hasPrinter)
        return false;
    printedDocuments << document.toPlainText();
    return true;
}

std::optional<QString> RecordingPlatform::readSetting(
    const QString &application, const QString &section, const QString &key)
{
    calls << QStringLiteral("readSetting: %1/%2/%3").arg(application, section, key);
    if (!settingsReadable)
        return std::nullopt;
    return settings.value(application + QLatin1Char('/') + section + QLatin1Char('/') + key);
}

bool RecordingPlatform::writeSetting(
    const QString &application, const QString &section, const QString &key, const QString &value)
{
    calls << QStringLiteral("writeSetting: %1/%2/%3=%4").arg(application, section, key, value);
    if (!settingsWritable)
        return false;
    settings.insert(application + QLatin1Char('/') + section + QLatin1Char('/') + key, value);
    return true;
}

bool RecordingPlatform::acquireSingleInstanceLock()
{
    calls << QStringLiteral("acquireSingleInstanceLock");
    return !anotherCopyRunning;
}

void RecordingPlatform::keepAbove(QWidget *window)
{
    calls << QStringLiteral("keepAbove");
    keptAbove << window;
}

QString RecordingPlatform::choosePictureFile(QWidget *)
{
    calls << QStringLiteral("choosePictureFile");
    return pictureFile;
}

QString RecordingPlatform::dataFolder() const
{
    return dataFolderPath.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        : dataFolderPath;
}
