#pragma once
// A growable array of fixed-size plain records, stored contiguously and copied
// in and out by value, with its own stream layout.

#include <cstdint>
#include <memory>

#include "velloran/foundations/pst_mode.h"

namespace vl {

class TStream;

/// Called with a stored record and the caller's parameter block, which it may
/// change (a lookup can copy the matching record into it).
using TFindFunc = bool (*)(const void* record, void* params);

/// A growable array of fixed-size plain records with its own stream layout.
class TRecordList {
public:
    /// RecordSize must be greater than 0.
    explicit TRecordList(uint16_t RecordSize);
    /// An empty list, then Persist(stream, pstLoad): the record size is the stored one.
    static std::unique_ptr<TRecordList> CreateFromStream(TStream& stream);
    TRecordList(const TRecordList& other);
    TRecordList& operator=(const TRecordList& other);
    /// The moved-from list is empty and keeps its record size.
    TRecordList(TRecordList&& other) noexcept;
    TRecordList& operator=(TRecordList&& other) noexcept;
    virtual ~TRecordList();

    /// Records are FRecSize bytes at aRecord; it may point into the list itself.
    int32_t Add(const void* aRecord);
    void Insert(int32_t Index, const void* aRecord);
    void Delete(int32_t Index);
    void Move(int32_t CurIndex, int32_t NewIndex);
    void Exchange(int32_t Index1, int32_t Index2);
    void* Get(int32_t Index);
    const void* Get(int32_t Index) const;
    void GetRecord(int32_t Index, void* aRecord) const;
    void First(void* aRecord) const;
    void Last(void* aRecord) const;
    int32_t IndexOf(const void* aRecord) const;
    int32_t Find(TFindFunc FindFunc, void* Params) const;
    void Clear();
    TRecordList& Expand();

    int32_t Count() const { return FCount; }
    void SetCount(int32_t value);
    int32_t Capacity() const { return FCapacity; }
    void SetCapacity(int32_t value);
    uint16_t RecSize() const { return FRecSize; }
    int32_t MaxCapacity() const { return FMaxCapacity; }

    void SaveToStream(TStream& stream) const;
    void LoadFromStream(TStream& stream);
    virtual void Persist(TStream& stream, TPstMode mode);

protected:
    virtual void Grow();
    [[noreturn]] static void Error(const char* Msg, int64_t Data);
    void CheckIndex(int32_t Index) const;

private:
    uint8_t* At(int32_t Index) const { return FList.get() + static_cast<size_t>(Index) * FRecSize; }
    void LoadRecords(TStream& stream, uint16_t recSize);

    std::unique_ptr<uint8_t[]> FList;
    uint16_t FRecSize;
    int32_t FCount = 0;
    int32_t FCapacity = 0;
    int32_t FMaxCapacity;
};

} // namespace vl
