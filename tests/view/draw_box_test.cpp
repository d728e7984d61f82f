// The draw box: loading, painting, and mouse and key dispatch to the tools.
#include "draw_box_fixture.h"

#include <velloran/platform/clipboard.h>
#include <velloran/platform/detail/emf_reader.h>
#include <velloran/platform/detail/emf_records.h>
#include <velloran/platform/keys.h>
#include <velloran/platform/metafile_canvas.h>

using namespace vltest;
using Strings = std::vector<std::string>;

namespace {

using DrawBox = DrawBoxFixture;

TEST_F(DrawBox, LoadingInstallsItsDocumentInitialisesTheToolsAndPaints) {
    auto* second = AddTool<TRecTool>();
    second->SetOptions({TToolOption::toDefaultTool});
    Load();
    ASSERT_NE(Box->DataModule(), nullptr);
    EXPECT_EQ(ActScaleSet, &Scale());
    EXPECT_EQ(Box->ClipboardFmt(), Svc.Clipboard().RegisterClipboardFormat(u"0Form_Box"));
    // Each default tool activated itself in turn; a right click in another
    // tool returns to the first one.
    EXPECT_EQ(Box->Tool(), second);
    Points->Activate(nullptr);
    Host.SendMouseDown(TMouseButton::mbRight, 5, 5);
    EXPECT_EQ(Box->Tool(), Default);

    // Only the first paint predefines the objects.
    Strings order;
    Box->OnPredefineObjects = [&](TObject*) { order.push_back("predefine"); };
    Box->BeforePaint = [&](TObject*) { order.push_back("before"); };
    Box->AfterPaint = [&](TObject*) { order.push_back("after"); };
    Repaint();
    Repaint();
    EXPECT_EQ(order, (Strings{"predefine", "before", "after", "before", "after"}));
    EXPECT_EQ(Scale().ClientRect_Log(), (TRect{0, 0, 400, 300}));

    // A freed current tool is forgotten.
    Form.RemoveComponent(Default).reset();
    EXPECT_EQ(Box->Tool(), nullptr);
}

TEST_F(DrawBox, FreesTheDocumentItInstalledButNeverALinkedOne) {
    Load();
    TvlDataMod* own = Box->DataModule();
    auto* linked = NewComponent<TvlDataModule>(Form);
    Box->SetDataModule(linked);
    Host.SetControl(nullptr);
    const int32_t before = Form.ComponentCount();
    delete Box;
    EXPECT_EQ(Form.ComponentCount(), before - 2);
    EXPECT_EQ(Form.Components(Form.ComponentCount() - 1), linked);
    for (int32_t i = 0; i < Form.ComponentCount(); ++i) EXPECT_NE(Form.Components(i), own);

    // An installed document freed by its owner first is not freed again.
    Box = NewComponent<TvlDrawbox>(Form);
    Box->Loaded();
    delete Box->DataModule();
    delete Box;
}

TEST_F(DrawBox, ClicksMakeObjectsWithIdentitiesAndSlaves) {
    auto* slaves = AddTool<TvlPoints>();
    slaves->Generator().SetSlaveX(30);
    slaves->Generator().SetSlaveY(-5);
    Points->SetSlaveObject(slaves);
    Load();
    TvlObject* o = Click({100, 50});
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->GetPos(), (TPoint{100, 50}));
    EXPECT_EQ(o->ObjID, 1);
    EXPECT_EQ(Doc().IndexOf(o), (TObjIndex{0, Points->Generator().Layer()}));
    const TRect inv = Host.InvalidRect().value_or(TRect{});
    EXPECT_TRUE(inv.Left <= 100 && inv.Right > 100 && inv.Top <= 50 && inv.Bottom > 50);
    TvlObject* slave = Newest(slaves);
    ASSERT_NE(slave, nullptr);
    EXPECT_EQ(slave->GetMaster(), o);
    EXPECT_EQ(slave->GetPos(), (TPoint{130, 45}));

    // Snapped while the grid captures; the identities go on.
    Box->Grid().SetCapture(true);
    TvlObject* snapped = Click({130, 40});
    EXPECT_EQ(snapped->GetPos(), (TPoint{100, 0}));
    EXPECT_EQ(snapped->ObjID, 3); // the slave drew 2 from the shared counter
    TMetafile Mf;
    TMetafileCanvas Cv(Mf);
    Host.SetCanvas(&Cv);
    Repaint();
    Host.SetCanvas(nullptr);
    int figures = 0;
    Cv.Close();
    for (const auto& r : EmfRecords(Mf)) figures += r.Type() == emr::RECTANGLE;
    EXPECT_EQ(figures, 4);
}

TEST_F(DrawBox, DispatchInLogicalUnitsOnlyWithAToolAndWithTheFocus) {
    Scale().SetOrigin(TOrigin::LeftBottom);
    Strings app;
    Box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t x, int32_t y) {
        app.push_back(std::to_string(x) + "," + std::to_string(y));
    };
    Box->OnMouseMove = [&](TObject*, TShiftState, int32_t, int32_t y) { app.push_back(std::to_string(y)); };
    Box->OnKeyDown = [&](TObject*, uint16_t& k, TShiftState) { app.push_back("key" + std::to_string(k)); };
    Host.SendMouseDown(TMouseButton::mbLeft, 10, 10); // no tool before loading
    EXPECT_TRUE(app.empty());
    Load();

    Host.SendMouseDown(TMouseButton::mbLeft, 10, 290);
    Host.SendMouseMove(10, 280); // up the screen: y grows
    Host.SendMouseUp(TMouseButton::mbLeft, 10, 280);
    Host.SendDblClick(12, 270);
    Host.SendMouseDown(TMouseButton::mbMiddle, 3, 3);
    for (uint16_t k : {VK_LEFT, VK_TAB}) Host.SendKeyDown(k);
    EXPECT_EQ(app, (Strings{"10,10", "20", "12,30", "3,297", "key37", "key9"}));
    EXPECT_EQ(Default->Calls, (Strings{"ldown 10,10", "move 10,20", "lup 10,20", "ldbl 12,30", "key 37,0", "key 9,0"}));

    // A click takes the focus; one that cannot get it is dropped.
    Host.KillFocus();
    Host.SetAcceptsFocus(false);
    Host.SendMouseDown(TMouseButton::mbLeft, 5, 5);
    EXPECT_EQ(Default->Calls.size(), 6u);
}

} // namespace
