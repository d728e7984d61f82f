#include "velloran/document/environment.h"

namespace vl {

void TEnvironment::SetDrawForm(TObjectView* Value) {
    // The old view stays subscribed: the same link may carry its own
    // reference to this component (its document, its current tool).
    FDrawForm = Value;
    ++FDrawFormChanges;
    FDrawComponent = dynamic_cast<TComponent*>(Value);
    if (FDrawComponent) FDrawComponent->FreeNotification(this);
}

void TEnvironment::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove) {
        if (AComponent == FDrawComponent) {
            FDrawForm = nullptr;
            FDrawComponent = nullptr;
            ++FDrawFormChanges;
        }
    } else if (Designing() && !FDrawForm && AComponent != this) {
        if (auto* view = dynamic_cast<TObjectView*>(AComponent)) SetDrawForm(view);
    }
}

} // namespace vl
