#pragma once
// Canvases that write files: PDF pages and SVG pictures. Device capabilities
// are those of the file: its resolution and its page or picture size.

#include <QString>

#include <memory>

#include "velloran-qt/qt_canvas.h"

class QPdfWriter;
class QSvgGenerator;

namespace vl {

/// A canvas that writes a PDF file, one page per NewPage.
class QtPdfCanvas : public QtCanvas {
public:
    /// A page of pageSizeMM (millimetres) at dpi device pixels per inch,
    /// without margins.
    QtPdfCanvas(const QString& fileName, TSize pageSizeMM, int32_t dpi);
    ~QtPdfCanvas() override;
    /// Starts the next page; the mapping and tools stay.
    bool NewPage();

private:
    std::unique_ptr<QPdfWriter> FWriter;
};

/// A canvas that writes an SVG picture.
class QtSvgCanvas : public QtCanvas {
public:
    /// A picture of sizePx device pixels at dpi pixels per inch.
    QtSvgCanvas(const QString& fileName, TSize sizePx, int32_t dpi);
    ~QtSvgCanvas() override;

private:
    std::unique_ptr<QSvgGenerator> FGenerator;
};

} // namespace vl
