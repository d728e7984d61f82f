#include "velloran/platform/metafile_canvas.h"

#include <algorithm>
#include <cmath>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/round.h"
#include "velloran/platform/detail/dib.h"
#include "velloran/platform/detail/emf_bytes.h"
#include "velloran/platform/detail/emf_objects.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"
#include "velloran/platform/emf_header.h"
#include "velloran/platform/text_metrics.h"

namespace vl {

using namespace bytes;

namespace {

// Records store boxes with inclusive edges; coordinates near the integer
// limits saturate instead of wrapping.
TRect Inclusive(const TRect& r) {
    return {r.Left, r.Top, Add(r.Right, -1), Add(r.Bottom, -1)};
}
TRect Inflated(const TRect& r, int32_t d) {
    return {Add(r.Left, -static_cast<int64_t>(d)), Add(r.Top, -static_cast<int64_t>(d)),
            Add(r.Right, d), Add(r.Bottom, d)};
}

// Inclusive logical box around points, as the poly records store it.
TRect PointBounds(std::span<const TPoint> pts) {
    if (pts.empty()) return {0, 0, -1, -1};
    TRect b{pts[0].X, pts[0].Y, pts[0].X, pts[0].Y};
    for (const TPoint& p : pts) {
        b.Left = std::min(b.Left, p.X);
        b.Top = std::min(b.Top, p.Y);
        b.Right = std::max(b.Right, p.X);
        b.Bottom = std::max(b.Bottom, p.Y);
    }
    return b;
}
} // namespace

TMetafileCanvas::TMetafileCanvas(TMetafile& mf, const TReferenceDevice& ref)
    : FMetafile(mf), FRef(ref) {
    if (mf.Width() > 0 && mf.Height() > 0) {
        FFixedSize = true;
        const TEmfHeader h = ReadEmfHeader(mf.Data());
        FFixedBounds = h.Bounds;
    }
    FLive.push_back(true);
    Emit(emr::SETBKMODE, {emf::TRANSPARENT});
}

TMetafileCanvas::~TMetafileCanvas() {
    // A destructor must not throw; Close() only fails on a metafile beyond 4 GB.
    try {
        Close();
    } catch (const Exception&) {
    }
}

void TMetafileCanvas::Close() {
    if (FClosed) return;
    FClosed = true;
    TEmfHeader h;
    h.Bounds = FFixedSize ? FFixedBounds : FBounds;
    h.DevicePixels = FRef.Pixels;
    h.DeviceMicrometers = FRef.Micrometers;
    h.DeviceMillimeters = {Round(FRef.Micrometers.cx / 1000.0),
                           Round(FRef.Micrometers.cy / 1000.0)};
    h.Frame = EmfFrameOfBounds(h.Bounds, h.DevicePixels, h.DeviceMicrometers);
    h.Records = FRecords + 2;
    h.Bytes = static_cast<uint32_t>(EmfHeaderSize + FBody.size() + EmfEofSize);
    h.Handles = static_cast<uint16_t>(std::min<size_t>(FLive.size(), 0xFFFF));
    std::vector<uint8_t> data;
    data.reserve(h.Bytes);
    WriteEmfHeader(data, h);
    data.insert(data.end(), FBody.begin(), FBody.end());
    WriteEmfEof(data);
    FMetafile.SetData(std::move(data));
    FBody.clear();
    FBody.shrink_to_fit();
}

// ---- Record writing --------------------------------------------------------

size_t TMetafileCanvas::Begin(uint32_t type) {
    const size_t at = FBody.size();
    PutU32(FBody, type);
    PutU32(FBody, 0);
    return at;
}

void TMetafileCanvas::End(size_t at) {
    while (FBody.size() % 4)
        FBody.push_back(0);
    SetU32(FBody, at + 4, static_cast<uint32_t>(FBody.size() - at));
    ++FRecords;
}

void TMetafileCanvas::Put(int32_t v) {
    PutI32(FBody, v);
}

void TMetafileCanvas::PutRect(const TRect& r) {
    Put(r.Left);
    Put(r.Top);
    Put(r.Right);
    Put(r.Bottom);
}

void TMetafileCanvas::PutPoints(std::span<const TPoint> pts) {
    for (const TPoint& p : pts) {
        Put(p.X);
        Put(p.Y);
    }
}

// Region data: a 32-byte header and the rectangles.
void TMetafileCanvas::PutRegion(const std::vector<TRect>& rects) {
    Put(32);
    Put(emf::RDH_RECTANGLES);
    Put(static_cast<int32_t>(rects.size()));
    Put(static_cast<int32_t>(rects.size() * 16));
    TRect box = rects.empty() ? TRect{} : rects[0];
    for (const TRect& r : rects) {
        box.Left = std::min(box.Left, r.Left);
        box.Top = std::min(box.Top, r.Top);
        box.Right = std::max(box.Right, r.Right);
        box.Bottom = std::max(box.Bottom, r.Bottom);
    }
    PutRect(box);
    for (const TRect& r : rects)
        PutRect(r);
}

void TMetafileCanvas::Emit(uint32_t type, std::initializer_list<int32_t> values) {
    if (FClosed) return;
    const size_t at = Begin(type);
    for (int32_t v : values)
        Put(v);
    End(at);
}

// ---- Lazy state ------------------------------------------------------------

void TMetafileCanvas::RealiseMapping() {
    TMapping& r = FRealised.Mapping;
    const TMapping& m = FMapping;
    if (m == r) return;
    // The mode first: a player ignores extents while the mode is fixed.
    if (m.Mode != r.Mode) Emit(emr::SETMAPMODE, {static_cast<int32_t>(m.Mode)});
    if (m.WindowExt != r.WindowExt) Emit(emr::SETWINDOWEXTEX, {m.WindowExt.cx, m.WindowExt.cy});
    if (m.ViewportExt != r.ViewportExt)
        Emit(emr::SETVIEWPORTEXTEX, {m.ViewportExt.cx, m.ViewportExt.cy});
    if (m.WindowOrg != r.WindowOrg) Emit(emr::SETWINDOWORGEX, {m.WindowOrg.X, m.WindowOrg.Y});
    if (m.ViewportOrg != r.ViewportOrg)
        Emit(emr::SETVIEWPORTORGEX, {m.ViewportOrg.X, m.ViewportOrg.Y});
    r = m;
}

uint32_t TMetafileCanvas::NewHandle() {
    for (uint32_t i = 1; i < FLive.size(); ++i)
        if (!FLive[i]) {
            FLive[i] = true;
            return i;
        }
    FLive.push_back(true);
    return static_cast<uint32_t>(FLive.size() - 1);
}

bool TMetafileCanvas::Referenced(uint32_t h) const {
    auto uses = [h](const TRealised& s) { return s.Pen == h || s.Brush == h || s.Font == h; };
    return uses(FRealised) || std::any_of(FRealisedStack.begin(), FRealisedStack.end(), uses);
}

// Objects still selected in a saved state stay alive until that state is gone.
void TMetafileCanvas::ReleaseUnused(std::initializer_list<uint32_t> handles) {
    for (uint32_t h : handles)
        if (h && h < FLive.size() && FLive[h] && !Referenced(h)) {
            Emit(emr::DELETEOBJECT, {static_cast<int32_t>(h)});
            FLive[h] = false;
        }
}

void TMetafileCanvas::RealisePen() {
    RealiseMapping();
    const uint32_t rop2 = emf::Rop2OfPenMode[static_cast<size_t>(FPen.Mode) & 15];
    if (rop2 != FRealised.Rop2) {
        Emit(emr::SETROP2, {static_cast<int32_t>(rop2)});
        FRealised.Rop2 = rop2;
    }
    TPen& r = FRealised.PenValue;
    if (FRealised.Pen && FPen.Color == r.Color && FPen.Width == r.Width && FPen.Style == r.Style)
        return;
    const uint32_t h = NewHandle();
    Emit(emr::CREATEPEN, {static_cast<int32_t>(h), static_cast<int32_t>(FPen.Style), FPen.Width, 0,
                          ColorToRGB(FPen.Color)});
    Emit(emr::SELECTOBJECT, {static_cast<int32_t>(h)});
    const uint32_t old = FRealised.Pen;
    FRealised.Pen = h;
    r = FPen;
    ReleaseUnused({old});
}

void TMetafileCanvas::CreateBrushObject(uint32_t h, const TBrush& b) {
    const bool hatched = b.Style >= TBrushStyle::bsHorizontal;
    const int32_t style = b.Style == TBrushStyle::bsClear ? emf::BS_NULL
                          : hatched                       ? emf::BS_HATCHED
                                                          : emf::BS_SOLID;
    const int32_t hatch =
        hatched ? static_cast<int32_t>(b.Style) - static_cast<int32_t>(TBrushStyle::bsHorizontal)
                : 0;
    Emit(emr::CREATEBRUSHINDIRECT, {static_cast<int32_t>(h), style, ColorToRGB(b.Color), hatch});
}

void TMetafileCanvas::RealiseBrush() {
    RealiseMapping();
    if (FPolyFillMode != FRealised.FillMode) {
        Emit(emr::SETPOLYFILLMODE, {static_cast<int32_t>(FPolyFillMode)});
        FRealised.FillMode = FPolyFillMode;
    }
    if (FRealised.Brush && FBrush == FRealised.BrushValue) return;
    const uint32_t h = NewHandle();
    CreateBrushObject(h, FBrush);
    Emit(emr::SELECTOBJECT, {static_cast<int32_t>(h)});
    const uint32_t old = FRealised.Brush;
    FRealised.Brush = h;
    FRealised.BrushValue = FBrush;
    ReleaseUnused({old});
}

void TMetafileCanvas::RealiseFont() {
    RealiseMapping();
    const TColor color = ColorToRGB(FFont.Color);
    if (color != FRealised.TextColor) {
        Emit(emr::SETTEXTCOLOR, {color});
        FRealised.TextColor = color;
    }
    TFont cmp = FFont, had = FRealised.FontValue;
    cmp.Color = had.Color = 0; // the colour is DC state, not part of the font object
    if (FRealised.Font && cmp == had) return;
    const uint32_t h = NewHandle();
    const TLogFont lf = LogFontOf(FFont);
    if (!FClosed) {
        const size_t at = Begin(emr::EXTCREATEFONTINDIRECTW);
        Put(static_cast<int32_t>(h));
        for (int32_t v : {lf.lfHeight, lf.lfWidth, lf.lfEscapement, lf.lfOrientation, lf.lfWeight})
            Put(v);
        for (uint8_t b : {lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut, lf.lfCharSet,
                          lf.lfOutPrecision, lf.lfClipPrecision, lf.lfQuality, lf.lfPitchAndFamily})
            FBody.push_back(b);
        for (size_t i = 0; i < 32; ++i)
            PutU16(FBody, i < lf.lfFaceName.size() && i < 31
                              ? static_cast<uint16_t>(lf.lfFaceName[i])
                              : 0);
        End(at);
    }
    Emit(emr::SELECTOBJECT, {static_cast<int32_t>(h)});
    const uint32_t old = FRealised.Font;
    FRealised.Font = h;
    FRealised.FontValue = FFont;
    ReleaseUnused({old});
}

// ---- Bounds ----------------------------------------------------------------

void TMetafileCanvas::AddDeviceBounds(TRect d) {
    if (d.Right < d.Left || d.Bottom < d.Top) return;
    if (!FHaveBounds) {
        FBounds = d;
        FHaveBounds = true;
        return;
    }
    FBounds.Left = std::min(FBounds.Left, d.Left);
    FBounds.Top = std::min(FBounds.Top, d.Top);
    FBounds.Right = std::max(FBounds.Right, d.Right);
    FBounds.Bottom = std::max(FBounds.Bottom, d.Bottom);
}

void TMetafileCanvas::AddBounds(std::span<const TPoint> logical, bool pen) {
    if (logical.empty()) return;
    TPoint first = LPtoDP(logical[0]);
    TRect d{first.X, first.Y, first.X, first.Y};
    for (const TPoint& p : logical) {
        const TPoint q = LPtoDP(p);
        d.Left = std::min(d.Left, q.X);
        d.Top = std::min(d.Top, q.Y);
        d.Right = std::max(d.Right, q.X);
        d.Bottom = std::max(d.Bottom, q.Y);
    }
    if (pen && FPen.Style != TPenStyle::psClear) {
        const int32_t half = Round(FPen.Width * std::abs(FMapping.ScaleX()) / 2);
        d = Inflated(d, half);
    }
    AddDeviceBounds(d);
}

// Boxes exclude their right and bottom edge.
void TMetafileCanvas::AddBoxBounds(const TRect& logical, bool pen) {
    const TPoint a = LPtoDP(logical.TopLeft()), b = LPtoDP(logical.BottomRight());
    TRect d = TRect{a.X, a.Y, b.X, b.Y}.Normalised();
    if (d.Right > d.Left) --d.Right;
    if (d.Bottom > d.Top) --d.Bottom;
    if (pen && FPen.Style != TPenStyle::psClear) {
        const int32_t half = Round(FPen.Width * std::abs(FMapping.ScaleX()) / 2);
        d = Inflated(d, half);
    }
    AddDeviceBounds(d);
}

// ---- Figures ---------------------------------------------------------------

int32_t TMetafileCanvas::GetDeviceCaps(TDeviceCap cap) const {
    switch (cap) {
    case TDeviceCap::HORZSIZE:
        return Round(FRef.Micrometers.cx / 1000.0);
    case TDeviceCap::VERTSIZE:
        return Round(FRef.Micrometers.cy / 1000.0);
    case TDeviceCap::HORZRES:
        return FRef.Pixels.cx;
    case TDeviceCap::VERTRES:
        return FRef.Pixels.cy;
    case TDeviceCap::LOGPIXELSX:
        return FRef.Micrometers.cx > 0 ? Round(FRef.Pixels.cx * 25400.0 / FRef.Micrometers.cx) : 96;
    case TDeviceCap::LOGPIXELSY:
        return FRef.Micrometers.cy > 0 ? Round(FRef.Pixels.cy * 25400.0 / FRef.Micrometers.cy) : 96;
    }
    return 0;
}

void TMetafileCanvas::MoveTo(int32_t x, int32_t y) {
    RealiseMapping();
    Emit(emr::MOVETOEX, {x, y});
    FPenPos = {x, y};
}

void TMetafileCanvas::LineTo(int32_t x, int32_t y) {
    RealisePen();
    Emit(emr::LINETO, {x, y});
    const TPoint line[2] = {FPenPos, {x, y}};
    AddBounds(line, true);
    FPenPos = {x, y};
}

void TMetafileCanvas::PolyRecord(uint32_t type, std::span<const TPoint> pts) {
    if (FClosed) return;
    const size_t at = Begin(type);
    PutRect(PointBounds(pts));
    Put(static_cast<int32_t>(pts.size()));
    PutPoints(pts);
    End(at);
    AddBounds(pts, true);
}

void TMetafileCanvas::Polygon(std::span<const TPoint> pts) {
    RealisePen();
    RealiseBrush();
    PolyRecord(emr::POLYGON, pts);
}

void TMetafileCanvas::Polyline(std::span<const TPoint> pts) {
    RealisePen();
    PolyRecord(emr::POLYLINE, pts);
}

void TMetafileCanvas::PolyPolyline(std::span<const TPoint> pts, std::span<const uint32_t> counts) {
    RealisePen();
    if (FClosed) return;
    // Counts beyond the points given are cut, so the record stays consistent.
    std::vector<uint32_t> used;
    size_t total = 0;
    for (uint32_t c : counts) {
        const size_t n = std::min<size_t>(c, pts.size() - total);
        used.push_back(static_cast<uint32_t>(n));
        total += n;
    }
    const auto drawn = pts.first(total);
    const size_t at = Begin(emr::POLYPOLYLINE);
    PutRect(PointBounds(drawn));
    Put(static_cast<int32_t>(used.size()));
    Put(static_cast<int32_t>(total));
    for (uint32_t c : used)
        PutU32(FBody, c);
    PutPoints(drawn);
    End(at);
    AddBounds(drawn, true);
}

void TMetafileCanvas::BoxRecord(uint32_t type, const TRect& r) {
    RealisePen();
    RealiseBrush();
    Emit(type, {r.Left, r.Top, r.Right, r.Bottom});
    AddBoxBounds(r, true);
}

void TMetafileCanvas::Rectangle(const TRect& r) {
    BoxRecord(emr::RECTANGLE, r);
}
void TMetafileCanvas::Ellipse(const TRect& r) {
    BoxRecord(emr::ELLIPSE, r);
}

void TMetafileCanvas::RoundRect(const TRect& r, int32_t cornerW, int32_t cornerH) {
    RealisePen();
    RealiseBrush();
    Emit(emr::ROUNDRECT, {r.Left, r.Top, r.Right, r.Bottom, cornerW, cornerH});
    AddBoxBounds(r, true);
}

void TMetafileCanvas::ArcRecord(uint32_t type, const TRect& r, TPoint start, TPoint end) {
    RealisePen();
    if (type != emr::ARC) RealiseBrush();
    Emit(type, {r.Left, r.Top, r.Right, r.Bottom, start.X, start.Y, end.X, end.Y});
    AddBoxBounds(r, true);
}

void TMetafileCanvas::Arc(const TRect& r, TPoint s, TPoint e) {
    ArcRecord(emr::ARC, r, s, e);
}
void TMetafileCanvas::Chord(const TRect& r, TPoint s, TPoint e) {
    ArcRecord(emr::CHORD, r, s, e);
}
void TMetafileCanvas::Pie(const TRect& r, TPoint s, TPoint e) {
    ArcRecord(emr::PIE, r, s, e);
}

void TMetafileCanvas::FillRect(const TRect& r) {
    // A one-rectangle region filled with the brush: no outline, edges exclusive.
    RealiseBrush();
    if (FClosed) return;
    const TRect n = r.Normalised();
    const size_t at = Begin(emr::FILLRGN);
    PutRect(Inclusive(n));
    Put(32 + 16);
    Put(static_cast<int32_t>(FRealised.Brush));
    PutRegion({n});
    End(at);
    AddBoxBounds(n, false);
}

void TMetafileCanvas::TextOut(int32_t x, int32_t y, const String& text) {
    RealiseFont();
    if (FClosed) return;
    const TSize ext = HeadlessTextExtent(FFont, text);
    const int32_t advance = HeadlessAdvance(FFont);
    const size_t at = Begin(emr::EXTTEXTOUTW);
    const TRect box{x, y, Add(x, ext.cx), Add(y, ext.cy)};
    PutRect(Inclusive(box));
    Put(static_cast<int32_t>(emf::GM_COMPATIBLE));
    // Page units to 0.01 mm, for players that scale by the frame.
    PutF32(FBody, static_cast<float>(
                      FRef.Pixels.cx > 0 ? FRef.Micrometers.cx / 10.0 / FRef.Pixels.cx : 0));
    PutF32(FBody, static_cast<float>(
                      FRef.Pixels.cy > 0 ? FRef.Micrometers.cy / 10.0 / FRef.Pixels.cy : 0));
    const size_t n = text.size();
    const size_t stringBytes = (n * 2 + 3) / 4 * 4;
    Put(x);
    Put(y);
    Put(static_cast<int32_t>(n));
    Put(static_cast<int32_t>(emrtext::Size));
    Put(0); // options
    PutRect({0, 0, -1, -1});
    Put(static_cast<int32_t>(emrtext::Size + stringBytes));
    for (char16_t c : text)
        PutU16(FBody, static_cast<uint16_t>(c));
    while ((FBody.size() - at) % 4)
        FBody.push_back(0);
    for (size_t i = 0; i < n; ++i)
        Put(advance);
    End(at);
    AddBoxBounds(box, false);
}

TSize TMetafileCanvas::TextExtent(const String& text) {
    return HeadlessTextExtent(FFont, text);
}

void TMetafileCanvas::SetPixel(int32_t x, int32_t y, TColor c) {
    RealiseMapping();
    Emit(emr::SETPIXELV, {x, y, ColorToRGB(c)});
    AddBoxBounds({x, y, Add(x, 1), Add(y, 1)}, false);
}

TColor TMetafileCanvas::GetPixel(int32_t, int32_t) const {
    return clNone;
}

// ---- Regions and clipping --------------------------------------------------

void TMetafileCanvas::RegionRecord(uint32_t type, const TRegion& rgn, const TBrush& brush,
                                   int32_t w, int32_t h) {
    RealiseMapping();
    if (FClosed || rgn.Empty()) return;
    // The canvas takes device regions, the records hold logical ones.
    std::vector<TRect> rects = rgn.Scans();
    for (TRect& r : rects) {
        const TPoint a = DPtoLP(r.TopLeft()), b = DPtoLP(r.BottomRight());
        r = TRect{a.X, a.Y, b.X, b.Y}.Normalised();
    }
    const bool reuse = FRealised.Brush && brush == FRealised.BrushValue;
    const uint32_t handle = reuse ? FRealised.Brush : NewHandle();
    if (!reuse) CreateBrushObject(handle, brush);
    const TRect box = rgn.Box();
    const size_t at = Begin(type);
    const TPoint a = DPtoLP(box.TopLeft()), b = DPtoLP(box.BottomRight());
    PutRect(TRect{a.X, a.Y, b.X, b.Y}.Normalised());
    Put(static_cast<int32_t>(32 + 16 * rects.size()));
    Put(static_cast<int32_t>(handle));
    if (type == emr::FRAMERGN) {
        Put(w);
        Put(h);
    }
    PutRegion(rects);
    End(at);
    if (!reuse) {
        Emit(emr::DELETEOBJECT, {static_cast<int32_t>(handle)});
        FLive[handle] = false;
    }
    AddDeviceBounds(Inclusive(box));
}

void TMetafileCanvas::FillRgn(const TRegion& rgn, const TBrush& brush) {
    RegionRecord(emr::FILLRGN, rgn, brush, 0, 0);
}

void TMetafileCanvas::FrameRgn(const TRegion& rgn, const TBrush& brush, int32_t w, int32_t h) {
    RegionRecord(emr::FRAMERGN, rgn, brush, w, h);
}

TRect TMetafileCanvas::Surface() const {
    if (FFixedSize)
        return {FFixedBounds.Left, FFixedBounds.Top, Add(FFixedBounds.Right, 1),
                Add(FFixedBounds.Bottom, 1)};
    return {0, 0, FRef.Pixels.cx, FRef.Pixels.cy};
}

void TMetafileCanvas::SelectClipRgn(const TRegion* rgn) {
    if (!FClosed) {
        const std::vector<TRect> rects = rgn ? rgn->Scans() : std::vector<TRect>{};
        const size_t at = Begin(emr::EXTSELECTCLIPRGN);
        Put(rgn ? static_cast<int32_t>(32 + 16 * rects.size()) : 0);
        Put(emf::RGN_COPY);
        if (rgn) PutRegion(rects);
        End(at);
    }
    FRealised.Clipped = rgn != nullptr;
    if (rgn) FRealised.Clip = rgn->Empty() ? TRect{} : rgn->Box();
}

void TMetafileCanvas::IntersectClipRect(const TRect& r) {
    RealiseMapping();
    Emit(emr::INTERSECTCLIPRECT, {r.Left, r.Top, r.Right, r.Bottom});
    const TPoint a = LPtoDP(r.TopLeft()), b = LPtoDP(r.BottomRight());
    const TRect d = TRect{a.X, a.Y, b.X, b.Y}.Normalised();
    const TRect c = FRealised.Clipped ? FRealised.Clip : Surface();
    TRect i{std::max(c.Left, d.Left), std::max(c.Top, d.Top), std::min(c.Right, d.Right),
            std::min(c.Bottom, d.Bottom)};
    if (i.Left >= i.Right || i.Top >= i.Bottom) i = {};
    FRealised.Clipped = true;
    FRealised.Clip = i;
}

TRect TMetafileCanvas::GetClipBox() const {
    const TRect c = FRealised.Clipped ? FRealised.Clip : Surface();
    const TPoint a = DPtoLP(c.TopLeft()), b = DPtoLP(c.BottomRight());
    return TRect{a.X, a.Y, b.X, b.Y}.Normalised();
}

int32_t TMetafileCanvas::SaveDC() {
    Emit(emr::SAVEDC, {});
    FRealisedStack.push_back(FRealised);
    return TCanvas::SaveDC();
}

void TMetafileCanvas::RestoreDC(int32_t level) {
    const int32_t n = static_cast<int32_t>(FSaved.size());
    if (level < 0) level = n + 1 + level;
    if (level < 1 || level > n) return;
    Emit(emr::RESTOREDC, {level - n - 1});
    const TRealised gone = FRealised;
    std::vector<uint32_t> dropped{gone.Pen, gone.Brush, gone.Font};
    for (size_t i = static_cast<size_t>(level); i < FRealisedStack.size(); ++i)
        dropped.insert(dropped.end(),
                       {FRealisedStack[i].Pen, FRealisedStack[i].Brush, FRealisedStack[i].Font});
    FRealised = FRealisedStack[static_cast<size_t>(level - 1)];
    FRealisedStack.resize(static_cast<size_t>(level - 1));
    for (uint32_t h : dropped)
        ReleaseUnused({h});
    TCanvas::RestoreDC(level);
}

// ---- Pictures --------------------------------------------------------------

void TMetafileCanvas::StretchBitmap(const TRect& dest, const TBitmap& src, const TRect& srcRect) {
    DibRecord(dest, src, srcRect, nullptr);
}

void TMetafileCanvas::DibRecord(const TRect& dest, const TBitmap& src, const TRect& srcRect,
                                const std::vector<bool>* mask) {
    RealiseMapping();
    if (FClosed || src.Empty()) return;
    std::vector<uint8_t> info, bits;
    EncodeDib(src, mask, info, bits);
    const uint32_t offBmi = 80, offBits = offBmi + static_cast<uint32_t>(info.size());
    const size_t at = Begin(emr::STRETCHDIBITS);
    const TRect n = dest.Normalised();
    PutRect(Inclusive(n));
    Put(dest.Left);
    Put(dest.Top);
    // Source rows of a bottom-up image count from the bottom.
    Put(srcRect.Left);
    Put(Sat(static_cast<int64_t>(src.Height()) - srcRect.Bottom));
    Put(Sat(static_cast<int64_t>(srcRect.Right) - srcRect.Left));
    Put(Sat(static_cast<int64_t>(srcRect.Bottom) - srcRect.Top));
    Put(static_cast<int32_t>(offBmi));
    Put(static_cast<int32_t>(info.size()));
    Put(static_cast<int32_t>(offBits));
    Put(static_cast<int32_t>(bits.size()));
    Put(emf::DIB_RGB_COLORS);
    Put(static_cast<int32_t>(emf::SRCCOPY));
    Put(Sat(static_cast<int64_t>(dest.Right) - dest.Left));
    Put(Sat(static_cast<int64_t>(dest.Bottom) - dest.Top));
    FBody.insert(FBody.end(), info.begin(), info.end());
    FBody.insert(FBody.end(), bits.begin(), bits.end());
    End(at);
    AddBoxBounds(dest, false);
}

void TMetafileCanvas::StretchDraw(const TRect& r, const TGraphic& graphic) {
    if (auto* mf = dynamic_cast<const TMetafile*>(&graphic)) {
        PlayEnhMetaFile(*this, *mf, r);
        return;
    }
    // See-through pixels travel as alpha 0 in a 32-bit image; players that
    // ignore alpha show the picture opaque.
    std::vector<bool> mask;
    const TBitmap* bmp = nullptr;
    if (auto* b = dynamic_cast<const TBitmap*>(&graphic)) {
        bmp = b;
        if (graphic.Transparent()) mask = b->Mask();
    } else if (auto* icon = dynamic_cast<const TIcon*>(&graphic)) {
        bmp = &icon->Image();
        mask = icon->Mask();
    } else if (auto* jpeg = dynamic_cast<const TJPEGImage*>(&graphic)) {
        bmp = &jpeg->Bitmap();
    }
    if (!bmp) return;
    const bool masked = std::find(mask.begin(), mask.end(), true) != mask.end();
    DibRecord(r, *bmp, {0, 0, bmp->Width(), bmp->Height()}, masked ? &mask : nullptr);
}

bool TMetafileCanvas::CopyToBitmap(const TRect&, TBitmap&) const {
    return false;
}

} // namespace vl
