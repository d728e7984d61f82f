// The draw box: loading, painting, and mouse and key dispatch to the tools.
#include "draw_box_fixture.h"

#include <velloran/objects/object.h>
#include <velloran/platform/clipboard.h>
#include <velloran/platform/keys.h>

using namespace vl;
using namespace vltest;

namespace {

using DrawBox = DrawBoxFixture;

TEST_F(DrawBox, LoadingInstallsItsOwnDocumentAndInitialisesTheTools) {
    auto* second = NewComponent<TRecTool>(Form);
    second->SetOptions({TToolOption::toDefaultTool});
    second->SetDrawForm(Box);
    Load();
    ASSERT_NE(Box->DataModule(), nullptr);
    EXPECT_EQ(Box->DataModule()->Owner(), &Form);
    EXPECT_EQ(Box->DataModule()->DrawForm(), Box);
    EXPECT_TRUE(Box->State.Contains(TBoxStateItem::bsOwnDataMod));
    EXPECT_EQ(ActScaleSet, &Scale());
    EXPECT_EQ(Box->ClipboardFmt(), Svc.Clipboard().RegisterClipboardFormat(u"0Form_Box"));
    EXPECT_TRUE(Svc.HasCursor(crSmallCross));
    // Each default tool activates itself in turn: the later one stays current.
    EXPECT_EQ(Box->Tool(), second);
    Points->Activate(nullptr);
    Host.SendMouseDown(TMouseButton::mbRight, 5, 5);
    EXPECT_EQ(Box->Tool(), Default);

    // The document it made goes with it; a freed current tool is forgotten.
    Default->Activate(nullptr);
    Form.RemoveComponent(Default).reset();
    Default = nullptr;
    EXPECT_EQ(Box->Tool(), nullptr);
    const int32_t before = Form.ComponentCount();
    Host.SetControl(nullptr);
    Form.RemoveComponent(Box).reset();
    Box = nullptr;
    EXPECT_EQ(Form.ComponentCount(), before - 2);
}

TEST_F(DrawBox, KeepsALinkedDocumentAndClosesOnlyWhenItIsIdle) {
    auto* doc = NewComponent<TvlDataModule>(Form);
    doc->SetDrawForm(Box);
    Box->SetDataModule(doc);
    Load();
    EXPECT_EQ(Box->DataModule(), doc);
    EXPECT_FALSE(Box->State.Contains(TBoxStateItem::bsOwnDataMod));
    EXPECT_TRUE(Box->CanClose());
    doc->State.Include(TDataModFlag::dmSaving);
    EXPECT_FALSE(Box->CanClose());
    doc->State.Exclude(TDataModFlag::dmSaving);
    Form.RemoveComponent(doc).reset();
    EXPECT_EQ(Box->DataModule(), nullptr);
}

TEST_F(DrawBox, AClickMakesADrawnObjectAtThePointWithItsIdentity) {
    Load();
    TvlObject* o = Click({100, 50});
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->GetPos(), (TPoint{100, 50}));
    EXPECT_EQ(o->ClassNr(), Points->GetID());
    EXPECT_EQ(o->ObjID, 1);
    EXPECT_EQ(Doc().IndexOf(o).LayerNr, 0);
    EXPECT_TRUE(o->GetVisible());
    // The new object's area was invalidated around the click.
    ASSERT_TRUE(Host.InvalidRect().has_value());
    const TRect inv = *Host.InvalidRect();
    EXPECT_TRUE(inv.Left <= 100 && inv.Right > 100 && inv.Top <= 50 && inv.Bottom > 50);

    // Snapped to the grid while it captures; the second identity follows.
    Box->Grid().SetCapture(true);
    TvlObject* snapped = Click({130, 40});
    EXPECT_EQ(snapped->GetPos(), (TPoint{100, 0}));
    EXPECT_EQ(snapped->ObjID, 2);

    // The paint draws both.
    Host.Paint();
    EXPECT_EQ(Figures(), 2);
    // A right click in the creator returns to the default tool.
    Host.SendMouseDown(TMouseButton::mbRight, 1, 1);
    EXPECT_EQ(Box->Tool(), Default);
}

TEST_F(DrawBox, ASlaveCreatorHangsItsObjectOnTheMaster) {
    auto* slaves = NewComponent<TvlPoints>(Form);
    slaves->SetDrawForm(Box);
    slaves->Generator().SetSlaveX(30);
    slaves->Generator().SetSlaveY(-5);
    Points->SetSlaveObject(slaves);
    Load();
    TvlObject* master = Click({200, 100});
    ASSERT_EQ(Doc().Count(), 2);
    TvlObject* slave = Last(slaves->GetID());
    ASSERT_NE(slave, nullptr);
    EXPECT_TRUE(slave->IsSlave());
    EXPECT_EQ(slave->GetMaster(), master);
    EXPECT_EQ(slave->ClassNr(), slaves->GetID());
}

TEST_F(DrawBox, MouseEventsArriveInLogicalUnitsAndOnlyWithATool) {
    Scale().SetOrigin(TOrigin::LeftBottom);
    std::vector<TPoint> app;
    Box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t x, int32_t y) { app.push_back({x, y}); };
    Box->OnMouseMove = [&](TObject*, TShiftState, int32_t x, int32_t y) { app.push_back({x, y}); };
    Box->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t x, int32_t y) { app.push_back({x, y}); };
    Host.SendMouseDown(TMouseButton::mbLeft, 10, 10); // before loading: no tool
    EXPECT_TRUE(app.empty());
    Load();

    Host.SendMouseDown(TMouseButton::mbLeft, 10, 290);
    Host.SendMouseMove(10, 280);
    Host.SendMouseUp(TMouseButton::mbLeft, 10, 280);
    Host.SendDblClick(12, 270);
    Host.SendMouseDown(TMouseButton::mbMiddle, 3, 3);
    // y grows upward from the bottom edge.
    EXPECT_EQ(app, (std::vector<TPoint>{{10, 10}, {10, 20}, {10, 20}, {12, 30}, {3, 297}}));
    EXPECT_EQ(Default->Calls, (std::vector<std::string>{"ldown", "move", "lup", "ldbl"}));
    EXPECT_EQ(Default->At[3], (TPoint{12, 30}));

    // Drags report logical units as well.
    TPoint dropped;
    Box->OnDragDrop = [&](TObject*, TObject*, int32_t x, int32_t y) { dropped = {x, y}; };
    Box->DragDrop(nullptr, 40, 250);
    EXPECT_EQ(dropped, (TPoint{40, 50}));
}

TEST_F(DrawBox, AClickTakesTheFocusOrIsDropped) {
    Load();
    Host.KillFocus();
    Host.SetAcceptsFocus(false);
    Host.SendMouseDown(TMouseButton::mbLeft, 5, 5);
    EXPECT_TRUE(Default->Calls.empty());
    Host.SetAcceptsFocus(true);
    Host.SendMouseDown(TMouseButton::mbLeft, 5, 5);
    EXPECT_TRUE(Host.Focused());
    EXPECT_EQ(Default->Calls, (std::vector<std::string>{"ldown"}));
}

TEST_F(DrawBox, KeysReachTheApplicationFirstThenTheTool) {
    Load();
    std::vector<std::string> order;
    Box->OnKeyDown = [&](TObject*, uint16_t& k, TShiftState) { order.push_back("app" + std::to_string(k)); };
    for (uint16_t k : {VK_LEFT, VK_TAB}) Host.SendKeyDown(k);
    for (size_t i = 0; i < Default->Calls.size(); ++i) order.push_back(Default->Calls[i] + std::to_string(Default->At[i].X));
    EXPECT_EQ(order, (std::vector<std::string>{"app37", "app9", "key37", "key9"}));
}

TEST_F(DrawBox, PaintRunsTheEventsInOrderAndPredefinesObjectsOnce) {
    Load();
    std::vector<std::string> order;
    Box->OnPredefineObjects = [&](TObject*) {
        order.push_back("predefine");
        Click({60, 60});
        Default->Activate(nullptr);
    };
    Box->BeforePaint = [&](TObject*) { order.push_back("before"); };
    Box->AfterPaint = [&](TObject*) { order.push_back("after"); };
    Host.InvalidateAll();
    Host.Paint();
    Host.InvalidateAll();
    Host.Paint();
    EXPECT_EQ(order, (std::vector<std::string>{"predefine", "before", "after", "before", "after"}));
    EXPECT_EQ(Doc().Count(), 1);
    EXPECT_EQ(Scale().ClientRect_Log(), (TRect{0, 0, 400, 300}));

    // An empty restore rectangle repaints nothing; a filled one its area.
    Host.ClearRecords();
    Doc().InitRestoreRect();
    Box->InvalidateChanges();
    EXPECT_TRUE(Host.Invalidations().empty());
    Doc().RestoreRect() = {10, 20, 30, 40};
    Box->InvalidateChanges();
    ASSERT_EQ(Host.Invalidations().size(), 1u);
    EXPECT_EQ(Host.Invalidations()[0].Rect, (TRect{10, 20, 30, 40}));
}

TEST_F(DrawBox, MoveObjectsMovesTheMarkedOnesByTheSnappedDelta) {
    Load();
    TvlObject* a = Click({100, 100});
    TvlObject* b = Click({200, 100});
    Doc().Mark(a);
    Box->Grid().SetCapture(true);
    Box->Grid().SetIncHorz(10);
    Box->Grid().SetIncVert(10);
    Box->MoveObjects({14, -26});
    EXPECT_EQ(a->GetPos(), (TPoint{110, 70}));
    EXPECT_EQ(b->GetPos(), (TPoint{200, 100}));
    EXPECT_EQ(Doc().MarkCase().Count(), 0);
}

} // namespace
