// TTextObj: drawing, rotated drawing and the moving outline.

#include "velloran/foundations/angles.h"
#include "velloran/platform/canvas.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/text/text_obj.h"
#include "velloran/tools/creator.h"

namespace vl {

using enum TIndividualFlag;

void TTextObj::Draw() {
    const bool foreignMaster = IsSlave() && Pos.ConObj && Pos.ConObj->Tool() != Tool();
    if (foreignMaster && Tool()->OnObjectDraw) {
        Tool()->ObjectColors(this);
        Tool()->OnObjectDraw(this);
    } else if (HasText()) {
        Tool()->ObjectColors(this);
        ShapeText(GetFont().Color);
    } else {
        TPointObj::Draw();
    }
}

void TTextObj::ShapeText(TColor Color) {
    if (GetRotated()) {
        DrawRotatedTxt(Color);
        return;
    }
    TCanvas& c = Canvas();
    if (!GetFontCanDisplay()) {
        c.Pen().Style = TPenStyle::psDot;
        c.Pen().Color = Color;
        c.MoveTo(0, 0);
        c.LineTo(GetWidth(), 0);
        return;
    }
    SelectFont();
    c.Font().Color = Color;
    const TPoint o = TextOrigin();
    c.TextOut(o.X, o.Y, GetText());
}

void TTextObj::DrawRotatedTxt(TColor Color) {
    TCanvas& c = Canvas();
    int32_t h = GetCurrFontHeight();
    const std::unique_ptr<TFontHandle> f = FindNewFont(h, State.Contains(isCorrect));
    const TFont before = c.Font();
    c.SetFont(DrawingFont(*f, Color));
    TPoint p{GetLeft(), Gettop()};
    RotatePnt(p, GetHotSpot(), GetAlpha());
    c.TextOut(p.X, p.Y, GetText());
    c.SetFont(before);
}

void TTextObj::RestoreShadowPen() {
    TCanvas& c = Canvas();
    c.SetPen({clShadowPen, 1, TPenStyle::psSolid, TPenMode::pmNotXor});
    c.Brush().Style = TBrushStyle::bsClear;
}

void TTextObj::DrawShadow() {
    Canvas().SetWindowOrg({-GetMinX(), -GetMinY()});
    const TWhileMoving w = TxtGenerator().WhileMoving();
    if ((GetSizing() && SizingHandle != TSizingHandle::szNone) || w != TWhileMoving::DispText)
        TPointObj::DrawShadow();
    if (GetSizing() && SizingHandle != TSizingHandle::szNone) return;
    if (w != TWhileMoving::DispOutline) ShapeText(clShadowText);
}

void TTextObj::HideShadow() {
    Canvas().SetWindowOrg({-GetMinX(), -GetMinY()});
    const TWhileMoving w = TxtGenerator().WhileMoving();
    if (w != TWhileMoving::DispText) TPointObj::DrawShadow();
    if (w == TWhileMoving::DispOutline) return;
    Update();
    RestoreShadowPen();
}

TPoint TTextObj::TextOrigin() {
    TPoint o{GetLeft(), Gettop()};
    if (GetWYSIWYG()) {
        const TPoint d = AlignOffs();
        o.X += ActScaleSet->GetDirHorz() * d.X;
        o.Y += ActScaleSet->GetDirVert() * d.Y;
    }
    return o;
}

} // namespace vl
