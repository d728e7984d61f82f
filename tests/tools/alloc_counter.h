#pragma once
// Heap allocations through operator new in this test program.

namespace vl::test {
extern long GAllocations;
} // namespace vl::test
