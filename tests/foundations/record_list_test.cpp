#include <velloran/foundations/point_list.h>
#include <velloran/foundations/stream.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

using namespace vl;

namespace {

using Rec6 = std::array<uint8_t, 6>;
Rec6 R(int v) { return {uint8_t(v), uint8_t(v + 1), uint8_t(v + 2), uint8_t(v + 3), uint8_t(v + 4), uint8_t(v + 5)}; }

TRecordList List(std::initializer_list<int> heads) {
    TRecordList l(6);
    for (int h : heads) l.Add(R(h).data());
    return l;
}

// A record reads as its first byte when it is R(byte), as 0 when all zero, else -1.
std::vector<int> Heads(const TRecordList& l) {
    std::vector<int> out;
    for (int i = 0; i < l.Count(); ++i) {
        Rec6 r;
        l.GetRecord(i, r.data());
        out.push_back(r == Rec6{} ? 0 : (r == R(r[0]) ? r[0] : -1));
    }
    return out;
}

std::vector<uint8_t> Bytes(std::initializer_list<int> v) { return {v.begin(), v.end()}; }

} // namespace

TEST(RecordList, GrowthAndCount) {
    TRecordList l(6);
    std::vector<int32_t> capacities;
    for (int i = 0; i < 100; ++i) {
        l.Add(R(i).data());
        if (capacities.empty() || capacities.back() != l.Capacity()) capacities.push_back(l.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{4, 8, 12, 28, 44, 60, 76, 95, 118}));

    // A larger count takes exactly that capacity and zero-fills, even over stale records.
    TRecordList z = List({7, 8});
    z.SetCount(1);
    z.SetCount(10);
    EXPECT_EQ(z.Capacity(), 10);
    EXPECT_EQ(Heads(z), (std::vector<int>{7, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(RecordList, Reordering) {
    TRecordList l = List({0, 10, 20, 30, 40});
    l.Move(0, 3);
    EXPECT_EQ(Heads(l), (std::vector<int>{10, 20, 30, 0, 40}));
    l.Move(4, 1);
    EXPECT_EQ(Heads(l), (std::vector<int>{10, 40, 20, 30, 0}));
    l.Exchange(0, 4);
    l.Delete(4);
    l.Insert(1, R(99).data());
    EXPECT_EQ(Heads(l), (std::vector<int>{0, 99, 40, 20, 30}));
    const TRecordList copy = l; // owns its own storage
    l.Delete(0);
    EXPECT_EQ(Heads(copy), (std::vector<int>{0, 99, 40, 20, 30}));

    // A source inside the list survives reallocation and shifting.
    TRecordList full = List({0, 10, 20, 30});
    full.Add(full.Get(2));
    full.Insert(0, full.Get(3));
    EXPECT_EQ(Heads(full), (std::vector<int>{30, 0, 10, 20, 30, 20}));
}

TEST(RecordList, ErrorsChangeNothing) {
    TRecordList empty(6);
    empty.Move(2, 2);
    Rec6 r;
    EXPECT_THROW(empty.First(r.data()), EListError);

    TRecordList l = List({0, 1, 2});
    EXPECT_THROW(l.Delete(3), EListError);
    EXPECT_THROW(l.Move(0, 5), EListError);
    EXPECT_THROW(l.Move(5, 0), EListError);
    EXPECT_THROW(l.Insert(4, R(9).data()), EListError);
    EXPECT_THROW(l.SetCapacity(2), EListError);
    EXPECT_THROW(l.SetCount(l.MaxCapacity() + 1), EListError);
    EXPECT_EQ(Heads(l), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(l.Capacity(), 4);
    try {
        l.Get(-1);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
    }
}

TEST(RecordList, FindMayFillTheParameterBlock) {
    TRecordList l = List({1, 2, 2});
    Rec6 p{2};
    auto byHead = [](const void* rec, void* params) {
        const bool hit = static_cast<const uint8_t*>(rec)[0] == *static_cast<uint8_t*>(params);
        if (hit) std::memcpy(params, rec, 6);
        return hit;
    };
    EXPECT_EQ(l.Find(byHead, &p), 1);
    EXPECT_EQ(p, R(2));
    p = {9};
    EXPECT_EQ(l.Find(byHead, &p), -1);
}

TEST(RecordListStream, GoldenBytesAndRoundTrip) {
    TMemoryStream empty;
    TRecordList(6).Persist(empty, TPstMode::pstSave);
    EXPECT_EQ(empty.Bytes(), Bytes({6, 0, 0, 0, 0, 0}));

    TRecordList l = List({1, 7, 13});
    TMemoryStream s;
    l.Persist(s, TPstMode::pstCopy);
    l.Persist(s, TPstMode::pstConnect);
    EXPECT_EQ(s.Bytes(), Bytes({6, 0, 3, 0, 0, 0, 4, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9,
                                10, 11, 12, 13, 14, 15, 16, 17, 18}));
    s.SetPosition(0);
    TMemoryStream again;
    TRecordList::CreateFromStream(s)->Persist(again, TPstMode::pstSave);
    EXPECT_EQ(again.Bytes(), s.Bytes());

    // LoadFromStream has no record size of its own and uses the list's.
    TRecordList two(2);
    TMemoryStream raw(Bytes({2, 0, 0, 0, 3, 0, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD, 9}));
    two.LoadFromStream(raw);
    EXPECT_EQ(two.Capacity(), 3);
    EXPECT_EQ(raw.Position(), 12);
}

TEST(RecordListStream, BadInputRaisesAndKeepsTheList) {
    TRecordList l = List({50});
    const std::vector<std::vector<uint8_t>> readErrors = {
        Bytes({6}),                                              // truncated record size
        Bytes({0, 0, 0, 0, 0, 0}),                               // record size 0
        Bytes({6, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 2, 3}),          // truncated records
        Bytes({6, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F}), // hostile count
        Bytes({6, 0, 0xFF, 0xFF, 0xFF, 0xFF}),                   // negative count
    };
    for (const auto& bytes : readErrors) {
        TMemoryStream s(bytes);
        EXPECT_THROW(l.Persist(s, TPstMode::pstPaste), EReadError);
    }
    TMemoryStream lowCapacity(Bytes({6, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_THROW(l.Persist(lowCapacity, TPstMode::pstLoad), EListError);
    EXPECT_EQ(Heads(l), (std::vector<int>{50}));
    EXPECT_EQ(l.RecSize(), 6);

    // A huge stored capacity over one record reserves only that record.
    TMemoryStream hostile(Bytes({1, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 42}));
    EXPECT_EQ(TRecordList::CreateFromStream(hostile)->Capacity(), 1);
}

TEST(PointList, SettersExtendWithZeroPoints) {
    TPointList p;
    p.SetPoints(5, {7, -8});
    ASSERT_EQ(p.Count(), 6);
    EXPECT_EQ(p.GetPoints(4), (TPoint{0, 0}));
    EXPECT_EQ(p.Last(), (TPoint{7, -8}));
    p.SetPointY(7, 3);
    EXPECT_EQ(p.GetPoints(7), (TPoint{0, 3}));
    EXPECT_THROW(p.SetPoints(-1, {}), EListError);
    EXPECT_THROW(p.SetPointX(2147483647, 1), EListError);
    EXPECT_EQ(p.Count(), 8);

    p.Insert(0, {0, 3});
    EXPECT_EQ(p.IndexOf({0, 3}), 0);
    EXPECT_EQ(p.IndexOf({3, 0}), -1);
}

TEST(PointList, StoredLayoutAndForeignRecordSize) {
    TPointList p;
    p.Add({1, -1});
    TMemoryStream s;
    p.Persist(s, TPstMode::pstSave);
    EXPECT_EQ(s.Bytes(), Bytes({8, 0, 1, 0, 0, 0, 4, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    s.SetPosition(0);
    EXPECT_EQ(TPointList::CreateFromStream(s)->First(), (TPoint{1, -1}));

    TMemoryStream six(Bytes({6, 0, 0, 0, 0, 0}));
    EXPECT_THROW(TPointList::CreateFromStream(six), EReadError);
}
