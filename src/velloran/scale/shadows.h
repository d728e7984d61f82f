#pragma once
// TShadows: offset and brush of the drop shadows of objects with goShadows.

#include <cstdint>

#include "velloran/platform/drawing_tools.h"
#include "velloran/platform/persistent.h"

namespace vl {

/// Offset and brush of the drop shadows of objects with goShadows.
class TShadows : public TPersistent {
public:
    void Assign(const TPersistent& Source) override;
    std::string ClassName() const override { return "TShadows"; }

    /// Offsets in logical units.
    int32_t dX() const { return FdX; }
    void SetdX(int32_t v) { FdX = v; }
    int32_t dY() const { return FdY; }
    void SetdY(int32_t v) { FdY = v; }
    const TBrush& Brush() const { return FBrush; }
    void SetBrush(const TBrush& v) { FBrush = v; }

private:
    int32_t FdX = 10;
    int32_t FdY = 7;
    TBrush FBrush{clGray, TBrushStyle::bsSolid};
};

} // namespace vl
