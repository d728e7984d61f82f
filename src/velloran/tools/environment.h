#pragma once
// TEnvironment: the base of every component that works with one draw box
// (tools, documents, the printer). The design-time linking is completed by
// the tools work.

#include <cstdint>

#include "velloran/platform/component.h"

namespace vl {

class TCustomDrawBox;

class TEnvironment : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TEnvironment"; }

    // Not owned; nil while the component is not linked.
    TCustomDrawBox* DrawForm() const { return FDrawForm; }
    void SetDrawForm(TCustomDrawBox* Value);
    int32_t About = 0;

    // Forgets the draw box when it goes away.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TCustomDrawBox* FDrawForm = nullptr;
};

} // namespace vl
