#include "velloran/platform/detail/emf_reader.h"

#include "velloran/platform/detail/emf_bytes.h"
#include "velloran/platform/detail/emf_records.h"

namespace vl {

using namespace bytes;

std::vector<TEmfRecord> EmfRecords(const TMetafile& mf) {
    std::vector<TEmfRecord> out;
    const std::span<const uint8_t> d(mf.Data());
    size_t at = 0;
    while (at + 8 <= d.size()) {
        const uint32_t size = U32(d, at + 4);
        if (size < 8 || size > d.size() - at) break;
        out.push_back({d.subspan(at, size)});
        at += size;
    }
    return out;
}

namespace {
// Points of a record: count at countAt, points from pointsAt, 16 or 32 bits.
std::vector<TPoint> ReadPoints(const TEmfRecord& r, size_t countAt, size_t pointsAt, bool small) {
    const size_t n = r.DWord(countAt);
    const size_t each = small ? 4 : 8;
    if (pointsAt > r.Bytes.size() || n > (r.Bytes.size() - pointsAt) / each) return {};
    std::vector<TPoint> pts(n);
    for (size_t i = 0; i < n; ++i) {
        const size_t at = pointsAt + i * each;
        pts[i] = small ? TPoint{I16(r.Bytes, at), I16(r.Bytes, at + 2)}
                       : TPoint{I32(r.Bytes, at), I32(r.Bytes, at + 4)};
    }
    return pts;
}
} // namespace

std::vector<TPoint> EmfPoints(const TEmfRecord& r) {
    switch (r.Type()) {
    case emr::POLYBEZIER:
    case emr::POLYGON:
    case emr::POLYLINE:
    case emr::POLYBEZIERTO:
    case emr::POLYLINETO:
        return ReadPoints(r, 24, 28, false);
    case emr::POLYGON16:
    case emr::POLYLINE16:
        return ReadPoints(r, 24, 28, true);
    case emr::POLYPOLYLINE:
    case emr::POLYPOLYGON:
    case emr::POLYPOLYLINE16: {
        const size_t polys = r.DWord(24);
        if (polys > r.Bytes.size() / 4) return {};
        return ReadPoints(r, 28, 32 + polys * 4, r.Type() == emr::POLYPOLYLINE16);
    }
    case emr::MOVETOEX:
    case emr::LINETO:
    case emr::SETPIXELV:
        if (r.Bytes.size() < 16) return {};
        return {{r.Int(8), r.Int(12)}};
    default:
        return {};
    }
}

std::vector<uint32_t> EmfPolyCounts(const TEmfRecord& r) {
    const uint32_t t = r.Type();
    if (t != emr::POLYPOLYLINE && t != emr::POLYPOLYGON && t != emr::POLYPOLYLINE16) return {};
    const size_t polys = r.DWord(24);
    if (r.Bytes.size() < 32 || polys > (r.Bytes.size() - 32) / 4) return {};
    std::vector<uint32_t> counts(polys);
    for (size_t i = 0; i < polys; ++i)
        counts[i] = r.DWord(32 + i * 4);
    return counts;
}

TRect EmfRect(const TEmfRecord& r, size_t offset) {
    return {r.Int(offset), r.Int(offset + 4), r.Int(offset + 8), r.Int(offset + 12)};
}

String EmfText(const TEmfRecord& r) {
    if (r.Type() != emr::EXTTEXTOUTW) return {};
    const size_t n = r.DWord(emrtext::Chars);
    const size_t at = r.DWord(emrtext::OffString);
    if (at > r.Bytes.size() || n > (r.Bytes.size() - at) / 2) return {};
    String s(n, u'\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char16_t>(U16(r.Bytes, at + 2 * i));
    return s;
}

TPoint EmfTextOrigin(const TEmfRecord& r) {
    return {r.Int(emrtext::Reference), r.Int(emrtext::Reference + 4)};
}

} // namespace vl
