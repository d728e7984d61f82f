#pragma once
// Screen cursors on Qt: stock cursors by their negative numbers, bitmap
// cursors by the positive numbers the application or the library registers.

#include <QCursor>

#include "velloran/platform/cursors.h"

namespace vl {

/// Enters an image into the table under Number (replacing an earlier one).
void RegisterQtCursor(TCursor Number, const TCursorImage& Image);
/// True for stock cursors, registered numbers and the library's own cursors.
bool HasQtCursor(TCursor Number);
/// The cursor for a number; unknown numbers give the arrow.
QCursor ToQCursor(TCursor Number);
/// A bitmap cursor from a cursor image (black, white and see-through pixels).
QCursor CursorFromImage(const TCursorImage& Image);

} // namespace vl
