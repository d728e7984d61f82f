#pragma once
// Shapes, options and alignments that generators hand to their objects.
// The option sets are stored with the form, so their widths are fixed.

#include <cstdint>

#include "velloran/foundations/set.h"

namespace vl {

/// The shape a point object draws.
enum class TShapetype : uint8_t {
    stRectangle, stEllipse, stCircle, stSquare, stRoundRect, stRoundSquare, stLine, stRegion
};

/// Stored options of a generator and the objects it styles.
enum class TGeneratorOption : uint8_t {
    goStretchPicture, // picture stretched to the generator's size
    goRotation,       // objects can be rotated; excludes word breaking
    goNoSizing,       // no sizing handles
    goNoHorzMove,     // moving keeps x
    goNoVertMove,     // moving keeps y
    goFndCursor,      // the view's cursor changes over such objects
    goDontFind,       // the mark-and-move tool ignores them
    goMasterFont,     // slaves take their master's font
    goShadows,        // objects draw the view's shadow behind them
};
using TGeneratorOptions = TSet<TGeneratorOption, uint16_t>;

/// Run-time options of a generator.
/// Set by the application at run time, never stored.
enum class TRuntimeOption : uint8_t { roHidden, roDontSave, roNosy };
using TRuntimeOptions = TSet<TRuntimeOption, uint8_t>;

/// Horizontal alignment of a text in its box.
enum class THorzAlign : uint8_t { haLeft, haCenter, haRight };
/// Vertical alignment of a text in its box.
enum class TVertAlign : uint8_t { vaTop, vaCenter, vaBottom };

} // namespace vl
