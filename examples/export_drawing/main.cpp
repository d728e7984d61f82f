// Opens a drawing and exports it, fitted to the picture: an enhanced
// metafile (.emf) recorded by the core, and a PNG image and a PDF page drawn
// by the Qt backend. The draw box paints into each file as into a window:
// a window host without a window hands it the file's canvas and size.
//   export_drawing plot.vld out/plot      (writes out/plot.emf, .png, .pdf)

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <string>

#include <velloran-qt/qt_canvas.h>
#include <velloran-qt/qt_export_canvas.h>
#include <velloran-qt/qt_services.h>

#include "plan_form.h"

namespace {

// Paints the whole drawing onto canvas, fitted into size device pixels.
void PaintInto(vl::THeadlessWindowHost& host, vl::TvlDrawbox& box, vl::TCanvas& canvas,
               vl::TSize size) {
    host.SetCanvas(&canvas);
    host.SetWindowSize(size);
    box.SetScale(0);
    host.InvalidateAll();
    host.Paint();
    host.SetCanvas(nullptr);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: export_drawing DRAWING OUTPUT-BASE\n");
        return 2;
    }
    // Fonts and images need a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    vl::QtServices services;
    vl::TServicesScope useQt(services);

    plan::PlanForm form;
    vl::THeadlessWindowHost host(form.Box);
    form.FinishLoading();
    // The same components in the same order as the program that saved it.
    if (!form.Document->LoadFromFile(argv[1])) {
        std::fprintf(stderr, "export_drawing: %s holds no drawing\n", argv[1]);
        return 1;
    }
    const std::string base = argv[2];

    vl::TMetafile emf;
    {
        vl::TMetafileCanvas canvas(emf);
        PaintInto(host, *form.Box, canvas, {960, 600});
    }
    emf.SaveToFile(base + ".emf");

    QImage image(960, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        vl::QtCanvas canvas(&image);
        canvas.SetAntialiasing(true);
        PaintInto(host, *form.Box, canvas, {image.width(), image.height()});
    }
    image.save(QString::fromStdString(base + ".png"));

    {
        // A4 landscape at 300 dots per inch.
        vl::QtPdfCanvas canvas(QString::fromStdString(base + ".pdf"), {297, 210}, 300);
        PaintInto(host, *form.Box, canvas, {3508, 2480});
    }

    std::printf("exported %d objects to %s.emf, .png and .pdf\n", form.Document->Count(),
                base.c_str());
    return 0;
}
