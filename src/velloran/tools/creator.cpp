#include "velloran/tools/creator.h"

#include "velloran/generators/generator.h"
#include "velloran/objects/object.h"
#include "velloran/platform/canvas.h"
#include "velloran/view/scale_setting.h"

namespace vl {

TvlCreator::TvlCreator(TComponent* AOwner) : TSaveTool(AOwner), FGenerator(CreateGenerator()) { FCursor = crCross; }

TvlCreator::TvlCreator(TComponent* AOwner, std::unique_ptr<TCustomGenerator> AGenerator)
    : TSaveTool(AOwner), FGenerator(std::move(AGenerator)) {
    FCursor = crCross;
}

std::unique_ptr<TCustomGenerator> TvlCreator::CreateGenerator() { return std::make_unique<TGenerator>(); }

int16_t TvlCreator::GetID() {
    if (ChangeID) {
        TNewID NewID = -1;
        ChangeID(this, NewID);
        return NewID;
    }
    return static_cast<int16_t>(ComponentIndex());
}

TCapClass TvlCreator::GetObjectClass() {
    TCapClass c = DefaultClass();
    if (OnObjectSetClass) OnObjectSetClass(c);
    return c;
}

std::unique_ptr<TvlObject> TvlCreator::CreateObject() {
    const TCapClass c = GetObjectClass();
    return c ? c(this) : nullptr;
}

void TvlCreator::ObjectColors(TvlObject* CurObject) {
    TCanvas& c = *ActScaleSet->Canvas();
    c.SetPen(FGenerator->Pen());
    c.SetBrush(FGenerator->Brush());
    ObjectFont(CurObject);
    if (OnObjectSetColors) OnObjectSetColors(CurObject);
}

void TvlCreator::ObjectFont(TvlObject* CurObject) { ActScaleSet->Canvas()->SetFont(CurObject->GetFont()); }

} // namespace vl
