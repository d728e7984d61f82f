#pragma once
// TScopedValue: installs a value in a module-wide variable for one scope and
// puts back what was there when the scope ends, also by an exception. The
// process-wide state is changed only through guards built on it, so a
// failing operation or test cannot leave it behind.

#include <utility>

namespace vl {

/// Installs a value in a module-wide variable for one scope, also undone by an exception.
template <typename T> class TScopedValue {
public:
    TScopedValue(T& Variable, T Value) : FVariable(Variable), FSaved(std::exchange(Variable, std::move(Value))) {}
    ~TScopedValue() { FVariable = std::move(FSaved); }
    TScopedValue(const TScopedValue&) = delete;
    TScopedValue& operator=(const TScopedValue&) = delete;

private:
    T& FVariable;
    T FSaved;
};

} // namespace vl
