// SPDX-License-Identifier: MIT
// The gallery's tabs, grouped like the designer palette. A group gets its tab once it has a
// component to show ("Effekte", "Listen", "Dienste" follow with their components); the
// buttons, the splitter bar and the pickers of the lists group have a tab of their own.
#include "GalleryPage.h"

namespace jxt::gallery {

const std::vector<TGalleryPageInfo> &GalleryPages()
{
    static const std::vector<TGalleryPageInfo> pages = {
        {QStringLiteral("display"), QStringLiteral("Anzeigen"), BuildDisplayPage},
        {QStringLiteral("effects"), QStringLiteral("Effekte"), BuildEffectsPage},
        {QStringLiteral("buttons"), QStringLiteral("Knöpfe & Auswahl"), BuildButtonsPage},
        {QStringLiteral("pictures"), QStringLiteral("Bilder & Icons"), BuildListsPage},
        {QStringLiteral("services"), QStringLiteral("Dienste"), BuildServicesPage},
    };
    return pages;
}

} // namespace jxt::gallery
