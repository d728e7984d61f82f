#pragma once
// Acting on single objects from code the way the mark-and-move tool does:
// moving with whatever moves along (and a move backup for undo), marking
// and unmarking with dependants, hiding and showing. Each routine works
// through the object's draw box and its document and does nothing for an
// object whose creator is not linked to one.

#include "velloran/foundations/types.h"

namespace vl {

class TvlObject;

/// Moves AnyObj by DeltaPos (snapped when the grid captures). Never raises:
/// a failure leaves the objects where it found them.
void MoveObject(TvlObject* AnyObj, TPoint DeltaPos);
/// Moves AnyObj so that its reference point lands on NewPos.
void MoveObjectTo(TvlObject* AnyObj, TPoint NewPos);
void MarkObject(TvlObject* AnyObj);
void UnMarkObject(TvlObject* AnyObj);
void HideObject(TvlObject* AnyObj);
void ShowObject(TvlObject* AnyObj);

} // namespace vl
