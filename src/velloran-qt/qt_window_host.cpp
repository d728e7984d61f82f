#include "velloran-qt/qt_window_host.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>
#include <exception>

#include "velloran-qt/qt_canvas.h"
#include "velloran-qt/qt_cursors.h"
#include "velloran-qt/qt_input.h"
#include "velloran/foundations/errors.h"
#include "velloran/platform/message_box.h"

namespace vl {

// The canvas on the backing image. Every figure drawn outside a paint must
// reach the screen, so each drawing operation tells the host afterwards.
class QtBackingCanvas : public QtCanvas {
public:
    explicit QtBackingCanvas(QtWindowHost& host) : FHost(host) {}
    void Bind(QImage* image) {
        End();
        Begin(image);
    }

    void LineTo(int32_t x, int32_t y) override { QtCanvas::LineTo(x, y), Drawn(); }
    void Polygon(std::span<const TPoint> pts) override { QtCanvas::Polygon(pts), Drawn(); }
    void Polyline(std::span<const TPoint> pts) override { QtCanvas::Polyline(pts), Drawn(); }
    void PolyPolyline(std::span<const TPoint> pts, std::span<const uint32_t> counts) override {
        QtCanvas::PolyPolyline(pts, counts), Drawn();
    }
    void Rectangle(const TRect& r) override { QtCanvas::Rectangle(r), Drawn(); }
    void RoundRect(const TRect& r, int32_t w, int32_t h) override { QtCanvas::RoundRect(r, w, h), Drawn(); }
    void Ellipse(const TRect& r) override { QtCanvas::Ellipse(r), Drawn(); }
    void Arc(const TRect& r, TPoint s, TPoint e) override { QtCanvas::Arc(r, s, e), Drawn(); }
    void Chord(const TRect& r, TPoint s, TPoint e) override { QtCanvas::Chord(r, s, e), Drawn(); }
    void Pie(const TRect& r, TPoint s, TPoint e) override { QtCanvas::Pie(r, s, e), Drawn(); }
    void FillRect(const TRect& r) override { QtCanvas::FillRect(r), Drawn(); }
    void TextOut(int32_t x, int32_t y, const String& text) override { QtCanvas::TextOut(x, y, text), Drawn(); }
    void SetPixel(int32_t x, int32_t y, TColor c) override { QtCanvas::SetPixel(x, y, c), Drawn(); }
    void FillRgn(const TRegion& rgn, const TBrush& b) override { QtCanvas::FillRgn(rgn, b), Drawn(); }
    void FrameRgn(const TRegion& rgn, const TBrush& b, int32_t w, int32_t h) override {
        QtCanvas::FrameRgn(rgn, b, w, h), Drawn();
    }
    void StretchDraw(const TRect& r, const TGraphic& g) override { QtCanvas::StretchDraw(r, g), Drawn(); }
    void StretchBitmap(const TRect& d, const TBitmap& s, const TRect& sr) override {
        QtCanvas::StretchBitmap(d, s, sr), Drawn();
    }

private:
    void Drawn() { FHost.CanvasDrawn(); }
    QtWindowHost& FHost;
};

namespace {

QRect ToQRect(const TRect& r) {
    return QRect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::abs(r.Width()), std::abs(r.Height()));
}

TRect ToTRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

QColor ToQColor(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

std::optional<TMouseButton> ButtonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return TMouseButton::mbLeft;
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return std::nullopt;
    }
}

// Moves the pixels of src to dest (same size) within one image; rows are
// copied in the order that does not overwrite unread ones.
void MovePixels(QImage& image, const QRect& src, int dx, int dy) {
    const size_t bytes = static_cast<size_t>(src.width()) * 4;
    auto copyRow = [&](int y) {
        const uchar* from = image.constScanLine(y) + static_cast<size_t>(src.left()) * 4;
        uchar* to = image.scanLine(y + dy) + static_cast<size_t>(src.left() + dx) * 4;
        std::memmove(to, from, bytes);
    };
    if (dy > 0)
        for (int y = src.bottom(); y >= src.top(); --y) copyRow(y);
    else
        for (int y = src.top(); y <= src.bottom(); ++y) copyRow(y);
}

} // namespace

template <typename F>
void QtWindowHost::Dispatch(F&& f) {
    if (!FControl) return;
    try {
        f(*FControl);
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        MessageDlg(QString::fromUtf8(e.what()).toStdU16String(), TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
    }
}

// ---- Life -------------------------------------------------------------------

QtWindowHost::QtWindowHost(TWindowControl* control, QWidget* parent)
    : QAbstractScrollArea(parent), FCanvas(std::make_unique<QtBackingCanvas>(*this)) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every pixel comes from the backing image; Qt must not clear it first.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);

    for (TScrollBarKind kind : {TScrollBarKind::sbHorizontal, TScrollBarKind::sbVertical}) {
        QScrollBar* bar = Bar(kind);
        // The control decides every position; the thumb only follows a drag.
        bar->setTracking(false);
        connect(bar, &QAbstractSlider::actionTriggered, this, [this, kind](int action) { BarAction(kind, action); });
        connect(bar, &QAbstractSlider::sliderMoved, this,
                [this, kind](int pos) { Dispatch([&](TWindowControl& c) { c.Scroll(kind, TScrollCode::scTrack, pos); }); });
        connect(bar, &QAbstractSlider::sliderReleased, this, [this, kind, bar] {
            const int pos = bar->sliderPosition();
            bar->setSliderPosition(bar->value());
            Dispatch([&](TWindowControl& c) { c.Scroll(kind, TScrollCode::scPosition, pos); });
        });
    }
    ResizeBackingStore(viewport()->size());
    SetControl(control);
}

QtWindowHost::~QtWindowHost() {
    SetControl(nullptr);
    FCanvas->End();
}

void QtWindowHost::SetControl(TWindowControl* control) {
    if (control == FControl) return;
    if (FControl) FControl->SetHost(nullptr);
    FControl = control;
    if (FControl) {
        FControl->SetHost(this);
        InvalidateAll(true);
    }
}

// ---- Painting ---------------------------------------------------------------

TRect QtWindowHost::ClientRect() const { return {0, 0, viewport()->width(), viewport()->height()}; }

bool QtWindowHost::Showing() const { return isVisible() && viewport()->isVisible(); }

void QtWindowHost::Invalidate(const TRect& r, bool erase) {
    const QRect q = ToQRect(r);
    if (q.isEmpty()) return;
    FInvalid += q;
    if (erase) FErase += q;
    viewport()->update(q);
}

void QtWindowHost::InvalidateAll(bool erase) { Invalidate(ClientRect(), erase); }

void QtWindowHost::Update() {
    if (FPainting) return;
    const QRect painted = FInvalid.boundingRect();
    PaintInvalid();
    if (Showing() && !painted.isEmpty()) viewport()->repaint(painted);
}

void QtWindowHost::PaintInvalid() {
    if (FPainting) return;
    const QRegion area = FInvalid & QRect(QPoint(0, 0), FImage.size());
    const QRegion erase = FErase & area;
    FInvalid = QRegion();
    FErase = QRegion();
    if (area.isEmpty() || !FControl) return;

    FPainting = true;
    QtCanvas& canvas = *FCanvas;
    // Erasing writes the pixels directly: whatever clip, mapping or pen mode
    // the canvas holds from drawing outside paints must not change it.
    const QRgb background = ToQColor(FColor).rgb();
    for (const QRect& r : erase)
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::fill_n(reinterpret_cast<QRgb*>(FImage.scanLine(y)) + r.left(), r.width(), background);
    // The paint sees a surface of its own: clipped to the invalid area, its
    // changes to tools and mapping gone afterwards.
    const int32_t level = canvas.SaveDC();
    const TRect bounds = ToTRect(area.boundingRect());
    const TRegion clip = TRegion::CreateRect(bounds);
    canvas.SelectClipRgn(&clip);
    // The canvas clips to one rectangle; pixels of the box that were not
    // invalid (the middle between two scrolled strips) are put back after.
    const QRect box = area.boundingRect();
    const QRegion keep = QRegion(box) - area;
    const QImage saved = keep.isEmpty() ? QImage() : FImage.copy(box);
    Dispatch([&](TWindowControl& c) { c.Paint(canvas, bounds); });
    canvas.RestoreDC(level);
    for (const QRect& r : keep) {
        const size_t bytes = static_cast<size_t>(r.width()) * 4;
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(FImage.scanLine(y) + static_cast<size_t>(r.left()) * 4,
                        saved.constScanLine(y - box.top()) + static_cast<size_t>(r.left() - box.left()) * 4, bytes);
    }
    FPainting = false;
}

void QtWindowHost::CanvasDrawn() {
    if (!FPainting) viewport()->update();
}

TCanvas& QtWindowHost::Canvas() { return *FCanvas; }

void QtWindowHost::paintEvent(QPaintEvent* e) {
    PaintInvalid();
    QPainter p(viewport());
    for (const QRect& r : e->region()) p.drawImage(r, FImage, r);
}

void QtWindowHost::ScrollWindow(int32_t dx, int32_t dy, const TRect* scrollRect) {
    const QRect bounds(QPoint(0, 0), FImage.size());
    const QRect area = scrollRect ? ToQRect(*scrollRect) & bounds : bounds;
    if (area.isEmpty() || (dx == 0 && dy == 0)) return;
    const QRect src = area & area.translated(-dx, -dy);
    const QRect dest = src.translated(dx, dy);
    if (!src.isEmpty()) MovePixels(FImage, src, dx, dy);

    // Areas still waiting for paint move with their pixels.
    const QRegion inside = FInvalid & area;
    FInvalid = (FInvalid - area) | (inside.translated(dx, dy) & area);
    const QRegion insideErase = FErase & area;
    FErase = (FErase - area) | (insideErase.translated(dx, dy) & area);
    const QRegion uncovered = QRegion(area) - dest;
    FInvalid |= uncovered;
    FErase |= uncovered;
    viewport()->update(area);
}

void QtWindowHost::ResizeBackingStore(QSize size) {
    // A painter cannot work on an empty image; keep at least one pixel.
    size = size.expandedTo(QSize(1, 1));
    if (size == FImage.size()) return;
    FCanvas->End();
    QImage image(size, QImage::Format_RGB32);
    image.fill(ToQColor(FColor));
    if (!FImage.isNull()) {
        QPainter p(&image);
        p.drawImage(0, 0, FImage);
    }
    FImage = std::move(image);
    FCanvas->Bind(&FImage);
}

void QtWindowHost::resizeEvent(QResizeEvent*) {
    const QSize size = viewport()->size();
    if (size.expandedTo(QSize(1, 1)) == FImage.size()) return;
    ResizeBackingStore(size);
    InvalidateAll(true);
    Dispatch([](TWindowControl& c) { c.Resize(); });
}

// ---- Scroll bars ------------------------------------------------------------

QScrollBar* QtWindowHost::Bar(TScrollBarKind kind) const {
    return kind == TScrollBarKind::sbHorizontal ? horizontalScrollBar() : verticalScrollBar();
}

void QtWindowHost::SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) {
    FInfo[static_cast<int>(kind)] = info;
    QScrollBar* bar = Bar(kind);
    // Qt counts positions of the thumb's start: the last is Max - Page + 1.
    const int64_t last = info.Page > 0 ? int64_t{info.Max} - info.Page + 1 : int64_t{info.Max};
    bar->setRange(info.Min, static_cast<int>(std::max<int64_t>(info.Min, last)));
    bar->setPageStep(std::max(1, info.Page));
    bar->setValue(info.Pos);
    const Qt::ScrollBarPolicy policy = info.Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (kind == TScrollBarKind::sbHorizontal)
        setHorizontalScrollBarPolicy(policy);
    else
        setVerticalScrollBarPolicy(policy);
}

TScrollInfo QtWindowHost::GetScrollInfo(TScrollBarKind kind) const {
    TScrollInfo info = FInfo[static_cast<int>(kind)];
    info.Pos = Bar(kind)->value();
    return info;
}

int32_t QtWindowHost::ScrollBarSize(TScrollBarKind kind) const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Bar(kind));
}

void QtWindowHost::BarAction(TScrollBarKind kind, int action) {
    QScrollBar* bar = Bar(kind);
    TScrollCode code;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = TScrollCode::scLineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: code = TScrollCode::scLineDown; break;
    case QAbstractSlider::SliderPageStepSub: code = TScrollCode::scPageUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = TScrollCode::scPageDown; break;
    case QAbstractSlider::SliderToMinimum: code = TScrollCode::scTop; break;
    case QAbstractSlider::SliderToMaximum: code = TScrollCode::scBottom; break;
    case QAbstractSlider::SliderMove:
        // A drag reports through sliderMoved and sliderReleased.
        if (bar->isSliderDown()) return;
        code = TScrollCode::scPosition;
        break;
    default: return;
    }
    const int pos = bar->sliderPosition();
    // Undo Qt's own step: the control answers with SetScrollInfo.
    bar->setSliderPosition(bar->value());
    Dispatch([&](TWindowControl& c) { c.Scroll(kind, code, pos); });
}

void QtWindowHost::scrollContentsBy(int, int) {
    // The control scrolls through ScrollWindow when it moves its position.
}

// ---- Focus, cursor ----------------------------------------------------------

void QtWindowHost::SetFocus() { setFocus(Qt::OtherFocusReason); }

bool QtWindowHost::Focused() const { return hasFocus(); }

void QtWindowHost::SetCursor(TCursor cursor) {
    if (cursor == crDefault)
        viewport()->unsetCursor();
    else
        viewport()->setCursor(ToQCursor(cursor));
}

// Confinement is best effort: Qt cannot hold the pointer inside a rectangle.
// Moves that leave it are put back with QCursor::setPos (which some window
// systems refuse, and which only sees moves while the window receives them:
// while a button is held or the pointer is over it), and every position the
// control gets, from events or GetCursorPos, is clamped into it.
void QtWindowHost::ClipCursor(const TRect* clientRect) {
    if (!clientRect) {
        FConfine.reset();
        return;
    }
    FConfine = ToQRect(*clientRect);
    const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
    if (!FConfine->isEmpty() && !FConfine->contains(p)) QCursor::setPos(viewport()->mapToGlobal(Confined(p)));
}

QPoint QtWindowHost::Confined(QPoint p) const {
    if (!FConfine || FConfine->isEmpty()) return p;
    return {std::clamp(p.x(), FConfine->left(), FConfine->right()),
            std::clamp(p.y(), FConfine->top(), FConfine->bottom())};
}

TPoint QtWindowHost::GetCursorPos() const {
    const QPoint p = Confined(viewport()->mapFromGlobal(QCursor::pos()));
    return {p.x(), p.y()};
}

TPoint QtWindowHost::ClientToScreen(TPoint p) const {
    const QPoint s = viewport()->mapToGlobal(QPoint(p.X, p.Y));
    return {s.x(), s.y()};
}

TPoint QtWindowHost::ScreenToClient(TPoint p) const {
    const QPoint c = viewport()->mapFromGlobal(QPoint(p.X, p.Y));
    return {c.x(), c.y()};
}

void QtWindowHost::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    Dispatch([](TWindowControl& c) { c.Enter(); });
}

void QtWindowHost::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    Dispatch([](TWindowControl& c) { c.Exit(); });
}

bool QtWindowHost::focusNextPrevChild(bool) { return false; }

// ---- Mouse and keys ---------------------------------------------------------

void QtWindowHost::mousePressEvent(QMouseEvent* e) {
    const auto button = ButtonOf(e->button());
    if (!button) return;
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
    const QPoint p = Confined(e->position().toPoint());
    const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
    Dispatch([&](TWindowControl& c) { c.MouseDown(*button, shift, p.x(), p.y()); });
}

void QtWindowHost::mouseDoubleClickEvent(QMouseEvent* e) {
    const auto button = ButtonOf(e->button());
    if (!button) return;
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
    const QPoint p = Confined(e->position().toPoint());
    TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
    shift.Include(TShiftStateItem::ssDouble);
    Dispatch([&](TWindowControl& c) { c.MouseDown(*button, shift, p.x(), p.y()); });
    if (*button == TMouseButton::mbLeft) Dispatch([](TWindowControl& c) { c.DblClick(); });
}

void QtWindowHost::mouseReleaseEvent(QMouseEvent* e) {
    const auto button = ButtonOf(e->button());
    if (!button) return;
    const QPoint p = Confined(e->position().toPoint());
    const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
    Dispatch([&](TWindowControl& c) { c.MouseUp(*button, shift, p.x(), p.y()); });
}

void QtWindowHost::mouseMoveEvent(QMouseEvent* e) {
    QPoint p = e->position().toPoint();
    if (FConfine && !FConfine->isEmpty() && !FConfine->contains(p)) {
        p = Confined(p);
        QCursor::setPos(viewport()->mapToGlobal(p));
    }
    const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
    Dispatch([&](TWindowControl& c) { c.MouseMove(shift, p.x(), p.y()); });
}

void QtWindowHost::wheelEvent(QWheelEvent* e) {
    const int delta = e->angleDelta().y();
    if (delta == 0) {
        e->ignore();
        return;
    }
    const QPoint p = e->position().toPoint();
    const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
    bool handled = false;
    Dispatch([&](TWindowControl& c) { handled = c.MouseWheel(shift, delta, p.x(), p.y()); });
    e->setAccepted(handled);
}

void QtWindowHost::keyPressEvent(QKeyEvent* e) {
    const TShiftState shift = ShiftStateOf(e->modifiers(), QGuiApplication::mouseButtons());
    if (uint16_t key = VirtualKeyOf(e->key(), e->modifiers()))
        Dispatch([&](TWindowControl& c) { c.KeyDown(key, shift); });
    const QString text = e->text();
    if (!text.isEmpty()) {
        char16_t ch = text.at(0).unicode();
        Dispatch([&](TWindowControl& c) { c.KeyPress(ch); });
    }
    e->accept();
}

void QtWindowHost::keyReleaseEvent(QKeyEvent* e) {
    // Held keys repeat their key-down only.
    if (e->isAutoRepeat()) return;
    const TShiftState shift = ShiftStateOf(e->modifiers(), QGuiApplication::mouseButtons());
    if (uint16_t key = VirtualKeyOf(e->key(), e->modifiers()))
        Dispatch([&](TWindowControl& c) { c.KeyUp(key, shift); });
    e->accept();
}

} // namespace vl
