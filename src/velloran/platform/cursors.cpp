#include "velloran/platform/cursors.h"

#include <cmath>
#include <numbers>

namespace vl {

namespace {

constexpr uint8_t Clear = 0;
constexpr uint8_t Black = 1;
constexpr uint8_t White = 2;

TCursorImage Blank(int32_t size, TPoint hotSpot) {
    TCursorImage img;
    img.Width = img.Height = size;
    img.HotSpot = hotSpot;
    img.Pixels.assign(static_cast<size_t>(size) * static_cast<size_t>(size), Clear);
    return img;
}

void Put(TCursorImage& img, int32_t x, int32_t y, uint8_t v) {
    if (x < 0 || y < 0 || x >= img.Width || y >= img.Height) return;
    img.Pixels[static_cast<size_t>(y) * static_cast<size_t>(img.Width) + static_cast<size_t>(x)] = v;
}

// Surrounds every black pixel with white, so the cursor shows on any background.
void Outline(TCursorImage& img) {
    const TCursorImage src = img;
    for (int32_t y = 0; y < img.Height; ++y)
        for (int32_t x = 0; x < img.Width; ++x) {
            if (src.Pixels[static_cast<size_t>(y * img.Width + x)] != Black) continue;
            for (int32_t dy = -1; dy <= 1; ++dy)
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    const int32_t nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= img.Width || ny >= img.Height) continue;
                    if (src.Pixels[static_cast<size_t>(ny * img.Width + nx)] == Clear) Put(img, nx, ny, White);
                }
        }
}

TCursorImage SmallCross() {
    TCursorImage img = Blank(15, {7, 7});
    for (int32_t i = 2; i <= 12; ++i) {
        Put(img, i, 7, Black);
        Put(img, 7, i, Black);
    }
    Outline(img);
    return img;
}

// A ring open at the top right with an arrow head at its end.
TCursorImage Rotate() {
    TCursorImage img = Blank(32, {15, 15});
    const double pi = std::numbers::pi;
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x) {
            const double dx = x - 15.0, dy = 15.0 - y;
            const double r = std::hypot(dx, dy);
            double a = std::atan2(dy, dx);
            if (a < 0) a += 2 * pi;
            if (r >= 8.0 && r <= 10.5 && (a < pi / 6 || a > pi / 2)) Put(img, x, y, Black);
        }
    // Arrow head at angle pi/6, pointing counter-clockwise (upwards).
    const int32_t hx = 15 + static_cast<int32_t>(std::lround(9.25 * std::cos(pi / 6)));
    const int32_t hy = 15 - static_cast<int32_t>(std::lround(9.25 * std::sin(pi / 6)));
    for (int32_t row = 0; row <= 4; ++row)
        for (int32_t dx = -4 + row; dx <= 4 - row; ++dx) Put(img, hx + dx, hy - row + 1, Black);
    Outline(img);
    return img;
}

} // namespace

TCursorImage LibraryCursorImage(TCursor Cursor) {
    if (Cursor == crSmallCross) return SmallCross();
    if (Cursor == crRotate) return Rotate();
    return {};
}

} // namespace vl
