#include "velloran/document/environment.h"

#include "velloran/view/draw_box.h"

namespace vl {

void TEnvironment::SetDrawForm(TCustomDrawBox* Value) {
    // The old draw box stays subscribed: the same link may carry its own
    // reference to this component (its document, its current tool).
    FDrawForm = Value;
    if (FDrawForm) FDrawForm->FreeNotification(this);
}

void TEnvironment::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove) {
        if (AComponent == FDrawForm) FDrawForm = nullptr;
    } else if (Designing() && !FDrawForm && AComponent != this) {
        if (auto* box = dynamic_cast<TCustomDrawBox*>(AComponent)) SetDrawForm(box);
    }
}

} // namespace vl
