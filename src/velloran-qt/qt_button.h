#pragma once
// A button component on a QAction: triggering the action (from a tool bar,
// a menu or a shortcut) clicks the button, so a tool binds to the action
// through its Button like to any button.

#include <QMetaObject>
#include <QPointer>

#include "velloran/platform/button.h"

class QAction;

namespace vl {

/// A button component that a QAction clicks.
class QtButton : public TButton {
  public:
    /// action is not owned; the caption is taken from its text.
    QtButton(TComponent* AOwner, QAction* action);
    ~QtButton() override;
    QAction* Action() const { return FAction; }
    std::string ClassName() const override { return "QtButton"; }

  private:
    QPointer<QAction> FAction;
    QMetaObject::Connection FTriggered;
};

} // namespace vl
