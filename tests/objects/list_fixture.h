#pragma once
// Object lists in the object fixture: creators of box objects with a chosen
// ZOrder, and a list's items as a vector.

#include <vector>

#include "object_fixture.h"

namespace vl::test {

using Objs = std::vector<TvlObject*>;

class ListTest : public ObjectTest {
protected:
    // The creators made here go before the document's objects.
    void TearDown() override {
        Doc->Objects.clear();
        ObjectTest::TearDown();
    }
    TvlCreator* CreatorZ(int32_t z) {
        auto* c = NewComponent<TvlCreator>(Form);
        c->SetDrawForm(Box);
        c->Generator().SetZOrder(z);
        c->OnObjectSetClass = [](TCapClass& k) { k = CapClassOf<TBoxObj>; };
        return c;
    }
};

} // namespace vl::test
