#pragma once
// Services without a display, scripted by tests: queued answers for message
// boxes and file dialogs, an in-memory clipboard, a clock that moves only
// when told, an in-memory printer. Everything asked of them is recorded.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "velloran/platform/clipboard.h"
#include "velloran/platform/null_canvas.h"
#include "velloran/platform/printer.h"
#include "velloran/platform/progress.h"
#include "velloran/platform/services.h"

namespace vl {

class TGraphic;

/// An in-memory clipboard.
class THeadlessClipboard : public TClipboard {
public:
    THeadlessClipboard();
    ~THeadlessClipboard() override;

    TClipboardFormat RegisterClipboardFormat(const String& Name) override;
    void Open() override;
    void Close() override;
    void Clear() override;
    bool HasFormat(TClipboardFormat Format) const override;
    void SetAsHandle(TClipboardFormat Format, std::vector<uint8_t> Data) override;
    bool GetAsHandle(TClipboardFormat Format, std::vector<uint8_t>& Data) const override;
    void SetBitmap(const TBitmap& Bitmap) override;
    bool GetBitmap(TBitmap& Bitmap) const override;
    void SetMetafile(const TMetafile& Metafile) override;
    bool GetMetafile(TMetafile& Metafile) const override;

    bool IsOpen() const { return FOpenCount > 0; }
    /// Formats present, in the order they were put.
    std::vector<TClipboardFormat> Formats() const;

private:
    /// The first write after Open empties the clipboard; a write while
    /// closed replaces everything.
    void Adding();
    void Put(TClipboardFormat Format, std::vector<uint8_t> Data, std::unique_ptr<TGraphic> Picture);

    struct TEntry {
        TClipboardFormat Format = 0;
        std::vector<uint8_t> Data;
        std::shared_ptr<const TGraphic> Picture;
    };
    std::vector<TEntry> FEntries;
    std::vector<String> FRegistered;
    int32_t FOpenCount = 0;
    bool FEmptied = false;
};

/// A print job recorder. Canvas() is the canvas the test supplied, or a null
/// canvas of the page size.
class THeadlessPrinter : public TPrinter {
public:
    /// Page size in portrait, in printer pixels (A4 at 600 dpi by default).
    explicit THeadlessPrinter(TSize portraitPage = {4960, 7016}, int32_t pixelsPerInch = 600);

    TCanvas& Canvas() override;
    int32_t PageWidth() const override;
    int32_t PageHeight() const override;

    /// Not owned; nullptr returns to the null canvas.
    void SetCanvas(TCanvas* Value) { FCanvas = Value; }

    int32_t BeginDocCount = 0;
    int32_t EndDocCount = 0;
    int32_t AbortCount = 0;
    int32_t NewPageCount = 0;
    /// Orientation of the last job when it began.
    TPrinterOrientation JobOrientation = TPrinterOrientation::poPortrait;

protected:
    void DoBeginDoc() override;
    void DoEndDoc() override { ++EndDocCount; }
    void DoAbort() override { ++AbortCount; }
    void DoNewPage() override { ++NewPageCount; }
    void DoSetOrientation(TPrinterOrientation) override;

private:
    TSize FPortraitPage;
    TCanvas* FCanvas = nullptr;
    TNullCanvas FNullCanvas;
};

/// A progress bar and label that remember every value they showed.
class THeadlessProgressBar : public TProgressBar {
public:
    std::vector<int32_t> Positions;

protected:
    void Changed() override { Positions.push_back(Position()); }
};

/// A label that remembers every caption it showed.
class THeadlessLabel : public TLabel {
public:
    std::vector<String> Captions;
    int32_t RepaintCount = 0;
    void Repaint() override { ++RepaintCount; }

protected:
    void CaptionChanged() override { Captions.push_back(Caption()); }
};

/// Services without a display, scripted by tests; everything asked of them is recorded.
class THeadlessServices : public TServices {
public:
    /// A message box as it was shown, and the answer given.
    struct TShownMessage {
        String Text;
        TMsgDlgType Kind = TMsgDlgType::mtInformation;
        TMsgDlgButtons Buttons;
        TModalResult Answer = TModalResult::mrNone;
    };
    /// A file dialog as it was shown, and the answer given.
    struct TShownFileDialog {
        bool Save = false;
        TFileDialogOptions Options; // as the caller passed them
        bool Chosen = false;
    };

    THeadlessServices();

    // ---- Scripting ---------------------------------------------------------
    /// Answers for the next message boxes, in order. Without a queued answer
    /// a box is closed with the first of OK, Yes, No, Cancel it offers.
    void QueueAnswer(TModalResult Answer) { FAnswers.push_back(Answer); }
    /// Answers for the next file dialogs: a file name, or std::nullopt to
    /// cancel. Without one a dialog is cancelled.
    void QueueFileName(std::optional<std::string> FileName) { FFileNames.push_back(std::move(FileName)); }
    void SetTicks(uint32_t Value) { FTicks = Value; }
    void AdvanceTicks(uint32_t Delta) { FTicks += Delta; }
    /// Every GetTickCount also advances the clock by Step (after reading), so
    /// a polling loop sees time pass; 0 by default.
    void SetTickStep(uint32_t Step) { FTickStep = Step; }
    void SetExeName(std::string Value) { FExeName = std::move(Value); }
    void SetScreenPixelsPerInch(int32_t Value) { FPixelsPerInch = Value; }
    /// Called by ProcessMessages: the test plays the pending messages.
    std::function<void()> OnProcessMessages;

    // ---- Records -----------------------------------------------------------
    const std::vector<TShownMessage>& Messages() const { return FMessages; }
    const std::vector<TShownFileDialog>& FileDialogs() const { return FFileDialogs; }
    int32_t BeepCount() const { return FBeeps; }
    int32_t ProcessMessagesCount() const { return FProcessMessages; }
    size_t PendingAnswers() const { return FAnswers.size(); }
    THeadlessClipboard& HeadlessClipboard() { return FClipboard; }
    THeadlessPrinter& HeadlessPrinter() { return FPrinter; }
    /// Screen cursors set, in order.
    const std::vector<TCursor>& ScreenCursors() const { return FScreenCursors; }

    // ---- TServices ---------------------------------------------------------
    TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) override;
    bool ExecuteOpenDialog(TFileDialogOptions& Options) override;
    bool ExecuteSaveDialog(TFileDialogOptions& Options) override;
    TClipboard& Clipboard() override { return FClipboard; }
    TPrinter& Printer() override { return FPrinter; }
    TCursor ScreenCursor() const override { return FScreenCursor; }
    void SetScreenCursor(TCursor Cursor) override;
    void RegisterCursor(TCursor Number, const TCursorImage& Image) override;
    bool HasCursor(TCursor Number) const override;
    int32_t ScreenPixelsPerInch() const override { return FPixelsPerInch; }
    uint32_t GetTickCount() override;
    void ProcessMessages() override;
    void Beep() override { ++FBeeps; }
    std::string ExeName() const override { return FExeName; }

private:
    bool FileDialog(bool Save, TFileDialogOptions& Options);

    std::deque<TModalResult> FAnswers;
    std::deque<std::optional<std::string>> FFileNames;
    std::vector<TShownMessage> FMessages;
    std::vector<TShownFileDialog> FFileDialogs;
    THeadlessClipboard FClipboard;
    THeadlessPrinter FPrinter;
    TCursor FScreenCursor = crDefault;
    std::vector<TCursor> FScreenCursors;
    std::map<TCursor, TCursorImage> FCursors;
    int32_t FPixelsPerInch = 96;
    uint32_t FTicks = 0;
    uint32_t FTickStep = 0;
    int32_t FBeeps = 0;
    int32_t FProcessMessages = 0;
    std::string FExeName = "velloran";
};

} // namespace vl
