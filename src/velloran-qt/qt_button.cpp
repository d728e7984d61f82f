#include "velloran-qt/qt_button.h"

#include <QAction>

namespace vl {

QtButton::QtButton(TComponent* AOwner, QAction* action) : TButton(AOwner), FAction(action) {
    if (!action) return;
    SetCaption(action->text().toStdU16String());
    FTriggered = QObject::connect(action, &QAction::triggered, [this] { Click(); });
}

// The action may outlive the button; its signal must not reach a freed one.
QtButton::~QtButton() {
    QObject::disconnect(FTriggered);
}

} // namespace vl
