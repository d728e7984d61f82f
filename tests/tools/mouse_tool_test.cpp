// The tool protocol: which tool is current, default tools, buttons, the
// working state, and references that outlive their targets.

#include <tuple>

#include "tool_fixture.h"
#include "velloran/platform/button.h"

namespace vl::test {
namespace {

using enum TToolOption;
using enum TToolStateItem;

TEST_F(ToolTest, ActivationTerminatesTheCurrentToolFirstEvenItself) {
    TMouseTool* a = Logged("a");
    TMouseTool* b = Logged("b");
    b->SetCursor(crHandPoint);
    a->Activate(nullptr);
    b->Activate(nullptr);
    b->Activate(nullptr);
    EXPECT_EQ(std::tuple(Box->Tool(), Host->Cursor(), ActScaleSet),
              std::tuple(b, crHandPoint, &Box->ScaleSetting()));
    // A tool of no draw box changes nothing.
    TMouseTool* loose = Logged("loose");
    loose->SetDrawForm(nullptr);
    loose->Activate(nullptr);
    EXPECT_EQ(Box->Tool(), b);
    EXPECT_EQ(Log, "+a-a+b-b+b");
}

TEST_F(ToolTest, LaterDefaultToolWinsAtLoadingAndRightClicksReturnToTheFirst) {
    TMouseTool* first = Logged("1", {toDefaultTool});
    TMouseTool* other = Logged("x");
    TMouseTool* second = Logged("2", {toDefaultTool});
    NewComponent<TMouseTool>(Form)->SetOptions({toDefaultTool}); // of no draw box
    Box->InitTools();
    EXPECT_EQ(Box->Tool(), second);
    Host->SendMouseDown(TMouseButton::mbRight, 5, 5);
    EXPECT_EQ(Box->Tool(), second);
    other->Activate(nullptr);
    Host->SendMouseDown(TMouseButton::mbRight, 5, 5);
    EXPECT_EQ(Box->Tool(), first);
    EXPECT_EQ(Log, "+1-1+2-2+x-x+1");
}

TEST_F(ToolTest, ButtonsActivateTheirToolOtherControlsAreOnlyStored) {
    TMouseTool* a = Logged("a");
    TMouseTool* b = Logged("b");
    auto* button = NewComponent<TButton>(Form);
    a->SetButton(button);
    button->Click();
    EXPECT_EQ(Box->Tool(), a);
    auto* panel = NewComponent<TComponent>(Form);
    a->SetButton(panel);
    EXPECT_EQ(a->Button(), panel);
    EXPECT_FALSE(button->OnClick);
    // A button that another tool took over keeps that tool's click.
    a->SetButton(button);
    b->SetButton(button);
    a->SetButton(nullptr);
    button->Click();
    EXPECT_EQ(Box->Tool(), b);
}

TEST_F(ToolTest, ReferencesAreClearedWhenTheirTargetGoesAway) {
    TMouseTool* a = Logged("a");
    auto* button = NewComponent<TButton>(Form);
    a->SetButton(button);
    a->Activate(nullptr);
    delete a;
    EXPECT_EQ(Box->Tool(), nullptr);
    EXPECT_FALSE(button->OnClick);
    TMouseTool* b = Logged("b");
    b->SetButton(button);
    delete button;
    EXPECT_EQ(b->Button(), nullptr);
    b->Activate(nullptr);
    // A tool moving to another draw box stops being current here.
    b->SetDrawForm(NewComponent<TCustomDrawBox>(Form));
    EXPECT_EQ(Box->Tool(), nullptr);
    b->SetDrawForm(Box);
    // Across owners, unlinking one side keeps the other side's link alive.
    TComponent dataForm, other;
    auto* gone = NewComponent<TTestDoc>(other);
    gone->SetDrawForm(Box);
    Box->SetDataModule(gone);
    gone->SetDrawForm(nullptr);
    delete gone;
    EXPECT_EQ(Box->DataModule(), nullptr);
    auto* doc = NewComponent<TTestDoc>(dataForm);
    doc->SetDrawForm(Box);
    Box->SetDataModule(doc);
    Box->SetDataModule(nullptr);
    Host.reset();
    delete Box;
    EXPECT_TRUE(!b->DrawForm() && !doc->DrawForm());
}

TEST_F(ToolTest, WorkingConfinesTheCursorUnlessTheToolDoesNotScroll) {
    TMouseTool* a = Logged("a");
    a->Activate(nullptr);
    a->StartWorking(tsWorking);
    EXPECT_EQ(a->ToolState, TToolState{}.Include(tsWorking).Include(tsCanScroll));
    EXPECT_EQ(Host->CursorClip(), (TRect{0, 0, 399, 299}));
    a->StopWorking();
    EXPECT_TRUE(a->ToolState.Empty() && !Host->CursorClip());
    // Another tool taking over frees the cursor as well.
    a->StartWorking(tsMoving);
    TMouseTool* still = Logged("s", {toDontScroll});
    still->Activate(nullptr);
    EXPECT_FALSE(Host->CursorClip());
    still->StartWorking(tsMoving);
    EXPECT_EQ(still->ToolState, TToolState{}.Include(tsMoving));
    EXPECT_FALSE(Host->CursorClip());
}

TEST_F(ToolTest, WhileDesigningAnUnlinkedToolTakesADroppedDrawBox) {
    TComponent design;
    design.SetDesigning(true);
    auto* tool = NewComponent<TMouseTool>(design);
    auto* box = NewComponent<TCustomDrawBox>(design);
    NewComponent<TCustomDrawBox>(design);
    EXPECT_EQ(tool->DrawForm(), box);
    auto* runTool = NewComponent<TMouseTool>(Form);
    NewComponent<TCustomDrawBox>(Form);
    EXPECT_EQ(runTool->DrawForm(), nullptr);
}

} // namespace
} // namespace vl::test
