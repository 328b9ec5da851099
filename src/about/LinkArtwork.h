// The two pictures of the About window's web link, drawn by the program's own code.
#pragma once

#include <QPixmap>
#include <QSize>

namespace LinkArtwork {

// Both pictures have the size of the link they fill.
constexpr QSize LinkSize(233, 45);

// The link at rest: a quiet outlined tag with the maker's name and address.
QPixmap normalLink();
// The link under the pointer: the same tag lit up, its address underlined.
QPixmap activeLink();

}  // namespace LinkArtwork
