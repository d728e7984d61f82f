#include "velloran/platform/services.h"

#include "velloran/platform/headless_services.h"

namespace vl {

namespace {

TServices* Installed = nullptr;

THeadlessServices& Default() {
    static THeadlessServices services;
    return services;
}

} // namespace

TServices& Services() { return Installed ? *Installed : Default(); }

void SetServices(TServices* Value) { Installed = Value; }

TServicesScope::TServicesScope(TServices& Value) : FPrevious(Installed) { Installed = &Value; }
TServicesScope::~TServicesScope() { Installed = FPrevious; }

TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    return Services().MessageDlg(Msg, DlgType, Buttons);
}

void ShowMessage(const String& Msg) {
    Services().MessageDlg(Msg, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
}

} // namespace vl
