#include "dice_clip.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace kvoro {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Vec {
    double x, y, z;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(Vec a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double length(Vec a) { return std::sqrt(dot(a, a)); }
Vec normalized(Vec a) { return a * (1.0 / length(a)); }
Vec cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

// Rotation matrix by rows; maps die coordinates to world coordinates.
struct Mat {
    Vec row[3];
};
Vec apply(const Mat& m, Vec v) { return {dot(m.row[0], v), dot(m.row[1], v), dot(m.row[2], v)}; }
// The inverse of a rotation is its transpose.
Vec applyInverse(const Mat& m, Vec v) { return m.row[0] * v.x + m.row[1] * v.y + m.row[2] * v.z; }
Mat multiply(const Mat& a, const Mat& b) {
    Mat m{};
    const Vec col[3] = {{b.row[0].x, b.row[1].x, b.row[2].x},
                        {b.row[0].y, b.row[1].y, b.row[2].y},
                        {b.row[0].z, b.row[1].z, b.row[2].z}};
    for (int r = 0; r < 3; ++r) m.row[r] = {dot(a.row[r], col[0]), dot(a.row[r], col[1]), dot(a.row[r], col[2])};
    return m;
}
Mat rotation(Vec axis, double angle) {
    const Vec u = normalized(axis);
    const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    return {{{t * u.x * u.x + c, t * u.x * u.y - s * u.z, t * u.x * u.z + s * u.y},
             {t * u.x * u.y + s * u.z, t * u.y * u.y + c, t * u.y * u.z - s * u.x},
             {t * u.x * u.z - s * u.y, t * u.y * u.z + s * u.x, t * u.z * u.z + c}}};
}
const Mat kIdentity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

// World: the table is the plane z = 0, seen from a camera straight above;
// x grows to the right of the picture and y downwards, in pixels at the
// height of the resting die's top face.
constexpr double kHalf = 24;      // half the die's edge
constexpr double kRounding = 7;   // radius of its rounded edges and corners
constexpr double kCameraHeight = 320;
constexpr double kFocal = kCameraHeight - 2 * kHalf;
constexpr double kCentreX = kClipWidth / 2.0;
constexpr double kCentreY = 39;
const double kBoundingRadius = (kHalf - kRounding) * std::sqrt(3.0) + kRounding + 0.5;

constexpr double kPipOffset = 12.5;  // from the face centre to a corner pip, along each axis
constexpr double kPipRadius = 4.6;

// The face whose outward normal is the i-th of these in die coordinates;
// opposite faces add up to seven.
const Vec kFaceNormal[7] = {{0, 0, 0}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {-1, 0, 0}, {0, 0, -1}};

// Pips in face coordinates, in units of kPipOffset, as seen with the face up
// at rest (u to the right, v downwards).
const std::vector<std::pair<int, int>> kPips[7] = {
    {},
    {{0, 0}},
    {{1, -1}, {-1, 1}},
    {{1, -1}, {0, 0}, {-1, 1}},
    {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}},
    {{-1, -1}, {1, -1}, {0, 0}, {-1, 1}, {1, 1}},
    {{-1, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {1, 1}},
};

// The die's orientation at rest with `face` up, towards the camera.
Mat restingOrientation(int face) {
    const Vec n = kFaceNormal[face];
    const Vec up{0, 0, 1};
    if (dot(n, up) > 0.5) return kIdentity;
    if (dot(n, up) < -0.5) return rotation({1, 0, 0}, kPi);
    return rotation(cross(n, up), kPi / 2);
}

struct FaceFrame {
    Vec normal, u, v;
};

// Each face's pip axes are those it shows when it lies up at rest, so every
// resting face is drawn in the usual way and the die stays one die in flight.
std::array<FaceFrame, 7> faceFrames() {
    std::array<FaceFrame, 7> frames{};
    for (int face = 1; face <= 6; ++face) {
        const Mat rest = restingOrientation(face);
        frames[face] = {kFaceNormal[face], applyInverse(rest, {1, 0, 0}), applyInverse(rest, {0, 1, 0})};
    }
    return frames;
}

struct Pose {
    Vec centre;
    Mat orientation;
};

// How each run differs: the roll axis's angle from the x axis, the total roll
// and spin, and the sideways drift, so the six runs do not look copied.
struct Throw {
    double axisAngle, roll, spin, drift;
};
const Throw kThrows[7] = {
    {},
    {0.25, 1.9 * kPi, 0.35 * kPi, -6},
    {-0.35, 2.2 * kPi, -0.5 * kPi, 5},
    {0.1, 2.0 * kPi, 0.6 * kPi, -3},
    {-0.2, 2.4 * kPi, -0.3 * kPi, 7},
    {0.4, 1.8 * kPi, 0.45 * kPi, -5},
    {-0.1, 2.1 * kPi, -0.55 * kPi, 4},
};

// Height of the die's bottom above the table at step k (1..12) of a run: a
// fall, a bounce and a small second bounce, each a parabola.
double heightAt(double k) {
    if (k < 5) return 30 * (1 - std::pow((k - 1) / 4, 2));
    if (k < 9) return 9 * (1 - std::pow((k - 7) / 2, 2));
    if (k < 11) return 2 * (1 - std::pow(k - 10, 2));
    return 0;
}

Pose poseAt(int face, int step) {
    const Throw& t = kThrows[face];
    const double slide = std::pow(1 - std::min(1.0, (step - 1) / 8.0), 2);
    const double turn = std::pow(1 - (step - 1) / 11.0, 2);
    // The die comes from above the picture, rolling forwards (about an axis
    // near x) while it spins about the vertical.
    const Mat roll = rotation({std::cos(t.axisAngle), std::sin(t.axisAngle), 0}, t.roll * turn);
    const Mat spin = rotation({0, 0, 1}, t.spin * turn);
    const Mat orientation = multiply(spin, multiply(roll, restingOrientation(face)));
    // Lift the centre so that the lowest point of the tilted die touches the table.
    const double reach = (kHalf - kRounding) * (std::abs(orientation.row[2].x) + std::abs(orientation.row[2].y) +
                                                std::abs(orientation.row[2].z)) +
                         kRounding;
    return {{t.drift * slide, -52 * slide, reach + heightAt(step)}, orientation};
}

double roundedBox(Vec q) {
    const double inner = kHalf - kRounding;
    const Vec d{std::abs(q.x) - inner, std::abs(q.y) - inner, std::abs(q.z) - inner};
    const Vec outside{std::max(d.x, 0.0), std::max(d.y, 0.0), std::max(d.z, 0.0)};
    return length(outside) + std::min(std::max({d.x, d.y, d.z}), 0.0) - kRounding;
}

double distanceToDie(const Pose& pose, Vec p) {
    return roundedBox(applyInverse(pose.orientation, p - pose.centre));
}

// Distance along the ray to where it enters the die's bounding sphere, or a
// negative value when it misses the sphere.
double sphereEntry(const Pose& pose, Vec origin, Vec dir, double radius) {
    const Vec oc = origin - pose.centre;
    const double b = dot(oc, dir);
    const double c = dot(oc, oc) - radius * radius;
    const double disc = b * b - c;
    if (disc < 0) return -1;
    return std::max(0.0, -b - std::sqrt(disc));
}

using Colour = std::array<double, 3>;

Colour toColour(const std::array<std::uint8_t, 3>& rgb) { return {double(rgb[0]), double(rgb[1]), double(rgb[2])}; }
Colour grey(double level) { return {level, level, level}; }
Colour scaled(const Colour& c, double factor) { return {c[0] * factor, c[1] * factor, c[2] * factor}; }
Colour mix(const Colour& a, const Colour& b, double t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

const Vec kLight = normalized({-0.45, -0.6, 1.0});
// Shadows fall from a steeper light so that they stay inside the picture.
const Vec kShadowLight = normalized({-0.09, -0.12, 1.0});

class Renderer {
public:
    Renderer(const Pose& pose, bool held) : pose_(pose), held_(held), faces_(faceFrames()) {}

    Colour sample(double px, double py) const {
        if (held_ && onHeldMark(px, py)) return toColour(kHeldMarkColour);
        const Vec origin{0, 0, kCameraHeight};
        const Vec dir = normalized({(px - kCentreX) / kFocal, (py - kCentreY) / kFocal, -1});
        double t = sphereEntry(pose_, origin, dir, kBoundingRadius);
        if (t >= 0) {
            for (int i = 0; i < 96 && t < kCameraHeight; ++i) {
                const Vec p = origin + dir * t;
                const double d = distanceToDie(pose_, p);
                if (d < 0.005) return shadeDie(p);
                t += d;
            }
        }
        const Vec onTable = origin + dir * (kCameraHeight / -dir.z);
        const double light = 1 - 0.5 * (1 - shadow(onTable));
        return scaled(toColour(kClipBackground), light);
    }

private:
    // Red L-shaped brackets just outside the resting die's four corners.
    static bool onHeldMark(double px, double py) {
        constexpr double kGap = 1, kThickness = 3, kArm = 11;
        const double left = kCentreX - kHalf, right = kCentreX + kHalf;
        const double top = kCentreY - kHalf, bottom = kCentreY + kHalf;
        // Distances outwards from the nearest vertical and horizontal die edge.
        const double dx = px < kCentreX ? left - px : px - right;
        const double dy = py < kCentreY ? top - py : py - bottom;
        const double outer = kGap + kThickness;
        const bool inVerticalBar = dx > kGap && dx <= outer && dy <= outer && dy > outer - kArm;
        const bool inHorizontalBar = dy > kGap && dy <= outer && dx <= outer && dx > outer - kArm;
        return inVerticalBar || inHorizontalBar;
    }

    double shadow(Vec point) const {
        constexpr double kSoftness = 5;
        if (sphereEntry(pose_, point, kShadowLight, kBoundingRadius + 14) < 0) return 1;
        double result = 1;
        double t = 0.5;
        for (int i = 0; i < 64 && t < 200; ++i) {
            const double d = distanceToDie(pose_, point + kShadowLight * t);
            if (d < 0.001) return 0;
            result = std::min(result, kSoftness * d / t);
            t += std::clamp(d, 0.3, 8.0);
        }
        return std::clamp(result, 0.0, 1.0);
    }

    Vec dieNormal(Vec local) const {
        constexpr double e = 0.01;
        return normalized({roundedBox(local + Vec{e, 0, 0}) - roundedBox(local - Vec{e, 0, 0}),
                           roundedBox(local + Vec{0, e, 0}) - roundedBox(local - Vec{0, e, 0}),
                           roundedBox(local + Vec{0, 0, e}) - roundedBox(local - Vec{0, 0, e})});
    }

    Colour shadeDie(Vec world) const {
        const Vec local = applyInverse(pose_.orientation, world - pose_.centre);
        Vec normal = dieNormal(local);

        // The face is the one whose normal the surface point lies furthest along.
        int face = 1;
        for (int f = 2; f <= 6; ++f)
            if (dot(local, faces_[f].normal) > dot(local, faces_[face].normal)) face = f;
        const FaceFrame& frame = faces_[face];
        const double u = dot(local, frame.u), v = dot(local, frame.v);

        double albedo = 0.93;
        for (const auto& [pu, pv] : kPips[face]) {
            const double du = u - pu * kPipOffset, dv = v - pv * kPipOffset;
            if (du * du + dv * dv < kPipRadius * kPipRadius) {
                albedo = 0.06;
                // Pips are shallow dimples: the normal leans towards the pip's centre.
                const Vec lean = frame.u * (du / kPipRadius) + frame.v * (dv / kPipRadius);
                normal = normalized(normal - lean * 0.8);
                break;
            }
        }
        const Vec n = apply(pose_.orientation, normal);
        const double diffuse = std::max(0.0, dot(n, kLight)) / kLight.z;
        const Vec halfway = normalized(kLight + Vec{0, 0, 1});
        const double specular = std::pow(std::max(0.0, dot(n, halfway)), 30);
        const double level = 255 * (albedo * (0.32 + 0.68 * diffuse) + 0.25 * specular);
        return {level, level, level};
    }

    const Pose& pose_;
    bool held_;
    std::array<FaceFrame, 7> faces_;
};

// A fixed palette of 246 colours: the background, a ramp of greys for the
// die, shadowed backgrounds, greys blended into plain and shadowed background
// for the die's antialiased outline, and the red of the held marks (which lie
// on whole pixels, so need no blends).
std::vector<std::array<std::uint8_t, 3>> buildPalette() {
    std::vector<std::array<std::uint8_t, 3>> palette;
    auto add = [&palette](const Colour& c) {
        const std::array<std::uint8_t, 3> entry{static_cast<std::uint8_t>(std::lround(c[0])),
                                                static_cast<std::uint8_t>(std::lround(c[1])),
                                                static_cast<std::uint8_t>(std::lround(c[2]))};
        if (std::find(palette.begin(), palette.end(), entry) == palette.end()) palette.push_back(entry);
    };
    const Colour background = toColour(kClipBackground);
    const Colour shadowed = scaled(background, 0.7);
    add(background);  // index 0, so empty frames are runs of zeros
    for (int i = 0; i < 64; ++i) add(grey(i * 255.0 / 63));
    for (int i = 0; i < 12; ++i) add(scaled(background, 0.5 + 0.5 * i / 12));
    for (int a = 1; a < 8; ++a) {
        for (int g = 0; g < 16; ++g) add(mix(background, grey(g * 255.0 / 15), a / 8.0));
        for (int g = 0; g < 8; ++g) add(mix(shadowed, grey(g * 255.0 / 7), a / 8.0));
    }
    add(toColour(kHeldMarkColour));
    return palette;
}

std::uint8_t nearest(const std::vector<std::array<std::uint8_t, 3>>& palette, const Colour& c) {
    std::size_t best = 0;
    double bestDistance = 1e30;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const double dr = c[0] - palette[i][0], dg = c[1] - palette[i][1], db = c[2] - palette[i][2];
        const double distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

// 4 x 4 samples a pixel.
std::vector<std::uint8_t> renderFrame(const std::vector<std::array<std::uint8_t, 3>>& palette, const Pose& pose,
                                      bool held) {
    constexpr int kGrid = 4;
    const Renderer renderer(pose, held);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kClipWidth) * kClipHeight);
    for (int y = 0; y < kClipHeight; ++y) {
        for (int x = 0; x < kClipWidth; ++x) {
            Colour sum{0, 0, 0};
            for (int sy = 0; sy < kGrid; ++sy) {
                for (int sx = 0; sx < kGrid; ++sx) {
                    const Colour c = renderer.sample(x + (sx + 0.5) / kGrid, y + (sy + 0.5) / kGrid);
                    for (int i = 0; i < 3; ++i) sum[i] += c[i];
                }
            }
            for (double& channel : sum) channel = std::clamp(channel / (kGrid * kGrid), 0.0, 255.0);
            pixels[static_cast<std::size_t>(y) * kClipWidth + x] = nearest(palette, sum);
        }
    }
    return pixels;
}

}  // namespace

IndexedClip renderDiceClip() {
    IndexedClip clip;
    clip.width = kClipWidth;
    clip.height = kClipHeight;
    clip.microSecondsPerFrame = kClipMicroSecondsPerFrame;
    clip.palette = buildPalette();

    const std::vector<std::uint8_t> empty(static_cast<std::size_t>(kClipWidth) * kClipHeight, 0);
    clip.frames.assign(kClipFrameCount, empty);
    for (int face = 1; face <= 6; ++face) {
        const int first = kRunFrames * (face - 1);
        for (int step = 1; step < kRunFrames; ++step) {
            const Pose pose = poseAt(face, step);
            clip.frames[first + step] = renderFrame(clip.palette, pose, false);
        }
        const Pose rest = poseAt(face, kRunFrames - 1);
        clip.frames[kFirstHeldFrame + face - 1] = renderFrame(clip.palette, rest, true);
    }
    return clip;
}

}  // namespace kvoro
