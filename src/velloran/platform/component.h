#pragma once
// Components: persistent objects that an owner (usually the form) holds in
// order and frees. Components hear about each other's insertion and removal
// through Notification, so that references to a removed component can be
// cleared.

#include <cstdint>
#include <memory>
#include <vector>

#include "velloran/foundations/set.h"
#include "velloran/foundations/types.h"
#include "velloran/platform/persistent.h"

namespace vl {

/// Whether a component was inserted or removed (Notification).
enum class TOperation : uint8_t { opInsert, opRemove };

/// State flags of a component.
enum class TComponentStateItem : uint8_t { csLoading, csReading, csWriting, csDestroying, csDesigning };
using TComponentState = TSet<TComponentStateItem>;

/// A persistent object held and freed by its owner, told of other components' insertion and removal.
class TComponent : public TPersistent {
public:
    /// AOwner is the owner to be: the constructor takes its designing and
    /// loading state, but the component joins the owner's list (and Owner()
    /// is set) only through InsertComponent; NewComponent does both.
    /// Insertion waits for the complete object because the other components
    /// are told about it.
    explicit TComponent(TComponent* AOwner = nullptr);
    /// Frees the owned components (last first), tells the owner's other
    /// components and the free-notification subscribers, leaves the owner.
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    int32_t ComponentCount() const { return static_cast<int32_t>(FComponents.size()); }
    /// Raises EListError outside 0..ComponentCount-1.
    TComponent* Components(int32_t Index) const;
    /// Position in the owner's list; -1 without an owner.
    int32_t ComponentIndex() const;
    /// Moves the component within its owner's list (clamped to the list).
    void SetComponentIndex(int32_t Value);
    /// The owned component of that name (case-insensitive), or nullptr.
    TComponent* FindComponent(const String& AName) const;

    /// Takes ownership and tells every component of this owner (the new one
    /// included). A component that already belongs to an owner raises
    /// EComponentError.
    TComponent* InsertComponent(std::unique_ptr<TComponent> AComponent);
    /// Tells every component of this owner, then hands the component back.
    /// nullptr when AComponent is not owned here.
    std::unique_ptr<TComponent> RemoveComponent(TComponent* AComponent);

    const String& Name() const { return FName; }
    /// A name already used by another component of the same owner
    /// (case-insensitive) raises EComponentError.
    void SetName(const String& Value);
    int32_t Tag() const { return FTag; }
    void SetTag(int32_t Value) { FTag = Value; }

    TComponentState ComponentState() const { return FComponentState; }
    bool Designing() const { return FComponentState.Contains(TComponentStateItem::csDesigning); }
    bool Loading() const { return FComponentState.Contains(TComponentStateItem::csLoading); }
    bool Destroying() const { return FComponentState.Contains(TComponentStateItem::csDestroying); }
    /// Switches design mode for this component and, by default, its components.
    void SetDesigning(bool Value, bool SetChildren = true);
    /// Marks this component and its components as being read (csLoading).
    void BeginLoading();

    /// AComponent will be told (opRemove) when this component goes away,
    /// whoever owns either of them.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    /// After the stored properties were read: clears csLoading. Overrides call
    /// the base first.
    virtual void Loaded();
    /// Another component was inserted into or is being removed from this
    /// component's owner (or a subscribed component is going away). The base
    /// passes the message on to the owned components; overrides call it.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

    std::string ClassName() const override { return "TComponent"; }

protected:
    void Include(TComponentStateItem Item) { FComponentState.Include(Item); }
    void Exclude(TComponentStateItem Item) { FComponentState.Exclude(Item); }

private:
    int32_t IndexOf(const TComponent* AComponent) const;
    std::unique_ptr<TComponent> Detach(int32_t Index);
    void NotifyAll(TComponent* AComponent, TOperation Operation);
    void MarkDestroying();
    void DestroyComponents();

    TComponent* FOwner = nullptr;
    std::vector<std::unique_ptr<TComponent>> FComponents;
    /// Both directions of free notification, so either side can go first.
    std::vector<TComponent*> FFreeNotifies;
    String FName;
    int32_t FTag = 0;
    TComponentState FComponentState;
};

/// Creates a T owned by AOwner; T's constructor receives &AOwner first.
template <typename T, typename... Args>
T* NewComponent(TComponent& AOwner, Args&&... args) {
    auto c = std::make_unique<T>(&AOwner, std::forward<Args>(args)...);
    T* result = c.get();
    AOwner.InsertComponent(std::move(c));
    return result;
}

} // namespace vl
