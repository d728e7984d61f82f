#pragma once
// A Qt widget that hosts a window control of the core. Every pixel lives in
// a backing image: paint events let the control paint the invalid area into
// it, and drawing outside paint events (rubber bands, moving outlines in
// not-xor mode) goes to the same image, which the widget then shows. So the
// pixels a tool reads back are always the ones it drew on.

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>

#include <memory>
#include <optional>

#include "velloran/platform/colors.h"
#include "velloran/platform/window_host.h"

class QScrollBar;

namespace vl {

class QtBackingCanvas;

/// The Qt widget that hosts a window control of the core, painting through a backing image.
class QtWindowHost : public QAbstractScrollArea, public TWindowHost {
    Q_OBJECT

public:
    /// control is not owned; it must outlive the host or be detached first
    /// (SetControl(nullptr)).
    explicit QtWindowHost(TWindowControl* control = nullptr, QWidget* parent = nullptr);
    ~QtWindowHost() override;

    TWindowControl* Control() const { return FControl; }
    void SetControl(TWindowControl* control);
    /// Colour of erased areas.
    TColor Color() const { return FColor; }
    void SetColor(TColor c) { FColor = c; }
    /// The backing image (what the window shows).
    const QImage& BackingImage() const { return FImage; }

    // ---- TWindowHost ------------------------------------------------------
    TRect ClientRect() const override;
    bool Showing() const override;
    void Invalidate(const TRect& r, bool erase) override;
    void InvalidateAll(bool erase = true) override;
    void Update() override;
    void ScrollWindow(int32_t dx, int32_t dy, const TRect* scrollRect = nullptr) override;
    TCanvas& Canvas() override;
    void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) override;
    TScrollInfo GetScrollInfo(TScrollBarKind kind) const override;
    int32_t ScrollBarSize(TScrollBarKind kind) const override;
    void SetFocus() override;
    bool Focused() const override;
    void SetCursor(TCursor cursor) override;
    void ClipCursor(const TRect* clientRect) override;
    TPoint GetCursorPos() const override;
    TPoint ClientToScreen(TPoint p) const override;
    TPoint ScreenToClient(TPoint p) const override;

    /// Called by the backing canvas after it drew outside a paint.
    void CanvasDrawn();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    /// Tab and back-tab reach the control instead of moving the focus.
    bool focusNextPrevChild(bool next) override;

private:
    void ResizeBackingStore(QSize size);
    /// Lets the control paint the invalid area into the backing image.
    void PaintInvalid();
    void BarAction(TScrollBarKind kind, int action);
    QScrollBar* Bar(TScrollBarKind kind) const;
    /// A position clamped into the confinement rectangle, if one is set.
    QPoint Confined(QPoint p) const;
    /// Runs a control handler from a Qt event: errors must not unwind
    /// through the event loop.
    template <typename F>
    void Dispatch(F&& f);

    TWindowControl* FControl = nullptr;
    QImage FImage;
    std::unique_ptr<QtBackingCanvas> FCanvas;
    QRegion FInvalid;
    QRegion FErase;
    TColor FColor = clWhite;
    bool FPainting = false;
    TScrollInfo FInfo[2];
    std::optional<QRect> FConfine;
};

} // namespace vl
