// The program's pictures, drawn by its own code: the banner, the logo and the window icon.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace Artwork {

// The banner background: a deep blue sweep with faint radio waves.
QPixmap bannerPixmap(const QSize& size);
// The logo: a round badge with a mast sending waves.
QPixmap logoPixmap(int size);
// The window icon, the logo at the usual icon sizes.
QIcon programIcon();

}  // namespace Artwork
