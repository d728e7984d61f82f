#pragma once
// TTransfer: one stream and one direction. A stored layout is described once
// as a sequence of transfers; the same description writes it when saving and
// reads it back when loading, so the two cannot drift apart. Reading checks
// every length against what remains before allocating.

#include <concepts>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "velloran/foundations/pst_mode.h"
#include "velloran/foundations/types.h"
#include "velloran/foundations/stream.h"

namespace vl {

/// One stream and one direction: a stored layout described once serves saving and loading.
class TTransfer {
public:
    TTransfer(TStream& Stream, bool Writing) : FStream(Stream), FWriting(Writing) {}
    /// The direction of a mode that moves data (not a connect pass).
    TTransfer(TStream& Stream, TPstMode Mode) : TTransfer(Stream, IsWriting(Mode)) {}

    bool Writing() const { return FWriting; }
    bool Reading() const { return !FWriting; }
    TStream& Stream() const { return FStream; }

    template <std::integral T> void Value(T& v) {
        if (FWriting)
            FStream.WriteLE(v);
        else
            v = FStream.ReadLE<T>();
    }

    /// A 16-bit field that older streams held in 32 bits (only the low half
    /// counts). Writing always uses the current, narrow form.
    void Narrowed(uint16_t& v, bool StoredWide);

    /// An enumeration stored in one byte. Reading an ordinal beyond Last
    /// raises a read error.
    template <typename E> void Enum8(E& v, E Last) {
        uint8_t b = static_cast<uint8_t>(v);
        Value(b);
        if (FWriting) return;
        if (b > static_cast<uint8_t>(Last)) RaiseBadValue();
        v = static_cast<E>(b);
    }
    /// As above, but an unknown ordinal reads as Fallback.
    template <typename E> void Enum8(E& v, E Last, E Fallback) {
        uint8_t b = static_cast<uint8_t>(v);
        Value(b);
        if (!FWriting) v = b <= static_cast<uint8_t>(Last) ? static_cast<E>(b) : Fallback;
    }

    /// Count bytes that the layout reserves: zeros when writing, skipped when reading.
    void Reserved(int32_t Count);
    void Bytes(void* Data, int64_t Count);
    /// A 32-bit byte count, then the bytes.
    void Block(std::vector<uint8_t>& Bytes);
    /// A 32-bit length and the text (UTF-16, or 8-bit when Ansi is set for reading).
    void Text(String& s, bool Ansi);
    /// A zero-terminated text: a 32-bit length n, and when n > 0 the n
    /// characters and the terminator. Reading a length below 1 leaves Text as it was.
    void ZText(std::unique_ptr<char16_t[]>& s, bool Ansi);

private:
    [[noreturn]] static void RaiseBadValue();

    TStream& FStream;
    bool FWriting;
};

} // namespace vl
