#pragma once
// A form with a draw box in a 400 x 300 headless window, a point creator and
// a default tool, loaded the way a form is read; one logical unit is one
// pixel unless a test changes the mapping before Load.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <velloran/document/data_module.h>
#include <velloran/objects/object.h>
#include <velloran/platform/emf_reader.h>
#include <velloran/platform/emf_records.h>
#include <velloran/platform/form.h>
#include <velloran/platform/headless_services.h>
#include <velloran/platform/headless_window_host.h>
#include <velloran/platform/metafile_canvas.h>
#include <velloran/tools/mouse_tool.h>
#include <velloran/tools/vl_points.h>
#include <velloran/view/draw_box.h>

namespace vltest {

// Records what the draw box hands it.
class TRecTool : public vl::TMouseTool {
public:
    using vl::TMouseTool::TMouseTool;
    std::vector<std::string> Calls;
    std::vector<vl::TPoint> At;
    int Steps = 0;
    std::function<void()> DuringScroll;

    void Note(const char* what, vl::TPoint p) {
        Calls.emplace_back(what);
        At.push_back(p);
    }
    void LMouseDown(vl::TShiftState, vl::TPoint p) override { Note("ldown", p); }
    void LeftDblClk(vl::TShiftState, vl::TPoint p) override { Note("ldbl", p); }
    void LMouseUp(vl::TShiftState, vl::TPoint p) override { Note("lup", p); }
    void RMouseDown(vl::TShiftState s, vl::TPoint p) override {
        Note("rdown", p);
        vl::TMouseTool::RMouseDown(s, p);
    }
    void MouseMove(vl::TShiftState, vl::TPoint p) override { Note("move", p); }
    bool KeyDown(uint16_t& k, vl::TShiftState) override {
        Note("key", {k, 0});
        return false;
    }
    void Scroll(const vl::TScrollProc& Step, vl::TPoint p) override {
        ++Steps;
        Note("scroll", p);
        Step();
        if (DuringScroll) DuringScroll();
    }
};

class DrawBoxFixture : public ::testing::Test {
protected:
    DrawBoxFixture() {
        Form.SetName(u"Form");
        Form.BeginLoading();
        Box = vl::NewComponent<vl::TvlDrawbox>(Form);
        Box->SetName(u"Box");
        Box->SetAutoScroll(true);
        Box->ScaleSetting().SetMinUnit(vl::TLenUnits::Pixel);
        Default = vl::NewComponent<TRecTool>(Form);
        Default->SetOptions({vl::TToolOption::toDefaultTool});
        Default->SetDrawForm(Box);
        Points = vl::NewComponent<vl::TvlPoints>(Form);
        Points->SetDrawForm(Box);
        Points->Generator().SetWidth(20);
        Points->Generator().SetHeight(10);
        Host.SetScrollBarSize(16);
        Host.SetCanvas(&Cv);
    }
    ~DrawBoxFixture() override {
        Host.SetControl(nullptr);
        vl::ActScaleSet = nullptr;
    }
    void Load() {
        Form.FinishLoading();
        Host.ClearRecords();
    }
    // Figure records drawn so far; ends the recording.
    int Figures() {
        Cv.Close();
        int n = 0;
        for (const auto& r : vl::EmfRecords(Mf))
            n += r.Type() == vl::emr::RECTANGLE || r.Type() == vl::emr::ELLIPSE || r.Type() == vl::emr::ROUNDRECT;
        return n;
    }
    vl::TvlDataMod& Doc() { return *Box->DataModule(); }
    vl::TScaleSetting& Scale() { return Box->ScaleSetting(); }
    // An object of the point creator at P, as a click makes it.
    vl::TvlObject* Click(vl::TPoint P) {
        Points->Activate(nullptr);
        Host.SendMouseDown(vl::TMouseButton::mbLeft, P.X, P.Y);
        Host.SendMouseUp(vl::TMouseButton::mbLeft, P.X, P.Y);
        return Last(Points->GetID());
    }
    // The newest object of that class number.
    vl::TvlObject* Last(int16_t ClassNr) {
        for (int32_t i = Doc().Count() - 1; i >= 0; --i)
            if (vl::TvlObject* o = Doc().ObjectAt(i, 0); o->ClassNr() == ClassNr && o->ObjID == MaxID(ClassNr)) return o;
        return nullptr;
    }
    uint16_t MaxID(int16_t ClassNr) {
        uint16_t m = 0;
        for (int32_t i = 0; i < Doc().Count(); ++i)
            if (Doc().ObjectAt(i, 0)->ClassNr() == ClassNr) m = std::max(m, Doc().ObjectAt(i, 0)->ObjID);
        return m;
    }

    vl::THeadlessServices Svc;
    vl::TServicesScope Scope{Svc};
    vl::TForm Form;
    vl::TvlDrawbox* Box = nullptr;
    TRecTool* Default = nullptr;
    vl::TvlPoints* Points = nullptr;
    vl::TMetafile Mf;
    vl::TMetafileCanvas Cv{Mf};
    vl::THeadlessWindowHost Host{nullptr, {400, 300}};

    void SetUp() override { Host.SetControl(Box); }
};

} // namespace vltest
