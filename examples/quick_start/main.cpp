// A window with a draw box, a document, a point creator and a line creator:
// click to place points, choose Line and click twice for a line. The drawing
// is opened from drawing.vld (or the file named first) and saved on exit.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <QToolBar>

#include <filesystem>
#include <string>

#include <velloran-qt/qt_button.h>
#include <velloran-qt/qt_services.h>
#include <velloran-qt/qt_window_host.h>
#include <velloran/velloran.h>

using namespace vl;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtServices services;
    TServicesScope useQt(services);
    const std::string file = argc > 1 ? argv[1] : "drawing.vld";

    // Saved objects name their creator by its place here: only ever append.
    TForm form;
    form.BeginLoading();
    auto* box = NewComponent<TvlDrawbox>(form);
    auto* points = NewComponent<TvlPoints>(form);
    points->SetDrawForm(box);
    points->SetOptions({TToolOption::toDefaultTool});
    points->Generator().SetWidth(50); // logical units, 0.1 mm by default
    points->Generator().SetHeight(50);
    auto* lines = NewComponent<TvlLines>(form);
    lines->SetDrawForm(box);
    auto* document = NewComponent<TvlDataModule>(form);
    document->SetDrawForm(box);
    box->SetDataModule(document);

    QMainWindow window;
    window.setCentralWidget(new QtWindowHost(box));
    QToolBar* tools = window.addToolBar("Tools");
    points->SetButton(NewComponent<QtButton>(form, tools->addAction("Point")));
    lines->SetButton(NewComponent<QtButton>(form, tools->addAction("Line")));
    window.show();
    form.FinishLoading();
    // A file it cannot read is left alone rather than saved over on exit.
    if (std::filesystem::exists(file) && !document->LoadFromFile(file)) return 1;

    // For scripts and tests: --quit-after MS closes the window by itself.
    if (argc > 3 && std::string(argv[2]) == "--quit-after")
        QTimer::singleShot(std::stoi(argv[3]), &window, &QWidget::close);
    const int rc = app.exec();
    document->SaveToFile(file);
    return rc;
}
