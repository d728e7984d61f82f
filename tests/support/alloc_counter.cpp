#include "support/alloc_counter.h"

#include <cstdlib>
#include <new>

namespace vl::test {
long GAllocations = 0;
std::size_t GLargestAllocation = 0;
} // namespace vl::test

void* operator new(std::size_t n) {
    ++vl::test::GAllocations;
    if (n > vl::test::GLargestAllocation) vl::test::GLargestAllocation = n;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
// The standard library's temporary buffers (stable_sort) use the nothrow
// form; it must come from the same heap as the replaced delete.
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    ++vl::test::GAllocations;
    if (n > vl::test::GLargestAllocation) vl::test::GLargestAllocation = n;
    return std::malloc(n ? n : 1);
}
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
