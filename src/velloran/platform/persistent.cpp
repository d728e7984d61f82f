#include "velloran/platform/persistent.h"

#include "velloran/foundations/errors.h"

namespace vl {

void TPersistent::Assign(const TPersistent& Source) { AssignError(Source); }

void TPersistent::AssignError(const TPersistent& Source) const {
    RaiseConvertError("Cannot assign a " + Source.ClassName() + " to a " + ClassName());
}

} // namespace vl
