#pragma once
// TBreakList: the line ends of a word-broken text, 1-based positions of the
// last character of each line but the last (line breaks included), in
// increasing order, and the index of the widest line.

#include <cstdint>
#include <memory>

#include "velloran/foundations/record_list.h"

namespace vl {

/// The line ends of a word-broken text and the index of its widest line.
class TBreakList : public TRecordList {
public:
    TBreakList() : TRecordList(2) {}
    /// Reads the stored layout; raises a read error unless it holds 16-bit
    /// entries that increase within 1..TextLength.
    static std::unique_ptr<TBreakList> CreateFromStream(TStream& Stream, int32_t TextLength, TPstMode Mode);

    int16_t GetItems(int32_t Index) const;
    void AddItem(int16_t Pos) { Add(&Pos); }
    /// Record list layout with 2-byte records, then RefIdx (2 bytes).
    void Persist(TStream& Stream, TPstMode Mode) override;

    int16_t FRefIdx = 0;
};

} // namespace vl
