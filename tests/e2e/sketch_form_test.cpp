// The sketch's form without a window: the class numbers its drawing files
// depend on, the default tool, and the order in which it goes.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include <velloran/objects/line_obj.h>
#include <velloran/objects/object.h>
#include <velloran/platform/headless_window_host.h>
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
        {form.RoundRects, 5}, {form.Pictures, 6}, {form.Walls, 7}, {form.Lines, 9},
        {form.Polylines, 10}, {form.Frames, 11}, {form.Nodes, 12}, {form.Connectors, 13},
        {form.Texts, 14},     {form.Labels, 15},  {form.TitleBlock, 16}, {form.LabelBoxes, 17},
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

TEST(SketchForm, SampleCablesHangOnTheirSymbolsAndFollowThem) {
    TSketchForm form;
    form.FinishLoading();
    AddSamplePlan(form);
    std::vector<TLineObj*> cables;
    const TObjectTool* connectors = form.Connectors;
    form.Document()->AllObjects([&](TvlObject* o) {
        if (o->Tool() == connectors) cables.push_back(dynamic_cast<TLineObj*>(o));
    });
    ASSERT_EQ(cables.size(), 5u);
    for (TLineObj* c : cables) {
        ASSERT_NE(c, nullptr);
        EXPECT_NE(c->GetMaster(), c);
        EXPECT_NE(c->GetMaster2(), c);
        EXPECT_EQ(c->GetPos2(), c->GetMaster2()->GetPos());
    }
    TvlObject* machine = cables[0]->GetMaster2();
    machine->MovePos({100, -200});
    EXPECT_EQ(cables[0]->GetPos2(), machine->GetPos());
    // The connector made no junction boxes of its own: all ends were symbols.
    EXPECT_EQ(form.Nodes->Generator().Instance(), 1);
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
    for (const auto& [o, text] : texts)
        EXPECT_EQ(form.TextObjectAt({o->GetMinX() + 1, o->GetMinY() + 1}), o) << text;
    EXPECT_EQ(form.TextObjectAt({-50000, -50000}), nullptr);
}

TEST(SketchForm, SelectAllLeavesTheWallsAndDeleteTakesTheMarkedSymbols) {
    TActScaleSetScope mapping{nullptr};
    TSketchForm form;
    THeadlessWindowHost host{form.DrawBox, {800, 600}};
    form.FinishLoading();
    AddSamplePlan(form);
    TvlDataModule& doc = *form.Document();
    const int32_t count = doc.Count();
    form.SelectAll();
    ASSERT_EQ(doc.MarkCase().Count(), count - 1);
    for (int32_t i = 0; i < doc.MarkCase().Count(); ++i) EXPECT_NE(doc.MarkCase().Get(i)->Tool(), form.Walls);
    form.DeleteMarked();
    EXPECT_EQ(doc.Count(), 1);
    EXPECT_EQ(TSketchForm::ObjectName(doc.ObjectAt(0, 0)), u"Walls 1");
}

} // namespace
} // namespace sketch
