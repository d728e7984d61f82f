// The record side of the metafile player: object table and record dispatch.
#include "velloran/platform/metafile_player.h"

#include <algorithm>
#include <cmath>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/round.h"
#include "velloran/platform/detail/dib.h"
#include "velloran/platform/detail/emf_bytes.h"
#include "velloran/platform/detail/emf_objects.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"
#include "velloran/platform/text_metrics.h"

namespace vl {

namespace {
// Rectangles of a region data block at offset `at` of a record, cb bytes long.
std::vector<TRect> RegionRects(const TEmfRecord& rec, size_t at, size_t cb) {
    const size_t size = rec.Bytes.size();
    if (at > size || cb > size - at || cb < 32) return {};
    const size_t n = rec.DWord(at + 8);
    if (n > (cb - 32) / 16) return {};
    std::vector<TRect> rects(n);
    for (size_t i = 0; i < n; ++i)
        rects[i] = EmfRect(rec, at + 32 + 16 * i);
    return rects;
}

bool Inside(const TEmfRecord& rec, uint32_t offset, uint32_t count) {
    return offset <= rec.Bytes.size() && count <= rec.Bytes.size() - offset;
}
} // namespace

void TMetafilePlayer::SelectObject(uint32_t index) {
    if (index & emf::StockObject) {
        const uint32_t stock = index & ~emf::StockObject;
        static constexpr TColor grays[] = {clWhite, clSilver, clGray, 0x404040, clBlack};
        if (stock <= emf::BLACK_BRUSH) FBrush = {grays[stock], TBrushStyle::bsSolid};
        if (stock == emf::NULL_BRUSH) FBrush.Style = TBrushStyle::bsClear;
        if (stock == emf::WHITE_PEN || stock == emf::BLACK_PEN) {
            FPen.Color = stock == emf::WHITE_PEN ? clWhite : clBlack;
            FPen.Width = 1;
            FPen.Style = TPenStyle::psSolid;
        }
        if (stock == emf::NULL_PEN) FPen.Style = TPenStyle::psClear;
        if (stock >= emf::OEM_FIXED_FONT && stock <= emf::DEFAULT_GUI_FONT) {
            const TColor c = FFont.Color;
            FFont = TFont();
            FFont.Color = c;
        }
        return;
    }
    if (index >= FObjects.size()) return;
    const TTableEntry& o = FObjects[index];
    switch (o.Kind) {
    case TTableEntry::TKind::okPen:
        FPen.Color = o.Pen.Color;
        FPen.Width = o.Pen.Width;
        FPen.Style = o.Pen.Style;
        break;
    case TTableEntry::TKind::okBrush:
        FBrush = o.Brush;
        break;
    case TTableEntry::TKind::okFont:
        FFont = FontOfLogFont(o.Font, FFont.Color);
        break;
    case TTableEntry::TKind::okNone:
        break;
    }
}

void TMetafilePlayer::PlayBezier(std::span<const TPoint> pts, bool fromPenPos) {
    std::vector<TPoint> line;
    TPoint p0 = fromPenPos ? FPenPos : (pts.empty() ? TPoint{} : pts[0]);
    size_t i = fromPenPos ? 0 : 1;
    if (!fromPenPos && pts.empty()) return;
    line.push_back(p0);
    constexpr int Steps = 16;
    for (; i + 3 <= pts.size(); i += 3) {
        const TPoint p1 = pts[i], p2 = pts[i + 1], p3 = pts[i + 2];
        for (int s = 1; s <= Steps; ++s) {
            const double t = static_cast<double>(s) / Steps, u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            line.push_back({Round(a * p0.X + b * p1.X + c * p2.X + d * p3.X),
                            Round(a * p0.Y + b * p1.Y + c * p2.Y + d * p3.Y)});
        }
        p0 = p3;
    }
    Polyline(line);
    if (fromPenPos) FPenPos = p0;
}

void TMetafilePlayer::PlayRegionRecord(const TEmfRecord& rec) {
    switch (rec.Type()) {
    case emr::FILLRGN: {
        const uint32_t ih = rec.DWord(28);
        if (ih >= FObjects.size() || FObjects[ih].Kind != TTableEntry::TKind::okBrush) return;
        FDest.SetBrush(FObjects[ih].Brush);
        // Logical rectangles: filling each one fills their union.
        for (const TRect& r : RegionRects(rec, 32, rec.DWord(24)))
            FDest.FillRect(ToDestRect(r).Normalised());
        return;
    }
    case emr::FRAMERGN: {
        const uint32_t ih = rec.DWord(28);
        if (ih >= FObjects.size() || FObjects[ih].Kind != TTableEntry::TKind::okBrush) return;
        std::vector<TRect> rects = RegionRects(rec, 40, rec.DWord(24));
        for (TRect& r : rects) {
            double x0, y0, x1, y1;
            LogicalToDevice(r.TopLeft(), x0, y0);
            LogicalToDevice(r.BottomRight(), x1, y1);
            r = TRect{Round(x0), Round(y0), Round(x1), Round(y1)}.Normalised();
        }
        FDest.FrameRgn(DeviceRegionToDest(rects), FObjects[ih].Brush,
                       Round(rec.Int(32) * ToolScaleX()), Round(rec.Int(36) * ToolScaleY()));
        return;
    }
    case emr::EXTSELECTCLIPRGN: {
        const uint32_t cb = rec.DWord(8), mode = rec.DWord(12);
        if (mode == emf::RGN_COPY && cb == 0) {
            SelectClipRgn(nullptr);
            return;
        }
        const std::vector<TRect> rects = RegionRects(rec, 16, cb);
        if (mode == emf::RGN_COPY) {
            ResetClip();
            if (rects.size() == 1) {
                const TRect& r = rects[0];
                const TPoint a = DeviceToDest(r.Left, r.Top), b = DeviceToDest(r.Right, r.Bottom);
                FDest.IntersectClipRect(TRect{a.X, a.Y, b.X, b.Y}.Normalised());
            } else {
                const TRegion d = DeviceRegionToDest(rects);
                FDest.SelectClipRgn(&d);
            }
        } else if (mode == emf::RGN_AND && rects.size() == 1) {
            const TRect& r = rects[0];
            const TPoint a = DeviceToDest(r.Left, r.Top), b = DeviceToDest(r.Right, r.Bottom);
            FDest.IntersectClipRect(TRect{a.X, a.Y, b.X, b.Y}.Normalised());
        }
        return;
    }
    default:
        return;
    }
}

void TMetafilePlayer::PlayBitmapRecord(const TEmfRecord& rec) {
    const uint32_t type = rec.Type();
    TRect dest, src;
    uint32_t offBmi, cbBmi, offBits, cbBits;
    if (type == emr::STRETCHDIBITS) {
        if (rec.Bytes.size() < 80) return;
        dest = {rec.Int(24), rec.Int(28), bytes::Add(rec.Int(24), rec.Int(72)),
                bytes::Add(rec.Int(28), rec.Int(76))};
        src = {rec.Int(32), rec.Int(36), bytes::Add(rec.Int(32), rec.Int(40)),
               bytes::Add(rec.Int(36), rec.Int(44))};
        offBmi = rec.DWord(48), cbBmi = rec.DWord(52), offBits = rec.DWord(56),
        cbBits = rec.DWord(60);
    } else {
        const bool stretch = type == emr::STRETCHBLT;
        if (rec.Bytes.size() < (stretch ? 108u : 100u)) return;
        dest = {rec.Int(24), rec.Int(28), bytes::Add(rec.Int(24), rec.Int(32)),
                bytes::Add(rec.Int(28), rec.Int(36))};
        const int32_t cx = stretch ? rec.Int(100) : rec.Int(32),
                      cy = stretch ? rec.Int(104) : rec.Int(36);
        src = {rec.Int(44), rec.Int(48), bytes::Add(rec.Int(44), cx), bytes::Add(rec.Int(48), cy)};
        const uint32_t rop = rec.DWord(40);
        offBmi = rec.DWord(84), cbBmi = rec.DWord(88), offBits = rec.DWord(92),
        cbBits = rec.DWord(96);
        if (cbBmi == 0) {
            // No source: a pattern fill of the destination rectangle.
            const TBrush saved = FBrush;
            if (rop == emf::BLACKNESS) FBrush = {clBlack, TBrushStyle::bsSolid};
            if (rop == emf::WHITENESS) FBrush = {clWhite, TBrushStyle::bsSolid};
            if (rop == emf::PATCOPY || rop == emf::BLACKNESS || rop == emf::WHITENESS)
                FillRect(dest);
            FBrush = saved;
            return;
        }
    }
    // Raster operations other than plain copies are drawn as copies.
    if (!Inside(rec, offBmi, cbBmi) || !Inside(rec, offBits, cbBits)) return;
    TBitmap bmp;
    std::vector<uint8_t> alpha;
    try {
        const auto info = rec.Bytes.subspan(offBmi, cbBmi);
        const TDibInfo dib = ParseDibInfo(info);
        DecodeDib(dib, info, rec.Bytes.subspan(offBits, cbBits), bmp, &alpha);
        if (!dib.TopDown) {
            // Source rows of a bottom-up DIB count from the bottom.
            const int64_t h = static_cast<int64_t>(src.Bottom) - src.Top;
            src.Top = bytes::Sat(static_cast<int64_t>(dib.Height) - src.Top - h);
            src.Bottom = bytes::Add(src.Top, h);
        }
        if (dib.BitCount != 32) alpha.clear();
    } catch (const EInvalidGraphic&) {
        return;
    }
    // Alpha 0 marks see-through pixels (all zero means no alpha at all); they
    // become the bitmap's transparent colour.
    const auto clear = std::find(alpha.begin(), alpha.end(), 0);
    const bool keyed =
        clear != alpha.end() &&
        std::find_if(alpha.begin(), alpha.end(), [](uint8_t a) { return a != 0; }) != alpha.end();
    const bool whole = src == TRect{0, 0, bmp.Width(), bmp.Height()};
    if (keyed && whole) {
        const size_t first = static_cast<size_t>(clear - alpha.begin());
        const int32_t w = bmp.Width();
        const TColor key =
            bmp.Pixel(static_cast<int32_t>(first % w), static_cast<int32_t>(first / w));
        for (size_t i = first; i < alpha.size(); ++i)
            if (alpha[i] == 0)
                bmp.SetPixel(static_cast<int32_t>(i % w), static_cast<int32_t>(i / w), key);
        bmp.SetTransparentColor(key);
        bmp.SetTransparent(true);
        StretchDraw(dest, bmp);
        return;
    }
    StretchBitmap(dest, bmp, src);
}

void TMetafilePlayer::PlayRecord(const TEmfRecord& rec) {
    const size_t size = rec.Bytes.size();
    const uint32_t type = rec.Type();
    switch (type) {
    case emr::POLYGON:
    case emr::POLYGON16:
        Polygon(EmfPoints(rec));
        break;
    case emr::POLYLINE:
    case emr::POLYLINE16:
        Polyline(EmfPoints(rec));
        break;
    case emr::POLYLINETO: {
        std::vector<TPoint> pts = EmfPoints(rec);
        if (pts.empty()) break;
        pts.insert(pts.begin(), FPenPos);
        Polyline(pts);
        FPenPos = pts.back();
        break;
    }
    case emr::POLYBEZIER:
    case emr::POLYBEZIERTO:
        PlayBezier(EmfPoints(rec), type == emr::POLYBEZIERTO);
        break;
    case emr::POLYPOLYLINE:
    case emr::POLYPOLYLINE16:
    case emr::POLYPOLYGON: {
        const std::vector<TPoint> pts = EmfPoints(rec);
        const std::vector<uint32_t> counts = EmfPolyCounts(rec);
        uint64_t total = 0;
        for (uint32_t c : counts)
            total += c;
        if (total > pts.size()) break;
        if (type != emr::POLYPOLYGON) {
            PolyPolyline(pts, counts);
            break;
        }
        size_t at = 0;
        for (uint32_t c : counts) {
            Polygon(std::span<const TPoint>(pts).subspan(at, c));
            at += c;
        }
        break;
    }
    case emr::SETWINDOWEXTEX:
        if (size >= 16) SetWindowExt({rec.Int(8), rec.Int(12)});
        break;
    case emr::SETWINDOWORGEX:
        if (size >= 16) SetWindowOrg({rec.Int(8), rec.Int(12)});
        break;
    case emr::SETVIEWPORTEXTEX:
        if (size >= 16) SetViewportExt({rec.Int(8), rec.Int(12)});
        break;
    case emr::SETVIEWPORTORGEX:
        if (size >= 16) SetViewportOrg({rec.Int(8), rec.Int(12)});
        break;
    case emr::SETPIXELV:
        if (size >= 20)
            SetPixel(rec.Int(8), rec.Int(12), static_cast<TColor>(rec.DWord(16) & 0xFFFFFF));
        break;
    case emr::SETMAPMODE: {
        // Isotropic mapping is played as anisotropic; the metric modes are not recorded here.
        const uint32_t m = rec.DWord(8);
        if (m == 1) SetMapMode(TMapMode::mmText);
        if (m == 7 || m == 8) SetMapMode(TMapMode::mmAnisotropic);
        break;
    }
    case emr::SETBKMODE:
        FBkMode = rec.DWord(8);
        break;
    case emr::SETPOLYFILLMODE:
        SetPolyFillMode(rec.DWord(8) == 2 ? TPolyFillMode::WINDING : TPolyFillMode::ALTERNATE);
        break;
    case emr::SETROP2:
        FPen.Mode = emf::PenModeOfRop2(rec.DWord(8));
        break;
    case emr::SETTEXTALIGN:
        FTextAlign = rec.DWord(8);
        break;
    case emr::SETTEXTCOLOR:
        FFont.Color = static_cast<TColor>(rec.DWord(8) & 0xFFFFFF);
        break;
    case emr::SETBKCOLOR:
        FBkColor = static_cast<TColor>(rec.DWord(8) & 0xFFFFFF);
        break;
    case emr::MOVETOEX:
        if (size >= 16) MoveTo(rec.Int(8), rec.Int(12));
        break;
    case emr::LINETO:
        if (size >= 16) LineTo(rec.Int(8), rec.Int(12));
        break;
    case emr::INTERSECTCLIPRECT:
        if (size >= 24) IntersectClipRect(EmfRect(rec));
        break;
    case emr::SAVEDC:
        SaveDC();
        break;
    case emr::RESTOREDC:
        RestoreDC(rec.Int(8));
        break;
    case emr::SELECTOBJECT:
        SelectObject(rec.DWord(8));
        break;
    case emr::CREATEPEN:
    case emr::CREATEBRUSHINDIRECT:
    case emr::EXTCREATEFONTINDIRECTW: {
        const uint32_t ih = rec.DWord(8);
        const size_t need = type == emr::CREATEPEN             ? 28
                            : type == emr::CREATEBRUSHINDIRECT ? 24
                                                               : 104;
        if (size < need || ih == 0 || ih > 0xFFFF) break;
        if (ih >= FObjects.size()) FObjects.resize(ih + 1);
        TTableEntry& o = FObjects[ih];
        if (type == emr::CREATEPEN) {
            o.Kind = TTableEntry::TKind::okPen;
            const uint32_t style = rec.DWord(12) & 0xF;
            o.Pen.Style = style <= 8 ? static_cast<TPenStyle>(style) : TPenStyle::psSolid;
            o.Pen.Width = rec.Int(16);
            o.Pen.Color = static_cast<TColor>(rec.DWord(24) & 0xFFFFFF);
        } else if (type == emr::CREATEBRUSHINDIRECT) {
            o.Kind = TTableEntry::TKind::okBrush;
            const uint32_t style = rec.DWord(12), hatch = rec.DWord(20);
            o.Brush.Color = static_cast<TColor>(rec.DWord(16) & 0xFFFFFF);
            o.Brush.Style = style == emf::BS_NULL ? TBrushStyle::bsClear
                            : style == emf::BS_HATCHED && hatch <= 5
                                ? static_cast<TBrushStyle>(
                                      static_cast<uint32_t>(TBrushStyle::bsHorizontal) + hatch)
                                : TBrushStyle::bsSolid;
        } else {
            o.Kind = TTableEntry::TKind::okFont;
            TLogFont& lf = o.Font;
            lf.lfHeight = rec.Int(12);
            lf.lfWidth = rec.Int(16);
            lf.lfEscapement = rec.Int(20);
            lf.lfOrientation = rec.Int(24);
            lf.lfWeight = rec.Int(28);
            lf.lfItalic = rec.Bytes[32];
            lf.lfUnderline = rec.Bytes[33];
            lf.lfStrikeOut = rec.Bytes[34];
            lf.lfCharSet = rec.Bytes[35];
            lf.lfOutPrecision = rec.Bytes[36];
            lf.lfClipPrecision = rec.Bytes[37];
            lf.lfQuality = rec.Bytes[38];
            lf.lfPitchAndFamily = rec.Bytes[39];
            lf.lfFaceName.clear();
            for (size_t i = 0; i < 32; ++i) {
                const char16_t c = static_cast<char16_t>(bytes::U16(rec.Bytes, 40 + 2 * i));
                if (c == 0) break;
                lf.lfFaceName.push_back(c);
            }
        }
        break;
    }
    case emr::DELETEOBJECT:
        if (rec.DWord(8) < FObjects.size()) FObjects[rec.DWord(8)] = TTableEntry();
        break;
    case emr::ELLIPSE:
    case emr::RECTANGLE:
        if (size < 24) break;
        if (type == emr::ELLIPSE)
            Ellipse(EmfRect(rec));
        else
            Rectangle(EmfRect(rec));
        break;
    case emr::ROUNDRECT:
        if (size >= 32) RoundRect(EmfRect(rec), rec.Int(24), rec.Int(28));
        break;
    case emr::ARC:
    case emr::CHORD:
    case emr::PIE: {
        if (size < 40) break;
        const TRect box = EmfRect(rec);
        const TPoint s{rec.Int(24), rec.Int(28)}, e{rec.Int(32), rec.Int(36)};
        if (type == emr::ARC) Arc(box, s, e);
        if (type == emr::CHORD) Chord(box, s, e);
        if (type == emr::PIE) Pie(box, s, e);
        break;
    }
    case emr::FILLRGN:
    case emr::FRAMERGN:
    case emr::EXTSELECTCLIPRGN:
        PlayRegionRecord(rec);
        break;
    case emr::BITBLT:
    case emr::STRETCHBLT:
    case emr::STRETCHDIBITS:
        PlayBitmapRecord(rec);
        break;
    case emr::EXTTEXTOUTW: {
        if (size < emrtext::Size) break;
        const TPoint p = EmfTextOrigin(rec);
        TextOut(p.X, p.Y, EmfText(rec));
        break;
    }
    default:
        break; // header, end record and whatever this player does not draw
    }
}

} // namespace vl
