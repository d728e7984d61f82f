#pragma once
// Finding the creator that a stored tool identity names.

#include <cstdint>

namespace vl {

class TComponent;
class TvlCreator;

/// ID < 0: the last creator among Owner's components whose GetID is ID.
/// ID >= 0: Owner's component at index ID if it is a creator. Else nullptr.
TvlCreator* FindCreator(const TComponent* Owner, int32_t ID);

} // namespace vl
