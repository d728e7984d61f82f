#include "velloran/tools/creator.h"

#include <algorithm>

#include "velloran/document/data_mod.h"
#include "velloran/foundations/saturate.h"
#include "velloran/generators/generator.h"
#include "velloran/objects/object.h"
#include "velloran/objects/object_holder.h"
#include "velloran/objects/point_obj.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/services.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/view/draw_box.h"

namespace vl {

TvlCreator::TvlCreator(TComponent* AOwner) : TvlCreator(AOwner, std::make_unique<TGenerator>()) {}

TvlCreator::TvlCreator(TComponent* AOwner, std::unique_ptr<TCustomGenerator> AGenerator)
    : TSaveTool(AOwner), FGenerator(std::move(AGenerator)) {
    FCursor = crCross;
}

TvlCreator::~TvlCreator() {
    // Objects read their creator until they are freed, so wherever they are
    // kept they go now, while this creator is still whole; the box objects
    // follow with the members.
    if (FGenerator && FGenerator->Instance() > 0) TObjectHolder::ToolGoing(*this);
}

void TvlCreator::Loaded() {
    TSaveTool::Loaded();
    if (Designing()) return;
    FGenerator->FontBackup = FGenerator->Font().Height;
    Services().RegisterCursor(crRotate, LibraryCursorImage(crRotate));
}

void TvlCreator::Activate(TObject* Sender) {
    // Each activation is one undo step covering every object made until the next backup.
    if (TvlDataMod* dm = GetDataModule(); dm && dm->UndoFunction().Contains(TUndoOptions::unCreate))
        dm->Backup(TBackupMode::bkCreate);
    TSaveTool::Activate(Sender);
}

void TvlCreator::EnsureScaleSet() {
    if (!ActScaleSet && DrawForm()) ActScaleSet = &DrawForm()->ScaleSetting();
}

// ---- Identity and classes -------------------------------------------------------

int16_t TvlCreator::GetID() {
    if (ChangeID) {
        // The handler must assign; -1 is what an unassigned answer means.
        TNewID NewID = -1;
        ChangeID(this, NewID);
        return NewID;
    }
    return static_cast<int16_t>(ComponentIndex());
}

TCapClass TvlCreator::DefaultClass() { return CapClassOf<TPointObj>; }

TCapClass TvlCreator::GetObjectClass() {
    TCapClass c = DefaultClass();
    if (OnObjectSetClass) OnObjectSetClass(c);
    return c;
}

std::unique_ptr<TvlObject> TvlCreator::CreateObject() {
    const TCapClass c = GetObjectClass();
    return c ? c(this) : nullptr;
}

// ---- Making objects -------------------------------------------------------------

void TvlCreator::LMouseDown(TShiftState, TPoint CurPos) {
    if (DrawForm() && DrawForm()->Grid().Capture()) DrawForm()->Grid().MatchCoords(CurPos);
    SetNewObj(CurPos);
    if (TvlDataMod* dm = GetDataModule()) dm->InvalidateRestoreRect();
}

TvlObject* TvlCreator::SetNewObj(TPoint) { return nullptr; }

TvlObject* TvlCreator::Store(std::unique_ptr<TvlObject> AObject, bool AsBoxObject) {
    TvlObject* o = AObject.get();
    if (AsBoxObject) {
        FBoxObjects.push_back(std::move(AObject));
        return o;
    }
    TvlDataMod* dm = GetDataModule();
    if (!dm) return nullptr;
    dm->Add(std::move(AObject), FGenerator->Layer());
    return o;
}

std::unique_ptr<TvlObject> TvlCreator::TakeBoxObject(TvlObject* AObject) {
    auto it = std::find_if(FBoxObjects.begin(), FBoxObjects.end(),
                           [AObject](const auto& p) { return p.get() == AObject; });
    if (it == FBoxObjects.end()) return nullptr;
    std::unique_ptr<TvlObject> o = std::move(*it);
    FBoxObjects.erase(it);
    return o;
}

TvlObject* TvlCreator::MakeSlave(TvlObject* AMaster, const std::optional<TPoint>& RelPos) {
    if (!AMaster || !GetDataModule()) return nullptr;
    std::unique_ptr<TvlObject> o = CreateObject();
    if (!o) return nullptr;
    EnsureScaleSet();
    o->SetMaster(AMaster);
    if (RelPos) {
        o->SetX(AddSat(AMaster->GetMinX(), RelPos->X));
        o->SetY(AddSat(AMaster->GetMinY(), RelPos->Y));
    }
    o->Count();
    o->SetVisible(true);
    ObjectSetData(o.get());
    TvlObject* slave = Store(std::move(o), false);
    if (slave && slave->GetVisible()) slave->Invalidate();
    return slave;
}

TvlObject* TvlCreator::CreateSlave(TvlObject* AMaster) { return MakeSlave(AMaster, std::nullopt); }

TvlObject* TvlCreator::CreateSlaveAt(TvlObject* AMaster, int32_t RelX, int32_t RelY) {
    return MakeSlave(AMaster, TPoint{RelX, RelY});
}

void TvlCreator::ObjectSetData(TvlObject* CurObject) {
    if (OnObjectSetData)
        OnObjectSetData(CurObject);
    else
        SetDefaultData(CurObject);
}

void TvlCreator::SetDefaultData(TvlObject*) {}

// ---- Object events --------------------------------------------------------------

void TvlCreator::ObjectShape(TvlObject* CurObject) {
    if (OnObjectShape) OnObjectShape(CurObject);
}

bool TvlCreator::ObjectCheckShape(TvlObject* CurObject, const TLimRec& PosRect) {
    bool found = true;
    if (OnObjectCheckShape) OnObjectCheckShape(CurObject, PosRect, found);
    return found;
}

void TvlCreator::ObjectColors(TvlObject* CurObject) {
    TCanvas& c = *ActScaleSet->Canvas();
    c.SetPen(FGenerator->Pen());
    c.SetBrush(FGenerator->Brush());
    ObjectFont(CurObject);
    if (OnObjectSetColors) OnObjectSetColors(CurObject);
}

void TvlCreator::ObjectFont(TvlObject* CurObject) { ActScaleSet->Canvas()->SetFont(CurObject->GetFont()); }

// ---- Resources ------------------------------------------------------------------

void TvlCreator::CheckScaling() { FGenerator->SetCurrFontHeight(0); }

void TvlCreator::ReleaseResources() {
    if (!FGenerator->FontHandle()) return;
    // The canvas must not keep using a font that is about to go.
    if (ActScaleSet && ActScaleSet->Canvas()) {
        TFont system;
        system.Name = u"System";
        system.Pitch = TFontPitch::fpVariable;
        ActScaleSet->Canvas()->SetFont(system);
    }
    FGenerator->ReleaseFontHandle();
}

} // namespace vl
