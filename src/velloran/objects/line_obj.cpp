// TLineObj: ends, box, drawing, hit test, selection and persistence.

#include "velloran/foundations/geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "velloran/foundations/stream.h"
#include "velloran/foundations/transfer.h"
#include "velloran/generators/custom_generator.h"
#include "velloran/objects/line_obj.h"
#include "velloran/platform/canvas.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/storage/file_header.h"

namespace vl {

using enum TIndividualFlag;

namespace {

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The box edge on one axis: nearly parallel lines get a band of Lin_prec
// on both sides of the first end so that they stay findable.
int32_t BoxMin(int32_t a, int32_t b) {
    const int64_t d = int64_t{b} - a;
    if (d < -Lin_prec) return b;
    if (d > Lin_prec) return a;
    return Clamp32(int64_t{a} - Lin_prec);
}

int32_t BoxMax(int32_t a, int32_t b) {
    const int64_t d = int64_t{b} - a;
    if (d > Lin_prec) return b;
    if (d < -Lin_prec) return a;
    return Clamp32(int64_t{a} + Lin_prec);
}

} // namespace

// ---- Ends -----------------------------------------------------------------------
// An attached end whose master is not connected yet reads as the origin, so
// nothing follows a null master.

int32_t TLineObj::GetX() const {
    if (!IsP1Slave()) return Pos.x;
    return Pos.ConObj ? Pos.ConObj->GetX() : 0;
}

int32_t TLineObj::GetY() const {
    if (!IsP1Slave()) return Pos.y;
    return Pos.ConObj ? Pos.ConObj->GetY() : 0;
}

int32_t TLineObj::GetX2() const {
    if (!IsP2Slave()) return Pos2.x;
    return Pos2.ConObj ? Pos2.ConObj->GetX() : 0;
}

int32_t TLineObj::GetY2() const {
    if (!IsP2Slave()) return Pos2.y;
    return Pos2.ConObj ? Pos2.ConObj->GetY() : 0;
}

void TLineObj::SetMaster(TvlObject* Master) {
    if (Master) {
        Pos.ConObj = Master;
        State.Include(isP1Slave);
        return;
    }
    const double x = GetX_World(), y = GetY_World();
    State.Exclude(isP1Slave);
    Pos.ConObj = nullptr;
    SetX_World(x);
    SetY_World(y);
}

void TLineObj::SetMaster2(TvlObject* Master) {
    if (Master) {
        Pos2.ConObj = Master;
        State.Include(isP2Slave);
        return;
    }
    const double x = GetX2_World(), y = GetY2_World();
    State.Exclude(isP2Slave);
    Pos2.ConObj = nullptr;
    SetX2_World(x);
    SetY2_World(y);
}

TvlObject* TLineObj::GetMaster2() const {
    return IsP2Slave() ? Pos2.ConObj : const_cast<TLineObj*>(this);
}

void TLineObj::SetX2(int32_t Value) {
    if (!IsP2Slave()) Pos2.x = Value;
}

void TLineObj::SetY2(int32_t Value) {
    if (!IsP2Slave()) Pos2.y = Value;
}

bool TLineObj::KeepsSquare() const {
    const TShapetype s = Generator().Shape();
    return s == TShapetype::stCircle || s == TShapetype::stSquare || s == TShapetype::stRoundSquare;
}

void TLineObj::SetPos2(TPoint P) {
    if (IsP2Slave()) return;
    if (!KeepsSquare()) {
        Pos2.SetPosLog(P);
        return;
    }
    const int64_t dx = int64_t{P.X} - GetX(), dy = int64_t{P.Y} - GetY();
    const int64_t ax = std::llabs(dx), ay = std::llabs(dy);
    if (ax >= ay)
        Pos2.SetPosLog({P.X, Clamp32(dy >= 1 ? GetY() + ax : GetY() - ax)});
    else
        Pos2.SetPosLog({Clamp32(dx >= 1 ? GetX() + ay : GetX() - ay), P.Y});
}

double TLineObj::GetX2_World() const { return ActScaleSet->LogToWorld(GetX2()); }
double TLineObj::GetY2_World() const { return ActScaleSet->LogToWorld(GetY2()); }

void TLineObj::SetX2_World(double Value) {
    if (!IsP2Slave()) Pos2.x = ActScaleSet->WorldToLog(Value);
}

void TLineObj::SetY2_World(double Value) {
    if (!IsP2Slave()) Pos2.y = ActScaleSet->WorldToLog(Value);
}

void TLineObj::AssignPos(const TvlObject& Source) {
    TPointObj::AssignPos(Source);
    const auto* src = dynamic_cast<const TLineObj*>(&Source);
    if (!src) return;
    if (IsP2Slave()) {
        Pos2.RelPos = src->Pos2.RelPos;
        return;
    }
    Pos2.x = src->Pos2.x;
    Pos2.y = src->Pos2.y;
    Pos2.RelPos = src->Pos2.RelPos;
    Pos2.RelX = src->Pos2.RelX;
    Pos2.RelY = src->Pos2.RelY;
}

// ---- Box --------------------------------------------------------------------------

int32_t TLineObj::GetMinX() const { return BoxMin(GetX(), GetX2()); }
int32_t TLineObj::GetMaxX() const { return BoxMax(GetX(), GetX2()); }
int32_t TLineObj::GetMinY() const { return BoxMin(GetY(), GetY2()); }
int32_t TLineObj::GetMaxY() const { return BoxMax(GetY(), GetY2()); }
int32_t TLineObj::GetWidth() const { return Clamp32(std::llabs(int64_t{GetX2()} - GetX())); }
int32_t TLineObj::GetHeight() const { return Clamp32(std::llabs(int64_t{GetY2()} - GetY())); }

double TLineObj::GetLineAlpha() const {
    const double dx = double(GetX2()) - GetX(), dy = double(GetY2()) - GetY();
    double a = dx == 0 ? std::numbers::pi / 2 : std::atan(dy / dx);
    if (dx < 0) a += std::numbers::pi;
    while (a < 0) a += 2 * std::numbers::pi;
    return a;
}

double TLineObj::GetAlpha() const {
    return Generator().Shape() == TShapetype::stLine ? GetLineAlpha() : TPointObj::GetAlpha();
}

// ---- Drawing and hit test -------------------------------------------------------

void TLineObj::ShapeLine() {
    TCanvas& c = Canvas();
    // The origin is the object's corner, or the corner moved by the shadow.
    const TPoint o = c.Mapping().WindowOrg;
    c.MoveTo(Clamp32(int64_t{GetX()} + o.X), Clamp32(int64_t{GetY()} + o.Y));
    c.LineTo(Clamp32(int64_t{GetX2()} + o.X), Clamp32(int64_t{GetY2()} + o.Y));
}

bool TLineObj::CheckLineShape(const TLimRec& CurLims) {
    const int32_t mx = GetMinX(), my = GetMinY();
    // A click on an attached end belongs to the master beneath it.
    const TPoint corner{CurLims.Xmin + mx, CurLims.Ymin + my};
    if (IsP1Slave() && Pos.ConObj && Pos.ConObj->CheckFrame(corner)) return false;
    if (IsP2Slave() && Pos2.ConObj && Pos2.ConObj->CheckFrame(corner)) return false;
    TLimRec r = CurLims;
    if (r.Xmax - r.Xmin == 1 && r.Ymax - r.Ymin == 1) {
        const int32_t d = Lin_prec / 2;
        r = {r.Xmin - d, r.Ymin - d, r.Xmax + d, r.Ymax + d};
    }
    return LineInRect({Clamp32(int64_t{GetX()} - mx), Clamp32(int64_t{GetY()} - my)},
                      {Clamp32(int64_t{GetX2()} - mx), Clamp32(int64_t{GetY2()} - my)}, r);
}

// ---- Selection and dependants ------------------------------------------------------

void TLineObj::SelectComplete(TSelectMode Mode) {
    TPointObj::SelectComplete(Mode);
    if (IsP1Slave() && Pos.ConObj) Pos.ConObj->Select(Mode);
    if (IsP2Slave() && Pos2.ConObj) Pos2.ConObj->Select(Mode);
}

int32_t TLineObj::Involved(TInvolve Code) {
    TvlObject* const masters[2] = {IsP1Slave() ? Pos.ConObj : nullptr, IsP2Slave() ? Pos2.ConObj : nullptr};
    switch (Code) {
    case TInvolve::invMove:
        if (!GetVisible() || GetSelected()) break;
        for (TvlObject* m : masters)
            if (m && m->GetSelected()) {
                // The masters may move before the line in the mark case; the
                // place the line leaves must be repainted too.
                Invalidate();
                Select(TSelectMode::smSelect);
                break;
            }
        break;
    case TInvolve::invCopy:
        if (!GetSelected()) break;
        for (TvlObject* m : masters)
            if (m && !m->GetSelected()) {
                Select(TSelectMode::smUnselect);
                break;
            }
        break;
    case TInvolve::invDelete:
        if (GetSelected()) break;
        for (TvlObject* m : masters)
            if (m && m->GetSelected()) m->SelectComplete(TSelectMode::smUnselect);
        break;
    }
    return 0;
}

// ---- Persistence ------------------------------------------------------------------

void TLineObj::Persist(TStream* Stream, TPstMode Mode) {
    TPointObj::Persist(Stream, Mode);
    if (Mode == TPstMode::pstConnect || Mode == TPstMode::pstConnectCopy) {
        if (IsP2Slave()) ConnectMaster2(Mode);
        return;
    }
    // The second end as the first: the same record, linked while attached.
    TTransfer t(StreamFor(Stream, Mode), Mode);
    TransferPos(t, Pos2, IsP2Slave());
    if (t.Writing()) return;
    if (vlFileVersionBefore(8192)) t.Reserved(4);
    if (IsP1Slave() || IsP2Slave()) State.Include(isConnect);
}

// As for the first end: a master that is missing (or the line itself) frees
// the end at its stored offset and flags the line for removal.
void TLineObj::ConnectMaster2(TPstMode Mode) {
    RegisterLink(nullptr, Pos2, Mode);
    if (Pos2.ConObj && Pos2.ConObj != this) return;
    Pos2.ConObj = nullptr;
    Pos2.ConType = 0;
    Pos2.ConID = 0;
    Pos2.x = Pos2.RelX;
    Pos2.y = Pos2.RelY;
    State.Exclude(isP2Slave).Exclude(isConnect).Include(isDeleted);
}

} // namespace vl
