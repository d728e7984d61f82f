#pragma once
// Root of objects that can copy another object's state.

#include <string>

#include "velloran/platform/object.h"

namespace vl {

/// The root of objects that can copy another object's state.
class TPersistent : public TObject {
public:
    /// Copies Source's state; a source of the wrong class raises EConvertError.
    virtual void Assign(const TPersistent& Source);
    virtual std::string ClassName() const { return "TPersistent"; }

protected:
    [[noreturn]] void AssignError(const TPersistent& Source) const;
};

} // namespace vl
