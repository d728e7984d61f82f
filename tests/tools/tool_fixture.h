#pragma once
// A form with a draw box in a headless window (pixels = logical units), the
// single-layer document, and the scripted services.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "velloran/document/data_module.h"
#include "velloran/objects/object.h"
#include "velloran/platform/headless_services.h"
#include "velloran/platform/headless_window_host.h"
#include "velloran/tools/mouse_tool.h"
#include "velloran/tools/vl_points.h"
#include "velloran/view/draw_box.h"

namespace vl::test {

// Remembers the layer each object was added to.
class TTestDoc : public TvlDataModule {
public:
    using TvlDataModule::TvlDataModule;
    std::vector<int32_t> Layers;
    void Add(std::unique_ptr<TvlObject> Item, int32_t LayNr = 0) override {
        Layers.push_back(LayNr);
        TvlDataModule::Add(std::move(Item), LayNr);
    }
    TvlObject* At(int32_t i) const { return ObjectAt(i, 0); }
};

class ToolTest : public ::testing::Test {
protected:
    ~ToolTest() override {
        delete Doc; // objects go before the creators that made them
        Host.reset();
    }
    void AddDoc() {
        Doc = NewComponent<TTestDoc>(Form);
        Doc->SetDrawForm(Box);
        Box->SetDataModule(Doc);
    }
    template <typename T> T* AddTool(TToolOptions Options = {}) {
        T* t = NewComponent<T>(Form);
        t->SetDrawForm(Box);
        t->SetOptions(Options);
        return t;
    }
    // A plain tool logging its activations and terminations into Log.
    TMouseTool* Logged(const std::string& Name, TToolOptions Options = {}) {
        auto* t = AddTool<TMouseTool>(Options);
        t->OnActivate = [this, Name](TObject*) { Log += "+" + Name; };
        t->OnTerminate = [this, Name](TObject*) { Log += "-" + Name; };
        return t;
    }

    THeadlessServices Svc;
    TServicesScope Scope{Svc};
    // The tools and the draw box make their mapping current; it goes with the test.
    TActScaleSetScope Mapping{nullptr};
    TComponent Form;
    TCustomDrawBox* Box = NewComponent<TCustomDrawBox>(Form);
    TTestDoc* Doc = nullptr;
    std::string Log;
    std::unique_ptr<THeadlessWindowHost> Host = std::make_unique<THeadlessWindowHost>(Box, TSize{400, 300});
};

// A point creator (component 1) and the document (component 2).
class PointsTest : public ToolTest {
protected:
    PointsTest() { AddDoc(); }
    TvlPoints* Points = AddTool<TvlPoints>();
};

} // namespace vl::test
