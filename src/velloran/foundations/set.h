#pragma once
// A set of enumeration values with an exact bit layout: value i is bit i of
// Storage. Sets are stored in files, so the storage width is part of the type.

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace vl {

/// A set of enumeration values; value i is bit i of Storage, as stored in files.
template <typename E, typename Storage = uint16_t>
class TSet {
    static_assert(std::is_enum_v<E>);

public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E e : items) FBits |= Bit(e);
    }
    static constexpr TSet FromBits(Storage bits) {
        TSet s;
        s.FBits = bits;
        return s;
    }

    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr TSet& Include(E e) { FBits = static_cast<Storage>(FBits | Bit(e)); return *this; }
    constexpr TSet& Exclude(E e) { FBits = static_cast<Storage>(FBits & ~Bit(e)); return *this; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr Storage Bits() const { return FBits; }

    constexpr TSet operator+(TSet o) const { return FromBits(static_cast<Storage>(FBits | o.FBits)); }
    constexpr TSet operator-(TSet o) const { return FromBits(static_cast<Storage>(FBits & ~o.FBits)); }
    constexpr TSet operator*(TSet o) const { return FromBits(static_cast<Storage>(FBits & o.FBits)); }
    constexpr TSet& operator+=(TSet o) { FBits = static_cast<Storage>(FBits | o.FBits); return *this; }
    constexpr TSet& operator-=(TSet o) { FBits = static_cast<Storage>(FBits & ~o.FBits); return *this; }
    friend constexpr bool operator==(TSet, TSet) = default;

private:
    static constexpr Storage Bit(E e) { return static_cast<Storage>(Storage{1} << static_cast<unsigned>(e)); }
    Storage FBits = 0;
};

} // namespace vl
