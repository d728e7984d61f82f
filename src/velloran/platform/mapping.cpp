#include "velloran/platform/mapping.h"

#include "velloran/foundations/round.h"

namespace vl {

namespace {
int32_t ToDevice(int32_t l, int32_t wo, int32_t we, int32_t vo, int32_t ve) {
    if (we == 0) return vo;
    return vo + Round(static_cast<double>(static_cast<int64_t>(l) - wo) * ve / we);
}
int32_t ToLogical(int32_t d, int32_t wo, int32_t we, int32_t vo, int32_t ve) {
    if (ve == 0) return wo;
    return wo + Round(static_cast<double>(static_cast<int64_t>(d) - vo) * we / ve);
}
} // namespace

double TMapping::ScaleX() const {
    if (Mode == TMapMode::mmText || WindowExt.cx == 0) return 1.0;
    return static_cast<double>(ViewportExt.cx) / WindowExt.cx;
}

double TMapping::ScaleY() const {
    if (Mode == TMapMode::mmText || WindowExt.cy == 0) return 1.0;
    return static_cast<double>(ViewportExt.cy) / WindowExt.cy;
}

TPoint TMapping::LPtoDP(TPoint p) const {
    if (Mode == TMapMode::mmText)
        return {ViewportOrg.X + (p.X - WindowOrg.X), ViewportOrg.Y + (p.Y - WindowOrg.Y)};
    return {ToDevice(p.X, WindowOrg.X, WindowExt.cx, ViewportOrg.X, ViewportExt.cx),
            ToDevice(p.Y, WindowOrg.Y, WindowExt.cy, ViewportOrg.Y, ViewportExt.cy)};
}

TPoint TMapping::DPtoLP(TPoint p) const {
    if (Mode == TMapMode::mmText)
        return {WindowOrg.X + (p.X - ViewportOrg.X), WindowOrg.Y + (p.Y - ViewportOrg.Y)};
    return {ToLogical(p.X, WindowOrg.X, WindowExt.cx, ViewportOrg.X, ViewportExt.cx),
            ToLogical(p.Y, WindowOrg.Y, WindowExt.cy, ViewportOrg.Y, ViewportExt.cy)};
}

void TMapping::LPtoDP(std::span<TPoint> pts) const {
    for (auto& p : pts) p = LPtoDP(p);
}

void TMapping::DPtoLP(std::span<TPoint> pts) const {
    for (auto& p : pts) p = DPtoLP(p);
}

} // namespace vl
