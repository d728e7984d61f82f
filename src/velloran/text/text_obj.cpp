// TTextObj: text, geometry, measuring, font choice, scaling and persistence.

#include "velloran/text/text_obj.h"

#include <algorithm>
#include <cstdlib>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/transfer.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/rotated_drawing.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/tools/creator.h"

namespace vl {

using enum TIndividualFlag;

namespace {
// Bounds the font search: a damaged extent must not keep it going for ages.
constexpr int32_t MaxFontSteps = 4096;
} // namespace

// ---- Reference-scale measuring ---------------------------------------------------

TRefScaleMeasure::TRefScaleMeasure(bool On) {
    if (!On || !ActScaleSet || !ActScaleSet->Canvas()) return;
    FOn = true;
    FHadFlag = ActScaleSet->State.Contains(TScaleFlag::scRefScale);
    TCanvas& c = *ActScaleSet->Canvas();
    FSaved = c.Mapping();
    ActScaleSet->State.Include(TScaleFlag::scRefScale);
    ActScaleSet->SetMap(c);
    c.SetWindowOrg(FSaved.WindowOrg);
}

TRefScaleMeasure::~TRefScaleMeasure() {
    if (!FOn || !ActScaleSet) return;
    if (!FHadFlag) ActScaleSet->State.Exclude(TScaleFlag::scRefScale);
    if (TCanvas* c = ActScaleSet->Canvas()) {
        c->SetMapMode(FSaved.Mode);
        c->SetWindowExt(FSaved.WindowExt);
        c->SetViewportExt(FSaved.ViewportExt);
        c->SetWindowOrg(FSaved.WindowOrg);
        c->SetViewportOrg(FSaved.ViewportOrg);
    }
}

// ---- Construction and text ------------------------------------------------------------

TTextObj::TTextObj(TObjectTool* ATool) : TPointObj(ATool) {
    if (!dynamic_cast<TCustomTxtGenerator2*>(&Generator()))
        RaiseError("Tool.Generator must be of Type TCustomTxtGenerator2 or derived!");
}

TCustomTxtGenerator2& TTextObj::TxtGenerator() const {
    return static_cast<TCustomTxtGenerator2&>(Generator());
}

void TTextObj::SelectFont() {
    if (auto* creator = dynamic_cast<TvlCreator*>(Tool()))
        creator->ObjectFont(this);
    else if (TCanvas* c = MeasureCanvas())
        c->SetFont(GetFont());
}

bool TTextObj::ValidText(const String& S) {
    // Blanks alone show nothing, so they count as no text either.
    for (char16_t c : S)
        if (c > 32) return true;
    return false;
}

String TTextObj::GetText() const { return FText ? String(FText.get()) : String(); }

void TTextObj::StoreText(const String& S) {
    FText = std::make_unique<char16_t[]>(S.size() + 1);
    std::copy(S.begin(), S.end(), FText.get());
    FText[S.size()] = 0;
}

void TTextObj::SetText(const String& Text) {
    FText.reset();
    if (!ValidText(Text)) return;
    StoreText(Text);
    AdjustDrawRect();
    if (GetWYSIWYG() && Generator().Instance() == 1) AdjustToScale();
}

String TTextObj::RefText() const { return GetText(); }

// ---- Geometry -------------------------------------------------------------------------

bool TTextObj::FollowsOwnMaster() const {
    return IsSlave() && Pos.ConObj && Pos.ConObj != this && Pos.ConObj->Tool() == Tool();
}

int32_t TTextObj::GetX() const {
    return FollowsOwnMaster() ? Pos.ConObj->GetX() + Pos.RelX : TPointObj::GetX();
}

int32_t TTextObj::GetY() const {
    return FollowsOwnMaster() ? Pos.ConObj->GetY() + Pos.RelY : TPointObj::GetY();
}

int32_t TTextObj::GetMinX() const { return FollowsOwnMaster() ? GetX() : TPointObj::GetMinX(); }
int32_t TTextObj::GetMinY() const { return FollowsOwnMaster() ? GetY() : TPointObj::GetMinY(); }
int32_t TTextObj::GetWidth() const { return FTextExtent.cx; }
int32_t TTextObj::GetHeight() const { return FTextExtent.cy; }

// ---- Measuring and fonts -----------------------------------------------------------------

TCanvas* TTextObj::MeasureCanvas() { return ActScaleSet ? ActScaleSet->Canvas() : nullptr; }

TSize TTextObj::Measure(const String& S) {
    TCanvas* c = MeasureCanvas();
    if (!c) return FTextExtent;
    if (GetRotated()) {
        int32_t h = GetCurrFontHeight();
        const std::unique_ptr<TFontHandle> f = FindNewFont(h, false);
        const TFont before = c->Font();
        c->SetFont(FontOfLogFont(f->LogFont, GetFont().Color));
        const TSize e = c->TextExtent(S);
        c->SetFont(before);
        return e;
    }
    SelectFont();
    return c->TextExtent(S);
}

void TTextObj::AdjustDrawRect() {
    if (!HasText() || !MeasureCanvas()) return;
    TRefScaleMeasure ref(GetWYSIWYG());
    FTextExtent = Measure(RefText());
}

bool TTextObj::GetFontCanDisplay() const {
    return ActScaleSet && ActScaleSet->LogToPix(FTextExtent.cy) > 2;
}

int32_t TTextObj::GetCurrFontHeight() {
    if (!GetRotated()) return Generator().CurrFontHeight();
    if (FInternal == 0) FInternal = GetFont().Height;
    return FInternal;
}

bool TTextObj::HasScalableFont() const {
    if (&GetFont() == &Generator().Font()) return Generator().FontIsScalable();
    return TCustomGenerator::FontIsScalable(GetFont());
}

std::unique_ptr<TFontHandle> TTextObj::FindNewFont(int32_t& Height, bool Adjust) {
    TFont font = GetFont();
    int32_t h = Height != 0 ? Height : font.Height;
    auto make = [&](int32_t height) {
        font.Height = height;
        return CreateFontHandle(RotatedLogFont(font, GetRotated() ? GetAlpha() : 0.0));
    };
    std::unique_ptr<TFontHandle> f = make(h);
    TCanvas* c = MeasureCanvas();
    if (Adjust && c && HasScalableFont()) {
        const String ref = RefText();
        const TFont before = c->Font();
        auto width = [&] {
            c->SetFont(FontOfLogFont(f->LogFont, font.Color));
            return c->TextExtent(ref).cx;
        };
        const int32_t step = h >= 0 ? 1 : -1;
        for (int32_t n = 0; n < MaxFontSteps && width() < FTextExtent.cx; ++n) f = make(h += step);
        for (int32_t n = 0; n < MaxFontSteps && h != step && width() > FTextExtent.cx; ++n) f = make(h -= step);
        c->SetFont(before);
    }
    Height = h;
    FInternal = Height;
    State.Exclude(isCorrect);
    return f;
}

TFont TTextObj::DrawingFont(const TFontHandle& Handle, TColor Color) const {
    return FontOfLogFont(Handle.LogFont, Color);
}

TFont TTextObj::GetFontHandle() {
    const bool adjust = State.Contains(isCorrect);
    if (GetRotated()) {
        int32_t h = GetCurrFontHeight();
        return DrawingFont(*FindNewFont(h, adjust), GetFont().Color);
    }
    TCustomGenerator& g = Generator();
    if (GetWYSIWYG() && &GetFont() == &g.Font()) {
        if (!g.FontHandle()) {
            int32_t h = g.CurrFontHeight();
            std::unique_ptr<TFontHandle> f = FindNewFont(h, adjust);
            g.SetCurrFontHeight(h);
            g.SetFontHandle(std::move(f), h);
        }
        return DrawingFont(*g.FontHandle(), GetFont().Color);
    }
    return GetFont();
}

TPoint TTextObj::AlignOffs() {
    TCanvas* c = MeasureCanvas();
    if (!c) return {};
    const TTextAlign& a = TxtGenerator().TextAlign();
    if (a.Horz() == THorzAlign::haLeft && a.Vert() == TVertAlign::vaTop) return {};
    const TSize e = c->TextExtent(RefText());
    TPoint d;
    if (a.Horz() == THorzAlign::haCenter) d.X = (FTextExtent.cx - e.cx) / 2;
    if (a.Horz() == THorzAlign::haRight) d.X = FTextExtent.cx - e.cx;
    if (a.Vert() == TVertAlign::vaCenter) d.Y = (FTextExtent.cy - e.cy) / 2;
    if (a.Vert() == TVertAlign::vaBottom) d.Y = FTextExtent.cy - e.cy;
    return d;
}

// ---- Scaling ----------------------------------------------------------------------------

void TTextObj::AdjustToScale() {
    if (!GetFontCanDisplay() || !HasText()) return;
    if (!GetWYSIWYG()) {
        const TSize old = FTextExtent;
        AdjustDrawRect();
        if (!(old == FTextExtent)) ActScaleSet->State.Include(TScaleFlag::scBoundsChanged);
    } else if (GetRotated()) {
        State.Include(isCorrect);
    } else {
        AdjustFontHeight();
    }
}

void TTextObj::AdjustFontHeight() {
    TCanvas* c = MeasureCanvas();
    if (!c || !HasScalableFont()) return;
    ActScaleSet->SetMap(*c);
    c->SetFont(GetFontHandle());
    if (c->TextExtent(RefText()).cx == FTextExtent.cx) return;
    TCustomGenerator& g = Generator();
    int32_t h = g.CurrFontHeight();
    std::unique_ptr<TFontHandle> f = FindNewFont(h, true);
    g.SetFontHandle(std::move(f), h);
}

void TTextObj::AdjustToFontHeight() {
    FInternal = 0;
    AdjustDrawRect();
}

// ---- Persistence ------------------------------------------------------------------------

void TTextObj::Persist(TStream* Stream, TPstMode Mode) {
    TPointObj::Persist(Stream, Mode);
    if (!IsWriting(Mode) && !IsReading(Mode)) return;
    std::unique_ptr<char16_t[]> text;
    if (IsWriting(Mode)) text = std::move(FText);
    try {
        RegisterPChar(Stream, text, Mode);
    } catch (...) {
        if (IsWriting(Mode)) FText = std::move(text);
        throw;
    }
    FText = std::move(text);
    TTransfer t(StreamFor(Stream, Mode), Mode);
    TSize e = FTextExtent;
    t.Value(e.cx);
    t.Value(e.cy);
    FTextExtent = {std::clamp(e.cx, 0, MaxTextExtent), std::clamp(e.cy, 0, MaxTextExtent)};
}

} // namespace vl
