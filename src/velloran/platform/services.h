#pragma once
// The framework services the library asks for at run time: dialogs, the
// clipboard, the printer, screen cursors, the clock, the message loop. One
// process-wide instance serves everything; without an installed one the
// headless implementation answers (nothing shown, clipboard in memory).

#include <cstdint>
#include <string>

#include "velloran/foundations/types.h"
#include "velloran/platform/cursors.h"
#include "velloran/platform/file_dialog.h"
#include "velloran/platform/message_box.h"

namespace vl {

class TClipboard;
class TPrinter;

/// The services the library asks for at run time: dialogs, clipboard, printer, cursors, clock, message loop.
class TServices {
public:
    virtual ~TServices() = default;

    // ---- Dialogs -----------------------------------------------------------
    virtual TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) = 0;
    /// True when the user chose a file; it is then in Options.FileName.
    virtual bool ExecuteOpenDialog(TFileDialogOptions& Options) = 0;
    virtual bool ExecuteSaveDialog(TFileDialogOptions& Options) = 0;

    // ---- Devices -----------------------------------------------------------
    virtual TClipboard& Clipboard() = 0;
    virtual TPrinter& Printer() = 0;

    // ---- Screen ------------------------------------------------------------
    /// The screen cursor overrides every window's own cursor unless crDefault.
    virtual TCursor ScreenCursor() const = 0;
    virtual void SetScreenCursor(TCursor Cursor) = 0;
    /// Enters an image into the cursor table under a positive number.
    virtual void RegisterCursor(TCursor Number, const TCursorImage& Image) = 0;
    virtual bool HasCursor(TCursor Number) const = 0;
    virtual int32_t ScreenPixelsPerInch() const = 0;

    // ---- Application -------------------------------------------------------
    /// Milliseconds since some start; wraps around after 2^32.
    virtual uint32_t GetTickCount() = 0;
    /// Handles the window messages that are waiting, then returns.
    virtual void ProcessMessages() = 0;
    /// The system's message beep.
    virtual void Beep() = 0;
    /// Full path of the running program.
    virtual std::string ExeName() const = 0;
};

/// The installed services, or the headless default.
TServices& Services();
/// Installs Value (not owned; it must outlive its use); nullptr restores the
/// headless default.
void SetServices(TServices* Value);

/// Installs services for its lifetime and then puts back whatever was
/// installed before (so scopes nest), as test fixtures need.
class TServicesScope {
public:
    explicit TServicesScope(TServices& Value);
    ~TServicesScope();
    TServicesScope(const TServicesScope&) = delete;
    TServicesScope& operator=(const TServicesScope&) = delete;

private:
    TServices* FPrevious;
};

} // namespace vl
