#pragma once
// Byte vectors for tests of stored formats: built field by field
// (little-endian), joined, cut short.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace vl::test {

using Bytes = std::vector<uint8_t>;

struct TBytes {
    Bytes v;
    TBytes& i16(int32_t x) { return put(static_cast<uint32_t>(x), 2); }
    TBytes& i32(int64_t x) { return put(static_cast<uint32_t>(x), 4); }
    TBytes& raw(std::initializer_list<uint8_t> b) {
        v.insert(v.end(), b);
        return *this;
    }
    TBytes& put(uint32_t x, int n) {
        for (int i = 0; i < n; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
        return *this;
    }
};

inline Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes r;
    for (const Bytes& p : parts) r.insert(r.end(), p.begin(), p.end());
    return r;
}

// The first n bytes.
inline Bytes Prefix(const Bytes& b, size_t n) { return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n)); }

} // namespace vl::test
