#pragma once
// Root of objects that can copy another object's state.

#include <string>

namespace vl {

class TPersistent {
public:
    virtual ~TPersistent() = default;
    // Copies Source's state; a source of the wrong class raises EConvertError.
    virtual void Assign(const TPersistent& Source);
    virtual std::string ClassName() const { return "TPersistent"; }

protected:
    [[noreturn]] void AssignError(const TPersistent& Source) const;
};

} // namespace vl
