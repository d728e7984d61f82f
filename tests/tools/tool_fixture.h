#pragma once
// A form with a draw box in a headless window, a document that keeps its
// objects in a list, and the scripted services; the draw box hands mouse
// and key messages to its current tool in logical coordinates.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "velloran/document/data_mod.h"
#include "velloran/objects/object.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/headless_services.h"
#include "velloran/platform/headless_window_host.h"
#include "velloran/tools/creator.h"
#include "velloran/tools/mouse_tool.h"
#include "velloran/view/draw_box.h"
#include "velloran/view/scale_setting.h"

namespace vl::test {

class TTestDrawBox : public TCustomDrawBox {
public:
    using TCustomDrawBox::TCustomDrawBox;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t x, int32_t y) override {
        if (!Tool()) return;
        const TPoint p = Logical(x, y);
        if (Button == TMouseButton::mbRight) Tool()->RMouseDown(Shift, p);
        else if (Button == TMouseButton::mbLeft && Shift.Contains(TShiftStateItem::ssDouble)) Tool()->LeftDblClk(Shift, p);
        else if (Button == TMouseButton::mbLeft) Tool()->LMouseDown(Shift, p);
    }
    void MouseMove(TShiftState Shift, int32_t x, int32_t y) override {
        if (Tool()) Tool()->MouseMove(Shift, Logical(x, y));
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t x, int32_t y) override {
        if (!Tool()) return;
        if (Button == TMouseButton::mbLeft) Tool()->LMouseUp(Shift, Logical(x, y));
        else if (Button == TMouseButton::mbRight) Tool()->RMouseUp(Shift, Logical(x, y));
    }

private:
    TPoint Logical(int32_t x, int32_t y) {
        ActScaleSet = &ScaleSetting();
        return ScaleSetting().Canvas()->DPtoLP({x, y});
    }
};

// A symbol whose box (the generator's size) lies around its position by the
// hot spot, attached to a master as point symbols are.
class TSymbol : public TvlObject {
public:
    using TvlObject::TvlObject;
    int32_t GetWidth() const override { return Generator().Width(); }
    int32_t GetHeight() const override { return Generator().Height(); }
    int32_t GetMinX() const override { return GetX() - Generator().HotspotX(); }
    int32_t GetMinY() const override { return GetY() - Generator().HotspotY(); }
    void SetMaster(TvlObject* Master) override {
        Pos.ConObj = Master;
        Pos.RelX = static_cast<int16_t>(Generator().SlaveX());
        Pos.RelY = static_cast<int16_t>(Generator().SlaveY());
        State.Include(TIndividualFlag::isSlave);
    }
};

class TTestDoc : public TvlDataMod {
public:
    using TvlDataMod::TvlDataMod;
    struct TEntry {
        std::unique_ptr<TvlObject> Object;
        int32_t Layer = 0;
    };
    std::vector<TEntry> Objects;
    int32_t Visited = 0; // objects the searches looked at

    TLimRec GetLimits() override { return {}; }
    void InitLimits() override {}
    void AllObjects(const TScaleStep& Step) override {
        for (auto& e : Objects) Step(*e.Object);
    }
    void CheckLimits(TvlObject*, bool) override {}
    TvlObject* FirstObjectWith(const TFirstObjectFunc& Condition, void* Params) override {
        for (auto& e : Objects) {
            ++Visited;
            if (Condition(e.Object.get(), Params)) return e.Object.get();
        }
        return nullptr;
    }
    void Add(std::unique_ptr<TvlObject> Item, int32_t LayNr) override {
        Objects.push_back({std::move(Item), LayNr});
    }
    TvlObject* At(size_t i) const { return Objects.at(i).Object.get(); }
    int32_t LayerOf(size_t i) const { return Objects.at(i).Layer; }
};

class ToolTest : public ::testing::Test {
protected:
    ToolTest() {
        Box = NewComponent<TTestDrawBox>(Form);
        Host = std::make_unique<THeadlessWindowHost>(Box, TSize{400, 300});
        Host->SetClientOrigin({1000, 500});
    }
    ~ToolTest() override {
        // Objects go before the creators that made them.
        delete Doc;
        Host.reset();
        ActScaleSet = nullptr;
    }
    // The document comes after the tools, so the form frees it (and with it
    // the objects) before the creators.
    TTestDoc* AddDoc() {
        Doc = NewComponent<TTestDoc>(Form);
        Doc->SetDrawForm(Box);
        Box->SetDataModule(Doc);
        return Doc;
    }
    template <typename T> T* AddTool(TToolOptions Options = {}) {
        T* t = NewComponent<T>(Form);
        t->SetDrawForm(Box);
        t->SetOptions(Options);
        return t;
    }

    THeadlessServices Svc;
    TServicesScope Scope{Svc};
    TComponent Form;
    TTestDrawBox* Box = nullptr;
    TTestDoc* Doc = nullptr;
    std::unique_ptr<THeadlessWindowHost> Host;
};

} // namespace vl::test
