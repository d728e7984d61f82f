#include "support/alloc_counter.h"
#include "list_fixture.h"

using namespace vl;
using namespace vl::test;

namespace {

class CapList : public ListTest {
protected:
    void Fill(int n) {
        for (int i = 0; i < n; ++i) List.Add(o.emplace_back(Add(Tool, {})));
    }
    // True for the objects in hits.
    auto In(const Objs& hits) {
        return [&hits](TvlObject* x) { return std::find(hits.begin(), hits.end(), x) != hits.end(); };
    }
    TCapList List;
    Objs o;
};

TEST_F(CapList, ZOrderedInsertion) {
    TvlCreator* z5 = CreatorZ(5);
    List.State.Include(TListFlag::lsZOrder);
    TvlObject* a = Add(Tool, {});
    TvlObject* b = Add(z5, {});
    TvlObject* c = Add(Tool, {});
    TvlObject* d = Add(CreatorZ(3), {});
    TvlObject* e = Add(z5, {});
    for (TvlObject* x : {a, b, c, d}) List.Add(x);
    EXPECT_EQ(Items(List), (Objs{b, d, a, c}));
    // Among equal values the newer object lies in front.
    EXPECT_EQ(List.Add(e), 1);
}

TEST_F(CapList, CyclicSearches) {
    Fill(4);
    Objs hits{o[1]};
    List.SetStartIndex(2);
    EXPECT_EQ(List.FirstObjectWith(In(hits)), o[1]);
    EXPECT_EQ(List.StartIndex(), 0);
    hits = {o[3]};
    List.SetStartIndex(2);
    EXPECT_EQ(List.FirstIndexWith(In(hits)), 3);
    EXPECT_EQ(List.StartIndex(), 2);

    // Backwards from S - 1, then from the end down to S.
    hits = {o[1], o[3]};
    List.SetStartIndex(3);
    EXPECT_EQ(List.LastIndexWith(In(hits)), 1);
    EXPECT_EQ(List.StartIndex(), 3);
    List.SetStartIndex(1);
    EXPECT_EQ(List.LastObjectWith(In(hits)), o[3]);
    EXPECT_EQ(List.StartIndex(), 0);

    // A start index the list has shrunk below counts as 0.
    List.SetStartIndex(3);
    List.Delete(3);
    List.Delete(2);
    EXPECT_EQ(List.LastIndexWith(In(hits)), 1);
    for (TvlObject* x : {o[2], o[3], o[0]}) List.Add(x);
    List.SetStartIndex(5);
    EXPECT_EQ(List.StartIndex(), 0);
    List.SetStartIndex(-2);
    EXPECT_EQ(List.FirstIndexWith(In(hits)), 1);
}

TEST_F(CapList, TraversalsSkipNilReadTheCountOnceAndAllocateNothing) {
    Fill(4);
    List.Put(1, nullptr);
    Objs seen;
    seen.reserve(8);
    const auto note = [&](TvlObject* x) {
        seen.push_back(x);
        if (x == o[2]) List.Put(3, nullptr);
    };
    const long before = GAllocations;
    List.AllObjects(note);
    EXPECT_EQ(GAllocations, before);
    EXPECT_EQ(seen, (Objs{o[0], o[2]}));
    List.Put(3, o[3]);
    seen.clear();
    List.AllObjectsBack(note);
    EXPECT_EQ(seen, (Objs{o[3], o[2], o[0]}));
}

} // namespace
