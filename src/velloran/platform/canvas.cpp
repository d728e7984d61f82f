#include "velloran/platform/canvas.h"

#include "velloran/platform/graphics.h"

namespace vl {

int32_t TCanvas::SaveDC() {
    FSaved.push_back({FPen, FBrush, FFont, FMapping, FPolyFillMode, FPenPos});
    return static_cast<int32_t>(FSaved.size());
}

void TCanvas::RestoreDC(int32_t level) {
    const int32_t n = static_cast<int32_t>(FSaved.size());
    if (level < 0) level = n + 1 + level;
    if (level < 1 || level > n) return;
    const TState s = FSaved[static_cast<size_t>(level - 1)];
    FSaved.resize(static_cast<size_t>(level - 1));
    FPen = s.Pen;
    FBrush = s.Brush;
    FFont = s.Font;
    FMapping = s.Mapping;
    FPolyFillMode = s.PolyFillMode;
    FPenPos = s.PenPos;
    StateRestored();
}

void TCanvas::Draw(int32_t x, int32_t y, const TGraphic& graphic) {
    StretchDraw({x, y, x + graphic.Width(), y + graphic.Height()}, graphic);
}

} // namespace vl
