// The program's pictures, drawn by its own code: the banner, the logo and the window icon.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace Artwork {

// Both pictures are drawn at ratio device pixels to the logical pixel of size, so that they
// stay sharp on a screen that scales the window.
// The banner background: a deep blue sweep with faint radio waves.
QPixmap bannerPixmap(const QSize& size, qreal ratio = 1);
// The logo: a round badge with a mast sending waves.
QPixmap logoPixmap(int size, qreal ratio = 1);
// The window icon, the logo at the usual icon sizes.
QIcon programIcon();

}  // namespace Artwork
