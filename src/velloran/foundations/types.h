#pragma once
// Geometry records and object message records shared by every subsystem.

#include <cstdint>
#include <string>

namespace vl {

/// The library's text type: UTF-16 code units, as texts are stored in streams.
using String = std::u16string;

/// A point in logical units.
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

/// An extent in logical units.
struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

/// A rectangle by its four edges.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    /// Saturating: edges may lie anywhere in the 32-bit range.
    int32_t Width() const { return Span(Left, Right); }
    int32_t Height() const { return Span(Top, Bottom); }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    /// A copy with Left <= Right and Top <= Bottom (RectDirection does it in place).
    [[nodiscard]] TRect Normalised() const {
        return {Left < Right ? Left : Right, Top < Bottom ? Top : Bottom, Left < Right ? Right : Left,
                Top < Bottom ? Bottom : Top};
    }
    friend bool operator==(const TRect&, const TRect&) = default;

private:
    static constexpr int32_t Span(int32_t lo, int32_t hi) {
        const int64_t d = int64_t{hi} - lo;
        return d > INT32_MAX ? INT32_MAX : d < INT32_MIN ? INT32_MIN : static_cast<int32_t>(d);
    }
};

/// An integer point with the field names of stored coordinates.
struct TCoordPnt {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const TCoordPnt&, const TCoordPnt&) = default;
};

/// A point of floating-point coordinates.
struct TFloatPnt {
    double x = 0;
    double y = 0;
    friend bool operator==(const TFloatPnt&, const TFloatPnt&) = default;
};

/// An integer rectangle with the layout of stored coordinates.
struct TCoordRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    friend bool operator==(const TCoordRect&, const TCoordRect&) = default;
};

/// A rectangle of floating-point coordinates.
struct TFloatRect {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    friend bool operator==(const TFloatRect&, const TFloatRect&) = default;
};

/// Bounding box in logical units; empty when Xmin > Xmax. Min and Max read the
/// same storage as two points.
struct TLimRec {
    int32_t Xmin = 0;
    int32_t Ymin = 0;
    int32_t Xmax = 0;
    int32_t Ymax = 0;

    TPoint Min() const { return {Xmin, Ymin}; }
    TPoint Max() const { return {Xmax, Ymax}; }
    void SetMin(TPoint p) { Xmin = p.X; Ymin = p.Y; }
    void SetMax(TPoint p) { Xmax = p.X; Ymax = p.Y; }
    friend bool operator==(const TLimRec&, const TLimRec&) = default;
};
using pLimRec = TLimRec*;

/// Start values of an empty bounding box (note: -2147483647, not INT32_MIN).
inline constexpr int32_t EmptyLimMin = 2147483647;
inline constexpr int32_t EmptyLimMax = -2147483647;

/// Point buffers never exceed this many points.
inline constexpr int32_t MaxPointArray = 1025;
/// A point buffer is addressed through a pointer to its first point.
using pPointArray = TPoint*;

/// One part of a packed version number, 0..127.
using T4Bit = uint8_t;

/// The direction of a scroll: horizontal, vertical or both.
enum class TDirection : uint8_t { horizontal, vertical, both };

/// A message sent to an object, with two parameters and a result.
struct TObjMessage {
    uint32_t Msg = 0;
    int32_t Param1 = 0;
    int32_t Param2 = 0;
    int32_t Result = 0;
};

/// Scroll notification; same size and layout as TObjMessage, Direction in Param1's place.
struct TObjScrollMsg {
    uint32_t Msg = 0;
    TDirection Direction = TDirection::horizontal;
    int32_t Param2 = 0;
    int32_t Result = 0;
};
static_assert(sizeof(TObjMessage) == 16 && sizeof(TObjScrollMsg) == 16);

} // namespace vl
