#include <velloran/foundations/point_list.h>
#include <velloran/foundations/record_list.h>
#include <velloran/platform/stream.h>

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace vl;

namespace {

using Rec6 = std::array<uint8_t, 6>;

Rec6 R(uint8_t v) { return {v, uint8_t(v + 1), uint8_t(v + 2), uint8_t(v + 3), uint8_t(v + 4), uint8_t(v + 5)}; }

Rec6 At(const TRecordList& l, int32_t i) {
    Rec6 r;
    l.GetRecord(i, r.data());
    return r;
}

std::vector<uint8_t> Bytes(std::initializer_list<int> v) { return {v.begin(), v.end()}; }

} // namespace

TEST(RecordList, GrowthSequence) {
    TRecordList l(6);
    std::vector<int32_t> seen;
    for (int i = 0; i < 100; ++i) {
        Rec6 r = R(uint8_t(i));
        l.Add(r.data());
        if (seen.empty() || seen.back() != l.Capacity()) seen.push_back(l.Capacity());
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    EXPECT_EQ(At(l, 99), R(99));
    EXPECT_EQ(l.MaxCapacity(), 2147483647 / 6);
}

TEST(RecordList, SetCountAndCapacity) {
    TRecordList l(6);
    l.SetCount(10);
    EXPECT_EQ(l.Capacity(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(At(l, i), Rec6{});

    // Shrinking the count keeps storage; growing again zero-fills, not stale data.
    Rec6 r = R(7);
    l.Insert(0, r.data());
    l.SetCount(1);
    l.SetCount(3);
    EXPECT_EQ(At(l, 0), R(7));
    EXPECT_EQ(At(l, 1), Rec6{});

    EXPECT_THROW(l.SetCapacity(2), EListError);
    EXPECT_THROW(l.SetCapacity(l.MaxCapacity() + 1), EListError);
    EXPECT_THROW(l.SetCount(-1), EListError);
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(l.Capacity(), 26); // 10 + 16
    l.SetCapacity(3);
    EXPECT_EQ(At(l, 0), R(7));
}

TEST(RecordList, InsertDeleteMoveExchange) {
    TRecordList l(6);
    for (uint8_t i = 0; i < 5; ++i) {
        Rec6 r = R(i * 10);
        l.Add(r.data());
    }
    l.Move(0, 3); // 10 20 30 0 40
    EXPECT_EQ(At(l, 3), R(0));
    EXPECT_EQ(At(l, 0), R(10));
    l.Move(4, 1); // 10 40 20 30 0
    EXPECT_EQ(At(l, 1), R(40));
    EXPECT_EQ(At(l, 4), R(0));
    l.Exchange(0, 4);
    EXPECT_EQ(At(l, 0), R(0));
    EXPECT_EQ(At(l, 4), R(10));
    l.Delete(4);
    l.Delete(0);
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(At(l, 0), R(40));
    EXPECT_EQ(At(l, 2), R(30));

    Rec6 mid = R(99);
    l.Insert(1, mid.data());
    EXPECT_EQ(At(l, 1), R(99));
    EXPECT_EQ(At(l, 2), R(20));
}

TEST(RecordList, InsertFromOwnStorageSurvivesGrowthAndShift) {
    TRecordList l(6);
    for (uint8_t i = 0; i < 4; ++i) {
        Rec6 r = R(i * 10);
        l.Add(r.data());
    }
    ASSERT_EQ(l.Capacity(), 4);
    l.Add(l.Get(2)); // storage moves while the source points into it
    EXPECT_EQ(At(l, 4), R(20));
    l.Insert(0, l.Get(3)); // the source shifts up by one record
    EXPECT_EQ(At(l, 0), R(30));
    EXPECT_EQ(At(l, 4), R(30));
}

TEST(RecordList, ErrorsChangeNothing) {
    TRecordList l(6);
    l.Move(2, 2);
    EXPECT_THROW(l.First(nullptr), EListError);
    for (uint8_t i = 0; i < 3; ++i) {
        Rec6 r = R(i);
        l.Add(r.data());
    }
    EXPECT_THROW(l.Delete(3), EListError);
    EXPECT_THROW(l.Move(0, 5), EListError);
    EXPECT_THROW(l.Move(5, 0), EListError);
    EXPECT_THROW(l.Exchange(0, 3), EListError);
    EXPECT_THROW(l.Insert(4, l.Get(0)), EListError);
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(At(l, 0), R(0));
    EXPECT_EQ(At(l, 2), R(2));
    try {
        l.Get(-1);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
    }
    EXPECT_THROW(TRecordList(0), Exception);
}

TEST(RecordList, IndexOfAndFindTakeTheFirstMatch) {
    TRecordList l(6);
    Rec6 a = R(1), b = R(2), absent = R(3);
    l.Add(a.data());
    l.Add(b.data());
    l.Add(b.data());
    EXPECT_EQ(l.IndexOf(b.data()), 1);
    EXPECT_EQ(l.IndexOf(absent.data()), -1);

    struct Params { uint8_t key; Rec6 found; } p{2, {}};
    auto byFirstByte = [](const void* rec, void* params) {
        auto* q = static_cast<Params*>(params);
        if (static_cast<const uint8_t*>(rec)[0] != q->key) return false;
        std::memcpy(q->found.data(), rec, 6);
        return true;
    };
    EXPECT_EQ(l.Find(byFirstByte, &p), 1);
    EXPECT_EQ(p.found, R(2));
    p.key = 9;
    EXPECT_EQ(l.Find(byFirstByte, &p), -1);
}

// ---- Stored layout ---------------------------------------------------------

TEST(RecordListStream, GoldenBytes) {
    TRecordList l(6);
    TMemoryStream empty;
    l.Persist(empty, TPstMode::pstSave);
    EXPECT_EQ(empty.Bytes(), Bytes({6, 0, 0, 0, 0, 0}));

    for (uint8_t i = 0; i < 3; ++i) {
        Rec6 r = R(i * 6 + 1);
        l.Add(r.data());
    }
    TMemoryStream s;
    l.Persist(s, TPstMode::pstCopy);
    EXPECT_EQ(s.Bytes(), Bytes({6, 0, 3, 0, 0, 0, 4, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9,
                                10, 11, 12, 13, 14, 15, 16, 17, 18}));

    TMemoryStream none;
    l.Persist(none, TPstMode::pstConnect);
    l.Persist(none, TPstMode::pstConnectCopy);
    EXPECT_EQ(none.Size(), 0);

    // Load takes the stored record size and capacity; saving again is byte-identical.
    s.SetPosition(0);
    auto back = TRecordList::CreateFromStream(s);
    EXPECT_EQ(back->RecSize(), 6);
    EXPECT_EQ(back->Capacity(), 4);
    EXPECT_EQ(back->MaxCapacity(), 2147483647 / 6);
    TMemoryStream again;
    back->Persist(again, TPstMode::pstSave);
    EXPECT_EQ(again.Bytes(), s.Bytes());
}

TEST(RecordListStream, LoadFromStreamUsesOwnRecordSize) {
    TRecordList l(2);
    TMemoryStream s(Bytes({2, 0, 0, 0, 3, 0, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD, 9}));
    l.LoadFromStream(s);
    EXPECT_EQ(l.Count(), 2);
    EXPECT_EQ(l.Capacity(), 3);
    EXPECT_EQ(s.Position(), 12);
    EXPECT_EQ(*static_cast<const uint8_t*>(l.Get(1)), 0xCC);
}

TEST(RecordListStream, BadInputRaisesAndKeepsTheList) {
    TRecordList l(6);
    Rec6 keep = R(50);
    l.Add(keep.data());
    auto expectUnchanged = [&] {
        EXPECT_EQ(l.Count(), 1);
        EXPECT_EQ(l.RecSize(), 6);
        EXPECT_EQ(At(l, 0), R(50));
    };
    struct Case { std::vector<uint8_t> bytes; bool listError; };
    const std::vector<Case> cases = {
        {Bytes({6}), false},                                         // truncated size
        {Bytes({0, 0, 0, 0, 0, 0}), false},                          // record size 0
        {Bytes({6, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 2, 3}), false},     // truncated records
        {Bytes({6, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F}), false}, // hostile count
        {Bytes({6, 0, 0xFF, 0xFF, 0xFF, 0xFF}), false},              // negative count
        {Bytes({6, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), true}, // capacity < count
    };
    for (const auto& c : cases) {
        TMemoryStream s(c.bytes);
        if (c.listError)
            EXPECT_THROW(l.Persist(s, TPstMode::pstLoad), EListError);
        else
            EXPECT_THROW(l.Persist(s, TPstMode::pstPaste), EReadError);
        expectUnchanged();
    }
}

TEST(RecordListStream, HostileCapacityReservesOnlyTheRecords) {
    TMemoryStream s(Bytes({1, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 42}));
    auto l = TRecordList::CreateFromStream(s);
    EXPECT_EQ(l->Count(), 1);
    EXPECT_EQ(l->Capacity(), 1);
}

// ---- Point list ------------------------------------------------------------

TEST(PointList, SettersExtendWithZeroPoints) {
    TPointList p;
    p.SetPoints(5, {7, -8});
    ASSERT_EQ(p.Count(), 6);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(p.GetPoints(i), (TPoint{0, 0}));
    EXPECT_EQ(p.Last(), (TPoint{7, -8}));
    p.SetPointY(7, 3);
    EXPECT_EQ(p.GetPoints(7), (TPoint{0, 3}));
    EXPECT_THROW(p.SetPoints(-1, {}), EListError);
    EXPECT_THROW(p.GetPointX(8), EListError);
    EXPECT_THROW(p.SetPointX(2147483647, 1), EListError);
    EXPECT_EQ(p.Count(), 8);
}

TEST(PointList, IndexOfTakesTheLowerIndex) {
    TPointList p;
    p.Add({1, 2});
    p.Add({3, 4});
    p.Insert(0, {3, 4});
    EXPECT_EQ(p.IndexOf({3, 4}), 0);
    EXPECT_EQ(p.IndexOf({4, 3}), -1);
    EXPECT_EQ(p.First(), (TPoint{3, 4}));
}

TEST(PointList, StoredLayoutAndForeignRecordSize) {
    TPointList p;
    p.Add({1, -1});
    TMemoryStream s;
    p.Persist(s, TPstMode::pstSave);
    EXPECT_EQ(s.Bytes(), Bytes({8, 0, 1, 0, 0, 0, 4, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    s.SetPosition(0);
    EXPECT_EQ(TPointList::CreateFromStream(s)->GetPoints(0), (TPoint{1, -1}));

    TMemoryStream six(Bytes({6, 0, 0, 0, 0, 0}));
    EXPECT_THROW(TPointList::CreateFromStream(six), EReadError);
}
