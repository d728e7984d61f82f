#include "velloran/platform/null_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace vl {

namespace {

TRect Normalised(TPoint a, TPoint b) { return TRect{a.X, a.Y, b.X, b.Y}.Normalised(); }

TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

} // namespace

TNullCanvas::TNullCanvas(TSize deviceSize, int32_t pixelsPerInch)
    : FDeviceSize(deviceSize), FPixelsPerInch(pixelsPerInch) {}

int32_t TNullCanvas::GetDeviceCaps(TDeviceCap cap) const {
    const auto mm = [this](int32_t px) {
        return FPixelsPerInch > 0 ? static_cast<int32_t>(int64_t{px} * 254 / (int64_t{FPixelsPerInch} * 10)) : 0;
    };
    switch (cap) {
    case TDeviceCap::HORZSIZE: return mm(FDeviceSize.cx);
    case TDeviceCap::VERTSIZE: return mm(FDeviceSize.cy);
    case TDeviceCap::HORZRES: return FDeviceSize.cx;
    case TDeviceCap::VERTRES: return FDeviceSize.cy;
    case TDeviceCap::LOGPIXELSX:
    case TDeviceCap::LOGPIXELSY: return FPixelsPerInch;
    }
    return 0;
}

TSize TNullCanvas::TextExtent(const String& text) {
    const int32_t h = std::abs(FFont.Height);
    return {static_cast<int32_t>(text.size()) * (h / 2), h};
}

void TNullCanvas::SelectClipRgn(const TRegion* rgn) {
    FClipped = rgn != nullptr;
    if (rgn) FClip = rgn->Box();
}

void TNullCanvas::IntersectClipRect(const TRect& r) {
    const TRect device = Normalised(LPtoDP(r.TopLeft()), LPtoDP(r.BottomRight()));
    FClip = Intersect(FClipped ? FClip : DeviceRect(), device);
    FClipped = true;
}

TRect TNullCanvas::GetClipBox() const {
    const TRect d = FClipped ? FClip : DeviceRect();
    return Normalised(DPtoLP(d.TopLeft()), DPtoLP(d.BottomRight()));
}

int32_t TNullCanvas::SaveDC() {
    FSavedClips.emplace_back(FClip, FClipped);
    return TCanvas::SaveDC();
}

void TNullCanvas::RestoreDC(int32_t level) {
    const int32_t n = static_cast<int32_t>(FSavedClips.size());
    if (level < 0) level = n + 1 + level;
    if (level < 1 || level > n) return;
    FClip = FSavedClips[static_cast<size_t>(level - 1)].first;
    FClipped = FSavedClips[static_cast<size_t>(level - 1)].second;
    FSavedClips.resize(static_cast<size_t>(level - 1));
    TCanvas::RestoreDC(level);
}

} // namespace vl
