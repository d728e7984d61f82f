#include "velloran-qt/qt_export_canvas.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace vl {

QtPdfCanvas::QtPdfCanvas(const QString& fileName, TSize pageSizeMM, int32_t dpi)
    : FWriter(std::make_unique<QPdfWriter>(fileName)) {
    FWriter->setResolution(dpi);
    FWriter->setPageLayout(QPageLayout(QPageSize(QSizeF(pageSizeMM.cx, pageSizeMM.cy), QPageSize::Millimeter),
                                       QPageLayout::Portrait, QMarginsF()));
    Begin(FWriter.get());
}

// The painter must finish before the writer it paints on goes away.
QtPdfCanvas::~QtPdfCanvas() { End(); }

bool QtPdfCanvas::NewPage() { return Active() && FWriter->newPage(); }

QtSvgCanvas::QtSvgCanvas(const QString& fileName, TSize sizePx, int32_t dpi)
    : FGenerator(std::make_unique<QSvgGenerator>()) {
    FGenerator->setFileName(fileName);
    FGenerator->setSize(QSize(sizePx.cx, sizePx.cy));
    FGenerator->setViewBox(QRect(0, 0, sizePx.cx, sizePx.cy));
    FGenerator->setResolution(dpi);
    Begin(FGenerator.get());
}

QtSvgCanvas::~QtSvgCanvas() { End(); }

} // namespace vl
