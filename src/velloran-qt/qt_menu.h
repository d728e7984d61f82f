#pragma once
// Mirrors a tree of menu items onto Qt: each sub-item of the root becomes a
// QAction in the given widget (a QMenu or a QMenuBar), items with sub-items
// get a submenu, radio items of one group share an exclusive QActionGroup.
// Changes of the tree reach Qt through the root's OnChange; a triggered
// action calls the item's Click.

#include <QPointer>

#include <map>
#include <utility>

#include "velloran/platform/menu.h"

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace vl {

/// Mirrors a tree of menu items onto QActions of a menu or a menu bar.
class QtMenu {
public:
    /// root must outlive the binding. The binding chains root's previous
    /// OnChange and gives it back when it goes away.
    QtMenu(TMenuItem& root, QWidget* container);
    ~QtMenu();
    QtMenu(const QtMenu&) = delete;
    QtMenu& operator=(const QtMenu&) = delete;

    /// The action that shows an item (nullptr for the root and unknown items).
    QAction* ActionOf(const TMenuItem* item) const;

private:
    struct TEntry {
        QAction* Action = nullptr;
        QMenu* Submenu = nullptr; // owned by the binding, created on demand
    };

    void Changed(TMenuItem& item, TMenuChange change);
    /// The widget that holds the actions of item's sub-items.
    QWidget* ContainerOf(TMenuItem& item);
    void AddItem(TMenuItem& item);
    void RemoveItem(TMenuItem& item);
    void Place(TMenuItem& item);
    void Refresh(TMenuItem& item);
    void Triggered(QAction* action);
    QActionGroup* GroupOf(TMenuItem& parent, uint8_t index);

    TMenuItem& FRoot;
    QPointer<QWidget> FContainer;
    TMenuChangeEvent FChained;
    std::map<const TMenuItem*, TEntry> FEntries;
    std::map<QAction*, TMenuItem*> FItems;
    std::map<std::pair<const TMenuItem*, uint8_t>, QActionGroup*> FGroups;
    bool FTriggering = false;
};

} // namespace vl
