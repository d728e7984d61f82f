#pragma once
// Walks over objects take a callable by reference; what the callable needs
// it carries itself.

#include "velloran/foundations/function_ref.h"

namespace vl {

class TvlObject;

using TAllObjectsProc = TFunctionRef<void(TvlObject* AnyObject)>;
using TFirstObjectFunc = TFunctionRef<bool(TvlObject* FndObject)>;

} // namespace vl
