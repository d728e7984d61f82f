#pragma once
// The child controls a scrolling control lays its automatic range over. Only
// what the range and ScrollInView need is kept: where a child lies, how it is
// aligned and whether it shows.

#include <cstdint>

#include "velloran/foundations/types.h"

namespace vl {

/// How a child control is aligned in its parent.
enum class TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

/// A child control as a scrolling control's range sees it.
struct TChildControl {
    /// In the parent's content pixels: where the child shows while both
    /// positions are 0. It scrolls with the content.
    TRect BoundsRect;
    TAlign Align = TAlign::alNone;
    bool Visible = true;
    friend bool operator==(const TChildControl&, const TChildControl&) = default;
};

} // namespace vl
