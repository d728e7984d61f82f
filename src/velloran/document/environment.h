#pragma once
// TEnvironment: the base of every component that works with one view
// (tools, documents, the printer).

#include <cstdint>

#include "velloran/objects/object_view.h"
#include "velloran/platform/component.h"

namespace vl {

/// The base of every component that works with one view (tools, documents, the printer).
class TEnvironment : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TEnvironment"; }

    /// Not owned; nil while the component is not linked. Cleared when the
    /// view goes away.
    TObjectView* DrawForm() const { return FDrawForm; }
    /// Value must be a component (the draw box).
    virtual void SetDrawForm(TObjectView* Value);
    /// Carries no behaviour; kept for stored forms.
    int32_t About = 0;

    /// Forgets a view that goes away; while designing, an unlinked component
    /// takes a view that is dropped on the form.
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    /// Counts the changes of DrawForm, so a subclass may cache what it derives from it.
    uint32_t DrawFormChanges() const { return FDrawFormChanges; }

private:
    TObjectView* FDrawForm = nullptr;
    /// The same view as a component, for its removal notice.
    TComponent* FDrawComponent = nullptr;
    uint32_t FDrawFormChanges = 0;
};

} // namespace vl
