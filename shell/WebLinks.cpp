#include "shell/WebLinks.h"

#include "shell/Platform.h"

#include <QUrl>

WebLinks::WebLinks(Platform &platform) : m_platform(platform) { }

void WebLinks::OpenWebPage(const QString &pageKey)
{
    m_platform.openWebAddress(pageAddress(pageKey));
}

QString WebLinks::siteRoot()
{
    return QStringLiteral(QUILLMERE_SITE_ROOT);
}

QString WebLinks::siteHost()
{
    return QUrl(siteRoot()).host();
}

QString WebLinks::productFolder()
{
    return siteRoot() + QStringLiteral("/quillmere/");
}

QString WebLinks::pageAddress(const QString &pageKey)
{
    return productFolder() + QStringLiteral("ssd.php?page=") + pageKey;
}
