#include "velloran-qt/qt_printer.h"

#include <QFile>
#include <QPageLayout>
#include <QPrinter>

#include "velloran-qt/qt_canvas.h"
#include "velloran/foundations/errors.h"

namespace vl {

// The page canvas. It paints only during a job, but the printing code may
// ask for the device's measures before it starts one.
class QtPrinterCanvas : public QtCanvas {
public:
    explicit QtPrinterCanvas(QPrinter& printer) : FPrinter(printer) {}
    bool Start() {
        Begin(&FPrinter);
        return Active();
    }
    int32_t GetDeviceCaps(TDeviceCap cap) const override {
        if (Active()) return QtCanvas::GetDeviceCaps(cap);
        switch (cap) {
        case TDeviceCap::HORZSIZE: return FPrinter.widthMM();
        case TDeviceCap::VERTSIZE: return FPrinter.heightMM();
        case TDeviceCap::HORZRES: return FPrinter.width();
        case TDeviceCap::VERTRES: return FPrinter.height();
        case TDeviceCap::LOGPIXELSX: return FPrinter.logicalDpiX();
        case TDeviceCap::LOGPIXELSY: return FPrinter.logicalDpiY();
        }
        return 0;
    }

private:
    QPrinter& FPrinter;
};

QtPrinter::QtPrinter(int resolution) : FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    FPrinter->setResolution(resolution);
    FCanvas = std::make_unique<QtPrinterCanvas>(*FPrinter);
}

QtPrinter::~QtPrinter() {
    // A job still running is finished, not lost.
    FCanvas->End();
}

void QtPrinter::SetOutputFileName(const std::string& fileName) { FOutputFileName = fileName; }

TCanvas& QtPrinter::Canvas() { return *FCanvas; }

int32_t QtPrinter::PageWidth() const { return FPrinter->width(); }

int32_t QtPrinter::PageHeight() const { return FPrinter->height(); }

void QtPrinter::DoBeginDoc() {
    FPrinter->setDocName(QString::fromStdU16String(Title()));
    if (FOutputFileName.empty()) {
        FPrinter->setOutputFormat(QPrinter::NativeFormat);
    } else {
        FPrinter->setOutputFormat(QPrinter::PdfFormat);
        FPrinter->setOutputFileName(QString::fromStdString(FOutputFileName));
    }
    // A change of output format may bring the engine's own page layout.
    DoSetOrientation(Orientation());
    // A job that cannot start (no printer, unwritable file) must not look
    // like one that printed.
    if (!FCanvas->Start()) RaiseError("Printing could not start");
}

void QtPrinter::DoEndDoc() { FCanvas->End(); }

void QtPrinter::DoAbort() {
    FPrinter->abort();
    FCanvas->End();
    // An aborted job leaves no half-written file behind.
    if (!FOutputFileName.empty()) QFile::remove(QString::fromStdString(FOutputFileName));
}

void QtPrinter::DoNewPage() { FPrinter->newPage(); }

void QtPrinter::DoSetOrientation(TPrinterOrientation Value) {
    FPrinter->setPageOrientation(Value == TPrinterOrientation::poLandscape ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
}

} // namespace vl
