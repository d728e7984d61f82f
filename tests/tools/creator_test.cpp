// Creators: the object of a click with its identity, layer, data and
// repaint; slaves; box objects; tool identities; the object events.

#include "tool_fixture.h"
#include "velloran/generators/generator.h"
#include "velloran/objects/point_obj.h"
#include "velloran/tools/find_creator.h"
#include "velloran/tools/vl_points.h"

namespace vl::test {
namespace {

class CreatorTest : public ToolTest {
protected:
    CreatorTest() {
        Points = AddPoints();
        AddDoc();
    }
    TvlPoints* AddPoints() {
        auto* p = AddTool<TvlPoints>();
        p->OnObjectSetClass = [](TCapClass& c) { c = CapClassOf<TSymbol>; };
        return p;
    }
    TvlPoints* Points = nullptr;
};

TEST_F(CreatorTest, AClickMakesACountedVisibleObjectInTheGeneratorsLayer) {
    Points->Generator().SetLayer(3);
    Points->Generator().SetCounter(2);
    Points->Generator().SetHotspotX(10);
    Points->Generator().SetHotspotY(5);
    Doc->IncCounter(2);
    TvlObject* withData = nullptr;
    Points->OnObjectSetData = [&](TvlObject* o) { withData = o; };
    Points->Activate(nullptr);

    Host->SendMouseDown(TMouseButton::mbLeft, 130, 70);
    ASSERT_EQ(Doc->Objects.size(), 1u);
    TvlObject* o = Doc->At(0);
    EXPECT_EQ(o->GetPos(), (TPoint{130, 70}));
    EXPECT_EQ(o->GetLimits(), (TLimRec{120, 65, 140, 85}));
    EXPECT_EQ(o->ObjID, 2);
    EXPECT_EQ(Doc->LayerOf(0), 3);
    EXPECT_TRUE(o->GetVisible());
    EXPECT_EQ(withData, o);
    EXPECT_EQ(o->Tool(), Points);
    // Its area is repainted and the document's collection starts anew.
    ASSERT_TRUE(Host->InvalidRect());
    const TRect r = *Host->InvalidRect();
    EXPECT_TRUE(r.Left <= 120 && r.Top <= 65 && r.Right >= 140 && r.Bottom >= 85);
    EXPECT_GT(Doc->RestoreRect().Xmin, Doc->RestoreRect().Xmax);
}

TEST_F(CreatorTest, PointCreatorsMakePointObjectsUnlessTheApplicationChooses) {
    Points->OnObjectSetClass = nullptr;
    Points->Generator().SetHotspotX(10);
    Points->Generator().SetHotspotY(10);
    TvlObject* o = Points->SetNewObj({100, 100});
    ASSERT_NE(dynamic_cast<TPointObj*>(o), nullptr);
    EXPECT_EQ(o->GetPos(), (TPoint{100, 100}));
    EXPECT_EQ(o->GetLimits(), (TLimRec{90, 90, 110, 110}));
}

TEST_F(CreatorTest, ACapturingGridSnapsTheClick) {
    Box->Grid().SetCapture(true);
    Points->Activate(nullptr);
    Host->SendMouseDown(TMouseButton::mbLeft, 130, 260);
    ASSERT_EQ(Doc->Objects.size(), 1u);
    EXPECT_EQ(Doc->At(0)->GetPos(), (TPoint{100, 300}));
}

TEST_F(CreatorTest, ASlaveCreatorHangsItsObjectOnEveryNewOne) {
    TvlPoints* labels = AddPoints();
    labels->Generator().SetLayer(1);
    labels->Generator().SetCounter(1);
    Points->SetSlaveObject(labels);
    Points->Activate(nullptr);

    Host->SendMouseDown(TMouseButton::mbLeft, 50, 60);
    ASSERT_EQ(Doc->Objects.size(), 2u);
    TvlObject* master = Doc->At(0);
    TvlObject* slave = Doc->At(1);
    EXPECT_EQ(slave->Tool(), labels);
    EXPECT_EQ(slave->GetMaster(), master);
    EXPECT_EQ(slave->GetPos(), (TPoint{60, 70}));
    EXPECT_EQ(master->ObjID, 1);
    EXPECT_EQ(slave->ObjID, 1);
    EXPECT_EQ(Doc->LayerOf(1), 1);
    EXPECT_TRUE(slave->GetVisible());

    TvlObject* at = labels->CreateSlaveAt(master, 3, 4);
    EXPECT_EQ(at->GetPos(), (TPoint{53, 64}));
    EXPECT_EQ(at->ObjID, 2);

    // The slave creator goes away: the master creator forgets it.
    Doc->Objects.resize(0);
    delete labels;
    EXPECT_EQ(Points->SlaveObject(), nullptr);
    Host->SendMouseDown(TMouseButton::mbLeft, 50, 60);
    EXPECT_EQ(Doc->Objects.size(), 1u);
}

TEST_F(CreatorTest, BoxObjectsStayOutOfTheDocumentButAreShownAndGetSlaves) {
    TvlPoints* labels = AddPoints();
    Points->SetSlaveObject(labels);
    Points->CreateBoxObjects = true;
    Points->Activate(nullptr);

    TvlObject* o = Points->SetNewObj({5, 5});
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->ObjID, 0);
    EXPECT_TRUE(o->GetVisible());
    ASSERT_EQ(Doc->Objects.size(), 1u);
    EXPECT_EQ(Doc->At(0)->GetMaster(), o);

    // The draw box may take it over; the creator frees the rest.
    Doc->Objects.clear();
    std::unique_ptr<TvlObject> taken = Points->TakeBoxObject(o);
    EXPECT_EQ(taken.get(), o);
    EXPECT_EQ(Points->TakeBoxObject(o), nullptr);
    Points->SetSlaveObject(nullptr);
    Points->SetNewObj({6, 6});
}

TEST_F(CreatorTest, WithOnObjectFoundOnlyClicksOnAnObjectMakeOne) {
    Points->Activate(nullptr);
    Host->SendMouseDown(TMouseButton::mbLeft, 100, 100);
    ASSERT_EQ(Doc->Objects.size(), 1u);

    TvlPoints* attach = AddPoints();
    attach->OnObjectFound = [](TvlObject*, bool&) {};
    attach->Activate(nullptr);
    Host->ClearRecords();
    Host->SendMouseDown(TMouseButton::mbLeft, 300, 200);
    EXPECT_EQ(Doc->Objects.size(), 1u);
    EXPECT_TRUE(Host->Invalidations().empty());

    Host->SendMouseMove(105, 105);
    Host->SendMouseDown(TMouseButton::mbLeft, 107, 103);
    ASSERT_EQ(Doc->Objects.size(), 2u);
    EXPECT_EQ(Doc->At(1)->GetMaster(), Doc->At(0));
    EXPECT_EQ(Doc->At(1)->GetPos(), (TPoint{107, 103}));
}

TEST_F(CreatorTest, NoClassOrNoDocumentMakesNothing) {
    Points->OnObjectSetClass = [](TCapClass& c) { c = nullptr; };
    Points->Activate(nullptr);
    Host->SendMouseDown(TMouseButton::mbLeft, 10, 10);
    EXPECT_TRUE(Doc->Objects.empty());

    Points->OnObjectSetClass = [](TCapClass& c) { c = CapClassOf<TSymbol>; };
    Box->SetDataModule(nullptr);
    EXPECT_EQ(Points->SetNewObj({10, 10}), nullptr);
    EXPECT_EQ(Points->CreateSlave(nullptr), nullptr);
    EXPECT_EQ(Points->Generator().Instance(), 0);
}

TEST_F(CreatorTest, IdentitiesAreComponentIndexesUnlessChangeIDGivesOne) {
    TvlPoints* second = AddPoints();
    EXPECT_EQ(Points->GetID(), 1);
    EXPECT_EQ(second->GetID(), 3);
    second->SetComponentIndex(0);
    EXPECT_EQ(second->GetID(), 0);
    EXPECT_EQ(Points->GetID(), 2);

    EXPECT_EQ(FindCreator(&Form, 2), Points);
    EXPECT_EQ(FindCreator(&Form, 1), nullptr); // the draw box
    EXPECT_EQ(FindCreator(&Form, 4), nullptr);
    EXPECT_EQ(FindCreator(&Form, -5), nullptr);

    // Negative identities: the last creator that has it.
    Points->ChangeID = [](TObject*, TNewID& id) { id = -5; };
    second->ChangeID = [](TObject*, TNewID& id) { id = -5; };
    EXPECT_EQ(FindCreator(&Form, -5), Points);
    EXPECT_EQ(FindCreator(&Form, 2), Points);
    EXPECT_EQ(FindCreator(nullptr, 0), nullptr);
}

TEST_F(CreatorTest, ObjectEventsOverrideTheGeneratorsStyleAndHitTest) {
    Points->Generator().SetPen({0x0000FF, 3});
    Points->Generator().SetBrush({0x00FF00});
    TvlObject* o = Points->SetNewObj({0, 0});
    ASSERT_NE(o, nullptr);
    TCanvas& cv = *Box->ScaleSetting().Canvas();

    Points->ObjectColors(o);
    EXPECT_EQ(cv.Pen().Color, 0x0000FFu);
    EXPECT_EQ(cv.Pen().Width, 3);
    EXPECT_EQ(cv.Brush().Color, 0x00FF00u);
    EXPECT_EQ(cv.Font(), Points->Generator().Font());
    Points->OnObjectSetColors = [&](TvlObject*) { cv.Brush().Color = 0x111111; };
    Points->ObjectColors(o);
    EXPECT_EQ(cv.Brush().Color, 0x111111u);

    EXPECT_TRUE(Points->ObjectCheckShape(o, {}));
    Points->OnObjectCheckShape = [](TvlObject*, const TLimRec& r, bool& found) { found = r.Xmin > 0; };
    EXPECT_FALSE(Points->ObjectCheckShape(o, {0, 0, 1, 1}));
    EXPECT_TRUE(Points->ObjectCheckShape(o, {1, 0, 2, 1}));
}

TEST_F(CreatorTest, FontsAreRebuiltAfterScalingAndGivenUpAfterPainting) {
    TCustomGenerator& g = Points->Generator();
    TFont f = g.Font();
    f.Height = -24;
    g.SetFont(f);
    Points->Loaded();
    EXPECT_EQ(g.FontBackup, -24);
    EXPECT_TRUE(Svc.HasCursor(crRotate));

    g.SetFontHandle(CreateFontHandle({}), 24);
    Points->CheckScaling();
    EXPECT_EQ(g.CurrFontHeight(), 0);
    ActScaleSet = &Box->ScaleSetting();
    Box->ScaleSetting().Canvas()->SetFont(f);
    Points->ReleaseResources();
    EXPECT_EQ(g.FontHandle(), nullptr);
    EXPECT_NE(Box->ScaleSetting().Canvas()->Font(), f);
}

} // namespace
} // namespace vl::test
