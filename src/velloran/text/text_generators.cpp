#include "velloran/text/text_generators.h"

namespace vl {

TCustomTxtGenerator2::TCustomTxtGenerator2() : FTextAlign(std::make_unique<TTextAlign>()) {
    FShape = TShapetype::stRectangle;
    FBrush.Style = TBrushStyle::bsClear;
}

void TCustomTxtGenerator2::SetFontFace(const String& Name, int32_t Height) {
    FFont.Name = Name;
    FFont.Height = Height;
    FFontIsScalable = 0;
}

TTxtLabGenerator::TTxtLabGenerator() {
    FShape = TShapetype::stEllipse;
    FFrameDX = FFrameDY = 1;
}

} // namespace vl
