#include "velloran/platform/form.h"

#include <vector>

namespace vl {

void TForm::FinishLoading() {
    if (Loading()) Loaded();
    // A Loaded handler may create or free components: walk a snapshot and
    // skip what left the form or was loaded already.
    std::vector<TComponent*> loading;
    loading.reserve(static_cast<size_t>(ComponentCount()));
    for (int32_t i = 0; i < ComponentCount(); ++i)
        if (Components(i)->Loading()) loading.push_back(Components(i));
    for (TComponent* c : loading) {
        bool present = false;
        for (int32_t i = 0; i < ComponentCount() && !present; ++i) present = Components(i) == c;
        if (present && c->Loading()) c->Loaded();
    }
}

} // namespace vl
