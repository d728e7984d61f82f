#pragma once
// Qt input events in the terms of the core: shift states and virtual keys.

#include <Qt>

#include <cstdint>

#include "velloran/platform/window_host.h"

namespace vl {

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);
/// The virtual key code of a Qt key; 0 for keys without one.
uint16_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace vl
