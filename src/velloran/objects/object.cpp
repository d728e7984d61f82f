#include "velloran/objects/object.h"

#include <algorithm>
#include <cstdlib>

#include "velloran/foundations/saturate.h"
#include "velloran/generators/custom_generator.h"
#include "velloran/objects/object_document.h"
#include "velloran/objects/object_tool.h"
#include "velloran/objects/object_view.h"
#include "velloran/platform/canvas.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/scale/shadows.h"

namespace vl {

using enum TIndividualFlag;

TvlObject::TvlObject(TObjectTool* ATool) : FTool(ATool) { FTool->Generator().IncInstance(); }

TvlObject::~TvlObject() { FTool->Generator().DecInstance(); }

// ---- Links ------------------------------------------------------------------

TCustomGenerator& TvlObject::Generator() const { return FTool->Generator(); }

TObjectView* TvlObject::DrawBox() const { return FTool->View(); }

TObjectDocument* TvlObject::GetDataModule() const {
    TObjectView* box = DrawBox();
    return box ? box->ObjectDocument() : nullptr;
}

int16_t TvlObject::ClassNr() const { return FTool->GetID(); }

void TvlObject::Count() {
    if (TObjectDocument* dm = GetDataModule()) ObjID = dm->IncCounter(Generator().Counter());
}

TvlObject* TvlObject::GetMaster() const {
    return HasMasterLink() ? Pos.ConObj : const_cast<TvlObject*>(this);
}

TCanvas& TvlObject::Canvas() { return *ActScaleSet->Canvas(); }

void TvlObject::SetOrigin() const { Canvas().SetWindowOrg({NegSat(GetMinX()), NegSat(GetMinY())}); }

// ---- Virtual defaults -------------------------------------------------------

void TvlObject::SetMaster(TvlObject*) {}
double TvlObject::GetX_World() const { return ActScaleSet->LogToWorld(GetX()); }
double TvlObject::GetY_World() const { return ActScaleSet->LogToWorld(GetY()); }
String TvlObject::GetText() const { return {}; }
void TvlObject::SetText(const String&) {}

const TFont& TvlObject::GetFont() const {
    if (Generator().Options().Contains(TGeneratorOption::goMasterFont) && IsSlave() && Pos.ConObj)
        return Pos.ConObj->GetFont();
    return Generator().Font();
}

void TvlObject::SetFont(const TFont&) {}

int32_t TvlObject::GetFontHeightBk() const {
    if (Generator().Options().Contains(TGeneratorOption::goMasterFont) && IsSlave() && Pos.ConObj)
        return Pos.ConObj->GetFontHeightBk();
    return Generator().FontBackup;
}

void TvlObject::SetPicture(const TPicture&) {}
const TPicture& TvlObject::GetPicture() const { return Generator().Picture(); }

// ---- Position ---------------------------------------------------------------
// A slave whose master is not (yet) resolved reads its offset from the origin,
// so no position code ever follows a null master.

int32_t TvlObject::MasterX() const { return Pos.ConObj ? Pos.ConObj->GetX() : 0; }
int32_t TvlObject::MasterY() const { return Pos.ConObj ? Pos.ConObj->GetY() : 0; }

bool TvlObject::UsesRefPoint() const { return static_cast<bool>(FTool->OnCalcRefPoint); }

TPoint TvlObject::RefPoint() const {
    TPoint p;
    FTool->OnCalcRefPoint(const_cast<TvlObject*>(this), p);
    return p;
}

int32_t TvlObject::GetX() const {
    if (!IsSlave()) return Pos.x;
    return UsesRefPoint() ? GetXRef() : AddSat(MasterX(), Pos.RelX);
}

int32_t TvlObject::GetY() const {
    if (!IsSlave()) return Pos.y;
    return UsesRefPoint() ? GetYRef() : AddSat(MasterY(), Pos.RelY);
}

int32_t TvlObject::GetXRef() const { return AddSat(RefPoint().X, Pos.RelX); }
int32_t TvlObject::GetYRef() const { return AddSat(RefPoint().Y, Pos.RelY); }
void TvlObject::SetXRef(int32_t Value) {
    Pos.RelX = static_cast<int16_t>(SubSat(Value, RefPoint().X));
    LimitsChanged();
}
void TvlObject::SetYRef(int32_t Value) {
    Pos.RelY = static_cast<int16_t>(SubSat(Value, RefPoint().Y));
    LimitsChanged();
}

void TvlObject::SetX(int32_t Value) {
    if (PositionFixed()) return;
    if (!IsSlave())
        Pos.x = Value;
    else if (UsesRefPoint())
        SetXRef(Value);
    else
        Pos.RelX = static_cast<int16_t>(SubSat(Value, MasterX()));
    LimitsChanged();
}

void TvlObject::SetY(int32_t Value) {
    if (PositionFixed()) return;
    if (!IsSlave())
        Pos.y = Value;
    else if (UsesRefPoint())
        SetYRef(Value);
    else
        Pos.RelY = static_cast<int16_t>(SubSat(Value, MasterY()));
    LimitsChanged();
}

void TvlObject::SetPos(TPoint P) {
    if (PositionFixed()) return;
    if (IsSlave()) {
        Pos.RelX = static_cast<int16_t>(SubSat(P.X, MasterX()));
        Pos.RelY = static_cast<int16_t>(SubSat(P.Y, MasterY()));
    } else {
        Pos.SetPosLog(P);
    }
    LimitsChanged();
}

void TvlObject::SetX_World(double Value) {
    if (PositionFixed()) return;
    const int32_t v = ActScaleSet->WorldToLog(Value);
    if (IsSlave())
        Pos.RelX = static_cast<int16_t>(SubSat(v, MasterX()));
    else
        Pos.x = v;
    LimitsChanged();
}

void TvlObject::SetY_World(double Value) {
    if (PositionFixed()) return;
    const int32_t v = ActScaleSet->WorldToLog(Value);
    if (IsSlave())
        Pos.RelY = static_cast<int16_t>(SubSat(v, MasterY()));
    else
        Pos.y = v;
    LimitsChanged();
}

void TvlObject::AssignPos(const TvlObject& Source) {
    if (HasMasterLink()) {
        // A moved slave changed its offsets; undoing the move needs them back.
        Pos.RelPos = Source.Pos.RelPos;
        Pos.RelX = Source.Pos.RelX;
        Pos.RelY = Source.Pos.RelY;
    } else {
        // The place and the offsets; a free object has no link to take.
        Pos.x = Source.Pos.x;
        Pos.y = Source.Pos.y;
        Pos.RelPos = Source.Pos.RelPos;
        Pos.RelX = Source.Pos.RelX;
        Pos.RelY = Source.Pos.RelY;
    }
    LimitsChanged();
}

TPoint TvlObject::GetHotSpot() const { return {Generator().HotspotX(), Generator().HotspotY()}; }

int32_t TvlObject::GetDRoundRect() const { return FTool->Tag() > 0 ? FTool->Tag() : RoundRectX3; }

// ---- Box and limits -----------------------------------------------------------

int32_t TvlObject::GetMaxX() const { return AddSat(GetMinX(), GetWidth()); }
int32_t TvlObject::GetMinX() const { return GetX(); }
int32_t TvlObject::GetMaxY() const { return AddSat(GetMinY(), GetHeight()); }
int32_t TvlObject::GetMinY() const { return GetY(); }
TLimRec TvlObject::GetLimits() const { return {GetMinX(), GetMinY(), GetMaxX(), GetMaxY()}; }
int32_t TvlObject::GetHeight() const { return 0; }
int32_t TvlObject::GetWidth() const { return 0; }
void TvlObject::SetWidth(int32_t) {}

int32_t TvlObject::GetLeft() const { return ActScaleSet->GetRightOrigin() ? GetWidth() : 0; }
int32_t TvlObject::Getright() const { return ActScaleSet->GetRightOrigin() ? 0 : GetWidth(); }
int32_t TvlObject::Gettop() const { return ActScaleSet->GetBottomOrigin() ? GetHeight() : 0; }
int32_t TvlObject::Getbottom() const { return ActScaleSet->GetBottomOrigin() ? 0 : GetHeight(); }

TRect TvlObject::GetRect_Lcl() const { return {GetLeft(), Gettop(), Getright(), Getbottom()}; }

TRect TvlObject::GetRect() const {
    const TRect r = GetRect_Lcl();
    const int32_t dx = GetMinX(), dy = GetMinY();
    return {AddSat(r.Left, dx), AddSat(r.Top, dy), AddSat(r.Right, dx), AddSat(r.Bottom, dy)};
}

TPoint TvlObject::GetExtent() const {
    const TLimRec l = GetLimits();
    return {Saturate(std::abs(int64_t{l.Xmax} - l.Xmin)), Saturate(std::abs(int64_t{l.Ymax} - l.Ymin))};
}

TLimRec TvlObject::GetMaxLimits() const {
    const TCustomGenerator& g = Generator();
    int32_t mx = 0, my = 0;
    if (g.Options().Contains(TGeneratorOption::goShadows))
        if (const TObjectView* box = DrawBox()) {
            // A shadow may fall to either side; a negative offset must not
            // shrink the area the object paints.
            mx = std::abs(box->Shadows().dX());
            my = std::abs(box->Shadows().dY());
        }
    if (GetSizing()) {
        const int32_t t = ActScaleSet->GetTempFrame();
        mx = std::max(mx, t);
        my = std::max(my, t);
    }
    const int64_t pen = 3 * int64_t{g.Pen().Width};
    mx = Saturate(mx + pen);
    my = Saturate(my + pen);
    TLimRec l = GetLimits();
    return {SubSat(l.Xmin, mx), SubSat(l.Ymin, my), AddSat(l.Xmax, mx), AddSat(l.Ymax, my)};
}

void TvlObject::StoreLimits() {
    // Sizing handles are measured in the mapping in force; there is none
    // before the first view maps the object.
    if (GetSizing() && !ActScaleSet) return;
    const TLimRec old = FMaxLim.Get();
    FMaxLim.Set(GetMaxLimits());
    if (TObjectDocument* dm = GetDataModule()) dm->LimitsChanged(*this, old);
}

// ---- Hit tests ----------------------------------------------------------------

bool TvlObject::Found(const TLimRec& CurLims) {
    if (ActScaleSet->State.Contains(TScaleFlag::scChanged)) AdjustToScale();
    return GetVisible() && CheckFrame(CurLims) && CheckShape(CurLims);
}

bool TvlObject::CheckShape(const TLimRec&) { return true; }

bool TvlObject::CheckFrame(const void* Koord, TCheckFrame Code) const {
    const TLimRec L = GetMaxLimits();
    switch (Code) {
    case TCheckFrame::cfPoint: {
        const auto& P = *static_cast<const TPoint*>(Koord);
        return L.Xmin <= P.X && P.X <= L.Xmax && L.Ymin <= P.Y && P.Y <= L.Ymax;
    }
    case TCheckFrame::cfLimRec: {
        const auto& K = *static_cast<const TLimRec*>(Koord);
        if (L.Xmax < K.Xmin || L.Xmin > K.Xmax) return false;
        return !(L.Ymax < K.Ymin || L.Ymin > K.Ymax);
    }
    case TCheckFrame::cfRect: {
        // The rectangle comes in screen orientation: with a right (bottom)
        // origin Left (Top) holds the larger value. Either way this tests
        // overlap, as for a left/top origin.
        const auto& R = *static_cast<const TRect*>(Koord);
        const int32_t x1 = std::min(R.Left, R.Right), x2 = std::max(R.Left, R.Right);
        const int32_t y1 = std::min(R.Top, R.Bottom), y2 = std::max(R.Top, R.Bottom);
        if (L.Xmax < x1 || L.Xmin > x2) return false;
        return !(L.Ymax < y1 || L.Ymin > y2);
    }
    }
    return false;
}

// ---- Regions ------------------------------------------------------------------

std::optional<TRegion> TvlObject::CreateShapeRgn(TRgnMode Mode) const {
    if (FTool->OnObjectShapeRgn) {
        std::optional<TRegion> rgn;
        FTool->OnObjectShapeRgn(const_cast<TvlObject*>(this), Mode, rgn);
        return rgn;
    }
    const TShapetype shape = Generator().Shape();
    if (shape == TShapetype::stLine) return std::nullopt;
    TRect r = GetRect_Lcl();
    // A divisor below 1 would fault; the application is meant to keep it >= 1.
    const int32_t d = std::max(1, GetDRoundRect());
    int32_t cw = 0, ch = 0;
    if (Mode == TRgnMode::rmDev) {
        TPoint a = Canvas().LPtoDP(r.TopLeft()), b = Canvas().LPtoDP(r.BottomRight());
        r = {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
        const int32_t w = r.Width(), h = r.Height();
        cw = ch = (w >= h ? h : w) / d;
    } else if (shape == TShapetype::stRoundRect) {
        cw = ch = GetHeight() / d;
    } else {
        cw = ch = GetWidth() / d;
    }
    switch (shape) {
    case TShapetype::stEllipse:
    case TShapetype::stCircle:
        return TRegion::CreateEllipse(r);
    case TShapetype::stRoundRect:
    case TShapetype::stRoundSquare:
        return TRegion::CreateRoundRect(r, cw, ch);
    default:
        return TRegion::CreateRect(r);
    }
}

// ---- State --------------------------------------------------------------------

bool TvlObject::GetVisible() const {
    return State.Contains(isVisible) && !Generator().RTOptions().Contains(TRuntimeOption::roHidden);
}

void TvlObject::SetVisible(bool Value) {
    if (Value)
        State.Include(isVisible);
    else
        State.Exclude(isVisible);
}

void TvlObject::RemoveSelectFlag() {
    State.Exclude(isSelected);
    if (State.Contains(isMarked)) {
        Invalidate();
        State.Exclude(isMarked).Exclude(isSizing);
        LimitsChanged();
    }
}

void TvlObject::SetSizing(bool Value) {
    if (Generator().Options().Contains(TGeneratorOption::goNoSizing) || Value == GetSizing()) return;
    if (Value) {
        State.Include(isSizing);
    } else {
        Invalidate();
        State.Exclude(isSizing);
        SizingHandle = TSizingHandle::szNone;
    }
    LimitsChanged();
}

} // namespace vl
