#pragma once
// A push button as a component: the part of a button the library binds to
// (a tool activates itself from its click). A backend calls Click when the
// user presses its widget.

#include "velloran/platform/component.h"

namespace vl {

/// A push button as a component; a tool bound to it activates on its click.
class TButton : public TComponent {
public:
    using TComponent::TComponent;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }

    /// The button was clicked.
    TNotifyEvent OnClick;
    /// Calls OnClick with this button as Sender, when enabled and assigned.
    void Click() {
        if (FEnabled && OnClick) OnClick(this);
    }

    std::string ClassName() const override { return "TButton"; }

private:
    String FCaption;
    bool FEnabled = true;
};

} // namespace vl
