#pragma once

#include <QString>
#include <QUrl>

namespace tintwise {

class Effects;

/// The product's folder on the maker's site. https, because the referral form sends names and addresses.
inline constexpr char kSiteFolderUrl[] = "https://www.arcanelsoftwares.com/zorvel-free-tintwise/";

/// Page keys of the maker's site.
namespace PageKey {
inline constexpr char HelpWebPage[] = "help-web-page";
inline constexpr char HomePage[] = "home-page";
inline constexpr char DownloadWebPage[] = "download-web-page";
inline constexpr char Donate[] = "donate";
inline constexpr char FullyBranded[] = "fully-branded";
inline constexpr char CoBrand[] = "co-brand";
inline constexpr char ArcanelSoftwares[] = "arcanelsoftwares";
} // namespace PageKey

/// Site folder URL + "ssd.php?page=" + key, the key appended as written.
QUrl sitePageUrl(const QString &pageKey);

/// Opens the page named by the key in the default browser; returns at once and reports nothing.
void OpenSitePage(Effects &effects, const QString &pageKey);

/// Hands an address to the default browser; returns at once and reports nothing.
void OpenWebAddress(Effects &effects, const QUrl &address);

} // namespace tintwise
