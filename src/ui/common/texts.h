#pragma once

#include "product.h"

#include <QString>

namespace tintwise {

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
