#include "shell/QtPlatform.h"

#include "core/ProgramText.h"
#include "widgets/Widgets.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTextDocument>
#include <QUrl>
#include <QWidget>

#include <unistd.h>

namespace {

// Whatever Qt would log while an address is handed over is dropped: a
// failing hand-over names the whole address, and a referral address holds
// the names and e-mail addresses that the user typed.
void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) { }

} // namespace

QtPlatform::QtPlatform(UrlLauncher launcher) : m_launcher(std::move(launcher))
{
    if (!m_launcher)
        m_launcher = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

QtPlatform::~QtPlatform() = default;

std::unique_ptr<QMessageBox> QtPlatform::makeMessageBox(
    const QString &text, const QString &title, Icon icon, Buttons buttons, QWidget *parent)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto box = std::make_unique<QMessageBox>(
        icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Information, title, shown,
        buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("messageBox"));
    box->setPalette(lightPalette());
    box->setTextFormat(Qt::PlainText);
    return box;
}

Platform::Answer QtPlatform::messageBox(
    const QString &text, const QString &title, Icon icon, Buttons buttons)
{
    const auto box = makeMessageBox(text, title, icon, buttons, QApplication::activeWindow());
    const int pressed = box->exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtPlatform::openWebAddress(const QString &address)
{
    // The desktop takes the address and returns; with no browser it simply
    // fails, which the program does not report.
    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
    m_launcher(QUrl(address, QUrl::StrictMode));
    qInstallMessageHandler(previous);
}

void QtPlatform::clearClipboard()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

QString QtPlatform::clipboardText() const
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard != nullptr ? clipboard->text() : QString();
}

bool QtPlatform::printDocument(const QTextDocument &document)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return false;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(ProgramText::Title);
    // Margins as a letter has them, wide enough for any printer's unprintable
    // edge, whatever the printer itself would allow.
    printer.setPageMargins(QMarginsF(PrintMarginMm, PrintMarginMm, PrintMarginMm, PrintMarginMm),
        QPageLayout::Millimeter);
    // A copy laid out on the printer's pages: printed as it stands, without
    // the page numbers Qt adds to a document that has no pages of its own.
    const std::unique_ptr<QTextDocument> pages(document.clone());
    pages->documentLayout()->setPaintDevice(&printer);
    pages->setDefaultFont(document.defaultFont());
    pages->setPageSize(printer.pageLayout().paintRectPixels(printer.resolution()).size());
    pages->print(&printer);
    return printer.printerState() != QPrinter::Error;
}

namespace {

// Each application's values live in a file of its own under the user's
// configuration folder.
QString settingsFile(const QString &application)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(application + QStringLiteral(".conf"));
}

} // namespace

std::optional<QString> QtPlatform::readSetting(
    const QString &application, const QString &section, const QString &key)
{
    const QString path = settingsFile(application);
    const QFileInfo file(path);
    if (file.exists() && !file.isReadable())
        return std::nullopt;
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    const QVariant value = settings.value(section + QLatin1Char('/') + key);
    if (!value.isValid())
        return QString();
    if (value.canConvert<QString>())
        return value.toString();
    return std::nullopt;
}

bool QtPlatform::writeSetting(
    const QString &application, const QString &section, const QString &key, const QString &value)
{
    QSettings settings(settingsFile(application), QSettings::IniFormat);
    settings.setValue(section + QLatin1Char('/') + key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString QtPlatform::lockFilePath()
{
    return lockFilePath(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
}

QString QtPlatform::lockFilePath(const QString &folder)
{
    if (!folder.isEmpty())
        return QDir(folder).filePath(QStringLiteral("quillmere.lock"));
    // The temporary folder is shared by every user: the lock there is the
    // user's own, so that one user's copy never refuses another's.
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("quillmere-%1.lock").arg(QString::number(::getuid())));
}

bool QtPlatform::acquireSingleInstanceLock()
{
    auto lock = std::make_unique<QLockFile>(lockFilePath());
    // A lock whose holder has died is recognised as stale and taken over at
    // once; a live holder's lock is never taken, however old it is.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError
        && isDeadLock(lockFilePath(), QDateTime::currentDateTimeUtc())) {
        lock->removeStaleLockFile();
        lock->tryLock(0);
    }
    if (lock->error() == QLockFile::NoError) {
        m_lock = std::move(lock);
        return true;
    }
    // Only a lock held by a running copy refuses the start; a folder where no
    // lock can be made, or a lock file that is not the user's own, must not
    // keep the program from running.
    return lock->error() != QLockFile::LockFailedError || !isOwnFile(lockFilePath());
}

bool QtPlatform::isDeadLock(const QString &path, const QDateTime &now)
{
    QLockFile probe(path);
    qint64 pid = 0;
    QString host;
    QString application;
    if (probe.getLockInfo(&pid, &host, &application))
        return false; // it names a living copy, or QLockFile would have taken it over
    // Empty or unreadable: a copy that died while writing it, or anybody's
    // file. A copy that is writing its lock right now has only just made it.
    const QDateTime modified = QFileInfo(path).lastModified();
    return !modified.isValid() || qAbs(modified.msecsTo(now)) > UnreadableLockGraceMs;
}

bool QtPlatform::isOwnFile(const QString &path)
{
    const QFileInfo file(path);
    return !file.exists() || file.ownerId() == ::getuid();
}

void QtPlatform::keepAbove(QWidget *window)
{
    if (window == nullptr)
        return;
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

QString QtPlatform::choosePictureFile(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent,
        QStringLiteral("Open a Picture of Your Handwriting"), QString(),
        QStringLiteral("Pictures (*.png *.jpg *.jpeg *.tif *.tiff *.bmp);;All files (*)"));
}

QString QtPlatform::dataFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
