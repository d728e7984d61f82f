#pragma once
// The platform printer: one print job at a time, pages drawn on its canvas.
// The job bookkeeping lives here; a backend supplies the device through the
// Do* hooks, Canvas and the page size.

#include <cstdint>

#include "velloran/foundations/types.h"

namespace vl {

class TCanvas;

/// Page orientation.
enum class TPrinterOrientation : uint8_t { poPortrait, poLandscape };

/// The platform printer: one job at a time, pages drawn on its canvas.
class TPrinter {
public:
    virtual ~TPrinter() = default;

    TPrinterOrientation Orientation() const { return FOrientation; }
    /// Raises EInvalidOperation while printing.
    void SetOrientation(TPrinterOrientation Value);
    /// Name of the job in the print queue.
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }

    /// Starts a job on page 1; raises EInvalidOperation while printing.
    void BeginDoc();
    /// Ends the job. Does nothing when no job runs, so cleanup code may call
    /// it whether BeginDoc succeeded or not.
    void EndDoc();
    /// Throws the job away (Aborted becomes true). Nothing when no job runs.
    void Abort();
    /// Raises EInvalidOperation when no job runs.
    void NewPage();
    bool Printing() const { return FPrinting; }
    bool Aborted() const { return FAborted; }
    int32_t PageNumber() const { return FPageNumber; }

    /// The page canvas (device units: printer pixels).
    virtual TCanvas& Canvas() = 0;
    /// Printable size of a page in printer pixels, for the present orientation.
    virtual int32_t PageWidth() const = 0;
    virtual int32_t PageHeight() const = 0;

protected:
    virtual void DoBeginDoc() {}
    virtual void DoEndDoc() {}
    virtual void DoAbort() {}
    virtual void DoNewPage() {}
    virtual void DoSetOrientation(TPrinterOrientation) {}

private:
    TPrinterOrientation FOrientation = TPrinterOrientation::poPortrait;
    String FTitle;
    bool FPrinting = false;
    bool FAborted = false;
    int32_t FPageNumber = 0;
};

} // namespace vl
