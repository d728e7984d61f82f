#pragma once
// Flags of a coordinate mapping shared by the view, objects and tools.

#include <cstdint>

#include "velloran/foundations/set.h"

namespace vl {

/// Flags of a coordinate mapping shared by the view, objects and tools.
enum class TScaleFlag : uint8_t {
    scChanged,
    scFontChanged,
    scMMScaled,
    scRefScale,
    scPrinting,
    scNewLimits,
    scBoundsChanged,
    scCenterH,
    scCenterV,
    scMovingObjects,
    scDesigning,
};

using TScaleState = TSet<TScaleFlag, uint16_t>;

} // namespace vl
