#pragma once

#include "shell/Platform.h"

#include <QList>
#include <QMap>
#include <QStringList>

#include <deque>
#include <functional>

// A desktop for tests: records every call in order, answers message boxes
// from a script given in advance and never blocks.
class RecordingPlatform final : public Platform
{
public:
    struct MessageBoxCall
    {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
        Answer answer;
    };

    RecordingPlatform() = default;
    Q_DISABLE_COPY_MOVE(RecordingPlatform)

    // The next message boxes are answered with these, in order. Once the
    // script is used up, a box is answered with OK or No.
    void scriptAnswers(std::initializer_list<Answer> answers);
    void scriptAnswer(Answer answer) { m_script.push_back(answer); }
    int scriptedAnswersLeft() const { return static_cast<int>(m_script.size()); }

    // Every call in order, as one line each, e.g. "messageBox: text".
    QStringList calls;
    QList<MessageBoxCall> messageBoxes;
    QStringList openedAddresses;
    QStringList printedDocuments; // plain text of each printed document
    QList<QWidget *> keptAbove;

    // What the stand-in desktop holds.
    QString clipboard;
    bool hasPrinter = true;
    bool settingsReadable = true;
    bool settingsWritable = true;
    bool anotherCopyRunning = false;
    QMap<QString, QString> settings; // "application/section/key" -> value
    // What the file dialog answers; empty as if the user chose none.
    QString pictureFile;

    // Lets a test act while a message box is "shown", e.g. check that the
    // main window does not yet exist.
    std::function<void(const MessageBoxCall &)> onMessageBox;

    QStringList messageTexts() const;
    void clear();

    Answer messageBox(
        const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    void openWebAddress(const QString &address) override;
    void clearClipboard() override;
    QString clipboardText() const override;
    bool printDocument(const QTextDocument &document) override;
    std::optional<QString> readSetting(
        const QString &application, const QString &section, const QString &key) override;
    bool writeSetting(const QString &application, const QString &section, const QString &key,
        const QString &value) override;
    bool acquireSingleInstanceLock() override;
    void keepAbove(QWidget *window) override;
    QString choosePictureFile(QWidget *parent) override;
    // `dataFolderPath`, or the test's private data folder when it is empty.
    QString dataFolder() const override;

    QString dataFolderPath;

private:
    std::deque<Answer> m_script;
};
