// TTxtLab2Obj: the text follows the spanned box.

#include "velloran/text/txt_lab2_obj.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/round.h"
#include "velloran/platform/canvas.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/tools/creator.h"

namespace vl {

using enum TShapetype;
using enum TSizingHandle;

namespace {

// Distance from the box edge to the ellipse where a centred block of width
// w ends, for a box of width W and height H.
int32_t Gap(double w, double W, double H) {
    if (W <= 0) return 0;
    return Round(H / 2 * (1 - std::sin(std::acos(std::clamp(w / W, -1.0, 1.0)))));
}

// sin(arccos(q)), kept away from 0 so that dividing by it stays finite.
double SinAcos(double q) { return std::max(1e-3, std::sin(std::acos(std::clamp(q, -1.0, 1.0)))); }

} // namespace

TTxtLab2Obj::TTxtLab2Obj(TObjectTool* ATool) : TLineObj(ATool) {
    if (Generator().Shape() == stLine) RaiseError("stLine is not allowed as shape type");
    FTextObj = std::make_unique<TTextWbrkObj>(ATool);
    FTextObj->SetMaster(this);
}

TTxtLab2Obj::~TTxtLab2Obj() = default;

TCustomTxtLabGenerator* TTxtLab2Obj::LabGenerator() const {
    return dynamic_cast<TCustomTxtLabGenerator*>(&Generator());
}

String TTxtLab2Obj::GetText() const { return FTextObj->GetText(); }

void TTxtLab2Obj::SetText(const String& Text) {
    FTextObj->SetText(Text);
    SetTextPosition();
}

void TTxtLab2Obj::AdjustToScale() {
    FTextObj->AdjustToScale();
    if (!FTextObj->GetWYSIWYG()) SetTextPosition();
}

void TTxtLab2Obj::AdjustToFontHeight() {
    FTextObj->AdjustToFontHeight();
    SetTextPosition();
}

// ---- Placing the text ------------------------------------------------------------------------

void TTxtLab2Obj::SetBoxWidth(int32_t W) {
    const TRect r = GetRect();
    const int32_t x = r.Left + ActScaleSet->GetDirHorz() * W;
    if (GetX() == r.Left)
        SetX2(x);
    else
        SetX(x);
}

void TTxtLab2Obj::SetBoxHeight(int32_t H) {
    const TRect r = GetRect();
    const int32_t y = r.Top + ActScaleSet->GetDirVert() * H;
    if (GetY() == r.Top)
        SetY2(y);
    else
        SetY(y);
}

void TTxtLab2Obj::SetTextPosition() {
    if (!ActScaleSet) return;
    const TCustomTxtLabGenerator* g = LabGenerator();
    const int32_t fx = g ? g->FrameDX() : 0, fy = g ? g->FrameDY() : 0;
    const TTextAlign& align = FTextObj->TxtGenerator().TextAlign();
    TTextWbrkObj& t = *FTextObj;
    const int32_t tw = t.GetWidth() + 2 * fx, th = t.GetHeight() + 2 * fy;
    const int32_t h = ActScaleSet->GetDirHorz(), v = ActScaleSet->GetDirVert();
    const TShapetype shape = Generator().Shape();
    const bool square = shape == stSquare || shape == stRoundSquare || shape == stCircle;

    auto fromLeft = [&](int32_t o) { t.SetX(GetRect().Left + h * (t.GetLeft() + o)); };
    auto fromRight = [&](int32_t o) { t.SetX(GetRect().Right - h * (t.Getright() + o)); };
    auto fromTop = [&](int32_t o) { t.SetY(GetRect().Top + v * (t.Gettop() + o)); };
    auto fromBottom = [&](int32_t o) { t.SetY(GetRect().Bottom - v * (t.Getbottom() + o)); };
    // Centred on the text itself, so that the frame distances fall evenly.
    auto centreX = [&] { fromLeft((GetWidth() - t.GetWidth()) / 2); };
    auto centreY = [&] { fromTop((GetHeight() - t.GetHeight()) / 2); };
    auto placeX = [&](int32_t o) {
        switch (align.Horz()) {
        case THorzAlign::haLeft: fromLeft(o); break;
        case THorzAlign::haCenter: centreX(); break;
        case THorzAlign::haRight: fromRight(o); break;
        }
    };
    auto placeY = [&](int32_t o) {
        switch (align.Vert()) {
        case TVertAlign::vaTop: fromTop(o); break;
        case TVertAlign::vaCenter: centreY(); break;
        case TVertAlign::vaBottom: fromBottom(o); break;
        }
    };
    auto widen = [&](int32_t w) {
        SetBoxWidth(w);
        if (square) SetBoxHeight(GetWidth());
    };
    auto heighten = [&](int32_t hh) {
        SetBoxHeight(hh);
        if (square) SetBoxWidth(GetHeight());
    };

    switch (shape) {
    case stRectangle:
    case stSquare:
    case stRegion:
    case stLine:
        if (GetWidth() < tw) widen(tw);
        if (GetHeight() < th) heighten(th);
        placeY(fy);
        placeX(fx);
        return;
    case stRoundRect:
    case stRoundSquare: {
        const int32_t r =
            Round(std::min(GetWidth(), GetHeight()) / static_cast<double>(std::max(1, GetDRoundRect())) * 0.15);
        if (GetWidth() < tw + 2 * r) widen(tw + 2 * r);
        if (GetHeight() < th + 2 * r) heighten(th + 2 * r);
        placeY(fy + r);
        placeX(fx + r);
        return;
    }
    case stEllipse:
    case stCircle:
        break;
    }

    const double W = GetWidth(), H = GetHeight();
    const bool circle = shape == stCircle;
    auto centreBoth = [&] {
        centreX();
        centreY();
    };
    if (tw >= W) {
        if (circle) {
            SetBoxWidth(Round(std::hypot(tw, th)));
            SetBoxHeight(GetWidth());
        } else if (H < th) {
            const double c = std::sqrt(double(tw) * tw + (th / 2.0) * (th / 2.0));
            const int32_t w2 = Round(c + th / 2.0);
            SetBoxWidth(w2);
            SetBoxHeight(Round(2 * std::sqrt(std::max(0.0, (w2 / 2.0) * (w2 / 2.0) - (tw / 2.0) * (tw / 2.0)))));
        } else {
            const double s = th >= H ? std::sin(std::numbers::pi / 4) : SinAcos(th / H);
            SetBoxWidth(Round(tw / s));
        }
        centreBoth();
        return;
    }
    const int32_t m = Gap(tw, W, H);
    if (H < 2 * m + th) {
        if (circle) {
            SetBoxWidth(Round(std::hypot(tw, th)));
            SetBoxHeight(GetWidth());
        } else {
            SetBoxHeight(Round(th / SinAcos(tw / W)));
        }
        centreBoth();
        return;
    }
    if (align.Vert() == TVertAlign::vaCenter) {
        centreY();
        const int32_t gx = Gap(th, H, W);
        if (align.Horz() == THorzAlign::haLeft) fromLeft(gx);
        if (align.Horz() == THorzAlign::haCenter) centreX();
        if (align.Horz() == THorzAlign::haRight) fromRight(gx);
        return;
    }
    auto vertical = [&](int32_t o) {
        if (align.Vert() == TVertAlign::vaTop)
            fromTop(o);
        else
            fromBottom(o);
    };
    if (align.Horz() == THorzAlign::haCenter) {
        centreX();
        vertical(m);
        return;
    }
    const int32_t c = (GetWidth() - tw) / 2;
    const int32_t o = (c + Round(W / 2 * (1 - SinAcos(th / H)))) / 2;
    if (align.Horz() == THorzAlign::haLeft)
        fromLeft(o);
    else
        fromRight(o);
    vertical(Gap(W - 2.0 * o, W, H));
}

// ---- Moving, drawing, persistence --------------------------------------------------------------

void TTxtLab2Obj::EndMove() {
    const TCustomTxtLabGenerator* g = LabGenerator();
    if (SizingHandle != szNone && g && g->TextHandling() == TTextHandling::thAdjustWordbrk) {
        const double W = GetWidth(), H = GetHeight(), th = FTextObj->GetHeight();
        const double c = th < H ? std::cos(std::asin(th / H)) : std::cos(std::numbers::pi / 4);
        FTextObj->SetWidth(Round(W * c) - 2 * g->FrameDX());
    }
    if (SizingHandle != szNone) SetTextPosition();
    TLineObj::EndMove();
}

void TTxtLab2Obj::Draw() {
    if (Tool()->OnObjectDraw) {
        Tool()->ObjectColors(this);
        Tool()->OnObjectDraw(this);
        return;
    }
    TLineObj::Draw();
    TCanvas& c = Canvas();
    const TPoint saved = c.Mapping().WindowOrg;
    c.SetWindowOrg({-FTextObj->GetMinX(), -FTextObj->GetMinY()});
    FTextObj->Draw();
    c.SetWindowOrg(saved);
}

void TTxtLab2Obj::Persist(TStream* Stream, TPstMode Mode) {
    TLineObj::Persist(Stream, Mode);
    RegisterObject(Stream, *FTextObj, Mode);
    // The text's link is its owner, never one to look up in the document.
    FTextObj->Pos.ConObj = this;
    FTextObj->State.Exclude(TIndividualFlag::isConnect);
}

} // namespace vl
