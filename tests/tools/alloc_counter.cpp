#include "alloc_counter.h"

#include <cstdlib>
#include <new>

long vl::test::GAllocations = 0;

void* operator new(std::size_t n) {
    ++vl::test::GAllocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
