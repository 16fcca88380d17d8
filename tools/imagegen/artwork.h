#pragma once
// The pictures of Kvoro's resources: title banners, the About banner, the
// cross of zero entries and the program icon.
#include <string>

#include "raster.h"

namespace imagegen {

// The board's green, the background of the main window and the About box.
constexpr Color kBoardGreen = rgb(1, 127, 1);
constexpr Color kWhite = rgb(255, 255, 255);

// A game's title in bold lettering on the board's green.
Canvas titleBanner(const std::string& title, int width, int height);
// "Maxi Kvoro" over a row of six dice, 361 by 116.
Canvas maxiBanner();
// The title among dice on the board's green, 300 by 38.
Canvas aboutBanner();
// The cross of a row entered with zero points, 17 by 17: black on a pure
// white background that is keyed out when drawn, so it has no shades between.
Canvas crossBitmap();
// Two dice on a green tile, on a transparent background; size by size.
Canvas iconImage(int size);

// A die of the given edge length showing face (1 to 6), turned by angle
// (radians), with a soft shadow on what lies below it.
void drawDie(Canvas& canvas, Point centre, double size, double angle, int face);

}  // namespace imagegen
