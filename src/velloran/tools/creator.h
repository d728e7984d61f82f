#pragma once
// TvlCreator: the tool that makes drawing objects and owns their generator.
// Every object keeps its creator for life and asks it for style, drawing
// and hit-test decisions through the creator's object events.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "velloran/generators/custom_generator.h"
#include "velloran/objects/object_tool.h"
#include "velloran/objects/object_types.h"
#include "velloran/platform/region.h"
#include "velloran/tools/save_tool.h"

namespace vl {

/// A fixed tool identity an application may give a creator: -32766..-1.
using TNewID = int16_t;

using TObjectClassEvent = std::function<void(TCapClass& NewObjectClass)>;
using TChangeIDEvent = std::function<void(TObject* Sender, TNewID& NewID)>;

/// The tool that makes drawing objects and owns their generator.
/// The object events OnObjectShape, OnObjectDraw, OnObjectCheckShape,
/// OnCalcRefPoint and OnObjectShapeRgn come with TObjectTool.
class TvlCreator : public TSaveTool, public TObjectTool {
public:
    /// A creator owned by AOwner (usually the form) with a generator of its own.
    explicit TvlCreator(TComponent* AOwner);
    ~TvlCreator() override;
    std::string ClassName() const override { return "TvlCreator"; }

    TCustomGenerator& Generator() const override { return *FGenerator; }
    TObjectView* View() const override { return TEnvironment::DrawForm(); }
    TCursor Cursor() const override { return TMouseTool::Cursor(); }
    int32_t Tag() const override { return TComponent::Tag(); }
    /// New objects stay out of the document and get no identity; the creator
    /// holds them until the draw box takes them (TakeBoxObject).
    bool CreateBoxObjects = false;

    /// At run time: keeps the generator's font height for restoring, and
    /// enters the rotation cursor into the screen cursors.
    void Loaded() override;
    /// Makes this creator the draw box's current tool.
    void Activate(TObject* Sender) override;
    /// Snaps to the grid when it captures, makes the object, repaints what
    /// the document collected.
    void LMouseDown(TShiftState Shift, TPoint CurPos) override;

    /// The identity stored with every object: ChangeID's, else the index
    /// among the owner's components.
    int16_t GetID() override;
    /// An object of GetObjectClass for this creator: not counted, not added.
    /// nullptr when OnObjectSetClass chose no class.
    std::unique_ptr<TvlObject> CreateObject() override;
    TCapClass GetObjectClass();

    /// A new object hanging on AMaster at the generator's SlaveX, SlaveY:
    /// counted, visible, with its data, added to the generator's layer.
    /// nullptr without a document to hold it.
    TvlObject* CreateSlave(TvlObject* AMaster);
    /// The same at (RelX, RelY) from AMaster's minimal corner.
    TvlObject* CreateSlaveAt(TvlObject* AMaster, int32_t RelX, int32_t RelY);
    /// Hands a box object to its new owner; nullptr if it is not held here.
    std::unique_ptr<TvlObject> TakeBoxObject(TvlObject* AObject);

    // ---- Object events --------------------------------------------------------
    void ObjectShape(TvlObject* CurObject);
    /// found starts true; OnObjectCheckShape may reject a hit.
    bool ObjectCheckShape(TvlObject* CurObject, const TLimRec& PosRect);
    /// Pen and brush of ActScaleSet's canvas from the generator, the object's
    /// font, then OnObjectSetColors.
    void ObjectColors(TvlObject* CurObject) override;

    // ---- Virtual operations, in slot order ----------------------------------
    /// The scale changed: the generator builds its font again.
    void CheckScaling() override;
    /// After a paint: the generator's device font is given up.
    void ReleaseResources() override;
    /// OnObjectSetData, or else SetDefaultData.
    virtual void ObjectSetData(TvlObject* CurObject);
    virtual void SetDefaultData(TvlObject* CurObject);
    virtual TCapClass DefaultClass();
    /// Makes and registers the object of a click; nil in the base class.
    virtual TvlObject* SetNewObj(TPoint CurPos);
    virtual void ObjectFont(TvlObject* CurObject);

    /// Chooses the class of new objects; none makes no object.
    TObjectClassEvent OnObjectSetClass;
    /// Changes the pen, brush and font an object is drawn with.
    TObjectEvent OnObjectSetColors;
    /// Gives a new object its data (text, picture, size).
    TObjectEvent OnObjectSetData;
    /// Chooses the identity stored with the creator's objects.
    TChangeIDEvent ChangeID;

protected:
    /// Subclasses hand in their own generator class (a constructor cannot
    /// reach a subclass's override).
    TvlCreator(TComponent* AOwner, std::unique_ptr<TCustomGenerator> AGenerator);
    /// Adds AObject to the document in the generator's layer, or keeps it as
    /// a box object; nullptr (and AObject freed) when neither is possible.
    TvlObject* Store(std::unique_ptr<TvlObject> AObject, bool AsBoxObject);
    /// Objects are drawn and invalidated through the mapping in force.
    void EnsureScaleSet();

private:
    TvlObject* MakeSlave(TvlObject* AMaster, const std::optional<TPoint>& RelPos);

    std::unique_ptr<TCustomGenerator> FGenerator;
    /// Declared after the generator: box objects go first, as they still
    /// tell the generator when they are freed.
    std::vector<std::unique_ptr<TvlObject>> FBoxObjects;
};

} // namespace vl
