#include "document/data_mod_fixture.h"

namespace vl::test {
namespace {

using enum TIndividualFlag;

TEST_F(DocTest, CountersGrowOnDemandWrapAndClearToZero) {
    EXPECT_EQ(Doc->IncCounter(5), 1);
    EXPECT_EQ(Doc->IncCounter(5), 2);
    EXPECT_EQ(Doc->Counters(), (TCounters{0, 0, 0, 0, 0, 2}));
    EXPECT_EQ(Doc->DecCounter(5), 1);
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
    EXPECT_EQ(sel, (std::vector<TvlObject*>{a, b}));
    EXPECT_EQ(marked, (std::vector<TvlObject*>{b}));
    EXPECT_TRUE(b->State.Contains(isMarked));

    Doc->Mark(nullptr);
    EXPECT_EQ(marked.back(), nullptr);
    EXPECT_TRUE(a->State.Contains(isMarked));

    Doc->UnSelect(a);
    EXPECT_EQ(Marked(), (std::vector<TvlObject*>{b}));
    Doc->UnmarkAll();
    EXPECT_EQ(unsel, (std::vector<TvlObject*>{a, nullptr}));
    EXPECT_TRUE(Marked().empty());
    EXPECT_FALSE(b->GetSelected());
    EXPECT_EQ(sel.size(), 2u);
}

TEST_F(DocTest, MarkCaseKeepsStackingOrder) {
    Tool2->Generator().SetZOrder(5);
    TBoxObj* front = Add(Tool, {0, 0});
    TBoxObj* back = Add(Tool2, {0, 0});
    Doc->Select(front);
    Doc->Select(back);
    EXPECT_EQ(Marked(), (std::vector<TvlObject*>{back, front}));
}

TEST_F(DocTest, FindObjectByIdentityThroughTheTranslation) {
    Tool2->Generator().SetCounter(1);
    TBoxObj* a = Add(Tool, {0, 0});
    TBoxObj* b = Add(Tool2, {0, 0});
    ASSERT_EQ(a->ObjID, b->ObjID); // two counters: only the class number tells them apart
    const TContype key{nullptr, b->ClassNr(), b->ObjID};
    EXPECT_EQ(Doc->FindObject(key), b);
    EXPECT_EQ(Doc->FindObject({nullptr, 99, b->ObjID}), nullptr);

    TMapper map({{99, a->ClassNr()}});
    Mapper = &map;
    Doc->SetStartIndex({1, 0});
    EXPECT_EQ(Doc->FindObject({nullptr, 99, a->ObjID}), a);
    EXPECT_EQ(Doc->StartIndex(), (TObjIndex{0, 0}));
}

TEST_F(DocTest, RestoreRectAgainstTheLimits) {
    EXPECT_EQ(Doc->RestoreRect(), (TLimRec{EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax}));
    EXPECT_FALSE(Doc->RangeChanged());

    Add(Tool, {0, 0});
    const TLimRec lims = Doc->Limits();
    EXPECT_TRUE(Doc->CompareLimits(lims));
    EXPECT_FALSE(Doc->CompareLimits({lims.Xmin, lims.Ymin, lims.Xmax + 1, lims.Ymax}));
    EXPECT_EQ(Doc->Extent(), (TPoint{lims.Xmax - lims.Xmin, lims.Ymax - lims.Ymin}));

    Doc->RestoreRect() = lims;
    EXPECT_FALSE(Doc->RangeChanged());
    Doc->RestoreRect().Ymin -= 1;
    EXPECT_TRUE(Doc->RangeChanged());

    Host->ClearRecords();
    Doc->Invalidate();
    EXPECT_EQ(Host->Invalidations().size(), 1u);
    EXPECT_EQ(Doc->RestoreRect().Xmin, EmptyLimMin);
}

struct TTaggedLayer : TvlLayer {
    using TvlLayer::TvlLayer;
};

TEST_F(DocTest, LayerClassFromTheHandler) {
    Doc->OnLayerSetClass = [](TLayerClass& c) { c = &LayerClassOf<TTaggedLayer>; };
    TBoxObj* a = Add(Tool, {0, 0});
    Doc->Mark(a);
    std::unique_ptr<TvlLayer> old = Doc->SetObjects(nullptr);
    EXPECT_NE(dynamic_cast<TTaggedLayer*>(&Doc->Objects()), nullptr);
    EXPECT_EQ(old->Get(0), a);
    EXPECT_TRUE(Marked().empty());
    // A handler that clears the class still gets a layer.
    Doc->OnLayerSetClass = [](TLayerClass& c) { c = nullptr; };
    EXPECT_NE(Doc->LayerSetClass(), nullptr);
}

TEST_F(DocTest, AssignCopiesHandlersAndCapacity) {
    Doc->SetCapacity(7);
    int deleted = 0;
    Doc->OnDeleteObjects = [&](TObject*) { ++deleted; };
    TComponent other;
    TvlDataModule copy(&other);
    copy.Assign(*Doc);
    EXPECT_EQ(copy.Capacity(), 7u);
    copy.OnDeleteObjects(&copy);
    EXPECT_EQ(deleted, 1);
    EXPECT_THROW(copy.Assign(*Tool), EConvertError);
}

} // namespace
} // namespace vl::test
