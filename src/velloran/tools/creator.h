#pragma once
// TvlCreator: the tool that makes drawing objects and owns their generator.
// Objects reach style, view and document through it and ask it through its
// object events. Mouse handling, slave creation and the point creators are
// completed by the tools work.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "velloran/generators/custom_generator.h"
#include "velloran/objects/object_types.h"
#include "velloran/platform/region.h"
#include "velloran/tools/mouse_tool.h"

namespace vl {

// A fixed tool identity an application may give a creator: -32766..-1.
using TNewID = int16_t;

using TObjectClassEvent = std::function<void(TCapClass& NewObjectClass)>;
using TObjectCheckEvent = std::function<void(TvlObject* CurrentObject, const TLimRec& PosRect, bool& found)>;
using TObjectRefPointEvent = std::function<void(TvlObject* CurrentObject, TPoint& RefPoint)>;
using TObjectShapeRgnEvent =
    std::function<void(TvlObject* CurrentObject, TRgnMode Mode, std::optional<TRegion>& Rgn)>;
using TChangeIDEvent = std::function<void(TObject* Sender, TNewID& NewID)>;

class TvlCreator : public TSaveTool {
public:
    explicit TvlCreator(TComponent* AOwner);
    std::string ClassName() const override { return "TvlCreator"; }

    TCustomGenerator& Generator() const { return *FGenerator; }
    bool CreateBoxObjects = false;

    // The identity stored with every object: ChangeID's, else the index
    // among the owner's components.
    int16_t GetID();
    // An object of GetObjectClass for this creator: not counted, not added.
    std::unique_ptr<TvlObject> CreateObject();
    TCapClass GetObjectClass();
    // Point objects; other creators make their own kinds.
    virtual TCapClass DefaultClass();

    // Pen and brush of ActScaleSet's canvas from the generator, the object's
    // font, then OnObjectSetColors.
    void ObjectColors(TvlObject* CurObject);
    virtual void ObjectFont(TvlObject* CurObject);

    TObjectClassEvent OnObjectSetClass;
    TObjectEvent OnObjectShape;
    TObjectEvent OnObjectDraw;
    TObjectEvent OnObjectSetColors;
    TObjectCheckEvent OnObjectCheckShape;
    TObjectEvent OnObjectSetData;
    TObjectRefPointEvent OnCalcRefPoint;
    TChangeIDEvent ChangeID;
    TObjectShapeRgnEvent OnObjectShapeRgn;

protected:
    // Subclasses hand in their own generator class (a constructor cannot
    // reach a subclass's CreateGenerator).
    TvlCreator(TComponent* AOwner, std::unique_ptr<TCustomGenerator> AGenerator);
    virtual std::unique_ptr<TCustomGenerator> CreateGenerator();

private:
    std::unique_ptr<TCustomGenerator> FGenerator;
};

} // namespace vl
