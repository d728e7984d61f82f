#include "velloran/generators/text_align.h"

#include "velloran/foundations/transfer.h"

namespace vl {

void TTextAlign::Assign(const TPersistent& Source) {
    const auto* src = dynamic_cast<const TTextAlign*>(&Source);
    if (!src) AssignError(Source);
    FHorz = src->FHorz;
    FVert = src->FVert;
}

void TTextAlign::Persist(TStream& stream, TPstMode mode) {
    if (mode != TPstMode::pstSave && mode != TPstMode::pstLoad) return;
    TTransfer t(stream, mode);
    THorzAlign h = FHorz;
    TVertAlign v = FVert;
    // An unknown ordinal from a damaged file must not reach the drawing
    // code's switches: it reads as the default alignment.
    t.Enum8(h, THorzAlign::haRight, THorzAlign::haLeft);
    t.Enum8(v, TVertAlign::vaBottom, TVertAlign::vaTop);
    FHorz = h;
    FVert = v;
}

} // namespace vl
