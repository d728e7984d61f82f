// TvlDataModule: reading a body beside the present drawing.

#include "velloran/document/data_module.h"

#include <utility>

#include "velloran/foundations/stream.h"
#include "velloran/objects/object.h"

namespace vl {

bool TvlDataModule::LoadFromStream(TStream& Stream) {
    RestoreRect() = GetLimits();
    InvalidateRestoreRect();
    return LoadBodyAttempts(Stream, [&] {
        TCounters counters = ReadCounters(Stream);
        std::unique_ptr<TvlLayer> layer = NewObjCase();
        layer->LoadFromStream(Stream, Owner());
        ConnectObjects(*layer);
        // Slaves whose master is missing were set free and flagged.
        layer->DeleteObjects();

        // Complete: from here on nothing can fail.
        SetCounters(std::move(counters));
        DropMarkCase();
        ForgetMouseFnd();
        std::unique_ptr<TvlLayer> old = std::exchange(FObjCase, std::move(layer));
        FObjCase->RecalcLimits();
        RestoreRect() = GetLimits();
        InvalidateRestoreRect();
        if (DrawForm()) DrawForm()->DrawingReplaced();
    });
}

} // namespace vl
