#pragma once
// Settings of the open and save file dialogs (shown through services.h).

#include <string>

#include "velloran/foundations/types.h"

namespace vl {

/// Settings of an open or save file dialog.
struct TFileDialogOptions {
    String Title;
    /// Pairs of description and patterns, separated by '|':
    /// "Map files (*.map)|*.MAP|All files|*.*".
    String Filter;
    /// Appended when the user types a name without extension ("map" or "*.map").
    String DefaultExt;
    /// Proposed file name in; the chosen file out (a path as files are opened).
    std::string FileName;
    std::string InitialDir;
};

} // namespace vl
