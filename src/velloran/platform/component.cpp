#include "velloran/platform/component.h"

#include <algorithm>

#include "velloran/foundations/errors.h"
#include "velloran/platform/string_utils.h"

namespace vl {

TComponent::TComponent(TComponent* AOwner) {
    // Constructors decide on design-time behaviour, so they see the owner's mode.
    if (AOwner && AOwner->Designing()) Include(TComponentStateItem::csDesigning);
    if (AOwner && AOwner->Loading()) Include(TComponentStateItem::csLoading);
}

TComponent::~TComponent() {
    MarkDestroying();
    // One subscriber at a time: a handler may free another subscriber,
    // which then takes itself out of this list.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& back = other->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (FOwner) {
        const int32_t i = FOwner->IndexOf(this);
        if (i >= 0) {
            FOwner->NotifyAll(this, TOperation::opRemove);
            // The owner's unique_ptr must not free what is already being freed.
            const int32_t j = FOwner->IndexOf(this);
            if (j >= 0) {
                FOwner->FComponents[static_cast<size_t>(j)].release();
                FOwner->FComponents.erase(FOwner->FComponents.begin() + j);
            }
        }
    }
}

void TComponent::MarkDestroying() {
    if (Destroying()) return;
    Include(TComponentStateItem::csDestroying);
    for (auto& c : FComponents) c->MarkDestroying();
}

void TComponent::DestroyComponents() {
    // Last first; the others hear of each removal while the removed one is
    // still whole, so they can drop their references before it goes.
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back().get();
        NotifyAll(last, TOperation::opRemove);
        const int32_t i = IndexOf(last);
        if (i < 0) continue; // a handler took it out already
        std::unique_ptr<TComponent> c = Detach(i);
        c.reset();
    }
}

TComponent* TComponent::Components(int32_t Index) const {
    if (Index < 0 || Index >= ComponentCount()) RaiseListError(SListIndexError, Index);
    return FComponents[static_cast<size_t>(Index)].get();
}

int32_t TComponent::IndexOf(const TComponent* AComponent) const {
    for (size_t i = 0; i < FComponents.size(); ++i)
        if (FComponents[i].get() == AComponent) return static_cast<int32_t>(i);
    return -1;
}

int32_t TComponent::ComponentIndex() const { return FOwner ? FOwner->IndexOf(this) : -1; }

void TComponent::SetComponentIndex(int32_t Value) {
    if (!FOwner) return;
    auto& list = FOwner->FComponents;
    const int32_t i = FOwner->IndexOf(this);
    if (i < 0) return;
    Value = std::clamp(Value, 0, static_cast<int32_t>(list.size()) - 1);
    if (Value == i) return;
    auto item = std::move(list[static_cast<size_t>(i)]);
    list.erase(list.begin() + i);
    list.insert(list.begin() + Value, std::move(item));
}

TComponent* TComponent::FindComponent(const String& AName) const {
    if (AName.empty()) return nullptr;
    for (const auto& c : FComponents)
        if (SameText(c->FName, AName)) return c.get();
    return nullptr;
}

TComponent* TComponent::InsertComponent(std::unique_ptr<TComponent> AComponent) {
    if (!AComponent) return nullptr;
    TComponent* c = AComponent.get();
    if (c == this) RaiseComponentError("A component cannot own itself");
    if (!c->FName.empty() && FindComponent(c->FName))
        RaiseComponentError("A component named " + StringToUtf8(c->FName) + " already exists");
    c->FOwner = this;
    if (Designing()) c->SetDesigning(true);
    if (Loading()) c->Include(TComponentStateItem::csLoading);
    FComponents.push_back(std::move(AComponent));
    NotifyAll(c, TOperation::opInsert);
    return c;
}

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent* AComponent) {
    if (IndexOf(AComponent) < 0) return nullptr;
    NotifyAll(AComponent, TOperation::opRemove);
    const int32_t i = IndexOf(AComponent);
    if (i < 0) return nullptr;
    return Detach(i);
}

std::unique_ptr<TComponent> TComponent::Detach(int32_t Index) {
    auto c = std::move(FComponents[static_cast<size_t>(Index)]);
    FComponents.erase(FComponents.begin() + Index);
    c->FOwner = nullptr;
    return c;
}

void TComponent::NotifyAll(TComponent* AComponent, TOperation Operation) { Notification(AComponent, Operation); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    // By index from the end, rechecked each time: a handler may remove
    // components from this list.
    for (int32_t i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount()) continue;
        FComponents[static_cast<size_t>(i)]->Notification(AComponent, Operation);
    }
}

void TComponent::SetName(const String& Value) {
    if (Value == FName) return;
    if (FOwner && !Value.empty()) {
        TComponent* other = FOwner->FindComponent(Value);
        if (other && other != this)
            RaiseComponentError("A component named " + StringToUtf8(Value) + " already exists");
    }
    FName = Value;
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    if (Value) Include(TComponentStateItem::csDesigning);
    else Exclude(TComponentStateItem::csDesigning);
    if (SetChildren)
        for (auto& c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::BeginLoading() {
    Include(TComponentStateItem::csLoading);
    for (auto& c : FComponents) c->Include(TComponentStateItem::csLoading);
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    auto& back = AComponent->FFreeNotifies;
    if (std::find(back.begin(), back.end(), this) == back.end()) back.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
    auto& back = AComponent->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Loaded() { Exclude(TComponentStateItem::csLoading); }

} // namespace vl
