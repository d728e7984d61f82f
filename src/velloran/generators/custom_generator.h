#pragma once
// TCustomGenerator: the style template of one creator. Objects keep no style
// of their own and read it here on every draw, so reading computes nothing.

#include <cstdint>
#include <memory>

#include "velloran/generators/font_handle.h"
#include "velloran/generators/generator_options.h"
#include "velloran/platform/drawing_tools.h"
#include "velloran/platform/persistent.h"
#include "velloran/platform/picture.h"

namespace vl {

/// The style template of one creator: pen, brush, font, shape, size and options.
class TCustomGenerator : public TPersistent {
public:
    TCustomGenerator() = default;
    TCustomGenerator(const TCustomGenerator&) = delete;
    TCustomGenerator& operator=(const TCustomGenerator&) = delete;
    std::string ClassName() const override { return "TCustomGenerator"; }

    /// Live objects made from this generator; objects count themselves.
    uint16_t Instance() const { return FInstance; }
    void IncInstance() { ++FInstance; }
    void DecInstance() { --FInstance; }

    uint16_t Counter() const { return FCounter; }
    void SetCounter(uint16_t v) { FCounter = v; }
    int32_t ZOrder() const { return FzOrder; }
    void SetZOrder(int32_t v) {
        FzOrder = v;
        Reshaped();
    }
    int32_t Layer() const { return FLayer; }
    void SetLayer(int32_t v) { FLayer = v; }

    const TPen& Pen() const { return FPen; }
    void SetPen(const TPen& pen) {
        FPen = pen;
        Reshaped();
    }
    const TBrush& Brush() const { return FBrush; }
    void SetBrush(const TBrush& brush) { FBrush = brush; }
    const TFont& Font() const { return FFont; }
    /// Renames fixed-size faces in the argument itself, beeps, then copies it.
    void SetFont(TFont& font);

    TShapetype Shape() const { return FShape; }
    void SetShape(TShapetype v) {
        FShape = v;
        Reshaped();
    }
    TGeneratorOptions Options() const { return FOptions; }
    /// Virtual so that text generators keep rotation and word breaking
    /// exclusive even when set through a base reference.
    virtual void SetOptions(TGeneratorOptions v) {
        FOptions = v;
        Reshaped();
    }
    TRuntimeOptions RTOptions() const { return FRTOptions; }
    void SetRTOptions(TRuntimeOptions v) {
        FRTOptions = v;
        Reshaped();
    }

    const TPicture& Picture() const { return FPicture; }
    TPicture& Picture() { return FPicture; }
    /// Takes the picture's graphic; adopts its size unless goStretchPicture.
    void SetPicture(const TPicture& picture);

    int32_t HotspotX() const { return FHotspotX; }
    void SetHotspotX(int32_t v) {
        FHotspotX = v;
        Reshaped();
    }
    int32_t HotspotY() const { return FHotspotY; }
    void SetHotspotY(int32_t v) {
        FHotspotY = v;
        Reshaped();
    }
    int32_t SlaveX() const { return FSlaveX; }
    void SetSlaveX(int32_t v) { FSlaveX = v; }
    int32_t SlaveY() const { return FSlaveY; }
    void SetSlaveY(int32_t v) { FSlaveY = v; }
    int32_t Width() const { return FWidth; }
    void SetWidth(int32_t v) {
        FWidth = v;
        Reshaped();
    }
    int32_t Height() const { return FHeight; }
    void SetHeight(int32_t v) {
        FHeight = v;
        Reshaped();
    }

    /// Cached answer for the own font; SetFont clears the cache.
    bool FontIsScalable();
    /// Measures on ActScaleSet's canvas whether doubling the height widens text.
    static bool FontIsScalable(const TFont& font);

    /// The cached font of the text objects: the one made for the smallest
    /// absolute height is kept, the other one is dropped.
    void SetFontHandle(std::unique_ptr<TFontHandle> NewFont, int32_t NewFontHeight);
    const TFontHandle* FontHandle() const { return FFontHandle.get(); }
    int32_t CurrFontHeight() const { return FCurrFontHeight; }
    void SetCurrFontHeight(int32_t v) { FCurrFontHeight = v; }
    /// Drops the cached font (after painting, or when the scale changed).
    void ReleaseFontHandle() { FFontHandle.reset(); }

    /// A saved font height that objects read back through GetFontHeightBk.
    int32_t FontBackup = 0;

    /// Counts the changes that may move, resize or restack every object of
    /// some generator, so what is kept sorted or indexed by them is rebuilt.
    static uint32_t GeometryEpoch() { return FGeometryEpoch; }
    static void Reshaped() { ++FGeometryEpoch; }

protected:
    inline static uint32_t FGeometryEpoch = 0;
    uint16_t FInstance = 0;
    uint16_t FCounter = 0;
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    TShapetype FShape = TShapetype::stRectangle;
    TGeneratorOptions FOptions;
    TRuntimeOptions FRTOptions;
    TPicture FPicture;
    int32_t FzOrder = 0;
    int32_t FLayer = 0;
    int32_t FHotspotX = 0;
    int32_t FHotspotY = 0;
    int32_t FSlaveX = 0;
    int32_t FSlaveY = 0;
    int32_t FCurrFontHeight = 0;
    std::unique_ptr<TFontHandle> FFontHandle;
    /// 0 not yet measured, 1 scalable, -1 not scalable.
    int32_t FFontIsScalable = 0;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};

} // namespace vl
