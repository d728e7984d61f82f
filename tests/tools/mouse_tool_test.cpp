// The tool protocol: which tool is current, default tools, buttons, the
// working state with cursor confinement, and references that outlive
// their targets.

#include <string>

#include "tool_fixture.h"
#include "velloran/platform/button.h"
#include "velloran/tools/save_tool.h"

namespace vl::test {
namespace {

using enum TToolOption;
using enum TToolStateItem;

// Records activations and terminations of several tools in one log.
class ToolBaseTest : public ToolTest {
protected:
    TMouseTool* Logged(const std::string& Name, TToolOptions Options = {}) {
        auto* t = AddTool<TMouseTool>(Options);
        t->OnActivate = [this, Name](TObject*) { Log += "+" + Name; };
        t->OnTerminate = [this, Name](TObject*) { Log += "-" + Name; };
        return t;
    }
    std::string Log;
};

TEST_F(ToolBaseTest, ActivationTerminatesTheCurrentToolFirstEvenItself) {
    TMouseTool* a = Logged("a");
    TMouseTool* b = Logged("b");
    b->SetCursor(crHandPoint);
    ActScaleSet = nullptr;

    a->Activate(nullptr);
    b->Activate(nullptr);
    b->Activate(nullptr);
    EXPECT_EQ(Log, "+a-a+b-b+b");
    EXPECT_EQ(Box->Tool(), b);
    EXPECT_EQ(Host->Cursor(), crHandPoint);
    EXPECT_EQ(ActScaleSet, &Box->ScaleSetting());

    // Without a draw box nothing happens at all.
    TMouseTool* loose = NewComponent<TMouseTool>(Form);
    loose->OnActivate = [this](TObject*) { Log += "!"; };
    loose->Activate(nullptr);
    EXPECT_EQ(Box->Tool(), b);
    EXPECT_EQ(Log, "+a-a+b-b+b");
}

TEST_F(ToolBaseTest, LaterDefaultToolWinsAtLoadingAndRightClickReturnsToTheFirst) {
    TMouseTool* first = Logged("1", {toDefaultTool});
    TMouseTool* other = Logged("x");
    TMouseTool* second = Logged("2", {toDefaultTool});
    TMouseTool* elsewhere = NewComponent<TMouseTool>(Form);
    elsewhere->SetOptions({toDefaultTool});

    Box->InitTools();
    EXPECT_EQ(Box->Tool(), second);
    EXPECT_EQ(Log, "+1-1+2");

    // A default tool's right click changes nothing...
    Host->SendMouseDown(TMouseButton::mbRight, 5, 5);
    EXPECT_EQ(Box->Tool(), second);
    // ...a non-default tool's hands over to the first default tool.
    other->Activate(nullptr);
    Host->SendMouseDown(TMouseButton::mbRight, 5, 5);
    EXPECT_EQ(Box->Tool(), first);
    EXPECT_EQ(elsewhere->DrawForm(), nullptr);
}

TEST_F(ToolBaseTest, WithoutDefaultToolARightClickKeepsTheTool) {
    TMouseTool* a = Logged("a");
    a->Activate(nullptr);
    Host->SendMouseDown(TMouseButton::mbRight, 5, 5);
    EXPECT_EQ(Box->Tool(), a);
    EXPECT_EQ(Log, "+a");
}

TEST_F(ToolBaseTest, ButtonsActivateTheirToolAndOtherControlsOnlyAreStored) {
    TMouseTool* a = Logged("a");
    TMouseTool* b = Logged("b");
    auto* button = NewComponent<TButton>(Form);
    auto* panel = NewComponent<TComponent>(Form);

    a->SetButton(button);
    button->Click();
    EXPECT_EQ(Box->Tool(), a);

    a->SetButton(panel);
    EXPECT_EQ(a->Button(), panel);
    EXPECT_FALSE(button->OnClick);

    // A button that another tool took over keeps that tool's click when
    // the first tool lets go of it.
    a->SetButton(button);
    b->SetButton(button);
    a->SetButton(nullptr);
    button->Click();
    EXPECT_EQ(Box->Tool(), b);
}

TEST_F(ToolBaseTest, ReferencesAreClearedWhenTheirTargetGoesAway) {
    TMouseTool* a = Logged("a");
    auto* button = NewComponent<TButton>(Form);
    a->SetButton(button);
    a->Activate(nullptr);

    delete button;
    EXPECT_EQ(a->Button(), nullptr);

    auto* button2 = NewComponent<TButton>(Form);
    a->SetButton(button2);
    delete a;
    EXPECT_EQ(Box->Tool(), nullptr);
    // Its click does not reach the freed tool.
    EXPECT_FALSE(button2->OnClick);
    button2->Click();

    TMouseTool* b = Logged("b");
    b->Activate(nullptr);
    Host.reset();
    delete Box;
    Box = nullptr;
    EXPECT_EQ(b->DrawForm(), nullptr);
    b->Activate(nullptr);
}

TEST_F(ToolBaseTest, AToolThatMovesToAnotherDrawBoxStopsBeingCurrentHere) {
    TMouseTool* a = Logged("a");
    a->Activate(nullptr);
    auto* box2 = NewComponent<TTestDrawBox>(Form);
    a->SetDrawForm(box2);
    EXPECT_EQ(Box->Tool(), nullptr);
    EXPECT_EQ(Log, "+a-a");
    // The old draw box dropped its link; freeing the tool must not reach it.
    delete a;
    EXPECT_EQ(Box->Tool(), nullptr);
}

TEST_F(ToolBaseTest, WorkingConfinesTheCursorUnlessTheToolDoesNotScroll) {
    TMouseTool* a = Logged("a");
    a->Activate(nullptr);
    a->StartWorking(tsWorking);
    EXPECT_TRUE(a->ToolState.Contains(tsWorking));
    EXPECT_TRUE(a->ToolState.Contains(tsCanScroll));
    ASSERT_TRUE(Host->CursorClip());
    EXPECT_EQ(*Host->CursorClip(), (TRect{0, 0, 399, 299}));
    a->StopWorking();
    EXPECT_TRUE(a->ToolState.Empty());
    EXPECT_FALSE(Host->CursorClip());

    // Being replaced frees the cursor as well.
    a->StartWorking(tsMoving);
    Logged("b")->Activate(nullptr);
    EXPECT_FALSE(Host->CursorClip());

    TMouseTool* still = Logged("s", {toDontScroll});
    still->StartWorking(tsMoving);
    EXPECT_TRUE(still->ToolState.Contains(tsMoving));
    EXPECT_FALSE(still->ToolState.Contains(tsCanScroll));
    EXPECT_FALSE(Host->CursorClip());
}

TEST_F(ToolBaseTest, BaseEventsLeaveKeysAndViewAlone) {
    TMouseTool* a = Logged("a");
    uint16_t key = 'A';
    EXPECT_FALSE(a->KeyDown(key, {}));
    EXPECT_FALSE(a->KeyUp(key, {}));
    EXPECT_EQ(key, 'A');
    int steps = 0;
    a->Scroll([&] { ++steps; }, {});
    EXPECT_EQ(steps, 0);
    Box->SetColor(0x123456);
    EXPECT_EQ(a->GetclNeutral(), 0x123456);
}

TEST_F(ToolBaseTest, FoundObjectsAreAcceptedAndReleaseRestoresTheCursorByDefault) {
    AddDoc();
    auto* t = AddTool<TSaveTool>();
    t->SetCursor(crCross);
    EXPECT_TRUE(t->ObjectFound(nullptr));
    t->OnObjectFound = [](TvlObject*, bool& Accept) { Accept = false; };
    EXPECT_FALSE(t->ObjectFound(nullptr));

    Box->SetCursor(crHandPoint);
    t->ObjectRelease(nullptr);
    EXPECT_EQ(Host->Cursor(), crCross);
    TvlObject* released = reinterpret_cast<TvlObject*>(&released);
    t->OnObjectRelease = [&](TvlObject* o) { released = o; };
    Box->SetCursor(crHandPoint);
    t->ObjectRelease(nullptr);
    EXPECT_EQ(released, nullptr);
    EXPECT_EQ(Host->Cursor(), crHandPoint);

    EXPECT_EQ(t->GetDataModule(), Doc);
    EXPECT_EQ(t->GetRestoreRect(), &Doc->RestoreRect());
    EXPECT_EQ(t->GetMarkSave(), &Doc->MarkCase());
    Box->SetDataModule(nullptr);
    EXPECT_EQ(t->GetRestoreRect(), nullptr);
    EXPECT_EQ(t->GetMarkSave(), nullptr);
}

TEST_F(ToolBaseTest, WhileDesigningAnUnlinkedToolTakesADroppedDrawBox) {
    TComponent design;
    design.SetDesigning(true);
    auto* tool = NewComponent<TMouseTool>(design);
    auto* box = NewComponent<TTestDrawBox>(design);
    EXPECT_EQ(tool->DrawForm(), box);
    auto* box2 = NewComponent<TTestDrawBox>(design);
    EXPECT_EQ(tool->DrawForm(), box);
    (void)box2;

    // At run time links are made only by the application.
    auto* runTool = NewComponent<TMouseTool>(Form);
    NewComponent<TTestDrawBox>(Form);
    EXPECT_EQ(runTool->DrawForm(), nullptr);
}

} // namespace
} // namespace vl::test
