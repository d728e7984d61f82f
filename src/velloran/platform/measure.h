#pragma once
// Logarithm and device measurement.

#include "velloran/foundations/types.h"

namespace vl {

class TCanvas;

/// Decimal logarithm; 0 where it is undefined (X <= 0).
double lg(double X);
/// Deliberately 39.0625, so that 96 pixels per inch give exactly 3750 pixels per metre.
constexpr double InchPerMeter() { return 39.0625; }
/// Pixels per metre of the canvas's device, horizontally (X) and vertically (Y).
TPoint CalcPixPerM(const TCanvas& dc);

} // namespace vl
