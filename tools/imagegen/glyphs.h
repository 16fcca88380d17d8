#pragma once
// Kvoro's lettering: a bold stroke font of just the letters its titles use,
// drawn as round-ended pen strokes along centrelines.
#include <string>
#include <vector>

#include "raster.h"

namespace imagegen {

// A glyph in em units: baseline at y = 0, y grows upwards, cap height 1.
struct Glyph {
    double width = 0;  // of the centrelines; the pen adds its half-width on either side
    std::vector<std::vector<Point>> strokes;
};

// The glyph of c, or nullptr when the font has none.
const Glyph* glyphFor(char c);

struct TextStyle {
    double halfWidth = 0.11;  // the pen, in em
    double tracking = 0.07;   // extra space between letters, in em
    double slant = 0;         // x shift per em of height, for a forward lean
};

struct TextLayout {
    Shape shape;      // the letters, in pixels
    double scale = 0; // pixels per em
};

// Lays text out as large as fits in target, centred, keeping margin (in em)
// free around the letters for outlines and shadows. Throws
// std::invalid_argument for a character the font lacks.
TextLayout fitText(const std::string& text, const TextStyle& style, Box target, double margin);

}  // namespace imagegen
