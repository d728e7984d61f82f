#pragma once
// TEnvironment: the base of every component that works with one draw box
// (tools, documents, the printer).

#include <cstdint>

#include "velloran/platform/component.h"

namespace vl {

class TCustomDrawBox;

class TEnvironment : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TEnvironment"; }

    // Not owned; nil while the component is not linked. Cleared when the
    // draw box goes away.
    TCustomDrawBox* DrawForm() const { return FDrawForm; }
    virtual void SetDrawForm(TCustomDrawBox* Value);
    // Carries no behaviour; kept for stored forms.
    int32_t About = 0;

    // Forgets a draw box that goes away; while designing, an unlinked
    // component takes a draw box that is dropped on the form.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TCustomDrawBox* FDrawForm = nullptr;
};

} // namespace vl
