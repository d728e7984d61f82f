#pragma once
// Horizontal and vertical alignment of a text in its box.

#include "velloran/foundations/pst_mode.h"
#include "velloran/generators/generator_options.h"
#include "velloran/platform/persistent.h"

namespace vl {

class TStream;

/// Horizontal and vertical alignment of a text in its box.
class TTextAlign : public TPersistent {
public:
    THorzAlign Horz() const { return FHorz; }
    void SetHorz(THorzAlign v) { FHorz = v; }
    TVertAlign Vert() const { return FVert; }
    void SetVert(TVertAlign v) { FVert = v; }

    void Assign(const TPersistent& Source) override;
    std::string ClassName() const override { return "TTextAlign"; }
    /// Two bytes, Horz then Vert, for save and load; other modes move nothing.
    virtual void Persist(TStream& stream, TPstMode mode);

private:
    THorzAlign FHorz = THorzAlign::haLeft;
    TVertAlign FVert = TVertAlign::vaTop;
};

} // namespace vl
