#include "alloc_counter.h"
#include "list_fixture.h"

using namespace vl;
using namespace vl::test;

namespace {

using Objs = std::vector<TvlObject*>;

class CapList : public ListTest {
protected:
    // Four objects at indices 0..3, owned by the document.
    void Fill(int n = 4) {
        for (int i = 0; i < n; ++i) o.push_back(Add(Tool, {i * 100, 0}));
        for (TvlObject* x : o) List.Add(x);
    }
    // A condition true for the objects in the set.
    static bool In(TvlObject* x, void* p) {
        const auto& set = *static_cast<const Objs*>(p);
        return std::find(set.begin(), set.end(), x) != set.end();
    }
    TCapList List;
    Objs o;
};

TEST_F(CapList, ZOrderedInsertion) {
    TvlCreator* z5 = CreatorZ(5);
    TvlCreator* z3 = CreatorZ(3);
    TvlCreator* z0 = CreatorZ(0);
    List.State.Include(TListFlag::lsZOrder);
    TvlObject* a = Add(z0, {});
    TvlObject* b = Add(z5, {});
    TvlObject* c = Add(z0, {});
    TvlObject* d = Add(z3, {});
    EXPECT_EQ(List.Add(a), 0);
    EXPECT_EQ(List.Add(b), 0);
    EXPECT_EQ(List.Add(c), 2);
    EXPECT_EQ(List.Add(d), 1);
    EXPECT_EQ(Items(List), (Objs{b, d, a, c}));
    // Among equal values the newer object lies in front.
    TvlObject* e = Add(z5, {});
    EXPECT_EQ(List.Add(e), 1);
    EXPECT_EQ(List.FindZIndex(1), 3);
    EXPECT_EQ(List.FindZIndex(0), 5);

    // Without lsZOrder every object is appended.
    TCapList plain;
    for (TvlObject* x : {a, b, c, d}) plain.Add(x);
    EXPECT_EQ(Items(plain), (Objs{a, b, c, d}));
}

TEST_F(CapList, ForwardSearchesWrapFromTheStartIndex) {
    Fill();
    Objs hits{o[1]};
    List.SetStartIndex(2);
    EXPECT_EQ(List.FirstObjectWith(In, &hits), o[1]);
    EXPECT_EQ(List.StartIndex(), 0);

    hits = {o[3]};
    List.SetStartIndex(2);
    EXPECT_EQ(List.FirstIndexWith(In, &hits), 3);
    EXPECT_EQ(List.StartIndex(), 2);
    // The hit before the start index is found by the second pass, which resets it.
    hits = {o[0], o[1]};
    EXPECT_EQ(List.FirstIndexWith(In, &hits), 0);
    EXPECT_EQ(List.StartIndex(), 0);
    // FirstObjectWith resets even when the first pass finds.
    hits = {o[3]};
    List.SetStartIndex(2);
    EXPECT_EQ(List.FirstObjectWith(In, &hits), o[3]);
    EXPECT_EQ(List.StartIndex(), 0);

    hits = {};
    List.SetStartIndex(1);
    EXPECT_EQ(List.FirstIndexWith(In, &hits), -1);
    EXPECT_EQ(List.StartIndex(), 0);
}

TEST_F(CapList, BackwardSearchesWrapFromTheStartIndex) {
    Fill();
    Objs hits{o[1], o[3]};
    // From the back when no start is set.
    EXPECT_EQ(List.LastObjectWith(In, &hits), o[3]);
    // From S - 1 down; nothing below S = 1 matches, so the wrap finds 3.
    List.SetStartIndex(3);
    EXPECT_EQ(List.LastIndexWith(In, &hits), 1);
    EXPECT_EQ(List.StartIndex(), 3);
    List.SetStartIndex(1);
    EXPECT_EQ(List.LastIndexWith(In, &hits), 3);
    EXPECT_EQ(List.StartIndex(), 0);
    hits = {o[2]};
    List.SetStartIndex(1);
    EXPECT_EQ(List.LastObjectWith(In, &hits), o[2]);
    EXPECT_EQ(List.StartIndex(), 0);
    // The wrap stops at S: index 0 is tested once.
    int calls = 0;
    List.SetStartIndex(2);
    EXPECT_EQ(List.LastObjectWith([&](TvlObject*, void*) { return ++calls, false; }, &noParam), nullptr);
    EXPECT_EQ(calls, 4);
}

TEST_F(CapList, StartIndexOutsideTheListCountsAsZero) {
    Fill(5);
    List.SetStartIndex(5);
    EXPECT_EQ(List.StartIndex(), 0);
    List.SetStartIndex(-2);
    EXPECT_EQ(List.StartIndex(), 0);
    // Set, then the list shrinks below it.
    List.SetStartIndex(4);
    List.Delete(4);
    List.Delete(3);
    Objs hits{o[0]};
    EXPECT_EQ(List.FirstIndexWith(In, &hits), 0);
    EXPECT_EQ(List.LastIndexWith(In, &hits), 0);

    TCapList empty;
    int calls = 0;
    auto count = [&](TvlObject*, void*) { return ++calls, true; };
    EXPECT_EQ(empty.FirstObjectWith(count, &noParam), nullptr);
    EXPECT_EQ(empty.LastIndexWith(count, &noParam), -1);
    EXPECT_EQ(calls, 0);
}

TEST_F(CapList, TraversalsSkipNilAndReadTheCountOnce) {
    Fill();
    List.Put(1, nullptr);
    Objs seen;
    // The callback clears the entry after it; the list keeps its count.
    List.AllObjects(
        [&](TvlObject* x, void*) {
            seen.push_back(x);
            if (x == o[2]) List.Put(3, nullptr);
        },
        &noParam);
    EXPECT_EQ(seen, (Objs{o[0], o[2]}));
    List.Put(3, o[3]);
    seen.clear();
    List.AllObjectsBack([&](TvlObject* x, void*) { seen.push_back(x); }, &noParam);
    EXPECT_EQ(seen, (Objs{o[3], o[2], o[0]}));
    // Searches skip nil too.
    EXPECT_EQ(List.FirstIndexWith([](TvlObject* x, void*) { return x == nullptr; }, &noParam), -1);

    // Walks allocate nothing per object.
    for (int i = 0; i < 200; ++i) List.Add(o[0]);
    int n = 0;
    const TAllObjectsProc count = [&n](TvlObject*, void*) { ++n; };
    const TFirstObjectFunc never = [](TvlObject*, void*) { return false; };
    const long before = GAllocations;
    List.AllObjects(count, &noParam);
    List.AllObjectsBack(count, &noParam);
    List.SetStartIndex(100);
    List.FirstObjectWith(never, &noParam);
    List.LastIndexWith(never, &noParam);
    EXPECT_EQ(GAllocations, before);
    EXPECT_EQ(n, 2 * 203);
}

TEST_F(CapList, SavingSkipsNilAndDontSaveObjects) {
    Fill(2);
    TvlObject* other = Add(Tool2, {5, 5});
    List.Add(other);
    List.Add(nullptr);
    Tool2->Generator().SetRTOptions({TRuntimeOption::roDontSave});
    TMemoryStream s, expected;
    List.SaveToStream(s);
    o[0]->SaveToStream(expected);
    o[1]->SaveToStream(expected);
    EXPECT_EQ(s.Bytes(), expected.Bytes());
}

} // namespace
