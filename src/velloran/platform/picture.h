#pragma once
// A picture holds one graphic of any kind (bitmap, icon, JPEG image,
// metafile) or nothing, and owns it.

#include <functional>
#include <memory>

#include "velloran/platform/graphics.h"

namespace vl {

/// Holds and owns one graphic of any kind, or nothing.
class TPicture : public TPersistent {
public:
    TPicture() = default;
    TPicture(const TPicture& other) { if (other.FGraphic) FGraphic = other.FGraphic->Clone(); }
    TPicture& operator=(const TPicture& other);

    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> g);
    /// Takes a copy of g (nullptr empties the picture).
    void SetGraphic(const TGraphic* g) { SetGraphic(g ? g->Clone() : nullptr); }
    bool Empty() const { return !FGraphic || FGraphic->Empty(); }
    int32_t Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int32_t Height() const { return FGraphic ? FGraphic->Height() : 0; }

    /// Accepts another picture or a graphic.
    void Assign(const TPersistent& Source) override;
    std::string ClassName() const override { return "TPicture"; }

    /// The graphic was replaced or changed.
    std::function<void(TPicture&)> OnChange;

private:
    void Changed() { if (OnChange) OnChange(*this); }
    std::unique_ptr<TGraphic> FGraphic;
};

} // namespace vl
