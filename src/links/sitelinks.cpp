#include "links/sitelinks.h"

#include "system/effects.h"

namespace tintwise {

QUrl sitePageUrl(const QString &pageKey)
{
    return QUrl(QLatin1String(kSiteFolderUrl) + QLatin1String("ssd.php?page=") + pageKey, QUrl::StrictMode);
}

void OpenSitePage(Effects &effects, const QString &pageKey)
{
    OpenWebAddress(effects, sitePageUrl(pageKey));
}

void OpenWebAddress(Effects &effects, const QUrl &address)
{
    if (address.isValid())
        effects.openWebAddress(address);
}

} // namespace tintwise
