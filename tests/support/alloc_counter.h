#pragma once
// Heap allocations through operator new in this test program: how many, and
// the largest single request.

#include <cstddef>

namespace vl::test {
extern long GAllocations;
extern std::size_t GLargestAllocation;
} // namespace vl::test
