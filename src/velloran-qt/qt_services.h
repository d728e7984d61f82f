#pragma once
// The framework services on Qt: dialogs, clipboard, printer, screen cursor,
// clock and message loop. Install one with SetServices after the
// QApplication exists.

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <memory>

#include "velloran-qt/qt_clipboard.h"
#include "velloran-qt/qt_printer.h"
#include "velloran/platform/services.h"


namespace vl {

/// The framework services on Qt; install with SetServices after the QApplication exists.
class QtServices : public TServices {
public:
    QtServices();
    ~QtServices() override;

    /// Parent of the dialogs (the main window); none by default.
    void SetDialogParent(QWidget* parent) { FDialogParent = parent; }

    TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) override;
    bool ExecuteOpenDialog(TFileDialogOptions& Options) override;
    bool ExecuteSaveDialog(TFileDialogOptions& Options) override;
    QtClipboard& Clipboard() override;
    QtPrinter& Printer() override;
    TCursor ScreenCursor() const override { return FScreenCursor; }
    void SetScreenCursor(TCursor Cursor) override;
    void RegisterCursor(TCursor Number, const TCursorImage& Image) override;
    bool HasCursor(TCursor Number) const override;
    int32_t ScreenPixelsPerInch() const override;
    uint32_t GetTickCount() override;
    void ProcessMessages() override;
    void Beep() override;
    std::string ExeName() const override;

private:
    QPointer<QWidget> FDialogParent;
    std::unique_ptr<QtClipboard> FClipboard;
    std::unique_ptr<QtPrinter> FPrinter;
    TCursor FScreenCursor = crDefault;
    QElapsedTimer FClock;
};

} // namespace vl
