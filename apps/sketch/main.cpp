// The sketch editor: a small drawing program made from the library's
// components, and the first thing a new user of the library runs.

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <iostream>

#include <velloran-qt/qt_image.h>
#include <velloran-qt/qt_services.h>

#include "document_dump.h"
#include "main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sketch"));
    QApplication::setApplicationVersion(QStringLiteral(SKETCH_VERSION));

    QCommandLineParser cmd;
    cmd.setApplicationDescription(QStringLiteral("Sketch: draws symbols into a technical plan."));
    cmd.addHelpOption();
    cmd.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral(
            "Saves a picture of the window to <file> (PNG) when it closes. Without a "
            "display (offscreen platform) the editor closes once the drawing is painted."),
        QStringLiteral("file"));
    const QCommandLineOption dump(
        QStringLiteral("dump"),
        QStringLiteral("Prints the window layout when ready and the document's "
                       "objects on exit."));
    const QCommandLineOption empty(QStringLiteral("empty"),
                                   QStringLiteral("Starts without the sample drawing."));
    cmd.addOptions({screenshot, dump, empty});
    cmd.process(app);

    vl::QtServices services;
    vl::SetServices(&services);
    vl::InstallImageDecoder();

    int rc = 0;
    {
        sketch::MainWindow window(!cmd.isSet(empty));
        services.SetDialogParent(&window);

        QObject::connect(&window, &sketch::MainWindow::Closing, [&] {
            if (cmd.isSet(screenshot)) {
                const QString file = cmd.value(screenshot);
                if (!window.grab().save(file, "PNG")) {
                    std::cerr << "sketch: cannot write " << file.toStdString() << '\n';
                    rc = 1;
                }
            }
            if (cmd.isSet(dump)) sketch::PrintDocument(window, std::cout);
        });
        const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
        // The first paint made the sample drawing: from then on the window
        // shows what a user would see.
        QMetaObject::Connection ready;
        ready = QObject::connect(&window, &sketch::MainWindow::Painted, [&] {
            QObject::disconnect(ready);
            QTimer::singleShot(0, &window, [&] {
                if (cmd.isSet(dump)) sketch::PrintLayout(window, std::cout);
                if (offscreen) window.close();
            });
        });

        // Nobody can close an offscreen window: should no paint ever come,
        // the editor still ends, with an error.
        if (offscreen)
            QTimer::singleShot(60000, &window, [&] {
                std::cerr << "sketch: the drawing was not painted within a minute\n";
                rc = 1;
                window.close();
            });

        window.show();
        const int exitCode = QApplication::exec();
        if (rc == 0) rc = exitCode;
    }
    vl::SetServices(nullptr);
    return rc;
}
