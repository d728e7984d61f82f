#pragma once
// TTxtLabObj: a framed text whose frame grows and shrinks around its text.
// The label owns a word-breaking text hung on it as a slave of the same
// creator, and forwards text operations to it.

#include <cstdint>
#include <memory>

#include "velloran/objects/point_obj.h"
#include "velloran/text/text_wbrk_obj.h"

namespace vl {

/// A framed text whose frame grows and shrinks around its text.
class TTxtLabObj : public TPointObj {
public:
    /// Raises for a generator whose shape is stLine.
    explicit TTxtLabObj(TObjectTool* ATool);
    ~TTxtLabObj() override;

    String GetText() const override;
    void SetText(const String& Text) override;
    int32_t GetHeight() const override;
    int32_t GetWidth() const override;
    bool SizingHandles(TPoint P, TSizeMode Mode) override;
    void Persist(TStream* Stream, TPstMode Mode) override;
    void MovePos(TPoint DeltaPos) override;
    void EndMove() override;
    void AdjustToScale() override;
    void AdjustToFontHeight() override;
    void Draw() override;

    TTextWbrkObj& TextObj() const { return *FTextObj; }
    TCustomTxtLabGenerator* LabGenerator() const;
    /// Sizes the frame around the text and centres the text in it.
    void SetTextPosition();

protected:
    bool SizingVert(TPoint P, TSizeMode Mode, int32_t X, TSizingHandle Handle);
    bool SizingVertM(TPoint P, TSizeMode Mode, int32_t X, TSizingHandle Handle);

    std::unique_ptr<TTextWbrkObj> FTextObj;
};

} // namespace vl
