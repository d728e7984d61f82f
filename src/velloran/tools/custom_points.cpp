#include "velloran/tools/custom_points.h"

#include "velloran/document/data_mod.h"
#include "velloran/generators/generator.h"
#include "velloran/objects/line_obj.h"
#include "velloran/objects/object.h"
#include "velloran/scale/scale_setting.h"

namespace vl {

TCustomPoints::TCustomPoints(TComponent* AOwner) : TCustomPoints(AOwner, std::make_unique<TPtGenerator>()) {}

TCustomPoints::TCustomPoints(TComponent* AOwner, std::unique_ptr<TCustomGenerator> AGenerator)
    : TvlCreator(AOwner, std::move(AGenerator)) {}

void TCustomPoints::SetSlaveObject(TvlCreator* Value) {
    // The old creator stays subscribed: it may hold this one as its own
    // slave creator through the same link.
    FSlaveObject = Value;
    if (FSlaveObject) FreeNotification(FSlaveObject);
}

void TCustomPoints::Notification(TComponent* AComponent, TOperation Operation) {
    TvlCreator::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FSlaveObject) FSlaveObject = nullptr;
}

TvlObject* TCustomPoints::SetNewObj(TPoint CurPos) {
    // A tool that looks for objects only hangs new ones on the one found.
    TvlObject* master = OnObjectFound ? GetMouseFnd() : nullptr;
    if (OnObjectFound && !master) return nullptr;
    std::unique_ptr<TvlObject> o = CreateObject();
    if (!o) return nullptr;
    if (master) o->SetMaster(master);
    o->SetPos(CurPos);
    // A line object chosen through OnObjectSetClass spans the generator's size.
    if (auto* line = dynamic_cast<TLineObj*>(o.get()))
        line->SetPos2({o->GetX() + Generator().Width(), o->GetY() + Generator().Height()});
    return RegisterNewObj(std::move(o));
}

TvlObject* TCustomPoints::RegisterNewObj(std::unique_ptr<TvlObject> AObject) {
    if (!AObject) return nullptr;
    const bool box = CreateBoxObjects;
    if (!box && !GetDataModule()) return nullptr;
    EnsureScaleSet();
    if (!box) AObject->Count();
    ObjectSetData(AObject.get());
    TvlObject* o = Store(std::move(AObject), box);
    if (!o) return nullptr;
    // A box object of a creator without a draw box has no mapping to repaint through.
    if (ActScaleSet) o->Invalidate();
    o->SetVisible(true);
    if (FSlaveObject) FSlaveObject->CreateSlave(o);
    return o;
}

bool TCustomPoints::MouseFind(TvlObject* FndObject, const TLimRec& Area) {
    return FndObject->Found(Area) && ObjectFound(FndObject);
}

void TCustomPoints::MouseMove(TShiftState, TPoint CurPos) {
    if (OnObjectFound) TrackMouseFnd(CurPos);
}

void TCustomPoints::TrackMouseFnd(TPoint CurPos) {
    TvlDataMod* dm = GetDataModule();
    if (!dm) return;
    EnsureScaleSet();
    TLimRec Params{CurPos.X, CurPos.Y, CurPos.X + 1, CurPos.Y + 1};
    TvlObject* old = GetMouseFnd();
    if (old && old->Found(Params)) return;
    TvlObject* found = dm->FirstObjectWith([&](TvlObject* o) { return MouseFind(o, Params); });
    SetMouseFnd(found);
    if (old && found != old) ObjectRelease(old);
}

} // namespace vl
