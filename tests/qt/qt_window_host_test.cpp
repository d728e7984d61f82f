// The Qt window host: input arrives as the control's messages, and every
// drawing, in or outside a paint, ends up in what the widget shows.
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <velloran-qt/qt_window_host.h>
#include <velloran/platform/canvas.h>
#include <velloran/platform/keys.h>

using namespace vl;
using S = TShiftStateItem;

namespace {

constexpr QRgb Red = 0xFFFF0000u;
constexpr QRgb White = 0xFFFFFFFFu;

struct TEvent {
    std::string Kind;
    TMouseButton Button = TMouseButton::mbLeft;
    TShiftState Shift;
    int32_t X = 0, Y = 0;
};

// Paints its update rectangle red and records every message.
class TTestControl : public TWindowControl {
public:
    void Paint(TCanvas& canvas, const TRect& r) override {
        Paints.push_back(r);
        if (PaintNothing) return;
        canvas.SetBrush({clRed, TBrushStyle::bsSolid});
        canvas.FillRect(r);
    }
    void MouseDown(TMouseButton b, TShiftState s, int32_t x, int32_t y) override { Events.push_back({"down", b, s, x, y}); }
    void MouseUp(TMouseButton b, TShiftState s, int32_t x, int32_t y) override { Events.push_back({"up", b, s, x, y}); }
    void MouseMove(TShiftState s, int32_t x, int32_t y) override { Events.push_back({"move", {}, s, x, y}); }
    void DblClick() override { Events.push_back({"dblclick", {}, {}, 0, 0}); }
    bool MouseWheel(TShiftState s, int32_t delta, int32_t x, int32_t y) override {
        Events.push_back({"wheel" + std::to_string(delta), {}, s, x, y});
        return true;
    }
    void KeyDown(uint16_t& key, TShiftState s) override { Keys.push_back({"down", key, s}); }
    void KeyUp(uint16_t& key, TShiftState s) override { Keys.push_back({"up", key, s}); }
    void KeyPress(char16_t& key) override { Chars += key; }
    void Resize() override { ++Resizes; }
    void Scroll(TScrollBarKind kind, TScrollCode code, int32_t pos) override {
        Scrolls.push_back({kind, code, pos});
        if (code == TScrollCode::scLineDown) {
            TScrollInfo si = Host()->GetScrollInfo(kind);
            si.Pos += 8;
            Host()->SetScrollInfo(kind, si);
        }
    }

    struct TKey {
        std::string Kind;
        uint16_t Key;
        TShiftState Shift;
    };
    struct TScroll {
        TScrollBarKind Kind;
        TScrollCode Code;
        int32_t Pos;
    };
    std::vector<TRect> Paints;
    std::vector<TEvent> Events;
    std::vector<TKey> Keys;
    std::u16string Chars;
    std::vector<TScroll> Scrolls;
    int Resizes = 0;
    bool PaintNothing = false;
};

class QtWindowHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        Window.resize(260, 240);
        auto* layout = new QVBoxLayout(&Window);
        layout->setContentsMargins(0, 0, 0, 0);
        Edit = new QLineEdit(&Window);
        Host = new QtWindowHost(&Control, &Window);
        layout->addWidget(Edit);
        layout->addWidget(Host, 1);
        Window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
        QApplication::setActiveWindow(&Window);
        QApplication::processEvents();
        Control.Paints.clear();
        Control.Events.clear();
    }
    void TearDown() override { Host->SetControl(nullptr); }

    QRgb Shown(int x, int y) { return Host->viewport()->grab().toImage().pixel(x, y) | 0xFF000000u; }
    QRgb Backing(int x, int y) const { return Host->BackingImage().pixel(x, y) | 0xFF000000u; }
    void Fill(const TRect& r, TColor c) {
        TCanvas& cv = Host->Canvas();
        cv.SetBrush({c, TBrushStyle::bsSolid});
        cv.FillRect(r);
    }

    TTestControl Control;
    QWidget Window;
    QLineEdit* Edit = nullptr;
    QtWindowHost* Host = nullptr;
};

TEST_F(QtWindowHostTest, MouseButtonsArriveWithPositionShiftAndFocus) {
    Edit->setFocus();
    QApplication::processEvents();
    ASSERT_FALSE(Host->Focused());
    QWidget* vp = Host->viewport();
    QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
    EXPECT_TRUE(Host->Focused());
    QTest::mouseClick(vp, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, QPoint(5, 6));
    // Through the window, so that Qt itself detects the double click.
    QTest::mouseDClick(Window.windowHandle(), Qt::LeftButton, Qt::NoModifier, vp->mapTo(&Window, QPoint(7, 8)));

    std::vector<TEvent> e;
    std::vector<std::string> kinds;
    for (const auto& ev : Control.Events)
        if (ev.Kind != "move") e.push_back(ev), kinds.push_back(ev.Kind);
    // As a classic window reports it: the second press is the double click.
    ASSERT_EQ(kinds, (std::vector<std::string>{"down", "up", "down", "up", "down", "up", "down", "dblclick", "up"}));
    EXPECT_EQ(e[0].Button, TMouseButton::mbLeft);
    EXPECT_EQ(e[0].Shift, (TShiftState{S::ssShift, S::ssLeft}));
    EXPECT_EQ(e[0].X, 30);
    EXPECT_EQ(e[0].Y, 40);
    EXPECT_EQ(e[1].Shift, (TShiftState{S::ssShift})); // the released button is up
    EXPECT_EQ(e[2].Button, TMouseButton::mbRight);
    EXPECT_EQ(e[2].Shift, (TShiftState{S::ssCtrl, S::ssAlt, S::ssRight}));
    EXPECT_EQ(e[6].Shift, (TShiftState{S::ssLeft, S::ssDouble}));
    EXPECT_EQ(e[6].X, 7);
}

TEST_F(QtWindowHostTest, MovesWheelAndConfinement) {
    QWidget* vp = Host->viewport();
    QMouseEvent move(QEvent::MouseMove, QPointF(12, 13), vp->mapToGlobal(QPointF(12, 13)), Qt::NoButton,
                     Qt::NoButton, Qt::ShiftModifier);
    QApplication::sendEvent(vp, &move);
    const TRect box{10, 10, 50, 40};
    Host->ClipCursor(&box);
    QMouseEvent outside(QEvent::MouseMove, QPointF(90, 2), vp->mapToGlobal(QPointF(90, 2)), Qt::NoButton,
                        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &outside);
    Host->ClipCursor(nullptr);
    QWheelEvent wheel(QPointF(20, 21), vp->mapToGlobal(QPointF(20, 21)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(vp, &wheel);

    const auto& e = Control.Events;
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].Kind, "move");
    EXPECT_EQ(e[0].Shift, (TShiftState{S::ssShift}));
    EXPECT_EQ((std::pair{e[0].X, e[0].Y}), (std::pair{12, 13}));
    // Right and bottom of the confinement are exclusive.
    EXPECT_EQ((std::pair{e[1].X, e[1].Y}), (std::pair{49, 10}));
    EXPECT_EQ(e[1].Shift, (TShiftState{S::ssLeft}));
    EXPECT_EQ(e[2].Kind, "wheel-120");
    EXPECT_EQ(e[2].Shift, (TShiftState{S::ssCtrl}));
    EXPECT_TRUE(wheel.isAccepted());
}

TEST_F(QtWindowHostTest, KeysReachTheControlIncludingNavigation) {
    Host->SetFocus();
    QTest::keyClick(Host, Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(Host, Qt::Key_Tab);
    QTest::keyClick(Host, 'A', Qt::ShiftModifier);
    EXPECT_TRUE(Host->Focused()); // tab did not move the focus away

    std::vector<TTestControl::TKey> k;
    for (const auto& key : Control.Keys)
        if (key.Key != VK_CONTROL && key.Key != VK_SHIFT) k.push_back(key);
    ASSERT_EQ(k.size(), 6u);
    EXPECT_EQ(k[0].Kind, "down");
    EXPECT_EQ(k[0].Key, VK_LEFT);
    EXPECT_EQ(k[0].Shift, (TShiftState{S::ssCtrl}));
    EXPECT_EQ(k[1].Kind, "up");
    EXPECT_EQ(k[2].Key, VK_TAB);
    EXPECT_EQ(k[4].Key, 'A');
    EXPECT_EQ(k[4].Shift, (TShiftState{S::ssShift}));
    EXPECT_EQ(Control.Chars, u"\tA");
}

TEST_F(QtWindowHostTest, InvalidAreaIsPaintedIntoTheBackingImage) {
    Fill(Host->ClientRect(), clWhite);
    QApplication::processEvents();
    Control.Paints.clear();

    Host->Invalidate({30, 20, 10, 10}, false); // unnormalised on purpose
    Host->Update();
    ASSERT_EQ(Control.Paints.size(), 1u);
    EXPECT_EQ(Control.Paints[0], (TRect{10, 10, 30, 20}));
    EXPECT_EQ(Backing(10, 10), Red);
    EXPECT_EQ(Backing(29, 19), Red);
    EXPECT_EQ(Backing(30, 19), White);
    EXPECT_EQ(Shown(15, 15), Red);

    // Nothing invalid: nothing painted.
    Host->Update();
    EXPECT_EQ(Control.Paints.size(), 1u);

    // Erasing fills with the background, whatever a tool left on the canvas.
    Control.PaintNothing = true;
    Fill({0, 0, 60, 60}, clBlue);
    Host->Canvas().SetPen({clBlack, 1, TPenStyle::psSolid, TPenMode::pmNotXor});
    Host->Invalidate({0, 0, 20, 20}, true);
    Host->Invalidate({40, 40, 50, 50}, false);
    Host->Update();
    EXPECT_EQ(Backing(5, 5), White);
    EXPECT_EQ(Backing(45, 45), 0xFF0000FFu);
}

TEST_F(QtWindowHostTest, DrawingOutsidePaintShowsAndNotXorRestores) {
    Fill(Host->ClientRect(), clWhite);
    Fill({40, 40, 60, 60}, clBlue);
    QApplication::processEvents();
    EXPECT_EQ(Shown(50, 50), 0xFF0000FFu);

    TCanvas& cv = Host->Canvas();
    const QImage before = Host->viewport()->grab().toImage();
    cv.SetPen({clBlack, 1, TPenStyle::psSolid, TPenMode::pmNotXor});
    cv.SetBrush({clWhite, TBrushStyle::bsClear});
    cv.Rectangle({20, 20, 80, 80});
    QApplication::processEvents();
    EXPECT_NE(Host->viewport()->grab().toImage(), before);
    cv.Rectangle({20, 20, 80, 80});
    QApplication::processEvents();
    EXPECT_EQ(Host->viewport()->grab().toImage(), before);
    EXPECT_TRUE(Control.Paints.empty());
}

TEST_F(QtWindowHostTest, ScrollWindowMovesPixelsAndInvalidatesTheStrip) {
    const TRect client = Host->ClientRect();
    Fill(client, clWhite);
    Fill({50, 50, 54, 54}, clBlue);
    QApplication::processEvents();
    Control.Paints.clear();

    Host->ScrollWindow(10, -5);
    EXPECT_EQ(Backing(60, 45), 0xFF0000FFu);
    EXPECT_EQ(Backing(50, 50), White);
    Host->Update();
    // The strips uncovered on the left and at the bottom.
    ASSERT_EQ(Control.Paints.size(), 1u);
    EXPECT_EQ(Control.Paints[0], (TRect{0, 0, client.Right, client.Bottom}));
    EXPECT_EQ(Backing(5, 20), Red);
    EXPECT_EQ(Backing(20, client.Bottom - 3), Red);
    EXPECT_EQ(Backing(20, 20), White);

    // Inside a rectangle only: a strip beside it keeps its pixels.
    Fill(client, clWhite);
    Fill({50, 50, 54, 54}, clBlue);
    Control.Paints.clear();
    const TRect area{30, 0, client.Right, client.Bottom};
    Host->ScrollWindow(-20, 0, &area);
    EXPECT_EQ(Backing(30, 50), 0xFF0000FFu);
    Host->Update();
    ASSERT_EQ(Control.Paints.size(), 1u);
    EXPECT_EQ(Control.Paints[0], (TRect{client.Right - 20, 0, client.Right, client.Bottom}));
}

TEST_F(QtWindowHostTest, ScrollBarsFollowInfoAndReportMoves) {
    const int widthBefore = Host->ClientRect().Width();
    Host->SetScrollInfo(TScrollBarKind::sbVertical, {0, 499, 100, 0, true});
    // The client area shrinks at once, as the scroll range arithmetic expects.
    QScrollBar* bar = Host->verticalScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 400);
    EXPECT_EQ(bar->pageStep(), 100);
    EXPECT_EQ(Host->ClientRect().Width(), widthBefore - Host->ScrollBarSize(TScrollBarKind::sbVertical));
    EXPECT_GT(Control.Resizes, 0);
    EXPECT_EQ(Host->BackingImage().width(), Host->ClientRect().Width());

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    // The control moved by its own step, not by the bar's.
    EXPECT_EQ(bar->value(), 8);
    EXPECT_EQ(Host->GetScrollPos(TScrollBarKind::sbVertical), 8);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(bar->value(), 8); // the control ignored it

    bar->setSliderDown(true);
    bar->setSliderPosition(40);
    bar->setSliderDown(false);

    const auto& s = Control.Scrolls;
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].Kind, TScrollBarKind::sbVertical);
    EXPECT_EQ(s[0].Code, TScrollCode::scLineDown);
    EXPECT_EQ(s[1].Code, TScrollCode::scPageUp);
    EXPECT_EQ(s[2].Code, TScrollCode::scTrack);
    EXPECT_EQ(s[2].Pos, 40);
    EXPECT_EQ(s[3].Code, TScrollCode::scPosition);
    EXPECT_EQ(s[3].Pos, 40);
    EXPECT_EQ(bar->value(), 8); // until the control sets it

    Host->SetScrollInfo(TScrollBarKind::sbVertical, {0, 0, 100, 0, false});
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(Host->ClientRect().Width(), widthBefore);
}

TEST_F(QtWindowHostTest, ResizeRepaintsEverythingAndBitmapCursorsShow) {
    Control.Resizes = 0;
    Window.resize(300, 300);
    QApplication::processEvents();
    EXPECT_EQ(Control.Resizes, 1);
    const TRect client = Host->ClientRect();
    EXPECT_EQ(Host->BackingImage().size(), QSize(client.Width(), client.Height()));
    ASSERT_FALSE(Control.Paints.empty());
    EXPECT_EQ(Control.Paints.back(), client);
    EXPECT_EQ(Shown(client.Right - 1, client.Bottom - 1), Red);

    Host->SetCursor(crRotate);
    EXPECT_EQ(Host->viewport()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_FALSE(Host->viewport()->cursor().pixmap().isNull());
}

} // namespace
