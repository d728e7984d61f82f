// QtButton: a tool binds to an action through the button component.

#include <QAction>
#include <gtest/gtest.h>

#include <memory>

#include "velloran-qt/qt_button.h"
#include "velloran/platform/form.h"
#include "velloran/tools/mouse_tool.h"
#include "velloran/view/draw_box.h"

namespace {

using namespace vl;

TEST(QtButton, TriggeringTheActionActivatesTheBoundToolUntilEitherGoes) {
    TForm form;
    auto* box = NewComponent<TvlDrawbox>(form);
    auto* tool = NewComponent<TMouseTool>(form);
    tool->SetDrawForm(box);
    QAction action(QStringLiteral("Pick"));
    auto* button = NewComponent<QtButton>(form, &action);
    EXPECT_EQ(button->Caption(), u"Pick");
    tool->SetButton(button);
    action.trigger();
    EXPECT_EQ(box->Tool(), tool);

    // A freed button leaves the action harmless, and the tool forgets it.
    form.RemoveComponent(button).reset();
    EXPECT_EQ(tool->Button(), nullptr);
    action.trigger();
}

} // namespace
