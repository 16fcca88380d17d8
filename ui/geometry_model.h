#pragma once

// Plain rectangles and points for layout arithmetic that must not depend on windows.h.
// The fields mirror RECT and POINT so the window code can convert member by member.
namespace kvoro {

struct Point {
    int x;
    int y;
};

struct Size {
    int width;
    int height;
};

struct Rect {
    int left;
    int top;
    int right;
    int bottom;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Half-open like Win32's PtInRect: the right and bottom edges lie outside.
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
};

inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
inline bool operator==(Size a, Size b) { return a.width == b.width && a.height == b.height; }
inline bool operator!=(Size a, Size b) { return !(a == b); }
inline bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(Point a, Point b) { return !(a == b); }

}  // namespace kvoro
