#pragma once
// TTxtLab2Obj: a framed text in a box spanned by two corners. The text is
// placed in the box by the generator's alignment; the box grows when the
// text does not fit, and a resize may break the text again to fit.

#include <cstdint>
#include <memory>

#include "velloran/objects/line_obj.h"
#include "velloran/text/text_wbrk_obj.h"

namespace vl {

/// A framed text in a box spanned by two corners.
class TTxtLab2Obj : public TLineObj {
public:
    /// Raises for a generator whose shape is stLine.
    explicit TTxtLab2Obj(TObjectTool* ATool);
    ~TTxtLab2Obj() override;

    String GetText() const override;
    void SetText(const String& Text) override;
    void Persist(TStream* Stream, TPstMode Mode) override;
    void EndMove() override;
    void AdjustToScale() override;
    void AdjustToFontHeight() override;
    void Draw() override;

    TTextWbrkObj& TextObj() const { return *FTextObj; }
    TCustomTxtLabGenerator* LabGenerator() const;
    /// Places the text in the box by alignment, enlarging the box first when
    /// the padded text does not fit.
    void SetTextPosition();

protected:
    /// The corner at the on-screen left (top) stays; the other is moved.
    void SetBoxWidth(int32_t W);
    void SetBoxHeight(int32_t H);

    std::unique_ptr<TTextWbrkObj> FTextObj;
};

} // namespace vl
