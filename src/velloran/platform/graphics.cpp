#include "velloran/platform/graphics.h"

#include <algorithm>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"
#include "velloran/foundations/types.h"
#include "velloran/platform/detail/dib.h"
#include "velloran/platform/detail/emf_bytes.h"

namespace vl {

// ---- TGraphic --------------------------------------------------------------

void TGraphic::SaveToFile(const std::string& fileName) const {
    TFileStream f(fileName, TFileMode::fmCreate);
    SaveToStream(f);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream f(fileName, TFileMode::fmOpenRead);
    LoadFromStream(f);
}

// ---- TBitmap ---------------------------------------------------------------

void TBitmap::SetSize(int32_t w, int32_t h, TColor fill) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w == FWidth && h == FHeight) return;
    std::vector<TColor> pixels(static_cast<size_t>(w) * h, fill & 0x00FFFFFF);
    const int32_t cw = std::min(w, FWidth), ch = std::min(h, FHeight);
    for (int32_t y = 0; y < ch; ++y)
        std::copy_n(FPixels.begin() + static_cast<ptrdiff_t>(y) * FWidth, cw,
                    pixels.begin() + static_cast<ptrdiff_t>(y) * w);
    FPixels = std::move(pixels);
    FWidth = w;
    FHeight = h;
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == TTransparentMode::tmFixed) return FTransparentColor;
    return Pixel(0, FHeight - 1);
}

std::vector<bool> TBitmap::Mask() const {
    const TColor t = TransparentColor();
    std::vector<bool> mask(FPixels.size());
    for (size_t i = 0; i < FPixels.size(); ++i)
        mask[i] = FPixels[i] == t;
    return mask;
}

void TBitmap::Assign(const TPersistent& Source) {
    if (auto* b = dynamic_cast<const TBitmap*>(&Source)) {
        *this = *b;
    } else if (auto* i = dynamic_cast<const TIcon*>(&Source)) {
        *this = i->Image();
    } else if (auto* j = dynamic_cast<const TJPEGImage*>(&Source)) {
        *this = j->Bitmap();
    } else {
        AssignError(Source);
    }
}

void TBitmap::SaveToStream(TStream& stream) const {
    std::vector<uint8_t> info, bits;
    EncodeDib(*this, nullptr, info, bits);
    const uint32_t offBits = 14 + static_cast<uint32_t>(info.size());
    stream.WriteUInt16(0x4D42); // "BM"
    stream.WriteUInt32(offBits + static_cast<uint32_t>(bits.size()));
    stream.WriteUInt32(0);
    stream.WriteUInt32(offBits);
    stream.WriteBuffer(info.data(), static_cast<int64_t>(info.size()));
    stream.WriteBuffer(bits.data(), static_cast<int64_t>(bits.size()));
}

void TBitmap::LoadFromStream(TStream& stream) {
    const int64_t start = stream.Position();
    stream.CheckRemaining(18);
    if (stream.ReadUInt16() != 0x4D42) RaiseInvalidGraphic("Not a bitmap");
    stream.ReadUInt32(); // file size: often wrong in the wild, the header decides
    stream.ReadUInt32();
    const uint32_t offBits = stream.ReadUInt32();
    const uint32_t headerSize = stream.ReadUInt32();
    if (headerSize < 40 || headerSize > 124) RaiseInvalidGraphic("Invalid bitmap header size");
    // Header, masks and palette together stay below 1.2 KB.
    std::vector<uint8_t> info(headerSize);
    bytes::SetU32(info, 0, headerSize);
    stream.CheckRemaining(headerSize - 4);
    stream.ReadBuffer(info.data() + 4, headerSize - 4);
    const uint32_t trailer = DibTrailerSize(info);
    stream.CheckRemaining(trailer);
    info.resize(headerSize + trailer);
    stream.ReadBuffer(info.data() + headerSize, trailer);
    const TDibInfo dib = ParseDibInfo(info);
    const int64_t infoEnd = 14 + static_cast<int64_t>(info.size());
    if (offBits != 0 && offBits < infoEnd) RaiseInvalidGraphic("Invalid bitmap data offset");
    if (offBits > infoEnd) {
        stream.CheckRemaining(offBits - infoEnd);
        stream.SetPosition(start + offBits);
    }
    const uint64_t left = static_cast<uint64_t>(stream.Remaining());
    if (dib.Height && dib.RowBytes > left / static_cast<uint64_t>(dib.Height)) RaiseReadError();
    const uint64_t need = dib.RowBytes * static_cast<uint64_t>(dib.Height);
    std::vector<uint8_t> bits(static_cast<size_t>(need));
    stream.ReadBuffer(bits.data(), static_cast<int64_t>(need));
    TBitmap result;
    DecodeDib(dib, info, bits, result);
    result.FTransparent = FTransparent;
    result.FTransparentColor = FTransparentColor;
    result.FTransparentMode = FTransparentMode;
    *this = std::move(result);
}

// ---- TIcon -----------------------------------------------------------------

namespace {
constexpr uint32_t IcoDirSize = 6;
constexpr uint32_t IcoEntrySize = 16;
} // namespace

void TIcon::SaveToStream(TStream& stream) const {
    const int32_t w = FImage.Width(), h = FImage.Height();
    stream.WriteUInt16(0);
    stream.WriteUInt16(1);
    if (w == 0 || h == 0) {
        stream.WriteUInt16(0);
        return;
    }
    stream.WriteUInt16(1);
    const uint32_t andRow = (static_cast<uint32_t>(w) + 31) / 32 * 4;
    const uint32_t xorBytes = static_cast<uint32_t>(w) * 4 * h;
    const uint32_t andBytes = andRow * h;
    const uint32_t imageBytes = 40 + xorBytes + andBytes;
    stream.WriteUInt8(static_cast<uint8_t>(w >= 256 ? 0 : w));
    stream.WriteUInt8(static_cast<uint8_t>(h >= 256 ? 0 : h));
    stream.WriteUInt8(0);
    stream.WriteUInt8(0);
    stream.WriteUInt16(1);
    stream.WriteUInt16(32);
    stream.WriteUInt32(imageBytes);
    stream.WriteUInt32(IcoDirSize + IcoEntrySize);

    std::vector<uint8_t> img;
    img.reserve(imageBytes);
    bytes::PutU32(img, 40);
    bytes::PutI32(img, w);
    bytes::PutI32(img, h * 2);
    bytes::PutU16(img, 1);
    bytes::PutU16(img, 32);
    bytes::PutU32(img, 0);
    bytes::PutU32(img, xorBytes + andBytes);
    for (int i = 0; i < 4; ++i)
        bytes::PutU32(img, 0);
    auto masked = [&](int32_t x, int32_t y) {
        const size_t i = static_cast<size_t>(y) * w + x;
        return i < FMask.size() && FMask[i];
    };
    for (int32_t y = h - 1; y >= 0; --y)
        for (int32_t x = 0; x < w; ++x) {
            const TColor c = FImage.Pixel(x, y);
            const bool m = masked(x, y);
            img.push_back(m ? 0 : GetBValue(c));
            img.push_back(m ? 0 : GetGValue(c));
            img.push_back(m ? 0 : GetRValue(c));
            img.push_back(m ? 0 : 0xFF);
        }
    for (int32_t y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(andRow, 0);
        for (int32_t x = 0; x < w; ++x)
            if (masked(x, y))
                row[static_cast<size_t>(x) / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        img.insert(img.end(), row.begin(), row.end());
    }
    stream.WriteBuffer(img.data(), static_cast<int64_t>(img.size()));
}

void TIcon::LoadFromStream(TStream& stream) {
    const int64_t start = stream.Position();
    stream.CheckRemaining(IcoDirSize);
    const uint16_t reserved = stream.ReadUInt16();
    const uint16_t type = stream.ReadUInt16();
    const uint16_t count = stream.ReadUInt16();
    if (reserved != 0 || type != 1) RaiseInvalidGraphic("Not an icon");
    if (count == 0) {
        *this = TIcon();
        return;
    }
    stream.CheckRemaining(static_cast<int64_t>(count) * IcoEntrySize);
    // The entry with the most colours, then the largest, is the one shown.
    uint32_t bestBytes = 0, bestOffset = 0;
    int64_t bestScore = -1, end = stream.Position() + static_cast<int64_t>(count) * IcoEntrySize;
    for (uint16_t i = 0; i < count; ++i) {
        const int w = stream.ReadUInt8(), h = stream.ReadUInt8();
        stream.ReadUInt8();
        stream.ReadUInt8();
        stream.ReadUInt16();
        const uint16_t bpp = stream.ReadUInt16();
        const uint32_t size = stream.ReadUInt32();
        const uint32_t offset = stream.ReadUInt32();
        const int64_t score = static_cast<int64_t>(bpp) * 1000000 + (w ? w : 256) * (h ? h : 256);
        if (score > bestScore) {
            bestScore = score;
            bestBytes = size;
            bestOffset = offset;
        }
    }
    const int64_t dirEnd = stream.Position() - start;
    if (bestOffset < dirEnd || bestBytes < 40) RaiseInvalidGraphic("Invalid icon entry");
    stream.SetPosition(start);
    stream.CheckRemaining(static_cast<int64_t>(bestOffset) + bestBytes);
    stream.SetPosition(start + bestOffset);
    std::vector<uint8_t> img(bestBytes);
    stream.ReadBuffer(img.data(), bestBytes);
    end = std::max(end, stream.Position());
    if (img[0] == 0x89 && img[1] == 'P') RaiseInvalidGraphic("Compressed icons are not supported");

    const std::span<const uint8_t> all(img);
    const TDibInfo dib = ParseDibInfo(all, 2);
    const uint64_t infoEnd = static_cast<uint64_t>(dib.HeaderSize) + dib.PaletteSize;
    if (infoEnd > all.size()) RaiseInvalidGraphic("Icon header too short");
    const auto bits = all.subspan(static_cast<size_t>(infoEnd));
    TIcon result;
    std::vector<uint8_t> alpha;
    DecodeDib(dib, all.first(static_cast<size_t>(infoEnd)), bits, result.FImage, &alpha);
    const uint64_t xorBytes = dib.RowBytes * dib.Height;
    const uint64_t andRow = (static_cast<uint64_t>(dib.Width) + 31) / 32 * 4;
    const bool hasAnd = bits.size() - xorBytes >= andRow * dib.Height;
    const bool hasAlpha = dib.BitCount == 32 &&
                          std::any_of(alpha.begin(), alpha.end(), [](uint8_t a) { return a != 0; });
    const int32_t w = dib.Width, h = dib.Height;
    result.FMask.assign(static_cast<size_t>(w) * h, false);
    for (int32_t y = 0; y < h; ++y) {
        const int32_t row = dib.TopDown ? y : h - 1 - y;
        for (int32_t x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * w + x;
            bool m = hasAlpha && alpha[i] < 128;
            if (hasAnd) {
                const uint8_t b = bits[static_cast<size_t>(xorBytes + andRow * row + x / 8)];
                m = m || (b & (0x80 >> (x % 8)));
            }
            result.FMask[i] = m;
        }
    }
    result.FTransparent = FTransparent;
    *this = std::move(result);
    stream.SetPosition(end);
}

// ---- TJPEGImage ------------------------------------------------------------

namespace {
TImageDecoder& DecoderSlot() {
    static TImageDecoder decoder;
    return decoder;
}

// Size from the first frame header, so that no decoder is needed for it.
TSize JpegFrameSize(const std::vector<uint8_t>& d) {
    size_t i = 2;
    while (i + 4 <= d.size()) {
        if (d[i] != 0xFF) return {};
        const uint8_t m = d[i + 1];
        if (m == 0xFF) {
            ++i;
            continue;
        }
        if (m == 0xD8 || m == 0x01 || (m >= 0xD0 && m <= 0xD7)) {
            i += 2;
            continue;
        }
        const size_t len = static_cast<size_t>(d[i + 2]) << 8 | d[i + 3];
        const bool sof = m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
        if (sof && len >= 7 && i + 9 <= d.size())
            return {d[i + 7] << 8 | d[i + 8], d[i + 5] << 8 | d[i + 6]};
        if (m == 0xDA || len < 2) return {};
        i += 2 + len;
    }
    return {};
}

// Reads single bytes from a stream through a small buffer.
class TByteReader {
  public:
    explicit TByteReader(TStream& s) : FStream(s) {}
    bool Next(uint8_t& b) {
        if (FPos == FLen) {
            FLen = static_cast<size_t>(FStream.Read(FBuf, sizeof FBuf));
            FPos = 0;
            if (FLen == 0) return false;
        }
        b = FBuf[FPos++];
        ++FConsumed;
        return true;
    }
    uint8_t Byte() {
        uint8_t b;
        if (!Next(b)) RaiseReadError();
        return b;
    }
    void Skip(uint32_t n) {
        while (n--)
            Byte();
    }
    int64_t Consumed() const { return FConsumed; }

  private:
    TStream& FStream;
    uint8_t FBuf[4096];
    size_t FPos = 0, FLen = 0;
    int64_t FConsumed = 0;
};
} // namespace

void SetImageDecoder(TImageDecoder decoder) {
    DecoderSlot() = std::move(decoder);
}
const TImageDecoder& ImageDecoder() {
    return DecoderSlot();
}

// The frame header gives the size even when no decoder is registered.
int32_t TJPEGImage::Width() const {
    const int32_t w = JpegFrameSize(FData).cx;
    return w || !FDecoded ? w : FDecoded->Width();
}
int32_t TJPEGImage::Height() const {
    const int32_t h = JpegFrameSize(FData).cy;
    return h || !FDecoded ? h : FDecoded->Height();
}

void TJPEGImage::SetData(std::vector<uint8_t> bytes) {
    FData = std::move(bytes);
    FDecoded.reset();
}

const TBitmap& TJPEGImage::Bitmap() const {
    if (!FDecoded) {
        auto bmp = std::make_shared<TBitmap>();
        const auto& decode = ImageDecoder();
        if (!decode || FData.empty() || !decode(FData, *bmp)) *bmp = TBitmap();
        FDecoded = std::move(bmp);
    }
    return *FDecoded;
}

void TJPEGImage::SaveToStream(TStream& stream) const {
    stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TJPEGImage::LoadFromStream(TStream& stream) {
    // Walk the segments up to the end-of-image marker to learn the length,
    // then read exactly those bytes: the image may sit inside a larger stream.
    const int64_t start = stream.Position();
    TByteReader r(stream);
    if (r.Byte() != 0xFF || r.Byte() != 0xD8) RaiseInvalidGraphic("Not a JPEG image");
    uint8_t m = 0;
    bool haveMarker = false;
    for (;;) {
        if (!haveMarker) {
            if (r.Byte() != 0xFF) RaiseInvalidGraphic("Corrupt JPEG image");
            do
                m = r.Byte();
            while (m == 0xFF);
        }
        haveMarker = false;
        if (m == 0xD9) break;
        if (m == 0x01 || (m >= 0xD0 && m <= 0xD7)) continue;
        const uint32_t len = static_cast<uint32_t>(r.Byte()) << 8 | r.Byte();
        if (len < 2) RaiseInvalidGraphic("Corrupt JPEG image");
        r.Skip(len - 2);
        if (m != 0xDA) continue;
        // Entropy-coded data: 0xFF is followed by 0 (stuffing) or a restart
        // marker inside the scan; anything else is the next segment.
        for (;;) {
            if (r.Byte() != 0xFF) continue;
            uint8_t n = r.Byte();
            while (n == 0xFF)
                n = r.Byte();
            if (n == 0 || (n >= 0xD0 && n <= 0xD7)) continue;
            m = n;
            haveMarker = true;
            break;
        }
    }
    const int64_t length = r.Consumed();
    stream.SetPosition(start);
    stream.CheckRemaining(length);
    std::vector<uint8_t> data(static_cast<size_t>(length));
    stream.ReadBuffer(data.data(), length);
    SetData(std::move(data));
}

} // namespace vl
