#include "velloran/platform/menu.h"

#include <algorithm>

#include "velloran/foundations/errors.h"

namespace vl {

TMenuItem::~TMenuItem() {
    // Last first, like the owner frees its components; nobody is told,
    // since the whole branch goes.
    while (!FItems.empty()) {
        FItems.back()->FParent = nullptr;
        FItems.pop_back();
    }
}

void TMenuItem::Changed(TMenuItem& Item, TMenuChange Change) {
    for (TMenuItem* m = this; m; m = m->FParent)
        if (m->OnChange) m->OnChange(Item, Change);
}

void TMenuItem::SetCaption(const String& Value) {
    if (Value == FCaption) return;
    FCaption = Value;
    Changed(*this, TMenuChange::mcChanged);
}

void TMenuItem::SetChecked(bool Value) {
    if (Value == FChecked) return;
    FChecked = Value;
    Changed(*this, TMenuChange::mcChanged);
    if (Value && FRadioItem && FParent) {
        for (auto& sibling : FParent->FItems)
            if (sibling.get() != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
                sibling->SetChecked(false);
    }
}

void TMenuItem::SetRadioItem(bool Value) {
    if (Value == FRadioItem) return;
    FRadioItem = Value;
    Changed(*this, TMenuChange::mcChanged);
}

void TMenuItem::SetGroupIndex(uint8_t Value) {
    if (Value == FGroupIndex) return;
    FGroupIndex = Value;
    Changed(*this, TMenuChange::mcChanged);
}

void TMenuItem::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    Changed(*this, TMenuChange::mcChanged);
}

void TMenuItem::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    Changed(*this, TMenuChange::mcChanged);
}

void TMenuItem::Click() {
    if (FEnabled && OnClick) OnClick(this);
}

TMenuItem* TMenuItem::Items(int32_t Index) const {
    if (Index < 0 || Index >= Count()) RaiseListError(SListIndexError, Index);
    return FItems[static_cast<size_t>(Index)].get();
}

int32_t TMenuItem::IndexOf(const TMenuItem* Item) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == Item) return static_cast<int32_t>(i);
    return -1;
}

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> Item) { return Insert(Count(), std::move(Item)); }

TMenuItem* TMenuItem::Insert(int32_t Index, std::unique_ptr<TMenuItem> Item) {
    if (!Item) return nullptr;
    if (Index < 0 || Index > Count()) RaiseListError(SListIndexError, Index);
    if (Item->FParent) RaiseInvalidOperation("Menu inserted twice");
    // An item must not end up below itself.
    for (TMenuItem* m = this; m; m = m->FParent)
        if (m == Item.get()) RaiseInvalidOperation("Menu inserted twice");
    TMenuItem* item = Item.get();
    item->FParent = this;
    FItems.insert(FItems.begin() + Index, std::move(Item));
    Changed(*item, TMenuChange::mcInserted);
    return item;
}

void TMenuItem::Delete(int32_t Index) {
    if (Index < 0 || Index >= Count()) RaiseListError(SListIndexError, Index);
    auto item = Remove(FItems[static_cast<size_t>(Index)].get());
    item.reset();
}

std::unique_ptr<TMenuItem> TMenuItem::Remove(TMenuItem* Item) {
    if (IndexOf(Item) < 0) return nullptr;
    Changed(*Item, TMenuChange::mcRemoving);
    const int32_t i = IndexOf(Item);
    if (i < 0) return nullptr;
    auto result = std::move(FItems[static_cast<size_t>(i)]);
    FItems.erase(FItems.begin() + i);
    result->FParent = nullptr;
    return result;
}

void TMenuItem::Clear() {
    while (!FItems.empty()) Delete(Count() - 1);
}

int32_t TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int32_t Value) {
    if (!FParent) return;
    auto& list = FParent->FItems;
    const int32_t i = FParent->IndexOf(this);
    Value = std::clamp(Value, 0, static_cast<int32_t>(list.size()) - 1);
    if (Value == i) return;
    auto item = std::move(list[static_cast<size_t>(i)]);
    list.erase(list.begin() + i);
    list.insert(list.begin() + Value, std::move(item));
    Changed(*this, TMenuChange::mcMoved);
}

String StripHotkey(const String& Caption) {
    String result = Caption;
    const auto at = result.find(u'&');
    if (at != String::npos) result.erase(at, 1);
    return result;
}

} // namespace vl
