#include "velloran/platform/metafile.h"

#include <algorithm>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/saturate.h"
#include "velloran/foundations/stream.h"
#include "velloran/platform/detail/emf_bytes.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"
#include "velloran/platform/emf_header.h"
#include "velloran/platform/metafile_player.h"

namespace vl {

// ---- TEmfRecord ------------------------------------------------------------

uint32_t TEmfRecord::Type() const {
    return bytes::U32(Bytes, 0);
}
uint32_t TEmfRecord::Size() const {
    return bytes::U32(Bytes, 4);
}
uint32_t TEmfRecord::DWord(size_t offset) const {
    return bytes::U32(Bytes, offset);
}

// ---- TMetafile -------------------------------------------------------------

namespace {
constexpr size_t MinHeaderSize = 88;

int32_t Extent(int32_t lo, int32_t hi) {
    return hi >= lo ? static_cast<int32_t>(static_cast<int64_t>(hi) - lo + 1) : 0;
}

// A recorded drawing of nothing, sized later through SetWidth/SetHeight.
std::vector<uint8_t> EmptyImage() {
    TEmfHeader h;
    h.Bounds = {0, 0, -1, -1};
    h.Frame = {0, 0, -1, -1};
    h.Bytes = EmfHeaderSize + EmfEofSize;
    h.Records = 2;
    h.DevicePixels = {1920, 1080};
    h.DeviceMillimeters = {508, 286};
    h.DeviceMicrometers = {508000, 285750};
    std::vector<uint8_t> out;
    WriteEmfHeader(out, h);
    WriteEmfEof(out);
    return out;
}
// Rewrites only bounds and frame, so the rest of the header stays as it came.
void SetBounds(std::vector<uint8_t>& data, const TRect& b) {
    const TEmfHeader h = ReadEmfHeader(data);
    const TRect f = EmfFrameOfBounds(b, h.DevicePixels, h.DeviceMicrometers);
    const int32_t v[8] = {b.Left, b.Top, b.Right, b.Bottom, f.Left, f.Top, f.Right, f.Bottom};
    for (int i = 0; i < 8; ++i)
        bytes::SetU32(data, 8 + 4 * i, static_cast<uint32_t>(v[i]));
}
} // namespace

int32_t TMetafile::Width() const {
    if (FData.size() < MinHeaderSize) return 0;
    const TEmfHeader h = ReadEmfHeader(FData);
    return Extent(h.Bounds.Left, h.Bounds.Right);
}

int32_t TMetafile::Height() const {
    if (FData.size() < MinHeaderSize) return 0;
    const TEmfHeader h = ReadEmfHeader(FData);
    return Extent(h.Bounds.Top, h.Bounds.Bottom);
}

int32_t TMetafile::MMWidth() const {
    if (FData.size() < MinHeaderSize) return 0;
    const TEmfHeader h = ReadEmfHeader(FData);
    return Extent(h.Frame.Left, h.Frame.Right);
}

int32_t TMetafile::MMHeight() const {
    if (FData.size() < MinHeaderSize) return 0;
    const TEmfHeader h = ReadEmfHeader(FData);
    return Extent(h.Frame.Top, h.Frame.Bottom);
}

void TMetafile::SetWidth(int32_t w) {
    if (FData.empty()) FData = EmptyImage();
    TRect b = ReadEmfHeader(FData).Bounds;
    b.Right = Saturate(int64_t{b.Left} + std::max(w, 0) - 1);
    SetBounds(FData, b);
}

void TMetafile::SetHeight(int32_t h) {
    if (FData.empty()) FData = EmptyImage();
    TRect b = ReadEmfHeader(FData).Bounds;
    b.Bottom = Saturate(int64_t{b.Top} + std::max(h, 0) - 1);
    SetBounds(FData, b);
}

void TMetafile::SetData(std::vector<uint8_t> data) {
    if (data.empty()) {
        Clear();
        return;
    }
    const std::span<const uint8_t> d(data);
    using bytes::U32;
    if (d.size() % 4 != 0 || d.size() < MinHeaderSize + EmfEofSize)
        RaiseInvalidGraphic("Invalid metafile size");
    if (U32(d, 0) != emr::HEADER || U32(d, 4) < MinHeaderSize || U32(d, 40) != EmfSignature)
        RaiseInvalidGraphic("Metafile header missing");
    // Loading takes the header's byte count as the metafile's length.
    if (U32(d, 48) != d.size()) RaiseInvalidGraphic("Metafile byte count differs from its size");
    size_t at = 0;
    uint32_t last = 0;
    while (at < d.size()) {
        if (last == emr::EOF_) RaiseInvalidGraphic("Records after the metafile end");
        if (d.size() - at < 8) RaiseInvalidGraphic("Truncated metafile record");
        const uint32_t size = U32(d, at + 4);
        if (size < 8 || size % 4 != 0 || size > d.size() - at)
            RaiseInvalidGraphic("Invalid metafile record size");
        last = U32(d, at);
        if (at > 0 && last == emr::HEADER) RaiseInvalidGraphic("Second metafile header");
        at += size;
    }
    if (last != emr::EOF_) RaiseInvalidGraphic("Metafile end record missing");
    FData = std::move(data);
}

void TMetafile::Clear() {
    FData.clear();
}

void TMetafile::SaveToStream(TStream& stream) const {
    stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TMetafile::LoadFromStream(TStream& stream) {
    int64_t n = stream.Remaining();
    if (n >= static_cast<int64_t>(MinHeaderSize)) {
        // The header's byte count keeps a metafile inside a longer stream apart
        // from what follows it.
        uint8_t head[MinHeaderSize];
        const int64_t at = stream.Position();
        stream.ReadBuffer(head, sizeof head);
        stream.SetPosition(at);
        const uint32_t total = bytes::U32(head, 48);
        if (total >= MinHeaderSize && total <= n) n = total;
    }
    std::vector<uint8_t> data(static_cast<size_t>(n));
    stream.ReadBuffer(data.data(), n);
    SetData(std::move(data));
}

void TMetafile::Assign(const TPersistent& Source) {
    if (auto* m = dynamic_cast<const TMetafile*>(&Source)) {
        FData = m->FData;
        FEnhanced = m->FEnhanced;
        FTransparent = m->FTransparent;
        return;
    }
    AssignError(Source);
}

// ---- Playback --------------------------------------------------------------

bool EnumEnhMetaFile(TCanvas& dest, const TMetafile& mf, const TRect& rect,
                     const TEnhMetaRecordProc& proc) {
    if (mf.Data().empty()) return true;
    TMetafilePlayer player(dest, mf, rect);
    for (const TEmfRecord& rec : EmfRecords(mf))
        if (!proc(player, rec)) return false;
    return true;
}

void PlayEnhMetaFile(TCanvas& dest, const TMetafile& mf, const TRect& rect) {
    EnumEnhMetaFile(dest, mf, rect, [](TMetafilePlayer& dc, const TEmfRecord& rec) {
        dc.PlayRecord(rec);
        return true;
    });
}

} // namespace vl
