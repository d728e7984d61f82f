#pragma once
// The sixteen pen modes as operations on 0x00BBGGRR colours.

#include <cstdint>

#include "velloran/platform/drawing_tools.h"

namespace vl {

constexpr uint32_t RasterOp2(TPenMode mode, uint32_t pen, uint32_t dest) {
    uint32_t r = dest;
    switch (mode) {
    case TPenMode::pmBlack: r = 0; break;
    case TPenMode::pmWhite: r = ~0u; break;
    case TPenMode::pmNop: r = dest; break;
    case TPenMode::pmNot: r = ~dest; break;
    case TPenMode::pmCopy: r = pen; break;
    case TPenMode::pmNotCopy: r = ~pen; break;
    case TPenMode::pmMergePenNot: r = pen | ~dest; break;
    case TPenMode::pmMaskPenNot: r = pen & ~dest; break;
    case TPenMode::pmMergeNotPen: r = ~pen | dest; break;
    case TPenMode::pmMaskNotPen: r = ~pen & dest; break;
    case TPenMode::pmMerge: r = pen | dest; break;
    case TPenMode::pmNotMerge: r = ~(pen | dest); break;
    case TPenMode::pmMask: r = pen & dest; break;
    case TPenMode::pmNotMask: r = ~(pen & dest); break;
    case TPenMode::pmXor: r = pen ^ dest; break;
    case TPenMode::pmNotXor: r = ~(pen ^ dest); break;
    }
    return r & 0x00FFFFFF;
}

} // namespace vl
