#pragma once
// A device font made for one height. Canvases take fonts as values, so the
// "handle" is the logical font description it was made from; it is owned
// like the device object it stands for and handed over with unique_ptr.

#include <memory>

#include "velloran/platform/drawing_tools.h"

namespace vl {

/// A device font made for one height, owned like the device object it stands for.
struct TFontHandle {
    TLogFont LogFont;
};

inline std::unique_ptr<TFontHandle> CreateFontHandle(const TLogFont& lf) {
    return std::make_unique<TFontHandle>(TFontHandle{lf});
}

} // namespace vl
