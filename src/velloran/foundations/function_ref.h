#pragma once
// TFunctionRef: a non-owning reference to a callable, two pointers wide.
// Walks over objects take one so that passing a lambda never allocates.
// It must not outlive the callable it was made from: pass it down, never
// keep it.

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace vl {

/// A non-owning reference to a callable of Signature (see the specialisation).
template <typename Signature> class TFunctionRef;

/// A non-owning reference to a callable; pass it down, never keep it.
template <typename R, typename... Args> class TFunctionRef<R(Args...)> {
public:
    template <typename F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, TFunctionRef> && std::is_invocable_r_v<R, F&, Args...>)
    TFunctionRef(F&& f) noexcept // NOLINT: converts implicitly, like a function pointer
        : FObject(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
          FCall([](void* o, Args... a) -> R {
              return std::invoke(*static_cast<std::remove_reference_t<F>*>(o), std::forward<Args>(a)...);
          }) {}

    R operator()(Args... a) const { return FCall(FObject, std::forward<Args>(a)...); }

private:
    void* FObject;
    R (*FCall)(void*, Args...);
};

} // namespace vl
