#include "velloran/tools/find_creator.h"

#include "velloran/objects/object_tool.h"
#include "velloran/tools/creator.h"

namespace vl {

TvlCreator* FindCreator(const TComponent* Owner, int32_t ID) { return dynamic_cast<TvlCreator*>(FindObjectTool(Owner, ID)); }

} // namespace vl
