#include "velloran/platform/mapping.h"

#include <algorithm>

#include "velloran/foundations/round.h"
#include "velloran/foundations/saturate.h"

namespace vl {

namespace {
// origin + Round(v), saturated. Beyond 2^33 the sum saturates whatever the
// origin, so the clamp changes no result and keeps the addition in range.
int32_t Offset(int32_t origin, double v) {
    constexpr int64_t Far = int64_t{1} << 33;
    return Saturate(origin + std::clamp<int64_t>(Round64(v), -Far, Far));
}
int32_t ToDevice(int32_t l, int32_t wo, int32_t we, int32_t vo, int32_t ve) {
    if (we == 0) return vo;
    return Offset(vo, static_cast<double>(static_cast<int64_t>(l) - wo) * ve / we);
}
int32_t ToLogical(int32_t d, int32_t wo, int32_t we, int32_t vo, int32_t ve) {
    if (ve == 0) return wo;
    return Offset(wo, static_cast<double>(static_cast<int64_t>(d) - vo) * we / ve);
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
        return {Saturate(int64_t{ViewportOrg.X} + p.X - WindowOrg.X),
                Saturate(int64_t{ViewportOrg.Y} + p.Y - WindowOrg.Y)};
    return {ToDevice(p.X, WindowOrg.X, WindowExt.cx, ViewportOrg.X, ViewportExt.cx),
            ToDevice(p.Y, WindowOrg.Y, WindowExt.cy, ViewportOrg.Y, ViewportExt.cy)};
}

TPoint TMapping::DPtoLP(TPoint p) const {
    if (Mode == TMapMode::mmText)
        return {Saturate(int64_t{WindowOrg.X} + p.X - ViewportOrg.X),
                Saturate(int64_t{WindowOrg.Y} + p.Y - ViewportOrg.Y)};
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
