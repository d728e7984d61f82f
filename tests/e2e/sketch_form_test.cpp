// The sketch's form without a window: the class numbers its drawing files
// depend on, the default tool, and the order in which it goes.

#include <gtest/gtest.h>

#include <algorithm>
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
        {form.Texts, 9},      {form.Labels, 10},  {form.TitleBlock, 11},
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
    // With objects in it, the form goes without reaching freed creators.
    AddSamplePlan(form);
    EXPECT_GT(form.Document()->Count(), 0);
}

TEST(SketchForm, SamplePlanNamesItsRoomsAndHasATitleBlock) {
    TSketchForm form;
    form.FinishLoading();
    AddSamplePlan(form);
    std::vector<std::pair<TvlObject*, std::string>> texts;
    form.Document()->FirstObjectWith([&](TvlObject* o) {
        if (!o->GetText().empty()) texts.emplace_back(o, StringToUtf8(o->GetText()));
        return false;
    });
    std::vector<std::string> names;
    for (const auto& t : texts) names.push_back(t.second);
    for (const char* room : {"Workshop", "Office", "Store"})
        EXPECT_NE(std::find(names.begin(), names.end(), room), names.end()) << room;
    const auto title = std::find_if(texts.begin(), texts.end(),
                                    [&](const auto& t) { return t.first->Tool() == form.TitleBlock; });
    ASSERT_NE(title, texts.end());
    EXPECT_NE(title->second.find("Scale 1:100"), std::string::npos);
    // A double-click at a text finds it, and only texts are found.
    TvlObject* office = texts.front().first;
    EXPECT_EQ(form.TextObjectAt({office->GetMinX() + 1, office->GetMinY() + 1}), office);
    EXPECT_EQ(form.TextObjectAt({-50000, -50000}), nullptr);
}

} // namespace
} // namespace sketch
