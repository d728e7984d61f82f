#pragma once
// The object test form with a text creator and a label creator. Headless
// metrics: a font 30 units high has 15-unit characters and 30-unit lines.

#include "objects/object_fixture.h"
#include "velloran/text/text_creators.h"
#include "velloran/text/text_wbrk_obj.h"
#include "velloran/text/txt_lab_obj.h"
#include "velloran/scale/scale_setting.h"

namespace vl::test {

class TextTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        Text = NewComponent<TvlText>(Form);
        Labs = NewComponent<TvlTextlabs>(Form);
        for (TvlCreator* c : {static_cast<TvlCreator*>(Text), static_cast<TvlCreator*>(Labs)}) c->SetDrawForm(Box);
        ActScaleSet->SetPixPerM(3780);
        ActScaleSet->SetScale(1.0);
        ActScaleSet->State.Exclude(TScaleFlag::scChanged);
    }
    void TearDown() override {
        // The text creators came after the document, so they go first.
        Owned.clear();
        Doc->Objects.clear();
        ObjectTest::TearDown();
    }
    TCustomTxtGenerator2& TextGen() { return Text->TxtGenerator(); }
    TTxtLabGenerator& LabGen() { return static_cast<TTxtLabGenerator&>(Labs->Generator()); }

    template <typename T = TTextWbrkObj> T* Make(TvlCreator* c, const String& s = {}) {
        auto o = std::make_unique<T>(c);
        T* r = o.get();
        Owned.push_back(std::move(o));
        if (!s.empty()) r->SetText(s);
        return r;
    }
    TTextWbrkObj* Wbrk(const String& s, int32_t wordBreak) {
        TextGen().SetWordBreak(wordBreak);
        return Make(Text, s);
    }

    TvlText* Text = nullptr;
    TvlTextlabs* Labs = nullptr;
    std::vector<std::unique_ptr<TvlObject>> Owned;
};

inline std::vector<String> LinesOf(const TTextWbrkObj& o) {
    std::vector<String> v;
    o.CopyLines(v);
    return v;
}

} // namespace vl::test
