#pragma once
// Object lists in the object fixture: creators with a chosen ZOrder and the
// items of a list as a vector.

#include <vector>

#include "object_fixture.h"
#include "velloran/objects/cap_list.h"

namespace vl::test {

class ListTest : public ObjectTest {
protected:
    // Creators made here come after the document, which frees its objects
    // only after them.
    void TearDown() override {
        Doc->Objects.clear();
        ObjectTest::TearDown();
    }
    // A new creator of box objects whose generator has ZOrder z.
    TvlCreator* CreatorZ(int32_t z) {
        auto* c = NewComponent<TvlCreator>(Form);
        c->SetDrawForm(Box);
        c->Generator().SetWidth(10);
        c->Generator().SetHeight(10);
        c->Generator().SetZOrder(z);
        c->OnObjectSetClass = [](TCapClass& k) { k = CapClassOf<TBoxObj>; };
        return c;
    }
    static std::vector<TvlObject*> Items(const TCapList& l) {
        std::vector<TvlObject*> v;
        for (int32_t i = 0; i < l.Count(); ++i) v.push_back(l.GetItems(i));
        return v;
    }
};

} // namespace vl::test
