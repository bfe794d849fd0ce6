// SPDX-License-Identifier: MIT
// The gallery's tabs, grouped like the designer palette. A group gets its tab once it has a
// component to show ("Effekte", "Listen & Knöpfe", "Dienste" follow with their components).
#include "GalleryPage.h"

namespace jxt::gallery {

const std::vector<TGalleryPageInfo> &GalleryPages()
{
    static const std::vector<TGalleryPageInfo> pages = {
        {QStringLiteral("display"), QStringLiteral("Anzeigen"), BuildDisplayPage},
    };
    return pages;
}

} // namespace jxt::gallery
