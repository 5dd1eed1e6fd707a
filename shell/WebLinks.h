#pragma once

#include <QString>

class Platform;

// Every page of the maker's web site that the program opens is one fixed
// address: the site root, "/quillmere/ssd.php?page=" and a page key.
namespace PageKey {
inline const QString HomePage = QStringLiteral("home-page");
inline const QString HelpWebPage = QStringLiteral("help-web-page");
inline const QString DownloadWebPage = QStringLiteral("download-web-page");
inline const QString Donate = QStringLiteral("donate");
inline const QString CoBrand = QStringLiteral("co-brand");
inline const QString FullyBranded = QStringLiteral("fully-branded");
inline const QString VelmoraSoftwares = QStringLiteral("velmorasoftwares");
inline const QString ReferAFriend = QStringLiteral("orvex-refer-a-friend");
} // namespace PageKey

// Opens pages of the maker's web site in the default browser.
class WebLinks final
{
public:
    explicit WebLinks(Platform &platform);

    // Hands the page's address to the browser and returns at once; whether a
    // browser opened is not looked at.
    void OpenWebPage(const QString &pageKey);

    // Scheme and host of the maker's web site, fixed when the program is
    // built, e.g. "https://www.velmorasoftwares.com".
    static QString siteRoot();
    // The host alone, e.g. "www.velmorasoftwares.com".
    static QString siteHost();
    // The product folder: site root and "/quillmere/".
    static QString productFolder();
    static QString pageAddress(const QString &pageKey);

private:
    Platform &m_platform;
};
