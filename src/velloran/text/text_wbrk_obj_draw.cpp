// TTextWbrkObj: drawing the lines and sizing the block by its left and
// right edges.

#include <algorithm>
#include <cmath>

#include "velloran/foundations/angles.h"
#include "velloran/foundations/round.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/cursors.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/text/text_wbrk_obj.h"
#include "velloran/tools/creator.h"
#include "velloran/objects/object_view.h"

namespace vl {

using enum TIndividualFlag;
using enum TSizingHandle;

namespace {

// Line positions of damaged records stay in range instead of overflowing.
int32_t Step(int32_t base, int32_t i, int32_t step) {
    return static_cast<int32_t>(std::clamp<int64_t>(base + int64_t{i} * step, INT32_MIN, INT32_MAX));
}

void SetCursorOf(TvlObject& o, TCursor c) {
    if (TObjectView* view = o.Tool()->View()) view->SetCursor(c);
}

} // namespace

// ---- Drawing ---------------------------------------------------------------------------------

void TTextWbrkObj::Draw() {
    if (Tool()->OnObjectDraw) {
        Tool()->ObjectColors(this);
        Tool()->OnObjectDraw(this);
    } else if (FBreaks) {
        Tool()->ObjectColors(this);
        ShapeText(GetFont().Color);
    } else {
        TTextObj::Draw();
    }
}

void TTextWbrkObj::ShapeText(TColor Color) {
    if (GetLineCount() <= 1) {
        TTextObj::ShapeText(Color);
        return;
    }
    if (GetRotated()) {
        DrawRotatedWbrk(Color);
        return;
    }
    TCanvas& c = Canvas();
    const int32_t cy = FTextExtent.cy;
    if (!GetFontCanDisplay()) {
        c.Pen().Style = TPenStyle::psDot;
        c.Pen().Color = Color;
        for (int32_t i = 0; i < GetLineCount(); ++i) {
            c.MoveTo(0, Step(0, i, cy));
            c.LineTo(GetWidth(), Step(0, i, cy));
        }
        return;
    }
    SelectFont();
    c.Font().Color = Color;
    const TPoint o = TextOrigin();
    const int32_t step = ActScaleSet->GetBottomOrigin() ? -cy : cy;
    for (int32_t i = 0; i < GetLineCount(); ++i) c.TextOut(o.X, Step(o.Y, i, step), GetLines(i));
}

void TTextWbrkObj::DrawRotatedWbrk(TColor Color) {
    TCanvas& c = Canvas();
    const double a = GetAlpha();
    const int32_t cx = FTextExtent.cx, cy = FTextExtent.cy;
    const int32_t sx = Round(-cy * std::sin(a)), sy = Round(cy * std::cos(a));
    if (!GetFontCanDisplay()) {
        c.Pen().Style = TPenStyle::psDot;
        c.Pen().Color = Color;
        const int32_t ex = Round(cx * std::cos(a)), ey = Round(cx * std::sin(a));
        for (int32_t i = 0; i < GetLineCount(); ++i) {
            c.MoveTo(Step(0, i, sx), Step(0, i, sy));
            c.LineTo(Step(ex, i, sx), Step(ey, i, sy));
        }
        return;
    }
    int32_t h = GetCurrFontHeight();
    const std::unique_ptr<TFontHandle> f = FindNewFont(h, State.Contains(isCorrect));
    const TFont before = c.Font();
    c.SetFont(DrawingFont(*f, Color));
    TPoint p{GetLeft(), Gettop()};
    RotatePnt(p, GetHotSpot(), a);
    const int32_t v = ActScaleSet->GetDirVert();
    for (int32_t i = 0; i < GetLineCount(); ++i)
        c.TextOut(Step(p.X, i, sx * v), Step(p.Y, i, sy * v), GetLines(i));
    c.SetFont(before);
}

// ---- Sizing by the edges ---------------------------------------------------------------------

bool TTextWbrkObj::SizingHandles(TPoint P, TSizeMode Mode) {
    if (!GetRotated() && GetWordBreak() > 0) return WBrkSizingHandles(P, Mode);
    return TTextObj::SizingHandles(P, Mode);
}

// One edge handle: drawn at both ends of the edge at X, hit anywhere along it.
// With the origin on the right the left edge is the second vertical line.
bool TTextWbrkObj::WBrkSizingEdge(TPoint P, TSizeMode Mode, int32_t x, bool LeftEdge) {
    const int32_t t = ActScaleSet->GetTempFrame();
    if (Mode == TSizeMode::smShape) {
        Canvas().Rectangle({x - t, Gettop() - t, x + t, Gettop() + t});
        Canvas().Rectangle({x - t, Getbottom() - t, x + t, Getbottom() + t});
        return false;
    }
    if (P.X < x - t || P.X > x + t) return false;
    SetCursorOf(*this, crSizeWE);
    SizingHandle = LeftEdge != ActScaleSet->GetRightOrigin() ? szVLine1 : szVLine2;
    return true;
}

bool TTextWbrkObj::WBrkSizingHandles(TPoint P, TSizeMode Mode) {
    if (WBrkSizingEdge(P, Mode, GetLeft(), true) || WBrkSizingEdge(P, Mode, Getright(), false)) return true;
    if (Mode == TSizeMode::smCheck) {
        SetCursorOf(*this, crArrow);
        SizingHandle = szNone;
    }
    return false;
}

void TTextWbrkObj::MovePos(TPoint DeltaPos) {
    if (!GetRotated() && GetWordBreak() > 0 && GetSizing() && SizingHandle != szNone)
        WBrkMovePos(DeltaPos);
    else
        TTextObj::MovePos(DeltaPos);
}

void TTextWbrkObj::WBrkMovePos(TPoint DeltaPos) {
    const int32_t dx = DeltaPos.X, dy = DeltaPos.Y;
    const TShapetype s = Generator().Shape();
    const bool square = s == TShapetype::stCircle || s == TShapetype::stSquare || s == TShapetype::stRoundSquare;
    const int32_t v = ActScaleSet->GetDirVert();
    int32_t& cx = FTextExtent.cx;
    int32_t& cy = FTextExtent.cy;
    switch (SizingHandle) {
    case szVLine1:
        SetX(GetX() + dx);
        cx = GetWidth() - dx;
        if (square) cy = GetWidth();
        break;
    case szVLine2:
        cx = GetWidth() + dx;
        if (square) cy = GetWidth();
        break;
    case szHLine1:
        SetY(GetY() + dy * v);
        cy = GetHeight() - dy;
        if (square) SetWidth(GetHeight());
        break;
    case szHLine2:
        cy = GetHeight() + dy * v;
        if (square) SetWidth(GetHeight());
        break;
    case szX1Y1:
        SetX(GetX() + dx);
        SetY(GetY() + dy);
        break;
    case szX2Y2:
        cx = GetWidth() + dx;
        cy = GetHeight() + dy;
        break;
    case szX1Y2:
        SetX(GetX() + dx);
        cy = GetHeight() + dy * v;
        break;
    case szX2Y1:
        cx = GetWidth() + dx;
        SetY(GetY() + dy);
        break;
    case szNone:
    case szRotate:
        break;
    }
    if (cx < 1) cx = 10;
    if (cy < 1) cy = 10;
}

void TTextWbrkObj::EndMove() {
    // Taken first: the base may measure the text again after a scale change.
    const int32_t dragged = GetWidth();
    TTextObj::EndMove();
    if (SizingHandle == szNone) return;
    if (SizingHandle != szRotate) {
        CalcWordbreaksW(dragged);
        AdjustDrawRect();
    } else if (GetWYSIWYG()) {
        State.Include(isCorrect);
    } else {
        AdjustDrawRect();
    }
    InvalidateIfMapped();
}

} // namespace vl
