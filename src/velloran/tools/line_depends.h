#pragma once
// TCustomLineDepends: lines whose ends hang on point objects of a master
// point creator. A click on one of its objects uses it; a click on empty
// space first has the master creator make a new point there.

#include "velloran/tools/custom_lines.h"

namespace vl {

/// The creator of lines whose ends hang on point objects of a master point creator.
class TCustomLineDepends : public TCustomLines {
public:
    using TCustomLines::TCustomLines;
    std::string ClassName() const override { return "TCustomLineDepends"; }

    /// Not owned; cleared when it goes away.
    TCustomPoints* MasterObject() const { return FPointTool; }
    void SetMasterObject(TCustomPoints* Value);
    /// The points at the ends of the line being made.
    TvlObject* P1() const { return FP1; }
    TvlObject* P2() const { return FP2; }

    void Activate(TObject* Sender) override;
    /// Without OnObjectFound: the master creator's objects, with its cursor.
    bool ObjectFound(TvlObject* AObject) override;
    void MouseMove(TShiftState Shift, TPoint CurPos) override;
    TvlObject* SetNewObj(TPoint CurPos) override;
    /// For programs: the end at CurPos hangs on the topmost object there.
    TvlObject* LinkNewObj(TPoint CurPos);
    /// For programs: the end hangs on AObject; twice makes a line.
    TvlObject* LinkNewObjTo(TvlObject* AObject);

    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    /// Shows the error and answers false when nothing can define the ends.
    bool CheckMaster();

    TCustomPoints* FPointTool = nullptr;
    TvlObject* FP1 = nullptr;
    TvlObject* FP2 = nullptr;
};

/// The published dependent line creator.
class TLineDepends : public TCustomLineDepends {
public:
    using TCustomLineDepends::TCustomLineDepends;
    std::string ClassName() const override { return "TLineDepends"; }
};

} // namespace vl
