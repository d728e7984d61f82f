#pragma once
// Metafiles: recorded drawings in the enhanced metafile format. A TMetafile
// holds the complete byte image (header record, drawing records, end record),
// which is also its .emf file. TMetafileCanvas records into one; playback and
// enumeration draw one onto any canvas.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "velloran/platform/canvas.h"
#include "velloran/platform/graphics.h"

namespace vl {

/// A recorded drawing: the complete byte image of an enhanced metafile.
class TMetafile : public TGraphic {
public:
    /// Size of the picture in device pixels of its reference device.
    int32_t Width() const override;
    int32_t Height() const override;
    void SetWidth(int32_t w);
    void SetHeight(int32_t h);
    /// Size in 0.01 mm.
    int32_t MMWidth() const;
    int32_t MMHeight() const;
    /// False for metafiles that store themselves in the old 16-bit format.
    bool Enhanced() const { return FEnhanced; }
    void SetEnhanced(bool v) { FEnhanced = v; }

    /// The complete byte image; empty when nothing has been recorded.
    const std::vector<uint8_t>& Data() const { return FData; }
    /// Takes a complete byte image; a malformed one raises EInvalidGraphic and
    /// leaves the metafile unchanged.
    void SetData(std::vector<uint8_t> bytes);
    void Clear();

    void SaveToStream(TStream& stream) const override;
    /// Reads the rest of the stream as one metafile.
    void LoadFromStream(TStream& stream) override;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TMetafile>(*this); }
    void Assign(const TPersistent& Source) override;
    std::string ClassName() const override { return "TMetafile"; }

private:
    std::vector<uint8_t> FData;
    bool FEnhanced = true;
};

/// One record as enumeration hands it out: the whole record (type, size and
/// parameters), little-endian. Copy it to change it before playing.
struct TEmfRecord {
    std::span<const uint8_t> Bytes;
    uint32_t Type() const;
    uint32_t Size() const;
    /// 32-bit parameter at byte offset (from the record's start).
    uint32_t DWord(size_t offset) const;
    int32_t Int(size_t offset) const { return static_cast<int32_t>(DWord(offset)); }
};

class TMetafilePlayer;
/// Called per record with the enumeration context; return false to stop.
using TEnhMetaRecordProc = std::function<bool(TMetafilePlayer& dc, const TEmfRecord& record)>;

/// Plays a metafile onto a canvas, its bounds mapped onto rect (logical
/// coordinates of the canvas).
void PlayEnhMetaFile(TCanvas& dest, const TMetafile& mf, const TRect& rect);
/// Enumerates the records; the callback decides what is played. Returns false
/// when the callback stopped the enumeration.
bool EnumEnhMetaFile(TCanvas& dest, const TMetafile& mf, const TRect& rect, const TEnhMetaRecordProc& proc);

} // namespace vl
