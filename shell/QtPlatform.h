#pragma once

#include "shell/Platform.h"

#include <QtGlobal>

#include <memory>

class QLockFile;
class QMessageBox;

// The desktop as Qt reaches it: message boxes, the default browser, the
// clipboard, the default printer, QSettings and a lock file.
class QtPlatform final : public Platform
{
public:
    QtPlatform();
    ~QtPlatform() override;
    Q_DISABLE_COPY_MOVE(QtPlatform)

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

    // The message box as the desktop shows it, not yet shown. Line breaks
    // written as a carriage return alone break the line as well.
    static std::unique_ptr<QMessageBox> makeMessageBox(const QString &text, const QString &title,
        Icon icon, Buttons buttons, QWidget *parent = nullptr);

    // Where the single-instance lock lives: the user's runtime folder.
    static QString lockFilePath();

private:
    std::unique_ptr<QLockFile> m_lock;
};
