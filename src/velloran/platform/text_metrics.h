#pragma once
// Deterministic text metrics for surfaces without fonts (the metafile canvas
// and everything measured through it), so that headless layouts are
// reproducible on every machine:
//   cell height  = |font height| (a height of 0 counts as 11)
//   ascent       = Round(cell height * 0.8)
//   advance      = Round(cell height * 0.5) per UTF-16 code unit,
//                  Round(cell height * 0.6) for fixed-pitch fonts,
//                  each times 1.1 before rounding when bold.
// All values are in the units of the font height (logical units).

#include <cstdint>

#include "velloran/foundations/types.h"
#include "velloran/platform/drawing_tools.h"

namespace vl {

int32_t HeadlessCellHeight(const TFont& font);
int32_t HeadlessAscent(const TFont& font);
int32_t HeadlessAdvance(const TFont& font);
TSize HeadlessTextExtent(const TFont& font, const String& text);

} // namespace vl
