#include "document/data_mod_fixture.h"

namespace vl::test {
namespace {

TEST_F(DocTest, CountersGrowOnDemandWrapAndClearToZero) {
    EXPECT_EQ(Doc->IncCounter(5), 1);
    EXPECT_EQ(Doc->IncCounter(5), 2);
    EXPECT_EQ(Doc->Counters(), (TCounters{0, 0, 0, 0, 0, 2}));
    for (int i = 0; i < 65535; ++i) Doc->IncCounter(0);
    EXPECT_EQ(Doc->IncCounter(0), 0);
    Doc->Clear();
    EXPECT_EQ(Doc->Counters(), TCounters(6, 0));
    EXPECT_THROW(Doc->DecCounter(6), EListError);
}

TEST_F(DocTest, SelectionEventsFireOncePerChange) {
    std::vector<TvlObject*> sel, unsel, marked;
    Doc->OnSelectObject = [&](TvlObject* o) { sel.push_back(o); };
    Doc->OnUnselectObject = [&](TvlObject* o) { unsel.push_back(o); };
    Doc->OnMarkObject = [&](TvlObject* o) { marked.push_back(o); };
    TBoxObj* a = Add(Tool, {0, 0});
    TBoxObj* b = Add(Tool, {50, 0});
    Doc->Select(a);
    Doc->Select(a);
    Doc->Mark(b);
    Doc->Mark(nullptr);
    EXPECT_EQ(sel, (std::vector<TvlObject*>{a, b}));
    EXPECT_EQ(marked, (std::vector<TvlObject*>{b, nullptr}));
    EXPECT_TRUE(a->State.Contains(TIndividualFlag::isMarked));

    Doc->UnSelect(a);
    EXPECT_EQ(Marked(), (std::vector<TvlObject*>{b}));
    Doc->UnmarkAll();
    EXPECT_EQ(unsel, (std::vector<TvlObject*>{a, nullptr}));
    EXPECT_TRUE(Marked().empty() && !b->GetSelected());
}

TEST_F(DocTest, FindObjectByIdentityThroughTheTranslation) {
    Tool2->Generator().SetCounter(1);
    TBoxObj* a = Add(Tool, {0, 0});
    TBoxObj* b = Add(Tool2, {0, 0});
    ASSERT_EQ(a->ObjID, b->ObjID); // two counters: only the class number tells them apart
    EXPECT_EQ(Doc->FindObject({nullptr, b->ClassNr(), b->ObjID}), b);
    EXPECT_EQ(Doc->FindObject({nullptr, 99, b->ObjID}), nullptr);

    TMapper map({{99, a->ClassNr()}});
    TMapperScope mapping(&map);
    Doc->SetStartIndex({1, 0});
    EXPECT_EQ(Doc->FindObject({nullptr, 99, a->ObjID}), a);
    EXPECT_EQ(Doc->StartIndex(), (TObjIndex{0, 0}));
}

TEST_F(DocTest, RangeChangesWhenTheRestoreRectLeavesTheLimits) {
    EXPECT_FALSE(Doc->RangeChanged()); // empty rectangle, empty limits
    Add(Tool, {0, 0});
    Doc->RestoreRect() = Doc->Limits();
    EXPECT_FALSE(Doc->RangeChanged());
    Doc->RestoreRect().Ymin -= 1;
    EXPECT_TRUE(Doc->RangeChanged());
}

TEST_F(DocTest, ReplacingTheObjectCaseUsesTheLayerClassAndForgetsMarks) {
    struct TTaggedLayer : TvlLayer {
        using TvlLayer::TvlLayer;
    };
    Doc->OnLayerSetClass = [](TLayerClass& c) { c = &LayerClassOf<TTaggedLayer>; };
    TBoxObj* a = Add(Tool, {0, 0});
    Doc->Mark(a);
    std::unique_ptr<TvlLayer> old = Doc->SetObjects(nullptr);
    EXPECT_NE(dynamic_cast<TTaggedLayer*>(&Doc->Objects()), nullptr);
    EXPECT_EQ(Items(*old), (std::vector<TvlObject*>{a}));
    // Unselected, so it can be marked again if the case comes back.
    EXPECT_TRUE(Marked().empty() && !a->GetSelected());
}

} // namespace
} // namespace vl::test
