#pragma once
// Menu items as data: a tree of items with caption, check mark, radio
// grouping and click handler. A backend mirrors a tree by assigning OnChange
// of its root, which hears about every change below it.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "velloran/platform/component.h"

namespace vl {

/// What changed in a menu item.
enum class TMenuChange : uint8_t {
    mcChanged,  // caption, check mark, radio item, group, enabled or visible
    mcInserted, // Item was added to its parent
    mcRemoving, // Item is about to leave its parent (still in place)
    mcMoved     // Item changed its position in its parent
};

class TMenuItem;
/// Item: the item that changed; the handler of an ancestor hears it too.
using TMenuChangeEvent = std::function<void(TMenuItem& Item, TMenuChange Change)>;

/// A menu item as data: caption, check mark, radio group, sub-items and click handler.
class TMenuItem : public TComponent {
public:
    using TComponent::TComponent;
    /// Frees the sub-items.
    ~TMenuItem() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Checked() const { return FChecked; }
    /// Checking a radio item unchecks the other radio items of its group
    /// (same GroupIndex, same parent).
    void SetChecked(bool Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    uint8_t GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(uint8_t Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    /// The item was clicked.
    TNotifyEvent OnClick;
    /// Something changed in this item or below it.
    TMenuChangeEvent OnChange;
    /// Calls OnClick with this item as Sender, when enabled and assigned.
    virtual void Click();

    // ---- Sub-items (owned by this item) -----------------------------------
    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    /// Raises EListError outside 0..Count-1.
    TMenuItem* Items(int32_t Index) const;
    TMenuItem* Parent() const { return FParent; }
    int32_t IndexOf(const TMenuItem* Item) const;
    /// Appends a sub-item and returns it.
    TMenuItem* Add(std::unique_ptr<TMenuItem> Item);
    /// Index may be Count (append); outside 0..Count raises EListError. An
    /// item that already has a parent raises EInvalidOperation.
    TMenuItem* Insert(int32_t Index, std::unique_ptr<TMenuItem> Item);
    /// Frees the sub-item at Index.
    void Delete(int32_t Index);
    /// Takes the sub-item out without freeing it; nullptr when not a sub-item.
    std::unique_ptr<TMenuItem> Remove(TMenuItem* Item);
    /// Frees every sub-item.
    void Clear();
    /// Position within the parent; -1 without one. Setting it moves the item
    /// (clamped to the parent's list).
    int32_t MenuIndex() const;
    void SetMenuIndex(int32_t Value);

    std::string ClassName() const override { return "TMenuItem"; }

private:
    /// Tells this item's and every ancestor's OnChange.
    void Changed(TMenuItem& Item, TMenuChange Change);

    String FCaption;
    bool FChecked = false;
    bool FRadioItem = false;
    uint8_t FGroupIndex = 0;
    bool FEnabled = true;
    bool FVisible = true;
    TMenuItem* FParent = nullptr;
    std::vector<std::unique_ptr<TMenuItem>> FItems;
};

/// Caption without its first '&' (the accelerator mark), as items are matched
/// against names.
String StripHotkey(const String& Caption);

} // namespace vl
