#pragma once
// Modal message boxes: a kind, a set of buttons, the button chosen.

#include <cstdint>

#include "velloran/foundations/set.h"
#include "velloran/foundations/types.h"

namespace vl {

/// The kind of a message box.
enum class TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

/// The buttons a message box may show.
enum class TMsgDlgBtn : uint8_t { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

/// The result of a modal dialog: which button closed it.
enum class TModalResult : int32_t {
    mrNone = 0, mrOK = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7
};

/// The result that a button stands for.
constexpr TModalResult ModalResultOf(TMsgDlgBtn b) {
    switch (b) {
    case TMsgDlgBtn::mbYes: return TModalResult::mrYes;
    case TMsgDlgBtn::mbNo: return TModalResult::mrNo;
    case TMsgDlgBtn::mbOK: return TModalResult::mrOK;
    case TMsgDlgBtn::mbCancel: return TModalResult::mrCancel;
    case TMsgDlgBtn::mbAbort: return TModalResult::mrAbort;
    case TMsgDlgBtn::mbRetry: return TModalResult::mrRetry;
    case TMsgDlgBtn::mbIgnore: return TModalResult::mrIgnore;
    }
    return TModalResult::mrNone;
}

/// Shows a modal message box through the installed services.
TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
/// An information box with an OK button.
void ShowMessage(const String& Msg);

} // namespace vl
