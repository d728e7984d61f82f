#pragma once
// Walks over objects take a callback and an untyped parameter block that
// they hand on unchanged.

#include <cstdint>
#include <functional>

namespace vl {

class TvlObject;

using TAllObjectsProc = std::function<void(TvlObject* AnyObject, void* Params)>;
using TFirstObjectFunc = std::function<bool(TvlObject* FndObject, void* Params)>;

// The parameter block of callers with nothing to pass: hand on &noParam.
inline int32_t noParam = 0;

} // namespace vl
