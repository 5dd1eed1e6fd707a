#pragma once

#include "shell/Platform.h"

#include <QtGlobal>

#include <memory>

class QLockFile;

// The desktop as Qt reaches it: message boxes, the default browser, the
// clipboard, the default printer, QSettings and a lock file.
class QtPlatform final : public Platform
{
public:
    QtPlatform();
    ~QtPlatform() override;
    Q_DISABLE_COPY_MOVE(QtPlatform)

    Answer messageBox(const QString &text, const QString &title, Icon icon,
                      Buttons buttons) override;
    void openWebAddress(const QString &address) override;
    void clearClipboard() override;
    QString clipboardText() const override;
    bool printDocument(const QTextDocument &document) override;
    std::optional<QString> readSetting(const QString &application, const QString &section,
                                       const QString &key) override;
    bool writeSetting(const QString &application, const QString &section, const QString &key,
                      const QString &value) override;
    bool acquireSingleInstanceLock() override;
    void keepAbove(QWidget *window) override;

    // Where the single-instance lock lives: the user's runtime folder.
    static QString lockFilePath();

private:
    std::unique_ptr<QLockFile> m_lock;
};
