// The sketch's form without a window: the class numbers its drawing files
// depend on, the default tool, and the sample plan.

#include <gtest/gtest.h>

#include <map>

#include <velloran/objects/object.h>
#include <velloran/platform/string_utils.h>

#include "sample_plan.h"
#include "sketch_form.h"

namespace sketch {
namespace {

using namespace vl;

TEST(SketchForm, CreatorsKeepTheClassNumbersOfTheDocumentedOrder) {
    TSketchForm form;
    form.FinishLoading();
    // docs/sketch.md: changing any of these makes old drawings unreadable.
    const std::map<TvlCreator*, int16_t> expected = {
        {form.Rectangles, 1}, {form.Ellipses, 2}, {form.Circles, 3}, {form.Squares, 4},
        {form.RoundRects, 5}, {form.Pictures, 6}, {form.Walls, 7},
    };
    for (auto [creator, id] : expected)
        EXPECT_EQ(creator->GetID(), id) << StringToUtf8(creator->Name());
    EXPECT_EQ(form.DrawBox->ComponentIndex(), 0);
    EXPECT_EQ(form.Pointer->ComponentIndex(), 8);
    // The document comes last, so it goes before the creators its objects need.
    ASSERT_NE(form.Document(), nullptr);
    EXPECT_EQ(form.Document()->ComponentIndex(), form.ComponentCount() - 1);
    // Loading leaves the pointer current, so the view follows the mouse.
    EXPECT_EQ(form.DrawBox->Tool(), form.Pointer);
}

TEST(SketchForm, SamplePlanUsesEveryCreatorWithTheWallsBeneath) {
    TSketchForm form;
    form.FinishLoading();
    AddSamplePlan(form);
    std::map<const TvlCreator*, int> perCreator;
    TvlObject* first = nullptr;
    form.Document()->AllObjects(
        [&](TvlObject* o, void*) {
            if (!first) first = o;
            ++perCreator[o->Tool()];
            EXPECT_TRUE(o->GetVisible());
        },
        nullptr);
    for (TMouseTool* tool : form.ToolBarTools()) {
        if (auto* c = dynamic_cast<TvlCreator*>(tool)) {
            EXPECT_GT(perCreator[c], 0) << StringToUtf8(c->Name());
        }
    }
    EXPECT_EQ(perCreator[form.Walls], 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Tool(), form.Walls);
    // Everything but the north arrow stands inside the hall.
    const TLimRec hall = first->GetLimits();
    form.Document()->AllObjects(
        [&](TvlObject* o, void*) {
            if (o->Tool() == form.Pictures) return;
            const TLimRec r = o->GetLimits();
            EXPECT_TRUE(r.Xmin >= hall.Xmin - 300 && r.Xmax <= hall.Xmax + 300 &&
                        r.Ymin >= hall.Ymin - 300 && r.Ymax <= hall.Ymax + 300)
                << StringToUtf8(o->Tool()->Name()) << " at " << o->GetX() << "," << o->GetY();
        },
        nullptr);
}

} // namespace
} // namespace sketch
