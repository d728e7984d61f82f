#pragma once
// The form: the root owner of an application's components. It stands in for
// form streaming: BeginLoading marks the form and its components as being
// read; FinishLoading ends that and calls Loaded on the form and then on each
// component in component order.

#include "velloran/platform/component.h"

namespace vl {

/// The root owner of an application's components; loading ends with Loaded in component order.
class TForm : public TComponent {
public:
    using TComponent::TComponent;

    /// Components created or inserted between the two calls count as read.
    void FinishLoading();

    std::string ClassName() const override { return "TForm"; }
};

} // namespace vl
