#include "velloran/foundations/record_list.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"

namespace vl {

// Records are stored and streamed as raw bytes; the stored format is little-endian.
static_assert(std::endian::native == std::endian::little);

namespace {

constexpr int32_t MaxCapacityFor(uint16_t recSize) { return static_cast<int32_t>(2147483647u / recSize); }

// A stored capacity is only a reservation. Beyond this many spare bytes it is
// not honoured, so that a few hostile bytes cannot reserve gigabytes.
constexpr int64_t MaxSpareBytes = 1 << 20;

} // namespace

TRecordList::TRecordList(uint16_t RecordSize) : FRecSize(RecordSize) {
    if (RecordSize == 0) RaiseError("Record size must be greater than 0");
    FMaxCapacity = MaxCapacityFor(RecordSize);
}

std::unique_ptr<TRecordList> TRecordList::CreateFromStream(TStream& stream) {
    auto list = std::make_unique<TRecordList>(1);
    list->Persist(stream, TPstMode::pstLoad);
    return list;
}

TRecordList::TRecordList(const TRecordList& other)
    : FRecSize(other.FRecSize), FCount(other.FCount), FCapacity(other.FCapacity),
      FMaxCapacity(other.FMaxCapacity) {
    if (FCapacity > 0) {
        FList.reset(new uint8_t[static_cast<size_t>(FCapacity) * FRecSize]);
        std::memcpy(FList.get(), other.FList.get(), static_cast<size_t>(FCount) * FRecSize);
    }
}

TRecordList& TRecordList::operator=(const TRecordList& other) {
    if (this != &other) {
        TRecordList copy(other);
        std::swap(FList, copy.FList);
        FRecSize = copy.FRecSize;
        FCount = copy.FCount;
        FCapacity = copy.FCapacity;
        FMaxCapacity = copy.FMaxCapacity;
    }
    return *this;
}

TRecordList::TRecordList(TRecordList&& other) noexcept
    : FList(std::move(other.FList)), FRecSize(other.FRecSize), FCount(other.FCount), FCapacity(other.FCapacity),
      FMaxCapacity(other.FMaxCapacity) {
    other.Clear();
}

TRecordList& TRecordList::operator=(TRecordList&& other) noexcept {
    if (this != &other) {
        FList = std::move(other.FList);
        FRecSize = other.FRecSize;
        FCount = other.FCount;
        FCapacity = other.FCapacity;
        FMaxCapacity = other.FMaxCapacity;
        other.Clear();
    }
    return *this;
}

TRecordList::~TRecordList() { Clear(); }

void TRecordList::Error(const char* Msg, int64_t Data) { RaiseListError(Msg, Data); }

void TRecordList::CheckIndex(int32_t Index) const {
    if (Index < 0 || Index >= FCount) Error(SListIndexError, Index);
}

// ---- Growth and size -------------------------------------------------------

void TRecordList::Grow() {
    const int64_t c = FCapacity;
    const int64_t delta = c > 64 ? c / 4 : (c > 8 ? 16 : 4);
    if (c >= FMaxCapacity) Error(SListCapacityError, c + 1);
    SetCapacity(static_cast<int32_t>(std::min<int64_t>(c + delta, FMaxCapacity)));
}

TRecordList& TRecordList::Expand() {
    if (FCount == FCapacity) Grow();
    return *this;
}

void TRecordList::SetCapacity(int32_t value) {
    if (value < FCount || value > FMaxCapacity) Error(SListCapacityError, value);
    if (value == FCapacity) return;
    std::unique_ptr<uint8_t[]> block;
    if (value > 0) {
        block.reset(new uint8_t[static_cast<size_t>(value) * FRecSize]);
        if (FCount > 0) std::memcpy(block.get(), FList.get(), static_cast<size_t>(FCount) * FRecSize);
    }
    FList = std::move(block);
    FCapacity = value;
}

void TRecordList::SetCount(int32_t value) {
    if (value < 0 || value > FMaxCapacity) Error(SListCountError, value);
    if (value > FCapacity) SetCapacity(value);
    if (value > FCount) std::memset(At(FCount), 0, static_cast<size_t>(value - FCount) * FRecSize);
    FCount = value;
}

void TRecordList::Clear() {
    FList.reset();
    FCount = 0;
    FCapacity = 0;
}

// ---- Records ---------------------------------------------------------------

int32_t TRecordList::Add(const void* aRecord) {
    const int32_t index = FCount;
    Insert(index, aRecord);
    return index;
}

void TRecordList::Insert(int32_t Index, const void* aRecord) {
    if (Index < 0 || Index > FCount) Error(SListIndexError, Index);
    // The record may live in our own storage, which growing and shifting move.
    auto src = static_cast<const uint8_t*>(aRecord);
    const uint8_t* begin = FList.get();
    const bool inside = begin && !std::less<const uint8_t*>()(src, begin) &&
                        std::less<const uint8_t*>()(src, begin + static_cast<size_t>(FCount) * FRecSize);
    const size_t offset = inside ? static_cast<size_t>(src - begin) : 0;
    if (FCount == FCapacity) Grow();
    uint8_t* slot = At(Index);
    if (Index < FCount) std::memmove(slot + FRecSize, slot, static_cast<size_t>(FCount - Index) * FRecSize);
    if (inside) {
        src = FList.get() + offset;
        if (offset >= static_cast<size_t>(Index) * FRecSize) src += FRecSize;
    }
    std::memcpy(slot, src, FRecSize);
    ++FCount;
}

void TRecordList::Delete(int32_t Index) {
    CheckIndex(Index);
    --FCount;
    if (Index < FCount) std::memmove(At(Index), At(Index + 1), static_cast<size_t>(FCount - Index) * FRecSize);
}

void TRecordList::Move(int32_t CurIndex, int32_t NewIndex) {
    if (CurIndex == NewIndex) return;
    if (NewIndex < 0 || NewIndex >= FCount) Error(SListIndexError, NewIndex);
    CheckIndex(CurIndex);
    // Same result as delete-then-insert, without a temporary record.
    if (CurIndex < NewIndex)
        std::rotate(At(CurIndex), At(CurIndex + 1), At(NewIndex + 1));
    else
        std::rotate(At(NewIndex), At(CurIndex), At(CurIndex + 1));
}

void TRecordList::Exchange(int32_t Index1, int32_t Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    if (Index1 != Index2) std::swap_ranges(At(Index1), At(Index1) + FRecSize, At(Index2));
}

void* TRecordList::Get(int32_t Index) {
    CheckIndex(Index);
    return At(Index);
}

const void* TRecordList::Get(int32_t Index) const {
    CheckIndex(Index);
    return At(Index);
}

void TRecordList::GetRecord(int32_t Index, void* aRecord) const { std::memcpy(aRecord, Get(Index), FRecSize); }
void TRecordList::First(void* aRecord) const { GetRecord(0, aRecord); }
void TRecordList::Last(void* aRecord) const { GetRecord(FCount - 1, aRecord); }

int32_t TRecordList::IndexOf(const void* aRecord) const {
    for (int32_t i = 0; i < FCount; ++i)
        if (std::memcmp(At(i), aRecord, FRecSize) == 0) return i;
    return -1;
}

int32_t TRecordList::Find(TFindFunc FindFunc, void* Params) const {
    if (!FindFunc) return -1;
    for (int32_t i = 0; i < FCount; ++i)
        if (FindFunc(At(i), Params)) return i;
    return -1;
}

// ---- Streams ---------------------------------------------------------------

void TRecordList::SaveToStream(TStream& stream) const {
    stream.WriteInt32(FCount);
    if (FCount > 0) {
        stream.WriteInt32(FCapacity);
        stream.WriteBuffer(FList.get(), static_cast<int64_t>(FCount) * FRecSize);
    }
}

void TRecordList::LoadFromStream(TStream& stream) { LoadRecords(stream, FRecSize); }

// Builds the new contents aside and commits them only when all is read, so a
// failed load leaves the list as it was.
void TRecordList::LoadRecords(TStream& stream, uint16_t recSize) {
    const int32_t maxCapacity = MaxCapacityFor(recSize);
    const int32_t count = stream.ReadInt32();
    if (count < 0 || count > maxCapacity) RaiseReadError();
    std::unique_ptr<uint8_t[]> block;
    int32_t capacity = 0;
    if (count > 0) {
        capacity = stream.ReadInt32();
        if (capacity < count || capacity > maxCapacity) Error(SListCapacityError, capacity);
        const int64_t bytes = static_cast<int64_t>(count) * recSize;
        stream.CheckRemaining(bytes);
        if ((static_cast<int64_t>(capacity) - count) * recSize > std::max(bytes, MaxSpareBytes)) capacity = count;
        block.reset(new uint8_t[static_cast<size_t>(capacity) * recSize]);
        stream.ReadBuffer(block.get(), bytes);
    }
    FList = std::move(block);
    FRecSize = recSize;
    FMaxCapacity = maxCapacity;
    FCount = count;
    FCapacity = capacity;
}

void TRecordList::Persist(TStream& stream, TPstMode mode) {
    switch (mode) {
    case TPstMode::pstSave:
    case TPstMode::pstCopy:
        stream.WriteUInt16(FRecSize);
        SaveToStream(stream);
        break;
    case TPstMode::pstLoad:
    case TPstMode::pstPaste: {
        const uint16_t recSize = stream.ReadUInt16();
        if (recSize == 0) RaiseReadError();
        LoadRecords(stream, recSize);
        break;
    }
    case TPstMode::pstConnect:
    case TPstMode::pstConnectCopy:
        break;
    }
}

} // namespace vl
