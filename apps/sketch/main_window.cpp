#include "main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QInputDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <velloran-qt/qt_button.h>
#include <velloran-qt/qt_progress.h>
#include <velloran-qt/qt_window_host.h>
#include <velloran/document/data_mod.h>
#include <velloran/objects/object.h>
#include <velloran/foundations/round.h>
#include <velloran/storage/infobox.h>

#include "file_commands.h"
#include "sample_plan.h"
#include "sketch_form.h"
#include "symbols.h"

namespace sketch {

using namespace vl;

namespace {

constexpr double ZoomStep = 1.5;
// Farther out, a plan is a dot; closer in, the mapping's own limit holds.
constexpr double MinScale = 1.0 / 5000;

// The bar shows only while an operation reports progress.
class StatusProgress : public QtProgressBar {
  public:
    using QtProgressBar::QtProgressBar;

  protected:
    void Changed() override {
        QtProgressBar::Changed();
        if (Widget()) Widget()->setVisible(Position() > Min());
    }
};

QString UnitName(TLenUnits u) {
    switch (u) {
    case TLenUnits::Meter:
        return QStringLiteral("m");
    case TLenUnits::dm:
        return QStringLiteral("dm");
    case TLenUnits::cm:
        return QStringLiteral("cm");
    case TLenUnits::mm:
        return QStringLiteral("mm");
    case TLenUnits::mm_10:
        return QStringLiteral("\u2152 mm");
    case TLenUnits::Pixel:
        return QStringLiteral("px");
    }
    return {};
}

QString ToolCaption(const TMouseTool* tool) {
    if (!tool) return QObject::tr("none");
    if (const auto* b = dynamic_cast<const TButton*>(tool->Button()))
        return QString::fromStdU16String(b->Caption());
    return QString::fromStdU16String(tool->Name());
}

} // namespace

MainWindow::MainWindow(bool withSample)
    : FForm(std::make_unique<TSketchForm>()), FFiles(new FileCommands(*this)), FButtons(std::make_unique<TComponent>()) {
    setWindowTitle(withSample ? tr("Sketch \u2013 sample plan of a workshop") : tr("Sketch"));
    TSketchForm& form = *FForm;
    form.Pictures->Generator().SetPicture(PictureOf(NorthArrowImage(96)));

    FView = new QtWindowHost(form.DrawBox, this);
    FView->setObjectName(QStringLiteral("drawbox"));
    setCentralWidget(FView);

    TvlDrawbox& box = *form.DrawBox;
    box.OnPredefineObjects = [this, withSample](TObject*) {
        if (!withSample) return;
        AddSamplePlan(*FForm);
        FForm->DrawBox->SetScale(0);
    };
    box.AfterPaint = [this](TObject*) { emit Painted(); };
    box.OnMouseMove = [this](TObject*, TShiftState, int32_t x, int32_t y) { ShowPosition(x, y); };
    box.OnScaleChange = [this](TObject*) { ScaleChanged(); };
    box.OnMouseDown = [this](TObject*, TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
        if (button == TMouseButton::mbLeft && shift.Contains(TShiftStateItem::ssDouble) &&
            FForm->DrawBox->Tool() == FForm->Pointer)
            EditText({x, y});
    };

    CreateActions();
    CreateStatusBar();
    for (TMouseTool* tool : form.ToolBarTools())
        tool->OnActivate = [this](TObject*) { ToolChanged(); };
    resize(1100, 760);
}

MainWindow::~MainWindow() {
    InfoClose();
    // The draw box goes with the form; the widget must not reach it afterwards.
    FView->SetControl(nullptr);
    FForm.reset();
    FButtons.reset();
}

void MainWindow::CreateActions() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    FFiles->AddFileActions(file);
    QAction* quit = file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    quit->setShortcutContext(Qt::ApplicationShortcut);
    FFiles->AddEditMenu(menuBar());

    QToolBar* bar = FToolBar = addToolBar(tr("Tools"));
    bar->setObjectName(QStringLiteral("tools"));
    bar->setMovable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // The text tools get a row of their own: one row does not hold them all.
    addToolBarBreak();
    QToolBar* textBar = FTextBar = addToolBar(tr("Texts"));
    textBar->setObjectName(QStringLiteral("texts"));
    textBar->setMovable(false);
    textBar->setIconSize(QSize(32, 32));
    textBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QMenu* toolsMenu = menuBar()->addMenu(tr("&Tools"));
    FToolGroup = new QActionGroup(this);
    FToolGroup->setExclusive(true);

    struct Entry {
        TMouseTool* Tool;
        QString Text;
        QString Tip;
        bool OnTextBar = false;
    };
    TSketchForm& form = *FForm;
    const Entry entries[] = {
        {form.Pointer, tr("Pointer"), tr("Mark symbols; drag them to move, drag a handle to turn")},
        {form.Rectangles, tr("Rectangle"), tr("Click to place a workbench")},
        {form.Ellipses, tr("Ellipse"), tr("Click to place an oval table")},
        {form.Circles, tr("Circle"), tr("Click to place a tank")},
        {form.Squares, tr("Square"), tr("Click to place a column")},
        {form.RoundRects, tr("Rounded rectangle"), tr("Click to place a machine")},
        {form.Pictures, tr("Picture"), tr("Click to place a north arrow")},
        {form.Lines, tr("Line"), tr("Click twice to draw a wall; it runs straight across or up")},
        {form.Polylines, tr("Polyline"), tr("Click from point to point to lay a pipe; right click ends it")},
        {form.Frames, tr("Zone"), tr("Click two corners to mark a zone")},
        {form.Connectors, tr("Connector"),
         tr("Click two symbols to join them with a cable; in the open a junction box is placed")},
        {form.Texts, tr("Text"), tr("Click to place a text; double-click a text to edit it"), true},
        {form.Labels, tr("Label"), tr("Click to place a note in a frame"), true},
        {form.LabelBoxes, tr("Label box"), tr("Click two corners to span a note box"), true},
    };
    for (const Entry& e : entries) {
        QAction* a = new QAction(ToolIcon(e.Tool), e.Text, this);
        a->setToolTip(e.Tip);
        a->setStatusTip(e.Tip);
        a->setCheckable(true);
        FToolGroup->addAction(a);
        (e.OnTextBar ? textBar : bar)->addAction(a);
        toolsMenu->addAction(a);
        // The tool binds itself: the button's click activates it.
        auto* button = NewComponent<QtButton>(*FButtons, a);
        button->SetName(e.Tool->Name());
        e.Tool->SetButton(button);
        FToolActions[e.Tool] = a;
    }

    bar->addSeparator();
    QMenu* view = menuBar()->addMenu(tr("&View"));
    auto add = [&](const char* name, ViewIcon icon, const QString& text, const QKeySequence& key,
                   auto&& slot) {
        QAction* a = view->addAction(ViewIconOf(icon), text, key, this, slot);
        bar->addAction(a);
        FViewActions.emplace_back(QString::fromLatin1(name), a);
        return a;
    };
    add("ZoomIn", ViewIcon::ZoomIn, tr("Zoom in"), QKeySequence::ZoomIn,
        [this] { Zoom(ZoomStep); });
    add("ZoomOut", ViewIcon::ZoomOut, tr("Zoom out"), QKeySequence::ZoomOut,
        [this] { Zoom(1 / ZoomStep); });
    add("Fit", ViewIcon::Fit, tr("Fit drawing"), QKeySequence(Qt::CTRL | Qt::Key_0),
        [this] { FForm->DrawBox->SetScale(0); });
    view->addSeparator();
    bar->addSeparator();
    QAction* grid = add("Grid", ViewIcon::Grid, tr("Grid"), QKeySequence(Qt::CTRL | Qt::Key_G),
                        [this](bool on) {
                            FForm->DrawBox->Grid().SetVisible(on);
                            FForm->DrawBox->InvalidateBox();
                        });
    grid->setCheckable(true);
    grid->setChecked(form.DrawBox->Grid().Visible());
    grid->setToolTip(tr("Show the grid"));
    QAction* snap =
        add("Snap", ViewIcon::Snap, tr("Snap"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G),
            [this](bool on) { FForm->DrawBox->Grid().SetCapture(on); });
    snap->setCheckable(true);
    snap->setChecked(form.DrawBox->Grid().Capture());
    snap->setToolTip(tr("Snap new symbols to the grid"));
    CreateEditActions();
}

void MainWindow::CreateEditActions() {
    // The Edit menu may already hold other commands; these join them.
    QMenu* edit = nullptr;
    for (QAction* a : menuBar()->actions())
        if (a->menu() && a->text() == tr("&Edit")) edit = a->menu();
    if (!edit) edit = menuBar()->addMenu(tr("&Edit"));
    edit->addSeparator();
    QAction* del = edit->addAction(tr("&Delete"), QKeySequence::Delete, this, [this] { FForm->DeleteMarked(); });
    del->setObjectName(QStringLiteral("Delete"));
    QAction* all = edit->addAction(tr("Select &All"), QKeySequence::SelectAll, this, [this] {
        FForm->Pointer->Activate(nullptr);
        FForm->SelectAll();
    });
    all->setObjectName(QStringLiteral("SelectAll"));
}

void MainWindow::EditText(TPoint at) {
    TvlObject* o = FForm->TextObjectAt(at);
    if (!o) return;
    QInputDialog dialog(this);
    dialog.setWindowTitle(tr("Edit text"));
    dialog.setLabelText(tr("Text (Ctrl+Return accepts):"));
    dialog.setOption(QInputDialog::UsePlainTextEditForTextInput);
    dialog.setTextValue(QString::fromStdU16String(o->GetText()));
    // Tab leaves the text for the buttons; Return stays a line break.
    if (auto* edit = dialog.findChild<QPlainTextEdit*>()) {
        edit->setTabChangesFocus(true);
        edit->selectAll();
    }
    auto* accept = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), &dialog);
    connect(accept, &QShortcut::activated, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted) return;
    // The old and the new extent both need repainting.
    o->Invalidate();
    o->SetText(dialog.textValue().toStdU16String());
    o->Invalidate();
    if (TvlDataMod* doc = FForm->DrawBox->DataModule()) doc->InvalidateRestoreRect();
}

void MainWindow::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    FMessage = std::make_unique<QtLabel>(bar);
    FProgress = std::make_unique<StatusProgress>(bar);
    FProgress->Widget()->setMaximumWidth(200);
    FProgress->Widget()->hide();
    bar->addWidget(FMessage->Widget(), 1);
    bar->addWidget(FProgress->Widget());
    FToolLabel = new QLabel(bar);
    FObjectLabel = new QLabel(bar);
    FObjectLabel->setMinimumWidth(140);
    FPosLabel = new QLabel(bar);
    FPosLabel->setMinimumWidth(220);
    FScaleLabel = new QLabel(bar);
    bar->addPermanentWidget(FObjectLabel);
    bar->addPermanentWidget(FToolLabel);
    bar->addPermanentWidget(FPosLabel);
    bar->addPermanentWidget(FScaleLabel);
    // Long operations of the library report here while the window lives.
    InfoOpen(FMessage.get(), FProgress.get());
    InfoMessage(infoText, tr("Choose a symbol on the tool bar and click into the plan; "
                             "a right click returns to the pointer.")
                              .toStdU16String());
}

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (FLoaded) return;
    FLoaded = true;
    FForm->FinishLoading();
    FFiles->Attach();
    ToolChanged();
    ScaleChanged();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    // A drawing being read or written keeps the window open.
    if (!FForm->DrawBox->CanClose() || !FFiles->ConfirmClose()) {
        e->ignore();
        return;
    }
    emit Closing();
    QMainWindow::closeEvent(e);
}

void MainWindow::Zoom(double factor) {
    TvlDrawbox& box = *FForm->DrawBox;
    // The point in the middle of the view stays there.
    const TRect r = box.GetClientRect_Log();
    const TPoint centre{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    const double s = box.ScaleSetting().GetScale() * factor;
    if (s < MinScale) return;
    box.SetScale(s);
    box.ScrollTo_Log(centre, TOrigin::Center);
}

void MainWindow::ShowPosition(int32_t x, int32_t y) {
    const TScaleSetting& map = FForm->DrawBox->ScaleSetting();
    const int dcls = map.WorldDcls();
    const QString unit = UnitName(map.Measure());
    FPosLabel->setText(tr("X %1 %3   Y %2 %3")
                           .arg(map.LogToWorld(x), 0, 'f', dcls)
                           .arg(map.LogToWorld(y), 0, 'f', dcls)
                           .arg(unit));
    // The tool has just looked for the object under the mouse.
    FObjectLabel->setText(QString::fromStdU16String(TSketchForm::ObjectName(FForm->DrawBox->MouseFnd())));
}

void MainWindow::ToolChanged() {
    const auto* tool = dynamic_cast<const TMouseTool*>(FForm->DrawBox->Tool());
    auto it = FToolActions.find(tool);
    if (it != FToolActions.end()) it->second->setChecked(true);
    FToolLabel->setText(tr("Tool: %1").arg(ToolCaption(tool)));
}

void MainWindow::ScaleChanged() {
    const double s = FForm->DrawBox->ScaleSetting().GetScale();
    FScaleLabel->setText(s < 1 ? tr("Scale 1:%1").arg(Round(1 / s))
                               : tr("Scale %1:1").arg(Round(s)));
}

QAction* MainWindow::ToolAction(const TMouseTool* tool) const {
    auto it = FToolActions.find(tool);
    return it == FToolActions.end() ? nullptr : it->second;
}

QRect MainWindow::ButtonRect(const QAction* action) const {
    QWidget* w = nullptr;
    for (QToolBar* bar : {FToolBar, FTextBar})
        if (!w && action) w = bar->widgetForAction(const_cast<QAction*>(action));
    return w ? QRect(w->mapTo(this, QPoint(0, 0)), w->size()) : QRect();
}

QRect MainWindow::ViewRect() const {
    QWidget* vp = FView->viewport();
    return QRect(vp->mapTo(this, QPoint(0, 0)), vp->size());
}

QPoint MainWindow::LogToWindow(TPoint p) const {
    const TPoint s = FForm->DrawBox->LogToScreen(p);
    return mapFromGlobal(QPoint(s.X, s.Y));
}

} // namespace sketch
