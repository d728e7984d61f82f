#include "velloran-qt/qt_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <exception>

#include "velloran/foundations/errors.h"
#include "velloran/platform/message_box.h"

namespace vl {

QtMenu::QtMenu(TMenuItem& root, QWidget* container) : FRoot(root), FContainer(container) {
    FChained = root.OnChange;
    root.OnChange = [this](TMenuItem& item, TMenuChange change) {
        Changed(item, change);
        if (FChained) FChained(item, change);
    };
    for (int32_t i = 0; i < root.Count(); ++i) AddItem(*root.Items(i));
}

QtMenu::~QtMenu() {
    FRoot.OnChange = FChained;
    for (auto& [item, entry] : FEntries) {
        delete entry.Action;
        delete entry.Submenu;
    }
    for (auto& [key, group] : FGroups) delete group;
}

QAction* QtMenu::ActionOf(const TMenuItem* item) const {
    auto it = FEntries.find(item);
    return it == FEntries.end() ? nullptr : it->second.Action;
}

void QtMenu::Changed(TMenuItem& item, TMenuChange change) {
    if (&item == &FRoot) return;
    switch (change) {
    case TMenuChange::mcChanged:
        if (FEntries.count(&item)) Refresh(item);
        break;
    case TMenuChange::mcInserted:
        if (!FEntries.count(&item)) AddItem(item);
        break;
    case TMenuChange::mcRemoving: RemoveItem(item); break;
    case TMenuChange::mcMoved:
        if (FEntries.count(&item)) Place(item);
        break;
    }
}

QWidget* QtMenu::ContainerOf(TMenuItem& item) {
    if (&item == &FRoot) return FContainer;
    TEntry& entry = FEntries.at(&item);
    if (!entry.Submenu) {
        entry.Submenu = new QMenu;
        entry.Action->setMenu(entry.Submenu);
    }
    return entry.Submenu;
}

void QtMenu::AddItem(TMenuItem& item) {
    auto* action = new QAction;
    FEntries[&item] = TEntry{action, nullptr};
    FItems[action] = &item;
    QObject::connect(action, &QAction::triggered, action, [this, action] { Triggered(action); });
    Place(item);
    Refresh(item);
    for (int32_t i = 0; i < item.Count(); ++i) AddItem(*item.Items(i));
}

void QtMenu::RemoveItem(TMenuItem& item) {
    auto it = FEntries.find(&item);
    if (it == FEntries.end()) return;
    for (int32_t i = 0; i < item.Count(); ++i) RemoveItem(*item.Items(i));
    for (auto g = FGroups.begin(); g != FGroups.end();) {
        if (g->first.first == &item) {
            delete g->second;
            g = FGroups.erase(g);
        } else {
            ++g;
        }
    }
    QAction* action = it->second.Action;
    QMenu* submenu = it->second.Submenu;
    FItems.erase(action);
    FEntries.erase(it);
    TMenuItem* parent = item.Parent();
    QWidget* container = !parent ? nullptr : parent == &FRoot ? FContainer.data() : FEntries.at(parent).Submenu;
    if (container) container->removeAction(action);
    action->setActionGroup(nullptr);
    if (FTriggering) {
        // A click handler removed an item: the action may be the one whose
        // signal is still running.
        action->deleteLater();
        if (submenu) submenu->deleteLater();
    } else {
        delete action;
        delete submenu;
    }

    // The last sub-item leaves: its parent becomes a plain item again.
    if (parent && parent != &FRoot && parent->Count() == 1) {
        auto p = FEntries.find(parent);
        if (p != FEntries.end() && p->second.Submenu) {
            p->second.Action->setMenu(nullptr);
            if (FTriggering)
                p->second.Submenu->deleteLater();
            else
                delete p->second.Submenu;
            p->second.Submenu = nullptr;
        }
    }
}

void QtMenu::Place(TMenuItem& item) {
    TMenuItem* parent = item.Parent();
    if (!parent) return;
    QWidget* container = ContainerOf(*parent);
    if (!container) return;
    QAction* action = FEntries.at(&item).Action;
    container->removeAction(action);
    QAction* before = nullptr;
    for (int32_t i = parent->IndexOf(&item) + 1; i < parent->Count() && !before; ++i)
        before = ActionOf(parent->Items(i));
    container->insertAction(before, action);
}

QActionGroup* QtMenu::GroupOf(TMenuItem& parent, uint8_t index) {
    QActionGroup*& group = FGroups[{&parent, index}];
    if (!group) {
        group = new QActionGroup(nullptr);
        // The items decide which one is checked; a group may have none.
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    }
    return group;
}

void QtMenu::Refresh(TMenuItem& item) {
    QAction* action = FEntries.at(&item).Action;
    const String& caption = item.Caption();
    action->setSeparator(caption == u"-");
    action->setText(QString::fromStdU16String(caption));
    action->setEnabled(item.Enabled());
    action->setVisible(item.Visible());
    if (item.RadioItem() && item.Parent())
        action->setActionGroup(GroupOf(*item.Parent(), item.GroupIndex()));
    else
        action->setActionGroup(nullptr);
    action->setCheckable(item.Checked() || item.RadioItem());
    action->setChecked(item.Checked());
}

void QtMenu::Triggered(QAction* action) {
    auto it = FItems.find(action);
    if (it == FItems.end()) return;
    TMenuItem* parent = it->second->Parent();
    FTriggering = true;
    try {
        it->second->Click();
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        MessageDlg(QString::fromUtf8(e.what()).toStdU16String(), TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
    }
    FTriggering = false;
    // Qt toggled the check marks on its own; the items say what is checked.
    // The handler may have removed the item (or its parent) meanwhile.
    if (!FItems.count(action) || !parent) return;
    for (int32_t i = 0; i < parent->Count(); ++i) {
        TMenuItem* sibling = parent->Items(i);
        if (FEntries.count(sibling)) Refresh(*sibling);
    }
}

} // namespace vl
