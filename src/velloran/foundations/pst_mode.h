#pragma once
// The one persistence mode every Persist(stream, mode) takes.

#include <cstdint>

namespace vl {

/// The persistence mode every Persist takes.
/// Save/Load: drawing streams. Copy/Paste: clipboard and undo streams (same
/// layout as Save). The two connect passes resolve stored references.
enum class TPstMode : uint8_t { pstSave, pstLoad, pstConnect, pstCopy, pstPaste, pstConnectCopy };

inline bool IsWriting(TPstMode m) { return m == TPstMode::pstSave || m == TPstMode::pstCopy; }
inline bool IsReading(TPstMode m) { return m == TPstMode::pstLoad || m == TPstMode::pstPaste; }

} // namespace vl
