#pragma once

#include "shell/Platform.h"

#include <QtGlobal>

#include <functional>
#include <memory>

class QDateTime;
class QLockFile;
class QMessageBox;
class QUrl;

// The desktop as Qt reaches it: message boxes, the default browser, the
// clipboard, the default printer, QSettings and a lock file.
class QtPlatform final : public Platform
{
public:
    // Hands an address to the desktop's browser; false when it could not.
    using UrlLauncher = std::function<bool(const QUrl &)>;

    // `launcher` is the desktop's own (QDesktopServices) unless a test
    // stands in for the browser.
    explicit QtPlatform(UrlLauncher launcher = {});
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
    QString choosePictureFile(QWidget *parent) override;
    QString dataFolder() const override;

    // The message box as the desktop shows it, not yet shown. Line breaks
    // written as a carriage return alone break the line as well.
    static std::unique_ptr<QMessageBox> makeMessageBox(const QString &text, const QString &title,
        Icon icon, Buttons buttons, QWidget *parent = nullptr);

    // Where the single-instance lock lives: the user's runtime folder, or a
    // file of the user's own in the temporary folder.
    static QString lockFilePath();
    static QString lockFilePath(const QString &runtimeFolder);
    // Whether the lock file at `path` names no living copy and cannot be
    // read, and is older than a copy needs to write it.
    static bool isDeadLock(const QString &path, const QDateTime &now);
    static constexpr qint64 UnreadableLockGraceMs = 5000;
    // The margin of a printed page on every side.
    static constexpr qreal PrintMarginMm = 20;

private:
    static bool isOwnFile(const QString &path);

    UrlLauncher m_launcher;
    std::unique_ptr<QLockFile> m_lock;
};
