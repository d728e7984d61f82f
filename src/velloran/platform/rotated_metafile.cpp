// Rotated_Metafile: replays a metafile with the geometry of its figure, line
// and text records turned about a pivot.
//
// Metafiles that store themselves in the old 16-bit format hold the same
// enhanced records in memory, so they are enumerated and turned exactly like
// enhanced ones. Records with 16-bit coordinates and curves are turned as
// well: pictures from other programs use them for most of their figures.

#include <algorithm>
#include <numbers>
#include <numeric>
#include <span>
#include <string_view>
#include <vector>

#include "velloran/foundations/angles.h"
#include "velloran/foundations/round.h"
#include "velloran/platform/detail/emf_bytes.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"
#include "velloran/platform/emf_header.h"
#include "velloran/platform/metafile.h"
#include "velloran/platform/metafile_player.h"
#include "velloran/platform/rotated_drawing.h"

namespace vl {

namespace {

// Byte offsets and sizes inside the records turned here.
constexpr size_t BoxRecordSize = 24;
constexpr size_t RoundRectSize = 32;
constexpr size_t ArcRecordSize = 40;
constexpr size_t PointRecordSize = 16;
constexpr size_t offEscapement = 20; // inside the LOGFONTW that starts at 12
constexpr size_t offFaceName = 40;
constexpr size_t FaceNameChars = 32;
constexpr size_t FontRecordSize = offFaceName + 2 * FaceNameChars;

TPoint PointAt(const TEmfRecord& r, size_t off) {
    return {r.Int(off), r.Int(off + 4)};
}

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
}

bool FaceIs(std::span<const uint8_t> rec, std::u16string_view name) {
    for (size_t i = 0; i < FaceNameChars; ++i) {
        const char16_t c = static_cast<char16_t>(bytes::U16(rec, offFaceName + 2 * i));
        const char16_t want = i < name.size() ? name[i] : 0;
        if (Upper(c) != Upper(want)) return false;
        if (c == 0) return true;
    }
    return false;
}

void SetFace(std::vector<uint8_t>& rec, std::u16string_view name) {
    std::fill(rec.begin() + offFaceName, rec.begin() + FontRecordSize, uint8_t{0});
    for (size_t i = 0; i < name.size() && i + 1 < FaceNameChars; ++i) {
        rec[offFaceName + 2 * i] = static_cast<uint8_t>(name[i]);
        rec[offFaceName + 2 * i + 1] = static_cast<uint8_t>(name[i] >> 8);
    }
}

class TRotatingPlayer {
public:
    TRotatingPlayer(TPoint device, double alpha) : FDevice(device), FAlpha(alpha) {}

    bool operator()(TMetafilePlayer& dc, const TEmfRecord& rec) {
        if (!Turn(dc, rec)) dc.PlayRecord(rec);
        return true;
    }

private:
    // Draws rec turned; false when rec is to be played as it is (also when it
    // is too short for its kind, which the player then skips).
    bool Turn(TMetafilePlayer& dc, const TEmfRecord& rec) {
        // The pivot follows the mapping records played so far.
        const TPoint q = dc.DPtoLP(FDevice);
        const size_t size = rec.Bytes.size();
        switch (const uint32_t type = rec.Type()) {
        case emr::ELLIPSE:
        case emr::RECTANGLE:
            if (size < BoxRecordSize) return false;
            if (type == emr::ELLIPSE)
                Rotated_Ellipse(dc, EmfRect(rec), q, FAlpha);
            else
                Rotated_Rectangle(dc, EmfRect(rec), q, FAlpha);
            return true;
        case emr::ROUNDRECT:
            if (size < RoundRectSize) return false;
            Rotated_RoundRect(dc, EmfRect(rec), rec.Int(24), rec.Int(28), q, FAlpha);
            return true;
        case emr::ARC:
        case emr::CHORD:
        case emr::PIE: {
            if (size < ArcRecordSize) return false;
            const TPoint p1 = PointAt(rec, 24), p2 = PointAt(rec, 32);
            if (type == emr::ARC)
                Rotated_Arc(dc, EmfRect(rec), p1, p2, q, FAlpha);
            else if (type == emr::CHORD)
                Rotated_Chord(dc, EmfRect(rec), p1, p2, q, FAlpha);
            else
                Rotated_Pie(dc, EmfRect(rec), p1, p2, q, FAlpha);
            return true;
        }
        case emr::POLYGON:
        case emr::POLYGON16:
        case emr::POLYLINE:
        case emr::POLYLINE16: {
            // 16-bit records are drawn with 32-bit points: turned points may
            // leave the 16-bit range.
            std::vector<TPoint> pts = EmfPoints(rec);
            if (pts.empty()) return false;
            RotatePoints(pts, q, FAlpha);
            if (type == emr::POLYGON || type == emr::POLYGON16)
                dc.Polygon(pts);
            else
                dc.Polyline(pts);
            return true;
        }
        case emr::POLYPOLYLINE:
        case emr::POLYPOLYLINE16: {
            std::vector<TPoint> pts = EmfPoints(rec);
            const std::vector<uint32_t> counts = EmfPolyCounts(rec);
            // Counts that do not add up to the points would read past them.
            if (pts.empty() ||
                std::accumulate(counts.begin(), counts.end(), uint64_t{0}) != pts.size())
                return false;
            RotatePoints(pts, q, FAlpha);
            dc.PolyPolyline(pts, counts);
            return true;
        }
        case emr::POLYPOLYGON:
        case emr::POLYBEZIER:
        case emr::POLYBEZIERTO:
        case emr::POLYLINETO: {
            // No canvas operation of their own: a copy with turned points is played.
            std::vector<TPoint> pts = EmfPoints(rec);
            if (pts.empty()) return false;
            RotatePoints(pts, q, FAlpha);
            const size_t at = type == emr::POLYPOLYGON ? 32 + 4 * size_t{rec.DWord(24)} : 28;
            std::vector<uint8_t> copy(rec.Bytes.begin(), rec.Bytes.end());
            for (size_t k = 0; k < pts.size(); ++k) {
                bytes::SetU32(copy, at + 8 * k, static_cast<uint32_t>(pts[k].X));
                bytes::SetU32(copy, at + 8 * k + 4, static_cast<uint32_t>(pts[k].Y));
            }
            dc.PlayRecord(TEmfRecord{copy});
            return true;
        }
        case emr::MOVETOEX:
        case emr::LINETO: {
            if (size < PointRecordSize) return false;
            TPoint p = PointAt(rec, 8);
            RotatePnt(p, q, FAlpha);
            if (type == emr::MOVETOEX)
                dc.MoveTo(p.X, p.Y);
            else
                dc.LineTo(p.X, p.Y);
            return true;
        }
        case emr::EXTCREATEFONTINDIRECTW: {
            if (size < FontRecordSize) return false;
            std::vector<uint8_t> copy(rec.Bytes.begin(), rec.Bytes.end());
            const int64_t esc =
                int64_t{rec.Int(offEscapement)} - Round(FAlpha / std::numbers::pi * 1800);
            bytes::SetU32(copy, offEscapement,
                          static_cast<uint32_t>(std::clamp<int64_t>(esc, INT32_MIN, INT32_MAX)));
            // The old bitmap face cannot be turned, a vector face can.
            if (FaceIs(copy, u"MS Sans Serif")) SetFace(copy, u"ARIAL");
            dc.PlayRecord(TEmfRecord{copy});
            return true;
        }
        case emr::EXTTEXTOUTW: {
            if (size < emrtext::Size) return false;
            std::vector<uint8_t> copy(rec.Bytes.begin(), rec.Bytes.end());
            TPoint p = PointAt(rec, emrtext::Reference);
            RotatePnt(p, q, FAlpha);
            bytes::SetU32(copy, emrtext::Reference, static_cast<uint32_t>(p.X));
            bytes::SetU32(copy, emrtext::Reference + 4, static_cast<uint32_t>(p.Y));
            dc.PlayRecord(TEmfRecord{copy});
            return true;
        }
        default:
            return false;
        }
    }

    TPoint FDevice;
    double FAlpha;
};

} // namespace

// P is taken in DC's logical coordinates, like the rectangle the picture is
// played into; the player's device space begins at the picture's bounds, so
// the pivot becomes a device point of the metafile by adding their corner.
void Rotated_Metafile(TCanvas& DC, const TMetafile& Metafile, TPoint P, double Alpha) {
    if (Metafile.Width() <= 0 || Metafile.Height() <= 0) return;
    const TRect bounds = ReadEmfHeader(Metafile.Data()).Bounds;
    auto add = [](int32_t a, int32_t b) {
        return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} + b, INT32_MIN, INT32_MAX));
    };
    const TPoint device{add(P.X, bounds.Left), add(P.Y, bounds.Top)};
    TRotatingPlayer player(device, Alpha);
    EnumEnhMetaFile(DC, Metafile, {0, 0, Metafile.Width(), Metafile.Height()}, std::ref(player));
}

} // namespace vl
