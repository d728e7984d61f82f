#include "velloran/generators/text_align.h"

#include "velloran/foundations/stream.h"

namespace vl {

void TTextAlign::Assign(const TPersistent& Source) {
    const auto* src = dynamic_cast<const TTextAlign*>(&Source);
    if (!src) AssignError(Source);
    FHorz = src->FHorz;
    FVert = src->FVert;
}

void TTextAlign::Persist(TStream& stream, TPstMode mode) {
    if (mode == TPstMode::pstSave) {
        stream.WriteUInt8(static_cast<uint8_t>(FHorz));
        stream.WriteUInt8(static_cast<uint8_t>(FVert));
    } else if (mode == TPstMode::pstLoad) {
        const uint8_t h = stream.ReadUInt8();
        const uint8_t v = stream.ReadUInt8();
        // An unknown ordinal from a damaged file must not reach the drawing
        // code's switches: it reads as the default alignment.
        FHorz = h <= static_cast<uint8_t>(THorzAlign::haRight) ? static_cast<THorzAlign>(h) : THorzAlign::haLeft;
        FVert = v <= static_cast<uint8_t>(TVertAlign::vaBottom) ? static_cast<TVertAlign>(v) : TVertAlign::vaTop;
    }
}

} // namespace vl
