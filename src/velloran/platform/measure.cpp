#include "velloran/platform/measure.h"

#include <cmath>

#include "velloran/foundations/round.h"
#include "velloran/platform/canvas.h"

namespace vl {

// log10 rather than ln x / ln 10: exact for powers of ten, which callers truncate.
double lg(double X) { return X > 0 ? std::log10(X) : 0.0; }

namespace {
// A device that reports no physical size yields 0 rather than a division by zero.
int32_t PerMetre(int32_t pixels, int32_t millimetres) {
    return millimetres > 0 ? Round(double(pixels) / millimetres * 1000) : 0;
}
} // namespace

TPoint CalcPixPerM(const TCanvas& dc) {
    return {PerMetre(dc.GetDeviceCaps(TDeviceCap::HORZRES), dc.GetDeviceCaps(TDeviceCap::HORZSIZE)),
            PerMetre(dc.GetDeviceCaps(TDeviceCap::VERTRES), dc.GetDeviceCaps(TDeviceCap::VERTSIZE))};
}

} // namespace vl
