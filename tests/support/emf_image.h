#pragma once
// A metafile image built by hand: the header, the given records, the end
// record; a 1920 x 1080 device of 508 x 285.75 mm.

#include <vector>

#include "velloran/platform/emf_header.h"

namespace vl::test {

inline std::vector<uint8_t> EmfImage(const TRect& Bounds, const std::vector<uint8_t>& Records, uint32_t Count) {
    TEmfHeader h;
    h.Bounds = Bounds;
    h.Bytes = static_cast<uint32_t>(EmfHeaderSize + Records.size() + EmfEofSize);
    h.Records = Count + 2;
    h.DevicePixels = {1920, 1080};
    h.DeviceMillimeters = {508, 286};
    h.DeviceMicrometers = {508000, 285750};
    std::vector<uint8_t> image;
    WriteEmfHeader(image, h);
    image.insert(image.end(), Records.begin(), Records.end());
    WriteEmfEof(image);
    return image;
}

} // namespace vl::test
