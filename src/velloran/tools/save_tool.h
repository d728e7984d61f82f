#pragma once
// TSaveTool: a mouse tool that reports the objects found under the mouse
// and reaches the document of its draw box.

#include <functional>

#include "velloran/document/data_mod.h"
#include "velloran/objects/object_types.h"
#include "velloran/tools/mouse_tool.h"

namespace vl {

using TObjectFoundEvent = std::function<void(TvlObject* CurrentObject, bool& Accept)>;

/// A mouse tool that reports the objects found under the mouse and reaches its draw box's document.
class TSaveTool : public TMouseTool {
public:
    using TMouseTool::TMouseTool;
    std::string ClassName() const override { return "TSaveTool"; }

    /// A candidate under the mouse: Accept starts true, OnObjectFound may
    /// refuse it.
    virtual bool ObjectFound(TvlObject* AObject);
    /// The mouse left AObject: OnObjectRelease, or else the tool's cursor
    /// comes back on the draw box.
    void ObjectRelease(TvlObject* AObject);

    /// nullptr without a draw box or document.
    TvlDataMod* GetDataModule() const;
    /// The document's marked objects; nullptr without a document.
    auto* GetMarkSave() const {
        TvlDataMod* dm = GetDataModule();
        return dm ? &dm->MarkCase() : nullptr;
    }
    /// The area the document repaints after an operation; nullptr without one.
    TLimRec* GetRestoreRect() const;
    /// The draw box's object under the mouse, shared by all its tools.
    TvlObject* GetMouseFnd() const;
    void SetMouseFnd(TvlObject* Value);

    /// An object under the mouse was found; clearing Accept refuses it.
    TObjectFoundEvent OnObjectFound;
    /// The mouse left the object found before.
    TObjectEvent OnObjectRelease;
};

} // namespace vl
