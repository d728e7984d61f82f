// TLineObj: sizing handles, moving, sizing and turning.

#include <algorithm>
#include <cstdlib>

#include "velloran/foundations/angles.h"
#include "velloran/generators/custom_generator.h"
#include "velloran/objects/line_obj.h"
#include "velloran/objects/object_tool.h"
#include "velloran/objects/object_view.h"
#include "velloran/platform/canvas.h"
#include "velloran/scale/scale_setting.h"

namespace vl {

using enum TSizingHandle;

namespace {

// Wraps like the stored 32-bit fields instead of overflowing.
int32_t Shifted(int32_t v, int32_t d) {
    return static_cast<int32_t>(static_cast<uint32_t>(v) + static_cast<uint32_t>(d));
}

int32_t Mid(int32_t a, int32_t b) { return static_cast<int32_t>((int64_t{a} + b) / 2); }

// Object-local, saturated: ends far apart do not overflow.
int32_t Local(int64_t v, int32_t origin) {
    return static_cast<int32_t>(std::clamp<int64_t>(v - origin, INT32_MIN, INT32_MAX));
}

} // namespace

// ---- Handles ----------------------------------------------------------------------

bool TLineObj::SquareHandle(TPoint P, TPoint C, TSizeMode Mode, TSizingHandle Handle, TCursor Cursor) {
    const int32_t t = ActScaleSet->GetTempFrame();
    if (Mode == TSizeMode::smShape) {
        Canvas().Rectangle({C.X - t, C.Y - t, C.X + t, C.Y + t});
        return false;
    }
    if (std::abs(int64_t{P.X} - C.X) > t || std::abs(int64_t{P.Y} - C.Y) > t) return false;
    if (TObjectView* box = DrawBox()) box->SetCursor(Cursor);
    SizingHandle = Handle;
    return true;
}

// The side handles are whole lines: nothing to draw.
bool TLineObj::LineHandle(int32_t P, int32_t At, TSizeMode Mode, TSizingHandle Handle, TCursor Cursor) {
    const int32_t t = ActScaleSet->GetTempFrame();
    if (Mode == TSizeMode::smShape || P < At - t || P > At + t) return false;
    if (TObjectView* box = DrawBox()) box->SetCursor(Cursor);
    SizingHandle = Handle;
    return true;
}

// By the line's slope as the screen shows it.
TCursor TLineObj::CornerCursor() const {
    const double dx = double(GetX2()) - GetX(), dy = double(GetY2()) - GetY();
    if (dy != 0 && !(dx * ActScaleSet->GetDirHorz() / dy * ActScaleSet->GetDirVert() > 0)) return crSizeNESW;
    return crSizeNWSE;
}

bool TLineObj::SizingHandles(TPoint P, TSizeMode Mode) {
    const int32_t mx = GetMinX(), my = GetMinY();
    const int32_t x1 = Local(GetX(), mx), x2 = Local(GetX2(), mx);
    const int32_t y1 = Local(GetY(), my), y2 = Local(GetY2(), my);
    const int32_t xm = Local(Mid(GetX(), GetX2()), mx), ym = Local(Mid(GetY(), GetY2()), my);
    const TCursor diag = CornerCursor();
    bool hit;
    switch (Generator().Shape()) {
    case TShapetype::stEllipse:
    case TShapetype::stCircle:
        hit = SquareHandle(P, {x1, ym}, Mode, szVLine1, crSizeWE) ||
              SquareHandle(P, {x2, ym}, Mode, szVLine2, crSizeWE) ||
              SquareHandle(P, {xm, y1}, Mode, szHLine1, crSizeNS) ||
              SquareHandle(P, {xm, y2}, Mode, szHLine2, crSizeNS);
        break;
    case TShapetype::stLine:
        hit = SquareHandle(P, {x1, y1}, Mode, szX1Y1, diag) || SquareHandle(P, {x2, y2}, Mode, szX2Y2, diag);
        break;
    default:
        hit = SquareHandle(P, {x1, y1}, Mode, szX1Y1, diag) ||
              SquareHandle(P, {x1, y2}, Mode, szX1Y2, diag) ||
              SquareHandle(P, {x2, y1}, Mode, szX2Y1, diag) ||
              SquareHandle(P, {x2, y2}, Mode, szX2Y2, diag) ||
              LineHandle(P.X, x1, Mode, szVLine1, crSizeWE) ||
              LineHandle(P.X, x2, Mode, szVLine2, crSizeWE) ||
              LineHandle(P.Y, y1, Mode, szHLine1, crSizeNS) ||
              LineHandle(P.Y, y2, Mode, szHLine2, crSizeNS);
        break;
    }
    if (hit) return true;
    // Drawing the marks must not end a sizing drag that is running.
    if (Mode == TSizeMode::smCheck) {
        const bool fnd = Generator().Options().Contains(TGeneratorOption::goFndCursor);
        if (TObjectView* box = DrawBox()) box->SetCursor(fnd ? Tool()->Cursor() : crArrow);
        SizingHandle = szNone;
    }
    return false;
}

// ---- Moving and sizing ------------------------------------------------------------

void TLineObj::MovePos(TPoint DeltaPos) {
    // An attached line follows its masters.
    if (IsP1Slave() || IsP2Slave()) return;
    if (GetSizing() && SizingHandle != szNone) {
        if (KeepsSquare())
            SizeSquare(DeltaPos);
        else
            SizeFree(DeltaPos);
        return;
    }
    const TGeneratorOptions o = Generator().Options();
    if (!o.Contains(TGeneratorOption::goNoHorzMove)) {
        Pos.x = Shifted(Pos.x, DeltaPos.X);
        Pos2.x = Shifted(Pos2.x, DeltaPos.X);
    }
    if (!o.Contains(TGeneratorOption::goNoVertMove)) {
        Pos.y = Shifted(Pos.y, DeltaPos.Y);
        Pos2.y = Shifted(Pos2.y, DeltaPos.Y);
    }
}

void TLineObj::SizeFree(TPoint D) {
    int32_t* xs = nullptr; // the x and y the handle drags
    int32_t* ys = nullptr;
    switch (SizingHandle) {
    case szX1Y1: xs = &Pos.x; ys = &Pos.y; break;
    case szX2Y2: xs = &Pos2.x; ys = &Pos2.y; break;
    case szX1Y2: xs = &Pos.x; ys = &Pos2.y; break;
    case szX2Y1: xs = &Pos2.x; ys = &Pos.y; break;
    case szVLine1: xs = &Pos.x; break;
    case szVLine2: xs = &Pos2.x; break;
    case szHLine1: ys = &Pos.y; break;
    case szHLine2: ys = &Pos2.y; break;
    case szNone:
    case szRotate: break;
    }
    if (xs) *xs = Shifted(*xs, D.X);
    if (ys) *ys = Shifted(*ys, D.Y);
}

// Each step ends with a square box; width and height are read after the
// first shift.
void TLineObj::SizeSquare(TPoint D) {
    int32_t *xa, *ya, *xb, *yb; // the moving corner and the fixed one
    switch (SizingHandle) {
    case szX1Y1: xa = &Pos.x; ya = &Pos.y; xb = &Pos2.x; yb = &Pos2.y; break;
    case szX2Y2: xa = &Pos2.x; ya = &Pos2.y; xb = &Pos.x; yb = &Pos.y; break;
    case szX1Y2: xa = &Pos.x; ya = &Pos2.y; xb = &Pos2.x; yb = &Pos.y; break;
    case szX2Y1: xa = &Pos2.x; ya = &Pos.y; xb = &Pos.x; yb = &Pos2.y; break;
    case szVLine1:
    case szVLine2: {
        int32_t& x = SizingHandle == szVLine1 ? Pos.x : Pos2.x;
        x = Shifted(x, D.X);
        const int32_t w = GetWidth();
        if (Pos2.y <= Pos.y)
            Pos.y = Shifted(Pos2.y, w);
        else
            Pos2.y = Shifted(Pos.y, w);
        return;
    }
    case szHLine1:
    case szHLine2: {
        int32_t& y = SizingHandle == szHLine1 ? Pos.y : Pos2.y;
        y = Shifted(y, D.Y);
        const int32_t h = GetHeight();
        if (Pos2.x <= Pos.x)
            Pos.x = Shifted(Pos2.x, h);
        else
            Pos2.x = Shifted(Pos.x, h);
        return;
    }
    default:
        return;
    }
    if (std::abs(int64_t{D.X}) <= std::abs(int64_t{D.Y})) {
        *ya = Shifted(*ya, D.Y);
        const int32_t h = GetHeight();
        *xa = *xa <= *xb ? Shifted(*xb, -h) : Shifted(*xb, h);
    } else {
        *xa = Shifted(*xa, D.X);
        const int32_t w = GetWidth();
        *ya = *ya <= *yb ? Shifted(*yb, -w) : Shifted(*yb, w);
    }
}

// ---- Turning ------------------------------------------------------------------------

void TLineObj::Rotate(TPoint Origin, double Delta) {
    Invalidate();
    // The angle field stays: a line's direction follows from its ends.
    for (TPos* p : {&Pos, &Pos2}) {
        if ((p == &Pos && IsP1Slave()) || (p == &Pos2 && IsP2Slave())) continue;
        TPoint q = p->PosLog();
        RotatePnt(q, Origin, Delta);
        p->SetPosLog(q);
    }
    Invalidate();
}

} // namespace vl
