#pragma once
// TCustomPoints: the point-symbol creator. A click makes one object at the
// clicked point, hung on the object under the mouse when the tool looks for
// one, and optionally followed by a slave object from a second creator.

#include "velloran/tools/creator.h"

namespace vl {

/// The point-symbol creator: a click makes one object at the clicked point.
class TCustomPoints : public TvlCreator {
public:
    /// With a point generator.
    explicit TCustomPoints(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomPoints"; }

    /// Not owned; cleared when it goes away. Makes a slave on every object
    /// this creator registers.
    TvlCreator* SlaveObject() const { return FSlaveObject; }
    void SetSlaveObject(TvlCreator* Value);

    TvlObject* SetNewObj(TPoint CurPos) override;
    /// Counts, sets data, adds, invalidates and shows AObject, then lets the
    /// slave creator hang its object on it. nullptr (AObject freed) when no
    /// document can take it.
    TvlObject* RegisterNewObj(std::unique_ptr<TvlObject> AObject);
    /// Hover condition: FndObject is hit by Area and accepted by ObjectFound.
    bool MouseFind(TvlObject* FndObject, const TLimRec& Area);
    /// With OnObjectFound: tracks the object under the mouse.
    void MouseMove(TShiftState Shift, TPoint CurPos) override;

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    /// Subclasses hand in their own generator.
    TCustomPoints(TComponent* AOwner, std::unique_ptr<TCustomGenerator> AGenerator);
    /// The object under the mouse follows the one-unit rectangle at CurPos;
    /// the one left behind is released.
    void TrackMouseFnd(TPoint CurPos);

private:
    TvlCreator* FSlaveObject = nullptr;
};

} // namespace vl
