#pragma once
// Pictures: the graphic base, bitmaps (with pixel access, transparent colour
// and mask), icons and JPEG images. Metafiles are in metafile.h.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "velloran/platform/colors.h"
#include "velloran/platform/persistent.h"

namespace vl {

class TStream;

/// The base of every picture kind.
class TGraphic : public TPersistent {
public:
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { FTransparent = v; }
    /// The graphic's own stream image (the file format of its kind).
    virtual void SaveToStream(TStream& stream) const = 0;
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    void SaveToFile(const std::string& fileName) const;
    void LoadFromFile(const std::string& fileName);

protected:
    bool FTransparent = false;
};

/// How a bitmap chooses its transparent colour.
enum class TTransparentMode : uint8_t { tmAuto, tmFixed };

/// A bitmap with pixel access, a transparent colour and a mask.
/// 32-bit pixels held in memory, row 0 at the top. Pixel values are TColor
/// (0x00BBGGRR).
class TBitmap : public TGraphic {
public:
    TBitmap() = default;
    TBitmap(int32_t w, int32_t h, TColor fill = clWhite) { SetSize(w, h, fill); }

    int32_t Width() const override { return FWidth; }
    int32_t Height() const override { return FHeight; }
    /// Resizes; pixels inside both sizes are kept, new ones take fill.
    void SetSize(int32_t w, int32_t h, TColor fill = clWhite);

    /// Reads outside the bitmap give clNone; writes outside are clipped.
    TColor Pixel(int32_t x, int32_t y) const {
        if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return clNone;
        return FPixels[static_cast<size_t>(y) * FWidth + x];
    }
    void SetPixel(int32_t x, int32_t y, TColor c) {
        if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
        FPixels[static_cast<size_t>(y) * FWidth + x] = c & 0x00FFFFFF;
    }
    const std::vector<TColor>& Pixels() const { return FPixels; }

    /// tmAuto takes the bottom-left pixel as the transparent colour.
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode m) { FTransparentMode = m; }
    TColor TransparentColor() const;
    void SetTransparentColor(TColor c) {
        FTransparentColor = c & 0x00FFFFFF;
        FTransparentMode = TTransparentMode::tmFixed;
    }
    /// Monochrome mask: true where the pixel has the transparent colour.
    std::vector<bool> Mask() const;

    /// Stream image: a BMP file (24-bit, bottom-up).
    void SaveToStream(TStream& stream) const override;
    void LoadFromStream(TStream& stream) override;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TBitmap>(*this); }
    void Assign(const TPersistent& Source) override;
    std::string ClassName() const override { return "TBitmap"; }

private:
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    std::vector<TColor> FPixels;
    TColor FTransparentColor = clNone;
    TTransparentMode FTransparentMode = TTransparentMode::tmAuto;
};

/// An icon: an image with its own mask. Stream image: an ICO file holding one
/// 32-bit image.
class TIcon : public TGraphic {
public:
    int32_t Width() const override { return FImage.Width(); }
    int32_t Height() const override { return FImage.Height(); }
    const TBitmap& Image() const { return FImage; }
    TBitmap& Image() { return FImage; }
    /// true where the icon is see-through.
    const std::vector<bool>& Mask() const { return FMask; }
    void SetMask(std::vector<bool> mask) { FMask = std::move(mask); }
    void SaveToStream(TStream& stream) const override;
    void LoadFromStream(TStream& stream) override;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TIcon>(*this); }
    std::string ClassName() const override { return "TIcon"; }

private:
    TBitmap FImage;
    std::vector<bool> FMask;
};

/// A compressed image that the platform decodes. Stream image: the JPEG bytes.
class TJPEGImage : public TGraphic {
public:
    int32_t Width() const override;
    int32_t Height() const override;
    const std::vector<uint8_t>& Data() const { return FData; }
    void SetData(std::vector<uint8_t> bytes);
    /// The decoded picture; empty when no decoder is registered or decoding failed.
    const TBitmap& Bitmap() const;
    void SaveToStream(TStream& stream) const override;
    void LoadFromStream(TStream& stream) override;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TJPEGImage>(*this); }
    std::string ClassName() const override { return "TJPEGImage"; }

private:
    std::vector<uint8_t> FData;
    mutable std::shared_ptr<TBitmap> FDecoded;
};

/// Decoding of compressed images is the platform's: a backend registers a
/// decoder (the Qt backend decodes through its image readers).
using TImageDecoder = std::function<bool(const std::vector<uint8_t>& bytes, TBitmap& out)>;
void SetImageDecoder(TImageDecoder decoder);
const TImageDecoder& ImageDecoder();

} // namespace vl
