#pragma once
// Object lists in the object fixture: creators of box objects with a chosen
// ZOrder, and a list's items as a vector.

#include <vector>

#include "object_fixture.h"
#include "velloran/document/mapper.h"
#include "velloran/objects/cap_list.h"

namespace vl::test {

using Objs = std::vector<TvlObject*>;

class ListTest : public ObjectTest {
protected:
    // The creators made here go before the document's objects.
    void TearDown() override {
        Doc->Objects.clear();
        Mapper = nullptr;
        ObjectTest::TearDown();
    }
    TvlCreator* CreatorZ(int32_t z) {
        auto* c = NewComponent<TvlCreator>(Form);
        c->SetDrawForm(Box);
        c->Generator().SetZOrder(z);
        c->OnObjectSetClass = [](TCapClass& k) { k = CapClassOf<TBoxObj>; };
        return c;
    }
    static Objs Items(const TCapList& l) {
        Objs v;
        for (int32_t i = 0; i < l.Count(); ++i) v.push_back(l.GetItems(i));
        return v;
    }
};

} // namespace vl::test
