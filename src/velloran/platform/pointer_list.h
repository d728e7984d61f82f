#pragma once
// A list of untyped pointers with the classic list operations, and a typed
// view of it. The list owns nothing. Every index outside the list raises
// EListError with SListIndexError.

#include <cstdint>
#include <vector>

namespace vl {

/// A list of untyped pointers that owns nothing.
class TList {
public:
    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    /// Growing fills with nullptr; a negative count raises SListCountError.
    void SetCount(int32_t Value);
    int32_t Capacity() const { return static_cast<int32_t>(FItems.capacity()); }
    /// Below Count or negative raises SListCapacityError.
    void SetCapacity(int32_t Value);

    /// Appends; returns the new item's index.
    int32_t Add(void* Item);
    /// Index may be Count (append).
    void Insert(int32_t Index, void* Item);
    void* Get(int32_t Index) const;
    void Put(int32_t Index, void* Item);
    void* Items(int32_t Index) const { return Get(Index); }
    void* First() const { return Get(0); }
    void* Last() const { return Get(Count() - 1); }
    /// First index of Item, -1 when absent.
    int32_t IndexOf(const void* Item) const;
    /// Removes the first occurrence; returns its index or -1.
    int32_t Remove(const void* Item);
    /// Removes the first occurrence and returns it; nullptr when absent.
    void* Extract(const void* Item);
    void Delete(int32_t Index);
    void Exchange(int32_t Index1, int32_t Index2);
    void Move(int32_t CurIndex, int32_t NewIndex);
    /// Drops the nullptr entries, keeping the order of the rest.
    void Pack();
    void Clear();

    const std::vector<void*>& List() const { return FItems; }

private:
    void CheckIndex(int32_t Index) const;
    std::vector<void*> FItems;
};

// The same list holding pointers to T.
/// A typed view of a TList.
template <typename T>
class TPointerList {
public:
    int32_t Count() const { return FList.Count(); }
    void SetCount(int32_t Value) { FList.SetCount(Value); }
    int32_t Capacity() const { return FList.Capacity(); }
    void SetCapacity(int32_t Value) { FList.SetCapacity(Value); }
    int32_t Add(T* Item) { return FList.Add(Item); }
    void Insert(int32_t Index, T* Item) { FList.Insert(Index, Item); }
    T* Get(int32_t Index) const { return static_cast<T*>(FList.Get(Index)); }
    T* Items(int32_t Index) const { return Get(Index); }
    void Put(int32_t Index, T* Item) { FList.Put(Index, Item); }
    T* First() const { return static_cast<T*>(FList.First()); }
    T* Last() const { return static_cast<T*>(FList.Last()); }
    int32_t IndexOf(const T* Item) const { return FList.IndexOf(Item); }
    int32_t Remove(const T* Item) { return FList.Remove(Item); }
    T* Extract(const T* Item) { return static_cast<T*>(FList.Extract(Item)); }
    void Delete(int32_t Index) { FList.Delete(Index); }
    void Exchange(int32_t Index1, int32_t Index2) { FList.Exchange(Index1, Index2); }
    void Move(int32_t CurIndex, int32_t NewIndex) { FList.Move(CurIndex, NewIndex); }
    void Pack() { FList.Pack(); }
    void Clear() { FList.Clear(); }

private:
    TList FList;
};

} // namespace vl
