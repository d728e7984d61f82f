#pragma once
// TTextObj: a point object that shows one text in its generator's font. Its
// box is the measured text. In WYSIWYG mode the logical width is kept at
// every scale by choosing the font height instead of measuring again, so
// the text looks the same at every zoom and on paper.

#include <cstdint>
#include <memory>

#include "velloran/generators/font_handle.h"
#include "velloran/objects/point_obj.h"
#include "velloran/platform/mapping.h"
#include "velloran/text/text_generators.h"

namespace vl {

/// Largest extent a stored text may claim; larger ones are damaged records
/// and are cut to it, so that sums of extents and positions stay in range.
inline constexpr int32_t MaxTextExtent = 1 << 24;

/// A point object that shows one text in its generator's font.
class TTextObj : public TPointObj {
public:
    /// Raises unless the creator's generator is a TCustomTxtGenerator2.
    explicit TTextObj(TObjectTool* ATool);

    // ---- Overridden slots -------------------------------------------------
    String GetText() const override;
    void SetText(const String& Text) override;
    int32_t GetX() const override;
    int32_t GetY() const override;
    int32_t GetMinX() const override;
    int32_t GetMinY() const override;
    int32_t GetHeight() const override;
    int32_t GetWidth() const override;
    void Persist(TStream* Stream, TPstMode Mode) override;
    void AdjustToScale() override;
    void AdjustToFontHeight() override;
    void Draw() override;
    void DrawShadow() override;
    void HideShadow() override;

    // ---- New slots ----------------------------------------------------------
    virtual void ShapeText(TColor Color);
    /// Measures the text into the extent.
    virtual void AdjustDrawRect();
    /// The text that sets the width: the whole text here, the widest line
    /// in a word-breaking text.
    virtual String RefText() const;
    virtual bool GetFontCanDisplay() const;

    /// At least one visible character (above the space).
    static bool ValidText(const String& S);
    bool HasText() const { return FText != nullptr; }
    bool GetWYSIWYG() const { return TxtGenerator().WYSIWYG(); }
    TCustomTxtGenerator2& TxtGenerator() const;
    int32_t GetCurrFontHeight();
    bool HasScalableFont() const;
    /// The font to draw with (the scaled one in WYSIWYG mode).
    TFont GetFontHandle();
    /// A new font for the object at Height (the object font's height when 0);
    /// with Adjust the height is searched so that RefText is as wide as the
    /// extent. Height receives the height used.
    std::unique_ptr<TFontHandle> FindNewFont(int32_t& Height, bool Adjust);
    /// Offset of the reference text in the box by the generator's alignment,
    /// measured with the canvas's current font.
    TPoint AlignOffs();
    const TSize& TextExtent() const { return FTextExtent; }
    /// The block width while an edge is dragged; the text is broken later.
    void SetExtentWidth(int32_t cx) { FTextExtent.cx = cx; }
    int32_t Internal() const { return FInternal; }

protected:
    /// Stores S as it is (no validity test, no measuring).
    void StoreText(const String& S);
    /// The creator's font for this object on the canvas in force (the scaled
    /// one in WYSIWYG mode when the creator is a text creator).
    void SelectFont();
    /// Where drawing starts: the box corner, moved by the alignment in
    /// WYSIWYG mode (measured with the canvas's current font).
    TPoint TextOrigin();
    /// A master made by the same creator places the box at the position.
    bool FollowsOwnMaster() const;
    /// The canvas of the mapping in force; nullptr without one.
    static TCanvas* MeasureCanvas();
    TSize Measure(const String& S);
    void AdjustFontHeight();
    void DrawRotatedTxt(TColor Color);
    /// Text colour and a font for the canvas.
    TFont DrawingFont(const TFontHandle& Handle, TColor Color) const;
    static void RestoreShadowPen();

    int32_t FInternal = 0;
    std::unique_ptr<char16_t[]> FText;
    TSize FTextExtent{10, 10};
};

/// While alive, the mapping in force measures at the reference scale (only
/// when On); the canvas's mapping is put back afterwards.
class TRefScaleMeasure {
public:
    explicit TRefScaleMeasure(bool On);
    ~TRefScaleMeasure();
    TRefScaleMeasure(const TRefScaleMeasure&) = delete;
    TRefScaleMeasure& operator=(const TRefScaleMeasure&) = delete;

private:
    bool FOn = false;
    bool FHadFlag = false;
    TMapping FSaved;
};

} // namespace vl
