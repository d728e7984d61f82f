#pragma once
// Device-independent bitmaps: the pixel block shared by BMP files, icons and
// metafile bitmap records. Readers take untrusted bytes and raise
// EInvalidGraphic instead of reading past them.

#include <cstdint>
#include <span>
#include <vector>

namespace vl {

class TBitmap;

struct TDibInfo {
    int32_t Width = 0;
    int32_t Height = 0; // always positive; TopDown tells the row order
    bool TopDown = false;
    uint16_t BitCount = 0;    // 8, 24 or 32
    uint32_t HeaderSize = 0;  // header plus colour masks
    uint32_t PaletteSize = 0; // bytes of palette after the header
    uint64_t RowBytes = 0;
};

// Bytes of colour masks and palette that follow a header (of which at least
// the first 40 bytes are given), so a reader knows how much more to fetch.
uint32_t DibTrailerSize(std::span<const uint8_t> header);
// Parses a BITMAPINFOHEADER (or a later version of it) with its palette.
// heightScale 2 reads icon images, whose height counts image and mask.
TDibInfo ParseDibInfo(std::span<const uint8_t> info, int heightScale = 1);
// Decodes rows into out; alpha (when given) receives the 32-bit alpha bytes.
void DecodeDib(const TDibInfo& dib, std::span<const uint8_t> info, std::span<const uint8_t> bits,
               TBitmap& out, std::vector<uint8_t>* alpha = nullptr);
// 40-byte header and bottom-up rows: 24-bit, or 32-bit with alpha 0 where
// mask (when given) marks see-through pixels.
void EncodeDib(const TBitmap& bmp, const std::vector<bool>* mask, std::vector<uint8_t>& info,
               std::vector<uint8_t>& bits);

} // namespace vl
