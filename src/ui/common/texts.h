#pragma once

#include "product.h"

#include <QString>
#include <Qt>

namespace tintwise {

/// Fixed size, a close button, no minimize or maximize button.
inline Qt::WindowFlags fixedWindowFlags()
{
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

// Promotional lines shared by the main and the result window.
inline const QString kForumAdvert =
    QStringLiteral("Velmora: the free discussion board on all things esoteric. Visit www.velmoraforum.com");
inline const QString kCoBrandOffer = QStringLiteral(
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &&  link "
    "here. See \"Help\" for details.    Click Here for more info on co-branding.");
inline const QString kFullBrandOffer =
    QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. Get this "
                   "software fully branded for your website. Click here for more details.");

} // namespace tintwise
