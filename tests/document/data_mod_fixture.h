#pragma once
// A form with a draw box in a headless window, two creators and a
// single-layer document, with the box objects of the object tests.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "objects/object_fixture.h"
#include "velloran/document/data_module.h"
#include "velloran/document/mapper.h"

namespace vl::test {

class DocTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Creators before the document, so the objects go before them.
        Box = NewComponent<TCustomDrawBox>(Form);
        Tool = NewComponent<TvlCreator>(Form);
        Tool2 = NewComponent<TvlCreator>(Form);
        Doc = NewComponent<TvlDataModule>(Form);
        Box->SetDataModule(Doc);
        Doc->SetDrawForm(Box);
        for (TvlCreator* t : {Tool, Tool2}) {
            t->SetDrawForm(Box);
            t->Generator().SetWidth(10);
            t->Generator().SetHeight(10);
        }
        Cv = std::make_unique<TMetafileCanvas>(Mf);
        Box->ScaleSetting().SetCanvas(Cv.get());
        ActScaleSet = &Box->ScaleSetting();
        Host = std::make_unique<THeadlessWindowHost>(Box);
        Host->ClearRecords();
    }
    void TearDown() override {
        Host.reset();
        ActScaleSet = nullptr;
        Mapper = nullptr;
    }

    // A counted, visible object at p, added to the document.
    TBoxObj* Add(TvlCreator* c, TPoint p) {
        auto o = std::make_unique<TBoxObj>(c);
        o->Count();
        o->SetPos(p);
        o->SetVisible(true);
        TBoxObj* r = o.get();
        Doc->Add(std::move(o), 7);
        return r;
    }
    TBoxObj* AddSlave(TvlCreator* c, TvlObject* m) {
        TBoxObj* s = Add(c, {});
        s->Pos.ConObj = m;
        s->State.Include(TIndividualFlag::isSlave);
        return s;
    }
    static std::vector<TvlObject*> Items(const TCapList& l) {
        std::vector<TvlObject*> m;
        for (int32_t i = 0; i < l.Count(); ++i) m.push_back(l.Get(i));
        return m;
    }
    std::vector<TvlObject*> Marked() const { return Items(Doc->MarkCase()); }
    std::vector<TvlObject*> Content() const { return Items(Doc->Objects()); }

    TComponent Form;
    TCustomDrawBox* Box = nullptr;
    TvlCreator* Tool = nullptr;
    TvlCreator* Tool2 = nullptr;
    TvlDataModule* Doc = nullptr;
    TMetafile Mf;
    std::unique_ptr<TMetafileCanvas> Cv;
    std::unique_ptr<THeadlessWindowHost> Host;
};

} // namespace vl::test
