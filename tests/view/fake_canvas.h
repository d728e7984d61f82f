#pragma once
// A canvas that draws nothing and reports a fixed device size, for tests of
// mapping arithmetic.

#include <velloran/platform/null_canvas.h>

namespace vltest {

class TFakeCanvas : public vl::TNullCanvas {
public:
    int32_t HorzRes = 1920; // pixels
    int32_t HorzSize = 512; // millimetres: 3750 pixels per metre

    int32_t GetDeviceCaps(vl::TDeviceCap cap) const override {
        switch (cap) {
        case vl::TDeviceCap::HORZRES: case vl::TDeviceCap::VERTRES: return HorzRes;
        case vl::TDeviceCap::HORZSIZE: case vl::TDeviceCap::VERTSIZE: return HorzSize;
        default: return 96;
        }
    }
};

} // namespace vltest
