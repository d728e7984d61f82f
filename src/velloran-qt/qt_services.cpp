#include "velloran-qt/qt_services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QScreen>

#include "velloran-qt/qt_clipboard.h"
#include "velloran-qt/qt_cursors.h"
#include "velloran-qt/qt_dialogs.h"
#include "velloran-qt/qt_image.h"
#include "velloran-qt/qt_printer.h"
#include "velloran/foundations/round.h"
#include "velloran/platform/rotated_drawing.h"

namespace vl {

QtServices::QtServices() : FClipboard(std::make_unique<QtClipboard>()), FPrinter(std::make_unique<QtPrinter>()) {
    FClock.start();
    // Pictures in drawings may be JPEG images, and "Default" faces resolve
    // to this platform's own face.
    InstallImageDecoder();
    const QString face = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    PlatformDefaultFontName = String(reinterpret_cast<const char16_t*>(face.utf16()), face.size());
}

QtServices::~QtServices() {
    // Leaves no override cursor behind.
    SetScreenCursor(crDefault);
}

TModalResult QtServices::MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    return QtMessageDlg(Msg, DlgType, Buttons, FDialogParent);
}

bool QtServices::ExecuteOpenDialog(TFileDialogOptions& Options) { return QtFileDialog(Options, false, FDialogParent); }

bool QtServices::ExecuteSaveDialog(TFileDialogOptions& Options) { return QtFileDialog(Options, true, FDialogParent); }

QtClipboard& QtServices::Clipboard() { return *FClipboard; }

QtPrinter& QtServices::Printer() { return *FPrinter; }

void QtServices::SetScreenCursor(TCursor Cursor) {
    if (Cursor == FScreenCursor) return;
    // At most one override of ours is on Qt's stack at any time.
    if (Cursor == crDefault)
        QApplication::restoreOverrideCursor();
    else if (FScreenCursor == crDefault)
        QApplication::setOverrideCursor(ToQCursor(Cursor));
    else
        QApplication::changeOverrideCursor(ToQCursor(Cursor));
    FScreenCursor = Cursor;
}

void QtServices::RegisterCursor(TCursor Number, const TCursorImage& Image) {
    // Stock cursors keep their numbers; only positive ones are registered.
    if (Number > 0) RegisterQtCursor(Number, Image);
}

bool QtServices::HasCursor(TCursor Number) const { return HasQtCursor(Number); }

int32_t QtServices::ScreenPixelsPerInch() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? Round(screen->logicalDotsPerInch()) : 96;
}

uint32_t QtServices::GetTickCount() { return static_cast<uint32_t>(FClock.elapsed()); }

void QtServices::ProcessMessages() { QCoreApplication::processEvents(); }

void QtServices::Beep() { QApplication::beep(); }

std::string QtServices::ExeName() const { return QCoreApplication::applicationFilePath().toStdString(); }

} // namespace vl
