#pragma once
// The anisotropic window/viewport mapping of a drawing surface. Every backend
// converts with these two functions, so logical-to-device results agree.

#include <cstdint>
#include <span>

#include "velloran/foundations/types.h"

namespace vl {

/// Mapping modes.
/// Values as a metafile stores them.
enum class TMapMode : uint8_t { mmText = 1, mmAnisotropic = 8 };

/// The window/viewport mapping of a drawing surface; every backend converts with it.
struct TMapping {
    TMapMode Mode = TMapMode::mmText;
    TPoint WindowOrg;
    TSize WindowExt{1, 1};
    TPoint ViewportOrg;
    TSize ViewportExt{1, 1};

    /// device = ViewportOrg + Round((logical - WindowOrg) * ViewportExt / WindowExt)
    TPoint LPtoDP(TPoint p) const;
    /// logical = WindowOrg + Round((device - ViewportOrg) * WindowExt / ViewportExt)
    TPoint DPtoLP(TPoint p) const;
    void LPtoDP(std::span<TPoint> pts) const;
    void DPtoLP(std::span<TPoint> pts) const;
    /// Lengths without origins (signs kept).
    double ScaleX() const;
    double ScaleY() const;
    friend bool operator==(const TMapping&, const TMapping&) = default;
};

} // namespace vl
