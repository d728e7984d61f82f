#pragma once
// A form with a draw box in a 400 x 300 headless window (16-pixel bars), a
// recording default tool and a point creator, loaded as a form is read. One
// logical unit is one pixel unless a test changes the mapping before Load.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <velloran/document/data_module.h>
#include <velloran/objects/object.h>
#include <velloran/platform/form.h>
#include <velloran/platform/headless_services.h>
#include <velloran/platform/headless_window_host.h>
#include <velloran/tools/vl_points.h>
#include <velloran/view/draw_box.h>

namespace vltest {

using namespace vl;

// Records what the draw box hands it as "name x,y".
class TRecTool : public TMouseTool {
public:
    using TMouseTool::TMouseTool;
    std::vector<std::string> Calls;
    int Steps = 0;
    std::function<void()> DuringScroll;

    void Note(const char* what, TPoint p) { Calls.push_back(what + (" " + std::to_string(p.X)) + "," + std::to_string(p.Y)); }
    void LMouseDown(TShiftState, TPoint p) override { Note("ldown", p); }
    void LeftDblClk(TShiftState, TPoint p) override { Note("ldbl", p); }
    void LMouseUp(TShiftState, TPoint p) override { Note("lup", p); }
    void MouseMove(TShiftState, TPoint p) override { Note("move", p); }
    bool KeyDown(uint16_t& k, TShiftState) override { return Note("key", {k, 0}), false; }
    void Scroll(const TScrollProc& Step, TPoint) override {
        ++Steps;
        Step();
        if (DuringScroll) DuringScroll();
    }
};

class DrawBoxFixture : public ::testing::Test {
protected:
    DrawBoxFixture() {
        Form.SetName(u"Form");
        Form.BeginLoading();
        Box = NewComponent<TvlDrawbox>(Form);
        Box->SetName(u"Box");
        Box->SetAutoScroll(true);
        Box->ScaleSetting().SetMinUnit(TLenUnits::Pixel);
        Default = AddTool<TRecTool>();
        Default->SetOptions({TToolOption::toDefaultTool});
        Points = AddTool<TvlPoints>();
        Points->Generator().SetWidth(20);
        Points->Generator().SetHeight(10);
        Host.SetScrollBarSize(16);
        Host.SetControl(Box);
    }
    ~DrawBoxFixture() override {
        Host.SetControl(nullptr);
    }
    template <typename T> T* AddTool() {
        T* t = NewComponent<T>(Form);
        t->SetDrawForm(Box);
        return t;
    }
    void Load() {
        Form.FinishLoading();
        Host.ClearRecords();
    }
    TvlDataMod& Doc() { return *Box->DataModule(); }
    TScaleSetting& Scale() { return Box->ScaleSetting(); }
    // Clicks with the point creator; the newest object.
    TvlObject* Click(TPoint P) {
        Points->Activate(nullptr);
        Host.SendMouseDown(TMouseButton::mbLeft, P.X, P.Y);
        Host.SendMouseUp(TMouseButton::mbLeft, P.X, P.Y);
        return Newest(Points);
    }
    TvlObject* Newest(TvlCreator* Of) {
        TvlObject* found = nullptr;
        for (int32_t i = 0; i < Doc().Count(); ++i)
            if (TvlObject* o = Doc().ObjectAt(i, 0); o->ClassNr() == Of->GetID() && (!found || o->ObjID > found->ObjID))
                found = o;
        return found;
    }
    void Repaint() {
        Host.InvalidateAll();
        Host.Paint();
    }

    THeadlessServices Svc;
    TServicesScope Scope{Svc};
    // The draw box makes its mapping current; it goes with the test.
    TActScaleSetScope Mapping{nullptr};
    TForm Form;
    TvlDrawbox* Box = nullptr;
    TRecTool* Default = nullptr;
    TvlPoints* Points = nullptr;
    THeadlessWindowHost Host{nullptr, {400, 300}};
};

} // namespace vltest
