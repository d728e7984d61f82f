// Creators: the object of a click with its identity, layer, data and
// repaint; slaves; box objects; tool identities.

#include <tuple>

#include "tool_fixture.h"
#include "velloran/tools/find_creator.h"

namespace vl::test {
namespace {

class CreatorTest : public PointsTest {
protected:
    TvlPoints* Labels = AddTool<TvlPoints>(); // component 3
};

TEST_F(CreatorTest, AClickMakesACountedVisiblePointObjectInTheGeneratorsLayer) {
    TCustomGenerator& g = Points->Generator();
    g.SetLayer(3);
    g.SetCounter(2);
    g.SetHotspotX(10);
    g.SetHotspotY(5);
    Doc->IncCounter(2);
    TvlObject* withData = nullptr;
    Points->OnObjectSetData = [&](TvlObject* o) { withData = o; };
    Points->Activate(nullptr);
    Host->SendMouseDown(TMouseButton::mbLeft, 130, 70);
    ASSERT_EQ(Doc->GetCount(), 1);
    TvlObject* o = Doc->At(0);
    EXPECT_EQ(o->GetLimits(), (TLimRec{120, 65, 140, 85}));
    EXPECT_EQ(std::tuple(o->ObjID, Doc->Layers[0], o->GetVisible(), withData),
              std::tuple(2, 3, true, o));
    // Its area is repainted and the document collects anew.
    const TRect r = Host->InvalidRect().value_or(TRect{});
    EXPECT_TRUE(r.Left <= 120 && r.Top <= 65 && r.Right >= 140 && r.Bottom >= 85);
    EXPECT_GT(Doc->RestoreRect().Xmin, Doc->RestoreRect().Xmax);
    Box->Grid().SetCapture(true);
    Host->SendMouseDown(TMouseButton::mbLeft, 130, 260);
    EXPECT_EQ(Doc->At(1)->GetPos(), (TPoint{100, 300}));
}

TEST_F(CreatorTest, ASlaveCreatorHangsItsObjectOnEveryNewOne) {
    Labels->Generator().SetLayer(1);
    Labels->Generator().SetCounter(1);
    Points->SetSlaveObject(Labels);
    TvlObject* master = Points->SetNewObj({50, 60});
    ASSERT_EQ(Doc->GetCount(), 2);
    TvlObject* slave = Doc->At(1);
    EXPECT_EQ(std::tuple(slave->Tool(), slave->GetMaster(), slave->ObjID, Doc->Layers[1]),
              std::tuple(Labels, master, 1, 1));
    EXPECT_TRUE(slave->GetVisible());
    EXPECT_EQ(slave->GetPos(), (TPoint{60, 70}));
    EXPECT_EQ(Labels->CreateSlaveAt(master, 3, 4)->GetPos(), (TPoint{53, 64}));
    Doc->Clear();
    delete Labels;
    EXPECT_EQ(Points->SlaveObject(), nullptr);
    Points->SetNewObj({50, 60});
    EXPECT_EQ(Doc->GetCount(), 1);
}

TEST_F(CreatorTest, BoxObjectsStayOutOfTheDocumentButAreShownAndGetSlaves) {
    Points->SetSlaveObject(Labels);
    Points->CreateBoxObjects = true;
    TvlObject* o = Points->SetNewObj({5, 5});
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(std::tuple(o->ObjID, o->GetVisible()), std::tuple(0, true));
    ASSERT_EQ(Doc->GetCount(), 1);
    EXPECT_EQ(Doc->At(0)->GetMaster(), o);
    Doc->Clear();
    // The draw box may take it over; the creator frees the rest.
    EXPECT_EQ(Points->TakeBoxObject(o).get(), o);
    EXPECT_EQ(Points->TakeBoxObject(o), nullptr);
    Points->SetSlaveObject(nullptr);
    Points->SetNewObj({6, 6});
}

TEST_F(CreatorTest, WithOnObjectFoundOnlyClicksOnAnObjectMakeOne) {
    Points->SetNewObj({100, 100});
    Labels->OnObjectFound = [](TvlObject*, bool&) {};
    Labels->Activate(nullptr);
    Doc->InvalidateRestoreRect();
    Host->ClearRecords();
    Host->SendMouseDown(TMouseButton::mbLeft, 300, 200);
    EXPECT_EQ(Doc->GetCount(), 1);
    EXPECT_TRUE(Host->Invalidations().empty());
    Host->SendMouseMove(105, 105);
    Host->SendMouseDown(TMouseButton::mbLeft, 107, 103);
    ASSERT_EQ(Doc->GetCount(), 2);
    EXPECT_EQ(Doc->At(1)->GetMaster(), Doc->At(0));
    EXPECT_EQ(Doc->At(1)->GetPos(), (TPoint{107, 103}));
}

TEST_F(CreatorTest, WithoutClassOrDocumentNothingIsMadeOrLeaked) {
    Points->OnObjectSetClass = [](TCapClass& c) { c = nullptr; };
    EXPECT_EQ(Points->SetNewObj({10, 10}), nullptr);
    Box->SetDataModule(nullptr);
    EXPECT_EQ(Labels->SetNewObj({10, 10}), nullptr);
    EXPECT_EQ(Labels->CreateSlave(Labels->SetNewObj({1, 1})), nullptr);
    EXPECT_EQ(Labels->Generator().Instance(), 0);
}

TEST_F(CreatorTest, IdentitiesAreComponentIndexesUnlessChangeIDGivesOne) {
    EXPECT_EQ(Labels->GetID(), 3);
    Labels->SetComponentIndex(0);
    EXPECT_EQ(Labels->GetID(), 0);
    EXPECT_EQ(FindCreator(&Form, 2), Points);
    // Neither the draw box (1) nor the document (3) is a creator.
    for (int id : {1, 3, 4, -5}) EXPECT_EQ(FindCreator(&Form, id), nullptr) << id;
    // A negative identity names the last creator that has it.
    Points->ChangeID = [](TObject*, TNewID& id) { id = -5; };
    Labels->ChangeID = Points->ChangeID;
    EXPECT_EQ(FindCreator(&Form, -5), Points);
}

} // namespace
} // namespace vl::test
