#include "velloran/platform/emf_header.h"

#include "velloran/foundations/round.h"
#include "velloran/foundations/saturate.h"
#include "velloran/platform/detail/emf_bytes.h"
#include "velloran/platform/detail/emf_records.h"

namespace vl {

using namespace bytes;

namespace {
void PutRect(std::vector<uint8_t>& out, const TRect& r) {
    PutI32(out, r.Left);
    PutI32(out, r.Top);
    PutI32(out, r.Right);
    PutI32(out, r.Bottom);
}
TRect GetRect(std::span<const uint8_t> b, size_t at) {
    return {I32(b, at), I32(b, at + 4), I32(b, at + 8), I32(b, at + 12)};
}
} // namespace

void WriteEmfHeader(std::vector<uint8_t>& out, const TEmfHeader& h) {
    PutU32(out, emr::HEADER);
    PutU32(out, EmfHeaderSize);
    PutRect(out, h.Bounds);
    PutRect(out, h.Frame);
    PutU32(out, EmfSignature);
    PutU32(out, 0x10000); // version
    PutU32(out, h.Bytes);
    PutU32(out, h.Records);
    PutU16(out, h.Handles);
    PutU16(out, 0);
    PutU32(out, 0); // no description
    PutU32(out, 0);
    PutU32(out, 0); // no palette
    PutI32(out, h.DevicePixels.cx);
    PutI32(out, h.DevicePixels.cy);
    PutI32(out, h.DeviceMillimeters.cx);
    PutI32(out, h.DeviceMillimeters.cy);
    PutU32(out, 0); // no pixel format
    PutU32(out, 0);
    PutU32(out, 0); // no OpenGL records
    PutI32(out, h.DeviceMicrometers.cx);
    PutI32(out, h.DeviceMicrometers.cy);
}

TEmfHeader ReadEmfHeader(std::span<const uint8_t> rec) {
    TEmfHeader h;
    h.Bounds = GetRect(rec, 8);
    h.Frame = GetRect(rec, 24);
    h.Bytes = U32(rec, 48);
    h.Records = U32(rec, 52);
    h.Handles = U16(rec, 56);
    h.DevicePixels = {I32(rec, 72), I32(rec, 76)};
    h.DeviceMillimeters = {I32(rec, 80), I32(rec, 84)};
    if (U32(rec, 4) >= 108)
        h.DeviceMicrometers = {I32(rec, 100), I32(rec, 104)};
    else
        h.DeviceMicrometers = {Round(h.DeviceMillimeters.cx * 1000.0),
                               Round(h.DeviceMillimeters.cy * 1000.0)};
    return h;
}

TRect EmfFrameOfBounds(const TRect& b, TSize pixels, TSize micrometers) {
    if (b.Right < b.Left || b.Bottom < b.Top) return {0, 0, -1, -1};
    const double kx = pixels.cx > 0 ? micrometers.cx / 10.0 / pixels.cx : 0;
    const double ky = pixels.cy > 0 ? micrometers.cy / 10.0 / pixels.cy : 0;
    return {Round(b.Left * kx), Round(b.Top * ky), SubSat(Round((b.Right + 1.0) * kx), 1),
            SubSat(Round((b.Bottom + 1.0) * ky), 1)};
}

void WriteEmfEof(std::vector<uint8_t>& out) {
    PutU32(out, emr::EOF_);
    PutU32(out, EmfEofSize);
    PutU32(out, 0);  // no palette entries
    PutU32(out, 16); // where they would start
    PutU32(out, EmfEofSize);
}

} // namespace vl
