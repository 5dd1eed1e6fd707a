#pragma once

#include <QString>

#include <optional>

class QTextDocument;
class QWidget;

// Everything Quillmere asks of the desktop goes through this interface, so
// windows can be driven in tests by a recording stand-in that never blocks.
class Platform
{
public:
    enum class Icon { Critical, Information };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~Platform() = default;

    // A modal message box; returns the button pressed.
    virtual Answer messageBox(const QString &text, const QString &title, Icon icon, Buttons buttons)
        = 0;

    // Hands a web address to the default browser without waiting for it.
    // The outcome is not reported.
    virtual void openWebAddress(const QString &address) = 0;

    virtual void clearClipboard() = 0;
    virtual QString clipboardText() const = 0;

    // Prints the document on the default printer as one job, without a
    // dialog. Returns false when there is no printer to print on.
    virtual bool printDocument(const QTextDocument &document) = 0;

    // The per-user settings store. Reading a key that was never written gives
    // an empty text; std::nullopt means the store itself cannot be read.
    virtual std::optional<QString> readSetting(
        const QString &application, const QString &section, const QString &key)
        = 0;
    // Returns false when the value could not be stored.
    virtual bool writeSetting(const QString &application, const QString &section,
        const QString &key, const QString &value)
        = 0;

    // Takes the single-instance lock for the life of the process. Returns
    // false only when another running copy holds it; a lock left behind by
    // a copy that is gone is taken over, and a lock that cannot be made at
    // all never keeps the program from starting.
    virtual bool acquireSingleInstanceLock() = 0;

    // Keeps the window above all windows that are not themselves on top.
    virtual void keepAbove(QWidget *window) = 0;

    // Asks the user for a picture to open (PNG, JPEG, TIFF, BMP) in a file
    // dialog over `parent`; returns its path, or an empty text when the user
    // chose none.
    virtual QString choosePictureFile(QWidget *parent) = 0;
    // The folder of the user's own data, where the test history lives.
    virtual QString dataFolder() const = 0;

protected:
    Platform() = default;
    Platform(const Platform &) = default;
    Platform &operator=(const Platform &) = default;
};
