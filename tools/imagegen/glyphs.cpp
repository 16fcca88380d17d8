#include "glyphs.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace imagegen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kXHeight = 0.7;

// An elliptic arc from angle a0 to a1 (radians, counter-clockwise, y up).
std::vector<Point> arc(Point centre, double rx, double ry, double a0, double a1) {
    const int steps = 48;
    std::vector<Point> line;
    for (int i = 0; i <= steps; ++i) {
        double a = a0 + (a1 - a0) * i / steps;
        line.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
    }
    return line;
}

std::vector<Point> cubic(Point p0, Point p1, Point p2, Point p3) {
    const int steps = 24;
    std::vector<Point> line;
    for (int i = 0; i <= steps; ++i) {
        double t = static_cast<double>(i) / steps, u = 1 - t;
        double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        line.push_back({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
    return line;
}

std::map<char, Glyph> makeFont() {
    const double x = kXHeight;
    std::map<char, Glyph> font;
    font['K'] = {0.62, {{{0, 0}, {0, 1}}, {{0.6, 1}, {0.02, 0.4}}, {{0.2, 0.6}, {0.62, 0}}}};
    font['M'] = {0.84, {{{0, 0}, {0, 1}, {0.42, 0.42}, {0.84, 1}, {0.84, 0}}}};
    font['a'] = {0.6, {arc({0.3, x / 2}, 0.3, x / 2, 0, 2 * kPi), {{0.6, 0}, {0.6, x}}}};
    font['i'] = {0, {{{0, 0}, {0, x}}, {{0, 1.0}}}};
    font['o'] = {0.62, {arc({0.31, x / 2}, 0.31, x / 2, 0, 2 * kPi)}};
    font['r'] = {0.42, {{{0, 0}, {0, x}}, cubic({0, 0.38}, {0.02, 0.62}, {0.18, x}, {0.42, 0.68})}};
    font['v'] = {0.6, {{{0, x}, {0.3, 0}, {0.6, x}}}};
    font['x'] = {0.56, {{{0, x}, {0.56, 0}}, {{0, 0}, {0.56, x}}}};
    font[' '] = {0.2, {}};
    return font;
}

}  // namespace

const Glyph* glyphFor(char c) {
    static const std::map<char, Glyph> font = makeFont();
    auto found = font.find(c);
    return found == font.end() ? nullptr : &found->second;
}

TextLayout fitText(const std::string& text, const TextStyle& style, Box target, double margin) {
    // Centrelines in em, y up, one pen width apart plus the tracking.
    std::vector<std::vector<Point>> lines;
    double cursor = 0;
    for (char c : text) {
        const Glyph* glyph = glyphFor(c);
        if (!glyph) throw std::invalid_argument(std::string("no glyph for '") + c + "'");
        for (const auto& strokeLine : glyph->strokes) {
            std::vector<Point> placed;
            for (Point p : strokeLine) placed.push_back({cursor + style.halfWidth + p.x + style.slant * p.y, p.y});
            lines.push_back(placed);
        }
        cursor += glyph->width + 2 * style.halfWidth + style.tracking;
    }
    if (lines.empty()) throw std::invalid_argument("no letters to draw");

    double left = HUGE_VAL, right = -HUGE_VAL, bottom = HUGE_VAL, top = -HUGE_VAL;
    for (const auto& line : lines) {
        for (Point p : line) {
            left = std::min(left, p.x);
            right = std::max(right, p.x);
            bottom = std::min(bottom, p.y);
            top = std::max(top, p.y);
        }
    }
    double pad = style.halfWidth + margin;
    double emWidth = right - left + 2 * pad, emHeight = top - bottom + 2 * pad;
    double scale = std::min((target.right - target.left) / emWidth, (target.bottom - target.top) / emHeight);
    double originX = (target.left + target.right) / 2 - scale * (left + right) / 2;
    double originY = (target.top + target.bottom) / 2 + scale * (top + bottom) / 2;

    std::vector<Shape> strokes;
    for (const auto& line : lines) {
        std::vector<Point> pixels;
        for (Point p : line) pixels.push_back({originX + scale * p.x, originY - scale * p.y});
        strokes.push_back(stroke(pixels, scale * style.halfWidth));
    }
    return {unite(std::move(strokes)), scale};
}

}  // namespace imagegen
