#pragma once
// The sketch editor's main window: the draw box in the middle, a tool bar
// whose buttons the tools bind to, view actions, and a status bar with the
// mouse position, the current tool and the progress reporter.

#include <QMainWindow>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include <velloran/foundations/types.h>

class QAction;
class QActionGroup;
class QLabel;
class QToolBar;

namespace vl {
class QtWindowHost;
class QtLabel;
class QtProgressBar;
class TComponent;
class TMouseTool;
} // namespace vl

namespace sketch {

class TSketchForm;
class FileCommands;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    // withSample: the sample drawing is made at the first paint.
    explicit MainWindow(bool withSample);
    ~MainWindow() override;

    TSketchForm& Form() const { return *FForm; }
    FileCommands& Files() const { return *FFiles; }
    vl::QtWindowHost& View() const { return *FView; }
    // The tool bar button of an action, in window coordinates; empty if none.
    QRect ButtonRect(const QAction* action) const;
    QAction* ToolAction(const vl::TMouseTool* tool) const;
    // The view actions with names for scripts: ZoomIn, ZoomOut, Fit, Grid, Snap.
    const std::vector<std::pair<QString, QAction*>>& ViewActions() const { return FViewActions; }
    // The draw box's client area in window coordinates.
    QRect ViewRect() const;
    // A logical point of the drawing in window coordinates.
    QPoint LogToWindow(vl::TPoint p) const;

  signals:
    // The draw box finished a paint.
    void Painted();
    // The window is about to close, still showing everything.
    void Closing();

  protected:
    void closeEvent(QCloseEvent* e) override;
    // The form finishes loading once the draw box has its real size.
    void showEvent(QShowEvent* e) override;

  private:
    void CreateActions();
    void CreateEditActions();
    void CreateStatusBar();
    void Zoom(double factor);
    void ShowPosition(int32_t x, int32_t y);
    void ToolChanged();
    void ScaleChanged();
    // Double-click on a text with the pointer: a dialog edits it.
    void EditText(vl::TPoint at);

    std::unique_ptr<TSketchForm> FForm;
    FileCommands* FFiles;
    // Owns the tool bar's button components; tools only refer to them.
    std::unique_ptr<vl::TComponent> FButtons;
    vl::QtWindowHost* FView;
    QActionGroup* FToolGroup;
    QToolBar* FToolBar;
    QToolBar* FTextBar;
    std::map<const vl::TMouseTool*, QAction*> FToolActions;
    std::vector<std::pair<QString, QAction*>> FViewActions;
    std::unique_ptr<vl::QtLabel> FMessage;
    std::unique_ptr<vl::QtProgressBar> FProgress;
    // Names the object under the mouse.
    QLabel* FObjectLabel;
    QLabel* FToolLabel;
    QLabel* FPosLabel;
    QLabel* FScaleLabel;
    bool FLoaded = false;
};

} // namespace sketch
