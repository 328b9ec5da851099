// The maker's web addresses that the About window links to.
#pragma once

#include <QString>

// The maker's home page: where the About link goes when its caller names no other page.
inline QString MakerHomePage() {
    return QStringLiteral("http://www.example.com/radiosift/");
}
// The program's product page, which the main window hands to the About window.
inline QString MakerProductPage() {
    return QStringLiteral("http://www.example.com/radiosift/buy.html");
}
// The address as the hidden text label of the link shows it.
inline QString MakerAddressText() {
    return QStringLiteral("www.example.com");
}
