#pragma once
// TMouseTool and TSaveTool: the interactive tool bases, reduced to what
// creators need today. Activation, the event operations and button binding
// are completed by the tools work.

#include <cstdint>
#include <functional>

#include "velloran/foundations/set.h"
#include "velloran/objects/object_types.h"
#include "velloran/platform/cursors.h"
#include "velloran/tools/environment.h"

namespace vl {

enum class TToolOption : uint8_t { toDefaultTool, toDontScroll };
using TToolOptions = TSet<TToolOption, uint8_t>;
enum class TToolStateItem : uint8_t { tsWaiting, tsWorking, tsMoving, tsCanScroll };
using TToolState = TSet<TToolStateItem, uint8_t>;

class TMouseTool : public TEnvironment {
public:
    using TEnvironment::TEnvironment;
    std::string ClassName() const override { return "TMouseTool"; }

    TToolOptions Options() const { return FOptions; }
    void SetOptions(TToolOptions Value) { FOptions = Value; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value) { FCursor = Value; }

    TToolState ToolState;

protected:
    TToolOptions FOptions;
    TCursor FCursor = crDefault;
};

using TObjectFoundEvent = std::function<void(TvlObject* CurrentObject, bool& Accept)>;

class TSaveTool : public TMouseTool {
public:
    using TMouseTool::TMouseTool;
    std::string ClassName() const override { return "TSaveTool"; }

    // Accept starts true; the application may refuse the object.
    virtual bool ObjectFound(TvlObject* AObject) {
        bool Accept = true;
        if (OnObjectFound) OnObjectFound(AObject, Accept);
        return Accept;
    }

    TObjectFoundEvent OnObjectFound;
    TObjectEvent OnObjectRelease;
};

} // namespace vl
