#include "artwork.h"

#include <algorithm>
#include <cmath>

#include "glyphs.h"

namespace imagegen {

namespace {

constexpr Color kPipBlack = rgb(18, 18, 18);
constexpr Color kShadow = Color{0, 30, 0, 110};

// Pip positions of each face, in units of the die's half-edge.
std::vector<Point> pipsOf(int face) {
    const double d = 0.5;
    switch (face) {
    case 1: return {{0, 0}};
    case 2: return {{-d, -d}, {d, d}};
    case 3: return {{-d, -d}, {0, 0}, {d, d}};
    case 4: return {{-d, -d}, {d, -d}, {-d, d}, {d, d}};
    case 5: return {{-d, -d}, {d, -d}, {0, 0}, {-d, d}, {d, d}};
    default: return {{-d, -d}, {d, -d}, {-d, 0}, {d, 0}, {-d, d}, {d, d}};
    }
}

// Two-tone glossy paint of the letters: a light upper half and a deeper
// lower half, split a little above the middle as on a lit, rounded surface.
Paint glossy(Color top, Color upper, Color lower, Color bottom, double y0, double y1) {
    return [=](Point p) {
        double t = std::min(1.0, std::max(0.0, (p.y - y0) / (y1 - y0)));
        const double split = 0.48;
        return t < split ? mix(top, upper, t / split) : mix(lower, bottom, (t - split) / (1 - split));
    };
}

// Bold glossy letters with a dark rim and a soft drop shadow, all of it
// inside area.
void drawTitle(Canvas& canvas, const std::string& text, Box area, double slant) {
    TextStyle style;
    style.slant = slant;
    const double rim = 0.075, drop = 0.07, soft = 0.07;  // em
    TextLayout layout = fitText(text, style, area, rim + drop + soft / 2);
    double px = layout.scale;
    Shape rimmed = grow(layout.shape, rim * px);
    fill(canvas, moved(rimmed, {0.7 * drop * px, drop * px}), kShadow, soft * px);
    fill(canvas, rimmed, rgb(30, 30, 6));
    Box b = layout.shape.bounds;
    fill(canvas, layout.shape,
         glossy(rgb(255, 252, 200), rgb(255, 222, 40), rgb(255, 196, 0), rgb(236, 112, 0), b.top, b.bottom));
    // A shine along the upper left of every stroke.
    Shape inner = grow(layout.shape, -0.045 * px);
    fill(canvas, cut(inner, moved(inner, {0.035 * px, 0.05 * px})), Color{255, 255, 255, 170});
}

}  // namespace

void drawDie(Canvas& canvas, Point centre, double size, double angle, int face) {
    const double half = size / 2, corner = size * 0.16;
    // Light from the top left, as on the dice of the clip.
    auto diagonal = [=](Color lit, Color dim) {
        return [=](Point p) {
            double along = ((p.x - centre.x) + (p.y - centre.y)) / (2 * size) + 0.5;
            return mix(lit, dim, std::min(1.0, std::max(0.0, along)));
        };
    };
    fill(canvas, roundedBox({centre.x + size * 0.06, centre.y + size * 0.09}, half, half, corner, angle), kShadow,
         size * 0.1);
    // The rounded sides: a rim that darkens away from the light, seen past
    // the softly edged top face.
    fill(canvas, roundedBox(centre, half, half, corner, angle), diagonal(rgb(236, 236, 236), rgb(120, 120, 128)));
    const double side = size * 0.08;
    fill(canvas,
         roundedBox({centre.x - side * 0.3, centre.y - side * 0.3}, half - side, half - side, corner - side * 0.5,
                    angle),
         diagonal(rgb(255, 255, 255), rgb(222, 222, 228)), side);
    double c = std::cos(angle), s = std::sin(angle);
    for (Point pip : pipsOf(face)) {
        double u = pip.x * half, v = pip.y * half;
        Shape dimple = circle({centre.x + u * c - v * s, centre.y + u * s + v * c}, size * 0.095);
        fill(canvas, dimple, kPipBlack);
        // The far wall of the dimple catches the light.
        fill(canvas, cut(dimple, moved(dimple, {-size * 0.02, -size * 0.02})), Color{110, 110, 110, 180});
    }
}

Canvas titleBanner(const std::string& title, int width, int height) {
    Canvas canvas(width, height, kBoardGreen);
    drawTitle(canvas, title, {2, 2, width - 2.0, height - 2.0}, 0.12);
    return canvas;
}

Canvas maxiBanner() {
    Canvas canvas(361, 116, kBoardGreen);
    drawTitle(canvas, "Maxi Kvoro", {2, 1, 359, 84}, 0.12);
    // The six dice of the bigger game, in a row under the title.
    const double size = 23, step = 36;
    for (int face = 1; face <= 6; ++face) {
        double x = 180.5 + (face - 3.5) * step;
        drawDie(canvas, {x, 99}, size, (face % 2 ? -0.12 : 0.1), face);
    }
    return canvas;
}

Canvas aboutBanner() {
    Canvas canvas(300, 38, kBoardGreen);
    // Dice and their shadows keep off the edges, which must stay plain green.
    drawDie(canvas, {26, 17.5}, 23, -0.25, 5);
    drawDie(canvas, {58, 18}, 21, 0.2, 3);
    drawDie(canvas, {242, 18}, 21, -0.15, 6);
    drawDie(canvas, {274, 17.5}, 23, 0.25, 2);
    drawTitle(canvas, "Kvoro", {72, 1, 228, 37}, 0.12);
    return canvas;
}

Canvas crossBitmap() {
    Canvas canvas(17, 17, kWhite);
    for (int y = 2; y <= 14; ++y)
        for (int x = 2; x <= 14; ++x)
            if (std::abs(x - y) <= 1 || std::abs(x + y - 16) <= 1) canvas.set(x, y, rgb(0, 0, 0));
    return canvas;
}

Canvas iconImage(int size) {
    Canvas canvas(size, size);
    const double half = size / 2.0;
    fill(canvas, roundedBox({half, half}, half - 0.5, half - 0.5, size * 0.2), rgb(0, 70, 0));
    fill(canvas, roundedBox({half, half}, half - 1.5, half - 1.5, size * 0.2 - 1),
         verticalGradient(rgb(40, 170, 40), 0, rgb(1, 110, 1), size));
    // Turned a quarter, so that the three runs clear of the front die.
    drawDie(canvas, {size * 0.36, size * 0.37}, size * 0.48, -0.3 + 1.5707963267948966, 3);
    drawDie(canvas, {size * 0.64, size * 0.64}, size * 0.48, 0.15, 5);
    return canvas;
}

}  // namespace imagegen
