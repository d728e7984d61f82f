#include "velloran/platform/headless_services.h"

#include <algorithm>

#include "velloran/foundations/errors.h"
#include "velloran/platform/graphics.h"
#include "velloran/platform/metafile.h"
#include "velloran/platform/string_utils.h"

namespace vl {

// ---- Clipboard ---------------------------------------------------------------

namespace {
constexpr TClipboardFormat FirstRegisteredFormat = 0xC000;
}

THeadlessClipboard::THeadlessClipboard() = default;
THeadlessClipboard::~THeadlessClipboard() = default;

TClipboardFormat THeadlessClipboard::RegisterClipboardFormat(const String& Name) {
    for (size_t i = 0; i < FRegistered.size(); ++i)
        if (SameText(FRegistered[i], Name)) return FirstRegisteredFormat + static_cast<TClipboardFormat>(i);
    FRegistered.push_back(Name);
    return FirstRegisteredFormat + static_cast<TClipboardFormat>(FRegistered.size() - 1);
}

void THeadlessClipboard::Open() {
    if (FOpenCount++ == 0) FEmptied = false;
}

void THeadlessClipboard::Close() {
    if (FOpenCount > 0) --FOpenCount;
}

void THeadlessClipboard::Clear() {
    FEntries.clear();
    if (FOpenCount > 0) FEmptied = true;
}

void THeadlessClipboard::Adding() {
    if (FOpenCount == 0 || !FEmptied) {
        FEntries.clear();
        FEmptied = FOpenCount > 0;
    }
}

void THeadlessClipboard::Put(TClipboardFormat Format, std::vector<uint8_t> Data, std::unique_ptr<TGraphic> Picture) {
    Adding();
    std::erase_if(FEntries, [Format](const TEntry& e) { return e.Format == Format; });
    FEntries.push_back({Format, std::move(Data), std::shared_ptr<const TGraphic>(std::move(Picture))});
}

bool THeadlessClipboard::HasFormat(TClipboardFormat Format) const {
    return std::any_of(FEntries.begin(), FEntries.end(), [Format](const TEntry& e) { return e.Format == Format; });
}

std::vector<TClipboardFormat> THeadlessClipboard::Formats() const {
    std::vector<TClipboardFormat> result;
    result.reserve(FEntries.size());
    for (const auto& e : FEntries) result.push_back(e.Format);
    return result;
}

void THeadlessClipboard::SetAsHandle(TClipboardFormat Format, std::vector<uint8_t> Data) {
    Put(Format, std::move(Data), nullptr);
}

bool THeadlessClipboard::GetAsHandle(TClipboardFormat Format, std::vector<uint8_t>& Data) const {
    for (const auto& e : FEntries)
        if (e.Format == Format && !e.Picture) {
            Data = e.Data;
            return true;
        }
    return false;
}

// Pictures are handled through their base classes only, so this file needs
// nothing of the picture implementations themselves.
void THeadlessClipboard::SetBitmap(const TBitmap& Bitmap) {
    Put(CF_BITMAP, {}, static_cast<const TGraphic&>(Bitmap).Clone());
}
void THeadlessClipboard::SetMetafile(const TMetafile& Metafile) {
    Put(CF_ENHMETAFILE, {}, static_cast<const TGraphic&>(Metafile).Clone());
}

bool THeadlessClipboard::GetBitmap(TBitmap& Bitmap) const {
    for (const auto& e : FEntries)
        if (e.Format == CF_BITMAP && e.Picture) {
            static_cast<TPersistent&>(Bitmap).Assign(*e.Picture);
            return true;
        }
    return false;
}

bool THeadlessClipboard::GetMetafile(TMetafile& Metafile) const {
    for (const auto& e : FEntries)
        if (e.Format == CF_ENHMETAFILE && e.Picture) {
            static_cast<TPersistent&>(Metafile).Assign(*e.Picture);
            return true;
        }
    return false;
}

// ---- Printer -----------------------------------------------------------------

THeadlessPrinter::THeadlessPrinter(TSize portraitPage, int32_t pixelsPerInch)
    : FPortraitPage(portraitPage), FNullCanvas(portraitPage, pixelsPerInch) {}

TCanvas& THeadlessPrinter::Canvas() { return FCanvas ? *FCanvas : FNullCanvas; }

int32_t THeadlessPrinter::PageWidth() const {
    return Orientation() == TPrinterOrientation::poPortrait ? FPortraitPage.cx : FPortraitPage.cy;
}

int32_t THeadlessPrinter::PageHeight() const {
    return Orientation() == TPrinterOrientation::poPortrait ? FPortraitPage.cy : FPortraitPage.cx;
}

void THeadlessPrinter::DoBeginDoc() {
    ++BeginDocCount;
    JobOrientation = Orientation();
}

void THeadlessPrinter::DoSetOrientation(TPrinterOrientation) { FNullCanvas.SetDeviceSize({PageWidth(), PageHeight()}); }

// ---- Services ----------------------------------------------------------------

THeadlessServices::THeadlessServices() = default;

TModalResult THeadlessServices::MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    TModalResult answer = TModalResult::mrNone;
    if (!FAnswers.empty()) {
        answer = FAnswers.front();
        FAnswers.pop_front();
    } else {
        for (TMsgDlgBtn b : {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel})
            if (Buttons.Contains(b)) {
                answer = ModalResultOf(b);
                break;
            }
    }
    FMessages.push_back({Msg, DlgType, Buttons, answer});
    return answer;
}

bool THeadlessServices::FileDialog(bool Save, TFileDialogOptions& Options) {
    FFileDialogs.push_back({Save, Options, false});
    if (FFileNames.empty()) return false;
    std::optional<std::string> name = std::move(FFileNames.front());
    FFileNames.pop_front();
    if (!name) return false;
    Options.FileName = std::move(*name);
    FFileDialogs.back().Chosen = true;
    return true;
}

bool THeadlessServices::ExecuteOpenDialog(TFileDialogOptions& Options) { return FileDialog(false, Options); }
bool THeadlessServices::ExecuteSaveDialog(TFileDialogOptions& Options) { return FileDialog(true, Options); }

void THeadlessServices::SetScreenCursor(TCursor Cursor) {
    FScreenCursor = Cursor;
    FScreenCursors.push_back(Cursor);
}

void THeadlessServices::RegisterCursor(TCursor Number, const TCursorImage& Image) { FCursors[Number] = Image; }

bool THeadlessServices::HasCursor(TCursor Number) const {
    // The stock cursors always exist.
    return Number <= 0 || FCursors.count(Number) != 0;
}

uint32_t THeadlessServices::GetTickCount() {
    const uint32_t now = FTicks;
    FTicks += FTickStep;
    return now;
}

void THeadlessServices::ProcessMessages() {
    ++FProcessMessages;
    if (OnProcessMessages) OnProcessMessages();
}

} // namespace vl
