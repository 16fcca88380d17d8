#include "raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace imagegen {

namespace {

// 5 by 5 samples a pixel: 26 levels of coverage, smooth enough for edges
// that are nearly horizontal or vertical.
constexpr int kGrid = 5;

double clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

// Distance from p to a box; 0 inside. A lower bound of the distance to any
// shape that the box holds.
double boxDistance(Point p, const Box& box) {
    double dx = std::max({box.left - p.x, 0.0, p.x - box.right});
    double dy = std::max({box.top - p.y, 0.0, p.y - box.bottom});
    return std::hypot(dx, dy);
}

double segmentDistance(Point p, Point a, Point b) {
    double vx = b.x - a.x, vy = b.y - a.y;
    double wx = p.x - a.x, wy = p.y - a.y;
    double length2 = vx * vx + vy * vy;
    double t = length2 > 0 ? clamp01((wx * vx + wy * vy) / length2) : 0;
    return std::hypot(wx - vx * t, wy - vy * t);
}

}  // namespace

Color mix(Color from, Color to, double t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Rgba8 toBytes(Color c) {
    auto byte = [](double v) { return static_cast<uint8_t>(std::lround(std::min(255.0, std::max(0.0, v)))); };
    return {byte(c.r), byte(c.g), byte(c.b), byte(c.a)};
}

Canvas::Canvas(int width, int height, Color background)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) set(x, y, background);
}

Color Canvas::at(int x, int y) const {
    Color c = pixels_[static_cast<size_t>(y) * width_ + x];
    if (c.a <= 0) return Color{0, 0, 0, 0};
    double k = 255.0 / c.a;
    return {c.r * k, c.g * k, c.b * k, c.a};
}

void Canvas::set(int x, int y, Color c) {
    double k = c.a / 255.0;
    pixels_[static_cast<size_t>(y) * width_ + x] = {c.r * k, c.g * k, c.b * k, c.a};
}

void Canvas::blend(int x, int y, Color c, double coverage) {
    double a = c.a / 255.0 * clamp01(coverage);
    if (a <= 0) return;
    Color& d = pixels_[static_cast<size_t>(y) * width_ + x];
    d.r = c.r * a + d.r * (1 - a);
    d.g = c.g * a + d.g * (1 - a);
    d.b = c.b * a + d.b * (1 - a);
    d.a = 255 * a + d.a * (1 - a);
}

void fill(Canvas& canvas, const Shape& shape, const Paint& paint, double feather) {
    Box area = shape.bounds.grown(feather);
    int x0 = std::max(0, static_cast<int>(std::floor(area.left)));
    int y0 = std::max(0, static_cast<int>(std::floor(area.top)));
    int x1 = std::min(canvas.width() - 1, static_cast<int>(std::floor(area.right)));
    int y1 = std::min(canvas.height() - 1, static_cast<int>(std::floor(area.bottom)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            double covered = 0;
            for (int sy = 0; sy < kGrid; ++sy) {
                for (int sx = 0; sx < kGrid; ++sx) {
                    Point p{x + (sx + 0.5) / kGrid, y + (sy + 0.5) / kGrid};
                    double d = shape.distance(p);
                    covered += feather > 0 ? clamp01(0.5 - d / feather) : (d < 0 ? 1 : 0);
                }
            }
            if (covered > 0) canvas.blend(x, y, paint({x + 0.5, y + 0.5}), covered / (kGrid * kGrid));
        }
    }
}

void fill(Canvas& canvas, const Shape& shape, Color color, double feather) {
    fill(canvas, shape, [color](Point) { return color; }, feather);
}

Shape circle(Point centre, double radius) {
    return {[centre, radius](Point p) { return std::hypot(p.x - centre.x, p.y - centre.y) - radius; },
            {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius}};
}

Shape roundedBox(Point centre, double hw, double hh, double radius, double angle) {
    double c = std::cos(angle), s = std::sin(angle);
    Distance distance = [=](Point p) {
        double dx = p.x - centre.x, dy = p.y - centre.y;
        // Into the box's own frame, then the usual rounded-box distance.
        double u = std::abs(dx * c + dy * s) - (hw - radius);
        double v = std::abs(-dx * s + dy * c) - (hh - radius);
        double outside = std::hypot(std::max(u, 0.0), std::max(v, 0.0));
        return outside + std::min(std::max(u, v), 0.0) - radius;
    };
    double ex = std::abs(hw * c) + std::abs(hh * s), ey = std::abs(hw * s) + std::abs(hh * c);
    return {distance, {centre.x - ex, centre.y - ey, centre.x + ex, centre.y + ey}};
}

Shape stroke(const std::vector<Point>& line, double halfWidth) {
    Box bounds{line.front().x, line.front().y, line.front().x, line.front().y};
    for (Point p : line) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
    Distance distance = [line, halfWidth](Point p) {
        double best = segmentDistance(p, line.front(), line.front());
        for (size_t i = 1; i < line.size(); ++i) best = std::min(best, segmentDistance(p, line[i - 1], line[i]));
        return best - halfWidth;
    };
    return {distance, bounds.grown(halfWidth)};
}

Shape unite(std::vector<Shape> shapes) {
    Box bounds = shapes.front().bounds;
    for (const Shape& s : shapes) {
        bounds.left = std::min(bounds.left, s.bounds.left);
        bounds.top = std::min(bounds.top, s.bounds.top);
        bounds.right = std::max(bounds.right, s.bounds.right);
        bounds.bottom = std::max(bounds.bottom, s.bounds.bottom);
    }
    Distance distance = [shapes = std::move(shapes)](Point p) {
        double best = HUGE_VAL;
        for (const Shape& s : shapes) {
            // A part whose box lies farther than the best so far cannot be
            // nearer; inside its box it may be deeper, so it always counts.
            double away = boxDistance(p, s.bounds);
            if (away == 0 || away < best) best = std::min(best, s.distance(p));
        }
        return best;
    };
    return {distance, bounds};
}

Shape grow(const Shape& shape, double by) {
    Distance inner = shape.distance;
    return {[inner, by](Point p) { return inner(p) - by; }, shape.bounds.grown(std::max(by, 0.0))};
}

Shape cut(const Shape& shape, const Shape& hole) {
    Distance inner = shape.distance, outer = hole.distance;
    return {[inner, outer](Point p) { return std::max(inner(p), -outer(p)); }, shape.bounds};
}

Shape moved(const Shape& shape, Point by) {
    Distance inner = shape.distance;
    return {[inner, by](Point p) { return inner({p.x - by.x, p.y - by.y}); },
            {shape.bounds.left + by.x, shape.bounds.top + by.y, shape.bounds.right + by.x,
             shape.bounds.bottom + by.y}};
}

Paint verticalGradient(Color top, double y0, Color bottom, double y1) {
    return [=](Point p) { return mix(top, bottom, clamp01((p.y - y0) / (y1 - y0))); };
}

}  // namespace imagegen
