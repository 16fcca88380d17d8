#pragma once
// A small antialiased rasteriser: shapes are signed distance functions, and a
// pixel's coverage is the share of a grid of samples that fall inside.
#include <cstdint>
#include <functional>
#include <vector>

namespace imagegen {

// Colour channels on the 0..255 scale, so that a colour written and read back
// unchanged keeps its exact byte values.
struct Color {
    double r = 0, g = 0, b = 0, a = 255;
};

constexpr Color rgb(double r, double g, double b) { return Color{r, g, b, 255}; }
Color mix(Color from, Color to, double t);

// A colour as the bytes that files hold, each channel rounded and clamped.
struct Rgba8 {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};
Rgba8 toBytes(Color c);

struct Point {
    double x = 0, y = 0;
};

struct Box {
    double left = 0, top = 0, right = 0, bottom = 0;
    Box grown(double by) const { return {left - by, top - by, right + by, bottom + by}; }
};

// Pixel (x, y) covers [x, x+1) by [y, y+1), y grows downwards. The pixels are
// premultiplied by alpha, so that drawing onto a transparent canvas composes.
class Canvas {
public:
    Canvas(int width, int height, Color background = Color{0, 0, 0, 0});
    int width() const { return width_; }
    int height() const { return height_; }
    // Straight (not premultiplied) colour of a pixel.
    Color at(int x, int y) const;
    // Composes colour c, weighted by coverage in [0, 1], over the pixel.
    void blend(int x, int y, Color c, double coverage);
    void set(int x, int y, Color c);

private:
    int width_, height_;
    std::vector<Color> pixels_;
};

// Signed distance in pixels: negative inside the shape.
using Distance = std::function<double(Point)>;
using Paint = std::function<Color(Point)>;

struct Shape {
    Distance distance;
    Box bounds;  // holds every point where distance < 0
};

// Fills a shape, each pixel weighted by the share of its samples inside. A
// positive feather softens the edge over that many pixels (for shadows).
void fill(Canvas& canvas, const Shape& shape, const Paint& paint, double feather = 0);
void fill(Canvas& canvas, const Shape& shape, Color color, double feather = 0);

// Basic shapes and the operations on them.
Shape circle(Point centre, double radius);
// A square-cornered box of half-size hw by hh with rounded corners of the given
// radius, turned by angle (radians) about its centre.
Shape roundedBox(Point centre, double hw, double hh, double radius, double angle = 0);
// A polyline stroked with round caps and joins of the given half-width.
Shape stroke(const std::vector<Point>& line, double halfWidth);
Shape unite(std::vector<Shape> shapes);
Shape grow(const Shape& shape, double by);
// What lies in shape and not in hole.
Shape cut(const Shape& shape, const Shape& hole);
Shape moved(const Shape& shape, Point by);

// A vertical gradient from top colour at y0 to bottom colour at y1.
Paint verticalGradient(Color top, double y0, Color bottom, double y1);

}  // namespace imagegen
