#include "velloran/platform/printer.h"

#include "velloran/foundations/errors.h"

namespace vl {

void TPrinter::SetOrientation(TPrinterOrientation Value) {
    if (FPrinting) RaiseInvalidOperation("Printing in progress");
    if (Value == FOrientation) return;
    FOrientation = Value;
    DoSetOrientation(Value);
}

void TPrinter::BeginDoc() {
    if (FPrinting) RaiseInvalidOperation("Printing in progress");
    FAborted = false;
    DoBeginDoc();
    FPrinting = true;
    FPageNumber = 1;
}

void TPrinter::EndDoc() {
    if (!FPrinting) return;
    FPrinting = false;
    DoEndDoc();
}

void TPrinter::Abort() {
    if (!FPrinting) return;
    FPrinting = false;
    FAborted = true;
    DoAbort();
}

void TPrinter::NewPage() {
    if (!FPrinting) RaiseInvalidOperation("Printing not in progress");
    DoNewPage();
    ++FPageNumber;
}

} // namespace vl
