// TTxtLabObj: the frame follows the text.

#include "velloran/text/txt_lab_obj.h"

#include <algorithm>
#include <cmath>

#include "velloran/foundations/angles.h"
#include "velloran/foundations/errors.h"
#include "velloran/foundations/round.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/cursors.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/tools/creator.h"
#include "velloran/objects/object_view.h"

namespace vl {

using enum TShapetype;
using enum TSizingHandle;

TTxtLabObj::TTxtLabObj(TObjectTool* ATool) : TPointObj(ATool) {
    if (Generator().Shape() == stLine) RaiseError("stLine is not allowed as shape type");
    FTextObj = std::make_unique<TTextWbrkObj>(ATool);
    FTextObj->SetMaster(this);
}

TTxtLabObj::~TTxtLabObj() = default;

TCustomTxtLabGenerator* TTxtLabObj::LabGenerator() const {
    return dynamic_cast<TCustomTxtLabGenerator*>(&Generator());
}

String TTxtLabObj::GetText() const { return FTextObj->GetText(); }

void TTxtLabObj::SetText(const String& Text) {
    FTextObj->SetText(Text);
    SetTextPosition();
}

namespace {

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

} // namespace

int32_t TTxtLabObj::GetWidth() const { return Clamp32(int64_t{FTextObj->GetWidth()} + 2 * FTextObj->Pos.RelX); }

int32_t TTxtLabObj::GetHeight() const {
    return Clamp32(FTextObj->GetHeight() + 2 * (int64_t{FTextObj->Pos.RelY} + Generator().HotspotY()));
}

void TTxtLabObj::SetTextPosition() {
    const TCustomTxtLabGenerator* g = LabGenerator();
    // Wide enough for a text of any stored height.
    const int64_t fx = g ? g->FrameDX() : 0, fy = g ? g->FrameDY() : 0;
    const int64_t tw = FTextObj->GetWidth(), th = FTextObj->GetHeight();
    int64_t W = tw + 2 * fx, H = th + 2 * fy;
    switch (Generator().Shape()) {
    case stSquare:
        W = H = std::max(W, H);
        break;
    case stEllipse: {
        const double a = static_cast<double>(W), b = static_cast<double>(th / 2 + fy);
        W = Round64(std::sqrt(a * a + b * b) + b);
        const double w2 = W / 2.0;
        H = Round64(2 * std::sqrt(std::max(0.0, w2 * w2 - (a / 2) * (a / 2))));
        break;
    }
    case stCircle:
        W = H = Round64(std::hypot(static_cast<double>(W), static_cast<double>(H)));
        break;
    case stRoundRect:
    case stRoundSquare: {
        const int64_t r = Round64(std::min(tw, th) / static_cast<double>(std::max(1, GetDRoundRect())) * 0.15);
        W = tw + 2 * (fx + r);
        H = th + 2 * (fy + r);
        if (Generator().Shape() == stRoundSquare) W = H = std::max(W, H);
        break;
    }
    case stRectangle:
    case stRegion:
    case stLine:
        break;
    }
    if (W == GetWidth() && H == GetHeight()) return;
    FTextObj->Pos.RelX = static_cast<int16_t>(std::clamp<int64_t>((W - tw) / 2, INT16_MIN, INT16_MAX));
    FTextObj->Pos.RelY = static_cast<int16_t>(std::clamp<int64_t>((H - th) / 2, INT16_MIN, INT16_MAX));
}

void TTxtLabObj::AdjustToScale() {
    FTextObj->AdjustToScale();
    if (!FTextObj->GetWYSIWYG()) SetTextPosition();
}

void TTxtLabObj::AdjustToFontHeight() {
    FTextObj->AdjustToFontHeight();
    SetTextPosition();
}

// ---- Drawing ---------------------------------------------------------------------------------

void TTxtLabObj::Draw() {
    if (Tool()->OnObjectDraw) {
        Tool()->ObjectColors(this);
        Tool()->OnObjectDraw(this);
        return;
    }
    TPointObj::Draw();
    // The text turns with its frame, however the frame's angle was set.
    FTextObj->SetAlphaPlain(GetAlphaPlain());
    TCanvas& c = Canvas();
    const TPoint saved = c.Mapping().WindowOrg;
    TPoint corner{FTextObj->GetMinX(), FTextObj->GetMinY()};
    if (GetRotated()) {
        // The text's corner turns with the frame about the label's position.
        corner = FTextObj->GetPos();
        RotatePnt(corner, GetPos(), GetAlpha());
    }
    c.SetWindowOrg({-corner.X, -corner.Y});
    FTextObj->Draw();
    c.SetWindowOrg(saved);
}

// ---- Sizing ----------------------------------------------------------------------------------

namespace {

void SetCursorOf(TvlObject& o, TCursor c) {
    if (TObjectView* view = o.Tool()->View()) view->SetCursor(c);
}

} // namespace

bool TTxtLabObj::SizingVert(TPoint P, TSizeMode Mode, int32_t X, TSizingHandle Handle) {
    const int32_t t = ActScaleSet->GetTempFrame();
    if (Mode == TSizeMode::smShape) {
        Canvas().Rectangle({X - t, -t, X + t, t});
        Canvas().Rectangle({X - t, GetHeight() - t, X + t, GetHeight() + t});
        return false;
    }
    if (P.X < X - t || P.X > X + t) return false;
    SetCursorOf(*this, crSizeWE);
    SizingHandle = Handle;
    return true;
}

bool TTxtLabObj::SizingVertM(TPoint P, TSizeMode Mode, int32_t X, TSizingHandle Handle) {
    const int32_t t = ActScaleSet->GetTempFrame();
    const int32_t y = GetHeight() / 2;
    if (Mode == TSizeMode::smShape) {
        Canvas().Rectangle({X - t, y - t, X + t, y + t});
        return false;
    }
    if (P.X < X - t || P.X > X + t || P.Y < y - t || P.Y > y + t) return false;
    SetCursorOf(*this, crSizeWE);
    SizingHandle = Handle;
    return true;
}

bool TTxtLabObj::SizingHandles(TPoint P, TSizeMode Mode) {
    if (GetRotated() || FTextObj->GetWordBreak() <= 0) return TPointObj::SizingHandles(P, Mode);
    const TShapetype s = Generator().Shape();
    const bool round = s == stEllipse || s == stCircle;
    bool hit;
    if (round)
        hit = SizingVertM(P, Mode, 0, szVLine1) || SizingVertM(P, Mode, GetWidth(), szVLine2);
    else
        hit = SizingVert(P, Mode, 0, szVLine1) || SizingVert(P, Mode, GetWidth(), szVLine2);
    if (!hit && Mode == TSizeMode::smCheck) {
        SetCursorOf(*this, crArrow);
        SizingHandle = szNone;
    }
    return hit;
}

void TTxtLabObj::MovePos(TPoint DeltaPos) {
    if (GetRotated() || FTextObj->GetWordBreak() <= 0 || !GetSizing() || SizingHandle == szNone) {
        TPointObj::MovePos(DeltaPos);
        return;
    }
    const double w = GetWidth(), h = GetHeight();
    const double e = w + ActScaleSet->GetDirHorz() * DeltaPos.X;
    const int32_t cx = Round(std::sqrt(std::abs(e * e - h * h)));
    FTextObj->SetExtentWidth(cx);
    FTextObj->Pos.RelX = static_cast<int16_t>((Round(e) - cx) / 2);
}

void TTxtLabObj::EndMove() {
    if (SizingHandle != szNone) {
        if (SizingHandle == szRotate) {
            FTextObj->SetAlpha(GetAlpha());
            FTextObj->EndMove();
        } else {
            FTextObj->EndMove();
        }
        SetTextPosition();
    }
    TPointObj::EndMove();
}

// ---- Persistence --------------------------------------------------------------------------------

void TTxtLabObj::Persist(TStream* Stream, TPstMode Mode) {
    TPointObj::Persist(Stream, Mode);
    RegisterObject(Stream, *FTextObj, Mode);
    // The text's link is its owner, never one to look up in the document.
    FTextObj->Pos.ConObj = this;
    FTextObj->State.Exclude(TIndividualFlag::isConnect);
}

} // namespace vl
