#include "velloran/foundations/transfer.h"

#include <algorithm>

#include "velloran/foundations/stream_strings.h"
#include "velloran/foundations/errors.h"

namespace vl {

void TTransfer::RaiseBadValue() { RaiseReadError(); }

void TTransfer::Narrowed(uint16_t& v, bool StoredWide) {
    if (FWriting || !StoredWide)
        Value(v);
    else
        v = static_cast<uint16_t>(FStream.ReadUInt32());
}

void TTransfer::Reserved(int32_t Count) {
    if (FWriting) {
        FStream.WriteZeros(Count);
        return;
    }
    uint8_t skip[16];
    for (int32_t left = Count; left > 0; left -= static_cast<int32_t>(sizeof skip))
        FStream.ReadBuffer(skip, std::min<int32_t>(left, sizeof skip));
}

void TTransfer::Bytes(void* Data, int64_t Count) {
    if (FWriting)
        FStream.WriteBuffer(Data, Count);
    else
        FStream.ReadBuffer(Data, Count);
}

void TTransfer::Block(std::vector<uint8_t>& Data) {
    if (FWriting) {
        FStream.WriteInt32(static_cast<int32_t>(Data.size()));
        FStream.WriteBuffer(Data.data(), static_cast<int64_t>(Data.size()));
        return;
    }
    const int32_t length = FStream.ReadInt32();
    if (length < 0) RaiseReadError();
    FStream.CheckRemaining(length);
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    FStream.ReadBuffer(bytes.data(), length);
    Data = std::move(bytes);
}

void TTransfer::Text(String& s, bool Ansi) {
    if (FWriting)
        SaveString(FStream, s);
    else
        s = Ansi ? LoadStringAnsi(FStream) : LoadString_w(FStream);
}

void TTransfer::ZText(std::unique_ptr<char16_t[]>& s, bool Ansi) {
    if (FWriting) {
        int32_t n = 0;
        if (s)
            while (s[n]) ++n;
        FStream.WriteInt32(n);
        if (n > 0)
            for (int32_t i = 0; i <= n; ++i) FStream.WriteUInt16(s[i]);
        return;
    }
    const int32_t n = FStream.ReadInt32();
    if (n < 1) return;
    const int64_t chars = int64_t{n} + 1;
    FStream.CheckRemaining(Ansi ? chars : chars * 2);
    auto buf = std::make_unique<char16_t[]>(static_cast<size_t>(chars));
    if (Ansi) {
        StreamReadAnsiString(FStream, {buf.get(), static_cast<size_t>(chars)}, n);
    } else {
        for (int64_t i = 0; i < chars; ++i) buf[i] = FStream.ReadUInt16();
        // The text is used zero-terminated; a damaged stream must not take
        // its terminator away.
        buf[n] = 0;
    }
    s = std::move(buf);
}

} // namespace vl
