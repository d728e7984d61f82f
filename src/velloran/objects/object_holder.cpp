#include "velloran/objects/object_holder.h"

#include <algorithm>
#include <vector>

namespace vl {

namespace {

// The holders alive now, whatever form or owner they belong to: a creator
// must reach documents it was never linked to.
std::vector<TObjectHolder*>& Holders() {
    static std::vector<TObjectHolder*> holders;
    return holders;
}

} // namespace

TObjectHolder::TObjectHolder() { Holders().push_back(this); }

TObjectHolder::~TObjectHolder() {
    auto& h = Holders();
    h.erase(std::remove(h.begin(), h.end(), this), h.end());
}

void TObjectHolder::ToolGoing(const TObjectTool& Tool) {
    // By index: releasing objects never makes or frees a holder, but the
    // list is re-read each step all the same.
    auto& h = Holders();
    for (size_t i = 0; i < h.size(); ++i) h[i]->ReleaseToolObjects(Tool);
}

} // namespace vl
