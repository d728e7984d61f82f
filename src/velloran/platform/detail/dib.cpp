#include "velloran/platform/detail/dib.h"

#include "velloran/foundations/errors.h"
#include "velloran/platform/detail/emf_bytes.h"
#include "velloran/platform/graphics.h"

namespace vl {

namespace {
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;
} // namespace

uint32_t DibTrailerSize(std::span<const uint8_t> header) {
    using namespace bytes;
    const uint32_t size = U32(header, 0);
    const uint16_t bitCount = U16(header, 14);
    uint32_t n = size == 40 && U32(header, 16) == BI_BITFIELDS ? 12 : 0;
    if (bitCount == 8) {
        const uint32_t used = U32(header, 32);
        n += (used == 0 || used > 256 ? 256 : used) * 4;
    }
    return n;
}

TDibInfo ParseDibInfo(std::span<const uint8_t> info, int heightScale) {
    using namespace bytes;
    if (info.size() < 40) RaiseInvalidGraphic("Bitmap header too short");
    const uint32_t size = U32(info, 0);
    if (size < 40 || size > info.size()) RaiseInvalidGraphic("Invalid bitmap header size");
    TDibInfo d;
    const int32_t w = I32(info, 4);
    const int32_t h = I32(info, 8);
    d.BitCount = U16(info, 14);
    const uint32_t compression = U32(info, 16);
    uint32_t clrUsed = U32(info, 32);
    if (w < 0 || h == INT32_MIN) RaiseInvalidGraphic("Invalid bitmap size");
    d.Width = w;
    d.TopDown = h < 0;
    d.Height = (h < 0 ? -h : h) / heightScale;
    // No pixel in a row means no pixel at all; walking the empty rows would
    // take seconds for nothing.
    if (d.Width == 0) d.Height = 0;
    d.HeaderSize = size;
    if (d.BitCount == 32 && compression == BI_BITFIELDS) {
        // Only the plain BGRA layout is accepted. The masks sit at offset 40
        // both after a short header and inside the longer header versions.
        if (info.size() < 52) RaiseInvalidGraphic("Missing colour masks");
        if (U32(info, 40) != 0xFF0000 || U32(info, 44) != 0xFF00 || U32(info, 48) != 0xFF)
            RaiseInvalidGraphic("Unsupported colour masks");
        if (size == 40) d.HeaderSize = 52;
    } else if (compression != BI_RGB) {
        RaiseInvalidGraphic("Compressed bitmaps are not supported");
    }
    if (d.BitCount == 8) {
        if (clrUsed == 0 || clrUsed > 256) clrUsed = 256;
        d.PaletteSize = clrUsed * 4;
    } else if (d.BitCount != 24 && d.BitCount != 32) {
        RaiseInvalidGraphic("Unsupported bitmap colour depth");
    }
    d.RowBytes = (static_cast<uint64_t>(d.Width) * d.BitCount + 31) / 32 * 4;
    return d;
}

void DecodeDib(const TDibInfo& d, std::span<const uint8_t> info, std::span<const uint8_t> bits,
               TBitmap& out, std::vector<uint8_t>* alpha) {
    if (d.Height && d.RowBytes > bits.size() / static_cast<uint64_t>(d.Height))
        RaiseInvalidGraphic("Bitmap data too short");
    std::span<const uint8_t> palette;
    if (d.PaletteSize) {
        // A short palette is tolerated: missing entries read as black.
        const size_t have = info.size() > d.HeaderSize ? info.size() - d.HeaderSize : 0;
        palette = info.subspan(d.HeaderSize, std::min<size_t>(have, d.PaletteSize));
    }
    out.SetSize(d.Width, d.Height, clBlack);
    if (alpha) alpha->assign(static_cast<size_t>(d.Width) * d.Height, 0xFF);
    for (int32_t row = 0; row < d.Height; ++row) {
        const int32_t y = d.TopDown ? row : d.Height - 1 - row;
        const uint8_t* p = bits.data() + d.RowBytes * static_cast<uint64_t>(row);
        for (int32_t x = 0; x < d.Width; ++x) {
            uint8_t b = 0, g = 0, r = 0;
            if (d.BitCount == 8) {
                const size_t at = static_cast<size_t>(p[x]) * 4;
                if (at + 3 <= palette.size()) {
                    b = palette[at];
                    g = palette[at + 1];
                    r = palette[at + 2];
                }
            } else {
                const uint8_t* px = p + static_cast<size_t>(x) * (d.BitCount / 8);
                b = px[0];
                g = px[1];
                r = px[2];
                if (alpha && d.BitCount == 32)
                    (*alpha)[static_cast<size_t>(y) * d.Width + x] = px[3];
            }
            out.SetPixel(x, y, RGB(r, g, b));
        }
    }
}

void EncodeDib(const TBitmap& bmp, const std::vector<bool>* mask, std::vector<uint8_t>& info,
               std::vector<uint8_t>& bits) {
    using namespace bytes;
    const int32_t w = bmp.Width(), h = bmp.Height();
    const uint16_t depth = mask ? 32 : 24;
    const size_t rowBytes = (static_cast<size_t>(w) * depth + 31) / 32 * 4;
    info.clear();
    PutU32(info, 40);
    PutI32(info, w);
    PutI32(info, h);
    PutU16(info, 1);
    PutU16(info, depth);
    PutU32(info, BI_RGB);
    PutU32(info, static_cast<uint32_t>(rowBytes * h));
    for (int i = 0; i < 4; ++i)
        PutU32(info, 0); // resolution and colour counts
    bits.assign(rowBytes * h, 0);
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* p = bits.data() + rowBytes * static_cast<size_t>(h - 1 - y);
        for (int32_t x = 0; x < w; ++x) {
            const TColor c = bmp.Pixel(x, y);
            *p++ = GetBValue(c);
            *p++ = GetGValue(c);
            *p++ = GetRValue(c);
            if (!mask) continue;
            const size_t i = static_cast<size_t>(y) * w + x;
            *p++ = i < mask->size() && (*mask)[i] ? 0 : 0xFF;
        }
    }
}

} // namespace vl
